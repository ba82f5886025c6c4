#include "feedback/CEstProgressCtrl.h"

#include <QDateTime>
#include <QLocale>
#include <QPainter>
#include <QTime>
#include <algorithm>
#include <cmath>

namespace qff {

namespace {

std::int64_t SystemSeconds() {
    return QDateTime::currentSecsSinceEpoch();
}

// The locale's full time of day (with seconds), without the time-zone name that the
// long format carries.
QString TimeOfDayFormat(const QLocale& locale) {
    const QString longFormat = locale.timeFormat(QLocale::LongFormat);
    QString format;
    bool quoted = false;
    for (const QChar c : longFormat) {
        if (c == QLatin1Char('\'')) {
            quoted = !quoted;
        }
        if (!quoted && c == QLatin1Char('t')) {
            continue;
        }
        format += c;
    }
    format = format.trimmed();
    return format.isEmpty() ? locale.timeFormat(QLocale::ShortFormat) : format;
}

}  // namespace

CEstProgressCtrl::CEstProgressCtrl(QWidget* parent) : QProgressBar(parent), clock_(SystemSeconds) {
    setTextVisible(false);
    setRange(0, 100);
    setValue(0);
}

void CEstProgressCtrl::ResetEstimate() {
    {
        std::lock_guard lock(mutex_);
        fraction_ = 0.0;
        startValid_ = false;
        completionValid_ = false;
        remainingValid_ = false;
    }
    // Safe from any thread: the repaint is queued to the widget's own thread.
    QMetaObject::invokeMethod(this, qOverload<>(&QWidget::update), Qt::QueuedConnection);
}

void CEstProgressCtrl::SetRange(int lower, int upper) {
    setRange(lower, std::max(lower, upper));
    update();
}

void CEstProgressCtrl::SetPos(int position) {
    setValue(std::clamp(position, minimum(), maximum()));
    update();
}

double CEstProgressCtrl::CurrentFraction() const {
    const int upper = maximum();
    if (upper <= 0) {
        return 0.0;
    }
    return std::clamp(static_cast<double>(value()) / upper, 0.0, 1.0);
}

double CEstProgressCtrl::Fraction() const {
    std::lock_guard lock(mutex_);
    return fraction_;
}

void CEstProgressCtrl::SetClock(Clock clock) {
    std::lock_guard lock(mutex_);
    clock_ = clock ? std::move(clock) : Clock(SystemSeconds);
}

void CEstProgressCtrl::UpdateEstimate() {
    std::lock_guard lock(mutex_);
    if (!(fraction_ > 0.0)) {
        return;
    }
    const std::int64_t now = clock_();
    if (!startValid_) {
        start_ = now;
        startValid_ = true;
    }
    const double elapsed = static_cast<double>(now - start_);
    const double total = elapsed / fraction_;
    completion_ = static_cast<double>(start_) + total;
    completionValid_ = true;
    remaining_ = total - elapsed;
    remainingValid_ = true;
}

QString CEstProgressCtrl::GetEstimateText() const {
    double fraction = 0.0;
    double completion = 0.0;
    {
        std::lock_guard lock(mutex_);
        if (!remainingValid_) {
            return {};
        }
        fraction = fraction_;
        completion = completion_;
    }
    const QDateTime when =
        QDateTime::fromSecsSinceEpoch(static_cast<qint64>(std::floor(completion)));
    const QLocale locale;
    const QString time = locale.toString(when.time(), TimeOfDayFormat(locale));
    return QStringLiteral("%1% complete. Estimated completion: %2")
        .arg(fraction * 100.0, 0, 'f', 2)
        .arg(time);
}

QSize CEstProgressCtrl::sizeHint() const {
    QSize hint = QProgressBar::sizeHint();
    hint.setHeight(std::max(hint.height(), fontMetrics().height() + 6));
    return hint;
}

void CEstProgressCtrl::paintEvent(QPaintEvent* /*event*/) {
    {
        std::lock_guard lock(mutex_);
        fraction_ = CurrentFraction();
    }
    UpdateEstimate();
    const double fraction = Fraction();
    const QString text = GetEstimateText();

    const QColor background = palette().color(QPalette::Button);
    const QColor highlight = palette().color(QPalette::Highlight);
    const qreal ratio = devicePixelRatioF();

    QImage canvas(size() * ratio, QImage::Format_RGB32);
    canvas.setDevicePixelRatio(ratio);
    canvas.fill(background);
    {
        QPainter painter(&canvas);
        const int filled = static_cast<int>(width() * fraction);
        painter.fillRect(QRect(0, 0, filled, height()), highlight);

        if (!text.isEmpty()) {
            // The text goes onto black and is then combined by exclusive or: black
            // leaves the bar alone, the text colour (the complement of the highlight)
            // turns the filled part white and stays visible over the empty part.
            QImage layer(canvas.size(), QImage::Format_RGB32);
            layer.setDevicePixelRatio(ratio);
            layer.fill(Qt::black);
            {
                QPainter text_painter(&layer);
                text_painter.setFont(font());
                text_painter.setPen(QColor::fromRgb(~highlight.rgb() & 0xFFFFFF));
                text_painter.drawText(rect(), Qt::AlignCenter | Qt::TextSingleLine, text);
            }
            painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
            painter.drawImage(QPoint(0, 0), layer);
        }
    }
    QPainter widget_painter(this);
    widget_painter.drawImage(QPoint(0, 0), canvas);
}

}  // namespace qff
