#include "tools/report_window/report_form_win.h"

#include <algorithm>

#include "core/display_text.h"
#include "core/gbk.h"
#include "core/translate.h"
#include "core/wide_text.h"
#include "tools/check_report.h"
#include "tools/report_window/report_export_win.h"
#include "tools/report_window/report_summary.h"
#include "ui/kit/color.h"

namespace netprobe::cli {
namespace {

using namespace netprobe::ui;

// The design, at 96 DPI.
constexpr int kWidth = 720, kMargin = 16, kButtonHeight = 26, kRowHeight = 24, kMemoHeight = 220;
constexpr TColor kPassedColor = 0x00208000;  // red 0, green 128, blue 32
constexpr TColor kFailedColor = 0x000000C0;  // red 192

// A text of ours, or one that came from outside, as the kit's controls take it.
std::string Shown(const std::string& utf8) { return Utf8ToGbk(DisplayText(utf8)); }

// A flat button that hands Ctrl+C to the form: the keys go to the control with the focus.
class TCopyKeyButton : public TFlatButton {
public:
    using TFlatButton::TFlatButton;
    std::function<void()> OnCopyKeys;

protected:
    LRESULT WndProc(UINT message, WPARAM wparam, LPARAM lparam) override {
        if (message == WM_KEYDOWN && wparam == 'C' && GetKeyState(VK_CONTROL) < 0 && OnCopyKeys) {
            OnCopyKeys();
            return 0;
        }
        return TFlatButton::WndProc(message, wparam, lparam);
    }
};

// A word-wrapped label of the given width as high as its lines, at (left, top).
void PlaceWrapped(TLabel* label, int left, int top, int width) {
    label->SetBounds(left, top, width, label->Height());
    label->SetAutoSize(true);
}

}  // namespace

TReportForm::TReportForm(TComponent* owner)
    : TForm(owner), ChooseSavePath([](HWND window, const std::wstring& name) { return AskSavePath(window, name); }) {}

FormArgs TReportForm::DefaultFormArgs() const {
    FormArgs args;
    args.client_width = kWidth;
    args.client_height = 300;  // Layout sets it
    args.caption = Utf8ToGbk(Tr("netprobe - update-server test"));
    args.scaled = true;
    return args;
}

void TReportForm::CreateComponents() {
    lblHeadline = new TLabel({.parent = this, .left = kMargin, .top = 14, .width = kWidth - 2 * kMargin});
    lblHeadline->Font().SetHeight(-18);
    lblHeadline->Font().SetBold(true);
    lblHeadline->SetWordWrap(true);
    lblNextCaption = new TLabel({.parent = this, .left = kMargin, .top = 48, .caption = Shown(Tr("What to do next"))});
    lblNextCaption->Font().SetBold(true);
    lblNextStep = new TLabel({.parent = this, .left = kMargin, .top = 66, .width = kWidth - 2 * kMargin});
    lblNextStep->SetWordWrap(true);
    tblServers = new TServerTable({.parent = this, .left = kMargin, .top = 100, .width = kWidth - 2 * kMargin});
    memoReport = new TSkinMemo({.parent = this,
                                .left = kMargin,
                                .top = 200,
                                .width = kWidth - 2 * kMargin,
                                .height = kMemoHeight,
                                .visible = false,
                                .tab_stop = true});
    SendMessageA(memoReport->Handle(), EM_SETREADONLY, TRUE, 0);
    // Fixed pitch with the Chinese characters, smoothed so that small sizes keep every stroke.
    memoReport->Font().SetName("NSimSun");
    memoReport->Font().SetHeight(-12);
    memoReport->Font().SetSmoothed(true);
    memoReport->OnKeyPress = [this](TObject*, char& key) { MemoKey(key); };
    lblStatus =
        new TLabel({.parent = this, .left = kMargin, .top = 260, .width = 260, .height = 18}, TLabelSize::Fixed);
    CreateButtons();
    SetActiveControl(btnClose);
}

void TReportForm::CreateButtons() {
    auto button = [this](const char* caption, int width, std::function<void()> click) {
        auto* b = new TCopyKeyButton(
            {.parent = this, .width = width, .height = kButtonHeight, .caption = Shown(Tr(caption)), .tab_stop = true});
        b->OnClick = [click](TObject*) { click(); };
        b->OnCopyKeys = [this] { CopyReport(); };
        return b;
    };
    btnDetails = button(TrNoop("Show details"), 140, [this] { ShowDetails(!details_); });
    btnCopy = button(TrNoop("Copy report"), 112, [this] { CopyReport(); });
    btnSave = button(TrNoop("Save report..."), 112, [this] { SaveReport(); });
    btnClose = button(TrNoop("Close"), 88, [this] { Close(); });
    btnDetails->SetTabOrder(0);
    memoReport->SetTabOrder(1);
}

void TReportForm::SetReport(const ProxySummary& proxy, const CheckRun& run) {
    const ReportSummary summary = SummarizeCheck(proxy, run);
    report_ = DisplayText(cli::ReportText(proxy, run, nullptr, true), TextLayout::kKeepLinesAndTabs);
    saved_ = DisplayText(SavedReportText(proxy, run), TextLayout::kKeepLinesAndTabs);
    lblHeadline->Font().SetColor(summary.headline == Headline::kPassed ? kPassedColor : kFailedColor);
    lblHeadline->SetCaption(Shown(HeadlineText(summary.headline)));
    lblNextStep->SetCaption(Shown(summary.next_step));
    tblServers->SetRows(summary.rows);
    memoReport->SetText(Utf8ToGbk(WithCrLf(report_)));
    Layout();
}

void TReportForm::ShowDetails(bool shown) {
    details_ = shown;
    btnDetails->SetCaption(Shown(shown ? Tr("Hide details") : Tr("Show details")));
    Layout();
    if (Visible()) KeepOnScreen();
}

void TReportForm::CopyReport() {
    lblStatus->SetCaption(Shown(CopyToClipboard(Handle(), report_) ? Tr("The report is on the clipboard.")
                                                                   : Tr("The clipboard is busy; try again.")));
}

void TReportForm::SaveReport() {
    const std::wstring path = ChooseSavePath(Handle(), TodaysReportName());
    if (path.empty()) return;
    const DWORD error = SaveTextFile(path, saved_);
    const std::wstring name = path.substr(path.find_last_of(L"\\/") + 1);
    lblStatus->SetCaption(Shown(error ? TrFormat("The report could not be saved (error %s).", error)
                                      : TrFormat("Saved as %s.", WideToUtf8(name))));
}

void TReportForm::KeyDown(WORD& key, TShiftState shift) {
    if (key == 'C' && (shift & ssCtrl)) {
        key = 0;
        CopyReport();
    }
}

// Enter closes the window, as it does on the buttons; Ctrl+C without a selection copies the
// whole report (with one, the memo copies what is selected).
void TReportForm::MemoKey(char& key) {
    if (key == '\r') {
        key = 0;
        Close();
        return;
    }
    if (key != 3) return;
    DWORD start = 0, end = 0;
    SendMessageA(memoReport->Handle(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    if (start != end) return;
    key = 0;
    CopyReport();
}

void TReportForm::Layout() {
    const int margin = Scaled(kMargin), width = ClientWidth() - 2 * margin;
    int y = LayoutBody(Scaled(14), width);
    btnDetails->SetBounds(margin, y, btnDetails->Width(), Scaled(kButtonHeight));
    y += Scaled(kButtonHeight + 8);
    memoReport->SetVisible(details_);
    if (details_) {
        memoReport->SetBounds(margin, y, width, Scaled(kMemoHeight));
        y += Scaled(kMemoHeight + 12);
    } else {
        y += Scaled(4);
    }
    LayoutButtons(y);
    SetClientSize(Scaled(kWidth), y + Scaled(kButtonHeight + 14));
}

// The headline, the next step and the table from `top` down; returns where the next row begins.
int TReportForm::LayoutBody(int top, int width) {
    const int margin = Scaled(kMargin);
    PlaceWrapped(lblHeadline, margin, top, width);
    int y = top + lblHeadline->Height() + Scaled(10);
    const bool next = !lblNextStep->Caption().empty();
    lblNextCaption->SetVisible(next);
    lblNextStep->SetVisible(next);
    if (next) {
        lblNextCaption->SetBounds(margin, y, lblNextCaption->Width(), lblNextCaption->Height());
        y += lblNextCaption->Height() + Scaled(2);
        PlaceWrapped(lblNextStep, margin, y, width);
        y += lblNextStep->Height() + Scaled(12);
    }
    tblServers->SetRowHeight(Scaled(kRowHeight));
    tblServers->SetBounds(margin, y, width, tblServers->HeightFor(tblServers->Rows().size()));
    return y + tblServers->Height() + Scaled(12);
}

// Copy, Save and Close on the right; the status line on the left of them.
void TReportForm::LayoutButtons(int top) {
    const int height = Scaled(kButtonHeight), gap = Scaled(8);
    int right = ClientWidth() - Scaled(kMargin);
    for (TFlatButton* button : {btnClose, btnSave, btnCopy}) {
        button->SetBounds(right - button->Width(), top, button->Width(), height);
        right -= button->Width() + gap;
    }
    const int line = lblStatus->Height();
    lblStatus->SetBounds(Scaled(kMargin), top + (height - line) / 2, right - Scaled(kMargin), line);
}

// A window that grew with its details moves up as far as the bottom of its screen's work area
// asks, never above its top.
void TReportForm::KeepOnScreen() {
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    if (!GetMonitorInfoW(MonitorFromWindow(Handle(), MONITOR_DEFAULTTONEAREST), &monitor)) return;
    RECT window;
    GetWindowRect(Handle(), &window);
    const int overflow = window.bottom - monitor.rcWork.bottom;
    if (overflow <= 0) return;
    const int top = std::max<int>(monitor.rcWork.top, window.top - overflow);
    SetWindowPos(Handle(), nullptr, window.left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace netprobe::cli
