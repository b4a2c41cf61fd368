// Why a probe failed, against real peers: each case names its cause, and the module's
// message is the one it always was. Cases whose peer is not running are skipped.
#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>

#include "conntest/f_HttPTestConnect.h"
#include "core/gbk.h"
#include "tests/conntest/probe_servers.h"
#include "tests/conntest/test_resolver.h"
#include "tests/support/env_var.h"
#include "tests/support/loopback/http_origin.h"
#include "tests/support/loopback/http_proxy.h"
#include "tests/support/loopback/unused_port.h"

namespace netprobe {
namespace {

using testing::EnvOrEmpty;
using testing::HttpOrigin;
using testing::ThroughProxy;

struct Case {
    const char* name;
    const char* needs;  // the peer's environment variable, or ""
    std::function<TServerInfo()> server;
    std::function<void(HttpOrigin&)> origin;
    ProbeCause cause;
    const char* message;  // UTF-8
    long http_status = 0;
    int socks_reply = -1;
};

TEST(DiagnosisPeers, EachFailureNamesItsCauseAndKeepsItsMessage) {
    HttpOrigin origin;
    testing::HttpProxy strict_proxy;
    strict_proxy.ExpectCredentials("probe", "right");
    const std::string tiny = EnvOrEmpty("NETPROBE_PEER_TINYPROXY_PORT"),
                      tiny_user = EnvOrEmpty("NETPROBE_PEER_TINYPROXY_USER");
    const std::string micro = EnvOrEmpty("NETPROBE_PEER_MICROSOCKS_PORT"),
                      dante = EnvOrEmpty("NETPROBE_PEER_DANTE_PORT");
    const auto none = [](HttpOrigin&) {};
    const Case cases[] = {
        {"closed port", "", [] { return TServerInfo{}; }, [](HttpOrigin&) {}, ProbeCause::kConnectionRefused,
         "网络连接异常"},
        {"unresolvable name", "", [] { return TServerInfo{}; }, none, ProbeCause::kNameNotResolved, "网络连接异常"},
        {"tinyproxy, wrong password (401)", "NETPROBE_PEER_TINYPROXY_PORT",
         [&] { return ThroughProxy({}, 0, tiny, tiny_user, "wrong"); }, none, ProbeCause::kProxyAuth, "需要ssl验证",
         401},
        {"stricter proxy, wrong password (407)", "",
         [&] { return ThroughProxy({}, 0, std::to_string(strict_proxy.port()), "probe", "wrong"); }, none,
         ProbeCause::kProxyAuth, "代理用户名或口令验证失败", 407},
        {"microsocks, wrong password", "NETPROBE_PEER_MICROSOCKS_PORT",
         [&] { return ThroughProxy({}, 2, micro, EnvOrEmpty("NETPROBE_PEER_MICROSOCKS_USER"), "wrong"); }, none,
         ProbeCause::kProxyAuth, "网络连接异常"},
        {"dante SOCKS5 rule refuses the target", "NETPROBE_PEER_DANTE_PORT", [&] { return ThroughProxy({}, 2, dante); },
         none, ProbeCause::kSocksTargetRefused, "网络连接异常", 0, 2},
        {"dante SOCKS4 rule refuses the target", "NETPROBE_PEER_DANTE_PORT", [&] { return ThroughProxy({}, 1, dante); },
         none, ProbeCause::kSocksTargetRefused, "网络连接异常", 0, 91},
        {"404", "", [] { return TServerInfo{}; }, [](HttpOrigin& o) { o.SetStatus(404); }, ProbeCause::kHttpStatus,
         "目标地址无法到达", 404},
        {"302", "", [] { return TServerInfo{}; },
         [](HttpOrigin& o) {
             o.SetStatus(302);
             o.SetLocation("http://127.0.0.1:9/moved");
         },
         ProbeCause::kHttpStatus, "302:网络连接异常", 302},
        {"silent past T", "", [] { return TServerInfo{}; }, [](HttpOrigin& o) { o.SetNeverAnswer(); },
         ProbeCause::kReadTimeout, "网络连接超时"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        if (*c.needs && EnvOrEmpty(c.needs).empty()) {
            std::printf("[ skipped  ] %s: %s not set (scripts/test-peers start)\n", c.name, c.needs);
            continue;
        }
        const std::string name = c.name;
        if (name == "unresolvable name" && !testing::TestResolverInstalled()) {
            std::printf("[ skipped  ] %s: no resolver of the tests' own here\n", c.name);
            continue;
        }
        origin.Configure({});
        c.origin(origin);
        TServerInfo server = c.server();
        server.Host = name == "unresolvable name" ? testing::kUnresolvableName : "127.0.0.1";
        // The refused target of dante's rule; every other case reaches the origin.
        if (name.starts_with("dante")) server.Host = "127.0.0.2";
        server.PortText = std::to_string(name == "closed port" ? testing::UnusedLoopbackPort() : origin.port());
        server.Action = "check";
        std::string message;
        ProbeDiagnosis why;
        const bool ok = RunProbe(server, message, LimitsFor(300), &why);
        EXPECT_FALSE(ok);
        EXPECT_EQ(GbkToUtf8(message), c.message);
        EXPECT_EQ(CauseName(why.cause), CauseName(c.cause)) << DiagnosisLine(why);
        EXPECT_EQ(why.http_status, c.http_status) << DiagnosisLine(why);
        EXPECT_EQ(why.socks_reply, c.socks_reply) << DiagnosisLine(why);
        if (c.http_status == 302) {
            EXPECT_EQ(why.location, "http://127.0.0.1:9/moved");
        }
    }
}

TEST(DiagnosisPeers, APassedProbeNamesThePeerItReached) {
    HttpOrigin origin;
    TServerInfo server;
    server.Host = "127.0.0.1";
    server.PortText = std::to_string(origin.port());
    std::string message;
    ProbeDiagnosis why;
    ASSERT_TRUE(RunProbe(server, message, LimitsFor(2000), &why)) << DiagnosisLine(why);
    EXPECT_EQ(why.cause, ProbeCause::kPassed);
    EXPECT_EQ(why.peer, "127.0.0.1:" + server.PortText);
    EXPECT_GE(why.timings.total_ms, 0);
    EXPECT_EQ(why.curl_error, "");
}

}  // namespace
}  // namespace netprobe
