#include "htmlbox/ShowHtmlMessageBox.h"

#include <QApplication>
#include <QPointer>
#include <QThread>
#include <mutex>

#include "htmlbox/CPPMessageBoxTemplate.h"
#include "htmlbox/MessageBoxMemory.h"

namespace qff {

namespace {

std::mutex g_beepMutex;
std::function<void(std::uint32_t)> g_beepHandler;

void MessageBeep(std::uint32_t iconBits) {
    std::function<void(std::uint32_t)> handler;
    {
        std::lock_guard<std::mutex> lock(g_beepMutex);
        handler = g_beepHandler;
    }
    if (handler) {
        handler(iconBits);
    } else {
        QApplication::beep();
    }
}

// The window a box without an owner belongs to: the modal window the user is working
// in, else the active window.
QWidget* DefaultOwner() {
    if (QWidget* modal = QApplication::activeModalWidget(); modal != nullptr) {
        return modal;
    }
    if (QWidget* popup = QApplication::activePopupWidget(); popup != nullptr) {
        return popup->window();
    }
    return QApplication::activeWindow();
}

int ShowOnThisThread(MessageBoxParams params) {
    if (params.owner == nullptr) {
        params.owner = DefaultOwner();
    }
    const bool builtinOnly = (params.style & MBX_BUILTIN_TEXTS) != 0;
    QString caption = params.caption.Resolve(params.stringInstance, builtinOnly);
    if (caption.isEmpty() && params.owner != nullptr) {
        caption = params.owner->window()->windowTitle().left(259);
    }
    if (caption.isEmpty()) {
        caption = QStringLiteral("Error");
    }
    params.caption = caption;

    const MessageBoxMemory memory(params);
    if (const int remembered = memory.Read(); remembered != 0) {
        return remembered;
    }
    if ((params.style & MBX_SILENT) == 0) {
        MessageBeep(params.style & 0xF0);
    }

    // The owner may go away while the box is up and take the box with it.
    QPointer<CPPMessageBoxTemplate> box = new CPPMessageBoxTemplate(params);
    const int result = box->exec();
    if (box == nullptr) {
        return IDCANCEL;
    }
    delete box.data();
    return result;
}

}  // namespace

int ShowHtmlMessageBox(const MessageBoxParams& params) {
    QCoreApplication* app = QCoreApplication::instance();
    if (qobject_cast<QApplication*>(app) == nullptr) {
        return IDCANCEL;
    }
    if (QThread::currentThread() == app->thread()) {
        return ShowOnThisThread(params);
    }
    // A worker thread: the box runs on the user-interface thread and this thread waits
    // for the answer there.
    int result = IDCANCEL;
    QMetaObject::invokeMethod(
        app, [&result, &params] { result = ShowOnThisThread(params); },
        Qt::BlockingQueuedConnection);
    return result;
}

void SetMessageBeepHandler(std::function<void(std::uint32_t iconBits)> handler) {
    std::lock_guard<std::mutex> lock(g_beepMutex);
    g_beepHandler = std::move(handler);
}

QString EscapeHtmlText(const QString& text) {
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
        if (c == QLatin1Char('<')) {
            out += QStringLiteral("&lt;");
        } else if (c == QLatin1Char('&')) {
            out += QStringLiteral("&amp;");
        } else {
            out += c;
        }
    }
    return out;
}

}  // namespace qff
