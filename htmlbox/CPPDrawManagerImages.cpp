// Pictures of CPPDrawManager: effect copies, bitmaps, icons, strip cells and shadows.
#include <QPainter>
#include <QPixmap>
#include <algorithm>
#include <vector>

#include "htmlbox/CPPDrawManager.h"

namespace qff {

namespace {

bool SizeAllowed(int width, int height) {
    return width > 0 && height > 0 && width <= CPPDrawManager::kMaxPictureSide &&
           height <= CPPDrawManager::kMaxPictureSide;
}

ColorRef Inverted(ColorRef c) {
    return (~c) & 0x00FFFFFF;
}

// A black overlay whose alpha is 255 - factor: drawn with source-over it multiplies every
// channel of the destination by factor / 255.
QImage DarkeningOverlay(const std::vector<int>& factors, int width, int height) {
    QImage overlay(width, height, QImage::Format_ARGB32);
    for (int y = 0; y < height; ++y) {
        auto* line = reinterpret_cast<QRgb*>(overlay.scanLine(y));
        for (int x = 0; x < width; ++x) {
            line[x] = qRgba(0, 0, 0,
                            255 - std::clamp(factors[static_cast<size_t>(y) * width + x], 0, 255));
        }
    }
    return overlay;
}

}  // namespace

QImage CPPDrawManager::MakeEffectCopy(const QImage& bitmap, int width, int height,
                                      std::uint32_t effect, bool useTransparency,
                                      ColorRef transparent, ColorRef solidColour) {
    if (bitmap.isNull() || !SizeAllowed(width, height)) {
        return QImage();
    }
    m_alphaFlag = bitmap.hasAlphaChannel();
    QImage copy = bitmap.convertToFormat(QImage::Format_ARGB32);
    if (copy.width() != width || copy.height() != height) {
        copy = copy.scaled(width, height, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    }
    const QRgb keyColour = qRgb(RedOf(transparent), GreenOf(transparent), BlueOf(transparent));
    for (int y = 0; y < height; ++y) {
        auto* line = reinterpret_cast<QRgb*>(copy.scanLine(y));
        for (int x = 0; x < width; ++x) {
            const QRgb pixel = line[x];
            int alpha = qAlpha(pixel);
            int red = qRed(pixel);
            int green = qGreen(pixel);
            int blue = qBlue(pixel);
            const bool keyed = useTransparency && (pixel & 0x00FFFFFF) == (keyColour & 0x00FFFFFF);
            if (keyed || (m_alphaFlag && alpha == 0)) {
                red = green = blue = 0;
                alpha = 0;
            } else {
                if (effect & IMG_GREY) {
                    red = green = blue =
                        static_cast<int>(0.299 * red + 0.587 * green + 0.114 * blue);
                }
                if (effect & IMG_DARKEN) {
                    red = static_cast<int>(red * 0.75);
                    green = static_cast<int>(green * 0.75);
                    blue = static_cast<int>(blue * 0.75);
                }
                if (effect & IMG_LIGHTEN) {
                    red = std::min(255, static_cast<int>(red * 1.25));
                    green = std::min(255, static_cast<int>(green * 1.25));
                    blue = std::min(255, static_cast<int>(blue * 1.25));
                }
                if (effect & IMG_SOLID) {
                    red = RedOf(solidColour);
                    green = GreenOf(solidColour);
                    blue = BlueOf(solidColour);
                }
            }
            if (effect & IMG_INVERT) {
                red = 255 - red;
                green = 255 - green;
                blue = 255 - blue;
            }
            line[x] = qRgba(red, green, blue, alpha);
        }
    }
    return copy;
}

void CPPDrawManager::DrawEffectImage(QPainter* dc, int x, int y, const QImage& picture,
                                     bool useTransparency, ColorRef transparent,
                                     std::uint32_t effect, const ShadowSpec& shadow) {
    const int width = picture.width();
    const int height = picture.height();
    const QImage image =
        MakeEffectCopy(picture, width, height, effect, useTransparency, transparent, shadow.colour);
    if (image.isNull()) {
        return;
    }
    int drawX = x;
    int drawY = y;
    if (shadow.wanted) {
        if (effect & (IMG_SHADOW | IMG_SOFT_SHADOW)) {
            // Shadow colour on the picture's shape, white elsewhere.
            const QImage cast =
                MakeEffectCopy(picture, width, height, IMG_SOLID | IMG_INVERT, useTransparency,
                               transparent, Inverted(shadow.colour));
            CastShadow(dc, x + shadow.dx, y + shadow.dy, width, height, cast,
                       (effect & IMG_SOFT_SHADOW) != 0, shadow.blurX, shadow.blurY);
        } else {
            drawX += shadow.dx;
            drawY += shadow.dy;
        }
    }
    BlendOnto(image, dc, drawX, drawY, width, height);
}

void CPPDrawManager::PaintBitmap(QPainter* dc, int x, int y, int width, int height,
                                 const QImage& bitmap, bool useTransparency, ColorRef transparent,
                                 std::uint32_t effect, const ShadowSpec& shadow) {
    if (dc == nullptr || bitmap.isNull() || !SizeAllowed(width, height)) {
        return;
    }
    QImage sized = bitmap;
    if (bitmap.width() != width || bitmap.height() != height) {
        sized = bitmap.scaled(width, height, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    }
    DrawEffectImage(dc, x, y, sized, useTransparency, transparent, effect, shadow);
}

void CPPDrawManager::PaintIcon(QPainter* dc, int x, int y, int width, int height, const QIcon& icon,
                               std::uint32_t effect, const ShadowSpec& shadow) {
    if (dc == nullptr || icon.isNull() || !SizeAllowed(width, height)) {
        return;
    }
    const QIcon sized =
        IconSize(icon) == QSize(width, height) ? icon : ScaleIcon(icon, width, height);
    QImage picture = sized.pixmap(QSize(width, height)).toImage();
    if (picture.size() != QSize(width, height)) {
        picture = picture.scaled(width, height, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    }
    if (!picture.hasAlphaChannel()) {
        picture = picture.convertToFormat(QImage::Format_ARGB32);
    }
    DrawEffectImage(dc, x, y, picture, false, 0, effect, shadow);
}

bool CPPDrawManager::PaintListCell(QPainter* dc, int x, int y, int width, int height,
                                   const QImage& strip, int index, int cellWidth, int cellHeight,
                                   bool useTransparency, ColorRef transparent, std::uint32_t effect,
                                   const ShadowSpec& shadow) {
    if (strip.isNull() || cellWidth <= 0 || cellHeight <= 0 || index < 0) {
        return false;
    }
    const int columns = strip.width() / cellWidth;
    const int rows = strip.height() / cellHeight;
    if (static_cast<long long>(index) >= static_cast<long long>(columns) * rows) {
        return false;
    }
    const QImage cell = strip.copy((index % columns) * cellWidth, (index / columns) * cellHeight,
                                   cellWidth, cellHeight);
    PaintBitmap(dc, x, y, width, height, cell, useTransparency, transparent, effect, shadow);
    return true;
}

void CPPDrawManager::CastShadow(QPainter* dc, int x, int y, int width, int height,
                                const QImage& shadow, bool soft, int blurX, int blurY) {
    if (dc == nullptr || shadow.isNull() || !SizeAllowed(width, height)) {
        return;
    }
    QImage source = shadow.convertToFormat(QImage::Format_ARGB32);
    std::vector<int> factors(static_cast<size_t>(width) * height, 255);
    // Factor of a shadow pixel: its blue channel, weighted by its coverage.
    auto factorOf = [](QRgb p) { return 255 - ((255 - qBlue(p)) * qAlpha(p)) / 255; };
    if (!soft) {
        for (int row = 0; row < std::min(height, source.height()); ++row) {
            const auto* line = reinterpret_cast<const QRgb*>(source.constScanLine(row));
            for (int col = 0; col < std::min(width, source.width()); ++col) {
                factors[static_cast<size_t>(row) * width + col] = factorOf(line[col]);
            }
        }
    } else {
        blurX = std::clamp(blurX, 1, 255) | 1;
        blurY = std::clamp(blurY, 1, 255) | 1;
        const int innerW = width - 2 * (blurX / 2);
        const int innerH = height - 2 * (blurY / 2);
        std::vector<int> base(static_cast<size_t>(width) * height, 255);
        if (innerW > 0 && innerH > 0) {
            const QImage shrunk =
                source.scaled(innerW, innerH, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
            for (int row = 0; row < innerH; ++row) {
                const auto* line = reinterpret_cast<const QRgb*>(shrunk.constScanLine(row));
                for (int col = 0; col < innerW; ++col) {
                    base[static_cast<size_t>(row + blurY / 2) * width + col + blurX / 2] =
                        factorOf(line[col]);
                }
            }
        }
        // Box average through a summed-area table; outside pixels count as 255.
        const int padX = blurX / 2;
        const int padY = blurY / 2;
        const int sw = width + 2 * padX;
        const int sh = height + 2 * padY;
        std::vector<long long> sum(static_cast<size_t>(sw + 1) * (sh + 1), 0);
        for (int row = 0; row < sh; ++row) {
            long long rowSum = 0;
            for (int col = 0; col < sw; ++col) {
                const int bx = col - padX;
                const int by = row - padY;
                const bool inside = bx >= 0 && bx < width && by >= 0 && by < height;
                rowSum += inside ? base[static_cast<size_t>(by) * width + bx] : 255;
                sum[static_cast<size_t>(row + 1) * (sw + 1) + col + 1] =
                    sum[static_cast<size_t>(row) * (sw + 1) + col + 1] + rowSum;
            }
        }
        const long long area = static_cast<long long>(blurX) * blurY;
        for (int row = 0; row < height; ++row) {
            for (int col = 0; col < width; ++col) {
                const size_t r0 = static_cast<size_t>(row) * (sw + 1);
                const size_t r1 = static_cast<size_t>(row + blurY) * (sw + 1);
                const long long total =
                    sum[r1 + col + blurX] - sum[r0 + col + blurX] - sum[r1 + col] + sum[r0 + col];
                factors[static_cast<size_t>(row) * width + col] = static_cast<int>(total / area);
            }
        }
    }
    dc->drawImage(QPoint(x, y), DarkeningOverlay(factors, width, height));
}

void CPPDrawManager::BlendOnto(const QImage& source, QPainter* dest, int x, int y, int width,
                               int height) {
    if (dest == nullptr || source.isNull() || width <= 0 || height <= 0) {
        return;
    }
    dest->save();
    dest->setCompositionMode(QPainter::CompositionMode_SourceOver);
    dest->drawImage(QPoint(x, y), source, QRect(0, 0, width, height));
    dest->restore();
}

void CPPDrawManager::TileBitmap(QPainter* dest, const QRect& rect, const QImage& tile,
                                int tileWidth, int tileHeight) {
    if (dest == nullptr || rect.isEmpty() || tile.isNull() || tileWidth <= 0 || tileHeight <= 0) {
        return;
    }
    const QPixmap piece = QPixmap::fromImage(
        tile.copy(0, 0, std::min(tileWidth, tile.width()), std::min(tileHeight, tile.height())));
    dest->save();
    dest->setClipRect(rect, Qt::IntersectClip);
    dest->drawTiledPixmap(rect, piece);
    dest->restore();
}

QSize CPPDrawManager::IconSize(const QIcon& icon) {
    if (icon.isNull()) {
        return QSize(0, 0);
    }
    return icon.actualSize(QSize(32, 32));
}

QSize CPPDrawManager::BitmapSize(const QImage& bitmap) {
    return bitmap.isNull() ? QSize(0, 0) : bitmap.size();
}

QIcon CPPDrawManager::ScaleIcon(const QIcon& icon, int width, int height) {
    if (icon.isNull() || !SizeAllowed(width, height)) {
        return QIcon();
    }
    const QPixmap source = icon.pixmap(QSize(width, height));
    return QIcon(source.scaled(width, height, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
}

}  // namespace qff
