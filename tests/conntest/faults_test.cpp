// Broken peers on loopback: origins and SOCKS proxies that reset, stall, trickle, close or
// answer nonsense. Every probe ends with its message, within the request's limits, and leaves
// no thread behind. (An HTTP proxy answering garbage: http_proxy_test.cpp; a time-out of 0
// against a silent origin: probe_test.cpp.)
#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <memory>
#include <thread>

#include "conntest/driver.h"
#include "conntest/f_HttPTestConnect.h"
#include "core/gbk.h"
#include "tests/conntest/probe_servers.h"
#include "tests/support/channel_file.h"
#include "tests/support/fake_host.h"
#include "tests/support/loopback/http_origin.h"
#include "tests/support/loopback/loopback_server.h"
#include "tests/support/loopback/socks_server.h"
#include "tests/support/temp_dir.h"
#include "tests/support/thread_count.h"

namespace netprobe {
namespace {

using testing::Direct;
using testing::HttpOrigin;
using testing::OriginBehavior;
using testing::OriginFault;
using testing::SocksFault;
using testing::SocksServer;
using testing::ThroughProxy;
using namespace std::chrono_literals;

constexpr char kTimedOut[] = "网络连接超时";
constexpr char kFailed[] = "网络连接异常";
// The request limit of the stalling cases, in milliseconds: short, so that they end soon.
constexpr std::int32_t kShortLimit = 300;
constexpr std::int32_t kNormalLimit = 5000;

struct Outcome {
    bool ok = true;
    std::string message;  // UTF-8
};

void ExpectNoThreadLeft(const testing::ThreadCountGuard& threads) {
    if (!threads.available()) return;
    EXPECT_EQ(threads.after(), threads.before());
}

Outcome Probe(const TServerInfo& server, std::int32_t timeout) {
    std::string message = "unset";
    Outcome outcome;
    outcome.ok = RunProbe(server, message, timeout);
    outcome.message = GbkToUtf8(message);
    return outcome;
}

// Origins.

struct OriginCase {
    const char* name;
    OriginBehavior behavior;
    std::int32_t timeout;
    const char* message;
};

OriginBehavior Fault(OriginFault fault) {
    OriginBehavior behavior;
    behavior.fault = fault;
    return behavior;
}

OriginBehavior Trickle(testing::Millis interval, std::size_t chunk = 1) {
    OriginBehavior behavior = Fault(OriginFault::kTrickle);
    behavior.trickle_interval = interval;
    behavior.trickle_chunk = chunk;
    return behavior;
}

OriginBehavior Raw(const std::string& answer) {
    OriginBehavior behavior = Fault(OriginFault::kRawAnswer);
    behavior.raw_answer = answer;
    return behavior;
}

OriginBehavior Status(int status) {
    OriginBehavior behavior;
    behavior.status = status;
    return behavior;
}

class OriginFaults : public ::testing::TestWithParam<OriginCase> {};

TEST_P(OriginFaults, EndWithTheirMessageAndNoThreadLeft) {
    const OriginCase& row = GetParam();
    testing::ThreadCountGuard threads;
    {
        HttpOrigin origin;
        origin.Configure(row.behavior);
        Outcome outcome = Probe(Direct(origin.port()), row.timeout);
        EXPECT_FALSE(outcome.ok);
        EXPECT_EQ(outcome.message, row.message);
        // The probe really met the fault: the connection was accepted.
        EXPECT_GE(origin.connections(), 1);
    }
    ExpectNoThreadLeft(threads);
}

INSTANTIATE_TEST_SUITE_P(
    Table, OriginFaults,
    ::testing::Values(
        OriginCase{"ResetInTheMiddleOfTheAnswer", Fault(OriginFault::kResetMidAnswer), kNormalLimit, kFailed},
        OriginCase{"HalfAStatusLineThenSilence", Fault(OriginFault::kHalfStatusLine), kShortLimit, kTimedOut},
        OriginCase{"OneByteAtATimeSlowerThanTheLimit", Trickle(900ms), kShortLimit, kTimedOut},
        OriginCase{"StatusLineWithoutACode", Raw("HTTP/1.1 OK\r\nContent-Length: 0\r\n\r\n"), kNormalLimit, kFailed},
        OriginCase{"NoStatusLineAtAll", Raw("hello, world\r\n\r\n"), kNormalLimit, kFailed},
        OriginCase{"Status999", Status(999), kNormalLimit, "999:网络连接异常"},
        OriginCase{"ClosesOnAccept", Fault(OriginFault::kCloseOnAccept), kNormalLimit, kFailed},
        // libcurl by itself takes these as answers with status 200.
        OriginCase{"ClosesAfterTheStatusLine", Raw("HTTP/1.1 200 OK\r\n"), kNormalLimit, kFailed},
        OriginCase{"ClosesBeforeTheHeadEnds", Raw("HTTP/1.1 200 OK\r\nContent-Length: 0\r\n"), kNormalLimit, kFailed}),
    [](const ::testing::TestParamInfo<OriginCase>& info) { return std::string(info.param.name); });

// The contrast to the half answers above: a whole head followed by a close is an answer.
TEST(OriginAnswers, WholeHeadThenCloseSucceeds) {
    for (const char* answer : {"HTTP/1.1 200 OK\r\nContent-Length: 0\r\n\r\n", "HTTP/1.1 204 No Content\n\n",
                               "HTTP/1.1 100 Continue\r\n\r\nHTTP/1.1 200 OK\r\n\r\n"}) {
        HttpOrigin origin;
        origin.Configure(Raw(answer));
        Outcome outcome = Probe(Direct(origin.port()), kNormalLimit);
        EXPECT_TRUE(outcome.ok) << answer << outcome.message;
    }
}

// The read time-out counts from the last byte received: an answer whose parts each come
// within it passes, however long the whole takes; a gap longer than it fails.

TEST(ReadTimeOut, CountsFromTheLastByteReceived) {
    struct Row {
        const char* name;
        testing::Millis gap;
        bool ok;
        const char* message;
    } rows[] = {
        {"four parts 300 ms apart, read time-out 600 ms", 300ms, true, ""},
        {"two parts 900 ms apart, read time-out 300 ms", 900ms, false, kTimedOut},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        HttpOrigin origin;
        const std::size_t parts = row.ok ? 4 : 2;
        // Parts that end in the middle of a line: the limit watches bytes, not header lines.
        const std::size_t size = testing::OriginAnswer(Trickle(row.gap), true).size();
        origin.Configure(Trickle(row.gap, size / parts + 1));
        Outcome outcome = Probe(Direct(origin.port()), row.ok ? 600 : kShortLimit);
        EXPECT_EQ(outcome.ok, row.ok);
        EXPECT_EQ(outcome.message, row.message);
    }
}

// Sends an answer head that never ends, a byte every 20 ms, for at most 20 s; `cut` tells
// whether the client closed the connection before that.
void EndlessTrickle(testing::Connection& connection, std::atomic<bool>& cut) {
    std::string request;
    if (!connection.ReadUntil("\r\n\r\n", request, 64 * 1024, testing::Millis(5000))) return;
    if (!connection.Send("HTTP/1.1 200 OK\r\nX-Filler: ")) return;
    for (int i = 0; i < 1000; ++i) {
        if (!connection.Pause(20ms)) return;
        if (!connection.Send("x")) {
            cut = true;
            return;
        }
    }
}

TEST(ReadTimeOut, ATrickleThatNeverEndsIsCutAtTheBackstop) {
    testing::ThreadCountGuard threads;
    {
        std::atomic<bool> cut{false};
        testing::LoopbackServer origin([&](testing::Connection& connection) { EndlessTrickle(connection, cut); });
        // A backstop of 1 s instead of T seconds, so that the case ends soon.
        const ProbeLimits limits{300ms, 300ms, 1000ms + kRequestGrace, 1000ms};
        std::string message;
        EXPECT_FALSE(RunProbe(Direct(origin.port()), message, limits));
        EXPECT_EQ(GbkToUtf8(message), kFailed);
        // The probe thread has ended (RunProbe waits for it) because the request was cut, not
        // because the trickle ran out.
        for (int i = 0; i < 100 && !cut; ++i) std::this_thread::sleep_for(20ms);
        EXPECT_TRUE(cut);
    }
    ExpectNoThreadLeft(threads);
}

// SOCKS proxies.

struct SocksCase {
    const char* name;
    int version;
    SocksFault fault;
};

class SocksFaults : public ::testing::TestWithParam<SocksCase> {};

TEST_P(SocksFaults, FailTheProbeWithoutReachingTheOrigin) {
    const SocksCase& row = GetParam();
    testing::ThreadCountGuard threads;
    {
        HttpOrigin origin;
        SocksServer socks(row.version);
        socks.SetFault(row.fault);
        const TServerInfo server =
            ThroughProxy(Direct(origin.port()), row.version == 4 ? 1 : 2, std::to_string(socks.port()));
        Outcome outcome = Probe(server, kNormalLimit);
        EXPECT_FALSE(outcome.ok);
        EXPECT_EQ(outcome.message, kFailed);
        EXPECT_GE(socks.connections(), 1);
        EXPECT_EQ(origin.request_count(), 0u);
    }
    ExpectNoThreadLeft(threads);
}

INSTANTIATE_TEST_SUITE_P(
    Table, SocksFaults,
    ::testing::Values(SocksCase{"Socks4ClosesDuringTheHandshake", 4, SocksFault::kCloseDuringHandshake},
                      SocksCase{"Socks4MalformedReply", 4, SocksFault::kMalformedReply},
                      SocksCase{"Socks5ClosesDuringTheHandshake", 5, SocksFault::kCloseDuringHandshake},
                      SocksCase{"Socks5MalformedReply", 5, SocksFault::kMalformedReply}),
    [](const ::testing::TestParamInfo<SocksCase>& info) { return std::string(info.param.name); });

// Peers that accept and then never finish: a proxy of each kind that never says a word, and
// an origin whose answer head never ends. The request's own limit ends them.

void StaySilent(testing::Connection& connection) { connection.Hold(testing::Millis(60000)); }

void EndlessHead(testing::Connection& connection) {
    std::string request;
    if (!connection.ReadUntil("\r\n\r\n", request, 64 * 1024, testing::Millis(5000))) return;
    if (!connection.Send("HTTP/1.1 200 OK\r\n")) return;
    const std::string line = "X-Filler: " + std::string(100, 'x') + "\r\n";
    for (int i = 0; i < 1000000 && connection.Send(line); ++i) {
    }
}

struct SilentProxyCase {
    const char* name;
    std::uint8_t kind;  // 0 HTTP, 1 SOCKS 4, 2 SOCKS 5
};

class SilentProxies : public ::testing::TestWithParam<SilentProxyCase> {};

TEST_P(SilentProxies, TimeOutWithinTheRequestLimit) {
    testing::ThreadCountGuard threads;
    {
        HttpOrigin origin;
        testing::LoopbackServer proxy(StaySilent);
        const TServerInfo server = ThroughProxy(Direct(origin.port()), GetParam().kind, std::to_string(proxy.port()));
        Outcome outcome = Probe(server, kShortLimit);
        EXPECT_FALSE(outcome.ok);
        EXPECT_EQ(outcome.message, kTimedOut);
        // A proxy that never replied is asked once more what it speaks.
        EXPECT_EQ(proxy.accepted(), 2);
        EXPECT_EQ(origin.request_count(), 0u);
    }
    ExpectNoThreadLeft(threads);
}

INSTANTIATE_TEST_SUITE_P(Table, SilentProxies,
                         ::testing::Values(SilentProxyCase{"Http", 0}, SilentProxyCase{"Socks4", 1},
                                           SilentProxyCase{"Socks5", 2}),
                         [](const ::testing::TestParamInfo<SilentProxyCase>& info) {
                             return std::string(info.param.name);
                         });

// Slow proxies: each handshake reply is one read of its own, with the read time-out T; the
// handshake as a whole has no limit derived from T.

struct SlowSocksCase {
    const char* name;
    int version;
    testing::Millis reply_delay;  // before each handshake reply
    bool ok;
    const char* message;
};

class SlowSocksProxies : public ::testing::TestWithParam<SlowSocksCase> {};

TEST_P(SlowSocksProxies, EachHandshakeReplyIsARead) {
    const SlowSocksCase& row = GetParam();
    HttpOrigin origin;
    SocksServer socks(row.version);
    socks.SetReplyDelay(row.reply_delay);
    const TServerInfo server =
        ThroughProxy(Direct(origin.port()), row.version == 4 ? 1 : 2, std::to_string(socks.port()));
    Outcome outcome = Probe(server, 800);
    EXPECT_EQ(outcome.ok, row.ok);
    EXPECT_EQ(outcome.message, row.message);
    EXPECT_EQ(origin.request_count(), row.ok ? 1u : 0u);
}

INSTANTIATE_TEST_SUITE_P(Table, SlowSocksProxies,
                         ::testing::Values(SlowSocksCase{"Socks5TwoStepsEachWithinT", 5, 500ms, true, ""},
                                           SlowSocksCase{"Socks5StepSlowerThanT", 5, 2000ms, false, kTimedOut},
                                           SlowSocksCase{"Socks4StepSlowerThanT", 4, 2000ms, false, kTimedOut}),
                         [](const ::testing::TestParamInfo<SlowSocksCase>& info) {
                             return std::string(info.param.name);
                         });

TEST(OriginAnswers, EndlessHeadFails) {
    testing::ThreadCountGuard threads;
    {
        testing::LoopbackServer origin(EndlessHead);
        Outcome outcome = Probe(Direct(origin.port()), kNormalLimit);
        EXPECT_FALSE(outcome.ok);
        EXPECT_EQ(outcome.message, kFailed);
    }
    ExpectNoThreadLeft(threads);
}

// The driver among broken and sound servers: a broken server is never chosen while a sound
// one answers, and a channel of broken servers fails the test with the driver's message.

testing::ChannelFile Channel(const std::vector<std::uint16_t>& ports, int timeout) {
    testing::ChannelFile channel{.timeout = std::to_string(timeout)};
    for (std::uint16_t port : ports) channel.servers.push_back({.port = port});
    return channel;
}

struct ChosenWatcher : ProbeObserver {
    std::optional<std::int32_t> chosen;
    void OnChosen(std::int32_t index) override { chosen = index; }
};

class DriverFaults : public ::testing::Test {
protected:
    testing::TempDir dir;
    testing::FakeHost host;
    std::unique_ptr<ScopedHost> scoped;

