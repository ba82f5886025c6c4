#include "htmlbox/WordWrap.h"

#include <algorithm>
#include <vector>

namespace qff {

WrapSplit WrapRun(QStringView run, int space, bool lineEmpty,
                  const std::function<int(int)>& widthOf, int fitHint) {
    const int n = static_cast<int>(run.size());
    int probe = std::min(n, std::max(fitHint, 16));
    while (widthOf(probe) <= space) {
        if (probe == n) {
            return WrapSplit{n, n};
        }
        probe = probe > n / 2 ? n : probe * 2;
    }

    // Break characters before the probe; the text before one fits when widthOf(pos) <= space.
    std::vector<int> breaks;
    for (int i = 0; i < probe; ++i) {
        if (WrapBreakCharacters().contains(run[i])) {
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
        // The piece loses its trailing spaces, the rest its leading ones.
        WrapSplit split{found + 1, found + 1};
        while (split.pieceLength > 0 && run[split.pieceLength - 1] == QLatin1Char(' ')) {
            --split.pieceLength;
        }
        while (split.restStart < n && run[split.restStart] == QLatin1Char(' ')) {
            ++split.restStart;
        }
        if (split.pieceLength > 0 || !lineEmpty) {
            return split;
        }
        // Only leading spaces fit on an empty line: break inside the first word instead
        // of leaving a blank line.
    }
    if (!lineEmpty) {
        return WrapSplit{0, 0};
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
    return WrapSplit{fit, fit};
}

}  // namespace qff
