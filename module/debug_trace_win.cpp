// Each probe's cause and detail on the debug output (OutputDebugStringW), for a support
// engineer who watches it on the user's machine. No field of a report carries the password.
#include <windows.h>

#include <string>

#include "conntest/driver.h"
#include "core/display_text.h"
#include "core/gbk.h"
#include "core/wide_text.h"
#include "module/debug_trace.h"

namespace netprobe {
namespace {

class DebugTrace : public ProbeObserver {
public:
    // Whatever happens here, the test goes on as it would without a debugger.
    void OnProbe(const ProbeReport& report) noexcept override {
        try {
            Write(report);
        } catch (...) {
        }
    }

private:
    static void Write(const ProbeReport& report) {
        // The address and the diagnosis carry the configuration's and the server's words.
        const std::string line = "netprobe: " + std::string(report.final ? "final" : "selection") + " probe, server " +
                                 std::to_string(report.index) + " " + GbkToUtf8(report.address) + ": " +
                                 GbkToUtf8(DiagnosisLine(report.diagnosis));
        OutputDebugStringW(Utf8ToWide(DisplayText(line) + "\n").c_str());
    }
};

}  // namespace

ProbeObserver* DebugTraceObserver() {
    static DebugTrace trace;
    return &trace;
}

}  // namespace netprobe
