#include "ui/main_frame_messages.h"

#include <cstring>
#include <vector>

#include "core/HostFrameLib.h"
#include "ui/kit/application.h"

namespace netprobe::ui {

HWND FindMainFrame() {
    if (HostHandle handle = Host().GetMainFrameHandle()) return reinterpret_cast<HWND>(handle);
    return FindWindowA(kMainFrameClass, nullptr);
}

void SendToMainFrame(std::uint32_t message) {
    if (HWND target = FindMainFrame()) SendMessageA(target, message, 0, 0);
}

void SendTextToMainFrame(std::uint32_t code, const std::string& text) {
    // The text with its terminating zero; the vector frees it on every path.
    std::vector<char> buffer(text.size() + 1);
    std::memcpy(buffer.data(), text.c_str(), text.size() + 1);
    COPYDATASTRUCT data{};
    data.dwData = code;
    data.cbData = static_cast<DWORD>(buffer.size());
    data.lpData = buffer.data();
    if (HWND target = FindMainFrame())
        SendMessageA(target, WM_COPYDATA, reinterpret_cast<WPARAM>(Application().Handle()),
                     reinterpret_cast<LPARAM>(&data));
}

}  // namespace netprobe::ui
