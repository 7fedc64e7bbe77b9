#include "common/Errors.h"
#include "platform/Application.h"
#include "platform/FileDialog.h"
#include "platform/MessageBox.h"
#include "platform/MessagePump.h"
#include "platform/core/TextFile.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "platform/gui/QtText.h"
#include "support/ScratchFiles.h"

using namespace vantrel;

TEST(FileDialog, ScriptAnswersInOrderAndRecordsWhatWasShown)
{
    FileDialogScript script;
    script.AddFileName("/tmp/a.txt");
    script.AddCancel();
    FileDialog dialog(FileDialog::Kind::Save);
    dialog.SetTitle("T");
    dialog.SetFilter("CSV files (*.csv)|*.CSV");
    EXPECT_TRUE(dialog.Execute());
    EXPECT_EQ(dialog.FileName(), "/tmp/a.txt");
    dialog.SetFileName("");
    EXPECT_FALSE(dialog.Execute());
    EXPECT_EQ(dialog.FileName(), "");
    // No answer left: a cancel, never a real dialog.
    EXPECT_FALSE(dialog.Execute());
    ASSERT_EQ(script.Shown().size(), 3u);
    EXPECT_EQ(script.Shown()[0].Title, "T");
    EXPECT_EQ(script.Shown()[0].Filter, "CSV files (*.csv)|*.CSV");
    EXPECT_EQ(script.Shown()[0].Kind, FileDialog::Kind::Save);
}

TEST(FileDialog, ChooseFileShowsAnEmptyNameAndClearsItsFilterOnlyAfterAChoice)
{
    FileDialogScript script;
    script.AddCancel();
    script.AddFileName("/tmp/b.csv");
    script.AddCancel();
    FileDialog dialog(FileDialog::Kind::Open);
    dialog.SetFileName("/tmp/old.txt");
    EXPECT_EQ(ChooseFile(dialog, nullptr, "T", "CSV|*.csv"), std::nullopt);
    EXPECT_EQ(dialog.Filter(), "CSV|*.csv");
    EXPECT_EQ(ChooseFile(dialog, nullptr, "U", "CSV|*.csv"), "/tmp/b.csv");
    EXPECT_EQ(dialog.Filter(), "");
    // Without a filter of its own a use shows the one the dialog holds.
    dialog.SetFilter("Text|*.txt");
    EXPECT_EQ(ChooseFile(dialog, nullptr, "V"), std::nullopt);
    EXPECT_EQ(dialog.Filter(), "Text|*.txt");
    ASSERT_EQ(script.Shown().size(), 3u);
    for (const ShownDialog& shown : script.Shown())
        EXPECT_EQ(shown.FileName, "");
    EXPECT_EQ(script.Shown()[1].Title, "U");
    EXPECT_EQ(script.Shown()[2].Filter, "Text|*.txt");
}

TEST(FileDialog, AnExistingFileIsReplacedOnlyAfterYesAndNoReturnsToTheDialog)
{
    vantrel::testing::ScratchDir dir;
    const std::string existing = dir.Write("old.csv", "kept");
    const std::string stem = existing.substr(0, existing.size() - 4);
    const auto csv = [](const std::string& name) { return name + ".csv"; };

    MessageRecorder messages;
    FileDialogScript script;
    FileDialog dialog(FileDialog::Kind::Save);
    script.AddFileName(stem);
    script.AddFileName(stem);
    messages.AddAnswer(false);
    messages.AddAnswer(true);
    EXPECT_EQ(ChooseFileToWrite(dialog, nullptr, "T", "CSV|*.csv", csv), existing);
    // The question names the file the name stands for; No showed the
    // dialog again with the name the user had chosen.
    EXPECT_EQ(messages.Texts(MessageKind::Question),
              (std::vector<std::string>(2, ReplaceFileQuestion(existing))));
    ASSERT_EQ(script.Shown().size(), 2u);
    EXPECT_EQ(script.Shown()[0].FileName, "");
    EXPECT_EQ(script.Shown()[1].FileName, stem);
    EXPECT_EQ(script.Shown()[1].Filter, "CSV|*.csv");
    EXPECT_EQ(dialog.Filter(), "");

    // A new file, or a folder the writer will refuse, asks nothing; No then
    // a cancel chooses nothing.
    messages.Clear();
    script.AddFileName(stem + "-new.csv");
    EXPECT_EQ(ChooseFileToWrite(dialog, nullptr, "T"), stem + "-new.csv");
    script.AddFileName(dir.File(""));
    EXPECT_EQ(ChooseFileToWrite(dialog, nullptr, "T"), dir.File(""));
    EXPECT_TRUE(messages.Messages().empty());
    script.AddFileName(existing);
    script.AddCancel();
    EXPECT_EQ(ChooseFileToWrite(dialog, nullptr, "T"), std::nullopt);
    EXPECT_EQ(vantrel::testing::ReadBytes(existing), "kept");
}

