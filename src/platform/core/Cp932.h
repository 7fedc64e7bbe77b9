#pragma once

#include "common/Errors.h"

#include <optional>
#include <string>
#include <string_view>

namespace vantrel {

// One encoding per kind of string, so that nothing has to guess:
// - Every text of the program is code page 932 (Shift-JIS) bytes: cells,
//   labels, file contents, and every message (Error::what(), message
//   boxes, dialog titles). Source files are UTF-8, so fixed Japanese texts
//   are converted once with Sjis().
// - File names are the platform's own bytes (UTF-8 here), as fopen takes
//   them. A file name, or any other platform text, that becomes part of a
//   message goes through Cp932ForMessage.
// - Qt strings exist only at the widget and drawing boundary, converted
//   with Utf8FromCp932 on the way out and Cp932FromUtf8 on the way in.

// UTF-8 to code page 932; nullopt when a character has no code-page form.
std::optional<std::string> TryCp932FromUtf8(std::string_view utf8);

// A character typed or given that code page 932 cannot hold. The message
// names it by its code point; Character() is the character itself, UTF-8.
class CharacterError : public Error {
public:
    explicit CharacterError(std::string character);
    const std::string& Character() const { return character_; }

private:
    std::string character_;
};

// UTF-8 to code page 932; throws CharacterError for the first character
// that has no code-page form.
std::string Cp932FromUtf8(std::string_view utf8);

// UTF-8 platform text (a file name, a system error text) for a message:
// every character without a code-page form, and every byte that is not
// UTF-8, becomes "?".
std::string Cp932ForMessage(std::string_view utf8);

// "U+20AC": the code point of the UTF-8 character at the start of `utf8`.
std::string CodePointText(std::string_view utf8);

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
