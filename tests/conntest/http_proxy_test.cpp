// Probes through an HTTP proxy: the absolute-URI request, Basic proxy credentials, 407.
#include <gtest/gtest.h>

#include "conntest/f_HttPTestConnect.h"
#include "core/gbk.h"
#include "tests/support/loopback/http_origin.h"
#include "tests/support/loopback/http_proxy.h"

namespace netprobe {
namespace {

using testing::HttpOrigin;
using testing::HttpProxy;

TServerInfo ViaProxy(const HttpOrigin& origin, const HttpProxy& proxy) {
    TServerInfo server;
    server.Host = "http://127.0.0.1/";
    server.PortText = std::to_string(origin.port());
    server.Action = "update/check";
    server.ProxyEnabled = true;
    server.ProxyKind = 0;
    server.ProxyHost = "127.0.0.1";
    server.ProxyPortText = std::to_string(proxy.port());
    return server;
}

bool Probe(const TServerInfo& server, std::string& message_utf8) {
    std::string message;
    bool ok = RunProbe(server, message, 2000);
    message_utf8 = GbkToUtf8(message);
    return ok;
}

TEST(ProbeHttpProxy, SendsTheAbsoluteAddressWithoutCredentialsWhenNoneAreAsked) {
    HttpOrigin origin;
    HttpProxy proxy;
    TServerInfo server = ViaProxy(origin, proxy);
    server.ProxyUserName = "ignored";
    std::string message;
    ASSERT_TRUE(Probe(server, message)) << message;
    ASSERT_EQ(proxy.requests().size(), 1u);
    const auto request = proxy.requests()[0];
    EXPECT_EQ(request.request_line,
              "HEAD http://127.0.0.1:" + std::to_string(origin.port()) + "/update/check HTTP/1.1");
    EXPECT_FALSE(request.Has("proxy-authorization"));
    ASSERT_EQ(origin.requests().size(), 1u);
    EXPECT_EQ(origin.requests()[0].target, "/update/check");
}

TEST(ProbeHttpProxy, CredentialsReachTheProxyByteForByte) {
    struct Case {
        const char* user;
        const char* password;
    } cases[] = {
        {"probe", "secret"},
        {"probe", "p%a:s@s"},
        {"do%main\\user", "%41%%3A:@@"},
        {"u", "\xC3\xDC\xC2\xEB"},  // a GBK password
        {"u", ""},
    };
    for (const Case& c : cases) {
        HttpOrigin origin;
        HttpProxy proxy;
        proxy.ExpectCredentials(c.user, c.password);
        TServerInfo server = ViaProxy(origin, proxy);
        server.ProxyAuth = true;
        server.ProxyUserName = c.user;
        server.ProxyPass = c.password;
        std::string message;
        EXPECT_TRUE(Probe(server, message)) << c.password << ": " << message;
        ASSERT_FALSE(proxy.requests().empty());
        const auto request = proxy.requests().back();
        EXPECT_EQ(request.user, c.user);
        EXPECT_EQ(request.password, c.password);
    }
}

TEST(ProbeHttpProxy, RefusedCredentialsGiveThe407Message) {
    HttpOrigin origin;
    HttpProxy proxy;
    proxy.ExpectCredentials("probe", "right");
    TServerInfo server = ViaProxy(origin, proxy);
    server.ProxyAuth = true;
    server.ProxyUserName = "probe";
    server.ProxyPass = "wrong";
    std::string message;
    EXPECT_FALSE(Probe(server, message));
    EXPECT_EQ(message, "代理用户名或口令验证失败");

    server.ProxyAuth = false;  // no credentials at all
    EXPECT_FALSE(Probe(server, message));
    EXPECT_EQ(message, "代理用户名或口令验证失败");
    EXPECT_EQ(origin.requests().size(), 0u);
}

TEST(ProbeHttpProxy, AProxyAnsweringGarbageFails) {
    HttpOrigin origin;
    HttpProxy proxy;
    proxy.SetFault(testing::ProxyFault::kGarbage);
    std::string message;
    EXPECT_FALSE(Probe(ViaProxy(origin, proxy), message));
    EXPECT_EQ(message, "网络连接异常");
}

TEST(ProbeHttpProxy, UnreachableProxyFails) {
    HttpOrigin origin;
    TServerInfo server;
    server.Host = "127.0.0.1";
    server.PortText = std::to_string(origin.port());
    server.ProxyEnabled = true;
    server.ProxyHost = "127.0.0.1";
    {
        HttpProxy gone;
        server.ProxyPortText = std::to_string(gone.port());
    }
    std::string message;
    EXPECT_FALSE(Probe(server, message));
    EXPECT_EQ(message, "网络连接异常");
    EXPECT_EQ(origin.requests().size(), 0u);
}

}  // namespace
}  // namespace netprobe
