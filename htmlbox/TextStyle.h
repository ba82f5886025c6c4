#pragma once

#include <QString>

#include "htmlbox/ColorRef.h"

namespace qff {

// The style in force at a point of the markup. The renderer keeps one live record and a
// stack of saved copies; `tagName` of a saved copy is the group name of the tag that
// saved it, which is what a closing tag must match.
struct TextStyle {
    QString tagName;
    int fontSize = 16;  // pixels
    int fontWeight = 400;
    bool italic = false;
    bool underline = false;
    bool strikeout = false;
    bool overline = false;
    QString fontFace = QStringLiteral("Verdana");
    ColorRef textColour = 0x000000;
    ColorRef backColour = 0xFFFFFF;  // used when backMode is kBackOpaque
    ColorRef borderLightColour = 0x000000;
    ColorRef borderDarkColour = 0x000000;
    ColorRef backMidColour = 0xFFFFFF;
    ColorRef backEndColour = 0xFFFFFF;
    int backMode = 1;       // kBackTransparent or kBackOpaque
    int backEffect = -1;    // fill effect of tables and cells, -1 none
    QString backImage;      // background picture of a table
    int textAlign = 0;      // 0 left, 1 centre, 2 right, 3 justify
    int verticalAlign = 3;  // 0 top, 1 middle, 2 bottom, 3 baseline
    int borderStyle = 0;    // 0 none, 1 solid, 2 dashed, 3 dotted, 6 double
    int borderWidth = 0;
    int boxWidth = 0;
    int boxHeight = 0;
    int textTransform = 0;  // 0 none, 1 upper case, 2 lower case, 3 capitalise
    int cellPadding = 2;
    int cellSpacing = 0;
    int linkKind = 0;  // 0 none, 1 href, 2 msg
    QString linkTarget;

    static constexpr int kBackTransparent = 1;
    static constexpr int kBackOpaque = 2;
};

}  // namespace qff
