#include <libxml/encoding.h>

#include "comm/xml_encodings.h"
#include "comm/xml_gbk_handler.h"

namespace netprobe::xml {

// libxml2 is built without iconv here: GBK is served by our own converters. The handler is
// registered under its upper-cased name and stays for the process.
bool RegisterGbkConverter() { return xmlNewCharEncodingHandler("GBK", GbkToUtf8Chunk, Utf8ToGbkChunk) != nullptr; }

}  // namespace netprobe::xml
