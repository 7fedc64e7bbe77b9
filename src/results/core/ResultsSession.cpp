#include "results/core/ResultsSession.h"

#include "common/Errors.h"

#include <algorithm>

namespace vantrel {

ResultsSession::ResultsSession(Run run) : run_(std::move(run)), method_(run_.Method)
{
    if (!run_.Data || run_.Tree.Empty())
        throw Error("There is no cluster tree to show.");
    auto shown = Describe(std::move(run_.Tree));
    shown_ = shown.get();
    trees_[method_] = std::move(shown);
    SetClusterCount(std::min(2, ObjectCount()));
}

long double ResultsSession::LeafLevel() const { return Similarity() ? Data().SimLeafHeight : 0.0L; }

std::vector<Linkage> ResultsSession::OfferedMethods() const
{
    std::vector<Linkage> methods;
    for (int value = 0; value < LinkageCount; ++value) {
        const auto method = static_cast<Linkage>(value);
        if (!Similarity() || AcceptsSimilarities(method))
            methods.push_back(method);
    }
    return methods;
}

std::unique_ptr<ResultsSession::MethodTree> ResultsSession::Describe(ClusterTree tree) const
{
    auto described = std::make_unique<MethodTree>();
    described->Tree = std::move(tree);
    described->Schedule = ScheduleTable(described->Tree, Data());
    const TriangularMatrix& input = Similarity() ? Data().SimMatrix : Data().DissimMatrix;
    described->Correlation =
        CorrelateCophenetic(CopheneticLevels(described->Tree), input, described->Tree.LeafCount());
    return described;
}

void ResultsSession::SelectMethod(Linkage method)
{
    auto found = trees_.find(method);
    if (found == trees_.end()) {
        // The run's data set is the process's; clustering it again changes
        // none of what the run read.
        found = trees_.emplace(method, Describe(ClusterForRun(*run_.Data, run_.Kind, method))).first;
    }
    method_ = method;
    shown_ = found->second.get();
    Recut(std::min(cut_.Count, ObjectCount()));
    SettleLine();
}

void ResultsSession::Recut(int count)
{
    cut_ = CutTree(Tree(), std::clamp(count, 1, ObjectCount()));
    membership_ = MembershipTable(Data(), cut_.Clusters);
}

void ResultsSession::SetClusterCount(int count)
{
    Recut(count);
    SettleLine();
}

void ResultsSession::PlaceLine(long double level)
{
    line_ = level;
    const int count = std::max(1, ClusterCountAtLevel(Tree(), level, Similarity()));
    if (count != cut_.Count)
        Recut(count);
}

void ResultsSession::SettleLine() { line_ = CutLineLevel(Tree(), cut_.Count, Similarity(), LeafLevel()); }

std::string ResultsSession::TreeFileText(ResultFile file, TextEncoding encoding) const
{
    switch (file) {
    case ResultFile::Schedule:
        return Encoded(ScheduleCsv(Tree()), encoding);
    case ResultFile::Clusters:
        return Encoded(ClustersCsv(Data(), cut_.Clusters), encoding);
    case ResultFile::Newick:
        return NewickFile(Data(), Tree(), encoding);
    default:
        throw Error("This result is not a text file.");
    }
}

MatrixTexts ResultsSession::CopheneticMatrix() const
{
    return CopheneticMatrixTexts(Data(), CopheneticLevels(Tree()));
}

std::string ResultsSession::ProposedName(ResultFile file) const
{
    return ProposedResultName(run_.ReportFileName, method_, file, cut_.Count);
}

RowFit ResultsSession::PrintWholeTree(Canvas& canvas, Progress& progress)
{
    WholeTreeStyle style;
    style.Decor = &cut_.Decor;
    style.LabelsInside = true;
    style.WidestNote = std::to_string(ObjectCount());
    // The page notes its rows in the nodes of the tree it draws.
    return PrintWholeDendrogram(Data(), shown_->Tree, DistType(), Similarity(), run_.FontSizeText, canvas,
                                style, progress);
}

} // namespace vantrel
