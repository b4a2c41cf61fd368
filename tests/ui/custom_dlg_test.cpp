// The base dialog: geometry and fonts as built, the host context and skin at creation, the
// skin-change message, the input-method hook of skinned edits, F1, closing, and the copied
// text sent to the main frame.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <memory>
#include <string>

#include "tests/support/fake_host.h"
#include "tests/ui/ui_test_support.h"
#include "ui/f_CustomDlg.h"
#include "ui/kit/application.h"

namespace netprobe::ui {
namespace {

using testing::ExpectBounds;
using testing::FakeHost;
using testing::HeldKeys;
using testing::PumpUntil;
using testing::RecordingWindow;

// GBK bytes of the texts the dialog shows.
const std::string kCloseGbk = "\xB9\xD8\xB1\xD5";                       // 关闭
const std::string kModuleNameGbk = "\xC4\xA3\xBF\xE9\xC3\xFB\xB3\xC6";  // 模块名称
const std::string kHeiGbk = "\xBA\xDA\xCC\xE5";                         // 黑体
const std::string kSongGbk = "\xCB\xCE\xCC\xE5";                        // 宋体
const std::string kEnglishGbk = "\xD3\xA2\xD3\xEF";                     // 英语
const std::string kChooseGbk = "-\xC7\xEB\xD1\xA1\xD4\xF1-";            // -请选择-

std::string WindowText(HWND window) {
    char buffer[256] = {};
    int length = GetWindowTextA(window, buffer, sizeof buffer);
    return std::string(buffer, static_cast<size_t>(length));
}

int CountCalls(const FakeHost& host, const std::string& name) {
    return static_cast<int>(std::count(host.calls.begin(), host.calls.end(), name));
}

// A dialog as derived dialogs build one: its own skin step, and edits of several kinds.
class EditDialog : public Tfrm_CustomDlg {
public:
    int own_skin_runs = 0;
    int own_enter_runs = 0;
    TSkinEdit* chinese = nullptr;
    TSkinEdit* plain = nullptr;
    TSkinEdit* own_handler = nullptr;
    TSkinMemo* memo = nullptr;

    void ApplySkin() override {
        Tfrm_CustomDlg::ApplySkin();
        ++own_skin_runs;
    }

protected:
    void CreateComponents() override {
        Tfrm_CustomDlg::CreateComponents();
        chinese = new TSkinEdit({.parent = this, .left = 20, .top = 60, .width = 120, .height = 21});
        chinese->SetImeMode(TImeMode::Chinese);
        plain = new TSkinEdit({.parent = this, .left = 20, .top = 90, .width = 120, .height = 21});
        own_handler = new TSkinEdit({.parent = this, .left = 20, .top = 120, .width = 120, .height = 21});
        own_handler->SetImeMode(TImeMode::Open);
        own_handler->OnEnter = [this](TObject*) { ++own_enter_runs; };
        memo = new TSkinMemo({.parent = this, .left = 160, .top = 60, .width = 200, .height = 80});
        memo->SetImeMode(TImeMode::Chinese);
    }
};

// Tells when it is gone, for the close tests.
class WatchedDialog : public Tfrm_CustomDlg {
public:
    explicit WatchedDialog(bool* gone) : gone_(gone) {}
    ~WatchedDialog() noexcept(false) override { *gone_ = true; }

private:
    bool* gone_;
};

class CustomDlgTest : public ::testing::Test {
protected:
    FakeHost host;
    ScopedHost scoped{host};
};

TEST_F(CustomDlgTest, FrameAndComponentsHaveTheirGeometry) {
    std::unique_ptr<Tfrm_CustomDlg> dlg(CreateForm<Tfrm_CustomDlg>());
    HWND form = dlg->Handle();
    RECT client;
    GetClientRect(form, &client);
    EXPECT_EQ(client.right, 491);
    EXPECT_EQ(client.bottom, 312);

    const LONG style = GetWindowLongA(form, GWL_STYLE);
    EXPECT_TRUE(style & WS_SYSMENU);
    EXPECT_TRUE((style & WS_CAPTION) == WS_CAPTION);
    EXPECT_FALSE(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME));
    EXPECT_EQ(WindowText(form), "");

