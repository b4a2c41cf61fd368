// The netprobe tool as a separate process: its command-line conventions, and a run from an
// installation directory whose name has Chinese characters.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "netprobe_version.h"
#include "tests/support/channel_file.h"
#include "tests/support/child_process.h"
#include "tests/support/env_var.h"
#include "tests/support/loopback/http_origin.h"
#include "tests/support/loopback/unused_port.h"
#include "tests/support/temp_dir.h"

namespace netprobe {
namespace {

namespace fs = std::filesystem;
using testing::ChildRun;
using testing::ScopedEnv;
using testing::TempDir;

ChildRun Netprobe(const std::vector<std::string>& args) {
    return testing::RunChild(testing::ProgramBeside("netprobe"), args);
}

// A channel named 更新通道 with one server on loopback.
testing::ChannelFile Ncc(std::uint16_t port) {
    return {.declaration = testing::ChannelFile::kUtf8, .name = "更新通道", .servers = {{.port = port}}};
}

std::string Utf8(const fs::path& path) {
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

void WriteFile(const fs::path& path, const std::string& bytes) { std::ofstream(path, std::ios::binary) << bytes; }

TEST(Cli, VersionAndUsageGoToStandardOutput) {
    struct Case {
        std::vector<std::string> args;
        std::string begins;
    };
    const Case cases[] = {
        {{"--version"}, "netprobe " NETPROBE_VERSION "\n"},
        {{"help"}, "usage: netprobe <command>"},
        {{"help", "test"}, "usage: netprobe test ["},
        {{"test", "--help"}, "usage: netprobe test ["},
        {{"show-config", "--app-dir", "x", "-h"}, "usage: netprobe show-config ["},
        {{"help", "encode-password"}, "usage: netprobe encode-password"},
        {{"encode-password", "--help"}, "usage: netprobe encode-password"},
        {{"--lang", "zh", "help", "test"}, "用法：netprobe test ["},
        {{"help", "--lang", "en"}, "usage: netprobe <command> [options] [--lang zh|en]\n"},
    };
    for (const Case& c : cases) {
        const ChildRun run = Netprobe(c.args);
        EXPECT_EQ(run.exit_code, 0) << c.args.front();
        EXPECT_EQ(run.out.substr(0, c.begins.size()), c.begins);
        EXPECT_EQ(run.err, "");
    }
}

TEST(Cli, UsageErrorsAreOneLineOnStandardError) {
    TempDir dir;
    const std::string missing = dir.path() + "missing.ini";
    struct Case {
        std::vector<std::string> args;
        std::string err;
    };
    const Case cases[] = {
        {{"test", "--user-config", missing}, "netprobe: --user-config: no such file: " + missing + "\n"},
        {{"test", "-v", "--user-config", dir.path()}, "netprobe: --user-config: no such file: " + dir.path() + "\n"},
        {{"test", "--app-dir"}, "netprobe: --app-dir needs a value\n"},
        {{"show-config", "--user-config", missing}, "netprobe: unexpected argument '--user-config'\n"},
        {{"help", "nothing"}, "netprobe: help takes one command name, one of show-config, test, encode-password\n"},
        {{"--lang", "fr", "help"}, "netprobe: --lang takes zh or en\n"},
        {{"test", "--lang"}, "netprobe: --lang takes zh or en\n"},
    };
    for (const Case& c : cases) {
        const ChildRun run = Netprobe(c.args);
        EXPECT_EQ(run.exit_code, 2) << c.err;
        EXPECT_EQ(run.err, c.err);
        EXPECT_EQ(run.out, "");
    }
}

// A user configuration named on the command line is read; the default one may be absent.
TEST(Cli, NamedUserConfigurationIsReadAndAnAbsentDefaultMeansDefaults) {
    testing::HttpOrigin origin;
    TempDir dir;
    Ncc(origin.port()).WriteInto(dir.path());
    const std::string refused_proxy =
        dir.Write("proxy.ini", "[NetWork]\r\nProxyEnable=1\r\nProxyServer=127.0.0.1\r\nProxyPort=" +
                                   std::to_string(testing::UnusedLoopbackPort()) + "\r\n");
    ScopedEnv default_config("NETPROBE_USER_CONFIG", dir.path() + "absent.ini");

    const ChildRun direct = Netprobe({"test", "--app-dir", dir.path()});
    EXPECT_EQ(direct.exit_code, 0) << direct.out << direct.err;
    const ChildRun proxied = Netprobe({"test", "--app-dir", dir.path(), "--user-config", refused_proxy});
    EXPECT_EQ(proxied.exit_code, 1) << proxied.out << proxied.err;
    EXPECT_EQ(origin.requests().size(), 1u);
}

// The tool copied into an installation directory named in Chinese finds its configuration
// beside itself, takes Chinese paths as arguments, names them rightly in its messages, and
// writes UTF-8 with "\n" line ends to a file.
TEST(Cli, RunsFromAnInstallationDirectoryWithChineseCharacters) {
    testing::HttpOrigin origin;
    TempDir dir;
    const fs::path install = fs::path(dir.path()) / fs::path(u8"税务 安装目录");
    fs::create_directory(install);
    const fs::path tool = install / fs::path(testing::ProgramBeside("netprobe")).filename();
    fs::copy_file(testing::ProgramBeside("netprobe"), tool);
    // Before the file is there, the loader's message names the directory as it is.
    const ChildRun missing = Netprobe({"show-config", "--app-dir", Utf8(install)});
    EXPECT_EQ(missing.exit_code, 1);
    EXPECT_NE((missing.out + missing.err).find(Utf8(install)), std::string::npos) << missing.out << missing.err;
    WriteFile(install / testing::kChannelFileName, Ncc(origin.port()).Text());
    const fs::path user_config = install / fs::path(u8"用户配置.ini");
    WriteFile(user_config, "[NetWork]\r\nProxyEnable=0\r\n");
    ScopedEnv app_dir("NETPROBE_APP_DIR", std::nullopt);

    const ChildRun beside = testing::RunChild(Utf8(tool), {"test", "--user-config", Utf8(user_config)});
    EXPECT_EQ(beside.exit_code, 0) << beside.out << beside.err;
    EXPECT_EQ(origin.requests().size(), 1u);

    const ChildRun named = Netprobe({"show-config", "--app-dir", Utf8(install)});
    EXPECT_EQ(named.exit_code, 0) << named.err;
    EXPECT_NE(named.out.find("channel  更新通道\ntimeout  2000\n"), std::string::npos) << named.out;
    const ChildRun json = Netprobe({"show-config", "--app-dir", Utf8(install), "--json"});
    EXPECT_NE(json.out.find("\"name\":\"更新通道\""), std::string::npos) << json.out;
}

}  // namespace
}  // namespace netprobe
