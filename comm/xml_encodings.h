#pragma once

namespace netprobe::xml {

// Makes the encodings that configuration files are declared in available to libxml2, alike
// on every build: GBK, and GB2312 and the code page's other names read as GBK, as the
// system's own parser reads them (GBK holds GB2312 whole, and files declared GB2312 often
// carry GBK-only characters). Called once, before the first parse. The names are registered
// for the process, so another user of the same libxml2 reads them as GBK as well.
void RegisterExtraEncodings();

// The platform part: a converter for GBK where libxml2 has none. False when it can't be
// registered.
bool RegisterGbkConverter();

}  // namespace netprobe::xml
