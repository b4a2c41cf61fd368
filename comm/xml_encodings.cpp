#include "comm/xml_encodings.h"

#include <algorithm>
#include <array>

#include "core/ascii.h"

namespace netprobe::xml {
namespace {

struct Alias {
    const char* name;
    Encoding encoding;
};

constexpr Encoding kGbk{"GBK", 936};
constexpr Encoding kBig5{"CP950", 950};
constexpr Encoding kShiftJis{"CP932", 932};
constexpr Encoding kKorean{"CP949", 949};

// Read by libxml2 itself on every build, with or without iconv.
constexpr std::array kNative = {
    "UTF-8",       "UTF8",        "UTF-16",      "UTF16",       "ISO-8859-1",  "ISO_8859-1",
    "ISO-LATIN-1", "LATIN1",      "ASCII",       "US-ASCII",    "ISO-8859-2",  "ISO-8859-3",
    "ISO-8859-4",  "ISO-8859-5",  "ISO-8859-6",  "ISO-8859-7",  "ISO-8859-8",  "ISO-8859-9",
    "ISO-8859-10", "ISO-8859-11", "ISO-8859-13", "ISO-8859-14", "ISO-8859-15", "ISO-8859-16",
};

constexpr std::array kCodePages = {
    Encoding{"GBK", 936},      Encoding{"GB18030", 54936}, Encoding{"CP950", 950},   Encoding{"CP932", 932},
    Encoding{"CP949", 949},    Encoding{"CP1250", 1250},   Encoding{"CP1251", 1251}, Encoding{"CP1252", 1252},
    Encoding{"CP1253", 1253},  Encoding{"CP1254", 1254},   Encoding{"CP1255", 1255}, Encoding{"CP1256", 1256},
    Encoding{"CP1257", 1257},  Encoding{"CP1258", 1258},   Encoding{"CP866", 866},   Encoding{"CP874", 874},
    Encoding{"KOI8-R", 20866}, Encoding{"KOI8-U", 21866},
};

// Other names of the code page encodings.
constexpr std::array kAliases = {
    Alias{"GB2312", kGbk},
    Alias{"CP936", kGbk},
    Alias{"MS936", kGbk},
    Alias{"WINDOWS-936", kGbk},
    Alias{"GB_2312-80", kGbk},
    Alias{"CSGB2312", kGbk},
    Alias{"EUC-CN", kGbk},
    Alias{"BIG5", kBig5},
    Alias{"BIG-5", kBig5},
    Alias{"CN-BIG5", kBig5},
    Alias{"CSBIG5", kBig5},
    Alias{"SHIFT_JIS", kShiftJis},
    Alias{"SHIFT-JIS", kShiftJis},
    Alias{"SJIS", kShiftJis},
    Alias{"MS_KANJI", kShiftJis},
    Alias{"CSSHIFTJIS", kShiftJis},
    Alias{"WINDOWS-31J", kShiftJis},
    Alias{"EUC-KR", kKorean},
    Alias{"CSEUCKR", kKorean},
    Alias{"KS_C_5601-1987", kKorean},
    Alias{"UHC", kKorean},
    Alias{"WINDOWS-1250", {"CP1250", 1250}},
    Alias{"WINDOWS-1251", {"CP1251", 1251}},
    Alias{"WINDOWS-1252", {"CP1252", 1252}},
    Alias{"WINDOWS-1253", {"CP1253", 1253}},
    Alias{"WINDOWS-1254", {"CP1254", 1254}},
    Alias{"WINDOWS-1255", {"CP1255", 1255}},
    Alias{"WINDOWS-1256", {"CP1256", 1256}},
    Alias{"WINDOWS-1257", {"CP1257", 1257}},
    Alias{"WINDOWS-1258", {"CP1258", 1258}},
    Alias{"IBM866", {"CP866", 866}},
    Alias{"WINDOWS-874", {"CP874", 874}},
};

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// The quoted value of pseudo-attribute `name` inside the declaration `decl`; nullopt if absent.
std::optional<std::string> PseudoAttribute(std::string_view decl, std::string_view name) {
    std::size_t at = decl.find(name);
    if (at == std::string_view::npos) return std::nullopt;
    at += name.size();
    while (at < decl.size() && IsBlank(decl[at])) ++at;
    if (at >= decl.size() || decl[at] != '=') return std::nullopt;
    ++at;
    while (at < decl.size() && IsBlank(decl[at])) ++at;
    if (at >= decl.size() || (decl[at] != '"' && decl[at] != '\'')) return std::nullopt;
    const std::size_t end = decl.find(decl[at], at + 1);
    if (end == std::string_view::npos) return std::nullopt;
    return std::string(decl.substr(at + 1, end - at - 1));
}

}  // namespace

std::optional<Encoding> FindEncoding(std::string_view declared) {
    const std::string name = AsciiUpperCopy(declared);
    for (const char* native : kNative) {
        if (name == native) return Encoding{native, 0};
    }
    for (const Encoding& encoding : kCodePages) {
        if (name == encoding.name) return encoding;
    }
    for (const Alias& alias : kAliases) {
        if (name == alias.name) return alias.encoding;
    }
    return std::nullopt;
}

std::span<const Encoding> CodePageEncodings() { return kCodePages; }

std::optional<std::string> DeclaredEncoding(std::string_view document) {
    if (!document.starts_with("<?xml") || document.size() < 6 || !IsBlank(document[5])) return std::nullopt;
    const std::size_t end = document.find("?>");
    if (end == std::string_view::npos) return std::nullopt;
    return PseudoAttribute(document.substr(5, end - 5), "encoding");
}

}  // namespace netprobe::xml
