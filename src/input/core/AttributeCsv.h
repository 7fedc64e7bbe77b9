#pragma once

#include "input/core/AttributeTexts.h"
#include "platform/core/Progress.h"

#include <string>

namespace vantrel {

class TextFileReader;

// The attribute CSV file, for exchange with spreadsheet programs:
//   line 1     the corner cell, then the attribute names
//   then       per object: its label, then its values
// Cells are joined by "," and every line ends with CR LF. A cell that would
// not read back as itself (it holds a comma, a blank, a control character
// or a double quote) is written in double quotes with inner quotes doubled;
// every other cell is written byte for byte, untrimmed.

// Writes the table to `fileName` as it is given (the window applies
// EnsureCsvExtension), replacing the file only once the whole file is
// written. Throws IoError on any failure.
void WriteAttributeCsv(const std::string& fileName, const AttributeTexts& texts,
                       Progress& progress = NoProgress());

// Reads a CSV file. The first line sets the attributes: field 0 stands for
// the corner cell and is not read back (the corner of the result is empty),
// fields 1.. are the attribute names. Every further line is an object:
// label and values. The last line's CR LF ends it and adds no object, but
// each further line, an empty one too, adds an object (an empty line gives
// one with no cells). Fields beyond the attributes of the first line are
// dropped; cells a short line does not reach stay empty. An empty first
// line gives a table without attributes. A quoted field with no closing
// quote runs to the end of its line.
//
// More than MaxObjects objects or MaxAttributes attributes throws Error; a
// file that cannot be read throws IoError.
AttributeTexts ReadAttributeCsv(const std::string& fileName);
AttributeTexts ReadAttributeCsv(TextFileReader& reader, Progress& progress = NoProgress());

} // namespace vantrel
