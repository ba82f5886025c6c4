#pragma once

#include <QPalette>
#include <QString>
#include <map>

#include "htmlbox/ColorRef.h"

namespace qff {

using ColourNameMap = std::map<QString, ColorRef>;

// The 168 colour names of the markup: 140 fixed web colours and 28 names of system
// colours, which take their value from `palette` when the map is built.
ColourNameMap BuildColourNames(const QPalette& palette);

}  // namespace qff
