#include <curl/curl.h>
#include <windows.h>

#include "conntest/code_pin.h"

namespace netprobe {

void PinCurlCode() {
    HMODULE module = nullptr;
    GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_PIN,
                       reinterpret_cast<LPCWSTR>(&curl_multi_perform), &module);
}

}  // namespace netprobe
