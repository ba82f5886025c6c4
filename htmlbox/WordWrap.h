#pragma once

#include <QString>
#include <functional>

namespace qff {

// The piece for the current line is run[0, pieceLength) (may be empty); the rest for the
// next line starts at restStart (run.size() when the whole run fits).
struct WrapSplit {
    int pieceLength = 0;
    int restStart = 0;
};

// The characters after which a line may break.
inline const QString& WrapBreakCharacters() {
    static const QString chars = QStringLiteral(" -.,!:;)}]?");
    return chars;
}

// Splits `run` for a line with `space` pixels left. `widthOf(n)` is the width of the first
// n characters and must grow with n. The break is after the last break character whose
// preceding text fits; the piece loses trailing spaces and the rest leading spaces. With
// no such break, an empty line takes the longest prefix that fits (at least one
// character) and a line that holds something hands the whole run to the next line.
// `fitHint` estimates how many characters fit; only a prefix of about that length is
// measured and nothing is copied, so wrapping a huge run line by line stays linear.
WrapSplit WrapRun(QStringView run, int space, bool lineEmpty,
                  const std::function<int(int)>& widthOf, int fitHint);

}  // namespace qff
