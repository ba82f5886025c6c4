// The parts of the shell that work without the window: the single-instance lock, the
// looks and the stand-in message box.

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QSet>
#include <QSettings>
#include <QStyle>
#include <QTest>
#include <QThread>
#include <QTimer>
#include <atomic>
#include <filesystem>
#include <thread>

#include "PackageFixture.h"
#include "app/Looks.h"
#include "app/ShowAppMessage.h"
#include "app/SingleInstanceLock.h"
#include "engine/EngineHost.h"

namespace qff::test {
namespace {

namespace fs = std::filesystem;

// ---- Single instance ---------------------------------------------------------------

TEST(SingleInstance, ASecondLockIsRefusedUntilTheFirstEnds) {
    TempDir dir;
    const std::string path = (dir.path() / "instance.lock").string();
    {
        SingleInstanceLock first(path);
        ASSERT_TRUE(first.Acquire());
        EXPECT_FALSE(first.AlreadyExisted());

        SingleInstanceLock second(path);
        EXPECT_FALSE(second.Acquire());
        EXPECT_TRUE(second.AlreadyExisted());
    }
    // The file stays behind, but without a holder the next start goes ahead.
    EXPECT_TRUE(fs::exists(path));
    SingleInstanceLock third(path);
    EXPECT_TRUE(third.Acquire());
    EXPECT_FALSE(third.AlreadyExisted());
}

TEST(SingleInstance, LockFileIsReadableByEveryUserAndNeverFollowsALink) {
    TempDir dir;
    const fs::path path = dir.path() / "instance.lock";
    const mode_t old = ::umask(077);
    {
        SingleInstanceLock lock(path.string());
        ASSERT_TRUE(lock.Acquire());
    }
    ::umask(old);
    struct stat info {};
    ASSERT_EQ(::stat(path.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0644u);

    const fs::path target = dir.path() / "victim";
    const fs::path link = dir.path() / "planted.lock";
    fs::create_symlink(target, link);
    SingleInstanceLock planted(link.string());
    EXPECT_TRUE(planted.Acquire());  // starts, but takes nothing through the link
    EXPECT_FALSE(fs::exists(target));
}

TEST(SingleInstance, DefaultLockIsSharedByAllUsersInTmp) {
    const std::string path = SingleInstanceLock::DefaultPath();
    EXPECT_EQ(path.rfind("/tmp/", 0), 0u);
    EXPECT_NE(path.find("05CA3573-B449-4e0b-83F5-7FD612E378FORMULAFIX"), std::string::npos);
    EXPECT_EQ(path.find('\\'), std::string::npos);
}

// ---- Looks -------------------------------------------------------------------------

TEST(Looks, EachStoredValueGivesItsOwnLookAndOthersTheDefault) {
    QSet<QString> seen;
    for (int value = 210; value <= 218; ++value) {
        const looks::Look look = looks::For(value);
        EXPECT_EQ(look.value, value);
        const QString key = look.style + look.palette.color(QPalette::Window).name() +
                            look.palette.color(QPalette::Highlight).name();
        EXPECT_FALSE(seen.contains(key)) << value;
        seen.insert(key);
    }
    for (int other : {0, 209, 219, -1}) {
        EXPECT_EQ(looks::For(other).value, looks::kDefaultLook) << other;
    }
}

TEST(Looks, MissingSettingIsStoredAsTheDefaultAndAStoredOneIsRead) {
    QSettings settings(QStringLiteral("QuillmarkFormulaFixer"),
                       QStringLiteral("Quillmark Formula Fixer"));
    settings.remove(QStringLiteral("ApplicationLook"));
    settings.sync();
    EXPECT_EQ(looks::ReadStored(), 215);
    settings.sync();
    EXPECT_EQ(settings.value(QStringLiteral("ApplicationLook")).toInt(), 215);
    settings.setValue(QStringLiteral("ApplicationLook"), 212);
    settings.sync();
    EXPECT_EQ(looks::ReadStored(), 212);
    settings.remove(QStringLiteral("ApplicationLook"));
}

// ---- The stand-in message box ------------------------------------------------------

// Acts on the box once it is up: presses a key or a button, or tries to close it.
void WhenBoxShows(std::function<void(QMessageBox*)> act) {
    auto* timer = new QTimer;
    timer->setInterval(20);
    QObject::connect(timer, &QTimer::timeout, [timer, act] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            timer->stop();
            timer->deleteLater();
            act(box);
        }
    });
    timer->start();
}

TEST(MessageBox, NoticeAnswersOkOrCancelWhenEscaped) {
    WhenBoxShows([](QMessageBox* box) {
        EXPECT_EQ(box->windowTitle(), "Quillmark Formula Fixer");
        EXPECT_EQ(box->icon(), QMessageBox::Information);
        EXPECT_EQ(box->buttons().size(), 1);
        box->button(QMessageBox::Ok)->click();
    });
    EXPECT_EQ(ShowAppMessage(nullptr, "Saved.<br>Done", kMbIconInformation), kIdOk);

    WhenBoxShows([](QMessageBox* box) { QTest::keyClick(box, Qt::Key_Escape); });
    EXPECT_EQ(ShowAppMessage(nullptr, "Escaped", kMbIconInformation), kIdCancel);
}

TEST(MessageBox, QuestionIgnoresEscapeAndCloseAndAnswersYesOrNo) {
    WhenBoxShows([](QMessageBox* box) {
        EXPECT_EQ(box->icon(), QMessageBox::Question);
        QTest::keyClick(box, Qt::Key_Escape);
        box->close();
        EXPECT_TRUE(box->isVisible());
        box->button(QMessageBox::No)->click();
    });
    EXPECT_EQ(ShowAppMessage(nullptr, "Sure?", kMbYesNo | kMbIconQuestion), kIdNo);

    WhenBoxShows([](QMessageBox* box) { box->button(QMessageBox::Yes)->click(); });
    EXPECT_EQ(ShowAppMessage(nullptr, "Sure?", kMbYesNo | kMbIconQuestion), kIdYes);
}

TEST(MessageBox, FromAWorkerTheBoxRunsOnTheUiThreadWhileTheWorkerWaits) {
    std::atomic<bool> boxOnUiThread{false};
    WhenBoxShows([&](QMessageBox* box) {
        boxOnUiThread = box->thread() == QApplication::instance()->thread() &&
                        QThread::currentThread() == QApplication::instance()->thread();
        box->button(QMessageBox::Yes)->click();
    });
    std::atomic<int> answer{0};
    std::thread worker(
        [&] { answer = ShowAppMessage(nullptr, "Stop?", kMbYesNo | kMbIconQuestion); });
    QTRY_VERIFY_WITH_TIMEOUT(answer.load() != 0, 10000);
    worker.join();
    EXPECT_EQ(answer.load(), kIdYes);
    EXPECT_TRUE(boxOnUiThread.load());
}

}  // namespace
}  // namespace qff::test
