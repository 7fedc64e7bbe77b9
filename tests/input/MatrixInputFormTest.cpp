#include "input/TFDist.h"
#include "input/TFSim.h"
#include "platform/gui/QtText.h"
#include "support/InputDoneProbe.h"

#include "engine/AnalysisData.h"
#include "input/core/MatrixGrid.h"
#include "input_core/MatrixTestGrids.h"
#include "platform/FileDialog.h"
#include "platform/MessageBox.h"
#include "platform/StringGrid.h"
#include "platform/core/Cp932.h"

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <gtest/gtest.h>

#include <memory>

using namespace vantrel;
using namespace vantrel::testing;

namespace {

// A shown input window, driven through its components' names.
template <class Form>
struct Window {
    std::unique_ptr<Form> form = std::make_unique<Form>();
    StringGrid* Matrix = form->template findChild<StringGrid*>("StringGrid1");
    StringGrid* Labels = form->template findChild<StringGrid*>("StringGrid2");
    InputDoneProbe probe{*form};

    Window() { form->show(); }

    QPushButton* Button(const char* name) { return form->template findChild<QPushButton*>(name); }
    void Click(const char* name) { Button(name)->click(); }

    // Fills the grids as the user would type them.
    void Fill(const std::vector<std::string>& labels, const std::vector<std::string>& values)
    {
        MatrixGrids grids(labels, values);
        Labels->ChangeStore([&](CellStore& store) { store = grids.Labels; });
        Matrix->ChangeStore([&](CellStore& store) { store = grids.Matrix; });
    }

    std::vector<std::string> LabelTexts() const
    {
        std::vector<std::string> texts;
        for (int i = 1; i < Labels->RowCount(); ++i)
            texts.push_back(Labels->Cell(1, i));
        return texts;
    }

    std::vector<std::string> ValueTexts() const
    {
        std::vector<std::string> texts;
        for (int i = 2; i < Matrix->RowCount(); ++i)
            for (int j = 1; j < i; ++j)
                texts.push_back(Matrix->Cell(j, i));
        return texts;
    }
};

using Texts = std::vector<std::string>;

} // namespace

TEST(MatrixInputForm, LayoutNamesCaptionsAndTabOrder)
{
    Window<TFDist> window;
    EXPECT_EQ(window.form->windowTitle(), QStringLiteral("距離（非類似度）"));
    EXPECT_EQ(TFSim().windowTitle(), QStringLiteral("類似度"));
    ASSERT_NE(window.Matrix, nullptr);
    ASSERT_NE(window.Labels, nullptr);
    EXPECT_EQ(window.Matrix->geometry(), QRect(176, 0, 465, 417));
    EXPECT_EQ(window.Labels->geometry(), QRect(8, 0, 161, 417));
    const std::vector<std::pair<const char*, QString>> buttons{
        {"AddButton", QStringLiteral("追  加")},        {"DelButton", QStringLiteral("削  除")},
        {"SaveButton", QStringLiteral("保  存")},       {"LoadButton", QStringLiteral("読  出")},
        {"CalcButton", QStringLiteral("Ｏ　Ｋ")},       {"PButton", QStringLiteral("印  刷")},
        {"WRCSVButton", QStringLiteral("保存（CSV）")}, {"RDCSVButton", QStringLiteral("読出（CSV）")}};
    int top = -1;
    for (const auto& [name, caption] : buttons) {
        QPushButton* button = window.Button(name);
        ASSERT_NE(button, nullptr) << name;
        EXPECT_EQ(button->text(), caption);
        EXPECT_EQ(button->x(), 656);
        EXPECT_EQ(button->size(), QSize(75, 25));
        EXPECT_GT(button->y(), top);
        top = button->y();
    }
    QWidget* expected[] = {window.Matrix,
                           window.Button("AddButton"),
                           window.Button("DelButton"),
                           window.Button("CalcButton"),
                           window.Button("SaveButton"),
                           window.Button("LoadButton"),
                           window.Button("PButton"),
                           window.Labels,
                           window.Button("WRCSVButton"),
                           window.Button("RDCSVButton")};
    // The chain also runs through each grid's own parts; only the window's
    // components count here.
    for (std::size_t k = 0; k + 1 < std::size(expected); ++k) {
        QWidget* next = expected[k]->nextInFocusChain();
        while (next->parentWidget() != window.form.get())
            next = next->nextInFocusChain();
        EXPECT_EQ(next, expected[k + 1]) << k;
    }
}

