#include <windows.h>

#include "tools/console/console_out.h"
#include "tools/hostsim/console_text.h"

namespace netprobe::hostsim {

std::string GbkBytesToUtf8(std::string_view gbk) {
    if (gbk.empty()) return {};
    const int length = static_cast<int>(gbk.size());
    const int count = MultiByteToWideChar(936, 0, gbk.data(), length, nullptr, 0);
    if (count <= 0) return {};
    std::wstring wide(static_cast<std::size_t>(count), L'\0');
    MultiByteToWideChar(936, 0, gbk.data(), length, wide.data(), count);
    return WideToUtf8(wide);
}

void PrintLine(const std::string& utf8) { console::Write(console::Stream::kOut, utf8 + "\n"); }

}  // namespace netprobe::hostsim
