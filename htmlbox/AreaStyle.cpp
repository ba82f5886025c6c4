#include "htmlbox/AreaStyle.h"

#include <QApplication>
#include <QPalette>

namespace qff {

ColorRef ButtonFaceColour() {
    return FromQColor(QApplication::palette().color(QPalette::Active, QPalette::Button));
}

}  // namespace qff
