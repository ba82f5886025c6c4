#pragma once

// Notices and questions go through the HTML message box: ShowAppMessage (owner, text,
// style) and SetAppMessageHandler come from there.
#include "htmlbox/ShowAppMessage.h"
