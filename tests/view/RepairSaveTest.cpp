// Whole passes through the window: repair and save real damaged packages, stop a
// pass, and the two races the window closes (close during a stopped pass, double Save).

#include <QCheckBox>
#include <QPushButton>
#include <QTest>

#include "PackageFixture.h"
#include "WindowFixture.h"
#include "app/CMainFrame.h"
#include "app/CTarnixListCtrl.h"
#include "app/CXEditPrompt.h"
#include "engine/EngineHost.h"
#include "view/COrvantaView.h"
#include "view/CPictureBox.h"

#include <algorithm>

namespace qff::test {
namespace {

namespace fs = std::filesystem;

QString Q(const fs::path& path) {
    return QString::fromStdString(path.string());
}

class Passes : public WindowTest {
  protected:
    void SetUp() override {
        WindowTest::SetUp();
        MakeWindow();
        fs::create_directories(out.path() / "dest");
    }

    CTarnixListCtrl& List() { return *Find<CTarnixListCtrl>("FileList"); }

    TempDir in;
    TempDir out;
};

TEST_F(Passes, RepairAndSaveRebuildPackagesOnDisk) {
    const fs::path a = MakeDamagedPackage(in.path(), "a.odf", "a over b", true);
    const fs::path b = MakeDamagedPackage(in.path(), "b.odf", "sum of c", false);
    const fs::path missing = in.path() / "vanished.odf";
    SelectFiles({Q(a), Q(missing), Q(b)});
    RepairAndWait();

    // The file that vanished before the pass is reported by the scan, from the worker,
    // with the box run on the user-interface thread; the others are repaired.
    ASSERT_EQ(notices.size(), 1u);
    EXPECT_TRUE(notices[0].onUiThread);
    EXPECT_EQ(List().GetItemData(0), 1);
    EXPECT_EQ(List().GetItemData(1), 0);
    EXPECT_EQ(List().GetItemImage(1), 2);
    EXPECT_EQ(List().GetItemData(2), 1);
    EXPECT_EQ(List().GetItemImage(2), 1);
    EXPECT_TRUE(LogText().contains(Q(missing) + " extraction of file failed...."));
    EXPECT_TRUE(LogText().contains("Repairing process completed...."));

    dialogs.folders.push_back(Q(out.path() / "dest"));
    Click("Browse");
    notices.clear();
    Click("Save");
    WaitForPass();

    for (const auto& [name, formula] : {std::pair{"a.odf", "a over b"}, {"b.odf", "sum of c"}}) {
        SCOPED_TRACE(name);
        const auto members = ReadPackage(out.path() / "dest" / (std::string("MENDED_") + name));
        ASSERT_TRUE(members.has_value());
        EXPECT_NE(members->at("content.xml").find(formula), std::string::npos);
        EXPECT_EQ(members->count("mimetype"), 1u);
    }
    EXPECT_FALSE(fs::exists(out.path() / "dest" / "MENDED_vanished.odf"));
    // Media of a, which has pictures; none for b.
    EXPECT_TRUE(fs::exists(out.path() / "dest" / "a.odf_MediaContent" / "thumbnail.png"));
    EXPECT_FALSE(fs::exists(out.path() / "dest" / "b.odf_MediaContent"));
    EXPECT_TRUE(LogText().contains(Q(missing) + " cannot be saved,as it is not Repaired."));

    // The final notice belongs to the view and links to the folder as typed.
    ASSERT_EQ(notices.size(), 1u);
    EXPECT_TRUE(notices[0].owned);
    const QString dest = Q(out.path() / "dest");
    EXPECT_EQ(notices[0].text,
              "File(s) saving process has been completed.Saved file(s) location is:<br><a href='" +
                  dest + "'>" + dest + "</a>");
}

TEST_F(Passes, WithoutExtractMediaNoMediaFolderIsMade) {
    const fs::path a = MakeDamagedPackage(in.path(), "a.odf", "x", true);
    SelectFiles({Q(a)});
    RepairAndWait();
    Find<CXEditPrompt>("Destination")->SetText(Q(out.path() / "dest"));
    Find<QCheckBox>("ExtractMedia")->setChecked(false);
    Click("Save");
    WaitForPass();
    EXPECT_TRUE(fs::exists(out.path() / "dest" / "MENDED_a.odf"));
    EXPECT_FALSE(fs::exists(out.path() / "dest" / "a.odf_MediaContent"));
}

TEST_F(Passes, StopDuringARepairFinishesTheCurrentFileAndMarksTheRest) {
    QStringList paths;
    for (int i = 0; i < 4; ++i) {
        paths << Q(MakeDamagedPackage(in.path(), "f" + std::to_string(i) + ".odf", "x", false));
    }
    SelectFiles(paths);

    // Stop right after the first file got its tick: the worker is waiting for that
    // very call, so the stop lands deterministically between files 0 and 1.
    bool stopped = false;
    WatchPassCalls([&] {
        if (!stopped && List().GetItemImage(0) == 1) {
            stopped = true;
            Click("Stop");
            // Disabled at once, still visible until the pass ends.
            EXPECT_FALSE(Control("Stop")->isEnabled());
            EXPECT_TRUE(Control("Stop")->isVisible());
        }
    });
    RepairAndWait();
    ASSERT_TRUE(stopped);
    ASSERT_FALSE(notices.empty());
    EXPECT_EQ(notices[0].text, "Are you sure to stop the running process?");
    EXPECT_EQ(notices[0].style, kMbYesNo | kMbIconQuestion);

    EXPECT_EQ(List().GetItemData(0), 1);
    for (int row = 1; row < 4; ++row) {
        SCOPED_TRACE(row);
        EXPECT_EQ(List().GetItemData(row), 0);
        EXPECT_EQ(List().GetItemImage(row), 0);
        EXPECT_TRUE(LogText().contains(
            paths[row] + " file is not extracting as process has been stop by the user.... "));
    }
    EXPECT_FALSE(Control("Stop")->isVisible());
    EXPECT_TRUE(Control("RepairFiles")->isEnabled());
    EXPECT_EQ(Frame().JobRunning().load(), 0);
}

TEST_F(Passes, StopAnsweredNoLetsThePassRunOn) {
    const fs::path a = MakeDamagedPackage(in.path(), "a.odf", "x", false);
    const fs::path b = MakeDamagedPackage(in.path(), "b.odf", "y", false);
    SelectFiles({Q(a), Q(b)});
    bool asked = false;
    WatchPassCalls([&] {
        if (!asked && Control("Stop")->isVisible()) {
            asked = true;
            answers.push_back(kIdNo);
            Click("Stop");
            EXPECT_TRUE(Control("Stop")->isEnabled());
        }
    });
    RepairAndWait();
    ASSERT_TRUE(asked);
    EXPECT_EQ(List().GetItemData(0), 1);
    EXPECT_EQ(List().GetItemData(1), 1);
}

TEST_F(Passes, CloseAfterStopWaitsForThePassBeforeWipingTheWorkspace) {
    QStringList paths;
    for (int i = 0; i < 3; ++i) {
        paths << Q(MakeDamagedPackage(in.path(), "g" + std::to_string(i) + ".odf", "x", false));
    }
    SelectFiles(paths);
    bool closing = false;
    bool wipedEarly = false;
    WatchPassCalls([&] {
        if (closing) {
            // The pass is still working: the window and the workspace must still be there.
            wipedEarly = wipedEarly || !fs::exists(WorkspaceRoot()) || !Frame().isVisible();
            return;
        }
        if (fs::exists(WorkspaceRoot()) && Control("Stop")->isEnabled() &&
            Control("Stop")->isVisible()) {
            Click("Stop");
            closing = true;
            Frame().close();  // "Do you really want to exit?" is answered Yes
        }
    });
    Click("RepairFiles");
    QTRY_VERIFY_WITH_TIMEOUT(!Frame().isVisible(), 20000);
    EXPECT_TRUE(closing);
    EXPECT_FALSE(wipedEarly);
    EXPECT_FALSE(View().PassActive());
    EXPECT_FALSE(fs::exists(WorkspaceRoot()));
    QStringList texts;
    for (const Notice& n : notices) {
        texts << n.text;
    }
    EXPECT_EQ(texts, (QStringList{"Are you sure to stop the running process?",
                                  "Do you really want to exit?"}));
}

TEST_F(Passes, DestinationThatVanishesDuringTheSaveIsReportedAndNothingHangs) {
    QStringList paths;
    for (int i = 0; i < 3; ++i) {
        paths << Q(MakeDamagedPackage(in.path(), "h" + std::to_string(i) + ".odf", "x", false));
    }
    SelectFiles(paths);
    RepairAndWait();
    const fs::path dest = out.path() / "dest";
    Find<CXEditPrompt>("Destination")->SetText(Q(dest));
    bool removed = false;
    WatchPassCalls([&] {
        if (!removed && fs::exists(dest / "MENDED_h0.odf")) {
            removed = true;
            fs::remove_all(dest);
        }
    });
    Click("Save");
    WaitForPass();
    ASSERT_TRUE(removed);
    EXPECT_TRUE(LogText().contains(paths[2] + " saving of file failed...."));
    EXPECT_TRUE(LogText().contains("Saving processing completed...."));
    EXPECT_TRUE(Control("Save")->isEnabled());
    EXPECT_EQ(Frame().JobRunning().load(), 0);
}

TEST_F(Passes, PreviewWhileThePassStillFillsTheWorkspace) {
    QStringList paths;
    for (int i = 0; i < 3; ++i) {
        paths << Q(MakeDamagedPackage(in.path(), "p" + std::to_string(i) + ".odf", "x", true));
    }
    SelectFiles(paths);
    std::vector<PreviewState> seen;
    WatchPassCalls([&] {
        // Each row as the pass leaves it: repaired, being repaired, not yet begun.
        for (int row = 0; row < 3; ++row) {
            View().OnPreviewItem(row);
            seen.push_back(Find<CPictureBox>("Preview")->GetState());
        }
    });
    RepairAndWait();
    EXPECT_FALSE(seen.empty());
    EXPECT_NE(std::find(seen.begin(), seen.end(), PreviewState::Picture), seen.end());
    EXPECT_EQ(List().GetItemData(2), 1);
}

TEST_F(Passes, ASecondSaveBeforeTheFirstHasStartedIsRefused) {
    const fs::path a = MakeDamagedPackage(in.path(), "a.odf", "x", false);
    SelectFiles({Q(a)});
    RepairAndWait();
    Find<CXEditPrompt>("Destination")->SetText(Q(out.path() / "dest"));
    notices.clear();
    // Two presses before the first pass has had any chance to set jobRunning.
    View().OnSaveFiles();
    View().OnSaveFiles();
    WaitForPass();
    ASSERT_EQ(notices.size(), 2u);
    EXPECT_EQ(notices[0].text, "Please stop the running process before saving the file(s).");
    EXPECT_TRUE(notices[1].text.startsWith("File(s) saving process has been completed."));
    EXPECT_EQ(LogText().count("Saving processing completed...."), 1);
}

}  // namespace
}  // namespace qff::test
