#include "tools/probe_advice.h"

#include "conntest/probe_address.h"
#include "core/gbk.h"
#include "core/translate.h"

namespace netprobe::cli {
namespace {

// "host:port" of the probe's address.
std::string ServerOf(const ProbeReport& report) { return GbkToUtf8(ProbeHostPort(report.address)); }

std::string ProxyOf(const ProxySummary& proxy) { return HostPort(proxy.host, proxy.port); }

std::string StatusAdvice(const ProbeReport& report) {
    const ProbeDiagnosis& d = report.diagnosis;
    const long status = d.http_status;
    if (d.via_proxy && d.answer_origin == AnswerOrigin::kEither && status >= 400) {
        return TrFormat(
            "the answer may come from the proxy or from the server (reason '%1$s', Server: %2$s): ask the proxy's "
            "administrator first, then the server's",
            d.evidence.reason, d.evidence.server.empty() ? std::string(Tr("none")) : d.evidence.server);
    }
    if (status == 401) return Tr("the server behind the proxy wants a login of its own, which the module never sends");
    if (status >= 300 && status <= 399) {
        return TrFormat(
            "the server sends the test elsewhere (%s) and the module does not follow redirects: correct SERVERIP / "
            "SERVERACTION",
            d.location.empty() ? std::string(Tr("no Location")) : d.location);
    }
    if (status == 404) return Tr("the server has no such path: check SERVERACTION in MainCommunication.ncc");
    return TrFormat("the server answered %s: ask the server's administrator", status);
}

std::string ProxyErrorAdvice(const ProbeReport& report, const std::string& proxy) {
    const std::string server = ServerOf(report);
    switch (report.diagnosis.proxy_trouble) {
        case ProxyTrouble::kConnect:
            return TrFormat(
                "the proxy %1$s could not connect to %2$s: is the server running, is the port right, may the proxy "
                "reach it? (the proxy's administrator can tell)",
                proxy, server);
        case ProxyTrouble::kResolve:
            return TrFormat(
                "the proxy %s could not resolve the server's name: check SERVERIP, or ask the proxy's administrator "
                "about its DNS",
                proxy);
        case ProxyTrouble::kTimeout:
            return TrFormat(
                "the proxy %1$s got no answer from %2$s in time: the server or the network beyond the proxy is slow "
                "or drops the connection",
                proxy, server);
        case ProxyTrouble::kNone:
        case ProxyTrouble::kOther:
            break;
    }
    return TrFormat("the proxy %1$s answered %2$s itself, not the server: ask the proxy's administrator", proxy,
                    report.diagnosis.http_status);
}

std::string SocksReplyAdvice(const ProbeReport& report) {
    const std::string server = ServerOf(report);
    switch (report.diagnosis.socks_reply) {
        case 1:
            return Tr(
                "the SOCKS proxy failed on its own side (general failure): look at its log, or ask its "
                "administrator");
        case 2:
            return TrFormat("the SOCKS proxy's rules forbid reaching %s: ask its administrator to allow it", server);
        case 3:
            return Tr("the SOCKS proxy has no route to the server's network: ask its administrator");
        case 4:
            return TrFormat("the SOCKS proxy cannot reach the host %s: is it up, is the address right?", server);
        case 5:
            return TrFormat("nothing listens on %s behind the proxy: is the server running, is the port right?",
                            server);
        case 6:
            return TrFormat("the SOCKS proxy gave up on the way to %s (TTL expired): a routing loop or a far network",
                            server);
        case 7:
        case 8:
            return TrFormat(
                "the SOCKS proxy does not support what the module asks for (reply %s): it may be a proxy of another "
                "kind or version",
                report.diagnosis.socks_reply);
        case 91:
            return TrFormat(
                "the SOCKS 4 proxy rejected the request: its rules forbid %s, or the server can't be reached from it",
                server);
        default:
            return Tr(
                "the SOCKS proxy refused to reach the server: its rules or its network stop it; ask its "
                "administrator");
    }
}

std::string CredentialsAdvice(const ProbeDiagnosis& d, const ProxySummary& proxy) {
    using Stage = SocksFailure::Stage;
    if (d.socks.stage == Stage::kMethod) {
        return proxy.auth ? Tr("the SOCKS 5 proxy takes neither no authentication nor a user name and password: it "
                               "may want a method the module doesn't offer (GSSAPI); ask its administrator")
                          : Tr("the SOCKS 5 proxy wants a user name and password: set ProxyAuthor to 1 and fill "
                               "ProxyUser / ProxyPassword");
    }
    if (d.socks_reply == 92) {
        return Tr(
            "the SOCKS 4 proxy could not reach the identd of this computer to learn the user: run an identd, or ask "
            "its administrator to drop the check");
    }
    if (d.socks_reply == 93)
        return Tr("the SOCKS 4 proxy's identd check gave another user than ProxyUser: check ProxyUser");
    if (d.http_status == 401 && d.answer_origin == AnswerOrigin::kEither) {
        return Tr(
            "either the proxy rejected the stored credentials (check ProxyUser / ProxyPassword) or the server behind "
            "it wants a login of its own (ask the server's administrator)");
    }
    return proxy.auth ? Tr("the proxy rejected the stored credentials: check ProxyUser / ProxyPassword")
                      : Tr("the proxy wants credentials: set ProxyAuthor to 1 and fill ProxyUser / ProxyPassword");
}

std::string NameAdvice(const ProbeDiagnosis& d) {
    if (d.socks.stage == SocksFailure::Stage::kResolveTarget) {
        return Tr(
            "the server's name does not resolve on this computer: a SOCKS 4 or 5 proxy is given the address, so "
            "this computer's name resolution fails, not the proxy's; check the DNS settings here, or put the "
            "server's address in SERVERIP");
    }
    return d.via_proxy ? Tr("the proxy's name does not resolve: check ProxyServer and the DNS settings")
                       : Tr("the server's name does not resolve: check SERVERIP and the DNS settings");
}

std::string NotHttpAdvice(const ProbeDiagnosis& d) {
    if (d.seen == "TLS") {
        return Tr("this port answers with TLS: the server may expect HTTPS; the module speaks plain HTTP");
    }
    if (d.seen.empty() || d.seen == "HTTP") {
        return Tr("the server's port answered with bytes that are no HTTP: is it the update service's port?");
    }
    return TrFormat("this port answers with %s, not HTTP: the update service runs on another port", d.seen);
}

}  // namespace

std::string ProbeAdvice(const ProbeReport& report, const ProxySummary& proxy) {
    const ProbeDiagnosis& d = report.diagnosis;
    const std::string where = d.peer.empty() ? ServerOf(report) : d.peer;
    switch (d.cause) {
        case ProbeCause::kPassed:
            return "";
        case ProbeCause::kNoServerAddress:
            return Tr("the server entry has no host: check SERVERIP in MainCommunication.ncc");
        case ProbeCause::kNoProxyAddress:
            return Tr("the proxy settings name no usable proxy: check ProxyServer / ProxyPort");
        case ProbeCause::kNameNotResolved:
            return NameAdvice(d);
        case ProbeCause::kConnectionRefused:
            return TrFormat("nothing listens on %s: is the server running, is the port right?", where);
        case ProbeCause::kProxyRefused:
            return TrFormat("nothing listens on %s: check ProxyServer / ProxyPort, and whether the proxy runs",
                            d.peer.empty() ? ProxyOf(proxy) : d.peer);
        case ProbeCause::kUnreachable:
            return TrFormat("no route to %s: check the network connection, VPN or firewall", where);
        case ProbeCause::kConnectLimit:
            return Tr("the connection was not accepted in time: a firewall may drop it silently, or the host is down");
        case ProbeCause::kReadTimeout:
            return Tr(
                "the connection stood but no answer came in time: the server or a filter in between holds the "
                "request");
        case ProbeCause::kProxyAuth:
            return CredentialsAdvice(d, proxy);
        case ProbeCause::kSocksTargetRefused:
            return SocksReplyAdvice(report);
        case ProbeCause::kSocksFailed:
            return Tr(
                "the SOCKS exchange broke off: check that the proxy is a SOCKS proxy of the kind ProxyMode names");
        case ProbeCause::kHttpStatus:
            return StatusAdvice(report);
        case ProbeCause::kProxyError:
            return ProxyErrorAdvice(report, d.peer.empty() ? ProxyOf(proxy) : d.peer);
        case ProbeCause::kNotHttp:
            return NotHttpAdvice(d);
        // The detail (UTF-8, in the current language) says what is wrong; the advice what to change.
        case ProbeCause::kBadAddress:
            return TrFormat("%s: correct SERVERIP / PORT in MainCommunication.ncc", d.detail);
        case ProbeCause::kProxyKindMismatch:
            return TrFormat("%s: set ProxyMode to match the proxy, or check ProxyServer / ProxyPort", d.detail);
        case ProbeCause::kNoAnswer:
            return Tr(
                "the connection closed without an answer: the server's port may belong to another service, or "
                "something in between cuts the request");
        case ProbeCause::kHalfAnswer:
            return Tr(
                "the connection ended in the middle of the answer: something in between cuts it, or the server "
                "failed");
        case ProbeCause::kBackstop:
            return Tr("the probe took longer than the channel's TIMEOUT allows in all");
        case ProbeCause::kSettingsError:
            return Tr("ProxyAuthor must be 0 or 1 (or True / False)");
        case ProbeCause::kOther:
            return Tr("the probe has no rule for this failure: the detail and libcurl's text say what happened");
    }
    return "";
}

}  // namespace netprobe::cli
