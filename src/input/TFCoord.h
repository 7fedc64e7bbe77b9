#pragma once

#include "input/InputWindow.h"
#include "platform/FileDialog.h"
#include "platform/core/TextFile.h"

#include <functional>
#include <memory>

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
// only hides the window, whose OpenDialog1 keeps the report file name and
// which holds the report it created until the run takes it over.
class TFCoord : public InputWindow {
    Q_OBJECT
public:
    explicit TFCoord(QWidget* owner = nullptr);

    FileDialog& SaveDialog1() { return saveDialog1_; }
    FileDialog& OpenDialog1() { return openDialog1_; }

    // The report a successful distance press created, open and holding the
    // attribute echo; null when no press completed. The caller owns it.
    std::unique_ptr<TextFileWriter> TakeReport() { return std::move(report_); }

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
    std::unique_ptr<TextFileWriter> report_;
};

} // namespace vantrel
