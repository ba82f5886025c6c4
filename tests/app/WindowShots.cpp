// Screenshots of the main window in each view state, at 1280 x 800 and at the minimum
// size, plus the about box and the splash picture:  window_shots <output folder>

#include <QApplication>
#include <QBuffer>
#include <QDir>
#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QTest>
#include <QTimer>
#include <cstdio>
#include <filesystem>

#include "PackageFixture.h"
#include "WindowFixture.h"
#include "app/CAboutDlg.h"
#include "app/CMainFrame.h"
#include "app/CTarnixListCtrl.h"
#include "app/CXEditPrompt.h"
#include "app/ShowAppMessage.h"
#include "res/Artwork.h"
#include "view/COrvantaView.h"

namespace fs = std::filesystem;
using namespace qff;

namespace {

class PassWatch : public QObject {
  public:
    std::function<void()> onCall;

  protected:
    bool eventFilter(QObject* o, QEvent* e) override {
        if (e->type() == QEvent::MetaCall && onCall) {
            onCall();
        }
        return QObject::eventFilter(o, e);
    }
};

std::string PngOf(QColor colour) {
    QImage image(160, 120, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    p.setBrush(colour);
    p.drawEllipse(20, 10, 120, 100);
    p.setPen(Qt::white);
    p.setFont(QFont("Times New Roman", 28, QFont::Bold));
    p.drawText(image.rect(), Qt::AlignCenter, "x\u00b2");
    p.end();
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes.toStdString();
}

fs::path Package(const fs::path& folder, const std::string& name, QColor colour) {
    auto members = test::FormulaMembers("x^2 + " + name, false);
    members.push_back({"Thumbnails/thumbnail.png", PngOf(colour), true});
    std::string bytes = test::BuildPackage(members);
    bytes.resize(bytes.find(std::string("PK\x01\x02", 4)));
    test::WriteFile(folder / name, bytes);
    return folder / name;
}

void Save(QWidget* widget, const QString& file) {
    widget->grab().save(file);
    std::printf("%s\n", qPrintable(file));
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QString out = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
    QDir().mkpath(out);
    test::TempDir in;
    fs::create_directories(in.path() / "saved");
    QStringList files;
    const QColor colours[] = {QColor(0x24527a), QColor(0x2e9a3e), QColor(0xc0392b)};
    int n = 0;
    for (const char* name : {"integral.odf", "quadratic.odf", "matrix.odf"}) {
        files << QString::fromStdString(Package(in.path(), name, colours[n++]).string());
    }
    files << QString::fromStdString((in.path() / "vanished.odf").string());

    test::ScriptedDialogs dialogs;
    FileDialogs::Install(&dialogs);
    SetAppMessageHandler(
        [](QWidget*, const QString&, unsigned style) { return (style & 0x04) ? 6 : 1; });

    for (QSize size : {QSize(1280, 800), QSize(650, 450)}) {
        const QString tag = QStringLiteral("%1x%2").arg(size.width()).arg(size.height());
        CMainFrame::Options options;
        options.splash = false;
        CMainFrame frame(options);
        frame.resize(size);
        frame.show();
        if (!QTest::qWaitForWindowExposed(&frame)) {
            return 1;
        }
        QTest::qWait(100);
        COrvantaView* view = frame.View();
        Save(&frame, out + "/" + tag + "-1-empty.png");

        dialogs.files.push_back(files);
        view->OnSelectFiles();
        Save(&frame, out + "/" + tag + "-2-listed.png");

        PassWatch watch;
        view->installEventFilter(&watch);
        int seen = 0;
        bool both = true;
        QString shot;
        watch.onCall = [&] {
            const bool file = view->FileProgressLabel()->isVisible();
            const bool total = view->TotalProgressLabel()->isVisible();
            if ((both ? file && total : !file && total) && ++seen == 4) {
                Save(&frame, shot);
            }
        };
        shot = out + "/" + tag + "-3-repairing.png";
        view->OnRepairFiles();
        while (view->PassActive()) {
            QTest::qWait(20);
        }
        view->FileList()->topLevelItem(1)->setSelected(true);
        view->OnPreviewItem(1);
        Save(&frame, out + "/" + tag + "-4-repaired.png");

        view->Destination()->SetText(QString::fromStdString((in.path() / "saved").string()));
        seen = 0;
        both = false;
        shot = out + "/" + tag + "-5-saving.png";
        view->OnSaveFiles();
        while (view->PassActive()) {
            QTest::qWait(20);
        }
        Save(&frame, out + "/" + tag + "-6-saved.png");
        view->removeEventFilter(&watch);
        frame.setAttribute(Qt::WA_DeleteOnClose, false);
        view->WipeWorkspaceForClose();
        frame.hide();
    }

    CAboutDlg about;
    about.show();
    if (!QTest::qWaitForWindowExposed(&about)) {
        return 1;
    }
    Save(&about, out + "/about.png");
    artwork::Render("splash").save(out + "/splash.png");
    FileDialogs::Install(nullptr);
    SetAppMessageHandler({});
    return 0;
}
