#include "conntest/probe_address.h"

#include <algorithm>
#include <string_view>

#include "core/ascii.h"
#include "core/gbk.h"
#include "core/translate.h"

namespace netprobe {
namespace {

// The host part of the address: lower case, after the first "http://", one trailing "/" dropped.
std::string ProbeHost(const TServerInfo& server) {
    std::string host = AsciiLowerCopy(server.Host);
    static constexpr std::string_view kScheme = "http://";
    if (auto at = host.find(kScheme); at != std::string::npos) host.erase(0, at + kScheme.size());
    if (!host.empty() && host.back() == '/') host.pop_back();
    return host;
}

bool AllDigits(std::string_view text) {
    return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

}  // namespace

std::optional<std::string> BuildProbeAddress(const TServerInfo& server) {
    const std::string host = ProbeHost(server);
    if (host.empty()) return std::nullopt;
    std::string address = "http://" + host + ":" + server.PortText;
    if (!server.Action.empty()) address += "/" + server.Action;
    return address;
}

std::string ExplainAddressFault(const TServerInfo& server) {
    const std::string host = ProbeHost(server);
    const std::string_view port = server.PortText;
    // The entry's texts are GBK, the explanation UTF-8.
    const std::string shown_host = GbkToUtf8(host), shown_port = GbkToUtf8(port);
    if (!port.empty() && !AllDigits(port)) return TrFormat("the port '%s' is no port number (0 to 65535)", shown_port);
    if (!port.empty() && (port.size() > 5 || std::stol(server.PortText) > 65535)) {
        return TrFormat("the port %s lies beyond 65535", shown_port);
    }
    if (std::any_of(host.begin(), host.end(), [](char c) { return static_cast<unsigned char>(c) <= ' '; })) {
        return TrFormat("the host '%s' holds a blank or a control character", shown_host);
    }
    if (std::count(host.begin(), host.end(), ':') >= 2 && host.find('[') == std::string::npos) {
        return TrFormat("the host '%1$s' is an IPv6 address without brackets: write it as [%1$s]", shown_host);
    }
    if (host.find(':') != std::string::npos) {
        return TrFormat("the host '%s' holds a ':' (a port belongs in the port)", shown_host);
    }
    return TrFormat("no URL can be formed from '%s'", GbkToUtf8(BuildProbeAddress(server).value_or("")));
}

std::string ProbeHostPort(const std::string& address) {
    const std::string_view rest = std::string_view(address).substr(address.starts_with("http://") ? 7 : 0);
    return std::string(rest.substr(0, rest.find('/')));
}

}  // namespace netprobe
