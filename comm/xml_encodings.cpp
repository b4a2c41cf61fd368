#include "comm/xml_encodings.h"

#include <libxml/encoding.h>

#include <initializer_list>

namespace netprobe::xml {

void RegisterExtraEncodings() {
    if (!RegisterGbkConverter()) return;
    for (const char* alias : {"GB2312", "CP936", "MS936", "WINDOWS-936", "GB_2312-80"}) {
        xmlAddEncodingAlias("GBK", alias);
    }
}

}  // namespace netprobe::xml
