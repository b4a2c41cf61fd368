#pragma once

#include <curl/curl.h>

#include <vector>

namespace netprobe {

// Tells whether the transfer of an easy handle has an open connection yet: one of the sockets
// libcurl created for it (to the server or to the proxy) has reached its peer. Until then the
// transfer is resolving the name or connecting, which the connect limit ends; from then on
// every wait for a byte is a read. Installed on the handle for the watch's lifetime.
class ConnectionWatch {
public:
    explicit ConnectionWatch(CURL* easy);
    ~ConnectionWatch();
    ConnectionWatch(const ConnectionWatch&) = delete;
    ConnectionWatch& operator=(const ConnectionWatch&) = delete;

    bool Open() const;

private:
    static int Created(void* self, curl_socket_t socket, curlsocktype purpose);
    static int Closed(void* self, curl_socket_t socket);

    CURL* easy_;
    std::vector<curl_socket_t> sockets_;  // created and not yet closed
};

// Platform parts: whether a socket's connect has completed, and closing one.
bool SocketHasPeer(curl_socket_t socket);
void CloseSocket(curl_socket_t socket);

}  // namespace netprobe
