// The parts of the shell that work without the window: the single-instance lock and
// the looks.

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QSet>
#include <QSettings>
#include <filesystem>

#include "PackageFixture.h"
#include "app/Looks.h"
#include "app/SingleInstanceLock.h"

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

}  // namespace
}  // namespace qff::test
