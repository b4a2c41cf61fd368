#pragma once

// libxml2's converters between GBK (code page 936) and UTF-8, for the Windows build where
// libxml2 has no iconv (xml_gbk_handler_win.cpp).
//
// libxml2's contract: on return *outlen holds the bytes written and *inlen the bytes
// consumed; the result is the bytes written, -1 when not even one character fits the
// output, -2 for an invalid sequence (*inlen then stops right before it). Only whole
// characters are converted: a character split at the end of the input stays unconsumed and
// waits for the next call.
namespace netprobe::xml {

int GbkToUtf8Chunk(unsigned char* out, int* outlen, const unsigned char* in, int* inlen);
int Utf8ToGbkChunk(unsigned char* out, int* outlen, const unsigned char* in, int* inlen);

}  // namespace netprobe::xml
