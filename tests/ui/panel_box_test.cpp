// TVexoPanelBox: its defaults, the border lines on exactly their pixels (read back from a
// memory DC the box painted itself into), the inset offered to aligned children, and
// setters that repaint at once.
#include <gtest/gtest.h>

#include <windows.h>

#include <memory>

#include "tests/ui/ui_test_support.h"
#include "ui/VexoPanelBox.h"
#include "ui/kit/form.h"

namespace netprobe::ui {
namespace {

using testing::Capture;

constexpr int kW = 40, kH = 24;
constexpr COLORREF kSentinel = RGB(1, 2, 3);
constexpr TColor kFace = 0xFFFFFF;
constexpr TColor kLine = 0x0000FF;  // red

class CountingBox : public TVexoPanelBox {
public:
    using TVexoPanelBox::TVexoPanelBox;
    int paints = 0;

protected:
    void Paint(TCanvas& canvas) override {
        ++paints;
        TVexoPanelBox::Paint(canvas);
    }
};

class PanelBoxTest : public ::testing::Test {
protected:
    void SetUp() override {
        form.reset(CreateForm<TForm>());
        box = new CountingBox({.parent = form.get(), .left = 10, .top = 10, .width = kW, .height = kH, .caption = "x"});
        box->SetColor(kFace);
        box->SetBorderColor(kLine);
    }

    // The box painted into a surface one pixel wider and higher than itself.
    std::unique_ptr<Capture> Render() {
        auto capture = std::make_unique<Capture>(kW + 1, kH + 1);
        capture->Fill(kSentinel);
        SendMessageA(box->Handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(capture->dc()), PRF_CLIENT);
        return capture;
    }

    // Child rectangle of an alClient child, in the box's client coordinates.
    RECT ClientChildRect() {
        box->AlignControls();
        RECT r;
        GetWindowRect(child->Handle(), &r);
        MapWindowPoints(nullptr, box->Handle(), reinterpret_cast<POINT*>(&r), 2);
        return r;
    }