TEST(MatrixInputForm, OpensWithTwoObjectsAndAnEmptyValueCell)
{
    Window<TFDist> window;
    EXPECT_EQ(window.Matrix->ColCount(), 3);
    EXPECT_EQ(window.Matrix->RowCount(), 3);
    EXPECT_EQ(window.Matrix->Cell(0, 1), Sjis(" 対象 1"));
    EXPECT_EQ(window.Matrix->Cell(2, 0), Sjis(" 対象 2"));
    EXPECT_EQ(window.Matrix->Cell(1, 1), "*");
    EXPECT_EQ(window.Matrix->Cell(2, 1), "*");
    EXPECT_EQ(window.Matrix->Cell(2, 2), "*");
    EXPECT_EQ(window.Matrix->Cell(1, 2), "");
    EXPECT_EQ(window.Labels->Cell(0, 0), Sjis(" 対　象"));
    EXPECT_EQ(window.Labels->Cell(1, 0), Sjis(" ラベル"));
    EXPECT_EQ(window.LabelTexts(), (Texts{"", ""}));
    EXPECT_EQ(window.Matrix->SelectedCell(), (GridCoord{1, 1}));
    EXPECT_EQ(window.Matrix->selectionMode(), QAbstractItemView::SingleSelection);
    EXPECT_EQ(window.Matrix->font().pixelSize(), 16);
    EXPECT_EQ(window.Matrix->ColWidth(1), 64);
}

TEST(MatrixInputForm, OkOnAFreshWindowReportsRowTwoColumnOne)
{
    MessageRecorder messages;
    Window<TFDist> window;
    window.Click("CalcButton");
    EXPECT_EQ(messages.Texts(MessageKind::Message), (Texts{"Error ===>  Cells[2,1] = "}));
    EXPECT_TRUE(messages.Texts(MessageKind::Error).empty());
    EXPECT_TRUE(window.form->isVisible());
    EXPECT_EQ(window.probe.InputDone, 0);
}

TEST(MatrixInputForm, OkErrorShowsTheCellInItsOwnCodePage)
{
    MessageRecorder messages;
    Window<TFDist> window;
    // ﾃｽﾄｳ: code page 932 bytes that are valid UTF-8 too, which once made
    // the box show other characters.
    window.Fill({"A", "B"}, {"\xC3\xBD\xC4\xB3"});
    window.Click("CalcButton");
    ASSERT_EQ(messages.Texts(MessageKind::Message).size(), 1u);
    EXPECT_EQ(QStringFromCp932(messages.Texts(MessageKind::Message)[0]),
              QStringLiteral("Error ===>  Cells[2,1] = ﾃｽﾄｳ"));
}

TEST(MatrixInputForm, OkStoresCountLabelsAndMatrixAndCloses)
{
    MessageRecorder messages;
    Window<TFDist> window;
    window.Fill({"A", " b "}, {" 2.5 "});
    window.Click("CalcButton");
    EXPECT_TRUE(messages.Messages().empty());
    EXPECT_FALSE(window.form->isVisible());
    EXPECT_EQ(window.probe.InputDone, 1);
    EXPECT_EQ(Shared().ObjectCount, 2);
    EXPECT_EQ(Shared().ObjectLabels[2], " b ");
    EXPECT_EQ(Shared().DissimMatrix(2, 1), 2.5L);
}

TEST(MatrixInputForm, SimilarityWindowFillsTheSimilarityMatrix)
{
    Window<TFSim> window;
    Shared().DissimMatrix(3, 2) = 7.0L;
    window.Fill({"A", "B", "C"}, {"1", "2", "-3e1"});
    window.Click("CalcButton");
    EXPECT_EQ(Shared().SimMatrix(3, 2), -30.0L);
    EXPECT_EQ(Shared().DissimMatrix(3, 2), 7.0L);
}

TEST(MatrixInputForm, OkWithOneObjectWritesNoMatrixEntry)
{
    Window<TFDist> window;
    window.Matrix->SelectCell(1, 2);
    window.Click("DelButton");
    window.Labels->SetCell(1, 1, "only");
    window.Click("CalcButton");
    EXPECT_EQ(Shared().ObjectCount, 1);
    EXPECT_EQ(Shared().ObjectLabels[1], "only");
    EXPECT_EQ(window.probe.InputDone, 1);
}

