// The save pass tells the user which format limit a package would cross.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>

#include "JobScenario.h"
#include "jobs/JobTexts.h"

namespace qff::test {
namespace {

namespace fs = std::filesystem;

TEST(SaveLimits, TooManyFilesAreRefusedWithTheReasonInTheLog) {
    JobScenario s;
    const std::string a = s.List(FileKind::Good, "a.odf");
    s.Repair();
    const fs::path many = s.view.rows[0].folder / "many";
    fs::create_directory(many);
    for (int i = 0; i < 65536; ++i) {
        ::close(::open((many / std::to_string(i)).c_str(), O_CREAT | O_WRONLY | O_CLOEXEC, 0644));
    }
    const fs::path out = s.dir() / "out";
    fs::create_directory(out);
    s.view.media = false;
    s.Save(out);

    std::vector<LogLine> expected = SaveFailedLines(a);
    const auto failed = std::find(expected.begin(), expected.end(),
                                  LogLine{a + jobtext::kSavingFailed + jobtext::kEol, kLogRed});
    ASSERT_NE(failed, expected.end());
    expected.insert(
        failed, LogLine{a + " the package would hold more than 65,535 members....\r\n", kLogRed});
    Append(expected, SaveEndLines());
    EXPECT_EQ(s.view.log, expected);
    EXPECT_FALSE(fs::exists(out / "MENDED_a.odf"));
}

}  // namespace
}  // namespace qff::test
