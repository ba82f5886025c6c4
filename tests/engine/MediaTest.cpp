#include <gtest/gtest.h>

#include "EngineTestSupport.h"
#include "engine/ExtractMedia.h"

namespace qff::test {
namespace {

TEST(IsMediaFileName, SixExtensionsWithoutRegardToCase) {
    const std::pair<std::string, bool> cases[] = {
        {"1000.PNG", true}, {"a.JpEg", true}, {"x.jpg", true},  {"y.bmp", true},
        {"z.gif", true},    {"w.emf", true},  {"png", false},   {"x.jpeg.bak", false},
        {"a.jpe", false},   {"a.tif", false}, {"a.wmf", false}, {"a.", false},
        {".png", true},     {"a.svg", false},
    };
    for (const auto& [name, media] : cases) {
        EXPECT_EQ(IsMediaFileName(name), media) << name;
    }
}

TEST(ExtractMedia, CopiesPicturesFlatAndTheLaterOneWins) {
    TempDir dir;
    const auto src = dir / "a.odf0";
    const auto target = dir / "a.odf_MediaContent";
    std::filesystem::create_directories(src / "Pictures");
    std::filesystem::create_directories(src / "Thumbnails");
    std::filesystem::create_directories(src / "Zeta");
    std::filesystem::create_directories(target);
    WriteFile(src / "content.xml", "not a picture");
    WriteFile(src / "Pictures" / "1000.PNG", "picture 1000");
    WriteFile(src / "Pictures" / "same.png", "from Pictures");
    WriteFile(src / "Zeta" / "same.png", "from Zeta, met later");
    WriteFile(src / "Thumbnails" / "thumbnail.png", "thumb");
    WriteFile(src / "Pictures" / "x.jpeg.bak", "no");
    WriteFile(target / "thumbnail.png", "older file of that name");
    const auto outside = dir / "outside";
    std::filesystem::create_directories(outside);
    WriteFile(outside / "linked.png", "behind a link");
    std::filesystem::create_directory_symlink(outside, src / "Linked");

    EXPECT_TRUE(ExtractMedia(src, target));
    EXPECT_EQ(FilesBelow(target),
              (std::vector<std::string>{"1000.PNG", "same.png", "thumbnail.png"}));
    EXPECT_EQ(ReadFile(target / "same.png"), "from Zeta, met later");
    EXPECT_EQ(ReadFile(target / "thumbnail.png"), "thumb");
}

TEST(ExtractMedia, MissingSourceOrTargetCopiesNothing) {
    TempDir dir;
    std::filesystem::create_directories(dir / "target");
    EXPECT_TRUE(ExtractMedia(dir / "missing", dir / "target"));
    EXPECT_TRUE(std::filesystem::is_empty(dir / "target"));
    std::filesystem::create_directories(dir / "src");
    WriteFile(dir / "src" / "a.png", "a");
    EXPECT_TRUE(ExtractMedia(dir / "src", dir / "no-target"));
    EXPECT_EQ(FilesBelow(dir.Path()), std::vector<std::string>{"src/a.png"});
}

}  // namespace
}  // namespace qff::test
