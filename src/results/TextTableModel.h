#pragma once

#include "results/core/ResultTables.h"

#include <QAbstractTableModel>

#include <cstdint>
#include <vector>

namespace vantrel {

// A table of the results window over a TextTable: the texts, tooltips and
// headers it holds, its rows in a sorted order, and a colour per row.
class TextTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit TextTableModel(QObject* parent = nullptr) : QAbstractTableModel(parent) { }

    // A new table: the rows keep the last sort, the colours are dropped.
    void SetTable(const TextTable& table);
    // The text colour of each row of the table (0xRRGGBB), by table row.
    void SetRowColors(std::vector<std::uint32_t> colors);
    // The table row shown at a model row.
    int TableRow(int modelRow) const { return order_[static_cast<std::size_t>(modelRow)]; }
    const TextTable& Table() const { return table_; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    void sort(int column, Qt::SortOrder order) override;

private:
    TextTable table_;
    std::vector<int> order_;
    std::vector<std::uint32_t> colors_;
    int sortColumn_ = -1;
    Qt::SortOrder sortOrder_ = Qt::AscendingOrder;
};

} // namespace vantrel
