#pragma once

#include "core/language.h"

namespace netprobe::testing {

// The texts in one language for a scope, the language before it afterwards.
class ScopedLanguage {
public:
    explicit ScopedLanguage(Language language) : saved_(CurrentLanguage()) { ChooseLanguage(language); }
    ~ScopedLanguage() { ChooseLanguage(saved_); }
    ScopedLanguage(const ScopedLanguage&) = delete;
    ScopedLanguage& operator=(const ScopedLanguage&) = delete;

private:
    Language saved_;
};

}  // namespace netprobe::testing
