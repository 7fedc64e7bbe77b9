#pragma once

#include "input/TFCoord.h"
#include "input/TFDist.h"
#include "input/TFSim.h"
#include "platform/FileDialog.h"
#include "results/ResultsWindow.h"
#include "results/core/ResultsSession.h"
#include "runs/core/AnalysisRun.h"

#include <QPointer>
#include <QWidget>

#include <functional>
#include <string>

class QComboBox;
class QEventLoop;
class QLabel;
class QLineEdit;
class QPushButton;

namespace vantrel {

// The final message's second button, which opens the results window.
inline constexpr const char* ShowResultsCaption = "結果を表示";

// The main window "Cluster Analysis": the three run buttons, the linkage
// method (seven), the dendrogram's font size and the exit button. A run opens its
// input window, waits for it to close, writes the report, clusters, prints
// the dendrogram and, once the user has read the final message, ends the
// program. A run that stops early (no method, no report file, an error)
// leaves the window open for another try.
class TFMain : public QWidget {
    Q_OBJECT
public:
    explicit TFMain(QWidget* parent = nullptr);

    // The item of ComboBoxDist that is selected: 0..6, or -1 when the text
    // was typed and matches no item.
    int MethodItemIndex() const;
    std::string FontSizeText() const;
    FileDialog& OpenDialog1() { return openDialog1_; }

    // The input windows of the latest run of each kind (null before it).
    // Windows of earlier runs stay hidden children of this window.
    TFDist* FDist() const { return fDist_; }
    TFSim* FSim() const { return fSim_; }
    TFCoord* FCoord() const { return fCoord_; }

    // The results window of the completed run (null before it).
    ResultsWindow* Results() const { return results_; }

    // True while a run waits for its input window.
    bool Waiting() const { return wait_ != nullptr; }

    // What closing the main window does to the application: quit it. Tests
    // replace it to observe the request without ending their process.
    void SetQuitHandler(std::function<void()> quit) { quit_ = std::move(quit); }

public slots:
    void DistButtonClick();
    void SimButtonClick();
    void CoordButtonClick();
    void ExitButtonClick();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void FormCreate();
    void Run(RunKind kind);

    // Creates the run's fresh input window, stores it and shows it.
    InputWindow* OpenInputWindow(RunKind kind);
    // Handles messages until the input window has closed; false when the
    // main window was closed meanwhile, which abandons the run.
    bool WaitForInput(InputWindow& window);
    // Hides this window behind the results of the completed run.
    void ShowResults(ResultsSession::Run run);

    QLabel* Label2;
    QLineEdit* FontEdit;
    QPushButton* DistButton;
    QPushButton* SimButton;
    QPushButton* CoordButton;
    QLabel* Label1;
    QComboBox* ComboBoxDist;
    QPushButton* ExitButton;
    FileDialog openDialog1_{FileDialog::Kind::Open};

    QPointer<TFDist> fDist_;
    QPointer<TFSim> fSim_;
    QPointer<TFCoord> fCoord_;
    QPointer<ResultsWindow> results_;
    // The event loop of the run waiting for its input window.
    QEventLoop* wait_ = nullptr;
    bool running_ = false;
    bool closed_ = false;
    std::function<void()> quit_;
};

} // namespace vantrel
