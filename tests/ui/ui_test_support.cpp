#include "tests/ui/ui_test_support.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <vector>

#include "ui/kit/window.h"

namespace netprobe::testing {

RECT ChildRect(HWND child) {
    RECT rect;
    GetWindowRect(child, &rect);
    MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

void ExpectBounds(HWND child, int left, int top, int width, int height) {
    RECT r = ChildRect(child);
    EXPECT_EQ(r.left, left);
    EXPECT_EQ(r.top, top);
    EXPECT_EQ(r.right - r.left, width);
    EXPECT_EQ(r.bottom - r.top, height);
}

void ExpectBounds(const ui::TWinControl& control, int left, int top, int width, int height) {
    ExpectBounds(control.Handle(), left, top, width, height);
}

SIZE TextExtent(const std::string& face, int height, int charset, const std::string& text) {
    HDC screen = GetDC(nullptr);
    HFONT font =
        CreateFontA(height, 0, 0, 0, FW_NORMAL, 0, 0, 0, static_cast<DWORD>(charset), 0, 0, 0, 0, face.c_str());
    HGDIOBJ old = SelectObject(screen, font);
    SIZE size{};
    GetTextExtentPoint32A(screen, text.data(), static_cast<int>(text.size()), &size);
    SelectObject(screen, old);
    DeleteObject(font);
    ReleaseDC(nullptr, screen);
    return size;
}

RECT ScreenRect() {
    MONITORINFO info{};
    info.cbSize = sizeof info;
    GetMonitorInfoA(MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY), &info);
    return info.rcMonitor;
}

RECT DesktopRect() {
    RECT rect{};
    GetWindowRect(GetDesktopWindow(), &rect);
    return rect;
}

COLORREF ScreenPixel(HWND window, int x, int y) {
    RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    PumpMessages();
    RECT rect{};
    GetWindowRect(window, &rect);
    HDC screen = GetDC(nullptr);
    const COLORREF pixel = GetPixel(screen, rect.left + x, rect.top + y);
    ReleaseDC(nullptr, screen);
    return pixel;
}

void CaptureScreen(HWND window, Capture& capture) {
    RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    PumpMessages();
    POINT origin{0, 0};
    ClientToScreen(window, &origin);
    HDC screen = GetDC(nullptr);
    BitBlt(capture.dc(), 0, 0, capture.width(), capture.height(), screen, origin.x, origin.y, SRCCOPY);
    ReleaseDC(nullptr, screen);
}

void PumpMessages() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

bool PumpUntil(const std::function<bool()>& condition, int rounds) {
    for (int i = 0; i < rounds; ++i) {
        PumpMessages();
        if (condition()) return true;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    }
    PumpMessages();
    return condition();
}

RecordingWindow::RecordingWindow(const char* class_name) : class_name_(class_name) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = Proc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = class_name;
    RegisterClassA(&wc);
    window_ = CreateWindowExA(0, class_name, "", WS_OVERLAPPED, 0, 0, 100, 100, nullptr, nullptr,
                              GetModuleHandleA(nullptr), this);
}

RecordingWindow::~RecordingWindow() {
    if (window_) DestroyWindow(window_);
    UnregisterClassA(class_name_.c_str(), GetModuleHandleA(nullptr));
}

int RecordingWindow::Count(UINT message) const {
    int count = 0;
    for (const auto& m : received_) count += m.message == message ? 1 : 0;
    return count;
}

LRESULT CALLBACK RecordingWindow::Proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_NCCREATE) {
        auto* self = static_cast<RecordingWindow*>(reinterpret_cast<CREATESTRUCTA*>(lparam)->lpCreateParams);
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<RecordingWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (self && (message == WM_COPYDATA || message >= WM_USER)) {
        ReceivedMessage m{message, wparam, lparam};
        if (message == WM_COPYDATA) {
            const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lparam);
            m.copy_code = data->dwData;
            m.copy_bytes = data->cbData;
            m.copy_data.assign(static_cast<const char*>(data->lpData), data->cbData);
        }
        self->received_.push_back(m);
        return message == WM_COPYDATA ? TRUE : 0;
    }
    return DefWindowProcA(window, message, wparam, lparam);
}

HeldKeys::HeldKeys(std::initializer_list<int> keys) {
    GetKeyboardState(saved_);
    BYTE state[256];
    memcpy(state, saved_, sizeof state);
    for (int key : keys) state[key] = 0x80;
    SetKeyboardState(state);
}

HeldKeys::~HeldKeys() { SetKeyboardState(saved_); }

SystemColors::SystemColors(std::initializer_list<std::pair<int, COLORREF>> colors) {
    for (const auto& [index, color] : colors) saved_.emplace_back(index, GetSysColor(index));
    Set({colors.begin(), colors.end()});
}

