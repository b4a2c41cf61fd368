#pragma once

#include <string>
#include <string_view>

// Texts for hostsim's standard output, which is written in UTF-8.
namespace netprobe::hostsim {

std::string WideToUtf8(std::wstring_view wide);
std::wstring Utf8ToWide(std::string_view utf8);
// Bytes that the module sends (GBK, code page 936) as UTF-8.
std::string GbkBytesToUtf8(std::string_view gbk);

// Writes one line to standard output and flushes it.
void PrintLine(const std::string& utf8);

}  // namespace netprobe::hostsim
