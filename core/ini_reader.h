#pragma once
#include <string>
#include <string_view>

namespace netprobe {

// Reads one value of an INI file the way the suite's user configuration is read: section
// and key compared without regard to ASCII letter case, the default when the file, the
// section or the key is missing (ini_reader_posix.cpp / ini_reader_win.cpp).
std::string ReadIniValue(const std::string& path, std::string_view section, std::string_view key, std::string_view def);

}  // namespace netprobe
