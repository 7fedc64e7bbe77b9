#include "batch/BatchTreeFiles.h"

#include "batch/BatchOptions.h"
#include "batch/BatchOutputs.h"
#include "engine/AnalysisData.h"
#include "input/core/MatrixDataFile.h"
#include "results/core/TreeFiles.h"
#include "runs/core/TreeResults.h"

namespace vantrel {

void CheckCutBeforeRun(const BatchOptions& options, int objectCount)
{
    if (options.CutCount && objectCount >= 2)
        CheckClusterCount(*options.CutCount, objectCount);
}

TreeOutputs TakeTreeOutputs(const BatchOptions& options, const AnalysisData& data, const ClusterTree& tree)
{
    const TextEncoding encoding = options.Utf8 ? TextEncoding::Utf8 : TextEncoding::Cp932;
    const int n = tree.LeafCount();
    TreeOutputs outputs;
    if (!options.ScheduleFile.empty())
        outputs.Schedule = Encoded(ScheduleCsv(tree), encoding);
    if (!options.ClustersFile.empty()) {
        const bool similarity = options.Kind == RunKind::Similarity;
        outputs.Clusters =
            Encoded(ClustersCsv(data, options.CutCount
                                          ? CutIntoClusters(tree, *options.CutCount)
                                          : CutAtLevel(tree, options.CutLevel.value_or(0.0L), similarity)),
                    encoding);
    }
    if (!options.NewickFile.empty())
        outputs.Newick = NewickFile(data, tree, encoding);
    if (options.PrintCophenetic || !options.CopheneticMatrixFile.empty()) {
        const TriangularMatrix levels = CopheneticLevels(tree);
        if (options.PrintCophenetic) {
            const TriangularMatrix& input =
                options.Kind == RunKind::Similarity ? data.SimMatrix : data.DissimMatrix;
            outputs.CopheneticLine = CopheneticCorrelationLine(CorrelateCophenetic(levels, input, n)) + "\n";
        }
        if (!options.CopheneticMatrixFile.empty())
            outputs.CopheneticMatrix = CopheneticMatrixTexts(data, levels);
    }
    return outputs;
}

void WriteTreeOutputs(const BatchOptions& options, const TreeOutputs& outputs, std::FILE* out)
{
    if (!options.ScheduleFile.empty())
        WriteTreeFile(options.ScheduleFile, outputs.Schedule);
    if (!options.ClustersFile.empty())
        WriteTreeFile(options.ClustersFile, outputs.Clusters);
    if (!options.NewickFile.empty())
        WriteTreeFile(options.NewickFile, outputs.Newick);
    if (outputs.CopheneticMatrix)
        WriteMatrixDataFile(options.CopheneticMatrixFile, *outputs.CopheneticMatrix);
    if (!outputs.CopheneticLine.empty())
        PrintToOutput(out, outputs.CopheneticLine);
}

} // namespace vantrel
