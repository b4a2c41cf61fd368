#pragma once

#include <optional>
#include <string>

namespace netprobe::testing {

// The value of an environment variable of the test process; empty when it is unset.
std::string EnvOrEmpty(const char* name);

// Sets (or, with nullopt, removes) an environment variable of the test process.
void SetEnv(const std::string& name, const std::optional<std::string>& value);

// Sets an environment variable for the lifetime of a scope and puts the former state back.
class ScopedEnv {
public:
    ScopedEnv(std::string name, const std::optional<std::string>& value);
    ~ScopedEnv();
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

    void Set(const std::optional<std::string>& value) { SetEnv(name_, value); }

private:
    std::string name_;
    std::optional<std::string> previous_;
};

}  // namespace netprobe::testing
