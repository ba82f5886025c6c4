#include "app/CTarnixTransparentStatic.h"

namespace qff {

CTarnixTransparentStatic::CTarnixTransparentStatic(QWidget* parent)
    : CTarnixTransparentStatic(QString(), parent) {}

CTarnixTransparentStatic::CTarnixTransparentStatic(const QString& text, QWidget* parent)
    : QLabel(text, parent) {
    // No background of its own: the parent paints beneath the text, also where an
    // earlier, longer text was.
    setAutoFillBackground(false);
    setAttribute(Qt::WA_TranslucentBackground);
    setTextFormat(Qt::PlainText);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setWordWrap(false);
}

}  // namespace qff
