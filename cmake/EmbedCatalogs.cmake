# cmake -DCHINESE=zh_CN.mo -DENGLISH=en.mo -DOUTPUT=catalogs.cpp -P EmbedCatalogs.cmake
# Writes the compiled catalogs as byte arrays behind CatalogFor (core/catalogs.h).
function(bytes_of file variable)
  file(READ ${file} hex HEX)
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," hex "${hex}")
  string(REGEX REPLACE "((0x[0-9a-f][0-9a-f],){24})" "\\1\n    " hex "${hex}")
  set(${variable} "${hex}" PARENT_SCOPE)
endfunction()

bytes_of(${CHINESE} chinese)
bytes_of(${ENGLISH} english)
file(WRITE ${OUTPUT} "// Written by cmake/EmbedCatalogs.cmake from po/*.po: do not edit.
#include \"core/catalogs.h\"

namespace netprobe {
namespace {

constexpr unsigned char kChinese[] = {
    ${chinese}};
constexpr unsigned char kEnglish[] = {
    ${english}};

}  // namespace

CatalogBytes CatalogFor(Language language) {
    if (language == Language::kChinese) return {kChinese, sizeof kChinese};
    return {kEnglish, sizeof kEnglish};
}

}  // namespace netprobe
")
