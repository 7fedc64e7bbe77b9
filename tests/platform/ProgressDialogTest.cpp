#include "platform/ProgressDialog.h"

#include "platform/MessageBox.h"

#include <QProgressDialog>
#include <QWidget>
#include <gtest/gtest.h>

namespace vantrel {
namespace {

using Texts = std::vector<std::string>;

// Two parts: four lines read, then `rows` rows written; returns the rows
// written before the work ended.
int ReadThenWrite(Progress& progress, int rows)
{
    progress.Start("Reading", "lines", 4);
    for (int i = 1; i <= 4; ++i)
        progress.Advance(i);
    progress.Start("Writing", "rows", rows);
    int written = 0;
    for (int i = 1; i <= rows; ++i) {
        progress.Advance(i);
        written = i;
    }
    return written;
}

TEST(ProgressDialog, TheBarCountsEachPartAndCancelEndsTheWorkWithItsMessage)
{
    MessageRecorder messages;
    QWidget parent;
    {
        ProgressScript script;
        QString title;
        EXPECT_TRUE(RunWithProgress(&parent, "Stopped.", [&](Progress& progress) {
            ReadThenWrite(progress, 2);
            title = parent.findChild<QProgressDialog*>()->windowTitle();
        }));
        // Titled as every other box of the program.
        EXPECT_EQ(title, QStringLiteral("Cluster Analysis"));
        ASSERT_EQ(script.Parts().size(), 2u);
        EXPECT_EQ(script.Parts()[0].What, "Reading");
        EXPECT_EQ(script.Parts()[0].Bar, "4 / 4 lines");
        EXPECT_EQ(script.Parts()[1].Bar, "2 / 2 rows");
        EXPECT_EQ(script.Updates(), 6);
        EXPECT_TRUE(messages.Messages().empty());
    }
    ProgressScript script;
    script.CancelAt(2, "Writing");
    int written = 0;
    EXPECT_FALSE(RunWithProgress(&parent, "Stopped.",
                                 [&](Progress& progress) { written = ReadThenWrite(progress, 3); }));
    EXPECT_EQ(written, 0); // Advance(2) threw
    EXPECT_EQ(script.Parts()[1].Bar, "2 / 3 rows");
    EXPECT_EQ(messages.Texts(MessageKind::Message), Texts{"Stopped."});
    EXPECT_TRUE(parent.findChildren<QProgressDialog*>().isEmpty());
}

TEST(ProgressDialog, WorkThatEndsQuicklyShowsNothing)
{
    QWidget parent;
    bool shown = true;
    EXPECT_TRUE(RunWithProgress(&parent, "Stopped.", [&](Progress& progress) {
        ReadThenWrite(progress, 1000);
        shown = !parent.findChildren<QProgressDialog*>().isEmpty();
    }));
    EXPECT_FALSE(shown);
}

} // namespace
} // namespace vantrel
