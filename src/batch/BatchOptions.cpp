#include "batch/BatchOptions.h"

#include <array>
#include <initializer_list>
#include <string_view>
#include <utility>

namespace vantrel {
namespace {

// One row per option: adding an option is adding a row (and, if needed, a
// field of BatchOptions). Rows without a value name are flags.
struct OptionRule {
    std::string_view Name;
    std::string_view ValueName;
    std::string_view Help;
    void (*Apply)(BatchOptions& options, const std::string& value);
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
    {"--method", "complete|average|single", "linkage method (default complete)",
     [](BatchOptions& options, const std::string& value) {
         options.Method = OneOf<Linkage>(
             "--method", value,
             {{"complete", Linkage::Complete}, {"average", Linkage::Average}, {"single", Linkage::Single}});
     }},
    {"--merges", "FILE",
     "cluster the matrix data file FILE and print one line per merge:\n"
     "      new id, left id, right id, height (tab-separated)",
     [](BatchOptions& options, const std::string& value) {
         options.InputFile = value;
         options.PrintMerges = true;
     }},
    {"--input", "FILE", "cluster the matrix data file FILE without printing the merges",
     [](BatchOptions& options, const std::string& value) { options.InputFile = value; }},
    {"--standardize", "", "with --kind attr: standardized Euclidean distances",
     [](BatchOptions& options, const std::string&) { options.Standardize = true; }},
    {"--report", "FILE", "write the report file FILE as the window run does",
     [](BatchOptions& options, const std::string& value) { options.ReportFile = value; }},
    {"--dendrogram", "FILE", "print the dendrogram page to FILE: PDF, or PNG when FILE ends in .png",
     [](BatchOptions& options, const std::string& value) { options.DendrogramFile = value; }},
    {"--font-size", "N", "font size of the dendrogram page in points (default 12)",
     [](BatchOptions& options, const std::string& value) {
         if (value.empty() || value.find_first_not_of("0123456789") != std::string::npos ||
             value.size() > 3 || value.find_first_not_of('0') == std::string::npos)
             BadValue("--font-size", value);
         options.FontSize = value;
     }},
    {"--help", "", "show this text",
     [](BatchOptions& options, const std::string&) { options.ShowHelp = true; }},
});

const OptionRule* FindRule(std::string_view name)
{
    for (const OptionRule& rule : Rules)
        if (rule.Name == name)
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
    const bool output = options.PrintMerges || !options.ReportFile.empty() || !options.DendrogramFile.empty();
    if (!options.ShowHelp && (!output || options.InputFile.empty()))
        throw UsageError("nothing to do: give --merges FILE, or --input FILE with --report or --dendrogram");
    if (options.Standardize && options.Kind != RunKind::Attribute)
        throw UsageError("--standardize needs --kind attr");
    return options;
}

std::string BatchUsageText()
{
    std::string text = "usage: vantrel-batch [options] --merges FILE\n"
                       "       vantrel-batch [options] --input FILE [--report FILE] [--dendrogram FILE]\n"
                       "Runs the cluster analysis of Vantrel on a data file.\n"
                       "options:\n";
    for (const OptionRule& rule : Rules) {
        std::string head = "  " + std::string(rule.Name);
        if (!rule.ValueName.empty())
            head += " " + std::string(rule.ValueName);
        text += head + "\n      " + std::string(rule.Help) + "\n";
    }
    text += "Exit status: 0 done, 1 the data or a file failed, 2 bad command line.\n";
    return text;
}

} // namespace vantrel
