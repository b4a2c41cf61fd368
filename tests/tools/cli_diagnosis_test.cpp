// netprobe test tells why: the proxy settings as the module reads them (never the password),
// each probe's cause and advice with -v, all of it in --json, and --also-direct.
#include <gtest/gtest.h>

#include <algorithm>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <vector>

#include "core/display_text.h"
#include "tests/support/channel_file.h"
#include "tests/support/child_process.h"
#include "tests/support/env_var.h"
#include "tests/support/loopback/http_origin.h"
#include "tests/support/loopback/socks_server.h"
#include "tests/support/loopback/unused_port.h"
#include "tests/support/temp_dir.h"
#include "tools/probe_advice.h"

namespace netprobe {
namespace {

using testing::ChildRun;

testing::ChannelFile Ncc(std::vector<testing::ChannelServer> servers) {
    return {.declaration = testing::ChannelFile::kUtf8, .name = "u", .servers = std::move(servers)};
}

// `netprobe test` on the installation in `dir` with the user configuration `ini`, and `more`.
ChildRun RunTest(const std::string& dir, const std::string& ini, const std::vector<std::string>& more) {
    std::vector<std::string> args{"test", "--app-dir", dir, "--user-config", ini};
    args.insert(args.end(), more.begin(), more.end());
    return testing::RunChild(testing::ProgramBeside("netprobe"), args);
}

// What reaches the terminal: UTF-8 without a control character but the layout's line ends.
void ExpectFitForDisplay(const std::string& out, bool json) {
    EXPECT_EQ(DisplayText(out, TextLayout::kKeepLinesAndTabs), out) << out;
    EXPECT_EQ(out.find('\t'), std::string::npos) << out;
    if (json) {
        EXPECT_TRUE(nlohmann::json::accept(out)) << out;
    }
}

TEST(CliDiagnosis, RowsNameTheCauseAndTheIgnoredSettingsButNeverThePassword) {
    testing::HttpOrigin origin;
    testing::TempDir dir;
    const std::string closed = std::to_string(testing::UnusedLoopbackPort());
    testing::SocksServer socks(5);
    socks.ExpectCredentials("probe", "right");
    // A redirect whose target carries an OSC title, BEL, a C1 CSI and bytes that are no UTF-8.
    const std::string hostile =
        "http://127.0.0.1/\x1b]0;owned\x07\xc2\x9b"
        "31m\xff\xfe/x";
    const std::string long_action = "check/" + std::string(60, 'a');
    struct Case {
        const char* name;
        std::string network;  // section NetWork
        std::vector<std::string> args;
        std::vector<std::string> expected;
        std::vector<std::string> absent = {};
        int status = 404;
        std::string location = "";
        std::optional<std::vector<testing::ChannelServer>> servers = std::nullopt;  // else one: the origin
        std::string ends_with = "";
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
          "advice: nothing listens on 127.0.0.1:" + closed, "网络连接异常"},
         {"proxy handshake"}},
        {"refused SOCKS proxy: the handshake has a column",
         "ProxyEnable=1\r\nProxyMode=socket5\r\nProxyServer=127.0.0.1\r\nProxyPort=" + closed,
         {"-v"},
         {"cause:  proxy-refused-connection", ", proxy handshake -, "}},
        {"IPv6 proxy address in brackets",
         "ProxyEnable=1\r\nProxyServer=::1\r\nProxyPort=" + closed,
         {},
         {"proxy:    HTTP [::1]:" + closed + ", no authentication\n"}},
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
         {"these are extra requests", "through the proxy: FAILED  direct: FAILED\n  both routes fail: the server"},
         {},
         404,
         "",
         std::nullopt,
         "why: netprobe test -v shows each probe's cause and advice\n"},
        {"also direct, only the proxy fails",
         "ProxyEnable=1\r\nProxyServer=127.0.0.1\r\nProxyPort=" + closed,
         {"--also-direct"},
         {"through the proxy: FAILED  direct: PASSED\n  only the route through the proxy fails"},
         {},
         200},
        {"hostile redirect",
         "ProxyEnable=0",
         {"-v"},
         {"cause:  http-status - HTTP 302 to http://127.0.0.1/\\x1B]0;owned\\x07",
          "advice: the server sends the test elsewhere (http://127.0.0.1/\\x1B]0;owned\\x07\\u009B31m\xEF\xBF\xBD"},
         {},
         302,
         hostile},
        {"hostile redirect, json",
         "ProxyEnable=0",
         {"--json"},
         {"\"location\":\"http://127.0.0.1/\\\\x1B]0;owned\\\\x07"},
         {},
         302,
         hostile},
        {"hostile configuration value, plain run",
         "ProxyEnable=1\r\nProxyServer=127.0.0.1\r\nProxyPort=" + closed +
             "\r\nProxyAuthor=1\r\nProxyUser=p\x1b]0;t\x07\x7f\xff",
         {},
         {"user 'p\\x1B]0;t\\x07\\x7F"},
         {"cause:"},
         404,
         "",
         std::nullopt,
         "message:  更新服务器通讯测试失败！\nwhy: netprobe test -v shows each probe's cause and advice\n"},
        {"a long address keeps the columns",
         "ProxyEnable=0",
         {"-v"},
         {long_action + "\n" + std::string(62, ' ') + " "},
         {},
         404,
         "",
         std::vector<testing::ChannelServer>{{.port = origin.port(), .action = long_action}}},
        {"a Chinese host with a blank: the detail and the advice quote it whole",
         "ProxyEnable=0",
         {"-v"},
         {"cause:  bad-address - the host '更新 服务器' holds a blank",
          "advice: the host '更新 服务器' holds a blank or a control character: correct SERVERIP"},
         {},
         404,
         "",
         std::vector<testing::ChannelServer>{{.ip = "更新 服务器", .port = 80}}},
        {"empty server list",
         "ProxyEnable=0",
         {"-v"},
         {"servers:  none - the channel in MainCommunication.ncc lists no server\nverdict:  FAILED\n"},
         {"chosen:", "why:"},
         404,
         "",
         std::vector<testing::ChannelServer>{}},
        {"no usable server",
         "ProxyEnable=0",
         {},
         {"servers:  none usable - no server in MainCommunication.ncc has a host"},
         {"chosen:"},
         404,
         "",
         std::vector<testing::ChannelServer>{{.ip = "", .port = 80}, {.ip = "", .port = 81}}},
        {"json",
         "ProxyEnable=1\r\nProxyServer=127.0.0.1\r\nProxyPort=" + closed +
             "\r\nProxyPassword=secret\r\nProxyUser=q\"b\\s\tu\x01v",
         {"--json", "--also-direct"},
         {"\"proxy\":{\"enabled\":true,\"kind\":\"HTTP\"", "\"user\":\"q\\\"b\\\\s\\\\x09u\\\\x01v\"",
          "\"cause\":\"proxy-refused-connection\"", "\"curl_error\":\"", "\"peer\":\"",
          "\"timings\":{\"name_ms\":", "\"also_direct\":{\"extra_requests\":true", "\"cause\":\"http-status\""}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        origin.SetStatus(c.status);
        origin.SetLocation(c.location);
        Ncc(c.servers.value_or(std::vector<testing::ChannelServer>{{.port = origin.port()}})).WriteInto(dir.path());
        const std::string ini = dir.Write("u.ini", "[NetWork]\r\n" + c.network + "\r\n");
        const ChildRun run = RunTest(dir.path(), ini, c.args);
        EXPECT_EQ(run.exit_code, 1) << run.err;
        for (const std::string& text : c.expected)
            EXPECT_NE(run.out.find(text), std::string::npos) << text << "\n" << run.out;
        for (const std::string& text : c.absent)
            EXPECT_EQ(run.out.find(text), std::string::npos) << text << "\n" << run.out;
        if (!c.ends_with.empty()) {
            EXPECT_TRUE(run.out.ends_with(c.ends_with)) << run.out;
        }
        EXPECT_EQ(run.out.find("secret"), std::string::npos) << run.out;
        ExpectFitForDisplay(run.out, std::ranges::find(c.args, "--json") != c.args.end());
    }
    // 404 direct, the direct halves of the three --also-direct runs, the two redirects and the
    // long address; the Chinese host sends nothing.
    EXPECT_EQ(origin.requests().size(), 7u);
}