    std::unique_ptr<TForm> form;
    CountingBox* box = nullptr;
    TPanel* child = nullptr;
};

TEST_F(PanelBoxTest, DefaultsShowNoCaptionNoBevelAndAllBorders) {
    TVexoPanelBox fresh({.parent = form.get(), .width = 10, .height = 10, .caption = "caption"});
    EXPECT_TRUE(fresh.HasBorder());
    EXPECT_EQ(fresh.BorderColor(), 9342606u);
    EXPECT_TRUE(fresh.HasTopBorder());
    EXPECT_TRUE(fresh.HasBottomBorder());
    EXPECT_TRUE(fresh.HasLeftBorder());
    EXPECT_TRUE(fresh.HasRightBorder());
    EXPECT_EQ(fresh.Caption(), "");
    EXPECT_EQ(fresh.BevelOuter(), TBevelCut::None);
}

TEST_F(PanelBoxTest, LinesLieOnTheOuterColumnsAndRowsOnly) {
    auto c = Render();
    for (int x = 0; x < kW; ++x) {
        EXPECT_EQ(c->Pixel(x, 0), kLine) << x;
        EXPECT_EQ(c->Pixel(x, kH - 1), kLine) << x;
        EXPECT_EQ(c->Pixel(x, kH), kSentinel) << x;  // nothing beyond the last row
    }
    for (int y = 0; y < kH; ++y) {
        EXPECT_EQ(c->Pixel(0, y), kLine) << y;
        EXPECT_EQ(c->Pixel(kW - 1, y), kLine) << y;
        EXPECT_EQ(c->Pixel(kW, y), kSentinel) << y;
    }
    EXPECT_EQ(c->Pixel(1, 1), ColorToRGB(kFace));
    EXPECT_EQ(c->Pixel(kW - 2, kH - 2), ColorToRGB(kFace));
}

TEST_F(PanelBoxTest, EachSideFlagDrawsOnlyItsLine) {
    box->SetHasTopBorder(false);
    box->SetHasLeftBorder(false);
    auto c = Render();
    EXPECT_EQ(c->Pixel(kW / 2, 0), ColorToRGB(kFace));
    EXPECT_EQ(c->Pixel(0, kH / 2), ColorToRGB(kFace));
    EXPECT_EQ(c->Pixel(kW - 1, 0), kLine);  // the right line starts at row 0
    EXPECT_EQ(c->Pixel(0, kH - 1), kLine);  // the bottom line starts at column 0
    box->SetHasTopBorder(true);
    box->SetHasLeftBorder(true);
    box->SetHasRightBorder(false);
    box->SetHasBottomBorder(false);
    c = Render();
    EXPECT_EQ(c->Pixel(kW - 1, kH / 2), ColorToRGB(kFace));
    EXPECT_EQ(c->Pixel(kW / 2, kH - 1), ColorToRGB(kFace));
    EXPECT_EQ(c->Pixel(kW - 1, 0), kLine);
    EXPECT_EQ(c->Pixel(0, kH - 1), kLine);
}

TEST_F(PanelBoxTest, WithoutBorderNothingIsDrawnWhateverTheSides) {
    box->SetHasBorder(false);
    auto c = Render();
    for (int x = 0; x < kW; ++x)
        for (int y = 0; y < kH; ++y) ASSERT_EQ(c->Pixel(x, y), ColorToRGB(kFace)) << x << "," << y;
}

TEST_F(PanelBoxTest, AlignedChildrenStayInsideTheBorder) {
    child = new TPanel({.parent = box, .width = 5, .height = 5, .align = TAlign::Client});
    RECT r = ClientChildRect();
    EXPECT_EQ(r.left, 1);
    EXPECT_EQ(r.top, 1);
    EXPECT_EQ(r.right, kW - 1);
    EXPECT_EQ(r.bottom, kH - 1);

    // Only the top line: one pixel at the top only.
    box->SetHasBottomBorder(false);
    box->SetHasLeftBorder(false);
    box->SetHasRightBorder(false);
    r = ClientChildRect();
    EXPECT_EQ(r.left, 0);
    EXPECT_EQ(r.top, 1);
    EXPECT_EQ(r.right, kW);
    EXPECT_EQ(r.bottom, kH);

    // No border: the full client rectangle, whatever the side flags say.
    box->SetHasBorder(false);
    box->SetHasTopBorder(true);
    box->SetHasLeftBorder(true);
    r = ClientChildRect();
    EXPECT_EQ(r.left, 0);
    EXPECT_EQ(r.top, 0);
    EXPECT_EQ(r.right, kW);
    EXPECT_EQ(r.bottom, kH);
}

TEST_F(PanelBoxTest, ChangingAFlagDoesNotRealignUntilTheNextPass) {
    child = new TPanel({.parent = box, .width = 5, .height = 5, .align = TAlign::Client});
    box->AlignControls();
    box->SetHasBorder(false);
    RECT r;
    GetWindowRect(child->Handle(), &r);
    MapWindowPoints(nullptr, box->Handle(), reinterpret_cast<POINT*>(&r), 2);
    EXPECT_EQ(r.left, 1);
    EXPECT_EQ(ClientChildRect().left, 0);
}

TEST_F(PanelBoxTest, SettersRepaintAtOnceEvenWithTheSameValue) {
    form->Show();
    testing::PumpMessages();
    int before = box->paints;
    box->SetBorderColor(box->BorderColor());
    EXPECT_EQ(box->paints, before + 1);
    box->SetHasBorder(true);
    box->SetHasTopBorder(true);
    box->SetHasBottomBorder(false);
    box->SetHasLeftBorder(true);
    box->SetHasRightBorder(true);
    EXPECT_EQ(box->paints, before + 6);
    RECT pending;
    EXPECT_FALSE(GetUpdateRect(box->Handle(), &pending, FALSE));
}

}  // namespace
}  // namespace netprobe::ui
