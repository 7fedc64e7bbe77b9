#include "batch/BatchTreeFiles.h"

#include "batch/BatchOptions.h"
#include "batch/BatchOutputs.h"
#include "engine/AnalysisData.h"
#include "input/core/Csv.h"
#include "input/core/MatrixDataFile.h"
#include "platform/core/Cp932.h"
#include "platform/core/TextFile.h"
#include "runs/core/Newick.h"
#include "runs/core/TreeResults.h"

namespace vantrel {
namespace {

std::string ClustersCsv(const AnalysisData& data, const ObjectClusters& clusters)
{
    std::string text = "object,label,cluster\r\n";
    for (std::size_t k = 0; k < clusters.size(); ++k)
        text += std::to_string(k + 1) + "," + QuoteCsvField(data.ObjectLabels[k + 1]) + "," +
                std::to_string(clusters[k]) + "\r\n";
    return text;
}

MatrixTexts CopheneticMatrixTexts(const AnalysisData& data, const TriangularMatrix& levels, int n)
{
    MatrixTexts texts;
    for (int i = 1; i <= n; ++i)
        texts.Labels.push_back(data.ObjectLabels[static_cast<std::size_t>(i)]);
    for (int i = 2; i <= n; ++i)
        for (int j = 1; j < i; ++j)
            texts.Values.Append(LevelText(levels(i, j)));
    return texts;
}

void WriteText(const std::string& fileName, const std::string& text)
{
    TextFileWriter file(fileName, Replacement::Whole);
    file.Write(text);
    file.Close();
}

} // namespace

void CheckCutBeforeRun(const BatchOptions& options, int objectCount)
{
    if (options.CutCount && objectCount >= 2)
        CheckClusterCount(*options.CutCount, objectCount);
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

TreeOutputs TakeTreeOutputs(const BatchOptions& options, const AnalysisData& data, const ClusterTree& tree)
{
    const auto encoded = [&options](std::string text) { return options.Utf8 ? Utf8FromCp932(text) : text; };
    const int n = tree.LeafCount();
    TreeOutputs outputs;
    if (!options.ScheduleFile.empty())
        outputs.Schedule = encoded(ScheduleCsv(tree));
    if (!options.ClustersFile.empty()) {
        const bool similarity = options.Kind == RunKind::Similarity;
        outputs.Clusters = encoded(ClustersCsv(
            data, options.CutCount ? CutIntoClusters(tree, *options.CutCount)
                                   : CutAtLevel(tree, options.CutLevel.value_or(0.0L), similarity)));
    }
    if (!options.NewickFile.empty()) {
        std::vector<std::string> labels;
        for (int i = 1; i <= n; ++i)
            labels.push_back(encoded(data.ObjectLabels[static_cast<std::size_t>(i)]));
        outputs.Newick = NewickText(tree, labels) + "\r\n";
    }
    if (options.PrintCophenetic || !options.CopheneticMatrixFile.empty()) {
        const TriangularMatrix levels = CopheneticLevels(tree);
        if (options.PrintCophenetic) {
            const TriangularMatrix& input =
                options.Kind == RunKind::Similarity ? data.SimMatrix : data.DissimMatrix;
            outputs.CopheneticLine = CopheneticCorrelationLine(CorrelateCophenetic(levels, input, n)) + "\n";
        }
        if (!options.CopheneticMatrixFile.empty())
            outputs.CopheneticMatrix = CopheneticMatrixTexts(data, levels, n);
    }
    return outputs;
}

void WriteTreeOutputs(const BatchOptions& options, const TreeOutputs& outputs, std::FILE* out)
{
    if (!options.ScheduleFile.empty())
        WriteText(options.ScheduleFile, outputs.Schedule);
    if (!options.ClustersFile.empty())
        WriteText(options.ClustersFile, outputs.Clusters);
    if (!options.NewickFile.empty())
        WriteText(options.NewickFile, outputs.Newick);
    if (outputs.CopheneticMatrix)
        WriteMatrixDataFile(options.CopheneticMatrixFile, *outputs.CopheneticMatrix);
    if (!outputs.CopheneticLine.empty())
        PrintToOutput(out, outputs.CopheneticLine);
}

} // namespace vantrel
