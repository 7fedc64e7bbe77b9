#include "support/BatchProcess.h"

#include "platform/core/Cp932.h"

#include <gtest/gtest.h>

namespace vantrel {
namespace {

using testing::BatchResult;
using testing::ReadBytes;
using testing::RunBatch;

class BatchAttributeTest : public testing::BatchFixture {
protected:
    std::string Write(const std::string& name, const std::string& bytes) { return dir_.Write(name, bytes); }
};

// Objects P (0, 0) and Q (3, 4) with attributes x and y.
const std::string ThreeFourFive = "4\r\n4\r\n\r\nx\r\ny\r\nP\r\n0\r\n0\r\nQ\r\n3\r\n4\r\n";

TEST_F(BatchAttributeTest, PlainDistancesFromTheDataFile)
{
    const BatchResult result = RunBatch({"--kind", "attr", "--merges", Write("t.dat", ThreeFourFive)});
    ASSERT_EQ(result.ExitStatus, 0) << result.Err;
    EXPECT_EQ(result.Out, "3\t1\t2\t5\n");
}

TEST_F(BatchAttributeTest, StandardizedReportAsTheAttributeRunWritesIt)
{
    const std::string report = dir_.File("r.txt");
    const BatchResult result = RunBatch(
        {"--kind=attr", "--standardize", "--input", Write("t.dat", ThreeFourFive), "--report", report});
    ASSERT_EQ(result.ExitStatus, 0) << result.Err;
    EXPECT_EQ(ReadBytes(report), "\r\n" + Sjis("入力データ...") +
                                     "\r\n"
                                     "  1 : P             0.0    0.0\r\n"
                                     "  2 : Q             3.0    4.0\r\n"
                                     "\r\n" +
                                     Sjis("標準化入力データ...") +
                                     "\r\n"
                                     "  1 : P            -1.0   -1.0\r\n"
                                     "  2 : Q             1.0    1.0\r\n"
                                     "\r\n" +
                                     Sjis("算出された距離...") +
                                     "\r\n"
                                     "P         \r\n"
                                     "Q         2.828427  \r\n");
}

TEST_F(BatchAttributeTest, CsvFileByNameInAnyCase)
{
    const std::string csv = Write("t.Csv", ",x,y\r\nP,0,0\r\nQ,6,8\r\n");
    const BatchResult result = RunBatch({"--kind", "attr", "--merges", csv});
    ASSERT_EQ(result.ExitStatus, 0) << result.Err;
    EXPECT_EQ(result.Out, "3\t1\t2\t10\n");
}

TEST_F(BatchAttributeTest, FailuresAreReportedWithTheWindowsTexts)
{
    const BatchResult bad = RunBatch(
        {"--kind", "attr", "--merges", Write("bad.dat", "4\r\n3\r\n\r\nx\r\nP\r\n1\r\nQ\r\n1e\r\n")});
    EXPECT_EQ(bad.ExitStatus, 1);
    EXPECT_EQ(bad.Err, "Error ===>  Cells[3,2] = 1e\n");

    const std::string report = dir_.File("r.txt");
    const BatchResult flat =
        RunBatch({"--kind", "attr", "--standardize", "--input",
                  Write("flat.dat", "4\r\n3\r\n\r\nx\r\nP\r\n1\r\nQ\r\n1\r\n"), "--report", report});
    EXPECT_EQ(flat.ExitStatus, 1);
    EXPECT_NE(flat.Err.find("attribute 1 (x)"), std::string::npos) << flat.Err;
    EXPECT_EQ(ReadBytes(report),
              "\r\n" + Sjis("入力データ...") + "\r\n  1 : P             1.0\r\n  2 : Q             1.0\r\n");

    const BatchResult usage = RunBatch({"--standardize", "--merges", Write("m.dat", "2\r\na\r\nb\r\n1\r\n")});
    EXPECT_EQ(usage.ExitStatus, 2);
}

} // namespace
} // namespace vantrel
