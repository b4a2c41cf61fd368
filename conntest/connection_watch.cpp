#include "conntest/connection_watch.h"

#include <algorithm>

namespace netprobe {

ConnectionWatch::ConnectionWatch(CURL* easy) : easy_(easy) {
    curl_easy_setopt(easy, CURLOPT_SOCKOPTFUNCTION, &ConnectionWatch::Created);
    curl_easy_setopt(easy, CURLOPT_SOCKOPTDATA, this);
    curl_easy_setopt(easy, CURLOPT_CLOSESOCKETFUNCTION, &ConnectionWatch::Closed);
    curl_easy_setopt(easy, CURLOPT_CLOSESOCKETDATA, this);
}

ConnectionWatch::~ConnectionWatch() {
    // The handle may close its sockets later (on cleanup): without the watch.
    curl_easy_setopt(easy_, CURLOPT_SOCKOPTFUNCTION, nullptr);
    curl_easy_setopt(easy_, CURLOPT_SOCKOPTDATA, nullptr);
    curl_easy_setopt(easy_, CURLOPT_CLOSESOCKETFUNCTION, nullptr);
    curl_easy_setopt(easy_, CURLOPT_CLOSESOCKETDATA, nullptr);
}

bool ConnectionWatch::Open() const { return std::any_of(sockets_.begin(), sockets_.end(), SocketHasPeer); }

int ConnectionWatch::Created(void* self, curl_socket_t socket, curlsocktype purpose) {
    if (purpose == CURLSOCKTYPE_IPCXN) static_cast<ConnectionWatch*>(self)->sockets_.push_back(socket);
    return CURL_SOCKOPT_OK;
}

int ConnectionWatch::Closed(void* self, curl_socket_t socket) {
    auto& sockets = static_cast<ConnectionWatch*>(self)->sockets_;
    sockets.erase(std::remove(sockets.begin(), sockets.end(), socket), sockets.end());
    CloseSocket(socket);
    return 0;
}

}  // namespace netprobe
