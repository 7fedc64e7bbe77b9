// The three analysis runs of the main window: input window, method, report,
// clustering, dendrogram, final message, end of the program.
#include "runs/TFMain.h"

#include "engine/AnalysisData.h"
#include "input/TFCoord.h"
#include "input/TFDist.h"
#include "input/TFSim.h"
#include "platform/MessageBox.h"
#include "platform/Printer.h"
#include "platform/ProgressDialog.h"
#include "results/ResultsWindow.h"
#include "runs/core/ReportWriter.h"
#include "runs/core/RunSession.h"

#include <QEventLoop>
#include <QPushButton>
#include <QScopedValueRollback>

namespace vantrel {
namespace {

// Keeps the run buttons disabled while a run waits for its input window,
// so that no second run can start nested inside the first.
class RunButtonsLock {
public:
    explicit RunButtonsLock(std::initializer_list<QPushButton*> buttons) : buttons_(buttons)
    {
        for (QPushButton* button : buttons_)
            button->setEnabled(false);
    }
    ~RunButtonsLock()
    {
        for (QPushButton* button : buttons_)
            button->setEnabled(true);
    }
    RunButtonsLock(const RunButtonsLock&) = delete;
    RunButtonsLock& operator=(const RunButtonsLock&) = delete;

private:
    std::vector<QPushButton*> buttons_;
};

} // namespace

void TFMain::ShowResults(ResultsSession::Run run)
{
    // The results take the main window's place: closing them ends the
    // program, as the final message's OK does.
    results_ = new ResultsWindow(std::move(run), this);
    connect(results_, &ResultsWindow::Closed, this, &TFMain::close);
    hide();
    results_->show();
}

InputWindow* TFMain::OpenInputWindow(RunKind kind)
{
    // Each run gets a new window; the windows of earlier runs stay, hidden,
    // until the program ends (they are children of this window).
    InputWindow* window = nullptr;
    switch (kind) {
    case RunKind::Dissimilarity:
        window = fDist_ = new TFDist(this);
        break;
    case RunKind::Similarity:
        window = fSim_ = new TFSim(this);
        break;
    case RunKind::Attribute:
        window = fCoord_ = new TFCoord(this);
        break;
    }
    window->show();
    return window;
}

bool TFMain::WaitForInput(InputWindow& window)
{
    RunSession& session = Session();
    // The wait ends on an event: the input window closing (InputDone), or
    // this window closing, which abandons the run.
    QEventLoop loop;
    connect(&window, &InputWindow::Closed, &loop, [&session, &loop] {
        session.InputDone = 1;
        loop.quit();
    });
    const QScopedValueRollback<QEventLoop*> waiting(wait_, &loop);
    if (session.InputDone == 0 && !closed_)
        loop.exec();
    return !closed_;
}

void TFMain::Run(RunKind kind)
{
    // The disabled buttons keep the user from starting a run inside another;
    // a call of a run's slot from elsewhere (a shortcut, a queued signal) is
    // ignored too, since a nested run would share the data and the report.
    if (running_)
        return;
    const QScopedValueRollback<bool> running(running_, true);
    AnalysisData& data = Shared();
    RunSession& session = Session();
    closed_ = false;
    // Whatever way the run ends, no report stays open behind it; in attribute
    // runs that includes the report the attribute window creates.
    CloseReportFile(session);
    ReportFileGuard report(session);

    InputWindow& input = *OpenInputWindow(kind);
    session.InputDone = 0;
    {
        RunButtonsLock lock{DistButton, SimButton, CoordButton};
        if (!WaitForInput(input))
            return;
    }
    // The report a distance press of the attribute window created is the
    // run's from now on, so that every way out closes it.
    if (kind == RunKind::Attribute)
        session.ReportFile = fCoord_->TakeReport();
    // A window closed without its input confirmed leaves the run nothing the
    // user confirmed to work on (the shared data may hold an earlier run's
    // input): the run ends quietly.
    if (!input.Confirmed())
        return;
    ExitButton->setFocus();
    repaint();

    const std::optional<Linkage> linkage = LinkageFromItemIndex(MethodItemIndex());
    if (!linkage) {
        ShowMessage(DistTypeErrorMessage, this);
        return;
    }
    if (const std::string refusal = MethodRefusalText(kind, *linkage); !refusal.empty()) {
        ShowMessage(refusal, this);
        return;
    }
    session.DistType = static_cast<std::uint8_t>(*linkage);

    std::string reportFileName;
    if (kind == RunKind::Attribute) {
        // The completed distance button chose and created the report.
        reportFileName = fCoord_->OpenDialog1().FileName();
    } else {
        const std::optional<std::string> chosen = ChooseFileToWrite(openDialog1_, this, "Output File");
        if (!chosen)
            return;
        reportFileName = *chosen;
        OpenReportFile(session, reportFileName);
    }

    // The page is printed whatever the user answers: the dialog only chooses
    // the printer.
    std::string pdf;
    RunOutcome outcome;
    // The finished tree stays for the results window.
    ClusterTree tree;
    // A cancel abandons the run: the report keeps what was written, closed.
    if (!RunWithProgress(this, CalculationCancelledText(reportFileName), [&](Progress& progress) {
            outcome = CompleteRun(
                session, data, kind, *linkage, FontSizeText(),
                [&](const DrawPage& draw) { pdf = PrintAfterDialog(this, draw, reportFileName); },
                [&tree](ClusterTree&& finished) { tree = std::move(finished); }, progress);
        }))
        return;
    if (ShowMessageWithChoice(FinalMessage(reportFileName, pdf, outcome.Rows, outcome.Inversions),
                              ShowResultsCaption, this)) {
        ShowResults({&data, kind, *linkage, std::move(tree), reportFileName, FontSizeText()});
        return;
    }
    close();
}

} // namespace vantrel
