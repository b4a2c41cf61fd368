#pragma once

#include <chrono>
#include <memory>

namespace netprobe {

// Wakes the thread that waits for a probe. The waiter blocks until the probe thread calls
// Notify, until the host has new window events to process (Windows), or until `max` passed.
class ProbeSignal {
public:
    ProbeSignal();
    ~ProbeSignal();
    ProbeSignal(const ProbeSignal&) = delete;
    ProbeSignal& operator=(const ProbeSignal&) = delete;

    void Reset();
    void Notify();
    void WaitForNotifyOrEvents(std::chrono::milliseconds max);

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

// How long one pass of the wait blocks at most before it processes the host's events again.
inline constexpr std::chrono::milliseconds kWaitSlice{10};
// How long the wait yields instead of blocking, at the start of a probe.
inline constexpr std::chrono::microseconds kSpinPhase{2000};

}  // namespace netprobe
