// The shared module as a host loads it: dlopen, the one exported function, the default host
// reading the installation directory and the user configuration from the environment.
#include <dlfcn.h>
#include <gtest/gtest.h>

#include "tests/support/installation.h"
#include "tests/support/loopback/http_origin.h"

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
    testing::Installation installation("[NetWork]\nProxyEnable=0\n");
    installation.Write({.declaration = testing::ChannelFile::kGbk,
                        .root_tag = "C",
                        .channel_tag = "U",
                        .name = "\xC9\xFD\xBC\xB6",
                        .server_tag = "S",
                        .servers = {{.port = origin.port()}}});

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
}

}  // namespace
}  // namespace netprobe
