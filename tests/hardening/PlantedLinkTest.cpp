// A symbolic link planted in the workspace between passes (by another program of the
// user, or by a member of an earlier package): neither the extraction, the writer nor
// the wipe may read or write through it.
#include <gtest/gtest.h>
#include <unistd.h>

#include "HostileRoad.h"
#include "engine/ExtractEntries.h"
#include "engine/RepairWorkspace.h"

namespace qff::test {
namespace {

namespace fs = std::filesystem;

enum class Plant { kPerFileFolder, kSubFolder, kContentXml, kManifest, kWorkspaceRoot };

struct LinkCase {
    const char* label;
    Plant where;
};

class PlantedLink : public ::testing::TestWithParam<LinkCase> {};

ZipBuilder Genuine() {
    ZipBuilder zip;
    Member m;
    m.name = "content.xml";
    m.data = ToBytes(std::string(300, 'c'));
    zip.Add(m);
    m.name = "Pictures/pic.png";
    m.data = ToBytes("picture");
    zip.Add(m);
    return zip;
}

TEST_P(PlantedLink, IsNeverFollowed) {
    HostileRoad road;
    ZipBuilder zip = Genuine();
    road.Repair(zip);
    ASSERT_EQ(road.FolderFiles().at("Pictures/pic.png"), "picture");

    // The victim: a folder of the user's outside the workspace.
    const fs::path victim = road.Temp() / "in" / "victim";
    fs::create_directory(victim);
    WriteFile(victim / "secret.txt", "secret");
    WriteFile(victim / "content.xml",
              "victim's own content, long enough to pass: " + std::string(200, 'v'));
    fs::create_directory(victim / "Pictures");
    fs::create_directory(victim / "META-INF");
    WriteFile(victim / "META-INF" / "manifest.xml", "victim manifest");
    const auto before = [&] {
        std::map<std::string, std::string> files;
        for (const auto& name : FilesBelow(victim)) {
            files[name] = ReadFile(victim / name);
        }
        return files;
    };
    const auto untouched = before();

    fs::path link;
    fs::path target = victim;
    switch (GetParam().where) {
        case Plant::kPerFileFolder:
            link = road.Folder();
            break;
        case Plant::kSubFolder:
            link = road.Folder() / "Pictures";
            break;
        case Plant::kContentXml:
            link = road.Folder() / "content.xml";
            target = victim / "secret.txt";
            break;
        case Plant::kManifest:
            link = road.Folder() / "META-INF" / "manifest.xml";
            target = victim / "META-INF" / "manifest.xml";
            break;
        case Plant::kWorkspaceRoot:
            link = road.Root();
            break;
    }
    fs::remove_all(link);
    fs::create_symlink(target, link);

    // A second repair of the same package into the same place, then a save, then the
    // wipe of the next pass.
    if (GetParam().where != Plant::kWorkspaceRoot) {
        ExtractEntries(road.Folder(), road.Package(), road.table, road.host);
        EXPECT_EQ(before(), untouched) << "written through the link by the extraction";
    } else {
        EXPECT_NE(GetWorkspaceRoot(), road.Root()) << "a linked root is never used";
    }
    road.Save();
    if (fs::exists(road.Output())) {
        for (const auto& [name, bytes] : road.SavedMembers()) {
            EXPECT_EQ(bytes.find("secret"), std::string::npos) << name;
            EXPECT_EQ(bytes.find("victim"), std::string::npos) << name;
        }
    }
    WipeFolder(road.Root());
    WipeFolder(road.Folder());
    EXPECT_EQ(before(), untouched);
    EXPECT_TRUE(fs::is_directory(victim));
}

const LinkCase kLinks[] = {
    {"PerFileFolder", Plant::kPerFileFolder}, {"SubFolder", Plant::kSubFolder},
    {"ContentXml", Plant::kContentXml},       {"Manifest", Plant::kManifest},
    {"WorkspaceRoot", Plant::kWorkspaceRoot},
};

INSTANTIATE_TEST_SUITE_P(Where, PlantedLink, ::testing::ValuesIn(kLinks),
                         [](const auto& info) { return std::string(info.param.label); });

}  // namespace
}  // namespace qff::test
