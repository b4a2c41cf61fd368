#include <condition_variable>
#include <mutex>

#include "conntest/probe_signal.h"

namespace netprobe {

// No window system: a condition variable, and the wait slice bounds how long the host's
// event hook waits between two calls.
struct ProbeSignal::Impl {
    std::mutex mutex;
    std::condition_variable cv;
    bool notified = false;
};

ProbeSignal::ProbeSignal() : impl_(std::make_unique<Impl>()) {}
ProbeSignal::~ProbeSignal() = default;

void ProbeSignal::Reset() {
    std::lock_guard<std::mutex> lock(impl_->mutex);
    impl_->notified = false;
}

void ProbeSignal::Notify() {
    {
        std::lock_guard<std::mutex> lock(impl_->mutex);
        impl_->notified = true;
    }
    impl_->cv.notify_all();
}

void ProbeSignal::WaitForNotifyOrEvents(std::chrono::milliseconds max) {
    std::unique_lock<std::mutex> lock(impl_->mutex);
    impl_->cv.wait_for(lock, max, [this] { return impl_->notified; });
}

}  // namespace netprobe
