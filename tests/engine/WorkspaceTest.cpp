#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>

#include "EngineTestSupport.h"
#include "engine/RepairWorkspace.h"

namespace qff::test {
namespace {

class WorkspaceTest : public ::testing::Test {
  protected:
    void SetUp() override {
        old_ = std::getenv("TMPDIR") ? std::getenv("TMPDIR") : "";
        ::setenv("TMPDIR", dir.Path().c_str(), 1);
    }
    void TearDown() override {
        if (old_.empty()) {
            ::unsetenv("TMPDIR");
        } else {
            ::setenv("TMPDIR", old_.c_str(), 1);
        }
    }
    TempDir dir;

  private:
    std::string old_;
};

TEST_F(WorkspaceTest, RootAndPerFileFolderNames) {
    EXPECT_EQ(TempFolder(), dir.Path());
    EXPECT_EQ(GetWorkspaceRoot(), dir / "VivUvud");
    EXPECT_FALSE(std::filesystem::exists(dir / "VivUvud")) << "asking creates nothing";
    EXPECT_EQ(PerFileFolderName("/d/docs/formula.odf", 0), "formula.odf0");
    EXPECT_EQ(PerFileFolderName("/d/report.odf", 12), "report.odf12");
    ASSERT_TRUE(CreateWorkspaceFolder(GetWorkspaceRoot()));
    struct stat info {};
    ASSERT_EQ(::stat((dir / "VivUvud").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0700u);
}

TEST_F(WorkspaceTest, RootThatIsNotOursIsNeverUsed) {
    const auto elsewhere = dir / "elsewhere";
    std::filesystem::create_directories(elsewhere);
    WriteFile(elsewhere / "precious.txt", "keep");
    std::filesystem::create_directory_symlink(elsewhere, dir / "VivUvud");
    const auto root = GetWorkspaceRoot();
    EXPECT_EQ(root, dir / ("VivUvud-" + std::to_string(::geteuid())));
    EXPECT_FALSE(CreateWorkspaceFolder(dir / "VivUvud"));
    WipeFolder(dir / "VivUvud");
    EXPECT_EQ(ReadFile(elsewhere / "precious.txt"), "keep");
    EXPECT_TRUE(std::filesystem::is_symlink(dir / "VivUvud"));
}

TEST_F(WorkspaceTest, WipeDeletesEverythingButNeverFollowsLinks) {
    const auto root = dir / "VivUvud";
    ASSERT_TRUE(CreateWorkspaceFolder(root));
    std::filesystem::create_directories(root / "a.odf0" / "Pictures" / "deep");
    WriteFile(root / "a.odf0" / "content.xml", "c");
    WriteFile(root / "a.odf0" / "Pictures" / "a.png", "a");
    WriteFile(root / "a.odf0" / "Pictures" / "b.png", "b");
    WriteFile(root / "a.odf0" / "Pictures" / "deep" / ".hidden", "h");
    const auto outside = dir / "outside";
    std::filesystem::create_directories(outside);
    WriteFile(outside / "keep.txt", "keep");
    std::filesystem::create_directory_symlink(outside, root / "a.odf0" / "link");
    std::filesystem::create_symlink(outside / "keep.txt", root / "file-link");

    DeleteFolderContents(root);
    EXPECT_TRUE(std::filesystem::is_directory(root));
    EXPECT_TRUE(std::filesystem::is_empty(root));
    EXPECT_EQ(ReadFile(outside / "keep.txt"), "keep");

    std::filesystem::create_directories(root / "b.odf1");
    WipeFolder(root);
    EXPECT_FALSE(std::filesystem::exists(root));
    WipeFolder(root);  // a root that is gone: nothing happens
}

TEST_F(WorkspaceTest, FolderOfAnotherUserIsLeftAlone) {
    if (::geteuid() != 0) {
        GTEST_SKIP() << "needs to hand a folder to another user";
    }
    const auto root = dir / "VivUvud";
    ASSERT_TRUE(CreateWorkspaceFolder(root));
    std::filesystem::create_directories(root / "theirs");
    WriteFile(root / "theirs" / "file", "x");
    WriteFile(root / "mine", "y");
    ASSERT_EQ(::chown((root / "theirs").c_str(), 65534, 65534), 0);
    WipeFolder(root);
    EXPECT_EQ(ReadFile(root / "theirs" / "file"), "x");
    EXPECT_FALSE(std::filesystem::exists(root / "mine"));

    ASSERT_EQ(::chown(root.c_str(), 65534, 65534), 0);
    EXPECT_NE(GetWorkspaceRoot(), root);
    WriteFile(root / "other", "z");
    DeleteFolderContents(root);
    EXPECT_TRUE(std::filesystem::exists(root / "other"));
}

}  // namespace
}  // namespace qff::test
