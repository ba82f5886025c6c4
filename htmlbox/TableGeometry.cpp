#include "htmlbox/TableGeometry.h"

#include <QPoint>
#include <algorithm>
#include <map>
#include <vector>

namespace qff {

void ComputeSpanSizes(TableLayout& layout) {
    const int rows = layout.rows;
    const int columns = layout.columns;
    // Column widths, then row heights, taking cells by increasing span.
    std::map<int, std::vector<QPoint>> byColSpan;
    std::map<int, std::vector<QPoint>> byRowSpan;
    for (const QPoint& slot : layout.cellSlots) {
        if (slot.x() >= 0) {
            const CellLayout& c = layout.At(slot.y(), slot.x());
            byColSpan[c.colSpan].push_back(slot);
            byRowSpan[c.rowSpan].push_back(slot);
        }
    }
    for (const auto& [span, spanCells] : byColSpan) {
        for (const QPoint& slot : spanCells) {
            const CellLayout& c = layout.At(slot.y(), slot.x());
            const int first = slot.x();
            const int last = std::min(columns, first + span);
            if (span == 1) {
                layout.columnWidths[first] = std::max(layout.columnWidths[first], c.cellWidth);
                if (c.fixedWidth) {
                    layout.fixedColumns[first] = true;
                }
                continue;
            }
            long long sum = 0;
            for (int j = first; j < last; ++j) {
                sum += layout.columnWidths[j];
            }
            if (sum < c.contentWidth) {
                const int diff = static_cast<int>(c.cellWidth - sum);
                const int n = last - first;
                for (int j = first; j < last; ++j) {
                    layout.columnWidths[j] += diff / n;
                    layout.fixedColumns[j] = c.fixedWidth;
                }
                layout.columnWidths[last - 1] += diff % n;
            }
        }
    }
    for (const auto& [span, spanCells] : byRowSpan) {
        for (const QPoint& slot : spanCells) {
            const CellLayout& c = layout.At(slot.y(), slot.x());
            const int first = slot.y();
            const int last = std::min(rows, first + span);
            if (span == 1) {
                layout.rowHeights[first] = std::max(layout.rowHeights[first], c.cellHeight);
                continue;
            }
            long long sum = 0;
            for (int j = first; j < last; ++j) {
                sum += layout.rowHeights[j];
            }
            if (sum < c.cellHeight) {
                const int diff = static_cast<int>(c.cellHeight - sum);
                const int n = last - first;
                for (int j = first; j < last; ++j) {
                    layout.rowHeights[j] += diff / n;
                }
                layout.rowHeights[first] += diff % n;
            }
        }
    }
}

void ShareExtraWidth(TableLayout& layout, int extra) {
    int missing = extra;
    int flexible =
        static_cast<int>(std::count(layout.fixedColumns.begin(), layout.fixedColumns.end(), false));
    for (int c = 0; c < layout.columns && flexible > 0; ++c) {
        if (!layout.fixedColumns[c]) {
            const int add = missing / flexible;
            layout.columnWidths[c] += add;
            missing -= add;
            --flexible;
        }
    }
}

}  // namespace qff
