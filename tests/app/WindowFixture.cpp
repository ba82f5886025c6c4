#include "WindowFixture.h"

#include <QApplication>
#include <QPushButton>
#include <QTest>
#include <QThread>

#include "PackageFixture.h"
#include "app/CMainFrame.h"
#include "app/CTarnixListCtrl.h"
#include "app/ShowAppMessage.h"
#include "engine/EngineHost.h"
#include "engine/RepairWorkspace.h"
#include "feedback/ActivityLog.h"
#include "view/COrvantaView.h"

namespace qff::test {

namespace {

// A pass's call into the view arrives as a queued call event on the view.
class CallWatcher : public QObject {
  public:
    explicit CallWatcher(std::function<void()> watch) : watch_(std::move(watch)) {}

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::MetaCall) {
            watch_();
        }
        return QObject::eventFilter(watched, event);
    }

  private:
    std::function<void()> watch_;
};

}  // namespace

QStringList ScriptedDialogs::GetOpenFileNames(QWidget*) {
    ++openCalls;
    if (files.empty()) {
        return {};
    }
    QStringList next = files.front();
    files.pop_front();
    return next;
}

QString ScriptedDialogs::GetExistingFolder(QWidget*) {
    if (folders.empty()) {
        return {};
    }
    QString next = folders.front();
    folders.pop_front();
    return next;
}

void WindowTest::SetUp() {
    FileDialogs::Install(&dialogs);
    SetAppMessageHandler([this](QWidget* owner, const QString& text, unsigned style) {
        Notice notice{text, style, owner != nullptr, QThread::currentThread() == qApp->thread()};
        notices.push_back(notice);
        if (onNotice) {
            onNotice(notice);
        }
        if ((style & kMbYesNo) == 0) {
            return kIdOk;
        }
        if (answers.empty()) {
            return kIdYes;
        }
        const int answer = answers.front();
        answers.pop_front();
        return answer;
    });
    // Nothing of an earlier test's workspace may leak into this one.
    WipeFolder(GetWorkspaceRoot());
}

void WindowTest::TearDown() {
    if (frame_) {
        WaitForPass();
        onNotice = nullptr;
        if (watcher_) {
            View().removeEventFilter(watcher_.get());
        }
    }
    watcher_.reset();
    frame_.reset();
    SetAppMessageHandler({});
    FileDialogs::Install(nullptr);
    WipeFolder(GetWorkspaceRoot());
}

void WindowTest::MakeWindow(int width, int height) {
    CMainFrame::Options options;
    options.splash = false;
    frame_ = std::make_unique<CMainFrame>(options);
    frame_->show();
    // The frame's bars take their share; the view gets the rest.
    const QSize extra = frame_->size() - View().size();
    frame_->resize(width + extra.width(), height + extra.height());
    ASSERT_TRUE(QTest::qWaitForWindowExposed(frame_.get()));
    QTRY_COMPARE(View().size(), QSize(width, height));
}

COrvantaView& WindowTest::View() const {
    return *frame_->View();
}

QWidget* WindowTest::Control(const char* name) const {
    auto* control = frame_->findChild<QWidget*>(QString::fromLatin1(name));
    EXPECT_NE(control, nullptr) << name;
    return control;
}

void WindowTest::Click(const char* name) {
    auto* button = Find<QAbstractButton>(name);
    ASSERT_NE(button, nullptr);
    ASSERT_TRUE(button->isEnabled()) << name;
    QTest::mouseClick(button, Qt::LeftButton);
}

void WindowTest::SelectFiles(const QStringList& paths) {
    dialogs.files.push_back(paths);
    Click("SelectFiles");
}

void WindowTest::RepairAndWait() {
    Click("RepairFiles");
    WaitForPass();
}

void WindowTest::WaitForPass(int timeoutMs) {
    QTRY_VERIFY_WITH_TIMEOUT(!View().PassActive(), timeoutMs);
}

void WindowTest::WatchPassCalls(std::function<void()> watch) {
    watcher_ = std::make_unique<CallWatcher>(std::move(watch));
    View().installEventFilter(watcher_.get());
}

QStringList WindowTest::Rows() const {
    QStringList rows;
    CTarnixListCtrl* list = View().FileList();
    for (int i = 0; i < list->GetItemCount(); ++i) {
        rows << list->GetItemText(i);
    }
    return rows;
}

QString WindowTest::LogText() const {
    return View().Log()->LogText();
}

std::filesystem::path WindowTest::WorkspaceRoot() const {
    return View().WorkspaceRoot();
}

std::filesystem::path MakeDamagedPackage(const std::filesystem::path& folder,
                                         const std::string& name, const std::string& formula,
                                         bool pictures) {
    std::string bytes = BuildPackage(FormulaMembers(formula, pictures));
    // Cut off the central directory and end record: only the local headers remain.
    bytes.resize(bytes.find(std::string("PK\x01\x02", 4)));
    const std::filesystem::path path = folder / name;
    WriteFile(path, bytes);
    return path;
}

}  // namespace qff::test
