#pragma once

namespace qff {

// Geometry of one laid-out line, recorded by the measuring pass in document order and
// replayed by the drawing pass.
struct LineInfo {
    int width = 0;   // pixels, without the percentage parts
    int height = 0;  // ascent part plus `descent`
    int descent = 0;
    int percent = 0;       // sum of the percentage widths of rules on the line
    int align = 0;         // 0 left, 1 centre, 2 right, 3 justify
    int spaceCount = 0;    // spaces available for justification
    bool justify = false;  // the line was ended by wrapping

    bool operator==(const LineInfo&) const = default;
};

}  // namespace qff
