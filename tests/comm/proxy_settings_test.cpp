#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "comm/f_EndecryptInterface.h"
#include "comm/password_encoder.h"
#include "comm/proxy_settings.h"
#include "core/f_DataVO.h"
#include "tests/support/fake_host.h"

namespace netprobe {
namespace {

const char* const kKeys[] = {"ProxyEnable", "ProxyMode", "ProxyServer",  "ProxyPort",
                             "ProxyAuthor", "ProxyUser", "ProxyPassword"};

std::vector<std::string> Fields(const TProxyInfor& r) {
    return {r.ProxyEnable, r.ProxyMode, r.ProxyServer, r.ProxyPort, r.ProxyAuthor, r.ProxyUser, r.ProxyPassword};
}

// Fails when the given key is read.
class FailingHost : public testing::FakeHost {
public:
    std::string failing_key;
    std::string GetUserConfigParam(std::string_view section, std::string_view key, std::string_view def) override {
        if (key == failing_key) throw std::runtime_error("configuration unreadable");
        return FakeHost::GetUserConfigParam(section, key, def);
    }
};

class ProxySettings : public ::testing::Test {
protected:
    FailingHost host;
    ScopedHost scoped{host};

    void Configure(const std::string& author, const std::string& password) {
        host.Set("NetWork", "ProxyEnable", "1");
        host.Set("NetWork", "ProxyMode", "2");
        host.Set("NetWork", "ProxyServer", "proxy.example");
        host.Set("NetWork", "ProxyPort", "3128");
        host.Set("NetWork", "ProxyAuthor", author);
        host.Set("NetWork", "ProxyUser", "\xD5\xC5\xC8\xFD");  // 张三
        host.Set("NetWork", "ProxyPassword", password);
    }
};

TEST_F(ProxySettings, DefaultsWhenNothingIsConfiguredReadInOrder) {
    LoadProxySettings();
    EXPECT_EQ(Fields(ProxyInfor()), (std::vector<std::string>{"0", "0", "", "80", "0", "", ""}));
    std::vector<std::string> expected;
    for (const char* key : kKeys) expected.push_back(std::string("GetUserConfigParam:NetWork/") + key);
    EXPECT_EQ(host.calls, expected);
}

TEST_F(ProxySettings, PasswordIsKeptOnlyWhenEncodedAndAuthenticationIsOn) {
    const std::string stored = EncodeStoredPassword("s3cr\xC3\xDC", 58);
    struct Row {
        std::string author, password, expected;
    };
    const Row rows[] = {
        {"1", stored, "s3cr\xC3\xDC"},
        {"0", stored, ""},
        {" 1", stored, ""},
        {"true", stored, ""},
        {"1", "plaintext", ""},
        {"1", stored.substr(1), ""},
        {"1", "[*]" + stored.substr(3), ""},
        {"1", "(*)", ""},
    };
    for (const Row& r : rows) {
        Configure(r.author, r.password);
        LoadProxySettings();
        EXPECT_EQ(Fields(ProxyInfor()), (std::vector<std::string>{"1", "2", "proxy.example", "3128", r.author,
                                                                  "\xD5\xC5\xC8\xFD", r.expected}))
            << r.author << " " << r.password;
    }
}

TEST_F(ProxySettings, OnlyTheFirst255CodeCharactersAreDecoded) {
    const std::string longest(kMaxStoredPasswordLength, 'k');
    Configure("1", EncodeStoredPassword(longest, 77) + std::string(45, '#'));
    LoadProxySettings();
    EXPECT_EQ(ProxyInfor().ProxyPassword, longest);
}

TEST_F(ProxySettings, HostErrorPassesOnAndKeepsWhatWasRead) {
    Configure("1", EncodeStoredPassword("old", 20));
    LoadProxySettings();
    host.config.clear();
    host.failing_key = "ProxyPort";
    EXPECT_THROW(LoadProxySettings(), std::runtime_error);
    EXPECT_EQ(Fields(ProxyInfor()), (std::vector<std::string>{"0", "0", "", "3128", "1", "\xD5\xC5\xC8\xFD", "old"}));
}

class Watched : public TObject {
public:
    explicit Watched(bool& destroyed) : destroyed_(destroyed) {}
    ~Watched() noexcept override { destroyed_ = true; }

private:
    bool& destroyed_;
};

TEST_F(ProxySettings, StoreProxyVOPutsTheSevenTextsUnderProxyVO) {
    Configure("1", EncodeStoredPassword("pw", 47));
    LoadProxySettings();
    TDataVO block;
    bool destroyed = false;
    block.SetObject("ProxyVO", new Watched(destroyed));
    StoreProxyVO(block);
    EXPECT_TRUE(destroyed);
    auto* child = dynamic_cast<TDataVO*>(block.GetObject("ProxyVO", nullptr));
    ASSERT_NE(child, nullptr);
    std::vector<std::string> stored;
    for (const char* key : kKeys) {
        TParamEntry* entry = child->FindParam(key);
        ASSERT_NE(entry, nullptr) << key;
        EXPECT_EQ(entry->kind, kParamText) << key;
        stored.push_back(entry->value->text);
    }
    EXPECT_EQ(stored, Fields(ProxyInfor()));
    EXPECT_EQ(child->GetString("ProxyPassword", "?"), "pw");
}

}  // namespace
}  // namespace netprobe
