#include "htmlbox/CPPDrawManager.h"

#include <QPainter>
#include <QPen>
#include <algorithm>

namespace qff {

CPPDrawManager::~CPPDrawManager() = default;

int CPPDrawManager::NextRandom() {
    m_randState = m_randState * 214013u + 2531011u;
    return static_cast<int>((m_randState >> 16) & 0x7FFF);
}

void CPPDrawManager::FillArea(QPainter* dc, const QRect& rect, int effect, ColorRef start,
                              ColorRef middle, ColorRef end, int granularity) {
    if (dc == nullptr || rect.isEmpty()) {
        return;
    }
    granularity = std::clamp(granularity, 0, 255);
    const int halfWidth = rect.width() / 2;
    const int halfHeight = rect.height() / 2;
    const QRect leftHalf(rect.left(), rect.top(), halfWidth, rect.height());
    const QRect rightHalf(rect.left() + halfWidth, rect.top(), rect.width() - halfWidth,
                          rect.height());
    const QRect topHalf(rect.left(), rect.top(), rect.width(), halfHeight);
    const QRect bottomHalf(rect.left(), rect.top() + halfHeight, rect.width(),
                           rect.height() - halfHeight);
    switch (effect) {
        case EFFECT_HGRADIENT:
            PaintGradient(dc, rect, start, end, true);
            break;
        case EFFECT_VGRADIENT:
            PaintGradient(dc, rect, start, end, false);
            break;
        case EFFECT_HCGRADIENT:
            PaintGradient(dc, leftHalf, start, end, true);
            PaintGradient(dc, rightHalf, end, start, true);
            break;
        case EFFECT_VCGRADIENT:
            PaintGradient(dc, topHalf, start, end, false);
            PaintGradient(dc, bottomHalf, end, start, false);
            break;
        case EFFECT_3HGRADIENT:
            PaintGradient(dc, leftHalf, start, middle, true);
            PaintGradient(dc, rightHalf, middle, end, true);
            break;
        case EFFECT_3VGRADIENT:
            PaintGradient(dc, topHalf, start, middle, false);
            PaintGradient(dc, bottomHalf, middle, end, false);
            break;
        case EFFECT_NOISE:
        case EFFECT_DIAGSHADE:
        case EFFECT_HSHADE:
        case EFFECT_VSHADE:
        case EFFECT_HBUMP:
        case EFFECT_VBUMP:
        case EFFECT_SOFTBUMP:
        case EFFECT_HARDBUMP:
        case EFFECT_METAL:
            FillTexture(dc, rect, effect, start, middle, end, granularity);
            break;
        default:
            dc->fillRect(rect, ToQColor(start));
            break;
    }
}

void CPPDrawManager::PaintGradient(QPainter* dc, const QRect& rect, ColorRef from, ColorRef to,
                                   bool horizontal) {
    if (dc == nullptr || rect.isEmpty()) {
        return;
    }
    const long long length = horizontal ? rect.width() : rect.height();
    for (int k = 0; k < 64; ++k) {
        const int begin = static_cast<int>((k * length) / 64);
        const int stop = static_cast<int>(((k + 1) * length) / 64);
        if (stop <= begin) {
            continue;
        }
        const int red = (RedOf(from) * (64 - k) + RedOf(to) * k) / 64;
        const int green = (GreenOf(from) * (64 - k) + GreenOf(to) * k) / 64;
        const int blue = (BlueOf(from) * (64 - k) + BlueOf(to) * k) / 64;
        const QRect band = horizontal
                               ? QRect(rect.left() + begin, rect.top(), stop - begin, rect.height())
                               : QRect(rect.left(), rect.top() + begin, rect.width(), stop - begin);
        dc->fillRect(band, QColor(red, green, blue));
    }
}

namespace {

QPen MakePen(int width, ColorRef colour, int lineStyle) {
    QPen pen(ToQColor(colour));
    pen.setWidth(width);
    pen.setCapStyle(Qt::SquareCap);
    pen.setJoinStyle(Qt::MiterJoin);
    switch (lineStyle) {
        case LINE_DASHED:
            pen.setDashPattern({3.0, 1.0});
            break;
        case LINE_DOTTED:
            pen.setCapStyle(Qt::FlatCap);
            pen.setDashPattern({1.0, 1.0});
            break;
        case LINE_DASHDOT:
            pen.setDashPattern({3.0, 1.0, 1.0, 1.0});
            break;
        case LINE_DASHDOTDOT:
            pen.setDashPattern({3.0, 1.0, 1.0, 1.0, 1.0, 1.0});
            break;
        default:
            pen.setStyle(Qt::SolidLine);
            break;
    }
    return pen;
}

void DrawPolyline(QPainter* dc, const QPen& pen, const QPoint& a, const QPoint& b,
                  const QPoint& c) {
    dc->setPen(pen);
    const QPoint points[3] = {a, b, c};
    dc->drawPolyline(points, 3);
}

}  // namespace

void CPPDrawManager::StrokeLine(QPainter* dc, int x1, int y1, int x2, int y2, int width,
                                ColorRef colour, int lineStyle) {
    if (dc == nullptr || width < 1) {
        return;
    }
    dc->save();
    dc->setRenderHint(QPainter::Antialiasing, false);
    const QPen pen = MakePen(width, colour, lineStyle);
    dc->setPen(pen);
    dc->drawLine(x1, y1, x2, y2);
    if (lineStyle == LINE_DOUBLE) {
        const bool horizontal = std::abs(x2 - x1) >= std::abs(y2 - y1);
        const int gap = 2 * width;
        if (horizontal) {
            dc->drawLine(x1, y1 + gap, x2, y2 + gap);
        } else {
            dc->drawLine(x1 + gap, y1, x2 + gap, y2);
        }
    }
    dc->restore();
}

void CPPDrawManager::StrokeFrame(QPainter* dc, const QRect& rect, ColorRef light, ColorRef dark,
                                 int lineStyle, int width) {
    if (dc == nullptr || width <= 0 || rect.isEmpty()) {
        return;
    }
    dc->save();
    dc->setRenderHint(QPainter::Antialiasing, false);
    const int passes = lineStyle == LINE_DOUBLE ? 2 : 1;
    for (int pass = 0; pass < passes; ++pass) {
        const int inset = pass * 2 * width;
        const QRect r = rect.adjusted(inset, inset, -inset, -inset);
        if (r.width() <= 0 || r.height() <= 0) {
            break;
        }
        // A pen of width w centred on c covers the pixels c - w / 2 .. c - w / 2 + w - 1:
        // each edge takes the w pixels just inside the rectangle.
        const int half = width / 2;
        const int left = r.left() + half;
        const int top = r.top() + half;
        const int right = r.right() - (width - 1) + half;
        const int bottom = r.bottom() - (width - 1) + half;
        const QPen lightPen = MakePen(width, light, lineStyle);
        DrawPolyline(dc, lightPen, QPoint(left, bottom), QPoint(left, top), QPoint(right, top));
        const QPen darkPen = light == dark ? lightPen : MakePen(width, dark, lineStyle);
        DrawPolyline(dc, darkPen, QPoint(right, top), QPoint(right, bottom), QPoint(left, bottom));
    }
    dc->restore();
}

}  // namespace qff
