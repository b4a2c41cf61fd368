#pragma once

// GB18030 (code page 54936) to UTF-8 where the system has no converter of its own for it
// (Wine): one byte is ASCII, two bytes are read as code page 936 except where GB18030 reads
// them otherwise (a few of them lie beyond the Basic Multilingual Plane), four bytes by the
// standard's ranges (Basic Multilingual Plane) and its linear rule (beyond).
namespace netprobe::xml {

// Converts in[0, n), whole characters only, into out (at most outcap bytes). Returns the
// bytes written, or -1 when a character is invalid or the output has no room.
int Gb18030ToUtf8(const unsigned char* in, int n, unsigned char* out, int outcap);

}  // namespace netprobe::xml
