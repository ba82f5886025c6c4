#include "htmlbox/CPPMessageBoxTemplate.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QUrl>

#include "htmlbox/MessageBoxMemory.h"

namespace qff {

namespace {

// Fills a caption pattern of the "%s ... %d" kind: the first %s takes `text`, the first
// %d takes `number`, "%%" is a percent sign. A pattern from a string table may lack
// either; nothing else is interpreted.
QString FillPattern(const QString& pattern, const QString& text, int number) {
    QString out;
    bool textUsed = false;
    bool numberUsed = false;
    for (int i = 0; i < pattern.size(); ++i) {
        const QChar c = pattern.at(i);
        if (c == QLatin1Char('%') && i + 1 < pattern.size()) {
            const QChar next = pattern.at(i + 1);
            if (next == QLatin1Char('%')) {
                out += QLatin1Char('%');
                ++i;
                continue;
            }
            if (next == QLatin1Char('s') && !textUsed) {
                out += text;
                textUsed = true;
                ++i;
                continue;
            }
            if (next == QLatin1Char('d') && !numberUsed) {
                out += QString::number(number);
                numberUsed = true;
                ++i;
                continue;
            }
        }
        out += c;
    }
    return out;
}

const QString kButtonCountdown = QStringLiteral("%s = %d");

}  // namespace

CPPMessageBoxTemplate::CPPMessageBoxTemplate(const MessageBoxParams& params,
                                             const MessageBoxMarkupFactory& markup)
    : QDialog(params.owner.data()), m_params(params) {
    setAttribute(Qt::WA_DeleteOnClose, false);
    setAttribute(Qt::WA_OpaquePaintEvent, true);
    setMouseTracking(true);
    setModal(true);

    m_caption = Resolve(m_params.caption);
    m_font = QApplication::font("QMessageBox");
    setFont(m_font);
    LoadIcon();

    m_header.markup = markup();
    m_message.markup = markup();
    m_more.markup = markup();
    for (Band* band : {&m_header, &m_message, &m_more}) {
        band->markup->SetHoverCallback([this] { RepaintHtmlBands(); });
        if (!m_icon.isNull()) {
            band->markup->RegisterIcon(&m_icon);
        }
    }

    // The countdown starts from disableSeconds, or from timeoutSeconds when that is set.
    m_countdown = m_params.disableSeconds > 0 ? m_params.disableSeconds : 0;
    if (m_params.timeoutSeconds > 0) {
        m_countdown = m_params.timeoutSeconds;
    }
    m_captionMode = m_params.disableSeconds > 0 && m_params.countdownInCaption;

    BuildMessageMarkup();
    BuildControlsAndSize();
    SetUpCaptionAndClose();

    // The title bar offers Close only when Close may end the box; the window manager
    // cannot be told later without re-creating the window, so a Close that the countdown
    // enables is honoured from the keyboard and closeEvent only.
    Qt::WindowFlags flags = Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint;
    if (m_closeEnabled) {
        flags |= Qt::WindowCloseButtonHint;
    }
    if ((m_params.style & MB_TOPMOST) != 0) {
        flags |= Qt::WindowStaysOnTopHint;
    }
    setWindowFlags(flags);

    CentreOnOwner();
    PlaceControls();
    RenderBackground();
}

CPPMessageBoxTemplate::~CPPMessageBoxTemplate() = default;

QString CPPMessageBoxTemplate::Resolve(const MessageBoxText& text) const {
    return text.Resolve(m_params.stringInstance, (m_params.style & MBX_BUILTIN_TEXTS) != 0);
}

int CPPMessageBoxTemplate::TextWidth(const QString& text) const {
    return QFontMetrics(m_font).horizontalAdvance(text);
}

void CPPMessageBoxTemplate::LoadIcon() {
    QStyle* style = QApplication::style();
    switch (m_params.style & 0xF0) {
        case MB_ICONHAND:
            m_icon = style->standardIcon(QStyle::SP_MessageBoxCritical);
            break;
        case MB_ICONQUESTION:
            m_icon = style->standardIcon(QStyle::SP_MessageBoxQuestion);
            break;
        case MB_ICONEXCLAMATION:
            m_icon = style->standardIcon(QStyle::SP_MessageBoxWarning);
            break;
        case MB_ICONASTERISK:
            m_icon = style->standardIcon(QStyle::SP_MessageBoxInformation);
            break;
        case MB_USERICON:
            if (m_params.userIcon.IsId()) {
                if (m_params.iconInstance != nullptr) {
                    const auto it = m_params.iconInstance->find(m_params.userIcon.Id());
                    if (it != m_params.iconInstance->end()) {
                        m_icon = it->second;
                    }
                }
            } else if (!m_params.userIcon.Text().isEmpty()) {
                m_icon = QIcon(m_params.userIcon.Text());
            }
            break;
        default:
            break;
    }
    // A file that does not load gives an icon without pictures: no icon cell then.
    if (!m_icon.isNull() && m_icon.availableSizes().isEmpty() &&
        m_icon.pixmap(kIconSize, kIconSize).isNull()) {
        m_icon = QIcon();
    }
}

void CPPMessageBoxTemplate::BuildMessageMarkup() {
    QString text = Resolve(m_params.text);
    if ((m_params.style & MB_RIGHT) != 0) {
        text = QStringLiteral("<right>%1</right>").arg(text);
    }
    if (!m_icon.isNull()) {
        const auto handle = reinterpret_cast<quintptr>(&m_icon);
        text = QStringLiteral(
                   "<table cellpadding=%1><tr><td width=%2><icon handle=0x%3></td><td>%4</td>"
                   "</tr></table>")
                   .arg(kSeparatorGap)
                   .arg(kIconSize)
                   .arg(QString::number(handle, 16).toUpper(), text);
    }
    m_messageHtml = text;
}

void CPPMessageBoxTemplate::SetUpCaptionAndClose() {
    if (m_captionMode) {
        setWindowTitle(CountdownCaption());
        m_closeEnabled = false;
        return;
    }
    setWindowTitle(m_caption);
    m_closeEnabled = m_row.cancelAllowed;
    const int defaultId = m_row.buttons[static_cast<size_t>(m_row.defaultIndex)].id;
    if (m_params.disableSeconds > 0 && m_countdown != 0 && defaultId == IDCANCEL) {
        m_closeEnabled = false;
    }
}

void CPPMessageBoxTemplate::CentreOnOwner() {
    QRect area;
    if (QWidget* owner = parentWidget(); owner != nullptr) {
        area = owner->window()->frameGeometry();
    } else if (QScreen* screen = QGuiApplication::primaryScreen(); screen != nullptr) {
        area = screen->geometry();
    }
    // Right edge exclusive, as the owner's rectangle is measured.
    const int left = area.left() + (area.left() + area.width() - m_width - area.left()) / 2;
    const int top = area.top() + (area.top() + area.height() - m_height - area.top()) / 2;
    move(left, top);
}

QString CPPMessageBoxTemplate::CountdownCaption() const {
    const QString pattern = ResolveCaption(m_params, IDX_CAPTION_COUNTDOWN);
    return FillPattern(pattern, m_caption, m_countdown);
}

QPushButton* CPPMessageBoxTemplate::Button(int id) const {
    for (size_t i = 0; i < m_row.buttons.size(); ++i) {
        if (m_row.buttons[i].id == id) {
            return m_buttons[i];
        }
    }
    return nullptr;
}

void CPPMessageBoxTemplate::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (m_shown) {
        return;
    }
    m_shown = true;
    if ((m_params.style & MB_SETFOREGROUND) != 0) {
        raise();
        activateWindow();
    }
    if (m_countdown != 0) {
        m_timerId = startTimer(1000);
    }
    QPushButton* defaultButton = m_buttons[static_cast<size_t>(m_row.defaultIndex)];
    if (defaultButton->isEnabled()) {
        defaultButton->setFocus(Qt::OtherFocusReason);
    }
}

