#pragma once

#include <string>
#include <string_view>

#if defined(__MINGW32__)
#define NETPROBE_PRINTF_FORMAT(f, a) __attribute__((format(__MINGW_PRINTF_FORMAT, f, a)))
#else
#define NETPROBE_PRINTF_FORMAT(f, a) __attribute__((format(printf, f, a)))
#endif

// The tools' text output. Texts are UTF-8 inside the tools. Written to a Windows console they
// go through WriteConsoleW, so Chinese shows whatever the console's code page; written to a
// file or a pipe (and on Linux always) they are the UTF-8 bytes, with "\n" line ends.
namespace netprobe::console {

enum class Stream { kOut, kError };

// Writes the text (no line end added) with its line ends and tabs; any other control character
// is shown escaped and ill-formed UTF-8 as U+FFFD (DisplayText).
void Write(Stream stream, std::string_view utf8);

// For a terminal's status line: the cursor back to the start of the line, then the text shown
// as one field (no line end; every control character escaped). The caller pads it with spaces
// to cover what was there before.
void RewriteLine(Stream stream, std::string_view utf8);

// printf-style formatting into UTF-8 text, then Write.
void Print(const char* format, ...) NETPROBE_PRINTF_FORMAT(1, 2);
void PrintError(const char* format, ...) NETPROBE_PRINTF_FORMAT(1, 2);

}  // namespace netprobe::console
