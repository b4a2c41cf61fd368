// The toolkit layer under the dialogs: message timers, component ownership and free
// notifications, a close that the form refuses, errors stopped at the window procedure, and a
// control whose window cannot be made.
#include <gtest/gtest.h>

#include <windows.h>

#include <memory>
#include <stdexcept>

#include "core/errors.h"
#include "core/texts.h"
#include "tests/ui/ui_test_support.h"
#include "ui/kit/application.h"
#include "ui/kit/component.h"
#include "ui/kit/form.h"
#include "ui/kit/label.h"
#include "ui/kit/timer.h"

namespace netprobe::ui {
namespace {

TEST(Timer, TicksThroughTheMessageLoopAndRestartsOnlyOnAChange) {
    TTimer timer;
    int ticks = 0;
    timer.SetInterval(5);
    timer.SetOnTimer([&] { ++ticks; });
    EXPECT_TRUE(timer.Running());
    const int starts = timer.Starts();
    timer.SetInterval(5);
    EXPECT_EQ(timer.Starts(), starts);
    EXPECT_TRUE(testing::PumpUntil([&] { return ticks >= 2; }));
    timer.SetEnabled(false);
    EXPECT_FALSE(timer.Running());
    timer.SetEnabled(true);
    EXPECT_EQ(timer.Starts(), starts + 1);
}

TEST(Timer, AHandlerMayFreeItsOwnTimer) {
    auto timer = std::make_unique<TTimer>();
    timer->SetOnTimer([&] { timer.reset(); });
    timer->Tick();
    EXPECT_EQ(timer, nullptr);
}

class Watcher : public TComponent {
public:
    using TComponent::TComponent;
    TComponent* removed = nullptr;

protected:
    void Notification(TComponent* component, TOperation operation) override {
        if (operation == TOperation::Remove) removed = component;
    }
};

TEST(Component, OwnerFreesItsComponentsAndWatchersHearOfIt) {
    Watcher watcher(nullptr);
    auto owner = std::make_unique<TComponent>(nullptr);
    auto* first = new TComponent(owner.get());
    auto* second = new TComponent(owner.get());
    EXPECT_EQ(owner->ComponentCount(), 2);
    EXPECT_EQ(owner->Component(1), second);
    watcher.FreeNotification(second);
    delete first;  // leaves its owner's list
    EXPECT_EQ(owner->ComponentCount(), 1);
    owner.reset();
    EXPECT_EQ(watcher.removed, second);
}

// A label takes the size of its caption in its font, again after each change; with word
// wrap it keeps its width and takes the height of its lines; a fixed one keeps its size.
TEST(Label, TakesTheSizeOfItsCaptionUnlessFixed) {
    std::unique_ptr<TForm> form(CreateForm<TForm>());
    auto* label = new TLabel({.parent = form.get(), .left = 5, .top = 6, .width = 10, .height = 10, .caption = "ab"});
    auto extent = [](int height, const std::string& text) {
        return testing::TextExtent(texts::FontSong(), height, GB2312_CHARSET, text);
    };
    SIZE size = extent(-12, "ab");
    testing::ExpectBounds(*label, 5, 6, size.cx, size.cy);
    label->SetCaption("abcdef");
    label->Font().SetHeight(-20);
    size = extent(-20, "abcdef");
    testing::ExpectBounds(*label, 5, 6, size.cx, size.cy);

    label->SetWordWrap(true);
    label->SetCaption("abcdef abcdef");
    testing::ExpectBounds(*label, 5, 6, size.cx, 2 * size.cy);

    auto* fixed =
        new TLabel({.parent = form.get(), .width = 30, .height = 40, .caption = "a longer caption"}, TLabelSize::Fixed);
    fixed->Font().SetHeight(-20);
    EXPECT_EQ(fixed->Width(), 30);
    EXPECT_EQ(fixed->Height(), 40);
}

class RefusingForm : public TForm {
public:
    int close_requests = 0;

protected:
    void DoClose(TCloseAction& action) override {
        if (++close_requests == 1) action = TCloseAction::None;
    }
};

TEST(Form, ARefusedCloseKeepsTheModalLoopGoing) {
    std::unique_ptr<RefusingForm> form(CreateForm<RefusingForm>());
    PostMessageA(form->Handle(), WM_CLOSE, 0, 0);
    PostMessageA(form->Handle(), WM_CLOSE, 0, 0);
    EXPECT_EQ(form->ShowModal(), mrCancel);
    EXPECT_EQ(form->close_requests, 2);
    EXPECT_FALSE(form->Visible());
}

class ThrowingForm : public TForm {
protected:
    LRESULT WndProc(UINT message, WPARAM wparam, LPARAM lparam) override {
        if (message == WM_APP + 7) throw std::runtime_error("handler failed");
        return TForm::WndProc(message, wparam, lparam);
    }
};

TEST(Form, AnErrorInAHandlerEndsAtTheWindowProcedure) {
    std::unique_ptr<ThrowingForm> form(CreateForm<ThrowingForm>());
    int errors = 0;
    Application().OnException = [&](std::exception_ptr) { ++errors; };
    SendMessageA(form->Handle(), WM_APP + 7, 0, 0);
    Application().OnException = nullptr;
    EXPECT_EQ(errors, 1);
    EXPECT_TRUE(IsWindow(form->Handle()));
}

class NoWindowControl : public TWinControl {
public:
    explicit NoWindowControl(const ControlArgs& args) : TWinControl(OwnerFor(args)) {
        WindowParams params;
        params.class_name = "NetprobeNoSuchClass";
        CreateChild(args, params);
    }
};

// A control whose window cannot be made raises the system's error, and is neither among its
// parent's controls nor among its owner's components afterwards.
TEST(Control, WithoutItsWindowRaisesTheSystemErrorAndIsUndone) {
    std::unique_ptr<TForm> form(CreateForm<TForm>());
    try {
        [[maybe_unused]] auto* control = new NoWindowControl({.parent = form.get()});
        ADD_FAILURE() << "no error raised";
    } catch (const EOSError& error) {
        // The code that CreateWindowExA left: Windows says 1407 for an unknown class, Wine 1411.
        const unsigned long code = error.Code();
        EXPECT_TRUE(code == ERROR_CANNOT_FIND_WND_CLASS || code == ERROR_CLASS_DOES_NOT_EXIST) << code;
    }
    EXPECT_EQ(form->ControlCount(), 0);
    EXPECT_EQ(form->ComponentCount(), 0);
}

}  // namespace
}  // namespace netprobe::ui
