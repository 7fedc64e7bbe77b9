// The results window's saves and print: the method shown, its name in the
// names proposed, the same writers and formats as vantrel-batch, atomic
// files with progress and Cancel, as the input windows save theirs.
#include "results/ResultsWindow.h"

#include "input/core/MatrixDataFile.h"
#include "platform/MessageBox.h"
#include "platform/Printer.h"
#include "platform/ProgressDialog.h"
#include "platform/core/Cp932.h"
#include "platform/gui/PageFile.h"
#include "platform/gui/PageFit.h"

namespace vantrel {
namespace {

const char* SaveTitle(ResultFile file)
{
    switch (file) {
    case ResultFile::Schedule:
        return "併合過程の保存";
    case ResultFile::Clusters:
        return "クラスターの保存";
    case ResultFile::Newick:
        return "樹形図（Newick 形式）の保存";
    case ResultFile::CopheneticMatrix:
        return "コーフェン行列の保存";
    default:
        return "樹形図の図の保存";
    }
}

// The file a save writes, with the format and encoding its file type chose;
// the dialog first proposes `proposed`.
std::optional<ResultTarget> ChooseTarget(FileDialog& dialog, QWidget* parent, ResultFile file,
                                         std::string proposed)
{
    std::optional<ResultTarget> target;
    const auto chosenTarget = [&](const std::string& chosen) {
        target = ResultFileTarget(file, chosen, dialog.SelectedFilter());
        return target->FileName;
    };
    if (!ChooseFileToWrite(dialog, parent, Sjis(SaveTitle(file)), ResultFileFilter(file), chosenTarget,
                           std::move(proposed)))
        return std::nullopt;
    return target;
}

PageFile::Format PageFormat(PictureFormat format)
{
    switch (format) {
    case PictureFormat::Png:
        return PageFile::Format::Png;
    case PictureFormat::Svg:
        return PageFile::Format::Svg;
    default:
        return PageFile::Format::Pdf;
    }
}

} // namespace

void ResultsWindow::Save(ResultFile file)
{
    const std::optional<ResultTarget> target =
        ChooseTarget(saveDialog_, this, file, session_.ProposedName(file));
    if (!target)
        return;
    RunWithProgress(this, SavingCancelledText(target->FileName), [&](Progress& progress) {
        switch (file) {
        case ResultFile::CopheneticMatrix:
            WriteMatrixDataFile(target->FileName, session_.CopheneticMatrix(), progress);
            break;
        case ResultFile::Picture:
        case ResultFile::PrintedTree:
            SavePicture(*target, progress);
            break;
        default:
            WriteTreeFile(target->FileName, session_.TreeFileText(file, target->Encoding), progress);
        }
    });
}

void ResultsWindow::SavePicture(const ResultTarget& target, Progress& progress)
{
    // The page file takes the target's place only when complete: a failure
    // or a cancel leaves the old picture whole.
    PageFileCanvas canvas(target.FileName, PageFormat(target.Format));
    FitPageHeightToDrawing(canvas, [&](Canvas& probe) { session_.PrintWholeTree(probe); });
    session_.PrintWholeTree(canvas, progress);
}

void ResultsWindow::Print()
{
    // The whole tree on as many pages as it needs; its PDF, when it becomes
    // one, is named after the method shown.
    std::optional<std::string> pdf;
    if (!RunWithProgress(this, PrintingCancelledText(), [&](Progress& progress) {
            pdf = PrintIfConfirmed(
                this, [&](Canvas& canvas) { session_.PrintWholeTree(canvas, progress); },
                session_.ProposedName(ResultFile::PrintedTree));
        }))
        return;
    if (pdf && !pdf->empty())
        ShowMessage("Dendrogram (PDF) = " + Cp932ForMessage(*pdf), this);
}

} // namespace vantrel
