#include "runs/core/ReportWriter.h"
#include "runs/core/RunSession.h"

#include "common/Errors.h"
#include "platform/core/Cp932.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <unistd.h>

namespace vantrel {
namespace {

namespace fs = std::filesystem;

class ReportWriterTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        dir_ = fs::temp_directory_path() / ("vantrel-report-" + std::to_string(::getpid()));
        fs::create_directories(dir_);
        data_ = std::make_unique<AnalysisData>();
    }
    void TearDown() override
    {
        session_.ReportFile.reset();
        fs::remove_all(dir_);
    }

    std::string Path(const std::string& name) const { return (dir_ / name).string(); }

    static std::string Read(const std::string& path)
    {
        std::ifstream in(path, std::ios::binary);
        std::ostringstream out;
        out << in.rdbuf();
        return out.str();
    }

    // Writes the similarity echo of `labels` with s(i, j) taken from `values`
    // row by row, and returns the file's bytes.
    std::string SimilarityReport(const std::vector<std::string>& labels,
                                 const std::vector<long double>& values)
    {
        AnalysisData& data = *data_;
        data.ObjectCount = static_cast<int>(labels.size());
        std::size_t k = 0;
        for (int i = 1; i <= data.ObjectCount; ++i) {
            data.ObjectLabels[static_cast<std::size_t>(i)] = labels[static_cast<std::size_t>(i - 1)];
            for (int j = 1; j < i; ++j)
                data.SimMatrix(i, j) = values.at(k++);
        }
        const std::string path = Path("report.txt");
        OpenReportFile(session_, path);
        WriteSimilarityEcho(session_, data);
        CloseReportFile(session_);
        return Read(path);
    }

    fs::path dir_;
    std::unique_ptr<AnalysisData> data_;
    RunSession session_;
};

TEST_F(ReportWriterTest, WritesTheThreeObjectSimilarityEchoByteForByte)
{
    const std::string bytes = SimilarityReport({"a", "b", "c"}, {1.0L, 4.0L, 2.5L});
    const std::string expected = "\r\n" + Sjis("入力データ（類似度）...") + "\r\n" +
                                 "a         \r\n"
                                 "b         1         \r\n"
                                 "c         4         2.5       \r\n";
    EXPECT_EQ(bytes, expected);
}

TEST_F(ReportWriterTest, FieldsCountBytesAndNeverCutLongTexts)
{
    const std::string wide = Sjis("あいうえお"); // five double-byte characters
    ASSERT_EQ(wide.size(), 10u);
    const std::string bytes = SimilarityReport({"abcdefghij", wide, "x"}, {-12345678.0L, -1.234567L, 0.5L});
    const std::string expected = "\r\n" + SimilarityHeader() + "\r\n" + "abcdefghij\r\n" + wide +
                                 "-1.234568E7\r\n" +
                                 // "-1.234567" is 9 characters; exactly 10 would touch the next one.
                                 "x         -1.234567 0.5       \r\n";
    EXPECT_EQ(bytes, expected);

    data_->ObjectCount = 3;
    data_->SimMatrix(3, 1) = -0.1234567L; // 10 characters
    EXPECT_EQ(MatrixRow(*data_, data_->SimMatrix, 3), "x         -0.12345670.5       ");
}

TEST_F(ReportWriterTest, EachRunWritesItsOwnHeaderAndMatrix)
{
    AnalysisData& data = *data_;
    data.ObjectCount = 2;
    data.ObjectLabels[1] = "p";
    data.ObjectLabels[2] = "q";
    data.DissimMatrix(2, 1) = 3.0L;
    data.SimMatrix(2, 1) = 7.0L;
    const std::string path = Path("sections.txt");
    OpenReportFile(session_, path);
    WriteDissimilarityEcho(session_, data);
    WriteComputedDistanceEcho(session_, data);
    CloseReportFile(session_);
    EXPECT_EQ(Read(path), "\r\n" + Sjis("入力データ（距離）...") +
                              "\r\np         \r\nq         3         \r\n" + "\r\n" +
                              Sjis("算出された距離...") + "\r\np         \r\nq         3         \r\n");
}

TEST_F(ReportWriterTest, OneObjectGivesItsLabelRowOnly)
{
    EXPECT_EQ(SimilarityReport({"solo"}, {}), "\r\n" + SimilarityHeader() + "\r\nsolo      \r\n");
}

TEST_F(ReportWriterTest, FailuresAreReportedNotSwallowed)
{
    EXPECT_THROW(OpenReportFile(session_, Path("missing-dir/report.txt")), IoError);
    EXPECT_EQ(session_.ReportFile, nullptr);
    // Writing with no report open is an error with a message, not a crash.
    EXPECT_THROW(WriteDissimilarityEcho(session_, *data_), Error);
    // Closing twice is harmless.
    EXPECT_NO_THROW(CloseReportFile(session_));
}

TEST_F(ReportWriterTest, OpeningTruncatesAndTheGuardClosesOnErrorPaths)
{
    const std::string path = Path("old.txt");
    std::ofstream(path) << "old contents that must go";
    try {
        ReportFileGuard guard(session_);
        OpenReportFile(session_, path);
        session_.ReportFile->WriteLine("partial");
        throw Error("Range error in SeekC");
    } catch (const Error&) {
    }
    EXPECT_EQ(session_.ReportFile, nullptr);
    EXPECT_EQ(Read(path), "partial\r\n");
}

} // namespace
} // namespace vantrel
