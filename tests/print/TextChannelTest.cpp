#include "print/TextChannel.h"

#include "common/Errors.h"
#include "platform/core/Cp932.h"
#include "print/RecordingCanvas.h"
#include "print/TextChannelCanvases.h"

#include <gtest/gtest.h>

#include <random>

namespace vantrel {
namespace {

using testing::FailingCanvas;
using testing::PrintedLines;
using Op = RecordingCanvas::Op;
using Texts = std::vector<std::string>;

// 10 bytes to a line (12 units each on a 120-unit page), 3 lines to a page.
constexpr int Height = 40;
RecordingCanvas NarrowCanvas() { return RecordingCanvas(Height, 12, 120, 120); }

std::vector<Op> Kinds(const RecordingCanvas& canvas)
{
    std::vector<Op> kinds;
    for (const auto& c : canvas.Commands())
        kinds.push_back(c.Kind);
    return kinds;
}

TEST(TextChannel, PlacesLinesFromTheTopOfThePageOneBelowTheOther)
{
    RecordingCanvas canvas(Height, 12, 900, 1200);
    TextChannel channel(canvas);
    channel.Open();
    channel.WriteLine();
    channel.Write("ab");
    channel.Write("cd  ");
    channel.WriteLine("e");
    channel.WriteLine("f");
    channel.Write("tail");
    channel.Close();

    const auto texts = canvas.Texts();
    ASSERT_EQ(texts.size(), 3u);
    EXPECT_EQ(texts[0].Text, "abcd  e");
    EXPECT_EQ(texts[0].X, 0);
    EXPECT_EQ(texts[0].Y, Height);
    EXPECT_EQ(texts[1].Text, "f");
    EXPECT_EQ(texts[1].Y, 2 * Height);
    // Text without a line end is printed when the channel closes.
    EXPECT_EQ(texts[2].Text, "tail");
    EXPECT_EQ(texts[2].Y, 3 * Height);
    EXPECT_EQ(Kinds(canvas).front(), Op::BeginDoc);
    EXPECT_EQ(Kinds(canvas).back(), Op::EndDoc);
    EXPECT_EQ(channel.PageCount(), 1);
    EXPECT_FALSE(channel.IsOpen());
}

TEST(TextChannel, LineFeedsInsideTheTextEndLines)
{
    RecordingCanvas canvas(Height, 12, 900, 1200);
    TextChannel channel(canvas);
    channel.Open();
    channel.Write("one\r\ntwo\n\nthree");
    channel.WriteLine();
    channel.Close();
    EXPECT_EQ(PrintedLines(canvas, Height), (Texts{"one", "two", "", "three"}));
}

TEST(TextChannel, WideLinesContinueOnTheNextLineWithoutSplittingACharacter)
{
    RecordingCanvas canvas(Height, 12, 120, 10000);
    TextChannel channel(canvas);
    channel.Open();
    channel.WriteLine("abcdefghijklmnopqrstuvwxy");
    // One byte, then five double-byte characters: the tenth byte would be
    // the first half of "お", so the piece ends after nine bytes.
    const std::string kana = Sjis("aあいうえお");
    channel.WriteLine(kana);
    // Exactly a page width: no continuation line.
    channel.WriteLine("0123456789");
    // Blanks wrap like any other character, but a continuation of nothing
    // but blanks takes no line.
    channel.WriteLine("x" + std::string(24, ' ') + "y");
    channel.WriteLine("z" + std::string(24, ' '));
    channel.WriteLine(std::string(12, ' '));
    channel.WriteLine("end");
    channel.Close();

    EXPECT_EQ(PrintedLines(canvas, Height),
              (Texts{"abcdefghij", "klmnopqrst", "uvwxy", kana.substr(0, 9), kana.substr(9), "0123456789",
                     "x         ", "     y", "z         ", "          ", "end"}));
}

TEST(TextChannel, ACharacterWiderThanThePageGetsALineOfItsOwn)
{
    RecordingCanvas canvas(Height, 12, 20, 10000);
    TextChannel channel(canvas);
    channel.Open();
    channel.WriteLine(Sjis("ab漢"));
    channel.Close();
    EXPECT_EQ(PrintedLines(canvas, Height), (Texts{"a", "b", Sjis("漢")}));
}

TEST(TextChannel, StartsANewPageWhenAPageIsFull)
{
    RecordingCanvas canvas = NarrowCanvas();
    TextChannel channel(canvas);
    channel.Open();
    channel.WriteLine("1");
    channel.WriteLine();
    channel.WriteLine("3");
    channel.WriteLine("4");
    // Continuation pieces break pages too: 25 bytes are three lines.
    channel.WriteLine("abcdefghijklmnopqrstuvwxy");
    channel.Close();

    int page = 1;
    std::vector<int> pages;
    std::vector<int> ys;
    Texts texts;
    for (const auto& c : canvas.Commands()) {
        if (c.Kind == Op::NewPage)
            ++page;
        if (c.Kind == Op::TextOut) {
            pages.push_back(page);
            ys.push_back(c.Y);
            texts.push_back(c.Text);
        }
    }
    EXPECT_EQ(texts, (Texts{"1", "3", "4", "abcdefghij", "klmnopqrst", "uvwxy"}));
    EXPECT_EQ(pages, (std::vector<int>{1, 1, 2, 2, 2, 3}));
    EXPECT_EQ(ys, (std::vector<int>{0, 80, 0, 40, 80, 0}));
    EXPECT_EQ(channel.PageCount(), 3);
}

TEST(TextChannel, AFullPageWithNothingMoreToPrintAddsNoEmptyPage)
{
    RecordingCanvas canvas = NarrowCanvas();
    TextChannel channel(canvas);
    channel.Open();
    for (int i = 0; i < 3; ++i)
        channel.WriteLine("x");
    channel.Close();
    for (Op kind : Kinds(canvas))
        EXPECT_NE(kind, Op::NewPage);
}

// Widths that differ from byte to byte, as a proportional face measures.
class UnevenCanvas : public RecordingCanvas {
public:
    using RecordingCanvas::RecordingCanvas;
    int TextWidth(const std::string& text) override
    {
        int width = 0;
        for (unsigned char b : text)
            width += 3 + b % 7;
        return width;
    }
};

// The pieces a plain greedy cut makes, character by character.
Texts GreedyPieces(Canvas& canvas, const std::string& line)
{
    Texts pieces;
    std::size_t start = 0;
    while (start < line.size()) {
        std::size_t end = start + Cp932CharLength(line, start);
        while (end < line.size()) {
            const std::size_t next = end + Cp932CharLength(line, end);
            if (canvas.TextWidth(line.substr(start, next - start)) > canvas.PageWidth())
                break;
            end = next;
        }
        pieces.push_back(line.substr(start, end - start));
        start = end;
    }
    return pieces;
}

TEST(TextChannel, CutsLongLinesExactlyWhereAGreedyCutWould)
{
    const unsigned seed = std::random_device{}();
    SCOPED_TRACE("seed " + std::to_string(seed));
    std::mt19937 random(seed);
    const std::string doubleByte = Sjis("漢字対象属性");
    for (int round = 0; round < 200; ++round) {
        // Lines of mixed single- and double-byte characters, some of them
        // long, on pages of different widths, several lines per job so that
        // the cut of one line is the first guess for the next.
        const int pageWidth = std::uniform_int_distribution<int>(1, 400)(random);
        UnevenCanvas canvas(Height, 12, pageWidth, 1 << 30);
        TextChannel channel(canvas);
        channel.Open();
        Texts expected;
        for (int l = 0; l < 3; ++l) {
            std::string line;
            const int chars = std::uniform_int_distribution<int>(0, 600)(random);
            for (int c = 0; c < chars; ++c) {
                if (random() % 3 == 0)
                    line += doubleByte.substr(2 * (random() % 6), 2);
                else
                    line += static_cast<char>(' ' + random() % 90);
            }
            channel.WriteLine(line);
            const Texts pieces = line.empty() ? Texts{""} : GreedyPieces(canvas, line);
            for (std::size_t i = 0; i < pieces.size(); ++i)
                if (i == 0 || pieces[i].find_first_not_of(' ') != std::string::npos)
                    expected.push_back(pieces[i]);
        }
        channel.Close();
        // Trailing empty lines do not show in the recording.
        while (!expected.empty() && expected.back().empty())
            expected.pop_back();
        ASSERT_EQ(PrintedLines(canvas, Height), expected) << "page width " << pageWidth;
    }
}

TEST(TextChannel, WritingToAChannelThatIsNotOpenIsAnIoError)
{
    RecordingCanvas canvas;
    TextChannel channel(canvas);
    EXPECT_THROW(channel.Write("x"), IoError);
    EXPECT_THROW(channel.WriteLine(), IoError);
    EXPECT_THROW(channel.Close(), IoError);
    channel.Open();
    EXPECT_THROW(channel.Open(), IoError);
    channel.Close();
    EXPECT_THROW(channel.WriteLine("late"), IoError);
    EXPECT_TRUE(canvas.Texts().empty());
}

TEST(TextChannel, AFailedWriteStopsThePrintingAndEndsTheJob)
{
    FailingCanvas canvas(2, Height, 12, 900, 1200);
    {
        TextChannel channel(canvas);
        channel.Open();
        channel.WriteLine("first");
        EXPECT_THROW(channel.WriteLine("second"), IoError);
    }
    // The job is not left open on the printer.
    EXPECT_EQ(Kinds(canvas), (std::vector<Op>{Op::BeginDoc, Op::TextOut, Op::EndDoc}));
}

// A canvas whose job cannot be finished, like a PDF that cannot be written.
class UnwritableCanvas : public RecordingCanvas {
public:
    void EndDoc() override
    {
        RecordingCanvas::EndDoc();
        throw IoError("I/O error: listing.pdf: Permission denied");
    }
};

TEST(TextChannel, AJobThatCannotBeFinishedIsReportedOnce)
{
    UnwritableCanvas canvas;
    {
        TextChannel channel(canvas);
        channel.Open();
        channel.WriteLine("x");
        EXPECT_THROW(channel.Close(), IoError);
        EXPECT_FALSE(channel.IsOpen());
    }
    int ends = 0;
    for (Op kind : Kinds(canvas))
        ends += kind == Op::EndDoc;
    EXPECT_EQ(ends, 1);
}

} // namespace
} // namespace vantrel
