#include "app/CTarnixTransparentStatic.h"

#include <gtest/gtest.h>

#include <QImage>

namespace qff {
namespace {

int InkPixels(const QImage& image, const QRect& area, QRgb background) {
    int ink = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            ink += image.pixel(x, y) != background;
        }
    }
    return ink;
}

TEST(TransparentStatic, ParentShowsThroughAndOldTextIsErased) {
    QWidget parent;
    parent.resize(300, 60);
    parent.setAutoFillBackground(true);
    QPalette pal = parent.palette();
    pal.setColor(QPalette::Window, QColor(0, 128, 0));
    parent.setPalette(pal);
    CTarnixTransparentStatic label(QStringLiteral("WWWWWWWWWWWWWWWW"), &parent);
    label.setGeometry(10, 10, 280, 40);
    const QRgb green = QColor(0, 128, 0).rgb();

    QImage image = parent.grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QRect tail(150, 10, 140, 40);
    ASSERT_GT(InkPixels(image, tail, green), 0) << "long text reaches the right half";
    // Below the single line of text the parent's colour shows.
    EXPECT_EQ(image.pixel(15, 48), green);

    label.setText(QStringLiteral("i"));
    image = parent.grab().toImage().convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(InkPixels(image, tail, green), 0);
    EXPECT_GT(InkPixels(image, QRect(10, 10, 20, 40), green), 0) << "the new text is drawn";
}

}  // namespace
}  // namespace qff
