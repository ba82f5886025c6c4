// Member names that try to leave the per-file folder, in every spelling: each one
// lands inside the folder under its cleaned name (or nowhere), nothing appears outside
// the workspace, and the rebuilt package lists exactly what the folder holds.
#include <gtest/gtest.h>

#include "HostileRoad.h"
#include "engine/Latin1.h"

namespace qff::test {
namespace {

// A stored member with these bytes.
Member Stored(const std::string& name, const std::string& data) {
    Member member;
    member.name = name;
    member.data = ToBytes(data);
    member.deflate = false;
    return member;
}

struct NameCase {
    const char* label;
    std::string stored;    // the name bytes in the local header
    std::string expected;  // where the member lands below the folder; empty: nowhere
};

class Traversal : public ::testing::TestWithParam<NameCase> {};

TEST_P(Traversal, StaysInsideTheFolderAndReadsBack) {
    const NameCase& c = GetParam();
    HostileRoad road;
    ZipBuilder zip;
    zip.Add(Stored(c.stored, "HOSTILE"));
    road.Repair(zip);

    EXPECT_TRUE(road.Strays().empty()) << road.Strays().front();
    auto files = road.FolderFiles();
    ASSERT_EQ(files.count("content.xml"), 1u);
    ASSERT_EQ(files.count("META-INF/manifest.xml"), 1u);
    if (c.expected.empty()) {
        EXPECT_EQ(files.size(), 2u);
    } else {
        EXPECT_EQ(files[c.expected], "HOSTILE");
        EXPECT_EQ(files.size(), 3u);
    }

    ASSERT_TRUE(road.Save());
    std::map<std::string, std::string> stored;
    for (const auto& [name, bytes] : files) {
        stored[Utf8ToLatin1(name)] = bytes;
    }
    EXPECT_EQ(road.SavedMembers(), stored);
    EXPECT_TRUE(road.Strays().empty());
}

const NameCase kNames[] = {
    {"DotDotSlash", "../evil.txt", "evil.txt"},
    {"DotDotBackslash", "..\\evil.txt", "evil.txt"},
    {"ManyLevelsUp", "../../../../../../../../tmp/evil.txt", "tmp/evil.txt"},
    {"UpFromInside", "a/../../evil.txt", "a/evil.txt"},
    {"MixedSeparators", "a\\..//..\\/evil.txt", "a/evil.txt"},
    {"AbsoluteSlash", "/abs/evil.txt", "abs/evil.txt"},
    {"AbsoluteBackslash", "\\abs\\evil.txt", "abs/evil.txt"},
    {"NetworkShare", "\\\\server\\share\\evil.txt", "server/share/evil.txt"},
    {"DriveDotDot", "C:..\\evil.txt", "C../evil.txt"},
    {"DriveRoot", "C:\\Windows\\evil.txt", "C/Windows/evil.txt"},
    {"DriveSlash", "C:/evil.txt", "C/evil.txt"},
    {"ColonsAroundDotDot", ":..:/evil.txt", "evil.txt"},
    {"EmptyName", "", ""},  // read with an empty buffer: once a null pointer to memset
    {"OnlyDotDot", "..", ""},
    {"OnlyDot", ".", ""},
    {"OnlySeparators", "/\\//", ""},
    {"DotsAndSeparators", "./.././..\\.", ""},
    {"ThreeDots", "...", "..."},
    {"FourDotsFolder", "..../evil.txt", "..../evil.txt"},
    {"DotDotSpace", ".. /evil.txt", ".. /evil.txt"},
    {"CurrentFolderRuns", "./././evil.txt", "evil.txt"},
    {"EndsAtZeroByte", std::string("evil\0/../../x", 13), "evil"},
    {"PercentEncoded", "%2e%2e/evil.txt", "%2e%2e/evil.txt"},
    {"OverlongUtf8Dots", "\xC0\xAE\xC0\xAE/evil.txt", "\xC3\x80\xC2\xAE\xC3\x80\xC2\xAE/evil.txt"},
};

INSTANTIATE_TEST_SUITE_P(Names, Traversal, ::testing::ValuesIn(kNames),
                         [](const auto& info) { return std::string(info.param.label); });

TEST(CaseOnlyNames, AreKeptApartAndEachIsPacked) {
    HostileRoad road;
    ZipBuilder zip;
    zip.Add(Stored("Pictures/A.png", "one"));
    zip.Add(Stored("pictures/a.png", "two"));
    zip.Add(Stored("PICTURES\\A.PNG", "three"));
    zip.Add(Stored("Content.xml", "short"));
    road.Repair(zip);

    auto files = road.FolderFiles();
    EXPECT_EQ(files["Pictures/A.png"], "one");
    EXPECT_EQ(files["pictures/a.png"], "two");
    EXPECT_EQ(files["PICTURES/A.PNG"], "three");
    EXPECT_EQ(files["Content.xml"], "short");
    // The body is looked for under its exact name: the built-in one stands in.
    EXPECT_EQ(files["content.xml"].size(), 191u);
    ASSERT_TRUE(road.Save());
    EXPECT_EQ(road.SavedMembers(), files);
}

}  // namespace
}  // namespace qff::test
