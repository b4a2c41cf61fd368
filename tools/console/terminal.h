#pragma once
// What the tools need to know of an interactive terminal: whether a stream is one, and how
// wide its lines are.
#include <cstddef>

#include "tools/console/console_out.h"

namespace netprobe::console {

// A terminal (POSIX) or a console (Windows); false for a file or a pipe.
bool IsTerminal(Stream stream);

// The columns of the terminal's window; 80 when the stream is none or does not tell.
std::size_t TerminalColumns(Stream stream);

}  // namespace netprobe::console
