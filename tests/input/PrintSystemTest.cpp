// The windows' printing against a real print system: a private cupsd with a
// cups-pdf queue standing in for a printer. What the queue receives is what
// a printer would print: one job per completed listing or page, nothing for
// a cancelled one, nothing from a queue that refuses jobs.
#include "input/TFCoord.h"
#include "input/TFDist.h"

#include "platform/MessageBox.h"
#include "platform/PrintDialog.h"
#include "platform/PrintQueue.h"
#include "platform/Printer.h"
#include "platform/ProgressDialog.h"
#include "print/Dendrogram.h"
#include "print/TreeBuilder.h"
#include "support/LocalCups.h"
#include "support/ScratchFiles.h"

#include <QPrintEngine>
#include <QPrinter>
#include <QPushButton>
#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace vantrel::testing {
namespace {

using Texts = std::vector<std::string>;

class PrintSystemTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { cups_ = new LocalCups; }
    static void TearDownTestSuite()
    {
        delete cups_;
        cups_ = nullptr;
    }

    void SetUp() override
    {
        if (!cups_->Ready())
            GTEST_SKIP() << "no local print system: " << cups_->Reason();
        ASSERT_TRUE(Printer::HasSystemPrinters());
        Printer::Instance().SystemPrinter().setPrinterName(QString::fromLatin1(LocalCups::Queue));
        Printer::Instance().SetOutputFileName({});
        matrix.show();
        attributes.show();
    }

    // Runs `action`, waits for the queue to finish, and tells how many
    // jobs and PDFs it added.
    std::pair<std::size_t, std::size_t> Added(const std::function<void()>& action)
    {
        const std::size_t jobs = cups_->Jobs().size();
        const std::size_t pdfs = cups_->Pdfs().size();
        action();
        EXPECT_TRUE(cups_->WaitUntilIdle());
        return {cups_->Jobs().size() - jobs, cups_->Pdfs().size() - pdfs};
    }

    static LocalCups* cups_;
    MessageRecorder messages;
    TFDist matrix;
    TFCoord attributes;
};

LocalCups* PrintSystemTest::cups_ = nullptr;

TEST_F(PrintSystemTest, TheQueueReceivesCompletedListingsOnly)
{
    const auto click = [](QWidget& window) { window.findChild<QPushButton*>("PButton")->click(); };
    const std::string refused = "paper jam";
    const struct {
        const char* name;
        std::function<void()> print;
        std::size_t jobs; // the jobs, and the PDFs, the queue receives
        std::string title;
        Texts told;
        Texts errors;
    } cases[] = {
        {"a completed listing", [&] { click(matrix); }, 1, "Vantrel - 距離（非類似度）", {}, {}},
        {"a listing cancelled part-way",
         [&] {
             ProgressScript progress;
             progress.CancelAt(4);
             click(matrix);
         },
         0,
         "",
         Texts{"Printing cancelled: nothing was printed."},
         {}},
        {"the attribute window's listing, after its print dialog",
         [&] {
             PrintDialogScript dialog;
             dialog.AddConfirm();
             click(attributes);
         },
         1,
         "Vantrel - 座標値",
         {},
         {}},
        {"a listing for a queue that refuses jobs",
         [&] {
             ASSERT_TRUE(cups_->RefuseJobs(refused));
             click(matrix);
             ASSERT_TRUE(cups_->AcceptJobs());
         },
         0,
         "",
         {},
         Texts{"refused"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        messages.Clear();
        const auto [jobs, pdfs] = Added(c.print);
        EXPECT_EQ(jobs, c.jobs);
        EXPECT_EQ(pdfs, c.jobs);
        if (c.jobs > 0) {
            EXPECT_EQ(cups_->Jobs().back().Title, c.title);
            EXPECT_EQ(cups_->Jobs().back().State, IPP_JSTATE_COMPLETED);
        }
        EXPECT_EQ(messages.Texts(MessageKind::Message), c.told);
        const Texts errors = messages.Texts(MessageKind::Error);
        ASSERT_EQ(errors.size(), c.errors.size());
        if (!errors.empty()) {
            EXPECT_EQ(errors[0].rfind(JobRefusedText(LocalCups::Queue, ""), 0), 0u) << errors[0];
            EXPECT_NE(errors[0].find(refused), std::string::npos) << errors[0];
        }
    }
}

TEST_F(PrintSystemTest, ThePageGoesTheSameWayWithThePrintDialogsChoices)
{
    ScratchDir dir;
    TreeBuilder builder(2);
    builder.Merge(1, 2, 1.0L);
    ClusterTree tree = builder.Take();
    const auto data = DataWithLabels({"a", "b"});
    QPrinter& printer = Printer::Instance().SystemPrinter();
    // As the dialog leaves them: two copies, and an option of its own page.
    printer.setCopyCount(2);
    printer.printEngine()->setProperty(QPrintEngine::PrintEnginePropertyKey(0xfe00),
                                       QStringList{QStringLiteral("job-priority"), QStringLiteral("60")});
    const auto [jobs, pdfs] = Added([&] {
        PrintDialogScript dialog;
        dialog.AddConfirm();
        const std::string pdf = PrintAfterDialog(
            nullptr, [&](Canvas& canvas) { PrintDendrogram(*data, tree, 0, "12", canvas); },
            dir.File("r.txt"));
        EXPECT_EQ(pdf, "");
    });
    printer.setCopyCount(1);
    printer.printEngine()->setProperty(QPrintEngine::PrintEnginePropertyKey(0xfe00), QStringList());
    EXPECT_EQ(jobs, 1u);
    EXPECT_EQ(pdfs, 1u);
    const LocalCups::Job job = cups_->Jobs().back();
    EXPECT_EQ(job.Title, "Vantrel - r.txt");
    EXPECT_EQ(cups_->JobAttribute(job.Id, "copies"), "2");
    EXPECT_EQ(cups_->JobAttribute(job.Id, "job-priority"), "60");
    EXPECT_TRUE(messages.Messages().empty());

    // A job given up on the printer's canvas sends nothing.
    const auto given = Added([] {
        Canvas& canvas = Printer::Instance().GetCanvas();
        canvas.BeginDoc();
        canvas.TextOut(0, 0, "page 1");
        canvas.NewPage();
        canvas.AbortDoc();
    });
    EXPECT_EQ(given, (std::pair<std::size_t, std::size_t>(0, 0)));
}

} // namespace
} // namespace vantrel::testing
