#pragma once
// netprobe test on a terminal: while the probes run, one line tells which server is probed,
// its address and the seconds so far against the longest the probe may take, redrawn in place
// about four times a second. Anything but a terminal gets nothing from it.
#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

#include "conntest/driver.h"
#include "tools/console/console_out.h"

namespace netprobe::cli {

// The line for a probe `so_far` into its run, no wider than `columns` - 1 (the last column
// would wrap on some terminals): "[2/4] 127.0.0.1:18082  3 s of 22 s". `direct`: the proxy
// switched off for --also-direct's second run.
std::string ProgressText(const ProbeStart& start, std::chrono::milliseconds so_far, bool direct, std::size_t columns);

// The step alone, for a window with room for little more: "2/4", the final probe marked.
std::string ProgressStep(const ProbeStart& start);

class ProgressLine : public ProbeObserver {
public:
    // Draws on `stream` only when it is a terminal.
    explicit ProgressLine(console::Stream stream);
    ~ProgressLine() override;
    ProgressLine(const ProgressLine&) = delete;
    ProgressLine& operator=(const ProgressLine&) = delete;

    // The probes from now on are those of the direct run.
    void SetDirect(bool direct);
    // Stops the redrawing and erases the line; after it nothing is drawn.
    void Finish();

    void OnProbeStart(const ProbeStart& start) override;
    void OnProbe(const ProbeReport& report) override;

private:
    using Clock = std::chrono::steady_clock;
    void Tick();
    void Draw(const ProbeStart& start, Clock::time_point since, bool direct);

    const console::Stream stream_;
    std::mutex mutex_;  // the state below, up to the drawing's
    std::condition_variable wake_;
    bool stopping_ = false;
    bool direct_ = false;
    std::optional<ProbeStart> probe_;  // the probe in flight
    Clock::time_point since_;
    std::mutex draw_mutex_;  // the terminal's line and its width
    std::size_t drawn_width_ = 0;
    std::thread ticker_;  // last: starts once the fields above are set
};

}  // namespace netprobe::cli
