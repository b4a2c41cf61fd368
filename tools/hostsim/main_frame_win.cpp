#include "tools/hostsim/main_frame.h"

#include <cstdio>

#include "core/texts.h"
#include "tools/hostsim/console_text.h"
#include "tools/hostsim/dialog_demo.h"

namespace netprobe::hostsim {
namespace {

constexpr wchar_t kClassName[] = L"Tfrm_MainFrame";
constexpr UINT kRunMessage = WM_APP + 1;
constexpr UINT kInputMessage = WM_APP + 2;
constexpr UINT_PTR kCounterTimer = 1, kLingerTimer = 2;
constexpr UINT kCounterPeriodMs = 50;
constexpr int kRunButton = 100;
constexpr int kDialogButton = 101;
constexpr int kInputButton = 102;
constexpr std::size_t kLogLines = 6;
constexpr COLORREF kTopBar = 8375432;  // the suite's green top bar

void DrawLine(HDC dc, int y, const std::wstring& text) {
    TextOutW(dc, 16, y, text.c_str(), static_cast<int>(text.size()));
}

}  // namespace

MainFrame::MainFrame(HINSTANCE instance, const LoadedModule& module, const Options& options)
    : instance_(instance), module_(module), options_(options) {}

MainFrame::~MainFrame() {
    if (hwnd_) DestroyWindow(hwnd_);
    if (font_) DeleteObject(font_);
}

bool MainFrame::Create() {
    WNDCLASSW wc{};
    wc.lpfnWndProc = &MainFrame::Proc;
    wc.hInstance = instance_;
    wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    wc.lpszClassName = kClassName;
    if (!RegisterClassW(&wc)) return false;
    CreateWindowW(kClassName, L"网络连接测试 - 模拟宿主 (hostsim)", WS_OVERLAPPEDWINDOW, 40, 40, 600, 380, nullptr,
                  nullptr, instance_, this);
    if (!hwnd_) return false;
    ShowWindow(hwnd_, SW_SHOWNORMAL);
    UpdateWindow(hwnd_);
    if (options_.dialog) OpenBaseDialog();
    if (options_.input) PostMessageW(hwnd_, kInputMessage, 0, 0);
    if (options_.run) PostMessageW(hwnd_, kRunMessage, 0, 0);
    return true;
}

LRESULT CALLBACK MainFrame::Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_NCCREATE) {
        auto* self = static_cast<MainFrame*>(reinterpret_cast<CREATESTRUCTW*>(lp)->lpCreateParams);
        self->hwnd_ = hwnd;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<MainFrame*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    return self ? self->Handle(msg, wp, lp) : DefWindowProcW(hwnd, msg, wp, lp);
}

LRESULT MainFrame::Handle(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
        case WM_CREATE:
            OnCreate();
            return 0;
        case WM_TIMER:
            OnTimer(wp);
            return 0;
        case WM_COMMAND:
            if (LOWORD(wp) == kRunButton) CallTestUpdateServer();
            if (LOWORD(wp) == kDialogButton) OpenBaseDialog();
            if (LOWORD(wp) == kInputButton) AskValue();
            return 0;
        case kRunMessage:
            CallTestUpdateServer();
            return 0;
        case kInputMessage:
            AskValue();
            return 0;
        case kModuleNotifyMessage:
            Log(L"消息 1296 wParam=" + std::to_wstring(wp) + L" lParam=" + std::to_wstring(lp));
            return 0;
        case WM_COPYDATA:
            OnCopyData(*reinterpret_cast<const COPYDATASTRUCT*>(lp));
            return TRUE;
        case WM_PAINT: {
            PAINTSTRUCT ps;
            HDC dc = BeginPaint(hwnd_, &ps);
            Paint(dc);
            EndPaint(hwnd_, &ps);
            return 0;
        }
        case WM_DESTROY:
            KillTimer(hwnd_, kCounterTimer);
            KillTimer(hwnd_, kLingerTimer);
            hwnd_ = nullptr;
            PostQuitMessage(exit_code_);
            return 0;
        default:
            return DefWindowProcW(hwnd_, msg, wp, lp);
    }
}

void MainFrame::OnCreate() {
    font_ = CreateFontW(-15, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, GB2312_CHARSET, OUT_DEFAULT_PRECIS,
                        CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, L"宋体");
    button_ = CreateWindowW(L"BUTTON", L"测试更新服务器", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 420, 60, 150, 32,
                            hwnd_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kRunButton)), instance_, nullptr);
    if (button_ && font_) SendMessageW(button_, WM_SETFONT, reinterpret_cast<WPARAM>(font_), TRUE);
    HWND dialog_button =
        CreateWindowW(L"BUTTON", L"基础对话框", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 420, 100, 150, 32, hwnd_,
                      reinterpret_cast<HMENU>(static_cast<INT_PTR>(kDialogButton)), instance_, nullptr);
    if (dialog_button && font_) SendMessageW(dialog_button, WM_SETFONT, reinterpret_cast<WPARAM>(font_), TRUE);
    HWND input_button =
        CreateWindowW(L"BUTTON", L"输入对话框", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 420, 140, 150, 32, hwnd_,
                      reinterpret_cast<HMENU>(static_cast<INT_PTR>(kInputButton)), instance_, nullptr);
    if (input_button && font_) SendMessageW(input_button, WM_SETFONT, reinterpret_cast<WPARAM>(font_), TRUE);
    SetTimer(hwnd_, kCounterTimer, kCounterPeriodMs, nullptr);
}

