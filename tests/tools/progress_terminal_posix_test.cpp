// netprobe test in a terminal: the progress line shows while the probes run and is gone before
// the report, which reads as it does in a file.
#include <gtest/gtest.h>

#include <regex>
#include <string>
#include <vector>

#include "tests/support/channel_file.h"
#include "tests/support/child_process.h"
#include "tests/support/loopback/http_origin.h"
#include "tests/support/loopback/http_proxy.h"
#include "tests/support/temp_dir.h"
#include "tests/support/terminal_child.h"

namespace netprobe {
namespace {

using namespace std::chrono_literals;

// The times of a report vary from run to run.
std::string WithoutNumbers(const std::string& text) { return std::regex_replace(text, std::regex("[0-9]+"), "#"); }

TEST(ProgressLine, ShowsOnATerminalAndIsErasedBeforeTheReport) {
    testing::HttpOrigin origin;
    origin.SetDelay(600ms);  // a few redraws, which the test does not count
    testing::HttpProxy proxy;
    testing::TempDir dir;
    testing::ChannelFile{.declaration = testing::ChannelFile::kUtf8, .servers = {{.port = origin.port()}}}.WriteInto(
        dir.path());
    const std::string proxied =
        dir.Write("proxy.ini", "[NetWork]\r\nProxyEnable=1\r\nProxyMode=0\r\nProxyServer=127.0.0.1\r\nProxyPort=" +
                                   std::to_string(proxy.port()) + "\r\n");
    const std::string server = "127.0.0.1:" + std::to_string(origin.port());
    struct Case {
        std::vector<std::string> args;
        std::vector<std::string> lines;  // each drawn at least once as the probe begins
    };
    const Case cases[] = {
        {{"test", "--app-dir", dir.path()}, {"\r[final 1/1] " + server + "  0 s of 23 s"}},
        {{"test", "--app-dir", dir.path(), "--json", "--user-config", proxied, "--also-direct"},
         {"\r[final 1/1] " + server + "  0 s of 23 s", "\r[direct, final 1/1] " + server + "  0 s of 23 s"}},
    };
    for (const Case& c : cases) {
        const testing::ChildRun shown = testing::RunOnTerminal(testing::ProgramBeside("netprobe"), c.args, 60);
        EXPECT_EQ(shown.exit_code, 0) << shown.out;
        for (const std::string& line : c.lines) EXPECT_NE(shown.out.find(line), std::string::npos) << shown.out;
        // Erased: spaces over the line, back to its start, then the report as a file gets it.
        const std::size_t last = shown.out.rfind('\r');
        ASSERT_NE(last, std::string::npos) << shown.out;
        const std::size_t erase = shown.out.rfind('\r', last - 1);
        ASSERT_NE(erase, std::string::npos);
        EXPECT_EQ(shown.out.find_first_not_of(' ', erase + 1), last) << shown.out;
        const testing::ChildRun filed = testing::RunChild(testing::ProgramBeside("netprobe"), c.args);
        EXPECT_EQ(WithoutNumbers(shown.out.substr(last + 1)), WithoutNumbers(filed.out));
    }
}

}  // namespace
}  // namespace netprobe
