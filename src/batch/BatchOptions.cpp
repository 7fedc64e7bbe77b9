#include "batch/BatchOptions.h"

#include "input/core/CellNumber.h"

#include <array>
#include <charconv>
#include <initializer_list>
#include <limits>
#include <string_view>
#include <utility>

namespace vantrel {
namespace {

// One row per option: adding an option is adding a row (and, if needed, a
// field of BatchOptions). Rows without a value name are flags; a row may
// name a one-letter form too.
struct OptionRule {
    std::string_view Name;
    std::string_view ValueName;
    std::string_view Help;
    void (*Apply)(BatchOptions& options, const std::string& value);
    std::string_view ShortName = {};
};

[[noreturn]] void BadValue(std::string_view option, const std::string& value)
{
    throw UsageError("invalid value \"" + value + "\" for " + std::string(option));
}

// The enumerator a word names, from the option's list of words.
template <typename Enum>
Enum OneOf(std::string_view option, const std::string& value,
           std::initializer_list<std::pair<std::string_view, Enum>> words)
{
    for (const auto& [word, enumerator] : words)
        if (value == word)
            return enumerator;
    BadValue(option, value);
}

// The K of --cut: an integer, possibly outside 1..N (the run says so once
// N is known); one beyond the range of long long is held at its end.
long long ClusterCount(const std::string& value)
{
    const char* first = value.data();
    const char* last = value.data() + value.size();
    if (first != last && *first == '+' && first + 1 != last && first[1] != '-')
        ++first;
    long long count = 0;
    const auto [end, error] = std::from_chars(first, last, count);
    if (end != last || first == last || (error != std::errc() && error != std::errc::result_out_of_range))
        BadValue("--cut", value);
    if (error == std::errc::result_out_of_range)
        return *first == '-' ? std::numeric_limits<long long>::min() : std::numeric_limits<long long>::max();
    return count;
}

const auto Rules = std::to_array<OptionRule>({
    {"--kind", "dissim|sim|attr",
     "what the file holds (default dissim); attr: an attribute table, as a data\n"
     "      file or, for names ending in .csv, a CSV file, clustered by its\n"
     "      Euclidean distances",
     [](BatchOptions& options, const std::string& value) {
         options.Kind = OneOf<RunKind>("--kind", value,
                                       {{"dissim", RunKind::Dissimilarity},
                                        {"sim", RunKind::Similarity},
                                        {"attr", RunKind::Attribute}});
     }},
    {"--method", "complete|average|single|ward|centroid|median|weighted",
     "linkage method (default complete); ward, centroid and median need\n"
     "      dissimilarities: a matrix of distances or an attribute table",
     [](BatchOptions& options, const std::string& value) {
         for (int index = 0; index < LinkageCount; ++index)
             if (value == MethodKey(static_cast<Linkage>(index))) {
                 options.Method = static_cast<Linkage>(index);
                 return;
             }
         BadValue("--method", value);
     }},
    {"--merges", "FILE",
     "cluster the data file FILE (see --kind) and print one line per merge:\n"
     "      new id, left id, right id, height (tab-separated)",
     [](BatchOptions& options, const std::string& value) {
         options.InputFile = value;
         options.PrintMerges = true;
     }},
    {"--input", "FILE", "cluster the data file FILE (see --kind) without printing the merges",
     [](BatchOptions& options, const std::string& value) { options.InputFile = value; }},
    {"--standardize", "", "with --kind attr: standardized Euclidean distances",
     [](BatchOptions& options, const std::string&) { options.Standardize = true; }},
    {"--report", "FILE", "write the report file FILE as the window run does",
     [](BatchOptions& options, const std::string& value) { options.ReportFile = value; }},
    {"--dendrogram", "FILE",
     "print the dendrogram page to FILE: PDF, or PNG or SVG when FILE ends in\n"
     "      .png or .svg",
     [](BatchOptions& options, const std::string& value) { options.DendrogramFile = value; }},
    {"--whole-tree", "",
     "with --dendrogram: make the page as tall as the tree needs, so that no\n"
     "      row is lost",
     [](BatchOptions& options, const std::string&) { options.WholeTree = true; }},
    {"--font-size", "N", "font size of the dendrogram page in points (default 12)",
     [](BatchOptions& options, const std::string& value) {
         if (value.empty() || value.find_first_not_of("0123456789") != std::string::npos ||
             value.size() > 3 || value.find_first_not_of('0') == std::string::npos)
             BadValue("--font-size", value);
         options.FontSize = value;
     }},
    {"--schedule", "FILE", "write the agglomeration schedule to the CSV file FILE",
     [](BatchOptions& options, const std::string& value) { options.ScheduleFile = value; }},
    {"--clusters", "FILE",
     "write each object's cluster to the CSV file FILE (with --cut or\n"
     "      --cut-level)",
     [](BatchOptions& options, const std::string& value) { options.ClustersFile = value; }},
    {"--cut", "K", "with --clusters: K clusters, the last K-1 merges undone",
     [](BatchOptions& options, const std::string& value) { options.CutCount = ClusterCount(value); }},
    {"--cut-level", "L",
     "with --clusters: the clusters that the merges at a level <= L form\n"
     "      (>= L for similarities)",
     [](BatchOptions& options, const std::string& value) {
         options.CutLevel = ParseCellNumber(value);
         if (!options.CutLevel)
             BadValue("--cut-level", value);
     }},
    {"--cophenetic", "", "print the cophenetic correlation",
     [](BatchOptions& options, const std::string&) { options.PrintCophenetic = true; }},
    {"--cophenetic-matrix", "FILE", "write the cophenetic levels to FILE as a matrix data file",
     [](BatchOptions& options, const std::string& value) { options.CopheneticMatrixFile = value; }},
    {"--newick", "FILE", "write the tree to FILE in Newick format",
     [](BatchOptions& options, const std::string& value) { options.NewickFile = value; }},
    {"--utf8", "",
     "write the schedule, clusters and Newick files in UTF-8 instead of\n"
     "      Shift-JIS",
     [](BatchOptions& options, const std::string&) { options.Utf8 = true; }},
    {"--help", "", "show this text",
     [](BatchOptions& options, const std::string&) { options.ShowHelp = true; }, "-h"},
    {"--version", "", "show the version",
     [](BatchOptions& options, const std::string&) { options.ShowVersion = true; }},
});

const OptionRule* FindRule(std::string_view name)
{
    for (const OptionRule& rule : Rules)
        if (rule.Name == name || (!rule.ShortName.empty() && rule.ShortName == name))
            return &rule;
    return nullptr;
}

} // namespace

BatchOptions ParseBatchOptions(const std::vector<std::string>& arguments)
{
    BatchOptions options;
    for (std::size_t k = 0; k < arguments.size(); ++k) {
        const std::string& argument = arguments[k];
        const std::size_t equals = argument.find('=');
        const std::string name = argument.substr(0, equals);
        const OptionRule* rule = FindRule(name);
        if (!rule)
            throw UsageError("unknown argument \"" + argument + "\"");
        std::string value;
        if (rule->ValueName.empty()) {
            if (equals != std::string::npos)
                throw UsageError(name + " takes no value");
        } else if (equals != std::string::npos) {
            value = argument.substr(equals + 1);
        } else if (k + 1 < arguments.size()) {
            value = arguments[++k];
        } else {
            throw UsageError(name + " needs a value");
        }
        rule->Apply(options, value);
    }
    // Help and version ask for nothing else, as with QCommandLineParser.
    if (options.ShowHelp || options.ShowVersion)
        return options;
    const bool output = options.PrintMerges || !options.ReportFile.empty() ||
                        !options.DendrogramFile.empty() || !options.ScheduleFile.empty() ||
                        !options.ClustersFile.empty() || options.PrintCophenetic ||
                        !options.CopheneticMatrixFile.empty() || !options.NewickFile.empty();
    if (!output || options.InputFile.empty())
        throw UsageError("nothing to do: give --merges FILE, or --input FILE with an output");
    if (options.Standardize && options.Kind != RunKind::Attribute)
        throw UsageError("--standardize needs --kind attr");
    if (options.WholeTree && options.DendrogramFile.empty())
        throw UsageError("--whole-tree needs --dendrogram");
    if (options.CutCount && options.CutLevel)
        throw UsageError("give either --cut or --cut-level, not both");
    const bool cut = options.CutCount || options.CutLevel;
    if (cut && options.ClustersFile.empty())
        throw UsageError("--cut and --cut-level need --clusters");
    if (!cut && !options.ClustersFile.empty())
        throw UsageError("--clusters needs --cut or --cut-level");
    return options;
}

std::string BatchUsageText()
{
    std::string text = "usage: vantrel-batch [options] --merges FILE\n"
                       "       vantrel-batch [options] --input FILE [--report FILE] [--dendrogram FILE]\n"
                       "           [--schedule FILE] [--clusters FILE --cut K|--cut-level L]\n"
                       "           [--cophenetic] [--cophenetic-matrix FILE] [--newick FILE]\n"
                       "Runs the cluster analysis of Vantrel on a data file.\n"
                       "options:\n";
    for (const OptionRule& rule : Rules) {
        std::string head = "  ";
        if (!rule.ShortName.empty())
            head += std::string(rule.ShortName) + ", ";
        head += rule.Name;
        if (!rule.ValueName.empty())
            head += " " + std::string(rule.ValueName);
        text += head + "\n      " + std::string(rule.Help) + "\n";
    }
    text += "Exit status: 0 done, 1 the data or a file failed, 2 bad command line.\n";
    return text;
}

std::string BatchVersionText() { return "vantrel-batch " VANTREL_VERSION "\n"; }

} // namespace vantrel
