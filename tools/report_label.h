#pragma once
// The headings that start the rows of the tools' reports ("proxy:", "cause:"), padded with
// blanks to the column where the rows' values start. Columns are counted as a terminal shows
// them: a Chinese heading's characters take two each.
#include <cstddef>
#include <string>

#include "core/display_text.h"

namespace netprobe::cli {

// The column of the values after a top-level heading ("verdict:  PASSED").
constexpr std::size_t kHeadingColumn = 10;
// The column of the values after a probe's heading ("cause:  connection-refused").
constexpr std::size_t kProbeHeadingColumn = 8;

// `heading` (UTF-8, translated) and blanks up to `column`; one blank at least.
inline std::string Heading(std::string heading, std::size_t column) {
    const std::size_t width = DisplayWidth(heading);
    heading.append(width < column ? column - width : 1, ' ');
    return heading;
}

}  // namespace netprobe::cli
