#pragma once

#include <string>

#include "core/wide_text.h"

// Texts for hostsim's standard output and error: UTF-8, written the console's way
// (console_out.h).
namespace netprobe::hostsim {

// Writes one line to standard output.
void PrintLine(const std::string& utf8);

}  // namespace netprobe::hostsim
