#include "tools/proxy_summary.h"

#include <optional>

#include "comm/f_EndecryptInterface.h"
#include "conntest/f_HttPTestConnect.h"
#include "core/HostFrameLib.h"
#include "core/ascii.h"
#include "core/decimal.h"
#include "core/display_text.h"
#include "core/gbk.h"
#include "core/translate.h"
#include "tools/report_label.h"

namespace netprobe::cli {
namespace {

constexpr const char* kSection = "NetWork";

std::string Setting(const char* key, const char* default_value) {
    return Host().GetUserConfigParam(kSection, key, default_value);
}

// Built by appending: GCC 12's -Wrestrict misreads the inlined "'" + std::string&& of an
// optimised build as an overlapping copy.
std::string Quoted(const std::string& gbk) {
    std::string quoted = "'";
    quoted += GbkToUtf8(gbk);
    quoted += '\'';
    return quoted;
}

std::optional<bool> BooleanText(const std::string& text) {
    try {
        return StrToBool(text);
    } catch (const std::exception&) {
        return std::nullopt;
    }
}

// The mode as the probe compares it: blanks at both ends dropped, folded to lower case.
std::string FoldedMode(std::string_view mode) {
    while (!mode.empty() && static_cast<unsigned char>(mode.front()) <= 32) mode.remove_prefix(1);
    while (!mode.empty() && static_cast<unsigned char>(mode.back()) <= 32) mode.remove_suffix(1);
    return AsciiLowerCopy(mode);
}

void NoteMode(const std::string& mode, ProxySummary& s) {
    static const char* const kKinds[] = {"HTTP", "SOCKS4", "SOCKS5"};
    const std::string mapped = MapProxyMode(mode);
    s.kind = kKinds[mapped[0] - '0'];
    const std::string folded = FoldedMode(mode);
    const bool known = folded == "0" || folded == "1" || folded == "2" || folded == "http" || folded == "socket4" ||
                       folded == "socket5";
    if (!known)
        s.ignored.push_back(TrFormat("ProxyMode %s is none of 0/1/2/http/socket4/socket5: HTTP is used", Quoted(mode)));
}

void NotePort(const std::string& port, ProxySummary& s) {
    const std::optional<std::int32_t> number = ParseInt32(port);
    if (!number) {
        s.port = "80";
        s.ignored.push_back(TrFormat("ProxyPort %s is not a number: port 80 is used", Quoted(port)));
    } else if (*number < 0 || *number > 65535) {
        s.port = GbkToUtf8(port);
        s.ignored.push_back(TrFormat("ProxyPort %s is no port: every probe fails without sending", Quoted(port)));
    } else {
        s.port = std::to_string(*number);
    }
}

void NoteAuth(const std::string& author, const std::string& stored, ProxySummary& s) {
    const std::optional<bool> auth = BooleanText(author);
    s.auth = auth.value_or(false);
    const bool marked = stored.starts_with(kStoredPasswordMarker);
    s.password_set = author == "1" && marked;
    if (!auth) {
        s.ignored.push_back(
            TrFormat("ProxyAuthor %s is not a Boolean (0 or 1): the test fails before any probe", Quoted(author)));
    } else if (*auth && author != "1" && !stored.empty()) {
        s.ignored.push_back(
            TrFormat("ProxyAuthor %s is not exactly 1: the stored password is ignored and an empty one is sent",
                     Quoted(author)));
    } else if (author == "1" && !stored.empty() && !marked) {
        s.ignored.push_back(Tr("ProxyPassword lacks its \"(*)\" marker: it is ignored and an empty password is sent"));
    }
}

}  // namespace

ProxySummary ReadProxySummary() {
    ProxySummary s;
    const std::string enable = Setting("ProxyEnable", "0");
    s.enabled = enable == "1";
    if (!s.enabled && enable != "0" && !enable.empty()) {
        s.ignored.push_back(TrFormat("ProxyEnable %s is not 1: the probes go direct", Quoted(enable)));
    }
    NoteMode(Setting("ProxyMode", "0"), s);
    s.host = GbkToUtf8(Setting("ProxyServer", ""));
    NotePort(Setting("ProxyPort", "80"), s);
    NoteAuth(Setting("ProxyAuthor", "0"), Setting("ProxyPassword", ""), s);
    s.user = GbkToUtf8(Setting("ProxyUser", ""));
    return s;
}

std::string HostPort(const std::string& host, const std::string& port) {
    const bool ipv6 = host.find(':') != std::string::npos && !host.starts_with('[');
    return (ipv6 ? "[" + host + "]" : host) + ":" + port;
}

std::string ProxySummaryText(const ProxySummary& s) {
    std::string text = Heading(Tr("proxy:"), kHeadingColumn);
    if (!s.enabled) {
        text += Tr("off (direct)");
    } else {
        const std::string proxy =
            DisplayText(s.kind + " " + HostPort(s.host.empty() ? std::string(Tr("(no host)")) : s.host, s.port));
        if (!s.auth) {
            text += TrFormat("%s, no authentication", proxy);
        } else if (s.password_set) {
            text += TrFormat("%1$s, authentication on, user '%2$s', password stored", proxy, DisplayText(s.user));
        } else {
            text += TrFormat("%1$s, authentication on, user '%2$s', no password", proxy, DisplayText(s.user));
        }
    }
    text += "\n";
    for (const std::string& note : s.ignored) text += "  " + TrFormat("ignored: %s", DisplayText(note)) + "\n";
    return text;
}

}  // namespace netprobe::cli
