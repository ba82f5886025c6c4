#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>

#include "JobScenario.h"
#include "PackageFixture.h"
#include "RunFix.h"

namespace qff::test {
namespace {

namespace fs = std::filesystem;

struct UsageCase {
    const char* name;
    std::vector<std::string> args;  // "OUT" stands for an existing folder, "FILE" for a file
    int status;
    bool usageOnStdout;
    const char* errorText;
};

void PrintTo(const UsageCase& c, std::ostream* os) {
    *os << c.name;
}

class FixUsage : public ::testing::TestWithParam<UsageCase> {};

TEST_P(FixUsage, ExitStatusAndUsageText) {
    const UsageCase& c = GetParam();
    TempDir dir;
    fs::create_directory(dir.path() / "out");
    WriteFile(dir.path() / "file.odf", BuildPackage(FormulaMembers("x", false)));
    std::vector<std::string> args;
    for (const std::string& arg : c.args) {
        args.push_back(arg == "OUT"    ? (dir.path() / "out").string()
                       : arg == "FILE" ? (dir.path() / "file.odf").string()
                                       : arg);
    }
    const FixRun run = RunFix(args, dir.path());
    EXPECT_EQ(run.status, c.status);
    const std::string& usageStream = c.usageOnStdout ? run.out : run.err;
    EXPECT_NE(usageStream.find("Usage: quillmark-fix [--no-media] --out DIR FILE.odf..."),
              std::string::npos)
        << run.out << run.err;
    EXPECT_NE(run.err.find(c.errorText), std::string::npos) << run.err;
    // A refused command line repairs and writes nothing.
    EXPECT_TRUE(fs::is_empty(dir.path() / "out"));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FixUsage,
    ::testing::Values(
        UsageCase{"Help", {"--help"}, 0, true, ""},
        UsageCase{"ShortHelp", {"-h", "--out", "OUT", "FILE"}, 0, true, ""},
        UsageCase{"Nothing", {}, 2, false, "no destination folder"},
        UsageCase{"NoFiles", {"--out", "OUT"}, 2, false, "no files given"},
        UsageCase{"NoDestination", {"FILE"}, 2, false, "no destination folder"},
        UsageCase{"OutWithoutValue", {"FILE", "--out"}, 2, false, "--out needs a folder"},
        UsageCase{
            "UnknownOption", {"--fast", "--out", "OUT", "FILE"}, 2, false, "unknown option --fast"},
        UsageCase{"DestinationIsAFile",
                  {"--out", "FILE", "FILE"},
                  2,
                  false,
                  "Please select a valid folder path."},
        UsageCase{"DestinationMissing",
                  {"--out", "/nonexistent/qff", "FILE"},
                  2,
                  false,
                  "Please select a valid folder path."}),
    [](const auto& info) { return std::string(info.param.name); });

std::string Plain(const std::vector<LogLine>& lines) {
    std::string text;
    for (const LogLine& line : lines) {
        for (std::size_t i = 0; i < line.text.size(); ++i) {
            if (!(line.text[i] == '\r' && i + 1 < line.text.size() && line.text[i + 1] == '\n')) {
                text += line.text[i];
            }
        }
    }
    return text;
}

// The ways a package gets damaged that these runs cover; each leaves every member's
// local header and data in place.
std::string Damage(const std::string& package, int kind) {
    const std::size_t central = package.find("PK\1\2");
    switch (kind) {
        case 0:  // cut off where the central directory began
            return package.substr(0, central);
        case 1:  // junk before the first header
            return std::string(777, '\x5A') + package;
        default: {  // central directory garbled
            std::string damaged = package;
            for (std::size_t i = central; i < damaged.size(); ++i) {
                damaged[i] = static_cast<char>(i * 37 + 11);
            }
            return damaged;
        }
    }
}

class FixRunTest : public ::testing::Test {
  protected:
    void SetUp() override {
        fs::create_directory(dir.path() / "in");
        fs::create_directory(dir.path() / "out");
        fs::create_directory(dir.path() / "tmp");
        for (int kind = 0; kind < 3; ++kind) {
            const std::string path =
                (dir.path() / "in" / ("d" + std::to_string(kind) + ".odf")).string();
            members.push_back(FormulaMembers(path, kind != 1));
            WriteFile(path, Damage(BuildPackage(members.back()), kind));
            files.push_back(path);
        }
    }

    std::map<std::string, std::string> MapOf(int i) const {
        std::map<std::string, std::string> map;
        for (const Member& m : members[i]) {
            map[m.name] = m.data;
        }
        return map;
    }

