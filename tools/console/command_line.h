#pragma once

#include <string>
#include <vector>

namespace netprobe::console {

// The program's arguments after its name, as UTF-8. On Windows they are read from the wide
// command line, so a Chinese path arrives whole whatever the system code page.
std::vector<std::string> CommandLineArguments(int argc, char** argv);

}  // namespace netprobe::console
