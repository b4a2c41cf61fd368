#include <libxml/encoding.h>

#include <initializer_list>

#include "xml_encodings.h"
#include "xml_gbk_handler.h"

namespace netprobe::xml {

// libxml2 is built without iconv here: GBK and the names a configuration file may declare
// it under are served by our own converters. xml_dom.cpp calls this once, before the first
// parse.
void RegisterExtraEncodings() {
    // The handler is registered under its upper-cased name and stays for the process.
    if (!xmlNewCharEncodingHandler("GBK", GbkToUtf8Chunk, Utf8ToGbkChunk)) return;
    for (const char* alias : {"GB2312", "CP936", "MS936", "WINDOWS-936", "GB_2312-80"}) {
        xmlAddEncodingAlias("GBK", alias);
    }
}

}  // namespace netprobe::xml
