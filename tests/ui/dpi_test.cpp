// The dialogs at the screen's resolution: the base dialog, the input dialog and the wait
// window scale their layout and fonts from their 96 DPI design, the extended dialog keeps its
// pixels. ctest runs this once more with the Wine prefix at 144 DPI (ui.DialogsAt144Dpi), where
// NETPROBE_EXPECT_DPI says which resolution the run must see.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdlib>
#include <functional>
#include <memory>
#include <string>

#include "core/texts.h"
#include "tests/support/fake_host.h"
#include "tests/ui/ui_test_support.h"
#include "ui/f_CustomDlgEx.h"
#include "ui/f_InputForm.h"
#include "ui/f_Status.h"

namespace netprobe::ui {
namespace {

using testing::FakeHost;

// The height of a line of text in a control's font.
int LineHeight(TWinControl& control) {
    MemoryDC dc;
    SelectObjectScope font(dc.get(), control.Font().Handle());
    TEXTMETRICA metrics{};
    GetTextMetricsA(dc.get(), &metrics);
    return metrics.tmHeight;
}

TEST(Dpi, FormsFollowTheScreenExceptTheExtendedDialog) {
    SetProcessDPIAware();
    FakeHost host;
    ScopedHost scoped(host);
    const int ppi = ScreenPixelsPerInch();
    if (const char* expected = std::getenv("NETPROBE_EXPECT_DPI")) {
        ASSERT_EQ(ppi, std::atoi(expected));
    }
    auto at = [ppi](int length) { return MulDiv(length, ppi, 96); };
    struct Case {
        const char* name;
        std::function<TForm*()> create;
        int width, height;  // the client area expected
        int font_height;    // the form's font after the skin (9 points)
    };
    const Case cases[] = {
        {"base", [] { return CreateForm<Tfrm_CustomDlg>(); }, at(491), at(312), -at(12)},
        {"input", [] { return CreateForm<Tfrm_Input>(); }, at(329), at(186), -at(12)},
        {"status", [] { return CreateForm<Tfrm_Status>(); }, at(278), at(73), -at(11)},
        {"extended", [] { return CreateForm<Tfrm_CustomDlgEx>(); }, 491, 312, -12},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::unique_ptr<TForm> form(c.create());
        EXPECT_EQ(form->ClientWidth(), c.width);
        EXPECT_EQ(form->ClientHeight(), c.height);
        EXPECT_EQ(form->Font().Height(), c.font_height);
    }

    // The text still fits: the title on its bar, the value in its box, the captions on the
    // buttons, the wait text's line in its label.
    std::unique_ptr<Tfrm_Input> input(CreateForm<Tfrm_Input>());
    EXPECT_LE(input->lbBusinessName->Top() + input->lbBusinessName->Height(), input->pnlTop->Height());
    EXPECT_GE(input->editInput->ClientHeight(), LineHeight(*input->editInput));
    EXPECT_EQ(input->editInput->Height(), at(18));
    for (TFlatButton* button : {input->sBtnConfirm, input->sBtnClose}) {
        EXPECT_EQ(button->Width(), at(67));
        EXPECT_GE(button->Height(), LineHeight(*button));
    }
    std::unique_ptr<Tfrm_Status> status(CreateForm<Tfrm_Status>());
    EXPECT_GE(status->lblStatus->Height(), LineHeight(*status->lblStatus));
    EXPECT_EQ(status->Panel1->Width(), at(275));

    // The wait window's strip: its frames scaled, centred in the panel below the text; its
    // shadow as deep as the scale makes it (its rounded top-right end begins `depth` rows down).
    status->ShowProgress(true);
    const TVexoAnimator& strip = *status->Animator;
    EXPECT_EQ(strip.Width(), at(94));
    EXPECT_EQ(strip.Height(), at(7));
    EXPECT_LE(std::abs(2 * strip.Left() + strip.Width() - status->Panel1->Width()), 1);
    EXPECT_EQ(strip.Top(), at(48));
    testing::Capture shadow(status->ClientWidth(), status->ClientHeight());
    shadow.Fill(RGB(255, 255, 255));
    status->PaintTo(shadow.dc());
    const int right = status->Panel1->Width();
    EXPECT_EQ(shadow.Pixel(right, at(6) - 1), RGB(255, 255, 255));
    EXPECT_NE(shadow.Pixel(right, at(6)), RGB(255, 255, 255));

    // A picture of the scaled single-line dialog, for people to look at.
    const char* dir = std::getenv("NETPROBE_SCREENSHOT_DIR");
    if (!dir || !*dir || ppi == 96) return;
    input->Value = "proxy.example.com";
    input->SetCaptions("netprobe", texts::InputDialogTitle());
    input->Show();
    testing::PumpUntil([] { return false; }, 5);
    testing::Capture capture(input->ClientWidth(), input->ClientHeight());
    testing::RenderClientTree(input->Handle(), capture);
    CreateDirectoryA(dir, nullptr);
    EXPECT_TRUE(capture.SaveBmp(std::string(dir) + "/input_single_" + std::to_string(ppi) + "dpi.bmp"));
}

}  // namespace
}  // namespace netprobe::ui
