#include "tools/report_window/report_form_win.h"

#include "core/display_text.h"
#include "core/gbk.h"
#include "core/wide_text.h"
#include "ui/kit/color.h"

namespace netprobe::cli {
namespace {

using namespace netprobe::ui;

constexpr int kWidth = 720, kHeight = 460;
constexpr TColor kPassedColor = 0x00208000;  // red 0, green 128, blue 32
constexpr TColor kFailedColor = 0x000000C0;  // red 192

// An edit control shows a line break only as CR LF.
std::string WithCrLf(const std::string& text) {
    std::string out;
    for (char c : text) {
        if (c == '\n') out += '\r';
        out += c;
    }
    return out;
}

// Owns the global memory until the clipboard takes it.
struct GlobalText {
    HGLOBAL handle = nullptr;
    ~GlobalText() {
        if (handle) GlobalFree(handle);
    }
};

}  // namespace

FormArgs TReportForm::DefaultFormArgs() const {
    FormArgs args;
    args.client_width = kWidth;
    args.client_height = kHeight;
    args.caption = "netprobe - update-server test";
    return args;
}

void TReportForm::CreateComponents() {
    lblVerdict =
        new TLabel({.parent = this, .left = 16, .top = 12, .width = kWidth - 32, .height = 28}, TLabelSize::Fixed);
    lblVerdict->Font().SetHeight(-20);
    lblVerdict->Font().SetBold(true);
    memoReport = new TSkinMemo({.parent = this, .left = 16, .top = 48, .width = kWidth - 32, .height = kHeight - 100});
    SendMessageA(memoReport->Handle(), EM_SETREADONLY, TRUE, 0);
    memoReport->Font().SetName("NSimSun");  // fixed pitch, with the Chinese characters
    memoReport->Font().SetHeight(-12);
    btnCopy = new TFlatButton({.parent = this,
                               .left = kWidth - 16 - 120 - 8 - 80,
                               .top = kHeight - 38,
                               .width = 120,
                               .height = 24,
                               .caption = "Copy report",
                               .tab_stop = true});
    btnCopy->OnClick = [this](TObject*) { CopyClick(); };
    btnClose = new TFlatButton({.parent = this,
                                .left = kWidth - 16 - 80,
                                .top = kHeight - 38,
                                .width = 80,
                                .height = 24,
                                .caption = "Close",
                                .tab_stop = true});
    btnClose->OnClick = [this](TObject*) { Close(); };
    lblCopied =
        new TLabel({.parent = this, .left = 16, .top = kHeight - 34, .width = 360, .height = 18}, TLabelSize::Fixed);
    btnCopy->SetTabOrder(0);
    btnClose->SetTabOrder(1);
    SetActiveControl(btnClose);
}

void TReportForm::SetReport(bool passed, const std::string& verdict, const std::string& report) {
    report_ = DisplayText(report, TextLayout::kKeepLinesAndTabs);
    lblVerdict->Font().SetColor(passed ? kPassedColor : kFailedColor);
    lblVerdict->SetCaption(Utf8ToGbk(DisplayText(verdict)));
    memoReport->SetText(Utf8ToGbk(WithCrLf(report_)));
}

void TReportForm::CopyClick() {
    lblCopied->SetCaption(CopyToClipboard(Handle(), report_) ? "The report is on the clipboard."
                                                             : "The clipboard is busy; try again.");
}

bool CopyToClipboard(HWND owner, const std::string& utf8) {
    const std::wstring text = Utf8ToWide(WithCrLf(utf8));
    GlobalText memory;
    memory.handle = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t));
    if (!memory.handle) return false;
    void* bytes = GlobalLock(memory.handle);
    if (!bytes) return false;
    memcpy(bytes, text.c_str(), (text.size() + 1) * sizeof(wchar_t));
    GlobalUnlock(memory.handle);
    if (!OpenClipboard(owner)) return false;
    EmptyClipboard();
    const bool placed = SetClipboardData(CF_UNICODETEXT, memory.handle) != nullptr;
    if (placed) memory.handle = nullptr;  // the clipboard owns it now
    CloseClipboard();
    return placed;
}

}  // namespace netprobe::cli
