// Each probe's cause and detail on the debug output (OutputDebugStringW), for a support
// engineer who watches it on the user's machine. No field of a report carries the password.
#include <windows.h>

#include <string>

#include "conntest/driver.h"
#include "core/display_text.h"
#include "core/gbk.h"
#include "core/translate.h"
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
    // In the user's language: the module never chooses one. The address is the configuration's
    // (GBK); the diagnosis line is UTF-8 already.
    static void Write(const ProbeReport& report) {
        const std::string address = GbkToUtf8(report.address), why = DiagnosisLine(report.diagnosis);
        const std::string line =
            report.final ? TrFormat("netprobe: final probe, server %1$s %2$s: %3$s", report.index, address, why)
                         : TrFormat("netprobe: selection probe, server %1$s %2$s: %3$s", report.index, address, why);
        OutputDebugStringW(Utf8ToWide(DisplayText(line) + "\n").c_str());
    }
};

}  // namespace

ProbeObserver* DebugTraceObserver() {
    static DebugTrace trace;
    return &trace;
}

}  // namespace netprobe
