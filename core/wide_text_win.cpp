#include <windows.h>

#include "core/wide_text.h"

namespace netprobe {
namespace {

constexpr UINT kGbkCodePage = 936;

// One GBK character (one or two bytes) as UTF-16, or "?" when the code page has none.
wchar_t WidenGbkChar(const unsigned char* p, int len) {
    wchar_t wc = L'?';
    if (MultiByteToWideChar(kGbkCodePage, MB_ERR_INVALID_CHARS, reinterpret_cast<const char*>(p), len, &wc, 1) != 1) {
        return L'?';
    }
    return wc;
}

}  // namespace

std::wstring Utf8ToWide(std::string_view utf8) {
    if (utf8.empty()) return {};
    const int length = static_cast<int>(utf8.size());
    const int count = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), length, nullptr, 0);
    if (count <= 0) return {};
    std::wstring wide(static_cast<std::size_t>(count), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), length, wide.data(), count);
    return wide;
}

std::string WideToUtf8(std::wstring_view wide) {
    if (wide.empty()) return {};
    const int length = static_cast<int>(wide.size());
    const int size = WideCharToMultiByte(CP_UTF8, 0, wide.data(), length, nullptr, 0, nullptr, nullptr);
    if (size <= 0) return {};
    std::string out(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), length, out.data(), size, nullptr, nullptr);
    return out;
}

std::wstring GbkToWide(std::string_view gbk) {
    std::wstring wide;
    wide.reserve(gbk.size());
    auto p = reinterpret_cast<const unsigned char*>(gbk.data());
    std::size_t left = gbk.size();
    while (left > 0) {
        if (p[0] < 0x80) {
            wide.push_back(static_cast<wchar_t>(p[0]));
            ++p;
            --left;
            continue;
        }
        // A lead byte takes its trail byte along, valid or not, as the iconv build does.
        const int len = (p[0] >= 0x81 && p[0] <= 0xFE && left >= 2) ? 2 : 1;
        wide.push_back(WidenGbkChar(p, len));
        p += len;
        left -= static_cast<std::size_t>(len);
    }
    return wide;
}

}  // namespace netprobe
