// Times a grid cell holding a 1 MB text in the matrix window: a repaint of
// the grid showing it, opening its editor, one typed key, a cursor
// movement, and Enter storing the text. Targets: repaints, keys and moves
// well under a frame (16 ms) whatever the text's length; opening the editor
// and Enter, which convert the whole text once, under 0.1 s. Runs
// offscreen; prints the median of several runs, wall and CPU time. An
// optional argument gives the text's length in bytes.
#include "MedianTiming.h"

#include "input/TFDist.h"
#include "platform/Application.h"
#include "platform/FileDialog.h"
#include "platform/MessageBox.h"
#include "platform/StringGrid.h"

#include <QLineEdit>
#include <QTest>

#include <cstdio>
#include <string>

using namespace vantrel;
using vantrel::bench::MedianTiming;
using vantrel::bench::ProcessorModel;

namespace {

constexpr int Runs = 7;

void Print(const char* what, vantrel::bench::Timing timing)
{
    std::printf("%-34s %9.2f ms wall %9.2f ms CPU\n", what, timing.Wall * 1e3, timing.Cpu * 1e3);
}

QLineEdit* OpenEditor(StringGrid& grid)
{
    const QModelIndex current = grid.currentIndex();
    return current.isValid() ? qobject_cast<QLineEdit*>(grid.indexWidget(current)) : nullptr;
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    Application app(argc, argv);
    MessageRecorder messages;
    FileDialogScript dialogs;

    const std::size_t length = argc > 1 ? std::stoul(argv[1]) : std::size_t{1} << 20;
    TFDist form;
    form.show();
    auto* labels = form.findChild<StringGrid*>(QStringLiteral("StringGrid2"));
    labels->FinishEditing();
    labels->SetCell(1, 1, std::string(length, 'x'));
    labels->SelectCell(1, 2);
    QApplication::processEvents();
    std::printf("A cell of %zu bytes, on %s\n", length, ProcessorModel().c_str());

    Print("repaint of the grid", MedianTiming(Runs, [&] { labels->viewport()->repaint(); }));

    Print("editor opened and closed", MedianTiming(Runs, [&] {
              labels->SelectCell(1, 1);
              labels->ShowEditor();
              labels->FinishEditing();
          }));

    labels->SelectCell(1, 1);
    labels->ShowEditor();
    QLineEdit* editor = OpenEditor(*labels);
    if (!editor) {
        std::fprintf(stderr, "no editor\n");
        return 1;
    }
    editor->end(false);
    Print("key typed into the editor", MedianTiming(Runs, [&] {
              QTest::keyClick(editor, Qt::Key_Y);
              editor->repaint();
          }));
    Print("cursor moved in the editor", MedianTiming(Runs, [&] {
              QTest::keyClick(editor, Qt::Key_Left);
              editor->repaint();
          }));
    Print("editor repainted", MedianTiming(Runs, [&] { editor->repaint(); }));
    Print("Enter stores the text", MedianTiming(Runs, [&] {
              QTest::keyClick(editor, Qt::Key_Return);
              QApplication::processEvents();
              labels->ShowEditor();
              editor = OpenEditor(*labels);
          }));
    labels->FinishEditing();
    const bool kept = labels->Cell(1, 1).size() == length + Runs;
    std::printf("text kept whole: %s\n", kept ? "yes" : "no");
    return kept && messages.Messages().empty() ? 0 : 1;
}
