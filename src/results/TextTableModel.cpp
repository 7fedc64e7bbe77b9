#include "results/TextTableModel.h"

#include "platform/gui/QtText.h"

#include <QColor>

#include <numeric>

namespace vantrel {
void TextTableModel::SetTable(const TextTable& table)
{
    beginResetModel();
    table_ = table;
    colors_.clear();
    if (sortColumn_ >= 0) {
        order_ = SortedRows(table_, sortColumn_, sortOrder_ == Qt::AscendingOrder);
    } else {
        order_.resize(static_cast<std::size_t>(table_.RowCount()));
        std::iota(order_.begin(), order_.end(), 0);
    }
    endResetModel();
}

void TextTableModel::SetRowColors(std::vector<std::uint32_t> colors)
{
    colors_ = std::move(colors);
    if (rowCount() > 0)
        emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1), {Qt::ForegroundRole});
}

int TextTableModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : table_.RowCount();
}

int TextTableModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(table_.Headers.size());
}

QVariant TextTableModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount() || index.column() >= columnCount())
        return {};
    const auto row = static_cast<std::size_t>(TableRow(index.row()));
    const auto column = static_cast<std::size_t>(index.column());
    switch (role) {
    case Qt::DisplayRole:
        return QStringFromCp932(table_.Cells[row][column]);
    case Qt::ToolTipRole:
        return table_.Tips[row][column].empty() ? QVariant()
                                                : QVariant(QStringFromCp932(table_.Tips[row][column]));
    case Qt::TextAlignmentRole:
        return table_.Numeric[column] ? QVariant(Qt::AlignRight | Qt::AlignVCenter) : QVariant();
    case Qt::ForegroundRole:
        return row < colors_.size() ? QVariant(QColor::fromRgb(static_cast<QRgb>(colors_[row]))) : QVariant();
    default:
        return {};
    }
}

QVariant TextTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal || section < 0 || section >= columnCount())
        return QAbstractTableModel::headerData(section, orientation, role);
    return QStringFromCp932(table_.Headers[static_cast<std::size_t>(section)]);
}

void TextTableModel::sort(int column, Qt::SortOrder order)
{
    if (column < 0 || column >= columnCount())
        return;
    emit layoutAboutToBeChanged();
    const QModelIndexList before = persistentIndexList();
    std::vector<int> rowsBefore;
    for (const QModelIndex& index : before)
        rowsBefore.push_back(TableRow(index.row()));
    sortColumn_ = column;
    sortOrder_ = order;
    order_ = SortedRows(table_, column, order == Qt::AscendingOrder);
    // Selections follow their rows to the new places.
    std::vector<int> placeOf(order_.size());
    for (std::size_t k = 0; k < order_.size(); ++k)
        placeOf[static_cast<std::size_t>(order_[k])] = static_cast<int>(k);
    QModelIndexList after;
    for (int k = 0; k < before.size(); ++k)
        after.push_back(index(placeOf[static_cast<std::size_t>(rowsBefore[static_cast<std::size_t>(k)])],
                              before[k].column()));
    changePersistentIndexList(before, after);
    emit layoutChanged();
}

} // namespace vantrel
