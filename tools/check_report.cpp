#include "tools/check_report.h"

#include <cstdio>

#include "core/gbk.h"
#include "tools/probe_advice.h"

namespace netprobe::cli {
namespace {

std::string Format(const char* format, auto... values) {
    char buffer[512];
    std::snprintf(buffer, sizeof buffer, format, values...);
    return buffer;
}

std::string MsText(std::int64_t ms) { return ms < 0 ? "-" : std::to_string(ms) + " ms"; }

std::string ProbeRows(const ProbeReport& p, const ProxySummary& proxy) {
    const ProbeDiagnosis& d = p.diagnosis;
    std::string rows = Format("  %-9s server %d  %-40s %6lld ms  %s\n", p.final ? "final" : "selection", p.index,
                              p.address.empty() ? "(no address)" : GbkToUtf8(p.address).c_str(),
                              static_cast<long long>(p.elapsed_ms), p.ok ? "ok" : GbkToUtf8(p.message).c_str());
    rows += "            cause:  " + std::string(CauseName(d.cause)) +
            (d.detail.empty() ? "" : " - " + GbkToUtf8(d.detail)) + "\n";
    const std::string advice = ProbeAdvice(p, proxy);
    if (!advice.empty()) rows += "            advice: " + advice + "\n";
    const ProbeTimings& t = d.timings;
    if (t.total_ms >= 0) {
        rows += "            peer " + (d.peer.empty() ? std::string("-") : d.peer) + "; name " + MsText(t.name_ms) +
                ", connect " + MsText(t.connect_ms) +
                (d.via_proxy ? ", proxy handshake " + MsText(t.handshake_ms) : "") + ", first byte " +
                MsText(t.first_byte_ms) + ", total " + MsText(t.total_ms) + "\n";
    }
    if (!d.curl_error.empty()) rows += "            curl:   " + GbkToUtf8(d.curl_error) + "\n";
    return rows;
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
    if (r.chosen) text += ChosenText(r);
    for (const ProbeReport& p : r.probes) {
        if (p.final) text += ProbeRows(p, proxy);
    }
    if (r.result_message) text += "driver:   ResultMsgStr = \"" + GbkToUtf8(*r.result_message) + "\"\n";
    return text;
}

std::string VerdictText(const CheckRun& r) {
    std::string text =
        std::string("verdict:  ") + (r.passed ? "PASSED - the update server can be reached" : "FAILED") + "\n";
    if (!r.message.empty()) text += "message:  " + GbkToUtf8(r.message) + "\n";
    return text;
}

void WriteMs(JsonWriter& json, const char* key, std::int64_t ms) {
    json.Key(key);
    if (ms < 0)
        json.Null();
    else
        json.Int(ms);
}

void WriteProbe(JsonWriter& json, const ProbeReport& p, const ProxySummary& proxy) {
    const ProbeDiagnosis& d = p.diagnosis;
    json.BeginObject();
    json.Key("index").Int(p.index);
    json.Key("address").String(GbkToUtf8(p.address));
    json.Key("ok").Bool(p.ok);
    json.Key("elapsed_ms").Int(p.elapsed_ms);
    json.Key("message").String(GbkToUtf8(p.message));
    json.Key("cause").String(CauseName(d.cause));
    json.Key("detail").String(GbkToUtf8(d.detail));
    json.Key("advice").String(ProbeAdvice(p, proxy));
    json.Key("curl_error").String(GbkToUtf8(d.curl_error));
    json.Key("peer").String(d.peer);
    json.Key("via_proxy").Bool(d.via_proxy);
    json.Key("http_status").Int(d.http_status);
    json.Key("socks_reply");
    if (d.socks_reply < 0)
        json.Null();
    else
        json.Int(d.socks_reply);
    json.Key("location").String(GbkToUtf8(d.location));
    json.Key("timings").BeginObject();
    WriteMs(json, "name_ms", d.timings.name_ms);
    WriteMs(json, "connect_ms", d.timings.connect_ms);
    WriteMs(json, "proxy_handshake_ms", d.timings.handshake_ms);
    WriteMs(json, "first_byte_ms", d.timings.first_byte_ms);
    WriteMs(json, "total_ms", d.timings.total_ms);
    json.EndObject();
    json.EndObject();
}

void WriteRun(JsonWriter& json, const CheckRun& r, const ProxySummary& proxy) {
    json.Key("passed").Bool(r.passed);
    json.Key("message").String(GbkToUtf8(r.message));
    json.Key("result_message");
    if (r.result_message)
        json.String(GbkToUtf8(*r.result_message));
    else
        json.Null();
    json.Key("chosen");
    if (r.chosen)
        json.Int(*r.chosen);
    else
        json.Null();
    json.Key("probes").BeginArray();
    for (const ProbeReport& p : r.probes) {
        if (!p.final) WriteProbe(json, p, proxy);
    }
    json.EndArray();
    json.Key("final_probe");
    bool has_final = false;
    for (const ProbeReport& p : r.probes) {
        if (p.final) {
            WriteProbe(json, p, proxy);
            has_final = true;
        }
    }
    if (!has_final) json.Null();
}

void WriteProxy(JsonWriter& json, const ProxySummary& s) {
    json.Key("proxy").BeginObject();
    json.Key("enabled").Bool(s.enabled);
    json.Key("kind").String(s.kind);
    json.Key("host").String(s.host);
    json.Key("port").String(s.port);
    json.Key("auth").Bool(s.auth);
    json.Key("user").String(s.user);
    json.Key("password_set").Bool(s.password_set);
    json.Key("ignored").BeginArray();
    for (const std::string& note : s.ignored) json.String(note);
    json.EndArray();
    json.EndObject();
}

}  // namespace

std::string ReportText(const ProxySummary& proxy, const CheckRun& run, const CheckRun* direct, bool verbose) {
    std::string text = ProxySummaryText(proxy);
    if (verbose) text += ProbesText(run, proxy);
    text += VerdictText(run);
    if (!direct) return text;
    text += "\n--also-direct: the test ran once more without the proxy; these are extra requests.\n";
    if (verbose) text += ProbesText(*direct, proxy);
    text += Format("  through the proxy: %-6s  direct: %s\n", run.passed ? "PASSED" : "FAILED",
                   direct->passed ? "PASSED" : "FAILED");
    if (run.passed != direct->passed) {
        text += direct->passed
                    ? "  the server can be reached directly but not through the proxy: the proxy is the problem\n"
                    : "  the server can be reached only through the proxy\n";
    }
    return text;
}

std::string ReportJson(const ProxySummary& proxy, const CheckRun& run, const CheckRun* direct) {
    JsonWriter json;
    json.BeginObject();
    WriteProxy(json, proxy);
    WriteRun(json, run, proxy);
    if (direct) {
        json.Key("also_direct").BeginObject();
        json.Key("extra_requests").Bool(true);
        WriteRun(json, *direct, proxy);
        json.EndObject();
    }
    json.EndObject();
    return json.str();
}

}  // namespace netprobe::cli
