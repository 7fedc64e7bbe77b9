#include "platform/core/Padding.h"

namespace vantrel {

std::string PadToWidth(const std::string& text, std::size_t width)
{
    if (text.size() >= width)
        return text;
    std::string padded = text;
    padded.append(width - text.size(), ' ');
    return padded;
}

std::string PadIndex(int k)
{
    std::string digits = std::to_string(k);
    if (k >= 0 && k <= 9)
        return " " + digits;
    return digits;
}

} // namespace vantrel
