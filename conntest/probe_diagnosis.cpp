#include "conntest/probe_diagnosis.h"

#include "core/gbk.h"
#include "core/translate.h"

namespace netprobe {
namespace {

// The replies by their names in RFC 1928 and 1929, translated where they are used.
const char* Socks5ReplyText(int reply) {
    switch (reply) {
        case 1:
            return TrNoop("general SOCKS server failure");
        case 2:
            return TrNoop("connection not allowed by ruleset");
        case 3:
            return TrNoop("network unreachable");
        case 4:
            return TrNoop("host unreachable");
        case 5:
            return TrNoop("connection refused by the target");
        case 6:
            return TrNoop("TTL expired");
        case 7:
            return TrNoop("command not supported");
        case 8:
            return TrNoop("address type not supported");
        default:
            return TrNoop("unassigned reply");
    }
}

const char* Socks4ReplyText(int reply) {
    switch (reply) {
        case 91:
            return TrNoop("request rejected or failed");
        case 92:
            return TrNoop("no identd on the client");
        case 93:
            return TrNoop("user id not confirmed by identd");
        default:
            return TrNoop("unknown reply");
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
    // libcurl's text may quote the configuration's host, which is GBK.
    if (!d.curl_error.empty()) extra += TrFormat("curl: %s", GbkToUtf8(d.curl_error));
    if (!d.peer.empty()) extra += (extra.empty() ? "" : "; ") + TrFormat("peer %s", d.peer);
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
            d.detail = TrFormat(
                "the server's name does not resolve on this computer (%s is given the address, not the name)", socks);
            return;
        case SocksFailure::Stage::kMethod:
            d.cause = ProbeCause::kProxyAuth;
            d.detail = TrFormat("%s server accepts none of the offered authentication methods", socks);
            return;
        case SocksFailure::Stage::kAuth:
            d.cause = ProbeCause::kProxyAuth;
            d.detail = TrFormat("%s server rejected the user name and password", socks);
            return;
        case SocksFailure::Stage::kConnectReply:
            break;
        case SocksFailure::Stage::kNone:
        case SocksFailure::Stage::kTransport:
            d.cause = ProbeCause::kSocksFailed;
            d.detail = TrFormat("%s exchange broke off before a reply", socks);
            return;
    }
    // SOCKS4 92 and 93 are about the user id (identd): credentials, not the target.
    if (failure.version == 4 && (failure.reply == 92 || failure.reply == 93)) {
        d.cause = ProbeCause::kProxyAuth;
    } else {
        d.cause = ProbeCause::kSocksTargetRefused;
    }
    const char* text = failure.version == 4 ? Socks4ReplyText(failure.reply) : Socks5ReplyText(failure.reply);
    d.detail = TrFormat("%1$s reply %2$s (%3$s)", socks, failure.reply, Tr(text));
}

}  // namespace netprobe