// --- commands -------------------------------------------------------------------------

void CPPMessageBoxTemplate::keyPressEvent(QKeyEvent* event) {
    // Escape acts like the Close command.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        if (m_closeEnabled) {
            OnCommand(IDCANCEL);
        }
        return;
    }
    QDialog::keyPressEvent(event);
}

void CPPMessageBoxTemplate::reject() {
    if (m_timerId != 0) {
        killTimer(m_timerId);
        m_timerId = 0;
    }
    done(Button(IDNO) != nullptr ? IDNO : IDCANCEL);
}

void CPPMessageBoxTemplate::closeEvent(QCloseEvent* event) {
    // The box ends only through EndBox (done), never by a plain close.
    event->ignore();
    if (m_closeEnabled) {
        OnCommand(IDCANCEL);
    }
}

void CPPMessageBoxTemplate::OnCommand(int id) {
    if (id == 0) {
        return;
    }
    if (id == IDCANCEL && !m_row.cancelAllowed) {
        return;
    }
    switch (id) {
        case IDHELP:
            OpenHelp();
            return;
        case IDX_REPORT:
            SendReport();
            return;
        case IDX_MORE:
            ToggleMore();
            return;
        default:
            EndBox(id);
    }
}

void CPPMessageBoxTemplate::EndBox(int id) {
    if (m_timerId != 0) {
        killTimer(m_timerId);
        m_timerId = 0;
    }
    int result = id;
    if (m_checkBox != nullptr && m_checkBox->isChecked()) {
        result |= static_cast<int>(m_params.style & MBX_CHECKED);
        MessageBoxMemory(m_params).Write(result);
    }
    done(result);
}

