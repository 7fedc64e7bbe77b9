#include "batch/BatchOutputs.h"

#include "batch/BatchOptions.h"
#include "batch/PageModule.h"
#include "common/Errors.h"
#include "platform/core/TextFile.h"
#include "runs/core/TreeResults.h"

#include <cerrno>
#include <cstdio>

namespace vantrel {

PrintPage BatchPagePrinter(const BatchOptions& options)
{
    if (options.DendrogramFile.empty())
        return {};
    return
        [&options](const DrawPage& draw) { WritePageFile(options.DendrogramFile, options.WholeTree, draw); };
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
