#pragma once

#include "engine/Methods.h"
#include "results/core/TreeFiles.h"

#include <cstddef>
#include <string>

namespace vantrel {

// What the results window saves, the names its dialogs propose and how a
// chosen name and file type become the file written.
enum class ResultFile { Schedule, Clusters, Newick, CopheneticMatrix, Picture, PrintedTree };

enum class PictureFormat { Pdf, Png, Svg };

// The name proposed beside the report, after it and the method shown:
// "report-ward-schedule.csv", "report-ward-clusters-4.csv",
// "report-ward.nwk", "report-ward-cophenetic.dat", "report-ward-tree.pdf",
// and for a print "report-ward-tree" (its PDF adds ".pdf").
std::string ProposedResultName(const std::string& reportFileName, Linkage method, ResultFile file,
                               int clusterCount);

// The dialog's file types ("description|pattern|...", as the input windows'
// "CSV files" in plain ASCII): the text files in Shift-JIS or UTF-8, the
// cophenetic matrix as a data file, the picture as PDF, PNG or SVG.
std::string ResultFileFilter(ResultFile file);

// The file written for a name chosen with the dialog's `filterIndex`-th
// type: a name without an extension gets the type's; a picture named
// .pdf, .png or .svg (any case) is of that format whatever the type.
struct ResultTarget {
    std::string FileName;
    TextEncoding Encoding = TextEncoding::Cp932;
    PictureFormat Format = PictureFormat::Pdf;
};
ResultTarget ResultFileTarget(ResultFile file, const std::string& chosenName, std::size_t filterIndex);

} // namespace vantrel
