#pragma once

#include "engine/AnalysisData.h"
#include "engine/ClusterTree.h"
#include "input/core/MatrixTexts.h"
#include "platform/core/Progress.h"
#include "runs/core/TreeResults.h"

#include <string>

namespace vantrel {

// The files taken from a finished tree, as vantrel-batch and the results
// window both write them (docs/formats.md): contents in code page 932 with
// CR LF line ends, or in UTF-8 where the user asks for it.
enum class TextEncoding { Cp932, Utf8 };

// Code page 932 text in the chosen encoding.
std::string Encoded(const std::string& cp932, TextEncoding encoding);

// The schedule CSV: "stage,cluster,left,right,height,size", one line per merge.
std::string ScheduleCsv(const ClusterTree& tree);

// The clusters CSV: "object,label,cluster", one line per object, labels
// quoted as the CSV files quote them.
std::string ClustersCsv(const AnalysisData& data, const ObjectClusters& clusters);

// The Newick file: the tree on one line, labels in the given encoding,
// ended by CR LF.
std::string NewickFile(const AnalysisData& data, const ClusterTree& tree, TextEncoding encoding);

// The cophenetic levels (of CopheneticLevels) with the input's labels, for
// a matrix data file the windows can load; levels as LevelText gives them.
MatrixTexts CopheneticMatrixTexts(const AnalysisData& data, const TriangularMatrix& levels);

// Writes `text` to `fileName`, replacing an old file only once the new one
// is complete; counts its lines on `progress`, and a cancel leaves the old
// file whole. Throws IoError on any failure.
void WriteTreeFile(const std::string& fileName, const std::string& text, Progress& progress = NoProgress());

} // namespace vantrel
