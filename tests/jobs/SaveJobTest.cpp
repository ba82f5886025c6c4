#include <gtest/gtest.h>
#include <sys/resource.h>

#include <csignal>
#include <set>

#include "JobScenario.h"
#include "jobs/SaveJob.h"

namespace qff::test {
namespace {

namespace fs = std::filesystem;

enum class Saved { Written, NotRepaired, Stopped };

struct SaveCase {
    const char* name;
    std::vector<FileKind> files;  // Missing files fail the repair and stay unrepaired
    bool media;
    bool trailingSeparator;
    int stopWhileSaving;  // Stop is confirmed as this file starts saving (-1: never)
    std::vector<Saved> outcomes;
    std::vector<int> totalPositions;
};

void PrintTo(const SaveCase& c, std::ostream* os) {
    *os << c.name;
}

class SaveScenario : public ::testing::TestWithParam<SaveCase> {};

TEST_P(SaveScenario, LogPackagesMediaMarksAndNotice) {
    const SaveCase& c = GetParam();
    JobScenario s;
    std::vector<std::string> paths;
    for (std::size_t i = 0; i < c.files.size(); ++i) {
        paths.push_back(s.List(c.files[i], "f" + std::to_string(i) + ".odf"));
    }
    s.Repair();
    const fs::path out = s.dir() / "out";
    fs::create_directory(out);
    const std::string typed = out.string() + (c.trailingSeparator ? "/" : "");
    s.view.media = c.media;
    if (c.stopWhileSaving >= 0) {
        s.view.StopAfterLine(paths[c.stopWhileSaving] + " saving of file starts....", &s.running);
    }
    s.view.notices.clear();
    s.view.totalPositions.clear();

    ASSERT_EQ(s.Save(typed), 1);

    std::vector<LogLine> expected;
    std::vector<int> marks;
    for (std::size_t i = 0; i < paths.size(); ++i) {
        const std::string name = "f" + std::to_string(i) + ".odf";
        const bool pictures = c.files[i] == FileKind::WithPictures;
        const fs::path media = out / (name + "_MediaContent");
        switch (c.outcomes[i]) {
            case Saved::Written: {
                Append(expected, SavedLines(paths[i], !c.media ? 0 : pictures ? 1 : 2));
                marks.push_back(1);
                const auto package = ReadPackage(out / ("MENDED_" + name));
                ASSERT_TRUE(package.has_value()) << name;
                EXPECT_EQ(*package, s.MembersOf(paths[i])) << name;
                if (c.media && pictures) {
                    const std::map<std::string, std::string> copied = {
                        {"thumbnail.png", s.MembersOf(paths[i])["Thumbnails/thumbnail.png"]},
                        {"diagram.JPG", s.MembersOf(paths[i])["Pictures/diagram.JPG"]}};
                    EXPECT_EQ(ReadTree(media), copied) << name;
                } else {
                    EXPECT_FALSE(fs::exists(media)) << name;
                }
                break;
            }
            case Saved::NotRepaired:
                Append(expected, NotRepairedSaveLines(paths[i]));
                marks.push_back(0);
                break;
            case Saved::Stopped:
                Append(expected, SaveStoppedLines(paths[i]));
                marks.push_back(0);
                break;
        }
        if (c.outcomes[i] != Saved::Written) {
            EXPECT_FALSE(fs::exists(out / ("MENDED_" + name))) << name;
            EXPECT_FALSE(fs::exists(media)) << name;
        }
    }
    Append(expected, SaveEndLines());

    EXPECT_EQ(s.view.log, expected);
    EXPECT_EQ(s.view.Marks(), marks);
    EXPECT_EQ(s.view.totalPositions, c.totalPositions);
    // The notice shows the destination exactly as typed, as a link to itself.
    const std::vector<std::string> notice = {
        "view File(s) saving process has been completed.Saved file(s) location is:<br><a href='" +
        typed + "'>" + typed + "</a>"};
    EXPECT_EQ(s.view.notices, notice);
    EXPECT_EQ(s.running.load(), 0);
    // Nothing but packages and media folders lands in the destination.
    for (const auto& entry : fs::directory_iterator(out)) {
        const std::string name = entry.path().filename().string();
        EXPECT_TRUE(name.rfind("MENDED_", 0) == 0 || name.ends_with("_MediaContent")) << name;
    }
}

const Saved W = Saved::Written;
const Saved U = Saved::NotRepaired;
const Saved S = Saved::Stopped;
const FileKind G = FileKind::Good;
const FileKind P = FileKind::WithPictures;
const FileKind M = FileKind::Missing;

INSTANTIATE_TEST_SUITE_P(
    Cases, SaveScenario,
    ::testing::Values(
        SaveCase{"MediaOffWritesNoMediaFolder", {P, G}, false, false, -1, {W, W}, {0, 0, 1, 2, 2}},
        SaveCase{"MediaOnWithPictures", {P}, true, false, -1, {W}, {0, 0, 1, 1}},
        SaveCase{"MediaOnWithoutPictures", {G}, true, true, -1, {W}, {0, 0, 1, 1}},
        SaveCase{
            "UnrepairedRowsAreSkipped", {M, G, M}, false, false, -1, {U, W, U}, {0, 0, 1, 2, 3, 3}},
        SaveCase{"EmptyList", {}, true, false, -1, {}, {0, 0, 0}},
        SaveCase{"NothingRepaired", {M, M}, true, true, -1, {U, U}, {0, 0, 1, 2, 2}},
        // The stop shows at the next repaired row; unrepaired rows before it keep
        // their own line.
        SaveCase{
            "StopWhileFirstFileSaves", {G, M, G, G}, false, true, 0, {W, U, S, S}, {0, 0, 1, 2, 4}},
        SaveCase{"StopWhileLastRepairedFileSaves",
                 {G, G, M},
                 false,
                 false,
                 1,
                 {W, W, U},
                 {0, 0, 1, 2, 3, 3}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(SaveJob, StartAndEndSwitchControlsLikeTheView) {
    JobScenario s;
    s.List(FileKind::Good, "a.odf");
    s.Repair();
    s.view.events.clear();
    fs::create_directory(s.dir() / "out");
    ASSERT_EQ(s.Save(s.dir() / "out"), 1);
    const std::vector<std::string> expected = {
        "save group off", "log text \"\"", "flag selectEnabled off", "flag repairEnabled off",
        "button RepairFiles off", "button RemoveFiles off", "button SelectFiles off", "hint Saving",
        "button Stop on", "show Stop on", "file row off", "total row on", "relayout", "total reset",
        "total range 1",
        // End of the pass.
        "hint Saved", "show Stop off", "save group on", "flag selectEnabled on",
        "flag repairEnabled on", "button RepairFiles on", "button RemoveFiles on",
        "button SelectFiles on", "file row off", "total row off", "relayout"};
    EXPECT_EQ(s.view.events, expected);
}

TEST(SaveJob, DestinationThatIsNoFolderChangesNothing) {
    JobScenario s;
    s.List(FileKind::Good, "a.odf");
    s.Repair();
    WriteFile(s.dir() / "plain-file", "x");
    for (const std::string& dest :
         {std::string(), (s.dir() / "missing").string(), (s.dir() / "plain-file").string()}) {
        s.view.events.clear();
        s.view.notices.clear();
        const auto log = s.view.log;
        s.running = 1;  // claimed by the caller before it started the worker
        EXPECT_EQ(s.Save(dest), 0) << dest;
        EXPECT_EQ(s.view.notices,
                  std::vector<std::string>{"notice Please select a valid folder path."})
            << dest;
        EXPECT_TRUE(s.view.events.empty()) << dest;
        EXPECT_EQ(s.view.log, log) << dest;
        EXPECT_EQ(s.running.load(), 0) << dest;
    }
    EXPECT_FALSE(fs::exists(s.dir() / "MENDED_a.odf"));
}

TEST(SaveJob, AfterAStoppedSaveTheRemainingRowsNoLongerCountAsRepaired) {
    JobScenario s;
    const std::string a = s.List(FileKind::Good, "a.odf");
    const std::string b = s.List(FileKind::Good, "b.odf");
    s.Repair();
    fs::create_directory(s.dir() / "out");
    s.view.StopAfterLine(a + " saving of file starts....", &s.running);
    s.Save(s.dir() / "out");
    s.view.afterLine = nullptr;
    s.Save(s.dir() / "out");
    std::vector<LogLine> expected = SavedLines(a, 2);
    Append(expected, NotRepairedSaveLines(b));
    Append(expected, SaveEndLines());
    EXPECT_EQ(s.view.log, expected);
}

// Rows keep the folder their repair made: after the first of two same-named files is
// removed, the second, now at position 0, must still save its own salvage and not
// the removed file's (formula.odf0).
TEST(SaveJob, RemovedRowNeverLendsItsSalvageToAnother) {
    JobScenario s;
    s.List(FileKind::Good, "formula.odf", "x");
    const std::string y = s.List(FileKind::Good, "formula.odf", "y");
    const std::string z = s.List(FileKind::Good, "other.odf", "z");
    s.Repair();
    s.view.RemoveRow(0);
    fs::create_directory(s.dir() / "out");
    s.view.media = false;
    ASSERT_EQ(s.Save(s.dir() / "out"), 1);
    EXPECT_EQ(ReadPackage(s.dir() / "out" / "MENDED_formula.odf"), s.MembersOf(y));
    EXPECT_EQ(ReadPackage(s.dir() / "out" / "MENDED_other.odf"), s.MembersOf(z));
}

TEST(SaveJob, TwoRowsOfOneNameWriteOnePackageTheLaterWins) {
    JobScenario s;
    s.List(FileKind::Good, "formula.odf", "x");
    const std::string y = s.List(FileKind::Good, "formula.odf", "y");
    s.Repair();
    fs::create_directory(s.dir() / "out");
    ASSERT_EQ(s.Save(s.dir() / "out"), 1);
    EXPECT_EQ(ReadPackage(s.dir() / "out" / "MENDED_formula.odf"), s.MembersOf(y));
}

// Lowers the largest file this process may write, so that the writer fails half way
// as on a full disk.
class FileSizeLimit {
  public:
    explicit FileSizeLimit(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &saved_);
        previous_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = saved_;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &saved_);
        std::signal(SIGXFSZ, previous_);
    }

  private:
    rlimit saved_{};
    void (*previous_)(int) = nullptr;
};

enum class WriteFault { OutputNameIsAFolder, DiskFullHalfWay, WorkingFolderGone };

const char* FaultName(WriteFault fault) {
    switch (fault) {
        case WriteFault::OutputNameIsAFolder:
            return "OutputNameIsAFolder";
        case WriteFault::DiskFullHalfWay:
            return "DiskFullHalfWay";
        case WriteFault::WorkingFolderGone:
            return "WorkingFolderGone";
    }
    return "?";
}

void PrintTo(WriteFault fault, std::ostream* os) {
    *os << FaultName(fault);
}

class FailedWrite : public ::testing::TestWithParam<WriteFault> {};

TEST_P(FailedWrite, IsReportedRedAndLeavesNoPartialPackage) {
    JobScenario s;
    const std::string a = s.List(FileKind::Good, "a.odf");
    const std::string b = s.List(FileKind::Good, "b.odf");
    s.Repair();
    const fs::path out = s.dir() / "out";
    fs::create_directory(out);
    const fs::path target = out / "MENDED_a.odf";
    s.view.media = false;

    int result = 0;
    switch (GetParam()) {
        case WriteFault::OutputNameIsAFolder:
            fs::create_directory(target);
            result = s.Save(out);
            EXPECT_TRUE(fs::is_directory(target));
            break;
        case WriteFault::DiskFullHalfWay: {
            // An earlier package of that name survives a failed replacement.
            WriteFile(target, "earlier package");
            // Noise does not compress: the package cannot stay under the limit.
            std::string noise(300000, '\0');
            std::uint32_t x = 12345;
            for (char& c : noise) {
                x = x * 1103515245u + 12345u;
                c = static_cast<char>(x >> 24);
            }
            WriteFile(s.view.rows[0].folder / "noise.bin", noise);
            FileSizeLimit limit(64 * 1024);
            result = s.Save(out);
            EXPECT_EQ(ReadFile(target), "earlier package");
            break;
        }
        case WriteFault::WorkingFolderGone:
            fs::remove_all(s.view.rows[0].folder);
            result = s.Save(out);
            EXPECT_FALSE(fs::exists(target));
            break;
    }
    EXPECT_EQ(result, 1);
    std::vector<LogLine> expected = SaveFailedLines(a);
    Append(expected, SavedLines(b, 0));
    Append(expected, SaveEndLines());
    EXPECT_EQ(s.view.log, expected);
    EXPECT_EQ(ReadPackage(out / "MENDED_b.odf"), s.MembersOf(b));
    // No half-written file under any name.
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(out)) {
        names.insert(entry.path().filename().string());
    }
    const std::set<std::string> expectedNames =
        GetParam() == WriteFault::WorkingFolderGone
            ? std::set<std::string>{"MENDED_b.odf"}
            : std::set<std::string>{"MENDED_a.odf", "MENDED_b.odf"};
    EXPECT_EQ(names, expectedNames);
}

INSTANTIATE_TEST_SUITE_P(Faults, FailedWrite,
                         ::testing::Values(WriteFault::OutputNameIsAFolder,
                                           WriteFault::DiskFullHalfWay,
                                           WriteFault::WorkingFolderGone),
                         [](const auto& info) { return std::string(FaultName(info.param)); });

}  // namespace
}  // namespace qff::test
