// Shows every control as the main window uses them, for a look by eye:
//   controls_demo [--screenshot file.png]
// With --screenshot the window (and the splash over it) is saved after a second and
// the program ends.

#include <QApplication>
#include <QDir>
#include <QGridLayout>
#include <QLinearGradient>
#include <QPainter>
#include <QScreen>
#include <QTimer>

#include "app/CHyperLink.h"
#include "app/CSplashScreenEx.h"
#include "app/CTarnixListCtrl.h"
#include "app/CTarnixTransparentStatic.h"
#include "app/CXEditPrompt.h"
#include "feedback/ActivityLog.h"
#include "feedback/CEstProgressCtrl.h"
#include "feedback/HintBox.h"
#include "view/CPictureBox.h"

namespace {

// A background with a gradient, so that transparent controls show it.
class Backdrop : public QWidget {
  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        QLinearGradient gradient(0, 0, width(), height());
        gradient.setColorAt(0, QColor(225, 235, 250));
        gradient.setColorAt(1, QColor(250, 240, 215));
        painter.fillRect(rect(), gradient);
    }
};

QIcon StatusIcon(int kind) {
    QPixmap pixmap(20, 20);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::darkGray);
    painter.setBrush(Qt::white);
    painter.drawRect(3, 1, 13, 17);
    if (kind == 0) {
        painter.setPen(QPen(Qt::red, 2.5));
        painter.drawLine(6, 6, 14, 15);
        painter.drawLine(14, 6, 6, 15);
    } else if (kind == 1) {
        painter.setPen(QPen(QColor(0, 153, 0), 2.5));
        painter.drawLine(5, 11, 9, 15);
        painter.drawLine(9, 15, 16, 5);
    }
    return QIcon(pixmap);
}

QString WritePreviewPicture() {
    QImage picture(240, 160, QImage::Format_RGB32);
    QPainter painter(&picture);
    QLinearGradient gradient(0, 0, 240, 160);
    gradient.setColorAt(0, QColor(40, 90, 160));
    gradient.setColorAt(1, QColor(200, 220, 250));
    painter.fillRect(picture.rect(), gradient);
    painter.setPen(Qt::white);
    QFont font = painter.font();
    font.setPixelSize(36);
    painter.setFont(font);
    painter.drawText(picture.rect(), Qt::AlignCenter, QStringLiteral("x² + y²"));
    painter.end();
    const QString path = QDir::temp().filePath(QStringLiteral("qff-demo-preview.png"));
    picture.save(path);
    return path;
}

QImage SplashPicture() {
    QImage picture(460, 260, QImage::Format_RGB32);
    picture.fill(QColor(255, 0, 255));
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(30, 60, 110));
    painter.drawRoundedRect(QRect(0, 0, 460, 260), 40, 40);
    painter.setPen(Qt::white);
    QFont font = painter.font();
    font.setPixelSize(30);
    font.setBold(true);
    painter.setFont(font);
    painter.drawText(QRect(0, 0, 460, 200), Qt::AlignCenter, QStringLiteral("Formula Fixer"));
    return picture;
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    const int shotAt = args.indexOf(QStringLiteral("--screenshot"));
    const QString shotPath =
        shotAt > 0 && shotAt + 1 < args.size() ? args.at(shotAt + 1) : QString();

    Backdrop window;
    window.setWindowTitle(QStringLiteral("Controls"));
    auto* grid = new QGridLayout(&window);

    auto* list = new qff::CTarnixListCtrl;
    list->SetImages({StatusIcon(0), StatusIcon(1), StatusIcon(2)});
    list->InsertItem(0, QStringLiteral("/home/user/docs/formula.odf"), 1);
    list->InsertItem(1, QStringLiteral("/home/user/docs/stopped.odf"), 0);
    list->InsertItem(2, QStringLiteral("/home/user/docs/new.odf"), 2);
    list->topLevelItem(0)->setSelected(true);
    grid->addWidget(list, 0, 0, 1, 2);

    auto* box = new qff::CPictureBox;
    box->ShowPreview(WritePreviewPicture(), qff::PreviewState::Picture);
    box->setMinimumSize(240, 160);
    auto* over = new QLabel(QStringLiteral(" over the picture "), box);
    over->setAutoFillBackground(true);
    over->move(8, 8);
    grid->addWidget(box, 0, 2);
    auto* message = new qff::CPictureBox;
    message->ShowPreview(QString(), qff::PreviewState::NoFiles);
    message->setMinimumSize(240, 160);
    grid->addWidget(message, 0, 3);

    auto* log = new qff::ActivityLog;
    log->AppendLogLine(QStringLiteral("/home/user/docs/formula.odf file is open....\r\n"), 0u);
    log->AppendLogLine(QStringLiteral("/home/user/docs/formula.odf  Repaired....\r\n"), 0x009900u);
    log->AppendLogLine(QString(85, QLatin1Char('*')) + QStringLiteral("\r\n"), 0u);
    log->AppendLogLine(QStringLiteral("/home/user/docs/stopped.odf not repaired....\r\n"),
                       0x0000FFu);
    log->AppendLogLine(QStringLiteral("Repairing process completed....\r\n"), 0u);
    log->AppendLogLine(QString(64, QLatin1Char('_')) + QStringLiteral("\r\n\r\n"), 0u);
    grid->addWidget(log, 1, 0, 1, 4);

    auto* partial = new qff::CEstProgressCtrl;
    partial->SetRange(0, 8);
    partial->SetPos(3);
    auto* full = new qff::CEstProgressCtrl;
    full->SetRange(0, 4);
    full->SetPos(4);
    auto* empty = new qff::CEstProgressCtrl;
    empty->SetRange(0, 0);
    grid->addWidget(partial, 2, 0, 1, 4);
    grid->addWidget(full, 3, 0, 1, 4);
    grid->addWidget(empty, 4, 0, 1, 4);

    auto* label = new qff::CTarnixTransparentStatic(QStringLiteral("Destination folder:"));
    grid->addWidget(label, 5, 0);
    auto* edit = new qff::CXEditPrompt;
    edit->ChangePrompt(QStringLiteral("<Please select valid path to save repaired Math file(s)>"));
    edit->SetPromptColour(QColor(158, 158, 158));
    grid->addWidget(edit, 5, 1, 1, 2);
    auto* link = new qff::CHyperLink(QStringLiteral("Open the destination folder"));
    link->SetLinkTarget(QDir::tempPath());
    grid->addWidget(link, 5, 3);

    auto* hint = new qff::HintBox;
    hint->ShowHint(qff::HintBox::HintRepaired);
    hint->setFixedHeight(60);
    grid->addWidget(hint, 6, 0, 1, 4);

    window.resize(1000, 640);
    window.move(20, 20);
    window.show();

    auto* splash = new qff::CSplashScreenEx;
    splash->CreateSplash(&window, qff::CSplashScreenEx::kDefaultStyle,
                         shotPath.isEmpty() ? 2000 : 0);
    splash->LoadPicture(SplashPicture());
    splash->ShowSplash();

    if (!shotPath.isEmpty()) {
        QTimer::singleShot(1000, &app, [&] {
            window.grab().save(shotPath);
            app.quit();
        });
    }
    return app.exec();
}
