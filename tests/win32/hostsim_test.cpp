// hostsim, the stand-in host: its command line, and a whole run as a separate process that
// loads netprobe.dll, probes a loopback origin from its window's thread and reports.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "tests/support/child_process.h"
#include "tests/support/installation.h"
#include "tests/support/loopback/http_origin.h"
#include "tools/hostsim/hostsim_options.h"

namespace netprobe {
namespace {

using hostsim::Options;
using hostsim::ParseOptions;

TEST(HostsimOptions, SwitchesAndValues) {
    std::string error;
    std::optional<Options> none = ParseOptions({}, error);
    ASSERT_TRUE(none);
    EXPECT_FALSE(none->run);
    EXPECT_FALSE(none->exit);

    std::optional<Options> all =
        ParseOptions({"--run", "--exit", "--linger", "250", "--dll", "C:\\a b\\netprobe.dll"}, error);
    ASSERT_TRUE(all) << error;
    EXPECT_TRUE(all->run);
    EXPECT_TRUE(all->exit);
    EXPECT_EQ(all->linger_ms, 250);
    EXPECT_EQ(all->module_path, "C:\\a b\\netprobe.dll");
    EXPECT_FALSE(all->input);

    std::optional<Options> dialogs = ParseOptions({"--dialog", "--input"}, error);
    ASSERT_TRUE(dialogs) << error;
    EXPECT_TRUE(dialogs->dialog);
    EXPECT_TRUE(dialogs->input);
    EXPECT_FALSE(dialogs->run);
}

TEST(HostsimOptions, RejectsWhatItCannotHonour) {
    for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{{"--exit"},
                                                                                      {"--run", "--linger"},
                                                                                      {"--run", "--linger", "-5"},
                                                                                      {"--run", "--linger", "5ms"},
                                                                                      {"--dll"},
                                                                                      {"--verbose"},
                                                                                      {"run"}}) {
        std::string error;
        EXPECT_FALSE(ParseOptions(args, error)) << args.front();
        EXPECT_FALSE(error.empty());
    }
}

struct HostsimRun {
    int exit_code;
    std::string output;  // standard output, then standard error
};

// Runs hostsim.exe (copied beside this test, with netprobe.dll) and collects its output.
HostsimRun RunHostsim(const std::vector<std::string>& args) {
    testing::ChildRun run = testing::RunChild(testing::ProgramBeside("hostsim"), args);
    return {run.exit_code, run.out + run.err};
}

TEST(Hostsim, RunsTheModuleAndReportsTheVerdict) {
    testing::HttpOrigin origin;
    testing::Installation installation("[NetWork]\r\nProxyEnable=0\r\n");
    installation.Write({.declaration = testing::ChannelFile::kUtf8, .servers = {{.port = origin.port()}}});

    HostsimRun passed = RunHostsim({"--run", "--exit"});
    EXPECT_EQ(passed.exit_code, 0) << passed.output;
    EXPECT_NE(passed.output.find("verdict passed"), std::string::npos) << passed.output;
    // The probe ran between ShowStatus and HideStatus.
    const size_t shown = passed.output.find("wait window shown (ShowStatus)");
    const size_t hidden = passed.output.find("wait window hidden (HideStatus)");
    ASSERT_NE(shown, std::string::npos) << passed.output;
    ASSERT_NE(hidden, std::string::npos) << passed.output;
    EXPECT_LT(shown, hidden);
    EXPECT_EQ(origin.requests().size(), 1u);

    origin.SetStatus(503);
    HostsimRun failed = RunHostsim({"--run", "--exit"});
    EXPECT_EQ(failed.exit_code, 1) << failed.output;
    EXPECT_NE(failed.output.find("verdict failed"), std::string::npos) << failed.output;
}

TEST(Hostsim, MissingModuleAndBadUsageAreReported) {
    HostsimRun missing = RunHostsim({"--run", "--exit", "--dll", "nowhere\\netprobe.dll"});
    EXPECT_EQ(missing.exit_code, 3) << missing.output;
    EXPECT_NE(missing.output.find("cannot load"), std::string::npos) << missing.output;
    EXPECT_EQ(RunHostsim({"--exit"}).exit_code, 2);
}

}  // namespace
}  // namespace netprobe
