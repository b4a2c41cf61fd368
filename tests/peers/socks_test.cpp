#include <gtest/gtest.h>

#include "tests/peers/test_bytes.h"
#include "tests/support/loopback/http_origin.h"
#include "tests/support/loopback/raw_client.h"
#include "tests/support/loopback/socks_server.h"
#include "tests/support/loopback/unused_port.h"

namespace netprobe::testing {
namespace {

const std::string kHead = "HEAD /s HTTP/1.1\r\nHost: 127.0.0.1\r\nConnection: close\r\n\r\n";

// CONNECT to 127.0.0.1:port with ATYP 1.
std::string Socks5Connect(unsigned port) { return B({5, 1, 0, 1, 127, 0, 0, 1}) + PortBytes(port); }

std::string Socks4Connect(unsigned port, std::initializer_list<int> ip, const std::string& user) {
    return B({4, 1}) + PortBytes(port) + B(ip) + user + std::string(1, '\0');
}

class Socks5 : public ::testing::Test {
protected:
    HttpOrigin origin;
    SocksServer socks{5};
};

TEST_F(Socks5, UserPasswordHandshakeThenRelaysToTheOrigin) {
    socks.ExpectCredentials("probe", "p%a:s@s");
    RawClient client(socks.port());
    ASSERT_TRUE(client.Send(B({5, 2, 0, 2})));
    EXPECT_EQ(client.ReadExact(2), B({5, 2}));
    ASSERT_TRUE(client.Send(B({1, 5}) + "probe" + B({7}) + "p%a:s@s"));
    EXPECT_EQ(client.ReadExact(2), B({1, 0}));
    ASSERT_TRUE(client.Send(Socks5Connect(origin.port())));
    std::string reply = client.ReadExact(10);
    EXPECT_EQ(reply.substr(0, 8), B({5, 0, 0, 1, 127, 0, 0, 1}));
    ASSERT_TRUE(client.Send(kHead));
    EXPECT_EQ(client.ReadToEnd().rfind("HTTP/1.1 200 OK\r\n", 0), 0u);

    ASSERT_TRUE(socks.WaitForRecords(1, Millis(1000)));
    SocksRecord record = socks.records().at(0);
    EXPECT_TRUE(record.granted) << record.failure;
    EXPECT_EQ(record.version, 5);
    EXPECT_EQ(record.methods, (std::vector<std::uint8_t>{0, 2}));
    EXPECT_EQ(record.user, "probe");
    EXPECT_EQ(record.password, "p%a:s@s");
    EXPECT_EQ(record.atyp, 1);
    EXPECT_EQ(record.target_ip, 0x7F000001u);
    EXPECT_EQ(record.target_port, origin.port());
    EXPECT_EQ(record.handshake, B({5, 2, 0, 2, 1, 5}) + "probe" + B({7}) + "p%a:s@s" + Socks5Connect(origin.port()));
    ASSERT_TRUE(origin.WaitForRequests(1, Millis(1000)));
    EXPECT_EQ(origin.requests().at(0).target, "/s");
}

TEST_F(Socks5, WrongPasswordFailsTheSubNegotiation) {
    socks.ExpectCredentials("probe", "secret");
    RawClient client(socks.port());
    ASSERT_TRUE(client.Send(B({5, 1, 2, 1, 5}) + "probe" + B({6}) + "secreT"));
    EXPECT_EQ(client.ReadToEnd(), B({5, 2, 1, 1}));
    ASSERT_TRUE(socks.WaitForRecords(1, Millis(1000)));
    EXPECT_FALSE(socks.records()[0].granted);
    EXPECT_EQ(socks.records()[0].failure, "wrong user name or password");
}

TEST_F(Socks5, CredentialsRequiredButOnlyNoAuthOffered) {
    socks.ExpectCredentials("u", "p");
    EXPECT_EQ(Exchange(socks.port(), B({5, 1, 0})), B({5, 0xFF}));
    ASSERT_TRUE(socks.WaitForRecords(1, Millis(1000)));
    EXPECT_EQ(socks.records()[0].failure, "user/password method not offered");
}

TEST_F(Socks5, RecordsCanBeCountedWithoutBeingKept) {
    socks.KeepRecords(false);
    socks.ExpectCredentials("u", "p");
    EXPECT_EQ(Exchange(socks.port(), B({5, 1, 0})), B({5, 0xFF}));
    ASSERT_TRUE(socks.WaitForRecords(1, Millis(1000)));
    EXPECT_EQ(socks.record_count(), 1u);
    EXPECT_TRUE(socks.records().empty());
}

TEST_F(Socks5, NoAuthSelectsMethodZero) {
    RawClient client(socks.port());
    ASSERT_TRUE(client.Send(B({5, 1, 0}) + Socks5Connect(origin.port()) + kHead));
    EXPECT_EQ(client.ReadExact(2), B({5, 0}));
    EXPECT_EQ(client.ReadExact(10).substr(0, 4), B({5, 0, 0, 1}));
    EXPECT_EQ(client.ReadToEnd().rfind("HTTP/1.1 200 OK", 0), 0u);
}

TEST_F(Socks5, DomainNameIsRejectedAndFlagged) {
    std::string name = "localhost";
    std::string request = B({5, 1, 0, 5, 1, 0, 3, static_cast<int>(name.size())}) + name + PortBytes(origin.port());
    std::string answer = Exchange(socks.port(), request);
    ASSERT_EQ(answer.size(), 12u);
    EXPECT_EQ(answer[3], 8);  // address type not supported
    ASSERT_TRUE(socks.WaitForRecords(1, Millis(1000)));
    SocksRecord record = socks.records()[0];
    EXPECT_EQ(record.atyp, 3);
    EXPECT_TRUE(record.domain_name_rejected);
    EXPECT_EQ(record.target_host, "localhost");
    EXPECT_FALSE(record.granted);
    EXPECT_TRUE(origin.requests().empty());
}

TEST_F(Socks5, RefusedTargetAnswersConnectionRefused) {
    std::string answer = Exchange(socks.port(), B({5, 1, 0}) + Socks5Connect(UnusedLoopbackPort()));
    ASSERT_EQ(answer.size(), 12u);
    EXPECT_EQ(answer[3], 5);
}

TEST_F(Socks5, FaultCloseDuringHandshake) {
    socks.SetFault(SocksFault::kCloseDuringHandshake);
    RawClient client(socks.port());
    ASSERT_TRUE(client.Send(B({5, 1, 0})));
    EXPECT_EQ(client.ReadToEnd(), "");
    EXPECT_TRUE(client.peer_closed());
}

TEST_F(Socks5, FaultMalformedReply) {
    socks.SetFault(SocksFault::kMalformedReply);
    std::string answer = Exchange(socks.port(), B({5, 1, 0}) + Socks5Connect(origin.port()));
    EXPECT_EQ(answer, B({5, 0, 5, 0, 0, 7}));
}

class Socks4 : public ::testing::Test {
protected:
    HttpOrigin origin;
    SocksServer socks{4};
};

TEST_F(Socks4, GrantsWithTheExpectedUserIdAndRelays) {
    socks.ExpectUserId("probe");
    RawClient client(socks.port());
    ASSERT_TRUE(client.Send(Socks4Connect(origin.port(), {127, 0, 0, 1}, "probe")));
    EXPECT_EQ(client.ReadExact(8), B({0, 90}) + PortBytes(origin.port()) + B({127, 0, 0, 1}));
    ASSERT_TRUE(client.Send(kHead));
    EXPECT_EQ(client.ReadToEnd().rfind("HTTP/1.1 200 OK", 0), 0u);
    ASSERT_TRUE(socks.WaitForRecords(1, Millis(1000)));
    SocksRecord record = socks.records()[0];
    EXPECT_EQ(record.version, 4);
    EXPECT_EQ(record.command, 1);
    EXPECT_EQ(record.user, "probe");
    EXPECT_EQ(record.target_ip, 0x7F000001u);
    EXPECT_EQ(record.target_port, origin.port());
    EXPECT_EQ(record.handshake, Socks4Connect(origin.port(), {127, 0, 0, 1}, "probe"));
}

TEST_F(Socks4, RejectsAWrongUserId) {
    socks.ExpectUserId("probe");
    std::string answer = Exchange(socks.port(), Socks4Connect(origin.port(), {127, 0, 0, 1}, "other"));
    EXPECT_EQ(answer.substr(0, 2), B({0, 91}));
    ASSERT_TRUE(socks.WaitForRecords(1, Millis(1000)));
    EXPECT_EQ(socks.records()[0].failure, "user ID mismatch");
}

TEST_F(Socks4, RejectsSocks4aAddresses) {
    std::string request = Socks4Connect(origin.port(), {0, 0, 0, 1}, "") + "localhost" + B({0});
    std::string answer = Exchange(socks.port(), request);
    EXPECT_EQ(answer.substr(0, 2), B({0, 91}));
    ASSERT_TRUE(socks.WaitForRecords(1, Millis(1000)));
    EXPECT_NE(socks.records()[0].failure.find("SOCKS4A"), std::string::npos);
    EXPECT_TRUE(origin.requests().empty());
}

TEST_F(Socks4, NeverConnectsBeyondLoopback) {
    std::string answer = Exchange(socks.port(), Socks4Connect(80, {192, 0, 2, 1}, ""));
    EXPECT_EQ(answer.substr(0, 2), B({0, 91}));
}

TEST_F(Socks4, FaultMalformedReply) {
    socks.SetFault(SocksFault::kMalformedReply);
    std::string answer = Exchange(socks.port(), Socks4Connect(origin.port(), {127, 0, 0, 1}, ""));
    ASSERT_EQ(answer.size(), 8u);
    EXPECT_NE(answer[0], 0);
}

}  // namespace
}  // namespace netprobe::testing
