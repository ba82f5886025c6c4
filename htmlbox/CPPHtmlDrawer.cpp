#include "htmlbox/CPPHtmlDrawer.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPainter>
#include <QUrl>
#include <algorithm>

#include "htmlbox/DefaultStyleSheet.h"
#include "htmlbox/HtmlEntities.h"
#include "htmlbox/HtmlTableScanner.h"

namespace qff {

namespace {

QPalette CurrentPalette() {
    return qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr
               ? QGuiApplication::palette()
               : QPalette();
}

bool OpenWithDesktop(const QString& target) {
    const QUrl url =
        QFileInfo::exists(target) ? QUrl::fromLocalFile(target) : QUrl::fromUserInput(target);
    return url.isValid() && QDesktopServices::openUrl(url);
}

}  // namespace

CPPHtmlDrawer::CPPHtmlDrawer() : m_urlOpener(OpenWithDesktop) {
    const QPalette palette = CurrentPalette();
    m_colourNames = BuildColourNames(palette);
    m_disabledColour = FromQColor(palette.color(QPalette::Active, QPalette::Dark));
    m_styleSheet.AddRules(DefaultStyleSheet());
}

CPPHtmlDrawer::~CPPHtmlDrawer() = default;

void CPPHtmlDrawer::SetMaxWidth(int width) {
    m_maxWidth = std::clamp(width, 0, kMaxLength);
}

void CPPHtmlDrawer::SetTabWidth(int width) {
    m_tabWidth = std::clamp(width, 0, kMaxLength);
}

void CPPHtmlDrawer::SetNotify(NotifyReceiver receiver, int message, std::uintptr_t param) {
    m_notify = std::move(receiver);
    m_notifyMessage = message;
    m_notifyParam = param;
}

void CPPHtmlDrawer::SetLinkReceiver(LinkReceiver receiver, int message, std::uintptr_t param) {
    m_linkReceiver = std::move(receiver);
    m_linkMessage = message;
    m_linkParam = param;
}

void CPPHtmlDrawer::SetImageShadow(int dx, int dy, int blurX, int blurY, int darkness,
                                   bool gradient, ColorRef colour) {
    m_shadow.dx = std::clamp(dx, -kMaxLength, kMaxLength);
    m_shadow.dy = std::clamp(dy, -kMaxLength, kMaxLength);
    m_shadow.blurX = std::clamp(blurX, 0, 255);
    m_shadow.blurY = std::clamp(blurY, 0, 255);
    m_shadowDarkness = darkness;
    m_gradientShadow = gradient;
    m_shadow.colour = colour;
}

void CPPHtmlDrawer::RegisterHandle(const QIcon* icon) {
    if (icon != nullptr) {
        m_iconHandles[reinterpret_cast<std::uintptr_t>(icon)] = icon;
    }
}

void CPPHtmlDrawer::RegisterHandle(const QImage* bitmap) {
    if (bitmap != nullptr) {
        m_bitmapHandles[reinterpret_cast<std::uintptr_t>(bitmap)] = bitmap;
    }
}

void CPPHtmlDrawer::ClearHandles() {
    m_iconHandles.clear();
    m_bitmapHandles.clear();
}

void CPPHtmlDrawer::SetImageList(const QImage& strip, int cx, int cy) {
    m_imageList = strip;
    m_imageListCx = std::clamp(cx, 0, CPPDrawManager::kMaxPictureSide);
    m_imageListCy = std::clamp(cy, 0, CPPDrawManager::kMaxPictureSide);
}

QSize CPPHtmlDrawer::MeasureHtml(QPainter* dc, const QString& html) {
    m_lines.clear();
    m_tables.clear();
    m_links.clear();
    m_animations.clear();

    QString text = ReplaceEntities(html);
    text.remove(QLatin1Char('\r'));
    if (m_convertNewlines) {
        text.replace(QLatin1Char('\n'), QLatin1String("<br>"));
        text.replace(QLatin1Char('\t'), QLatin1String("<t>"));
    } else {
        text.remove(QLatin1Char('\n'));
        text.remove(QLatin1Char('\t'));
    }
    m_text = std::move(text);

    QImage scratch;
    QPainter scratchPainter;
    if (dc == nullptr) {
        scratch = QImage(1, 1, QImage::Format_ARGB32_Premultiplied);
        scratch.setDotsPerMeterX(3780);
        scratch.setDotsPerMeterY(3780);
        scratchPainter.begin(&scratch);
        dc = &scratchPainter;
    }
    m_dc = dc;
    m_measuring = true;
    const QSize needed = LayoutDocument(QRect(0, 0, m_maxWidth, 0));
    m_dc = nullptr;

    if (needed.width() <= 0 && needed.height() <= 0) {
        m_discarded = true;
        m_text.clear();
        m_lines.clear();
        m_tables.clear();
        return QSize(1, 1);
    }
    m_discarded = false;
    int width = needed.width();
    if (m_maxWidth > 0) {
        width = std::min(width, m_maxWidth);
    }
    return QSize(width + 1, needed.height() + 1);
}

void CPPHtmlDrawer::DrawHtml(const QRect& rect, QPainter* dc) {
    m_links.clear();
    if (dc == nullptr || m_discarded) {
        return;
    }
    dc->save();
    m_dc = dc;
    m_measuring = false;
    // The drawing pass stops at the bottom of what the device shows: lines further down
    // cannot be seen, so a huge text costs no more to repaint than a screenful.
    m_visibleBottom = INT32_MAX;
    if (QPaintDevice* device = dc->device()) {
        bool invertible = false;
        const QTransform inverse = dc->transform().inverted(&invertible);
        if (invertible && dc->transform().isAffine() && !dc->transform().isRotating()) {
            QRect visible = inverse.mapRect(QRect(0, 0, device->width(), device->height()));
            if (dc->hasClipping()) {
                visible = visible.intersected(dc->clipBoundingRect().toAlignedRect());
            }
            m_visibleBottom = visible.top() + visible.height();
        }
    }
    LayoutDocument(rect);
    m_dc = nullptr;
    dc->restore();
}

int CPPHtmlDrawer::FindLinkAt(const QPoint& point) const {
    for (size_t i = 0; i < m_links.size(); ++i) {
        const QRect& r = m_links[i].rect;
        // Edges included: the last column and row of the piece and the pixel after it.
        if (point.x() >= r.left() && point.x() <= r.left() + r.width() && point.y() >= r.top() &&
            point.y() <= r.top() + r.height()) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

bool CPPHtmlDrawer::TrackLinkHover(const QPoint& point) {
    const int area = FindLinkAt(point);
    if (area >= 0) {
        const LinkArea& link = m_links[area];
        if (link.linkIndex != m_hoverLink) {
            m_hoverLink = link.linkIndex;
            if (m_notify) {
                m_notify(m_notifyMessage, m_hoverLink, m_notifyParam);
            }
        }
        return !link.linkTarget.isEmpty();
    }
    if (m_hoverLink != -2) {
        m_hoverLink = -2;
        if (m_notify) {
            m_notify(m_notifyMessage, m_hoverLink, m_notifyParam);
        }
    }
    return false;
}

bool CPPHtmlDrawer::FollowLink(int index) {
    if (index < 0 || index >= static_cast<int>(m_links.size())) {
        return false;
    }
    const LinkArea link = m_links[index];  // a receiver may redraw and clear the table
    if (link.linkTarget.isEmpty()) {
        return false;
    }
    if (link.linkKind == 1) {
        return m_urlOpener && m_urlOpener(link.linkTarget);
    }
    if (link.linkKind == 2 && m_linkReceiver && m_linkMessage != 0) {
        m_linkReceiver(m_linkMessage, link.linkTarget, m_linkParam);
        return true;
    }
    return false;
}

void CPPHtmlDrawer::ResetLayout() {
    m_lineIndex = 0;
    m_tableCounter = -1;
    m_linkCounter = -1;
    m_animationCounter = -1;
    m_styleStack.clear();
    m_ignoredOpenTags = 0;
    m_style = TextStyle{};
    m_fontKey.clear();
    m_dpiY = m_dc->device() != nullptr ? m_dc->device()->logicalDpiY() : 96;
    if (m_dpiY <= 0) {
        m_dpiY = 96;
    }
    ApplyRule(QStringLiteral("body"));
    CreateFont();
}

void CPPHtmlDrawer::RestoreLayout() {
    m_styleStack.clear();
    m_ignoredOpenTags = 0;
}

QSize CPPHtmlDrawer::LayoutDocument(const QRect& rect) {
    ResetLayout();
    const QSize size = LayoutFlow(m_text, 0, static_cast<int>(m_text.size()), rect, m_maxWidth, 0);
    RestoreLayout();
    return size;
}

QSize CPPHtmlDrawer::LayoutFlow(const QString& text, int from, int to, const QRect& rect,
                                int wrapWidth, int depth) {
    int width = 0;
    int y = rect.top();
    int pos = from;
    while (pos <= to) {
        if (!m_measuring && depth == 0 && y > m_visibleBottom) {
            break;
        }
        const int start = depth < kMaxTableDepth ? FindTableStart(text, pos, to) : -1;
        const int blockEnd = start < 0 ? to : start;
        m_topLevel = depth == 0;
        const QSize block =
            LayoutTextBlock(text, pos, blockEnd, QRect(rect.left(), y, rect.width(), 0), wrapWidth);
        y += block.height();
        width = std::max(width, block.width());
        if (start < 0) {
            break;
        }
        const int end = FindTableEnd(text, start + 6, to);
        const QSize table =
            LayoutTable(text, start, end, QRect(rect.left(), y, rect.width(), 0), depth);
        y += table.height();
        width = std::max(width, table.width());
        pos = end >= to ? to + 1 : PastTag(text, end, to);
    }
    return QSize(width, y - rect.top());
}

}  // namespace qff
