#include "tests/support/env_var.h"

#include <cstdlib>

namespace netprobe::testing {
namespace {

std::optional<std::string> GetEnv(const std::string& name) {
    const char* value = std::getenv(name.c_str());
    if (!value) return std::nullopt;
    return std::string(value);
}

}  // namespace

std::string EnvOrEmpty(const char* name) { return GetEnv(name).value_or(""); }

void SetEnv(const std::string& name, const std::optional<std::string>& value) {
#ifdef _WIN32
    // An empty value removes the variable on Windows; the module treats unset and empty alike.
    _putenv_s(name.c_str(), value ? value->c_str() : "");
#else
    if (value)
        setenv(name.c_str(), value->c_str(), 1);
    else
        unsetenv(name.c_str());
#endif
}

ScopedEnv::ScopedEnv(std::string name, const std::optional<std::string>& value)
    : name_(std::move(name)), previous_(GetEnv(name_)) {
    SetEnv(name_, value);
}

ScopedEnv::~ScopedEnv() { SetEnv(name_, previous_); }

}  // namespace netprobe::testing