TEST(FileDialog, EachKindOfFileOpensWhereTheLastOfItsKindWasChosen)
{
    vantrel::testing::ScratchDir first, second;
    FileDialogScript script;
    FileDialog open(FileDialog::Kind::Open);
    FileDialog save(FileDialog::Kind::Save);
    const std::string csv = "CSV|*.csv";
    // Titles of this test only: the folders are remembered for the process.
    const struct {
        std::function<std::optional<std::string>()> use;
        std::optional<std::string> answer;
        FileDialog::Kind shownAs;
        std::string startsIn;
    } uses[] = {
        {[&] { return ChooseFile(open, nullptr, "Data A"); }, first.File("a.dat"), FileDialog::Kind::Open,
         ""},
        // Saved where the last one was loaded, from another component.
        {[&] { return ChooseFileToWrite(save, nullptr, "Data A"); }, second.File("b.dat"),
         FileDialog::Kind::Save, first.File("")},
        // Another kind of file: the same title with another filter.
        {[&] { return ChooseFile(open, nullptr, "Data A", csv); }, first.File("c.csv"),
         FileDialog::Kind::Open, ""},
        // A cancel remembers nothing.
        {[&] { return ChooseFile(open, nullptr, "Data A"); }, std::nullopt, FileDialog::Kind::Open,
         second.File("")},
    };
    for (const auto& use : uses) {
        if (use.answer)
            script.AddFileName(*use.answer);
        else
            script.AddCancel();
        EXPECT_EQ(use.use(), use.answer);
    }
    ASSERT_EQ(script.Shown().size(), std::size(uses));
    for (std::size_t i = 0; i < std::size(uses); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(script.Shown()[i].Kind, uses[i].shownAs);
        // Folders without their last separator.
        EXPECT_EQ(std::filesystem::path(script.Shown()[i].Folder),
                  std::filesystem::path(uses[i].startsIn).parent_path());
    }
    EXPECT_EQ(open.ShownKind(), FileDialog::Kind::Open);
}

TEST(FileDialog, AFileToWriteIsChosenInASaveDialogThatAsksNothingItself)
{
    vantrel::testing::ScratchDir dir;
    FileDialogScript script;
    FileDialog report(FileDialog::Kind::Open);
    script.AddFileName(dir.File("report.txt"));
    ChooseFile(report, nullptr, "Output File Q");
    report.SetShownAsSave(true);
    const std::unique_ptr<QFileDialog> dialog = report.MakeQtDialog();
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Output File Q"));
    EXPECT_EQ(dialog->acceptMode(), QFileDialog::AcceptSave);
    EXPECT_TRUE(dialog->testOption(QFileDialog::DontConfirmOverwrite));
    EXPECT_TRUE(dialog->labelText(QFileDialog::Accept).startsWith(QStringLiteral("保存")))
        << dialog->labelText(QFileDialog::Accept).toStdString();
    EXPECT_EQ(QFileInfo(dialog->directory().path()).canonicalFilePath(),
              QFileInfo(QString::fromStdString(dir.File(""))).canonicalFilePath());
    report.SetShownAsSave(false);
    EXPECT_EQ(report.MakeQtDialog()->acceptMode(), QFileDialog::AcceptOpen);
    // A kind of file not chosen yet opens in the working folder, not where
    // the last dialog of any kind was.
    FileDialog fresh(FileDialog::Kind::Open);
    fresh.SetTitle("Not Chosen Yet Q");
    EXPECT_EQ(QFileInfo(fresh.MakeQtDialog()->directory().path()).canonicalFilePath().toStdString(),
              QFileInfo(QDir::currentPath()).canonicalFilePath().toStdString());
}