    TempDir dir;
    std::vector<std::string> files;
    std::vector<std::vector<Member>> members;
};

TEST_F(FixRunTest, RepairsAndSavesInOrderWithTheWindowsLog) {
    const std::string missing = (dir.path() / "in" / "gone.odf").string();
    std::vector<std::string> args = {
        "--out", (dir.path() / "out").string(), files[0], missing, files[1], files[2]};
    const FixRun run = RunFix(args, dir.path() / "tmp");
    EXPECT_EQ(run.status, 1);  // gone.odf was not repaired

    std::vector<LogLine> log = RepairedLines(files[0]);
    Append(log, ExtractionFailedLines(missing));
    Append(log, RepairedLines(files[1]));
    Append(log, RepairedLines(files[2]));
    Append(log, RepairEndLines());
    Append(log, SavedLines(files[0], 1));
    Append(log, NotRepairedSaveLines(missing));
    Append(log, SavedLines(files[1], 2));
    Append(log, SavedLines(files[2], 1));
    Append(log, SaveEndLines());
    EXPECT_EQ(run.out, Plain(log));

    for (int i = 0; i < 3; ++i) {
        const std::string name = "d" + std::to_string(i) + ".odf";
        EXPECT_EQ(ReadPackage(dir.path() / "out" / ("MENDED_" + name)), MapOf(i)) << name;
        const fs::path media = dir.path() / "out" / (name + "_MediaContent");
        if (i == 1) {
            EXPECT_FALSE(fs::exists(media));
        } else {
            EXPECT_EQ(ReadTree(media).size(), 2u) << name;
        }
    }
    EXPECT_FALSE(fs::exists(dir.path() / "out" / "MENDED_gone.odf"));
    // Notices go to standard error as plain text; no progress line off a terminal.
    EXPECT_NE(run.err.find("No such file or directory"), std::string::npos) << run.err;
    EXPECT_NE(
        run.err.find("File(s) saving process has been completed.Saved file(s) location is:\n" +
                     (dir.path() / "out").string()),
        std::string::npos)
        << run.err;
    EXPECT_EQ(run.err.find('\r'), std::string::npos);
    EXPECT_EQ(run.out.find('\033'), std::string::npos);
    // The workspace is gone.
    EXPECT_TRUE(fs::is_empty(dir.path() / "tmp"));
}

TEST_F(FixRunTest, AllSavedWithoutMediaExitsZero) {
    std::vector<std::string> args = {"--no-media", "--out", (dir.path() / "out").string()};
    args.insert(args.end(), files.begin(), files.end());
    const FixRun run = RunFix(args, dir.path() / "tmp");
    EXPECT_EQ(run.status, 0) << run.err;
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir.path() / "out")) {
        names.insert(entry.path().filename().string());
    }
    EXPECT_EQ(names, (std::set<std::string>{"MENDED_d0.odf", "MENDED_d1.odf", "MENDED_d2.odf"}));
    EXPECT_EQ(run.out.find("Media"), std::string::npos);
    EXPECT_TRUE(fs::is_empty(dir.path() / "tmp"));
}

TEST_F(FixRunTest, RelativePathsAreListedAsFullPaths) {
    const std::string command = "cd " + ShellQuote((dir.path() / "in").string()) +
                                " && TMPDIR=" + ShellQuote((dir.path() / "tmp").string()) + " " +
                                ShellQuote(QFF_FIX_PROGRAM) + " --no-media --out ../out d1.odf >" +
                                ShellQuote((dir.path() / "log").string());
    EXPECT_EQ(RunShell(command), 0);
    const std::string log = ReadFile(dir.path() / "log");
    EXPECT_EQ(log.rfind(files[1] + " file is open....\n", 0), 0u) << log;
    EXPECT_EQ(ReadPackage(dir.path() / "out" / "MENDED_d1.odf"), MapOf(1));
}

// Ctrl+C is the batch run's Stop: the file in hand is finished, every later file gets
// the stop lines, nothing is saved, and the workspace still goes.
TEST(FixInterrupt, StopsThePassSavesNothingAndWipesTheWorkspace) {
    TempDir dir;
    for (const char* sub : {"in", "out", "tmp"}) {
        fs::create_directory(dir.path() / sub);
    }
    std::vector<std::string> args = {QFF_FIX_PROGRAM, "--out", (dir.path() / "out").string()};
    const std::string package = BuildPackage(FormulaMembers("x", true));
    for (int i = 0; i < 1500; ++i) {
        args.push_back((dir.path() / "in" / ("p" + std::to_string(i) + ".odf")).string());
        WriteFile(args.back(), package);
    }
    const fs::path log = dir.path() / "log";
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        ::setenv("TMPDIR", (dir.path() / "tmp").c_str(), 1);
        if (std::freopen(log.c_str(), "w", stdout) == nullptr ||
            std::freopen("/dev/null", "w", stderr) == nullptr) {
            ::_exit(99);
        }
        std::vector<char*> argv;
        for (std::string& arg : args) {
            argv.push_back(arg.data());
        }
        argv.push_back(nullptr);
        ::execv(argv[0], argv.data());
        ::_exit(98);
    }
    const std::string firstLine = args[3] + " file is open....";
    for (int waited = 0; waited < 20000 && ReadFile(log).find(firstLine) == std::string::npos;
         ++waited) {
        ::usleep(500);
    }
    ::kill(child, SIGINT);
    int raw = 0;
    ASSERT_EQ(::waitpid(child, &raw, 0), child);
    ASSERT_TRUE(WIFEXITED(raw));
    EXPECT_EQ(WEXITSTATUS(raw), 1);

    const std::string text = ReadFile(log);
    const std::string last = args.back();
    EXPECT_NE(
        text.find(last + " file is not extracting as process has been stop by the user.... \n" +
                  last + " not Repaired....\n"),
        std::string::npos);
    EXPECT_TRUE(
        text.ends_with("Repairing process completed....\n" + std::string(64, '_') + "\n\n"));
    EXPECT_EQ(text.find("saving"), std::string::npos);
    EXPECT_TRUE(fs::is_empty(dir.path() / "out"));
    EXPECT_TRUE(fs::is_empty(dir.path() / "tmp"));
}

}  // namespace
}  // namespace qff::test
