#pragma once

#include <chrono>

namespace netprobe::testing {

// Threads of the calling process right now; -1 where the count is not available.
int ProcessThreadCount();

// Waits until the process has at most `expected` threads, or `limit` passed (a joined
// thread may linger in the kernel's list for a moment after its end). Returns the last
// count; -1 where the count is not available.
int SettledThreadCount(int expected, std::chrono::milliseconds limit = std::chrono::seconds(5));

// Lets the threads that runtimes start on the program's first thread creation (such as
// ThreadSanitizer's background thread) come up, so that a count taken afterwards stays put.
void StartRuntimeThreads();

// Counts the threads before a scope and tells whether the process is back to that count
// after it.
class ThreadCountGuard {
public:
    ThreadCountGuard() : before_((StartRuntimeThreads(), ProcessThreadCount())) {}
    bool available() const { return before_ >= 0; }
    int before() const { return before_; }
    // The count now, after letting finished threads go.
    int after() const { return SettledThreadCount(before_); }

private:
    int before_;
};

}  // namespace netprobe::testing
