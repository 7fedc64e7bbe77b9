#pragma once

#include "platform/FileDialog.h"

#include <QWidget>

#include <functional>

class QPushButton;

namespace vantrel {

class CellStore;
class StringGrid;
enum class AttributeDistanceKind;

// The attribute input window "座標値": a table of objects by attributes in
// StringGrid1 (row 1 the attribute names, column 1 the labels), buttons to
// insert and delete object rows and attribute columns, to save and load the
// table as a data file or CSV file, and the two distance buttons that end
// the input with the distances in DissimMatrix and the report created.
//
// Created with the application as owner and shown modelessly; any close
// sets InputDone and only hides the window, whose OpenDialog1 keeps the
// report file name for the run.
class TFCoord : public QWidget {
    Q_OBJECT
public:
    explicit TFCoord(QWidget* owner = nullptr);

    FileDialog& SaveDialog1() { return saveDialog1_; }
    FileDialog& OpenDialog1() { return openDialog1_; }

public slots:
    void AddButtonClick();
    void DelButtonClick();
    void AddColButtonClick();
    void DelColButtonClick();
    void SaveButtonClick();
    void LoadButtonClick();
    void WRCSVButtonClick();
    void RDCSVButtonClick();
    // Prints the listing of the table after the print dialog.
    void PButtonClick();
    void EucButtonClick();
    void EucStdButtonClick();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void FormCreate();
    // Applies a change to the table's cells and keeps the header column at
    // its width, even when the change stops part-way.
    void ChangeTable(const std::function<void(CellStore&)>& change);
    void PressDistance(AttributeDistanceKind kind);

    StringGrid* StringGrid1;
    QPushButton* AddButton;
    QPushButton* DelButton;
    QPushButton* AddColButton;
    QPushButton* DelColButton;
    QPushButton* SaveButton;
    QPushButton* LoadButton;
    QPushButton* WRCSVButton;
    QPushButton* RDCSVButton;
    QPushButton* PButton;
    QPushButton* EucButton;
    QPushButton* EucStdButton;
    FileDialog saveDialog1_{FileDialog::Kind::Save};
    FileDialog openDialog1_{FileDialog::Kind::Open};
    int headerColumnWidth_ = 0;
};

} // namespace vantrel
