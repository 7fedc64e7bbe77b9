// Whole runs at the edges: the deepest tree at the largest size, and levels
// at the ends of the long double range, from the data file to the report,
// the merges and the page.

#include "support/BatchProcess.h"

#include <gtest/gtest.h>

#include <string>

namespace vantrel {
namespace {

using testing::BatchResult;
using testing::ReadBytes;
using testing::RunBatch;
using testing::ScratchDir;
using testing::WriteBytes;

std::string LastLine(const std::string& text)
{
    const std::size_t end = text.size() - (text.ends_with('\n') ? 1 : 0);
    return text.substr(text.rfind('\n', end - 1) + 1, end - text.rfind('\n', end - 1) - 1);
}

// 1000 objects at i^2 on a line: single linkage joins them one by one.
TEST(BatchEdges, AThousandObjectChainWritesReportAndPage)
{
    ScratchDir dir;
    std::string bytes = "1000\r\n";
    for (int i = 1; i <= 1000; ++i)
        bytes += "o" + std::to_string(i) + "\r\n";
    for (long long i = 2; i <= 1000; ++i)
        for (long long j = 1; j < i; ++j)
            bytes += std::to_string(i * i - j * j) + "\r\n";
    const std::string data = dir.File("chain.dat");
    WriteBytes(data, bytes);

    const BatchResult merges = RunBatch({"--method", "single", "--merges", data});
    ASSERT_EQ(merges.ExitStatus, 0) << merges.Err;
    EXPECT_EQ(merges.Out.substr(0, 10), "1001\t1\t2\t3");
    EXPECT_EQ(LastLine(merges.Out), "1999\t1000\t1998\t1999");

    const std::string report = dir.File("r.txt");
    const std::string page = dir.File("d.pdf");
    const BatchResult run =
        RunBatch({"--method", "single", "--input", data, "--report", report, "--dendrogram", page});
    ASSERT_EQ(run.ExitStatus, 0) << run.Err;
    const std::string text = ReadBytes(report);
    EXPECT_NE(text.find("o1000"), std::string::npos);
    EXPECT_NE(text.find("999999"), std::string::npos) << "the last value, 1000^2 - 1";
    EXPECT_EQ(ReadBytes(page).substr(0, 5), "%PDF-");
}

TEST(BatchEdges, ExtremeLevelsRunToTheEnd)
{
    ScratchDir dir;
    const std::string data = dir.File("edge.dat");
    WriteBytes(data, "3\r\na\r\nb\r\nc\r\n1.18e4932\r\n-1.18e4932\r\n3.6452e-4951\r\n");
    for (const char* kind : {"dissim", "sim"}) {
        SCOPED_TRACE(kind);
        for (const char* method : {"complete", "single"}) {
            const std::string page = dir.File(std::string(kind) + method + ".png");
            const BatchResult run = RunBatch({"--kind", kind, "--method", method, "--input", data, "--report",
                                              dir.File("r.txt"), "--dendrogram", page});
            ASSERT_EQ(run.ExitStatus, 0) << run.Err;
            EXPECT_EQ(ReadBytes(page).substr(1, 3), "PNG");
            // Fields of 10 bytes and more run on without a blank, as the report is laid out.
            EXPECT_NE(ReadBytes(dir.File("r.txt")).find("c         -1.18E49323.6452E-4951\r\n"),
                      std::string::npos);
        }
    }
    // 1 and 2 merge first at 1; their values to 3 sum beyond the range.
    for (const char* kind : {"dissim", "sim"}) {
        const std::string far = kind == std::string("sim") ? "-1.18e4932\r\n" : "1.18e4932\r\n";
        WriteBytes(data, "3\r\na\r\nb\r\nc\r\n1\r\n" + far + far);
        const BatchResult average = RunBatch({"--kind", kind, "--method", "average", "--merges", data});
        EXPECT_EQ(average.ExitStatus, 1);
        EXPECT_NE(average.Err.find("overflow"), std::string::npos) << average.Err;
        EXPECT_EQ(average.Out, "");
    }
    WriteBytes(data, "2\r\na\r\nb\r\n1e5000\r\n");
    const BatchResult refused = RunBatch({"--merges", data});
    EXPECT_EQ(refused.ExitStatus, 1);
    EXPECT_EQ(refused.Err, "Error ===>  Cells[2,1] = 1e5000\n");
}

} // namespace
} // namespace vantrel