void MainFrame::OnTimer(UINT_PTR id) {
    if (id == kLingerTimer) {
        DestroyWindow(hwnd_);
        return;
    }
    ++counter_;
    if (state_ == State::Running) ++ticks_in_probe_;
    InvalidateRect(hwnd_, nullptr, TRUE);
}

void MainFrame::OnCopyData(const COPYDATASTRUCT& data) {
    std::string bytes(static_cast<const char*>(data.lpData), data.lpData ? data.cbData : 0);
    while (!bytes.empty() && bytes.back() == '\0') bytes.pop_back();
    Log(L"WM_COPYDATA dwData=" + std::to_wstring(data.dwData) + L" " + GbkToWide(bytes));
}

// The probe runs on this (the user-interface) thread, as in the suite, between ShowStatus and
// HideStatus; the module's wait serves this thread's messages meanwhile, so the counter keeps
// moving and the wait window's strip keeps turning (its timer is a message timer).
void MainFrame::CallTestUpdateServer() {
    if (state_ == State::Running) return;
    state_ = State::Running;
    ticks_in_probe_ = 0;
    EnableWindow(button_, FALSE);
    RedrawWindow(hwnd_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    PrintLine("hostsim: TestUpdateServer ...");
    bool passed = false;
    int strip_frames = 0;
    {
        WaitWindow wait(texts::UpdateServerTesting());
        PrintLine("hostsim: wait window shown (ShowStatus)");
        passed = module_.TestUpdateServer();
        strip_frames = wait.frames();
    }
    PrintLine("hostsim: wait window hidden (HideStatus)");
    state_ = passed ? State::Passed : State::Failed;
    exit_code_ = passed ? kExitPassed : kExitFailed;
    PrintLine(std::string("hostsim: verdict ") + (passed ? "passed" : "failed") + " (window counter advanced " +
              std::to_string(ticks_in_probe_) + " times, wait window strip " + std::to_string(strip_frames) +
              " frames during the probe)");
    EnableWindow(button_, TRUE);
    InvalidateRect(hwnd_, nullptr, TRUE);
    if (options_.exit) FinishCommandLineRun();
}

void MainFrame::AskValue() {
    const InputOutcome outcome = hostsim::AskValue("");
    Log(std::wstring(L"ShowInputDialog = ") + (outcome.confirmed ? L"True" : L"False") + L", 值: " +
        GbkToWide(outcome.value));
}

void MainFrame::FinishCommandLineRun() {
    if (options_.linger_ms > 0) {
        SetTimer(hwnd_, kLingerTimer, static_cast<UINT>(options_.linger_ms), nullptr);
    } else {
        DestroyWindow(hwnd_);
    }
}

void MainFrame::Log(const std::wstring& line) {
    PrintLine("hostsim: " + WideToUtf8(line));
    log_.push_back(line);
    while (log_.size() > kLogLines) log_.pop_front();
    if (hwnd_) InvalidateRect(hwnd_, nullptr, TRUE);
}

std::wstring MainFrame::StateText() const {
    switch (state_) {
        case State::Idle:
            return L"状态: 未测试";
        case State::Running:
            return L"状态: 正在测试更新服务器…";
        case State::Passed:
            return L"结论: 更新服务器可以连接 (TestUpdateServer = True)";
        case State::Failed:
            return L"结论: 更新服务器通讯测试失败 (TestUpdateServer = False)";
    }
    return {};
}

void MainFrame::Paint(HDC dc) {
    RECT client;
    GetClientRect(hwnd_, &client);
    RECT bar{0, 0, client.right, 44};
    HBRUSH bar_brush = CreateSolidBrush(kTopBar);
    FillRect(dc, &bar, bar_brush);
    DeleteObject(bar_brush);

    HGDIOBJ old_font = font_ ? SelectObject(dc, font_) : nullptr;
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(255, 255, 255));
    DrawLine(dc, 13, L"网络连接测试 · netprobe.dll 宿主模拟");
    SetTextColor(dc, RGB(0, 0, 0));
    DrawLine(dc, 64, L"界面计数: " + std::to_wstring(counter_) + L" (每 50 毫秒加一)");
    DrawLine(dc, 92, StateText());
    if (state_ != State::Idle) {
        DrawLine(dc, 120, L"测试期间界面计数增加: " + std::to_wstring(ticks_in_probe_));
    }
    DrawLine(dc, 160, L"模块发来的消息:");
    int y = 184;
    if (log_.empty()) DrawLine(dc, y, L"  (无)");
    for (const std::wstring& line : log_) {
        DrawLine(dc, y, L"  " + line);
        y += 22;
    }
    if (old_font) SelectObject(dc, old_font);
}

}  // namespace netprobe::hostsim
