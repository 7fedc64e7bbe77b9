// The results window's tables, copies, file names and zoom, without windows.
#include "results/core/ResultTables.h"
#include "results/core/ResultFiles.h"
#include "results/core/TreeZoom.h"

#include "platform/core/Cp932.h"
#include "print/RecordingCanvas.h"
#include "print/TreeBuilder.h"

#include <gtest/gtest.h>

namespace vantrel {
namespace {

using testing::DataWithLabels;
using testing::TreeBuilder;

TEST(ResultTables, ScheduleShowsLeavesByLabelAndHeightsShortWithTheFullValueBeside)
{
    auto data = DataWithLabels({"a", "b\tc", "d"});
    TreeBuilder builder(3);
    builder.Merge(1, 2, 2.0L / 3);
    builder.Merge(3, 4, 12345678.0L);
    const ClusterTree tree = builder.Take();
    const TextTable table = ScheduleTable(tree, *data);
    ASSERT_EQ(table.RowCount(), 2);
    EXPECT_EQ(table.Cells[0], (std::vector<std::string>{"1", "4", "a", "b\tc", "0.6666667", "2"}));
    EXPECT_EQ(table.Cells[1], (std::vector<std::string>{"2", "5", "d", "4", "1.234568E7", "3"}));
    EXPECT_EQ(table.Tips[1][2], Sjis("対象 3"));
    EXPECT_EQ(table.Tips[1][3], Sjis("クラスター 4"));
    EXPECT_EQ(table.Tips[0][4], "0.666666666666666666685");

    // A copy takes the full heights, and a tab in a label becomes a blank.
    EXPECT_EQ(TabSeparated(table, {1, 0}), "2\t5\td\t4\t12345678\t3\n"
                                           "1\t4\ta\tb c\t0.666666666666666666685\t2\n");
}

TEST(ResultTables, MembershipSortsByAnyColumnKeepingTiesInObjectOrder)
{
    auto data = DataWithLabels({"b", "a", "c", "a"});
    const TextTable table = MembershipTable(*data, {2, 1, 10, 1});
    EXPECT_EQ(table.Cells[2], (std::vector<std::string>{"3", "c", "10"}));
    const struct {
        int Column;
        bool Ascending;
        std::vector<int> Rows;
    } cases[] = {
        {0, false, {3, 2, 1, 0}},
        {1, true, {1, 3, 0, 2}},
        {2, true, {1, 3, 0, 2}}, // 10 sorts after 2 as a number
        {2, false, {2, 0, 1, 3}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(SortedRows(table, c.Column, c.Ascending), c.Rows) << c.Column << c.Ascending;
}

TEST(ResultTables, CopheneticCorrelationOrWhyNot)
{
    CopheneticCorrelation defined;
    defined.R = 0.924473451641905006411L;
    EXPECT_EQ(CopheneticText(defined), Sjis("コーフェン相関係数：0.9244735"));
    EXPECT_EQ(CopheneticTip(defined), "0.924473451641905006411");
    CopheneticCorrelation flat;
    flat.InputConstant = true;
    EXPECT_EQ(CopheneticText(flat), Sjis("コーフェン相関係数：定義されません（入力値がすべて等しいため）"));
    EXPECT_EQ(CopheneticTip(flat), "");
}

TEST(ResultFiles, ProposedNamesCarryTheMethodAndChosenTypesTheirEncodingAndFormat)
{
    const struct {
        ResultFile File;
        const char* Name;
    } names[] = {
        {ResultFile::Schedule, "/d/run.1/report-ward-schedule.csv"},
        {ResultFile::Clusters, "/d/run.1/report-ward-clusters-4.csv"},
        {ResultFile::Newick, "/d/run.1/report-ward.nwk"},
        {ResultFile::CopheneticMatrix, "/d/run.1/report-ward-cophenetic.dat"},
        {ResultFile::Picture, "/d/run.1/report-ward-tree.pdf"},
        {ResultFile::PrintedTree, "/d/run.1/report-ward-tree"},
    };
    for (const auto& c : names)
        EXPECT_EQ(ProposedResultName("/d/run.1/report.txt", Linkage::Ward, c.File, 4), c.Name);
    EXPECT_EQ(ProposedResultName("/d/run.1/report", Linkage::Single, ResultFile::Newick, 2),
              "/d/run.1/report-single.nwk");

    const struct {
        ResultFile File;
        const char* Chosen;
        std::size_t Filter;
        const char* Written;
        TextEncoding Encoding;
        PictureFormat Format;
    } targets[] = {
        {ResultFile::Clusters, "/d/c", 0, "/d/c.csv", TextEncoding::Cp932, PictureFormat::Pdf},
        {ResultFile::Schedule, "/d/s.txt", 1, "/d/s.txt", TextEncoding::Utf8, PictureFormat::Pdf},
        {ResultFile::Newick, "/d.x/t", 1, "/d.x/t.nwk", TextEncoding::Utf8, PictureFormat::Pdf},
        {ResultFile::CopheneticMatrix, "/d/m", 0, "/d/m.dat", TextEncoding::Cp932, PictureFormat::Pdf},
        {ResultFile::Picture, "/d/p", 2, "/d/p.svg", TextEncoding::Cp932, PictureFormat::Svg},
        {ResultFile::Picture, "/d/p.PNG", 0, "/d/p.PNG", TextEncoding::Cp932, PictureFormat::Png},
    };
    for (const auto& c : targets) {
        SCOPED_TRACE(c.Chosen);
        const ResultTarget target = ResultFileTarget(c.File, c.Chosen, c.Filter);
        EXPECT_EQ(target.FileName, c.Written);
        EXPECT_EQ(target.Encoding, c.Encoding);
        if (c.File == ResultFile::Picture) {
            EXPECT_EQ(target.Format, c.Format);
        }
    }
}

// Text 4 units high per point, as a font grows with its size.
class ScalingCanvas : public RecordingCanvas {
public:
    int TextHeight(const std::string&) override { return 4 * FontSize(); }
};

TEST(TreeZoom, StepsAndFitKeepLabelsReadable)
{
    const struct {
        int Size, Steps, Expected;
    } steps[] = {
        {12, 1, 15}, {12, -1, 10}, {7, -1, 7}, {8, 1, 10}, {9, -1, 7}, {40, 2, 48}, {12, 3, 24},
    };
    for (const auto& c : steps)
        EXPECT_EQ(ZoomedFontSize(c.Size, c.Steps), c.Expected) << c.Size << " " << c.Steps;

    // Ten rows end at (12 + 2) × 1.2 H + H / 2 = 17.3 H, H = 4 × size.
    ScalingCanvas canvas;
    EXPECT_EQ(FitFontSize(canvas, 10, 17 * 4 * 10 + 20), 10);
    EXPECT_EQ(FitFontSize(canvas, 10, 100000), MaxFitFontSize);
    EXPECT_EQ(FitFontSize(canvas, 1000, 700), MinScreenFontSize) << "then the view scrolls";
    EXPECT_EQ(canvas.FontSize(), MinScreenFontSize);
    EXPECT_EQ(ZoomedWidth(800, 15, 12), 1000);
}

} // namespace
} // namespace vantrel
