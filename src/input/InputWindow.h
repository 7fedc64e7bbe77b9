#pragma once

#include "platform/core/Progress.h"

#include <QWidget>

#include <functional>
#include <string>

namespace vantrel {

// An input window of a run: created with the application as owner, shown
// modelessly, and only hidden when it closes. Whoever waits for the input
// learns of the close, for any reason (OK, a distance button, the close
// box), from Closed(), and from Confirmed() whether the input was confirmed.
class InputWindow : public QWidget {
    Q_OBJECT
public:
    explicit InputWindow(QWidget* owner = nullptr) : QWidget(owner, Qt::Window) { }

    // True once the input was confirmed (OK, or a completed distance
    // button) and the window closed for it.
    bool Confirmed() const { return confirmed_; }
    // The data or CSV file the window last saved or loaded; empty before.
    const std::string& LastFile() const { return lastFile_; }

signals:
    void Closed();

protected:
    void closeEvent(QCloseEvent* event) override;
    // Closes the window with its input confirmed.
    void CloseConfirmed();
    // Notes a file saved or loaded, which its listings' PDF goes beside.
    void NoteFile(std::string fileName) { lastFile_ = std::move(fileName); }
    // Prints a listing of the window, `print` drawing it on the printer's
    // canvas with a progress dialog: the job is named after the caption, and
    // a PDF of it goes beside the file last saved or loaded, replacing an
    // existing one only when the user says so. Then tells the user where a
    // PDF went, or what stopped the listing. True when it was printed.
    bool PrintListing(const std::function<void(Progress&)>& print);

private:
    bool confirmed_ = false;
    std::string lastFile_;
};

} // namespace vantrel
