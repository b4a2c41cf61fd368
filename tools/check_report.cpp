#include "tools/check_report.h"

#include <cstdio>

#include "core/display_text.h"
#include "core/gbk.h"
#include "core/translate.h"
#include "tools/probe_advice.h"

// Every text that did not come from this file (the module's GBK texts, the server's and the
// proxy's words, libcurl's, the configuration's values) passes through DisplayText before it
// joins the layout, so that only the layout's own line ends reach the screen.
namespace netprobe::cli {
namespace {

constexpr std::size_t kAddressColumn = 40;

std::string Format(const char* format, auto... values) {
    char buffer[512];
    std::snprintf(buffer, sizeof buffer, format, values...);
    return buffer;
}

// A module text (GBK) as it may be shown.
std::string Shown(const std::string& gbk) { return DisplayText(GbkToUtf8(gbk)); }

std::string MsText(std::int64_t ms) { return ms < 0 ? "-" : std::to_string(ms) + " ms"; }

bool ThroughSocks(const ProbeDiagnosis& d, const ProxySummary& proxy) {
    return d.via_proxy && proxy.kind.starts_with("SOCKS");
}

// "  selection server 0  <address>  <elapsed>  <message>": the address fills its column, and a
// longer one stands alone on the row, the rest going on below in the columns.
std::string ProbeHead(const ProbeReport& p) {
    const std::string head = Format("  %-9s server %d  ", p.final ? "final" : "selection", p.index);
    const std::string address = p.address.empty() ? "(no address)" : Shown(p.address);
    const std::size_t width = DisplayWidth(address);
    std::string row = head + address;
    if (width <= kAddressColumn) {
        row.append(kAddressColumn - width, ' ');
    } else {
        row += '\n';
        row.append(DisplayWidth(head) + kAddressColumn, ' ');
    }
    return row + Format(" %6lld ms  ", static_cast<long long>(p.elapsed_ms)) + (p.ok ? "ok" : Shown(p.message)) + "\n";
}

std::string TimingsRow(const ProbeDiagnosis& d, const ProxySummary& proxy) {
    const ProbeTimings& t = d.timings;
    return "            peer " + (d.peer.empty() ? std::string("-") : DisplayText(d.peer)) + "; name " +
           MsText(t.name_ms) + ", connect " + MsText(t.connect_ms) +
           (ThroughSocks(d, proxy) ? ", proxy handshake " + MsText(t.handshake_ms) : "") + ", first byte " +
           MsText(t.first_byte_ms) + ", total " + MsText(t.total_ms) + "\n";
}

std::string ProbeRows(const ProbeReport& p, const ProxySummary& proxy) {
    const ProbeDiagnosis& d = p.diagnosis;
    std::string rows = ProbeHead(p);
    rows += "            cause:  " + std::string(CauseName(d.cause)) +
            (d.detail.empty() ? "" : " - " + Shown(d.detail)) + "\n";
    const std::string advice = ProbeAdvice(p, proxy);
    if (!advice.empty()) rows += "            advice: " + DisplayText(advice) + "\n";
    if (d.timings.total_ms >= 0) rows += TimingsRow(d, proxy);
    if (!d.curl_error.empty()) rows += "            curl:   " + Shown(d.curl_error) + "\n";
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
    if (!HasServers(r)) return "servers:  none - the channel in MainCommunication.ncc lists no server\n";
    if (NoUsableServer(r))
        return "servers:  none usable - no server in MainCommunication.ncc has a host: check SERVERIP\n";
    return "";
}

std::string ChosenText(const CheckRun& r) {
    std::size_t selection = 0;
    bool any_ok = false;
    for (const ProbeReport& p : r.probes) {
        selection += p.final ? 0 : 1;
        any_ok = any_ok || (!p.final && p.ok);
    }
    std::string text = Format("chosen:   server %d", *r.chosen);
    if (selection == 0) return text + " (the only server; not timed)\n";
    if (any_ok) return text + " (the fastest successful probe; ties go to the earlier server)\n";
    return text + " (no server answered; server 0 is tried again)\n";
}

std::string ProbesText(const CheckRun& r, const ProxySummary& proxy) {
    std::string text;
    bool any_selection = false;
    for (const ProbeReport& p : r.probes) any_selection = any_selection || !p.final;
    if (any_selection) text += "selection probes:\n";
    for (const ProbeReport& p : r.probes) {
        if (!p.final) text += ProbeRows(p, proxy);
    }
    if (r.chosen && HasServers(r)) text += ChosenText(r);
    for (const ProbeReport& p : r.probes) {
        if (p.final) text += ProbeRows(p, proxy);
    }
    if (r.result_message) text += "driver:   ResultMsgStr = \"" + Shown(*r.result_message) + "\"\n";
    return text;
}

std::string VerdictText(const CheckRun& r) {
    std::string text = ServersText(r);
    text += r.passed ? Tr("verdict:  PASSED - the update server can be reached\n") : Tr("verdict:  FAILED\n");
    if (!r.message.empty()) text += "message:  " + Shown(r.message) + "\n";
    return text;
}

// What the two verdicts of --also-direct say together.
std::string PairText(const CheckRun& proxied, const CheckRun& direct) {
    std::string text = Format("  through the proxy: %-6s  direct: %s\n", proxied.passed ? "PASSED" : "FAILED",
                              direct.passed ? "PASSED" : "FAILED");
    if (proxied.passed && direct.passed) return text + "  both routes reach the server\n";
    if (direct.passed)
        return text + "  only the route through the proxy fails: the proxy, or its settings, is the problem\n";
    if (proxied.passed)
        return text + "  only the direct route fails: this network needs the proxy, and the proxy works\n";
    return text + "  both routes fail: the server, or the network path both routes share, is the problem\n";
}

}  // namespace

std::string ReportText(const ProxySummary& proxy, const CheckRun& run, const CheckRun* direct, bool verbose) {
    std::string text = ProxySummaryText(proxy);
    if (verbose) text += ProbesText(run, proxy);
    text += VerdictText(run);
    if (!direct) return text;
    text += "\n--also-direct: the test ran once more without the proxy; these are extra requests.\n";
    if (verbose) text += ProbesText(*direct, proxy);
    if (!HasServers(*direct) || NoUsableServer(*direct)) text += ServersText(*direct);
    return text + PairText(run, *direct);
}

std::string VerboseHint(const CheckRun& run, const CheckRun* direct) {
    // A channel without servers has no probe to show.
    if (!HasServers(run) || (run.passed && (!direct || direct->passed))) return "";
    return "why: netprobe test -v shows each probe's cause and advice\n";
}

}  // namespace netprobe::cli
