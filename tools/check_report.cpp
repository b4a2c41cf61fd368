#include "tools/check_report.h"

#include "core/display_text.h"
#include "core/gbk.h"
#include "core/translate.h"
#include "tools/probe_advice.h"
#include "tools/report_label.h"

// Every text that did not come from this file (the module's GBK texts, the server's and the
// proxy's words, libcurl's, the configuration's values) passes through DisplayText before it
// joins the layout, so that only the layout's own line ends reach the screen.
namespace netprobe::cli {
namespace {

constexpr std::size_t kAddressColumn = 40;
constexpr std::size_t kProbeKindColumn = 10;
// Where a probe's rows below its head start.
constexpr const char* kProbeIndent = "            ";

// A module text (GBK) as it may be shown.
std::string Shown(const std::string& gbk) { return DisplayText(GbkToUtf8(gbk)); }

std::string MsText(std::int64_t ms) { return ms < 0 ? "-" : std::to_string(ms) + " ms"; }

// A number right-aligned in `width` columns.
std::string RightAligned(std::int64_t number, std::size_t width) {
    const std::string text = std::to_string(number);
    return std::string(text.size() < width ? width - text.size() : 0, ' ') + text;
}

bool ThroughSocks(const ProbeDiagnosis& d, const ProxySummary& proxy) {
    return d.via_proxy && proxy.kind.starts_with("SOCKS");
}

// "  selection server 0  <address>  <elapsed>  <message>": the address fills its column, and a
// longer one stands alone on the row, the rest going on below in the columns.
std::string ProbeHead(const ProbeReport& p) {
    const std::string head = "  " + Heading(p.final ? Tr("final") : Tr("selection"), kProbeKindColumn) +
                             TrFormat("server %s", p.index) + "  ";
    const std::string address = p.address.empty() ? std::string(Tr("(no address)")) : Shown(p.address);
    const std::size_t width = DisplayWidth(address);
    std::string row = head + address;
    if (width <= kAddressColumn) {
        row.append(kAddressColumn - width, ' ');
    } else {
        row += '\n';
        row.append(DisplayWidth(head) + kAddressColumn, ' ');
    }
    return row + " " + RightAligned(p.elapsed_ms, 6) + " ms  " + (p.ok ? std::string(Tr("ok")) : Shown(p.message)) +
           "\n";
}

std::string TimingsRow(const ProbeDiagnosis& d, const ProxySummary& proxy) {
    const ProbeTimings& t = d.timings;
    const std::string peer = d.peer.empty() ? std::string("-") : DisplayText(d.peer);
    if (ThroughSocks(d, proxy)) {
        return kProbeIndent +
               TrFormat("peer %1$s; name %2$s, connect %3$s, proxy handshake %4$s, first byte %5$s, total %6$s", peer,
                        MsText(t.name_ms), MsText(t.connect_ms), MsText(t.handshake_ms), MsText(t.first_byte_ms),
                        MsText(t.total_ms)) +
               "\n";
    }
    return kProbeIndent +
           TrFormat("peer %1$s; name %2$s, connect %3$s, first byte %4$s, total %5$s", peer, MsText(t.name_ms),
                    MsText(t.connect_ms), MsText(t.first_byte_ms), MsText(t.total_ms)) +
           "\n";
}

std::string ProbeRows(const ProbeReport& p, const ProxySummary& proxy) {
    const ProbeDiagnosis& d = p.diagnosis;
    std::string rows = ProbeHead(p);
    // The detail is UTF-8: our words, and what came from outside already turned from GBK.
    rows += kProbeIndent + Heading(Tr("cause:"), kProbeHeadingColumn) + std::string(CauseName(d.cause)) +
            (d.detail.empty() ? "" : " - " + DisplayText(d.detail)) + "\n";
    const std::string advice = ProbeAdvice(p, proxy);
    if (!advice.empty())
        rows += kProbeIndent + Heading(Tr("advice:"), kProbeHeadingColumn) + DisplayText(advice) + "\n";
    if (d.timings.total_ms >= 0) rows += TimingsRow(d, proxy);
    if (!d.curl_error.empty())
        rows += kProbeIndent + Heading(Tr("curl:"), kProbeHeadingColumn) + Shown(d.curl_error) + "\n";
    return rows;
}

// No probe found a host to send to: every server entry lacks one.
bool NoUsableServer(const CheckRun& r) {
    if (r.probes.empty()) return false;
    for (const ProbeReport& p : r.probes) {
        if (p.diagnosis.cause != ProbeCause::kNoServerAddress) return false;
    }
    return true;
}

std::string ServersText(const CheckRun& r) {
    const std::string heading = Heading(Tr("servers:"), kHeadingColumn);
    if (!HasServers(r)) return heading + Tr("none - the channel in MainCommunication.ncc lists no server") + "\n";
    if (NoUsableServer(r))
        return heading + Tr("none usable - no server in MainCommunication.ncc has a host: check SERVERIP") + "\n";
    return "";
}

std::string ChosenText(const CheckRun& r) {
    std::size_t selection = 0;
    bool any_ok = false;
    for (const ProbeReport& p : r.probes) {
        selection += p.final ? 0 : 1;
        any_ok = any_ok || (!p.final && p.ok);
    }
    const std::string heading = Heading(Tr("chosen:"), kHeadingColumn);
    if (selection == 0) return heading + TrFormat("server %s (the only server; not timed)", *r.chosen) + "\n";
    if (any_ok) {
        return heading +
               TrFormat("server %s (the fastest successful probe; ties go to the earlier server)", *r.chosen) + "\n";
    }
    return heading + TrFormat("server %s (no server answered; server 0 is tried again)", *r.chosen) + "\n";
}

std::string ProbesText(const CheckRun& r, const ProxySummary& proxy) {
    std::string text;
    bool any_selection = false;
    for (const ProbeReport& p : r.probes) any_selection = any_selection || !p.final;
    if (any_selection) text += std::string(Tr("selection probes:")) + "\n";
    for (const ProbeReport& p : r.probes) {
        if (!p.final) text += ProbeRows(p, proxy);
    }
    if (r.chosen && HasServers(r)) text += ChosenText(r);
    for (const ProbeReport& p : r.probes) {
        if (p.final) text += ProbeRows(p, proxy);
    }
    if (r.result_message)
        text += Heading(Tr("driver:"), kHeadingColumn) + "ResultMsgStr = \"" + Shown(*r.result_message) + "\"\n";
    return text;
}

std::string VerdictText(const CheckRun& r) {
    std::string text = ServersText(r);
    text += Heading(Tr("verdict:"), kHeadingColumn) +
            (r.passed ? Tr("PASSED - the update server can be reached") : Tr("FAILED")) + "\n";
    if (!r.message.empty()) text += Heading(Tr("message:"), kHeadingColumn) + Shown(r.message) + "\n";
    return text;
}

const char* VerdictWord(const CheckRun& r) { return r.passed ? Tr("PASSED") : Tr("FAILED"); }

// What the two verdicts of --also-direct say together.
std::string PairText(const CheckRun& proxied, const CheckRun& direct) {
    std::string text = "  ";
    text += TrFormat("through the proxy: %1$s  direct: %2$s", VerdictWord(proxied), VerdictWord(direct));
    text += "\n  ";
    if (proxied.passed && direct.passed) return text + Tr("both routes reach the server") + "\n";
    if (direct.passed)
        return text + Tr("only the route through the proxy fails: the proxy, or its settings, is the problem") + "\n";
    if (proxied.passed)
        return text + Tr("only the direct route fails: this network needs the proxy, and the proxy works") + "\n";
    return text + Tr("both routes fail: the server, or the network path both routes share, is the problem") + "\n";
}

}  // namespace

std::string ReportText(const ProxySummary& proxy, const CheckRun& run, const CheckRun* direct, bool verbose) {
    std::string text = ProxySummaryText(proxy);
    if (verbose) text += ProbesText(run, proxy);
    text += VerdictText(run);
    if (!direct) return text;
    text += '\n';
    text += Tr("--also-direct: the test ran once more without the proxy; these are extra requests.");
    text += '\n';
    if (verbose) text += ProbesText(*direct, proxy);
    if (!HasServers(*direct) || NoUsableServer(*direct)) text += ServersText(*direct);
    return text + PairText(run, *direct);
}

std::string VerboseHint(const CheckRun& run, const CheckRun* direct) {
    // A channel without servers has no probe to show.
    if (!HasServers(run) || (run.passed && (!direct || direct->passed))) return "";
    return std::string(Tr("why: netprobe test -v shows each probe's cause and advice")) + "\n";
}

}  // namespace netprobe::cli
