// netprobe test's progress line: what it says in either language and how it fits a narrow
// terminal, and that output which is no terminal gets none of it.
#include <gtest/gtest.h>

#include <chrono>
#include <string>

#include "core/display_text.h"
#include "core/language.h"
#include "tests/support/channel_file.h"
#include "tests/support/child_process.h"
#include "tests/support/loopback/http_origin.h"
#include "tests/support/scoped_language.h"
#include "tests/support/temp_dir.h"
#include "tools/progress_line.h"

namespace netprobe {
namespace {

using namespace std::chrono_literals;

using testing::ScopedLanguage;

TEST(ProgressLine, TellsTheStepTheServerAndTheSecondsWithinTheTerminalsWidth) {
    const ProbeStart second{.index = 1,
                            .count = 4,
                            .address = "http://127.0.0.1:18082/update/check",
                            .limit = 21500ms,
                            .longest = 2000500ms};
    const ProbeStart final_probe{.final = true, .index = 0, .count = 1, .address = "http://127.0.0.1:1/", .limit = 5s};
    const ProbeStart long_name{.index = 0, .count = 1, .address = "http://a-rather-long-host-name:8080/x", .limit = 3s};
    struct Case {
        Language language;
        ProbeStart start;
        std::chrono::milliseconds so_far;
        bool direct;
        std::size_t columns;
        std::string line;
    };
    const Case cases[] = {
        {Language::kEnglish, second, 3999ms, false, 80, "[2/4] 127.0.0.1:18082  3 s of 22 s"},
        {Language::kEnglish, second, 0ms, true, 80, "[direct 2/4] 127.0.0.1:18082  0 s of 22 s"},
        // A peer that sends slowly holds the probe past the usual limit: the longest wait shows.
        {Language::kEnglish, second, 22000ms, false, 80, "[2/4] 127.0.0.1:18082  22 s of 2001 s"},
        {Language::kEnglish, final_probe, 5000ms, false, 80, "[final 1/1] 127.0.0.1:1  5 s of 5 s"},
        {Language::kEnglish, final_probe, 0ms, true, 80, "[direct, final 1/1] 127.0.0.1:1  0 s of 5 s"},
        // Too narrow: the address gives way, then the line itself.
        {Language::kEnglish, long_name, 0ms, false, 30, "[1/1] a-rather...  0 s of 3 s"},
        {Language::kEnglish, final_probe, 0ms, false, 10, "[final 1/"},
        {Language::kChinese, second, 3000ms, false, 80, "正在测试 2/4：127.0.0.1:18082，已等 3 秒（最长 22 秒）"},
        // Chinese characters take two columns each.
        {Language::kChinese, second, 3000ms, false, 50, "正在测试 2/4：127.0.0...，已等 3 秒（最长 22 秒）"},
        {Language::kChinese, final_probe, 0ms, true, 12, "正在直连复"},
    };
    for (const Case& c : cases) {
        ScopedLanguage language(c.language);
        const std::string line = cli::ProgressText(c.start, c.so_far, c.direct, c.columns);
        EXPECT_EQ(line, c.line) << c.columns;
        EXPECT_LT(DisplayWidth(line), c.columns) << line;
    }
    EXPECT_EQ(cli::ProgressStep(second), "2/4");
    EXPECT_EQ(cli::ProgressStep(final_probe), "final check 1/1");
    ScopedLanguage chinese(Language::kChinese);
    EXPECT_EQ(cli::ProgressStep(final_probe), "复测 1/1");
}

// Standard error as a file: nothing on it, and no carriage return anywhere.
TEST(ProgressLine, NothingOfItReachesAFileOrAPipe) {
    testing::HttpOrigin origin;
    origin.SetDelay(300ms);
    testing::TempDir dir;
    testing::ChannelFile{.declaration = testing::ChannelFile::kUtf8, .servers = {{.port = origin.port()}}}.WriteInto(
        dir.path());
    for (const char* format : {"-v", "--json"}) {
        const testing::ChildRun run =
            testing::RunChild(testing::ProgramBeside("netprobe"), {"test", "--app-dir", dir.path(), format});
        EXPECT_EQ(run.exit_code, 0) << run.out << run.err;
        EXPECT_EQ(run.err, "");
        EXPECT_EQ(run.out.find('\r'), std::string::npos) << run.out;
    }
}

}  // namespace
}  // namespace netprobe
