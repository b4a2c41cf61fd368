#pragma once
// Messages from the module to the host's main frame window.
#include <windows.h>

#include <cstdint>
#include <string>

namespace netprobe::ui {

inline constexpr UINT MSG_FRAME_F1 = WM_USER + 272;      // 1296: the user asked for help
inline constexpr UINT MSG_SKIN_CHANGED = WM_USER + 279;  // 1303: the host changed its skin

inline constexpr const char* kMainFrameClass = "Tfrm_MainFrame";

// The host's main frame: the handle the host gives, else the window of class
// "Tfrm_MainFrame"; nullptr when there is none.
HWND FindMainFrame();

// Sends the message with both parameters 0 and waits for it to be handled; nothing when no
// main frame is found.
void SendToMainFrame(std::uint32_t message);

// Sends the code and the zero-terminated GBK text by WM_COPYDATA (byte count: length + 1);
// nothing when no main frame is found.
void SendTextToMainFrame(std::uint32_t code, const std::string& text);

}  // namespace netprobe::ui
