#pragma once

#include <string>

namespace netprobe {

// The message for a failed request, from libcurl's result code and the final HTTP status
// (0 when no status arrived). Returns false for a success (a 2xx status).
bool ClassifyProbeOutcome(int curl_code, long status, std::string& message);

// "%"-encodes every byte but the unreserved characters, for credentials that libcurl
// URL-decodes.
std::string PercentEncode(const std::string& bytes);

}  // namespace netprobe
