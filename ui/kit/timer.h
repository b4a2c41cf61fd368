#pragma once
// A message-based timer: WM_TIMER on the application window, dispatched by the message loop to
// the timer's own procedure, so its handler runs on the user-interface thread between other
// messages and never overlaps a paint.
#include <windows.h>

#include <functional>

namespace netprobe::ui {

class TTimer {
public:
    TTimer();  // enabled, interval 1000 ms, no handler
    ~TTimer();
    TTimer(const TTimer&) = delete;
    TTimer& operator=(const TTimer&) = delete;

    bool Enabled() const { return enabled_; }
    unsigned Interval() const { return interval_; }
    bool Running() const { return running_; }
    // How often the system timer was (re)started: a change of interval restarts it.
    int Starts() const { return starts_; }

    void SetEnabled(bool enabled);  // acts on a change only
    void SetInterval(unsigned ms);  // acts on a change only; restarts a running timer
    void SetOnTimer(std::function<void()> handler);

    // Runs the handler as the timer would.
    void Tick();

    // Runs the handler of the timer with this id, if it still exists.
    static void Dispatch(UINT_PTR id);

private:
    void Update();

    bool enabled_ = true;
    unsigned interval_ = 1000;
    bool running_ = false;
    int starts_ = 0;
    UINT_PTR id_;
    std::function<void()> on_timer_;
};

}  // namespace netprobe::ui
