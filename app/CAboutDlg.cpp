#include "app/CAboutDlg.h"

#include <QPainter>
#include <QPushButton>

#include "app/CTarnixTransparentStatic.h"
#include "res/Artwork.h"

namespace qff {

namespace {

const QString kTitle = QStringLiteral("Quillmark Formula Fixer");

}  // namespace

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("AboutBox"));
    background_ = artwork::Render(QStringLiteral("about_bg"));
    setWindowTitle(QStringLiteral("About %1").arg(kTitle + QStringLiteral(" v1.0")));
    setFixedSize(background_.isNull() ? QSize(360, 334) : background_.size());

    auto* name =
        new CTarnixTransparentStatic(QStringLiteral("%1 v%2.%3").arg(kTitle).arg(1).arg(0), this);
    name->setObjectName(QStringLiteral("AboutName"));
    QFont bold(QStringLiteral("Arial"));
    bold.setPixelSize(16);
    bold.setBold(true);
    name->setFont(bold);
    name->setGeometry(62, 110, 290, 20);

    auto* maker = new CTarnixTransparentStatic(QStringLiteral("%1 Software").arg(kTitle), this);
    maker->setObjectName(QStringLiteral("AboutMaker"));
    maker->setGeometry(81, 161, 260, 16);

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("AboutOk"));
    ok->setIcon(artwork::Icon(QStringLiteral("ok")));
    ok->setIconSize(QSize(20, 20));
    ok->setToolTip(QStringLiteral("OK"));
    ok->setDefault(true);
    ok->setGeometry(137, 296, 80, 26);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}

void CAboutDlg::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().window());
    painter.drawImage(QPoint(0, 0), background_);
}

}  // namespace qff
