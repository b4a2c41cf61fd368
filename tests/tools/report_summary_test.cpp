// What the report window says above its technical report: the headline, the next step from the
// probe that decided the verdict, and the rows of the table of servers.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <vector>

#include "tools/probe_advice.h"
#include "tools/report_window/report_summary.h"

namespace netprobe::cli {
namespace {

ProbeReport Probe(std::int32_t index, bool final, ProbeCause cause, std::string address = "") {
    ProbeReport probe;
    probe.final = final;
    probe.index = index;
    probe.ok = cause == ProbeCause::kPassed;
    probe.address = address.empty() ? "http://127.0.0.1:1808" + std::to_string(index) + "/check" : address;
    probe.elapsed_ms = 10 + index;
    probe.diagnosis.cause = cause;
    probe.diagnosis.http_status = cause == ProbeCause::kHttpStatus ? 404 : 0;
    probe.diagnosis.peer = "127.0.0.1:1808" + std::to_string(index);
    return probe;
}

CheckRun Check(bool passed, std::optional<std::int32_t> servers, std::vector<ProbeReport> probes = {},
               std::optional<std::int32_t> chosen = std::nullopt, std::string message = "") {
    CheckRun run;
    run.passed = passed;
    run.message = std::move(message);
    run.server_count = servers;
    run.probes = std::move(probes);
    run.chosen = chosen;
    return run;
}

TEST(ReportSummary, HeadlineNextStepAndRows) {
    const ProxySummary proxy;
    const ProbeReport ok0 = Probe(0, false, ProbeCause::kPassed);
    const ProbeReport refused1 = Probe(1, false, ProbeCause::kConnectionRefused);
    const ProbeReport missing2 = Probe(2, false, ProbeCause::kHttpStatus);
    const ProbeReport final_ok = Probe(0, true, ProbeCause::kPassed);
    const ProbeReport final_404 = Probe(0, true, ProbeCause::kHttpStatus);
    struct Case {
        const char* name;
        CheckRun run;
        Headline headline;
        std::string next_step;             // "" = none; else the start of it
        std::vector<std::string> notes;    // one per row
        std::vector<std::string> results;  // one per row
    };
    const Case cases[] = {
        {"passed: nothing to do",
         Check(true, 2, {ok0, refused1, final_ok}, 0),
         Headline::kPassed,
         "",
         {"chosen", "", "checked again"},
         {"reached", "connection refused", "reached"}},
        {"the final probe decides, not the failed selection probe before it",
         Check(false, 2, {ok0, refused1, final_404}, 0),
         Headline::kFailed,
         ProbeAdvice(final_404, proxy),
         {"chosen", "", "checked again"},
         {"reached", "connection refused", "server answered with an error"}},
        {"without a final probe the last failed one decides",
         Check(false, 3, {refused1, ok0, missing2}, 0),
         Headline::kFailed,
         ProbeAdvice(missing2, proxy),
         {"", "chosen", ""},
         {"connection refused", "reached", "server answered with an error"}},
        {"a channel without servers",
         Check(false, 0),
         Headline::kFailed,
         "MainCommunication.ncc lists no update server",
         {},
         {}},
        {"a configuration that could not be read",
         Check(false, std::nullopt, {}, std::nullopt, "x"),
         Headline::kFailed,
         "Send this report to your support contact",
         {},
         {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const ReportSummary summary = SummarizeCheck(proxy, c.run);
        EXPECT_EQ(summary.headline, c.headline);
        if (c.next_step.empty()) {
            EXPECT_EQ(summary.next_step, "");
        } else {
            EXPECT_TRUE(summary.next_step.starts_with(c.next_step)) << summary.next_step;
        }
        ASSERT_EQ(summary.rows.size(), c.notes.size());
        for (std::size_t i = 0; i < summary.rows.size(); ++i) {
            EXPECT_EQ(RowNote(summary.rows[i]), c.notes[i]) << i;
            EXPECT_EQ(summary.rows[i].result, c.results[i]) << i;
        }
    }
}

TEST(ReportSummary, AddressesAreShownSafelyAndTimesInMilliseconds) {
    CheckRun run =
        Check(false, 2, {Probe(0, false, ProbeCause::kNoServerAddress), Probe(1, false, ProbeCause::kOther)}, 0);
    run.probes[0].address.clear();
    run.probes[1].address = "http://host\x1b[31m/\xcd\xf8";  // an escape, and 网 in GBK
    const ReportSummary summary = SummarizeCheck({}, run);
    ASSERT_EQ(summary.rows.size(), 2u);
    EXPECT_EQ(summary.rows[0].address, "(no address)");
    EXPECT_EQ(summary.rows[1].address.find('\x1b'), std::string::npos) << summary.rows[1].address;
    EXPECT_EQ(RowTime(summary.rows[1]), "11 ms");
}

TEST(ReportSummary, SavedReportHoldsTheTextAndTheJson) {
    EXPECT_EQ(SavedReportName(2026, 12, 10), "netprobe-report-2026-12-10.txt");
    EXPECT_EQ(SavedReportName(2027, 1, 2), "netprobe-report-2027-01-02.txt");
    const CheckRun run = Check(false, 1, {Probe(0, true, ProbeCause::kConnectionRefused)}, 0, "\xb8\xfc\xd0\xc2");
    const std::string saved = SavedReportText({}, run);
    EXPECT_NE(saved.find("verdict:  FAILED\n"), std::string::npos) << saved;
    const std::size_t json = saved.rfind("\n{");
    ASSERT_NE(json, std::string::npos) << saved;
    const auto parsed = nlohmann::json::parse(saved.substr(json + 1), nullptr, false);
    ASSERT_FALSE(parsed.is_discarded()) << saved;
    EXPECT_EQ(parsed["message"], "更新");
}

}  // namespace
}  // namespace netprobe::cli
