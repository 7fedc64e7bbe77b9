// Printing against a real print system: a private cupsd whose cups-pdf queue
// stands in for a printer. What the queue receives is what a printer would
// print: one job per completed listing or page, nothing for a cancelled one,
// nothing from a queue that refuses jobs.
#include "input/TFCoord.h"
#include "input/TFDist.h"

#include "platform/MessageBox.h"
#include "platform/PrintDialog.h"
#include "platform/Printer.h"
#include "platform/ProgressDialog.h"
#include "print/Dendrogram.h"
#include "print/TreeBuilder.h"
#include "support/LocalCups.h"

#include <QPrintEngine>
#include <QPrinter>
#include <QPushButton>
#include <gtest/gtest.h>

#include <functional>

namespace vantrel::testing {
namespace {

TEST(PrintSystem, TheQueueReceivesCompletedJobsOnly)
{
    const LocalCups cups;
    if (!cups.Ready())
        GTEST_SKIP() << "no local print system: " << cups.Reason();
    MessageRecorder messages;
    TFDist matrix;
    TFCoord attributes;
    QPrinter& printer = Printer::Instance().SystemPrinter();
    printer.setPrinterName(QString::fromLatin1(LocalCups::Queue));
    const auto print = [](QWidget& window) { window.findChild<QPushButton*>("PButton")->click(); };
    TreeBuilder tree(2);
    tree.Merge(1, 2, 1.0L);
    ClusterTree page = tree.Take();
    const auto data = DataWithLabels({"a", "b"});
    const struct {
        const char* name;
        std::function<void()> print;
        const char* title; // of the one job received; none when null
        std::string told;
    } cases[] = {
        {"a listing", [&] { print(matrix); }, "Vantrel - 距離（非類似度）", ""},
        {"a listing cancelled part-way",
         [&] {
             ProgressScript progress;
             progress.CancelAt(4);
             print(matrix);
         },
         nullptr, "Printing cancelled: nothing was printed."},
        {"a listing after the print dialog, to a queue that refuses jobs",
         [&] {
             PrintDialogScript dialog;
             dialog.AddConfirm();
             ASSERT_TRUE(cups.RefuseJobs("paper jam"));
             print(attributes);
             ASSERT_TRUE(cups.AcceptJobs());
         },
         nullptr, "The printer VantrelPdf refused the print job: "},
        // Two copies and an option of the dialog's print system page, as
        // the dialog would leave them.
        {"the page of a run, with the dialog's choices",
         [&] {
             printer.setCopyCount(2);
             printer.printEngine()->setProperty(
                 QPrintEngine::PrintEnginePropertyKey(0xfe00),
                 QStringList{QStringLiteral("job-priority"), QStringLiteral("60")});
             PrintDialogScript dialog;
             dialog.AddConfirm();
             PrintAfterDialog(
                 nullptr, [&](Canvas& canvas) { PrintDendrogram(*data, page, 0, "12", canvas); },
                 "/tmp/r.txt");
         },
         "Vantrel - r.txt", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        messages.Clear();
        const std::size_t jobs = cups.Jobs().size();
        const std::size_t pdfs = cups.PdfCount();
        c.print();
        ASSERT_TRUE(cups.WaitUntilIdle());
        const std::size_t received = c.title ? 1 : 0;
        EXPECT_EQ(cups.Jobs().size(), jobs + received);
        EXPECT_EQ(cups.PdfCount(), pdfs + received);
        if (c.title) {
            EXPECT_EQ(cups.Jobs().back().Title, c.title);
            EXPECT_EQ(cups.Jobs().back().State, IPP_JSTATE_COMPLETED);
        }
        const std::vector<ShownMessage>& shown = messages.Messages();
        ASSERT_EQ(shown.size(), c.told.empty() ? 0u : 1u);
        if (!shown.empty()) {
            EXPECT_EQ(shown[0].Text.substr(0, c.told.size()), c.told);
        }
    }
    const int last = cups.Jobs().back().Id;
    EXPECT_EQ(cups.JobAttribute(last, "copies"), "2");
    EXPECT_EQ(cups.JobAttribute(last, "job-priority"), "60");
    printer.setCopyCount(1);
    printer.printEngine()->setProperty(QPrintEngine::PrintEnginePropertyKey(0xfe00), QStringList());
}

} // namespace
} // namespace vantrel::testing
