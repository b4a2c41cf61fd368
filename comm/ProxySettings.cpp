#include "ProxySettings.h"

#include <memory>
#include <string_view>

#include "HostFrameLib.h"
#include "f_DataVO.h"
#include "f_EndecryptInterface.h"

namespace netprobe {
namespace {

constexpr std::string_view kSection = "NetWork";

struct ProxyField {
    const char* key;
    const char* default_value;
    std::string TProxyInfor::*field;
};

// The settings in the order in which they are read and stored.
constexpr ProxyField kFields[] = {
    {"ProxyEnable", "0", &TProxyInfor::ProxyEnable},
    {"ProxyMode", "0", &TProxyInfor::ProxyMode},
    {"ProxyServer", "", &TProxyInfor::ProxyServer},
    {"ProxyPort", "80", &TProxyInfor::ProxyPort},
    {"ProxyAuthor", "0", &TProxyInfor::ProxyAuthor},
    {"ProxyUser", "", &TProxyInfor::ProxyUser},
    {"ProxyPassword", "", &TProxyInfor::ProxyPassword},
};

// The password as configured to the password in clear. Only an encoded password counts, and
// only when authentication is on; anything else is dropped rather than used as it stands.
std::string DecodeStoredPassword(std::string_view stored, std::string_view author) {
    if (author != "1" || !stored.starts_with(kStoredPasswordMarker)) return {};
    stored.remove_prefix(kStoredPasswordMarker.size());
    return DecryptText(stored.substr(0, kMaxCodeTextLength));
}

}  // namespace

TProxyInfor& ProxyInfor() {
    static TProxyInfor record;
    return record;
}

void LoadProxySettings() {
    TProxyInfor& record = ProxyInfor();
    for (const ProxyField& f : kFields) {
        record.*f.field = Host().GetUserConfigParam(kSection, f.key, f.default_value);
    }
    record.ProxyPassword = DecodeStoredPassword(record.ProxyPassword, record.ProxyAuthor);
}

void StoreProxyVO(TDataVO& block) {
    const TProxyInfor& record = ProxyInfor();
    auto child = std::make_unique<TDataVO>();
    for (const ProxyField& f : kFields) child->SetString(f.key, record.*f.field);
    block.SetObject(kProxyVOKey, child.get());
    child.release();  // the block owns it now
}

}  // namespace netprobe
