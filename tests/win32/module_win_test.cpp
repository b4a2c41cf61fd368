// netprobe.dll as the host loads it: LoadLibrary, the one exported function looked up by its
// plain name and called as stdcall, the default host reading the installation directory and
// the user configuration from the environment or from the DLL's own folder.
#include <gtest/gtest.h>

#include <windows.h>

#include <atomic>
#include <filesystem>
#include <string>
#include <thread>

#include "tests/support/installation.h"
#include "tests/support/loopback/http_origin.h"
#include "tests/support/loopback/unused_port.h"
#include "tests/support/temp_dir.h"

namespace netprobe {
namespace {

using testing::HttpOrigin;
using testing::TempDir;
using namespace std::chrono_literals;

using TestUpdateServerFn = bool(__stdcall*)();

std::string ExecutableDirectory() {
    char path[MAX_PATH * 4];
    DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
    std::string file(path, length);
    return file.substr(0, file.find_last_of('\\') + 1);
}

// The build copies netprobe.dll next to this test.
std::string BuiltModule() { return ExecutableDirectory() + "netprobe.dll"; }

class LoadedModule {
public:
    explicit LoadedModule(const std::string& path) : module_(LoadLibraryA(path.c_str())) {}
    ~LoadedModule() {
        if (module_) FreeLibrary(module_);
    }
    LoadedModule(const LoadedModule&) = delete;
    LoadedModule& operator=(const LoadedModule&) = delete;

