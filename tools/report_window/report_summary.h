#pragma once
// What the report window shows above its technical report, worked out from a check: a headline
// (passed or failed), the one thing to do next, and one row per probe for the table of servers.
// Texts are UTF-8 in the current language, fit for a screen (DisplayText).
#include <cstdint>
#include <string>
#include <vector>

#include "tools/check_run.h"
#include "tools/proxy_summary.h"

namespace netprobe::cli {

enum class Headline { kPassed, kFailed };

struct ServerRow {
    bool ok = false;
    bool final = false;   // the second probe of the chosen server
    bool chosen = false;  // the server the selection picked
    std::int32_t index = 0;
    std::string address;
    std::int64_t elapsed_ms = 0;
    std::string result;  // the outcome in a few words (CauseInWords)
};

struct ReportSummary {
    Headline headline = Headline::kFailed;
    std::string next_step;  // empty after a pass: nothing to do
    std::vector<ServerRow> rows;
};

// The probe whose outcome decided the verdict: the final probe; without one the last failed
// probe; nullptr when neither exists.
const ProbeReport* DecidingProbe(const CheckRun& run);

ReportSummary SummarizeCheck(const ProxySummary& proxy, const CheckRun& run);

// The headline's sentence: what the verdict means for updating the software.
std::string HeadlineText(Headline headline);
// A row's time ("63 ms") and its note ("chosen", "checked again"; empty for the other rows).
std::string RowTime(const ServerRow& row);
std::string RowNote(const ServerRow& row);

// The file name offered for a saved report: netprobe-report-YYYY-MM-DD.txt.
std::string SavedReportName(int year, int month, int day);
// What a saved report holds: the technical report, then the same as JSON.
std::string SavedReportText(const ProxySummary& proxy, const CheckRun& run);

}  // namespace netprobe::cli
