// The results taken from the tree: schedule, clusters, cophenetic
// correlation and matrix, Newick, on small trees worked out by hand.
#include "support/BatchProcess.h"

#include "input/core/CellNumber.h"
#include "input/core/MatrixDataFile.h"
#include "platform/core/Cp932.h"

#include <gtest/gtest.h>

namespace vantrel {
namespace {

using testing::BatchResult;
using testing::FileExists;
using testing::ReadBytes;
using testing::RunBatch;

// Complete linkage of four objects whose labels need quoting in CSV and
// Newick: 5 = (1,2) at 1, 6 = (3,4) at 3, root 7 = (5,6) at 6.
const std::string FourLabels =
    "4\r\na,b\r\nc d\r\n\"q\"\r\n" + Sjis("りんご") + "\r\n1\r\n4\r\n2\r\n5\r\n6\r\n3\r\n";
// Similarities: 4 = (1,2) at 0.75, root 5 = (3,4) at 0.25 (single: 0.5).
const std::string ThreeSimilarities = "3\r\na\r\nb\r\nc\r\n0.75\r\n0.25\r\n0.5\r\n";

class BatchTreeOutputsTest : public testing::BatchFixture {
protected:
    // Runs with --input FILE and the arguments; the run must succeed.
    std::string Run(const std::string& bytes, std::vector<std::string> arguments)
    {
        arguments.insert(arguments.begin(), {"--input", DataFile(bytes)});
        const BatchResult result = RunBatch(arguments);
        EXPECT_EQ(result.ExitStatus, 0) << result.Err;
        return result.Out;
    }
};

TEST_F(BatchTreeOutputsTest, ScheduleListsEachMergeWithItsSize)
{
    const std::string file = dir_.File("s.csv");
    // All four values equal: the ties go to the first pair in list order.
    Run("4\r\na\r\nb\r\nc\r\nd\r\n1\r\n1\r\n1\r\n1\r\n1\r\n1\r\n", {"--schedule", file});
    EXPECT_EQ(ReadBytes(file), "stage,cluster,left,right,height,size\r\n"
                               "1,5,1,2,1,2\r\n"
                               "2,6,3,4,1,2\r\n"
                               "3,7,5,6,1,4\r\n");
    Run(ThreeSimilarities, {"--kind", "sim", "--schedule", file});
    EXPECT_EQ(ReadBytes(file), "stage,cluster,left,right,height,size\r\n"
                               "1,4,1,2,0.75,2\r\n"
                               "2,5,3,4,0.25,3\r\n");
}

TEST_F(BatchTreeOutputsTest, ClustersFromEveryKindOfCut)
{
    const std::string file = dir_.File("c.csv");
    const auto rows = [](const std::string& clusters) {
        return "object,label,cluster\r\n1,\"a,b\"," + clusters.substr(0, 1) + "\r\n2,\"c d\"," +
               clusters.substr(1, 1) + "\r\n3,\"\"\"q\"\"\"," + clusters.substr(2, 1) + "\r\n4," +
               Sjis("りんご") + "," + clusters.substr(3, 1) + "\r\n";
    };
    // The cuts themselves are checked on more trees with the tree results.
    const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
        {{"--cut", "1"}, "1111"},
        {{"--cut=4"}, "1234"},
        {{"--cut-level", "3"}, "1122"},
    };
    for (const auto& [cut, clusters] : cases) {
        std::vector<std::string> arguments = cut;
        arguments.insert(arguments.end(), {"--clusters", file});
        Run(FourLabels, arguments);
        EXPECT_EQ(ReadBytes(file), rows(clusters)) << cut[0];
    }

