#include "tests/support/fake_host.h"

namespace netprobe::testing {

std::string FakeHost::GetAppPath() {
    calls.push_back("GetAppPath");
    return app_path;
}

std::string FakeHost::GetUserConfigParam(std::string_view section, std::string_view key, std::string_view def) {
    calls.push_back("GetUserConfigParam:" + std::string(section) + "/" + std::string(key));
    auto it = config.find({std::string(section), std::string(key)});
    return it == config.end() ? std::string(def) : it->second;
}

HostHandle FakeHost::GetAppHandle() {
    calls.push_back("GetAppHandle");
    return app_handle;
}
HostHandle FakeHost::GetMainFrameHandle() {
    calls.push_back("GetMainFrameHandle");
    return main_frame;
}
std::string FakeHost::GetCurSubAppPath() {
    calls.push_back("GetCurSubAppPath");
    return sub_app_path;
}
std::string FakeHost::GetCurSubAppCode() {
    calls.push_back("GetCurSubAppCode");
    return sub_app_code;
}
std::string FakeHost::GetCurFuncCode() {
    calls.push_back("GetCurFuncCode");
    return func_code;
}
TObject* FakeHost::GetCurSubAppInfo() {
    calls.push_back("GetCurSubAppInfo");
    return sub_app_info;
}
TDataVO* FakeHost::GetCurSubAppVo() {
    calls.push_back("GetCurSubAppVo");
    return &sub_app_vo;
}
TDataVO* FakeHost::GetUserInfoVO() {
    calls.push_back("GetUserInfoVO");
    return &user_vo;
}
TDataVO* FakeHost::GetCompanyInfoVO() {
    calls.push_back("GetCompanyInfoVO");
    return &company_vo;
}
int FakeHost::giSysFontCharSet() {
    calls.push_back("giSysFontCharSet");
    return font_charset;
}
int FakeHost::giSysFontSize() {
    calls.push_back("giSysFontSize");
    return font_size;
}
TColor FakeHost::gclSysFontColor() {
    calls.push_back("gclSysFontColor");
    return font_color;
}
TColor FakeHost::gclModuleBackColor() {
    calls.push_back("gclModuleBackColor");
    return module_back;
}
TColor FakeHost::gclTopBarColor() {
    calls.push_back("gclTopBarColor");
    return top_bar;
}
TColor FakeHost::gclFrameBackColor() {
    calls.push_back("gclFrameBackColor");
    return frame_back;
}
void FakeHost::SetSkinSchemeCtrls(TObject*) { calls.push_back("SetSkinSchemeCtrls"); }

void FakeHost::ProcessMessages() {
    ++process_messages_calls;
    if (on_process_messages) on_process_messages();
}

}  // namespace netprobe::testing
