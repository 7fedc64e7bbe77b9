#include "print/Listing.h"

#include "common/Errors.h"
#include "platform/core/Cp932.h"
#include "print/RecordingCanvas.h"
#include "print/TextChannel.h"
#include "print/TextChannelCanvases.h"
#include "support/RecordingProgress.h"

#include <gtest/gtest.h>

namespace vantrel {
namespace {

using testing::FailingCanvas;
using testing::PrintedLines;
using Texts = std::vector<std::string>;

constexpr int Height = 10;
// A page wide and long enough that no listing line wraps or breaks a page.
RecordingCanvas WidePage() { return RecordingCanvas(Height, 1, 1 << 20, 1 << 24); }

CellStore Grid(const std::vector<Texts>& rows)
{
    CellStore grid(static_cast<int>(rows.front().size()), static_cast<int>(rows.size()));
    for (std::size_t r = 0; r < rows.size(); ++r)
        for (std::size_t c = 0; c < rows[r].size(); ++c)
            grid.SetCell(static_cast<int>(c), static_cast<int>(r), rows[r][c]);
    return grid;
}

std::string Blanks(std::size_t n) { return std::string(n, ' '); }

TEST(Listing, RowPadsEachCellToItsFieldWithNothingBetween)
{
    const CellStore labels = Grid({{"", ""}, {Sjis(" 対象 1"), "a"}});
    const std::string row = ListingRow(labels, 1, MatrixListingWidth);
    EXPECT_EQ(row, Sjis(" 対象 1") + Blanks(3) + "a" + Blanks(9));
    EXPECT_EQ(row.size(), 20u);

    // Empty cells are a field of blanks; five full-width characters fill
    // a 10-byte field exactly; a longer cell is printed whole and pushes the
    // rest of the row right by its excess.
    const CellStore cells = Grid({{"", Sjis("あいうえお"), "12345678901234", "x"}});
    EXPECT_EQ(ListingRow(cells, 0, 10), Blanks(10) + Sjis("あいうえお") + "12345678901234" + "x" + Blanks(9));
    EXPECT_EQ(ListingRow(cells, 0, 12),
              Blanks(12) + Sjis("あいうえお") + "  " + "12345678901234" + "x" + Blanks(11));
}

TEST(Listing, MatrixListingPrintsBothGridsAsTheyStand)
{
    // Cells as typed, not confirmed: text OK would reject prints as well.
    const CellStore labels =
        Grid({{"", Sjis("ラベル")}, {Sjis(" 対象 1"), "a"}, {Sjis(" 対象 2"), Sjis("東京")}});
    const CellStore matrix = Grid({{"", Sjis(" 対象 1"), Sjis(" 対象 2")},
                                   {Sjis(" 対象 1"), "*", "*"},
                                   {Sjis(" 対象 2"), "1.5e+x", "*"}});
    RecordingCanvas canvas = WidePage();
    PrintMatrixListing(canvas, labels, matrix);

    const std::string head = Sjis(" 対象 1") + Blanks(3);
    const std::string head2 = Sjis(" 対象 2") + Blanks(3);
    EXPECT_EQ(
        PrintedLines(canvas, Height),
        (Texts{"", "", "Data =", "", Blanks(10) + Sjis("ラベル") + Blanks(4), head + "a" + Blanks(9),
               head2 + Sjis("東京") + Blanks(6), "", Blanks(10) + head + head2,
               head + "*" + Blanks(9) + "*" + Blanks(9), head2 + "1.5e+x" + Blanks(4) + "*" + Blanks(9)}));
    // Printed in the Mincho face at 12 points, in one job.
    EXPECT_EQ(canvas.FontName(), "ＭＳ 明朝");
    for (const auto& text : canvas.Texts())
        EXPECT_EQ(text.FontSize, 12);
    EXPECT_EQ(canvas.Commands().front().Kind, RecordingCanvas::Op::BeginDoc);
    EXPECT_EQ(canvas.Commands().back().Kind, RecordingCanvas::Op::EndDoc);
}

TEST(Listing, AttributeListingHasTwoEmptyLinesAndTwelveByteFields)
{
    const CellStore table = Grid({{"", "", Sjis(" 属性 1")},
                                  {"", "", Sjis("身長")},
                                  {Sjis(" 対象 1"), "a", "170.5"},
                                  {Sjis(" 対象 2"), "", ""}});
    RecordingCanvas canvas = WidePage();
    PrintAttributeListing(canvas, table);
    EXPECT_EQ(PrintedLines(canvas, Height),
              (Texts{"", "", "Data =", "", "", Blanks(24) + Sjis(" 属性 1") + Blanks(5),
                     Blanks(24) + Sjis("身長") + Blanks(8),
                     Sjis(" 対象 1") + Blanks(5) + "a" + Blanks(11) + "170.5" + Blanks(7),
                     Sjis(" 対象 2") + Blanks(5) + Blanks(24)}));
    EXPECT_EQ(canvas.FontName(), "ＭＳ 明朝");
}

TEST(Listing, AFailedWriteEndsTheListingThere)
{
    const CellStore labels = Grid({{"", ""}, {"1", "a"}, {"2", "b"}});
    const CellStore matrix = Grid({{"", "1", "2"}, {"1", "*", "*"}, {"2", "3", "*"}});
    // "Data =" is the first text, the label rows the next three.
    FailingCanvas canvas(3, Height, 1, 1 << 20, 1 << 24);
    EXPECT_THROW(PrintMatrixListing(canvas, labels, matrix), IoError);
    EXPECT_EQ(PrintedLines(canvas, Height), (Texts{"", "", "Data =", "", Blanks(20)}));
    EXPECT_EQ(canvas.Commands().back().Kind, RecordingCanvas::Op::EndDoc);
}

TEST(Listing, ProgressCountsTheLinesAndACancelAbortsTheJob)
{
    const CellStore labels = Grid({{"", ""}, {"1", "a"}, {"2", "b"}});
    const CellStore matrix = Grid({{"", "1", "2"}, {"1", "*", "*"}, {"2", "3", "*"}});
    testing::RecordingProgress whole;
    RecordingCanvas printed = WidePage();
    PrintMatrixListing(printed, labels, matrix, whole);
    ASSERT_EQ(whole.Parts().size(), 1u);
    EXPECT_EQ(whole.Parts()[0].What, "Printing the listing");
    EXPECT_EQ(whole.Parts()[0].Total, 11);
    EXPECT_EQ(whole.Parts()[0].Done, 11);

    // Cancelled after the fifth line: the job is withdrawn, not ended.
    testing::RecordingProgress cancelling(5);
    RecordingCanvas aborted = WidePage();
    EXPECT_THROW(PrintMatrixListing(aborted, labels, matrix, cancelling), WorkCancelled);
    EXPECT_EQ(PrintedLines(aborted, Height), (Texts{"", "", "Data =", "", Blanks(20)}));
    EXPECT_EQ(aborted.Commands().back().Kind, RecordingCanvas::Op::AbortDoc);
}

TEST(Listing, LongRowsWrapAndLongGridsRunOnToMorePages)
{
    // 40 columns of 10 bytes on an 80-byte page: each row takes five lines.
    CellStore matrix(40, 30);
    for (int r = 0; r < 30; ++r)
        for (int c = 0; c < 40; ++c)
            matrix.SetCell(c, r, std::to_string(r * 100 + c));
    RecordingCanvas canvas(Height, 1, 80, 100 * Height);
    TextChannel channel(canvas);
    PrintMatrixListing(channel, CellStore(2, 1), matrix);

    const Texts lines = PrintedLines(canvas, Height);
    // 4 lines before the labels, 1 label row, 1 empty line, 30 rows of 5.
    ASSERT_EQ(lines.size(), 4u + 1 + 1 + 30 * 5);
    std::string joined;
    for (std::size_t i = 6; i < 11; ++i) {
        EXPECT_EQ(lines[i].size(), 80u);
        joined += lines[i];
    }
    EXPECT_EQ(joined, ListingRow(matrix, 0, 10));
    EXPECT_EQ(channel.PageCount(), 2);
}

} // namespace
} // namespace vantrel
