#pragma once

#include <QIcon>
#include <QImage>
#include <QRect>
#include <QSize>
#include <cstdint>

#include "htmlbox/CCeXDib.h"
#include "htmlbox/ColorRef.h"
#include "htmlbox/ImageEffects.h"

class QPainter;

namespace qff {

// Drawing toolbox behind the HTML renderer and the message box: background fills with
// gradients and generated textures, lines and frames with line styles, and pictures drawn
// with colour effects, colour-key transparency, alpha and drop shadows.
//
// All colours are ColorRef (0x00BBGGRR). Rectangles are QRect: left/top inclusive,
// right()/bottom() the last pixel inside. Every call runs on the thread that owns the
// painter (the user-interface thread for widgets, any thread for a QImage). Nothing here
// fails loudly: an empty rectangle, a null picture or a painter of nullptr draws nothing.
// Work is bounded by what the painter's device can show: a fill larger than the device
// only computes the visible part.
class CPPDrawManager {
  public:
    CPPDrawManager() = default;
    virtual ~CPPDrawManager();

    CPPDrawManager(const CPPDrawManager&) = delete;
    CPPDrawManager& operator=(const CPPDrawManager&) = delete;

    // Paints `rect` with a fill effect (see FillEffect): 0 solid start colour, 1-6 gradients
    // through PaintGradient, 7-15 textures from a 256-entry palette that blends end -> middle
    // -> start colour. `granularity` (0-255) sets the amount of noise and the margin kept
    // from the palette ends. Any other effect number fills with the start colour.
    void FillArea(QPainter* dc, const QRect& rect, int effect, ColorRef start, ColorRef middle,
                  ColorRef end, int granularity);

    // Two-colour gradient in 64 bands, left to right when `horizontal`, else top to bottom.
    // Band k covers [k*len/64, (k+1)*len/64) and has channel (from*(64-k) + to*k)/64; empty
    // bands are skipped, so a short gradient still runs over all 64 colour steps.
    void PaintGradient(QPainter* dc, const QRect& rect, ColorRef from, ColorRef to,
                       bool horizontal);

    // A line from (x1, y1) to (x2, y2), both ends included. Width below 1 draws nothing.
    // Style 2 dashed, 3 dotted, 4 dash-dot, 5 dash-dot-dot, anything else solid; style 6
    // (double) adds a second line 2 * width below a horizontal or right of a vertical line.
    void StrokeLine(QPainter* dc, int x1, int y1, int x2, int y2, int width, ColorRef colour,
                    int lineStyle);

    // Outline of `rect`: light colour on the left and top edges, dark colour on the right
    // and bottom edges, each line centred `width / 2` inside. Style 6 repeats both strokes
    // 2 * width further inside. Width 0 or less draws nothing.
    void StrokeFrame(QPainter* dc, const QRect& rect, ColorRef light, ColorRef dark, int lineStyle,
                     int width);

    // A 32-bit copy of `bitmap` stretched to width x height with the effect flags applied to
    // each pixel's colour (alpha is kept). With `useTransparency`, pixels of the
    // `transparent` colour (and fully transparent pixels of a picture with alpha) become
    // colour 0 and alpha 0 before the effects; IMG_SOLID gives the other pixels
    // `solidColour`. Returns a null image for an empty size or a null bitmap. Sets the
    // alpha flag (LastCopyHadAlpha) when the source carries an alpha channel.
    QImage MakeEffectCopy(const QImage& bitmap, int width, int height, std::uint32_t effect,
                          bool useTransparency, ColorRef transparent, ColorRef solidColour);

    // Draws `bitmap` stretched into (x, y, width, height) with the effect flags; IMG_SOLID
    // paints the picture's shape in the shadow colour (the disabled look). When
    // `shadow.wanted`: with IMG_SHADOW or IMG_SOFT_SHADOW in `effect` a shadow of the
    // picture's shape is cast at (x + dx, y + dy) first; without them the picture itself
    // moves to (x + dx, y + dy), so that a picture whose hover style adds a shadow looks
    // raised when hovered.
    void PaintBitmap(QPainter* dc, int x, int y, int width, int height, const QImage& bitmap,
                     bool useTransparency, ColorRef transparent, std::uint32_t effect,
                     const ShadowSpec& shadow);

    // Like PaintBitmap for an icon stretched to width x height; the icon's own alpha is its
    // mask. As with bitmaps, IMG_SOLID fills the picture's shape with the shadow colour.
    void PaintIcon(QPainter* dc, int x, int y, int width, int height, const QIcon& icon,
                   std::uint32_t effect, const ShadowSpec& shadow);

    // Draws cell `index` of a strip of cellWidth x cellHeight cells (row by row) with
    // PaintBitmap. An index not below columns * rows, a negative index or a zero cell size
    // draws nothing and returns false.
    bool PaintListCell(QPainter* dc, int x, int y, int width, int height, const QImage& strip,
                       int index, int cellWidth, int cellHeight, bool useTransparency,
                       ColorRef transparent, std::uint32_t effect, const ShadowSpec& shadow);

    // Darkens the painter's pixels under (x, y, width, height) by the shadow picture: each
    // pixel is multiplied by (blue channel of the shadow pixel) / 255. Soft: the shadow is
    // shrunk by half the (odd) blur sizes and box-averaged over blurX x blurY first.
    void CastShadow(QPainter* dc, int x, int y, int width, int height, const QImage& shadow,
                    bool soft, int blurX, int blurY);

    // Per-pixel alpha blend of `source` (at its own size, clipped to width x height) onto
    // the painter at (x, y): result = source * a / 255 + destination * (1 - a / 255).
    void BlendOnto(const QImage& source, QPainter* dest, int x, int y, int width, int height);

    // Repeats the top-left tileWidth x tileHeight part of `tile` over `rect` from its
    // top-left corner, clipping the last column and row.
    void TileBitmap(QPainter* dest, const QRect& rect, const QImage& tile, int tileWidth,
                    int tileHeight);

    // The size an icon offers for a request of the system icon size (32 x 32) - never
    // larger than the icon has. (0, 0) for a null icon.
    static QSize IconSize(const QIcon& icon);
    static QSize BitmapSize(const QImage& bitmap);
    // A new icon holding `icon` stretched to width x height.
    static QIcon ScaleIcon(const QIcon& icon, int width, int height);

    bool LastCopyHadAlpha() const { return m_alphaFlag; }

    // The noise of the textures comes from this generator (the classic 15-bit linear
    // congruential sequence), so a fill is reproducible after Seed.
    void Seed(unsigned seed) { m_randState = seed; }
    int NextRandom();

    // Largest side of a picture this manager will process; larger requests draw nothing.
    static constexpr int kMaxPictureSide = 4096;

  private:
    void FillTexture(QPainter* dc, const QRect& rect, int effect, ColorRef start, ColorRef middle,
                     ColorRef end, int granularity);
    void DrawEffectImage(QPainter* dc, int x, int y, const QImage& picture, bool useTransparency,
                         ColorRef transparent, std::uint32_t effect, const ShadowSpec& shadow);

    CCeXDib m_dib;
    bool m_alphaFlag = false;
    unsigned m_randState = 1;
};

}  // namespace qff
