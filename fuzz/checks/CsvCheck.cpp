#include "FuzzChecks.h"

#include "input/core/Csv.h"

#include <vector>

namespace vantrel::fuzz {
namespace {

using Fields = std::vector<std::string>;

std::string Show(const Fields& fields)
{
    std::string text = "[";
    for (const std::string& field : fields)
        text += (text.size() > 1 ? "|" : "") + field;
    return text + "]";
}

// A line holding one empty field is an empty line, which reads as none.
bool SameFields(const Fields& written, const Fields& read)
{
    if (written.size() == 1 && written[0].empty())
        return read.empty();
    return written == read;
}

std::string RoundTrip(const Fields& fields, const char* what)
{
    std::string line;
    for (std::size_t k = 0; k < fields.size(); ++k)
        line += (k ? "," : "") + QuoteCsvField(fields[k]);
    const Fields read = SplitCsvLine(line);
    if (!SameFields(fields, read))
        return std::string(what) + ": wrote " + Show(fields) + " as '" + line + "', read back " + Show(read);
    return {};
}

} // namespace

std::string CheckCsvLine(std::string_view bytes)
{
    const Fields split = SplitCsvLine(bytes);
    for (const std::string& field : split)
        if (field.find('\0') != std::string::npos)
            return "a split field holds a NUL byte";
    if (std::string failure = RoundTrip(split, "split fields"); !failure.empty())
        return failure;

    // A line ends at NUL, so the field list the bytes give is NUL-free.
    Fields chosen(1);
    for (char c : bytes) {
        if (c == '\0')
            chosen.emplace_back();
        else
            chosen.back() += c;
    }
    return RoundTrip(chosen, "fields");
}

} // namespace vantrel::fuzz
