#pragma once

#include <string_view>

// The tool's usage texts: the whole tool's, and each command's, in the current language.
namespace netprobe::cli {

// Usage of all commands.
const char* ToolUsage();
// Usage of one command, or nullptr when there is no such command.
const char* CommandUsage(std::string_view command);

}  // namespace netprobe::cli
