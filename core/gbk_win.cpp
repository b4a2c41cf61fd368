// GBK <-> UTF-8 on the Windows code page converters (code page 936). The UTF-8 side is
// decoded here rather than by MultiByteToWideChar, so that a malformed sequence becomes one
// "?" exactly as with the iconv build.
#include <windows.h>

#include <string>

#include "core/gbk.h"
#include "core/gbk_skip.h"
#include "core/wide_text.h"

namespace netprobe {
namespace {

using gbk_detail::SkipUtf8;

constexpr UINT kGbkCodePage = 936;

// Decodes one well-formed UTF-8 sequence; returns its length, or 0 when malformed
// (truncated, overlong, a surrogate, beyond U+10FFFF).
std::size_t DecodeUtf8(const unsigned char* p, std::size_t left, char32_t& cp) {
    std::size_t n;
    char32_t min;
    if (p[0] < 0x80) {
        cp = p[0];
        return 1;
    }
    if (p[0] >= 0xC2 && p[0] <= 0xDF) {
        n = 2;
        min = 0x80;
        cp = p[0] & 0x1F;
    } else if ((p[0] & 0xF0) == 0xE0) {
        n = 3;
        min = 0x800;
        cp = p[0] & 0x0F;
    } else if (p[0] >= 0xF0 && p[0] <= 0xF4) {
        n = 4;
        min = 0x10000;
        cp = p[0] & 0x07;
    } else
        return 0;
    if (left < n) return 0;
    for (std::size_t i = 1; i < n; ++i) {
        if ((p[i] & 0xC0) != 0x80) return 0;
        cp = (cp << 6) | (p[i] & 0x3F);
    }
    if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return 0;
    return n;
}

// UTF-8 to UTF-16 with "?" for what is malformed or outside the Basic Multilingual Plane
// (GBK has nothing beyond it).
std::wstring WidenUtf8(std::string_view utf8) {
    std::wstring wide;
    wide.reserve(utf8.size());
    auto p = reinterpret_cast<const unsigned char*>(utf8.data());
    std::size_t left = utf8.size();
    while (left > 0) {
        char32_t cp = 0;
        std::size_t n = DecodeUtf8(p, left, cp);
        if (n == 0) {
            n = SkipUtf8(p, left);
            cp = U'?';
        } else if (cp > 0xFFFF) {
            cp = U'?';
        }
        wide.push_back(static_cast<wchar_t>(cp));
        p += n;
        left -= n;
    }
    return wide;
}

std::string NarrowTo(UINT code_page, const std::wstring& wide) {
    if (wide.empty()) return {};
    const int count = static_cast<int>(wide.size());
    const bool utf8 = code_page == CP_UTF8;
    // No best-fit look-alikes: a character the code page lacks becomes the default "?".
    const DWORD flags = utf8 ? 0 : WC_NO_BEST_FIT_CHARS;
    const char* def = utf8 ? nullptr : "?";
    int size = WideCharToMultiByte(code_page, flags, wide.data(), count, nullptr, 0, def, nullptr);
    if (size <= 0) return std::string(wide.size(), '?');
    std::string out(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(code_page, flags, wide.data(), count, out.data(), size, def, nullptr);
    return out;
}

}  // namespace

std::string Utf8ToGbk(std::string_view utf8) { return NarrowTo(kGbkCodePage, WidenUtf8(utf8)); }
std::string GbkToUtf8(std::string_view gbk) { return NarrowTo(CP_UTF8, GbkToWide(gbk)); }

}  // namespace netprobe
