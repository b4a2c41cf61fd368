// The tests' own resolver: this executable's getaddrinfo comes before the C library's for
// every library it loads, libcurl's resolver thread included. Names under ".invalid" fail
// here and never reach a DNS server; everything else goes to the C library unchanged.
#include <dlfcn.h>
#include <netdb.h>

#include <cstring>

#include "tests/conntest/test_resolver.h"

namespace {

bool IsInvalidName(const char* node) {
    if (!node) return false;
    static constexpr char kSuffix[] = ".invalid";
    const std::size_t length = std::strlen(node), suffix = sizeof kSuffix - 1;
    return length >= suffix && std::strcmp(node + length - suffix, kSuffix) == 0;
}

using GetAddrInfo = int (*)(const char*, const char*, const addrinfo*, addrinfo**);

}  // namespace

extern "C" int getaddrinfo(const char* node, const char* service, const addrinfo* hints, addrinfo** result) {
    if (IsInvalidName(node)) return EAI_NONAME;
    static const auto next = reinterpret_cast<GetAddrInfo>(dlsym(RTLD_NEXT, "getaddrinfo"));
    return next ? next(node, service, hints, result) : EAI_FAIL;
}

namespace netprobe::testing {

// Whether the process-wide getaddrinfo, the one libcurl calls, is the one above.
bool TestResolverInstalled() { return dlsym(RTLD_DEFAULT, "getaddrinfo") == reinterpret_cast<void*>(&getaddrinfo); }

}  // namespace netprobe::testing
