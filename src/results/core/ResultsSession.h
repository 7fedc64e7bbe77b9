#pragma once

#include "engine/AnalysisData.h"
#include "engine/ClusterTree.h"
#include "engine/Methods.h"
#include "platform/core/Canvas.h"
#include "platform/core/Progress.h"
#include "print/Dendrogram.h"
#include "results/core/ResultFiles.h"
#include "results/core/ResultTables.h"
#include "results/core/TreeCut.h"
#include "runs/core/AnalysisRun.h"
#include "runs/core/TreeResults.h"

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace vantrel {

// What the results window shows, kept without windows: the tree of the
// method shown (the run's own, or another the user compares it with, built
// from the same input), its cut into K clusters with the line at the cut's
// level, the tables and the cophenetic correlation, and the files taken
// from it. The window only draws this and forwards the user's input.
class ResultsSession {
public:
    // What a finished run leaves: its data set (the process's, which no
    // later run overwrites, since the program ends with the results), its
    // kind and method, its tree and its report.
    struct Run {
        AnalysisData* Data = nullptr;
        RunKind Kind = RunKind::Dissimilarity;
        Linkage Method = Linkage::Complete;
        ClusterTree Tree;
        std::string ReportFileName;
        std::string FontSizeText;
    };

    // Opens on the run's tree, cut into two clusters (one for one object).
    explicit ResultsSession(Run run);

    const AnalysisData& Data() const { return *run_.Data; }
    RunKind Kind() const { return run_.Kind; }
    bool Similarity() const { return run_.Kind == RunKind::Similarity; }
    int ObjectCount() const { return shown_->Tree.LeafCount(); }
    const std::string& ReportFileName() const { return run_.ReportFileName; }
    // The level of the leaves: 0, or the similarity leaves' level.
    long double LeafLevel() const;

    // The methods offered: all seven, or for similarities those defined on
    // them, in the main window's order.
    std::vector<Linkage> OfferedMethods() const;
    Linkage RunMethod() const { return run_.Method; }
    Linkage Method() const { return method_; }
    std::uint8_t DistType() const { return static_cast<std::uint8_t>(method_); }
    // Shows the tree of another method: built from the run's input the
    // first time, kept for later. The number of clusters stays. A failure
    // (Error) leaves everything as it was.
    void SelectMethod(Linkage method);

    const ClusterTree& Tree() const { return shown_->Tree; }

    int ClusterCount() const { return cut_.Count; }
    // Cuts into `count` clusters (held within 1..N); the line moves to the
    // cut's level.
    void SetClusterCount(int count);
    // Puts the line at `level` (a click, a drag): K becomes the number of
    // clusters the line leaves; the line stays where it was put.
    void PlaceLine(long double level);
    // Moves the line to the level of the cut (when a drag ends).
    void SettleLine();
    long double LineLevel() const { return line_; }
    const TreeCut& Cut() const { return cut_; }

    const TextTable& Schedule() const { return shown_->Schedule; }
    const TextTable& Membership() const { return membership_; }
    const CopheneticCorrelation& Cophenetic() const { return shown_->Correlation; }

    // The files of the method shown, as vantrel-batch writes them: the
    // schedule, the clusters of the cut, the Newick tree.
    std::string TreeFileText(ResultFile file, TextEncoding encoding) const;
    MatrixTexts CopheneticMatrix() const;
    // The name a dialog proposes for a file of the method shown.
    std::string ProposedName(ResultFile file) const;
    // The whole tree of the method shown at the run's font size, in the
    // cut's colours with each leaf's cluster number, over as many pages of
    // `canvas` as it needs (PrintWholeDendrogram): the picture and the print.
    RowFit PrintWholeTree(Canvas& canvas, Progress& progress = NoProgress());

private:
    struct MethodTree {
        ClusterTree Tree;
        TextTable Schedule;
        CopheneticCorrelation Correlation;
    };
    std::unique_ptr<MethodTree> Describe(ClusterTree tree) const;
    void Recut(int count);

    Run run_;
    Linkage method_;
    std::map<Linkage, std::unique_ptr<MethodTree>> trees_;
    MethodTree* shown_ = nullptr;
    TreeCut cut_;
    TextTable membership_;
    long double line_ = 0.0L;
};

} // namespace vantrel
