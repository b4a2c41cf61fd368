#include "module/TestUpdateServer.h"

#include <string>

#include "conntest/driver.h"
#include "module/debug_trace.h"

extern "C" bool NETPROBE_STDCALL TestUpdateServer() {
    try {
        std::string message;
        return netprobe::RunUpdateServerTest(message, netprobe::DebugTraceObserver());
    } catch (...) {
        return false;
    }
}
