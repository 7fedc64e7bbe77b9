#include "platform/core/TextFile.h"

#include "common/Errors.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace vantrel {
namespace {

class TextFileTest : public ::testing::Test {
protected:
    TextFileTest()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "vantrel-textfile-XXXXXX").string();
        dir_ = mkdtemp(pattern.data());
    }
    ~TextFileTest() override { std::filesystem::remove_all(dir_); }

    std::string File(const std::string& name) const { return (dir_ / name).string(); }

    static std::string Bytes(const std::string& fileName)
    {
        std::ifstream in(fileName, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }

    static std::vector<std::string> Lines(TextFileReader& reader)
    {
        std::vector<std::string> lines;
        std::string line;
        while (reader.ReadLine(line))
            lines.push_back(line);
        EXPECT_EQ(line, "");
        return lines;
    }

    // Expects `action` to throw IoError whose text names the file and the reason.
    template <typename Action>
    static void ExpectIoError(Action action, const std::string& fileName, const std::string& reason)
    {
        try {
            action();
            ADD_FAILURE() << "no error for " << fileName;
        } catch (const IoError& error) {
            const std::string text = error.what();
            EXPECT_NE(text.find(fileName), std::string::npos) << text;
            EXPECT_NE(text.find(reason), std::string::npos) << text;
        }
    }

    std::filesystem::path dir_;
};

TEST_F(TextFileTest, WriterEndsEveryLineWithCrLfAndKeepsBytes)
{
    TextFileWriter writer(File("out.txt"));
    writer.WriteLine("\x82\xa0\x95\x5c");
    writer.Write("a");
    writer.Write("");
    writer.WriteLine("b");
    writer.WriteLine();
    writer.Close();
    EXPECT_FALSE(writer.IsOpen());
    EXPECT_EQ(Bytes(File("out.txt")), "\x82\xa0\x95\x5c\r\nab\r\n\r\n");
}

TEST_F(TextFileTest, WriterReplacesAnExistingFile)
{
    std::ofstream(File("old.txt")) << "much longer old contents";
    TextFileWriter writer(File("old.txt"));
    writer.WriteLine("new");
    writer.Close();
    EXPECT_EQ(Bytes(File("old.txt")), "new\r\n");
}

TEST_F(TextFileTest, WriterFailuresNameTheFileAndReason)
{
    ExpectIoError([&] { TextFileWriter writer(File("missing/out.txt")); }, "missing/out.txt",
                  "No such file or directory");
    ExpectIoError([&] { TextFileWriter writer(dir_.string()); }, dir_.string(), "Is a directory");
}

TEST_F(TextFileTest, FullDeviceFailsAtTheLatestOnClose)
{
    if (access("/dev/full", W_OK) != 0)
        GTEST_SKIP() << "no /dev/full";
    ExpectIoError(
        [] {
            TextFileWriter writer("/dev/full");
            for (int i = 0; i < 100000; ++i)
                writer.WriteLine("0123456789");
            writer.Close();
        },
        "/dev/full", "No space left on device");
}

TEST_F(TextFileTest, WritingAfterCloseIsAnError)
{
    TextFileWriter writer(File("closed.txt"));
    writer.Close();
    writer.Close(); // a second close is harmless
    ExpectIoError([&] { writer.WriteLine("late"); }, "closed.txt", "Bad file descriptor");
}

// Lifts the test byte limit however a test ends.
struct ByteLimit {
    explicit ByteLimit(std::size_t limit) { TextFileWriter::LimitBytesForTesting(limit); }
    ~ByteLimit() { TextFileWriter::LimitBytesForTesting(std::nullopt); }
};

TEST_F(TextFileTest, ByteLimitFailsLikeAFullDiskKeepingWhatFitted)
{
    const ByteLimit limit(7);
    ExpectIoError(
        [&] {
            TextFileWriter writer(File("direct.txt"));
            writer.WriteLine("0123");
            writer.WriteLine("4567");
        },
        "direct.txt", "No space left on device");
    EXPECT_EQ(Bytes(File("direct.txt")), "0123\r\n4");
}

