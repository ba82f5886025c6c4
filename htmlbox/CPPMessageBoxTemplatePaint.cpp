// Painting, separators and links of the message box.

#include <QApplication>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPalette>
#include <algorithm>

#include "htmlbox/CPPMessageBoxTemplate.h"
#include "htmlbox/ShowHtmlMessageBox.h"

namespace qff {

namespace {

QColor PaletteColour(QPalette::ColorRole role) {
    return QApplication::palette().color(QPalette::Active, role);
}

}  // namespace

QRect CPPMessageBoxTemplate::HeaderRect() const {
    return QRect(kHtmlMargin, kHtmlMargin, m_width - 2 * kHtmlMargin,
                 m_headerBand - 2 * kHtmlMargin);
}

QRect CPPMessageBoxTemplate::MessageRect() const {
    return QRect(kHtmlMargin, m_headerBand + kHtmlMargin, m_width - 2 * kHtmlMargin,
                 m_messageBand - 2 * kHtmlMargin);
}

QRect CPPMessageBoxTemplate::MoreRect() const {
    // The open band lies at the bottom of the client area.
    return QRect(kHtmlMargin, m_height + kHtmlMargin, m_width - 2 * kHtmlMargin,
                 m_moreBand - kHtmlMargin);
}

std::vector<std::pair<MessageBoxMarkup*, QRect>> CPPMessageBoxTemplate::ActiveBands() const {
    std::vector<std::pair<MessageBoxMarkup*, QRect>> bands;
    if (m_headerBand != 0) {
        bands.emplace_back(m_header.markup.get(), HeaderRect());
    }
    if (m_messageBand != 0) {
        bands.emplace_back(m_message.markup.get(), MessageRect());
    }
    if (m_moreBand != 0 && m_moreOpen) {
        bands.emplace_back(m_more.markup.get(), MoreRect());
    }
    return bands;
}

void CPPMessageBoxTemplate::FillBand(QPainter& p, const QRect& rect, const AreaStyle& area) {
    if (rect.isEmpty()) {
        return;
    }
    if (area.backgroundEffect < 0) {
        p.fillRect(rect, PaletteColour(QPalette::Button));
        return;
    }
    m_drawManager.FillArea(&p, rect, area.backgroundEffect, area.startColour, area.midColour,
                           area.endColour, 0);
}

void CPPMessageBoxTemplate::DrawSeparator(QPainter& p, const AreaStyle& area, int left, int right,
                                          int y) {
    if (area.separatorStyle == 0) {
        return;
    }
    const int lineLeft = left + kSeparatorGap;
    const int lineRight = right - kSeparatorGap;
    auto drawLine = [&](int from, int to) {
        if (to <= from) {
            return;
        }
        switch (area.separatorStyle) {
            case 1:  // etched: a shadow line over a highlight line
                p.fillRect(QRect(from, y, to - from, 1), PaletteColour(QPalette::Mid));
                p.fillRect(QRect(from, y + 1, to - from, 1), PaletteColour(QPalette::Light));
                break;
            case 2:
                p.fillRect(QRect(from, y, to - from, 1), Qt::black);
                break;
            default:
                p.fillRect(QRect(from, y, to - from, 1), Qt::white);
                break;
        }
    };

    const QString text = Resolve(area.separatorText);
    if (text.isEmpty()) {
        drawLine(lineLeft, lineRight);
        return;
    }
    p.save();
    p.setFont(m_font);
    const QFontMetrics metrics(m_font);
    const int textWidth = metrics.horizontalAdvance(text);
    int textLeft = lineLeft;
    if (area.separatorAlign == 1) {
        textLeft = lineRight - textWidth;
    } else if (area.separatorAlign == 2) {
        textLeft = lineLeft + (lineRight - lineLeft - textWidth) / 2;
    }
    const int textTop = y - metrics.height() / 2;
    // The embossed look of disabled text: a highlight one pixel down and right, the
    // shadow colour over it.
    const QRect textRect(textLeft, textTop, textWidth, metrics.height());
    p.setPen(PaletteColour(QPalette::Light));
    p.drawText(textRect.translated(1, 1), Qt::AlignLeft | Qt::AlignVCenter, text);
    p.setPen(PaletteColour(QPalette::Dark));
    p.drawText(textRect, Qt::AlignLeft | Qt::AlignVCenter, text);
    p.restore();
    if (area.separatorAlign != 1) {
        drawLine(textLeft + textWidth + kSeparatorGap, lineRight);
    }
    if (area.separatorAlign != 0) {
        drawLine(lineLeft, textLeft - kSeparatorGap);
    }
}

void CPPMessageBoxTemplate::RenderBackground() {
    // Rendered once at full height (the More band included), so opening the band only
    // reveals what is already there.
    const int fullHeight = m_height + m_moreBand;
    m_background = QImage(m_width, std::max(1, fullHeight), QImage::Format_RGB32);
    QPainter p(&m_background);
    FillBand(p, m_background.rect(), m_params.windowArea);

    if (m_headerBand != 0) {
        const QRect header(0, 0, m_width, m_headerBand);
        if (m_params.headerArea.backgroundEffect >= 0) {
            FillBand(p, header, m_params.headerArea);
        }
        DrawSeparator(p, m_params.headerArea, 0, m_width, m_headerBand - 2);
    }
    const int buttonTop = m_headerBand + m_messageBand;
    if (m_params.controlArea.backgroundEffect >= 0) {
        FillBand(p, QRect(0, buttonTop, m_width, m_buttonBand), m_params.controlArea);
    }
    DrawSeparator(p, m_params.controlArea, 0, m_width, buttonTop);
    if (m_moreBand != 0) {
        FillBand(p, QRect(0, m_height, m_width, m_moreBand), m_params.moreArea);
        DrawSeparator(p, m_params.moreArea, 0, m_width, m_height);
    }
}

void CPPMessageBoxTemplate::paintEvent(QPaintEvent* event) {
    QPainter p(this);
    p.setClipRegion(event->region());
    p.drawImage(0, 0, m_background);
    p.setFont(m_font);
    for (const auto& [markup, rect] : ActiveBands()) {
        markup->Draw(rect, &p);
    }
}

void CPPMessageBoxTemplate::RepaintHtmlBands() {
    // Only the HTML bands change with the hovered link; the buttons are left alone.
    QRegion region;
    if (m_headerBand != 0) {
        region += QRect(0, 0, m_width, m_headerBand);
    }
    region += QRect(0, m_headerBand, m_width, m_messageBand);
    if (m_moreOpen) {
        region += QRect(0, m_height, m_width, m_moreBand);
    }
    update(region);
}

void CPPMessageBoxTemplate::mouseMoveEvent(QMouseEvent* event) {
    bool overLink = false;
    for (const auto& band : ActiveBands()) {
        overLink = band.first->TrackLinkHover(event->position().toPoint()) || overLink;
    }
    setCursor(overLink ? Qt::PointingHandCursor : Qt::ArrowCursor);
    QDialog::mouseMoveEvent(event);
}

void CPPMessageBoxTemplate::leaveEvent(QEvent* event) {
    for (const auto& band : ActiveBands()) {
        band.first->TrackLinkHover(QPoint(-1, -1));
    }
    unsetCursor();
    QDialog::leaveEvent(event);
}

void CPPMessageBoxTemplate::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        for (const auto& band : ActiveBands()) {
            const int index = band.first->FindLinkAt(event->position().toPoint());
            if (index >= 0) {
                const QString target = band.first->HrefTarget(index);
                if (!band.first->FollowLink(index) && !target.isEmpty()) {
                    ReportLinkFailure(target);
                }
                return;
            }
        }
    }
    QDialog::mousePressEvent(event);
}

void CPPMessageBoxTemplate::ReportLinkFailure(const QString& target) {
    MessageBoxParams params;
    InitMessageBoxParams(params);
    params.owner = this;
    params.caption = m_caption;
    params.windowArea = m_params.windowArea;
    params.text = QStringLiteral("This link could not be opened:<br>") + EscapeHtmlText(target);
    params.style = MB_OK | MB_ICONEXCLAMATION;
    ShowHtmlMessageBox(params);
}

}  // namespace qff
