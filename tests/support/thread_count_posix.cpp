#include "tests/support/thread_count.h"

#include <filesystem>

namespace netprobe::testing {

int ProcessThreadCount() {
    std::error_code ec;
    std::filesystem::directory_iterator it("/proc/self/task", ec);
    if (ec) return -1;
    int count = 0;
    for (; it != std::filesystem::directory_iterator(); it.increment(ec)) {
        if (ec) return -1;
        ++count;
    }
    return count;
}

}  // namespace netprobe::testing
