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
#include "tests/support/loopback/loopback_server.h"
#include "tests/support/loopback/socks_server.h"
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
    const char* detail = "";  // what the detail must name
    enum class Target : std::uint8_t { kOrigin, kClosedPort, kRefusedByRule, kUnresolvable } target = Target::kOrigin;
};

TEST(DiagnosisPeers, EachFailureNamesItsCauseAndKeepsItsMessage) {
    using enum Case::Target;
    HttpOrigin origin;
    testing::HttpProxy strict_proxy;
    strict_proxy.ExpectCredentials("probe", "right");
    testing::SocksServer socks4(4), socks5(5);
    // A SOCKS 5 server that stays silent to anything but a greeting of its own version.
    testing::LoopbackServer quiet_socks([](testing::Connection& c) {
        std::string first;
        if (!c.ReadExact(1, first, testing::Millis(5000))) return;
        if (first[0] == '\x05') {
            c.Send(std::string("\x05\xff", 2));
        } else {
            c.Hold(testing::Millis(5000));
        }
    });
    const std::string tiny = EnvOrEmpty("NETPROBE_PEER_TINYPROXY_PORT"),
                      tiny_user = EnvOrEmpty("NETPROBE_PEER_TINYPROXY_USER"),
                      tiny_pass = EnvOrEmpty("NETPROBE_PEER_TINYPROXY_PASS");
    const std::string micro = EnvOrEmpty("NETPROBE_PEER_MICROSOCKS_PORT"),
                      dante = EnvOrEmpty("NETPROBE_PEER_DANTE_PORT");
    const auto none = [](HttpOrigin&) {};
    const auto login = [](HttpOrigin& o) {
        o.SetRawAnswer(
            "HTTP/1.1 401 Unauthorized\r\nServer: update-server\r\nWWW-Authenticate: Basic "
            "realm=\"updates\"\r\nContent-Length: 0\r\nConnection: close\r\n\r\n");
    };
    const Case cases[] = {
        {"closed port", "", [] { return TServerInfo{}; }, [](HttpOrigin&) {}, ProbeCause::kConnectionRefused,
         "网络连接异常", 0, -1, "", kClosedPort},
        {"unresolvable name", "", [] { return TServerInfo{}; }, none, ProbeCause::kNameNotResolved, "网络连接异常", 0,
         -1, "", kUnresolvable},
        {"SOCKS5, the server's name doesn't resolve on this computer", "",
         [&] { return ThroughProxy({}, 2, std::to_string(socks5.port())); }, none, ProbeCause::kNameNotResolved,
         "网络连接异常", 0, -1, "on this computer", kUnresolvable},
        {"SOCKS4, the server's name doesn't resolve on this computer", "",
         [&] { return ThroughProxy({}, 1, std::to_string(socks4.port())); }, none, ProbeCause::kNameNotResolved,
         "网络连接异常", 0, -1, "on this computer", kUnresolvable},
        {"tinyproxy aimed at a closed port", "NETPROBE_PEER_TINYPROXY_PORT",
         [&] { return ThroughProxy({}, 0, tiny, tiny_user, tiny_pass); }, none, ProbeCause::kProxyError,
         "500:网络连接异常", 500, -1, "'Unable to connect', Server: tinyproxy/", kClosedPort},
        {"the server behind tinyproxy wants a login", "NETPROBE_PEER_TINYPROXY_PORT",
         [&] { return ThroughProxy({}, 0, tiny, tiny_user, tiny_pass); }, login, ProbeCause::kHttpStatus, "需要ssl验证",
         401, -1, "from the server behind the proxy"},
        {"ProxyMode SOCKS 5, tinyproxy answers", "NETPROBE_PEER_TINYPROXY_PORT",
         [&] { return ThroughProxy({}, 2, tiny); }, none, ProbeCause::kProxyKindMismatch, "网络连接超时", 0, -1,
         "ProxyMode says SOCKS 5, but 127.0.0.1:"},
        {"ProxyMode HTTP, a SOCKS 5 server answers", "",
         [&] { return ThroughProxy({}, 0, std::to_string(socks5.port())); }, none, ProbeCause::kProxyKindMismatch,
         "网络连接异常", 0, -1, "answers as a SOCKS 5 proxy"},
        {"ProxyMode HTTP, a SOCKS 5 server stays silent", "",
         [&] { return ThroughProxy({}, 0, std::to_string(quiet_socks.port())); }, none, ProbeCause::kProxyKindMismatch,
         "网络连接超时", 0, -1, "answers as a SOCKS 5 proxy"},
        {"ProxyMode SOCKS 4, a SOCKS 5 server answers", "",
         [&] { return ThroughProxy({}, 1, std::to_string(socks5.port())); }, none, ProbeCause::kProxyKindMismatch,
         "网络连接异常", 0, -1, "ProxyMode says SOCKS 4"},
        {"ProxyMode SOCKS 5, an HTTP proxy answers", "",
         [&] { return ThroughProxy({}, 2, std::to_string(strict_proxy.port())); }, none, ProbeCause::kProxyKindMismatch,
         "网络连接超时", 0, -1, "answers as an HTTP proxy"},
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
         none, ProbeCause::kSocksTargetRefused, "网络连接异常", 0, 2, "", kRefusedByRule},
        {"dante SOCKS5, nothing listens behind it", "NETPROBE_PEER_DANTE_PORT",
         [&] { return ThroughProxy({}, 2, dante); }, none, ProbeCause::kSocksTargetRefused, "网络连接异常", 0, 5, "",
         kClosedPort},
        {"dante SOCKS4 rule refuses the target", "NETPROBE_PEER_DANTE_PORT", [&] { return ThroughProxy({}, 1, dante); },
         none, ProbeCause::kSocksTargetRefused, "网络连接异常", 0, 91, "", kRefusedByRule},
        {"ProxyMode HTTP, dante answers", "NETPROBE_PEER_DANTE_PORT", [&] { return ThroughProxy({}, 0, dante); }, none,
         ProbeCause::kProxyKindMismatch, "网络连接异常", 0, -1, "answers as a SOCKS 5 proxy"},
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
        if (c.target == kUnresolvable && !testing::TestResolverInstalled()) {
            std::printf("[ skipped  ] %s: no resolver of the tests' own here\n", c.name);
            continue;
        }
        origin.Configure({});
        c.origin(origin);
        TServerInfo server = c.server();
        server.Host = c.target == kUnresolvable    ? testing::kUnresolvableName
                      : c.target == kRefusedByRule ? "127.0.0.2"  // dante's rule refuses it
                                                   : "127.0.0.1";
        server.PortText = std::to_string(c.target == kClosedPort ? testing::UnusedLoopbackPort() : origin.port());
        server.Action = "check";
        std::string message;
        ProbeDiagnosis why;
        const bool ok = RunProbe(server, message, LimitsFor(300), &why);
        EXPECT_FALSE(ok);
        EXPECT_EQ(GbkToUtf8(message), c.message);
        EXPECT_EQ(CauseName(why.cause), CauseName(c.cause)) << DiagnosisLine(why);
        EXPECT_EQ(why.http_status, c.http_status) << DiagnosisLine(why);
        EXPECT_EQ(why.socks_reply, c.socks_reply) << DiagnosisLine(why);
        EXPECT_NE(why.detail.find(c.detail), std::string::npos) << DiagnosisLine(why);
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
