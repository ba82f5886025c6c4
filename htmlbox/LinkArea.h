#pragma once

#include <QRect>
#include <QString>

namespace qff {

// One drawn piece of a hyperlink (text run or picture), recorded by the drawing pass.
struct LinkArea {
    QRect rect;         // the piece as drawn; hit testing includes every edge pixel
    int linkKind = 0;   // 1 href, 2 msg
    int linkIndex = 0;  // order of the link's <a> tag in the text, from 0
    QString linkTarget;
};

}  // namespace qff
