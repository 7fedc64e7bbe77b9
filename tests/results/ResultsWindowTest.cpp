// The results window offscreen: the cut and its line in step, the colours
// drawn, the methods compared with vantrel-batch's, the clipboard, and the
// rows of a 1000-object tree within reach.
#include "ResultsTestSupport.h"

#include "platform/core/Cp932.h"
#include "print/RecordingCanvas.h"
#include "results/core/TreeZoom.h"

#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QTableView>
#include <QTest>

#include <map>

namespace vantrel::testing {
namespace {

// Objects at 0, 1, 3, 7 and 8.5. Complete linkage: 6 = a+b at 1,
// 7 = d+e at 1.5, c joins a+b at 3, the root at 8.5.
const std::string FiveObjects =
    "5\r\na\r\nb\r\nc\r\nd\r\ne\r\n1\r\n3\r\n2\r\n7\r\n6\r\n4\r\n8.5\r\n7.5\r\n5.5\r\n1.5\r\n";

using ResultsWindowTest = ResultsFixture;

// Each label drawn, with its colour, and each note (cluster number) beside it.
std::map<std::string, std::uint32_t> LabelColors(TreeView& view)
{
    RecordingCanvas canvas;
    view.DrawVisible(canvas);
    std::map<std::string, std::uint32_t> colors;
    for (const auto& text : canvas.Texts())
        colors[text.Text] = text.Color;
    return colors;
}

TEST_F(ResultsWindowTest, TheNumberOfClustersAndTheLineStayInStep)
{
    Open(FiveObjects);
    EXPECT_EQ(window->windowTitle(), QStringLiteral("結果 - report.txt"));
    auto& count = Find<QSpinBox>("ClusterCount");
    EXPECT_EQ(count.maximum(), 5);
    EXPECT_EQ(count.value(), 2);

    // K sets the line midway between the last merge kept and the first undone.
    const struct {
        int Count;
        long double Line;
    } counts[] = {{2, 5.75L}, {3, 2.25L}, {5, 0.5L}, {1, 8.5L}};
    for (const auto& c : counts) {
        count.setValue(c.Count);
        EXPECT_EQ(Session().LineLevel(), c.Line) << c.Count;
    }

    // A click places the line and sets K; the end of the drag moves the line
    // to the level of the cut.
    QWidget* viewport = Tree().viewport();
    const int x = Tree().Layout().LevelX(1.2L) - Tree().horizontalScrollBar()->value();
    QTest::mousePress(viewport, Qt::LeftButton, {}, QPoint(x, viewport->height() / 2));
    EXPECT_EQ(count.value(), 4);
    EXPECT_NEAR(static_cast<double>(Session().LineLevel()), 1.2, 0.05);
    const int far = Tree().Layout().LevelX(5.0L) - Tree().horizontalScrollBar()->value();
    QTest::mouseMove(viewport, QPoint(far, viewport->height() / 2));
    EXPECT_EQ(count.value(), 2) << "a drag under way";
    QTest::mouseRelease(viewport, Qt::LeftButton, {}, QPoint(far, viewport->height() / 2));
    EXPECT_EQ(Session().LineLevel(), 5.75L);
    EXPECT_EQ(Find<QTableView>("MembershipTable").model()->index(3, 2).data().toString(),
              QStringLiteral("2"));
}

TEST_F(ResultsWindowTest, LeavesAndBranchesTakeTheirClustersColoursWithTheNumberBeside)
{
    Open(FiveObjects);
    Find<QSpinBox>("ClusterCount").setValue(2);
    // {a, b, c} and {d, e} each share a colour; the cluster that comes first
    // down the rows takes the palette's first.
    std::map<std::string, std::uint32_t> colors = LabelColors(Tree());
    const std::int32_t top = Tree().Layout().Rows.front();
    const std::string topLabel(1, static_cast<char>('a' + top - 1));
    EXPECT_EQ(colors[topLabel], ClusterPalette[0]);
    EXPECT_EQ(colors["a"], colors["b"]);
    EXPECT_EQ(colors["a"], colors["c"]);
    EXPECT_EQ(colors["d"], colors["e"]);
    EXPECT_NE(colors["a"], colors["d"]);
    EXPECT_EQ(colors["1"], colors["a"]) << "cluster 1 holds object 1";
    EXPECT_EQ(colors["2"], colors["d"]);
    EXPECT_EQ(colors[Sjis("最長距離法")], AboveCutColor);

    Find<QSpinBox>("ClusterCount").setValue(1);
    colors = LabelColors(Tree());
    EXPECT_EQ(colors["d"], ClusterPalette[0]);
    EXPECT_EQ(colors.count("2"), 0u);
}

TEST_F(ResultsWindowTest, AnotherMethodGivesTheTreeVantrelBatchGivesAndKeepsTheCut)
{
    Open(FiveObjects);
    auto& methods = Find<QComboBox>("MethodBox");
    ASSERT_EQ(methods.count(), 7);
    EXPECT_EQ(methods.currentText(), QStringLiteral("最長距離法"));
    Find<QSpinBox>("ClusterCount").setValue(3);
    for (const auto& [method, key] :
         {std::pair{Linkage::Single, "single"}, std::pair{Linkage::Average, "average"},
          std::pair{Linkage::Complete, "complete"}}) {
        SCOPED_TRACE(key);
        methods.setCurrentIndex(methods.findData(static_cast<int>(method)));
        EXPECT_TRUE(Errors().empty());
        EXPECT_EQ(Session().Method(), method);
        const BatchResult merges = RunBatch({"--method", key, "--merges", dataFile});
        EXPECT_EQ(MergeLines(Session().Tree()), merges.Out);
        EXPECT_EQ(Find<QSpinBox>("ClusterCount").value(), 3);
        // The correlation's full value is the one vantrel-batch prints.
        const std::string line = Batch({"--method", key, "--cophenetic"});
        EXPECT_EQ("cophenetic correlation: " + Find<QLabel>("CopheneticLabel").toolTip().toStdString() + "\n",
                  line);
    }
    EXPECT_EQ(Session().RunMethod(), Linkage::Complete);
}

TEST_F(ResultsWindowTest, SelectedRowsGoToTheClipboardAsTabSeparatedText)
{
    Open(FiveObjects);
    const auto copy = [&](QTableView& table, std::vector<int> rows) {
        table.clearSelection();
        for (const int row : rows)
            table.selectionModel()->select(table.model()->index(row, 0),
                                           QItemSelectionModel::Select | QItemSelectionModel::Rows);
        table.findChild<QAction*>(QStringLiteral("CopyRows"))->trigger();
        return QGuiApplication::clipboard()->text().toStdString();
    };
    auto& membership = Find<QTableView>("MembershipTable");
    EXPECT_EQ(copy(membership, {2, 0}), "1\ta\t1\n3\tc\t1\n");
    // Sorted by cluster, largest first: the rows copied are those shown.
    membership.sortByColumn(2, Qt::DescendingOrder);
    EXPECT_EQ(copy(membership, {0, 1}), "4\td\t2\n5\te\t2\n");
    EXPECT_EQ(copy(Find<QTableView>("ScheduleTable"), {1}), "2\t7\td\te\t1.5\t2\n");
}

TEST_F(ResultsWindowTest, EveryLeafOfAThousandObjectsCanBeScrolledTo)
{
    Open(LineOfObjects(1000));
    TreeView& view = Tree();
    // Across, the whole axis fits the view: the root and the line are in
    // sight without scrolling, and the tree does not shrink into a corner.
    Find<QPushButton>("ZoomFit").click();
    EXPECT_EQ(view.horizontalScrollBar()->maximum(), 0);
    const int axisEnd = view.Layout().LevelX(view.Layout().AxisTo);
    EXPECT_LE(axisEnd, view.viewport()->width());
    EXPECT_GT(axisEnd, view.viewport()->width() / 2);
    QScrollBar& down = *view.verticalScrollBar();
    ASSERT_GT(down.maximum(), 0);
    const std::string last = "o" + std::to_string(view.Layout().Rows.back());
    const auto lastLabel = [&]() -> std::optional<RecordingCanvas::Command> {
        RecordingCanvas canvas;
        view.DrawVisible(canvas);
        for (const auto& text : canvas.Texts())
            if (text.Text == last)
                return text;
        return std::nullopt;
    };
    EXPECT_FALSE(lastLabel()) << "not in view at first";
    down.setValue(down.maximum());
    const auto shown = lastLabel();
    ASSERT_TRUE(shown);
    EXPECT_GE(shown->Y, view.Layout().HeaderBottom());
    EXPECT_LE(shown->Y + view.Layout().Scale.H, view.viewport()->height());
    EXPECT_GE(view.FontSize(), MinScreenFontSize) << "labels stay readable";

    // Zooming in keeps the rows at the view's centre in view.
    const long double centre =
        (down.value() + view.viewport()->height() / 2.0L) / (view.Layout().Scale.H * 1.2L);
    Find<QPushButton>("ZoomIn").click();
    EXPECT_GT(view.FontSize(), MinScreenFontSize);
    const long double after =
        (down.value() + view.viewport()->height() / 2.0L) / (view.Layout().Scale.H * 1.2L);
    EXPECT_NEAR(static_cast<double>(after), static_cast<double>(centre), 3.0);
}

} // namespace
} // namespace vantrel::testing
