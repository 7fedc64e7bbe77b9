#pragma once

#include "platform/core/CellStore.h"

#include <QAbstractTableModel>

#include <cstddef>
#include <functional>
#include <string_view>

namespace vantrel {

// The item model of a string grid: answers every question from a CellStore,
// so a 1001 x 1001 grid holds a million strings and no item objects. Row 0
// and column 0 are the fixed cells: shown in the header colour and never
// editable. Texts go in and out as code page 932 bytes; a text holding a
// character that code page 932 cannot hold is refused with a message, and
// a text that did not change leaves the cell's bytes alone.
class CellStoreModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit CellStoreModel(QObject* parent = nullptr);

    const CellStore& Store() const { return store_; }
    // Sets one cell and tells the views.
    void SetCell(int column, int row, std::string text);
    // Runs `change` on the store, then tells the views that everything may
    // have changed (counts included).
    void ChangeStore(const std::function<void(CellStore&)>& change);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    static bool IsFixed(int column, int row) { return column == 0 || row == 0; }

    // What a cell shows of its text: no screen is wide enough for more than
    // the first kilobyte, and the view lays out all it is given on every
    // repaint. The editor and the store keep the whole text.
    static constexpr std::size_t DisplayedBytes = 1024;
    static std::string_view DisplayedPart(std::string_view text);

    void SetEditable(bool editable) { editable_ = editable; }

private:
    CellStore store_;
    bool editable_ = false;
};

} // namespace vantrel
