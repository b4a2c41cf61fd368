#include "module/TestUpdateServer.h"

#include <string>

#include "conntest/driver.h"

extern "C" bool NETPROBE_STDCALL TestUpdateServer() {
    try {
        std::string message;
        return netprobe::RunUpdateServerTest(message);
    } catch (...) {
        return false;
    }
}
