// Soak under the sanitizers: TestUpdateServer, as the host calls it, against sound and broken
// loopback peers in turn (resets, stalls, trickles, nonsense answers, closed connections,
// broken SOCKS handshakes), bounded in calls and in time. Every verdict must be the expected
// one, no thread may stay behind, and resident memory must stay flat over the second half of
// the run (the first calls set up libcurl, libxml2 and the sanitizer's own bookkeeping). Run it in the linux-asan and
// linux-tsan builds (scripts/soak); a sanitizer report ends the run on its own.
//
// Usage: sanitizer_soak [CALLS (300)] [SECONDS (60)] [GROWTH_BUDGET_KIB (2048)]

#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "bench/bench_util.h"
#include "module/TestUpdateServer.h"
#include "tests/support/installation.h"
#include "tests/support/loopback/http_origin.h"
#include "tests/support/loopback/socks_server.h"

namespace netprobe::bench {
namespace {

using namespace std::chrono_literals;
using testing::HttpOrigin;
using testing::OriginFault;
using testing::SocksFault;
using testing::SocksServer;

// The channel's time-out: the request limit in milliseconds, short so stalls end soon.
constexpr int kRequestLimitMs = 300;
constexpr int kCheckpointEvery = 50;

struct Proxy {
    const char* mode;  // "socket4" / "socket5"
    std::uint16_t port;
};

struct Round {
    std::string name;
    std::vector<std::uint16_t> servers;
    std::optional<Proxy> proxy;
    bool expected;
};

// Every peer of the run, alive for all of it.
struct Peers {
    HttpOrigin sound, reset, stalled, trickle, garbage, status999, closing, half_head;
    SocksServer socks5{5}, socks4_closing{4}, socks5_malformed{5};

    Peers() {
        for (HttpOrigin* origin : {&sound, &reset, &stalled, &trickle, &garbage, &status999, &closing, &half_head}) {
            origin->KeepRequests(false);
        }
        for (SocksServer* socks : {&socks5, &socks4_closing, &socks5_malformed}) socks->KeepRecords(false);
        reset.SetFault(OriginFault::kResetMidAnswer);
        stalled.SetFault(OriginFault::kHalfStatusLine);
        trickle.SetTrickle(1000ms);  // gaps longer than the read time-out
        garbage.SetRawAnswer("no status line here\r\n\r\n");
        status999.SetStatus(999);
        closing.SetFault(OriginFault::kCloseOnAccept);
        half_head.SetRawAnswer("HTTP/1.1 200 OK\r\n");
        socks4_closing.SetFault(SocksFault::kCloseDuringHandshake);
        socks5_malformed.SetFault(SocksFault::kMalformedReply);
    }

