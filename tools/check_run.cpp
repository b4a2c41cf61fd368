#include "tools/test_run.h"

#include <memory>

#include "comm/f_CommunicationConfig.h"
#include "comm/proxy_settings.h"
#include "core/f_DataVO.h"
#include "core/texts.h"

namespace netprobe::cli {
namespace {

// Keeps what the driver reports; it only looks.
class Recorder : public ProbeObserver {
public:
    explicit Recorder(TestRun& run) : run_(run) {}
    void OnProbe(const ProbeReport& report) override { run_.probes.push_back(report); }
    void OnChosen(std::int32_t index) override { run_.chosen = index; }
    void OnDriverResult(bool, const std::string& message) override { run_.result_message = message; }

private:
    TestRun& run_;
};

}  // namespace

TestRun RunRecordedTest() {
    TestRun run;
    Recorder recorder(run);
    run.passed = RunUpdateServerTest(run.message, &recorder);
    return run;
}

TestRun RunRecordedDirectTest() {
    TestRun run;
    Recorder recorder(run);
    try {
        auto block = std::make_unique<TDataVO>();
        LoadProxySettings();
        if (!LoadCommunicationConfig(*block, run.message)) return run;
        StoreProxyVO(*block);
        if (auto* proxy = dynamic_cast<TDataVO*>(block->GetObject(kProxyVOKey, nullptr))) {
            proxy->SetString("ProxyEnable", "0");
        }
        run.passed = TestServerConnection(*block, &recorder);
        if (!run.passed) run.message = texts::UpdateTestFailed();
    } catch (...) {
        run.passed = false;
        run.message = texts::UpdateTestFailed();
    }
    return run;
}

}  // namespace netprobe::cli
