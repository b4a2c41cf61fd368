// The input dialog, built and shown modally through ShowInputDialog: the test drives it from
// a timer on this thread (keystrokes and clicks posted to its controls while the modal loop
// runs) and checks what comes back, the layout of the single-line and multi-line forms, the
// mask, Enter in the edit, and that the dialog is gone afterwards, also after an error.
#include <gtest/gtest.h>

#include <windows.h>

#include <oleacc.h>

#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "tests/support/fake_host.h"
#include "tests/ui/ui_test_support.h"
#include "ui/f_InputForm.h"

namespace netprobe::ui {
namespace {

using testing::ChildRect;
using testing::FakeHost;

const std::string kConfirmGbk = "\xC8\xB7\xB6\xA8";                     // 确定
const std::string kCancelGbk = "\xC8\xA1\xCF\xFB";                      // 取消
const std::string kSongGbk = "\xCB\xCE\xCC\xE5";                        // 宋体
const std::string kModuleNameGbk = "\xC4\xA3\xBF\xE9\xC3\xFB\xB3\xC6";  // 模块名称
// 请输入代理服务器地址
const std::string kLongTitleGbk = "\xC7\xEB\xCA\xE4\xC8\xEB\xB4\xFA\xC0\xED\xB7\xFE\xCE\xF1\xC6\xF7\xB5\xD8\xD6\xB7";
constexpr char kTitle[] = "netprobe input test";

std::string Text(HWND window) {
    const int length = GetWindowTextLengthA(window);
    std::string text(static_cast<size_t>(length) + 1, '\0');
    text.resize(static_cast<size_t>(GetWindowTextA(window, text.data(), length + 1)));
    return text;
}

// The dialog's controls, found as a user sees them: by kind and caption.
struct Controls {
    HWND dialog = nullptr, edit = nullptr, memo = nullptr, confirm = nullptr, cancel = nullptr;

    explicit Controls(HWND window) : dialog(window) {
        EnumChildWindows(window, Collect, reinterpret_cast<LPARAM>(this));
    }
    static BOOL CALLBACK Collect(HWND child, LPARAM param) {
        auto* self = reinterpret_cast<Controls*>(param);
        char kind[32] = {};
        GetClassNameA(child, kind, sizeof kind);
        if (lstrcmpiA(kind, "Edit") == 0) {
            (GetWindowLongA(child, GWL_STYLE) & ES_MULTILINE ? self->memo : self->edit) = child;
        } else if (Text(child) == kConfirmGbk) {
            self->confirm = child;
        } else if (Text(child) == kCancelGbk) {
            self->cancel = child;
        }
        return TRUE;
    }
};

// Runs one step per timer tick while the dialog is up; once the steps are done a dialog
// that is still open is closed, so that a broken step cannot hang the test.
class Driver {
public:
    using Step = std::function<void(const Controls&)>;
    explicit Driver(std::vector<Step> steps) : steps_(std::move(steps)) {
        current_ = this;
        timer_ = SetTimer(nullptr, 0, 30, &Driver::Tick);
    }
    ~Driver() {
        KillTimer(nullptr, timer_);
        current_ = nullptr;
    }
    Driver(const Driver&) = delete;
    Driver& operator=(const Driver&) = delete;

private:
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
        Driver* self = current_;
        HWND dialog = FindWindowA(nullptr, kTitle);
        if (!self || !dialog || !IsWindowVisible(dialog) || !IsWindowEnabled(dialog)) return;
        Controls controls(dialog);
        if (self->next_ < self->steps_.size())
            self->steps_[self->next_++](controls);
        else
            PostMessageA(dialog, WM_CLOSE, 0, 0);
    }

    static inline Driver* current_ = nullptr;
    std::vector<Step> steps_;
    size_t next_ = 0;
    UINT_PTR timer_ = 0;
};

void Type(HWND box, const std::string& text) {
    PostMessageA(box, EM_SETSEL, 0, -1);
    for (char c : text) PostMessageA(box, WM_CHAR, static_cast<unsigned char>(c), 1);
}

void Click(HWND button) { PostMessageA(button, BM_CLICK, 0, 0); }

class InputDialogTest : public ::testing::Test {
protected:
    InputDialogTest() : scoped(host) {}
    ~InputDialogTest() override { EXPECT_EQ(FindWindowA(nullptr, kTitle), nullptr); }

