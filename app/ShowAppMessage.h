#pragma once

#include <QString>
#include <functional>

class QWidget;

namespace qff {

// Shows a notice or a question with the caption "Quillmark Formula Fixer" and returns
// the button that closed it.
//
// text is markup: plain text shows as it is, "<br>" breaks the line and
// "<a href='...'>" makes a link that opens with the desktop. style is
// kMbIconInformation (a notice with OK) or kMbYesNo | kMbIconQuestion (a question).
// Result: kIdOk, or kIdCancel when a notice is closed with Escape or the window's
// close button; kIdYes or kIdNo for a question, which cannot be closed any other way.
//
// Callable from any thread. The box always runs on the user-interface thread; a worker
// that calls this waits there until the user has answered, while the window stays live.
int ShowAppMessage(QWidget* owner, const QString& text, unsigned style);

// Replaces the box by a handler (tests answer notices without a screen). The handler
// runs on the user-interface thread like the box would. An empty handler restores the
// box.
using AppMessageHandler = std::function<int(QWidget* owner, const QString& text, unsigned style)>;
void SetAppMessageHandler(AppMessageHandler handler);

}  // namespace qff
