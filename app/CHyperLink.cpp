#include "app/CHyperLink.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QEnterEvent>
#include <QFileInfo>
#include <QMessageBox>
#include <QMouseEvent>

namespace qff {

CHyperLink::CHyperLink(QWidget* parent) : QLabel(parent) {
    Init();
}

CHyperLink::CHyperLink(const QString& text, QWidget* parent) : QLabel(text, parent) {
    Init();
}

void CHyperLink::Init() {
    setTextFormat(Qt::PlainText);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setCursor(Qt::PointingHandCursor);
    setMouseTracking(true);
    setAutoFillBackground(false);
    url_ = text();
    setToolTip(url_);
    ApplyLook();
    AdjustSize();
}

void CHyperLink::SetLinkTarget(const QString& url) {
    url_ = url.isEmpty() ? text() : url;
    if (text().isEmpty()) {
        setText(url_);
    }
    setToolTip(url_);
    AdjustSize();
}

void CHyperLink::SetColours(const QColor& link, const QColor& visited, const QColor& hover) {
    linkColour_ = link;
    visitedColour_ = visited;
    hoverColour_ = hover;
    ApplyLook();
}

QColor CHyperLink::CurrentColour() const {
    if (isOver_) {
        return hoverColour_;
    }
    return visited_ ? visitedColour_ : linkColour_;
}

void CHyperLink::SetUnderline(UnderlineMode mode) {
    underlineMode_ = mode;
    ApplyLook();
}

void CHyperLink::SetAutoSize(bool adjustToFit) {
    adjustToFit_ = adjustToFit;
    AdjustSize();
}

void CHyperLink::ApplyLook() {
    QPalette pal = palette();
    pal.setColor(QPalette::WindowText, CurrentColour());
    setPalette(pal);
    QFont f = font();
    f.setUnderline(underlineMode_ == UnderlineAlways || isOver_);
    setFont(f);
}

void CHyperLink::AdjustSize() {
    if (!adjustToFit_) {
        return;
    }
    QFont underlined = font();
    underlined.setUnderline(true);
    const QSize textSize = QFontMetrics(underlined).size(0, text());
    const QMargins frame = contentsMargins();
    const QSize size(textSize.width() + frame.left() + frame.right() + 2 * margin(),
                     textSize.height() + frame.top() + frame.bottom() + 2 * margin());

    const QRect old = geometry();
    QRect fitted(old.topLeft(), size);
    if (alignment() & Qt::AlignHCenter) {
        fitted.moveLeft(old.center().x() - size.width() / 2);
    } else if (alignment() & Qt::AlignRight) {
        fitted.moveRight(old.right());
    }
    if (alignment() & Qt::AlignVCenter) {
        fitted.moveTop(old.center().y() - size.height() / 2);
    }
    setGeometry(fitted);
}

QString CHyperLink::ErrorText(int code) {
    switch (code) {
        case 0:
            return QStringLiteral("The operating system is out\nof memory or resources.");
        case 2:
            return QStringLiteral("The specified file was not found.");
        case 3:
            return QStringLiteral("The specified path was not found.");
        case 5:
            return QStringLiteral("The operating system denied\naccess to the specified file.");
        case 8:
            return QStringLiteral("There was not enough memory to complete the operation.");
        case 11:
            return QStringLiteral(
                "The .EXE file is invalid\n(non-Win32 .EXE or error in .EXE image).");
        case 26:
            return QStringLiteral("A sharing violation occurred. ");
        case 27:
            return QStringLiteral("The filename association is\nincomplete or invalid.");
        case 28:
            return QStringLiteral(
                "The DDE transaction could not\nbe completed because the request timed out.");
        case 29:
            return QStringLiteral("The DDE transaction failed.");
        case 30:
            return QStringLiteral(
                "The DDE transaction could not\nbe completed because other DDE "
                "transactions\nwere being processed.");
        case 31:
            return QStringLiteral(
                "There is no application associated\nwith the given filename extension.");
        case 32:
            return QStringLiteral("The specified dynamic-link library was not found.");
        default:
            return QStringLiteral("Unknown Error (%1) occurred.").arg(code);
    }
}

QString CHyperLink::ErrorMessage(int code) {
    return QStringLiteral("Unable to open hyperlink:\n\n") + ErrorText(code);
}

int CHyperLink::OpenWithDesktop(const QString& target) {
    constexpr int kOpened = 33;
    constexpr int kFileNotFound = 2;
    constexpr int kPathNotFound = 3;
    constexpr int kAccessDenied = 5;
    constexpr int kNoAssociation = 31;

    if (target.trimmed().isEmpty()) {
        return kFileNotFound;
    }
    const QUrl url = QUrl::fromUserInput(target, QDir::currentPath(), QUrl::AssumeLocalFile);
    if (!url.isValid()) {
        return kFileNotFound;
    }
    if (url.isLocalFile()) {
        const QFileInfo info(url.toLocalFile());
        if (!info.exists()) {
            return info.dir().exists() ? kFileNotFound : kPathNotFound;
        }
        if (!info.isReadable()) {
            return kAccessDenied;
        }
    }
    return QDesktopServices::openUrl(url) ? kOpened : kNoAssociation;
}

bool CHyperLink::OpenLink() {
    const int code = opener_ ? opener_(url_) : OpenWithDesktop(url_);
    const bool ok = code > 32;
    if (ok) {
        visited_ = true;
        ApplyLook();
    } else {
        QApplication::beep();
        const QString message = ErrorMessage(code);
        if (messageSink_) {
            messageSink_(message);
        } else {
            QMessageBox::warning(window(), QGuiApplication::applicationDisplayName(), message);
        }
    }
    emit linkOpened(ok);
    return ok;
}

void CHyperLink::enterEvent(QEnterEvent* event) {
    if (!isOver_) {
        isOver_ = true;
        ApplyLook();
    }
    QLabel::enterEvent(event);
}

void CHyperLink::leaveEvent(QEvent* event) {
    if (isOver_) {
        isOver_ = false;
        ApplyLook();
    }
    QLabel::leaveEvent(event);
}

void CHyperLink::mouseMoveEvent(QMouseEvent* event) {
    // After a click the link is shown as not hovered; the next move over it hovers again.
    if (!isOver_ && rect().contains(event->position().toPoint())) {
        isOver_ = true;
        ApplyLook();
    }
    QLabel::mouseMoveEvent(event);
}

void CHyperLink::mousePressEvent(QMouseEvent* event) {
    pressed_ = event->button() == Qt::LeftButton;
    QLabel::mousePressEvent(event);
}

void CHyperLink::mouseReleaseEvent(QMouseEvent* event) {
    const bool click = pressed_ && event->button() == Qt::LeftButton &&
                       rect().contains(event->position().toPoint());
    pressed_ = false;
    QLabel::mouseReleaseEvent(event);
    if (click) {
        emit clicked();
        isOver_ = false;
        OpenLink();
        ApplyLook();
    }
}

}  // namespace qff
