// The report writers of `netprobe test` (text, -v text, --json) over arbitrary bytes in every
// field that comes from outside: the proxy settings, the module's texts, the server's words,
// libcurl's. Whatever they hold, the text is well-formed UTF-8 whose only control character is
// the layout's own line end, no field adds a line, and the JSON parses, with no control
// character in any string it holds.
//
// Input: a flags byte (proxy on, authentication, password stored, --also-direct, Chinese),
// then texts separated by 0x00 bytes (the proxy's, then per probe), with
// a few bytes of numbers per probe.
#include <algorithm>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>

#include "core/display_text.h"
#include "core/language.h"
#include "fuzz/fuzz_input.h"
#include "tools/check_report.h"

namespace netprobe::fuzz {
namespace {

using cli::CheckRun;
using cli::ProxySummary;

constexpr int kCauses = static_cast<int>(ProbeCause::kOther) + 1;

ProxySummary ReadProxy(Input& in, std::uint8_t flags) {
    ProxySummary s;
    s.enabled = flags & 1;
    s.auth = flags & 2;
    s.password_set = flags & 4;
    s.kind = in.Field('\0');
    s.host = in.Field('\0');
    s.port = in.Field('\0');
    s.user = in.Field('\0');
    for (std::uint8_t n = in.Byte() % 3; n > 0; --n) s.ignored.push_back(in.Field('\0'));
    return s;
}

ProbeReport ReadProbe(Input& in) {
    ProbeReport p;
    const std::uint8_t bits = in.Byte();
    p.final = bits & 1;
    p.ok = bits & 2;
    p.index = in.Byte() % 5;
    p.elapsed_ms = in.Int32();
    ProbeDiagnosis& d = p.diagnosis;
    d.cause = static_cast<ProbeCause>(in.Byte() % kCauses);
    d.via_proxy = bits & 4;
    d.http_status = in.Int32() % 1000;
    d.socks_reply = bits & 8 ? in.Byte() : -1;
    d.timings = {in.Int32() % 100000, -1, bits & 16 ? 5 : -1, -1, bits & 32 ? 7 : -1};
    p.address = in.Field('\0');
    p.message = in.Field('\0');
    d.detail = in.Field('\0');
    d.curl_error = in.Field('\0');
    d.peer = in.Field('\0');
    d.location = in.Field('\0');
    return p;
}

CheckRun ReadRun(Input& in) {
    CheckRun run;
    const std::uint8_t bits = in.Byte();
    run.passed = bits & 1;
    if (bits & 2) run.chosen = in.Byte() % 5;
    if (bits & 4) run.server_count = in.Byte() % 4;
    run.message = in.Field('\0');
    if (bits & 8) run.result_message = in.Field('\0');
    for (std::uint8_t n = in.Byte() % 4; n > 0 && !in.empty(); --n) run.probes.push_back(ReadProbe(in));
    return run;
}

// The same report with every line end inside a field made a vertical tab, which shows as
// wide as the line end does (\x0B): no width, no emptiness changes, so the layout must come out
// with the same number of lines.
std::string Flat(std::string text) {
    for (char& c : text) c = c == '\n' ? '\v' : c;
    return text;
}

void Flatten(CheckRun& run) {
    run.message = Flat(run.message);
    if (run.result_message) run.result_message = Flat(*run.result_message);
    for (ProbeReport& p : run.probes) {
        for (std::string* text : {&p.address, &p.message, &p.diagnosis.detail, &p.diagnosis.curl_error,
                                  &p.diagnosis.peer, &p.diagnosis.location})
            *text = Flat(*text);
    }
}

void Flatten(ProxySummary& s) {
    for (std::string* text : {&s.kind, &s.host, &s.port, &s.user}) *text = Flat(*text);
    for (std::string& note : s.ignored) note = Flat(note);
}

std::size_t Lines(const std::string& text) {
    return static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n'));
}

void CheckText(const std::string& text) {
    Check(DisplayText(text, TextLayout::kKeepLinesAndTabs) == text);
    Check(text.find('\t') == std::string::npos);
}

void CheckStrings(const nlohmann::json& value) {
    if (value.is_string())
        Check(DisplayText(value.get_ref<const std::string&>()) == value.get_ref<const std::string&>());
    if (value.is_structured()) {
        for (const auto& item : value) CheckStrings(item);
    }
}

void CheckJson(const std::string& json) {
    Check(DisplayText(json) == json);  // one line of well-formed UTF-8
    const nlohmann::json parsed = nlohmann::json::parse(json, nullptr, false);
    Check(!parsed.is_discarded() && parsed.is_object());
    CheckStrings(parsed);
}

}  // namespace
}  // namespace netprobe::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace netprobe;
    fuzz::Input in(data, size);
    const std::uint8_t flags = in.Byte();
    cli::ProxySummary proxy = fuzz::ReadProxy(in, flags);
    cli::CheckRun run = fuzz::ReadRun(in);
    std::optional<cli::CheckRun> direct;
    if (flags & 8) direct = fuzz::ReadRun(in);
    // Both languages' layouts: the Chinese one pads its labels by display width.
    ChooseLanguage(flags & 16 ? Language::kChinese : Language::kEnglish);
    const cli::CheckRun* second = direct ? &*direct : nullptr;

    for (const bool verbose : {false, true}) {
        const std::string text = cli::ReportText(proxy, run, second, verbose) + cli::VerboseHint(run, second);
        fuzz::CheckText(text);
        cli::ProxySummary flat_proxy = proxy;
        cli::CheckRun flat_run = run;
        std::optional<cli::CheckRun> flat_direct = direct;
        fuzz::Flatten(flat_proxy);
        fuzz::Flatten(flat_run);
        if (flat_direct) fuzz::Flatten(*flat_direct);
        const std::string flat = cli::ReportText(flat_proxy, flat_run, flat_direct ? &*flat_direct : nullptr, verbose);
        fuzz::Check(fuzz::Lines(text) == fuzz::Lines(flat) + (cli::VerboseHint(run, second).empty() ? 0 : 1));
    }
    fuzz::CheckJson(cli::ReportJson(proxy, run, second));
    return 0;
}
