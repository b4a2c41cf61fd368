#pragma once

#include <optional>
#include <string>

// Files named by the module's paths. A path is a byte string as the file system takes it: in
// the system code page (GBK) on Windows, checked and opened through the ANSI functions; in
// UTF-8, the file names' bytes, on Linux.
namespace netprobe {

// Whether a regular file exists at the path.
bool IsRegularFile(const std::string& path);
// The whole content of the file; nullopt when it can't be opened or read.
std::optional<std::string> ReadWholeFile(const std::string& path);
// The path as a text of the module's (GBK), to be named in a message.
std::string PathText(const std::string& path);

}  // namespace netprobe
