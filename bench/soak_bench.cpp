// Soak: consecutive TestUpdateServer calls against a loopback origin, with the growth of
// resident memory and the threads left behind.
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "bench/bench_util.h"
#include "core/default_host.h"
#include "module/TestUpdateServer.h"
#include "tests/support/loopback/http_origin.h"

namespace netprobe::bench {
namespace {

std::string MakeInstallation(std::uint16_t port) {
    namespace fs = std::filesystem;
    fs::path dir = fs::temp_directory_path() / ("netprobe-soak-" + std::to_string(port));
    fs::create_directories(dir);
    std::ofstream(dir / "MainCommunication.ncc")
        << "<?xml version=\"1.0\"?><CONFIG><COMMUNICATIONS><UPDATE><NAME>soak</NAME><SERVERS>"
        << "<SERVER><SERVERIP>127.0.0.1</SERVERIP><PORT>" << port << "</PORT><SERVERACTION>a</SERVERACTION></SERVER>"
        << "<SERVER><SERVERIP>127.0.0.1</SERVERIP><PORT>" << port << "</PORT><SERVERACTION>b</SERVERACTION></SERVER>"
        << "</SERVERS><TIMEOUT>2000</TIMEOUT></UPDATE></COMMUNICATIONS></CONFIG>\n";
    std::ofstream(dir / "UserConfig.ini") << "[NetWork]\nProxyEnable=0\n";
    return dir.string();
}

int Run(int calls, double max_seconds) {
    testing::HttpOrigin origin;
    origin.KeepRequests(false);
    const std::string dir = MakeInstallation(origin.port());
    setenv("NETPROBE_APP_DIR", dir.c_str(), 1);
    setenv("NETPROBE_USER_CONFIG", (dir + "/UserConfig.ini").c_str(), 1);

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
    std::filesystem::remove_all(dir);
    return passed == done && growth <= 1024 && threads_left == 0 ? 0 : 1;
}

}  // namespace
}  // namespace netprobe::bench

int main(int argc, char** argv) {
    int calls = argc > 1 ? std::atoi(argv[1]) : 10000;
    if (calls <= 0) calls = 10000;
    return netprobe::bench::Run(calls, 600.0);
}
