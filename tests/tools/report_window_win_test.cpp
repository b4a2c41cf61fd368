// The report that a double-clicked netprobe.exe shows: a real test's report in the kit's
// window at the screen's resolution (ctest runs the layout once more at 144 DPI), its keys, its
// copy and save, and pictures of it in both languages for people to look at.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <memory>
#include <nlohmann/json.hpp>
#include <vector>

#include "core/language.h"
#include "core/texts.h"
#include "core/wide_text.h"
#include "tests/support/channel_file.h"
#include "tests/support/child_process.h"
#include "tests/support/env_var.h"
#include "tests/support/installation.h"
#include "tests/support/loopback/http_origin.h"
#include "tests/support/loopback/unused_port.h"
#include "tests/support/scoped_language.h"
#include "tests/support/temp_dir.h"
#include "tests/ui/ui_test_support.h"
#include "tools/check_run.h"
#include "tools/proxy_summary.h"
#include "tools/report_window/double_click.h"
#include "tools/report_window/report_form_win.h"
#include "tools/report_window/wait_steps_win.h"
#include "ui/f_Status.h"

namespace netprobe {
namespace {

using testing::ScopedLanguage;

std::string ClipboardText() {
    std::string text;
    if (!OpenClipboard(nullptr)) return text;
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        if (const auto* wide = static_cast<const wchar_t*>(GlobalLock(data))) {
            text = WideToUtf8(wide);
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return text;
}

// A real check against two servers on loopback: one answering with `status`, one where
// nothing listens.
struct RealCheck {
    explicit RealCheck(int status) {
        origin.SetStatus(status);
        testing::ChannelFile{.declaration = testing::ChannelFile::kUtf8,
                             .name = "u",
                             .servers = {{.port = testing::UnusedLoopbackPort()}, {.port = origin.port()}}}
            .WriteInto(dir.path());
        testing::ScopedEnv app_dir("NETPROBE_APP_DIR", dir.path());
        testing::ScopedEnv user_config("NETPROBE_USER_CONFIG",
                                       dir.Write("u.ini", "[NetWork]\r\nProxyEnable=0\r\nProxyMode=socket5\r\n"));
        proxy = cli::ReadProxySummary();
        run = cli::RunCheck();
    }
    testing::HttpOrigin origin;
    testing::TempDir dir;
    cli::ProxySummary proxy;
    cli::CheckRun run;
};

std::unique_ptr<cli::TReportForm> ShownReport(const RealCheck& check, bool details) {
    std::unique_ptr<cli::TReportForm> form(ui::CreateForm<cli::TReportForm>());
    form->SetReport(check.proxy, check.run);
    form->ShowDetails(details);
    form->Show();
    testing::PumpUntil([] { return false; }, 5);
    return form;
}

bool Overlap(const RECT& a, const RECT& b) {
    RECT both;
    return IntersectRect(&both, &a, &b) != 0;
}

// Every control that should show does, inside the client area, and none lies over another.
void ExpectLaidOut(cli::TReportForm& form, bool next_step) {
    const std::vector<std::pair<const char*, ui::TWinControl*>> controls = {
        {"headline", form.lblHeadline},  {"next caption", form.lblNextCaption},
        {"next step", form.lblNextStep}, {"table", form.tblServers},
        {"details", form.btnDetails},    {"memo", form.memoReport},
        {"status", form.lblStatus},      {"copy", form.btnCopy},
        {"save", form.btnSave},          {"close", form.btnClose}};
    std::vector<std::pair<const char*, RECT>> shown;
    for (const auto& [name, control] : controls) {
        SCOPED_TRACE(name);
        const bool expected = (control != form.lblNextCaption && control != form.lblNextStep) || next_step;
        const bool memo = control == form.memoReport;
        EXPECT_EQ(control->Visible(), memo ? form.DetailsShown() : expected);
        if (!control->Visible()) continue;
        const RECT rect = testing::ChildRect(control->Handle());
        EXPECT_GE(rect.left, 0);
        EXPECT_GE(rect.top, 0);
        EXPECT_LE(rect.right, form.ClientWidth());
        EXPECT_LE(rect.bottom, form.ClientHeight());
        EXPECT_GT(rect.bottom - rect.top, 0);
        for (const auto& [other, other_rect] : shown) EXPECT_FALSE(Overlap(rect, other_rect)) << "and " << other;
        shown.emplace_back(name, rect);
    }
}

TEST(ReportWindow, LayoutAtTheScreensResolution) {
    SetProcessDPIAware();
    const int ppi = ui::ScreenPixelsPerInch();
    if (const char* expected = std::getenv("NETPROBE_EXPECT_DPI")) {
        ASSERT_EQ(ppi, std::atoi(expected));
    }
    const RealCheck failed(404), passed(200);
    ASSERT_FALSE(failed.run.passed);
    ASSERT_TRUE(passed.run.passed);
    struct Case {
        const char* name;
        const RealCheck& check;
        Language language;
        bool details;
    };
    const Case cases[] = {
        {"failed", failed, Language::kEnglish, false},
        {"failed, details", failed, Language::kEnglish, true},
        {"passed", passed, Language::kEnglish, false},
        {"Chinese, failed, details", failed, Language::kChinese, true},
        {"Chinese, passed", passed, Language::kChinese, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const ScopedLanguage language(c.language);
        auto form = ShownReport(c.check, c.details);
        EXPECT_EQ(form->ClientWidth(), MulDiv(720, ppi, 96));
        EXPECT_EQ(form->tblServers->Rows().size(), c.check.run.probes.size());
        ExpectLaidOut(*form, !c.check.run.passed);
        // The marks lie in their rows, as large as the scale makes them.
        const RECT mark = form->tblServers->MarkRect(0);
        EXPECT_GE(mark.bottom - mark.top, MulDiv(12, ppi, 96));
    }
}

TEST(ReportWindow, DetailsKeysCopyAndSave) {
    const RealCheck check(404);
    auto form = ShownReport(check, false);
    const int closed_height = form->ClientHeight();
    form->btnDetails->Click();
    EXPECT_TRUE(form->memoReport->Visible());
    EXPECT_GT(form->ClientHeight(), closed_height);
    EXPECT_NE(form->memoReport->Text().find("cause:  connection-refused"), std::string::npos);
    form->btnDetails->Click();
    EXPECT_FALSE(form->memoReport->Visible());
    EXPECT_EQ(form->ClientHeight(), closed_height);

    // Ctrl+C on a button: the report itself, each line ending in CR LF as the memo shows it.
    OpenClipboard(nullptr);
    EmptyClipboard();
    CloseClipboard();
    {
        testing::HeldKeys ctrl({VK_CONTROL});
        form->btnSave->SetFocus();
        PostMessageW(form->btnSave->Handle(), WM_KEYDOWN, 'C', 1);
        testing::PumpUntil([] { return !ClipboardText().empty(); }, 50);
    }
    std::string copied = ClipboardText();
    EXPECT_EQ(std::ranges::count(copied, '\r'), std::ranges::count(copied, '\n'));
    std::erase(copied, '\r');
    EXPECT_EQ(copied, form->ReportText());

    // Save report: UTF-8 with its mark, the report, then the JSON, to the path chosen.
    const testing::TempDir out;
    const std::wstring path = Utf8ToWide(out.path() + "报告.txt");
    std::wstring offered;
    form->ChooseSavePath = [&](HWND, const std::wstring& suggested) {
        offered = suggested;
        return path;
    };
    form->btnSave->Click();
    EXPECT_TRUE(WideToUtf8(offered).starts_with("netprobe-report-20")) << WideToUtf8(offered);
    std::ifstream file(path.c_str(), std::ios::binary);
    const std::string saved{std::istreambuf_iterator<char>(file), {}};
    ASSERT_TRUE(saved.starts_with("\xEF\xBB\xBF")) << saved;
    EXPECT_NE(saved.find("verdict:  FAILED\r\n"), std::string::npos) << saved;
    const std::size_t json = saved.rfind("\r\n{");
    ASSERT_NE(json, std::string::npos) << saved;
    const auto parsed = nlohmann::json::parse(saved.substr(json + 2), nullptr, false);
    ASSERT_FALSE(parsed.is_discarded()) << saved;
    EXPECT_EQ(parsed["passed"], false);
}

TEST(ReportWindow, EnterAndEscapeClose) {
    const RealCheck check(200);
    struct Case {
        const char* name;
        WPARAM key;
        bool details;  // the memo has the focus
    };
    for (const Case& c : {Case{"Enter on Close", VK_RETURN, false}, Case{"Escape", VK_ESCAPE, false},
                          Case{"Enter in the memo", VK_RETURN, true}}) {
        SCOPED_TRACE(c.name);
        auto form = ShownReport(check, c.details);
        ui::TWinControl* focus = c.details ? static_cast<ui::TWinControl*>(form->memoReport) : form->btnClose;
        focus->SetFocus();
        PostMessageW(focus->Handle(), WM_KEYDOWN, c.key, 1);
        PostMessageW(focus->Handle(), WM_KEYUP, c.key, 0xC0000001);
        EXPECT_TRUE(testing::PumpUntil([&] { return !form->Visible(); }, 50));
    }
}

// Pictures for people to look at: both languages, passed and failed, the details open once.
TEST(ReportWindow, Screenshots) {
    const char* shots = std::getenv("NETPROBE_SCREENSHOT_DIR");
    if (!shots) GTEST_SKIP() << "NETPROBE_SCREENSHOT_DIR is not set";
    CreateDirectoryA(shots, nullptr);
    struct Case {
        const char* file;
        int status;
        Language language;
        bool details;
    };
    const Case cases[] = {
        {"report_zh_failed", 404, Language::kChinese, true},
        {"report_zh_passed", 200, Language::kChinese, false},
        {"report_en_failed", 404, Language::kEnglish, false},
        {"report_en_passed", 200, Language::kEnglish, false},
    };
    for (const Case& c : cases) {
        // The check runs in the language too: its details are written as the probes end.
        const ScopedLanguage language(c.language);
        const RealCheck check(c.status);
        auto form = ShownReport(check, c.details);
        // The end of the report: the verdict and the module's own message in Chinese.
        SendMessageW(form->memoReport->Handle(), WM_VSCROLL, SB_BOTTOM, 0);
        testing::Capture capture(form->ClientWidth(), form->ClientHeight());
        testing::RenderClientTree(form->Handle(), capture);
        EXPECT_TRUE(capture.SaveBmp(std::string(shots) + "/" + c.file + ".bmp"));
    }
}

// The text of the first child window of the given class.
std::string ChildText(HWND parent, const wchar_t* class_name) {
    HWND child = FindWindowExW(parent, nullptr, class_name, nullptr);
    if (!child) return {};
    std::wstring text(static_cast<std::size_t>(SendMessageW(child, WM_GETTEXTLENGTH, 0, 0)) + 1, L'\0');
    text.resize(
        static_cast<std::size_t>(SendMessageW(child, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()))));
    return WideToUtf8(text);
}

// An installation with one server and no proxy, where the tool finds it while the object lives.
struct OneServerInstallation : testing::Installation {
    explicit OneServerInstallation(std::uint16_t port) : Installation("[NetWork]\r\nProxyEnable=0\r\n") {
        Write({.declaration = testing::ChannelFile::kUtf8, .name = "u", .servers = {{.port = port}}});
    }
};

// The wait window of a double-clicked tool: the step of the probe under its text, the final
// probe last.
TEST(ReportWindow, WaitWindowShowsTheStepOfEachProbe) {
    testing::HttpOrigin origin;
    const OneServerInstallation installation(origin.port());
    const std::string testing_text = texts::UpdateServerTesting();
    ui::ShowStatus(testing_text);
    ASSERT_NE(ui::StatusWindow(), nullptr);
    cli::WaitWindowSteps steps;
    steps.OnProbeStart({.index = 1, .count = 4, .address = "http://127.0.0.1:1/", .limit = {}});
    EXPECT_EQ(ui::StatusWindow()->lblStatus->Caption(), testing_text + "\n2/4");
    testing::PumpUntil([] { return false; }, 5);
    if (const char* shots = std::getenv("NETPROBE_SCREENSHOT_DIR")) {
        ui::Tfrm_Status& window = *ui::StatusWindow();
        testing::Capture capture(window.ClientWidth(), window.ClientHeight());
        testing::RenderClientTree(window.Handle(), capture);
        CreateDirectoryA(shots, nullptr);
        EXPECT_TRUE(capture.SaveBmp(std::string(shots) + "/wait_window_step.bmp"));
    }
    cli::RunCheck({}, &steps);
    EXPECT_EQ(ui::StatusWindow()->lblStatus->Caption(), testing_text + "\nfinal check 1/1");
    ui::HideStatus();
}

// netprobe.exe on a console of its own and without arguments, as Explorer starts it: the
// report window comes up with the test's report, and closing it ends the program.
TEST(ReportWindow, ADoubleClickedToolShowsTheReport) {
    // Started by a test runner, the program's output has a reader: no window.
    EXPECT_FALSE(cli::OwnsItsConsole());
    testing::HttpOrigin origin;
    const OneServerInstallation installation(origin.port());
    std::wstring line = Utf8ToWide("\"" + testing::ProgramBeside("netprobe") + "\"");
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    ASSERT_TRUE(CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, CREATE_NEW_CONSOLE, nullptr, nullptr,
                               &startup, &process));
    HWND report = nullptr;
    testing::PumpUntil(
        [&] {
            // The window exists before its report is in; it is shown once it is.
            report = FindWindowW(nullptr, L"netprobe - update-server test");
            return report != nullptr && IsWindowVisible(report);
        },
        1500);
    ASSERT_NE(report, nullptr);
    const std::string text = ChildText(report, L"Edit");
    EXPECT_NE(text.find("cause:  passed - HTTP 200"), std::string::npos) << text;
    EXPECT_NE(text.find("verdict:  PASSED"), std::string::npos) << text;
    PostMessageW(report, WM_CLOSE, 0, 0);
    EXPECT_EQ(WaitForSingleObject(process.hProcess, 20000), WAIT_OBJECT_0);
    DWORD code = 1;
    GetExitCodeProcess(process.hProcess, &code);
    EXPECT_EQ(code, 0u);
    if (code == STILL_ACTIVE) TerminateProcess(process.hProcess, 1);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    EXPECT_EQ(origin.requests().size(), 1u);
}

}  // namespace
}  // namespace netprobe
