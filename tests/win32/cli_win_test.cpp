// netprobe.exe in an installation directory whose name holds Chinese characters: the command
// line arrives in the system code page (GBK), the file there loads, and the message names the
// directory as it is (the tool prints UTF-8).
#include <gtest/gtest.h>

#include <string>

#include "child_process_win.h"
#include "temp_dir.h"

namespace netprobe {
namespace {

TEST(CommandLineTool, ShowConfigInAChineseInstallationDirectory) {
    testing::TempDir dir;
    const std::string install = dir.MakeDir("税务");
    // Without the trailing separator, which would escape the closing quote.
    const std::string args =
        "show-config --app-dir \"" + install.substr(0, install.size() - 1) + "\"";

    testing::ChildRun missing = testing::RunBesideTest("netprobe.exe", args);
    EXPECT_EQ(missing.exit_code, 1u) << missing.output;
    const std::string path_utf8 = dir.path() + "税务\\MainCommunication.ncc";
    EXPECT_NE(missing.output.find("网络配置文件[" + path_utf8 + "]不存在"), std::string::npos)
        << missing.output;

    testing::WriteFile(install + "MainCommunication.ncc",
                       "<?xml version=\"1.0\" "
                       "encoding=\"UTF-8\"?><CONFIG><COMMUNICATIONS><UPDATE><NAME>升级</NAME>"
                       "</UPDATE></COMMUNICATIONS></CONFIG>");
    testing::ChildRun loaded = testing::RunBesideTest("netprobe.exe", args);
    EXPECT_EQ(loaded.exit_code, 0u) << loaded.output;
    EXPECT_NE(loaded.output.find("channel  升级"), std::string::npos) << loaded.output;
}

}  // namespace
}  // namespace netprobe
