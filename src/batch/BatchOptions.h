#pragma once

#include "engine/Agglomeration.h"
#include "runs/core/AnalysisRun.h"

#include <optional>
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
    bool ShowVersion = false;
    // Optional outputs: the report file as the window run writes it, and the
    // dendrogram page as a PDF (or a PNG for names ending in ".png").
    std::string ReportFile;
    std::string DendrogramFile;
    // The page's font size in points, as typed in the main window.
    std::string FontSize = "12";
    // --whole-tree: the page as tall as the tree needs instead of A4.
    bool WholeTree = false;

    // Results taken from the finished tree (empty names: not asked for).
    std::string ScheduleFile;
    std::string ClustersFile;
    // The cut of --clusters: into a number of clusters, or at a level (read
    // as a cell number is, so the same 80-bit value is compared).
    std::optional<long long> CutCount;
    std::optional<long double> CutLevel;
    bool PrintCophenetic = false;
    std::string CopheneticMatrixFile;
    std::string NewickFile;
    // The schedule, clusters and Newick files in UTF-8 instead of code page 932.
    bool Utf8 = false;
};

// A command line that cannot be run; what() says why. The program answers
// with the usage text and exit status 2.
class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Parses the arguments after the program name. Options are "--name value"
// or "--name=value"; a later repetition overrides an earlier one. With
// --help (-h) or --version the rest of the line need not make a run.
BatchOptions ParseBatchOptions(const std::vector<std::string>& arguments);

// The usage text, one line per option, ending with a line break.
std::string BatchUsageText();

// "vantrel-batch " and the version, ending with a line break.
std::string BatchVersionText();

} // namespace vantrel
