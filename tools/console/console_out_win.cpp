#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <cstdio>

#include "core/wide_text.h"
#include "tools/console/console_device.h"

namespace netprobe::console {
namespace {

// Whole text to the console as UTF-16; the console's code page plays no part. Older consoles
// refuse very long writes, so the text goes in pieces that never split a surrogate pair.
void WriteToConsole(HANDLE console, std::string_view utf8) {
    constexpr DWORD kPiece = 8192;
    const std::wstring wide = Utf8ToWide(utf8);
    const wchar_t* rest = wide.data();
    DWORD left = static_cast<DWORD>(wide.size());
    // Bounded: every pass writes at least one character or stops.
    while (left > 0) {
        DWORD count = left < kPiece ? left : kPiece;
        if (count < left && IS_HIGH_SURROGATE(rest[count - 1])) --count;
        DWORD written = 0;
        if (!WriteConsoleW(console, rest, count, &written, nullptr) || written == 0) return;
        rest += written;
        left -= written;
    }
}

// Files and pipes get the bytes as they are: no "\r\n" for "\n", as on Linux.
void WriteBytes(std::FILE* file, std::string_view utf8) {
    static const bool binary = [] {
        _setmode(_fileno(stdout), _O_BINARY);
        _setmode(_fileno(stderr), _O_BINARY);
        return true;
    }();
    (void)binary;
    std::fwrite(utf8.data(), 1, utf8.size(), file);
    std::fflush(file);
}

}  // namespace

void WriteToDevice(Stream stream, std::string_view utf8) {
    std::FILE* file = stream == Stream::kOut ? stdout : stderr;
    const HANDLE handle = GetStdHandle(stream == Stream::kOut ? STD_OUTPUT_HANDLE : STD_ERROR_HANDLE);
    DWORD mode = 0;
    if (handle != nullptr && handle != INVALID_HANDLE_VALUE && GetConsoleMode(handle, &mode)) {
        std::fflush(file);
        WriteToConsole(handle, utf8);
    } else {
        WriteBytes(file, utf8);
    }
}

}  // namespace netprobe::console
