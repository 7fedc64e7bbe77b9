#include "print/Listing.h"

#include "platform/core/Cp932.h"

#include "platform/core/Canvas.h"
#include "platform/core/Padding.h"
#include "print/TextChannel.h"

namespace vantrel {
namespace {

void StartListing(TextChannel& channel, int emptyLinesAfterHeading)
{
    channel.Open();
    channel.GetCanvas().SetFontName(ListingFontFace);
    channel.GetCanvas().SetFontSize(ListingFontSize);
    channel.WriteLine();
    channel.WriteLine();
    channel.WriteLine("Data =");
    for (int i = 0; i < emptyLinesAfterHeading; ++i)
        channel.WriteLine();
}

void WriteGrid(TextChannel& channel, const CellStore& grid, std::size_t width)
{
    for (int row = 0; row < grid.RowCount(); ++row)
        channel.WriteLine(ListingRow(grid, row, width));
}

} // namespace

std::string ListingRow(const CellStore& grid, int row, std::size_t width)
{
    std::string line;
    line.reserve(static_cast<std::size_t>(grid.ColumnCount()) * width);
    for (int column = 0; column < grid.ColumnCount(); ++column)
        line += PadToWidth(grid.Cell(column, row), width);
    return line;
}

void PrintMatrixListing(TextChannel& channel, const CellStore& labels, const CellStore& matrix)
{
    StartListing(channel, 1);
    WriteGrid(channel, labels, MatrixListingWidth);
    channel.WriteLine();
    WriteGrid(channel, matrix, MatrixListingWidth);
    channel.Close();
}

void PrintMatrixListing(Canvas& canvas, const CellStore& labels, const CellStore& matrix)
{
    TextChannel channel(canvas);
    PrintMatrixListing(channel, labels, matrix);
}

void PrintAttributeListing(TextChannel& channel, const CellStore& table)
{
    StartListing(channel, 2);
    WriteGrid(channel, table, AttributeListingWidth);
    channel.Close();
}

void PrintAttributeListing(Canvas& canvas, const CellStore& table)
{
    TextChannel channel(canvas);
    PrintAttributeListing(channel, table);
}

std::string PrintedToFileText(const std::string& fileName)
{
    return "Listing (PDF) = " + Cp932ForMessage(fileName);
}

} // namespace vantrel
