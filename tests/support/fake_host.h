#pragma once

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "core/HostFrameLib.h"
#include "core/f_DataVO.h"

namespace netprobe::testing {

// A host whose answers the test sets. It records the operations called, in order.
class FakeHost : public HostFrameLib {
public:
    std::string app_path = "/nonexistent/";
    std::map<std::pair<std::string, std::string>, std::string> config;  // (section, key) -> value
    HostHandle app_handle = 0, main_frame = 0;
    std::string sub_app_path, sub_app_code, func_code;
    TObject* sub_app_info = nullptr;
    TDataVO sub_app_vo, user_vo, company_vo;
    int font_charset = 134, font_size = 9;
    TColor font_color = 0, module_back = 0xF0F0F0, top_bar = 8375432, frame_back = 0xFFFFFF;
    std::function<void()> on_process_messages;
    std::vector<std::string> calls;
    int process_messages_calls = 0;

    ~FakeHost() noexcept override = default;

    void Set(const std::string& section, const std::string& key, const std::string& value) {
        config[{section, key}] = value;
    }

    std::string GetAppPath() override;
    std::string GetUserConfigParam(std::string_view section, std::string_view key, std::string_view def) override;
    HostHandle GetAppHandle() override;
    HostHandle GetMainFrameHandle() override;
    std::string GetCurSubAppPath() override;
    std::string GetCurSubAppCode() override;
    std::string GetCurFuncCode() override;
    TObject* GetCurSubAppInfo() override;
    TDataVO* GetCurSubAppVo() override;
    TDataVO* GetUserInfoVO() override;
    TDataVO* GetCompanyInfoVO() override;
    int giSysFontCharSet() override;
    int giSysFontSize() override;
    TColor gclSysFontColor() override;
    TColor gclModuleBackColor() override;
    TColor gclTopBarColor() override;
    TColor gclFrameBackColor() override;
    void SetSkinSchemeCtrls(TObject* form) override;
    void ProcessMessages() override;
};

}  // namespace netprobe::testing
