#pragma once

#include <QIcon>
#include <QImage>
#include <QSize>
#include <QString>

namespace qff {

// The program's own pictures, drawn from the SVG files compiled into the program.
// name is the file name without folder and extension ("header", "status_tick").
namespace artwork {

// The picture drawn at exactly size pixels (its own size when size is empty). A name
// that does not exist gives a null image.
QImage Render(const QString& name, QSize size = {});

// The picture's own size in pixels, or an empty size when it does not exist.
QSize NaturalSize(const QString& name);

// An icon that draws the picture crisply at every size it is asked for.
QIcon Icon(const QString& name);

}  // namespace artwork
}  // namespace qff
