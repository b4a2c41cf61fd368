// GBK (code page 936) encoding handler for libxml2 on Windows, where libxml2
// is built without iconv; the converters are the module's (comm/).
#pragma once

#include <libxml/encoding.h>

namespace netprobe_smoke {

// Registers "GBK" with libxml2 and the aliases GB2312, CP936, MS936 and
// WINDOWS-936.  Call once before the first parse (not thread-safe against
// concurrent parsing, like every libxml2 registration).  Returns the handler
// or nullptr on failure.  Safe to call more than once.
xmlCharEncodingHandlerPtr RegisterGbkEncoding();

// The two converters, exposed for tests.  libxml2 contract: on return *outlen
// holds the bytes written and *inlen the bytes consumed; the result is the
// bytes written, -1 for lack of output space or -2 for an invalid sequence
// (then *inlen stops right before it).  Only whole characters are converted:
// a split character at the end of the input is left unconsumed and waits for
// the next call.
int GbkToUtf8(unsigned char* out, int* outlen, const unsigned char* in, int* inlen);
int Utf8ToGbk(unsigned char* out, int* outlen, const unsigned char* in, int* inlen);

}  // namespace netprobe_smoke