// Under a Chinese locale the report is Chinese, its columns kept; --lang en makes it English.
// JSON keys and cause codes are the same in both.
TEST(CliDiagnosis, TheReportIsInTheUsersLanguageUnlessOneIsChosen) {
    testing::TempDir dir;
    const std::string closed = std::to_string(testing::UnusedLoopbackPort());
    Ncc({{.port = std::stoi(closed)}, {.ip = "更新 服务器", .port = 80}}).WriteInto(dir.path());
    const std::string ini = dir.Write("u.ini", "[NetWork]\r\nProxyEnable=0\r\nProxyPort=abc\r\n");
    // ctest runs every test under LC_ALL=C.UTF-8.
    testing::ScopedEnv lc_all("LC_ALL", std::nullopt), language("LANGUAGE", std::nullopt);
    testing::ScopedEnv lang("LANG", "zh_CN.UTF-8"), messages("LC_MESSAGES", std::nullopt);
    const auto chinese = [](std::vector<std::string> args) {
#ifdef _WIN32
        // Wine gives a program the UI language of the Linux environment it started in, not the
        // one its Windows parent sets: there the option stands in for the locale.
        args.insert(args.end(), {"--lang", "zh"});
#endif
        return args;
    };
    struct Case {
        std::vector<std::string> args;
        std::vector<std::string> expected;
    };
    const Case cases[] = {
        {chinese({"-v"}),
         {"代理：    未启用（直连）\n  已忽略：ProxyPort 'abc' 不是数字", "择优探测：\n  择优      服务器 0  ",
          "原因：  connection-refused - 服务器地址上没有程序在监听\n",
          "建议：  127.0.0.1:" + closed + " 上没有程序在监听：", "原因：  bad-address - 主机“更新 服务器”中含有空格",
          "结论：    失败\n提示：    更新服务器通讯测试失败！\n"}},
        {{"-v", "--lang", "en"},
         {"proxy:    off (direct)\n  ignored: ProxyPort 'abc' is not a number",
          "cause:  connection-refused - nothing listens at the server's address\n",
          "advice: nothing listens on 127.0.0.1:" + closed + ": is the server",
          "verdict:  FAILED\nmessage:  更新服务器通讯测试失败！\n"}},
    };
    for (const Case& c : cases) {
        const ChildRun run = RunTest(dir.path(), ini, c.args);
        EXPECT_EQ(run.exit_code, 1) << run.err;
        for (const std::string& text : c.expected)
            EXPECT_NE(run.out.find(text), std::string::npos) << text << "\n" << run.out;
    }
    const nlohmann::json zh = nlohmann::json::parse(RunTest(dir.path(), ini, chinese({"--json"})).out);
    const nlohmann::json en = nlohmann::json::parse(RunTest(dir.path(), ini, {"--json", "--lang", "en"}).out);
    EXPECT_EQ(zh["language"], "zh");
    EXPECT_EQ(en["language"], "en");
    ASSERT_EQ(zh["probes"].size(), 2u);
    for (std::size_t i = 0; i < 2; ++i) {
        EXPECT_EQ(zh["probes"][i]["cause"], en["probes"][i]["cause"]);
        EXPECT_NE(zh["probes"][i]["advice"], en["probes"][i]["advice"]);
    }
    EXPECT_EQ(zh["final_probe"]["cause"], "connection-refused");
    EXPECT_EQ(zh["final_probe"]["detail"], "服务器地址上没有程序在监听");
}

