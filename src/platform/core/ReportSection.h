#pragma once

#include "platform/core/Progress.h"
#include "platform/core/TextFile.h"

#include <string>

namespace vantrel {

// A section of a report: an empty line, its header, then the line
// rowText(i) of every row i = 1..count, counted on `progress` as the rows
// of "Writing the report".
template <class RowText>
void WriteReportSection(TextFileWriter& file, const std::string& header, int count, Progress& progress,
                        RowText rowText)
{
    file.WriteLine();
    file.WriteLine(header);
    progress.Start("Writing the report", "rows", count);
    for (int i = 1; i <= count; ++i) {
        file.WriteLine(rowText(i));
        progress.Advance(i);
    }
}

} // namespace vantrel
