// hostsim, the stand-in host: its command line, and a whole run as a separate process that
// loads netprobe.dll, probes a loopback origin from its window's thread and reports.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "env_var.h"
#include "hostsim_options.h"
#include "http_origin.h"
#include "temp_dir.h"

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

    std::optional<Options> all = ParseOptions({"--run", "--exit", "--linger", "250", "--dll", "C:\\a b\\netprobe.dll"}, error);
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
    for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
             {"--exit"}, {"--run", "--linger"}, {"--run", "--linger", "-5"}, {"--run", "--linger", "5ms"},
             {"--dll"}, {"--verbose"}, {"run"}}) {
        std::string error;
        EXPECT_FALSE(ParseOptions(args, error)) << args.front();
        EXPECT_FALSE(error.empty());
    }
}

// Handles closed with the object.
class Handle {
public:
    explicit Handle(HANDLE h = nullptr) : h_(h) {}
    ~Handle() { Close(); }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    HANDLE* out() { return &h_; }
    HANDLE get() const { return h_; }
    void Close() {
        if (h_) CloseHandle(h_);
        h_ = nullptr;
    }

private:
    HANDLE h_;
};

struct HostsimRun {
    DWORD exit_code = 0;
    std::string output;
};

// Runs hostsim.exe (copied beside this test, with netprobe.dll) and collects its output.
HostsimRun RunHostsim(const std::string& args) {
    char exe[MAX_PATH * 4];
    DWORD length = GetModuleFileNameA(nullptr, exe, sizeof exe);
    std::string dir(exe, length);
    dir.resize(dir.find_last_of('\\') + 1);
    std::string command = "\"" + dir + "hostsim.exe\" " + args;

    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    Handle read_end, write_end;
    HostsimRun run;
    if (!CreatePipe(read_end.out(), write_end.out(), &inherit, 0)) return run;
    SetHandleInformation(read_end.get(), HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = write_end.get();
    startup.hStdError = write_end.get();
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &process)) {
        run.exit_code = 9999;
        return run;
    }
    Handle process_handle(process.hProcess), thread_handle(process.hThread);
    write_end.Close();
    char buffer[512];
    DWORD got = 0;
    while (ReadFile(read_end.get(), buffer, sizeof buffer, &got, nullptr) && got > 0) run.output.append(buffer, got);
    WaitForSingleObject(process_handle.get(), INFINITE);
    GetExitCodeProcess(process_handle.get(), &run.exit_code);
    return run;
}

TEST(Hostsim, RunsTheModuleAndReportsTheVerdict) {
    testing::HttpOrigin origin;
    testing::TempDir dir;
    dir.Write("MainCommunication.ncc",
              "<?xml version=\"1.0\" encoding=\"UTF-8\"?><CONFIG><COMMUNICATIONS><UPDATE><NAME>up</NAME><SERVERS>"
              "<SERVER><SERVERIP>127.0.0.1</SERVERIP><PORT>" + std::to_string(origin.port()) +
              "</PORT><SERVERACTION>check</SERVERACTION></SERVER></SERVERS><TIMEOUT>2000</TIMEOUT>"
              "</UPDATE></COMMUNICATIONS></CONFIG>");
    testing::ScopedEnv app_dir("NETPROBE_APP_DIR", dir.path());
    testing::ScopedEnv user_config("NETPROBE_USER_CONFIG", dir.Write("UserConfig.ini", "[NetWork]\r\nProxyEnable=0\r\n"));

    HostsimRun passed = RunHostsim("--run --exit");
    EXPECT_EQ(passed.exit_code, 0u) << passed.output;
    EXPECT_NE(passed.output.find("verdict passed"), std::string::npos) << passed.output;
    // The probe ran between ShowStatus and HideStatus.
    const size_t shown = passed.output.find("wait window shown (ShowStatus)");
    const size_t hidden = passed.output.find("wait window hidden (HideStatus)");
    ASSERT_NE(shown, std::string::npos) << passed.output;
    ASSERT_NE(hidden, std::string::npos) << passed.output;
    EXPECT_LT(shown, hidden);
    EXPECT_EQ(origin.requests().size(), 1u);

    origin.SetStatus(503);
    HostsimRun failed = RunHostsim("--run --exit");
    EXPECT_EQ(failed.exit_code, 1u) << failed.output;
    EXPECT_NE(failed.output.find("verdict failed"), std::string::npos) << failed.output;
}

TEST(Hostsim, MissingModuleAndBadUsageAreReported) {
    HostsimRun missing = RunHostsim("--run --exit --dll nowhere\\netprobe.dll");
    EXPECT_EQ(missing.exit_code, 3u) << missing.output;
    EXPECT_NE(missing.output.find("cannot load"), std::string::npos) << missing.output;
    EXPECT_EQ(RunHostsim("--exit").exit_code, 2u);
}

}  // namespace
}  // namespace netprobe
