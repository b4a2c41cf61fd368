// The extended dialog: no top bar and no business title, also after skin changes; the mark
// text and the dotted rule of its footer, whose gaps follow the skin's background colour.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <memory>
#include <string>

#include "tests/support/fake_host.h"
#include "tests/ui/ui_test_support.h"
#include "ui/f_CustomDlgEx.h"

namespace netprobe::ui {
namespace {

using testing::Capture;
using testing::ExpectBounds;
using testing::FakeHost;

class CustomDlgExTest : public ::testing::Test {
protected:
    CustomDlgExTest() : scoped(host), dialog(CreateForm<Tfrm_CustomDlgEx>()) {}

    void ExpectNoTopBar() {
        EXPECT_FALSE(dialog->pnlTop->Visible());
        EXPECT_FALSE(dialog->pnlTop->Enabled());
        EXPECT_EQ(dialog->pnlTop->Height(), 0);
        EXPECT_FALSE(IsWindowVisible(dialog->lbBusinessName->Handle()));
    }

    // Pixels of the rule's row in the pen colour and in the background colour.
    std::pair<int, int> RuleDots() {
        Capture capture(dialog->ClientWidth(), dialog->ClientHeight());
        testing::RenderClientTree(dialog->Handle(), capture);
        int pen = 0, gap = 0;
        for (int x = 72; x < 72 + 403; ++x) {
            pen += capture.Pixel(x, 267) == ColorToRGB(kMarkColor) ? 1 : 0;
            gap += capture.Pixel(x, 267) == ColorToRGB(host.module_back) ? 1 : 0;
        }
        return {pen, gap};
    }

    FakeHost host;
    ScopedHost scoped;
    std::unique_ptr<Tfrm_CustomDlgEx> dialog;
};

TEST_F(CustomDlgExTest, NoTopBarEvenAfterSkinChanges) {
    ExpectNoTopBar();
    dialog->Show();
    SendMessageA(dialog->Handle(), MSG_SKIN_CHANGED, 0, 0);
    SendMessageA(dialog->Handle(), MSG_SKIN_CHANGED, 0, 0);
    ExpectNoTopBar();
    Capture capture(dialog->ClientWidth(), dialog->ClientHeight());
    testing::RenderClientTree(dialog->Handle(), capture);
    EXPECT_EQ(capture.Pixel(200, 0), ColorToRGB(host.module_back));
    EXPECT_EQ(capture.Pixel(200, 36), ColorToRGB(host.module_back));
}

TEST_F(CustomDlgExTest, TheFooterCarriesTheMarkAndTheRule) {
    // 59 x 13, and the mark text, smoothed, fits in whole: it stops short of the rule.
    ExpectBounds(*dialog->lbMark, 11, 261, 59, 13);
    {
        HDC screen = GetDC(nullptr);
        HGDIOBJ old = SelectObject(screen, dialog->lbMark->Font().Handle());
        SIZE mark{};
        GetTextExtentPoint32A(screen, "KT-MEADOW", 9, &mark);
        SelectObject(screen, old);
        ReleaseDC(nullptr, screen);
        EXPECT_LE(mark.cx, 59);
        EXPECT_GE(mark.cx, 50);
    }
    EXPECT_TRUE(dialog->lbMark->Font().Smoothed());
    EXPECT_EQ(dialog->lbMark->Caption(), "KT-MEADOW");
    EXPECT_TRUE(dialog->lbMark->Visible());
    EXPECT_TRUE(dialog->lbMark->Enabled());
    EXPECT_TRUE(dialog->lbMark->Transparent());
    EXPECT_EQ(dialog->lbMark->Font().Name(), "Arial");
    EXPECT_EQ(dialog->lbMark->Font().Height(), -10);
    EXPECT_EQ(dialog->lbMark->Font().Charset(), ANSI_CHARSET);
    EXPECT_EQ(dialog->lbMark->Font().Color(), TColor{12164479});

    ASSERT_NE(dialog->Shape1, nullptr);
    ExpectBounds(*dialog->Shape1, 72, 267, 403, 1);
    EXPECT_EQ(dialog->Shape1->PenStyle(), PS_DOT);
    EXPECT_EQ(dialog->Shape1->PenColor(), TColor{12164479});

    ExpectBounds(*dialog->Bevel1, 14, 283, 50, 2);
    EXPECT_FALSE(dialog->Bevel1->Visible());
    ExpectBounds(*dialog->sBtnClose, 410, 279, 67, 22);
}

bool Above(HWND upper, HWND lower) {
    for (HWND w = GetWindow(upper, GW_HWNDNEXT); w; w = GetWindow(w, GW_HWNDNEXT))
        if (w == lower) return true;
    return false;
}

// The rule is the third child: over the bevel and the mark text, under the close button.
TEST_F(CustomDlgExTest, TheRuleIsTheThirdChild) {
    EXPECT_EQ(dialog->Control(2), dialog->Shape1);
    EXPECT_TRUE(Above(dialog->Shape1->Handle(), dialog->lbMark->Handle()));
    EXPECT_TRUE(Above(dialog->Shape1->Handle(), dialog->Bevel1->Handle()));
    EXPECT_TRUE(Above(dialog->sBtnClose->Handle(), dialog->Shape1->Handle()));
}

TEST_F(CustomDlgExTest, TheRulesGapsFollowTheSkinsBackground) {
    EXPECT_EQ(dialog->Shape1->BrushColor(), host.module_back);
    dialog->Show();
    const auto [pen, gap] = RuleDots();
    EXPECT_GT(pen, 100);  // dotted: about half of the 403 pixels each
    EXPECT_GT(gap, 100);
    EXPECT_EQ(pen + gap, 403);

    host.module_back = RGB(230, 240, 200);
    host.calls.clear();
    SendMessageA(dialog->Handle(), MSG_SKIN_CHANGED, 0, 0);
    EXPECT_EQ(dialog->Shape1->BrushColor(), host.module_back);
    EXPECT_EQ(std::count(host.calls.begin(), host.calls.end(), "gclModuleBackColor"), 2);
    const auto [pen2, gap2] = RuleDots();
    EXPECT_GT(gap2, 100);
    EXPECT_EQ(pen2 + gap2, 403);
}

}  // namespace
}  // namespace netprobe::ui
