// Code page <-> UTF-8 converters for libxml2 on the Windows code page functions.
#include "comm/xml_code_page_handler.h"

#include "comm/gb18030.h"

#include <windows.h>

#include <vector>

namespace netprobe::xml {
namespace {

constexpr UINT kGbk = 936;
constexpr UINT kGb18030 = 54936;

// Length of the character that starts at in[0], with n bytes at hand: 1, 2 or 4. It may
// exceed n: the character is not whole yet.
int CodePageCharLen(UINT code_page, const unsigned char* in, int n) {
    const unsigned char b = in[0];
    if (b < 0x80) return 1;
    if (code_page == kGb18030) {
        if (b == 0x80 || b == 0xFF) return 1;  // invalid: the conversion reports it
        if (n < 2) return 2;
        return (in[1] >= 0x30 && in[1] <= 0x39) ? 4 : 2;
    }
    return IsDBCSLeadByteEx(code_page, b) ? 2 : 1;
}

// The largest UTF-8 size of one character of `len` bytes: ASCII stays 1 byte; a character of
// 1 or 2 bytes lies in the Basic Multilingual Plane (at most 3), except a few two-byte codes
// of GB18030; one of 4 may lie beyond (4).
int MaxUtf8(UINT code_page, int len, unsigned char b) {
    if (len == 1 && b < 0x80) return 1;
    return len == 4 || (len == 2 && code_page == kGb18030) ? 4 : 3;
}

// Length of the UTF-8 sequence announced by lead byte b, 0 if b cannot start one.
int Utf8SeqLen(unsigned char b) {
    if (b < 0x80) return 1;
    if (b >= 0xC2 && b <= 0xDF) return 2;
    if ((b & 0xF0) == 0xE0) return 3;
    if (b >= 0xF0 && b <= 0xF4) return 4;
    return 0;
}

// Converts in[0, n) from code page `from` to code page `to` through UTF-16. Returns the
// bytes written to out (at most outcap), or -1 when the input is invalid in `from` or a
// character has no mapping in `to`.
int Convert(UINT from, UINT to, const unsigned char* in, int n, unsigned char* out, int outcap) {
    if (n == 0) return 0;
    if (from == kGb18030 && to == CP_UTF8 && !IsValidCodePage(kGb18030)) return Gb18030ToUtf8(in, n, out, outcap);
    std::vector<wchar_t> wide(static_cast<size_t>(n) + 1);
    int wn = MultiByteToWideChar(from, MB_ERR_INVALID_CHARS, reinterpret_cast<const char*>(in), n, wide.data(),
                                 static_cast<int>(wide.size()));
    if (wn <= 0) return -1;
    BOOL used_default = FALSE;
    // UTF-8 takes no default character; a code page must not turn an unmappable character
    // into "?" behind the parser's back.
    BOOL* used = (to == CP_UTF8) ? nullptr : &used_default;
    DWORD flags = (to == CP_UTF8) ? 0 : WC_NO_BEST_FIT_CHARS;
    int bn = WideCharToMultiByte(to, flags, wide.data(), wn, reinterpret_cast<char*>(out), outcap, nullptr, used);
    if (bn <= 0 || used_default) return -1;
    return bn;
}

// After a failed conversion of in[0, take): converts character by character up to the
// offending one and reports it. char_len(bytes, available) gives a character's length.
template <typename CharLen>
int ConvertUpToInvalid(UINT from, UINT to, CharLen char_len, unsigned char* out, int* outlen, const unsigned char* in,
                       int* inlen, int take) {
    int pos = 0, done = 0;
    while (pos < take) {
        int len = char_len(in + pos, take - pos);
        if (len == 0) break;
        int written = Convert(from, to, in + pos, len, out + done, *outlen - done);
        if (written < 0) break;
        done += written;
        pos += len;
    }
    *inlen = pos;
    *outlen = done;
    return -2;
}

// libxml2's initialisation call passes no input.
bool NoInput(int* outlen, const unsigned char* in, int* inlen) {
    if (in != nullptr && inlen != nullptr && *inlen > 0) return false;
    *outlen = 0;
    if (inlen) *inlen = 0;
    return true;
}

}  // namespace

int CodePageToUtf8Chunk(unsigned code_page, unsigned char* out, int* outlen, const unsigned char* in, int* inlen) {
    if (NoInput(outlen, in, inlen)) return 0;
    const int n = *inlen, cap = *outlen;
    auto char_len = [code_page](const unsigned char* at, int available) {
        return CodePageCharLen(code_page, at, available);
    };
    // Whole characters whose worst-case UTF-8 size still fits.
    int take = 0, need = 0;
    while (take < n) {
        int len = char_len(in + take, n - take);
        if (take + len > n) break;  // a character cut at the end waits for the rest
        int size = MaxUtf8(code_page, len, in[take]);
        if (need + size > cap) break;
        need += size;
        take += len;
    }
    int written = Convert(code_page, CP_UTF8, in, take, out, cap);
    if (written < 0) return ConvertUpToInvalid(code_page, CP_UTF8, char_len, out, outlen, in, inlen, take);
    *inlen = take;
    *outlen = written;
    if (take == 0 && char_len(in, n) <= n) return -1;  // no room for one character
    return written;
}

int GbkToUtf8Chunk(unsigned char* out, int* outlen, const unsigned char* in, int* inlen) {
    return CodePageToUtf8Chunk(kGbk, out, outlen, in, inlen);
}

int Utf8ToGbkChunk(unsigned char* out, int* outlen, const unsigned char* in, int* inlen) {
    if (NoInput(outlen, in, inlen)) return 0;
    const int n = *inlen, cap = *outlen;
    // A GBK character is never longer than its UTF-8 form, so whole sequences up to `cap`
    // input bytes always fit.
    int take = 0;
    bool bad_lead = false;
    while (take < n) {
        int len = Utf8SeqLen(in[take]);
        if (len == 0) {
            bad_lead = true;
            break;
        }
        if (take + len > n || take + len > cap) break;
        take += len;
    }
    int written = Convert(CP_UTF8, kGbk, in, take, out, cap);
    if (written < 0) {
        auto seq_len = [](const unsigned char* at, int) { return Utf8SeqLen(at[0]); };
        return ConvertUpToInvalid(CP_UTF8, kGbk, seq_len, out, outlen, in, inlen, take);
    }
    *inlen = take;
    *outlen = written;
    if (bad_lead) return -2;
    if (take == 0 && Utf8SeqLen(in[0]) <= n) return -1;
    return written;
}

}  // namespace netprobe::xml
