// The seven methods on the command line: every output of the four that
// came after the first three, the refusal of similarities by the methods
// made for dissimilarities, the line that tells of inversions; and the
// command line's habits: --version, -h, and nothing on standard error that
// was not asked for.
#include "support/BatchProcess.h"

#include "engine/Methods.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <utility>

namespace vantrel {
namespace {

using testing::BatchResult;
using testing::EnvironmentWith;
using testing::FileExists;
using testing::ReadBytes;
using testing::RunBatch;

const std::string Sample = std::string(VANTREL_SOURCE_DIR) + "/samples/";
const std::string ThreeSimilarities = "3\r\na\r\nb\r\nc\r\n0.75\r\n0.25\r\n0.5\r\n";

using BatchMethodsTest = testing::BatchFixture;

TEST_F(BatchMethodsTest, VersionAndShortHelpAnswerAloneWithStatusZero)
{
    const std::string file = DataFile("2\na\nb\n1\n");
    const std::string version = std::string("vantrel-batch ") + VANTREL_VERSION + "\n";
    const std::string help = RunBatch({"--help"}).Out;
    EXPECT_NE(help.find("\n  -h, --help\n"), std::string::npos) << help;
    EXPECT_NE(help.find("\n  --version\n"), std::string::npos) << help;
    const struct {
        std::vector<std::string> Line;
        std::string Out;
    } cases[] = {
        {{"--version"}, version},
        // The rest of the line is neither checked nor run.
        {{"--merges", file, "--version"}, version},
        {{"--kind", "sim", "--version"}, version},
        {{"-h"}, help},
        {{"--version", "-h"}, help},
    };
    for (const auto& c : cases) {
        const BatchResult result = RunBatch(c.Line);
        EXPECT_EQ(result.ExitStatus, 0) << ::testing::PrintToString(c.Line);
        EXPECT_EQ(result.Out, c.Out) << ::testing::PrintToString(c.Line);
        EXPECT_EQ(result.Err, "");
    }
    for (const char* argument : {"-h=1", "--version=2"}) {
        const BatchResult result = RunBatch({argument});
        EXPECT_EQ(result.ExitStatus, 2) << argument;
        EXPECT_EQ(result.Out, "");
    }
}

TEST_F(BatchMethodsTest, SimilaritiesAreRefusedByTheMethodsForDissimilaritiesWithNothingWritten)
{
    const std::string file = DataFile(ThreeSimilarities);
    const std::vector<std::string> outputs = {dir_.File("r.txt"), dir_.File("d.pdf"), dir_.File("s.csv")};
    for (const Linkage method : {Linkage::Ward, Linkage::Centroid, Linkage::Median}) {
        const BatchResult result =
            RunBatch({"--kind", "sim", "--method", MethodKey(method), "--merges", file, "--report",
                      outputs[0], "--dendrogram", outputs[1], "--schedule", outputs[2]});
        EXPECT_EQ(result.ExitStatus, 1) << MethodKey(method);
        EXPECT_EQ(result.Err, NeedsDissimilaritiesText(method) + "\n");
        EXPECT_EQ(result.Out, "");
        for (const std::string& output : outputs)
            EXPECT_FALSE(FileExists(output)) << output;
    }
}

// Three objects all 2 apart: 1 and 2 merge at 2, and the centroid (and the
// median) of that pair lies sqrt(3) from object 3, below the pair. Ward's
// method joins 3 at 2 again: a tie is no inversion.
TEST_F(BatchMethodsTest, InversionsAreToldOnStandardErrorAndTheRunSucceeds)
{
    const std::string file = DataFile("3\r\na\r\nb\r\nc\r\n2\r\n2\r\n2\r\n");
    const std::string inverted = "4\t1\t2\t2\n5\t3\t4\t1.73205080756887729357\n";
    const std::string told = "Merges below one of their parts (inversions): 1\n";
    const struct {
        const char* Method;
        std::string Out;
        std::string Err;
    } cases[] = {
        {"centroid", inverted, told},
        {"median", inverted, told},
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
        {"attr", Sample + "fruits-attr.csv", {"ward", "centroid", "median", "weighted"}},
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
            EXPECT_NE(result.Out.find("\ncophenetic correlation: "), std::string::npos) << result.Out;
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
    const BatchResult result =
        RunBatch({"--input", Sample + "fruits.dat", "--dendrogram", page},
                 EnvironmentWith({"XDG_RUNTIME_DIR", "QT_QPA_PLATFORM", "TMPDIR"}, {"TMPDIR=" + temporary}));
    EXPECT_EQ(result.ExitStatus, 0);
    EXPECT_EQ(result.Err, "");
    EXPECT_EQ(ReadBytes(page).substr(1, 3), "PNG");
    EXPECT_TRUE(std::filesystem::is_empty(temporary));
}

} // namespace
} // namespace vantrel