    // Sound rounds and broken rounds alternate; each kind comes round in turn.
    std::vector<Round> Rounds() const {
        const std::vector<Round> sound_rounds = {
            {"direct", {sound.port()}, std::nullopt, true},
            {"broken-then-sound", {reset.port(), closing.port(), sound.port()}, std::nullopt, true},
            {"socks5", {sound.port()}, Proxy{"socket5", socks5.port()}, true},
        };
        const std::vector<Round> broken_rounds = {
            {"reset", {reset.port()}, std::nullopt, false},
            {"half-status-line", {stalled.port()}, std::nullopt, false},
            {"trickle", {trickle.port()}, std::nullopt, false},
            {"garbage", {garbage.port()}, std::nullopt, false},
            {"status-999", {status999.port()}, std::nullopt, false},
            {"close-on-accept", {closing.port()}, std::nullopt, false},
            {"half-head", {half_head.port()}, std::nullopt, false},
            {"socks4-close", {sound.port()}, Proxy{"socket4", socks4_closing.port()}, false},
            {"socks5-malformed", {sound.port()}, Proxy{"socket5", socks5_malformed.port()}, false},
        };
        std::vector<Round> rounds;
        for (std::size_t i = 0; i < broken_rounds.size() * sound_rounds.size(); ++i) {
            rounds.push_back(sound_rounds[i % sound_rounds.size()]);
            rounds.push_back(broken_rounds[i % broken_rounds.size()]);
        }
        return rounds;
    }
};

// The installation as this round has it: its servers in the channel file, its proxy in the
// user configuration.
void Install(const testing::Installation& installation, const Round& round) {
    testing::ChannelFile channel{.name = "soak", .timeout = std::to_string(kRequestLimitMs), .end = "\n"};
    for (std::uint16_t port : round.servers) channel.servers.push_back({.port = port});
    installation.Write(channel);
    if (round.proxy) {
        installation.WriteUserConfig("[NetWork]\nProxyEnable=1\nProxyMode=" + std::string(round.proxy->mode) +
                                     "\nProxyServer=127.0.0.1\nProxyPort=" + std::to_string(round.proxy->port) +
                                     "\nProxyAuthor=0\n");
    } else {
        installation.WriteUserConfig("[NetWork]\nProxyEnable=0\n");
    }
}

struct Checkpoint {
    int calls;
    std::int64_t rss_kib;
};

struct Figures {
    int calls = 0, wrong = 0;
    std::vector<Checkpoint> checkpoints;
    std::int64_t rss_peak = 0, rss_end = 0;
    int threads_before = 0, threads_left = 0;
    double seconds = 0;
};

Figures Soak(int max_calls, double max_seconds) {
    Figures figures;
    // The sanitizer runtimes start a thread of their own with the first thread the program
    // creates (ThreadSanitizer's background thread): let that happen before counting.
    std::thread([] {}).join();
    figures.threads_before = ThreadCount();
    {
        Peers peers;
        testing::Installation installation("[NetWork]\nProxyEnable=0\n");
        const std::vector<Round> rounds = peers.Rounds();
        const auto start = Clock::now();
        for (; figures.calls < max_calls && Seconds(Clock::now() - start) < max_seconds; ++figures.calls) {
            const Round& round = rounds[static_cast<std::size_t>(figures.calls) % rounds.size()];
            Install(installation, round);
            if (TestUpdateServer() != round.expected) {
                ++figures.wrong;
                std::printf("  call %d (%s): verdict %s, expected %s\n", figures.calls, round.name.c_str(),
                            round.expected ? "false" : "true", round.expected ? "true" : "false");
            }
            const std::int64_t rss = ResidentKiB();
            figures.rss_peak = std::max(figures.rss_peak, rss);
            if ((figures.calls + 1) % kCheckpointEvery == 0) {
                figures.checkpoints.push_back({figures.calls + 1, rss});
                std::printf("  %4d calls  %6.1f s  resident %lld KiB  threads %d\n", figures.calls + 1,
                            Seconds(Clock::now() - start), static_cast<long long>(rss), ThreadCount());
                std::fflush(stdout);
            }
        }
        figures.seconds = Seconds(Clock::now() - start);
        figures.rss_end = ResidentKiB();
    }
    figures.threads_left = ThreadCount() - figures.threads_before;
    return figures;
}

int Run(int max_calls, double max_seconds, std::int64_t budget_kib) {
    std::printf("sanitizer soak: up to %d TestUpdateServer calls or %.0f s, sound and broken peers in turn\n",
                max_calls, max_seconds);
    const Figures f = Soak(max_calls, max_seconds);
    std::printf("soak: %d calls in %.1f s, %d wrong verdicts\n", f.calls, f.seconds, f.wrong);
    // Growth over the second half: from the first checkpoint at or past half the calls.
    const Checkpoint* half = nullptr;
    for (const Checkpoint& c : f.checkpoints) {
        if (c.calls * 2 >= f.calls && c.calls < f.calls) {
            half = &c;
            break;
        }
    }
    const std::int64_t growth = half ? f.rss_end - half->rss_kib : 0;
    if (half) {
        std::printf(
            "  resident after %d calls %lld KiB, at the end %lld KiB (peak %lld): growth %lld KiB over the "
            "second half (budget %lld)\n",
            half->calls, static_cast<long long>(half->rss_kib), static_cast<long long>(f.rss_end),
            static_cast<long long>(f.rss_peak), static_cast<long long>(growth), static_cast<long long>(budget_kib));
    } else {
        std::printf("  too few calls to measure resident memory growth\n");
    }
    std::printf("  threads left behind %d\n", f.threads_left);
    return f.wrong == 0 && f.threads_left == 0 && growth <= budget_kib ? 0 : 1;
}

int Arg(int argc, char** argv, int index, int fallback) {
    if (argc <= index) return fallback;
    const int value = std::atoi(argv[index]);
    return value > 0 ? value : fallback;
}

}  // namespace
}  // namespace netprobe::bench

int main(int argc, char** argv) {
    using namespace netprobe::bench;
    return Run(Arg(argc, argv, 1, 300), Arg(argc, argv, 2, 60), Arg(argc, argv, 3, 2048));
}