    bool Run(std::string& value, bool password, bool memo, std::vector<Driver::Step> steps) {
        Driver driver(std::move(steps));
        return ShowInputDialog(kTitle, "business", value, password, memo);
    }

    FakeHost host;
    ScopedHost scoped;
};

TEST_F(InputDialogTest, ConfirmHandsBackTheTypedText) {
    std::string value = "before";
    const bool ok = Run(value, false, false,
                        {
                            [](const Controls& c) { Type(c.edit, "typed"); },
                            [](const Controls& c) { Click(c.confirm); },
                        });
    EXPECT_TRUE(ok);
    EXPECT_EQ(value, "typed");
}

TEST_F(InputDialogTest, CancelAfterTypingKeepsThePassedValue) {
    std::string value = "keep me";
    std::string seen;
    const bool ok = Run(value, false, false,
                        {
                            [](const Controls& c) { Type(c.edit, "other"); },
                            [&](const Controls& c) {
                                seen = Text(c.edit);
                                Click(c.cancel);
                            },
                        });
    EXPECT_FALSE(ok);
    EXPECT_EQ(seen, "other");
    EXPECT_EQ(value, "keep me");
}

TEST_F(InputDialogTest, ClosingTheWindowCancels) {
    std::string value = "keep me";
    const bool ok = Run(value, false, false,
                        {
                            [](const Controls& c) { Type(c.edit, "other"); },
                            [](const Controls& c) { PostMessageA(c.dialog, WM_SYSCOMMAND, SC_CLOSE, 0); },
                        });
    EXPECT_FALSE(ok);
    EXPECT_EQ(value, "keep me");
}

TEST_F(InputDialogTest, AnEmptyValueIsConfirmedLikeAnyOther) {
    std::string value = "x";
    const bool ok =
        Run(value, false, false,
            {
                [](const Controls& c) { SendMessageA(c.edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("")); },
                [](const Controls& c) { Click(c.confirm); },
            });
    EXPECT_TRUE(ok);
    EXPECT_EQ(value, "");
}

// 71 pixels less: client 115 high, the buttons at top 88, centred on the screen at that size.
TEST_F(InputDialogTest, TheSingleLineDialogDropsTheMemosRoom) {
    std::string value = "v";
    RECT client{}, confirm{}, cancel{}, window{};
    bool edit_shown = false, memo_shown = true, edit_focused = false;
    Run(value, false, false, {[&](const Controls& c) {
            GetClientRect(c.dialog, &client);
            GetWindowRect(c.dialog, &window);
            confirm = ChildRect(c.confirm);
            cancel = ChildRect(c.cancel);
            edit_shown = IsWindowVisible(c.edit);
            memo_shown = IsWindowVisible(c.memo);
            edit_focused = GetFocus() == c.edit;
            Click(c.cancel);
        }});
    EXPECT_EQ(client.right, 329);
    EXPECT_EQ(client.bottom, 115);
    EXPECT_EQ(confirm.top, 88);
    EXPECT_EQ(confirm.left, 169);
    EXPECT_EQ(cancel.top, 88);
    EXPECT_EQ(cancel.left, 249);
    EXPECT_TRUE(edit_shown);
    EXPECT_FALSE(memo_shown);
    EXPECT_TRUE(edit_focused);
    const RECT screen = testing::ScreenRect();
    EXPECT_EQ(window.left, std::max(0L, (screen.right - screen.left - (window.right - window.left)) / 2));
    EXPECT_EQ(window.top, std::max(0L, (screen.bottom - screen.top - (window.bottom - window.top)) / 2));
}

TEST_F(InputDialogTest, APasswordShowsStarsAndHandsBackTheRealText) {
    std::string value;
    char mask = 0;
    const bool ok = Run(value, true, false,
                        {
                            [&](const Controls& c) {
                                mask = static_cast<char>(SendMessageA(c.edit, EM_GETPASSWORDCHAR, 0, 0));
                                Type(c.edit, "s3cret");
                            },
                            [](const Controls& c) { Click(c.confirm); },
                        });
    EXPECT_EQ(mask, '*');
    EXPECT_TRUE(ok);
    EXPECT_EQ(value, "s3cret");
}

TEST_F(InputDialogTest, WithoutThePasswordFlagTheEditDoesNotMask) {
    std::string value = "plain";
    char mask = '?';
    Run(value, false, false, {[&](const Controls& c) {
            mask = static_cast<char>(SendMessageA(c.edit, EM_GETPASSWORDCHAR, 0, 0));
            Click(c.cancel);
        }});
    EXPECT_EQ(mask, 0);
}

// The memo shows the value, line breaks included; the dialog keeps its full height; a
// password flag does not mask it.
TEST_F(InputDialogTest, TheMemoKeepsTheFullDialogAndNeverMasks) {
    std::string value = "line one\r\nline two";
    std::string shown;
    RECT client{}, confirm{};
    bool memo_shown = false, edit_shown = true, memo_focused = false;
    LONG memo_style = 0;
    const bool ok = Run(value, true, true,
                        {
                            [&](const Controls& c) {
                                shown = Text(c.memo);
                                GetClientRect(c.dialog, &client);
                                confirm = ChildRect(c.confirm);
                                memo_shown = IsWindowVisible(c.memo);
                                edit_shown = IsWindowVisible(c.edit);
                                memo_focused = GetFocus() == c.memo;
                                memo_style = GetWindowLongA(c.memo, GWL_STYLE);
                                PostMessageA(c.memo, EM_SETSEL, 1000, 1000);
                                for (char ch : std::string("\r3"))
                                    PostMessageA(c.memo, WM_CHAR, static_cast<unsigned char>(ch), 1);
                            },
                            [](const Controls& c) { Click(c.confirm); },
                        });
    EXPECT_EQ(shown, "line one\r\nline two");
    EXPECT_EQ(client.bottom, 186);
    EXPECT_EQ(confirm.top, 159);
    EXPECT_TRUE(memo_shown);
    EXPECT_FALSE(edit_shown);
    EXPECT_TRUE(memo_focused);
    EXPECT_EQ(memo_style & ES_PASSWORD, 0);
    EXPECT_TRUE(ok);
    EXPECT_EQ(value, "line one\r\nline two\r\n3");
}

// Enter typed in the edit inserts nothing and moves the focus on to the confirm button; the
// dialog stays open. Both as a character and as a key press through the modal loop.
TEST_F(InputDialogTest, EnterMovesTheFocusToConfirm) {
    for (bool as_key : {false, true}) {
        SCOPED_TRACE(as_key);
        std::string value = "abc";
        std::string text_after;
        bool focus_on_confirm = false, still_open = false;
        const bool ok = Run(value, false, false,
                            {
                                [&](const Controls& c) {
                                    if (as_key) {
                                        PostMessageA(c.edit, WM_KEYDOWN, VK_RETURN, 1);
                                        PostMessageA(c.edit, WM_KEYUP, VK_RETURN, 0xC0000001);
                                    } else {
                                        PostMessageA(c.edit, WM_CHAR, '\r', 1);
                                    }
                                },
                                [&](const Controls& c) {
                                    text_after = Text(c.edit);
                                    focus_on_confirm = GetFocus() == c.confirm;
                                    still_open = IsWindowVisible(c.dialog);
                                    Click(c.cancel);
                                },
                            });
        EXPECT_FALSE(ok);
        EXPECT_EQ(text_after, "abc");
        EXPECT_TRUE(focus_on_confirm);
        EXPECT_TRUE(still_open);
        EXPECT_EQ(value, "abc");
    }
}

// A key as the keyboard gives it: down and up, posted to the window with the focus; the loop
// makes the character.
void Press(WORD key) {
    HWND focus = GetFocus();
    const LPARAM down = 1 | static_cast<LPARAM>(MapVirtualKeyA(key, MAPVK_VK_TO_VSC) << 16);
    PostMessageA(focus, WM_KEYDOWN, key, down);
    PostMessageA(focus, WM_KEYUP, key, down | static_cast<LPARAM>(0xC0000000));
}

// Enter and Space click the button that has the focus; Enter in the edit moves on; Escape
// cancels wherever the focus is; Tab and Shift+Tab walk the tab stops.
TEST_F(InputDialogTest, KeysThroughTheModalLoop) {
    struct Row {
        const char* name;
        std::vector<std::pair<WORD, bool>> keys;  // key, Shift held
        bool confirmed;
        const char* value;
    };
    const Row rows[] = {
        {"Enter in the edit, then on confirm", {{VK_RETURN, false}, {VK_RETURN, false}}, true, "typed"},
        {"Tab to confirm, Space", {{VK_TAB, false}, {VK_SPACE, false}}, true, "typed"},
        {"Escape in the edit", {{VK_ESCAPE, false}}, false, "v"},
        {"Escape on confirm", {{VK_TAB, false}, {VK_ESCAPE, false}}, false, "v"},
        {"Shift+Tab to cancel, Enter", {{VK_TAB, true}, {VK_RETURN, false}}, false, "v"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        std::string value = "v";
        // Shift is held from the step that posts the key until the next step.
        std::unique_ptr<testing::HeldKeys> shift_held;
        std::vector<Driver::Step> steps{[](const Controls& c) { Type(c.edit, "typed"); }};
        for (auto [key, shift] : row.keys) {
            steps.push_back([key, shift, &shift_held](const Controls&) {
                shift_held.reset();
                if (shift) shift_held = std::make_unique<testing::HeldKeys>(std::initializer_list<int>{VK_SHIFT});
                Press(key);
            });
        }
        steps.push_back([&shift_held](const Controls&) { shift_held.reset(); });
        EXPECT_EQ(Run(value, false, false, std::move(steps)), row.confirmed);
        shift_held.reset();
        EXPECT_EQ(value, row.value);
    }
}

// A host whose skin call fails while the dialog is being built.
class FailingHost : public FakeHost {
public:
    TColor gclTopBarColor() override { throw std::runtime_error("skin unavailable"); }
};

BOOL CALLBACK CountKitWindow(HWND window, LPARAM param) {
    char kind[32] = {};
    GetClassNameA(window, kind, sizeof kind);
    if (lstrcmpA(kind, "NetprobeControl") == 0) ++*reinterpret_cast<int*>(param);
    return TRUE;
}

int KitTopLevelWindows() {
    int count = 0;
    EnumThreadWindows(GetCurrentThreadId(), CountKitWindow, reinterpret_cast<LPARAM>(&count));
    return count;
}

TEST(InputDialogErrors, AnErrorWhileBuildingLeavesNoDialog) {
    FailingHost host;
    ScopedHost scoped(host);
    const int before = KitTopLevelWindows();
    std::string value = "v";
    EXPECT_THROW(ShowInputDialog(kTitle, "b", value, false, false), std::runtime_error);
    EXPECT_EQ(KitTopLevelWindows(), before);
    EXPECT_EQ(value, "v");
}

TEST(InputDialogLayout, ComponentsAsDesigned) {
    FakeHost host;
    ScopedHost scoped(host);
    std::unique_ptr<Tfrm_Input> dialog(CreateForm<Tfrm_Input>());
    auto bounds = [](const TWinControl& c) {
        RECT r = ChildRect(c.Handle());
        return std::vector<long>{r.left, r.top, r.right - r.left, r.bottom - r.top};
    };
    EXPECT_EQ(dialog->ClientWidth(), 329);
    EXPECT_EQ(dialog->ClientHeight(), 186);
    EXPECT_EQ(bounds(*dialog->Bevel1), (std::vector<long>{46, 145, 280, 5}));
    EXPECT_FALSE(dialog->Bevel1->Visible());
    EXPECT_EQ(bounds(*dialog->lbMark)[0], 10);
    EXPECT_EQ(bounds(*dialog->lbMark)[1], 143);
    EXPECT_FALSE(dialog->lbMark->Visible());
    EXPECT_EQ(bounds(*dialog->sBtnClose), (std::vector<long>{249, 159, 67, 22}));
    EXPECT_EQ(dialog->sBtnClose->Caption(), kCancelGbk);
    EXPECT_EQ(bounds(*dialog->sBtnConfirm), (std::vector<long>{169, 159, 67, 22}));
    EXPECT_EQ(dialog->sBtnConfirm->Caption(), kConfirmGbk);
    EXPECT_EQ(bounds(*dialog->pnlTop), (std::vector<long>{0, 0, 329, 37}));
    // 48 x 12 in the real face.
    const SIZE title = testing::TextExtent(kSongGbk, -12, GB2312_CHARSET, kModuleNameGbk);
    EXPECT_EQ(bounds(*dialog->lbBusinessName), (std::vector<long>{15, 12, title.cx, title.cy}));
    EXPECT_EQ(dialog->lbBusinessName->Font().Name(), kSongGbk);
    EXPECT_EQ(dialog->lbBusinessName->Font().Height(), -12);
    EXPECT_EQ(bounds(*dialog->memoInput), (std::vector<long>{16, 48, 297, 89}));
    EXPECT_EQ(bounds(*dialog->editInput), (std::vector<long>{16, 48, 297, 18}));
    EXPECT_EQ(dialog->editInput->PasswordChar(), '*');
    EXPECT_EQ(dialog->editInput->TabOrder(), 0);
    EXPECT_EQ(dialog->sBtnConfirm->TabOrder(), 1);
    EXPECT_EQ(dialog->sBtnClose->TabOrder(), 2);
    EXPECT_EQ(dialog->pnlTop->TabOrder(), 3);
    EXPECT_EQ(dialog->memoInput->TabOrder(), 4);
    EXPECT_NE(GetWindowLongA(dialog->sBtnConfirm->Handle(), GWL_STYLE) & WS_TABSTOP, 0);
    // The edit gets the base dialog's input-method switch; the memo does not.
    EXPECT_TRUE(static_cast<bool>(dialog->editInput->OnEnter));
    EXPECT_FALSE(static_cast<bool>(dialog->memoInput->OnEnter));
}

// A control's client object as a screen reader gets it, released at the end of the scope.
class AccessibleOf {
public:
    explicit AccessibleOf(HWND window) {
        if (FAILED(
                AccessibleObjectFromWindow(window, OBJID_CLIENT, IID_IAccessible, reinterpret_cast<void**>(&object_))))
            object_ = nullptr;
        self_.vt = VT_I4;
        self_.lVal = CHILDID_SELF;
    }
    ~AccessibleOf() {
        if (object_) object_->Release();
    }
    AccessibleOf(const AccessibleOf&) = delete;
    AccessibleOf& operator=(const AccessibleOf&) = delete;

    long Role() const {
        VARIANT role{};
        return object_ && SUCCEEDED(object_->get_accRole(self_, &role)) && role.vt == VT_I4 ? role.lVal : 0;
    }
    std::wstring Name() const {
        BSTR text = nullptr;
        std::wstring name;
        if (object_ && object_->get_accName(self_, &text) == S_OK && text) name.assign(text, SysStringLen(text));
        SysFreeString(text);
        return name;
    }
    bool Press() const { return object_ && SUCCEEDED(object_->accDoDefaultAction(self_)); }

private:
    IAccessible* object_ = nullptr;
    VARIANT self_{};
};

std::wstring Wide(const std::string& gbk) {
    std::wstring text(gbk.size(), L'\0');
    text.resize(static_cast<size_t>(MultiByteToWideChar(CP_ACP, 0, gbk.data(), static_cast<int>(gbk.size()),
                                                        text.data(), static_cast<int>(text.size()))));
    return text;
}

// What a screen reader asks the controls for: the buttons are push buttons named by their
// captions that a press clicks (unless disabled), the edit is named by the title that says
// what to enter.
TEST(InputDialogLayout, AssistiveToolsReadButtonsAndTheEditsName) {
#if defined(_WIN64)
    // wine64's oleacc answers the 64-bit build's requests only now and then (no object, or one
    // without its name); the module ships as the 32-bit DLL, which is checked under wine32.
    GTEST_SKIP() << "assistive-tool objects are unreliable under wine64";
#endif
    ASSERT_TRUE(SUCCEEDED(CoInitialize(nullptr)));
    {
        FakeHost host;
        ScopedHost scoped(host);
        std::unique_ptr<Tfrm_Input> dialog(CreateForm<Tfrm_Input>());
        dialog->SetCaptions(kTitle, kLongTitleGbk);
        for (TFlatButton* button : {dialog->sBtnConfirm, dialog->sBtnClose}) {
            SCOPED_TRACE(button->Caption());
            AccessibleOf object(button->Handle());
            EXPECT_EQ(object.Name(), Wide(button->Caption()));
            EXPECT_EQ(object.Role(), ROLE_SYSTEM_PUSHBUTTON);
        }
        AccessibleOf edit(dialog->editInput->Handle());
        EXPECT_EQ(edit.Name(), Wide(kLongTitleGbk));
        EXPECT_EQ(edit.Role(), ROLE_SYSTEM_TEXT);

        int clicks = 0;
        dialog->sBtnClose->OnClick = [&clicks](TObject*) { ++clicks; };
        EXPECT_TRUE(AccessibleOf(dialog->sBtnClose->Handle()).Press());
        EXPECT_TRUE(testing::PumpUntil([&clicks] { return clicks == 1; }));
        EnableWindow(dialog->sBtnClose->Handle(), FALSE);
        EXPECT_FALSE(AccessibleOf(dialog->sBtnClose->Handle()).Press());
        testing::PumpMessages();
        EXPECT_EQ(clicks, 1);
    }
    CoUninitialize();
}

// The memo's frame as the screen shows it: olive while it has the focus, the desktop colour
// once the focus has moved on.
TEST(InputDialogLayout, TheMemosBorderOnScreenFollowsTheFocus) {
    FakeHost host;
    ScopedHost scoped(host);
    std::unique_ptr<Tfrm_Input> dialog(CreateForm<Tfrm_Input>());
    dialog->IsMemo = true;
    dialog->Show();
    SetForegroundWindow(dialog->Handle());
    HWND memo = dialog->memoInput->Handle();
    ASSERT_EQ(GetFocus(), memo);
    const int w = dialog->memoInput->Width(), h = dialog->memoInput->Height();
    for (POINT p : {POINT{w / 2, 0}, POINT{0, h / 2}, POINT{w / 2, h - 1}, POINT{w - 1, h / 2}})
        EXPECT_EQ(testing::ScreenPixel(memo, p.x, p.y), RGB(128, 128, 0)) << p.x << "," << p.y;
    dialog->sBtnConfirm->SetFocus();
    for (POINT p : {POINT{w / 2, 0}, POINT{w - 1, h / 2}})
        EXPECT_EQ(testing::ScreenPixel(memo, p.x, p.y), GetSysColor(COLOR_DESKTOP)) << p.x << "," << p.y;
}

// A business title longer than the design's four characters shows whole: the label takes
// the size of the text, and the last character is inked.
TEST(InputDialogLayout, ALongBusinessTitleShowsWhole) {
    FakeHost host;
    ScopedHost scoped(host);
    std::unique_ptr<Tfrm_Input> dialog(CreateForm<Tfrm_Input>());
    dialog->SetCaptions(kTitle, kLongTitleGbk);
    const SIZE text = testing::TextExtent(kSongGbk, -12, GB2312_CHARSET, kLongTitleGbk);
    testing::ExpectBounds(*dialog->lbBusinessName, 15, 12, text.cx, text.cy);
    dialog->Show();
    testing::Capture capture(dialog->ClientWidth(), dialog->ClientHeight());
    testing::RenderClientTree(dialog->Handle(), capture);
    int ink = 0;
    for (int x = 15 + text.cx - 12; x < 15 + text.cx; ++x)
        for (int y = 12; y < 12 + text.cy; ++y) ink += capture.Pixel(x, y) != ColorToRGB(host.top_bar) ? 1 : 0;
    EXPECT_GT(ink, 10);
}

}  // namespace
}  // namespace netprobe::ui
