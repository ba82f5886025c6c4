#pragma once

#include <QString>
#include <vector>

namespace qff {

struct ScannedCell {
    QString attributes;  // attribute text of the "<td" tag
    int contentStart = 0;
    int contentEnd = 0;  // at its "</td", or at the end of the row
};

struct ScannedRow {
    QString attributes;  // attribute text of the "<tr" tag
    std::vector<ScannedCell> cells;
};

// The structure of one table: its rows and cells as ranges of the text. Tags are found
// by plain, case-sensitive search; a match preceded by "<" is escaped text and does not
// count; nested tables are skipped as a whole.
struct ScannedTable {
    QString attributes;  // attribute text of the "<table" tag
    std::vector<ScannedRow> rows;
};

// Position of the first "<table" in [from, to) that is not escaped, or -1.
int FindTableStart(const QString& text, int from, int to);

// Position of the "</table" that closes a table whose opening tag ends before `from`,
// counting nested pairs; `to` when the table is never closed.
int FindTableEnd(const QString& text, int from, int to);

// Position just after the ">" that ends the tag at `pos`, or `to` when there is none.
int PastTag(const QString& text, int pos, int to);

// Scans the table whose text is [from, to): from its "<table" up to before its "</table".
ScannedTable ScanTable(const QString& text, int from, int to);

}  // namespace qff
