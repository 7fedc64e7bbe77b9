#pragma once

#include "engine/AnalysisData.h"
#include "engine/ClusterTree.h"
#include "runs/core/TreeResults.h"

#include <string>
#include <vector>

namespace vantrel {

// The tables of the results window as texts (code page 932), so that the
// window's models only hand them out.
struct TextTable {
    std::vector<std::string> Headers;
    // The texts shown, row by row.
    std::vector<std::vector<std::string>> Cells;
    // A tooltip per cell (empty for none).
    std::vector<std::vector<std::string>> Tips;
    // Columns that hold numbers, which sort as numbers.
    std::vector<bool> Numeric;
    // Columns copied with the tooltip's full value instead of the text shown.
    std::vector<bool> CopyTip;

    int RowCount() const { return static_cast<int>(Cells.size()); }
};

// A level as the report writes numbers (7 significant digits), and in full.
std::string ShortLevelText(long double level);

// The agglomeration schedule: stage, cluster, left, right, height, size.
// Leaves show their labels (the tooltip names the object), merged clusters
// their ids; heights in the report's number format, in full in the tooltip.
TextTable ScheduleTable(const ClusterTree& tree, const AnalysisData& data);

// The membership of a cut: object, label, cluster, in object order.
TextTable MembershipTable(const AnalysisData& data, const ObjectClusters& clusters);

// The order of the rows sorted by a column: numbers as numbers, texts byte
// by byte; rows that tie keep their order.
std::vector<int> SortedRows(const TextTable& table, int column, bool ascending);

// The given rows as tab-separated lines ending in LF, for a spreadsheet:
// tabs and line breaks inside a cell become blanks.
std::string TabSeparated(const TextTable& table, const std::vector<int>& rows);

// The cophenetic correlation as the window shows it: the value in the
// report's number format, or why it is undefined; and the full value.
std::string CopheneticText(const CopheneticCorrelation& correlation);
std::string CopheneticTip(const CopheneticCorrelation& correlation);

} // namespace vantrel
