// The proxy is reached at ProxyHost and ProxyPortText as they are written: nothing in them is
// read as a URL, and a text that is no host fails before anything is sent.
#include <gtest/gtest.h>

#include "conntest/f_HttPTestConnect.h"
#include "conntest/proxy_address.h"
#include "core/gbk.h"
#include "tests/support/loopback/http_origin.h"
#include "tests/support/loopback/http_proxy.h"
#include "tests/support/loopback/socks_server.h"

namespace netprobe {
namespace {

using testing::HttpOrigin;
using testing::HttpProxy;
using testing::SocksServer;

TServerInfo Proxied(std::uint8_t kind, const std::string& host, const std::string& port) {
    TServerInfo server;
    server.Host = "127.0.0.1";
    server.PortText = "80";
    server.ProxyEnabled = true;
    server.ProxyKind = kind;
    server.ProxyHost = host;
    server.ProxyPortText = port;
    return server;
}

TEST(ProxyUrl, Table) {
    struct Row {
        std::uint8_t kind;
        const char* host;
        const char* port;
        const char* url;  // nullptr: the probe fails and sends nothing
    } rows[] = {
        {0, "127.0.0.1", "3128", "http://127.0.0.1:3128"},
        {1, "localhost", "1080", "socks4://localhost:1080"},
        {2, "Proxy-1.corp_lan", "1080", "socks5://Proxy-1.corp_lan:1080"},
        {0, "::1", "3128", "http://[::1]:3128"},
        {2, "fe80::1:2", "1080", "socks5://[fe80::1:2]:1080"},
        {0, "10.0.0.1", "0", "http://10.0.0.1:0"},  // port 0 is port 0
        {0, "10.0.0.1", "", "http://10.0.0.1:80"},  // not a number: 80
        {0, "10.0.0.1", "abc", "http://10.0.0.1:80"},
        {0, "10.0.0.1", "4294967376", "http://10.0.0.1:80"},  // not a 32-bit number: 80
        {0, "10.0.0.1", "+8080", "http://10.0.0.1:8080"},
        {0, "10.0.0.1", "65536", nullptr},
        {0, "10.0.0.1", "-1", nullptr},
        {0, "http://127.0.0.1", "3128", nullptr},
        {0, "127.0.0.1:3128", "80", nullptr},
        {0, "socks5://h", "1080", nullptr},
        {0, "user:pw@h", "3128", nullptr},
        {0, "h/path", "3128", nullptr},
        {0, "[::1]", "3128", nullptr},
        {0, "1:2:3", "3128", nullptr},
        {0, "h h", "3128", nullptr},
        {0, "\xB4\xFA\xC0\xED", "3128", nullptr},  // 代理 in GBK
        {0, "", "3128", nullptr},
    };
    for (const Row& row : rows) {
        const std::optional<std::string> url = ProxyUrl(Proxied(row.kind, row.host, row.port));
        if (row.url) {
            EXPECT_EQ(url.value_or("(none)"), row.url) << row.host << " " << row.port;
        } else {
            EXPECT_FALSE(url.has_value()) << row.host << " " << row.port << ": " << *url;
        }
    }
}

// Each text names a proxy that listens, if it were read as a URL; as written it is no host.
TEST(ProxyAsWritten, UrlFormsReachNoProxy) {
    HttpOrigin origin;
    HttpProxy http;
    SocksServer socks(5);
    const std::string http_port = std::to_string(http.port());
    struct Row {
        std::uint8_t kind;
        std::string host;
        std::string port;
    } rows[] = {
        {0, "http://127.0.0.1", http_port},
        {0, "127.0.0.1:" + http_port, "1"},
        {0, "socks5://127.0.0.1", std::to_string(socks.port())},
        {0, "user:pw@127.0.0.1", http_port},
    };
    for (const Row& row : rows) {
        TServerInfo server = Proxied(row.kind, row.host, row.port);
        server.PortText = std::to_string(origin.port());
        std::string message;
        EXPECT_FALSE(RunProbe(server, message, 2000)) << row.host;
        EXPECT_EQ(GbkToUtf8(message), "网络连接异常") << row.host;
    }
    EXPECT_EQ(http.connections(), 0);
    EXPECT_EQ(socks.connections(), 0);
    EXPECT_EQ(origin.request_count(), 0u);

    // The same proxies, written as host and port.
    TServerInfo server = Proxied(0, "localhost", http_port);
    server.PortText = std::to_string(origin.port());
    std::string message;
    EXPECT_TRUE(RunProbe(server, message, 2000)) << GbkToUtf8(message);
    EXPECT_EQ(http.requests().size(), 1u);
}

}  // namespace
}  // namespace netprobe
