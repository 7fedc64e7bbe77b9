#include "support/BatchProcess.h"

#include <gtest/gtest.h>

namespace vantrel {
namespace {

using testing::RunBatch;
using testing::ScratchDir;
using testing::WriteBytes;

TEST(BatchCsvInput, CsvNamesInAnyCaseReadTheMatrixCsvFormat)
{
    ScratchDir dir;
    const std::string lower = dir.File("m.csv");
    const std::string mixed = dir.File("m2.CsV");
    WriteBytes(lower, ",a,b,c\r\na\r\nb,1\r\nc,4,2\r\n");
    WriteBytes(mixed, ",a,b,c\na\nb, 1\nc,4,2\n");
    for (const auto& file : {lower, mixed}) {
        const auto result = RunBatch({"--merges", file});
        EXPECT_EQ(result.ExitStatus, 0) << result.Err;
        EXPECT_EQ(result.Out, "4\t1\t2\t1\n5\t3\t4\t4\n") << file;
    }
}

TEST(BatchCsvInput, ShortCsvLineFailsWithItsMessage)
{
    ScratchDir dir;
    const std::string file = dir.File("short.csv");
    WriteBytes(file, ",a,b,c\r\na\r\nb,1\r\nc,4\r\n");
    const auto result = RunBatch({"--merges", file});
    EXPECT_NE(result.ExitStatus, 0);
    EXPECT_NE(result.Err.find("line 4"), std::string::npos) << result.Err;
}

TEST(BatchCsvInput, OtherNamesStayMatrixDataFiles)
{
    ScratchDir dir;
    const std::string file = dir.File("m.csv.txt");
    WriteBytes(file, "3\r\na\r\nb\r\nc\r\n1\r\n4\r\n2\r\n");
    EXPECT_EQ(RunBatch({"--merges", file}).Out, "4\t1\t2\t1\n5\t3\t4\t4\n");
}

} // namespace
} // namespace vantrel
