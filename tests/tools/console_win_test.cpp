// What the tools show on a Windows console: their text reaches the console as UTF-16, so
// Chinese reads back whole whatever the console's output code page, and arguments in Chinese
// come through. Redirected output is UTF-8 (cli_test.cpp checks its bytes).
#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <string>
#include <vector>

#include "core/wide_text.h"
#include "tests/support/channel_file.h"
#include "tests/support/child_process.h"
#include "tests/support/child_process_win.h"
#include "tests/support/loopback/unused_port.h"
#include "tests/support/temp_dir.h"

namespace netprobe {
namespace {

namespace fs = std::filesystem;

// A console of this process's own, and a screen buffer on it that children inherit as their
// standard output and error. Under Wine a process started without a console has a hidden
// one that makes no screen buffers, so the old console is left first.
class ScreenBuffer {
public:
    ScreenBuffer() {
        FreeConsole();
        AllocConsole();
        SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
        buffer_ = CreateConsoleScreenBuffer(GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit,
                                            CONSOLE_TEXTMODE_BUFFER, nullptr);
    }
    ~ScreenBuffer() {
        if (ok()) CloseHandle(buffer_);
        FreeConsole();
    }
    ScreenBuffer(const ScreenBuffer&) = delete;
    ScreenBuffer& operator=(const ScreenBuffer&) = delete;

    bool ok() const { return buffer_ != INVALID_HANDLE_VALUE && buffer_ != nullptr; }
    HANDLE get() const { return buffer_; }

    void Clear() const {
        const CONSOLE_SCREEN_BUFFER_INFO info = Info();
        DWORD written = 0;
        FillConsoleOutputCharacterW(buffer_, L' ', Cells(info), COORD{0, 0}, &written);
        SetConsoleCursorPosition(buffer_, COORD{0, 0});
    }

    // Every cell's character, row after row.
    std::wstring Text() const {
        const CONSOLE_SCREEN_BUFFER_INFO info = Info();
        std::wstring text(Cells(info), L' ');
        DWORD read = 0;
        ReadConsoleOutputCharacterW(buffer_, text.data(), static_cast<DWORD>(text.size()), COORD{0, 0}, &read);
        text.resize(read);
        return text;
    }

private:
    CONSOLE_SCREEN_BUFFER_INFO Info() const {
        CONSOLE_SCREEN_BUFFER_INFO info{};
        GetConsoleScreenBufferInfo(buffer_, &info);
        return info;
    }
    static DWORD Cells(const CONSOLE_SCREEN_BUFFER_INFO& info) {
        return static_cast<DWORD>(info.dwSize.X) * static_cast<DWORD>(info.dwSize.Y);
    }
    HANDLE buffer_;
};

testing::ChannelFile Ncc(std::uint16_t port) {
    return {.declaration = testing::ChannelFile::kUtf8, .name = "更新通道", .servers = {{.port = port}}};
}

TEST(Console, ChineseReadsBackFromTheScreenInCodePages936And65001) {
    ScreenBuffer screen;
    ASSERT_TRUE(screen.ok()) << "no console screen buffer (error " << GetLastError() << ")";
    testing::TempDir dir;
    Ncc(testing::UnusedLoopbackPort()).WriteInto(dir.path());
    const std::string missing = dir.path() + "缺少的配置.ini";
    struct Case {
        const char* program;
        std::vector<std::string> args;
        std::string shown;  // UTF-8
    };
    const Case cases[] = {
        {"netprobe", {"test", "--app-dir", dir.path()}, "verdict:  FAILED\n"},
        {"netprobe", {"test", "--app-dir", dir.path()}, "message:  更新服务器通讯测试失败！"},
        {"netprobe", {"test", "--lang", "zh", "--app-dir", dir.path()}, "结论：    失败\n"},
        {"netprobe", {"show-config", "--app-dir", dir.path()}, "channel  更新通道"},
        {"netprobe", {"test", "--user-config", missing}, "no such file: " + missing},
        {"hostsim", {"--run", "--exit", "--dll", dir.path() + "缺少\\netprobe.dll"}, "缺少\\netprobe.dll"},
    };
    for (const UINT code_page : {936u, 65001u}) {
        ASSERT_TRUE(SetConsoleOutputCP(code_page));
        for (const Case& c : cases) {
            screen.Clear();
            const int code = testing::RunWithHandles(testing::CommandLine(testing::ProgramBeside(c.program), c.args),
                                                     nullptr, screen.get(), screen.get());
            EXPECT_NE(code, -1) << c.program;
            std::wstring shown = Utf8ToWide(c.shown);
            // A line end shows as the rest of the row.
            if (shown.ends_with(L'\n')) shown.back() = L' ';
            EXPECT_NE(screen.Text().find(shown), std::wstring::npos)
                << "code page " << code_page << ", " << c.program << " " << c.args.front() << ": "
                << WideToUtf8(screen.Text().substr(0, 400));
        }
    }
}

TEST(Console, HostsimWritesUtf8WhenRedirected) {
    testing::TempDir dir;
    const std::string module = dir.path() + "缺少\\netprobe.dll";
    const testing::ChildRun run =
        testing::RunChild(testing::ProgramBeside("hostsim"), {"--run", "--exit", "--dll", module});
    EXPECT_EQ(run.exit_code, 3);
    EXPECT_EQ(run.err.rfind("hostsim: cannot load " + module + " (error ", 0), 0u) << run.err;
    EXPECT_TRUE(run.err.ends_with(")\n")) << run.err;
}

}  // namespace
}  // namespace netprobe