TEST(MatrixInputForm, TextTypedInTheEditorCountsAtOk)
{
    Window<TFDist> window;
    window.Matrix->SelectCell(1, 2);
    window.Matrix->ShowEditor();
    // The editor opened at [1, 1] is closed but may not be deleted yet.
    QLineEdit* editor = nullptr;
    for (auto* candidate : window.Matrix->findChildren<QLineEdit*>())
        if (candidate->isVisible())
            editor = candidate;
    ASSERT_NE(editor, nullptr);
    editor->setText(QStringLiteral("4"));
    window.Click("CalcButton");
    EXPECT_EQ(window.probe.InputDone, 1);
    EXPECT_EQ(Shared().DissimMatrix(2, 1), 4.0L);
}

TEST(MatrixInputForm, InsertAndDeleteFollowTheSelectedMatrixRow)
{
    Window<TFDist> window;
    window.Fill({"A", "B", "C"}, {"21", "31", "32"});
    window.Matrix->SelectCell(1, 2);
    window.Labels->SelectCell(1, 3); // plays no part
    window.Click("AddButton");
    EXPECT_EQ(window.LabelTexts(), (Texts{"A", "B", " ", "C"}));
    EXPECT_EQ(window.ValueTexts(), (Texts{"21", " ", " ", "31", "32", " "}));
    EXPECT_EQ(window.Matrix->Cell(0, 4), Sjis(" 対象 4"));

    window.Matrix->SelectCell(1, 1);
    window.Click("DelButton");
    EXPECT_EQ(window.LabelTexts(), (Texts{"B", " ", "C"}));
    EXPECT_EQ(window.ValueTexts(), (Texts{" ", "32", " "}));
}

TEST(MatrixInputForm, InsertionBeyondAThousandObjectsIsRefused)
{
    MessageRecorder messages;
    Window<TFDist> window;
    window.Fill(std::vector<std::string>(1000, "x"), {});
    window.Matrix->SelectCell(1, 1000);
    window.Click("AddButton");
    EXPECT_EQ(window.Labels->RowCount(), 1001);
    ASSERT_EQ(messages.Texts(MessageKind::Message).size(), 1u);
    EXPECT_NE(messages.Texts(MessageKind::Message)[0].find("1000"), std::string::npos);
}

TEST(MatrixInputForm, ClosingSetsInputDoneStoresNothingAndOnlyHides)
{
    Window<TFDist> window;
    Shared().ObjectCount = 42;
    QPointer<TFDist> alive = window.form.get();
    window.form->close();
    QApplication::processEvents();
    EXPECT_EQ(window.probe.InputDone, 1);
    EXPECT_EQ(Shared().ObjectCount, 42);
    EXPECT_FALSE(window.form->isVisible());
    EXPECT_FALSE(alive.isNull());
}

TEST(MatrixDataFileButtons, SaveThenLoadIntoTheOtherWindow)
{
    ScratchDir dir;
    FileDialogScript dialogs;
    dialogs.AddFileName(dir.File("m.dat"));
    dialogs.AddFileName(dir.File("m.dat"));
    Window<TFDist> dist;
    dist.Fill({"A", " B", Sjis("東京")}, {" 1.5", "2", "0.7 "});
    dist.Click("SaveButton");
    EXPECT_EQ(ReadBytes(dir.File("m.dat")), "3\r\nA\r\n B\r\n" + Sjis("東京") + "\r\n1.5\r\n2\r\n0.7\r\n");
    EXPECT_TRUE(dist.Button("CalcButton")->hasFocus() || !QApplication::focusWidget());

    Window<TFSim> sim;
    sim.Click("LoadButton");
    EXPECT_EQ(sim.LabelTexts(), (Texts{"A", " B", Sjis("東京")}));
    EXPECT_EQ(sim.ValueTexts(), (Texts{"1.5", "2", "0.7"}));
    EXPECT_EQ(sim.Matrix->Cell(3, 3), "*");
    EXPECT_EQ(sim.Labels->Cell(0, 0), Sjis(" 対　象"));
    ASSERT_EQ(dialogs.Shown().size(), 2u);
    EXPECT_EQ(dialogs.Shown()[0].Title, Sjis("ファイル名"));
    EXPECT_EQ(dialogs.Shown()[0].Kind, FileDialog::Kind::Save);
    EXPECT_EQ(dialogs.Shown()[1].Kind, FileDialog::Kind::Open);
    EXPECT_EQ(dialogs.Shown()[1].Filter, "");
}

