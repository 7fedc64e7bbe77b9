#pragma once

#include <cstddef>
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <string>

class QFileDialog;
class QWidget;

namespace vantrel {

// A file dialog component: an object that keeps its title, file name and
// filter between uses, as the windows' OpenDialog1 and SaveDialog1 do. The
// filter is written "Description|pattern|Description|pattern".
// File names are the platform's own bytes (UTF-8 here), ready for fopen.
//
// Dialogs with the same title and filter ask for the same kind of file (the
// windows' data files, their CSV files, the report): each opens in the
// folder of the last file of its kind chosen in this process, whichever
// component showed it; before the first, in the working folder.
class FileDialog {
public:
    enum class Kind { Open, Save };

    explicit FileDialog(Kind kind) : kind_(kind) { }

    Kind DialogKind() const { return kind_; }
    // How the next Execute shows the dialog: as its own kind, or as a save
    // dialog whatever the component (a file to be written; ChooseFileToWrite).
    void SetShownAsSave(bool save) { shownAsSave_ = save; }
    Kind ShownKind() const { return shownAsSave_ ? Kind::Save : kind_; }
    void SetTitle(std::string title) { title_ = std::move(title); }
    const std::string& Title() const { return title_; }
    void SetFileName(std::string fileName) { fileName_ = std::move(fileName); }
    const std::string& FileName() const { return fileName_; }
    void SetFilter(std::string filter) { filter_ = std::move(filter); }
    const std::string& Filter() const { return filter_; }
    // Which of the filter's file types the user chose, from 0, after a
    // confirmed Execute.
    std::size_t SelectedFilter() const { return selectedFilter_; }
    // Open dialogs normally accept existing files only; a dialog choosing a
    // file to be created (a report) accepts any name.
    void SetMustExist(bool mustExist) { mustExist_ = mustExist; }
    bool MustExist() const { return mustExist_; }

    // Shows the dialog modally. True when the user confirmed; FileName()
    // then holds the chosen name. A save dialog replaces an existing file
    // without asking. Title is UTF-8 or code page 932 text.
    bool Execute(QWidget* parent = nullptr);

    // The Qt dialog Execute shows, set up and not yet shown.
    std::unique_ptr<QFileDialog> MakeQtDialog(QWidget* parent = nullptr) const;
    // The folder the dialog opens in: where the last file of its kind was
    // chosen; empty before the first.
    std::string StartFolder() const;

private:
    Kind kind_;
    bool shownAsSave_ = false;
    std::string title_;
    std::string fileName_;
    std::string filter_;
    std::size_t selectedFilter_ = 0;
    bool mustExist_ = true;
};

// One use of a dialog: sets the title, the filter when one is given and an
// empty file name, then shows it. Returns the chosen name, or nothing when
// the user cancelled. A filter given here is cleared after a confirmed
// choice; a cancel leaves it on the dialog for its next use.
std::optional<std::string> ChooseFile(FileDialog& dialog, QWidget* parent, std::string title,
                                      std::optional<std::string> filter = std::nullopt);

// One use of a dialog that names a file to be written: as ChooseFile, shown
// as a save dialog whatever the component, and when the file to be written
// exists, asks whether to replace it (the dialog itself does not); No shows
// the dialog again with the chosen name. `target` gives the file a chosen
// name stands for (a name with its extension added, or one that follows
// the dialog's SelectedFilter), the name itself when not given. The dialog
// first shows `proposed`. Returns the file to write.
std::optional<std::string> ChooseFileToWrite(
    FileDialog& dialog, QWidget* parent, std::string title, std::optional<std::string> filter = std::nullopt,
    const std::function<std::string(const std::string&)>& target = {}, std::string proposed = {});

// "... already exists." and the question whether to replace it.
std::string ReplaceFileQuestion(const std::string& fileName);

// The filter in Qt's form, "Description (patterns);;...". A description that
// already ends in its own "(...)" takes the pattern into that group.
std::string QtFilterFromDialogFilter(const std::string& filter);

// What a dialog looked like when it was shown, for tests.
struct ShownDialog {
    FileDialog::Kind Kind; // as shown
    std::string Title;
    std::string Filter;
    std::string FileName;
    std::string Folder; // the folder it opened in; empty for the working folder
};

// Test seam: while a script is installed, Execute shows nothing and takes
// the next scripted answer: a file name, or a cancel. With no answer left
// it cancels. Every dialog shown is recorded.
class FileDialogScript {
public:
    FileDialogScript();
    ~FileDialogScript();
    FileDialogScript(const FileDialogScript&) = delete;
    FileDialogScript& operator=(const FileDialogScript&) = delete;

    // A file name chosen with the filter's `filterIndex`-th file type (from 0).
    void AddFileName(std::string fileName, std::size_t filterIndex = 0)
    {
        answers_.push_back({std::move(fileName), filterIndex});
    }
    void AddCancel() { answers_.push_back({}); }

    const std::deque<ShownDialog>& Shown() const { return shown_; }
    std::size_t RemainingAnswers() const { return answers_.size(); }

private:
    friend class FileDialog;
    struct Answer {
        std::optional<std::string> FileName; // none: a cancel
        std::size_t Filter = 0;
    };
    std::deque<Answer> answers_;
    std::deque<ShownDialog> shown_;
    FileDialogScript* outer_;
};

} // namespace vantrel
