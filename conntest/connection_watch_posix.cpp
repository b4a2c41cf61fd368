#include <sys/socket.h>
#include <unistd.h>

#include "conntest/connection_watch.h"

namespace netprobe {

// A socket whose connect is still pending has no peer yet.
bool SocketHasPeer(curl_socket_t socket) {
    sockaddr_storage peer{};
    socklen_t length = sizeof peer;
    return getpeername(socket, reinterpret_cast<sockaddr*>(&peer), &length) == 0;
}

void CloseSocket(curl_socket_t socket) { close(socket); }

}  // namespace netprobe
