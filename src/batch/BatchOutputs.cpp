#include "batch/BatchOutputs.h"

#include "batch/BatchOptions.h"
#include "platform/gui/PageFile.h"

#include <QGuiApplication>

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
        draw(canvas);
    };
}

std::string MergeLine(const ClusterNode& node)
{
    char height[64];
    std::snprintf(height, sizeof height, "%.21Lg", node.Height);
    const std::int32_t left = node.Left ? node.Left->Id : 0;
    const std::int32_t right = node.Right ? node.Right->Id : 0;
    return std::to_string(node.Id) + "\t" + std::to_string(left) + "\t" + std::to_string(right) + "\t" +
           height + "\n";
}

std::string MergeListing(const ClusterTree& tree)
{
    std::string listing;
    for (const auto& node : tree.Nodes())
        if (!node->IsLeaf())
            listing += MergeLine(*node);
    return listing;
}

} // namespace vantrel
