#include <gtest/gtest.h>

#include "tests/support/loopback/base64.h"
#include "tests/support/loopback/http_origin.h"
#include "tests/support/loopback/http_proxy.h"
#include "tests/support/loopback/raw_client.h"
#include "tests/support/loopback/unused_port.h"

namespace netprobe::testing {
namespace {

const std::string kPassword = "p%a:s@s";

std::string ProxyHead(const HttpOrigin& origin, const std::string& extra) {
    return "HEAD " + origin.Url("/update?v=2") + " HTTP/1.1\r\nHost: 127.0.0.1:" + std::to_string(origin.port()) +
           "\r\n" + extra + "\r\n";
}

std::string Basic(const std::string& user, const std::string& password) {
    return "Proxy-Authorization: Basic " + Base64Encode(user + ":" + password) + "\r\n";
}

class ProxyWithCredentials : public ::testing::Test {
protected:
    void SetUp() override { proxy.ExpectCredentials("probe", kPassword); }
    HttpOrigin origin;
    HttpProxy proxy;
};

TEST_F(ProxyWithCredentials, Answers407ThenForwardsOnTheSameConnection) {
    RawClient client(proxy.port());
    ASSERT_TRUE(client.Send(ProxyHead(origin, "")));
    EXPECT_EQ(client.ReadUntil("\r\n\r\n"),
              "HTTP/1.1 407 Proxy Authentication Required\r\n"
              "Proxy-Authenticate: Basic realm=\"x\"\r\nContent-Length: 0\r\n\r\n");
    ASSERT_TRUE(client.Send(ProxyHead(origin, Basic("probe", kPassword) + "Proxy-Connection: keep-alive\r\n")));
    EXPECT_EQ(client.ReadToEnd().rfind("HTTP/1.1 200 OK\r\n", 0), 0u);

    ASSERT_TRUE(proxy.WaitForRequests(2, Millis(1000)));
    std::vector<ProxiedRequest> seen = proxy.requests();
    EXPECT_FALSE(seen[0].authorized);
    EXPECT_EQ(seen[0].failure, "no credentials");
    EXPECT_TRUE(seen[1].authorized);
    EXPECT_TRUE(seen[1].forwarded);
    EXPECT_EQ(seen[1].connection, 1);
    EXPECT_EQ(seen[1].sequence, 2);
    EXPECT_EQ(seen[1].request_line, "HEAD " + origin.Url("/update?v=2") + " HTTP/1.1");
    EXPECT_EQ(seen[1].user, "probe");
    EXPECT_EQ(seen[1].password, kPassword);

    ASSERT_TRUE(origin.WaitForRequests(1, Millis(1000)));
    RecordedRequest at_origin = origin.requests()[0];
    EXPECT_EQ(at_origin.target, "/update?v=2");
    EXPECT_FALSE(at_origin.Has("proxy-authorization"));
    EXPECT_FALSE(at_origin.Has("proxy-connection"));
    EXPECT_EQ(at_origin.Find("host"), "127.0.0.1:" + std::to_string(origin.port()));
}

TEST_F(ProxyWithCredentials, ComparesThePasswordBytesExactly) {
    for (const std::string& wrong : {std::string("p%a:s@S"), std::string("p%a"), std::string("p%25a:s@s")}) {
        RawClient client(proxy.port());
        ASSERT_TRUE(client.Send(ProxyHead(origin, Basic("probe", wrong))));
        EXPECT_EQ(client.ReadUntil("\r\n\r\n").rfind("HTTP/1.1 407", 0), 0u) << wrong;
    }
    RawClient client(proxy.port());
    ASSERT_TRUE(client.Send(ProxyHead(origin, "Proxy-Authorization: Basic !!notbase64\r\n")));
    EXPECT_EQ(client.ReadUntil("\r\n\r\n").rfind("HTTP/1.1 407", 0), 0u);
    ASSERT_TRUE(proxy.WaitForRequests(4, Millis(1000)));
    EXPECT_TRUE(origin.requests().empty());
    EXPECT_EQ(proxy.requests().back().failure, "wrong credentials");
}

TEST(HttpProxy, WithoutExpectedCredentialsForwardsAnything) {
    HttpOrigin origin;
    origin.SetStatus(204);
    HttpProxy proxy;
    std::string answer = Exchange(proxy.port(), ProxyHead(origin, ""));
    EXPECT_EQ(answer.rfind("HTTP/1.1 204 No Content\r\n", 0), 0u) << answer;
}

TEST(HttpProxy, RejectsOriginFormTargets) {
    HttpProxy proxy;
    std::string answer = Exchange(proxy.port(), "HEAD / HTTP/1.1\r\nHost: 127.0.0.1\r\n\r\n");
    EXPECT_EQ(answer.rfind("HTTP/1.1 400", 0), 0u);
    ASSERT_TRUE(proxy.WaitForRequests(1, Millis(1000)));
    EXPECT_EQ(proxy.requests()[0].failure, "request target is not in absolute form");
}

TEST(HttpProxy, AnswersBadGatewayForUnreachableOrForeignOrigins) {
    HttpProxy proxy;
    std::string refused = "HEAD http://127.0.0.1:" + std::to_string(UnusedLoopbackPort()) + "/ HTTP/1.1\r\n\r\n";
    EXPECT_EQ(Exchange(proxy.port(), refused).rfind("HTTP/1.1 502", 0), 0u);
    EXPECT_EQ(Exchange(proxy.port(), "HEAD http://192.0.2.1/ HTTP/1.1\r\n\r\n").rfind("HTTP/1.1 502", 0), 0u);
    ASSERT_TRUE(proxy.WaitForRequests(2, Millis(1000)));
    EXPECT_EQ(proxy.requests()[1].failure, "origin not 127.0.0.1");
}

TEST(HttpProxy, FaultGarbageAnswersNoHttp) {
    HttpOrigin origin;
    HttpProxy proxy;
    proxy.SetFault(ProxyFault::kGarbage);
    std::string answer = Exchange(proxy.port(), ProxyHead(origin, ""));
    EXPECT_FALSE(answer.empty());
    EXPECT_NE(answer.rfind("HTTP/", 0), 0u);
    EXPECT_TRUE(origin.requests().empty());
}

}  // namespace
}  // namespace netprobe::testing
