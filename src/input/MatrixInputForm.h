#pragma once

#include "input/InputWindow.h"
#include "input/core/MatrixConfirm.h"
#include "platform/FileDialog.h"

class QPushButton;

namespace vantrel {

class StringGrid;

// The body shared by the dissimilarity and similarity input windows: a label
// grid (StringGrid2), a matrix grid holding the lower triangle
// (StringGrid1) and the buttons to edit, save, load, confirm and print. The
// two windows differ only in their caption and the matrix OK fills.
//
// The window is created with the application as owner (no parent) and shown
// modelessly; closing it, by OK or otherwise, hides it and tells the run
// waiting for it (Closed).
class MatrixInputForm : public InputWindow {
    Q_OBJECT
public:
    MatrixInputForm(MatrixKind kind, const QString& caption, QWidget* owner = nullptr);

    MatrixKind Kind() const { return kind_; }
    FileDialog& SaveDialog1() { return saveDialog1_; }
    FileDialog& OpenDialog1() { return openDialog1_; }

public slots:
    void AddButtonClick();
    void DelButtonClick();
    void CalcButtonClick();
    void SaveButtonClick();
    void LoadButtonClick();
    void WRCSVButtonClick();
    void RDCSVButtonClick();
    // Prints the listing of both grids on the current printer.
    void PButtonClick();

private:
    void FormCreate();
    // Writes the text of open cell editors into their cells.
    void FinishEditing();
    // Applies a change to both grids' cells, refreshing both views even when
    // the change stops part-way.
    void ChangeBothGrids(const std::function<void(CellStore& labels, CellStore& matrix)>& change);

    MatrixKind kind_;
    StringGrid* StringGrid1;
    StringGrid* StringGrid2;
    QPushButton* AddButton;
    QPushButton* DelButton;
    QPushButton* SaveButton;
    QPushButton* LoadButton;
    QPushButton* CalcButton;
    QPushButton* PButton;
    QPushButton* WRCSVButton;
    QPushButton* RDCSVButton;
    FileDialog saveDialog1_{FileDialog::Kind::Save};
    FileDialog openDialog1_{FileDialog::Kind::Open};
};

} // namespace vantrel
