#pragma once
// Helpers for the dialog-kit tests: a stand-in main frame that records what it receives, a
// bounded message pump, the keyboard state held for a scope, and captures of a window.
#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace netprobe::ui {
class TWinControl;
}

namespace netprobe::testing {

// A child window's rectangle in its parent's client coordinates.
RECT ChildRect(HWND child);
// Expects a child window at (left, top) of its parent with the given size.
void ExpectBounds(HWND child, int left, int top, int width, int height);
void ExpectBounds(const ui::TWinControl& control, int left, int top, int width, int height);

// The size of a one-line text in a font made here (face, pixel height, character set), as
// the display measures it: the size of a label that takes the size of its caption.
SIZE TextExtent(const std::string& face, int height, int charset, const std::string& text);

// The primary screen and the whole desktop, as the display reports them.
RECT ScreenRect();
RECT DesktopRect();

// A pixel of a window as it is on the screen, at (x, y) of its window rectangle, after the
// pending paints.
COLORREF ScreenPixel(HWND window, int x, int y);

// Handles the pending messages once.
void PumpMessages();
// Pumps until the condition holds or `rounds` passes went by (each waits up to 20 ms for a
// message); returns the condition.
bool PumpUntil(const std::function<bool()>& condition, int rounds = 200);

struct ReceivedMessage {
    UINT message;
    WPARAM wparam;
    LPARAM lparam;
    ULONG_PTR copy_code = 0;
    DWORD copy_bytes = 0;
    std::string copy_data = {};  // the bytes as sent, terminating zero included
};

// A top-level window of the given class (by default the host's main frame class) that
// records every message it gets from the module.
class RecordingWindow {
public:
    explicit RecordingWindow(const char* class_name = "Tfrm_MainFrame");
    ~RecordingWindow();
    RecordingWindow(const RecordingWindow&) = delete;
    RecordingWindow& operator=(const RecordingWindow&) = delete;

    HWND handle() const { return window_; }
    const std::vector<ReceivedMessage>& received() const { return received_; }
    int Count(UINT message) const;
    void Clear() { received_.clear(); }

private:
    static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
    std::string class_name_;
    HWND window_ = nullptr;
    std::vector<ReceivedMessage> received_;
};

// Sets the given virtual keys as held (SetKeyboardState) and restores the state after.
class HeldKeys {
public:
    explicit HeldKeys(std::initializer_list<int> keys);
    ~HeldKeys();

private:
    BYTE saved_[256];
};

// Sets system colours (SetSysColors: every top-level window is told) and puts the earlier
// ones back after.
class SystemColors {
public:
    explicit SystemColors(std::initializer_list<std::pair<int, COLORREF>> colors);
    ~SystemColors();
    SystemColors(const SystemColors&) = delete;
    SystemColors& operator=(const SystemColors&) = delete;

private:
    void Set(const std::vector<std::pair<int, COLORREF>>& colors);
    std::vector<std::pair<int, COLORREF>> saved_;
};

// The client area and children of a window rendered by the window itself (WM_PRINT),
// as 32-bit pixels.
class Capture {
public:
    Capture(int width, int height);
    ~Capture();
    Capture(const Capture&) = delete;
    Capture& operator=(const Capture&) = delete;

    HDC dc() const { return dc_; }
    int width() const { return width_; }
    int height() const { return height_; }
    COLORREF Pixel(int x, int y) const;
    void Fill(COLORREF color);
    // Writes a 32-bit top-down BMP file.
    bool SaveBmp(const std::string& path) const;

private:
    int width_, height_;
    HDC dc_;
    HBITMAP bitmap_;
    HGDIOBJ original_;
    std::uint32_t* bits_ = nullptr;
};

// A window's client area as it is on the screen now, after the pending paints.
void CaptureScreen(HWND window, Capture& capture);

// The client area of a window and of its visible children, each painted by itself
// (WM_PRINTCLIENT) in stacking order, whatever lies over the window on the screen; the
// children's frames as their windows show them.
void RenderClientTree(HWND window, Capture& capture);

}  // namespace netprobe::testing
