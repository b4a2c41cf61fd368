#include "conntest/proxy_address.h"

#include <curl/curl.h>

#include <memory>
#include <string_view>

#include "core/decimal.h"

namespace netprobe {
namespace {

constexpr int kDefaultProxyPort = 80;
constexpr int kHighestPort = 65535;

bool OnlyOf(std::string_view text, std::string_view allowed) {
    return text.find_first_not_of(allowed) == std::string_view::npos;
}

// A host name or an IPv4 address: letters, digits, "-", "_" and dots. Whether the name
// resolves is the resolver's business.
bool IsHostName(std::string_view host) {
    return !host.empty() && OnlyOf(host, "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789-_.");
}

struct UrlDeleter {
    void operator()(CURLU* url) const { curl_url_cleanup(url); }
};

// An IPv6 address in text form, as libcurl's own parser reads one in brackets. Only hex
// digits, colons and the dots of an embedded IPv4 address get that far, so nothing in the
// text can stand for another part of the URL.
bool IsIpv6Literal(const std::string& host) {
    if (host.find(':') == std::string::npos) return false;
    if (!OnlyOf(host, "0123456789abcdefABCDEF:.")) return false;
    std::unique_ptr<CURLU, UrlDeleter> url(curl_url());
    const std::string bracketed = "http://[" + host + "]/";
    return url && curl_url_set(url.get(), CURLUPART_URL, bracketed.c_str(), 0) == CURLUE_OK;
}

}  // namespace

std::optional<std::string> ProxyUrl(const TServerInfo& server) {
    static const char* const kSchemes[] = {"http://", "socks4://", "socks5://"};
    if (server.ProxyKind > 2) return std::nullopt;
    std::string host;
    if (IsIpv6Literal(server.ProxyHost)) {
        host = "[" + server.ProxyHost + "]";
    } else if (IsHostName(server.ProxyHost)) {
        host = server.ProxyHost;
    } else {
        return std::nullopt;
    }
    const int port = ParseInt32(server.ProxyPortText).value_or(kDefaultProxyPort);
    if (port < 0 || port > kHighestPort) return std::nullopt;
    return kSchemes[server.ProxyKind] + host + ":" + std::to_string(port);
}

}  // namespace netprobe
