#pragma once

#include <string>

// The module's user-visible texts. They are written once in readable form in texts.cpp,
// which is compiled with GBK as its execution character set, so every function here returns
// the GBK bytes that travel through the module.
namespace netprobe::texts {

// Configuration file loader.
const char* ConfigFilePrefix();      // 网络配置文件[
const char* ConfigFileMissing();     // ]不存在,请检查配置!
const char* ConfigFileLoadFailed();  // ]加载失败,请检查!
const char* ConfigMalformed();       // 格式不正确,请检查!

// Probe outcomes.
const char* ConnectTimeout();  // 网络连接超时
const char* ConnectFailed();   // 网络连接异常
// The message of a status code that the client raised as an error (known codes have their
// own text; any other is "<code>:网络连接异常").
std::string StatusMessage(long code);

// Update-server test.
const char* UpdateTestFailed();      // 更新服务器通讯测试失败！
const char* IncompleteParameters();  // 测试网络连接出错：传入的参数不完整。
const char* TestException();         // 测试网络连接出现异常。

// Dialog kit.
const char* ImeDefaultName();       // -请选择-
const char* ImeEnglishName();       // 英语
const char* CloseCaption();         // 关闭
const char* ModuleNameCaption();    // 模块名称
const char* FontSong();             // 宋体
const char* FontHei();              // 黑体
const char* ConfirmCaption();       // 确定
const char* CancelCaption();        // 取消
const char* InputDialogTitle();     // 请输入
const char* UpdateServerTesting();  // 正在测试更新服务器的连接，请稍候...

}  // namespace netprobe::texts
