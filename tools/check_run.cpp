#include "tools/check_run.h"

namespace netprobe::cli {
namespace {

// Keeps what the driver reports; it only looks.
class Recorder : public ProbeObserver {
public:
    explicit Recorder(CheckRun& run) : run_(run) {}
    void OnServerCount(std::int32_t count) override { run_.server_count = count; }
    void OnProbe(const ProbeReport& report) override { run_.probes.push_back(report); }
    void OnChosen(std::int32_t index) override { run_.chosen = index; }
    void OnDriverResult(bool, const std::string& message) override { run_.result_message = message; }

private:
    CheckRun& run_;
};

}  // namespace

CheckRun RunCheck(const UpdateServerTestOptions& options) {
    CheckRun run;
    Recorder recorder(run);
    run.passed = RunUpdateServerTest(run.message, &recorder, options);
    return run;
}

}  // namespace netprobe::cli
