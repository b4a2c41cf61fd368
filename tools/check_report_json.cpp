// `netprobe test --json`: the report as one object, its keys in the order README gives them.
#include "core/gbk.h"
#include "core/language.h"
#include "tools/check_report.h"
#include "tools/json_output.h"
#include "tools/probe_advice.h"

namespace netprobe::cli {
namespace {

Json ProbeJson(const ProbeReport& p, const ProxySummary& proxy) {
    const ProbeDiagnosis& d = p.diagnosis;
    const ProbeTimings& t = d.timings;
    Json json;
    json["index"] = p.index;
    json["address"] = JsonText(GbkToUtf8(p.address));
    json["ok"] = p.ok;
    json["elapsed_ms"] = p.elapsed_ms;
    json["message"] = JsonText(GbkToUtf8(p.message));
    json["cause"] = std::string(CauseName(d.cause));
    json["detail"] = JsonText(d.detail);  // UTF-8 already
    json["advice"] = JsonText(ProbeAdvice(p, proxy));
    json["curl_error"] = JsonText(GbkToUtf8(d.curl_error));
    json["peer"] = JsonText(d.peer);
    json["via_proxy"] = d.via_proxy;
    json["http_status"] = d.http_status;
    json["socks_reply"] = JsonCount(d.socks_reply);
    json["location"] = JsonText(GbkToUtf8(d.location));
    json["timings"] = {{"name_ms", JsonCount(t.name_ms)},
                       {"connect_ms", JsonCount(t.connect_ms)},
                       {"proxy_handshake_ms", JsonCount(t.handshake_ms)},
                       {"first_byte_ms", JsonCount(t.first_byte_ms)},
                       {"total_ms", JsonCount(t.total_ms)}};
    return json;
}

// The run's keys into `json`, after what it holds already.
void AddRun(Json& json, const CheckRun& r, const ProxySummary& proxy) {
    json["passed"] = r.passed;
    json["message"] = JsonText(GbkToUtf8(r.message));
    json["result_message"] = r.result_message ? JsonText(GbkToUtf8(*r.result_message)) : Json(nullptr);
    // A channel without servers has no server to name.
    json["chosen"] = r.chosen && HasServers(r) ? Json(*r.chosen) : Json(nullptr);
    json["probes"] = Json::array();
    for (const ProbeReport& p : r.probes) {
        if (!p.final) json["probes"].push_back(ProbeJson(p, proxy));
    }
    json["final_probe"] = nullptr;
    for (const ProbeReport& p : r.probes) {
        if (p.final) json["final_probe"] = ProbeJson(p, proxy);
    }
}

Json ProxyJson(const ProxySummary& s) {
    Json json;
    json["enabled"] = s.enabled;
    json["kind"] = JsonText(s.kind);
    json["host"] = JsonText(s.host);
    json["port"] = JsonText(s.port);
    json["auth"] = s.auth;
    json["user"] = JsonText(s.user);
    json["password_set"] = s.password_set;
    json["ignored"] = Json::array();
    for (const std::string& note : s.ignored) json["ignored"].push_back(JsonText(note));
    return json;
}

}  // namespace

std::string ReportJson(const ProxySummary& proxy, const CheckRun& run, const CheckRun* direct) {
    Json json;
    // The language of the text values; keys and cause codes are the same in every language.
    json["language"] = LanguageCode(CurrentLanguage());
    json["proxy"] = ProxyJson(proxy);
    AddRun(json, run, proxy);
    if (direct) {
        Json& also = json["also_direct"];
        also["extra_requests"] = true;
        AddRun(also, *direct, proxy);
    }
    return JsonDump(json);
}

}  // namespace netprobe::cli
