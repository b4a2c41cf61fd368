// GBK <-> UTF-8 for libxml2 via the Win32 code page 936 converters.
#include "gbk_handler.h"

#include <windows.h>

#include <mutex>
#include <vector>

namespace netprobe_smoke {
namespace {

constexpr UINT kGbk = 936;

// Length of the GBK character starting at in[0]: 1 or 2.
int GbkCharLen(unsigned char b) {
    if (b < 0x80) return 1;
    return IsDBCSLeadByteEx(kGbk, b) ? 2 : 1;
}

// Largest UTF-8 size of one GBK character of `len` bytes (all of cp936 is in
// the BMP: at most 3 UTF-8 bytes; ASCII stays 1 byte).
int MaxUtf8(int len, unsigned char b) { return (len == 1 && b < 0x80) ? 1 : 3; }

// Length of the UTF-8 sequence announced by lead byte b, 0 if b cannot start one.
int Utf8SeqLen(unsigned char b) {
    if (b < 0x80) return 1;
    if (b >= 0xC2 && b <= 0xDF) return 2;
    if ((b & 0xF0) == 0xE0) return 3;
    if (b >= 0xF0 && b <= 0xF4) return 4;
    return 0;
}

// Converts in[0, n) from code page `from` to code page `to` through UTF-16.
// Returns the bytes written to out (at most outcap) or -1 if the input is not
// valid in `from` or a character has no mapping in `to`.
int Convert(UINT from, UINT to, const unsigned char* in, int n, unsigned char* out, int outcap) {
    if (n == 0) return 0;
    std::vector<wchar_t> wide(static_cast<size_t>(n) + 1);
    int wn = MultiByteToWideChar(from, MB_ERR_INVALID_CHARS, reinterpret_cast<const char*>(in), n,
                                 wide.data(), static_cast<int>(wide.size()));
    if (wn <= 0) return -1;
    BOOL used_default = FALSE;
    // CP_UTF8 rejects the default-char arguments; a code page must not
    // silently turn unmappable characters into '?'.
    BOOL* pdef = (to == CP_UTF8) ? nullptr : &used_default;
    DWORD flags = (to == CP_UTF8) ? 0 : WC_NO_BEST_FIT_CHARS;
    int bn = WideCharToMultiByte(to, flags, wide.data(), wn, reinterpret_cast<char*>(out), outcap,
                                 nullptr, pdef);
    if (bn <= 0 || used_default) return -1;
    return bn;
}

}  // namespace

int GbkToUtf8(unsigned char* out, int* outlen, const unsigned char* in, int* inlen) {
    if (in == nullptr || *inlen <= 0) {
        *outlen = 0;
        if (inlen) *inlen = 0;
        return 0;
    }
    const int n = *inlen, cap = *outlen;
    // Whole characters whose worst-case UTF-8 size still fits.
    int take = 0, need = 0;
    while (take < n) {
        int len = GbkCharLen(in[take]);
        if (take + len > n) break;  // lead byte at the end: wait for its trail byte
        int m = MaxUtf8(len, in[take]);
        if (need + m > cap) break;
        need += m;
        take += len;
    }
    int written = Convert(kGbk, CP_UTF8, in, take, out, cap);
    if (written < 0) {
        // Find the offending character; convert what precedes it.
        int pos = 0, done = 0;
        while (pos < take) {
            int len = GbkCharLen(in[pos]);
            int w = Convert(kGbk, CP_UTF8, in + pos, len, out + done, cap - done);
            if (w < 0) break;
            done += w;
            pos += len;
        }
        *inlen = pos;
        *outlen = done;
        return -2;
    }
    *inlen = take;
    *outlen = written;
    if (take == 0 && n > 0 && GbkCharLen(in[0]) <= n) return -1;  // no room for one character
    return written;
}

int Utf8ToGbk(unsigned char* out, int* outlen, const unsigned char* in, int* inlen) {
    if (in == nullptr || *inlen <= 0) {  // libxml2's initialisation call
        *outlen = 0;
        if (inlen) *inlen = 0;
        return 0;
    }
    const int n = *inlen, cap = *outlen;
    // GBK is never longer than UTF-8 for the same character, so whole
    // sequences up to `cap` input bytes always fit.
    int take = 0;
    bool bad = false;
    while (take < n) {
        int len = Utf8SeqLen(in[take]);
        if (len == 0) { bad = true; break; }
        if (take + len > n) break;  // split sequence: wait for the rest
        if (take + len > cap) break;
        take += len;
    }
    int written = Convert(CP_UTF8, kGbk, in, take, out, cap);
    if (written < 0 || bad) {
        int pos = 0, done = 0;
        while (pos < take) {
            int len = Utf8SeqLen(in[pos]);
            int w = Convert(CP_UTF8, kGbk, in + pos, len, out + done, cap - done);
            if (w < 0) break;
            done += w;
            pos += len;
        }
        if (pos == take && !bad) {  // cannot happen, but never loop for ever
            *inlen = take;
            *outlen = done;
            return done;
        }
        *inlen = pos;
        *outlen = done;
        return -2;
    }
    *inlen = take;
    *outlen = written;
    if (take == 0 && n > 0 && Utf8SeqLen(in[0]) <= n) return -1;
    return written;
}

xmlCharEncodingHandlerPtr RegisterGbkEncoding() {
    static std::once_flag once;
    static xmlCharEncodingHandlerPtr handler = nullptr;
    std::call_once(once, [] {
        // Registers the handler under the upper-cased name.
        handler = xmlNewCharEncodingHandler("GBK", GbkToUtf8, Utf8ToGbk);
        if (handler == nullptr) return;
        for (const char* alias : {"GB2312", "CP936", "MS936", "WINDOWS-936"}) {
            xmlAddEncodingAlias("GBK", alias);
        }
    });
    return handler;
}

}  // namespace netprobe_smoke
