// The report that a double-clicked netprobe.exe shows: a real test's report in the kit's
// dialog, its copy button, and a picture of it for people to look at.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <memory>

#include "core/texts.h"
#include "core/wide_text.h"
#include "tests/support/channel_file.h"
#include "tests/support/child_process.h"
#include "tests/support/env_var.h"
#include "tests/support/loopback/http_origin.h"
#include "tests/support/loopback/unused_port.h"
#include "tests/support/temp_dir.h"
#include "tests/ui/ui_test_support.h"
#include "tools/check_report.h"
#include "tools/check_run.h"
#include "tools/proxy_summary.h"
#include "tools/report_window/double_click.h"
#include "tools/report_window/report_form_win.h"
#include "tools/report_window/wait_steps_win.h"
#include "ui/f_Status.h"

namespace netprobe {
namespace {

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

TEST(ReportWindow, ShowsARealReportAndCopiesIt) {
    // Started by a test runner, the program's output has a reader: no window.
    EXPECT_FALSE(cli::OwnsItsConsole());

    testing::HttpOrigin origin;
    origin.SetStatus(404);
    testing::TempDir dir;
    testing::ChannelFile{.declaration = testing::ChannelFile::kUtf8,
                         .name = "u",
                         .servers = {{.port = origin.port()}, {.port = testing::UnusedLoopbackPort()}}}
        .WriteInto(dir.path());
    testing::ScopedEnv app_dir("NETPROBE_APP_DIR", dir.path());
    testing::ScopedEnv user_config("NETPROBE_USER_CONFIG",
                                   dir.Write("u.ini", "[NetWork]\r\nProxyEnable=0\r\nProxyMode=socket5\r\n"));
    const cli::ProxySummary proxy = cli::ReadProxySummary();
    const cli::CheckRun run = cli::RunCheck();
    const std::string report = cli::ReportText(proxy, run, nullptr, true);

    std::unique_ptr<cli::TReportForm> form(ui::CreateForm<cli::TReportForm>());
    form->SetReport(run.passed, "FAILED - 更新服务器通讯测试失败！", report);
    form->Show();
    testing::PumpUntil([] { return false; }, 5);
    EXPECT_NE(form->memoReport->Text().find("cause:  connection-refused"), std::string::npos);

    form->btnCopy->Click();
    // The report itself, each line ending in CR LF as the memo shows it.
    std::string copied = ClipboardText();
    EXPECT_EQ(std::ranges::count(copied, '\n'), std::ranges::count(report, '\n'));
    EXPECT_EQ(std::ranges::count(copied, '\r'), std::ranges::count(copied, '\n'));
    EXPECT_EQ(copied.find("\r\r"), std::string::npos);
    std::erase(copied, '\r');
    EXPECT_EQ(copied, report);

    testing::Capture capture(form->ClientWidth(), form->ClientHeight());
    testing::RenderClientTree(form->Handle(), capture);
    if (const char* shots = std::getenv("NETPROBE_SCREENSHOT_DIR")) {
        CreateDirectoryA(shots, nullptr);
        EXPECT_TRUE(capture.SaveBmp(std::string(shots) + "/report_dialog.bmp"));
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
class OneServerInstallation {
public:
    explicit OneServerInstallation(std::uint16_t port)
        : app_dir_("NETPROBE_APP_DIR", dir_.path()),
          user_config_("NETPROBE_USER_CONFIG", dir_.Write("u.ini", "[NetWork]\r\nProxyEnable=0\r\n")) {
        testing::ChannelFile{.declaration = testing::ChannelFile::kUtf8, .name = "u", .servers = {{.port = port}}}
            .WriteInto(dir_.path());
    }

private:
    testing::TempDir dir_;
    testing::ScopedEnv app_dir_, user_config_;
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
