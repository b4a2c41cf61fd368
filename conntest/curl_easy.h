#pragma once

#include <curl/curl.h>

#include <memory>

namespace netprobe {

struct EasyDeleter {
    void operator()(CURL* curl) const { curl_easy_cleanup(curl); }
};
// An easy handle, cleaned up with its owner.
using EasyHandle = std::unique_ptr<CURL, EasyDeleter>;

}  // namespace netprobe