void CPPMessageBoxTemplate::ToggleMore() {
    QPushButton* button = Button(IDX_MORE);
    m_moreOpen = !m_moreOpen;
    const int height = m_height + (m_moreOpen ? m_moreBand : 0);
    setFixedSize(m_width, height);
    if (button != nullptr) {
        button->setText(ResolveCaption(m_params, m_moreOpen ? IDX_LESS : IDX_MORE));
    }
    update();
}

void CPPMessageBoxTemplate::OpenHelp() {
    // The help file sits beside the program, named like it with the extension ".hlp".
    const QFileInfo program(QCoreApplication::applicationFilePath());
    const QString help = program.absolutePath() + QLatin1Char('/') + program.completeBaseName() +
                         QStringLiteral(".hlp");
    if (!QFileInfo::exists(help) || !QDesktopServices::openUrl(QUrl::fromLocalFile(help))) {
        QApplication::beep();
    }
}

void CPPMessageBoxTemplate::SendReport() {
    if (m_params.owner == nullptr || m_params.reportMessage == 0) {
        return;
    }
    QEvent report(static_cast<QEvent::Type>(m_params.reportMessage));
    QCoreApplication::sendEvent(m_params.owner.data(), &report);
}

// --- countdown ------------------------------------------------------------------------

void CPPMessageBoxTemplate::timerEvent(QTimerEvent* event) {
    if (event->timerId() == m_timerId) {
        CountdownTick();
        return;
    }
    QDialog::timerEvent(event);
}

void CPPMessageBoxTemplate::ShowCountdown() {
    if (m_captionMode) {
        setWindowTitle(CountdownCaption());
        return;
    }
    const auto index = static_cast<size_t>(m_row.defaultIndex);
    m_buttons[index]->setText(
        FillPattern(kButtonCountdown, m_originalCaptions[index], m_countdown));
}

void CPPMessageBoxTemplate::CountdownTick() {
    if (m_countdown > 1) {
        --m_countdown;
        ShowCountdown();
        return;
    }
    m_countdown = 0;
    killTimer(m_timerId);
    m_timerId = 0;
    const auto index = static_cast<size_t>(m_row.defaultIndex);
    QPushButton* defaultButton = m_buttons[index];
    if (m_params.disableSeconds > 0) {
        if (m_row.cancelAllowed) {
            m_closeEnabled = true;
        }
        if (m_captionMode) {
            setWindowTitle(m_caption);
            for (QPushButton* button : m_buttons) {
                button->setEnabled(true);
            }
        } else {
            defaultButton->setText(m_originalCaptions[index]);
        }
        defaultButton->setEnabled(true);
        defaultButton->setDefault(true);
        defaultButton->setFocus(Qt::OtherFocusReason);
    } else if (m_params.timeoutSeconds > 0) {
        defaultButton->setText(m_originalCaptions[index]);
        OnCommand(m_row.buttons[index].id);
    }
}

}  // namespace qff
