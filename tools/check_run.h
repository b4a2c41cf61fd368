#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "conntest/driver.h"

namespace netprobe::cli {

// One update-server test and everything the driver reported on the way. Texts are GBK.
struct TestRun {
    bool passed = false;
    std::string message;
    std::vector<ProbeReport> probes;
    std::optional<std::int32_t> chosen;
    std::optional<std::string> result_message;  // what the driver wrote under "ResultMsgStr"
};

// The test as the host runs it.
TestRun RunRecordedTest();

// The same test with the proxy switched off ("ProxyEnable" 0), everything else as configured.
TestRun RunRecordedDirectTest();

}  // namespace netprobe::cli
