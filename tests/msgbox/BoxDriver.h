#pragma once

#include <functional>

#include "htmlbox/CPPMessageBoxTemplate.h"

namespace qff::test {

// Calls `show` (which puts up a modal box and returns its result) and, as soon as the box
// is on screen, runs `act` on it from the box's own event loop. A box still open after
// `limitMs` is ended with -1 so that a broken test fails instead of hanging.
int DriveBox(const std::function<int()>& show,
             const std::function<void(CPPMessageBoxTemplate&)>& act, int limitMs = 15000);

// The box currently shown, or nullptr.
CPPMessageBoxTemplate* ShownBox();

}  // namespace qff::test
