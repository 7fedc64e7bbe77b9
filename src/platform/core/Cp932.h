#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace vantrel {

// Text inside the program is code page 932 (Shift-JIS) bytes, as the files
// hold them. Source files are UTF-8, so fixed Japanese texts are converted
// once with Sjis(); windows convert at their boundary with Utf8FromCp932.

// UTF-8 to code page 932; nullopt when a character has no code-page form.
std::optional<std::string> TryCp932FromUtf8(std::string_view utf8);

// UTF-8 to code page 932; throws Error naming the character that has no
// code-page form.
std::string Cp932FromUtf8(std::string_view utf8);

// Code page 932 to UTF-8. Bytes that are not valid code page 932 become
// U+FFFD, so that damaged files still show; the bytes themselves are kept
// by whoever holds them.
std::string Utf8FromCp932(std::string_view bytes);

// Shorthand for fixed texts written in the source as UTF-8.
inline std::string Sjis(std::string_view utf8) { return Cp932FromUtf8(utf8); }

// Length in bytes of the character starting at bytes[i]: 2 for a Shift-JIS
// lead byte followed by a trail byte (0x40..0x7E, 0x80..0xFC), else 1.
std::size_t Cp932CharLength(std::string_view bytes, std::size_t i);

} // namespace vantrel
