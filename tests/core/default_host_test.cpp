#include <gtest/gtest.h>

#include <cstdlib>

#include "DefaultHost.h"
#include "fake_host.h"
#include "temp_dir.h"

namespace netprobe {
namespace {

TEST(DefaultHost, ReadsUserConfigurationFromIni) {
    testing::TempDir dir;
    std::string ini = dir.Write("UserConfig.ini",
                                "[NetWork]\r\nProxyEnable=1\r\nproxymode = socket5\r\n"
                                "ProxyEnable=0\r\n[RunParameter]\r\nSysIME=\xCE\xA2\xC8\xED\r\n");
    setenv("NETPROBE_USER_CONFIG", ini.c_str(), 1);
    DefaultHost host;
    EXPECT_EQ(host.GetUserConfigParam("NetWork", "ProxyEnable", "0"), "1");  // first occurrence
    EXPECT_EQ(host.GetUserConfigParam("network", "PROXYMODE", "0"), "socket5");
    EXPECT_EQ(host.GetUserConfigParam("NetWork", "ProxyServer", "dflt"), "dflt");
    EXPECT_EQ(host.GetUserConfigParam("RunParameter", "SysIME", ""), "\xCE\xA2\xC8\xED");
    setenv("NETPROBE_USER_CONFIG", (dir.path() + "missing.ini").c_str(), 1);
    EXPECT_EQ(host.GetUserConfigParam("NetWork", "ProxyPort", "80"), "80");
    unsetenv("NETPROBE_USER_CONFIG");
}

TEST(DefaultHost, AppPathEndsWithSeparator) {
    setenv("NETPROBE_APP_DIR", "/opt/suite", 1);
    DefaultHost host;
    EXPECT_EQ(host.GetAppPath(), "/opt/suite/");
    setenv("NETPROBE_APP_DIR", "/opt/suite/", 1);
    EXPECT_EQ(host.GetAppPath(), "/opt/suite/");
    unsetenv("NETPROBE_APP_DIR");
    std::string module_dir = host.GetAppPath();
    ASSERT_FALSE(module_dir.empty());
    EXPECT_EQ(module_dir.back(), '/');
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
