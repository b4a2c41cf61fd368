// A connection attempt that is never answered: the listener's accept queue is full, so the
// kernel drops further connection requests and the connect limit runs out while connecting.
// The read time-out has no say before the connection is open.
#include <arpa/inet.h>
#include <curl/curl.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <vector>

#include "conntest/f_HttPTestConnect.h"
#include "conntest/http_transfer.h"
#include "core/gbk.h"
#include "tests/conntest/test_resolver.h"

namespace netprobe {
namespace {

class Fd {
public:
    explicit Fd(int fd) : fd_(fd) {}
    ~Fd() {
        if (fd_ >= 0) close(fd_);
    }
    Fd(Fd&& other) noexcept : fd_(other.fd_) { other.fd_ = -1; }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    int get() const { return fd_; }

private:
    int fd_;
};

sockaddr_in Loopback(std::uint16_t port) {
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_port = htons(port);
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    return addr;
}

// A listener on loopback whose accept queue is full: connects to it stay pending.
class UnansweredListener {
public:
    UnansweredListener() : listener_(socket(AF_INET, SOCK_STREAM, 0)) {
        sockaddr_in addr = Loopback(0);
        if (bind(listener_.get(), reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0) return;
        if (listen(listener_.get(), 0) != 0) return;
        socklen_t len = sizeof addr;
        if (getsockname(listener_.get(), reinterpret_cast<sockaddr*>(&addr), &len) != 0) return;
        port_ = ntohs(addr.sin_port);
        for (int i = 0; i < 4; ++i) {  // fill the queue; nothing is ever accepted
            Fd client(socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK, 0));
            sockaddr_in target = Loopback(port_);
            connect(client.get(), reinterpret_cast<sockaddr*>(&target), sizeof target);
            fillers_.push_back(std::move(client));
        }
        usleep(100 * 1000);
    }
    std::uint16_t port() const { return port_; }

private:
    Fd listener_;
    std::uint16_t port_ = 0;
    std::vector<Fd> fillers_;
};

TEST(ProbeConnect, ConnectLimitGivesTheTimeOutMessage) {
    UnansweredListener listener;
    ASSERT_NE(listener.port(), 0);
    TServerInfo server;
    server.Host = "127.0.0.1";
    server.PortText = std::to_string(listener.port());
    // The system's 21 s, shortened so that the case ends soon.
    using namespace std::chrono_literals;
    const ProbeLimits limits{600ms, 100ms, 10000ms, 10000ms};
    std::string message;
    EXPECT_FALSE(RunProbe(server, message, limits));
    EXPECT_EQ(GbkToUtf8(message), "网络连接超时");
}

TEST(ProbeConnect, APendingConnectOutlastsTheReadTimeOut) {
    UnansweredListener listener;
    ASSERT_NE(listener.port(), 0);
    CURL* easy = curl_easy_init();
    ASSERT_NE(easy, nullptr);
    const std::string url = "http://127.0.0.1:" + std::to_string(listener.port()) + "/";
    char error[CURL_ERROR_SIZE] = "";
    curl_easy_setopt(easy, CURLOPT_URL, url.c_str());
    curl_easy_setopt(easy, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(easy, CURLOPT_CONNECTTIMEOUT_MS, 600L);
    curl_easy_setopt(easy, CURLOPT_ERRORBUFFER, error);
    using namespace std::chrono_literals;
    EXPECT_EQ(PerformWithin(easy, 100ms, 10000ms), CURLE_OPERATION_TIMEDOUT);
    // libcurl's own connect limit ended it (it names the cause); the read watchdog says nothing.
    EXPECT_NE(std::string(error), "");
    curl_easy_cleanup(easy);
}

// A name server that never answers: a limit that ends the probe while the name resolves
// ends it then, and the resolution is left to finish on its own.
TEST(ProbeConnect, AResolutionCutOffByALimitIsNotWaitedFor) {
    ASSERT_TRUE(testing::TestResolverInstalled());
    using namespace std::chrono_literals;
    const struct {
        const char* limit;
        ProbeLimits limits;
    } rows[] = {
        {"libcurl's connect limit", {300ms, 100ms, 10000ms, 10000ms}},
        {"the request limit", {10000ms, 100ms, 300ms, 10000ms}},
    };
    for (const auto& row : rows) {
        TServerInfo server;
        server.Host = testing::kBlockingName;
        server.PortText = "80";
        std::string message;
        EXPECT_FALSE(RunProbe(server, message, row.limits)) << row.limit;
        EXPECT_EQ(testing::BlockedResolutions(), 1) << row.limit << ": the probe waited for the resolution";
        testing::ReleaseBlockedResolutions();
    }
}

TEST(ProbeConnect, MalformedAddressFailsWithoutARequest) {
    TServerInfo server;
    server.Host = "127.0.0.1";
    server.PortText = "abc";
    std::string message;
    EXPECT_FALSE(RunProbe(server, message, 400));
    EXPECT_EQ(GbkToUtf8(message), "网络连接异常");
}

}  // namespace
}  // namespace netprobe
