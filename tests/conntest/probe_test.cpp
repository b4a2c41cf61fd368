// Probes against loopback peers: the status table, time-outs, failures, proxies, the wait.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdlib>
#include <thread>
#include <vector>

#include "conntest/f_HttPTestConnect.h"
#include "core/gbk.h"
#include "tests/conntest/probe_servers.h"
#include "tests/support/env_var.h"
#include "tests/support/fake_host.h"
#include "tests/support/loopback/http_origin.h"
#include "tests/support/loopback/socks_server.h"
#include "tests/support/loopback/unused_port.h"

namespace netprobe {
namespace {

using testing::HttpOrigin;
using testing::OriginFault;
using testing::SocksServer;
using namespace std::chrono_literals;

TServerInfo Direct(std::uint16_t port, const std::string& action = "svc") { return testing::Direct(port, action); }

struct Outcome {
    bool ok;
    std::string message;  // UTF-8
};

Outcome Probe(const TServerInfo& server, std::int32_t timeout = 2000) {
    std::string message = "unset";
    bool ok = RunProbe(server, message, timeout);
    return {ok, GbkToUtf8(message)};
}

TEST(Probe, StatusTable) {
    struct Row {
        int status;
        bool ok;
        const char* message;
    } rows[] = {
        {200, true, ""},
        {204, true, ""},
        {404, false, "目标地址无法到达"},
        {401, false, "需要ssl验证"},
        {403, false, "禁止访问"},
        {407, false, "代理用户名或口令验证失败"},
        {302, false, "302:网络连接异常"},
        {408, false, "408:网络连接异常"},
        {503, false, "503:网络连接异常"},
        {500, false, "500:网络连接异常"},
    };
    HttpOrigin origin;
    for (const Row& row : rows) {
        origin.SetStatus(row.status);
        if (row.status == 302) origin.SetLocation("http://127.0.0.1:" + std::to_string(origin.port()) + "/moved");
        Outcome outcome = Probe(Direct(origin.port()));
        EXPECT_EQ(outcome.ok, row.ok) << row.status;
        EXPECT_EQ(outcome.message, row.message) << row.status;
    }
    // One HEAD request per probe, HTTP/1.1, for the action path; the redirect was not followed.
    auto requests = origin.requests();
    ASSERT_EQ(requests.size(), std::size(rows));
    for (const auto& request : requests) {
        EXPECT_EQ(request.method, "HEAD");
        EXPECT_EQ(request.target, "/svc");
        EXPECT_EQ(request.version, "HTTP/1.1");
    }
}

TEST(Probe, EmptyActionRequestsTheRoot) {
    HttpOrigin origin;
    TServerInfo server = Direct(origin.port(), "");
    server.Host = "HTTP://127.0.0.1/";
    EXPECT_TRUE(Probe(server).ok);
    ASSERT_EQ(origin.requests().size(), 1u);
    EXPECT_EQ(origin.requests()[0].target, "/");
}

TEST(Probe, ServerThatNeverAnswersTimesOut) {
    HttpOrigin origin;
    origin.SetNeverAnswer();
    Outcome outcome = Probe(Direct(origin.port()), 300);
    EXPECT_FALSE(outcome.ok);
    EXPECT_EQ(outcome.message, "网络连接超时");
}

TEST(Probe, RefusedConnectionAndEmptyHostFail) {
    Outcome refused = Probe(Direct(testing::UnusedLoopbackPort()));
    EXPECT_FALSE(refused.ok);
    EXPECT_EQ(refused.message, "网络连接异常");

    for (const char* host : {"", "http://", "HTTP:///"}) {
        TServerInfo server = Direct(80);
        server.Host = host;
        Outcome outcome = Probe(server);
        EXPECT_FALSE(outcome.ok) << host;
        EXPECT_EQ(outcome.message, "网络连接异常") << host;
    }
}

// Neither a proxy of the environment's nor its exceptions apply: no_proxy=* must not send a
// configured proxy's traffic around it.
TEST(Probe, EnvironmentProxySettingsAreIgnored) {
    HttpOrigin origin;
    SocksServer socks(5);
    const std::string bogus = "http://127.0.0.1:" + std::to_string(testing::UnusedLoopbackPort());
    Outcome direct, proxied;
    {
        testing::ScopedEnv lower("http_proxy", bogus), upper("HTTP_PROXY", bogus), all("ALL_PROXY", bogus),
            all_lower("all_proxy", bogus), no_lower("no_proxy", "*"), no_upper("NO_PROXY", "*");
        direct = Probe(Direct(origin.port()));
        proxied = Probe(testing::ThroughProxy(Direct(origin.port()), 2, std::to_string(socks.port())));
    }
    EXPECT_TRUE(direct.ok) << direct.message;
    EXPECT_TRUE(proxied.ok) << proxied.message;
    EXPECT_EQ(socks.record_count(), 1u);  // the proxied probe went through the proxy
}

TEST(Probe, ZeroTimeOutGivesUpAtOnceAndStillEnds) {
    HttpOrigin origin;
    origin.SetDelay(200ms);
    Outcome outcome = Probe(Direct(origin.port()), 0);
    EXPECT_FALSE(outcome.ok);
    EXPECT_EQ(outcome.message, "网络连接异常");
    // RunProbe returned only after the probe thread ended, so its request had arrived.
    EXPECT_EQ(origin.requests().size(), 1u);

    origin.SetNeverAnswer();
    outcome = Probe(Direct(origin.port()), -1);  // bounded by the request's own limit
    EXPECT_FALSE(outcome.ok);
    EXPECT_EQ(outcome.message, "网络连接异常");
}

// After a short busy phase at the start, the wait sleeps between two turns of the host's
// event processing. How often it yields in that first phase depends on the machine's load, so
// only the calls after it count; a load can only make them rarer. The answer comes late
// enough that only a stall of most of a second could leave no turn after the busy phase.
TEST(ProbeWait, ProcessesHostEventsWithoutSpinning) {
    HttpOrigin origin;
    origin.SetDelay(1000ms);
    testing::FakeHost host;
    std::vector<std::chrono::steady_clock::time_point> times;
    host.on_process_messages = [&] { times.push_back(std::chrono::steady_clock::now()); };
    ScopedHost scoped(host);
    EXPECT_TRUE(Probe(Direct(origin.port())).ok);
    ASSERT_GE(times.size(), 1u);
    const auto settled = times.front() + 50ms;  // well past the busy phase
    const auto later = std::ranges::find_if(times, [&](auto t) { return t >= settled; });
    const auto calls = std::distance(later, times.end());
    const auto span_ms = std::chrono::duration_cast<std::chrono::milliseconds>(times.back() - settled).count();
    EXPECT_GE(calls, 1);
    // One turn per wait of up to 10 ms; a busy loop would turn thousands of times per millisecond.
    EXPECT_LE(calls, 1 + std::max<std::int64_t>(span_ms, 0) / 2) << calls << " calls in " << span_ms << " ms";
}

TEST(ProbeWait, ReentryDuringTheWaitIsRefused) {
    HttpOrigin origin;
    origin.SetDelay(200ms);
    testing::FakeHost host;
    std::atomic<int> nested_calls{0};
    std::string nested_message;
    bool nested_ok = true;
    host.on_process_messages = [&] {
        if (nested_calls++ == 0) {
            TServerInfo other = Direct(origin.port());
            nested_ok = RunProbe(other, nested_message, 2000);
        }
    };
    ScopedHost scoped(host);
    Outcome outer = Probe(Direct(origin.port()));
    EXPECT_TRUE(outer.ok) << outer.message;
    EXPECT_FALSE(nested_ok);
    EXPECT_EQ(GbkToUtf8(nested_message), "网络连接异常");
    EXPECT_EQ(origin.requests().size(), 1u);  // the nested call sent nothing
}

TEST(ProbeWait, ReentryFromAnotherThreadIsRefused) {
    HttpOrigin origin;
    origin.SetDelay(300ms);
    std::atomic<bool> started{false};
    Outcome outer{};
    std::thread first([&] {
        started = true;
        outer = Probe(Direct(origin.port()));
    });
    ASSERT_TRUE(origin.WaitForRequests(1, 5000ms));
    std::string message;
    EXPECT_FALSE(RunProbe(Direct(origin.port()), message, 2000));
    EXPECT_EQ(GbkToUtf8(message), "网络连接异常");
    first.join();
    EXPECT_TRUE(outer.ok);
    EXPECT_EQ(origin.requests().size(), 1u);
}

// Proxies.

TServerInfo ThroughProxy(std::uint16_t origin_port, std::uint8_t kind, std::uint16_t proxy_port) {
    return testing::ThroughProxy(Direct(origin_port), kind, std::to_string(proxy_port));
}

TEST(ProbeSocks, Socks4SendsTheUserNameAsUserIdAndResolvesLocally) {
    HttpOrigin origin;
    SocksServer socks(4);
    socks.ExpectUserId("probeuser");
    TServerInfo server = ThroughProxy(origin.port(), 1, socks.port());
    server.Host = "localhost";
    server.ProxyAuth = true;
    server.ProxyUserName = "probeuser";
    server.ProxyPass = "unused";
    Outcome outcome = Probe(server);
    EXPECT_TRUE(outcome.ok) << outcome.message;
    ASSERT_EQ(socks.records().size(), 1u);
    const auto record = socks.records()[0];
    EXPECT_EQ(record.version, 4);
    EXPECT_EQ(record.user, "probeuser");
    EXPECT_EQ(record.target_ip, 0x7F000001u);
    EXPECT_EQ(record.target_port, origin.port());
    EXPECT_EQ(origin.requests().size(), 1u);
}

TEST(ProbeSocks, Socks4WrongUserIdFails) {
    HttpOrigin origin;
    SocksServer socks(4);
    socks.ExpectUserId("someone");
    TServerInfo server = ThroughProxy(origin.port(), 1, socks.port());
    server.ProxyAuth = true;
    server.ProxyUserName = "other";
    Outcome outcome = Probe(server);
    EXPECT_FALSE(outcome.ok);
    EXPECT_EQ(outcome.message, "网络连接异常");
    EXPECT_EQ(origin.requests().size(), 0u);
}

TEST(ProbeSocks, Socks5WithoutAuthenticationOffersNoCredentials) {
    HttpOrigin origin;
    SocksServer socks(5);
    TServerInfo server = ThroughProxy(origin.port(), 2, socks.port());
    server.ProxyUserName = "ignored";  // ProxyAuth is off
    server.ProxyPass = "ignored";
    Outcome outcome = Probe(server);
    EXPECT_TRUE(outcome.ok) << outcome.message;
    ASSERT_EQ(socks.records().size(), 1u);
    const auto record = socks.records()[0];
    EXPECT_EQ(record.methods, std::vector<std::uint8_t>{0x00});
    EXPECT_EQ(record.atyp, 1);
    EXPECT_TRUE(record.user.empty());
}

TEST(ProbeSocks, Socks5UserPasswordSurvivesSpecialCharacters) {
    HttpOrigin origin;
    SocksServer socks(5);
    const std::string password = "p%a:s@s 25%";
    socks.ExpectCredentials("us:er", password);
    TServerInfo server = ThroughProxy(origin.port(), 2, socks.port());
    server.Host = "localhost";
    server.ProxyAuth = true;
    server.ProxyUserName = "us:er";
    server.ProxyPass = password;
    Outcome outcome = Probe(server);
    EXPECT_TRUE(outcome.ok) << outcome.message;
    ASSERT_EQ(socks.records().size(), 1u);
    const auto record = socks.records()[0];
    EXPECT_EQ(record.user, "us:er");
    EXPECT_EQ(record.password, password);
    EXPECT_EQ(record.atyp, 1);  // the name was resolved locally
    EXPECT_FALSE(record.domain_name_rejected);
}

TEST(ProbeSocks, Socks5WrongPasswordFails) {
    HttpOrigin origin;
    SocksServer socks(5);
    socks.ExpectCredentials("user", "right");
    TServerInfo server = ThroughProxy(origin.port(), 2, socks.port());
    server.ProxyAuth = true;
    server.ProxyUserName = "user";
    server.ProxyPass = "wrong";
    Outcome outcome = Probe(server);
    EXPECT_FALSE(outcome.ok);
    EXPECT_EQ(outcome.message, "网络连接异常");
}

TEST(ProbeProxy, DisabledProxyIsIgnoredWhateverItsFields) {
    HttpOrigin origin;
    SocksServer socks(5);
    TServerInfo server = ThroughProxy(origin.port(), 2, socks.port());
    server.ProxyEnabled = false;
    server.ProxyAuth = true;
    EXPECT_TRUE(Probe(server).ok);
    EXPECT_EQ(socks.connections(), 0);
    EXPECT_EQ(origin.requests().size(), 1u);
}

TEST(ProbeProxy, EnabledProxyWithoutHostFailsInsteadOfGoingDirect) {
    HttpOrigin origin;
    TServerInfo server = ThroughProxy(origin.port(), 0, 8080);
    server.ProxyHost = "";
    Outcome outcome = Probe(server);
    EXPECT_FALSE(outcome.ok);
    EXPECT_EQ(outcome.message, "网络连接异常");
    EXPECT_EQ(origin.requests().size(), 0u);
}

}  // namespace
}  // namespace netprobe
