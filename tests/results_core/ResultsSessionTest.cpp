// The results window's state without windows: the method compared, the cut
// and its line in step, the tables following them.
#include "results/core/ResultsSession.h"

#include "common/Errors.h"
#include "engine/Agglomeration.h"
#include "print/TreeBuilder.h"
#include "runs/core/TreeResults.h"

#include <gtest/gtest.h>

#include <cfloat>

namespace vantrel {
namespace {

using testing::DataWithLabels;

// Four objects on a line at 0, 1, 3 and 7.
std::unique_ptr<AnalysisData> FourOnALine()
{
    auto data = DataWithLabels({"a", "b", "c", "d"});
    const long double at[] = {0, 1, 3, 7};
    for (int i = 2; i <= 4; ++i)
        for (int j = 1; j < i; ++j)
            data->DissimMatrix(i, j) = at[i - 1] - at[j - 1];
    return data;
}

ResultsSession SessionOn(AnalysisData& data, RunKind kind, Linkage method)
{
    ResultsSession::Run run;
    run.Data = &data;
    run.Kind = kind;
    run.Method = method;
    run.Tree = ClusterForRun(data, kind, method);
    run.ReportFileName = "/r/out.txt";
    return ResultsSession(std::move(run));
}

std::vector<std::string> MergeTexts(const ClusterTree& tree)
{
    std::vector<std::string> merges;
    for (const ScheduleRow& row : AgglomerationSchedule(tree))
        merges.push_back(std::to_string(row.Left) + "+" + std::to_string(row.Right) + "@" +
                         LevelText(row.Height));
    return merges;
}

TEST(ResultsSession, ComparesAnotherMethodOnTheSameInputKeepingTheCut)
{
    auto data = FourOnALine();
    ResultsSession session = SessionOn(*data, RunKind::Dissimilarity, Linkage::Complete);
    EXPECT_EQ(session.OfferedMethods().size(), 7u);
    EXPECT_EQ(session.ClusterCount(), 2);
    session.SetClusterCount(3);
    const ClusterTree* complete = &session.Tree();
    EXPECT_EQ(MergeTexts(*complete), (std::vector<std::string>{"1+2@1", "3+5@3", "4+6@7"}));

    session.SelectMethod(Linkage::Single);
    EXPECT_EQ(session.Method(), Linkage::Single);
    EXPECT_EQ(MergeTexts(session.Tree()), MergeTexts(MergeDissimilarities(*data, Linkage::Single)));
    EXPECT_EQ(MergeTexts(session.Tree()), (std::vector<std::string>{"1+2@1", "3+5@2", "4+6@4"}));
    EXPECT_EQ(session.ClusterCount(), 3);
    EXPECT_EQ(session.LineLevel(), 1.5L) << "between the merges at 1 and 2";
    EXPECT_EQ(session.Schedule().Cells[2][4], "4");
    EXPECT_EQ(session.ProposedName(ResultFile::Newick), "/r/out-single.nwk");
    EXPECT_NE(session.Cophenetic().R, std::nullopt);

    session.SelectMethod(Linkage::Complete);
    EXPECT_EQ(&session.Tree(), complete) << "built once, kept";
    EXPECT_EQ(session.RunMethod(), Linkage::Complete);
}

TEST(ResultsSession, AMethodThatFailsLeavesTheTreeShown)
{
    // Group averages of the largest values overflow; complete linkage does not.
    auto data = DataWithLabels({"a", "b", "c"});
    for (int i = 2; i <= 3; ++i)
        for (int j = 1; j < i; ++j)
            data->DissimMatrix(i, j) = LDBL_MAX;
    ResultsSession session = SessionOn(*data, RunKind::Dissimilarity, Linkage::Complete);
    const std::vector<std::string> before = MergeTexts(session.Tree());
    EXPECT_THROW(session.SelectMethod(Linkage::Average), Error);
    EXPECT_EQ(session.Method(), Linkage::Complete);
    EXPECT_EQ(MergeTexts(session.Tree()), before);
}

TEST(ResultsSession, TheLineAndTheNumberOfClustersMoveTogether)
{
    auto data = FourOnALine();
    ResultsSession session = SessionOn(*data, RunKind::Dissimilarity, Linkage::Complete);
    const struct {
        long double Line; // placed
        int Count; // then K
        long double Settled; // the line after the drag
    } drags[] = {{0.5L, 4, 0.5L}, {2.0L, 3, 2.0L}, {6.9L, 2, 5.0L}, {100.0L, 1, 7.0L}};
    for (const auto& c : drags) {
        SCOPED_TRACE(static_cast<double>(c.Line));
        session.PlaceLine(c.Line);
        EXPECT_EQ(session.ClusterCount(), c.Count);
        EXPECT_EQ(session.LineLevel(), c.Line);
        EXPECT_EQ(session.Membership().RowCount(), 4);
        session.SettleLine();
        EXPECT_EQ(session.LineLevel(), c.Settled);
    }
    session.SetClusterCount(2);
    EXPECT_EQ(session.Membership().Cells[3][2], "2");
    EXPECT_EQ(session.TreeFileText(ResultFile::Clusters, TextEncoding::Cp932),
              "object,label,cluster\r\n1,a,1\r\n2,b,1\r\n3,c,1\r\n4,d,2\r\n");
    session.SetClusterCount(99);
    EXPECT_EQ(session.ClusterCount(), 4) << "held within the objects";
}

TEST(ResultsSession, SimilaritiesOfferOnlyTheMethodsDefinedForThem)
{
    auto data = DataWithLabels({"a", "b", "c"});
    data->SimMatrix(2, 1) = 0.9L;
    data->SimMatrix(3, 1) = 0.1L;
    data->SimMatrix(3, 2) = 0.5L;
    ResultsSession session = SessionOn(*data, RunKind::Similarity, Linkage::Average);
    EXPECT_EQ(session.OfferedMethods(), (std::vector<Linkage>{Linkage::Complete, Linkage::Average,
                                                              Linkage::Single, Linkage::Weighted}));
    EXPECT_EQ(session.LeafLevel(), data->SimLeafHeight);
    EXPECT_GT(session.LineLevel(), 0.5L);
    EXPECT_LT(session.LineLevel(), 0.9L) << "between the merges at 0.9 and 0.3";
}

} // namespace
} // namespace vantrel
