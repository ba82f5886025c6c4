#pragma once

#include <QString>
#include <cstdint>
#include <functional>

class QWidget;

namespace qff {

// The one way the program puts a notice or a question before the user: the HTML message
// box with the product caption "Quillmark Formula Fixer" on the yellow shaded background.
//
// `owner` is the window the box belongs to, or nullptr for the active window. `text` is
// markup: put paths through EscapeHtmlText (ShowHtmlMessageBox.h) first. `style` is
// MB_ICONINFORMATION (0x40) for a notice or MB_ICONQUESTION | MB_YESNO (0x24) for a
// question. Returns IDOK (or IDCANCEL for a notice closed with Escape or Close), or IDYES
// / IDNO; a question cannot be dismissed any other way.
//
// Callable from any thread: a worker waits for the answer while the box runs on the
// user-interface thread.
int ShowAppMessage(QWidget* owner, const QString& text, std::uint32_t style);

// Replaces the box by a handler that answers in its place (tests without a screen, or a
// program that is shutting down and must not be held up). It runs on the user-interface
// thread like the box. An empty handler restores the box.
using AppMessageHandler =
    std::function<int(QWidget* owner, const QString& text, std::uint32_t style)>;
void SetAppMessageHandler(AppMessageHandler handler);

}  // namespace qff
