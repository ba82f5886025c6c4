#pragma once

#include <QApplication>
#include <QPointer>
#include <memory>

#include "app/CMainFrame.h"
#include "app/SingleInstanceLock.h"

class QSocketNotifier;

namespace qff {

// The application: the single-instance guard, the settings' home, the look, the main
// frame, and the Select files dialog as soon as the window is up. A termination
// request from the system (SIGTERM, SIGINT, SIGHUP) closes the program cleanly: the
// running pass is stopped and the workspace wiped.
class COrvantaApp : public QApplication {
    Q_OBJECT

  public:
    COrvantaApp(int& argc, char** argv);
    ~COrvantaApp() override;

    // The start-up sequence. False when the program must end at once (another
    // instance runs; the window could not be made); the exit code is then ExitCode().
    bool InitInstance(const CMainFrame::Options& options = {});
    int ExitCode() const { return exitCode_; }

    CMainFrame* MainFrame() const { return frame_; }

    // The lock file to use instead of the machine-wide one (tests).
    void SetLockPath(const std::string& path) { lockPath_ = path; }

  private:
    void WatchTerminationSignals();

    std::string lockPath_ = SingleInstanceLock::DefaultPath();
    std::unique_ptr<SingleInstanceLock> lock_;
    QPointer<CMainFrame> frame_;
    QSocketNotifier* signalNotifier_ = nullptr;
    int exitCode_ = 0;
};

}  // namespace qff
