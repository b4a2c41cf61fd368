#pragma once
// The compiled catalogs (po/*.po through msgfmt), built into the program by cmake/Catalogs.cmake.
#include <cstddef>

#include "core/language.h"

namespace netprobe {

struct CatalogBytes {
    const unsigned char* data = nullptr;
    std::size_t size = 0;
};

CatalogBytes CatalogFor(Language language);

}  // namespace netprobe
