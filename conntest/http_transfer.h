#pragma once

#include <curl/curl.h>

#include <chrono>

namespace netprobe {

// Runs the transfer of a prepared easy handle to its end, on a multi handle of its own, and
// returns its result. The transfer fails with CURLE_OPERATION_TIMEDOUT once `read` passes
// without an event on its connection (no byte arrived while it waited), or once `request`
// has passed in all. The connect phase has its own limit on the easy handle.
CURLcode PerformWithin(CURL* easy, std::chrono::milliseconds read, std::chrono::milliseconds request);

}  // namespace netprobe
