#include "htmlbox/WordWrap.h"

#include <algorithm>
#include <vector>

namespace qff {

namespace {

QString WithoutTrailingSpaces(QString text) {
    while (text.endsWith(QLatin1Char(' '))) {
        text.chop(1);
    }
    return text;
}

QString WithoutLeadingSpaces(const QString& text) {
    int i = 0;
    while (i < text.size() && text.at(i) == QLatin1Char(' ')) {
        ++i;
    }
    return text.mid(i);
}

}  // namespace

WrapSplit WrapRun(const QString& run, int space, bool lineEmpty,
                  const std::function<int(int)>& widthOf, int fitHint) {
    const int n = run.size();
    int probe = std::min(n, std::max(fitHint, 16));
    while (widthOf(probe) <= space) {
        if (probe == n) {
            return WrapSplit{run, QString()};
        }
        probe = probe > n / 2 ? n : probe * 2;
    }

    // Break characters before the probe; the text before one fits when widthOf(pos) <= space.
    std::vector<int> breaks;
    for (int i = 0; i < probe; ++i) {
        if (WrapBreakCharacters().contains(run.at(i))) {
            breaks.push_back(i);
        }
    }
    int lo = 0;
    int hi = static_cast<int>(breaks.size()) - 1;
    int found = -1;
    while (lo <= hi) {
        const int mid = (lo + hi) / 2;
        if (widthOf(breaks[mid]) <= space) {
            found = breaks[mid];
            lo = mid + 1;
        } else {
            hi = mid - 1;
        }
    }
    if (found >= 0) {
        WrapSplit split{WithoutTrailingSpaces(run.left(found + 1)),
                        WithoutLeadingSpaces(run.mid(found + 1))};
        if (!split.piece.isEmpty() || !lineEmpty) {
            return split;
        }
        // Only leading spaces fit on an empty line: break inside the first word instead
        // of leaving a blank line.
    }
    if (!lineEmpty) {
        return WrapSplit{QString(), run};
    }
    int fit = 1;
    lo = 2;
    hi = probe - 1;
    while (lo <= hi) {
        const int mid = (lo + hi) / 2;
        if (widthOf(mid) <= space) {
            fit = mid;
            lo = mid + 1;
        } else {
            hi = mid - 1;
        }
    }
    return WrapSplit{run.left(fit), run.mid(fit)};
}

}  // namespace qff
