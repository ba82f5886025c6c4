#include "app/CSplashScreenEx.h"

#include <QApplication>
#include <QEvent>
#include <QPainter>
#include <QPropertyAnimation>
#include <QScreen>
#include <QTimer>
#include <vector>

namespace qff {

CSplashScreenEx::CSplashScreenEx()
    : QWidget(nullptr, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
    setObjectName(QStringLiteral("SplashScreen"));
    setAttribute(Qt::WA_DeleteOnClose);
    setAttribute(Qt::WA_ShowWithoutActivating);
}

bool CSplashScreenEx::CreateSplash(QWidget* parent, unsigned style, int timeoutMs) {
    style_ = style;
    timeout_ = std::max(0, timeoutMs);
    setParent(parent, windowFlags());
    // The window system draws no shadow for an arbitrary shape here; the flag is kept
    // for callers but has no visible effect.
    return true;
}

QRegion CSplashScreenEx::ShapeOf(const QImage& picture, const QColor& key) {
    const QImage image = picture.convertToFormat(QImage::Format_RGB32);
    const QRgb cut = key.rgb();
    // One rectangle per run of kept pixels; rows come in order and runs from left to
    // right, which is the banded order a region is built from.
    std::vector<QRect> runs;
    for (int y = 0; y < image.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        int x = 0;
        while (x < image.width()) {
            while (x < image.width() && row[x] == cut) {
                ++x;
            }
            const int start = x;
            while (x < image.width() && row[x] != cut) {
                ++x;
            }
            if (x > start) {
                runs.emplace_back(start, y, x - start, 1);
            }
        }
    }
    QRegion region;
    region.setRects(runs.data(), static_cast<int>(runs.size()));
    return region;
}

bool CSplashScreenEx::LoadPicture(const QImage& picture, const QColor& key) {
    if (picture.isNull()) {
        return false;
    }
    picture_ = picture.convertToFormat(QImage::Format_RGB32);
    setFixedSize(picture_.size());
    setMask(ShapeOf(picture_, key));
    return true;
}

bool CSplashScreenEx::LoadPicture(const QString& path, const QColor& key) {
    return LoadPicture(QImage(path), key);
}

void CSplashScreenEx::SetText(const QString& text, const QColor& colour, Qt::Alignment alignment) {
    text_ = text;
    textColour_ = colour;
    textAlignment_ = alignment;
    update();
}

bool CSplashScreenEx::CanFade() {
    const QString platform = QGuiApplication::platformName();
    return platform == QLatin1String("xcb") || platform == QLatin1String("wayland") ||
           platform == QLatin1String("windows") || platform == QLatin1String("cocoa");
}

void CSplashScreenEx::ShowSplash() {
    QWidget* owner = parentWidget();
    if ((style_ & CentreOnParent) && owner != nullptr) {
        QRect area = owner->frameGeometry();
        move(area.center() - rect().center());
    } else if (style_ & CentreOnScreen) {
        QScreen* screen = owner != nullptr ? owner->screen() : QGuiApplication::primaryScreen();
        if (screen != nullptr) {
            const QRect area = screen->availableGeometry();
            move(area.x() + (area.width() - width()) / 2,
                 area.y() + (area.height() - height()) / 2);
        }
    }

    const bool fade = (style_ & FadeIn) && CanFade();
    if (fade) {
        setWindowOpacity(0.0);
    }
    show();
    if (fade) {
        auto* animation = new QPropertyAnimation(this, "windowOpacity", this);
        animation->setDuration(500);
        animation->setStartValue(0.0);
        animation->setEndValue(1.0);
        animation->start(QAbstractAnimation::DeleteWhenStopped);
    }
    if (style_ & CloseOnInput) {
        qApp->installEventFilter(this);
    }
    if (timeout_ > 0) {
        QTimer::singleShot(timeout_, this, &CSplashScreenEx::HideSplash);
    }
}

void CSplashScreenEx::HideSplash() {
    if (hiding_) {
        return;
    }
    hiding_ = true;
    qApp->removeEventFilter(this);
    if ((style_ & FadeOut) && CanFade() && isVisible()) {
        auto* animation = new QPropertyAnimation(this, "windowOpacity", this);
        animation->setDuration(200);
        animation->setStartValue(windowOpacity());
        animation->setEndValue(0.0);
        connect(animation, &QPropertyAnimation::finished, this, &CSplashScreenEx::FinishHide);
        animation->start(QAbstractAnimation::DeleteWhenStopped);
        return;
    }
    FinishHide();
}

void CSplashScreenEx::FinishHide() {
    emit closed();
    hide();
    close();  // deletes the splash (it closes on delete)
}

bool CSplashScreenEx::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
        case QEvent::KeyPress:
        case QEvent::MouseButtonPress:
        case QEvent::NonClientAreaMouseButtonPress:
            HideSplash();
            return true;  // the input only closes the splash
        default:
            return QWidget::eventFilter(watched, event);
    }
}

void CSplashScreenEx::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    painter.drawImage(QPoint(0, 0), picture_);
    if (!text_.isEmpty()) {
        painter.setPen(textColour_);
        painter.drawText(rect(), static_cast<int>(textAlignment_) | Qt::TextSingleLine, text_);
    }
}

}  // namespace qff
