#include <sys/stat.h>

#include <fstream>
#include <iterator>

#include "core/file_paths.h"
#include "core/gbk.h"

namespace netprobe {

bool IsRegularFile(const std::string& path) {
    struct stat info {};
    return stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

std::optional<std::string> ReadWholeFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) return std::nullopt;
    return bytes;
}

std::string PathText(const std::string& path) { return Utf8ToGbk(path); }

}  // namespace netprobe
