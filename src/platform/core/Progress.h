#pragma once

#include <cstdint>
#include <exception>
#include <limits>
#include <string>
#include <string_view>

namespace vantrel {

// Long work on the GUI thread (a listing, a large file, a run) tells a
// Progress how far it got, from inside its loops, and stops when the user
// cancels: Advance then throws WorkCancelled, and the work's own cleanup
// runs on the way out (a print job is aborted, a file being saved is
// discarded, grids are only changed once a load has read everything).
//
// The work is done in parts; each part has a count of steps (lines, rows)
// and says how many are done. Advance costs one comparison until the sink
// asks to hear again, so loops may call it for every line.
class Progress {
public:
    virtual ~Progress() = default;

    // Begins a part of the work: what it does and what its steps are
    // (code page 932, e.g. "Printing the listing" and "lines"), and how
    // many there are.
    virtual void Start(std::string_view what, std::string_view unit, std::int64_t total) = 0;

    // `done` of the part's steps are done. Throws WorkCancelled once the
    // user has cancelled.
    void Advance(std::int64_t done)
    {
        if (done >= next_)
            Report(done);
    }

    // The work is about to ask the user something in a dialog of its own:
    // the display goes away, to come back once the work has run a while.
    virtual void Pause() { }

protected:
    // Shows `done` and checks for a cancel; sets NextReport for the step it
    // wants to hear of next.
    virtual void Report(std::int64_t done) = 0;
    void NextReport(std::int64_t step) { next_ = step; }

private:
    std::int64_t next_ = 0;
};

// Progress that shows nothing and is never cancelled: the default of every
// caller without a window (vantrel-batch, tests of the formats).
Progress& NoProgress();

// Thrown by Progress::Advance when the user cancelled the work. Not an
// Error: nothing failed, and the window that started the work tells the user
// what was stopped.
class WorkCancelled : public std::exception {
public:
    const char* what() const noexcept override { return "cancelled"; }
};

// The parts of loading and saving a file, counted in lines.
std::string LoadingText(const std::string& fileName); // "Loading " + name
std::string SavingText(const std::string& fileName); // "Saving " + name
inline constexpr const char* LinesUnit = "lines";

// What the user is told after a cancel (code page 932; file names are the
// platform's bytes).
std::string PrintingCancelledText();
std::string LoadingCancelledText(const std::string& fileName);
std::string SavingCancelledText(const std::string& fileName);
// A run or a distance press; `reportFileName` names the report it had
// created, closed with what was written before the cancel, or is empty.
std::string CalculationCancelledText(const std::string& reportFileName);

} // namespace vantrel
