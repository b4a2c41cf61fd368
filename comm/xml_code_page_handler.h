#pragma once

// libxml2's converters between a Windows code page and UTF-8, for the Windows build where
// libxml2 has no iconv (xml_code_page_handler_win.cpp).
//
// libxml2's contract: on return *outlen holds the bytes written and *inlen the bytes
// consumed; the result is the bytes written, -1 when not even one character fits the
// output, -2 for an invalid sequence (*inlen then stops right before it). Only whole
// characters are converted: a character split at the end of the input stays unconsumed and
// waits for the next call.
namespace netprobe::xml {

// Any code page of the system: single-byte, double-byte (932, 936, 949, 950) or GB18030
// (54936, characters of 1, 2 or 4 bytes).
int CodePageToUtf8Chunk(unsigned code_page, unsigned char* out, int* outlen, const unsigned char* in, int* inlen);

// GBK (code page 936), both ways.
int GbkToUtf8Chunk(unsigned char* out, int* outlen, const unsigned char* in, int* inlen);
int Utf8ToGbkChunk(unsigned char* out, int* outlen, const unsigned char* in, int* inlen);

}  // namespace netprobe::xml
