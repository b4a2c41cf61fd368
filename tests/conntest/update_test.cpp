// The update-server test end to end: the exported function and the driver against loopback
// servers, with the configuration file and the user's settings as the host would have them.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "conntest/driver.h"
#include "core/gbk.h"
#include "module/TestUpdateServer.h"
#include "tests/support/channel_file.h"
#include "tests/support/fake_host.h"
#include "tests/support/loopback/http_origin.h"
#include "tests/support/loopback/socks_server.h"
#include "tests/support/loopback/unused_port.h"
#include "tests/support/temp_dir.h"

namespace netprobe {
namespace {

using testing::HttpOrigin;
using testing::SocksServer;
using namespace std::chrono_literals;

using Server = testing::ChannelServer;

testing::ChannelFile Channel(const std::vector<Server>& servers, int timeout = 2000) {
    return {.declaration = std::string(testing::ChannelFile::kUtf8) + "\n",
            .servers = servers,
            .timeout = std::to_string(timeout),
            .end = "\n"};
}

// Records the driver's reports and lets a test act between two probes.
struct Watcher : ProbeObserver {
    int selection_probes = 0, final_probes = 0;
    std::optional<std::int32_t> chosen, final_index;
    std::optional<std::string> result_message;  // UTF-8
    std::function<void(std::int32_t index)> after_selection_probe;
    std::vector<std::string> events;  // "start ..." and "probe ..." as they came

    void OnProbeStart(const ProbeStart& start) override {
        events.push_back("start " + std::string(start.final ? "final " : "") + std::to_string(start.index) + "/" +
                         std::to_string(start.count) + " " + start.address + " " + std::to_string(start.limit.count()) +
                         " ms, at most " + std::to_string(start.longest.count()) + " ms");
    }
    void OnProbe(const ProbeReport& report) override {
        events.push_back("probe " + std::to_string(report.index));
        if (report.final) {
            ++final_probes;
            final_index = report.index;
        } else {
            ++selection_probes;
            if (after_selection_probe) after_selection_probe(report.index);
        }
    }
    void OnChosen(std::int32_t index) override { chosen = index; }
    void OnDriverResult(bool, const std::string& message) override { result_message = GbkToUtf8(message); }
};

class UpdateTest : public ::testing::Test {
protected:
    testing::TempDir dir;
    testing::FakeHost host;
    std::unique_ptr<ScopedHost> scoped;
    Watcher watcher;

