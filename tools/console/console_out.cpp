#include "tools/console/console_out.h"

#include <cstdarg>
#include <cstdio>

#include "core/display_text.h"
#include "tools/console/console_device.h"

namespace netprobe::console {
namespace {

std::string Format(const char* format, std::va_list args) {
    std::va_list measure;
    va_copy(measure, args);
    const int size = std::vsnprintf(nullptr, 0, format, measure);
    va_end(measure);
    if (size <= 0) return {};
    std::string text(static_cast<std::size_t>(size) + 1, '\0');
    std::vsnprintf(text.data(), text.size(), format, args);
    text.resize(static_cast<std::size_t>(size));
    return text;
}

}  // namespace

// Everything the tools print passes here: whatever part of it came from outside, no control
// character reaches the terminal and the bytes are well-formed UTF-8.
void Write(Stream stream, std::string_view utf8) {
    WriteToDevice(stream, DisplayText(utf8, TextLayout::kKeepLinesAndTabs));
}

// Built by appending: GCC 12's -Wrestrict misreads an inlined "\r" + std::string&& in the
// optimised build as an overlapping copy.
void RewriteLine(Stream stream, std::string_view utf8) {
    std::string line = "\r";
    line += DisplayText(utf8);
    WriteToDevice(stream, line);
}

void Print(const char* format, ...) {
    std::va_list args;
    va_start(args, format);
    const std::string text = Format(format, args);
    va_end(args);
    Write(Stream::kOut, text);
}

void PrintError(const char* format, ...) {
    std::va_list args;
    va_start(args, format);
    const std::string text = Format(format, args);
    va_end(args);
    Write(Stream::kError, text);
}

}  // namespace netprobe::console
