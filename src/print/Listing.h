#pragma once

#include "platform/core/CellStore.h"
#include "platform/core/Progress.h"

#include <cstddef>
#include <string>

namespace vantrel {

class Canvas;
class TextChannel;

// The printed data listings of the input windows: the grids copied cell by
// cell as plain lines, every cell padded to a fixed byte width with nothing
// between cells, in a fixed-pitch face so that a byte is a column on paper.
// Cells print exactly as they stand (confirmed or not, headers included); a
// cell wider than its field is printed whole and pushes the rest of its row
// to the right.

// The matrix windows' field width and the attribute window's.
constexpr std::size_t MatrixListingWidth = 10;
constexpr std::size_t AttributeListingWidth = 12;

// The face and size the listings are printed in.
inline const char* const ListingFontFace = "ＭＳ 明朝";
constexpr int ListingFontSize = 12;

// One row of a grid as a listing line: each cell padded to `width` bytes.
std::string ListingRow(const CellStore& grid, int row, std::size_t width);

// The listing of a matrix window (labels grid, one empty line, matrix grid)
// as one print job on the channel's canvas. `progress` hears of every line;
// a cancel aborts the job (Canvas::AbortDoc) before WorkCancelled goes on.
void PrintMatrixListing(TextChannel& channel, const CellStore& labels, const CellStore& matrix,
                        Progress& progress = NoProgress());
void PrintMatrixListing(Canvas& canvas, const CellStore& labels, const CellStore& matrix,
                        Progress& progress = NoProgress());

// The listing of the attribute window's table as one print job.
void PrintAttributeListing(TextChannel& channel, const CellStore& table, Progress& progress = NoProgress());
void PrintAttributeListing(Canvas& canvas, const CellStore& table, Progress& progress = NoProgress());

// The message telling the user where a job went when it became a file.
std::string PrintedToFileText(const std::string& fileName);

} // namespace vantrel
