#include "htmlbox/CCeXDib.h"

#include <QPainter>
#include <cstring>

namespace qff {

CCeXDib::~CCeXDib() {
    Release();
}

void CCeXDib::Release() {
    m_width = m_height = m_stride = 0;
    m_palette.clear();
    m_bits.clear();
    m_bits.shrink_to_fit();
    m_section = QImage();
}

bool CCeXDib::Allocate(int width, int height) {
    Release();
    if (width <= 0 || height <= 0 || static_cast<long long>(width) * height > kMaxPixels) {
        return false;
    }
    m_width = width;
    m_height = height;
    m_stride = ((width * 8 + 31) / 32) * 4;
    m_palette.assign(256, 0);
    m_bits.assign(static_cast<size_t>(m_stride) * height, 0);
    return true;
}

void CCeXDib::SetPaletteEntry(int index, ColorRef colour) {
    if (index >= 0 && index < static_cast<int>(m_palette.size())) {
        m_palette[index] = colour & 0x00FFFFFF;
    }
}

ColorRef CCeXDib::PaletteEntry(int index) const {
    if (index >= 0 && index < static_cast<int>(m_palette.size())) {
        return m_palette[index];
    }
    return 0;
}

void CCeXDib::BlitTo(QPainter* painter, int x, int y) {
    if (painter == nullptr || m_bits.empty()) {
        return;
    }
    if (m_section.isNull()) {
        m_section = QImage(m_width, m_height, QImage::Format_Indexed8);
    }
    QList<QRgb> table(256);
    for (int i = 0; i < 256; ++i) {
        table[i] = qRgb(RedOf(m_palette[i]), GreenOf(m_palette[i]), BlueOf(m_palette[i]));
    }
    m_section.setColorTable(table);
    for (int row = 0; row < m_height; ++row) {
        // The image is top-down, the bitmap bottom-up.
        std::memcpy(m_section.scanLine(m_height - 1 - row), Row(row), m_width);
    }
    painter->drawImage(QPoint(x, y), m_section);
}

}  // namespace qff
