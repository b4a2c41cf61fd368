#include <sys/ioctl.h>
#include <unistd.h>

#include "tools/console/terminal.h"

namespace netprobe::console {
namespace {

int Descriptor(Stream stream) { return stream == Stream::kOut ? STDOUT_FILENO : STDERR_FILENO; }

}  // namespace

bool IsTerminal(Stream stream) { return isatty(Descriptor(stream)) == 1; }

std::size_t TerminalColumns(Stream stream) {
    winsize size{};
    if (ioctl(Descriptor(stream), TIOCGWINSZ, &size) != 0 || size.ws_col == 0) return 80;
    return size.ws_col;
}

}  // namespace netprobe::console
