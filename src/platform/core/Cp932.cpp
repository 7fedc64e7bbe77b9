#include "platform/core/Cp932.h"

#include "common/Errors.h"

#include <cerrno>
#include <cstdio>
#include <iconv.h>

namespace vantrel {
namespace {

// One iconv descriptor per direction; all work happens on one thread.
class Converter {
public:
    Converter(const char* to, const char* from, bool utf8Input)
        : cd_(iconv_open(to, from)), utf8Input_(utf8Input)
    {
    }
    ~Converter()
    {
        if (cd_ != reinterpret_cast<iconv_t>(-1))
            iconv_close(cd_);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    // Converts the whole input; returns false at the first character that
    // cannot be converted (`badOffset` is its input offset) unless
    // `replacement` is given, which then stands for every such character.
    bool Run(std::string_view in, std::string& out, std::size_t& badOffset, const std::string* replacement)
    {
        if (cd_ == reinterpret_cast<iconv_t>(-1))
            throw Error("Code page 932 conversion is not available on this system");
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        out.clear();
        out.reserve(in.size() * 2 + 4);
        char* inPtr = const_cast<char*>(in.data());
        std::size_t inLeft = in.size();
        char buffer[4096];
        while (inLeft > 0) {
            char* outPtr = buffer;
            std::size_t outLeft = sizeof buffer;
            std::size_t rc = iconv(cd_, &inPtr, &inLeft, &outPtr, &outLeft);
            out.append(buffer, outPtr - buffer);
            if (rc != static_cast<std::size_t>(-1))
                continue;
            if (errno == E2BIG)
                continue;
            badOffset = in.size() - inLeft;
            if (!replacement)
                return false;
            out += *replacement;
            // Skip one byte, or a whole UTF-8 sequence going the other way.
            std::size_t skip = 1;
            while (skip < inLeft && utf8Input_ && (static_cast<unsigned char>(inPtr[skip]) & 0xC0) == 0x80)
                ++skip;
            inPtr += skip;
            inLeft -= skip;
        }
        return true;
    }

private:
    iconv_t cd_;
    bool utf8Input_;
};

Converter& ToCp932()
{
    static Converter converter("CP932", "UTF-8", true);
    return converter;
}

Converter& ToUtf8()
{
    static Converter converter("UTF-8", "CP932", false);
    return converter;
}

} // namespace

std::optional<std::string> TryCp932FromUtf8(std::string_view utf8)
{
    std::string out;
    std::size_t bad = 0;
    if (!ToCp932().Run(utf8, out, bad, nullptr))
        return std::nullopt;
    return out;
}

std::string Cp932FromUtf8(std::string_view utf8)
{
    std::string out;
    std::size_t bad = 0;
    if (ToCp932().Run(utf8, out, bad, nullptr))
        return out;
    std::size_t end = bad + 1;
    while (end < utf8.size() && (static_cast<unsigned char>(utf8[end]) & 0xC0) == 0x80)
        ++end;
    throw CharacterError(std::string(utf8.substr(bad, end - bad)));
}

CharacterError::CharacterError(std::string character)
    : Error("The character " + CodePointText(character) + " cannot be stored in Shift-JIS (code page 932)"),
      character_(std::move(character))
{
}

std::string CodePointText(std::string_view utf8)
{
    if (utf8.empty())
        return "U+0000";
    const auto lead = static_cast<unsigned char>(utf8[0]);
    const std::size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
    unsigned long code = length == 1 ? lead : lead & (0x7F >> length);
    for (std::size_t k = 1; k < length && k < utf8.size(); ++k)
        code = (code << 6) | (static_cast<unsigned char>(utf8[k]) & 0x3F);
    char text[16];
    std::snprintf(text, sizeof text, "U+%04lX", code);
    return text;
}

std::string Cp932ForMessage(std::string_view utf8)
{
    static const std::string replacement = "?";
    std::string out;
    std::size_t bad = 0;
    ToCp932().Run(utf8, out, bad, &replacement);
    return out;
}

std::string Utf8FromCp932(std::string_view bytes)
{
    static const std::string replacement = "\xEF\xBF\xBD";
    std::string out;
    std::size_t bad = 0;
    ToUtf8().Run(bytes, out, bad, &replacement);
    return out;
}

std::size_t Cp932CharLength(std::string_view bytes, std::size_t i)
{
    const auto lead = static_cast<unsigned char>(bytes[i]);
    const bool isLead = (lead >= 0x81 && lead <= 0x9F) || (lead >= 0xE0 && lead <= 0xFC);
    if (!isLead || i + 1 >= bytes.size())
        return 1;
    // A stray lead byte must not swallow a comma, quote, blank or control
    // character after it: CSV fields written after such a byte would not
    // read back.
    const auto trail = static_cast<unsigned char>(bytes[i + 1]);
    return (trail >= 0x40 && trail <= 0x7E) || (trail >= 0x80 && trail <= 0xFC) ? 2 : 1;
}

} // namespace vantrel
