// The update-server test called from two threads at once, as a host with a worker thread may
// call TestUpdateServer: every call ends with its verdict and the message that goes with it,
// and the module-wide state the calls share is not torn.
#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

#include "comm/proxy_settings.h"
#include "conntest/driver.h"
#include "core/gbk.h"
#include "tests/support/installation.h"
#include "tests/support/loopback/http_origin.h"
#include "tests/support/thread_count.h"

namespace netprobe {
namespace {

using namespace std::chrono_literals;

// One call of the update-server test, as TestUpdateServer makes it, with its messages.
struct Call {
    bool passed = false;
    std::string message;         // UTF-8
    std::string driver_message;  // "ResultMsgStr", UTF-8
};

struct DriverMessage : ProbeObserver {
    std::string text;
    void OnDriverResult(bool, const std::string& message) override { text = message; }
};

Call CallOnce() {
    DriverMessage driver;
    std::string message;
    Call call;
    call.passed = RunUpdateServerTest(message, &driver);
    call.message = GbkToUtf8(message);
    call.driver_message = GbkToUtf8(driver.text);
    return call;
}

TEST(ConcurrentCalls, TwoThreadsCallingTheUpdateServerTestBothEnd) {
    testing::ThreadCountGuard threads;
    {
        testing::HttpOrigin origin;
        origin.SetDelay(20ms);
        testing::Installation installation(
            "[NetWork]\nProxyEnable=0\nProxyMode=socket5\nProxyServer=proxy.invalid\n"
            "ProxyPort=1080\nProxyAuthor=1\nProxyUser=someone\nProxyPassword=(*)abc\n");
        installation.Write(
            {.root_tag = "C", .channel_tag = "U", .server_tag = "S", .servers = {{.port = origin.port()}}});

        constexpr int kCallsPerThread = 20;
        std::vector<Call> calls[2];
        auto caller = [&](int slot) {
            for (int i = 0; i < kCallsPerThread; ++i) calls[slot].push_back(CallOnce());
        };
        std::thread first(caller, 0), second(caller, 1);
        first.join();
        second.join();
        // A call passes, or it met the other's probe in flight and failed for that reason
        // alone: a torn proxy record or configuration would fail it with another message.
        int passed = 0;
        for (const std::vector<Call>& list : calls) {
            for (const Call& call : list) {
                if (call.passed) {
                    ++passed;
                    EXPECT_EQ(call.message, "");
                    EXPECT_EQ(call.driver_message, "");
                } else {
                    EXPECT_EQ(call.message, "更新服务器通讯测试失败！");
                    EXPECT_EQ(call.driver_message, "网络连接异常");
                }
            }
        }
        EXPECT_GE(passed, 1);
        EXPECT_EQ(ProxyInfor().ProxyUser, "someone");
        EXPECT_EQ(ProxyInfor().ProxyMode, "socket5");
    }
    if (threads.available()) {
        EXPECT_EQ(threads.after(), threads.before());
    }
}

}  // namespace
}  // namespace netprobe
