#pragma once
// The platform's half of console::Write: the text, already fit for display, to the stream.
#include <string_view>

#include "tools/console/console_out.h"

namespace netprobe::console {

void WriteToDevice(Stream stream, std::string_view utf8);

}  // namespace netprobe::console
