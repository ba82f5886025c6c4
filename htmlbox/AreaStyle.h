#pragma once

#include "htmlbox/ColorRef.h"
#include "htmlbox/MessageBoxText.h"

namespace qff {

// How one band of the message box is dressed: its background fill and the separator
// line (with optional embossed text) on the band's edge.
struct AreaStyle {
    int separatorStyle = 0;  // 0 none, 1 etched line, 2 black line, 3 white line
    int separatorAlign = 0;  // 0 text at the left, 1 at the right, 2 centred
    MessageBoxText separatorText;
    int backgroundEffect = -1;  // -1 plain button face, else a CPPDrawManager fill effect
    ColorRef startColour = 0;
    ColorRef midColour = 0;
    ColorRef endColour = 0;
};

// The colour the box uses for "button face": the palette's button colour of the running
// style.
ColorRef ButtonFaceColour();

}  // namespace qff
