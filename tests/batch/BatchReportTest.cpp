#include "support/BatchProcess.h"

#include "platform/core/Cp932.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace vantrel {
namespace {

using testing::BatchResult;
using testing::ReadBytes;
using testing::RunBatch;
using testing::WriteBytes;

using BatchReportTest = testing::BatchFixture;

TEST_F(BatchReportTest, WritesTheSimilarityEchoByteForByte)
{
    const std::string data = DataFile("3\r\na\r\nb\r\nc\r\n1\r\n4\r\n2.5\r\n");
    const std::string report = dir_.File("r.txt");
    const BatchResult result = RunBatch({"--kind", "sim", "--input", data, "--report", report});
    ASSERT_EQ(result.ExitStatus, 0) << result.Err;
    EXPECT_EQ(result.Out, "");
    EXPECT_EQ(ReadBytes(report), "\r\n" + Sjis("入力データ（類似度）...") + "\r\n" +
                                     "a         \r\n"
                                     "b         1         \r\n"
                                     "c         4         2.5       \r\n");
}

TEST_F(BatchReportTest, WritesTheDissimilarityEchoWithJapaneseLabels)
{
    const std::string data =
        DataFile("2\r\n" + Sjis("りんご") + "\r\n" + Sjis("あいうえお") + "\r\n12345678\r\n");
    const std::string report = dir_.File("r.txt");
    const BatchResult result = RunBatch({"--input", data, "--report", report, "--merges", data});
    ASSERT_EQ(result.ExitStatus, 0) << result.Err;
    EXPECT_EQ(result.Out, "3\t1\t2\t12345678\n");
    EXPECT_EQ(ReadBytes(report), "\r\n" + Sjis("入力データ（距離）...") + "\r\n" + Sjis("りんご") +
                                     "    \r\n" + Sjis("あいうえお") + "1.234568E7\r\n");
}

TEST_F(BatchReportTest, OneObjectLeavesTheEchoAndFails)
{
    const std::string data = DataFile("1\r\nsolo\r\n");
    const std::string report = dir_.File("r.txt");
    const BatchResult result = RunBatch({"--input", data, "--report", report});
    EXPECT_EQ(result.ExitStatus, 1);
    EXPECT_EQ(result.Err, "Range error in SeekC\n");
    EXPECT_EQ(ReadBytes(report), "\r\n" + Sjis("入力データ（距離）...") + "\r\nsolo      \r\n");
}

TEST_F(BatchReportTest, AnUncreatableReportFailsWithTheReason)
{
    const std::string data = DataFile("2\r\na\r\nb\r\n1\r\n");
    const BatchResult result = RunBatch({"--input", data, "--report", dir_.File("none/r.txt")});
    EXPECT_EQ(result.ExitStatus, 1);
    EXPECT_NE(result.Err.find("none/r.txt"), std::string::npos) << result.Err;
}

TEST_F(BatchReportTest, UnwritableOutputsFailNamingTheFileAndReason)
{
    const std::string data = DataFile("3\r\na\r\nb\r\nc\r\n1\r\n4\r\n2\r\n");
    WriteBytes(dir_.File("plain"), "a file, not a folder");
    const struct {
        const char* option;
        std::string fileName;
        const char* reason;
    } cases[] = {
        {"--report", dir_.File("plain/r.txt"), "Not a directory"},
        {"--report", dir_.File(""), "Is a directory"},
        {"--report", "/dev/full", "No space left on device"},
        {"--dendrogram", dir_.File("plain/d.pdf"), "Not a directory"},
        {"--dendrogram", dir_.File(""), "Is a directory"},
        {"--dendrogram", "/dev/full", "No space left on device"},
        {"--dendrogram", dir_.File("plain/d.svg"), "Not a directory"},
        {"--schedule", "/dev/full", "No space left on device"},
        {"--newick", dir_.File("plain/t.nwk"), "Not a directory"},
        {"--cophenetic-matrix", dir_.File(""), "Is a directory"},
    };
    for (const auto& c : cases) {
        const BatchResult result = RunBatch({"--input", data, c.option, c.fileName});
        EXPECT_EQ(result.ExitStatus, 1) << c.fileName;
        EXPECT_NE(result.Err.find(c.fileName + ": " + c.reason), std::string::npos) << result.Err;
    }
}

TEST_F(BatchReportTest, DrawsTheDendrogramAsPdfOrPng)
{
    const std::string data = DataFile("3\r\na\r\nb\r\nc\r\n1\r\n4\r\n2\r\n");
    const std::string pdf = dir_.File("d.pdf");
    const std::string png = dir_.File("d.png");
    BatchResult result = RunBatch({"--input", data, "--dendrogram", pdf, "--font-size", "9"});
    ASSERT_EQ(result.ExitStatus, 0) << result.Err;
    EXPECT_EQ(ReadBytes(pdf).substr(0, 5), "%PDF-");
    result = RunBatch({"--kind", "sim", "--input", data, "--dendrogram", png});
    ASSERT_EQ(result.ExitStatus, 0) << result.Err;
    EXPECT_EQ(ReadBytes(png).substr(1, 3), "PNG");

    result = RunBatch({"--input", data, "--dendrogram", dir_.File("none/d.pdf")});
    EXPECT_EQ(result.ExitStatus, 1);
    EXPECT_EQ(RunBatch({"--input", data, "--dendrogram", pdf, "--font-size", "big"}).ExitStatus, 2);
    EXPECT_EQ(RunBatch({"--input", data}).ExitStatus, 2);
}

// The y of every text's baseline in an SVG page, and the page's height.
std::pair<std::vector<int>, int> SvgTextsAndHeight(const std::string& svg)
{
    std::vector<int> ys;
    for (std::size_t at = svg.find("<text"); at != std::string::npos; at = svg.find("<text", at + 1))
        ys.push_back(std::stoi(svg.substr(svg.find(" y=\"", at) + 4)));
    const std::size_t box = svg.find("viewBox=\"0 0 ");
    const std::size_t blank = svg.find(' ', box + 13);
    return {ys, std::stoi(svg.substr(blank + 1))};
}

TEST_F(BatchReportTest, WholeTreePagesKeepEveryRow)
{
    // 60 objects on a line: at 12 points the rows run past the A4 page.
    std::string bytes = "60\r\n";
    for (int i = 1; i <= 60; ++i)
        bytes += "o" + std::to_string(i) + "\r\n";
    for (int i = 2; i <= 60; ++i)
        for (int j = 1; j < i; ++j)
            bytes += std::to_string(i - j) + "\r\n";
    const std::string data = DataFile(bytes);
    const auto page = [&](const std::string& name, bool whole) {
        std::vector<std::string> arguments = {"--input", data, "--dendrogram", dir_.File(name)};
        if (whole)
            arguments.push_back("--whole-tree");
        const BatchResult result = RunBatch(arguments);
        EXPECT_EQ(result.ExitStatus, 0) << result.Err;
        return ReadBytes(dir_.File(name));
    };

    for (const bool whole : {false, true}) {
        const auto [texts, height] = SvgTextsAndHeight(page(whole ? "w.svg" : "a4.svg", whole));
        ASSERT_EQ(texts.size(), 63U) << "60 labels, two axis texts and the caption";
        const int lowest = *std::max_element(texts.begin(), texts.end());
        EXPECT_EQ(lowest < height, whole) << lowest << " on a page of " << height;
        EXPECT_EQ(height == 7017, !whole) << "A4 at 600 dots per inch";
    }
    // A PNG at 150 dots per inch: 1754 rows of A4, more for the whole tree.
    const auto pngHeight = [](const std::string& png) {
        return (static_cast<unsigned char>(png[22]) << 8) | static_cast<unsigned char>(png[23]);
    };
    EXPECT_EQ(pngHeight(page("a4.png", false)), 1754);
    EXPECT_GT(pngHeight(page("w.png", true)), 1754);
    EXPECT_NE(page("a4.pdf", false).find("/MediaBox [0 0 595.000000 842.000000]"), std::string::npos);
    EXPECT_EQ(page("w.pdf", true).find("/MediaBox [0 0 595.000000 842.000000]"), std::string::npos);
}

TEST_F(BatchReportTest, AWholeTreeTallerThanPdfViewersAcceptIsSplitIntoPages)
{
    // 200 rows at 72 points need about 240 inches; a PDF page may have 200.
    std::string bytes = "200\r\n";
    for (int i = 1; i <= 200; ++i)
        bytes += "o" + std::to_string(i) + "\r\n";
    for (int i = 2; i <= 200; ++i)
        for (int j = 1; j < i; ++j)
            bytes += std::to_string(i - j) + "\r\n";
    const std::string data = DataFile(bytes);
    const auto page = [&](const std::string& name) {
        const BatchResult result =
            RunBatch({"--input", data, "--dendrogram", dir_.File(name), "--whole-tree", "--font-size", "72"});
        EXPECT_EQ(result.ExitStatus, 0) << result.Err;
        return ReadBytes(dir_.File(name));
    };
    const std::string pdf = page("tall.pdf");
    std::vector<double> heights;
    for (std::size_t at = pdf.find("/MediaBox [0 0 "); at != std::string::npos;
         at = pdf.find("/MediaBox [0 0 ", at + 1))
        heights.push_back(std::stod(pdf.substr(pdf.find(' ', at + 15) + 1)));
    ASSERT_EQ(heights.size(), 2u);
    for (const double height : heights)
        EXPECT_LE(height, 14400.0) << "200 inches of 72 points";
    // The SVG stays one picture, taller than 200 inches at 600 dots per inch.
    const auto [texts, height] = SvgTextsAndHeight(page("tall.svg"));
    EXPECT_EQ(texts.size(), 203u);
    EXPECT_GT(height, 200 * 600);
}

} // namespace
} // namespace vantrel
