#include "input/MatrixInputForm.h"

#include "engine/AnalysisData.h"
#include "input/InputFileDialogs.h"
#include "input/core/Csv.h"
#include "input/core/MatrixGrid.h"
#include "input/core/MatrixGridEditing.h"
#include "input/core/MatrixGridFiles.h"
#include "platform/Application.h"
#include "platform/MessageBox.h"
#include "platform/NamedButton.h"
#include "platform/Printer.h"
#include "platform/ProgressDialog.h"
#include "platform/StringGrid.h"
#include "platform/core/Cp932.h"
#include "platform/gui/JapaneseFonts.h"
#include "print/Listing.h"

#include <QPushButton>

namespace vantrel {

namespace {

constexpr int ButtonLeft = 656;
constexpr int ButtonWidth = 75;
constexpr int ButtonHeight = 25;

} // namespace

MatrixInputForm::MatrixInputForm(MatrixKind kind, const QString& caption, QWidget* owner)
    : InputWindow(owner), kind_(kind)
{
    setWindowTitle(caption);
    // The window is 749 x 456 pixels with its frame; this is its client area.
    move(200, 107);
    resize(741, 422);
    setFont(FontWithPixelHeight(ProportionalGothicFace(), 12));

    StringGrid2 = new StringGrid(this);
    StringGrid2->setObjectName(QStringLiteral("StringGrid2"));
    StringGrid2->setGeometry(8, 0, 161, 417);
    StringGrid1 = new StringGrid(this);
    StringGrid1->setObjectName(QStringLiteral("StringGrid1"));
    StringGrid1->setGeometry(176, 0, 465, 417);
    // Both grids show the same objects, whichever of them is scrolled.
    LinkVerticalScrolling(*StringGrid1, *StringGrid2);

    const auto addButton = [this](const char* name, const char* caption, int top) {
        return AddNamedButton(this, name, caption, {ButtonLeft, top, ButtonWidth, ButtonHeight});
    };
    AddButton = addButton("AddButton", "追  加", 24);
    DelButton = addButton("DelButton", "削  除", 72);
    SaveButton = addButton("SaveButton", "保  存", 128);
    LoadButton = addButton("LoadButton", "読  出", 176);
    CalcButton = addButton("CalcButton", "Ｏ　Ｋ", 232);
    PButton = addButton("PButton", "印  刷", 280);
    WRCSVButton = addButton("WRCSVButton", "保存（CSV）", 336);
    RDCSVButton = addButton("RDCSVButton", "読出（CSV）", 384);

    ConnectHandler(AddButton, this, &MatrixInputForm::AddButtonClick);
    ConnectHandler(DelButton, this, &MatrixInputForm::DelButtonClick);
    ConnectHandler(SaveButton, this, &MatrixInputForm::SaveButtonClick);
    ConnectHandler(LoadButton, this, &MatrixInputForm::LoadButtonClick);
    ConnectHandler(CalcButton, this, &MatrixInputForm::CalcButtonClick);
    ConnectHandler(PButton, this, &MatrixInputForm::PButtonClick);
    ConnectHandler(WRCSVButton, this, &MatrixInputForm::WRCSVButtonClick);
    ConnectHandler(RDCSVButton, this, &MatrixInputForm::RDCSVButtonClick);

    setTabOrder(StringGrid1, AddButton);
    setTabOrder(AddButton, DelButton);
    setTabOrder(DelButton, CalcButton);
    setTabOrder(CalcButton, SaveButton);
    setTabOrder(SaveButton, LoadButton);
    setTabOrder(LoadButton, PButton);
    setTabOrder(PButton, StringGrid2);
    setTabOrder(StringGrid2, WRCSVButton);
    setTabOrder(WRCSVButton, RDCSVButton);

    FormCreate();
}

void MatrixInputForm::FormCreate()
{
    StringGrid1->ChangeStore([this](CellStore& matrix) {
        CellStore labels;
        SetUpFreshGrids(labels, matrix);
        StringGrid2->ChangeStore([&labels](CellStore& store) { store = std::move(labels); });
    });
    for (StringGrid* grid : {StringGrid1, StringGrid2}) {
        grid->SetFontHeight(16);
        grid->SetRangeSelect(false);
        grid->SelectCell(1, 1);
        grid->SetEditing(true);
        grid->ShowEditor();
    }
}

void MatrixInputForm::FinishEditing()
{
    StringGrid1->FinishEditing();
    StringGrid2->FinishEditing();
}

void MatrixInputForm::ChangeBothGrids(const std::function<void(CellStore&, CellStore&)>& change)
{
    StringGrid2->ChangeStore([&](CellStore& labels) {
        StringGrid1->ChangeStore([&](CellStore& matrix) { change(labels, matrix); });
    });
}

void MatrixInputForm::AddButtonClick()
{
    FinishEditing();
    const int s = StringGrid1->SelectedCell().Row;
    if (s > 0 && MatrixGridIsFull(StringGrid2->Store())) {
        ShowMessage(TooManyObjectsText(ObjectCountOf(StringGrid2->Store()) + 1LL), this);
        return;
    }
    ChangeBothGrids([s](CellStore& labels, CellStore& matrix) { InsertMatrixObject(labels, matrix, s); });
}

void MatrixInputForm::DelButtonClick()
{
    FinishEditing();
    const int s = StringGrid1->SelectedCell().Row;
    ChangeBothGrids([s](CellStore& labels, CellStore& matrix) { DeleteMatrixObject(labels, matrix, s); });
}

void MatrixInputForm::CalcButtonClick()
{
    FinishEditing();
    try {
        if (!RunWithProgress(this, CalculationCancelledText({}), [this](Progress& progress) {
                ConfirmMatrixInput(StringGrid2->Store(), StringGrid1->Store(), kind_, Shared(), progress);
            }))
            return;
    } catch (const CellConversionError& error) {
        // The user corrects the cell and presses OK again.
        ShowMessage(error.what(), this);
        return;
    }
    CloseConfirmed();
}

void MatrixInputForm::SaveButtonClick()
{
    FinishEditing();
    const std::optional<std::string> fileName =
        ChooseFileToWrite(saveDialog1_, this, Sjis(InputFileDialogTitle));
    if (!fileName)
        return;
    if (!RunWithProgress(this, SavingCancelledText(*fileName), [&](Progress& progress) {
            SaveMatrixDataFile(*fileName, StringGrid2->Store(), StringGrid1->Store(), progress);
        }))
        return;
    NoteFile(*fileName);
    CalcButton->setFocus();
}

void MatrixInputForm::LoadButtonClick()
{
    FinishEditing();
    const std::optional<std::string> fileName = ChooseFile(openDialog1_, this, Sjis(InputFileDialogTitle));
    if (!fileName)
        return;
    if (!RunWithProgress(this, LoadingCancelledText(*fileName), [&](Progress& progress) {
            ChangeBothGrids([&](CellStore& labels, CellStore& matrix) {
                LoadMatrixDataFile(*fileName, labels, matrix, progress);
            });
        }))
        return;
    NoteFile(*fileName);
    CalcButton->setFocus();
}

void MatrixInputForm::WRCSVButtonClick()
{
    FinishEditing();
    // A cancel leaves the CSV filter on the dialog for the next plain save.
    const std::optional<std::string> fileName =
        ChooseFileToWrite(saveDialog1_, this, Sjis(InputFileDialogTitle), CsvFileFilter, EnsureCsvExtension);
    if (!fileName)
        return;
    if (!RunWithProgress(this, SavingCancelledText(*fileName), [&](Progress& progress) {
            ExportMatrixCsv(*fileName, StringGrid2->Store(), StringGrid1->Store(), progress);
        }))
        return;
    NoteFile(*fileName);
    CalcButton->setFocus();
}

void MatrixInputForm::RDCSVButtonClick()
{
    FinishEditing();
    const std::optional<std::string> fileName =
        ChooseFile(openDialog1_, this, Sjis(InputFileDialogTitle), CsvFileFilter);
    if (!fileName)
        return;
    if (!RunWithProgress(this, LoadingCancelledText(*fileName), [&](Progress& progress) {
            ChangeBothGrids([&](CellStore& labels, CellStore& matrix) {
                ImportMatrixCsv(*fileName, labels, matrix, progress);
            });
        }))
        return;
    NoteFile(*fileName);
    CalcButton->setFocus();
}

void MatrixInputForm::PButtonClick()
{
    FinishEditing();
    // Printed on the current printer without a dialog, as the grids stand.
    if (PrintListing([&](Progress& progress) {
            PrintMatrixListing(Printer::Instance().GetCanvas(), StringGrid2->Store(), StringGrid1->Store(),
                               progress);
        }))
        CalcButton->setFocus();
}

} // namespace vantrel
