// netprobe.dll tells a debugger why each probe ended: this test is the debugger of a hostsim
// run and reads the module's debug output back.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "comm/password_encoder.h"
#include "tests/support/channel_file.h"
#include "tests/support/child_process.h"
#include "tests/support/child_process_win.h"
#include "tests/support/env_var.h"
#include "tests/support/loopback/http_origin.h"
#include "tests/support/loopback/unused_port.h"
#include "tests/support/temp_dir.h"

namespace netprobe {
namespace {

struct Debuggee {
    std::vector<std::string> lines;  // the debug output, one string per call
    DWORD exit_code = 0;
    bool ended = false;
};

std::string ReadDebugString(HANDLE process, const OUTPUT_DEBUG_STRING_INFO& info) {
    const std::size_t unit = info.fUnicode ? 2 : 1;
    std::string bytes(info.nDebugStringLength * unit, '\0');
    SIZE_T read = 0;
    if (!ReadProcessMemory(process, info.lpDebugStringData, bytes.data(), bytes.size(), &read)) return {};
    if (!info.fUnicode) return bytes.substr(0, bytes.find('\0'));
    std::string narrow;  // the lines are ASCII but for the address
    for (std::size_t i = 0; i + 1 < read; i += 2) {
        if (bytes[i] == 0 && bytes[i + 1] == 0) break;
        narrow += bytes[i + 1] == 0 ? bytes[i] : '?';
    }
    return narrow;
}

// Runs the program under this process as its debugger, for at most 60 s.
Debuggee RunDebugged(const std::string& program, const std::vector<std::string>& args) {
    Debuggee result;
    std::wstring line = testing::CommandLine(program, args);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, DEBUG_ONLY_THIS_PROCESS, nullptr, nullptr,
                        &startup, &process)) {
        return result;
    }
    const ULONGLONG deadline = GetTickCount64() + 60000;
    while (!result.ended && GetTickCount64() < deadline) {
        DEBUG_EVENT event{};
        if (!WaitForDebugEvent(&event, 1000)) continue;
        DWORD status = DBG_CONTINUE;
        switch (event.dwDebugEventCode) {
            case OUTPUT_DEBUG_STRING_EVENT:
                result.lines.push_back(ReadDebugString(process.hProcess, event.u.DebugString));
                break;
            case CREATE_PROCESS_DEBUG_EVENT:
                if (event.u.CreateProcessInfo.hFile) CloseHandle(event.u.CreateProcessInfo.hFile);
                break;
            case LOAD_DLL_DEBUG_EVENT:
                if (event.u.LoadDll.hFile) CloseHandle(event.u.LoadDll.hFile);
                break;
            case EXCEPTION_DEBUG_EVENT:
                if (event.u.Exception.ExceptionRecord.ExceptionCode != EXCEPTION_BREAKPOINT) {
                    status = DBG_EXCEPTION_NOT_HANDLED;
                }
                break;
            case EXIT_PROCESS_DEBUG_EVENT:
                result.exit_code = event.u.ExitProcess.dwExitCode;
                result.ended = true;
                break;
            default:
                break;
        }
        ContinueDebugEvent(event.dwProcessId, event.dwThreadId, status);
    }
    if (!result.ended) TerminateProcess(process.hProcess, 1);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return result;
}

std::vector<std::string> ProbeLines(const Debuggee& run) {
    std::vector<std::string> probes;
    for (const std::string& line : run.lines) {
        if (line.starts_with("netprobe: ")) probes.push_back(line);
    }
    return probes;
}

TEST(DebugOutput, EachProbeWritesItsCauseAndNeverThePassword) {
    testing::HttpOrigin origin;
    origin.SetStatus(404);
    testing::TempDir dir;
    const std::uint16_t closed_port = testing::UnusedLoopbackPort();
    const std::string closed = std::to_string(closed_port);
    const auto ncc = [&](std::vector<testing::ChannelServer> servers) {
        testing::ChannelFile{.declaration = testing::ChannelFile::kUtf8, .name = "u", .servers = std::move(servers)}
            .WriteInto(dir.path());
    };
    testing::ScopedEnv app_dir("NETPROBE_APP_DIR", dir.path());
    const std::string password = "Sekr1tPw", stored = EncodeStoredPassword(password);

    // Two servers: a selection probe each, then the final probe of server 0.
    ncc({{.port = origin.port()}, {.port = closed_port}});
    testing::ScopedEnv direct("NETPROBE_USER_CONFIG", dir.Write("direct.ini", "[NetWork]\r\nProxyEnable=0\r\n"));
    const Debuggee run = RunDebugged(testing::ProgramBeside("hostsim"), {"--run", "--exit"});
    ASSERT_TRUE(run.ended);
    EXPECT_EQ(run.exit_code, 1u);  // the host's verdict, as before: failed
    const std::vector<std::string> lines = ProbeLines(run);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_NE(lines[0].find("selection probe, server 0 http://127.0.0.1:" + std::to_string(origin.port()) +
                            "/check: http-status: HTTP 404"),
              std::string::npos)
        << lines[0];
    EXPECT_NE(lines[1].find("selection probe, server 1 http://127.0.0.1:" + closed + "/check: connection-refused"),
              std::string::npos)
        << lines[1];
    EXPECT_NE(lines[2].find("final probe, server 0"), std::string::npos) << lines[2];

    // Through an HTTP proxy that nobody runs, with a stored password.
    ncc({{.port = origin.port()}});
    testing::ScopedEnv proxied(
        "NETPROBE_USER_CONFIG",
        dir.Write("proxy.ini", "[NetWork]\r\nProxyEnable=1\r\nProxyServer=127.0.0.1\r\nProxyPort=" + closed +
                                   "\r\nProxyAuthor=1\r\nProxyUser=probe\r\nProxyPassword=" + stored + "\r\n"));
    const Debuggee via_proxy = RunDebugged(testing::ProgramBeside("hostsim"), {"--run", "--exit"});
    const std::vector<std::string> proxy_lines = ProbeLines(via_proxy);
    ASSERT_EQ(proxy_lines.size(), 1u);
    EXPECT_NE(proxy_lines[0].find("proxy-refused-connection"), std::string::npos) << proxy_lines[0];
    for (const std::string& line : via_proxy.lines) {
        EXPECT_EQ(line.find(password), std::string::npos) << line;
        EXPECT_EQ(line.find(stored.substr(3)), std::string::npos) << line;
    }

    // A redirect whose target carries an OSC title, BEL, a C1 CSI and a byte that is no UTF-8:
    // the debug output shows them escaped.
    origin.SetStatus(302);
    origin.SetLocation(
        "http://127.0.0.1/\x1b]0;owned\x07\xc2\x9b"
        "31m\xff/x");
    testing::ScopedEnv redirected("NETPROBE_USER_CONFIG", dir.path() + "direct.ini");
    const std::vector<std::string> hostile =
        ProbeLines(RunDebugged(testing::ProgramBeside("hostsim"), {"--run", "--exit"}));
    ASSERT_EQ(hostile.size(), 1u);
    EXPECT_NE(hostile[0].find("HTTP 302 to http://127.0.0.1/\\x1B]0;owned\\x07"), std::string::npos) << hostile[0];
    EXPECT_EQ(hostile[0].find('\x1b'), std::string::npos) << hostile[0];
}

}  // namespace
}  // namespace netprobe
