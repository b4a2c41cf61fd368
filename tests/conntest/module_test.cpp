// The shared module as a host loads it: dlopen, the one exported function, the default host
// reading the installation directory and the user configuration from the environment.
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <cstdlib>

#include "tests/support/loopback/http_origin.h"
#include "tests/support/temp_dir.h"

namespace netprobe {
namespace {

using TestFn = bool (*)();

class LoadedModule {
public:
    LoadedModule() : handle_(dlopen(NETPROBE_MODULE_PATH, RTLD_NOW | RTLD_LOCAL)) {}
    ~LoadedModule() {
        if (handle_) dlclose(handle_);
    }
    LoadedModule(const LoadedModule&) = delete;
    LoadedModule& operator=(const LoadedModule&) = delete;
    void* handle() const { return handle_; }

private:
    void* handle_;
};

TEST(SharedModule, ExportsTestUpdateServerAndRunsIt) {
    testing::HttpOrigin origin;
    testing::TempDir dir;
    dir.Write("MainCommunication.ncc",
              "<?xml version=\"1.0\" encoding=\"GBK\"?><C><COMMUNICATIONS><U><NAME>\xC9\xFD\xBC\xB6</NAME><SERVERS>"
              "<S><SERVERIP>127.0.0.1</SERVERIP><PORT>" +
                  std::to_string(origin.port()) +
                  "</PORT><SERVERACTION>check</SERVERACTION></S></SERVERS><TIMEOUT>2000</TIMEOUT></U>"
                  "</COMMUNICATIONS></C>");
    const std::string ini = dir.Write("UserConfig.ini", "[NetWork]\nProxyEnable=0\n");
    setenv("NETPROBE_APP_DIR", dir.path().c_str(), 1);
    setenv("NETPROBE_USER_CONFIG", ini.c_str(), 1);

    LoadedModule module;
    ASSERT_NE(module.handle(), nullptr) << dlerror();
    auto test = reinterpret_cast<TestFn>(dlsym(module.handle(), "TestUpdateServer"));
    ASSERT_NE(test, nullptr);
    EXPECT_TRUE(test());
    ASSERT_EQ(origin.requests().size(), 1u);
    EXPECT_EQ(origin.requests()[0].target, "/check");

    origin.SetStatus(404);
    EXPECT_FALSE(test());
    // Internal names stay hidden.
    EXPECT_EQ(dlsym(module.handle(),
                    "_ZN8netprobe8RunProbeERKNS_11TServerInfoERNSt7__cxx1112basic_stringIcSt11char_traitsIcESaIcEEEi"),
              nullptr);
    unsetenv("NETPROBE_APP_DIR");
    unsetenv("NETPROBE_USER_CONFIG");
}

}  // namespace
}  // namespace netprobe