TEST(MatrixDataFileButtons, OneObjectFileHasTwoLines)
{
    ScratchDir dir;
    FileDialogScript dialogs;
    dialogs.AddFileName(dir.File("one.dat"));
    Window<TFDist> window;
    window.Fill({"solo"}, {});
    window.Click("SaveButton");
    EXPECT_EQ(ReadBytes(dir.File("one.dat")), "1\r\nsolo\r\n");
}

TEST(MatrixDataFileButtons, AnEmptyFileLoadsNoObjectAndInsertionAddsTheFirst)
{
    ScratchDir dir;
    FileDialogScript dialogs;
    dialogs.AddFileName(dir.Write("empty.dat", ""));
    Window<TFDist> window;
    window.Click("LoadButton");
    EXPECT_TRUE(window.LabelTexts().empty());
    // No object row can be selected; the insertion appends object 1.
    window.Click("AddButton");
    EXPECT_EQ(window.LabelTexts(), Texts{" "});
    EXPECT_EQ(window.Matrix->Cell(1, 1), "*");
    window.Click("AddButton");
    EXPECT_EQ(window.LabelTexts(), (Texts{" ", " "}));
}

TEST(MatrixDataFileButtons, UnreadableFileShowsTheErrorBoxAndLeavesTheWindow)
{
    MessageRecorder messages;
    FileDialogScript dialogs;
    dialogs.AddFileName("/nonexistent-dir/m.dat");
    Window<TFDist> window;
    window.Fill({"A", "B"}, {"1"});
    window.Click("LoadButton");
    ASSERT_EQ(messages.Texts(MessageKind::Error).size(), 1u);
    EXPECT_NE(messages.Texts(MessageKind::Error)[0].find("/nonexistent-dir/m.dat"), std::string::npos);
    EXPECT_TRUE(window.form->isVisible());
    EXPECT_EQ(window.LabelTexts(), (Texts{"A", "B"}));
    EXPECT_EQ(window.ValueTexts(), (Texts{"1"}));
    // The window is still usable.
    window.Click("CalcButton");
    EXPECT_EQ(window.probe.InputDone, 1);
}

TEST(MatrixDataFileButtons, CancelledDialogsChangeNothing)
{
    ScratchDir dir;
    FileDialogScript dialogs;
    dialogs.AddCancel();
    dialogs.AddCancel();
    dialogs.AddCancel();
    dialogs.AddCancel();
    Window<TFDist> window;
    window.Fill({"A", "B"}, {"1"});
    window.Click("SaveButton");
    window.Click("LoadButton");
    window.Click("WRCSVButton");
    window.Click("RDCSVButton");
    EXPECT_EQ(dialogs.Shown().size(), 4u);
    EXPECT_EQ(window.LabelTexts(), (Texts{"A", "B"}));
    EXPECT_EQ(window.ValueTexts(), (Texts{"1"}));
    EXPECT_TRUE(std::filesystem::is_empty(dir.File("")));
}

TEST(MatrixCsvButtons, ExportAddsTheExtensionAndImportReadsItBack)
{
    ScratchDir dir;
    FileDialogScript dialogs;
    dialogs.AddFileName(dir.File("m"));
    dialogs.AddFileName(dir.File("m.csv"));
    Window<TFDist> dist;
    dist.Fill({"A", "B", "C"}, {"1.5 ", "2", "0.7"});
    dist.Click("WRCSVButton");
    EXPECT_EQ(ReadBytes(dir.File("m.csv")), ",A,B,C\r\nA\r\nB,1.5\r\nC,2,0.7\r\n");
    EXPECT_EQ(dist.form->SaveDialog1().Filter(), "");

    Window<TFSim> sim;
    sim.Click("RDCSVButton");
    EXPECT_EQ(sim.LabelTexts(), (Texts{"A", "B", "C"}));
    EXPECT_EQ(sim.ValueTexts(), (Texts{"1.5", "2", "0.7"}));
    EXPECT_EQ(sim.Matrix->Cell(2, 1), "*");
    EXPECT_EQ(dialogs.Shown()[1].Filter, "CSV files (*.csv)|*.CSV");
    EXPECT_EQ(sim.form->OpenDialog1().Filter(), "");
}

