#pragma once

#include <QString>

namespace qff {

// The style sheet every drawer starts with, one rule per line (CR LF line ends).
QString DefaultStyleSheet();

}  // namespace qff
