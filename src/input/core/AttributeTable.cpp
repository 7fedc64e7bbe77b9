#include "input/core/AttributeTable.h"

#include "common/Errors.h"
#include "input/core/MatrixGrid.h"
#include "platform/core/Cp932.h"
#include "platform/core/Padding.h"

namespace vantrel::AttributeTable {
namespace {

const std::string Blank = " ";

} // namespace

std::string ObjectHeader(int object) { return vantrel::ObjectHeader(object); }

std::string AttributeHeader(int attribute)
{
    static const std::string prefix = Sjis(" 属性");
    return prefix + PadIndex(attribute);
}

void Initialize(CellStore& cells)
{
    cells.Resize(1, 1);
    cells.SetCell(0, 0, {});
    cells.Resize(3, 4);
    cells.SetCell(0, 1, Sjis(" 属性ラベル"));
    cells.SetCell(0, 2, ObjectHeader(1));
    cells.SetCell(0, 3, ObjectHeader(2));
    cells.SetCell(1, 0, Sjis(" ラベル"));
    cells.SetCell(2, 0, AttributeHeader(1));
}

void NumberHeaders(CellStore& cells)
{
    for (int row = 2; row < cells.RowCount(); ++row)
        cells.SetCell(0, row, ObjectHeader(row - 1));
    for (int column = 2; column < cells.ColumnCount(); ++column)
        cells.SetCell(column, 0, AttributeHeader(column - 1));
}

void CheckSize(int objects, int attributes)
{
    if (objects > MaxObjects)
        throw Error(TooManyObjectsText(objects));
    if (attributes > MaxAttributes)
        throw Error(TooManyAttributesText(attributes));
}

void InsertObjectRow(CellStore& cells, int selectedRow)
{
    if (selectedRow < 1)
        return;
    CheckSize(ObjectCount(cells) + 1, 0);
    const int columns = cells.ColumnCount();
    cells.SetRowCount(cells.RowCount() + 1);
    const int last = cells.RowCount() - 1;
    cells.SetCell(0, last, ObjectHeader(last - 1));
    for (int column = 1; column < columns; ++column)
        cells.SetCell(column, last, Blank);
    if (selectedRow < last - 1) {
        for (int row = last; row >= selectedRow + 2; --row)
            for (int column = 1; column < columns; ++column)
                cells.Cell(column, row) = std::move(cells.Cell(column, row - 1));
        for (int column = 1; column < columns; ++column)
            cells.SetCell(column, selectedRow + 1, Blank);
    }
}

void DeleteObjectRow(CellStore& cells, int selectedRow)
{
    const int rows = cells.RowCount();
    if (selectedRow < 2 || selectedRow >= rows)
        return;
    const int columns = cells.ColumnCount();
    for (int row = selectedRow; row < rows - 1; ++row)
        for (int column = 1; column < columns; ++column)
            cells.Cell(column, row) = std::move(cells.Cell(column, row + 1));
    cells.SetRowCount(rows - 1);
    for (int row = 2; row < cells.RowCount(); ++row)
        cells.SetCell(0, row, ObjectHeader(row - 1));
}

void InsertAttributeColumn(CellStore& cells, int selectedColumn)
{
    if (selectedColumn < 1)
        return;
    CheckSize(0, AttributeCount(cells) + 1);
    const int rows = cells.RowCount();
    cells.SetColumnCount(cells.ColumnCount() + 1);
    const int last = cells.ColumnCount() - 1;
    cells.SetCell(last, 0, AttributeHeader(last - 1));
    for (int row = 1; row < rows; ++row)
        cells.SetCell(last, row, Blank);
    if (selectedColumn < last - 1) {
        for (int column = last; column >= selectedColumn + 2; --column)
            for (int row = 1; row < rows; ++row)
                cells.Cell(column, row) = std::move(cells.Cell(column - 1, row));
        for (int row = 1; row < rows; ++row)
            cells.SetCell(selectedColumn + 1, row, Blank);
    }
}

void DeleteAttributeColumn(CellStore& cells, int selectedColumn)
{
    const int columns = cells.ColumnCount();
    if (selectedColumn < 2 || selectedColumn >= columns || columns <= 2)
        return;
    const int rows = cells.RowCount();
    for (int column = selectedColumn; column < columns - 1; ++column)
        for (int row = 1; row < rows; ++row)
            cells.Cell(column, row) = std::move(cells.Cell(column + 1, row));
    cells.SetColumnCount(columns - 1);
    for (int column = 2; column < cells.ColumnCount(); ++column)
        cells.SetCell(column, 0, AttributeHeader(column - 1));
}

AttributeTexts TextsOf(const CellStore& cells)
{
    AttributeTexts texts;
    const int columns = cells.ColumnCount() - 1;
    const int rows = cells.RowCount() - 1;
    texts.Cells.Resize(columns, rows);
    for (int row = 0; row < rows; ++row)
        for (int column = 0; column < columns; ++column)
            texts.Cells.SetCell(column, row, cells.Cell(column + 1, row + 1));
    return texts;
}

void Show(const AttributeTexts& texts, CellStore& cells, Corner corner)
{
    const std::string keptCorner = cells.Contains(1, 1) ? cells.Cell(1, 1) : std::string();
    cells.Resize(texts.AttributeCount() + 2, texts.ObjectCount() + 2);
    NumberHeaders(cells);
    for (int row = 0; row <= texts.ObjectCount(); ++row)
        for (int column = 0; column <= texts.AttributeCount(); ++column)
            cells.SetCell(column + 1, row + 1, texts.Cells.Cell(column, row));
    if (corner == Corner::Keep)
        cells.SetCell(1, 1, keptCorner);
}

} // namespace vantrel::AttributeTable
