#include "batch/BatchOutputs.h"

#include "batch/BatchOptions.h"
#include "engine/AnalysisData.h"
#include "platform/gui/PageFile.h"
#include "print/Dendrogram.h"
#include "runs/core/ReportWriter.h"

#include <QGuiApplication>

#include <memory>

namespace vantrel {

void WriteBatchReport(const BatchOptions& options, AnalysisData& data)
{
    if (options.ReportFile.empty())
        return;
    if (options.Kind == InputKind::Attribute) {
        // The distance press opened the report with the attribute echo.
        WriteComputedDistanceEcho(data);
        return;
    }
    OpenReportFile(data, options.ReportFile);
    if (options.Kind == InputKind::Similarity)
        WriteSimilarityEcho(data);
    else
        WriteDissimilarityEcho(data);
}

void PrintBatchDendrogram(const BatchOptions& options, const AnalysisData& data, ClusterTree& tree)
{
    if (options.DendrogramFile.empty())
        return;
    // Fonts need a GUI application; the page needs no screen.
    std::unique_ptr<QGuiApplication> application;
    if (!QGuiApplication::instance()) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        static int argc = 1;
        static char name[] = "vantrel-batch";
        static char* argv[] = {name, nullptr};
        application = std::make_unique<QGuiApplication>(argc, argv);
    }
    PageFileCanvas canvas(options.DendrogramFile);
    if (options.Kind == InputKind::Similarity)
        PrintSimDendrogram(data, tree, options.FontSize, canvas);
    else
        PrintDendrogram(data, tree, options.FontSize, canvas);
}

} // namespace vantrel
