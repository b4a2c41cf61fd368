#include <windows.h>

#include "conntest/probe_signal.h"

namespace netprobe {

// A manual-reset event set by the probe thread; the waiter also wakes for any input or
// message that arrives for the user-interface thread, so the host stays responsive.
struct ProbeSignal::Impl {
    HANDLE event = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    ~Impl() {
        if (event) CloseHandle(event);
    }
};

ProbeSignal::ProbeSignal() : impl_(std::make_unique<Impl>()) {}
ProbeSignal::~ProbeSignal() = default;

void ProbeSignal::Reset() { ResetEvent(impl_->event); }
void ProbeSignal::Notify() { SetEvent(impl_->event); }

void ProbeSignal::WaitForNotifyOrEvents(std::chrono::milliseconds max) {
    if (!impl_->event) {
        Sleep(static_cast<DWORD>(max.count()));
        return;
    }
    MsgWaitForMultipleObjectsEx(1, &impl_->event, static_cast<DWORD>(max.count()), QS_ALLINPUT, MWMO_INPUTAVAILABLE);
}

}  // namespace netprobe
