#pragma once

#include <optional>
#include <string>

namespace netprobe {

// The module's message for a failed request, from libcurl's result code and the final HTTP
// status (0 when no status arrived); nullopt for a success, which is a 2xx status.
std::optional<std::string> FailureMessageFor(int curl_code, long status);

}  // namespace netprobe
