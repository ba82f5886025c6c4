// Renders every notice the program shows, and one box with every band, to PNG files so
// they can be looked at: msgbox_shots <output folder>. Run it under Xvfb for the real
// window system, or with QT_QPA_PLATFORM=offscreen.

#include <QApplication>
#include <QDir>
#include <QPushButton>
#include <QTimer>
#include <cstring>
#include <functional>

#include "BoxDriver.h"
#include "htmlbox/CPPMessageBoxTemplate.h"
#include "htmlbox/ShowAppMessage.h"
#include "htmlbox/ShowHtmlMessageBox.h"

namespace {

using qff::CPPMessageBoxTemplate;
using qff::test::ShownBox;

// Shows a box through `show`, lets `prepare` act on it, waits for it to settle, saves a
// picture of it and ends it.
void Shoot(const QString& file, const std::function<int()>& show,
           const std::function<void(CPPMessageBoxTemplate&)>& prepare = {}) {
    QTimer poll;
    bool prepared = false;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        CPPMessageBoxTemplate* box = ShownBox();
        if (box == nullptr || prepared) {
            return;
        }
        prepared = true;
        if (prepare) {
            prepare(*box);
        }
        QTimer::singleShot(400, box, [box, file] {
            box->grab().save(file);
            box->done(qff::IDCANCEL);
        });
    });
    poll.start(20);
    show();
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    qff::SetMessageBeepHandler([](std::uint32_t) {});
    const QString out = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
    QDir().mkpath(out);

    QWidget view;
    view.setWindowTitle(QStringLiteral("Quillmark Formula Fixer"));
    view.resize(900, 650);
    view.show();

    const QString path = qff::EscapeHtmlText(QStringLiteral("/home/user/docs/a<b>&c.odf"));
    const QString dest = qff::EscapeHtmlText(QStringLiteral("/home/user/out & a<b"));
    struct Notice {
        const char* file;
        QString text;
        std::uint32_t style;
        bool ownedByView;
    };
    const Notice notices[] = {
        {"01-open-failed", QString::fromLocal8Bit(std::strerror(EACCES)), 0x40, false},
        {"02-folder-failed", QString::fromLocal8Bit(std::strerror(ENOSPC)), 0x40, false},
        {"03-stop-question", "Are you sure to stop the running process?", 0x24, false},
        {"04-invalid-folder", "Please select a valid folder path.", 0x40, false},
        {"05-saved",
         "File(s) saving process has been completed.Saved file(s) location is:<br><a href='" +
             dest + "'>" + dest + "</a>",
         0x40, true},
        {"06-save-while-running", "Please stop the running process before saving the file(s).",
         0x40, false},
        {"07-already-listed", path + " already exist in the list.", 0x40, false},
        {"08-nothing-to-remove", "No file(s) selected to remove.", 0x40, false},
        {"09-close-while-running",
         "Please stop the running process before closing the application.", 0x40, false},
        {"10-exit-question", "Do you really want to exit?", 0x24, false},
        {"11-help-missing",
         "Quillmark Formula Fixer help file not found, please re-install the software. ", 0x40,
         false},
    };
    for (const Notice& n : notices) {
        Shoot(out + QLatin1Char('/') + QLatin1String(n.file) + QStringLiteral(".png"), [&] {
            return qff::ShowAppMessage(n.ownedByView ? &view : nullptr, n.text, n.style);
        });
    }

    // Every band at once: header, message with icon, check box, countdown, More open.
    qff::MessageBoxParams params;
    qff::InitMessageBoxParams(params);
    params.caption = QStringLiteral("Quillmark Formula Fixer");
    params.headerHeight = 40;
    params.headerText = QStringLiteral("<h2>Repair finished</h2>");
    params.headerArea.backgroundEffect = 2;
    params.headerArea.startColour = qff::MakeColorRef(255, 255, 255);
    params.headerArea.endColour = qff::MakeColorRef(220, 230, 245);
    params.headerArea.separatorStyle = 1;
    params.text = QStringLiteral("Three files were repaired, <b>one</b> could not be read.");
    params.style = qff::MB_YESNOCANCEL | qff::MB_ICONQUESTION | qff::MBX_DONT_SHOW_AGAIN;
    params.windowArea.backgroundEffect = 12;
    params.windowArea.startColour = qff::MakeColorRef(253, 236, 81);
    params.windowArea.midColour = qff::MakeColorRef(254, 243, 169);
    params.windowArea.endColour = qff::MakeColorRef(253, 236, 81);
    params.controlArea.separatorStyle = 1;
    params.controlArea.separatorAlign = 2;
    params.controlArea.separatorText = QStringLiteral("Your answer");
    params.moreText = QStringLiteral(
        "formula.odf: <i>content.xml</i> rebuilt<br>"
        "notes.odf: <font color=red>not a package</font>");
    params.moreArea.separatorStyle = 1;
    params.moreArea.separatorText = QStringLiteral("Details");
    params.timeoutSeconds = 30;
    Shoot(
        out + QStringLiteral("/12-every-band.png"), [&] { return ShowHtmlMessageBox(params); },
        [](CPPMessageBoxTemplate& box) { box.OnCommand(qff::IDX_MORE); });
    return 0;
}
