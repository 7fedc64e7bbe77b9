#include "support/BatchProcess.h"

#include "platform/core/Cp932.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <unistd.h>

namespace vantrel {
namespace {

using testing::BatchResult;
using testing::RunBatch;

const std::string Sample = std::string(VANTREL_SOURCE_DIR) + "/samples/";

using BatchTest = testing::BatchFixture;

TEST_F(BatchTest, PrintsOneLinePerMergeForEachMethod)
{
    const std::string file = DataFile("3\r\na\r\nb\r\nc\r\n1\r\n4\r\n2\r\n");
    const BatchResult complete = RunBatch({"--merges", file});
    EXPECT_EQ(complete.ExitStatus, 0) << complete.Err;
    EXPECT_EQ(complete.Out, "4\t1\t2\t1\n5\t3\t4\t4\n");
    EXPECT_EQ(complete.Err, "");

    EXPECT_EQ(RunBatch({"--method", "single", "--merges", file}).Out, "4\t1\t2\t1\n5\t3\t4\t2\n");
    EXPECT_EQ(RunBatch({"--merges=" + file, "--method=average"}).Out, "4\t1\t2\t1\n5\t3\t4\t3\n");
}

TEST_F(BatchTest, ClustersSimilaritiesMostSimilarFirst)
{
    const std::string file = DataFile("3\r\na\r\nb\r\nc\r\n0.75\r\n0.25\r\n0.5\r\n");
    EXPECT_EQ(RunBatch({"--kind", "sim", "--merges", file}).Out, "4\t1\t2\t0.75\n5\t3\t4\t0.25\n");
    EXPECT_EQ(RunBatch({"--kind", "sim", "--method", "single", "--merges", file}).Out,
              "4\t1\t2\t0.75\n5\t3\t4\t0.5\n");
    EXPECT_EQ(RunBatch({"--kind", "sim", "--method", "average", "--merges", file}).Out,
              "4\t1\t2\t0.75\n5\t3\t4\t0.375\n");
}

TEST_F(BatchTest, PrintsHeightsWithTwentyOneDigits)
{
    const std::string file = DataFile("2\na\nb\n0.1\n");
    // 0.1 as an 80-bit value, not as a double.
    EXPECT_EQ(RunBatch({"--merges", file}).Out, "3\t1\t2\t0.100000000000000000001\n");
}

TEST_F(BatchTest, ClustersTheSamples)
{
    for (const char* kind : {"dissim", "sim"}) {
        const std::string name = std::string(kind) == "sim" ? "fruits-sim.dat" : "fruits.dat";
        const BatchResult result = RunBatch({"--kind", kind, "--merges", Sample + name});
        EXPECT_EQ(result.ExitStatus, 0) << result.Err;
        EXPECT_EQ(std::count(result.Out.begin(), result.Out.end(), '\n'), 7) << kind;
        EXPECT_NE(result.Out.find("\n14\t"), std::string::npos) << result.Out;
        EXPECT_NE(result.Out.find("\n15\t"), std::string::npos) << "the root has id 2N-1";
    }
}

TEST_F(BatchTest, BadCellPrintsTheOkMessage)
{
    const std::string bad = Sjis("不明");
    const BatchResult result =
        RunBatch({"--merges", DataFile("3\r\na\r\nb\r\nc\r\n1\r\n2\r\n" + bad + "\r\n")});
    EXPECT_EQ(result.ExitStatus, 1);
    EXPECT_EQ(result.Out, "");
    EXPECT_EQ(result.Err, "Error ===>  Cells[3,2] = " + bad + "\n");
}

TEST_F(BatchTest, TooFewObjectsFailLikeTheEngine)
{
    for (const std::string bytes : {"1\r\nsolo\r\n", "", "-3\r\n"}) {
        const BatchResult result = RunBatch({"--merges", DataFile(bytes)});
        EXPECT_EQ(result.ExitStatus, 1) << bytes;
        EXPECT_EQ(result.Err, "Range error in SeekC\n") << bytes;
        EXPECT_EQ(result.Out, "");
    }
}

TEST_F(BatchTest, FileProblemsExitWithStatusOne)
{
    const BatchResult missing = RunBatch({"--merges", dir_.File("missing.dat")});
    EXPECT_EQ(missing.ExitStatus, 1);
    EXPECT_NE(missing.Err.find("missing.dat"), std::string::npos);

    const BatchResult notCount = RunBatch({"--merges", DataFile("three\r\n")});
    EXPECT_EQ(notCount.ExitStatus, 1);
    EXPECT_NE(notCount.Err.find("data"), std::string::npos);

    const BatchResult tooMany = RunBatch({"--merges", DataFile("1001\r\n")});
    EXPECT_EQ(tooMany.ExitStatus, 1);
    EXPECT_NE(tooMany.Err.find("Too many objects"), std::string::npos);
}

TEST_F(BatchTest, BadCommandLinesShowTheUsageWithStatusTwo)
{
    const std::string file = DataFile("2\na\nb\n1\n");
    const std::vector<std::vector<std::string>> lines = {
        {},
        {"--kind", "sim"},
        {"--merges"},
        {"--kind", "table", "--merges", file},
        {"--method", "mcquitty", "--merges", file},
        {"--merges", file, "--font-size", "000"},
        {"--merges", file, "--font-size=0"},
        {"--merges", file, "--font-size", "1000"},
        {"--merges", file, "--bogus"},
        {file},
        {"--help=yes"},
        {"--input", file, "--clusters", "c.csv"},
        {"--input", file, "--cut", "2", "--newick", "t.nwk"},
        {"--input", file, "--cut-level", "1", "--newick", "t.nwk"},
        {"--input", file, "--clusters", "c.csv", "--cut", "2", "--cut-level", "1"},
        {"--input", file, "--clusters", "c.csv", "--cut", "2.5"},
        {"--input", file, "--clusters", "c.csv", "--cut", "two"},
        {"--input", file, "--clusters", "c.csv", "--cut-level", "1,5"},
        {"--input", file, "--whole-tree", "--schedule", "s.csv"},
        {"--input", file, "--utf8"},
    };
    for (const auto& line : lines) {
        const BatchResult result = RunBatch(line);
        EXPECT_EQ(result.ExitStatus, 2) << ::testing::PrintToString(line);
        EXPECT_NE(result.Err.find("usage: vantrel-batch"), std::string::npos);
        EXPECT_EQ(result.Out, "");
    }
}

TEST_F(BatchTest, HelpGoesToStandardOutput)
{
    const BatchResult result = RunBatch({"--help"});
    EXPECT_EQ(result.ExitStatus, 0);
    EXPECT_NE(result.Out.find("--merges FILE"), std::string::npos);
    EXPECT_NE(result.Out.find("--method complete|average|single"), std::string::npos);
}

TEST_F(BatchTest, LaterOptionsOverrideEarlierOnes)
{
    const std::string file = DataFile("3\r\na\r\nb\r\nc\r\n1\r\n4\r\n2\r\n");
    EXPECT_EQ(RunBatch({"--method", "average", "--method", "single", "--merges", file}).Out,
              "4\t1\t2\t1\n5\t3\t4\t2\n");
}

TEST_F(BatchTest, FailedOutputIsNotReportedAsSuccess)
{
    if (access("/dev/full", W_OK) != 0)
        GTEST_SKIP() << "no /dev/full";
    const std::string file = DataFile("2\na\nb\n1\n");
    const std::string command =
        std::string("'") + VANTREL_BATCH_BINARY + "' --merges '" + file + "' > /dev/full 2>/dev/null";
    const int status = std::system(command.c_str());
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 1);
}

} // namespace
} // namespace vantrel
