#include "htmlbox/HtmlTableScanner.h"

#include <algorithm>
#include <utility>

namespace qff {

namespace {

// First unescaped occurrence of `pattern` in [from, to), or -1.
int FindTag(const QString& text, QLatin1String pattern, int from, int to) {
    while (from < to) {
        // Bounded search: a miss costs the range, never the rest of the text.
        const qsizetype hit = QStringView(text).mid(from, to - from).indexOf(pattern);
        if (hit < 0) {
            return -1;
        }
        const int p = from + static_cast<int>(hit);
        if (p == 0 || text.at(p - 1) != QLatin1Char('<')) {
            return p;
        }
        from = p + 1;
    }
    return -1;
}

// Finds the next ">" for queries that mostly move forward; remembers the last answer so
// that many tags without a ">" do not rescan the same text.
class GreaterFinder {
  public:
    explicit GreaterFinder(const QString& text) : m_text(text) {}
    int Find(int from) {
        if (from >= m_lastFrom && (m_lastResult < 0 || m_lastResult >= from) && m_lastFrom >= 0) {
            return m_lastResult;
        }
        m_lastFrom = from;
        m_lastResult = static_cast<int>(m_text.indexOf(QLatin1Char('>'), from));
        return m_lastResult;
    }

  private:
    const QString& m_text;
    int m_lastFrom = -1;
    int m_lastResult = -1;
};

int PastTagWith(GreaterFinder& greater, int pos, int to) {
    const int gt = greater.Find(pos);
    return gt < 0 || gt >= to ? to : gt + 1;
}

QString TagAttributes(const QString& text, GreaterFinder& greater, int nameEnd, int to) {
    const int gt = greater.Find(nameEnd);
    const int stop = gt < 0 || gt > to ? to : gt;
    QString attributes = text.mid(nameEnd, stop - nameEnd);
    int i = 0;
    while (i < attributes.size() && attributes.at(i) == QLatin1Char(' ')) {
        ++i;
    }
    return attributes.mid(i);
}

using Range = std::pair<int, int>;

// Finds `pattern` outside the nested tables of `nested` (sorted, disjoint ranges).
class TopLevelFinder {
  public:
    TopLevelFinder(const QString& text, std::vector<Range> nested)
        : m_text(text), m_nested(std::move(nested)) {}

    int Find(QLatin1String pattern, int from, int to) const {
        while (true) {
            const int p = FindTag(m_text, pattern, from, to);
            if (p < 0) {
                return -1;
            }
            auto it = std::upper_bound(m_nested.begin(), m_nested.end(), Range{p, INT32_MAX});
            if (it != m_nested.begin() && std::prev(it)->second > p) {
                from = std::prev(it)->second;
                continue;
            }
            return p;
        }
    }

  private:
    const QString& m_text;
    std::vector<Range> m_nested;
};

// End of a balanced open/close pair starting after the opening at `from`.
int MatchClose(const TopLevelFinder& finder, QLatin1String open, QLatin1String close, int from,
               int to) {
    int depth = 1;
    int pos = from;
    int nextOpen = -2;
    int nextClose = -2;
    while (true) {
        if (nextClose != -1 && nextClose < pos) {
            nextClose = finder.Find(close, pos, to);
        }
        if (nextClose < 0) {
            return to;
        }
        if (nextOpen != -1 && nextOpen < pos) {
            nextOpen = finder.Find(open, pos, to);
        }
        if (nextOpen >= 0 && nextOpen < nextClose) {
            ++depth;
            pos = nextOpen + open.size();
        } else {
            if (--depth == 0) {
                return nextClose;
            }
            pos = nextClose + close.size();
        }
    }
}

}  // namespace

int FindTableStart(const QString& text, int from, int to) {
    return FindTag(text, QLatin1String("<table"), from, to);
}

int FindTableEnd(const QString& text, int from, int to) {
    TopLevelFinder plain(text, {});
    return MatchClose(plain, QLatin1String("<table"), QLatin1String("</table"), from, to);
}

int PastTag(const QString& text, int pos, int to) {
    const int gt = text.indexOf(QLatin1Char('>'), pos);
    return gt < 0 || gt >= to ? to : gt + 1;
}

ScannedTable ScanTable(const QString& text, int from, int to) {
    ScannedTable table;
    GreaterFinder greater(text);
    const int nameEnd = from + 6;  // after "<table"
    table.attributes = TagAttributes(text, greater, nameEnd, to);
    const int content = PastTagWith(greater, nameEnd, to);

    std::vector<Range> nested;
    for (int pos = content; pos < to;) {
        const int start = FindTableStart(text, pos, to);
        if (start < 0) {
            break;
        }
        const int end = FindTableEnd(text, start + 6, to);
        const int past = PastTagWith(greater, end, to);
        nested.emplace_back(start, past);
        pos = std::max(past, start + 6);
    }
    const TopLevelFinder finder(text, std::move(nested));

    for (int pos = content; pos < to;) {
        const int rowStart = finder.Find(QLatin1String("<tr"), pos, to);
        if (rowStart < 0) {
            break;
        }
        ScannedRow row;
        row.attributes = TagAttributes(text, greater, rowStart + 3, to);
        const int rowContent = PastTagWith(greater, rowStart + 3, to);
        const int rowEnd =
            MatchClose(finder, QLatin1String("<tr"), QLatin1String("</tr"), rowStart + 3, to);
        for (int cellPos = rowContent; cellPos < rowEnd;) {
            const int cellStart = finder.Find(QLatin1String("<td"), cellPos, rowEnd);
            if (cellStart < 0) {
                break;
            }
            ScannedCell cell;
            cell.attributes = TagAttributes(text, greater, cellStart + 3, rowEnd);
            cell.contentStart = PastTagWith(greater, cellStart + 3, rowEnd);
            const int cellEnd = finder.Find(QLatin1String("</td"), cell.contentStart, rowEnd);
            cell.contentEnd = cellEnd < 0 ? rowEnd : cellEnd;
            row.cells.push_back(std::move(cell));
            cellPos = std::max(cellEnd < 0 ? rowEnd : cellEnd + 4, cellStart + 3);
        }
        table.rows.push_back(std::move(row));
        pos = rowEnd >= to ? to : rowEnd + 4;
    }
    return table;
}

}  // namespace qff
