#pragma once

#include <QLabel>

namespace qff {

// A label whose text is drawn straight over its parent's background: no background of
// its own, text from the top left, lines broken only at "\n". Changing the text
// erases the old text (the parent repaints beneath it).
class CTarnixTransparentStatic : public QLabel {
    Q_OBJECT

  public:
    explicit CTarnixTransparentStatic(QWidget* parent = nullptr);
    explicit CTarnixTransparentStatic(const QString& text, QWidget* parent = nullptr);
};

}  // namespace qff
