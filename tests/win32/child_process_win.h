#pragma once

#include <windows.h>

#include <string>

namespace netprobe::testing {

struct ChildRun {
    DWORD exit_code = 0;
    std::string output;  // standard output and standard error, as written
};

// Runs a program that the build copied beside this test, with `args` as the rest of its
// command line (in the system code page), and collects its output until it ends.
ChildRun RunBesideTest(const std::string& program, const std::string& args);

}  // namespace netprobe::testing
