#include "xml_encodings.h"

namespace netprobe::xml {

// libxml2 reaches GBK, GB2312 and CP936 through glibc's iconv.
void RegisterExtraEncodings() {}

}  // namespace netprobe::xml
