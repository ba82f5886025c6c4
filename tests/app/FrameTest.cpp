// The main frame: its bars, keys, close rules and help, driven through the real window.

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QTest>
#include <QToolBar>

#include "PackageFixture.h"
#include "WindowFixture.h"
#include "app/CMainFrame.h"
#include "app/CXEditPrompt.h"
#include "engine/EngineHost.h"
#include "view/COrvantaView.h"

namespace qff::test {
namespace {

namespace fs = std::filesystem;

class FrameWindow : public WindowTest {
  protected:
    void SetUp() override {
        WindowTest::SetUp();
        MakeWindow();
    }

    QStringList MenuTexts(const char* name) {
        QStringList texts;
        for (QAction* action : Frame().findChild<QMenu*>(name)->actions()) {
            texts << (action->isSeparator() ? QStringLiteral("-") : action->text());
        }
        return texts;
    }

    QAction* Command(const char* name) { return Frame().findChild<QAction*>(name); }

    TempDir files;
};

TEST_F(FrameWindow, MenusToolbarAndStatusBarCarryTheirCommands) {
    EXPECT_EQ(MenuTexts("FileMenu"),
              (QStringList{"&Select File(s)\tCtrl+N", "-", "&Remove File(s)\tCtrl+O",
                           "&Repair File(s)\tCtrl+S", "-", "Browse folder", "Save file(s)", "-",
                           "E&xit"}));
    EXPECT_EQ(MenuTexts("HelpMenu"), (QStringList{"&About Quillmark Formula Fixer", "-",
                                                  "Software Help", "Visit Software WebPage"}));

    auto* toolbar = Frame().findChild<QToolBar*>("Standard");
    ASSERT_NE(toolbar, nullptr);
    EXPECT_EQ(toolbar->windowTitle(), "Standard");
    QStringList tips;
    for (QAction* action : toolbar->actions()) {
        tips << action->toolTip();
        EXPECT_FALSE(action->icon().isNull());
    }
    EXPECT_EQ(tips, (QStringList{"Select file(s)", "Remove file(s)", "Repair file(s)",
                                 "Browse folder", "Save file(s)", "Help", "About"}));
    EXPECT_EQ(Command("RepairFilesCommand")->statusTip(), "Repair corrupt .odf file(s)");

    EXPECT_EQ(Frame().StatusText(), "Quillmark Formula Fixer");
    EXPECT_EQ(Frame().findChild<QLabel*>("StatusText")->width(), 500);
    for (const char* name : {"IndicatorCAP", "IndicatorNUM", "IndicatorSCRL"}) {
        EXPECT_NE(Frame().findChild<QLabel*>(name), nullptr) << name;
    }
}

TEST_F(FrameWindow, CommandsFollowTheViewsFlags) {
    EXPECT_TRUE(Command("SelectFilesCommand")->isEnabled());
    EXPECT_FALSE(Command("RemoveFilesCommand")->isEnabled());
    EXPECT_FALSE(Command("RepairFilesCommand")->isEnabled());
    EXPECT_FALSE(Command("SaveFilesCommand")->isEnabled());
    SelectFiles({"/x/a.odf"});
    EXPECT_TRUE(Command("RemoveFilesCommand")->isEnabled());
    EXPECT_TRUE(Command("RepairFilesCommand")->isEnabled());
    EXPECT_FALSE(Command("BrowseFolderCommand")->isEnabled());
}

TEST_F(FrameWindow, KeysSelectWithCtrlNAndCtrlOAndSaveOnlyWhenAllowed) {
    QTest::keyClick(&Frame(), Qt::Key_N, Qt::ControlModifier);
    QTest::keyClick(&Frame(), Qt::Key_O, Qt::ControlModifier);
    EXPECT_EQ(dialogs.openCalls, 2);  // Ctrl+O selects files, it does not remove them

    // Ctrl+S before any repair does nothing at all.
    const fs::path a = MakeDamagedPackage(files.path(), "a.odf", "x", false);
    SelectFiles({QString::fromStdString(a.string())});
    QTest::keyClick(&Frame(), Qt::Key_S, Qt::ControlModifier);
    EXPECT_FALSE(View().PassActive());
    EXPECT_TRUE(notices.empty());

    Click("RepairFiles");
    WaitForPass();
    Find<CXEditPrompt>("Destination")->SetText(QString::fromStdString(files.path().string()));
    QTest::keyClick(&Frame(), Qt::Key_S, Qt::ControlModifier);  // saves, does not repair
    WaitForPass();
    EXPECT_TRUE(fs::exists(files.path() / "MENDED_a.odf"));
}

TEST_F(FrameWindow, CloseAskedNoKeepsEverything) {
    const fs::path a = MakeDamagedPackage(files.path(), "a.odf", "x", false);
    SelectFiles({QString::fromStdString(a.string())});
    RepairAndWait();
    answers.push_back(kIdNo);
    EXPECT_FALSE(Frame().close());
    EXPECT_TRUE(Frame().isVisible());
    EXPECT_TRUE(fs::is_directory(View().RowFolder(0)));
    ASSERT_EQ(notices.size(), 1u);
    EXPECT_EQ(notices[0].text, "Do you really want to exit?");
    EXPECT_EQ(notices[0].style, kMbYesNo | kMbIconQuestion);

    // Yes: the window goes and so does the workspace.
    EXPECT_TRUE(Frame().close());
    EXPECT_FALSE(fs::exists(WorkspaceRoot()));
}

TEST_F(FrameWindow, CloseWhileAPassRunsIsRefused) {
    const fs::path a = MakeDamagedPackage(files.path(), "a.odf", "x", false);
    SelectFiles({QString::fromStdString(a.string())});
    bool refused = false;
    WatchPassCalls([&] {
        if (!refused && Frame().JobRunning().load() == 1) {
            refused = !Frame().close();
        }
    });
    RepairAndWait();
    ASSERT_TRUE(refused);
    ASSERT_EQ(notices.size(), 1u);
    EXPECT_EQ(notices[0].text, "Please stop the running process before closing the application.");
    EXPECT_TRUE(Frame().isVisible());
    EXPECT_TRUE(fs::is_directory(View().RowFolder(0)));
}

TEST_F(FrameWindow, HelpWithoutItsFileSaysToReinstall) {
    ASSERT_FALSE(fs::exists(CMainFrame::HelpFilePath().toStdString()));
    Frame().OnHelpContents();
    ASSERT_EQ(notices.size(), 1u);
    EXPECT_EQ(notices[0].text,
              "Quillmark Formula Fixer help file not found, please re-install the software. ");
    EXPECT_EQ(notices[0].style, kMbIconInformation);
}

TEST_F(FrameWindow, LogoSitsTopRightAndTheFrameKeepsItsMinimumSize) {
    auto* logo = Frame().findChild<QLabel*>("Logo");
    ASSERT_NE(logo, nullptr);
    EXPECT_EQ(logo->geometry(), QRect(Frame().width() - 250, 28, 245, 50));
    EXPECT_EQ(logo->cursor().shape(), Qt::PointingHandCursor);
    QTest::mouseMove(logo, QPoint(10, 10));
    QTRY_COMPARE(Frame().StatusText(), QString("Quillmark Formula Fixer"));

    Frame().resize(300, 200);
    QTRY_COMPARE(Frame().size(), QSize(650, 450));
    EXPECT_EQ(logo->geometry(), QRect(400, 28, 245, 50));
}

TEST_F(FrameWindow, AStartLeftoverWorkspaceIsWipedWhenTheViewIsMade) {
    // What an earlier run left behind.
    const fs::path leftover = WorkspaceRoot() / "old.odf0";
    fs::create_directories(leftover);
    WriteFile(leftover / "content.xml", "old");
    MakeWindow();
    EXPECT_FALSE(fs::exists(WorkspaceRoot()));
}

}  // namespace
}  // namespace qff::test
