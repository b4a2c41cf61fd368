#include <cstdio>

#include "tools/console/console_device.h"

namespace netprobe::console {

void WriteToDevice(Stream stream, std::string_view utf8) {
    std::FILE* file = stream == Stream::kOut ? stdout : stderr;
    std::fwrite(utf8.data(), 1, utf8.size(), file);
    std::fflush(file);
}

}  // namespace netprobe::console
