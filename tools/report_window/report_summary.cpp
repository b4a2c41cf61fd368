#include "tools/report_window/report_summary.h"

#include <cstdio>

#include "core/display_text.h"
#include "core/gbk.h"
#include "core/translate.h"
#include "tools/cause_words.h"
#include "tools/check_report.h"
#include "tools/probe_advice.h"

namespace netprobe::cli {
namespace {

ServerRow RowOf(const ProbeReport& probe, const CheckRun& run) {
    ServerRow row;
    row.ok = probe.ok;
    row.final = probe.final;
    row.chosen = !probe.final && run.chosen && *run.chosen == probe.index;
    row.index = probe.index;
    row.address = probe.address.empty() ? Tr("(no address)") : DisplayText(GbkToUtf8(probe.address));
    row.elapsed_ms = probe.elapsed_ms;
    row.result = CauseInWords(probe.diagnosis.cause);
    return row;
}

std::string NextStep(const ProxySummary& proxy, const CheckRun& run) {
    if (run.passed) return "";
    if (const ProbeReport* decider = DecidingProbe(run)) {
        std::string advice = ProbeAdvice(*decider, proxy);
        if (!advice.empty()) return DisplayText(advice);
    }
    if (!HasServers(run))
        return Tr(
            "MainCommunication.ncc lists no update server: reinstall the software or ask your support "
            "contact for the server's address.");
    return Tr("Send this report to your support contact: use Copy report or Save report below.");
}

}  // namespace

const ProbeReport* DecidingProbe(const CheckRun& run) {
    const ProbeReport* failed = nullptr;
    for (const ProbeReport& probe : run.probes) {
        if (probe.final) return &probe;
        if (!probe.ok) failed = &probe;
    }
    return failed;
}

ReportSummary SummarizeCheck(const ProxySummary& proxy, const CheckRun& run) {
    ReportSummary summary;
    summary.headline = run.passed ? Headline::kPassed : Headline::kFailed;
    summary.next_step = NextStep(proxy, run);
    for (const ProbeReport& probe : run.probes) summary.rows.push_back(RowOf(probe, run));
    return summary;
}

std::string HeadlineText(Headline headline) {
    return headline == Headline::kPassed
               ? Tr("The update server can be reached: the software can update itself as usual.")
               : Tr("The update server cannot be reached: the software cannot update online for now.");
}

std::string RowTime(const ServerRow& row) { return TrFormat("%s ms", row.elapsed_ms); }

std::string RowNote(const ServerRow& row) {
    if (row.final) return Tr("checked again");
    return row.chosen ? Tr("chosen") : "";
}

std::string SavedReportName(int year, int month, int day) {
    char name[64];
    std::snprintf(name, sizeof name, "netprobe-report-%04d-%02d-%02d.txt", year, month, day);
    return name;
}

std::string SavedReportText(const ProxySummary& proxy, const CheckRun& run) {
    return ReportText(proxy, run, nullptr, true) + "\n" + ReportJson(proxy, run, nullptr) + "\n";
}

}  // namespace netprobe::cli
