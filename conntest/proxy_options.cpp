#include "conntest/proxy_options.h"

#include <optional>

#include "conntest/proxy_address.h"

namespace netprobe {

bool SetUpProxy(CURL* curl, const TServerInfo& server) {
    curl_easy_setopt(curl, CURLOPT_NOPROXY, "");  // the environment's proxy settings never apply
    if (!server.ProxyEnabled || server.ProxyKind > 2) {
        return curl_easy_setopt(curl, CURLOPT_PROXY, "") == CURLE_OK;
    }
    // An empty proxy host would mean "no proxy" to libcurl: it is no host name, and the probe
    // fails instead of quietly going direct.
    const std::optional<std::string> url = ProxyUrl(server);
    if (!url || curl_easy_setopt(curl, CURLOPT_PROXY, url->c_str()) != CURLE_OK) return false;
    if (server.ProxyAuth) {
        const std::string credentials = PercentEncode(server.ProxyUserName) + ":" + PercentEncode(server.ProxyPass);
        curl_easy_setopt(curl, CURLOPT_PROXYUSERPWD, credentials.c_str());
        curl_easy_setopt(curl, CURLOPT_PROXYAUTH, CURLAUTH_BASIC);
        curl_easy_setopt(curl, CURLOPT_SOCKS5_AUTH, CURLAUTH_BASIC);
    } else {
        curl_easy_setopt(curl, CURLOPT_SOCKS5_AUTH, CURLAUTH_NONE);
    }
    return true;
}

std::string PercentEncode(const std::string& bytes) {
    static const char kHex[] = "0123456789ABCDEF";
    std::string out;
    for (unsigned char c : bytes) {
        bool unreserved = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' ||
                          c == '.' || c == '_' || c == '~';
        if (unreserved) {
            out.push_back(static_cast<char>(c));
        } else {
            out.push_back('%');
            out.push_back(kHex[c >> 4]);
            out.push_back(kHex[c & 15]);
        }
    }
    return out;
}

}  // namespace netprobe
