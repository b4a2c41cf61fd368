#include "conntest/probe_address.h"

#include <string_view>

#include "core/ascii.h"

namespace netprobe {

std::optional<std::string> BuildProbeAddress(const TServerInfo& server) {
    std::string host = AsciiLowerCopy(server.Host);
    static constexpr std::string_view kScheme = "http://";
    if (auto at = host.find(kScheme); at != std::string::npos) host.erase(0, at + kScheme.size());
    if (!host.empty() && host.back() == '/') host.pop_back();
    if (host.empty()) return std::nullopt;
    std::string address = std::string(kScheme) + host + ":" + server.PortText;
    if (!server.Action.empty()) address += "/" + server.Action;
    return address;
}

}  // namespace netprobe
