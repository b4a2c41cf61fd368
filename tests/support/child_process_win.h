#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace netprobe::testing {

// The command line CreateProcessW takes: the program and the arguments, each quoted.
std::wstring CommandLine(const std::string& program, const std::vector<std::string>& args);

// Runs a command line with the given (inheritable) standard handles and waits for it, at most
// a minute. Returns the exit code, or -1 when it did not start or did not end in time.
int RunWithHandles(const std::wstring& command_line, HANDLE in, HANDLE out, HANDLE err);

}  // namespace netprobe::testing
