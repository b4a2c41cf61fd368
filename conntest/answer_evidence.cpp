// Who made an HTTP answer: the server, or the proxy in between.
#include "conntest/answer_evidence.h"

#include <array>

#include "core/ascii.h"
#include "core/gbk.h"
#include "core/translate.h"

namespace netprobe {
namespace {

std::string_view Trim(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r' || text.back() == '\n')) {
        text.remove_suffix(1);
    }
    return text;
}

// The status line's text after "HTTP/x.y NNN ".
std::string_view ReasonOf(std::string_view status_line) {
    std::string_view rest = Trim(status_line);
    for (int field = 0; field < 2; ++field) {
        const auto space = rest.find(' ');
        if (space == std::string_view::npos) return {};
        rest = Trim(rest.substr(space + 1));
    }
    return rest;
}

// realm="x" (or realm=x) of an authentication challenge.
std::string RealmOf(std::string_view challenge) {
    const std::string folded = AsciiLowerCopy(challenge);
    const auto at = folded.find("realm=");
    if (at == std::string::npos) return {};
    std::string_view value = challenge.substr(at + 6);
    if (!value.empty() && value.front() == '"') {
        value.remove_prefix(1);
        return std::string(value.substr(0, value.find('"')));
    }
    return std::string(value.substr(0, value.find_first_of(", ")));
}

bool Contains(std::string_view text, std::string_view word) {
    return AsciiLowerCopy(text).find(word) != std::string::npos;
}

bool NamesAProxy(std::string_view text) {
    static constexpr std::array<std::string_view, 6> kProducts = {"proxy",  "squid",   "privoxy",
                                                                  "polipo", "wingate", "ccproxy"};
    for (std::string_view product : kProducts) {
        if (Contains(text, product)) return true;
    }
    return false;
}

// RFC 9209's error types and squid's error names, by what they say went wrong.
ProxyTrouble TroubleOfToken(std::string_view text) {
    if (Contains(text, "dns") || Contains(text, "resolv") || Contains(text, "unknown host")) {
        return ProxyTrouble::kResolve;
    }
    if (Contains(text, "timeout") || Contains(text, "timed out")) return ProxyTrouble::kTimeout;
    if (Contains(text, "connect") || Contains(text, "refused") || Contains(text, "unreachable") ||
        Contains(text, "unroutable") || Contains(text, "destination_unavailable")) {
        return ProxyTrouble::kConnect;
    }
    return ProxyTrouble::kOther;
}

ProxyTrouble TroubleOfAnswer(long status, const AnswerEvidence& e) {
    const ProxyTrouble by_reason = TroubleOfToken(e.reason);
    if (by_reason != ProxyTrouble::kOther) return by_reason;
    return status == 504 ? ProxyTrouble::kTimeout : ProxyTrouble::kOther;
}

}  // namespace

void NoteHeaderLine(std::string_view line, AnswerEvidence& e) {
    if (line.starts_with("HTTP/")) {
        e = AnswerEvidence{};
        e.reason = ReasonOf(line);
        return;
    }
    const auto colon = line.find(':');
    if (colon == std::string_view::npos) return;
    const std::string name = AsciiLowerCopy(Trim(line.substr(0, colon)));
    const std::string_view value = Trim(line.substr(colon + 1));
    if (name == "server") {
        e.server = value;
    } else if (name == "via") {
        e.via = value;
    } else if (name == "proxy-status") {
        e.proxy_status = value;
    } else if (name == "x-squid-error" || name == "x-tinyproxy-error" || name == "x-proxy-error") {
        e.proxy_error = std::string(Trim(line.substr(0, colon))) + ": " + std::string(value);
    } else if (name == "www-authenticate" && e.realm.empty()) {
        e.realm = RealmOf(value);
    }
}

AnswerJudgement JudgeProxiedAnswer(long status, const AnswerEvidence& e) {
    if (!e.proxy_status.empty() && Contains(e.proxy_status, "error=")) {
        return {AnswerOrigin::kProxy,
                TroubleOfToken(e.proxy_status.substr(AsciiLowerCopy(e.proxy_status).find("error=")))};
    }
    if (!e.proxy_error.empty()) return {AnswerOrigin::kProxy, TroubleOfToken(e.proxy_error)};
    if (NamesAProxy(e.server) || (status == 401 && NamesAProxy(e.realm))) {
        return {AnswerOrigin::kProxy, TroubleOfAnswer(status, e)};
    }
    if (status == 502 || status == 504) return {AnswerOrigin::kProxy, TroubleOfAnswer(status, e)};
    if (!e.via.empty() || !e.server.empty() || !e.proxy_status.empty()) return {AnswerOrigin::kServer};
    return {AnswerOrigin::kEither};
}

std::string EvidenceText(const AnswerEvidence& e) {
    // The answer's bytes are taken as the module takes every text, GBK. Built by appending:
    // GCC 12's -Wrestrict misreads an inlined "'" + std::string&& in the optimised build.
    std::string text = "'";
    text += GbkToUtf8(e.reason);
    text += '\'';
    const auto add = [&text](std::string_view name, const std::string& value) {
        if (value.empty()) return;
        text += ", ";
        text += name;
        text += GbkToUtf8(value);
    };
    if (e.server.empty()) text += std::string(", Server: ") + Tr("(none)");
    add("Server: ", e.server);
    add("Via: ", e.via);
    add("Proxy-Status: ", e.proxy_status);
    add("", e.proxy_error);
    add("realm ", e.realm);
    return text;
}

}  // namespace netprobe
