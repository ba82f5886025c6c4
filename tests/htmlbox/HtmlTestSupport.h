#pragma once

#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QString>

#include "htmlbox/CPPHtmlDrawer.h"

namespace qff::test {

// Maps the faces the renderer asks for onto the installed font packages.
inline void PinTestFonts() {
    QFont::insertSubstitution(QStringLiteral("Verdana"), QStringLiteral("DejaVu Sans"));
    QFont::insertSubstitution(QStringLiteral("Arial"), QStringLiteral("Liberation Sans"));
    QFont::insertSubstitution(QStringLiteral("Courier"), QStringLiteral("Liberation Mono"));
    QFont::insertSubstitution(QStringLiteral("Times New Roman"),
                              QStringLiteral("Liberation Serif"));
}

// A 96 DPI canvas filled with one colour.
inline QImage Canvas(int width, int height, QColor fill = Qt::white) {
    QImage image(width, height, QImage::Format_RGB32);
    image.setDotsPerMeterX(3780);
    image.setDotsPerMeterY(3780);
    image.fill(fill);
    return image;
}

// The font the renderer uses for body text: "Verdana" 10pt at 96 DPI = 13 pixels.
inline QFont BodyFont(int weight = 400, bool italic = false, int pixels = 13) {
    QFont font(QStringLiteral("Verdana"));
    font.setPixelSize(pixels);
    font.setWeight(static_cast<QFont::Weight>(weight));
    font.setItalic(italic);
    return font;
}

inline int Advance(const QFont& font, const QString& text) {
    return QFontMetrics(font).horizontalAdvance(text);
}

// Measures `html` on a 96 DPI canvas and draws it into (0, 0, drawWidth, 400) of `canvas`.
inline QSize MeasureAndDraw(CPPHtmlDrawer& drawer, const QString& html, QImage& canvas,
                            int drawWidth = -1) {
    QPainter painter(&canvas);
    const QSize size = drawer.MeasureHtml(&painter, html);
    drawer.DrawHtml(QRect(0, 0, drawWidth < 0 ? size.width() : drawWidth, size.height()), &painter);
    return size;
}

}  // namespace qff::test
