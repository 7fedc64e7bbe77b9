#include "print/TextChannel.h"

#include "common/Errors.h"
#include "platform/core/Cp932.h"

#include <algorithm>

namespace vantrel {
namespace {

// Lines are spaced by the font's height, whatever they hold, so that empty
// lines and lines of blanks take the same room as lines of text.
const std::string LineHeightSample = "Wg";

} // namespace

TextChannel::TextChannel(Canvas& canvas, std::string name) : canvas_(canvas), name_(std::move(name)) { }

TextChannel::~TextChannel()
{
    if (!open_)
        return;
    open_ = false;
    try {
        canvas_.EndDoc();
    } catch (...) {
        // The failure that left the job open is the one the user is told of.
    }
}

void TextChannel::Open()
{
    if (open_)
        throw IoError("I/O error: " + name_ + ": the print job is already open");
    pending_.clear();
    y_ = 0;
    pages_ = 0;
    canvas_.BeginDoc();
    open_ = true;
    pages_ = 1;
}

void TextChannel::Close()
{
    CheckOpen();
    if (!pending_.empty()) {
        PlaceLine(pending_);
        pending_.clear();
    }
    // Marked closed first: a failing EndDoc must not be retried on destruction.
    open_ = false;
    canvas_.EndDoc();
}

void TextChannel::Abort()
{
    if (!open_)
        return;
    pending_.clear();
    open_ = false;
    canvas_.AbortDoc();
}

void TextChannel::CheckOpen() const
{
    if (!open_)
        throw IoError("I/O error: " + name_ + ": the print job is not open");
}

void TextChannel::Write(std::string_view text)
{
    CheckOpen();
    // A line feed inside the text ends the line, with a carriage return
    // before it; neither byte can be part of a double-byte character.
    std::size_t start = 0;
    for (std::size_t lf = text.find('\n'); lf != std::string_view::npos; lf = text.find('\n', start)) {
        std::size_t end = lf;
        if (end > start && text[end - 1] == '\r')
            --end;
        pending_.append(text.substr(start, end - start));
        PlaceLine(pending_);
        pending_.clear();
        start = lf + 1;
    }
    pending_.append(text.substr(start));
}

void TextChannel::WriteLine(std::string_view text)
{
    Write(text);
    PlaceLine(pending_);
    pending_.clear();
}

void TextChannel::PlaceLine(const std::string& line)
{
    if (line.empty()) {
        PlacePiece(line);
        return;
    }
    std::vector<std::size_t> boundaries;
    boundaries.reserve(line.size() + 1);
    for (std::size_t i = 0; i < line.size(); i += Cp932CharLength(line, i))
        boundaries.push_back(i);
    boundaries.push_back(line.size());

    const std::size_t chars = boundaries.size() - 1;
    for (std::size_t first = 0; first < chars;) {
        const std::size_t count = FittingChars(line, boundaries, first);
        std::string piece = line.substr(boundaries[first], boundaries[first + count] - boundaries[first]);
        // The blank tail of a padded row would only print as empty lines.
        if (first == 0 || piece.find_first_not_of(' ') != std::string::npos)
            PlacePiece(piece);
        first += count;
    }
}

void TextChannel::PlacePiece(const std::string& piece)
{
    const int height = canvas_.TextHeight(LineHeightSample);
    if (y_ > 0 && y_ + height > canvas_.PageHeight()) {
        canvas_.NewPage();
        ++pages_;
        y_ = 0;
    }
    if (!piece.empty())
        canvas_.TextOut(0, y_, piece);
    y_ += std::max(height, 1);
}

bool TextChannel::Fits(const std::string& line, const std::vector<std::size_t>& boundaries, std::size_t first,
                       std::size_t count)
{
    const std::size_t begin = boundaries[first];
    const std::size_t end = boundaries[first + count];
    return canvas_.TextWidth(line.substr(begin, end - begin)) <= canvas_.PageWidth();
}

std::size_t TextChannel::FittingChars(const std::string& line, const std::vector<std::size_t>& boundaries,
                                      std::size_t first)
{
    // Galloping search from the last cut: measuring the whole rest of a long
    // line for every printed piece would make wide listings quadratic.
    const std::size_t remaining = boundaries.size() - 1 - first;
    const std::size_t guess = std::min(remaining, lastFit_ > 0 ? lastFit_ : std::size_t{64});
    // Invariant: `low` characters fit (or low == 0), `high` do not (or
    // high == remaining + 1, never measured).
    std::size_t low = 0;
    std::size_t high = remaining + 1;
    if (Fits(line, boundaries, first, guess)) {
        low = guess;
        for (std::size_t step = 1; low < remaining; step *= 2) {
            const std::size_t candidate = std::min(remaining, low + step);
            if (!Fits(line, boundaries, first, candidate)) {
                high = candidate;
                break;
            }
            low = candidate;
        }
    } else {
        high = guess;
        for (std::size_t step = 1; high > 1; step *= 2) {
            const std::size_t candidate = high > step ? high - step : 0;
            if (candidate == 0)
                break;
            if (Fits(line, boundaries, first, candidate)) {
                low = candidate;
                break;
            }
            high = candidate;
        }
    }
    while (high - low > 1) {
        const std::size_t middle = low + (high - low) / 2;
        if (Fits(line, boundaries, first, middle))
            low = middle;
        else
            high = middle;
    }
    // A character wider than the page is printed on a line of its own.
    const std::size_t count = std::max<std::size_t>(low, 1);
    if (count < remaining)
        lastFit_ = count;
    return count;
}

} // namespace vantrel
