#include "core/language.h"
#include "core/platform.h"

namespace netprobe {

Language UserLanguage() {
    using platform::GetEnv;
    return LanguageFromLocale(GetEnv("LANGUAGE"), GetEnv("LC_ALL"), GetEnv("LC_MESSAGES"), GetEnv("LANG"));
}

}  // namespace netprobe