TEST_F(TextFileTest, FailedWholeReplacementLeavesTheOldFileAndNoTemporary)
{
    std::ofstream(File("plain")) << "not a folder";
    struct Case {
        const char* what;
        std::string fileName;
        std::size_t limit;
        bool abandon;
        const char* reason;
    };
    const std::string old = "old contents\r\n";
    const std::vector<Case> cases = {
        {"nothing fits", File("target.txt"), 0, false, "No space left on device"},
        {"full mid-line", File("target.txt"), 9, false, "No space left on device"},
        {"full after a buffer", File("target.txt"), 70000, false, "No space left on device"},
        {"abandoned before close", File("target.txt"), SIZE_MAX, true, ""},
        {"a folder", dir_.string(), SIZE_MAX, false, "Is a directory"},
        {"folder is a file", File("plain/target.txt"), SIZE_MAX, false, "Not a directory"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::ofstream(File("target.txt"), std::ios::binary | std::ios::trunc) << old;
        const ByteLimit limit(c.limit);
        const auto write = [&] {
            TextFileWriter writer(c.fileName, Replacement::Whole);
            for (int i = 0; i < 10000; ++i)
                writer.WriteLine("0123456789");
            if (!c.abandon)
                writer.Close();
        };
        if (c.abandon)
            write();
        else
            ExpectIoError(write, c.fileName, c.reason);
        EXPECT_EQ(Bytes(File("target.txt")), old);
        std::size_t entries = 0;
        for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(dir_))
            ++entries;
        EXPECT_EQ(entries, 2u); // target.txt and plain
    }
}

TEST_F(TextFileTest, WholeReplacementKeepsPermissionsAndFollowsLinks)
{
    namespace fs = std::filesystem;
    std::ofstream(File("real.txt")) << "much longer old contents";
    fs::permissions(File("real.txt"), fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    fs::create_symlink(File("real.txt"), File("link.txt"));
    // Only root may give a file away; the replacement keeps the owner.
    const bool gaveAway = chown(File("real.txt").c_str(), 1234, 1234) == 0;
    for (const std::string name : {"link.txt", "new.txt"}) {
        TextFileWriter writer(File(name), Replacement::Whole);
        writer.WriteLine(name);
        writer.Close();
        EXPECT_EQ(Bytes(File(name)), name + "\r\n");
    }
    EXPECT_TRUE(fs::is_symlink(File("link.txt")));
    struct stat info { };
    ASSERT_EQ(stat(File("real.txt").c_str(), &info), 0);
    EXPECT_TRUE(!gaveAway || info.st_uid == 1234u);
    EXPECT_EQ(fs::status(File("real.txt")).permissions(),
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()), 3);
}

TEST_F(TextFileTest, WholeReplacementWritesADeviceDirectly)
{
    if (access("/dev/full", W_OK) != 0)
        GTEST_SKIP() << "no /dev/full";
    ExpectIoError(
        [] {
            TextFileWriter writer("/dev/full", Replacement::Whole);
            writer.WriteLine("x");
            writer.Close();
        },
        "/dev/full", "No space left on device");
    EXPECT_TRUE(std::filesystem::is_character_file("/dev/full"));
}

TEST_F(TextFileTest, ReaderSplitsAtCrLfAndLoneLf)
{
    TextFileReader reader("mem", "a\r\nb\nc\rd\r\n\r\n\nlast");
    EXPECT_EQ(Lines(reader), (std::vector<std::string>{"a", "b", "c\rd", "", "", "last"}));
    EXPECT_TRUE(reader.AtEnd());
}

TEST_F(TextFileTest, ReaderDropsACarriageReturnEndingTheFile)
{
    TextFileReader reader("mem", "x\r\ny\r");
    EXPECT_EQ(Lines(reader), (std::vector<std::string>{"x", "y"}));
}

TEST_F(TextFileTest, ReaderOfEmptyContentsHasNoLines)
{
    TextFileReader reader("mem", "");
    EXPECT_TRUE(Lines(reader).empty());
    TextFileReader oneBreak("mem", "\r\n");
    EXPECT_EQ(Lines(oneBreak), std::vector<std::string>{""});
}

TEST_F(TextFileTest, ReaderReadsWhatTheWriterWrote)
{
    {
        TextFileWriter writer(File("big.txt"));
        for (int i = 0; i < 70000; ++i)
            writer.WriteLine(std::to_string(i));
        writer.Close();
    }
    TextFileReader reader(File("big.txt"));
    const std::vector<std::string> lines = Lines(reader);
    ASSERT_EQ(lines.size(), 70000u);
    EXPECT_EQ(lines.front(), "0");
    EXPECT_EQ(lines.back(), "69999");
    EXPECT_EQ(reader.FileName(), File("big.txt"));
}

TEST_F(TextFileTest, ReaderFailuresNameTheFileAndReason)
{
    ExpectIoError([&] { TextFileReader reader(File("absent.txt")); }, "absent.txt",
                  "No such file or directory");
    ExpectIoError([&] { TextFileReader reader(dir_.string()); }, dir_.string(), "Is a directory");
}

TEST_F(TextFileTest, ReaderPositionCanBeMovedForTokenScanning)
{
    TextFileReader reader("mem", "12 rest\nnext");
    reader.SetPosition(reader.Contents().find('\n') + 1);
    std::string line;
    ASSERT_TRUE(reader.ReadLine(line));
    EXPECT_EQ(line, "next");
}

} // namespace
} // namespace vantrel
