#include "ui/kit/timer.h"

#include <map>

#include "ui/kit/application.h"

namespace netprobe::ui {

namespace {

std::map<UINT_PTR, TTimer*>& Timers() {
    static std::map<UINT_PTR, TTimer*> timers;
    return timers;
}

UINT_PTR NextId() {
    static UINT_PTR next = 1;
    return next++;
}

// The system calls this when the message loop dispatches the timer's WM_TIMER. An exception
// of the handler goes where the application sends every exception of a message.
void CALLBACK TimerProc(HWND, UINT, UINT_PTR id, DWORD) {
    try {
        TTimer::Dispatch(id);
    } catch (...) {
        Application().HandleException(std::current_exception());
    }
}

}  // namespace

TTimer::TTimer() : id_(NextId()) { Timers()[id_] = this; }

TTimer::~TTimer() {
    // Never makes the application window: that may raise, and one released is not wanted back.
    if (running_ && Application().HandleAllocated()) KillTimer(Application().Handle(), id_);
    Timers().erase(id_);
}

void TTimer::Update() {
    HWND window = Application().Handle();
    if (running_) {
        KillTimer(window, id_);
        running_ = false;
    }
    if (enabled_ && interval_ != 0 && on_timer_) {
        running_ = SetTimer(window, id_, interval_, TimerProc) != 0;
        if (running_) ++starts_;
    }
}

void TTimer::SetEnabled(bool enabled) {
    if (enabled == enabled_) return;
    enabled_ = enabled;
    Update();
}

void TTimer::SetInterval(unsigned ms) {
    if (ms == interval_) return;
    interval_ = ms;
    Update();
}

void TTimer::SetOnTimer(std::function<void()> handler) {
    on_timer_ = std::move(handler);
    Update();
}

void TTimer::Tick() {
    if (!on_timer_) return;
    auto handler = on_timer_;  // the handler may free this timer
    handler();
}

void TTimer::Dispatch(UINT_PTR id) {
    auto it = Timers().find(id);
    if (it != Timers().end()) it->second->Tick();
}

}  // namespace netprobe::ui
