#include <windows.h>

#include "core/language.h"

namespace netprobe {

Language UserLanguage() { return LanguageFromLangId(GetUserDefaultUILanguage()); }

}  // namespace netprobe
