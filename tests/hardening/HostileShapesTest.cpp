// Packages shaped to exhaust or confuse the scan and the extraction: huge member
// counts, the longest possible name, a header cut off at the end, members whose data
// overlap, descriptors that point back. Each must finish quickly, stay inside the
// workspace and leave a package that reads back.
#include <gtest/gtest.h>

#include <chrono>

#include "HostileRoad.h"
#include "engine/Latin1.h"

namespace qff::test {
namespace {

Member Stored(const std::string& name, const std::string& data) {
    Member member;
    member.name = name;
    member.data = ToBytes(data);
    member.deflate = false;
    return member;
}

// The road's package and folder agree, nothing strayed, and the body is usable.
void ExpectSoundEnd(HostileRoad& road) {
    EXPECT_TRUE(road.Strays().empty()) << road.Strays().front();
    const auto files = road.FolderFiles();
    ASSERT_EQ(files.count("content.xml"), 1u);
    EXPECT_GE(files.at("content.xml").size(), 191u);
    ASSERT_TRUE(road.Save());
    std::map<std::string, std::string> stored;
    for (const auto& [name, bytes] : files) {
        if (Utf8ToLatin1(name).size() <= 259) {
            stored[Utf8ToLatin1(name)] = bytes;
        }
    }
    EXPECT_EQ(road.SavedMembers(), stored);
}

TEST(HostileShapes, LongestPossibleNameInOneComponentIsLeftOut) {
    HostileRoad road;
    ZipBuilder zip;
    zip.Add(Stored(std::string(65535, 'n'), "long"));
    zip.Add(Stored("after.txt", "after"));
    road.Repair(zip);
    ASSERT_EQ(road.table.size(), 2u);
    EXPECT_EQ(road.table[0].name.size(), 65535u);
    const auto files = road.FolderFiles();
    EXPECT_EQ(files.count("after.txt"), 1u);
    EXPECT_EQ(files.size(), 3u);  // after.txt, content.xml, manifest
    ExpectSoundEnd(road);
}

TEST(HostileShapes, LongestPossibleNameOfFoldersShowsOneNoticeAtMost) {
    HostileRoad road;
    ZipBuilder zip;
    std::string deep;
    while (deep.size() + 2 <= 65535) {
        deep += "d/";
    }
    deep += "f";
    zip.Add(Stored(deep, "deep"));
    zip.Add(Stored("after.txt", "after"));
    road.Repair(zip);
    // The folders run into the system's path limit; that is worth one notice, not
    // one per folder that can no longer be made.
    EXPECT_LE(road.host.notices.size(), 1u);
    EXPECT_EQ(road.FolderFiles().count("after.txt"), 1u);
    ExpectSoundEnd(road);
}

TEST(HostileShapes, HeaderInTheLast29BytesIsReadAsFarAsItGoes) {
    for (std::size_t keep = 0; keep <= 29; ++keep) {
        SCOPED_TRACE(keep);
        HostileRoad road;
        ZipBuilder zip;
        zip.Add(Stored("first.txt", "first"));
        Member last = Stored("z", std::string(40, 'z'));
        const std::size_t at = zip.Size();
        zip.Add(last);
        zip.TruncateTo(at + keep);
        road.Repair(zip);
        EXPECT_EQ(road.FolderFiles().at("first.txt"), "first");
        EXPECT_EQ(road.FolderFiles().count("z"), 0u);
        ExpectSoundEnd(road);
    }
}

TEST(HostileShapes, OverlappingMembersNeverGiveBytesTheirCrcDoesNotVouchFor) {
    HostileRoad road;
    ZipBuilder zip;
    // The first member claims to run over the second header and its data; the
    // second is then skipped as data. A third member's sizes reach back over bytes
    // of the others.
    const std::string inner = "inner member bytes";
    ZipBuilder innerZip;
    innerZip.Add(Stored("inner.txt", inner));
    const std::string innerBytes = ToString(innerZip.Data());
    zip.Add(Stored("outer.txt", "outer:" + innerBytes));
    Member liar = Stored("liar.txt", "short");
    liar.compressedSize = 5000;
    liar.uncompressedSize = 5000;
    zip.Add(liar);
    zip.Add(Stored("tail.txt", "tail"));
    road.Repair(zip);
    const auto files = road.FolderFiles();
    EXPECT_EQ(files.at("outer.txt"), "outer:" + innerBytes);
    EXPECT_EQ(files.count("inner.txt"), 0u);
    EXPECT_EQ(files.count("liar.txt"), 0u);
    EXPECT_EQ(files.at("tail.txt"), "tail");
    ExpectSoundEnd(road);
}

TEST(HostileShapes, DescriptorsPointingBackDoNotMakeTheScanLoop) {
    HostileRoad road;
    ZipBuilder zip;
    // Thousands of members that defer their sizes, each followed by a descriptor
    // whose sizes lead back before it or are absurd: every position is examined once.
    for (int i = 0; i < 20000; ++i) {
        Member m = Stored("loop" + std::to_string(i % 7), "x");
        m.deflate = true;
        m.compressedSize = 0;
        m.uncompressedSize = 0;
        m.flags = 0x0008;
        zip.Add(m);
        zip.Descriptor(0, i % 2 == 0 ? 0 : 0xFFFFFFF0u, 0xFFFFFFFFu);
    }
    zip.Add(Stored("end.txt", "end"));
    const auto start = std::chrono::steady_clock::now();
    road.Repair(zip);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(60));
    EXPECT_EQ(road.FolderFiles().at("end.txt"), "end");
    ExpectSoundEnd(road);
}

}  // namespace
}  // namespace qff::test