TEST(FileDialog, FilterTakesQtForm)
{
    EXPECT_EQ(QtFilterFromDialogFilter("CSV files (*.csv)|*.CSV"), "CSV files (*.csv *.CSV)");
    EXPECT_EQ(QtFilterFromDialogFilter("Text|*.txt|All|*.*"), "Text (*.txt);;All (*.*)");
    EXPECT_EQ(QtFilterFromDialogFilter("Data|*.dat;*.txt"), "Data (*.dat *.txt)");
    EXPECT_EQ(QtFilterFromDialogFilter("Same (*.csv)|*.csv"), "Same (*.csv)");
    EXPECT_EQ(QtFilterFromDialogFilter(""), "");
}

TEST(MessageBox, RecorderKeepsKindAndTextAndNests)
{
    MessageRecorder outer;
    ShowMessage("one");
    {
        MessageRecorder inner;
        ShowErrorMessage("two");
        ASSERT_EQ(inner.Messages().size(), 1u);
        EXPECT_EQ(inner.Messages()[0].Kind, MessageKind::Error);
    }
    ShowMessage("three");
    EXPECT_EQ(outer.Texts(MessageKind::Message), (std::vector<std::string>{"one", "three"}));
    EXPECT_TRUE(outer.Texts(MessageKind::Error).empty());
}

TEST(MessageBox, BoxesCarryTheProgramsTitleAndQtsJapaneseButtons)
{
    const auto question = MakeMessageBox(MessageKind::Question, QStringLiteral("?"), nullptr);
    EXPECT_EQ(question->windowTitle(), QStringLiteral("Cluster Analysis"));
    EXPECT_EQ(question->defaultButton(), question->button(QMessageBox::No));
    // Loaded by the application at start: the installed Japanese texts.
    EXPECT_TRUE(question->button(QMessageBox::Yes)->text().contains(QStringLiteral("はい")))
        << question->button(QMessageBox::Yes)->text().toStdString();
    const auto error = MakeMessageBox(MessageKind::Error, QStringLiteral("!"), nullptr);
    EXPECT_EQ(error->windowTitle(), QStringLiteral("Cluster Analysis"));
    EXPECT_EQ(error->icon(), QMessageBox::Critical);
}

TEST(MessageBox, MessagesAreCodePage932AndFileNamesAreMadeSo)
{
    EXPECT_EQ(QStringFromCp932("\x83\x65\x83\x58\x83\x67"), QStringLiteral("テスト"));
    // Half-width katakana whose bytes happen to be valid UTF-8 as well.
    EXPECT_EQ(QStringFromCp932("\xC3\xBD\xC4\xB3"), QStringLiteral("ﾃｽﾄｳ"));
    // A file name (platform bytes) is converted where the message is made;
    // what code page 932 cannot hold shows as "?".
    EXPECT_TRUE(QStringFromCp932(IoErrorText("/tmp/日本\u00e9.txt", ENOENT))
                    .startsWith(QStringLiteral("I/O error: /tmp/日本?.txt: ")));
}

TEST(Application, ExceptionLeavingAHandlerGoesToTheErrorBox)
{
    MessageRecorder messages;
    QPushButton button;
    QObject::connect(&button, &QPushButton::clicked, [] { RunHandler([] { throw IoError("disk gone"); }); });
    button.click();
    EXPECT_EQ(messages.Texts(MessageKind::Error), (std::vector<std::string>{"disk gone"}));
    // The button still works afterwards.
    button.click();
    EXPECT_EQ(messages.Texts(MessageKind::Error).size(), 2u);
}

TEST(Application, NotifyCatchesExceptionsFromEventHandlers)
{
    MessageRecorder messages;
    QObject target;
    QTimer::singleShot(0, &target, [] { throw Error("late failure"); });
    ProcessPendingMessages();
    EXPECT_EQ(messages.Texts(MessageKind::Error), (std::vector<std::string>{"late failure"}));
}
