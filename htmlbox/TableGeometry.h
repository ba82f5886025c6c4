#pragma once

#include "htmlbox/TableLayout.h"

namespace qff {

// Column widths and row heights from the measured cells, taking cells by increasing span.
// A single cell widens its column to its cellWidth (and marks it fixed when the cell has a
// width); a spanning cell whose columns are narrower than its contentWidth adds
// (cellWidth - their sum) / span to each, the remainder to the last. Rows likewise with
// cellHeight, the remainder going to the first spanned row.
void ComputeSpanSizes(TableLayout& layout);

// Shares `extra` pixels among the columns without a fixed width, each in turn taking the
// amount left divided by the number of such columns left, so all of it is used.
void ShareExtraWidth(TableLayout& layout, int extra);

}  // namespace qff