    void SetUp() override {
        host.app_path = dir.path();
        scoped = std::make_unique<ScopedHost>(host);
    }
    void Configure(const std::vector<Server>& servers, int timeout = 2000) {
        Channel(servers, timeout).WriteInto(dir.path());
    }
    void Proxy(const std::string& key, const std::string& value) { host.Set("NetWork", key, value); }
    // Runs the driver with the watcher; returns the verdict and leaves the message in UTF-8.
    bool Run(std::string& message) {
        std::string gbk = Utf8ToGbk(message);
        bool passed = RunUpdateServerTest(gbk, &watcher);
        message = GbkToUtf8(gbk);
        return passed;
    }
};

Server At(const HttpOrigin& origin) { return {"127.0.0.1", origin.port()}; }
Server Down() { return {"127.0.0.1", testing::UnusedLoopbackPort()}; }

TEST(PickFastest, EarlierServerWinsTiesAndZeroWhenNoneSucceeded) {
    using E = std::vector<std::optional<std::int64_t>>;
    EXPECT_EQ(PickFastest(E{}), 0);
    EXPECT_EQ(PickFastest(E{std::nullopt, std::nullopt}), 0);
    EXPECT_EQ(PickFastest(E{5, 5}), 0);
    EXPECT_EQ(PickFastest(E{5, 4, 4}), 1);
    EXPECT_EQ(PickFastest(E{std::nullopt, 9, std::nullopt, 3}), 3);
    EXPECT_EQ(PickFastest(E{std::nullopt, std::nullopt, 0}), 2);
    EXPECT_EQ(PickFastest(E{0, std::nullopt}), 0);
}

TEST_F(UpdateTest, OneServerIsProbedOnce) {
    HttpOrigin origin;
    Configure({At(origin)});
    EXPECT_TRUE(TestUpdateServer());
    EXPECT_EQ(origin.requests().size(), 1u);

    origin.SetStatus(404);
    std::string message;
    EXPECT_FALSE(Run(message));
    EXPECT_EQ(message, "更新服务器通讯测试失败！");
    EXPECT_EQ(watcher.result_message, "目标地址无法到达");
    EXPECT_EQ(watcher.selection_probes, 0);
    EXPECT_EQ(watcher.final_probes, 1);
}

TEST_F(UpdateTest, FasterSecondServerIsChosenAndProbedAgain) {
    HttpOrigin slow, fast;
    slow.SetDelay(250ms);
    Configure({At(slow), At(fast)});
    std::string message = "as passed";
    EXPECT_TRUE(Run(message));
    EXPECT_EQ(message, "as passed");
    EXPECT_EQ(watcher.chosen, 1);
    EXPECT_EQ(watcher.result_message, "");
    EXPECT_EQ(slow.requests().size(), 1u);
    EXPECT_EQ(fast.requests().size(), 2u);
}

TEST_F(UpdateTest, NoServerReachableProbesServerZeroAgain) {
    HttpOrigin failing;
    failing.SetStatus(503);
    Configure({At(failing), Down()});
    std::string message;
    EXPECT_FALSE(Run(message));
    EXPECT_EQ(watcher.chosen, 0);
    EXPECT_EQ(watcher.final_index, 0);
    EXPECT_EQ(failing.requests().size(), 2u);
    EXPECT_EQ(watcher.result_message, "503:网络连接异常");
    EXPECT_EQ(message, "更新服务器通讯测试失败！");
}

TEST_F(UpdateTest, EachProbeIsAnnouncedWithItsAddressAndTheLongestWait) {
    HttpOrigin good;
    const Server down = Down();
    const std::string good_address = "http://127.0.0.1:" + std::to_string(good.port()) + "/check";
    const std::string down_address = "http://127.0.0.1:" + std::to_string(down.port) + "/check";
    struct Case {
        std::vector<Server> servers;
        int timeout;
        std::vector<std::string> events;
    };
    const Case cases[] = {
        // A silent peer: the connect limit of 21 s and the read limit of 2 s; at most the backstop
        // of 2000 s and half a second for the request to end after it.
        {{down, At(good)},
         2000,
         {"start 0/2 " + down_address + " 23000 ms, at most 2000500 ms", "probe 0",
          "start 1/2 " + good_address + " 23000 ms, at most 2000500 ms", "probe 1",
          "start final 1/2 " + good_address + " 23000 ms, at most 2000500 ms", "probe 1"}},
        // No time-out: the caller gives up at once, the request ends within 5 s.
        {{At(good)}, 0, {"start final 0/1 " + good_address + " 5000 ms, at most 5000 ms", "probe 0"}},
    };
    for (const Case& c : cases) {
        watcher.events.clear();
        Configure(c.servers, c.timeout);
        std::string message;
        Run(message);
        EXPECT_EQ(watcher.events, c.events) << c.timeout;
    }
}

TEST_F(UpdateTest, OnlyTheLastOfThreeReachable) {
    HttpOrigin broken, good;
    broken.SetStatus(500);
    Configure({Down(), At(broken), At(good)});
    std::string message;
    EXPECT_TRUE(Run(message));
    EXPECT_EQ(watcher.chosen, 2);
    EXPECT_EQ(good.requests().size(), 2u);
    EXPECT_EQ(broken.requests().size(), 1u);
}

TEST_F(UpdateTest, WinnerFailingOnTheFinalProbeFailsTheTest) {
    HttpOrigin winner;
    Configure({Down(), At(winner)});
    watcher.after_selection_probe = [&](std::int32_t index) {
        if (index == 1) winner.SetStatus(404);
    };
    std::string message;
    EXPECT_FALSE(Run(message));
    EXPECT_EQ(watcher.chosen, 1);
    EXPECT_EQ(watcher.result_message, "目标地址无法到达");
}

TEST_F(UpdateTest, ProxySwitches) {
    HttpOrigin origin;
    SocksServer socks(5);
    Configure({At(origin)});
    Proxy("ProxyMode", " Socket5 ");
    Proxy("ProxyServer", "127.0.0.1");
    Proxy("ProxyPort", std::to_string(socks.port()));

    Proxy("ProxyEnable", "1");
    EXPECT_TRUE(TestUpdateServer());
    EXPECT_EQ(socks.connections(), 1);

    for (const char* off : {"0", "true", " 1", ""}) {
        Proxy("ProxyEnable", off);
        EXPECT_TRUE(TestUpdateServer()) << off;
    }
    EXPECT_EQ(socks.connections(), 1);  // every other probe went direct
    EXPECT_EQ(origin.requests().size(), 5u);
}

TEST_F(UpdateTest, ProxyAuthorWordsThatConvertAndOneThatDoesNot) {
    HttpOrigin origin;
    Configure({At(origin), At(origin)});
    for (const char* word : {"0", "1", "true", "FALSE"}) {
        Proxy("ProxyAuthor", word);
        EXPECT_TRUE(TestUpdateServer()) << word;
    }
    EXPECT_EQ(origin.requests().size(), 12u);

    Proxy("ProxyAuthor", "yes");
    std::string message;
    EXPECT_FALSE(Run(message));
    EXPECT_EQ(watcher.result_message, "测试网络连接出现异常。");
    EXPECT_EQ(message, "更新服务器通讯测试失败！");
    EXPECT_EQ(origin.requests().size(), 12u);  // no probe at all
}

TEST_F(UpdateTest, FailuresBeforeAnyProbe) {
    struct Case {
        const char* name;
        std::string file;     // empty: no file
        const char* message;  // RunUpdateServerTest's message
        const char* result;   // "ResultMsgStr", nullptr when the driver never ran
    } cases[] = {
        {"no file", "", nullptr, nullptr},
        {"not XML", "<CONFIG>", nullptr, nullptr},
        {"no COMMUNICATIONS", "<CONFIG/>", "更新服务器通讯测试失败！", "测试网络连接出错：传入的参数不完整。"},
        {"no servers", Channel({}).Text(), "更新服务器通讯测试失败！", "测试网络连接出现异常。"},
        {"empty NAME", "<C><COMMUNICATIONS><U><NAME/></U></COMMUNICATIONS></C>", "更新服务器通讯测试失败！", nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        testing::TempDir own;
        host.app_path = own.path();
        if (!c.file.empty()) own.Write("MainCommunication.ncc", c.file);
        watcher = Watcher{};
        std::string message;
        EXPECT_FALSE(Run(message));
        if (c.message) {
            EXPECT_EQ(message, c.message);
        } else {
            EXPECT_NE(message.find("网络配置文件[" + own.path() + "MainCommunication.ncc]"), std::string::npos)
                << message;
        }
        if (c.result) {
            EXPECT_EQ(watcher.result_message, c.result);
        } else {
            EXPECT_FALSE(watcher.result_message.has_value());
        }
        EXPECT_EQ(watcher.selection_probes + watcher.final_probes, 0);
        EXPECT_FALSE(TestUpdateServer());
    }
}

}  // namespace
}  // namespace netprobe
