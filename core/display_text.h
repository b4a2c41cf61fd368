#pragma once
// Text that came from outside (a server's or a proxy's headers and reason phrase, libcurl's
// error text, values read from the configuration files) made fit for a screen, a debug output
// or a JSON string: every writer passes what it shows through DisplayText.
#include <cstddef>
#include <string>
#include <string_view>

namespace netprobe {

// Which of the layout characters pass: none (a single field), or the line ends and tabs of a
// text laid out by the writer itself.
enum class TextLayout : unsigned char { kField, kKeepLinesAndTabs };

// Well-formed UTF-8 without control characters. A C0 control, DEL or ESC becomes "\xHH" and a
// C1 control "\u00HH", so that the reader still sees what was sent; each ill-formed sequence
// (a stray or missing continuation byte, an overlong form, a surrogate, beyond U+10FFFF)
// becomes U+FFFD. With kKeepLinesAndTabs, "\n" and "\t" stay as they are. Applying it twice
// changes nothing more.
std::string DisplayText(std::string_view text, TextLayout layout = TextLayout::kField);

// Columns the UTF-8 text takes on a terminal: East Asian wide characters count two.
std::size_t DisplayWidth(std::string_view utf8);

}  // namespace netprobe
