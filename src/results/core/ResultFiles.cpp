#include "results/core/ResultFiles.h"

#include <algorithm>
#include <cctype>

namespace vantrel {
namespace {

// The position of the name's extension dot, or npos.
std::size_t ExtensionDot(const std::string& name)
{
    const std::size_t slash = name.rfind('/');
    const std::size_t dot = name.rfind('.');
    const std::size_t base = slash == std::string::npos ? 0 : slash + 1;
    return dot != std::string::npos && dot > base ? dot : std::string::npos;
}

std::string Lower(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

const char* const PictureExtensions[] = {".pdf", ".png", ".svg"};

} // namespace

std::string ProposedResultName(const std::string& reportFileName, Linkage method, ResultFile file,
                               int clusterCount)
{
    const std::size_t dot = ExtensionDot(reportFileName);
    const std::string stem =
        (dot == std::string::npos ? reportFileName : reportFileName.substr(0, dot)) + "-" + MethodKey(method);
    switch (file) {
    case ResultFile::Schedule:
        return stem + "-schedule.csv";
    case ResultFile::Clusters:
        return stem + "-clusters-" + std::to_string(clusterCount) + ".csv";
    case ResultFile::Newick:
        return stem + ".nwk";
    case ResultFile::CopheneticMatrix:
        return stem + "-cophenetic.dat";
    case ResultFile::Picture:
        return stem + "-tree.pdf";
    case ResultFile::PrintedTree:
        return stem + "-tree";
    }
    return stem;
}

std::string ResultFileFilter(ResultFile file)
{
    switch (file) {
    case ResultFile::Schedule:
    case ResultFile::Clusters:
        return "CSV, Shift-JIS|*.csv|CSV, UTF-8|*.csv";
    case ResultFile::Newick:
        return "Newick, Shift-JIS|*.nwk|Newick, UTF-8|*.nwk";
    case ResultFile::CopheneticMatrix:
        return "Matrix data file|*.dat";
    case ResultFile::Picture:
    case ResultFile::PrintedTree:
        return "PDF|*.pdf|PNG|*.png|SVG|*.svg";
    }
    return {};
}

ResultTarget ResultFileTarget(ResultFile file, const std::string& chosenName, std::size_t filterIndex)
{
    ResultTarget target;
    target.FileName = chosenName;
    const std::size_t dot = ExtensionDot(chosenName);
    const std::string extension = dot == std::string::npos ? std::string() : Lower(chosenName.substr(dot));
    if (file == ResultFile::Picture || file == ResultFile::PrintedTree) {
        const std::size_t chosen = std::min<std::size_t>(filterIndex, 2);
        std::size_t format = chosen;
        for (std::size_t k = 0; k < 3; ++k)
            if (extension == PictureExtensions[k])
                format = k;
        target.Format = static_cast<PictureFormat>(format);
        if (dot == std::string::npos)
            target.FileName += PictureExtensions[format];
        return target;
    }
    if (file != ResultFile::CopheneticMatrix && filterIndex == 1)
        target.Encoding = TextEncoding::Utf8;
    if (dot == std::string::npos)
        target.FileName += file == ResultFile::Newick             ? ".nwk"
                           : file == ResultFile::CopheneticMatrix ? ".dat"
                                                                  : ".csv";
    return target;
}

} // namespace vantrel
