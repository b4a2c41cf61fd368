#include "comm/proxy_settings.h"

#include <memory>
#include <mutex>
#include <string_view>

#include "comm/f_EndecryptInterface.h"
#include "core/HostFrameLib.h"
#include "core/f_DataVO.h"

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
    {"ProxyEnable", "0", &TProxyInfor::ProxyEnable},    {"ProxyMode", "0", &TProxyInfor::ProxyMode},
    {"ProxyServer", "", &TProxyInfor::ProxyServer},     {"ProxyPort", "80", &TProxyInfor::ProxyPort},
    {"ProxyAuthor", "0", &TProxyInfor::ProxyAuthor},    {"ProxyUser", "", &TProxyInfor::ProxyUser},
    {"ProxyPassword", "", &TProxyInfor::ProxyPassword},
};

// The password as configured to the password in clear. Only an encoded password counts, and
// only when authentication is on; anything else is dropped rather than used as it stands.
std::string DecodeStoredPassword(std::string_view stored, std::string_view author) {
    if (author != "1" || !stored.starts_with(kStoredPasswordMarker)) return {};
    stored.remove_prefix(kStoredPasswordMarker.size());
    return DecryptText(stored.substr(0, kMaxCodeTextLength));
}

// Guards the module-wide record: the host may call the module from more than one thread.
std::mutex& RecordMutex() {
    static std::mutex mutex;
    return mutex;
}

}  // namespace

TProxyInfor& ProxyInfor() {
    static TProxyInfor record;
    return record;
}

void LoadProxySettings() {
    TProxyInfor read;
    for (const ProxyField& f : kFields) {
        // The host is asked outside the lock: it may handle events that call the module again.
        std::string value = Host().GetUserConfigParam(kSection, f.key, f.default_value);
        // The password goes into the record decoded, never in its stored form.
        if (f.field == &TProxyInfor::ProxyPassword) value = DecodeStoredPassword(value, read.ProxyAuthor);
        read.*f.field = value;
        std::lock_guard lock(RecordMutex());
        ProxyInfor().*f.field = std::move(value);
    }
}

void StoreProxyVO(TDataVO& block) {
    TProxyInfor record;
    {
        std::lock_guard lock(RecordMutex());
        record = ProxyInfor();
    }
    auto child = std::make_unique<TDataVO>();
    for (const ProxyField& f : kFields) child->SetString(f.key, record.*f.field);
    block.SetObject(kProxyVOKey, child.get());
    child.release();  // the block owns it now
}

}  // namespace netprobe
