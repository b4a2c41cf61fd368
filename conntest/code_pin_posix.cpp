#include <curl/curl.h>
#include <dlfcn.h>

#include "conntest/code_pin.h"

namespace netprobe {

void PinCurlCode() {
    Dl_info info{};
    if (dladdr(reinterpret_cast<void*>(&curl_multi_perform), &info) == 0 || !info.dli_fname) return;
    // Marks the loaded library as never to be unloaded; the reference taken here goes again.
    if (void* library = dlopen(info.dli_fname, RTLD_LAZY | RTLD_NOLOAD | RTLD_NODELETE)) dlclose(library);
}

}  // namespace netprobe
