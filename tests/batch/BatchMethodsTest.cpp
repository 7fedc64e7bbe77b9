// The seven methods on the command line: every output of the four that
// came after the first three, the refusal of similarities by the methods
// made for dissimilarities, the line that tells of inversions; and the
// command line's habits: --version, -h, and nothing on standard error that
// was not asked for.
#include "support/BatchProcess.h"

#include "engine/Methods.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <utility>

namespace vantrel {
namespace {

using testing::BatchResult;
using testing::FileExists;
using testing::ReadBytes;
using testing::RunBatch;

const std::string Sample = std::string(VANTREL_SOURCE_DIR) + "/samples/";

using BatchMethodsTest = testing::BatchFixture;

TEST_F(BatchMethodsTest, VersionAndShortHelpAnswerAloneWithStatusZero)
{
    const BatchResult help = RunBatch({"-h"});
    EXPECT_EQ(help.ExitStatus, 0);
    EXPECT_EQ(help.Out, RunBatch({"--help"}).Out);
    EXPECT_NE(help.Out.find("\n  -h, --help\n"), std::string::npos) << help.Out;
    // The rest of the line is neither checked nor run.
    const BatchResult version =
        RunBatch({"--merges", DataFile("2\na\nb\n1\n"), "--kind", "sim", "--version"});
    EXPECT_EQ(version.ExitStatus, 0);
    EXPECT_EQ(version.Out, std::string("vantrel-batch ") + VANTREL_VERSION + "\n");
    EXPECT_EQ(help.Err + version.Err, "");
}

TEST_F(BatchMethodsTest, SimilaritiesAreRefusedByTheMethodsForDissimilaritiesWithNothingWritten)
{
    const std::string report = dir_.File("r.txt");
    const std::string page = dir_.File("d.pdf");
    const BatchResult result = RunBatch({"--kind", "sim", "--method", "median", "--input",
                                         DataFile("3\r\na\r\nb\r\nc\r\n0.75\r\n0.25\r\n0.5\r\n"), "--report",
                                         report, "--dendrogram", page});
    EXPECT_EQ(result.ExitStatus, 1);
    EXPECT_EQ(result.Err, NeedsDissimilaritiesText(Linkage::Median) + "\n");
    EXPECT_FALSE(FileExists(report));
    EXPECT_FALSE(FileExists(page));
}

// Three objects all 2 apart: 1 and 2 merge at 2, and the centroid of that
// pair lies sqrt(3) from object 3, below the pair. Ward's method joins 3 at
// 2 again: a tie is no inversion.
TEST_F(BatchMethodsTest, InversionsAreToldOnStandardErrorAndTheRunSucceeds)
{
    const std::string file = DataFile("3\r\na\r\nb\r\nc\r\n2\r\n2\r\n2\r\n");
    const struct {
        const char* Method;
        std::string Out;
        std::string Err;
    } cases[] = {
        {"centroid", "4\t1\t2\t2\n5\t3\t4\t1.73205080756887729357\n",
         "Merges below one of their parts (inversions): 1\n"},
        {"ward", "4\t1\t2\t2\n5\t3\t4\t2\n", ""},
    };
    for (const auto& c : cases) {
        const BatchResult result = RunBatch({"--method", c.Method, "--merges", file});
        EXPECT_EQ(result.ExitStatus, 0) << c.Method << ": " << result.Err;
        EXPECT_EQ(result.Out, c.Out) << c.Method;
        EXPECT_EQ(result.Err, c.Err) << c.Method;
    }
}

TEST_F(BatchMethodsTest, TheFourNewMethodsReachEveryOutputFromEveryKind)
{
    const struct {
        const char* Kind;
        std::string File;
        std::vector<const char*> Methods;
    } runs[] = {
        {"dissim", Sample + "fruits.dat", {"ward", "centroid", "median", "weighted"}},
        {"attr", Sample + "fruits-attr.csv", {"ward"}},
        {"sim", Sample + "fruits-sim.dat", {"weighted"}},
    };
    const std::pair<const char*, const char*> outputs[] = {
        {"--report", "r.txt"},   {"--dendrogram", "d.pdf"},        {"--schedule", "s.csv"},
        {"--clusters", "c.csv"}, {"--cophenetic-matrix", "m.dat"}, {"--newick", "t.nwk"},
    };
    for (const auto& run : runs) {
        for (const char* method : run.Methods) {
            SCOPED_TRACE(std::string(run.Kind) + " " + method);
            std::vector<std::string> line = {"--kind", run.Kind, "--method", method,        "--merges",
                                             run.File, "--cut",  "3",        "--cophenetic"};
            for (const auto& [option, name] : outputs)
                line.insert(line.end(), {option, dir_.File(name)});
            const BatchResult result = RunBatch(line);
            ASSERT_EQ(result.ExitStatus, 0) << result.Err;
            // Standard error holds at most the inversions' line.
            EXPECT_TRUE(result.Err.empty() || result.Err.starts_with("Merges below")) << result.Err;
            // Seven merges of the eight fruits, then the correlation.
            EXPECT_EQ(std::count(result.Out.begin(), result.Out.end(), '\n'), 8) << result.Out;
            for (const auto& [option, name] : outputs) {
                EXPECT_FALSE(ReadBytes(dir_.File(name)).empty()) << option;
                std::filesystem::remove(dir_.File(name));
            }
        }
    }
}

// As under sudo or cron: no runtime folder and no platform chosen. The page
// must leave standard error empty and no folder of its own behind.
TEST_F(BatchMethodsTest, APageWithoutARuntimeFolderWritesNothingOnStandardError)
{
    const std::string temporary = dir_.File("tmp");
    std::filesystem::create_directory(temporary);
    const std::string page = dir_.File("d.png");
    const std::string err = dir_.File("err");
    const std::string command = "env -u XDG_RUNTIME_DIR -u QT_QPA_PLATFORM TMPDIR='" + temporary + "' '" +
                                VANTREL_BATCH_BINARY + "' --input '" + Sample + "fruits.dat' --dendrogram '" +
                                page + "' 2>'" + err + "'";
    EXPECT_EQ(std::system(command.c_str()), 0);
    EXPECT_EQ(ReadBytes(err), "");
    EXPECT_EQ(ReadBytes(page).substr(1, 3), "PNG");
    EXPECT_TRUE(std::filesystem::is_empty(temporary));
}

} // namespace
} // namespace vantrel
