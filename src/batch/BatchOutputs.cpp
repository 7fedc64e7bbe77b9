#include "batch/BatchOutputs.h"

#include "batch/BatchOptions.h"
#include "common/Errors.h"
#include "platform/core/TextFile.h"
#include "platform/gui/PageFile.h"
#include "platform/gui/PageFit.h"
#include "runs/core/TreeResults.h"

#include <QGuiApplication>

#include <cerrno>
#include <cstdio>
#include <memory>

namespace vantrel {

PrintPage BatchPagePrinter(const BatchOptions& options)
{
    if (options.DendrogramFile.empty())
        return {};
    return [&options](const DrawPage& draw) {
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
        if (options.WholeTree)
            FitPageHeightToDrawing(canvas, draw);
        draw(canvas);
    };
}

std::string MergeLine(const ClusterNode& node)
{
    const std::int32_t left = node.Left ? node.Left->Id : 0;
    const std::int32_t right = node.Right ? node.Right->Id : 0;
    return std::to_string(node.Id) + "\t" + std::to_string(left) + "\t" + std::to_string(right) + "\t" +
           LevelText(node.Height) + "\n";
}

std::string MergeListing(const ClusterTree& tree)
{
    std::string listing;
    for (const auto& node : tree.Nodes())
        if (!node->IsLeaf())
            listing += MergeLine(*node);
    return listing;
}

void PrintToOutput(std::FILE* out, const std::string& text)
{
    errno = 0;
    const bool written = std::fwrite(text.data(), 1, text.size(), out) == text.size();
    if (!written || std::fflush(out) != 0)
        throw IoError(IoErrorText("standard output", errno ? errno : EIO));
}

} // namespace vantrel
