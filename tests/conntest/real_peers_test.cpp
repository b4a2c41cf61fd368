// Probes through real third-party proxies started by scripts/test-peers (tinyproxy,
// microsocks, dante). Each test is skipped when its peer is not running.
#include <gtest/gtest.h>

#include <cstdlib>

#include "conntest/f_HttPTestConnect.h"
#include "core/gbk.h"
#include "tests/conntest/probe_servers.h"
#include "tests/support/env_var.h"
#include "tests/support/loopback/http_origin.h"

namespace netprobe {
namespace {

using testing::HttpOrigin;

using testing::EnvOrEmpty;

#define REQUIRE_PEER(var) \
    if (EnvOrEmpty(var).empty()) GTEST_SKIP() << var << " not set: start scripts/test-peers"

struct Outcome {
    bool ok;
    std::string message;
};

Outcome ProbeVia(const HttpOrigin& origin, std::uint8_t kind, const std::string& port, bool auth,
                 const std::string& user = "", const std::string& password = "") {
    TServerInfo server = testing::ThroughProxy(testing::Direct(origin.port()), kind, port, user, password);
    server.ProxyAuth = auth;
    std::string message;
    bool ok = RunProbe(server, message, 3000);
    return {ok, GbkToUtf8(message)};
}

TEST(RealPeers, TinyproxyWithBasicAuth) {
    REQUIRE_PEER("NETPROBE_PEER_TINYPROXY_PORT");
    HttpOrigin origin;
    const std::string port = EnvOrEmpty("NETPROBE_PEER_TINYPROXY_PORT");
    const std::string user = EnvOrEmpty("NETPROBE_PEER_TINYPROXY_USER"),
                      pass = EnvOrEmpty("NETPROBE_PEER_TINYPROXY_PASS");
    Outcome good = ProbeVia(origin, 0, port, true, user, pass);
    EXPECT_TRUE(good.ok) << good.message;
    ASSERT_EQ(origin.requests().size(), 1u);
    EXPECT_EQ(origin.requests()[0].method, "HEAD");

    // Without credentials tinyproxy asks for them with 407.
    Outcome none = ProbeVia(origin, 0, port, false);
    EXPECT_FALSE(none.ok);
    EXPECT_EQ(none.message, "代理用户名或口令验证失败");
    // Wrong credentials: tinyproxy answers 401, which the status table words as it says.
    Outcome wrong = ProbeVia(origin, 0, port, true, user, pass + "x");
    EXPECT_FALSE(wrong.ok);
    EXPECT_EQ(wrong.message, "需要ssl验证");
    EXPECT_EQ(origin.requests().size(), 1u);
}

TEST(RealPeers, MicrosocksSocks5WithUserAndPassword) {
    REQUIRE_PEER("NETPROBE_PEER_MICROSOCKS_PORT");
    HttpOrigin origin;
    const std::string port = EnvOrEmpty("NETPROBE_PEER_MICROSOCKS_PORT");
    const std::string user = EnvOrEmpty("NETPROBE_PEER_MICROSOCKS_USER"),
                      pass = EnvOrEmpty("NETPROBE_PEER_MICROSOCKS_PASS");
    Outcome good = ProbeVia(origin, 2, port, true, user, pass);
    EXPECT_TRUE(good.ok) << good.message << " (password '" << pass << "')";
    Outcome wrong = ProbeVia(origin, 2, port, true, user, pass + "x");
    EXPECT_FALSE(wrong.ok);
    EXPECT_EQ(wrong.message, "网络连接异常");
    EXPECT_EQ(origin.requests().size(), 1u);
}

TEST(RealPeers, DanteSocks4AndSocks5WithoutAuthentication) {
    REQUIRE_PEER("NETPROBE_PEER_DANTE_PORT");
    HttpOrigin origin;
    const std::string port = EnvOrEmpty("NETPROBE_PEER_DANTE_PORT");
    Outcome socks4 = ProbeVia(origin, 1, port, false);
    EXPECT_TRUE(socks4.ok) << socks4.message;
    Outcome socks5 = ProbeVia(origin, 2, port, false);
    EXPECT_TRUE(socks5.ok) << socks5.message;
    EXPECT_EQ(origin.requests().size(), 2u);
}

}  // namespace
}  // namespace netprobe
