// What a probe costs over a bare libcurl request, and what the waiting thread burns.
//
// 1. Per-probe cost: RunProbe (thread, wait, classification) against a bare libcurl HEAD
//    with a fresh easy handle, alternating against the same loopback origin.
// 2. Waiting cost: CPU time of the thread inside RunProbe as a share of the wall time, while
//    the origin holds the answer for one second.
#include <curl/curl.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "bench/bench_util.h"
#include "conntest/f_HttPTestConnect.h"
#include "tests/support/loopback/http_origin.h"

namespace netprobe::bench {
namespace {

size_t Discard(char*, size_t size, size_t count, void*) { return size * count; }

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

double Mean(const std::vector<double>& v) {
    double sum = 0;
    for (double x : v) sum += x;
    return v.empty() ? 0 : sum / static_cast<double>(v.size());
}

bool BareHead(const std::string& url) {
    CURL* curl = curl_easy_init();
    curl_easy_setopt(curl, CURLOPT_URL, url.c_str());
    curl_easy_setopt(curl, CURLOPT_NOBODY, 1L);
    curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(curl, CURLOPT_PROXY, "");
    curl_easy_setopt(curl, CURLOPT_TIMEOUT_MS, 2000L);
    curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, Discard);
    CURLcode rc = curl_easy_perform(curl);
    long status = 0;
    curl_easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &status);
    curl_easy_cleanup(curl);
    return rc == CURLE_OK && status == 200;
}

int Run(int rounds) {
    curl_global_init(CURL_GLOBAL_DEFAULT);
    testing::HttpOrigin origin;
    TServerInfo server;
    server.Host = "127.0.0.1";
    server.PortText = std::to_string(origin.port());
    server.Action = "bench";
    const std::string url = "http://127.0.0.1:" + server.PortText + "/bench";

    // Warm-up, then alternate the two so that drift affects both alike.
    std::string message;
    for (int i = 0; i < 20; ++i) {
        BareHead(url);
        RunProbe(server, message, 2000);
    }
    std::vector<double> bare_ms, probe_ms;
    int failures = 0;
    for (int i = 0; i < rounds; ++i) {
        auto t0 = Clock::now();
        failures += BareHead(url) ? 0 : 1;
        auto t1 = Clock::now();
        failures += RunProbe(server, message, 2000) ? 0 : 1;
        auto t2 = Clock::now();
        bare_ms.push_back(Seconds(t1 - t0) * 1000);
        probe_ms.push_back(Seconds(t2 - t1) * 1000);
    }
    // Medians: a shared machine's stalls hit single rounds, not the middle of the spread.
    const double bare_median = Median(bare_ms), probe_median = Median(probe_ms);
    std::printf("per-probe cost over %d alternating rounds (median): RunProbe %.3f ms, bare libcurl HEAD %.3f ms\n",
                rounds, probe_median, bare_median);
    std::printf("  ratio RunProbe / bare = %.2f (target <= 1.5); means %.3f / %.3f ms%s\n", probe_median / bare_median,
                Mean(probe_ms), Mean(bare_ms), failures ? "  [some requests failed]" : "");

    origin.SetDelay(std::chrono::milliseconds(1000));
    const double cpu0 = ThreadCpuSeconds();
    const auto w0 = Clock::now();
    const bool ok = RunProbe(server, message, 5000);
    const double wall = Seconds(Clock::now() - w0), cpu = ThreadCpuSeconds() - cpu0;
    std::printf("waiting thread during a probe held 1 s: cpu %.4f s of wall %.3f s = %.2f %% (target <= 5 %%)%s\n", cpu,
                wall, 100 * cpu / wall, ok ? "" : "  [probe failed]");
    curl_global_cleanup();
    return failures == 0 && ok ? 0 : 1;
}

}  // namespace
}  // namespace netprobe::bench

int main(int argc, char** argv) {
    int rounds = argc > 1 ? std::atoi(argv[1]) : 500;
    if (rounds <= 0 || rounds > 100000) rounds = 500;
    return netprobe::bench::Run(rounds);
}
