#include "conntest/probe_diagnosis.h"

namespace netprobe {
namespace {

std::string_view Socks5ReplyText(int reply) {
    switch (reply) {
        case 1:
            return "general SOCKS server failure";
        case 2:
            return "connection not allowed by ruleset";
        case 3:
            return "network unreachable";
        case 4:
            return "host unreachable";
        case 5:
            return "connection refused by the target";
        case 6:
            return "TTL expired";
        case 7:
            return "command not supported";
        case 8:
            return "address type not supported";
        default:
            return "unassigned reply";
    }
}

std::string_view Socks4ReplyText(int reply) {
    switch (reply) {
        case 91:
            return "request rejected or failed";
        case 92:
            return "no identd on the client";
        case 93:
            return "user id not confirmed by identd";
        default:
            return "unknown reply";
    }
}

}  // namespace

std::string_view CauseName(ProbeCause cause) {
    switch (cause) {
        case ProbeCause::kPassed:
            return "passed";
        case ProbeCause::kNoServerAddress:
            return "no-server-address";
        case ProbeCause::kNoProxyAddress:
            return "no-proxy-address";
        case ProbeCause::kNameNotResolved:
            return "name-not-resolved";
        case ProbeCause::kConnectionRefused:
            return "connection-refused";
        case ProbeCause::kProxyRefused:
            return "proxy-refused-connection";
        case ProbeCause::kUnreachable:
            return "unreachable";
        case ProbeCause::kConnectLimit:
            return "connect-limit";
        case ProbeCause::kReadTimeout:
            return "read-timeout";
        case ProbeCause::kProxyAuth:
            return "proxy-credentials";
        case ProbeCause::kSocksTargetRefused:
            return "socks-target-refused";
        case ProbeCause::kSocksFailed:
            return "socks-failed";
        case ProbeCause::kHttpStatus:
            return "http-status";
        case ProbeCause::kHalfAnswer:
            return "half-answer";
        case ProbeCause::kBackstop:
            return "caller-gave-up";
        case ProbeCause::kSettingsError:
            return "settings-error";
        case ProbeCause::kProxyError:
            return "proxy-error";
        case ProbeCause::kNotHttp:
            return "not-http";
        case ProbeCause::kBadAddress:
            return "bad-address";
        case ProbeCause::kProxyKindMismatch:
            return "proxy-kind-mismatch";
        case ProbeCause::kNoAnswer:
            return "no-answer";
        case ProbeCause::kOther:
            return "other";
    }
    return "other";
}

std::string DiagnosisLine(const ProbeDiagnosis& d) {
    std::string line(CauseName(d.cause));
    if (!d.detail.empty()) line += ": " + d.detail;
    std::string extra;
    if (!d.curl_error.empty()) extra += "curl: " + d.curl_error;
    if (!d.peer.empty()) extra += (extra.empty() ? "" : "; ") + std::string("peer ") + d.peer;
    if (d.timings.total_ms >= 0) extra += (extra.empty() ? "" : "; ") + std::to_string(d.timings.total_ms) + " ms";
    if (!extra.empty()) line += " (" + extra + ")";
    return line;
}

void ClassifySocksFailure(const SocksFailure& failure, ProbeDiagnosis& d) {
    const std::string socks = "SOCKS" + std::to_string(failure.version);
    d.socks_reply = failure.reply;
    d.socks = failure;
    switch (failure.stage) {
        case SocksFailure::Stage::kResolveTarget:
            d.cause = ProbeCause::kNameNotResolved;
            d.detail = "the server's name does not resolve on this computer (" + socks +
                       " is given the address, not the name)";
            return;
        case SocksFailure::Stage::kMethod:
            d.cause = ProbeCause::kProxyAuth;
            d.detail = socks + " server accepts none of the offered authentication methods";
            return;
        case SocksFailure::Stage::kAuth:
            d.cause = ProbeCause::kProxyAuth;
            d.detail = socks + " server rejected the user name and password";
            return;
        case SocksFailure::Stage::kConnectReply:
            break;
        case SocksFailure::Stage::kNone:
        case SocksFailure::Stage::kTransport:
            d.cause = ProbeCause::kSocksFailed;
            d.detail = socks + " exchange broke off before a reply";
            return;
    }
    // SOCKS4 92 and 93 are about the user id (identd): credentials, not the target.
    if (failure.version == 4 && (failure.reply == 92 || failure.reply == 93)) {
        d.cause = ProbeCause::kProxyAuth;
    } else {
        d.cause = ProbeCause::kSocksTargetRefused;
    }
    const std::string_view text =
        failure.version == 4 ? Socks4ReplyText(failure.reply) : Socks5ReplyText(failure.reply);
    d.detail = socks + " reply " + std::to_string(failure.reply) + " (" + std::string(text) + ")";
}

}  // namespace netprobe
