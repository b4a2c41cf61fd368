#pragma once

#include <string>
#include <string_view>

// UTF-16 for the Windows API's wide functions (Windows builds only).
namespace netprobe {

// UTF-8 <-> UTF-16 through the system's converter; an empty or unconvertible text gives an
// empty one.
std::wstring Utf8ToWide(std::string_view utf8);
std::string WideToUtf8(std::wstring_view wide);

// The module's GBK bytes as UTF-16, read as GbkToUtf8 reads them: a byte sequence that code
// page 936 lacks becomes "?", and a lead byte takes its trail byte along.
std::wstring GbkToWide(std::string_view gbk);

}  // namespace netprobe
