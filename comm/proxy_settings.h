#pragma once

#include <string>

namespace netprobe {

class TDataVO;

// The user's proxy settings as the module last read them. Every field is text, as stored.
struct TProxyInfor {
    std::string ProxyEnable;
    std::string ProxyMode;
    std::string ProxyServer;
    std::string ProxyPort;
    std::string ProxyAuthor;
    std::string ProxyUser;
    std::string ProxyPassword;  // decoded; empty unless authentication is on and it was stored encoded
};

// The module-wide record; all fields are empty until the first LoadProxySettings.
// LoadProxySettings and StoreProxyVO may run on several threads at once; a direct read of the
// record is safe only while neither runs.
TProxyInfor& ProxyInfor();

// The key under which StoreProxyVO puts its container.
inline constexpr const char* kProxyVOKey = "ProxyVO";

// Reads section "NetWork" of the user configuration into ProxyInfor(), overwriting every
// field. An error of the host passes on; the fields read before it keep their new values.
void LoadProxySettings();

// Puts a new container with the seven fields (under their configuration keys) into `block`
// under "ProxyVO"; the block owns it, and a container stored there before is destroyed.
void StoreProxyVO(TDataVO& block);

}  // namespace netprobe
