#include <sys/stat.h>

#include "file_path.h"

namespace netprobe {

bool IsRegularFile(const std::string& path) {
    struct stat info {};
    return stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

}  // namespace netprobe
