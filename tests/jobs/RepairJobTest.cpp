#include <gtest/gtest.h>

#include "JobScenario.h"
#include "jobs/RepairJob.h"

namespace qff::test {
namespace {

namespace fs = std::filesystem;
using Icon = JobView::RowIcon;

enum class Outcome { Repaired, Failed, Stopped };

struct RepairCase {
    const char* name;
    std::vector<FileKind> files;
    // Stop is confirmed right after this file's " file is open...." line (-1: never).
    int stopDuringScanOf;
    std::vector<Outcome> outcomes;
    std::vector<int> totalPositions;
};

void PrintTo(const RepairCase& c, std::ostream* os) {
    *os << c.name;
}

class RepairScenario : public ::testing::TestWithParam<RepairCase> {};

TEST_P(RepairScenario, LogMarksIconsFoldersAndProgress) {
    const RepairCase& c = GetParam();
    JobScenario s;
    std::vector<std::string> paths;
    for (std::size_t i = 0; i < c.files.size(); ++i) {
        paths.push_back(s.List(c.files[i], "f" + std::to_string(i) + ".odf"));
    }
    if (c.stopDuringScanOf >= 0) {
        s.view.StopAfterLine(paths[c.stopDuringScanOf] + " file is open....", &s.running);
    }
    s.Repair();

    std::vector<LogLine> expected;
    std::vector<int> marks;
    std::vector<Icon> icons;
    int failures = 0;
    for (std::size_t i = 0; i < paths.size(); ++i) {
        const fs::path folder = s.root() / ("f" + std::to_string(i) + ".odf" + std::to_string(i));
        switch (c.outcomes[i]) {
            case Outcome::Repaired:
                Append(expected, RepairedLines(paths[i]));
                marks.push_back(1);
                icons.push_back(Icon::Repaired);
                EXPECT_EQ(s.view.rows[i].folder, folder) << i;
                // Whatever the scan found, the folder holds a usable formula body.
                EXPECT_GE(fs::file_size(folder / "content.xml"), 191u) << i;
                break;
            case Outcome::Failed:
                Append(expected, ExtractionFailedLines(paths[i]));
                marks.push_back(0);
                icons.push_back(Icon::Listed);
                EXPECT_TRUE(s.view.rows[i].folder.empty()) << i;
                EXPECT_FALSE(fs::exists(folder)) << i;
                ++failures;
                break;
            case Outcome::Stopped:
                Append(expected, RepairStoppedLines(paths[i]));
                marks.push_back(0);
                icons.push_back(Icon::NotRepaired);
                EXPECT_TRUE(s.view.rows[i].folder.empty()) << i;
                EXPECT_FALSE(fs::exists(folder)) << i;
                break;
        }
    }
    Append(expected, RepairEndLines());

    EXPECT_EQ(s.view.log, expected);
    EXPECT_EQ(s.view.Marks(), marks);
    EXPECT_EQ(s.view.Icons(), icons);
    EXPECT_EQ(s.view.totalPositions, c.totalPositions);
    // One notice for each file that could not be opened, none otherwise.
    EXPECT_EQ(static_cast<int>(s.view.notices.size()), failures);
    EXPECT_EQ(s.running.load(), 0);
}

const Outcome R = Outcome::Repaired;
const Outcome F = Outcome::Failed;
const Outcome S = Outcome::Stopped;
const FileKind G = FileKind::Good;

INSTANTIATE_TEST_SUITE_P(
    Cases, RepairScenario,
    ::testing::Values(
        RepairCase{
            "MiddleOfThreeLocked", {G, FileKind::Locked, G}, -1, {R, F, R}, {0, 0, 1, 2, 3, 3}},
        RepairCase{"StopDuringFirstScan", {G, G, G}, 0, {R, S, S}, {0, 0, 1, 3}},
        RepairCase{"StopDuringLastFileLeavesNoTrace", {G, G, G}, 2, {R, R, R}, {0, 0, 1, 2, 3, 3}},
        RepairCase{"EmptyList", {}, -1, {}, {0, 0, 0}},
        RepairCase{"MissingEmptyJunkAndFolderAmongGood",
                   {FileKind::Missing, G, FileKind::Empty, FileKind::Junk, FileKind::Folder, G},
                   -1,
                   {F, R, R, R, F, R},
                   {0, 0, 1, 2, 3, 4, 5, 6, 6}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(RepairJob, StartAndEndSwitchControlsLikeTheView) {
    JobScenario s;
    s.List(FileKind::Good, "a.odf");
    s.Repair();
    const std::vector<std::string> expected = {
        // Start, on the user-interface thread (no workspace yet, so no wipe).
        "flag listRepaired on", "preview NotRepaired", "hint Repairing", "button RepairFiles off",
        "flag repairEnabled off", "button RemoveFiles off", "button Stop on", "show Stop on",
        "button SelectFiles off", "flag selectEnabled off", "preview Repairing", "log text \"\"",
        // The pass.
        "file row on", "total row on", "relayout", "total reset", "total range 1",
        // End steps.
        "preview SelectToPreview", "button SelectFiles on", "flag selectEnabled on",
        "show Stop off", "save group on", "flag repairEnabled on", "button RepairFiles on",
        "button RemoveFiles on", "hint Repaired", "file row off", "total row off", "relayout"};
    EXPECT_EQ(s.view.events, expected);
}

TEST(RepairJob, StopIsConfirmedOnlyByYes) {
    for (const int answer : {kIdYes, kIdNo}) {
        JobScenario s;
        s.running = 1;
        s.view.answer = answer;
        EXPECT_EQ(ConfirmStop(s.params), answer == kIdYes);
        EXPECT_EQ(s.view.notices,
                  std::vector<std::string>{"question Are you sure to stop the running process?"});
        EXPECT_EQ(s.running.load(), answer == kIdYes ? 0 : 1);
        EXPECT_EQ(s.view.events, answer == kIdYes ? std::vector<std::string>{"button Stop off"}
                                                  : std::vector<std::string>{});
    }
}

TEST(RepairJob, SecondPassStartsFromAnEmptyWorkspaceAndLog) {
    JobScenario s;
    const std::string a = s.List(FileKind::Good, "a.odf");
    s.Repair();
    const auto firstLog = s.view.log;
    WriteFile(s.root() / "a.odf0" / "left-over.txt", "from the first pass");
    WriteFile(s.root() / "stray.odf7", "not of this list");
    s.view.events.clear();
    s.Repair();

    // The wipe blanks the preview before any folder goes.
    ASSERT_GE(s.view.events.size(), 2u);
    EXPECT_EQ(s.view.events[0], "preview Picture");
    EXPECT_EQ(s.view.log, firstLog);
    EXPECT_EQ(ReadTree(s.root() / "a.odf0").count("left-over.txt"), 0u);
    EXPECT_FALSE(fs::exists(s.root() / "stray.odf7"));
    EXPECT_EQ(s.view.Marks(), std::vector<int>{1});
}

TEST(RepairJob, SameNameInTwoFoldersGetsTwoWorkingFolders) {
    JobScenario s;
    const std::string x = s.List(FileKind::Good, "formula.odf", "x");
    const std::string y = s.List(FileKind::Good, "formula.odf", "y");
    s.Repair();
    ASSERT_EQ(s.view.rows[0].folder, s.root() / "formula.odf0");
    ASSERT_EQ(s.view.rows[1].folder, s.root() / "formula.odf1");
    EXPECT_EQ(ReadTree(s.view.rows[0].folder)["content.xml"], s.MembersOf(x)["content.xml"]);
    EXPECT_EQ(ReadTree(s.view.rows[1].folder)["content.xml"], s.MembersOf(y)["content.xml"]);
}

// A row repaired by one pass and unreadable at the next must not keep its tick and
// mark: its salvage went with the wipe, so a save would pack nothing under its name.
TEST(RepairJob, RowThatFailsAtTheNextPassLosesItsMarkAndFolder) {
    JobScenario s;
    const std::string a = s.List(FileKind::Good, "a.odf");
    s.Repair();
    ASSERT_EQ(s.view.Marks(), std::vector<int>{1});
    LockedFile lock(a);
    s.Repair();
    EXPECT_EQ(s.view.Marks(), std::vector<int>{0});
    EXPECT_EQ(s.view.Icons(), std::vector<Icon>{Icon::Listed});
    EXPECT_TRUE(s.view.rows[0].folder.empty());
}

TEST(RepairJob, RowsDroppedDuringThePassAreLeftAlone) {
    JobScenario s;
    const std::string a = s.List(FileKind::Good, "a.odf");
    s.view.afterLine = [&](const std::string& line) {
        if (line == a + " file is open....\r\n") {
            s.view.AddRow(s.dir().string() + "/dropped.odf");
        }
    };
    s.Repair();
    std::vector<LogLine> expected = RepairedLines(a);
    Append(expected, RepairEndLines());
    EXPECT_EQ(s.view.log, expected);
    EXPECT_EQ(s.view.Marks(), (std::vector<int>{1, 0}));
    EXPECT_EQ(s.view.Icons(), (std::vector<Icon>{Icon::Repaired, Icon::Listed}));
    EXPECT_EQ(s.view.totalPositions.back(), 1);
}

}  // namespace
}  // namespace qff::test
