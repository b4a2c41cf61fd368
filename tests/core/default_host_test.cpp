#include <gtest/gtest.h>

#include "core/default_host.h"
#include "tests/support/env_var.h"
#include "tests/support/fake_host.h"
#include "tests/support/temp_dir.h"

namespace netprobe {
namespace {

using testing::ScopedEnv;

#ifdef _WIN32
constexpr char kSeparator = '\\';
#else
constexpr char kSeparator = '/';
#endif

TEST(DefaultHost, ReadsUserConfigurationFromIni) {
    testing::TempDir dir;
    std::string ini = dir.Write("UserConfig.ini",
                                "[NetWork]\r\nProxyEnable=1\r\nproxymode = socket5\r\n"
                                "ProxyEnable=0\r\n[RunParameter]\r\nSysIME=\xCE\xA2\xC8\xED\r\n");
    ScopedEnv config("NETPROBE_USER_CONFIG", ini);
    DefaultHost host;
    EXPECT_EQ(host.GetUserConfigParam("NetWork", "ProxyEnable", "0"), "1");  // first occurrence
    EXPECT_EQ(host.GetUserConfigParam("network", "PROXYMODE", "0"), "socket5");
    EXPECT_EQ(host.GetUserConfigParam("NetWork", "ProxyServer", "dflt"), "dflt");
    EXPECT_EQ(host.GetUserConfigParam("RunParameter", "SysIME", ""), "\xCE\xA2\xC8\xED");
    config.Set(dir.path() + "missing.ini");
    EXPECT_EQ(host.GetUserConfigParam("NetWork", "ProxyPort", "80"), "80");
}

TEST(DefaultHost, AppPathEndsWithSeparator) {
    ScopedEnv app_dir("NETPROBE_APP_DIR", "/opt/suite");
    DefaultHost host;
    EXPECT_EQ(host.GetAppPath(), std::string("/opt/suite") + kSeparator);
    app_dir.Set("/opt/suite/");
    EXPECT_EQ(host.GetAppPath(), "/opt/suite/");
    app_dir.Set(std::nullopt);
    std::string module_dir = host.GetAppPath();
    ASSERT_FALSE(module_dir.empty());
    EXPECT_EQ(module_dir.back(), kSeparator);
    EXPECT_EQ(host.GetMainFrameHandle(), 0u);
    EXPECT_EQ(host.gclTopBarColor(), 8375432u);
}

TEST(HostInstance, ScopedHostInstallsAndRestores) {
    HostFrameLib* before = &Host();
    {
        testing::FakeHost fake;
        ScopedHost scoped(fake);
        EXPECT_EQ(&Host(), &fake);
    }
    EXPECT_EQ(&Host(), before);
}

}  // namespace
}  // namespace netprobe