    void SetUp() override {
        host.app_path = dir.path();
        scoped = std::make_unique<ScopedHost>(host);
    }
    bool Run(const std::vector<std::uint16_t>& ports, std::string& message_utf8, ChosenWatcher& watcher) {
        Channel(ports, kShortLimit).WriteInto(dir.path());
        std::string message;
        const bool passed = RunUpdateServerTest(message, &watcher);
        message_utf8 = GbkToUtf8(message);
        return passed;
    }
};

TEST_F(DriverFaults, SoundServerAmongBrokenOnesIsChosen) {
    testing::ThreadCountGuard threads;
    {
        HttpOrigin reset, stalled, sound;
        reset.SetFault(OriginFault::kResetMidAnswer);
        stalled.SetFault(OriginFault::kHalfStatusLine);
        ChosenWatcher watcher;
        std::string message;
        EXPECT_TRUE(Run({reset.port(), stalled.port(), sound.port()}, message, watcher)) << message;
        EXPECT_EQ(watcher.chosen, 2);
        EXPECT_EQ(sound.request_count(), 2u);  // selection and final probe
    }
    ExpectNoThreadLeft(threads);
}

TEST_F(DriverFaults, OnlyBrokenServersFailTheTest) {
    testing::ThreadCountGuard threads;
    {
        HttpOrigin closing, trickling;
        closing.SetFault(OriginFault::kCloseOnAccept);
        trickling.SetTrickle(900ms);  // slower than the read time-out
        ChosenWatcher watcher;
        std::string message;
        EXPECT_FALSE(Run({closing.port(), trickling.port()}, message, watcher));
        EXPECT_EQ(message, "更新服务器通讯测试失败！");
        EXPECT_EQ(watcher.chosen, 0);
    }
    ExpectNoThreadLeft(threads);
}

TEST(ThreadCount, SeesAThreadComeAndGo) {
    testing::ThreadCountGuard threads;
    if (!threads.available()) GTEST_SKIP() << "no thread count on this platform";
    std::atomic<bool> release{false};
    std::thread extra([&] {
        while (!release.load()) std::this_thread::sleep_for(1ms);
    });
    EXPECT_EQ(testing::ProcessThreadCount(), threads.before() + 1);
    release = true;
    extra.join();
    EXPECT_EQ(threads.after(), threads.before());
}

}  // namespace
}  // namespace netprobe
