#include "input/core/Csv.h"

#include "platform/core/Cp932.h"

namespace vantrel {

namespace {

bool IsBlankOrControl(char c)
{
    const auto code = static_cast<unsigned char>(c);
    return code >= 1 && code <= 32;
}

bool EndsField(char c) { return c == ',' || static_cast<unsigned char>(c) <= 32; }

} // namespace

std::vector<std::string> SplitCsvLine(std::string_view line)
{
    // Everything from a NUL on is ignored, as the line ends there.
    if (const auto nul = line.find('\0'); nul != std::string_view::npos)
        line = line.substr(0, nul);

    std::vector<std::string> fields;
    std::size_t i = 0;
    const auto skipBlanks = [&] {
        while (i < line.size() && IsBlankOrControl(line[i]))
            ++i;
    };

    skipBlanks();
    while (i < line.size()) {
        std::string field;
        if (line[i] == '"') {
            ++i;
            while (i < line.size()) {
                if (line[i] == '"') {
                    if (i + 1 < line.size() && line[i + 1] == '"') {
                        field += '"';
                        i += 2;
                        continue;
                    }
                    ++i; // the closing quote
                    break;
                }
                const std::size_t length = Cp932CharLength(line, i);
                field.append(line.substr(i, length));
                i += length;
            }
        } else {
            const std::size_t start = i;
            while (i < line.size() && !EndsField(line[i]))
                i += Cp932CharLength(line, i);
            field.assign(line.substr(start, i - start));
        }
        fields.push_back(std::move(field));
        skipBlanks();
        if (i < line.size() && line[i] == ',') {
            if (i + 1 == line.size())
                fields.emplace_back();
            ++i;
            skipBlanks();
        }
    }
    return fields;
}

bool CsvFieldNeedsQuotes(std::string_view field)
{
    for (std::size_t i = 0; i < field.size(); i += Cp932CharLength(field, i)) {
        const char c = field[i];
        if (c == ',' || c == '"' || static_cast<unsigned char>(c) <= 32)
            return true;
    }
    return false;
}

std::string QuoteCsvField(std::string_view field)
{
    if (!CsvFieldNeedsQuotes(field))
        return std::string(field);
    std::string quoted = "\"";
    for (std::size_t i = 0; i < field.size();) {
        const std::size_t length = Cp932CharLength(field, i);
        if (field[i] == '"')
            quoted += '"';
        quoted.append(field.substr(i, length));
        i += length;
    }
    quoted += '"';
    return quoted;
}

std::string EnsureCsvExtension(const std::string& fileName)
{
    if (fileName.size() >= 5) {
        const std::string_view tail = std::string_view(fileName).substr(fileName.size() - 4);
        if (tail == ".csv" || tail == ".CSV")
            return fileName;
    }
    return fileName + ".csv";
}

bool HasCsvExtension(std::string_view fileName)
{
    if (fileName.size() < 4)
        return false;
    const std::string_view tail = fileName.substr(fileName.size() - 4);
    const std::string_view lower = ".csv";
    for (std::size_t k = 0; k < 4; ++k) {
        char c = tail[k];
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
        if (c != lower[k])
            return false;
    }
    return true;
}

} // namespace vantrel
