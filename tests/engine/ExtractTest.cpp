#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <unistd.h>

#include <cstdlib>

#include "EngineTestSupport.h"
#include "ZipBuilder.h"
#include "engine/ExtractEntries.h"
#include "engine/RepairWorkspace.h"

namespace qff::test {
namespace {

const std::string kText = std::string(3000, 'a') + "formula body " + std::string(2000, 'z');

class ExtractMemberTest : public ::testing::Test {
  protected:
    // Writes bytes as the package and returns the entry for `data` placed after 7
    // bytes of junk, as a scan would have located it.
    RecoveredEntry Place(const Bytes& data, std::uint32_t usize, std::uint32_t crc,
                         bool crcKnown = true) {
        WriteFile(package, std::string(7, '\x11') + ToString(data) + std::string(5, '\x22'));
        RecoveredEntry entry;
        entry.compressedSize = static_cast<std::uint32_t>(data.size());
        entry.uncompressedSize = usize;
        entry.dataOffset = 7;
        entry.crc32 = crc;
        entry.crcKnown = crcKnown;
        return entry;
    }
    TempDir dir;
    std::filesystem::path package = dir / "damaged.odf";
    std::filesystem::path output = dir / "out.xml";
};

TEST_F(ExtractMemberTest, MemberKinds) {
    const Bytes text = ToBytes(kText);
    const Bytes stream = RawDeflate(text);
    const std::uint32_t crc = Crc32(text);
    const auto usize = static_cast<std::uint32_t>(text.size());
    Bytes corrupt = stream;
    corrupt[corrupt.size() / 2] ^= 0xFF;
    corrupt[corrupt.size() / 2 + 1] ^= 0x5A;
    Bytes flipped = text;
    flipped[100] ^= 1;
    Bytes cut(stream.begin(), stream.begin() + static_cast<long>(stream.size() / 2));
    struct Case {
        std::string label;
        Bytes data;  // the member's bytes in the package
        std::uint32_t usize;
        std::uint32_t crc;
        bool crcKnown;
        MemberOutcome outcome;
        std::string content;  // expected file content when written
    };
    const Case cases[] = {
        {"stored copy", text, usize, crc, true, MemberOutcome::kWritten, kText},
        {"stored copy with a flipped bit", flipped, usize, crc, true, MemberOutcome::kCrcMismatch,
         ""},
        {"flipped bit, no CRC known", flipped, usize, crc, false, MemberOutcome::kWritten,
         ToString(flipped)},
        {"inflated", stream, usize, crc, true, MemberOutcome::kWritten, kText},
        {"stream exactly as long as its text, CRC known", RawDeflate(ToBytes("55555")), 5,
         Crc32(ToBytes("55555")), true, MemberOutcome::kWritten, "55555"},
        {"empty member from a 2-byte stream", RawDeflate({}), 0, 0, true, MemberOutcome::kWritten,
         ""},
        {"stream cut short", cut, usize, crc, true, MemberOutcome::kStreamDamaged, ""},
        {"stream corrupted", corrupt, usize, crc, false, MemberOutcome::kStreamDamaged, ""},
        {"size larger than the stream yields", stream, usize + 1, crc, false,
         MemberOutcome::kStreamDamaged, ""},
        {"size smaller than the stream yields", stream, 3000, 0, false, MemberOutcome::kWritten,
         std::string(3000, 'a')},
        {"size smaller, CRC of the whole known", stream, 3000, crc, true,
         MemberOutcome::kCrcMismatch, ""},
        {"wrong CRC on an inflated member", stream, usize, crc ^ 1, true,
         MemberOutcome::kCrcMismatch, ""},
        {"4 GiB size in a tiny file", stream, 0xFFFFFFFF, crc, true, MemberOutcome::kImpossibleSize,
         ""},
        {"compressed size 0, size not 0", {}, 10, 0, true, MemberOutcome::kImpossibleSize, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        std::filesystem::remove(output);
        const RecoveredEntry entry = Place(c.data, c.usize, c.crc, c.crcKnown);
        EXPECT_EQ(ExtractMember(package, output, entry), c.outcome);
        EXPECT_EQ(std::filesystem::exists(output), c.outcome == MemberOutcome::kWritten);
        if (c.outcome == MemberOutcome::kWritten) {
            EXPECT_TRUE(ReadFile(output) == c.content) << "content differs";
        }
        EXPECT_EQ(FilesBelow(dir.Path()).size(), c.outcome == MemberOutcome::kWritten ? 2u : 1u)
            << "no partial file stays behind";
    }
}

TEST_F(ExtractMemberTest, SizesPastTheEndAreRefusedBeforeReading) {
    RecoveredEntry entry = Place(ToBytes("abcdef"), 6, Crc32(ToBytes("abcdef")));
    entry.compressedSize = 0xFFFFFFF0;
    entry.uncompressedSize = 0xFFFFFFF0;
    EXPECT_EQ(ExtractMember(package, output, entry), MemberOutcome::kPastEnd);
    entry.compressedSize = 6;
    entry.uncompressedSize = 6;
    entry.dataOffset = 1u << 30;
    EXPECT_EQ(ExtractMember(package, output, entry), MemberOutcome::kPastEnd);
    EXPECT_FALSE(std::filesystem::exists(output));
}

TEST_F(ExtractMemberTest, DeflatedBytesOfEqualSizesAreCopiedNotInflated) {
    const Bytes stream = RawDeflate(ToBytes(kText));
    const auto size = static_cast<std::uint32_t>(stream.size());
    EXPECT_EQ(ExtractMember(package, output, Place(stream, size, 0, false)),
              MemberOutcome::kWritten);
    EXPECT_EQ(ReadFile(output), ToString(stream));
}

TEST_F(ExtractMemberTest, FailedWriteLeavesTheEarlierFileAndNoPartOfTheNewOne) {
    WriteFile(output, "earlier member");
    const Bytes text = ToBytes(std::string(200000, 'q'));
    const RecoveredEntry entry = Place(RawDeflate(text), 200000, Crc32(text));
    // A file size limit makes the write fail half-way, as a full disk would.
    struct rlimit old {};
    ::getrlimit(RLIMIT_FSIZE, &old);
    ::signal(SIGXFSZ, SIG_IGN);
    struct rlimit small = old;
    small.rlim_cur = 100000;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    const MemberOutcome outcome = ExtractMember(package, output, entry);
    ::setrlimit(RLIMIT_FSIZE, &old);
    EXPECT_EQ(outcome, MemberOutcome::kNoSpace);  // the disk is full: said as such
    EXPECT_EQ(ReadFile(output), "earlier member");
    EXPECT_EQ(FilesBelow(dir.Path()), (std::vector<std::string>{"damaged.odf", "out.xml"}));
}

class ExtractEntriesTest : public ::testing::Test {
  protected:
    void SetUp() override {
        std::filesystem::create_directories(folder);
        std::filesystem::create_directories(temp);
        oldTmp_ = std::getenv("TMPDIR") ? std::getenv("TMPDIR") : "";
        ::setenv("TMPDIR", temp.c_str(), 1);
    }
    void TearDown() override {
        if (oldTmp_.empty()) {
            ::unsetenv("TMPDIR");
        } else {
            ::setenv("TMPDIR", oldTmp_.c_str(), 1);
        }
    }
    // Writes a package of the given members and the table a scan would make of it.
    EntryTable Package(const std::vector<Member>& members) {
        ZipBuilder zip;
        EntryTable table;
        for (std::size_t i = 0; i < members.size(); ++i) {
            zip.Add(members[i]);
            const Bytes stored = ZipBuilder::StoredBytes(members[i]);
            RecoveredEntry entry;
            entry.compressedSize = static_cast<std::uint32_t>(stored.size());
            entry.uncompressedSize = static_cast<std::uint32_t>(members[i].data.size());
            entry.dataOffset = zip.DataOffset(i);
            entry.crc32 = Crc32(members[i].data);
            entry.crcKnown = true;
            std::string name = members[i].name;
            std::replace(name.begin(), name.end(), '/', '\\');
            table.push_back({name, entry});
        }
        zip.WriteTo(package);
        return table;
    }
    static Member M(const std::string& name, const std::string& text) {
        Member m;
        m.name = name;
        m.data = ToBytes(text);
        return m;
    }
    TempDir dir;
    std::filesystem::path folder = dir / "ws" / "a.odf0";
    std::filesystem::path temp = dir / "tmp";
    std::filesystem::path package = dir / "a.odf";
    RecordingHost host;

  private:
    std::string oldTmp_;
};

TEST_F(ExtractEntriesTest, ProgressAndTemporaryFiles) {
    const EntryTable table = Package({M("a.xml", "1"), M("b.xml", "22"), M("c.xml", "333"),
                                      M("d.xml", "4444"), M("e.xml", "55555")});
    ExtractEntries(folder, package, table, host);
    EXPECT_EQ(host.progress,
              (std::vector<std::string>{"reset", "range 5", "0", "0", "1", "2", "3", "4", "5"}));
    EXPECT_TRUE(FilesBelow(temp).empty()) << "every OPC file is deleted";
    EXPECT_EQ(ReadFile(folder / "e.xml"), "55555");
}

TEST_F(ExtractEntriesTest, NamesNeverLeaveTheFolder) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"../evil.txt", "evil.txt"},
        {"/etc/passwd.txt", "etc/passwd.txt"},
        {"..\\..\\up.txt", "up.txt"},
        {"C:\\x.txt", "C/x.txt"},
        {"a/./b/../c.txt", "a/b/c.txt"},
        {"sub\\..\\..\\deep.txt", "sub/deep.txt"},
        {"Configurations2/accelerator/current.xml", "Configurations2/accelerator/current.xml"},
    };
    std::vector<Member> members;
    for (const auto& c : cases) {
        members.push_back(M(c.first, "payload of " + c.first));
    }
    members.push_back(M("..", "nothing left of this name"));
    ExtractEntries(folder, package, Package(members), host);
    for (const auto& c : cases) {
        EXPECT_EQ(ReadFile(folder / c.second), "payload of " + c.first) << c.first;
    }
    EXPECT_EQ(FilesBelow(dir / "ws"), (std::vector<std::string>{
                                          "a.odf0/C/x.txt",
                                          "a.odf0/Configurations2/accelerator/current.xml",
                                          "a.odf0/META-INF/manifest.xml",
                                          "a.odf0/a/b/c.txt",
                                          "a.odf0/content.xml",
                                          "a.odf0/etc/passwd.txt",
                                          "a.odf0/evil.txt",
                                          "a.odf0/sub/deep.txt",
                                          "a.odf0/up.txt",
                                      }));
    EXPECT_TRUE(host.notices.empty());
}

