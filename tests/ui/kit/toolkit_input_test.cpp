// Toolkit pieces the input dialog stands on: flat buttons clicked by BM_CLICK and by keys
// pressed on them, the edit's key-press handler and password character, and text wrapping.
#include <gtest/gtest.h>

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "tests/ui/ui_test_support.h"
#include "ui/kit/flat_button.h"
#include "ui/kit/form.h"
#include "ui/kit/gdi.h"
#include "ui/kit/skin_edit.h"
#include "ui/kit/text_wrap.h"

namespace netprobe::ui {
namespace {

class ToolkitInputTest : public ::testing::Test {
protected:
    ToolkitInputTest() : form(CreateForm<TForm>()) {
        button = new TFlatButton({.parent = form.get(),
                                  .left = 10,
                                  .top = 10,
                                  .width = 60,
                                  .height = 22,
                                  .caption = "OK",
                                  .tab_stop = true});
        button->OnClick = [this](TObject*) { ++clicks; };
        edit = new TSkinEdit({.parent = form.get(), .left = 10, .top = 40, .width = 100, .height = 20});
    }

    std::unique_ptr<TForm> form;
    TFlatButton* button = nullptr;
    TSkinEdit* edit = nullptr;
    int clicks = 0;
};

TEST_F(ToolkitInputTest, BmClickClicksTheFlatButton) {
    SendMessageA(button->Handle(), BM_CLICK, 0, 0);
    EXPECT_EQ(clicks, 1);
}

// Enter pressed in another control that moved the focus here is released on the button:
// that release alone does not click.
TEST_F(ToolkitInputTest, OnlyAKeyPressedOnTheButtonClicksIt) {
    SendMessageA(button->Handle(), WM_KEYUP, VK_RETURN, 0xC0000001);
    EXPECT_EQ(clicks, 0);
    SendMessageA(button->Handle(), WM_KEYDOWN, VK_SPACE, 1);
    SendMessageA(button->Handle(), WM_KEYUP, VK_SPACE, 0xC0000001);
    EXPECT_EQ(clicks, 1);
    SendMessageA(button->Handle(), WM_KEYDOWN, VK_RETURN, 1);
    SendMessageA(button->Handle(), WM_KILLFOCUS, 0, 0);
    SendMessageA(button->Handle(), WM_KEYUP, VK_RETURN, 0xC0000001);
    EXPECT_EQ(clicks, 1);
}

// A form shown modelessly, the host's loop (here the test's pump) handing out the keys: Tab
// moves on, Enter clicks the button that has the focus, once, and Escape closes the form.
TEST_F(ToolkitInputTest, DialogKeysInAModelessForm) {
    form->Show();
    SetForegroundWindow(form->Handle());
    edit->SetFocus();
    auto press = [](WORD key) {
        HWND focus = GetFocus();
        PostMessageA(focus, WM_KEYDOWN, key, 1);
        PostMessageA(focus, WM_KEYUP, key, static_cast<LPARAM>(0xC0000001));
        testing::PumpMessages();
    };
    press(VK_TAB);
    EXPECT_EQ(GetFocus(), button->Handle());
    press(VK_RETURN);
    EXPECT_EQ(clicks, 1);
    press(VK_ESCAPE);
    EXPECT_FALSE(form->Visible());
}

TEST_F(ToolkitInputTest, KeyPressCanSwallowOrReplaceACharacter) {
    std::vector<char> seen;
    edit->OnKeyPress = [&](TObject* sender, char& key) {
        EXPECT_EQ(sender, edit);
        seen.push_back(key);
        if (key == 'x') key = 0;
        if (key == 'a') key = 'b';
    };
    for (char c : std::string("axc")) SendMessageA(edit->Handle(), WM_CHAR, static_cast<unsigned char>(c), 1);
    EXPECT_EQ(seen, (std::vector<char>{'a', 'x', 'c'}));
    EXPECT_EQ(edit->Text(), "bc");
}

TEST_F(ToolkitInputTest, EnterIsAskedForOnlyWithAKeyPressHandler) {
    MSG enter{edit->Handle(), WM_KEYDOWN, VK_RETURN, 1, 0, {}};
    auto code = [&] {
        return SendMessageA(edit->Handle(), WM_GETDLGCODE, VK_RETURN, reinterpret_cast<LPARAM>(&enter));
    };
    EXPECT_EQ(code() & DLGC_WANTMESSAGE, 0);
    edit->OnKeyPress = [](TObject*, char&) {};
    EXPECT_NE(code() & DLGC_WANTMESSAGE, 0);
}

// The edit's own border, not the system control's, is what the screen shows.
TEST_F(ToolkitInputTest, TheEditsBorderOnScreenFollowsTheFocus) {
    const TColor normal = RGB(200, 0, 0), focused = RGB(0, 0, 200);
    edit->SetBorderColors(normal, focused);
    form->Show();
    SetForegroundWindow(form->Handle());
    button->SetFocus();
    const int w = edit->Width(), h = edit->Height();
    EXPECT_EQ(testing::ScreenPixel(edit->Handle(), w / 2, 0), normal);
    EXPECT_EQ(testing::ScreenPixel(edit->Handle(), 0, h / 2), normal);
    edit->SetFocus();
    EXPECT_EQ(testing::ScreenPixel(edit->Handle(), w / 2, h - 1), focused);
    EXPECT_EQ(testing::ScreenPixel(edit->Handle(), w - 1, h / 2), focused);
}

TEST_F(ToolkitInputTest, PasswordCharacterMasksButKeepsTheText) {
    edit->SetText("secret");
    edit->SetPasswordChar('*');
    EXPECT_EQ(edit->PasswordChar(), '*');
    EXPECT_EQ(edit->Text(), "secret");
    edit->SetPasswordChar('\0');
    EXPECT_EQ(edit->PasswordChar(), 0);
}

// A fixed-pitch font, so that widths are counts of characters.
class WrapTest : public ::testing::Test {
protected:
    WrapTest()
        : dc(nullptr),
          font(CreateFontA(-12, 8, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, FIXED_PITCH, "Courier New")),
          select(dc.get(), font.get()) {
        SIZE one{};
        GetTextExtentPoint32W(dc.get(), L"M", 1, &one);
        char_width = one.cx;
    }
    std::vector<std::wstring> Wrap(const std::wstring& text, int chars) {
        return WrapText(dc.get(), text, chars * char_width);
    }

    MemoryDC dc;
    FontHandle font;
    SelectObjectScope select;
    int char_width = 0;
};

TEST_F(WrapTest, BreaksBetweenWordsWhereItCan) {
    EXPECT_EQ(Wrap(L"one two three", 8), (std::vector<std::wstring>{L"one two", L"three"}));
    EXPECT_EQ(Wrap(L"short", 8), (std::vector<std::wstring>{L"short"}));
}

TEST_F(WrapTest, BreaksInsideARunWiderThanTheLine) {
    EXPECT_EQ(Wrap(L"abcdefghij", 4), (std::vector<std::wstring>{L"abcd", L"efgh", L"ij"}));
}

TEST_F(WrapTest, LineEndsStartNewLines) {
    EXPECT_EQ(Wrap(L"ab\r\ncd\n\nef", 8), (std::vector<std::wstring>{L"ab", L"cd", L"", L"ef"}));
}

}  // namespace
}  // namespace netprobe::ui
