#include "app/ShowAppMessage.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QKeyEvent>
#include <QLabel>
#include <QMessageBox>
#include <QMutex>
#include <QThread>
#include <QUrl>

#include "engine/EngineHost.h"

namespace qff {

namespace {

QMutex handlerMutex;
AppMessageHandler handler;

// The stand-in box: a standard message box that keeps the answer rules of the
// program's notices (a question is answered only with Yes or No; a notice closed
// without its button answers Cancel).
class PlainMessageBox : public QMessageBox {
  public:
    PlainMessageBox(QWidget* owner, const QString& text, unsigned style) : QMessageBox(owner) {
        question_ = (style & kMbYesNo) != 0;
        setWindowTitle(QStringLiteral("Quillmark Formula Fixer"));
        setTextFormat(Qt::RichText);
        setText(text);
        setIcon((style & kMbIconQuestion) ? QMessageBox::Question : QMessageBox::Information);
        setStandardButtons(question_ ? (QMessageBox::Yes | QMessageBox::No) : QMessageBox::Ok);
        setDefaultButton(question_ ? QMessageBox::Yes : QMessageBox::Ok);
        if (auto* label = findChild<QLabel*>(QStringLiteral("qt_msgbox_label"))) {
            label->setTextInteractionFlags(Qt::TextBrowserInteraction);
            label->setOpenExternalLinks(false);
            QObject::connect(label, &QLabel::linkActivated, [](const QString& link) {
                QDesktopServices::openUrl(QUrl::fromUserInput(link));
            });
        }
    }

    int Answer() {
        exec();
        if (cancelled_) {
            return kIdCancel;
        }
        switch (standardButton(clickedButton())) {
            case QMessageBox::Yes:
                return kIdYes;
            case QMessageBox::No:
                return kIdNo;
            case QMessageBox::Ok:
                return kIdOk;
            default:
                return question_ ? kIdNo : kIdCancel;
        }
    }

  protected:
    void keyPressEvent(QKeyEvent* event) override {
        if (event->key() == Qt::Key_Escape) {
            if (!question_) {
                cancelled_ = true;
                done(0);
            }
            return;
        }
        QMessageBox::keyPressEvent(event);
    }

    void closeEvent(QCloseEvent* event) override {
        if (question_) {
            event->ignore();
            return;
        }
        cancelled_ = true;
        event->accept();
        done(0);
    }

  private:
    bool question_ = false;
    bool cancelled_ = false;
};

int RunOnUiThread(QWidget* owner, const QString& text, unsigned style) {
    AppMessageHandler current;
    {
        QMutexLocker lock(&handlerMutex);
        current = handler;
    }
    if (current) {
        return current(owner, text, style);
    }
    PlainMessageBox box(owner, text, style);
    return box.Answer();
}

}  // namespace

int ShowAppMessage(QWidget* owner, const QString& text, unsigned style) {
    QCoreApplication* app = QCoreApplication::instance();
    if (app == nullptr || QThread::currentThread() == app->thread()) {
        return RunOnUiThread(owner, text, style);
    }
    int answer = kIdCancel;
    QMetaObject::invokeMethod(
        app, [&] { answer = RunOnUiThread(owner, text, style); }, Qt::BlockingQueuedConnection);
    return answer;
}

void SetAppMessageHandler(AppMessageHandler newHandler) {
    QMutexLocker lock(&handlerMutex);
    handler = std::move(newHandler);
}

}  // namespace qff
