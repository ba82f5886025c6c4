#include "res/Artwork.h"

#include <QPainter>
#include <QSvgRenderer>

namespace qff::artwork {

namespace {

QString PathOf(const QString& name) {
    return QStringLiteral(":/art/") + name + QStringLiteral(".svg");
}

}  // namespace

QImage Render(const QString& name, QSize size) {
    QSvgRenderer renderer(PathOf(name));
    if (!renderer.isValid()) {
        return {};
    }
    if (size.isEmpty()) {
        size = renderer.defaultSize();
    }
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(size)));
    return image;
}

QSize NaturalSize(const QString& name) {
    QSvgRenderer renderer(PathOf(name));
    return renderer.isValid() ? renderer.defaultSize() : QSize();
}

QIcon Icon(const QString& name) {
    // Drawn at every size the window asks for, so nothing depends on an icon plugin.
    QIcon icon;
    for (int side : {16, 20, 22, 24, 32, 40, 48, 64}) {
        const QImage image = Render(name, QSize(side, side));
        if (image.isNull()) {
            return {};
        }
        icon.addPixmap(QPixmap::fromImage(image));
    }
    return icon;
}

}  // namespace qff::artwork
