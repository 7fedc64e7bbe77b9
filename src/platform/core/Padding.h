#pragma once

#include <string>

namespace vantrel {

// The text followed by blanks up to `width` bytes; a longer text is returned
// whole, never cut. Widths count bytes, so a double-byte character counts two.
std::string PadToWidth(const std::string& text, std::size_t width);

// The decimal text of k, with one leading blank when it has a single digit:
// header cells read " 対象 7" but " 対象10".
std::string PadIndex(int k);

} // namespace vantrel
