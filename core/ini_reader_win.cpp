// INI reading for the default host, with the system's profile reader (the suite reads its
// user configuration the same way): the first occurrence counts, section and key compare
// without regard to letter case, the default when the file, section or key is missing.
#include <windows.h>

#include <string>
#include <vector>

#include "core/ini_reader.h"

namespace netprobe {

std::string ReadIniValue(const std::string& path, std::string_view section, std::string_view key,
                         std::string_view def) {
    const std::string section_z(section), key_z(key), def_z(def);
    std::vector<char> buffer(128);
    for (;;) {
        DWORD length = GetPrivateProfileStringA(section_z.c_str(), key_z.c_str(), def_z.c_str(), buffer.data(),
                                                static_cast<DWORD>(buffer.size()), path.c_str());
        // A value that filled the buffer may have been cut: read again with more room.
        if (length + 1 < buffer.size()) return std::string(buffer.data(), length);
        buffer.resize(buffer.size() * 4);
    }
}

}  // namespace netprobe
