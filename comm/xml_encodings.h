#pragma once

namespace netprobe::xml {

// Makes the encodings that configuration files are declared in available to libxml2 where
// it has no converter for them (the Windows build has no iconv). Called once, before the
// first parse.
void RegisterExtraEncodings();

}  // namespace netprobe::xml
