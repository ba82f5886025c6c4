#include "htmlbox/MessageBoxParams.h"

namespace qff {

void InitMessageBoxParams(MessageBoxParams& params) {
    params = MessageBoxParams{};
    const ColorRef face = ButtonFaceColour();
    for (AreaStyle* area :
         {&params.windowArea, &params.headerArea, &params.controlArea, &params.moreArea}) {
        area->startColour = face;
        area->midColour = face;
        area->endColour = face;
    }
}

}  // namespace qff
