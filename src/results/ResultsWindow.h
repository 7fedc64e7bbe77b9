#pragma once

#include "platform/FileDialog.h"
#include "results/core/ResultsSession.h"

#include <QWidget>

class QComboBox;
class QLabel;
class QPushButton;
class QSpinBox;
class QTableView;

namespace vantrel {

class TextTableModel;
class TreeView;

// The results of a finished run, titled "結果" and the report's name: the
// whole tree with its cut (the number of clusters and the line in step),
// the schedule and membership tables, the cophenetic correlation, a method
// box that compares the run's method with the others on the same input,
// and the saves and the print of the method shown. Closing it ends what
// the run's final message would have ended (Closed).
class ResultsWindow : public QWidget {
    Q_OBJECT
public:
    explicit ResultsWindow(ResultsSession::Run run, QWidget* owner = nullptr);
    ~ResultsWindow() override;

    ResultsSession& Session() { return session_; }
    TreeView& Tree() { return *treeView_; }

    // The handlers of the window's controls, also for tests.
    void SelectMethod(Linkage method);
    void SetClusterCount(int count);
    // Saves one result: asks for the file (the method's name in the name
    // proposed, asking before replacing one), then writes it with progress.
    void Save(ResultFile file);
    void Print();
    // Copies the selected rows of a table (the one with the focus, else the
    // membership) to the clipboard as tab-separated text.
    void CopySelectedRows(QTableView& table);

signals:
    void Closed();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void ShowMethod();
    void ShowCut();
    void SavePicture(const ResultTarget& target, Progress& progress);
    QTableView* AddTable(TextTableModel* model, const char* name);

    ResultsSession session_;
    FileDialog saveDialog_{FileDialog::Kind::Save};
    TreeView* treeView_;
    QComboBox* methodBox_;
    QSpinBox* clusterCount_;
    QLabel* cophenetic_;
    TextTableModel* schedule_;
    TextTableModel* membership_;
    QTableView* scheduleTable_;
    QTableView* membershipTable_;
    bool membershipSized_ = false;
};

} // namespace vantrel
