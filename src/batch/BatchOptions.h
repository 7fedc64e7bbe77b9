#pragma once

#include "engine/Agglomeration.h"
#include "runs/core/AnalysisRun.h"

#include <stdexcept>
#include <string>
#include <vector>

namespace vantrel {

// The command line of vantrel-batch, parsed.
struct BatchOptions {
    // What the input file holds: the kind of run it is clustered by.
    RunKind Kind = RunKind::Dissimilarity;
    // Attribute tables: standardized instead of plain Euclidean distances.
    bool Standardize = false;
    Linkage Method = Linkage::Complete;
    // The data file read; --merges names it and asks for the merge list.
    std::string InputFile;
    bool PrintMerges = false;
    bool ShowHelp = false;
    // Optional outputs: the report file as the window run writes it, and the
    // dendrogram page as a PDF (or a PNG for names ending in ".png").
    std::string ReportFile;
    std::string DendrogramFile;
    // The page's font size in points, as typed in the main window.
    std::string FontSize = "12";
};

// A command line that cannot be run; what() says why. The program answers
// with the usage text and exit status 2.
class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Parses the arguments after the program name. Options are "--name value"
// or "--name=value"; a later repetition overrides an earlier one.
BatchOptions ParseBatchOptions(const std::vector<std::string>& arguments);

// The usage text, one line per option, ending with a line break.
std::string BatchUsageText();

} // namespace vantrel
