// Rules of a probe that need no peer: proxy modes, addresses, outcome messages.
#include <gtest/gtest.h>

#include <curl/curl.h>

#include "conntest/f_HttPTestConnect.h"
#include "conntest/probe_address.h"
#include "conntest/probe_outcome.h"
#include "conntest/proxy_options.h"
#include "core/gbk.h"

namespace netprobe {
namespace {

TEST(MapProxyMode, Table) {
    struct Row {
        const char* mode;
        const char* code;
    } rows[] = {
        {"0", "0"},
        {"http", "0"},
        {"HTTP", "0"},
        {"1", "1"},
        {"socket4", "1"},
        {"Socket4", "1"},
        {"2", "2"},
        {" SOCKET5 ", "2"},
        {"\tsocket5\r\n", "2"},
        {"socks5", "0"},
        {"socks4", "0"},
        {"", "0"},
        {"   ", "0"},
        {"3", "0"},
        {"01", "0"},
        {"socket 5", "0"},
        {"\xB4\xFA\xC0\xED", "0"},
    };
    for (const Row& row : rows) EXPECT_EQ(MapProxyMode(row.mode), row.code) << "'" << row.mode << "'";
}

TEST(BuildProbeAddress, Table) {
    struct Row {
        const char* host;
        const char* port;
        const char* action;
        const char* address;  // nullptr: no request is sent
    } rows[] = {
        {"HTTP://SRV01/", "88", "svc", "http://srv01:88/svc"},
        {"srv01", "80", "", "http://srv01:80"},
        {"host//", "80", "", "http://host/:80"},
        {"https://host", "80", "", "http://https://host:80"},
        {"127.0.0.1", "8080", "update/check", "http://127.0.0.1:8080/update/check"},
        {"proxy.http://Inner/", "81", "A", "http://inner:81/A"},  // what follows the first "http://"
        {"http://a/http://b", "1", "", "http://a/http://b:1"},
        {"10.0.0.1", "", "", "http://10.0.0.1:"},  // the port text is used unchanged
        {"10.0.0.1", " 80", "x", "http://10.0.0.1: 80/x"},
        {"", "80", "", nullptr},
        {"http://", "80", "svc", nullptr},
        {"HTTP:///", "80", "", nullptr},
        {"/", "80", "", nullptr},
    };
    for (const Row& row : rows) {
        TServerInfo server;
        server.Host = row.host;
        server.PortText = row.port;
        server.Action = row.action;
        auto address = BuildProbeAddress(server);
        if (row.address) {
            ASSERT_TRUE(address.has_value()) << row.host;
            EXPECT_EQ(*address, row.address);
        } else {
            EXPECT_FALSE(address.has_value()) << row.host;
        }
    }
}

TEST(FailureMessageFor, SuccessIsExactlyA2xxStatus) {
    for (long status : {200L, 204L, 299L}) EXPECT_EQ(FailureMessageFor(CURLE_OK, status), std::nullopt) << status;
}

TEST(FailureMessageFor, FailureRows) {
    struct Row {
        int code;
        long status;
        const char* message;
    } rows[] = {
        {CURLE_OK, 404, "目标地址无法到达"},           {CURLE_OK, 302, "302:网络连接异常"},
        {CURLE_OK, 100, "100:网络连接异常"},           {CURLE_OK, 199, "199:网络连接异常"},
        {CURLE_OK, 300, "300:网络连接异常"},           {CURLE_OK, 407, "代理用户名或口令验证失败"},
        {CURLE_OK, 999, "999:网络连接异常"},           {CURLE_OPERATION_TIMEDOUT, 0, "网络连接超时"},
        {CURLE_COULDNT_CONNECT, 0, "网络连接异常"},    {CURLE_COULDNT_RESOLVE_HOST, 0, "网络连接异常"},
        {CURLE_RECV_ERROR, 0, "网络连接异常"},         {CURLE_GOT_NOTHING, 0, "网络连接异常"},
        {CURLE_WEIRD_SERVER_REPLY, 0, "网络连接异常"}, {CURLE_PROXY, 0, "网络连接异常"},
        {CURLE_URL_MALFORMAT, 0, "网络连接异常"},      {CURLE_OK, 0, "网络连接异常"},
    };
    for (const Row& row : rows) {
        const std::optional<std::string> message = FailureMessageFor(row.code, row.status);
        ASSERT_TRUE(message.has_value()) << row.code << "/" << row.status;
        EXPECT_EQ(GbkToUtf8(*message), row.message) << row.code << "/" << row.status;
    }
}

TEST(PercentEncode, KeepsUnreservedAndEncodesTheRest) {
    EXPECT_EQ(PercentEncode("aZ09-._~"), "aZ09-._~");
    EXPECT_EQ(PercentEncode("p%a:s@s"), "p%25a%3As%40s");
    EXPECT_EQ(PercentEncode(std::string("\x00\xFF ", 3)), "%00%FF%20");
}

TEST(LimitsFor, ReadPerStepBackstopInSecondsAndABoundForUnsetTimeOuts) {
    using std::chrono::milliseconds;
    const ProbeLimits set = LimitsFor(250);
    EXPECT_EQ(set.connect, milliseconds(21000));  // none of the probe's own: the system's
    EXPECT_EQ(set.read, milliseconds(250));
    EXPECT_EQ(set.backstop, milliseconds(250000));
    EXPECT_EQ(set.request, milliseconds(250000 + 500));  // half a second of grace
    for (std::int32_t unset : {0, -5}) {
        const ProbeLimits limits = LimitsFor(unset);
        EXPECT_EQ(limits.backstop, milliseconds(unset * 1000));
        EXPECT_EQ(limits.connect, milliseconds(5000));
        EXPECT_EQ(limits.read, milliseconds(5000));
        EXPECT_EQ(limits.request, milliseconds(5000));
    }
    EXPECT_EQ(LimitsFor(INT32_MAX).backstop, milliseconds(std::int64_t{INT32_MAX} * 1000));
}

}  // namespace
}  // namespace netprobe
