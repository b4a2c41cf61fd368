// A connection attempt that is never answered: the listener's accept queue is full, so the
// kernel drops further connection requests and the client's time-out runs out while
// connecting.
#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <vector>

#include "conntest/f_HttPTestConnect.h"
#include "core/gbk.h"

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

TEST(ProbeConnect, ConnectTimeOutGivesTheTimeOutMessage) {
    Fd listener(socket(AF_INET, SOCK_STREAM, 0));
    sockaddr_in addr = Loopback(0);
    ASSERT_EQ(bind(listener.get(), reinterpret_cast<sockaddr*>(&addr), sizeof addr), 0);
    ASSERT_EQ(listen(listener.get(), 0), 0);
    socklen_t len = sizeof addr;
    ASSERT_EQ(getsockname(listener.get(), reinterpret_cast<sockaddr*>(&addr), &len), 0);
    const std::uint16_t port = ntohs(addr.sin_port);

    // Fill the accept queue; nothing is ever accepted.
    std::vector<Fd> fillers;
    for (int i = 0; i < 4; ++i) {
        Fd client(socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK, 0));
        sockaddr_in target = Loopback(port);
        connect(client.get(), reinterpret_cast<sockaddr*>(&target), sizeof target);
        fillers.push_back(std::move(client));
    }
    usleep(100 * 1000);

    TServerInfo server;
    server.Host = "127.0.0.1";
    server.PortText = std::to_string(port);
    std::string message;
    EXPECT_FALSE(RunProbe(server, message, 400));
    EXPECT_EQ(GbkToUtf8(message), "网络连接超时");
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
