#pragma once

#include <string>
#include <string_view>

#include "tools/console/utf16.h"

// Texts for hostsim's standard output and error: UTF-8, written the console's way
// (console_out.h).
namespace netprobe::hostsim {

using console::Utf8ToWide;
using console::WideToUtf8;
// Bytes that the module sends (GBK, code page 936) as UTF-8.
std::string GbkBytesToUtf8(std::string_view gbk);

// Writes one line to standard output.
void PrintLine(const std::string& utf8);

}  // namespace netprobe::hostsim
