#pragma once

#include <map>
#include <memory>
#include <string>

#include "core/HostFrameLib.h"
#include "core/f_DataVO.h"

namespace netprobe {

// Serves the module without the suite around it:
// - installation directory from NETPROBE_APP_DIR, else the folder of the module binary;
// - user configuration from an INI file (NETPROBE_USER_CONFIG, else the per-user
//   netprobe/UserConfig.ini), read afresh on every call;
// - skin values from that file's "Skin" section, with the suite's defaults;
// - no windows (handles 0) and no sub-application.
class DefaultHost : public HostFrameLib {
public:
    DefaultHost();
    ~DefaultHost() noexcept override;

    std::string GetAppPath() override;
    std::string GetUserConfigParam(std::string_view section, std::string_view key, std::string_view def) override;
    HostHandle GetAppHandle() override { return 0; }
    HostHandle GetMainFrameHandle() override { return 0; }
    std::string GetCurSubAppPath() override { return GetAppPath(); }
    std::string GetCurSubAppCode() override { return {}; }
    std::string GetCurFuncCode() override { return {}; }
    TObject* GetCurSubAppInfo() override { return nullptr; }
    TDataVO* GetCurSubAppVo() override { return &sub_app_; }
    TDataVO* GetUserInfoVO() override { return &user_; }
    TDataVO* GetCompanyInfoVO() override { return &company_; }

    int giSysFontCharSet() override;
    int giSysFontSize() override;
    TColor gclSysFontColor() override;
    TColor gclModuleBackColor() override;
    TColor gclTopBarColor() override;
    TColor gclFrameBackColor() override;
    void SetSkinSchemeCtrls(TObject*) override {}
    void ProcessMessages() override;

    // The user configuration file in use.
    static std::string UserConfigPath();

private:
    int SkinInt(const char* key, long def);

    TDataVO sub_app_, user_, company_;
};

}  // namespace netprobe
