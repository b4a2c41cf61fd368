#include "comm/xml_encodings.h"

namespace netprobe::xml {

// libxml2 reaches every encoding of the table through glibc's iconv, by the table's names:
// nothing is registered, and another user of the same libxml2 in the process reads its files
// as before.
void RegisterCodePageEncodings() {}

}  // namespace netprobe::xml
