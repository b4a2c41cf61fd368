// INI reading for the default host, on inih.
#include <ini.h>

#include "DefaultHost.h"

namespace netprobe {
namespace {

bool EqualNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        char x = a[i], y = b[i];
        if (x >= 'A' && x <= 'Z') x = static_cast<char>(x - 'A' + 'a');
        if (y >= 'A' && y <= 'Z') y = static_cast<char>(y - 'A' + 'a');
        if (x != y) return false;
    }
    return true;
}

struct Lookup {
    std::string_view section, key;
    std::string value;
    bool found = false;
};

int OnEntry(void* user, const char* section, const char* name, const char* value) {
    auto* lookup = static_cast<Lookup*>(user);
    // The first occurrence counts, as with the suite's own reader.
    if (!lookup->found && EqualNoCase(section, lookup->section) && EqualNoCase(name, lookup->key)) {
        lookup->value = value;
        lookup->found = true;
    }
    return 1;
}

}  // namespace

std::string ReadIniValue(const std::string& path, std::string_view section, std::string_view key,
                         std::string_view def) {
    Lookup lookup{section, key, {}, false};
    if (ini_parse(path.c_str(), OnEntry, &lookup) < 0 || !lookup.found) return std::string(def);
    return lookup.value;
}

}  // namespace netprobe
