// The smoke plug-in's GBK handler: the module's converters (comm/xml_gbk_handler_win.cpp)
// registered with libxml2 under the same names as in the module.
#include "gbk_handler.h"

#include <initializer_list>
#include <mutex>

#include "xml_gbk_handler.h"

namespace netprobe_smoke {

int GbkToUtf8(unsigned char* out, int* outlen, const unsigned char* in, int* inlen) {
    return netprobe::xml::GbkToUtf8Chunk(out, outlen, in, inlen);
}

int Utf8ToGbk(unsigned char* out, int* outlen, const unsigned char* in, int* inlen) {
    return netprobe::xml::Utf8ToGbkChunk(out, outlen, in, inlen);
}

xmlCharEncodingHandlerPtr RegisterGbkEncoding() {
    static std::once_flag once;
    static xmlCharEncodingHandlerPtr handler = nullptr;
    std::call_once(once, [] {
        handler = xmlNewCharEncodingHandler("GBK", GbkToUtf8, Utf8ToGbk);
        if (handler == nullptr) return;
        for (const char* alias : {"GB2312", "CP936", "MS936", "WINDOWS-936"}) xmlAddEncodingAlias("GBK", alias);
    });
    return handler;
}

}  // namespace netprobe_smoke
