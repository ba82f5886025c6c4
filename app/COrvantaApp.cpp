#include "app/COrvantaApp.h"

#include <sys/socket.h>
#include <unistd.h>
#include <QMessageBox>
#include <QSocketNotifier>
#include <QTimer>
#include <csignal>

#include "view/COrvantaView.h"

namespace qff {

namespace {

int signalPipe[2] = {-1, -1};

extern "C" void OnTerminationSignal(int) {
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = ::write(signalPipe[1], &byte, 1);
}

}  // namespace

COrvantaApp::COrvantaApp(int& argc, char** argv) : QApplication(argc, argv) {
    setOrganizationName(QStringLiteral("QuillmarkFormulaFixer"));
    setApplicationName(QStringLiteral("Quillmark Formula Fixer"));
    setApplicationDisplayName(QStringLiteral("Quillmark Formula Fixer"));
    setDesktopFileName(QStringLiteral("quillmark-formula-fixer"));
}

COrvantaApp::~COrvantaApp() {
    delete frame_.data();
}

bool COrvantaApp::InitInstance(const CMainFrame::Options& options) {
    lock_ = std::make_unique<SingleInstanceLock>(lockPath_);
    lock_->Acquire();
    if (lock_->AlreadyExisted()) {
        QMessageBox::information(
            nullptr, QStringLiteral("Quillmark Formula Fixer"),
            QStringLiteral("Another instance of application is already running"));
        exitCode_ = 0;
        return false;
    }
    setQuitOnLastWindowClosed(true);
    frame_ = new CMainFrame(options);
    WatchTerminationSignals();
    frame_->showMaximized();
    // The open-file dialog as soon as the window is up.
    QTimer::singleShot(0, frame_, [frame = frame_] {
        if (frame && frame->View()->SelectEnabled()) {
            frame->View()->OnSelectFiles();
        }
    });
    return true;
}

void COrvantaApp::WatchTerminationSignals() {
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, signalPipe) != 0) {
        return;
    }
    signalNotifier_ = new QSocketNotifier(signalPipe[0], QSocketNotifier::Read, this);
    connect(signalNotifier_, &QSocketNotifier::activated, this, [this] {
        char byte = 0;
        [[maybe_unused]] const ssize_t got = ::read(signalPipe[0], &byte, 1);
        if (frame_) {
            frame_->ShutDown();
        } else {
            quit();
        }
    });
    struct sigaction action {};
    action.sa_handler = OnTerminationSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int sig : {SIGTERM, SIGINT, SIGHUP}) {
        ::sigaction(sig, &action, nullptr);
    }
}

}  // namespace qff
