#pragma once

#include <string>
#include <string_view>

// UTF-8 <-> UTF-16 for the Windows API's wide functions (Windows only).
namespace netprobe::console {

std::string WideToUtf8(std::wstring_view wide);
std::wstring Utf8ToWide(std::string_view utf8);

}  // namespace netprobe::console