TEST(MatrixCsvButtons, LabelsWithBlanksAndCommasSurviveTheRoundTrip)
{
    ScratchDir dir;
    FileDialogScript dialogs;
    dialogs.AddFileName(dir.File("q.CSV"));
    dialogs.AddFileName(dir.File("q.CSV"));
    Window<TFDist> window;
    window.Fill({"New York", "a,b", " "}, {"1", "2", "3"});
    window.Click("WRCSVButton");
    window.Fill({"x", "y"}, {"9"});
    window.Click("RDCSVButton");
    EXPECT_EQ(window.LabelTexts(), (Texts{"New York", "a,b", " "}));
    EXPECT_EQ(window.ValueTexts(), (Texts{"1", "2", "3"}));
}

TEST(MatrixCsvButtons, CancelledExportLeavesItsFilterForTheNextPlainSave)
{
    FileDialogScript dialogs;
    dialogs.AddCancel();
    dialogs.AddCancel();
    Window<TFDist> window;
    window.Click("WRCSVButton");
    window.Click("SaveButton");
    ASSERT_EQ(dialogs.Shown().size(), 2u);
    EXPECT_EQ(dialogs.Shown()[1].Filter, "CSV files (*.csv)|*.CSV");
    EXPECT_EQ(dialogs.Shown()[1].Title, Sjis("ファイル名"));
}

TEST(MatrixCsvButtons, ShortDataLineIsAnErrorLeavingWhatWasImported)
{
    ScratchDir dir;
    // Line 4 needs the pairs (3, 1) and (3, 2) and gives only the first.
    WriteBytes(dir.File("bad.csv"), ",A,B,C\r\nA\r\nB,1\r\nC,2\r\n");
    MessageRecorder messages;
    FileDialogScript dialogs;
    dialogs.AddFileName(dir.File("bad.csv"));
    Window<TFDist> window;
    window.Click("RDCSVButton");
    EXPECT_EQ(messages.Texts(MessageKind::Error).size(), 1u);
    EXPECT_EQ(window.LabelTexts(), (Texts{"A", "B", "C"}));
    EXPECT_EQ(window.Matrix->Cell(1, 2), "1");
    EXPECT_EQ(window.Matrix->Cell(1, 3), "2");
    EXPECT_TRUE(window.form->isVisible());
}

TEST(MatrixCsvButtons, FileOfMoreThanAThousandObjectsIsRefusedUntouched)
{
    ScratchDir dir;
    std::string line;
    for (int i = 0; i < 1001; ++i)
        line += ",x";
    WriteBytes(dir.File("big.csv"), line + "\r\n");
    MessageRecorder messages;
    FileDialogScript dialogs;
    dialogs.AddFileName(dir.File("big.csv"));
    Window<TFDist> window;
    window.Fill({"A", "B"}, {"1"});
    window.Click("RDCSVButton");
    EXPECT_EQ(messages.Messages().size(), 1u);
    EXPECT_EQ(window.LabelTexts(), (Texts{"A", "B"}));
    EXPECT_EQ(window.ValueTexts(), (Texts{"1"}));
}

namespace {

// The cell editor open in `grid` (an editor closed earlier may linger
// hidden until deleted).
QLineEdit* OpenEditor(StringGrid& grid)
{
    for (auto* candidate : grid.findChildren<QLineEdit*>())
        if (candidate->isVisible())
            return candidate;
    return nullptr;
}

} // namespace

TEST(MatrixInputForm, BothGridsScrollTheSameObjectsIntoView)
{
    Window<TFDist> window;
    window.Fill(std::vector<std::string>(1000, "label"), {});
    QApplication::processEvents();
    QScrollBar* labels = window.Labels->verticalScrollBar();
    QScrollBar* matrix = window.Matrix->verticalScrollBar();
    for (QScrollBar* scrolled : {matrix, labels}) {
        for (int value : {500, scrolled->maximum(), 3}) {
            scrolled->setValue(value);
            EXPECT_EQ(labels->value(), matrix->value());
            for (int y : {30, 200, 380})
                EXPECT_EQ(window.Labels->rowAt(y), window.Matrix->rowAt(y)) << value << " " << y;
        }
    }
    EXPECT_GT(labels->maximum(), 900);
}

