#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <string>

#include "comm/f_CommunicationConfig.h"
#include "core/errors.h"
#include "core/gbk.h"
#include "core/texts.h"
#include "tests/support/fake_host.h"
#include "tests/support/temp_dir.h"

namespace netprobe {
namespace {

class ConfigLoader : public ::testing::Test {
protected:
    testing::TempDir dir;
    testing::FakeHost host;
    std::unique_ptr<ScopedHost> scoped;
    TDataVO block;

    void SetUp() override {
        host.app_path = dir.path();
        scoped = std::make_unique<ScopedHost>(host);
    }
    std::string Path() const { return dir.path() + "MainCommunication.ncc"; }
    void Install(const std::string& fixture) { dir.CopyFixture("config/" + fixture, "MainCommunication.ncc"); }
    TCommuniConfig* Channel() const { return dynamic_cast<TCommuniConfig*>(block.GetObject("communiConfig", nullptr)); }
    std::string Malformed() const { return texts::ConfigFilePrefix() + Path() + "]" + texts::ConfigMalformed(); }
};

TEST_F(ConfigLoader, MissingFileNamesTheFullPath) {
    std::string message = "untouched";
    EXPECT_FALSE(LoadCommunicationConfig(block, message));
    EXPECT_EQ(message, texts::ConfigFilePrefix() + Path() + texts::ConfigFileMissing());
    EXPECT_EQ(GbkToUtf8(message), "网络配置文件[" + Path() + "]不存在,请检查配置!");
}

TEST_F(ConfigLoader, UnparsableFilesGiveTheLoadFailure) {
    for (const char* fixture : {"not_xml.ncc", "truncated.ncc", "entity_bomb.ncc"}) {
        Install(fixture);
        std::string message;
        auto start = std::chrono::steady_clock::now();
        bool ok = true;
        EXPECT_NO_THROW(ok = LoadCommunicationConfig(block, message)) << fixture;
        EXPECT_FALSE(ok) << fixture;
        EXPECT_EQ(GbkToUtf8(message), "网络配置文件[" + Path() + "]加载失败,请检查!") << fixture;
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(20)) << fixture;
        EXPECT_EQ(Channel(), nullptr);
    }
}

struct ValidCase {
    const char* fixture;
    const char* name_utf8;
};

TEST_F(ConfigLoader, ReadsEveryFieldInEachEncoding) {
    const ValidCase cases[] = {
        {"valid_utf8.ncc", "更新服务器"},
        {"valid_gbk.ncc", "更新乤服务器"},
        {"valid_gb2312.ncc", "更新乤服务器"},  // read as GBK, like the system's parser
        {"valid_utf16.ncc", "更新服务器"},
    };
    for (const ValidCase& c : cases) {
        SCOPED_TRACE(c.fixture);
        Install(c.fixture);
        std::string message = "untouched";
        ASSERT_TRUE(LoadCommunicationConfig(block, message));
        EXPECT_EQ(message, "untouched");
        TCommuniConfig* channel = Channel();
        ASSERT_NE(channel, nullptr);
        EXPECT_EQ(channel->GetName(), Utf8ToGbk(c.name_utf8));
        EXPECT_EQ(GbkToUtf8(channel->GetDescribe()), "升级通道");
        EXPECT_EQ(channel->GetServerType(), 1);
        EXPECT_EQ(channel->GetTimeout(), 10);
        EXPECT_EQ(channel->GetCommunType(), 2);
        EXPECT_EQ(channel->GetCompressType(), 3);
        EXPECT_EQ(channel->GetCompressComponent(), "zip");
        EXPECT_EQ(channel->GetCryptType(), -4);
        EXPECT_EQ(channel->GetCryptComponent(), "crypt<&>");
        EXPECT_EQ(channel->GetSSLEnable(), 0);
        EXPECT_EQ(channel->GetSSLMethod(), "TLSv1");
        EXPECT_EQ(channel->GetSSLVerifyPeer(), 5);
        EXPECT_EQ(channel->GetSSLFailIfNoPeerCert(), 6);
        EXPECT_EQ(channel->GetSSLVerifyClientOnce(), 7);
        EXPECT_EQ(channel->GetSSLCertDepth(), 8);
        ASSERT_EQ(channel->GetServerCount(), 2);
        EXPECT_EQ(channel->GetServer(0)->ServerIP, "127.0.0.1");
        EXPECT_EQ(channel->GetServer(0)->Port, 8081);
        EXPECT_EQ(channel->GetServer(0)->ServerAction, "update/check");
        EXPECT_EQ(channel->GetServer(1)->ServerIP, "localhost");
        EXPECT_EQ(channel->GetServer(1)->Port, 8082);
    }
}

// One table on every build: a file is read in the encoding its declaration names, with the
// same verdict and the same channel text everywhere.
struct EncodingCase {
    const char* fixture;
    bool loads;
    const char* name_utf8;  // the channel's name; "?" where GBK lacks the character
};

TEST_F(ConfigLoader, DeclaredEncodingsReadAlikeOnEveryBuild) {
    const EncodingCase cases[] = {
        {"encoding_gb18030.ncc", true, "更新?服务器"},  // À is four bytes in GB18030
        {"encoding_big5.ncc", true, "更新服務器"},
        {"encoding_shift_jis.ncc", true, "サバ\\更新"},  // 0x5C is the backslash, as in code page 932
        {"encoding_windows1252.ncc", true, "Café"},
        {"valid_utf16.ncc", true, "更新服务器"},  // with a byte-order mark
        {"valid_gb2312.ncc", true, "更新乤服务器"},
        {"encoding_unknown.ncc", false, ""},
    };
    for (const EncodingCase& c : cases) {
        SCOPED_TRACE(c.fixture);
        Install(c.fixture);
        std::string message;
        ASSERT_EQ(LoadCommunicationConfig(block, message), c.loads);
        if (!c.loads) {
            EXPECT_EQ(GbkToUtf8(message), "网络配置文件[" + Path() + "]加载失败,请检查!");
            continue;
        }
        ASSERT_NE(Channel(), nullptr);
        EXPECT_EQ(Channel()->GetName(), Utf8ToGbk(c.name_utf8));
    }
}

TEST_F(ConfigLoader, GbkTrailByteInAsciiRangeSurvivesExactly) {
    Install("valid_gbk.ncc");
    std::string message;
    ASSERT_TRUE(LoadCommunicationConfig(block, message));
    EXPECT_EQ(Channel()->GetName(), "\xB8\xFC\xD0\xC2\x81\x61\xB7\xFE\xCE\xF1\xC6\xF7");
}

TEST_F(ConfigLoader, DocumentWithoutDeclarationAndUnmappableCharacters) {
    Install("valid_nodecl.ncc");
    std::string message;
    ASSERT_TRUE(LoadCommunicationConfig(block, message));
    EXPECT_EQ(Channel()->GetServerCount(), 2);
    EXPECT_EQ(Channel()->GetTimeout(), 0);
    Install("valid_unmappable.ncc");
    ASSERT_TRUE(LoadCommunicationConfig(block, message));
    EXPECT_EQ(Channel()->GetName(), "up?date");
}

TEST_F(ConfigLoader, NoChannelLoadsWithTrueAndStoresNothing) {
    for (const char* fixture : {"no_communications.ncc", "empty_communications.ncc"}) {
        Install(fixture);
        std::string message = "as passed";
        EXPECT_TRUE(LoadCommunicationConfig(block, message)) << fixture;
        EXPECT_EQ(message, "as passed");
        EXPECT_EQ(block.FindParam("communiConfig"), nullptr);
    }
}

TEST_F(ConfigLoader, LaterChannelsReplaceEarlierOnes) {
    Install("two_channels.ncc");
    std::string message;
    ASSERT_TRUE(LoadCommunicationConfig(block, message));
    EXPECT_EQ(Channel()->GetName(), "second");
    EXPECT_EQ(Channel()->GetTimeout(), 3);
    EXPECT_EQ(Channel()->GetServerCount(), 0);
}

TEST_F(ConfigLoader, MalformedChannelStopsTheLoadAndKeepsTheOneBefore) {
    Install("valid_then_malformed.ncc");
    std::string message;
    EXPECT_FALSE(LoadCommunicationConfig(block, message));
    EXPECT_EQ(message, Malformed());
    EXPECT_EQ(GbkToUtf8(message), "网络配置文件[" + Path() + "]格式不正确,请检查!");
    ASSERT_NE(Channel(), nullptr);
    EXPECT_EQ(Channel()->GetName(), "first");  // the third channel was never read
}

// Files whose only channel is malformed.
TEST_F(ConfigLoader, MalformedChannels) {
    for (const char* fixture : {"comment_in_communications.ncc", "lowercase_name.ncc", "timeout_empty.ncc",
                                "timeout_letters.ncc", "timeout_overflow.ncc", "timeout_child.ncc",
                                "describe_empty.ncc", "port_letters.ncc", "external_entity.ncc"}) {
        SCOPED_TRACE(fixture);
        Install(fixture);
        TDataVO fresh;
        std::string message;
        EXPECT_FALSE(LoadCommunicationConfig(fresh, message));
        EXPECT_EQ(message, Malformed());
    }
}

TEST_F(ConfigLoader, EmptyOrUnreadableNameRaises) {
    for (const char* fixture : {"empty_name.ncc", "name_with_child.ncc"}) {
        Install(fixture);
        std::string message = "as passed";
        EXPECT_THROW(LoadCommunicationConfig(block, message), EConvertError) << fixture;
        EXPECT_EQ(message, "as passed");
        EXPECT_EQ(Channel(), nullptr);
    }
}

TEST_F(ConfigLoader, ServerLevelEmptyTextsCountAsAbsent) {
    Install("server_ip_empty.ncc");
    std::string message;
    ASSERT_TRUE(LoadCommunicationConfig(block, message));
    ASSERT_EQ(Channel()->GetServerCount(), 1);
    EXPECT_EQ(Channel()->GetServer(0)->ServerIP, "");
    EXPECT_EQ(Channel()->GetServer(0)->Port, 81);

    Install("port_empty.ncc");
    ASSERT_TRUE(LoadCommunicationConfig(block, message));
    EXPECT_EQ(Channel()->GetServer(0)->Port, 0);
}

TEST_F(ConfigLoader, EveryItemOfServersIsAServerCommentsIncluded) {
    Install("comment_in_servers.ncc");
    std::string message;
    ASSERT_TRUE(LoadCommunicationConfig(block, message));
    ASSERT_EQ(Channel()->GetServerCount(), 3);
    EXPECT_EQ(Channel()->GetServer(0)->ServerIP, "");
    EXPECT_EQ(Channel()->GetServer(1)->ServerIP, "127.0.0.1");
    EXPECT_EQ(Channel()->GetServer(2)->Port, 0);
}

TEST_F(ConfigLoader, FirstOfRepeatedElementsCountsAndAbsentTimeoutIsZero) {
    Install("two_timeouts.ncc");
    std::string message;
    ASSERT_TRUE(LoadCommunicationConfig(block, message));
    EXPECT_EQ(Channel()->GetTimeout(), 5);
    Install("timeout_absent.ncc");
    ASSERT_TRUE(LoadCommunicationConfig(block, message));
    EXPECT_EQ(Channel()->GetTimeout(), 0);
}

TEST(CommuniConfig, ServerIndexOutOfRangeRaises) {
    TCommuniConfigImpl channel;
    EXPECT_THROW(channel.GetServer(0), EListError);
    channel.AddServer(new TCommuniServer{"h", 1, "a"});
    EXPECT_EQ(channel.GetServer(0)->ServerIP, "h");
    EXPECT_THROW(channel.GetServer(1), EListError);
    EXPECT_THROW(channel.GetServer(-1), EListError);
}

TEST(CommuniConfig, ExtraValuesFollowTheContainerRules) {
    TCommuniConfigImpl channel;
    EXPECT_EQ(channel.GetValue("x"), Variant::FromByte(0));
    channel.SetValue("Retry", Variant::FromInteger(3));
    EXPECT_EQ(channel.GetValue("RETRY"), Variant::FromInteger(3));
}

}  // namespace
}  // namespace netprobe
