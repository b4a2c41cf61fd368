#include "tools/check_run.h"

namespace netprobe::cli {
namespace {

// Keeps what the driver reports and passes it on to the watcher; it only looks.
class Recorder : public ProbeObserver {
public:
    Recorder(CheckRun& run, ProbeObserver* watcher) : run_(run), watcher_(watcher ? *watcher : ignore_) {}
    void OnServerCount(std::int32_t count) override {
        run_.server_count = count;
        watcher_.OnServerCount(count);
    }
    void OnProbeStart(const ProbeStart& start) override { watcher_.OnProbeStart(start); }
    void OnProbe(const ProbeReport& report) override {
        run_.probes.push_back(report);
        watcher_.OnProbe(report);
    }
    void OnChosen(std::int32_t index) override {
        run_.chosen = index;
        watcher_.OnChosen(index);
    }
    void OnDriverResult(bool result, const std::string& message) override {
        run_.result_message = message;
        watcher_.OnDriverResult(result, message);
    }

private:
    CheckRun& run_;
    ProbeObserver ignore_;
    ProbeObserver& watcher_;
};

}  // namespace

CheckRun RunCheck(const UpdateServerTestOptions& options, ProbeObserver* watcher) {
    CheckRun run;
    Recorder recorder(run, watcher);
    run.passed = RunUpdateServerTest(run.message, &recorder, options);
    return run;
}

}  // namespace netprobe::cli
