// Picture and string tags of CPPHtmlDrawer: bmp, icon, ilst and string.
#include <QImageReader>
#include <QPainter>
#include <QPixmap>
#include <algorithm>

#include "htmlbox/CPPHtmlDrawer.h"
#include "htmlbox/HtmlTagTable.h"
#include "htmlbox/HtmlTokenizer.h"

namespace qff {

namespace {

constexpr int kSystemIconSize = 32;

QImage ReadPicture(const QString& path) {
    if (path.isEmpty()) {
        return QImage();
    }
    QImageReader reader(path);
    const QSize size = reader.size();
    if (size.isValid() && (size.width() > CPPDrawManager::kMaxPictureSide ||
                           size.height() > CPPDrawManager::kMaxPictureSide)) {
        return QImage();
    }
    return reader.read();
}

QString ResourcePath(int id) {
    return QStringLiteral(":/res/") + QString::number(id);
}

int Scaled(int base, int value, bool isPercent) {
    const int size = isPercent ? MulDiv(base, value, 100) : value;
    return std::clamp(size, 0, CPPDrawManager::kMaxPictureSide);
}

}  // namespace

void CPPHtmlDrawer::LayoutImageTag(int id, const QString& attributes) {
    const bool hasShadowOffset = m_shadow.dx != 0 || m_shadow.dy != 0;
    const ImageAttributes a = ReadImageAttributes(attributes, CurrentLengthContext(), m_colourNames,
                                                  m_gradientShadow, hasShadowOffset);
    // A library resource is a resource prefix here: `srcdll` when given, else the
    // drawer's resource instance.
    auto libraryPath = [&](int resource) {
        const QString prefix = a.srcdll.isEmpty() ? m_resourceInstance : a.srcdll;
        return prefix.startsWith(QLatin1String(":/"))
                   ? prefix + QLatin1Char('/') + QString::number(resource)
                   : QString();
    };

    QImage bitmap;
    QIcon icon;
    int width = 0;
    int height = 0;
    int cellWidth = 0;
    int cellHeight = 0;
    int index = a.index;
    if (id == TAG_ICON) {
        const QSize requested(Scaled(kSystemIconSize, a.width, a.widthIsPercent),
                              Scaled(kSystemIconSize, a.height, a.heightIsPercent));
        QSize obtained;
        if (a.idres != 0 || !a.file.isEmpty() || a.iddll != 0) {
            const QString path = a.idres != 0        ? ResourcePath(a.idres)
                                 : !a.file.isEmpty() ? a.file
                                                     : libraryPath(a.iddll);
            const QImage picture = ReadPicture(path);
            if (!picture.isNull() && !requested.isEmpty()) {
                icon = QIcon(QPixmap::fromImage(picture));
                obtained = icon.actualSize(requested);
            }
        } else if (a.handle != 0) {
            const auto it = m_iconHandles.find(a.handle);
            if (it != m_iconHandles.end()) {
                icon = *it->second;
                obtained = CPPDrawManager::IconSize(icon);
            }
        }
        width = std::min(obtained.width(), CPPDrawManager::kMaxPictureSide);
        height = std::min(obtained.height(), CPPDrawManager::kMaxPictureSide);
    } else {
        if (a.idres != 0) {
            bitmap = ReadPicture(ResourcePath(a.idres));
        } else if (!a.file.isEmpty()) {
            bitmap = ReadPicture(a.file);
        } else if (a.iddll != 0) {
            bitmap = ReadPicture(libraryPath(a.iddll));
        } else if (a.handle != 0) {
            const auto it = m_bitmapHandles.find(a.handle);
            if (it != m_bitmapHandles.end()) {
                bitmap = *it->second;
            }
        }
        if (id == TAG_BMP) {
            width = Scaled(bitmap.width(), a.width, a.widthIsPercent);
            height = Scaled(bitmap.height(), a.height, a.heightIsPercent);
        } else {
            if (bitmap.isNull()) {
                // No strip of its own: the drawer's image list, when set.
                bitmap = m_imageList;
                cellWidth = m_imageListCx;
                cellHeight = m_imageListCy;
            } else {
                cellWidth = a.cx;
                cellHeight = a.cy;
                if (cellWidth == 0 && cellHeight == 0) {
                    cellWidth = cellHeight = std::min(bitmap.width(), bitmap.height());
                } else if (cellWidth == 0) {
                    cellWidth = cellHeight;
                } else if (cellHeight == 0) {
                    cellHeight = cellWidth;
                }
            }
            if (bitmap.isNull() || cellWidth <= 0 || cellHeight <= 0) {
                return;
            }
            const long long count =
                static_cast<long long>(bitmap.width() / cellWidth) * (bitmap.height() / cellHeight);
            if (a.speed > 0) {
                ++m_animationCounter;
                if (m_measuring) {
                    m_animations.push_back(AnimationEntry{
                        a.index, static_cast<int>(std::min<long long>(count, INT32_MAX)), a.speed});
                } else if (m_animationCounter < static_cast<int>(m_animations.size())) {
                    index = m_animations[m_animationCounter].currentIndex;
                }
            }
            if (index < 0 || index >= count) {
                return;
            }
            width = Scaled(cellWidth, a.width, a.widthIsPercent);
            height = Scaled(cellHeight, a.height, a.heightIsPercent);
        }
    }
    if (width <= 0 || height <= 0) {
        return;  // nothing loaded, or a zero size: no space taken
    }

    const bool shadowed = ((a.style | a.hotStyle) & (IMG_SHADOW | IMG_SOFT_SHADOW)) != 0;
    const int shadowX = shadowed ? std::max(0, m_shadow.dx) : 0;
    const int shadowY = shadowed ? std::max(0, m_shadow.dy) : 0;
    const int boxWidth = width + shadowX;
    const int layoutHeight = id == TAG_ILST ? height + shadowY : height;

    if (m_wrapWidth > 0 && m_lineHasContent && boxWidth > m_wrapWidth - m_lineUsed) {
        EndLine(true, 1);
    }
    if (m_measuring) {
        m_line.align = m_style.textAlign;
        m_line.height = std::max(m_line.height, layoutHeight);
        m_line.width += boxWidth;
        MarkLineContent(boxWidth);
        return;
    }

    int top = m_y;
    switch (m_style.verticalAlign) {
        case 1:
            top = m_y + (m_line.height - layoutHeight) / 2;
            break;
        case 2:
            top = m_y + m_line.height - layoutHeight;
            break;
        case 3:
            top = m_y + m_line.height - m_line.descent - layoutHeight;
            break;
        default:
            break;
    }
    const bool hovered = m_style.linkKind != 0 && m_linkCounter == m_hoverLink;
    std::uint32_t effect = hovered ? a.hotStyle : a.style;
    if (!m_enabled) {
        effect = (effect & ~0xFFu) | IMG_SOLID;
    }
    ShadowSpec shadow = m_shadow;
    shadow.wanted = shadowed;
    if (m_style.linkKind != 0) {
        m_links.push_back(LinkArea{QRect(m_x, top, width, height), m_style.linkKind, m_linkCounter,
                                   m_style.linkTarget});
    }
    if (id == TAG_ICON) {
        m_drawManager.PaintIcon(m_dc, m_x, top, width, height, icon, effect, shadow);
    } else if (id == TAG_BMP) {
        m_drawManager.PaintBitmap(m_dc, m_x, top, width, height, bitmap, a.useMask, a.maskColour,
                                  effect, shadow);
    } else {
        m_drawManager.PaintListCell(m_dc, m_x, top, width, height, bitmap, index, cellWidth,
                                    cellHeight, a.useMask, a.maskColour, effect, shadow);
    }
    m_x += boxWidth;
    MarkLineContent(boxWidth);
}

void CPPHtmlDrawer::LayoutStringTag(const QString& attributes) {
    int id = 0;
    for (const auto& [name, value] : ReadAttributes(attributes)) {
        if (name == QLatin1String("idres") || name == QLatin1String("iddll")) {
            id = ParseInteger(value);
        }
    }
    const auto it = m_strings.find(id);
    if (it != m_strings.end() && !it->second.isEmpty()) {
        LayoutPiece(it->second, false);
    }
}

}  // namespace qff
