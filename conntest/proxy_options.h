#pragma once

#include <curl/curl.h>

#include <string>

#include "conntest/f_HttPTestConnect.h"

namespace netprobe {

// Sets the record's proxy on the easy handle, or none: the environment's proxy settings
// never apply. Returns false when the proxy can't be used as written: the probe then fails
// instead of quietly going direct.
bool SetUpProxy(CURL* curl, const TServerInfo& server);

// "%"-encodes every byte but the unreserved characters, for credentials that libcurl
// URL-decodes.
std::string PercentEncode(const std::string& bytes);

}  // namespace netprobe