    // Similarities are kept down to the level: at 0.5 complete linkage has
    // merged only 1 and 2, single linkage everything.
    Run(ThreeSimilarities, {"--kind", "sim", "--clusters", file, "--cut-level", "0.5"});
    EXPECT_EQ(ReadBytes(file), "object,label,cluster\r\n1,a,1\r\n2,b,1\r\n3,c,2\r\n");
    Run(ThreeSimilarities, {"--kind", "sim", "--method", "single", "--clusters", file, "--cut-level", "0.5"});
    EXPECT_EQ(ReadBytes(file), "object,label,cluster\r\n1,a,1\r\n2,b,1\r\n3,c,1\r\n");

    Run(FourLabels, {"--clusters", file, "--cut", "2", "--utf8"});
    EXPECT_EQ(ReadBytes(file), Utf8FromCp932(rows("1122")));
}

TEST_F(BatchTreeOutputsTest, ClusterCountOutsideTheObjectsFailsBeforeAnyOutput)
{
    const std::string schedule = dir_.File("s.csv");
    for (const char* k : {"0", "5", "-2", "99999999999999999999"}) {
        const BatchResult result = RunBatch({"--input", DataFile(FourLabels), "--schedule", schedule,
                                             "--clusters", dir_.File("c.csv"), "--cut", k});
        EXPECT_EQ(result.ExitStatus, 1) << k;
        EXPECT_NE(result.Err.find("clusters is not possible: the number of clusters must be from 1 to 4"),
                  std::string::npos)
            << result.Err;
        EXPECT_FALSE(FileExists(schedule));
    }
}

TEST_F(BatchTreeOutputsTest, CopheneticCorrelationAndMatrix)
{
    // Levels 1, 4, 4 against 1, 4, 2: r = 2 / sqrt(7) = 0.755928946018454454...
    const std::string three = "3\r\na\r\nb\r\nc\r\n1\r\n4\r\n2\r\n";
    const std::string out = Run(three, {"--merges", DataFile(three), "--cophenetic"});
    EXPECT_EQ(out.substr(0, 20), "4\t1\t2\t1\n5\t3\t4\t4\ncoph") << "the merges come first";
    EXPECT_EQ(out.substr(out.find("cop"), 40), "cophenetic correlation: 0.75592894601845");
    EXPECT_EQ(
        Run("2\r\na\r\nb\r\n1\r\n", {"--cophenetic"}),
        "cophenetic correlation: undefined (neither the cophenetic levels nor the input values vary)\n");

    const std::string matrix = dir_.File("m.dat");
    Run(FourLabels, {"--cophenetic-matrix", matrix});
    const MatrixTexts texts = ReadMatrixDataFile(matrix);
    EXPECT_EQ(texts.Labels, (std::vector<std::string>{"a,b", "c d", "\"q\"", Sjis("りんご")}));
    const long double levels[] = {1, 6, 6, 6, 6, 3};
    for (std::size_t k = 0; k < 6; ++k)
        EXPECT_EQ(ParseCellNumber(texts.Values[k]), levels[k]) << k;

    // Levels that are no short decimals load back as the same 80-bit value.
    Run("3\r\na\r\nb\r\nc\r\n0.05\r\n0.1\r\n0.2\r\n", {"--method", "average", "--cophenetic-matrix", matrix});
    EXPECT_EQ(ParseCellNumber(ReadMatrixDataFile(matrix).Values[2]), (0.1L + 0.2L) / 2);
}

TEST_F(BatchTreeOutputsTest, NewickInTheCodePageOrInUtf8)
{
    const std::string file = dir_.File("t.nwk");
    Run(FourLabels, {"--newick", file});
    const std::string expected = "(('a,b':1,'c d':1):5,(\"q\":3,りんご:3):3);\r\n";
    EXPECT_EQ(ReadBytes(file), Sjis(expected));
    Run(FourLabels, {"--newick", file, "--utf8"});
    EXPECT_EQ(ReadBytes(file), expected);

    Run(ThreeSimilarities, {"--kind", "sim", "--newick", file});
    EXPECT_EQ(ReadBytes(file), "(c:0.75,(a:0.25,b:0.25):0.5);\r\n") << "leaves at 0.75 / 3 + 0.75 = 1";
}

} // namespace
} // namespace vantrel
