// The exported function called from two threads at once, as a host with a worker thread may
// do: both calls end with a verdict, and the module-wide state they share is not torn.
#include <gtest/gtest.h>

#include <thread>

#include "ProxySettings.h"
#include "TestUpdateServer.h"
#include "env_var.h"
#include "http_origin.h"
#include "temp_dir.h"
#include "thread_count.h"

namespace netprobe {
namespace {

using namespace std::chrono_literals;

TEST(ConcurrentCalls, TwoThreadsCallingTestUpdateServerBothEnd) {
    testing::ThreadCountGuard threads;
    {
        testing::HttpOrigin origin;
        origin.SetDelay(20ms);
        testing::TempDir dir;
        dir.Write("MainCommunication.ncc",
                  "<?xml version=\"1.0\"?><C><COMMUNICATIONS><U><NAME>up</NAME><SERVERS><S><SERVERIP>127.0.0.1"
                  "</SERVERIP><PORT>" + std::to_string(origin.port()) +
                  "</PORT><SERVERACTION>check</SERVERACTION></S></SERVERS><TIMEOUT>2000</TIMEOUT></U>"
                  "</COMMUNICATIONS></C>");
        const std::string ini = dir.Write("UserConfig.ini",
                                          "[NetWork]\nProxyEnable=0\nProxyMode=socket5\nProxyServer=proxy.invalid\n"
                                          "ProxyPort=1080\nProxyAuthor=1\nProxyUser=someone\nProxyPassword=(*)abc\n");
        testing::ScopedEnv app_dir("NETPROBE_APP_DIR", dir.path());
        testing::ScopedEnv user_config("NETPROBE_USER_CONFIG", ini);

        constexpr int kCallsPerThread = 20;
        int passed[2] = {0, 0};
        auto caller = [&](int slot) {
            for (int i = 0; i < kCallsPerThread; ++i) passed[slot] += TestUpdateServer() ? 1 : 0;
        };
        std::thread first(caller, 0), second(caller, 1);
        first.join();
        second.join();
        // A call that meets the other's probe in flight fails; the rest pass.
        EXPECT_GE(passed[0] + passed[1], 1);
        EXPECT_LE(passed[0] + passed[1], 2 * kCallsPerThread);
        EXPECT_EQ(ProxyInfor().ProxyUser, "someone");
        EXPECT_EQ(ProxyInfor().ProxyMode, "socket5");
    }
    if (threads.available()) {
        EXPECT_EQ(threads.after(), threads.before());
    }
}

}  // namespace
}  // namespace netprobe
