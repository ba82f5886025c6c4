#include "app/CXEditPrompt.h"

#include <QKeyEvent>
#include <QMouseEvent>

namespace qff {

// The prompt is the edit's placeholder: it is drawn while the content is empty but is
// never part of the content. Ending prompt mode drops the placeholder for good.
CXEditPrompt::CXEditPrompt(QWidget* parent) : QLineEdit(parent) {
    setPlaceholderText(prompt_);
    SetPromptColour(promptColour_);
    connect(this, &QLineEdit::textChanged, this, [this](const QString& text) {
        if (promptShowing_ && !text.isEmpty()) {
            EndPrompt();
        }
    });
}

void CXEditPrompt::EndPrompt() {
    promptShowing_ = false;
    setPlaceholderText(QString());
}

void CXEditPrompt::ChangePrompt(const QString& prompt) {
    prompt_ = prompt;
    if (prompt.isEmpty()) {
        EndPrompt();
    } else if (promptShowing_) {
        setPlaceholderText(prompt);
    }
}

void CXEditPrompt::SetPromptColour(const QColor& colour) {
    promptColour_ = colour;
    QPalette pal = palette();
    pal.setColor(QPalette::PlaceholderText, colour);
    setPalette(pal);
}

void CXEditPrompt::SetText(const QString& text) {
    if (text.isNull() || (promptShowing_ && (text.isEmpty() || text == prompt_))) {
        return;
    }
    setText(text);
}

void CXEditPrompt::keyPressEvent(QKeyEvent* event) {
    if (promptShowing_) {
        EndPrompt();
    }
    QLineEdit::keyPressEvent(event);
}

void CXEditPrompt::mousePressEvent(QMouseEvent* event) {
    if (promptShowing_ &&
        (event->button() == Qt::LeftButton || event->button() == Qt::RightButton ||
         event->button() == Qt::MiddleButton)) {
        EndPrompt();
    }
    QLineEdit::mousePressEvent(event);
}

}  // namespace qff
