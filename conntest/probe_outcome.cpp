#include "conntest/probe_outcome.h"

#include <curl/curl.h>

#include "core/texts.h"

namespace netprobe {

std::optional<std::string> FailureMessageFor(int curl_code, long status) {
    if (curl_code == CURLE_OK && status >= 200 && status <= 299) return std::nullopt;
    if (curl_code == CURLE_OK && status > 0) return texts::StatusMessage(status);
    if (curl_code == CURLE_OPERATION_TIMEDOUT) return texts::ConnectTimeout();
    return texts::ConnectFailed();
}

}  // namespace netprobe
