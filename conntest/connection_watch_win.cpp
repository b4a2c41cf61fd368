#include <winsock2.h>
#include <ws2tcpip.h>

#include "conntest/connection_watch.h"

namespace netprobe {

// A socket whose connect is still pending has no peer yet (WSAENOTCONN).
bool SocketHasPeer(curl_socket_t socket) {
    sockaddr_storage peer{};
    int length = sizeof peer;
    return getpeername(socket, reinterpret_cast<sockaddr*>(&peer), &length) == 0;
}

void CloseSocket(curl_socket_t socket) { closesocket(socket); }

}  // namespace netprobe