// Every reply a SOCKS server can give gets advice of its own, never the catch-all.
TEST(CliDiagnosis, EachSocksReplyHasAdviceOfItsOwn) {
    struct Case {
        int version;
        int reply;
        const char* says;
    };
    const Case cases[] = {
        {5, 1, "general failure"},
        {5, 2, "rules forbid reaching 10.0.0.9:8080"},
        {5, 3, "no route"},
        {5, 4, "cannot reach the host 10.0.0.9:8080"},
        {5, 5, "nothing listens on 10.0.0.9:8080 behind the proxy"},
        {5, 6, "TTL expired"},
        {5, 7, "does not support"},
        {5, 8, "does not support"},
        {4, 91, "SOCKS 4 proxy rejected"},
        {4, 92, "identd"},
        {4, 93, "check ProxyUser"},
    };
    std::vector<std::string> seen;
    for (const Case& c : cases) {
        ProbeReport report;
        report.address = "http://10.0.0.9:8080/check";
        report.diagnosis.via_proxy = true;
        ClassifySocksFailure({.stage = SocksFailure::Stage::kConnectReply, .version = c.version, .reply = c.reply},
                             report.diagnosis);
        const std::string advice = cli::ProbeAdvice(report, {});
        EXPECT_NE(advice.find(c.says), std::string::npos) << c.reply << ": " << advice;
        if (c.reply != 8) {
            EXPECT_EQ(std::ranges::find(seen, advice), seen.end()) << c.reply << ": " << advice;
        }
        seen.push_back(advice);
    }
}

}  // namespace
}  // namespace netprobe
