#pragma once

#include <chrono>
#include <cstdint>
#include <string>

namespace netprobe::bench {

using Clock = std::chrono::steady_clock;

inline double Seconds(Clock::duration d) { return std::chrono::duration<double>(d).count(); }

// CPU time of the calling thread, in seconds.
double ThreadCpuSeconds();
// Resident memory of the process in KiB, from the kernel's accounting.
std::int64_t ResidentKiB();
// Threads of the process.
int ThreadCount();

}  // namespace netprobe::bench
