#pragma once

#include <gtest/gtest.h>

#include <QObject>
#include <QString>
#include <QStringList>
#include <deque>
#include <filesystem>
#include <functional>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "app/CMainFrame.h"
#include "view/FileDialogs.h"

class QWidget;

// Readable texts in failure messages.
QT_BEGIN_NAMESPACE
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}
QT_END_NAMESPACE

namespace qff {
class CMainFrame;
class COrvantaView;
}  // namespace qff

namespace qff::test {

// Dialog answers a test hands out in order; an empty queue answers Cancel.
class ScriptedDialogs : public FileDialogs {
  public:
    QStringList GetOpenFileNames(QWidget* owner) override;
    QString GetExistingFolder(QWidget* owner) override;

    std::deque<QStringList> files;
    std::deque<QString> folders;
    int openCalls = 0;
};

// One notice or question as the program raised it.
struct Notice {
    QString text;
    unsigned style = 0;
    bool owned = false;  // shown with an owner window
    bool onUiThread = false;
};

// The real main window, made for a test: no splash, dialogs and notices answered by
// the test, the workspace in a private temporary folder ($TMPDIR of the test
// process). Questions are answered Yes unless a test queues other answers; a test
// may also look at the window while a notice is up (onNotice).
class WindowTest : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    // Makes the frame (client area of the view about width x height).
    void MakeWindow(int width = 1024, int height = 700);

    COrvantaView& View() const;
    CMainFrame& Frame() const { return *frame_; }
    template <typename T>
    T* Find(const char* name) const;
    QWidget* Control(const char* name) const;

    void Click(const char* name);
    // Select files through the button with the dialog answering paths.
    void SelectFiles(const QStringList& paths);
    // Repair files and wait until the pass has ended.
    void RepairAndWait();
    // Waits until no pass is active.
    void WaitForPass(int timeoutMs = 30000);

    // Calls watch on the user-interface thread just before each of a pass's calls into
    // the view is carried out (the worker waits meanwhile), until the test ends.
    void WatchPassCalls(std::function<void()> watch);

    QStringList Rows() const;
    QString LogText() const;
    std::filesystem::path WorkspaceRoot() const;

    std::vector<Notice> notices;
    std::deque<int> answers;  // answers to questions, Yes when empty
    std::function<void(const Notice&)> onNotice;
    ScriptedDialogs dialogs;

  private:
    std::unique_ptr<CMainFrame> frame_;
    std::unique_ptr<QObject> watcher_;
};

template <typename T>
T* WindowTest::Find(const char* name) const {
    return qobject_cast<T*>(Control(name));
}

// A small damaged formula package: a good one with its central directory cut off.
// With pictures it holds Thumbnails/thumbnail.png and Pictures/a.png.
std::filesystem::path MakeDamagedPackage(const std::filesystem::path& folder,
                                         const std::string& name, const std::string& formula,
                                         bool pictures);

}  // namespace qff::test
