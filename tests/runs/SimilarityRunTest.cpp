// The similarity run: its report section, the similarity page, the refusal of
// the methods made for dissimilarities, and the same early stops as the
// dissimilarity run.
#include "RunTestSupport.h"

#include "input/TFSim.h"
#include "platform/core/Cp932.h"

#include <QComboBox>

namespace vantrel::testing {
namespace {

// a, b, c with s(b, a) = 1, s(c, a) = 4, s(c, b) = 2.5.
const std::string ThreeObjects = "3\r\na\r\nb\r\nc\r\n1\r\n4\r\n2.5\r\n";

using SimilarityRunTest = MainWindowFixture;

TEST_F(SimilarityRunTest, CompletedRunEchoesSimilaritiesAndPrintsTheSimilarityPage)
{
    const std::string report = Path("sim.txt");
    dialogs.AddFileName(report);
    printDialogs.AddConfirm();

    PressMatrixRun("SimButton", ThreeObjects);

    EXPECT_TRUE(Errors().empty()) << Errors().front();
    EXPECT_EQ(ReadBytes(report), "\r\n" + Sjis("入力データ（類似度）...") + "\r\n" +
                                     "a         \r\n"
                                     "b         1         \r\n"
                                     "c         4         2.5       \r\n");
    EXPECT_EQ(Shared().MaxSimilarity, 4.0L);
    // Leaves stand at 4 / 3 + 4.
    EXPECT_EQ(Shared().SimLeafHeight, 4.0L / 3 + 4.0L);

    std::vector<std::string> texts;
    for (const auto& command : canvas.Texts())
        texts.push_back(command.Text);
    // a and c merge first (at 4); by complete linkage b joins them at the
    // least similar pair, min(1, 2.5) = 1.
    ASSERT_EQ(texts.size(), 6u);
    EXPECT_EQ(texts[0], "4");
    EXPECT_EQ(texts[1], "1.00");
    EXPECT_EQ(texts[2], Sjis("最長距離法＜類似度＞"));
    EXPECT_EQ(Messages(), std::vector<std::string>{"Calculation ended. Output File = " + report});
    EXPECT_EQ(quitRequests, 1);
    ASSERT_NE(main.FSim(), nullptr);
    EXPECT_FALSE(main.FSim()->isVisible());
}

TEST_F(SimilarityRunTest, MethodsForDissimilaritiesOnlyStopBeforeTheReportDialog)
{
    auto* combo = main.findChild<QComboBox*>(QStringLiteral("ComboBoxDist"));
    dialogs.AddFileName(Path("never.txt"));
    for (const Linkage method : {Linkage::Ward, Linkage::Centroid, Linkage::Median}) {
        SCOPED_TRACE(MethodKey(method));
        messages.Clear();
        combo->setCurrentIndex(static_cast<int>(method));

        PressMatrixRun("SimButton", ThreeObjects);

        EXPECT_EQ(Messages(), std::vector<std::string>{NeedsDissimilaritiesText(method)});
        EXPECT_TRUE(Errors().empty());
        EXPECT_TRUE(dialogs.Shown().empty());
        EXPECT_FALSE(FileExists(Path("never.txt")));
        ExpectAbandonedBeforeThePage();
    }
}

TEST_F(SimilarityRunTest, OneObjectFailsAfterTheEcho)
{
    const std::string report = Path("one.txt");
    dialogs.AddFileName(report);
    PressMatrixRun("SimButton", "1\r\nsolo\r\n");

    EXPECT_EQ(Errors(), std::vector<std::string>{"Range error in SeekC"});
    EXPECT_EQ(ReadBytes(report), "\r\n" + Sjis("入力データ（類似度）...") + "\r\nsolo      \r\n");
    EXPECT_EQ(Session().ReportFile, nullptr);
    EXPECT_TRUE(canvas.Commands().empty());
    EXPECT_TRUE(main.isVisible());
}

} // namespace
} // namespace vantrel::testing
