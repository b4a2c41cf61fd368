// GBK <-> UTF-8 converters for libxml2 on the Windows code page 936 functions.
#include "comm/xml_gbk_handler.h"

#include <windows.h>

#include <vector>

namespace netprobe::xml {
namespace {

constexpr UINT kGbk = 936;

// Length of the GBK character starting with byte b: 1 or 2.
int GbkCharLen(unsigned char b) {
    if (b < 0x80) return 1;
    return IsDBCSLeadByteEx(kGbk, b) ? 2 : 1;
}

// The largest UTF-8 size of one GBK character (all of code page 936 lies in the Basic
// Multilingual Plane: at most 3 bytes; ASCII stays 1 byte).
int MaxUtf8(int len, unsigned char b) { return (len == 1 && b < 0x80) ? 1 : 3; }

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

using CharLenFn = int (*)(unsigned char);

// After a failed conversion of in[0, take): converts character by character up to the
// offending one and reports it.
int ConvertUpToInvalid(UINT from, UINT to, CharLenFn char_len, unsigned char* out, int* outlen, const unsigned char* in,
                       int* inlen, int take) {
    int pos = 0, done = 0;
    while (pos < take) {
        int len = char_len(in[pos]);
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

int GbkToUtf8Chunk(unsigned char* out, int* outlen, const unsigned char* in, int* inlen) {
    if (NoInput(outlen, in, inlen)) return 0;
    const int n = *inlen, cap = *outlen;
    // Whole characters whose worst-case UTF-8 size still fits.
    int take = 0, need = 0;
    while (take < n) {
        int len = GbkCharLen(in[take]);
        if (take + len > n) break;  // a lead byte at the end waits for its trail byte
        int size = MaxUtf8(len, in[take]);
        if (need + size > cap) break;
        need += size;
        take += len;
    }
    int written = Convert(kGbk, CP_UTF8, in, take, out, cap);
    if (written < 0) return ConvertUpToInvalid(kGbk, CP_UTF8, GbkCharLen, out, outlen, in, inlen, take);
    *inlen = take;
    *outlen = written;
    if (take == 0 && GbkCharLen(in[0]) <= n) return -1;  // no room for one character
    return written;
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
    if (written < 0) return ConvertUpToInvalid(CP_UTF8, kGbk, Utf8SeqLen, out, outlen, in, inlen, take);
    *inlen = take;
    *outlen = written;
    if (bad_lead) return -2;
    if (take == 0 && Utf8SeqLen(in[0]) <= n) return -1;
    return written;
}

}  // namespace netprobe::xml
