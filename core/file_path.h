#pragma once

#include <string>

namespace netprobe {

// Whether a regular file (not a folder) is at `path`. The path is the byte string the module
// holds: on Windows in the system code page (GBK), as the file functions take it, so an
// installation directory with Chinese characters is found; elsewhere the bytes as they are.
bool IsRegularFile(const std::string& path);

}  // namespace netprobe
