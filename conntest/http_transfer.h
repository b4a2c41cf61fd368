#pragma once

#include <curl/curl.h>

#include <chrono>

namespace netprobe {

// Runs the transfer of a prepared easy handle to its end, on a multi handle of its own, and
// returns its result. Once the connection is open, the transfer fails with
// CURLE_OPERATION_TIMEDOUT when `read` passes without an event on it (no byte arrived while
// it waited); at any time once `request` has passed in all. Name resolution and the TCP
// connect end by the connect limit set on the easy handle; a limit that ends the transfer
// while the name resolves does not wait for the resolution. `stop`, when given, tells which
// of the two limits of its own ended it.
enum class TransferStop : unsigned char { kNone, kReadLimit, kRequestLimit };
CURLcode PerformWithin(CURL* easy, std::chrono::milliseconds read, std::chrono::milliseconds request,
                       TransferStop* stop = nullptr);

}  // namespace netprobe
