#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace netprobe::xml {

// An encoding that a configuration file may declare, as every build reads it: the name that
// libxml2 is given for it, and the Windows code page that converts it (0: libxml2 reads it by
// itself, on every build).
struct Encoding {
    const char* name;
    unsigned code_page;
};

// The encoding that a declared name stands for, letter case aside: the same table on every
// build. Several names share one encoding, as the system's own parser reads them: GB2312 and
// the code page's other names are read as GBK (GBK holds GB2312 whole, and files declared
// GB2312 often carry GBK-only characters), Shift_JIS as code page 932, BIG5 as 950, EUC-KR
// as 949. nullopt for a name that no build reads: such a file can't be loaded.
std::optional<Encoding> FindEncoding(std::string_view declared);

// Every encoding of the table that a code page converts.
std::span<const Encoding> CodePageEncodings();

// The encoding named by the document's XML declaration; nullopt when the document has none or
// starts with a byte-order mark (libxml2 then detects the encoding by itself).
std::optional<std::string> DeclaredEncoding(std::string_view document);

// Makes the code page encodings available to libxml2 where it has no converter of its own
// (Windows: libxml2 is built without iconv there, and is the module's own static copy). Called
// once, before the first parse.
void RegisterCodePageEncodings();

}  // namespace netprobe::xml
