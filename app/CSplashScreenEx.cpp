#include "app/CSplashScreenEx.h"

#include <QApplication>
#include <QEvent>
#include <QPainter>
#include <QPropertyAnimation>
#include <QScreen>
#include <QTimer>
#include <optional>
#include <utility>
#include <vector>

namespace qff {

namespace {

// True when p lies on the line from the key colour to n, strictly between them: the
// colour antialiasing gives a pixel that is partly n and partly key.
bool IsBlendOfKey(QRgb p, QRgb n, QRgb key) {
    const double d[3] = {double(qRed(n)) - qRed(key), double(qGreen(n)) - qGreen(key),
                         double(qBlue(n)) - qBlue(key)};
    const double e[3] = {double(qRed(p)) - qRed(key), double(qGreen(p)) - qGreen(key),
                         double(qBlue(p)) - qBlue(key)};
    const double length = d[0] * d[0] + d[1] * d[1] + d[2] * d[2];
    if (length < 1.0) {
        return false;
    }
    const double share = (e[0] * d[0] + e[1] * d[1] + e[2] * d[2]) / length;
    if (share <= 0.0 || share > 0.95) {
        return false;
    }
    double miss = 0.0;
    for (int c = 0; c < 3; ++c) {
        const double off = e[c] - share * d[c];
        miss += off * off;
    }
    return miss < 24.0 * 24.0;
}

// Artwork drawn with antialiasing blends its outline into the key colour; those pixels
// stay inside the shape and would show as a seam of key colour along the cut. Each kept
// pixel next to the cut that is such a blend of the key and an inner neighbour takes
// that neighbour's colour. Crisp outlines are no blend and stay as they are. Three rounds
// cover an outline blended over up to three pixels.
void RemoveKeyFringe(QImage& image, QRgb key) {
    const int w = image.width();
    const int h = image.height();
    auto at = [&](int x, int y) -> QRgb& { return reinterpret_cast<QRgb*>(image.scanLine(y))[x]; };
    // 0 cut, 1 kept and settled, 2 kept next to the cut (not settled yet).
    std::vector<unsigned char> state(static_cast<size_t>(w) * h);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            state[y * w + x] = at(x, y) == key ? 0 : 1;
        }
    }
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            if (state[y * w + x] == 0) {
                continue;
            }
            for (int dy = -1; dy <= 1; ++dy) {
                for (int dx = -1; dx <= 1; ++dx) {
                    const int nx = x + dx;
                    const int ny = y + dy;
                    // Beyond the picture's edge counts as cut: artwork drawn to the
                    // edge is blended with the key there too.
                    if (nx < 0 || ny < 0 || nx >= w || ny >= h || state[ny * w + nx] == 0) {
                        state[y * w + x] = 2;
                    }
                }
            }
        }
    }
    // The settled neighbour whose blend with the key pixel (x, y) is, if any.
    auto innerColour = [&](int x, int y) -> std::optional<QRgb> {
        for (int dy = -1; dy <= 1; ++dy) {
            for (int dx = -1; dx <= 1; ++dx) {
                const int nx = x + dx;
                const int ny = y + dy;
                if (nx >= 0 && ny >= 0 && nx < w && ny < h && state[ny * w + nx] == 1 &&
                    IsBlendOfKey(at(x, y), at(nx, ny), key)) {
                    return at(nx, ny);
                }
            }
        }
        return std::nullopt;
    };
    for (int round = 0; round < 3; ++round) {
        std::vector<std::pair<int, QRgb>> settled;
        for (int y = 0; y < h; ++y) {
            for (int x = 0; x < w; ++x) {
                if (state[y * w + x] == 2) {
                    if (const std::optional<QRgb> colour = innerColour(x, y)) {
                        settled.emplace_back(y * w + x, *colour);
                    }
                }
            }
        }
        for (const auto& [index, colour] : settled) {
            at(index % w, index / w) = colour;
            state[index] = 1;
        }
    }
}

}  // namespace

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
    RemoveKeyFringe(picture_, key.rgb());
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
