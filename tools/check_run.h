#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "conntest/driver.h"

namespace netprobe::cli {

// One update-server check and everything the driver reported on the way. Texts are GBK.
struct CheckRun {
    bool passed = false;
    std::string message;
    std::optional<std::int32_t> server_count;  // what the channel lists, once it was read
    std::vector<ProbeReport> probes;
    std::optional<std::int32_t> chosen;
    std::optional<std::string> result_message;  // what the driver wrote under "ResultMsgStr"
};

// False only for a channel that was read and lists no server.
inline bool HasServers(const CheckRun& run) { return !run.server_count || *run.server_count > 0; }

// The check as the host runs it; with `options.direct` the proxy is switched off
// ("ProxyEnable" 0), everything else as configured. `watcher` is told everything as it happens.
CheckRun RunCheck(const UpdateServerTestOptions& options = {}, ProbeObserver* watcher = nullptr);

}  // namespace netprobe::cli
