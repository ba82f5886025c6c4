#pragma once

#include <QImage>
#include <cstdint>
#include <vector>

#include "htmlbox/ColorRef.h"

class QPainter;

namespace qff {

// An 8-bit palette bitmap: one byte per pixel, 256 palette entries, rows stored bottom
// row first with each row padded to a multiple of four bytes. The generated textures of
// CPPDrawManager are computed into it and then copied to a painter.
class CCeXDib {
  public:
    CCeXDib() = default;
    virtual ~CCeXDib();

    CCeXDib(const CCeXDib&) = delete;
    CCeXDib& operator=(const CCeXDib&) = delete;

    // Releases everything and allocates a width x height bitmap with a black palette and
    // all pixels 0. Returns false (and holds nothing) when a side is not positive or the
    // pixel memory would exceed kMaxPixels.
    bool Allocate(int width, int height);

    // Copies the pixels to the painter with their top-left corner at (x, y). Does nothing
    // when nothing is allocated.
    void BlitTo(QPainter* painter, int x, int y);

    int Width() const { return m_width; }
    int Height() const { return m_height; }
    int Stride() const { return m_stride; }

    void SetPaletteEntry(int index, ColorRef colour);
    ColorRef PaletteEntry(int index) const;

    // Row 0 is the bottom row.
    std::uint8_t* Row(int rowFromBottom) { return m_bits.data() + rowFromBottom * m_stride; }
    std::uint8_t PixelAt(int column, int rowFromBottom) const {
        return m_bits[static_cast<size_t>(rowFromBottom) * m_stride + column];
    }

    static constexpr long long kMaxPixels = 64LL * 1024 * 1024;

  private:
    void Release();

    int m_width = 0;
    int m_height = 0;
    int m_stride = 0;
    std::vector<ColorRef> m_palette;
    std::vector<std::uint8_t> m_bits;
    QImage m_section;  // made on first BlitTo, reused until the next Allocate
};

}  // namespace qff
