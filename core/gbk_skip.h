#pragma once

#include <cstddef>

// How many bytes a conversion skips, and replaces with one "?", at a character it can't
// convert. Shared by the platforms' converters so that both replace alike.
namespace netprobe::gbk_detail {

// After a malformed UTF-8 sequence: the announced length, cut short at the first byte that
// is not a continuation byte.
inline std::size_t SkipUtf8(const unsigned char* p, std::size_t left) {
    std::size_t n = 1;
    if (p[0] >= 0xF8)
        n = 1;
    else if (p[0] >= 0xF0)
        n = 4;
    else if (p[0] >= 0xE0)
        n = 3;
    else if (p[0] >= 0xC0)
        n = 2;
    for (std::size_t i = 1; i < n; ++i) {
        if (i >= left || (p[i] & 0xC0) != 0x80) return i;
    }
    return n;
}

// After an invalid GBK byte: the pair when a lead byte has a byte after it, else the byte.
inline std::size_t SkipGbk(const unsigned char* p, std::size_t left) {
    return (p[0] >= 0x81 && p[0] <= 0xFE && left >= 2) ? 2 : 1;
}

}  // namespace netprobe::gbk_detail
