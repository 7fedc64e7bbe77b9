#include "print/Listing.h"

#include "platform/core/Cp932.h"

#include "platform/core/Canvas.h"
#include "platform/core/Padding.h"
#include "print/TextChannel.h"

namespace vantrel {
namespace {

// The lines of one listing job, each reported to the progress as printed.
class ListingJob {
public:
    ListingJob(TextChannel& channel, Progress& progress, int gridRows, int emptyLinesAfterHeading)
        : channel_(channel), progress_(progress), emptyLines_(emptyLinesAfterHeading)
    {
        progress_.Start("Printing the listing", "lines", 3 + emptyLines_ + gridRows);
    }

    // Opens the job, writes the heading, runs `body` and closes the job; a
    // cancel aborts the job instead.
    template <typename Body>
    void Print(Body body)
    {
        try {
            channel_.Open();
            channel_.GetCanvas().SetFontName(ListingFontFace);
            channel_.GetCanvas().SetFontSize(ListingFontSize);
            Line();
            Line();
            Line("Data =");
            for (int i = 0; i < emptyLines_; ++i)
                Line();
            body();
            channel_.Close();
        } catch (const WorkCancelled&) {
            channel_.Abort();
            throw;
        }
    }

    void Line(std::string_view text = {})
    {
        channel_.WriteLine(text);
        progress_.Advance(++done_);
    }

    void Grid(const CellStore& grid, std::size_t width)
    {
        for (int row = 0; row < grid.RowCount(); ++row)
            Line(ListingRow(grid, row, width));
    }

private:
    TextChannel& channel_;
    Progress& progress_;
    int emptyLines_;
    std::int64_t done_ = 0;
};

} // namespace

std::string ListingRow(const CellStore& grid, int row, std::size_t width)
{
    std::string line;
    line.reserve(static_cast<std::size_t>(grid.ColumnCount()) * width);
    for (int column = 0; column < grid.ColumnCount(); ++column)
        line += PadToWidth(grid.Cell(column, row), width);
    return line;
}

void PrintMatrixListing(TextChannel& channel, const CellStore& labels, const CellStore& matrix,
                        Progress& progress)
{
    ListingJob job(channel, progress, labels.RowCount() + 1 + matrix.RowCount(), 1);
    job.Print([&] {
        job.Grid(labels, MatrixListingWidth);
        job.Line();
        job.Grid(matrix, MatrixListingWidth);
    });
}

void PrintMatrixListing(Canvas& canvas, const CellStore& labels, const CellStore& matrix, Progress& progress)
{
    TextChannel channel(canvas);
    PrintMatrixListing(channel, labels, matrix, progress);
}

void PrintAttributeListing(TextChannel& channel, const CellStore& table, Progress& progress)
{
    ListingJob job(channel, progress, table.RowCount(), 2);
    job.Print([&] { job.Grid(table, AttributeListingWidth); });
}

void PrintAttributeListing(Canvas& canvas, const CellStore& table, Progress& progress)
{
    TextChannel channel(canvas);
    PrintAttributeListing(channel, table, progress);
}

std::string PrintedToFileText(const std::string& fileName)
{
    return "Listing (PDF) = " + Cp932ForMessage(fileName);
}

} // namespace vantrel
