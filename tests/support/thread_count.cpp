#include "tests/support/thread_count.h"

#include <thread>

namespace netprobe::testing {

void StartRuntimeThreads() {
    static const bool started = [] {
        std::thread([] {}).join();
        return true;
    }();
    (void)started;
}

int SettledThreadCount(int expected, std::chrono::milliseconds limit) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    int count = ProcessThreadCount();
    while (count > expected && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
        count = ProcessThreadCount();
    }
    return count;
}

}  // namespace netprobe::testing
