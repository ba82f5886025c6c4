// The generated background textures of CPPDrawManager::FillArea (effects 7 to 15).
#include <QPaintDevice>
#include <QPainter>
#include <algorithm>
#include <cmath>

#include "htmlbox/CPPDrawManager.h"

namespace qff {

namespace {

int Cube16384(int t) {
    const long long d = t - 127;
    return static_cast<int>((d * d * d) / 16384);
}

// The part of `rect` that lands on the painter's device; textures are only computed there
// so that an enormous rectangle costs no more than the device it is drawn on.
QRect VisiblePart(QPainter* dc, const QRect& rect) {
    QPaintDevice* device = dc->device();
    if (device == nullptr) {
        return rect;
    }
    QRect deviceRect(0, 0, device->width(), device->height());
    bool invertible = false;
    const QTransform inverse = dc->transform().inverted(&invertible);
    if (!invertible) {
        return QRect();
    }
    QRect visible = inverse.mapRect(deviceRect);
    if (dc->hasClipping()) {
        visible = visible.intersected(dc->clipBoundingRect().toAlignedRect());
    }
    return rect.intersected(visible);
}

// Palette of the textures: 0..127 blend end -> middle, 128..255 middle -> start.
void FillPalette(CCeXDib& dib, ColorRef start, ColorRef middle, ColorRef end) {
    auto blend = [](ColorRef a, ColorRef b, int k) {
        return MakeColorRef((RedOf(a) * (128 - k) + RedOf(b) * k) / 128,
                            (GreenOf(a) * (128 - k) + GreenOf(b) * k) / 128,
                            (BlueOf(a) * (128 - k) + BlueOf(b) * k) / 128);
    };
    for (int k = 0; k < 128; ++k) {
        dib.SetPaletteEntry(k, blend(end, middle, k));
    }
    for (int e = 1; e <= 128; ++e) {
        dib.SetPaletteEntry(127 + e, blend(middle, start, e));
    }
}

}  // namespace

void CPPDrawManager::FillTexture(QPainter* dc, const QRect& rect, int effect, ColorRef start,
                                 ColorRef middle, ColorRef end, int g) {
    const QRect visible = VisiblePart(dc, rect);
    if (visible.isEmpty() || !m_dib.Allocate(visible.width(), visible.height())) {
        return;
    }
    FillPalette(m_dib, start, middle, end);

    const int W = rect.width();
    const int H = rect.height();
    const int o = 255 - 2 * g;
    const int L = g == 0 ? 1 : 2 * g;
    const int noiseDiv = 32767 / L;
    auto noise = [&]() { return NextRandom() / noiseDiv - g; };
    auto bump = [&](int t) { return (Cube16384(t) * (128 - g)) / 128 + 128; };

    // Visible pixel (vx, vy) is column c = vx + cOff of the whole rectangle and row
    // r = H - 1 - (vy + yOff), rows counted from the bottom.
    const int cOff = visible.left() - rect.left();
    const int yOff = visible.top() - rect.top();
    const int vw = visible.width();
    const int vh = visible.height();
    auto put = [&](int vx, int vy, int value) {
        m_dib.Row(vh - 1 - vy)[vx] = static_cast<std::uint8_t>(value & 0xFF);
    };

    if (effect == EFFECT_METAL) {
        std::vector<int> values(static_cast<size_t>(vw) * vh, 0);
        const int span = std::max(1, std::min(W, H));
        for (int streak = 0; streak < 200; ++streak) {
            const int sx = NextRandom() % W;
            const int sy = NextRandom() % H;
            const int length = NextRandom() % span;
            const int value = NextRandom() / 819;
            for (int i = 0; i < length; ++i) {
                const int vx = sx + i - cOff;
                const int vy = sy + i - yOff;
                if (vx >= 0 && vx < vw && vy >= 0 && vy < vh) {
                    values[static_cast<size_t>(vy) * vw + vx] = value;
                }
            }
        }
        const int slope = (o - 40) / 2;
        for (int vy = 0; vy < vh; ++vy) {
            const int r = H - 1 - (vy + yOff);
            for (int vx = 0; vx < vw; ++vx) {
                const int c = vx + cOff;
                const int ramp = (slope * r) / H + (slope * (W - c)) / W;
                put(vx, vy,
                    values[static_cast<size_t>(vy) * vw + vx] + g + ramp + NextRandom() / noiseDiv);
            }
        }
        m_dib.BlitTo(dc, visible.left(), visible.top());
        return;
    }

    const int bevel = std::min(W / 6, 16);
    for (int vy = 0; vy < vh; ++vy) {
        const int r = H - 1 - (vy + yOff);
        const int rowT = (r * 255) / H;
        // Hard bump bevels: their inner border follows a parabola over the height.
        int bevelHere = 0;
        if (effect == EFFECT_HARDBUMP && bevel > 0 && H > 1) {
            const double u = 2.0 * r / (H - 1) - 1.0;
            bevelHere = static_cast<int>(bevel * (0.5 + 0.5 * (1.0 - u * u)));
        }
        for (int vx = 0; vx < vw; ++vx) {
            const int c = vx + cOff;
            const int colT = ((W - c) * 255) / W;
            int value = 0;
            switch (effect) {
                case EFFECT_NOISE:
                    value = noise() - 128;
                    break;
                case EFFECT_DIAGSHADE:
                    value = (r * (o / 2)) / H + ((W - c) * (o / 2)) / W + noise() + g;
                    break;
                case EFFECT_HSHADE:
                    value = g + (r * o) / H + noise();
                    break;
                case EFFECT_VSHADE:
                    value = g + (o * (W - c)) / W + noise();
                    break;
                case EFFECT_HBUMP:
                    value = bump(rowT) + noise();
                    break;
                case EFFECT_VBUMP:
                    value = bump(colT) + noise();
                    break;
                case EFFECT_SOFTBUMP: {
                    const int a = Cube16384(rowT);
                    const int b = Cube16384(colT);
                    value = ((a + b) * (128 - g)) / 128 + 128;
                    value = std::min(std::max(value, g), 255 - g) + noise();
                    break;
                }
                case EFFECT_HARDBUMP:
                    if (c < bevelHere) {
                        value = g + (c * (127 - g)) / std::max(1, bevelHere) + noise();
                    } else if (W - 1 - c < bevelHere) {
                        value =
                            255 - g - ((W - 1 - c) * (127 - g)) / std::max(1, bevelHere) + noise();
                    } else {
                        value = Cube16384(rowT) * (64 - g) * 2 / 128 + 128 + noise();
                    }
                    break;
                default:
                    break;
            }
            put(vx, vy, value);
        }
    }
    m_dib.BlitTo(dc, visible.left(), visible.top());
}

}  // namespace qff
