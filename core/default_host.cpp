#include "core/default_host.h"

#include <cstdlib>

#include "core/ini_reader.h"
#include "core/platform.h"

namespace netprobe {
namespace {

HostFrameLib* g_installed = nullptr;

constexpr char kSkin[] = "Skin";

}  // namespace

HostFrameLib& Host() {
    if (g_installed) return *g_installed;
    static DefaultHost default_host;
    return default_host;
}

HostFrameLib* SetHost(HostFrameLib* host) {
    HostFrameLib* previous = g_installed;
    g_installed = host;
    return previous;
}

DefaultHost::DefaultHost() = default;
DefaultHost::~DefaultHost() noexcept = default;

std::string DefaultHost::GetAppPath() {
    std::string dir = platform::GetEnv("NETPROBE_APP_DIR");
    if (dir.empty()) return platform::ModuleDirectory();
    if (dir.back() != '/' && dir.back() != '\\') {
#ifdef _WIN32
        dir.push_back('\\');
#else
        dir.push_back('/');
#endif
    }
    return dir;
}

std::string DefaultHost::UserConfigPath() {
    std::string path = platform::GetEnv("NETPROBE_USER_CONFIG");
    return path.empty() ? platform::PerUserConfigPath() : path;
}

std::string DefaultHost::GetUserConfigParam(std::string_view section, std::string_view key, std::string_view def) {
    return ReadIniValue(UserConfigPath(), section, key, def);
}

int DefaultHost::SkinInt(const char* key, long def) {
    std::string text = GetUserConfigParam(kSkin, key, "");
    if (text.empty()) return static_cast<int>(def);
    char* end = nullptr;
    long value = std::strtol(text.c_str(), &end, 10);
    return (end && *end == '\0') ? static_cast<int>(value) : static_cast<int>(def);
}

// The suite's standard skin: GB2312 characters at 9 points, black text, button-face grey
// module background, the green top bar.
int DefaultHost::giSysFontCharSet() { return SkinInt("FontCharSet", 134); }
int DefaultHost::giSysFontSize() { return SkinInt("FontSize", 9); }
TColor DefaultHost::gclSysFontColor() { return static_cast<TColor>(SkinInt("FontColor", 0x000000)); }
TColor DefaultHost::gclModuleBackColor() { return static_cast<TColor>(SkinInt("ModuleBackColor", 0xF0F0F0)); }
TColor DefaultHost::gclTopBarColor() { return static_cast<TColor>(SkinInt("TopBarColor", 8375432)); }
TColor DefaultHost::gclFrameBackColor() { return static_cast<TColor>(SkinInt("FrameBackColor", 0xFFFFFF)); }

void DefaultHost::ProcessMessages() { platform::ProcessPendingEvents(); }

}  // namespace netprobe
