#include "input/core/AttributeEcho.h"

#include "engine/AnalysisData.h"
#include "input/core/AttributeData.h"
#include "platform/core/Cp932.h"
#include "platform/core/Locale.h"
#include "platform/core/NumberFormat.h"
#include "platform/core/Padding.h"
#include "platform/core/ReportSection.h"
#include "platform/core/TextFile.h"

#include <algorithm>
#include <cmath>

namespace vantrel {

namespace {

// FormatFixedRight(value, 7, 1), quicker for the usual values. printf's
// conversion is exact too, and it differs from the report's rounding only
// at an exact tie (4|x| an odd integer: .25 or .75) and in the sign of a
// value that rounds to zero; those, and very large values, take the
// report's own formatter.
void AppendEchoValue(std::string& line, long double value)
{
    const long double magnitude = std::fabs(value);
    if (magnitude < 1e15L) {
        const long double quarters = magnitude * 4.0L; // exact
        const bool tie = quarters == std::floor(quarters) && std::fmod(quarters, 2.0L) == 1.0L;
        if (!tie && !(std::signbit(value) && magnitude < 0.06L)) {
            std::string text = FormatInCLocale("%7.1Lf", value);
            if (text.size() > 2) {
                text[text.size() - 2] = DecimalSeparator;
                line += text;
                return;
            }
        }
    }
    line += FormatFixedRight(value, 7, 1);
}

} // namespace

std::string AttributeInputHeader() { return Sjis("入力データ..."); }
std::string StandardizedInputHeader() { return Sjis("標準化入力データ..."); }

std::string AttributeEchoLine(const AnalysisData& data, const AttributeData& attributes, int i)
{
    std::string line = std::to_string(i);
    if (line.size() < 3)
        line.insert(0, 3 - line.size(), ' ');
    line += " : ";
    line += PadToWidth(data.ObjectLabels[static_cast<std::size_t>(i)], 10);
    for (int j = 1; j <= attributes.AttributeCount; ++j)
        AppendEchoValue(line, attributes.Value(i, j));
    return line;
}

void WriteAttributeSection(TextFileWriter& file, const std::string& header, const AnalysisData& data,
                           const AttributeData& attributes, Progress& progress)
{
    WriteReportSection(file, header, std::min(data.ObjectCount, AnalysisData::Capacity), progress,
                       [&](int i) { return AttributeEchoLine(data, attributes, i); });
}

} // namespace vantrel
