#include "input/core/MatrixDataFile.h"

#include "common/Errors.h"
#include "common/Limits.h"
#include "platform/core/Cp932.h"
#include "platform/core/TextFile.h"

#include <algorithm>
#include <limits>

namespace vantrel {
namespace {

bool IsControlOrBlank(char c) { return static_cast<unsigned char>(c) <= 32; }

} // namespace

std::string_view TrimControls(std::string_view text)
{
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && IsControlOrBlank(text[begin]))
        ++begin;
    while (end > begin && IsControlOrBlank(text[end - 1]))
        --end;
    return text.substr(begin, end - begin);
}

int ReadObjectCountLine(TextFileReader& reader)
{
    const std::string& contents = reader.Contents();
    std::size_t i = reader.Position();
    while (i < contents.size() && IsControlOrBlank(contents[i]))
        ++i;
    const std::size_t start = i;
    while (i < contents.size() && !IsControlOrBlank(contents[i]))
        ++i;
    const std::string token = contents.substr(start, i - start);

    // The rest of the line, line end included, belongs to the count.
    const std::size_t lineEnd = contents.find('\n', i);
    reader.SetPosition(lineEnd == std::string::npos ? contents.size() : lineEnd + 1);

    if (token.empty())
        return 0;
    std::size_t digitsFrom = token[0] == '+' || token[0] == '-' ? 1 : 0;
    long long value = 0;
    bool valid = digitsFrom < token.size();
    for (std::size_t k = digitsFrom; valid && k < token.size(); ++k) {
        if (token[k] < '0' || token[k] > '9')
            valid = false;
        else if ((value = value * 10 + (token[k] - '0')) >
                 static_cast<long long>(std::numeric_limits<int>::max()) + 1)
            valid = false;
    }
    if (token[0] == '-')
        value = -value;
    if (!valid || value > std::numeric_limits<int>::max())
        throw IoError("I/O error: " + Cp932ForMessage(reader.FileName()) +
                      ": the first line does not hold the number of objects");
    return static_cast<int>(value);
}

MatrixTexts ReadMatrixDataFile(const std::string& fileName)
{
    TextFileReader reader(fileName);
    return ReadMatrixDataFile(reader);
}

MatrixTexts ReadMatrixDataFile(TextFileReader& reader, Progress& progress)
{
    const int n = ReadObjectCountLine(reader);
    if (n > MaxObjects)
        throw Error(Cp932ForMessage(reader.FileName()) + ": " + TooManyObjectsText(n));

    MatrixTexts texts;
    texts.Labels.resize(static_cast<std::size_t>(std::max(n, 0)));
    const std::size_t pairs = texts.PairCount();
    const std::int64_t head = 1 + static_cast<std::int64_t>(texts.Labels.size());
    progress.Start(LoadingText(reader.FileName()), LinesUnit, head + static_cast<std::int64_t>(pairs));
    for (std::string& label : texts.Labels)
        reader.ReadLine(label);
    // Most of the file is values: a first guess that spares regrowing.
    texts.Values.Reserve(pairs,
                         reader.Contents().size() - std::min(reader.Position(), reader.Contents().size()));
    std::string_view line;
    for (std::size_t k = 0; k < pairs; ++k) {
        reader.ReadLine(line);
        texts.Values.Append(line);
        progress.Advance(head + static_cast<std::int64_t>(k) + 1);
    }
    return texts;
}

void WriteMatrixDataFile(const std::string& fileName, const MatrixTexts& texts, Progress& progress)
{
    const std::int64_t head = 1 + static_cast<std::int64_t>(texts.Labels.size());
    progress.Start(SavingText(fileName), LinesUnit, head + static_cast<std::int64_t>(texts.Values.Size()));
    TextFileWriter writer(fileName, Replacement::Whole);
    writer.WriteLine(std::to_string(texts.ObjectCount()));
    for (const std::string& label : texts.Labels)
        writer.WriteLine(label);
    for (std::size_t k = 0; k < texts.Values.Size(); ++k) {
        writer.WriteLine(TrimControls(texts.Values[k]));
        progress.Advance(head + static_cast<std::int64_t>(k) + 1);
    }
    writer.Close();
}

} // namespace vantrel
