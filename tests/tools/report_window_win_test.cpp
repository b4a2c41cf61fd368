// The report that a double-clicked netprobe.exe shows: a real test's report in the kit's
// dialog, its copy button, and a picture of it for people to look at.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdlib>
#include <memory>

#include "tests/support/env_var.h"
#include "tests/support/loopback/http_origin.h"
#include "tests/support/loopback/unused_port.h"
#include "tests/support/temp_dir.h"
#include "tests/ui/ui_test_support.h"
#include "tools/console/utf16.h"
#include "tools/proxy_summary.h"
#include "tools/report_window/double_click.h"
#include "tools/report_window/report_form_win.h"
#include "tools/test_report.h"
#include "tools/test_run.h"

namespace netprobe {
namespace {

std::string ClipboardText() {
    std::string text;
    if (!OpenClipboard(nullptr)) return text;
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        if (const auto* wide = static_cast<const wchar_t*>(GlobalLock(data))) {
            text = console::WideToUtf8(wide);
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return text;
}

std::string WithCrLf(const std::string& text) {
    std::string out;
    for (char c : text) {
        if (c == '\n') out += '\r';
        out += c;
    }
    return out;
}

TEST(ReportWindow, ShowsARealReportAndCopiesIt) {
    // Started by a test runner, the program's output has a reader: no window.
    EXPECT_FALSE(cli::OwnsItsConsole());

    testing::HttpOrigin origin;
    origin.SetStatus(404);
    testing::TempDir dir;
    const auto server = [](const std::string& port) {
        return "<SERVER><SERVERIP>127.0.0.1</SERVERIP><PORT>" + port +
               "</PORT><SERVERACTION>check</SERVERACTION></SERVER>";
    };
    dir.Write("MainCommunication.ncc",
              "<?xml version=\"1.0\" encoding=\"UTF-8\"?><CONFIG><COMMUNICATIONS><UPDATE><NAME>u</NAME><SERVERS>" +
                  server(std::to_string(origin.port())) + server(std::to_string(testing::UnusedLoopbackPort())) +
                  "</SERVERS><TIMEOUT>2000</TIMEOUT></UPDATE></COMMUNICATIONS></CONFIG>");
    testing::ScopedEnv app_dir("NETPROBE_APP_DIR", dir.path());
    testing::ScopedEnv user_config("NETPROBE_USER_CONFIG",
                                   dir.Write("u.ini", "[NetWork]\r\nProxyEnable=0\r\nProxyMode=socket5\r\n"));
    const cli::ProxySummary proxy = cli::ReadProxySummary();
    const cli::TestRun run = cli::RunRecordedTest();
    const std::string report = cli::ReportText(proxy, run, nullptr, true);

    std::unique_ptr<cli::TReportForm> form(ui::CreateForm<cli::TReportForm>());
    form->SetReport(run.passed, "FAILED - 更新服务器通讯测试失败！", report);
    form->Show();
    testing::PumpUntil([] { return false; }, 5);
    EXPECT_NE(form->memoReport->Text().find("cause:  connection-refused"), std::string::npos);

    form->btnCopy->Click();
    EXPECT_EQ(ClipboardText(), WithCrLf(report));

    testing::Capture capture(form->ClientWidth(), form->ClientHeight());
    testing::RenderClientTree(form->Handle(), capture);
    if (const char* shots = std::getenv("NETPROBE_SCREENSHOT_DIR")) {
        CreateDirectoryA(shots, nullptr);
        EXPECT_TRUE(capture.SaveBmp(std::string(shots) + "/report_dialog.bmp"));
    }
}

}  // namespace
}  // namespace netprobe
