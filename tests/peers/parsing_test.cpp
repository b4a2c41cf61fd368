#include <gtest/gtest.h>

#include "tests/support/loopback/base64.h"
#include "tests/support/loopback/http_head.h"
#include "tests/support/loopback/raw_client.h"
#include "tests/support/loopback/socket_compat.h"
#include "tests/support/loopback/unused_port.h"

namespace netprobe::testing {
namespace {

TEST(Base64, RoundTripsEveryPaddingLength) {
    for (const std::string& text : {std::string(""), std::string("p"), std::string("pr"), std::string("probe:p%a:s@s"),
                                    std::string("\0\xff:", 3)}) {
        EXPECT_EQ(Base64Decode(Base64Encode(text)), text);
    }
    EXPECT_EQ(Base64Encode("probe:secret"), "cHJvYmU6c2VjcmV0");
}

TEST(Base64, RejectsMalformedText) {
    EXPECT_FALSE(Base64Decode("abc"));
    EXPECT_FALSE(Base64Decode("ab=c"));
    EXPECT_FALSE(Base64Decode("a==="));
    EXPECT_FALSE(Base64Decode("ab!d"));
    EXPECT_FALSE(Base64Decode("ab==abcd"));
}

TEST(HttpHead, ParsesRequestLineAndLowerCasesHeaderNames) {
    auto head = ParseRequestHead("HEAD http://127.0.0.1:8/x HTTP/1.1\r\nProxy-Authorization:  Basic  abc \r\n\r\n");
    ASSERT_TRUE(head);
    EXPECT_EQ(head->method, "HEAD");
    EXPECT_EQ(head->target, "http://127.0.0.1:8/x");
    EXPECT_EQ(head->version, "HTTP/1.1");
    ASSERT_EQ(head->headers.size(), 1u);
    EXPECT_EQ(head->headers[0].name, "proxy-authorization");
    EXPECT_EQ(head->headers[0].value, "Basic  abc");
    EXPECT_EQ(head->Find("PROXY-AUTHORIZATION"), "Basic  abc");
}

TEST(HttpHead, RejectsMalformedRequests) {
    EXPECT_FALSE(ParseRequestHead("HEAD /\r\n\r\n"));
    EXPECT_FALSE(ParseRequestHead("HEAD / x HTTP/1.1\r\n\r\n"));
    EXPECT_FALSE(ParseRequestHead("HEAD / FTP/1.1\r\n\r\n"));
    EXPECT_FALSE(ParseRequestHead("HEAD / HTTP/1.1\r\nno colon here\r\n\r\n"));
}

TEST(UnusedLoopbackPort, ConnectingIsRefused) {
    std::uint16_t port = UnusedLoopbackPort();
    EXPECT_NE(port, 0);
    EXPECT_FALSE(net::ConnectIpv4(net::kLoopbackAddress, port).valid());
    EXPECT_FALSE(RawClient(port).connected());
}

}  // namespace
}  // namespace netprobe::testing
