#include <windows.h>

#include <memory>

#include "core/file_paths.h"

namespace netprobe {
namespace {

struct HandleCloser {
    void operator()(HANDLE handle) const { CloseHandle(handle); }
};
using FileHandle = std::unique_ptr<void, HandleCloser>;

}  // namespace

// std::filesystem does not read a narrow path in the system code page, and missed every file
// under a directory with Chinese characters in its name.
bool IsRegularFile(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::optional<std::string> ReadWholeFile(const std::string& path) {
    HANDLE raw = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                             FILE_ATTRIBUTE_NORMAL, nullptr);
    if (raw == INVALID_HANDLE_VALUE) return std::nullopt;
    FileHandle file(raw);
    std::string bytes;
    char buffer[16 * 1024];
    DWORD got = 0;
    while (ReadFile(raw, buffer, sizeof buffer, &got, nullptr)) {
        if (got == 0) return bytes;
        bytes.append(buffer, got);
    }
    return std::nullopt;
}

// The system code page is GBK: the path is a text of the module's as it stands.
std::string PathText(const std::string& path) { return path; }

}  // namespace netprobe
