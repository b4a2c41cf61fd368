// Compiled with -fexec-charset=GBK: every narrow literal below becomes GBK bytes.
#include "core/texts.h"

namespace netprobe::texts {

const char* ConfigFilePrefix() { return "网络配置文件["; }
const char* ConfigFileMissing() { return "]不存在,请检查配置!"; }
const char* ConfigFileLoadFailed() { return "]加载失败,请检查!"; }
const char* ConfigMalformed() { return "格式不正确,请检查!"; }

const char* ConnectTimeout() { return "网络连接超时"; }
const char* ConnectFailed() { return "网络连接异常"; }

std::string StatusMessage(long code) {
    switch (code) {
        case 400:
            return "请求无效";
        case 401:
            return "需要ssl验证";
        case 403:
            return "禁止访问";
        case 404:
            return "目标地址无法到达";
        case 405:
            return "资源被禁止";
        case 406:
            return "无法接受";
        case 407:
            return "代理用户名或口令验证失败";
        case 410:
            return "永远不可用";
        case 412:
            return "先决条件失败";
        case 414:
            return "请求 - URL 太长";
        default:
            return std::to_string(code) + ":" + ConnectFailed();
    }
}

const char* UpdateTestFailed() { return "更新服务器通讯测试失败！"; }
const char* IncompleteParameters() { return "测试网络连接出错：传入的参数不完整。"; }
const char* TestException() { return "测试网络连接出现异常。"; }

const char* ImeDefaultName() { return "-请选择-"; }
const char* ImeEnglishName() { return "英语"; }
const char* CloseCaption() { return "关闭"; }
const char* ModuleNameCaption() { return "模块名称"; }
const char* FontSong() { return "宋体"; }
const char* FontHei() { return "黑体"; }
const char* ConfirmCaption() { return "确定"; }
const char* CancelCaption() { return "取消"; }
const char* InputDialogTitle() { return "请输入"; }
const char* UpdateServerTesting() { return "正在测试更新服务器的连接，请稍候..."; }

}  // namespace netprobe::texts
