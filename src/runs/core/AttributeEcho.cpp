#include "runs/core/AttributeEcho.h"

#include "engine/AnalysisData.h"
#include "input/core/AttributeData.h"
#include "platform/core/Cp932.h"
#include "platform/core/Padding.h"
#include "platform/core/TextFile.h"
#include "runs/core/NumberFormat.h"

#include <algorithm>

namespace vantrel {

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
        line += FormatFixedRight(attributes.Value(i, j), 7, 1);
    return line;
}

void WriteAttributeSection(TextFileWriter& file, const std::string& header,
                           const AnalysisData& data, const AttributeData& attributes)
{
    file.WriteLine();
    file.WriteLine(header);
    const int count = std::min(data.ObjectCount, AnalysisData::Capacity);
    for (int i = 1; i <= count; ++i)
        file.WriteLine(AttributeEchoLine(data, attributes, i));
}

} // namespace vantrel