    ExpectBounds(dlg->Bevel1->Handle(), 14, 264, 467, 5);
    const SIZE mark = testing::TextExtent(kSongGbk, -11, GB2312_CHARSET, dlg->lbMark->Caption());
    ExpectBounds(dlg->lbMark->Handle(), 18, 262, mark.cx, mark.cy);
    EXPECT_FALSE(GetWindowLongA(dlg->lbMark->Handle(), GWL_STYLE) & WS_VISIBLE);
    EXPECT_FALSE(IsWindowEnabled(dlg->lbMark->Handle()));
    ExpectBounds(dlg->sBtnClose->Handle(), 410, 279, 67, 22);
    EXPECT_EQ(WindowText(dlg->sBtnClose->Handle()), kCloseGbk);
    EXPECT_TRUE(GetWindowLongA(dlg->sBtnClose->Handle(), GWL_STYLE) & WS_TABSTOP);
    ExpectBounds(dlg->pnlTop->Handle(), 0, 0, 491, 37);
    EXPECT_EQ(GetParent(dlg->lbBusinessName->Handle()), dlg->pnlTop->Handle());
    // The size of its caption: 64 x 16 in the real face, whatever the substitute makes of it.
    const SIZE title = testing::TextExtent(kHeiGbk, -16, GB2312_CHARSET, kModuleNameGbk);
    ExpectBounds(dlg->lbBusinessName->Handle(), 15, 10, title.cx, title.cy);
    EXPECT_EQ(WindowText(dlg->lbBusinessName->Handle()), kModuleNameGbk);
    EXPECT_EQ(dlg->pnlTop->TabOrder(), 0);
    EXPECT_EQ(dlg->sBtnClose->TabOrder(), 1);
}

// A work area that leaves room for a taskbar at the bottom, for one scope.
class TaskbarRoom {
public:
    explicit TaskbarRoom(int height) {
        SystemParametersInfoA(SPI_GETWORKAREA, 0, &saved_, 0);
        RECT work = testing::DesktopRect();
        work.bottom -= height;
        SystemParametersInfoA(SPI_SETWORKAREA, 0, &work, 0);
    }
    ~TaskbarRoom() { SystemParametersInfoA(SPI_SETWORKAREA, 0, &saved_, 0); }

private:
    RECT saved_{};
};

// On the whole desktop: the taskbar's room does not lift the dialog.
TEST_F(CustomDlgTest, ShowingCentresOnTheWholeDesktop) {
    TaskbarRoom taskbar(60);
    std::unique_ptr<Tfrm_CustomDlg> dlg(CreateForm<Tfrm_CustomDlg>());
    dlg->Show();
    const RECT desktop = testing::DesktopRect();
    RECT rect;
    GetWindowRect(dlg->Handle(), &rect);
    EXPECT_LE(std::abs((rect.left + rect.right) - (desktop.left + desktop.right)), 1);
    EXPECT_LE(std::abs((rect.top + rect.bottom) - (desktop.top + desktop.bottom)), 1);
}

TEST_F(CustomDlgTest, FontsAndColours) {
    host.font_charset = GB2312_CHARSET;
    host.font_size = 9;
    host.font_color = 0x112233;
    host.module_back = 0xEEDDCC;
    host.top_bar = 0x445566;
    std::unique_ptr<Tfrm_CustomDlg> dlg(CreateForm<Tfrm_CustomDlg>());
    EXPECT_EQ(dlg->Font().Name(), kSongGbk);
    EXPECT_EQ(dlg->Font().Height(), -12);  // 9 points at 96 DPI
    EXPECT_EQ(dlg->Font().Color(), 0x112233u);
    EXPECT_EQ(dlg->Color(), 0xEEDDCCu);
    EXPECT_EQ(dlg->pnlTop->Color(), 0x445566u);
    EXPECT_EQ(dlg->sBtnClose->Font().Color(), 0x112233u);  // follows the form
    // The business title and the mark label keep fonts of their own.
    EXPECT_EQ(dlg->lbBusinessName->Font().Name(), kHeiGbk);
    EXPECT_EQ(dlg->lbBusinessName->Font().Height(), -16);
    EXPECT_EQ(dlg->lbBusinessName->Font().Charset(), GB2312_CHARSET);
    EXPECT_EQ(dlg->lbBusinessName->Font().Color(), clWindow);
    EXPECT_TRUE(dlg->lbBusinessName->Transparent());
    EXPECT_EQ(dlg->lbMark->Font().Height(), -11);
}

TEST_F(CustomDlgTest, CreationReadsTheContextThenAppliesTheSkin) {
    TDataVO info;
    host.app_handle = 0x1234;
    host.main_frame = 0;
    host.app_path = "C:\\suite\\";
    host.sub_app_path = "C:\\suite\\tax\\";
    host.sub_app_code = "TAX";
    host.func_code = "F0101";
    host.sub_app_info = &info;
    std::unique_ptr<Tfrm_CustomDlg> dlg(CreateForm<Tfrm_CustomDlg>());
    const std::vector<std::string> expected = {
        "GetAppHandle",     "GetMainFrameHandle", "GetAppPath",       "GetCurSubAppPath",
        "GetCurSubAppCode", "GetCurFuncCode",     "GetCurSubAppInfo", "GetCurSubAppVo",
        "GetUserInfoVO",    "GetCompanyInfoVO",   "giSysFontCharSet", "giSysFontSize",
        "gclSysFontColor",  "gclModuleBackColor", "gclTopBarColor",   "SetSkinSchemeCtrls"};
    EXPECT_EQ(host.calls, expected);
    EXPECT_EQ(dlg->AppHandle, 0x1234u);
    EXPECT_EQ(dlg->AppPath, "C:\\suite\\");
    EXPECT_EQ(dlg->SubAppPath, "C:\\suite\\tax\\");
    EXPECT_EQ(dlg->SubAppCode, "TAX");
    EXPECT_EQ(dlg->CurFuncCode, "F0101");
    EXPECT_EQ(dlg->FuncCode, "F0101");
    EXPECT_EQ(dlg->SubAppInfo, &info);
    EXPECT_EQ(dlg->SubAppVO, &host.sub_app_vo);
    EXPECT_EQ(dlg->UserInfoVO, &host.user_vo);
    EXPECT_EQ(dlg->CompanyInfoVO, &host.company_vo);
    // The context is a snapshot: a later change of the host's function is not seen.
    host.func_code = "F0202";
    SendMessageA(dlg->Handle(), MSG_SKIN_CHANGED, 0, 0);
    EXPECT_EQ(dlg->FuncCode, "F0101");
}

TEST_F(CustomDlgTest, SetCaptionsSetsWindowCaptionAndBusinessTitle) {
    std::unique_ptr<Tfrm_CustomDlg> dlg(CreateForm<Tfrm_CustomDlg>());
    dlg->SetCaptions("Caption", "Business");
    EXPECT_EQ(WindowText(dlg->Handle()), "Caption");
    EXPECT_EQ(WindowText(dlg->lbBusinessName->Handle()), "Business");
}

TEST_F(CustomDlgTest, SkinChangeMessageReappliesTheSkinAndTheDerivedOverride) {
    std::unique_ptr<EditDialog> dlg(CreateForm<EditDialog>());
    EXPECT_EQ(dlg->own_skin_runs, 1);  // the override runs at creation
    host.top_bar = 0x00FF00;
    EXPECT_EQ(SendMessageA(dlg->Handle(), MSG_SKIN_CHANGED, 0, 0), 0);
    SendMessageA(dlg->Handle(), MSG_SKIN_CHANGED, 0, 0);
    EXPECT_EQ(dlg->own_skin_runs, 3);
    EXPECT_EQ(CountCalls(host, "gclTopBarColor"), 3);
    EXPECT_EQ(CountCalls(host, "SetSkinSchemeCtrls"), 3);
    EXPECT_EQ(dlg->pnlTop->Color(), 0x00FF00u);
}

TEST_F(CustomDlgTest, HookedEditsCarryOneHandlerAfterRepeatedSkinChanges) {
    host.Set("RunParameter", "SysIME", "Pinyin");
    std::unique_ptr<EditDialog> dlg(CreateForm<EditDialog>());
    SendMessageA(dlg->Handle(), MSG_SKIN_CHANGED, 0, 0);
    SendMessageA(dlg->Handle(), MSG_SKIN_CHANGED, 0, 0);
    EXPECT_TRUE(dlg->chinese->OnEnter);
    EXPECT_TRUE(dlg->plain->OnEnter);
    EXPECT_FALSE(dlg->memo->OnEnter);  // memos are not hooked
    dlg->Show();
    host.calls.clear();

    dlg->chinese->SetFocus();
    EXPECT_EQ(CountCalls(host, "GetUserConfigParam:RunParameter/SysIME"), 1);
    EXPECT_EQ(dlg->chinese->ImeMode(), TImeMode::Open);
    EXPECT_EQ(dlg->chinese->ImeName(), "Pinyin");

    // Entering again leaves it open and reads the configured name afresh.
    host.Set("RunParameter", "SysIME", "Wubi");
    dlg->plain->SetFocus();
    dlg->chinese->SetFocus();
    EXPECT_EQ(CountCalls(host, "GetUserConfigParam:RunParameter/SysIME"), 2);
    EXPECT_EQ(dlg->chinese->ImeMode(), TImeMode::Open);
    EXPECT_EQ(dlg->chinese->ImeName(), "Wubi");

    // Any other mode becomes close, named English.
    EXPECT_EQ(dlg->plain->ImeMode(), TImeMode::Close);
    EXPECT_EQ(dlg->plain->ImeName(), kEnglishGbk);
}

TEST_F(CustomDlgTest, AnEditWithItsOwnEntryHandlerKeepsIt) {
    std::unique_ptr<EditDialog> dlg(CreateForm<EditDialog>());
    SendMessageA(dlg->Handle(), MSG_SKIN_CHANGED, 0, 0);
    dlg->Show();
    host.calls.clear();
    dlg->own_handler->SetFocus();
    EXPECT_EQ(dlg->own_enter_runs, 1);
    EXPECT_EQ(CountCalls(host, "GetUserConfigParam:RunParameter/SysIME"), 0);
    EXPECT_EQ(dlg->own_handler->ImeName(), "");
}

TEST_F(CustomDlgTest, ImeNameDefaultsWhenTheUserConfiguredNone) {
    std::unique_ptr<EditDialog> dlg(CreateForm<EditDialog>());
    dlg->EditImeEnter(dlg->chinese);
    EXPECT_EQ(dlg->chinese->ImeName(), kChooseGbk);
    // Only skinned edits are switched.
    dlg->memo->SetImeName("memo");
    dlg->EditImeEnter(dlg->memo);
    dlg->EditImeEnter(nullptr);
    EXPECT_EQ(dlg->memo->ImeName(), "memo");
    EXPECT_EQ(dlg->memo->ImeMode(), TImeMode::Chinese);
}

TEST_F(CustomDlgTest, F1WithAnyShiftStateAltIncludedSendsTheHelpMessage) {
    RecordingWindow frame;
    std::unique_ptr<Tfrm_CustomDlg> dlg(CreateForm<Tfrm_CustomDlg>());
    {
        PostMessageA(dlg->Handle(), WM_KEYDOWN, VK_F1, 0);
        testing::PumpMessages();
    }
    {
        HeldKeys shift({VK_SHIFT, VK_LSHIFT});
        PostMessageA(dlg->Handle(), WM_KEYDOWN, VK_F1, 0);
        testing::PumpMessages();
    }
    {
        HeldKeys ctrl({VK_CONTROL, VK_LCONTROL});
        PostMessageA(dlg->Handle(), WM_KEYDOWN, VK_F1, 0);
        testing::PumpMessages();
    }
    {
        // With Alt held the key comes as a system key.
        HeldKeys alt({VK_MENU, VK_LMENU});
        PostMessageA(dlg->Handle(), WM_SYSKEYDOWN, VK_F1, 1 << 29);
        testing::PumpMessages();
    }
    PostMessageA(dlg->Handle(), WM_KEYDOWN, VK_F2, 0);
    PostMessageA(dlg->Handle(), WM_KEYDOWN, 'A', 0);
    testing::PumpMessages();
    ASSERT_EQ(frame.Count(MSG_FRAME_F1), 4);
    for (const auto& m : frame.received()) {
        EXPECT_EQ(m.message, MSG_FRAME_F1);
        EXPECT_EQ(m.wparam, 0u);
        EXPECT_EQ(m.lparam, 0);
    }
}

TEST_F(CustomDlgTest, TheHostsMainFrameHandleWinsOverTheWindowClass) {
    RecordingWindow by_class;
    RecordingWindow given("NetprobeTestHostFrame");
    host.main_frame = reinterpret_cast<HostHandle>(given.handle());
    std::unique_ptr<Tfrm_CustomDlg> dlg(CreateForm<Tfrm_CustomDlg>());
    SendMessageA(dlg->Handle(), WM_KEYDOWN, VK_F1, 0);
    EXPECT_EQ(given.Count(MSG_FRAME_F1), 1);
    EXPECT_EQ(by_class.Count(MSG_FRAME_F1), 0);
}

TEST_F(CustomDlgTest, WithoutAnyMainFrameF1SendsNothing) {
    ASSERT_EQ(FindWindowA("Tfrm_MainFrame", nullptr), nullptr);
    std::unique_ptr<Tfrm_CustomDlg> dlg(CreateForm<Tfrm_CustomDlg>());
    SendMessageA(dlg->Handle(), WM_KEYDOWN, VK_F1, 0);
    SendToMainFrame(MSG_FRAME_F1);
    SendTextToMainFrame(1, "x");
    EXPECT_TRUE(IsWindow(dlg->Handle()));
}

TEST_F(CustomDlgTest, CopiedTextCarriesCodeAndTerminatedBytes) {
    RecordingWindow frame;
    SendTextToMainFrame(7, "abc");
    SendTextToMainFrame(0x80000001u, "");
    SendTextToMainFrame(3, kModuleNameGbk);
    ASSERT_EQ(frame.Count(WM_COPYDATA), 3);
    const auto& r = frame.received();
    EXPECT_EQ(r[0].copy_code, 7u);
    EXPECT_EQ(r[0].copy_bytes, 4u);
    EXPECT_EQ(r[0].copy_data, std::string("abc\0", 4));
    EXPECT_EQ(r[0].wparam, reinterpret_cast<WPARAM>(Application().Handle()));
    EXPECT_EQ(r[1].copy_code, 0x80000001u);
    EXPECT_EQ(r[1].copy_bytes, 1u);  // the terminating zero alone
    EXPECT_EQ(r[1].copy_data, std::string("\0", 1));
    EXPECT_EQ(r[2].copy_bytes, kModuleNameGbk.size() + 1);
    EXPECT_EQ(r[2].copy_data, kModuleNameGbk + '\0');
}

TEST_F(CustomDlgTest, ClosingAShownDialogFreesIt) {
    bool gone = false;
    auto* dlg = CreateForm<WatchedDialog>(&gone);
    dlg->Show();
    PostMessageA(dlg->Handle(), WM_CLOSE, 0, 0);
    EXPECT_TRUE(PumpUntil([&] { return gone; }));
}

TEST_F(CustomDlgTest, AModalDialogCanBeReadAfterItsLoopAndDestroyedByTheCaller) {
    bool gone = false;
    auto* dlg = CreateForm<WatchedDialog>(&gone);
    PostMessageA(dlg->Handle(), WM_CLOSE, 0, 0);
    EXPECT_EQ(dlg->ShowModal(), mrCancel);
    EXPECT_FALSE(gone);
    EXPECT_EQ(dlg->lbBusinessName->Caption(), kModuleNameGbk);
    delete dlg;
    EXPECT_TRUE(gone);
    testing::PumpMessages();  // the pending release finds no window
}

}  // namespace
}  // namespace netprobe::ui
