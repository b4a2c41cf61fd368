// Soak: consecutive TestUpdateServer calls against a loopback origin, with the growth of
// resident memory and the threads left behind.
#include <cstdio>
#include <cstdlib>

#include "bench/bench_util.h"
#include "core/default_host.h"
#include "module/TestUpdateServer.h"
#include "tests/support/installation.h"
#include "tests/support/loopback/http_origin.h"

namespace netprobe::bench {
namespace {

int Run(int calls, double max_seconds) {
    testing::HttpOrigin origin;
    origin.KeepRequests(false);
    testing::Installation installation("[NetWork]\nProxyEnable=0\n");
    installation.Write({.name = "soak",
                        .servers = {{.port = origin.port(), .action = "a"}, {.port = origin.port(), .action = "b"}},
                        .end = "\n"});

    const int threads_before = ThreadCount();
    // The first calls set up libcurl and libxml2 for good; measure growth after them.
    for (int i = 0; i < 50; ++i) TestUpdateServer();
    const std::int64_t rss_start = ResidentKiB();
    const auto start = Clock::now();
    int passed = 0, done = 0;
    for (; done < calls && Seconds(Clock::now() - start) < max_seconds; ++done) passed += TestUpdateServer() ? 1 : 0;
    const double wall = Seconds(Clock::now() - start);
    const std::int64_t growth = ResidentKiB() - rss_start;
    const int threads_left = ThreadCount() - threads_before;
    std::printf("soak: %d TestUpdateServer calls in %.1f s (%.2f ms each), %d passed\n", done, wall,
                1000 * wall / std::max(done, 1), passed);
    std::printf("  resident memory growth %lld KiB (target <= 1024 KiB); threads left behind %d (target 0)\n",
                static_cast<long long>(growth), threads_left);
    return passed == done && growth <= 1024 && threads_left == 0 ? 0 : 1;
}

}  // namespace
}  // namespace netprobe::bench

int main(int argc, char** argv) {
    int calls = argc > 1 ? std::atoi(argv[1]) : 10000;
    if (calls <= 0) calls = 10000;
    return netprobe::bench::Run(calls, 600.0);
}
