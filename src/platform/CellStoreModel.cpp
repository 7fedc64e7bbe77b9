#include "platform/CellStoreModel.h"

#include "platform/CellEditor.h"
#include "platform/MessageBox.h"
#include "platform/core/Cp932.h"
#include "platform/gui/QtText.h"

#include <QGuiApplication>
#include <QPalette>
#include <QTimer>

namespace vantrel {

CellStoreModel::CellStoreModel(QObject* parent) : QAbstractTableModel(parent) { }

std::string_view CellStoreModel::DisplayedPart(std::string_view text)
{
    if (text.size() <= DisplayedBytes)
        return text;
    std::size_t end = 0;
    while (end < DisplayedBytes)
        end += Cp932CharLength(text, end);
    return text.substr(0, end);
}

void CellStoreModel::SetCell(int column, int row, std::string text)
{
    store_.SetCell(column, row, std::move(text));
    const QModelIndex changed = index(row, column);
    emit dataChanged(changed, changed, {Qt::DisplayRole, Qt::EditRole});
}

void CellStoreModel::ChangeStore(const std::function<void(CellStore&)>& change)
{
    beginResetModel();
    try {
        change(store_);
    } catch (...) {
        // The store keeps whatever the change got to; the views must see it.
        endResetModel();
        throw;
    }
    endResetModel();
}

int CellStoreModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : store_.RowCount();
}

int CellStoreModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : store_.ColumnCount();
}

QVariant CellStoreModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || !store_.Contains(index.column(), index.row()))
        return {};
    switch (role) {
    case Qt::DisplayRole:
        return QStringFromCp932(DisplayedPart(store_.Cell(index.column(), index.row())));
    case Qt::EditRole:
        return QStringFromCp932(store_.Cell(index.column(), index.row()));
    case Qt::BackgroundRole:
        if (IsFixed(index.column(), index.row()))
            return QGuiApplication::palette().brush(QPalette::Button);
        return {};
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(Qt::AlignLeft | Qt::AlignVCenter);
    default:
        return {};
    }
}

bool CellStoreModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (role != Qt::EditRole || !index.isValid() || !(flags(index) & Qt::ItemIsEditable))
        return false;
    const QString text = value.toString();
    // An edit that changed nothing keeps the cell's bytes: characters with
    // two forms in code page 932 would otherwise come back in the other one.
    if (text == data(index, Qt::EditRole).toString())
        return true;
    const std::optional<std::string> bytes = TryCp932FromUtf8(text.toStdString());
    if (!bytes) {
        const std::optional<RefusedCharacter> refused = FindRefusedCharacter(text);
        const QString message = RefusedCharacterText(refused ? refused->Character : std::string());
        // Shown once the editor has closed, not from inside its commit.
        QTimer::singleShot(0, this, [message] { ShowWidgetMessage(message); });
        return false;
    }
    SetCell(index.column(), index.row(), *bytes);
    return true;
}

Qt::ItemFlags CellStoreModel::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    if (IsFixed(index.column(), index.row()))
        return Qt::ItemIsEnabled;
    Qt::ItemFlags result = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (editable_)
        result |= Qt::ItemIsEditable;
    return result;
}

} // namespace vantrel