SystemColors::~SystemColors() { Set(saved_); }

void SystemColors::Set(const std::vector<std::pair<int, COLORREF>>& colors) {
    std::vector<INT> indexes;
    std::vector<COLORREF> values;
    for (const auto& [index, color] : colors) {
        indexes.push_back(index);
        values.push_back(color);
    }
    SetSysColors(static_cast<int>(indexes.size()), indexes.data(), values.data());
}

Capture::Capture(int width, int height) : width_(width), height_(height) {
    dc_ = CreateCompatibleDC(nullptr);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    bits_ = static_cast<std::uint32_t*>(bits);
    original_ = SelectObject(dc_, bitmap_);
}

Capture::~Capture() {
    SelectObject(dc_, original_);
    DeleteObject(bitmap_);
    DeleteDC(dc_);
}

COLORREF Capture::Pixel(int x, int y) const {
    GdiFlush();
    const std::uint32_t v = bits_[static_cast<size_t>(y) * static_cast<size_t>(width_) + static_cast<size_t>(x)];
    return RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
}

void Capture::Fill(COLORREF color) {
    HBRUSH brush = CreateSolidBrush(color);
    RECT rect{0, 0, width_, height_};
    FillRect(dc_, &rect, brush);
    DeleteObject(brush);
}

bool Capture::SaveBmp(const std::string& path) const {
    GdiFlush();
    const DWORD image = static_cast<DWORD>(width_ * height_ * 4);
    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER);
    file.bfSize = file.bfOffBits + image;
    BITMAPINFOHEADER info{};
    info.biSize = sizeof info;
    info.biWidth = width_;
    info.biHeight = -height_;
    info.biPlanes = 1;
    info.biBitCount = 32;
    info.biCompression = BI_RGB;
    // No alpha: pixels copied from a window carry some, and viewers would take the rest as
    // transparent.
    const size_t count = static_cast<size_t>(width_) * static_cast<size_t>(height_);
    std::vector<std::uint32_t> pixels(bits_, bits_ + count);
    for (std::uint32_t& p : pixels) p &= 0x00FFFFFF;
    FILE* out = std::fopen(path.c_str(), "wb");
    if (!out) return false;
    bool ok = std::fwrite(&file, sizeof file, 1, out) == 1 && std::fwrite(&info, sizeof info, 1, out) == 1 &&
              std::fwrite(pixels.data(), image, 1, out) == 1;
    ok = std::fclose(out) == 0 && ok;
    return ok;
}

namespace {

// A frame drawn outside the client area (a skinned edit's border) as the window shows it:
// WM_PRINTCLIENT does not reach it.
void CopyFrame(HWND window, HDC dc, POINT client_offset) {
    RECT rect;
    GetWindowRect(window, &rect);
    POINT client{0, 0};
    ClientToScreen(window, &client);
    RECT inside;
    GetClientRect(window, &inside);
    const int width = rect.right - rect.left, height = rect.bottom - rect.top;
    if (inside.right == width && inside.bottom == height) return;  // no frame
    const int saved = SaveDC(dc);
    SetViewportOrgEx(dc, 0, 0, nullptr);  // offsets are the capture's; the parent's clip stays
    HDC frame = GetWindowDC(window);
    BitBlt(dc, client_offset.x - (client.x - rect.left), client_offset.y - (client.y - rect.top), width, height, frame,
           0, 0, SRCCOPY);
    ReleaseDC(window, frame);
    RestoreDC(dc, saved);
}

void RenderAt(HWND window, HDC dc, POINT offset, bool child) {
    RECT client;
    GetClientRect(window, &client);
    if (child) CopyFrame(window, dc, offset);
    const int saved = SaveDC(dc);
    SetViewportOrgEx(dc, offset.x, offset.y, nullptr);
    IntersectClipRect(dc, 0, 0, client.right, client.bottom);
    SendMessageA(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT | PRF_ERASEBKGND);
    // Children from the bottom of the stack up, so the topmost is painted last.
    std::vector<HWND> children;
    for (HWND c = GetWindow(window, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) children.push_back(c);
    for (auto it = children.rbegin(); it != children.rend(); ++it) {
        if (!(GetWindowLongA(*it, GWL_STYLE) & WS_VISIBLE)) continue;
        POINT at{0, 0};
        MapWindowPoints(*it, window, &at, 1);
        RenderAt(*it, dc, POINT{offset.x + at.x, offset.y + at.y}, true);
    }
    RestoreDC(dc, saved);
}

}  // namespace

void RenderClientTree(HWND window, Capture& capture) { RenderAt(window, capture.dc(), POINT{0, 0}, false); }

}  // namespace netprobe::testing
