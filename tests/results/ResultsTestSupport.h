#pragma once

// A results window on the real engine's tree of a matrix data file, with
// the dialogs and message boxes scripted, and vantrel-batch beside it to
// compare with.
#include "engine/AnalysisData.h"
#include "input/core/MatrixConfirm.h"
#include "input/core/MatrixDataFile.h"
#include "platform/FileDialog.h"
#include "platform/MessageBox.h"
#include "platform/core/TextFile.h"
#include "results/ResultsWindow.h"
#include "results/TreeView.h"
#include "runs/core/TreeResults.h"
#include "support/BatchProcess.h"

#include <QScrollBar>
#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace vantrel::testing {

// The merges of a tree as vantrel-batch --merges prints them.
inline std::string MergeLines(const ClusterTree& tree)
{
    std::string lines;
    for (const ScheduleRow& row : AgglomerationSchedule(tree))
        lines += std::to_string(row.Cluster) + "\t" + std::to_string(row.Left) + "\t" +
                 std::to_string(row.Right) + "\t" + LevelText(row.Height) + "\n";
    return lines;
}

// A matrix data file of `n` objects "o1".. whose dissimilarities are |i - j|
// plus a small part that keeps the merges apart.
inline std::string LineOfObjects(int n)
{
    std::string bytes = std::to_string(n) + "\r\n";
    for (int i = 1; i <= n; ++i)
        bytes += "o" + std::to_string(i) + "\r\n";
    for (int i = 2; i <= n; ++i)
        for (int j = 1; j < i; ++j)
            bytes += std::to_string(i - j) + "." + std::to_string((i * 7 + j * 3) % 10) + "\r\n";
    return bytes;
}

struct ResultsFixture : ::testing::Test {
    ScratchDir dir;
    MessageRecorder messages;
    FileDialogScript dialogs;
    std::string dataFile;
    std::unique_ptr<ResultsWindow> window;

    // Confirms the data file's contents as a matrix window's OK would,
    // clusters them as a run does and opens the results on the tree.
    void Open(const std::string& contents, Linkage method = Linkage::Complete,
              RunKind kind = RunKind::Dissimilarity)
    {
        dataFile = dir.Write("data.dat", contents);
        TextFileReader reader("data.dat", contents);
        const MatrixTexts texts = ReadMatrixDataFile(reader);
        AnalysisData& data = Shared();
        ConfirmMatrixInput(
            texts, kind == RunKind::Similarity ? MatrixKind::Similarity : MatrixKind::Dissimilarity, data);
        ResultsSession::Run run{
            &data, kind, method, ClusterForRun(data, kind, method), dir.File("report.txt"), "12"};
        window = std::make_unique<ResultsWindow>(std::move(run));
        window->resize(1000, 700);
        window->show();
    }

    ResultsSession& Session() { return window->Session(); }
    TreeView& Tree() { return window->Tree(); }

    template <class Child>
    Child& Find(const char* name)
    {
        auto* child = window->findChild<Child*>(QString::fromLatin1(name));
        if (!child)
            throw std::runtime_error(std::string("no ") + name);
        return *child;
    }

    // vantrel-batch on the same data file; it must succeed.
    std::string Batch(std::vector<std::string> arguments)
    {
        arguments.insert(arguments.begin(), {"--input", dataFile});
        const BatchResult result = RunBatch(arguments);
        EXPECT_EQ(result.ExitStatus, 0) << result.Err;
        return result.Out;
    }

    std::vector<std::string> Errors() const { return messages.Texts(MessageKind::Error); }
};

} // namespace vantrel::testing