TEST_F(ExtractEntriesTest, SymbolicLinksAreNeverFollowed) {
    const auto outside = dir / "outside";
    std::filesystem::create_directories(outside);
    WriteFile(outside / "victim.xml", "untouched");
    std::filesystem::create_directory_symlink(outside, folder / "Pictures");
    std::filesystem::create_symlink(outside / "victim.xml", folder / "settings.xml");
    ExtractEntries(folder, package,
                   Package({M("Pictures/victim.xml", "through a folder link"),
                            M("Pictures/new.xml", "new file through a link"),
                            M("settings.xml", "replaces the link itself")}),
                   host);
    EXPECT_EQ(FilesBelow(outside), std::vector<std::string>{"victim.xml"});
    EXPECT_EQ(ReadFile(outside / "victim.xml"), "untouched");
    EXPECT_FALSE(std::filesystem::is_symlink(folder / "settings.xml"));
    EXPECT_EQ(ReadFile(folder / "settings.xml"), "replaces the link itself");
}

TEST_F(ExtractEntriesTest, LaterDuplicateWinsOnlyWhenItCanBeWritten) {
    EntryTable table = Package({M("dup.xml", "first"), M("dup.xml", "second"),
                                M("keep.xml", "kept"), M("keep.xml", "broken later copy")});
    table[3].entry.crc32 ^= 1;
    ExtractEntries(folder, package, table, host);
    EXPECT_EQ(ReadFile(folder / "dup.xml"), "second");
    EXPECT_EQ(ReadFile(folder / "keep.xml"), "kept");
}

TEST_F(ExtractEntriesTest, FoldersStayWhenTheMemberFailsAndFailuresShowTheSystemText) {
    EntryTable table = Package({M("one/two/three/broken.xml", "x"),
                                M(std::string(300, 'n') + "/long.xml", "name too long")});
    table[0].entry.crc32 ^= 1;
    ExtractEntries(folder, package, table, host);
    EXPECT_TRUE(std::filesystem::is_directory(folder / "one" / "two" / "three"));
    EXPECT_FALSE(std::filesystem::exists(folder / "one" / "two" / "three" / "broken.xml"));
    EXPECT_EQ(host.notices, std::vector<std::string>{"File name too long"});
    EXPECT_EQ(host.styles, std::vector<unsigned>{kMbIconInformation});
    EXPECT_EQ(ReadFile(folder / "content.xml").size(), 191u) << "the content check still runs";
}

}  // namespace
}  // namespace qff::test
