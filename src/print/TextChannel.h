#pragma once

#include "platform/core/Canvas.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace vantrel {

// A text output bound to a printer canvas, for listings printed as plain
// lines. Opening it begins a print job and closing it ends the job. Text is
// collected up to each line end, then placed from the top of the page in the
// canvas's current font, one line below the other. A line wider than the
// page continues on the next line, broken between characters so that a
// double-byte character is never split (a continuation of nothing but blanks
// is left out, as it would print nothing); a new page begins when the next
// line would not fit below the last.
//
// Every operation either succeeds or throws: the canvas's own failures (a
// job that cannot start, a page file that cannot be written) pass through as
// they are, and writing to a channel that is not open is an IoError.
class TextChannel {
public:
    explicit TextChannel(Canvas& canvas, std::string name = "PRN");
    // A job left open by a failure is ended, so the printer is free again;
    // errors while ending it are dropped, as the first one is being reported.
    ~TextChannel();
    TextChannel(const TextChannel&) = delete;
    TextChannel& operator=(const TextChannel&) = delete;

    void Open();
    // Ends the pending line, if any, then the job.
    void Close();
    // Gives the job up (a cancel): the pending line is dropped and the
    // canvas withdraws what was printed.
    void Abort();
    bool IsOpen() const { return open_; }

    // The canvas whose font the lines are placed in.
    Canvas& GetCanvas() { return canvas_; }

    void Write(std::string_view text);
    // Writes the text, then ends the line.
    void WriteLine(std::string_view text = {});

    // Pages begun so far in this job, counting the first.
    int PageCount() const { return pages_; }

private:
    void CheckOpen() const;
    void PlaceLine(const std::string& line);
    void PlacePiece(const std::string& piece);
    // The number of characters from `first` on, at least one, that fit the
    // page width; `boundaries` holds the byte offset of each character start
    // and the line's length last.
    std::size_t FittingChars(const std::string& line, const std::vector<std::size_t>& boundaries,
                             std::size_t first);
    bool Fits(const std::string& line, const std::vector<std::size_t>& boundaries, std::size_t first,
              std::size_t count);

    Canvas& canvas_;
    std::string name_;
    bool open_ = false;
    std::string pending_;
    int y_ = 0;
    int pages_ = 0;
    // The length of the last piece that was cut at the page width: lines of a
    // listing tend to break at the same place, so the search starts there.
    std::size_t lastFit_ = 0;
};

} // namespace vantrel
