#include "input/core/MatrixCsv.h"

#include "common/Errors.h"
#include "common/Limits.h"
#include "input/core/Csv.h"
#include "input/core/MatrixDataFile.h"
#include "platform/core/Cp932.h"
#include "platform/core/TextFile.h"

namespace vantrel {

void WriteMatrixCsv(const std::string& fileName, const MatrixTexts& texts, Progress& progress)
{
    TextFileWriter file(fileName, Replacement::Whole);
    const int n = texts.ObjectCount();
    progress.Start(SavingText(fileName), LinesUnit, std::max(n, 1) + 1);

    std::string line;
    for (const std::string& label : texts.Labels) {
        line += ',';
        line += QuoteCsvField(label);
    }
    file.WriteLine(line);

    file.WriteLine(n >= 1 ? QuoteCsvField(texts.Labels[0]) : std::string());

    for (int i = 2; i <= n; ++i) {
        line = QuoteCsvField(texts.Labels[static_cast<std::size_t>(i - 1)]);
        for (int j = 1; j < i; ++j) {
            line += ',';
            line += QuoteCsvField(TrimControls(texts.Value(i, j)));
        }
        file.WriteLine(line);
        progress.Advance(i + 1);
    }
    file.Close();
}

std::string CsvFieldIndexErrorText(const std::string& fileName, int lineNumber, std::size_t fieldCount,
                                   int fieldsNeeded)
{
    return "List index out of bounds: line " + std::to_string(lineNumber) + " of " + fileName + " has " +
           std::to_string(fieldCount) + (fieldCount == 1 ? " field, " : " fields, ") +
           std::to_string(fieldsNeeded) + " needed";
}

void ReadMatrixCsv(const std::string& fileName, MatrixTexts& texts)
{
    TextFileReader reader(fileName);
    ReadMatrixCsv(reader, texts);
}

void ReadMatrixCsv(TextFileReader& reader, MatrixTexts& texts, Progress& progress)
{
    std::string_view line;
    reader.ReadLine(line);
    std::vector<std::string> names = SplitCsvLine(line);
    const long long n = static_cast<long long>(names.size()) - 1;
    // Refused before anything changes, so the window keeps its data.
    if (n > MaxObjects)
        throw Error(Cp932ForMessage(reader.FileName()) + ": " + TooManyObjectsText(n));

    texts = MatrixTexts();
    if (n > 0)
        texts.Labels.assign(std::make_move_iterator(names.begin() + 1), std::make_move_iterator(names.end()));
    texts.Values.Reserve(texts.PairCount(), 0);
    progress.Start(LoadingText(reader.FileName()), LinesUnit, std::max<long long>(n, 1) + 1);

    reader.ReadLine(line); // line 2 holds label 1 alone
    for (int i = 2; i <= n; ++i) {
        reader.ReadLine(line);
        const std::vector<std::string> fields = SplitCsvLine(line);
        // A short line still gives the fields it has, up to the missing one.
        for (int j = 1; j < i && static_cast<std::size_t>(j) < fields.size(); ++j)
            texts.Values.Append(fields[static_cast<std::size_t>(j)]);
        if (fields.size() < static_cast<std::size_t>(i))
            throw Error(CsvFieldIndexErrorText(Cp932ForMessage(reader.FileName()), i + 1, fields.size(), i));
        progress.Advance(i + 1);
    }
}

} // namespace vantrel
