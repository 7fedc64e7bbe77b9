#include "input/TFCoord.h"

#include "engine/AnalysisData.h"
#include "input/InputFileDialogs.h"
#include "input/core/AttributeData.h"
#include "input/core/AttributeGridFiles.h"
#include "input/core/AttributePress.h"
#include "input/core/AttributeTable.h"
#include "input/core/Csv.h"
#include "input/core/MatrixConfirm.h"
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

#include <cmath>

namespace vantrel {
namespace {

constexpr int ButtonWidth = 75;
constexpr int DistanceButtonWidth = 137;
constexpr int ButtonHeight = 25;

} // namespace

TFCoord::TFCoord(QWidget* owner) : InputWindow(owner)
{
    setObjectName(QStringLiteral("FCoord"));
    setWindowTitle(QString::fromUtf8("座標値"));
    // The window is 749 x 456 pixels with its frame; this is its client area.
    move(200, 107);
    resize(741, 422);
    setFont(FontWithPixelHeight(ProportionalGothicFace(), 12));

    StringGrid1 = new StringGrid(this);
    StringGrid1->setObjectName(QStringLiteral("StringGrid1"));
    StringGrid1->setGeometry(8, 0, 537, 417);

    const auto addButton = [this](const char* name, const char* caption, int left, int top, int width) {
        return AddNamedButton(this, name, caption, {left, top, width, ButtonHeight});
    };
    AddButton = addButton("AddButton", "追 加（行）", 568, 8, ButtonWidth);
    DelButton = addButton("DelButton", "削 除（行）", 656, 8, ButtonWidth);
    AddColButton = addButton("AddColButton", "追 加（列）", 568, 56, ButtonWidth);
    DelColButton = addButton("DelColButton", "削 除（列）", 656, 56, ButtonWidth);
    SaveButton = addButton("SaveButton", "保  存", 568, 104, ButtonWidth);
    LoadButton = addButton("LoadButton", "読  出", 656, 104, ButtonWidth);
    WRCSVButton = addButton("WRCSVButton", "保存（CSV）", 568, 152, ButtonWidth);
    RDCSVButton = addButton("RDCSVButton", "読出（CSV）", 656, 152, ButtonWidth);
    PButton = addButton("PButton", "印  刷", 616, 200, ButtonWidth);
    EucButton = addButton("EucButton", "ユークリッド距離", 584, 248, DistanceButtonWidth);
    EucStdButton = addButton("EucStdButton", "標準化ユークリッド距離", 584, 288, DistanceButtonWidth);

    ConnectHandler(AddButton, this, &TFCoord::AddButtonClick);
    ConnectHandler(DelButton, this, &TFCoord::DelButtonClick);
    ConnectHandler(AddColButton, this, &TFCoord::AddColButtonClick);
    ConnectHandler(DelColButton, this, &TFCoord::DelColButtonClick);
    ConnectHandler(SaveButton, this, &TFCoord::SaveButtonClick);
    ConnectHandler(LoadButton, this, &TFCoord::LoadButtonClick);
    ConnectHandler(WRCSVButton, this, &TFCoord::WRCSVButtonClick);
    ConnectHandler(RDCSVButton, this, &TFCoord::RDCSVButtonClick);
    ConnectHandler(PButton, this, &TFCoord::PButtonClick);
    ConnectHandler(EucButton, this, &TFCoord::EucButtonClick);
    ConnectHandler(EucStdButton, this, &TFCoord::EucStdButtonClick);

    QWidget* const tabOrder[] = {StringGrid1, AddButton,    DelButton,    EucButton,
                                 SaveButton,  LoadButton,   PButton,      WRCSVButton,
                                 RDCSVButton, EucStdButton, AddColButton, DelColButton};
    for (std::size_t i = 1; i < std::size(tabOrder); ++i)
        setTabOrder(tabOrder[i - 1], tabOrder[i]);

    // Both dialogs open files; the open dialog also names the report to be
    // created, so it takes names of files that do not exist yet.
    saveDialog1_.SetMustExist(false);
    openDialog1_.SetMustExist(false);

    FormCreate();
}

void TFCoord::FormCreate()
{
    StringGrid1->ChangeStore([](CellStore& cells) { AttributeTable::Initialize(cells); });
    StringGrid1->SetFontHeight(16);
    headerColumnWidth_ = static_cast<int>(std::lround(StringGrid1->ColWidth(0) * 1.5));
    StringGrid1->SetColWidth(0, headerColumnWidth_);
    StringGrid1->SetRangeSelect(false);
    StringGrid1->SelectCell(1, 1);
    StringGrid1->SetEditing(true);
    StringGrid1->ShowEditor();
}

void TFCoord::ChangeTable(const std::function<void(CellStore&)>& change)
{
    struct KeepWidth {
        StringGrid* grid;
        int width;
        ~KeepWidth() { grid->SetColWidth(0, width); }
    } keep{StringGrid1, headerColumnWidth_};
    StringGrid1->ChangeStore(change);
}

void TFCoord::AddButtonClick()
{
    StringGrid1->FinishEditing();
    const int row = StringGrid1->SelectedCell().Row;
    if (row >= 1 && AttributeTable::ObjectCount(StringGrid1->Store()) >= MaxObjects) {
        ShowMessage(TooManyObjectsText(AttributeTable::ObjectCount(StringGrid1->Store()) + 1LL), this);
        return;
    }
    ChangeTable([row](CellStore& cells) { AttributeTable::InsertObjectRow(cells, row); });
}

void TFCoord::DelButtonClick()
{
    const int row = StringGrid1->SelectedCell().Row;
    ChangeTable([row](CellStore& cells) { AttributeTable::DeleteObjectRow(cells, row); });
}

void TFCoord::AddColButtonClick()
{
    StringGrid1->FinishEditing();
    const int column = StringGrid1->SelectedCell().Column;
    const CellStore& cells = StringGrid1->Store();
    if (column >= 1 && AttributeTable::AttributeCount(cells) >= MaxAttributes) {
        ShowMessage(TooManyAttributesText(AttributeTable::AttributeCount(cells) + 1LL), this);
        return;
    }
    ChangeTable([column](CellStore& store) { AttributeTable::InsertAttributeColumn(store, column); });
}

void TFCoord::DelColButtonClick()
{
    const int column = StringGrid1->SelectedCell().Column;
    ChangeTable([column](CellStore& cells) { AttributeTable::DeleteAttributeColumn(cells, column); });
}

void TFCoord::SaveButtonClick()
{
    StringGrid1->FinishEditing();
    const std::optional<std::string> fileName =
        ChooseFileToWrite(saveDialog1_, this, Sjis(InputFileDialogTitle));
    if (!fileName)
        return;
    if (!RunWithProgress(this, SavingCancelledText(*fileName), [&](Progress& progress) {
            SaveAttributeDataFile(*fileName, StringGrid1->Store(), progress);
        }))
        return;
    NoteFile(*fileName);
}

void TFCoord::LoadButtonClick()
{
    StringGrid1->FinishEditing();
    // Unlike the save dialog, the open dialog drops a filter a cancelled CSV
    // read left on it.
    const std::optional<std::string> fileName =
        ChooseFile(openDialog1_, this, Sjis(InputFileDialogTitle), std::string());
    if (!fileName)
        return;
    if (!RunWithProgress(this, LoadingCancelledText(*fileName), [&](Progress& progress) {
            ChangeTable([&](CellStore& cells) { LoadAttributeDataFile(*fileName, cells, progress); });
        }))
        return;
    NoteFile(*fileName);
}

void TFCoord::WRCSVButtonClick()
{
    StringGrid1->FinishEditing();
    // A cancel leaves the CSV filter on the dialog for the next plain save.
    const std::optional<std::string> fileName =
        ChooseFileToWrite(saveDialog1_, this, Sjis(InputFileDialogTitle), CsvFileFilter, EnsureCsvExtension);
    if (!fileName)
        return;
    if (!RunWithProgress(this, SavingCancelledText(*fileName), [&](Progress& progress) {
            WriteAttributeCsv(*fileName, StringGrid1->Store(), progress);
        }))
        return;
    NoteFile(*fileName);
}

void TFCoord::RDCSVButtonClick()
{
    StringGrid1->FinishEditing();
    const std::optional<std::string> fileName =
        ChooseFile(openDialog1_, this, Sjis(InputFileDialogTitle), CsvFileFilter);
    if (!fileName)
        return;
    if (!RunWithProgress(this, LoadingCancelledText(*fileName), [&](Progress& progress) {
            ChangeTable([&](CellStore& cells) { ReadAttributeCsv(*fileName, cells, progress); });
        }))
        return;
    NoteFile(*fileName);
}

void TFCoord::PButtonClick()
{
    StringGrid1->FinishEditing();
    // The dialog only chooses the printer: a cancel prints all the same.
    PrintListing([&](Progress& progress) {
        PrintAfterDialog(
            this, [&](Canvas& canvas) { PrintAttributeListing(canvas, StringGrid1->Store(), progress); });
    });
}

void TFCoord::EucButtonClick() { PressDistance(AttributeDistanceKind::Euclidean); }

void TFCoord::EucStdButtonClick() { PressDistance(AttributeDistanceKind::Standardized); }

void TFCoord::PressDistance(AttributeDistanceKind kind)
{
    StringGrid1->FinishEditing();
    std::string reportFileName;
    const auto chooseReport = [&] {
        std::optional<std::string> chosen =
            ChooseFileToWrite(openDialog1_, this, "Output File", std::string());
        reportFileName = chosen.value_or(std::string());
        return chosen;
    };
    bool pressed = false;
    try {
        const auto cancelled = [&] { return CalculationCancelledText(reportFileName); };
        if (!RunWithProgress(this, cancelled,
                             [&](Progress& progress) {
                                 pressed = PressAttributeDistance(
                                     AttributeTable::TextsOf(StringGrid1->Store()), kind, Shared(),
                                     Attributes(), chooseReport, report_, progress);
                             }) ||
            !pressed)
            return;
    } catch (const CellConversionError& error) {
        // The user corrects the cell and presses again.
        ShowMessage(error.what(), this);
        return;
    }
    CloseConfirmed();
}

} // namespace vantrel
