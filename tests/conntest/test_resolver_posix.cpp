// The tests' own resolver: this executable's getaddrinfo comes before the C library's for
// every library it loads, libcurl's resolver thread included. Names under ".invalid" fail
// here and never reach a DNS server (the blocking name after it has blocked); everything else
// goes to the C library unchanged.
#include <dlfcn.h>
#include <netdb.h>

#include <chrono>
#include <condition_variable>
#include <cstring>
#include <mutex>

#include "tests/conntest/test_resolver.h"

namespace {

bool IsInvalidName(const char* node) {
    if (!node) return false;
    static constexpr char kSuffix[] = ".invalid";
    const std::size_t length = std::strlen(node), suffix = sizeof kSuffix - 1;
    return length >= suffix && std::strcmp(node + length - suffix, kSuffix) == 0;
}

using GetAddrInfo = int (*)(const char*, const char*, const addrinfo*, addrinfo**);

// The resolutions of the blocking name: each waits for a release after it began.
struct Blocked {
    std::mutex mutex;
    std::condition_variable changed;
    int count = 0;
    unsigned releases = 0;
};

Blocked& Block() {
    static Blocked block;
    return block;
}

void BlockUntilReleased() {
    Blocked& b = Block();
    std::unique_lock lock(b.mutex);
    const unsigned release = b.releases;
    ++b.count;
    b.changed.wait_for(lock, std::chrono::seconds(10), [&] { return b.releases != release; });
    --b.count;
    b.changed.notify_all();
}

}  // namespace

extern "C" int getaddrinfo(const char* node, const char* service, const addrinfo* hints, addrinfo** result) {
    if (node && std::strcmp(node, netprobe::testing::kBlockingName) == 0) BlockUntilReleased();
    if (IsInvalidName(node)) return EAI_NONAME;
    static const auto next = reinterpret_cast<GetAddrInfo>(dlsym(RTLD_NEXT, "getaddrinfo"));
    return next ? next(node, service, hints, result) : EAI_FAIL;
}

namespace netprobe::testing {

// Whether the process-wide getaddrinfo, the one libcurl calls, is the one above.
bool TestResolverInstalled() { return dlsym(RTLD_DEFAULT, "getaddrinfo") == reinterpret_cast<void*>(&getaddrinfo); }

int BlockedResolutions() {
    Blocked& b = Block();
    std::lock_guard lock(b.mutex);
    return b.count;
}

void ReleaseBlockedResolutions() {
    Blocked& b = Block();
    std::unique_lock lock(b.mutex);
    ++b.releases;
    b.changed.notify_all();
    b.changed.wait_for(lock, std::chrono::seconds(5), [&] { return b.count == 0; });
}

}  // namespace netprobe::testing
