#pragma once

#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <mutex>
#include <vector>

namespace netprobe::testing {

// A thread-safe list of what a server saw, with a way to wait for the n-th entry.
template <typename Entry>
class Recorder {
public:
    void Add(Entry entry) {
        {
            std::lock_guard lock(mutex_);
            ++count_;
            if (keep_) entries_.push_back(std::move(entry));
        }
        changed_.notify_all();
    }

    std::vector<Entry> entries() const {
        std::lock_guard lock(mutex_);
        return entries_;
    }

    // Long runs (soaks) count what arrives without keeping it.
    void SetKeep(bool keep) {
        std::lock_guard lock(mutex_);
        keep_ = keep;
    }
    std::size_t count() const {
        std::lock_guard lock(mutex_);
        return count_;
    }

    // True once at least `count` entries arrived (kept or not); false when `timeout` passes first.
    bool WaitFor(std::size_t count, std::chrono::milliseconds timeout) const {
        std::unique_lock lock(mutex_);
        return changed_.wait_for(lock, timeout, [&] { return count_ >= count; });
    }

private:
    mutable std::mutex mutex_;
    mutable std::condition_variable changed_;
    std::vector<Entry> entries_;
    std::size_t count_ = 0;
    bool keep_ = true;
};

}  // namespace netprobe::testing