    HMODULE handle() const { return module_; }
    TestUpdateServerFn TestUpdateServer() const {
        return reinterpret_cast<TestUpdateServerFn>(
            reinterpret_cast<void*>(GetProcAddress(module_, "TestUpdateServer")));
    }

private:
    HMODULE module_;
};

// A GBK-declared configuration with one server (the channel name is 升级).
testing::ChannelFile Configuration(std::uint16_t port, int timeout = 2000) {
    return {.declaration = testing::ChannelFile::kGbk,
            .name = "\xC9\xFD\xBC\xB6",
            .servers = {{.port = port}},
            .timeout = std::to_string(timeout),
            .end = "\r\n"};
}

class ModuleTest : public ::testing::Test {
protected:
    testing::Installation installation{"[NetWork]\r\nProxyEnable=0\r\n"};
};

TEST_F(ModuleTest, ExportedFunctionProbesTheConfiguredServer) {
    HttpOrigin origin;
    installation.Write(Configuration(origin.port()));
    LoadedModule module(BuiltModule());
    ASSERT_NE(module.handle(), nullptr) << GetLastError();
    TestUpdateServerFn test = module.TestUpdateServer();
    ASSERT_NE(test, nullptr);
    EXPECT_EQ(GetProcAddress(module.handle(), "_TestUpdateServer@0"), nullptr);  // no decorated name

    EXPECT_TRUE(test());
    ASSERT_EQ(origin.requests().size(), 1u);
    EXPECT_EQ(origin.requests()[0].method, "HEAD");
    EXPECT_EQ(origin.requests()[0].target, "/check");

    origin.SetStatus(404);
    EXPECT_FALSE(test());
    EXPECT_EQ(origin.requests().size(), 2u);
}

TEST_F(ModuleTest, FailsWithoutConfigurationOrReachableServer) {
    LoadedModule module(BuiltModule());
    TestUpdateServerFn test = module.TestUpdateServer();
    ASSERT_NE(test, nullptr);
    EXPECT_FALSE(test());  // no MainCommunication.ncc
    installation.Write(Configuration(testing::UnusedLoopbackPort()));
    EXPECT_FALSE(test());
    installation.dir.Write("MainCommunication.ncc", "<CONFIG><COMMUNICATIONS>");
    EXPECT_FALSE(test());
}

TEST_F(ModuleTest, ProxySettingsOfTheUserConfigurationAreUsed) {
    HttpOrigin origin;
    installation.Write(Configuration(origin.port()));
    // An enabled HTTP proxy that is not there: the probe must go through it and fail.
    installation.user_config.Set(
        installation.dir.Write("Proxy.ini",
                               "[NetWork]\r\nProxyEnable=1\r\nProxyMode=0\r\nProxyServer=127.0.0.1\r\n"
                               "ProxyPort=" +
                                   std::to_string(testing::UnusedLoopbackPort()) + "\r\n"));
    LoadedModule module(BuiltModule());
    TestUpdateServerFn test = module.TestUpdateServer();
    ASSERT_NE(test, nullptr);
    EXPECT_FALSE(test());
    EXPECT_EQ(origin.requests().size(), 0u);
}

TEST_F(ModuleTest, WithoutAppDirTheDllFolderIsTheInstallation) {
    // A copy of the module in a folder of its own, beside its configuration; the test
    // executable's folder holds none.
    HttpOrigin origin;
    TempDir install;
    std::filesystem::copy_file(BuiltModule(), install.path() + "netprobe.dll");
    Configuration(origin.port()).WriteInto(install.path());
    installation.app_dir.Set(std::nullopt);
    {
        LoadedModule module(install.path() + "netprobe.dll");
        ASSERT_NE(module.handle(), nullptr) << GetLastError();
        TestUpdateServerFn test = module.TestUpdateServer();
        ASSERT_NE(test, nullptr);
        EXPECT_TRUE(test());
    }
    EXPECT_EQ(origin.requests().size(), 1u);
}

// The module installed in a directory whose name holds Chinese characters (GBK, the system
// code page): it finds its configuration there.
TEST_F(ModuleTest, InstallationDirectoryWithChineseCharacters) {
    HttpOrigin origin;
    const std::string install = installation.dir.MakeDir("税务");
    ASSERT_TRUE(CopyFileA(BuiltModule().c_str(), (install + "netprobe.dll").c_str(), FALSE));
    Configuration(origin.port()).WriteInto(install);
    installation.app_dir.Set(std::nullopt);
    {
        LoadedModule module(install + "netprobe.dll");
        ASSERT_NE(module.handle(), nullptr) << GetLastError();
        TestUpdateServerFn test = module.TestUpdateServer();
        ASSERT_NE(test, nullptr);
        EXPECT_TRUE(test());
    }
    EXPECT_EQ(origin.requests().size(), 1u);
}

// A window of the "host" that counts the messages it is sent while the module waits.
class HostWindow {
public:
    HostWindow() {
        WNDCLASSA wc{};
        wc.lpfnWndProc = &HostWindow::Proc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "NetprobeTestHostWindow";
        RegisterClassA(&wc);
        hwnd_ = CreateWindowA(wc.lpszClassName, "", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr, nullptr, wc.hInstance,
                              nullptr);
    }
    ~HostWindow() {
        if (hwnd_) DestroyWindow(hwnd_);
    }
    HostWindow(const HostWindow&) = delete;
    HostWindow& operator=(const HostWindow&) = delete;
    HWND hwnd() const { return hwnd_; }

    static inline std::atomic<bool> in_call{false};
    static inline int handled_in_call = 0, handled_outside = 0;

private:
    static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
        if (msg == WM_APP + 1) {
            ++(in_call ? handled_in_call : handled_outside);
            return 0;
        }
        return DefWindowProcA(hwnd, msg, wp, lp);
    }
    HWND hwnd_ = nullptr;
};

TEST_F(ModuleTest, HostWindowIsServedWhileTheProbeWaits) {
    HttpOrigin origin;
    origin.SetNeverAnswer();
    installation.Write(Configuration(origin.port(), 2000));
    HostWindow window;
    ASSERT_NE(window.hwnd(), nullptr);
    LoadedModule module(BuiltModule());
    TestUpdateServerFn test = module.TestUpdateServer();
    ASSERT_NE(test, nullptr);

    // Once the request is at the origin the module is inside its wait: post to the window.
    std::thread poster([&] {
        if (origin.WaitForRequests(1, 10s)) PostMessageA(window.hwnd(), WM_APP + 1, 0, 0);
    });
    HostWindow::in_call = true;
    bool passed = test();
    HostWindow::in_call = false;
    poster.join();
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);

    EXPECT_FALSE(passed);  // the origin never answered
    EXPECT_EQ(HostWindow::handled_in_call, 1);
    EXPECT_EQ(HostWindow::handled_outside, 0);
}

}  // namespace
}  // namespace netprobe
