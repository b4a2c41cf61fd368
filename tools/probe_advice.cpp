#include "tools/probe_advice.h"

#include "core/gbk.h"

namespace netprobe::cli {
namespace {

// "host:port" of the probe's address ("http://host:port/action").
std::string ServerOf(const ProbeReport& report) {
    std::string rest = GbkToUtf8(report.address);
    if (rest.starts_with("http://")) rest.erase(0, 7);
    return rest.substr(0, rest.find('/'));
}

std::string ProxyOf(const ProxySummary& proxy) { return HostPort(proxy.host, proxy.port); }

std::string StatusAdvice(const ProbeReport& report) {
    const long status = report.diagnosis.http_status;
    if (status >= 300 && status <= 399) {
        return "the server sends the test elsewhere (" +
               (report.diagnosis.location.empty() ? std::string("no Location") : report.diagnosis.location) +
               ") and the module does not follow redirects: correct SERVERIP / SERVERACTION";
    }
    if (status == 404) return "the server has no such path: check SERVERACTION in MainCommunication.ncc";
    return "the server answered " + std::to_string(status) + ": ask the server's administrator";
}

}  // namespace

std::string ProbeAdvice(const ProbeReport& report, const ProxySummary& proxy) {
    const ProbeDiagnosis& d = report.diagnosis;
    const std::string where = d.peer.empty() ? ServerOf(report) : d.peer;
    switch (d.cause) {
        case ProbeCause::kPassed:
            return "";
        case ProbeCause::kNoServerAddress:
            return "the server entry has no host: check SERVERIP in MainCommunication.ncc";
        case ProbeCause::kNoProxyAddress:
            return "the proxy settings name no usable proxy: check ProxyServer / ProxyPort";
        case ProbeCause::kNameNotResolved:
            return d.via_proxy ? "the proxy's name does not resolve: check ProxyServer and the DNS settings"
                               : "the server's name does not resolve: check SERVERIP and the DNS settings";
        case ProbeCause::kConnectionRefused:
            return "nothing listens on " + where + ": is the server running, is the port right?";
        case ProbeCause::kProxyRefused:
            return "nothing listens on " + (d.peer.empty() ? ProxyOf(proxy) : d.peer) +
                   ": check ProxyServer / ProxyPort, and whether the proxy runs";
        case ProbeCause::kUnreachable:
            return "no route to " + where + ": check the network connection, VPN or firewall";
        case ProbeCause::kConnectLimit:
            return "the connection was not accepted in time: a firewall may drop it silently, or the host is down";
        case ProbeCause::kReadTimeout:
            return "the connection stood but no answer came in time: the server or a filter in between holds the "
                   "request";
        case ProbeCause::kProxyAuth:
            return proxy.auth ? "the proxy rejected the stored credentials: check ProxyUser / ProxyPassword"
                              : "the proxy wants credentials: set ProxyAuthor to 1 and fill ProxyUser / ProxyPassword";
        case ProbeCause::kSocksTargetRefused:
            return "the SOCKS proxy refused to reach the server: its rules or its network stop it; ask its "
                   "administrator";
        case ProbeCause::kSocksFailed:
            return "the SOCKS exchange broke off: check that the proxy is a SOCKS proxy of the kind ProxyMode names";
        case ProbeCause::kHttpStatus:
            return StatusAdvice(report);
        case ProbeCause::kHalfAnswer:
            return "the connection ended in the middle of the answer: something in between cuts it, or the server "
                   "failed";
        case ProbeCause::kBackstop:
            return "the probe took longer than the channel's TIMEOUT allows in all";
        case ProbeCause::kSettingsError:
            return "ProxyAuthor must be 0 or 1 (or True / False)";
        case ProbeCause::kOther:
            return "";
    }
    return "";
}

}  // namespace netprobe::cli
