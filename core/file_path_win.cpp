#include <windows.h>

#include "file_path.h"

namespace netprobe {

// The ANSI function, like the fopen behind the module's file streams: std::filesystem would
// take the narrow path as UTF-8.
bool IsRegularFile(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

}  // namespace netprobe
