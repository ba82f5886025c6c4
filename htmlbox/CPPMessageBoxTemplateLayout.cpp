// Size computation, control creation and placement of the message box.

#include <QCheckBox>
#include <QFontMetrics>
#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <algorithm>
#include <cmath>

#include "htmlbox/CPPMessageBoxTemplate.h"

namespace qff {

namespace {

// a * b / c rounded to the nearest integer, halves away from zero.
int MulDiv(int a, int b, int c) {
    const long long product = static_cast<long long>(a) * b;
    const long long half = c / 2;
    return static_cast<int>(product >= 0 ? (product + half) / c : (product - half) / c);
}

}  // namespace

void CPPMessageBoxTemplate::BuildControlsAndSize() {
    // Measuring needs a device with the screen's resolution and the message font.
    QImage device(1, 1, QImage::Format_ARGB32_Premultiplied);
    const int dpi = logicalDpiY() > 0 ? logicalDpiY() : 96;
    device.setDotsPerMeterX(static_cast<int>(std::lround(dpi / 0.0254)));
    device.setDotsPerMeterY(static_cast<int>(std::lround(dpi / 0.0254)));
    QPainter dc(&device);
    dc.setFont(m_font);

    const int margins = 2 * kHtmlMargin;
    int width = 0;

    // Header band.
    if (m_params.headerHeight != 0) {
        m_header.html = Resolve(m_params.headerText);
        const QSize size = m_header.markup->Measure(&dc, m_header.html);
        m_headerBand = std::max(m_params.headerHeight, size.height() + margins);
        width = std::max(width, size.width() + margins);
        if (m_params.headerArea.separatorStyle != 0) {
            width = std::max(
                width, TextWidth(Resolve(m_params.headerArea.separatorText)) + 2 * kSeparatorGap);
        }
    }

    // Message band.
    m_message.html = m_messageHtml;
    if (!m_message.html.isEmpty()) {
        const QSize size = m_message.markup->Measure(&dc, m_message.html);
        m_messageBand = size.height() + margins;
        width = std::max(width, size.width() + margins);
    }

    // "More" band: not part of the initial height.
    m_more.html = Resolve(m_params.moreText);
    if (!m_more.html.isEmpty()) {
        const QSize size = m_more.markup->Measure(&dc, m_more.html);
        m_moreBand = size.height() + margins;
        width = std::max(width, size.width() + margins);
    }

    // Button band.
    const AreaStyle& control = m_params.controlArea;
    m_buttonBand = kButtonBandMargin;
    if (control.backgroundEffect >= 0 || control.separatorStyle != 0) {
        m_buttonBand = 2 * kButtonBandMargin;
        width = std::max(width, TextWidth(Resolve(control.separatorText)) + 2 * kSeparatorGap);
    }

    // "Do not show again".
    if ((m_params.style & MBX_DONT_SHOW_AGAIN) != 0) {
        m_buttonBand += kButtonBandMargin + kCheckBoxSize;
        QString caption = Resolve(m_params.checkBoxText);
        if (caption.isEmpty()) {
            caption = BuiltinCaption(IDX_CHECKBOX);
        }
        m_checkCaption = ResolveCaption(m_params, IDX_CHECKBOX, caption);
        width = std::max(width, TextWidth(m_checkCaption) + 40);
        m_checkBox = new QCheckBox(this);
        m_checkBox->setObjectName(QStringLiteral("dontShowAgain"));
        m_checkBox->setFixedSize(kCheckBoxSize, kCheckBoxSize);
        m_checkBox->setChecked((m_params.style & MBX_CHECKED) != 0);
        m_checkLabel = new QLabel(m_checkCaption, this);
        m_checkLabel->setObjectName(QStringLiteral("dontShowAgainText"));
        m_checkLabel->setFont(m_font);
        m_checkLabel->setAttribute(Qt::WA_TranslucentBackground);
        m_checkLabel->setBuddy(m_checkBox);
    }

    m_row = BuildButtonRow(m_params);
    CreateButtons();

    const int n = static_cast<int>(m_buttons.size());
    width = std::max(width, kButtonBandMargin + n * (kButtonGap + m_buttonWidth));
    m_buttonBand += m_buttonHeight;
    m_width = width;
    m_height = m_headerBand + m_messageBand + m_buttonBand;
    setFixedSize(m_width, m_height);
}

void CPPMessageBoxTemplate::CreateButtons() {
    const QFontMetrics metrics(m_font);
    auto scaled = [&](const QString& caption) {
        return QSize(MulDiv(metrics.horizontalAdvance(caption), 80, 45),
                     MulDiv(metrics.height(), 23, 13));
    };
    m_buttonWidth = 80;
    m_buttonHeight = 23;
    for (const MessageBoxButton& button : m_row.buttons) {
        QSize size = scaled(button.caption);
        if (button.id == IDX_MORE) {
            size = size.expandedTo(scaled(ResolveCaption(m_params, IDX_LESS)));
        }
        m_buttonWidth = std::max(m_buttonWidth, size.width());
        m_buttonHeight = std::max(m_buttonHeight, size.height());
    }

    const bool disabling = m_params.disableSeconds > 0;
    for (size_t i = 0; i < m_row.buttons.size(); ++i) {
        const MessageBoxButton& spec = m_row.buttons[i];
        auto* button = new QPushButton(spec.caption, this);
        button->setObjectName(QStringLiteral("button%1").arg(spec.id));
        button->setFont(m_font);
        button->setAutoDefault(false);
        connect(button, &QPushButton::clicked, this, [this, id = spec.id] { OnCommand(id); });
        m_buttons.push_back(button);
        m_originalCaptions.push_back(spec.caption);

        const bool isDefault = static_cast<int>(i) == m_row.defaultIndex;
        if (m_captionMode) {
            button->setEnabled(spec.id == IDHELP);
            if (isDefault && spec.id == IDHELP) {
                button->setDefault(true);
            }
            continue;
        }
        if (!isDefault) {
            continue;
        }
        if (spec.id == IDHELP) {
            button->setDefault(true);
            if (m_params.timeoutSeconds > 0 || disabling) {
                button->setText(QStringLiteral("%1 = %2").arg(spec.caption).arg(m_countdown));
            }
            continue;
        }
        button->setDefault(!disabling);
        if (m_countdown != 0) {
            button->setText(QStringLiteral("%1 = %2").arg(spec.caption).arg(m_countdown));
            button->setEnabled(!disabling);
        }
    }
}

void CPPMessageBoxTemplate::PlaceControls() {
    const int left = 0;
    const int right = m_width;
    const int bottom = m_height;
    const bool checkBelow = (m_params.style & MBX_CHECKBOX_BELOW) != 0;
    const int n = static_cast<int>(m_buttons.size());

    int top = bottom - kButtonBandMargin - m_buttonHeight;
    if (m_checkBox != nullptr && checkBelow) {
        top -= kButtonBandMargin + kCheckBoxSize;
    }
    const int rowWidth = n * m_buttonWidth + (n - 1) * kButtonGap;
    int x = 0;
    switch (m_params.buttonAlign) {
        case 0:
            x = left + kButtonBandMargin;
            break;
        case 1:
            x = right - kButtonBandMargin - rowWidth;
            break;
        default:
            x = left + (right - left - rowWidth) / 2;
            break;
    }
    for (QPushButton* button : m_buttons) {
        button->setGeometry(x + 10, top, m_buttonWidth - 10, m_buttonHeight - 6);
        x += m_buttonWidth + 1;
    }

    if (m_checkBox != nullptr) {
        const int boxTop = checkBelow
                               ? bottom - kButtonBandMargin - kCheckBoxSize
                               : bottom - 2 * kButtonBandMargin - m_buttonHeight - kCheckBoxSize;
        m_checkBox->move(left + kCheckBoxLeft, boxTop);
        // The caption keeps the box's top, but a font taller than the box would be cut:
        // centre it on the box instead.
        const int textHeight = std::max(kCheckBoxSize, QFontMetrics(m_font).height());
        m_checkLabel->setGeometry(left + kCheckBoxLeft + kCheckBoxSize + kCheckBoxSize / 2,
                                  boxTop - (textHeight - kCheckBoxSize) / 2,
                                  TextWidth(m_checkCaption) + 2, textHeight);
    }
}

}  // namespace qff
