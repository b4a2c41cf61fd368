#pragma once
// The tools' JSON: nlohmann-json with the keys in the order they are set. Every string value
// passes through DisplayText, and the text is written with ill-formed UTF-8 replaced, so
// that `--json` is well-formed UTF-8 whatever a server or a configuration file holds.
#include <cstdint>
#include <nlohmann/json.hpp>
#include <string>
#include <string_view>

#include "core/display_text.h"

namespace netprobe::cli {

using Json = nlohmann::ordered_json;

inline Json JsonText(std::string_view utf8) { return DisplayText(utf8); }

// A count or an index; null where there is none (< 0).
inline Json JsonCount(std::int64_t value) { return value < 0 ? Json(nullptr) : Json(value); }

// One line, without spaces, as the tools have always written it.
inline std::string JsonDump(const Json& json) { return json.dump(-1, ' ', false, Json::error_handler_t::replace); }

}  // namespace netprobe::cli
