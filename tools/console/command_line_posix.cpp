#include "tools/console/command_line.h"

namespace netprobe::console {

std::vector<std::string> CommandLineArguments(int argc, char** argv) {
    if (argc < 1) return {};
    return std::vector<std::string>(argv + 1, argv + argc);
}

}  // namespace netprobe::console
