#pragma once
// A program run on a pseudo-terminal, as a user runs it in a terminal window (POSIX only).
#include <string>
#include <vector>

#include "tests/support/child_process.h"

namespace netprobe::testing {

// Runs the program with standard input, output and error all on a new pseudo-terminal of
// `columns` columns that passes the program's bytes as they are (no "\r" added before a line
// end). `out` gets everything the terminal received; `err` stays empty. Waits at most a
// minute, then ends the program (exit code -1).
ChildRun RunOnTerminal(const std::string& program, const std::vector<std::string>& args, unsigned short columns = 80);

}  // namespace netprobe::testing
