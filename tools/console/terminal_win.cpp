#include <windows.h>

#include "tools/console/terminal.h"

namespace netprobe::console {
namespace {

HANDLE Handle(Stream stream) { return GetStdHandle(stream == Stream::kOut ? STD_OUTPUT_HANDLE : STD_ERROR_HANDLE); }

}  // namespace

bool IsTerminal(Stream stream) {
    const HANDLE handle = Handle(stream);
    DWORD mode = 0;
    return handle != nullptr && handle != INVALID_HANDLE_VALUE && GetConsoleMode(handle, &mode);
}

std::size_t TerminalColumns(Stream stream) {
    CONSOLE_SCREEN_BUFFER_INFO info{};
    if (!GetConsoleScreenBufferInfo(Handle(stream), &info)) return 80;
    const int columns = info.srWindow.Right - info.srWindow.Left + 1;
    return columns > 0 ? static_cast<std::size_t>(columns) : 80;
}

}  // namespace netprobe::console
