#include "results/core/TreeFiles.h"

#include "input/core/Csv.h"
#include "platform/core/Cp932.h"
#include "platform/core/TextFile.h"
#include "runs/core/Newick.h"

#include <algorithm>

namespace vantrel {

std::string Encoded(const std::string& cp932, TextEncoding encoding)
{
    return encoding == TextEncoding::Utf8 ? Utf8FromCp932(cp932) : cp932;
}

std::string ScheduleCsv(const ClusterTree& tree)
{
    std::string text = "stage,cluster,left,right,height,size\r\n";
    for (const ScheduleRow& row : AgglomerationSchedule(tree))
        text += std::to_string(row.Stage) + "," + std::to_string(row.Cluster) + "," +
                std::to_string(row.Left) + "," + std::to_string(row.Right) + "," + LevelText(row.Height) +
                "," + std::to_string(row.Size) + "\r\n";
    return text;
}

std::string ClustersCsv(const AnalysisData& data, const ObjectClusters& clusters)
{
    std::string text = "object,label,cluster\r\n";
    for (std::size_t k = 0; k < clusters.size(); ++k)
        text += std::to_string(k + 1) + "," + QuoteCsvField(data.ObjectLabels[k + 1]) + "," +
                std::to_string(clusters[k]) + "\r\n";
    return text;
}

std::string NewickFile(const AnalysisData& data, const ClusterTree& tree, TextEncoding encoding)
{
    std::vector<std::string> labels;
    for (int i = 1; i <= tree.LeafCount(); ++i)
        labels.push_back(Encoded(data.ObjectLabels[static_cast<std::size_t>(i)], encoding));
    return NewickText(tree, labels) + "\r\n";
}

MatrixTexts CopheneticMatrixTexts(const AnalysisData& data, const TriangularMatrix& levels)
{
    const int n = levels.Capacity();
    MatrixTexts texts;
    for (int i = 1; i <= n; ++i)
        texts.Labels.push_back(data.ObjectLabels[static_cast<std::size_t>(i)]);
    for (int i = 2; i <= n; ++i)
        for (int j = 1; j < i; ++j)
            texts.Values.Append(LevelText(levels(i, j)));
    return texts;
}

void WriteTreeFile(const std::string& fileName, const std::string& text, Progress& progress)
{
    const auto lines = static_cast<std::int64_t>(std::count(text.begin(), text.end(), '\n'));
    progress.Start(SavingText(fileName), LinesUnit, lines);
    TextFileWriter file(fileName, Replacement::Whole);
    std::size_t at = 0;
    std::int64_t done = 0;
    while (at < text.size()) {
        const std::size_t end = std::min(text.find('\n', at), text.size() - 1) + 1;
        file.Write(std::string_view(text).substr(at, end - at));
        at = end;
        progress.Advance(++done);
    }
    file.Close();
}

} // namespace vantrel
