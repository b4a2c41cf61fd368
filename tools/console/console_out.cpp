#include "tools/console/console_out.h"

#include <cstdarg>
#include <cstdio>

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
