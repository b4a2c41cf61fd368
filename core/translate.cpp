#include "core/translate.h"

#include <cstdint>
#include <cstring>

#include "core/catalogs.h"

namespace netprobe {
namespace {

// A compiled catalog as msgfmt writes it: a header, then two tables of (length, offset) pairs,
// the originals sorted so that a text is found by bisection. Every string ends in a NUL.
class MessageCatalog {
public:
    explicit MessageCatalog(CatalogBytes bytes) : bytes_(bytes) {}

    const char* Find(const char* msgid) const {
        if (bytes_.size < kHeaderSize || Word(0) != kMagic) return nullptr;
        const std::uint32_t count = Word(8), originals = Word(12), translations = Word(16);
        std::uint32_t low = 0, high = count;
        // Bisection: at most 32 passes.
        while (low < high) {
            const std::uint32_t middle = low + (high - low) / 2;
            const char* original = String(originals, middle);
            if (!original) return nullptr;
            const int order = std::strcmp(msgid, original);
            if (order == 0) return String(translations, middle);
            if (order < 0) {
                high = middle;
            } else {
                low = middle + 1;
            }
        }
        return nullptr;
    }

private:
    static constexpr std::uint32_t kMagic = 0x950412de;
    static constexpr std::size_t kHeaderSize = 28;

    // Little-endian, as msgfmt writes on the machines that build this.
    std::uint32_t Word(std::size_t offset) const {
        if (offset + 4 > bytes_.size) return 0;
        const unsigned char* p = bytes_.data + offset;
        return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
    }

    // Entry `index` of the table at `table`, or null when the catalog is damaged.
    const char* String(std::uint32_t table, std::uint32_t index) const {
        const std::size_t entry = table + static_cast<std::size_t>(index) * 8;
        const std::uint32_t length = Word(entry), offset = Word(entry + 4);
        if (entry + 8 > bytes_.size || offset >= bytes_.size || length >= bytes_.size - offset) return nullptr;
        const char* text = reinterpret_cast<const char*>(bytes_.data + offset);
        return text[length] == '\0' ? text : nullptr;
    }

    CatalogBytes bytes_;
};

}  // namespace

const char* Translate(Language language, const char* msgid) {
    if (!msgid || !*msgid) return "";
    const char* found = MessageCatalog(CatalogFor(language)).Find(msgid);
    // An entry without a translation is not in the compiled catalog; an empty one never counts.
    return found && *found ? found : msgid;
}

std::string FillPlaceholders(std::string_view format, const std::vector<std::string>& values) {
    std::string text;
    std::size_t next = 0;
    for (std::size_t i = 0; i < format.size(); ++i) {
        if (format[i] != '%' || i + 1 == format.size()) {
            text += format[i];
            continue;
        }
        if (format[i + 1] == '%') {
            text += '%';
            ++i;
            continue;
        }
        // "%s" or "%N$s"
        std::size_t j = i + 1, number = 0;
        while (j < format.size() && format[j] >= '0' && format[j] <= '9' && number < 100)
            number = number * 10 + (format[j++] - '0');
        const bool positional = j > i + 1 && j + 1 < format.size() && format[j] == '$' && format[j + 1] == 's';
        if (positional) {
            if (number >= 1 && number <= values.size()) text += values[number - 1];
            i = j + 1;
        } else if (format[i + 1] == 's') {
            if (next < values.size()) text += values[next];
            ++next;
            ++i;
        } else {
            text += '%';
        }
    }
    return text;
}

}  // namespace netprobe