TEST(MatrixInputForm, EditorKeepsLoadedBytesAndTakesAnyLength)
{
    ScratchDir dir;
    FileDialogScript dialogs;
    // Code page 932 has two forms of this character (ED 40 and FA 5C); the
    // one loaded must be the one saved, whether or not its cell was opened.
    const std::string loaded = "2\r\n\xED\x40\r\nB\r\n1\r\n";
    WriteBytes(dir.File("in.dat"), loaded);
    dialogs.AddFileName(dir.File("in.dat"));
    dialogs.AddFileName(dir.File("out.dat"));
    Window<TFDist> window;
    window.Click("LoadButton");
    window.Labels->SelectCell(1, 1);
    window.Labels->ShowEditor();
    window.Click("SaveButton");
    EXPECT_EQ(ReadBytes(dir.File("out.dat")), loaded);

    // A paste far beyond a line edit's usual 32,767 characters is kept whole.
    const std::string big(1 << 20, 'x');
    QApplication::clipboard()->setText(QString::fromStdString(big));
    window.Labels->SelectCell(1, 2);
    window.Labels->ShowEditor();
    QLineEdit* editor = OpenEditor(*window.Labels);
    ASSERT_NE(editor, nullptr);
    QTest::keySequence(editor, QKeySequence::Paste);
    dialogs.AddFileName(dir.File("big.dat"));
    window.Click("SaveButton");
    EXPECT_EQ(ReadBytes(dir.File("big.dat")), "2\r\n\xED\x40\r\n" + big + "\r\n1\r\n");
}

TEST(MatrixInputForm, CharacterShiftJisCannotHoldKeepsTheEditOpen)
{
    MessageRecorder messages;
    Window<TFDist> window;
    QLineEdit* editor = OpenEditor(*window.Labels);
    ASSERT_NE(editor, nullptr);
    editor->setText(QStringLiteral("価格€です"));
    // The commit after Enter comes queued, and the way back after it.
    const auto settle = [] {
        QApplication::processEvents();
        QApplication::processEvents();
    };
    const auto expectKept = [&](std::size_t messageCount) {
        settle();
        ASSERT_EQ(messages.Texts(MessageKind::Message).size(), messageCount);
        EXPECT_NE(messages.Texts(MessageKind::Message).back().find("U+20AC"), std::string::npos);
        EXPECT_EQ(OpenEditor(*window.Labels), editor);
        EXPECT_EQ(editor->text(), QStringLiteral("価格€です"));
        EXPECT_EQ(editor->selectedText(), QStringLiteral("€"));
        EXPECT_EQ(window.Labels->SelectedCell(), (GridCoord{1, 1}));
        EXPECT_EQ(window.Labels->Cell(1, 1), "");
    };
    // Enter, OK and a move to another cell each name the character and
    // bring the user back to the text as typed.
    QTest::keyClick(editor, Qt::Key_Return);
    expectKept(1);
    window.Click("CalcButton");
    expectKept(2);
    EXPECT_EQ(window.probe.InputDone, 0);
    window.Labels->SelectCell(1, 2);
    expectKept(3);

    // Mended, the edit goes on.
    editor->insert(QStringLiteral("EUR"));
    QTest::keyClick(editor, Qt::Key_Return);
    settle();
    EXPECT_EQ(window.Labels->Cell(1, 1), Sjis("価格EURです"));
    EXPECT_EQ(messages.Messages().size(), 3u);

    // Escape still drops an edit once refused.
    window.Labels->SelectCell(1, 2);
    window.Labels->ShowEditor();
    editor = OpenEditor(*window.Labels);
    ASSERT_NE(editor, nullptr);
    editor->setText(QStringLiteral("😀"));
    QTest::keyClick(editor, Qt::Key_Return);
    settle();
    EXPECT_EQ(messages.Messages().size(), 4u);
    QTest::keyClick(editor, Qt::Key_Escape);
    settle();
    EXPECT_EQ(OpenEditor(*window.Labels), nullptr);
    EXPECT_EQ(window.Labels->Cell(1, 2), "");
}
