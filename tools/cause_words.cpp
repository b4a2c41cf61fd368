#include "tools/cause_words.h"

#include "core/translate.h"

namespace netprobe::cli {

const char* CauseInWords(ProbeCause cause) {
    switch (cause) {
        case ProbeCause::kPassed:
            return Tr("reached");
        case ProbeCause::kNoServerAddress:
            return Tr("no server address");
        case ProbeCause::kNoProxyAddress:
            return Tr("no proxy address");
        case ProbeCause::kNameNotResolved:
            return Tr("name not found");
        case ProbeCause::kConnectionRefused:
            return Tr("connection refused");
        case ProbeCause::kProxyRefused:
            return Tr("proxy refused the connection");
        case ProbeCause::kUnreachable:
            return Tr("network unreachable");
        case ProbeCause::kConnectLimit:
            return Tr("connection timed out");
        case ProbeCause::kReadTimeout:
            return Tr("no answer in time");
        case ProbeCause::kProxyAuth:
            return Tr("proxy wants credentials");
        case ProbeCause::kSocksTargetRefused:
            return Tr("SOCKS proxy refused the server");
        case ProbeCause::kSocksFailed:
            return Tr("SOCKS exchange failed");
        case ProbeCause::kHttpStatus:
            return Tr("server answered with an error");
        case ProbeCause::kHalfAnswer:
            return Tr("answer cut off");
        case ProbeCause::kBackstop:
            return Tr("took too long in all");
        case ProbeCause::kSettingsError:
            return Tr("proxy settings invalid");
        case ProbeCause::kProxyError:
            return Tr("proxy answered with an error");
        case ProbeCause::kNotHttp:
            return Tr("not an HTTP server");
        case ProbeCause::kBadAddress:
            return Tr("server address invalid");
        case ProbeCause::kProxyKindMismatch:
            return Tr("proxy of another kind");
        case ProbeCause::kNoAnswer:
            return Tr("closed without an answer");
        case ProbeCause::kOther:
            break;
    }
    return Tr("failed");
}

}  // namespace netprobe::cli
