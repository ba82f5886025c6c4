#include "view/CPictureBox.h"

#include <QFileInfo>
#include <QImageReader>
#include <QPainter>

#include "feedback/CallOnOwnThread.h"

namespace qff {

CPictureBox::CPictureBox(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("PictureBox"));
    setAttribute(Qt::WA_OpaquePaintEvent);
}

QString CPictureBox::MessageFor(PreviewState state) {
    switch (state) {
        case PreviewState::NoFiles:
            return QStringLiteral("No .odf file(s) is available\n in the list");
        case PreviewState::SelectToRepair:
            return QStringLiteral("Select .odf file(s)\n to repair");
        case PreviewState::Repairing:
            return QStringLiteral("Please wait while .odf file(s)\n are repairing....");
        case PreviewState::SelectToPreview:
            return QStringLiteral("Select .odf file(s)\n to see preview");
        case PreviewState::NoImage:
            return QStringLiteral("No image is present \n in the selected .odf file(s)");
        case PreviewState::NotRepaired:
            return QStringLiteral("Selected .odf file(s)\n is not repaired....");
        case PreviewState::Picture:
            break;
    }
    return {};
}

QImage CPictureBox::LoadPicture(const QString& path, bool* failed) {
    *failed = false;
    if (path.isEmpty() || !QFileInfo(path).isFile()) {
        return {};
    }
    // The reader refuses pictures whose decoded size is beyond its allocation limit,
    // so a huge picture ends as a failed decode, not as an exhausted memory.
    QImageReader reader(path);
    reader.setDecideFormatFromContent(true);
    QImage picture = reader.read();
    if (picture.isNull()) {
        *failed = true;
    }
    return picture;
}

void CPictureBox::SetPicture(const QString& path, PreviewState state) {
    bool failed = false;
    const QImage picture = LoadPicture(path, &failed);
    CallOnOwnThread(this, [&] { Apply(picture, failed, state, false); });
}

void CPictureBox::ShowPreview(const QString& path, PreviewState state) {
    bool failed = false;
    const QImage picture = LoadPicture(path, &failed);
    CallOnOwnThread(this, [&] { Apply(picture, failed, state, true); });
}

void CPictureBox::Apply(const QImage& picture, bool failed, PreviewState state, bool stretch) {
    state_ = state;
    picture_ = picture;
    failed_ = failed;
    if (stretch) {
        mode_ = DrawMode::Stretched;
    }
    update();
}

void CPictureBox::SetDrawMode(DrawMode mode) {
    mode_ = mode;
    update();
}

QSize CPictureBox::sizeHint() const {
    return {200, 150};
}

void CPictureBox::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Button));

    if (picture_.isNull()) {
        if (!failed_) {
            painter.setPen(palette().color(QPalette::WindowText));
            painter.drawText(QRect(10, 20, std::max(0, width() - 10), std::max(0, height() - 20)),
                             Qt::AlignLeft | Qt::AlignTop, MessageFor(state_));
        }
        return;
    }

    const QSize own = picture_.deviceIndependentSize().toSize();
    switch (mode_) {
        case DrawMode::Natural:
            painter.drawImage(QPoint(0, 0), picture_);
            break;
        case DrawMode::Centred:
            painter.drawImage(
                QPoint(width() / 2 - own.width() / 2, height() / 2 - own.height() / 2), picture_);
            break;
        case DrawMode::Stretched:
            painter.setRenderHint(QPainter::SmoothPixmapTransform);
            painter.drawImage(rect(), picture_);
            break;
    }
}

}  // namespace qff
