// The dialog kit as a guest in the host's process, through a DLL that carries it: loaded,
// showing the wait window, freed, loaded again and freed again, it leaves no window and no
// window class behind, none of its classes is ever the host's, and a message to every
// top-level window afterwards reaches nothing of a freed image.
#include <gtest/gtest.h>

#include <windows.h>

#include <functional>
#include <string>
#include <thread>
#include <utility>
#include <vector>

namespace netprobe {
namespace {

std::string GuestPath() {
    char path[MAX_PATH * 4];
    const DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
    const std::string file(path, length);
    return file.substr(0, file.find_last_of('\\') + 1) + KIT_GUEST_DLL;
}

class Guest {
public:
    Guest() : module_(LoadLibraryA(GuestPath().c_str())) {}
    ~Guest() { Free(); }
    Guest(const Guest&) = delete;
    Guest& operator=(const Guest&) = delete;

    HMODULE module() const { return module_; }
    void Free() {
        if (module_) FreeLibrary(std::exchange(module_, nullptr));
    }
    HWND ShowWait() const { return Export<HWND (*)(const char*)>("ShowWait")("wait"); }
    void HideWait() const { Export<void (*)()>("HideWait")(); }
    HWND ApplicationWindow() const { return Export<HWND (*)()>("ApplicationWindow")(); }

private:
    template <class F>
    F Export(const char* name) const {
        return reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(module_, name)));
    }
    HMODULE module_;
};

std::string ClassOf(HWND window) {
    char name[256];
    return std::string(name, static_cast<size_t>(GetClassNameA(window, name, sizeof name)));
}

bool Registered(HINSTANCE instance, const std::string& name) {
    WNDCLASSEXA info{};
    info.cbSize = sizeof info;
    return GetClassInfoExA(instance, name.c_str(), &info) != 0;
}

// What the system sends to every top-level window when a setting changes.
void BroadcastSettingChange() {
    DWORD_PTR result = 0;
    const auto area = reinterpret_cast<LPARAM>("Environment");
    SendMessageTimeoutA(HWND_BROADCAST, WM_SETTINGCHANGE, 0, area, SMTO_ABORTIFHUNG, 5000, &result);
}

void Pump() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

// Handles this thread's messages until the condition holds or 200 waits of up to 20 ms went by.
bool PumpUntil(const std::function<bool()>& condition) {
    for (int round = 0; round < 200 && !condition(); ++round) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
        Pump();
    }
    return condition();
}

class Event {
public:
    Event() : handle_(CreateEventA(nullptr, TRUE, FALSE, nullptr)) {}
    ~Event() { CloseHandle(handle_); }
    Event(const Event&) = delete;
    Event& operator=(const Event&) = delete;
    void Set() { SetEvent(handle_); }
    void Wait() { WaitForSingleObject(handle_, INFINITE); }
    // Handles this thread's messages while waiting.
    void PumpUntilSet() {
        while (MsgWaitForMultipleObjects(1, &handle_, FALSE, INFINITE, QS_ALLINPUT) != WAIT_OBJECT_0) Pump();
    }

private:
    HANDLE handle_;
};

TEST(KitGuest, LeavesNoWindowAndNoClassWhenFreedAndLoadedAgain) {
    const HINSTANCE host = GetModuleHandleA(nullptr);
    Guest first;
    ASSERT_NE(first.module(), nullptr) << GetLastError();
    const HMODULE first_image = first.module();
    HWND wait = first.ShowWait();
    HWND application = first.ApplicationWindow();
    ASSERT_TRUE(IsWindow(wait));
    ASSERT_TRUE(IsWindow(application));
    const std::vector<std::string> classes{ClassOf(wait), ClassOf(application)};
    for (HWND window : {wait, application}) {
        EXPECT_EQ(reinterpret_cast<HMODULE>(GetClassLongPtrA(window, GCLP_HMODULE)), first_image);
        EXPECT_FALSE(Registered(host, ClassOf(window))) << ClassOf(window);
    }
    first.HideWait();
    first.Free();
    EXPECT_FALSE(IsWindow(application));
    for (const auto& name : classes) EXPECT_FALSE(Registered(first_image, name)) << name;

    // With the first image's place taken, the second lies elsewhere: a class left by the
    // first would send the new windows into freed code.
    void* taken = VirtualAlloc(first_image, 1, MEM_RESERVE, PAGE_NOACCESS);
    ASSERT_NE(taken, nullptr) << GetLastError();
    Guest second;
    ASSERT_NE(second.module(), nullptr) << GetLastError();
    const HMODULE second_image = second.module();
    EXPECT_NE(second_image, first_image);
    wait = second.ShowWait();
    application = second.ApplicationWindow();
    EXPECT_TRUE(IsWindow(wait));
    second.Free();  // with the wait window up
    VirtualFree(taken, 0, MEM_RELEASE);

    BroadcastSettingChange();
    EXPECT_FALSE(IsWindow(wait));
    EXPECT_FALSE(IsWindow(application));
    for (const auto& name : classes)
        for (HINSTANCE instance : {host, first_image, second_image}) EXPECT_FALSE(Registered(instance, name)) << name;
}

// Freed by another thread than the one that showed its windows, which cannot destroy them:
// they no longer call into the module and close on their own thread. A load at the same
// address replaces the classes that they kept registered.
TEST(KitGuest, WindowsOfAnotherThreadCloseThereWhenTheModuleIsFreed) {
    Guest guest;
    ASSERT_NE(guest.module(), nullptr) << GetLastError();
    HWND wait = nullptr, application = nullptr;
    bool closed = false;
    Event shown, freed;
    std::thread user_interface([&] {
        wait = guest.ShowWait();
        application = guest.ApplicationWindow();
        shown.Set();
        freed.PumpUntilSet();
        closed = PumpUntil([&] { return !IsWindow(wait) && !IsWindow(application); });
    });
    shown.Wait();
    guest.Free();
    BroadcastSettingChange();
    freed.Set();
    user_interface.join();
    EXPECT_NE(wait, nullptr);
    EXPECT_TRUE(closed);

    Guest again;
    ASSERT_NE(again.module(), nullptr) << GetLastError();
    const HMODULE image = again.module();
    wait = again.ShowWait();
    ASSERT_NE(wait, nullptr);
    const std::string name = ClassOf(wait);
    again.HideWait();
    again.Free();
    EXPECT_FALSE(Registered(image, name));
}

}  // namespace
}  // namespace netprobe
