// The Windows pieces of the default host: the module's own folder, the per-user
// configuration path and the event processing that keeps the host's window alive.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "core/platform.h"
#include "tests/support/env_var.h"

namespace netprobe {
namespace {

std::string ExecutableDirectory() {
    char path[MAX_PATH * 4];
    DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
    std::string file(path, length);
    return file.substr(0, file.find_last_of('\\') + 1);
}

TEST(PlatformWin, ModuleDirectoryIsTheFolderOfTheBinaryWithSeparator) {
    // The code is linked into the test executable here; in the product it is netprobe.dll.
    EXPECT_EQ(platform::ModuleDirectory(), ExecutableDirectory());
}

TEST(PlatformWin, PerUserConfigurationLivesUnderAppData) {
    testing::ScopedEnv app_data("APPDATA", "C:\\Users\\tester\\AppData\\Roaming");
    EXPECT_EQ(platform::PerUserConfigPath(), "C:\\Users\\tester\\AppData\\Roaming\\netprobe\\UserConfig.ini");
}

TEST(PlatformWin, GetEnvReadsWhatTheProcessSet) {
    testing::ScopedEnv value("NETPROBE_TEST_VALUE", "\xD6\xD0\xCE\xC4 text");
    EXPECT_EQ(platform::GetEnv("NETPROBE_TEST_VALUE"), "\xD6\xD0\xCE\xC4 text");
    value.Set(std::nullopt);
    EXPECT_EQ(platform::GetEnv("NETPROBE_TEST_VALUE"), "");
}

// A message-only window that counts what reaches its window procedure.
class CountingWindow {
public:
    CountingWindow() {
        WNDCLASSA wc{};
        wc.lpfnWndProc = &CountingWindow::Proc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "NetprobeCountingWindow";
        RegisterClassA(&wc);
        hwnd_ = CreateWindowA(wc.lpszClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance, nullptr);
    }
    ~CountingWindow() {
        if (hwnd_) DestroyWindow(hwnd_);
    }
    CountingWindow(const CountingWindow&) = delete;
    CountingWindow& operator=(const CountingWindow&) = delete;

    HWND hwnd() const { return hwnd_; }
    static inline int received = 0;

private:
    static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
        if (msg == WM_APP + 7) {
            ++received;
            return 0;
        }
        return DefWindowProcA(hwnd, msg, wp, lp);
    }
    HWND hwnd_ = nullptr;
};

TEST(PlatformWin, ProcessPendingEventsDispatchesQueuedMessages) {
    CountingWindow window;
    ASSERT_NE(window.hwnd(), nullptr);
    CountingWindow::received = 0;
    for (int i = 0; i < 3; ++i) PostMessageA(window.hwnd(), WM_APP + 7, 0, 0);
    platform::ProcessPendingEvents();
    EXPECT_EQ(CountingWindow::received, 3);
    MSG msg;
    EXPECT_FALSE(PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE));
}

TEST(PlatformWin, QuitRequestIsLeftForTheHostLoop) {
    CountingWindow window;
    CountingWindow::received = 0;
    PostQuitMessage(3);
    PostMessageA(window.hwnd(), WM_APP + 7, 0, 0);
    platform::ProcessPendingEvents();
    EXPECT_EQ(CountingWindow::received, 1);
    MSG msg;
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 3u);
}

}  // namespace
}  // namespace netprobe
