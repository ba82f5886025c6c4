#pragma once

#include <QPoint>
#include <vector>

namespace qff {

// Measured geometry of one table cell. colSpan and rowSpan are -1 for a slot covered by
// a spanning cell and 0 for a slot no cell occupies.
struct CellLayout {
    int colSpan = 0;
    int rowSpan = 0;
    int contentWidth = 0;
    int contentHeight = 0;
    int cellWidth = 0;
    int cellHeight = 0;
    bool fixedWidth = false;
};

// Measured geometry of one table, stored in document order by the measuring pass and
// looked up by the table counter in the drawing pass.
struct TableLayout {
    int rows = 0;
    int columns = 0;
    std::vector<CellLayout> cells;  // rows x columns, row by row
    std::vector<int> columnWidths;
    std::vector<int> rowHeights;
    std::vector<bool> fixedColumns;
    std::vector<QPoint> cellSlots;  // slot (x = column, y = row) of each cell in text order;
                                    // (-1, -1) for a cell that found no free slot

    void Reset(int rowCount, int columnCount) {
        rows = rowCount;
        columns = columnCount;
        cells.assign(static_cast<size_t>(rowCount) * columnCount, CellLayout{});
        columnWidths.assign(columnCount, 0);
        rowHeights.assign(rowCount, 0);
        fixedColumns.assign(columnCount, false);
        cellSlots.clear();
    }
    CellLayout& At(int row, int column) {
        return cells[static_cast<size_t>(row) * columns + column];
    }
    const CellLayout& At(int row, int column) const {
        return cells[static_cast<size_t>(row) * columns + column];
    }
};

}  // namespace qff
