// The main view's layout at several sizes and its six states with every transition.

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "PackageFixture.h"
#include "WindowFixture.h"
#include "app/CMainFrame.h"
#include "app/CTarnixListCtrl.h"
#include "app/CXEditPrompt.h"
#include "feedback/HintBox.h"
#include "view/COrvantaView.h"
#include "view/ViewLayout.h"

namespace qff::test {
namespace {

namespace fs = std::filesystem;

// ---- Layout ------------------------------------------------------------------------

struct LayoutCase {
    const char* name;
    int width, height;
    bool fileRow, totalRow;
    QRect destination, log, fileBar, totalBar;
};

void PrintTo(const LayoutCase& c, std::ostream* out) {
    *out << c.name;
}

class LayoutTable : public ::testing::TestWithParam<LayoutCase> {};

TEST_P(LayoutTable, PlacesControlsForTheSize) {
    const LayoutCase& c = GetParam();
    const ViewLayout l = ViewLayout::Compute(c.width, c.height, c.fileRow, c.totalRow);
    EXPECT_EQ(l.destination, c.destination);
    EXPECT_EQ(l.log, c.log);
    EXPECT_EQ(l.fileProgress, c.fileBar);
    EXPECT_EQ(l.totalProgress, c.totalBar);
}

INSTANTIATE_TEST_SUITE_P(
    Sizes, LayoutTable,
    ::testing::Values(
        // The smallest frame's client area: the destination edit is 49 pixels wide.
        LayoutCase{"Min", 634, 391, false, false, {305, 227, 49, 22}, {10, 256, 614, 65}, {}, {}},
        // Odd height: the middle rounds down.
        LayoutCase{
            "OddHeight", 1000, 601, false, false, {305, 332, 415, 22}, {10, 361, 980, 170}, {}, {}},
        // Both rows: the log is 35 pixels shorter, bars at bottom+5 and bottom+28.
        LayoutCase{"Repairing",
                   1000,
                   600,
                   true,
                   true,
                   {305, 332, 415, 22},
                   {10, 361, 980, 134},
                   {165, 500, 825, 13},
                   {165, 523, 825, 13}},
        // Total row alone: 20 pixels shorter, the total bar right below the log.
        LayoutCase{"Saving",
                   1000,
                   600,
                   false,
                   true,
                   {305, 332, 415, 22},
                   {10, 361, 980, 149},
                   {},
                   {165, 515, 825, 13}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(LayoutFixed, RightAlignedControlsFollowTheWidth) {
    const ViewLayout l = ViewLayout::Compute(1280, 727, false, false);
    EXPECT_EQ(l.preview, QRect(1070, 113, 200, 275));
    EXPECT_EQ(l.fileList, QRect(10, 113, 1050, 275));
    EXPECT_EQ(l.save, QRect(1060, 393, 70, 26));
    EXPECT_EQ(l.exit, QRect(1215, 687, 55, 30));
    EXPECT_EQ(l.hint, QRect(75, 677, 310, 45));
    EXPECT_EQ(QSize(l.listBackgroundWidth, l.listBackgroundHeight), QSize(1050, 290));
}

class ViewWindow : public WindowTest {};

TEST_F(ViewWindow, ControlsSitWhereTheLayoutPutsThem) {
    for (QSize size : {QSize(650, 420), QSize(1280, 700), QSize(900, 555)}) {
        MakeWindow(size.width(), size.height());
        const ViewLayout l = ViewLayout::Compute(size.width(), size.height(), false, false);
        EXPECT_EQ(Control("Destination")->geometry(), l.destination);
        EXPECT_EQ(Control("ActivityLog")->geometry(), l.log);
        EXPECT_EQ(Control("FileList")->geometry(), l.fileList);
        EXPECT_EQ(Control("Preview")->geometry(), l.preview);
        EXPECT_EQ(Control("Exit")->geometry(), l.exit);
    }
}

// ---- States ------------------------------------------------------------------------

enum class ProgressRows { None, Both, TotalOnly };

struct State {
    const char* name;
    bool select, remove, repair, saveGroup;
    bool stopShown;
    ProgressRows rows;
    HintBox::Hint hint;
    int jobRunning;
};

const State kEmpty{"ViewEmpty",        true, false, false, false, false, ProgressRows::None,
                   HintBox::HintStart, 0};
const State kListed{"ViewListed",       true, true, true, false, false, ProgressRows::None,
                    HintBox::HintStart, 0};
const State kRepairing{"ViewRepairing",        false, false, false, false, true, ProgressRows::Both,
                       HintBox::HintRepairing, 1};
const State kRepaired{"ViewRepaired",        true, true, true, true, false, ProgressRows::None,
                      HintBox::HintRepaired, 0};
const State kSaving{"ViewSaving",        false, false, false, false, true, ProgressRows::TotalOnly,
                    HintBox::HintSaving, 1};
const State kSaved{"ViewSaved",        true, true, true, true, false, ProgressRows::None,
                   HintBox::HintSaved, 0};

class ViewStates : public WindowTest {
  protected:
    // Checks every control and flag the state table names.
    void ExpectState(const State& s) {
        SCOPED_TRACE(s.name);
        COrvantaView& v = View();
        EXPECT_EQ(Control("SelectFiles")->isEnabled(), s.select);
        EXPECT_EQ(Control("RemoveFiles")->isEnabled(), s.remove);
        EXPECT_EQ(Control("RepairFiles")->isEnabled(), s.repair);
        for (const char* name : {"Browse", "Save", "ExtractMedia", "Destination"}) {
            EXPECT_EQ(Control(name)->isEnabled(), s.saveGroup) << name;
        }
        EXPECT_EQ(Control("Stop")->isVisible(), s.stopShown);
        if (s.stopShown) {
            EXPECT_TRUE(Control("Stop")->isEnabled());
        }
        EXPECT_TRUE(Control("Exit")->isEnabled());
        EXPECT_EQ(Control("FileProgressLabel")->isVisible(), s.rows == ProgressRows::Both);
        EXPECT_EQ(Control("FileProgress")->isVisible(), s.rows == ProgressRows::Both);
        EXPECT_EQ(Control("TotalProgressLabel")->isVisible(), s.rows != ProgressRows::None);
        EXPECT_EQ(Control("TotalProgress")->isVisible(), s.rows != ProgressRows::None);
        EXPECT_EQ(v.SelectEnabled(), s.select);
        EXPECT_EQ(v.RepairEnabled(), s.repair);
        EXPECT_EQ(v.SaveEnabled(), s.saveGroup);
        EXPECT_EQ(Find<HintBox>("HintBox")->CurrentHint(), s.hint);
        EXPECT_EQ(Frame().JobRunning().load(), s.jobRunning);
        // The log makes room for exactly the rows that show.
        const int shorter = s.rows == ProgressRows::Both        ? 35
                            : s.rows == ProgressRows::TotalOnly ? 20
                                                                : 0;
        EXPECT_EQ(Control("ActivityLog")->height(), v.height() - v.height() / 2 - 131 - shorter);
    }

    // Checks the state while a pass runs: once the pass shows the wanted progress rows
    // and has laid the view out again (a few of its calls later).
    void ExpectDuringPass(ProgressRows rows, const State& expected) {
        matches_ = 0;
        WatchPassCalls([this, rows, expected] {
            const bool file = Control("FileProgressLabel")->isVisible();
            const bool total = Control("TotalProgressLabel")->isVisible();
            const bool match = rows == ProgressRows::Both ? (file && total) : (!file && total);
            if (match && ++matches_ == 3) {
                ExpectState(expected);
            }
        });
    }

    TempDir packages;
    int matches_ = 0;
};

TEST_F(ViewStates, EveryTransitionOfTheStateTable) {
    MakeWindow();
    ExpectState(kEmpty);
    EXPECT_EQ(LogText(), "Click Select files to select .odf file(s) to repair....");
    EXPECT_TRUE(Find<QCheckBox>("ExtractMedia")->isChecked());

    const fs::path a = MakeDamagedPackage(packages.path(), "a.odf", "a+b", true);
    const fs::path b = MakeDamagedPackage(packages.path(), "b.odf", "c+d", false);
    SelectFiles({QString::fromStdString(a.string()), QString::fromStdString(b.string())});
    ExpectState(kListed);
    EXPECT_EQ(LogText(), "Select .odf file(s) to Repair....");

    ExpectDuringPass(ProgressRows::Both, kRepairing);
    RepairAndWait();
    EXPECT_EQ(matches_ >= 3, true) << "the repairing state was never seen";
    ExpectState(kRepaired);

    Find<CXEditPrompt>("Destination")->SetText(QString::fromStdString(packages.path().string()));
    ExpectDuringPass(ProgressRows::TotalOnly, kSaving);
    Click("Save");
    WaitForPass();
    EXPECT_GE(matches_, 3) << "the saving state was never seen";
    ExpectState(kSaved);

    // A second repair after a save keeps the save group as it was: enabled.
    State repairingAgain = kRepairing;
    repairingAgain.saveGroup = true;
    ExpectDuringPass(ProgressRows::Both, repairingAgain);
    RepairAndWait();
    ExpectState(kRepaired);

    // Select files after a pass starts a new list.
    const fs::path c = MakeDamagedPackage(packages.path(), "c.odf", "e", false);
    SelectFiles({QString::fromStdString(c.string())});
    EXPECT_EQ(Rows(), QStringList{QString::fromStdString(c.string())});
    State listedAfterPass = kListed;
    listedAfterPass.saveGroup = true;  // kept from the pass
    listedAfterPass.hint = HintBox::HintRepaired;
    ExpectState(listedAfterPass);

    // Removing the last row returns to the empty state.
    Find<CTarnixListCtrl>("FileList")->selectAll();
    Click("RemoveFiles");
    ExpectState(kEmpty);
}

TEST_F(ViewStates, SaveDuringASecondRepairIsRefused) {
    MakeWindow();
    const fs::path a = MakeDamagedPackage(packages.path(), "a.odf", "a", false);
    SelectFiles({QString::fromStdString(a.string())});
    RepairAndWait();
    Find<CXEditPrompt>("Destination")->SetText(QString::fromStdString(packages.path().string()));

    bool pressed = false;
    WatchPassCalls([this, &pressed] {
        if (!pressed && Control("FileProgressLabel")->isVisible()) {
            pressed = true;
            // The save group stays enabled during this pass; Save must refuse.
            QTest::mouseClick(Find<QPushButton>("Save"), Qt::LeftButton);
        }
    });
    RepairAndWait();
    ASSERT_TRUE(pressed);
    ASSERT_FALSE(notices.empty());
    EXPECT_EQ(notices.back().text, "Please stop the running process before saving the file(s).");
    EXPECT_FALSE(fs::exists(packages.path() / "MENDED_a.odf"));
}

TEST_F(ViewStates, StatusBarShowsTheTextOfTheWindowUnderTheMouse) {
    MakeWindow();
    QTest::mouseMove(Control("RepairFiles"), QPoint(5, 5));
    QTRY_COMPARE(Frame().StatusText(), QString("Repair files"));
    QTest::mouseMove(&View(), QPoint(500, 75));
    QTRY_COMPARE(Frame().StatusText(), QString());
    QTest::mouseMove(Control("ActivityLog"), QPoint(20, 20));
    QTRY_VERIFY(Frame().StatusText().startsWith("Click Select files"));
}

}  // namespace
}  // namespace qff::test
