#include "results/core/ResultTables.h"

#include "platform/core/Cp932.h"
#include "platform/core/Locale.h"
#include "platform/core/NumberFormat.h"

#include <algorithm>
#include <cstdlib>
#include <numeric>

namespace vantrel {
namespace {

std::string PartText(const AnalysisData& data, int n, std::int32_t id)
{
    return id <= n ? data.ObjectLabels[static_cast<std::size_t>(id)] : std::to_string(id);
}

std::string PartTip(int n, std::int32_t id)
{
    return Sjis(id <= n ? "対象 " : "クラスター ") + std::to_string(id);
}

std::string Cleaned(std::string text)
{
    for (char& c : text)
        if (c == '\t' || c == '\n' || c == '\r')
            c = ' ';
    return text;
}

} // namespace

std::string ShortLevelText(long double level) { return FormatReportNumber(level); }

TextTable ScheduleTable(const ClusterTree& tree, const AnalysisData& data)
{
    const int n = tree.LeafCount();
    TextTable table;
    for (const char* header : {"段階", "クラスター", "左", "右", "高さ", "対象数"})
        table.Headers.push_back(Sjis(header));
    table.Numeric = {true, true, false, false, true, true};
    table.CopyTip = {false, false, false, false, true, false};
    for (const ScheduleRow& row : AgglomerationSchedule(tree)) {
        table.Cells.push_back({std::to_string(row.Stage), std::to_string(row.Cluster),
                               PartText(data, n, row.Left), PartText(data, n, row.Right),
                               ShortLevelText(row.Height), std::to_string(row.Size)});
        table.Tips.push_back(
            {"", "", PartTip(n, row.Left), PartTip(n, row.Right), LevelText(row.Height), ""});
    }
    return table;
}

TextTable MembershipTable(const AnalysisData& data, const ObjectClusters& clusters)
{
    TextTable table;
    for (const char* header : {"対象", "ラベル", "クラスター"})
        table.Headers.push_back(Sjis(header));
    table.Numeric = {true, false, true};
    table.CopyTip = {false, false, false};
    table.Cells.reserve(clusters.size());
    for (std::size_t k = 0; k < clusters.size(); ++k) {
        table.Cells.push_back({std::to_string(k + 1), data.ObjectLabels[k + 1], std::to_string(clusters[k])});
        table.Tips.push_back({"", "", ""});
    }
    return table;
}

std::vector<int> SortedRows(const TextTable& table, int column, bool ascending)
{
    std::vector<int> order(static_cast<std::size_t>(table.RowCount()));
    std::iota(order.begin(), order.end(), 0);
    const auto text = [&](int row) -> const std::string& {
        return table.Cells[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)];
    };
    const bool numeric = table.Numeric[static_cast<std::size_t>(column)];
    // Numbers compare by their full value where the tooltip holds it.
    const auto value = [&](int row) {
        const std::string& tip = table.Tips[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)];
        return strtold_l((tip.empty() ? text(row) : tip).c_str(), nullptr, CLocale());
    };
    const auto before = [&](int a, int b) {
        if (numeric)
            return ascending ? value(a) < value(b) : value(b) < value(a);
        return ascending ? text(a) < text(b) : text(b) < text(a);
    };
    std::stable_sort(order.begin(), order.end(), before);
    return order;
}

std::string TabSeparated(const TextTable& table, const std::vector<int>& rows)
{
    std::string text;
    for (const int row : rows) {
        const auto r = static_cast<std::size_t>(row);
        for (std::size_t column = 0; column < table.Cells[r].size(); ++column) {
            if (column > 0)
                text += '\t';
            const bool tip = table.CopyTip[column] && !table.Tips[r][column].empty();
            text += Cleaned(tip ? table.Tips[r][column] : table.Cells[r][column]);
        }
        text += '\n';
    }
    return text;
}

std::string CopheneticText(const CopheneticCorrelation& correlation)
{
    const std::string head = Sjis("コーフェン相関係数：");
    if (correlation.R)
        return head + ShortLevelText(*correlation.R);
    const char* reason = correlation.LevelsConstant && correlation.InputConstant
                             ? "定義されません（併合の高さも入力値もすべて等しいため）"
                         : correlation.LevelsConstant ? "定義されません（どの対も同じ高さで併合されるため）"
                                                      : "定義されません（入力値がすべて等しいため）";
    return head + Sjis(reason);
}

std::string CopheneticTip(const CopheneticCorrelation& correlation)
{
    return correlation.R ? LevelText(*correlation.R) : std::string();
}

} // namespace vantrel
