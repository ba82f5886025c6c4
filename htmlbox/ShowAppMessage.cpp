#include "htmlbox/ShowAppMessage.h"

#include <QApplication>
#include <QThread>
#include <mutex>

#include "htmlbox/MessageBoxParams.h"
#include "htmlbox/ShowHtmlMessageBox.h"

namespace qff {

namespace {

std::mutex g_handlerMutex;
AppMessageHandler g_handler;

int ShowOnThisThread(QWidget* owner, const QString& text, std::uint32_t style) {
    AppMessageHandler handler;
    {
        std::lock_guard<std::mutex> lock(g_handlerMutex);
        handler = g_handler;
    }
    if (handler) {
        return handler(owner, text, style);
    }
    MessageBoxParams params;
    InitMessageBoxParams(params);
    params.caption = QStringLiteral("Quillmark Formula Fixer");
    params.windowArea.backgroundEffect = 12;  // vbump
    params.windowArea.startColour = MakeColorRef(253, 236, 81);
    params.windowArea.midColour = MakeColorRef(254, 243, 169);
    params.windowArea.endColour = MakeColorRef(253, 236, 81);
    params.windowArea.separatorStyle = 0;
    params.windowArea.separatorAlign = 0;
    params.owner = owner;
    params.text = text;
    params.style = style;
    return ShowHtmlMessageBox(params);
}

}  // namespace

int ShowAppMessage(QWidget* owner, const QString& text, std::uint32_t style) {
    QCoreApplication* app = QCoreApplication::instance();
    if (qobject_cast<QApplication*>(app) == nullptr) {
        return IDCANCEL;  // nowhere to show a box
    }
    if (QThread::currentThread() == app->thread()) {
        return ShowOnThisThread(owner, text, style);
    }
    // From a worker: the parameter block (palette colours, the owner's guard) is made on
    // the user-interface thread too, where the box runs; this thread waits for the answer.
    int result = IDCANCEL;
    QMetaObject::invokeMethod(
        app, [&] { result = ShowOnThisThread(owner, text, style); }, Qt::BlockingQueuedConnection);
    return result;
}

void SetAppMessageHandler(AppMessageHandler handler) {
    std::lock_guard<std::mutex> lock(g_handlerMutex);
    g_handler = std::move(handler);
}

}  // namespace qff
