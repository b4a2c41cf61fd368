// netprobe test tells why: the proxy settings as the module reads them (never the password),
// each probe's cause and advice with -v, all of it in --json, and --also-direct.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/channel_file.h"
#include "tests/support/child_process.h"
#include "tests/support/loopback/http_origin.h"
#include "tests/support/loopback/socks_server.h"
#include "tests/support/loopback/unused_port.h"
#include "tests/support/temp_dir.h"

namespace netprobe {
namespace {

using testing::ChildRun;

testing::ChannelFile Ncc(std::uint16_t port) {
    return {.declaration = testing::ChannelFile::kUtf8, .name = "u", .servers = {{.port = port}}};
}

TEST(CliDiagnosis, RowsNameTheCauseAndTheIgnoredSettingsButNeverThePassword) {
    testing::HttpOrigin origin;
    testing::TempDir dir;
    Ncc(origin.port()).WriteInto(dir.path());
    const std::string closed = std::to_string(testing::UnusedLoopbackPort());
    testing::SocksServer socks(5);
    socks.ExpectCredentials("probe", "right");
    struct Case {
        const char* name;
        std::string network;  // section NetWork
        std::vector<std::string> args;
        std::vector<std::string> expected;
    };
    const Case cases[] = {
        {"404 direct",
         "ProxyEnable=0",
         {"-v"},
         {"proxy:    off (direct)\n", "cause:  http-status - HTTP 404\n", "advice: the server has no such path",
          "message:  更新服务器通讯测试失败！\n"}},
        {"refused proxy, ProxyAuthor not exactly 1",
         "ProxyEnable=1\r\nProxyServer=127.0.0.1\r\nProxyPort=" + closed +
             "\r\nProxyAuthor=true\r\nProxyUser=probe\r\nProxyPassword=(*)secret",
         {"-v"},
         {"proxy:    HTTP 127.0.0.1:" + closed + ", authentication on, user 'probe', no password\n",
          "ignored: ProxyAuthor 'true' is not exactly 1", "cause:  proxy-refused-connection",
          "advice: nothing listens on 127.0.0.1:" + closed, "网络连接异常"}},
        {"no proxy host, a port that is no number, a password without its marker",
         "ProxyEnable=1\r\nProxyMode=socket5\r\nProxyPort=abc\r\nProxyAuthor=1\r\nProxyPassword=secret",
         {"-v"},
         {"proxy:    SOCKS5 (no host):80", "ignored: ProxyPort 'abc' is not a number: port 80 is used",
          "ignored: ProxyPassword lacks its \"(*)\" marker", "cause:  no-proxy-address"}},
        {"SOCKS 5 wants a password, authentication off",
         "ProxyEnable=1\r\nProxyMode=socket5\r\nProxyServer=127.0.0.1\r\nProxyPort=" + std::to_string(socks.port()),
         {"-v"},
         {"cause:  proxy-credentials - SOCKS5 server accepts none of the offered authentication methods",
          "advice: the SOCKS 5 proxy wants a user name and password: set ProxyAuthor to 1"}},
        {"also direct",
         "ProxyEnable=1\r\nProxyServer=127.0.0.1\r\nProxyPort=" + closed,
         {"--also-direct"},
         {"these are extra requests", "through the proxy: FAILED  direct: FAILED"}},
        {"json",
         "ProxyEnable=1\r\nProxyServer=127.0.0.1\r\nProxyPort=" + closed +
             "\r\nProxyPassword=secret\r\nProxyUser=q\"b\\s\tu\x01v",
         {"--json", "--also-direct"},
         {"\"proxy\":{\"enabled\":true,\"kind\":\"HTTP\"", "\"user\":\"q\\\"b\\\\s\\tu\\u0001v\"",
          "\"cause\":\"proxy-refused-connection\"", "\"curl_error\":\"", "\"peer\":\"",
          "\"timings\":{\"name_ms\":", "\"also_direct\":{\"extra_requests\":true", "\"cause\":\"http-status\""}},
    };
    origin.SetStatus(404);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string ini = dir.Write("u.ini", "[NetWork]\r\n" + c.network + "\r\n");
        std::vector<std::string> args{"test", "--app-dir", dir.path(), "--user-config", ini};
        args.insert(args.end(), c.args.begin(), c.args.end());
        const ChildRun run = testing::RunChild(testing::ProgramBeside("netprobe"), args);
        EXPECT_EQ(run.exit_code, 1) << run.err;
        for (const std::string& text : c.expected)
            EXPECT_NE(run.out.find(text), std::string::npos) << text << "\n" << run.out;
        EXPECT_EQ(run.out.find("secret"), std::string::npos) << run.out;
    }
    // 404 direct, and the direct halves of the two --also-direct runs.
    EXPECT_EQ(origin.requests().size(), 3u);
}

}  // namespace
}  // namespace netprobe
