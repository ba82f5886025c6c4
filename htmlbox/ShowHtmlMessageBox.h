#pragma once

#include <QString>
#include <cstdint>
#include <functional>

#include "htmlbox/MessageBoxParams.h"

namespace qff {

// Shows the HTML message box described by `params` modally and returns the id of the
// button that ended it (IDOK, IDYES, ...), with MBX_CHECKED added when the caller set it
// and the user ticked "Do not show again"; or the remembered answer of an earlier call,
// at once and without a sound.
//
// Any thread may call it. The box always runs on the user-interface thread: a caller on
// another thread waits there until the user has answered, while the user-interface
// thread goes on painting and handling input. Without an application object, or when
// the box is destroyed from outside, the result is IDCANCEL.
int ShowHtmlMessageBox(const MessageBoxParams& params);

// Replaces the sound made before a box appears (it receives the icon bits); an empty
// function restores the default beep. For tests.
void SetMessageBeepHandler(std::function<void(std::uint32_t iconBits)> handler);

// Escapes "<" and "&" so that a text (a path, a folder name) shows as it is inside markup.
QString EscapeHtmlText(const QString& text);

}  // namespace qff
