#include "comm/xml_encodings.h"

namespace netprobe::xml {

// libxml2 reaches GBK through glibc's iconv.
bool RegisterGbkConverter() { return true; }

}  // namespace netprobe::xml
