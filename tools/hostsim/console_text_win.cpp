#include "console_text.h"

#include <windows.h>

#include <cstdio>

namespace netprobe::hostsim {
namespace {

std::wstring Widen(UINT code_page, std::string_view bytes) {
    if (bytes.empty()) return {};
    int count = MultiByteToWideChar(code_page, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(count), L'\0');
    MultiByteToWideChar(code_page, 0, bytes.data(), static_cast<int>(bytes.size()), wide.data(), count);
    return wide;
}

}  // namespace

std::string WideToUtf8(std::wstring_view wide) {
    if (wide.empty()) return {};
    int size = WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), out.data(), size, nullptr, nullptr);
    return out;
}

std::wstring Utf8ToWide(std::string_view utf8) { return Widen(CP_UTF8, utf8); }

std::string GbkBytesToUtf8(std::string_view gbk) { return WideToUtf8(Widen(936, gbk)); }

void PrintLine(const std::string& utf8) {
    std::fwrite(utf8.data(), 1, utf8.size(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

}  // namespace netprobe::hostsim
