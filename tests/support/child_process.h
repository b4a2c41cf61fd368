#pragma once

#include <string>
#include <vector>

namespace netprobe::testing {

struct ChildRun {
    int exit_code = -1;  // -1: the program did not start or did not end in time
    std::string out, err;
};

// Runs a program (UTF-8 path and arguments) with standard input empty and standard output and
// error going to files, waits for it and hands back its exit status and both outputs' bytes.
ChildRun RunChild(const std::string& program, const std::vector<std::string>& args);

// The path (UTF-8) of a file in the folder of the running test executable.
std::string FileBeside(const std::string& file_name);
// The same for a program (".exe" added on Windows).
std::string ProgramBeside(const std::string& name);

}  // namespace netprobe::testing
