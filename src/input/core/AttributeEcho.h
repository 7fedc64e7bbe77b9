#pragma once

#include "platform/core/Progress.h"

#include <string>

namespace vantrel {

struct AnalysisData;
struct AttributeData;
class TextFileWriter;

// The head of an attribute run's report: the table as read, and after a
// standardized computation the standardized table. Code page 932.

std::string AttributeInputHeader(); // "入力データ..."
std::string StandardizedInputHeader(); // "標準化入力データ..."

// The echo line of object i: i right-aligned in 3, " : ", the label padded
// to 10 bytes (a longer one whole), then each value in fixed notation with
// one decimal right-aligned in 7 (a longer text widens its field).
std::string AttributeEchoLine(const AnalysisData& data, const AttributeData& attributes, int i);

// An empty line, the header and the lines of objects 1..ObjectCount,
// counted on `progress`. Throws IoError when a write fails.
void WriteAttributeSection(TextFileWriter& file, const std::string& header, const AnalysisData& data,
                           const AttributeData& attributes, Progress& progress = NoProgress());

} // namespace vantrel
