// netprobe test: the update-server test that the host runs, with what happened on the way.
#include <cstdio>
#include <optional>
#include <vector>

#include "conntest/driver.h"
#include "core/gbk.h"
#include "tools/cli.h"
#include "tools/console/console_out.h"
#include "tools/json_writer.h"

namespace netprobe::cli {
namespace {

using console::Print;

struct ProbeRecord {
    bool final = false;
    std::int32_t index = 0;
    std::string address, message;  // message in GBK
    bool ok = false;
    std::int64_t elapsed_ms = 0;
};

// Records what the driver reports; it only looks.
class Recorder : public ProbeObserver {
public:
    std::vector<ProbeRecord> probes;
    std::optional<std::int32_t> chosen;
    std::optional<std::string> result_message;

    void OnProbe(bool final, std::int32_t index, const std::string& address, bool ok, std::int64_t elapsed_ms,
                 const std::string& message) override {
        probes.push_back({final, index, address, message, ok, elapsed_ms});
    }
    void OnChosen(std::int32_t index) override { chosen = index; }
    void OnDriverResult(bool, const std::string& message) override { result_message = message; }
};

void WriteProbe(JsonWriter& json, const ProbeRecord& p) {
    json.BeginObject();
    json.Key("index").Int(p.index);
    json.Key("address").String(GbkToUtf8(p.address));
    json.Key("ok").Bool(p.ok);
    json.Key("elapsed_ms").Int(p.elapsed_ms);
    json.Key("message").String(GbkToUtf8(p.message));
    json.EndObject();
}

void PrintJson(bool passed, const std::string& message, const Recorder& r) {
    JsonWriter json;
    json.BeginObject();
    json.Key("passed").Bool(passed);
    json.Key("message").String(GbkToUtf8(message));
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
    for (const ProbeRecord& p : r.probes) {
        if (!p.final) WriteProbe(json, p);
    }
    json.EndArray();
    json.Key("final_probe");
    bool has_final = false;
    for (const ProbeRecord& p : r.probes) {
        if (p.final) {
            WriteProbe(json, p);
            has_final = true;
        }
    }
    if (!has_final) json.Null();
    json.EndObject();
    Print("%s\n", json.str().c_str());
}

void PrintProbe(const ProbeRecord& p) {
    Print("  %-9s server %d  %-40s %6lld ms  %s\n", p.final ? "final" : "selection", p.index,
          p.address.empty() ? "(no address)" : GbkToUtf8(p.address).c_str(), static_cast<long long>(p.elapsed_ms),
          p.ok ? "ok" : GbkToUtf8(p.message).c_str());
}

void PrintText(bool passed, const std::string& message, const Recorder& r, bool verbose) {
    if (verbose) {
        bool any_selection = false;
        for (const ProbeRecord& p : r.probes) any_selection = any_selection || !p.final;
        if (any_selection) Print("selection probes:\n");
        for (const ProbeRecord& p : r.probes) {
            if (!p.final) PrintProbe(p);
        }
        if (r.chosen) {
            Print("chosen:   server %d", *r.chosen);
            bool any_ok = false;
            for (const ProbeRecord& p : r.probes) any_ok = any_ok || (!p.final && p.ok);
            std::size_t selection = 0;
            for (const ProbeRecord& p : r.probes) selection += p.final ? 0 : 1;
            if (selection == 0)
                Print(" (the only server; not timed)\n");
            else if (any_ok)
                Print(" (the fastest successful probe; ties go to the earlier server)\n");
            else
                Print(" (no server answered; server 0 is tried again)\n");
        }
        for (const ProbeRecord& p : r.probes) {
            if (p.final) PrintProbe(p);
        }
        if (r.result_message) Print("driver:   ResultMsgStr = \"%s\"\n", GbkToUtf8(*r.result_message).c_str());
    }
    Print("verdict:  %s\n", passed ? "PASSED - the update server can be reached" : "FAILED");
    if (!message.empty()) Print("message:  %s\n", GbkToUtf8(message).c_str());
}

}  // namespace

int RunTest(const std::vector<std::string>& args) {
    CommonOptions options;
    if (!ParseCommonOptions(args, options, true, true)) return kExitUsage;
    Recorder recorder;
    std::string message;
    const bool passed = RunUpdateServerTest(message, &recorder);
    if (options.json) {
        PrintJson(passed, message, recorder);
    } else {
        PrintText(passed, message, recorder, options.verbose);
    }
    return passed ? kExitOk : kExitFailed;
}

}  // namespace netprobe::cli
