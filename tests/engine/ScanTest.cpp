#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <unistd.h>

#include <cstring>
#include <functional>

#include "EngineTestSupport.h"
#include "ZipBuilder.h"
#include "engine/Latin1.h"
#include "engine/ScanPackage.h"

namespace qff::test {
namespace {

// Serves a byte vector in reads of at most `chunk` bytes.
class MemorySource : public ByteSource {
  public:
    MemorySource(const Bytes& bytes, std::size_t chunk) : bytes_(bytes), chunk_(chunk) {}
    std::size_t ReadAt(std::uint64_t offset, std::byte* out, std::size_t count) override {
        if (offset >= bytes_.size()) {
            return 0;
        }
        const std::size_t take =
            std::min({count, chunk_, bytes_.size() - static_cast<std::size_t>(offset)});
        std::memcpy(out, bytes_.data() + offset, take);
        return take;
    }

  private:
    const Bytes& bytes_;
    std::size_t chunk_;
};

struct Row {
    std::string name;
    std::uint32_t csize;
    std::uint32_t usize;
    std::uint64_t offset;
    bool crcKnown;
    bool operator==(const Row&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Row& r) {
    return out << "{" << r.name << ", " << r.csize << ", " << r.usize << ", @" << r.offset
               << ", crc " << (r.crcKnown ? "known" : "unknown") << "}";
}

std::vector<Row> Rows(const EntryTable& table) {
    std::vector<Row> rows;
    for (const EntryRow& row : table) {
        rows.push_back({row.name, row.entry.compressedSize, row.entry.uncompressedSize,
                        row.entry.dataOffset, row.entry.crcKnown});
    }
    return rows;
}

// A fixture: the damaged bytes and the rows the scan must make of them.
struct ScanCase {
    std::string label;
    std::function<void(ZipBuilder&, std::vector<Row>&)> make;
};

Member Plain(const std::string& name, const std::string& text, bool deflate = true) {
    Member m;
    m.name = name;
    m.data = ToBytes(text);
    m.deflate = deflate;
    return m;
}

Row RowOf(ZipBuilder& zip, std::size_t index, const Member& m, bool crcKnown = true) {
    const Bytes stored = ZipBuilder::StoredBytes(m);
    std::string name = m.name;
    std::replace(name.begin(), name.end(), '/', '\\');
    return {name, static_cast<std::uint32_t>(stored.size()),
            static_cast<std::uint32_t>(m.data.size()), zip.DataOffset(index), crcKnown};
}

// A header whose signature starts at `offset`, preceded by junk.
void HeaderAt(std::size_t offset, bool expectFound) {
    ZipBuilder zip;
    zip.Junk(offset, 0x50);
    const Member m = Plain("content.xml", "<math/>", false);
    zip.Add(m);
    EntryTable table;
    std::atomic<int> running{1};
    MemorySource source(zip.Data(), zip.Size());
    ScanSource(source, zip.Size(), table, running);
    EXPECT_EQ(table.size(), expectFound ? 1u : 0u) << "header at " << offset;
}

const std::vector<ScanCase>& Cases() {
    static const std::vector<ScanCase> cases = {
        {"SoundPackageSkipsFoldersAndDataSignatures",
         [](ZipBuilder& zip, std::vector<Row>& rows) {
             Member folder = Plain("Pictures/", "", false);
             zip.Add(folder);
             // Stored data that holds a complete local header of its own: it is jumped over.
             ZipBuilder inner;
             inner.Add(Plain("hidden.xml", "never a row"));
             Member carrier = Plain("Pictures/a.png", ToString(inner.Data()), false);
             zip.Add(carrier);
             rows.push_back(RowOf(zip, 1, carrier));
             Member content = Plain("content.xml", std::string(400, 'x'));
             zip.Add(content);
             rows.push_back(RowOf(zip, 2, content));
             zip.Finish();
         }},
        {"DescriptorSuppliesSizesAndCrc",
         [](ZipBuilder& zip, std::vector<Row>& rows) {
             Member a = Plain("content.xml", std::string(300, 'a'));
             a.descriptor = true;
             a.extra = ToBytes("ex");
             zip.Add(a);
             rows.push_back(RowOf(zip, 0, a));
             Member b = Plain("styles.xml", "styles styles styles");
             b.descriptor = true;
             zip.Add(b);
             rows.push_back(RowOf(zip, 1, b));
         }},
        {"MissingDescriptorGivesNoRowButNextMemberIsFound",
         [](ZipBuilder& zip, std::vector<Row>& rows) {
             Member lost = Plain("lost.xml", "no descriptor follows me");
             lost.compressedSize = 0;
             lost.uncompressedSize = 0;
             zip.Add(lost);
             Member next = Plain("next.xml", "found");
             zip.Add(next);
             rows.push_back(RowOf(zip, 1, next));
         }},
        {"DescriptorIsNeverBorrowedAcrossAHeader",
         [](ZipBuilder& zip, std::vector<Row>& rows) {
             Member lost = Plain("lost.xml", "sizes unknown");
             lost.compressedSize = 0;
             lost.uncompressedSize = 0;
             zip.Add(lost);
             Member next = Plain("next.xml", "with descriptor");
             next.descriptor = true;
             zip.Add(next);
             rows.push_back(RowOf(zip, 1, next));
         }},
        {"ZeroSizeStoredMemberIsNoRowAndNoSearch",
         [](ZipBuilder& zip, std::vector<Row>& rows) {
             Member empty = Plain("empty.txt", "", false);
             zip.Add(empty);
             zip.Descriptor(0, 7, 7);
             Member next = Plain("next.xml", "found");
             zip.Add(next);
             rows.push_back(RowOf(zip, 1, next));
         }},
        {"EmptyNamesGiveNoRow",
         [](ZipBuilder& zip, std::vector<Row>& rows) {
             Member noName = Plain("", "data without a name");
             zip.Add(noName);
             Member zeroFirst = Plain(std::string("\0abc", 4), "data");
             zip.Add(zeroFirst);
             Member cut = Plain(std::string("cut\0off", 7), "name ends at zero");
             zip.Add(cut);
             Row row = RowOf(zip, 2, cut);
             row.name = "cut";
             rows.push_back(row);
         }},
        {"NamesAreLatin1WithBackslashes",
         [](ZipBuilder& zip, std::vector<Row>& rows) {
             Member m = Plain("Pictures/caf\xE9/\xC3\xA9.png", "picture");
             zip.Add(m);
             Row row = RowOf(zip, 0, m);
             row.name = "Pictures\\caf\xC3\xA9\\\xC3\x83\xC2\xA9.png";
             rows.push_back(row);
         }},
        {"TwoHeadersWithOneNameGiveTwoRows",
         [](ZipBuilder& zip, std::vector<Row>& rows) {
             Member first = Plain("content.xml", "first");
             Member second = Plain("content.xml", "second version");
             zip.Add(first);
             zip.Add(second);
             rows.push_back(RowOf(zip, 0, first));
             rows.push_back(RowOf(zip, 1, second));
         }},
        {"CompressedSizePastTheEndKeepsScanning",
         [](ZipBuilder& zip, std::vector<Row>& rows) {
             Member huge = Plain("huge.xml", "small data");
             huge.compressedSize = 0x7FFFFFF0;
             zip.Add(huge);
             Row row = RowOf(zip, 0, huge);
             row.csize = 0x7FFFFFF0;
             rows.push_back(row);
             Member next = Plain("next.xml", "still found");
             zip.Add(next);
             rows.push_back(RowOf(zip, 1, next));
         }},
        {"SignatureInDataOfSizelessMemberIsFound",
         [](ZipBuilder& zip, std::vector<Row>& rows) {
             // Stored member with sizes 0: the walk goes through its data.
             ZipBuilder inner;
             Member hidden = Plain("hidden.xml", "inside");
             inner.Add(hidden);
             Member outer = Plain("outer.bin", ToString(inner.Data()), false);
             outer.compressedSize = 0;
             outer.uncompressedSize = 0;
             zip.Add(outer);
             const std::uint64_t innerStart = zip.DataOffset(0);
             rows.push_back({"hidden.xml",
                             static_cast<std::uint32_t>(RawDeflate(hidden.data).size()), 6,
                             innerStart + 30 + 10, true});
         }},
        {"HeaderOverlappingTheLastThreeDataBytesIsFound",
         [](ZipBuilder& zip, std::vector<Row>& rows) {
             Member first = Plain("a.bin", "0123456789", false);
             zip.Add(first);
             rows.push_back(RowOf(zip, 0, first));
             // The next header starts 3 bytes before the end of a's data.
             zip.TruncateTo(zip.Size() - 3);
             Member second = Plain("b.xml", "overlap");
             zip.Add(second);
             rows.push_back(RowOf(zip, 1, second));
         }},
        {"HeaderOverlappingFourDataBytesIsNotFound",
         [](ZipBuilder& zip, std::vector<Row>& rows) {
             Member first = Plain("a.bin", "0123456789", false);
             zip.Add(first);
             rows.push_back(RowOf(zip, 0, first));
             zip.TruncateTo(zip.Size() - 4);
             zip.Add(Plain("b.xml", "hidden by the jump"));
         }},
        {"CrcUnknownWhenFlagBit3SetWithSizesInHeader",
         [](ZipBuilder& zip, std::vector<Row>& rows) {
             Member m = Plain("content.xml", "sizes here, crc elsewhere");
             m.flags = 0x0008;
             zip.Add(m);
             rows.push_back(RowOf(zip, 0, m, false));
         }},
        {"HeaderCutOffByTheEndReadsZeros",
         [](ZipBuilder& zip, std::vector<Row>& rows) {
             Member m = Plain("content.xml", "whole member");
             zip.Add(m);
             rows.push_back(RowOf(zip, 0, m));
             Member cut = Plain("cut-name.xml", "gone");
             zip.Add(cut);
             zip.TruncateTo(zip.Size() - RawDeflate(cut.data).size() - 9);  // keeps "cut"
             rows.push_back({"cut", static_cast<std::uint32_t>(RawDeflate(cut.data).size()), 4,
                             zip.Size() + 9, true});
         }},
        {"DuplicatedDescriptorsGiveTheFirstOne",
         [](ZipBuilder& zip, std::vector<Row>& rows) {
             Member m = Plain("content.xml", std::string(500, 'd'));
             m.descriptor = true;
             zip.Add(m);
             rows.push_back(RowOf(zip, 0, m));
             zip.Descriptor(1, 2, 3);  // a stray second descriptor
             Member next = Plain("next.xml", "after the stray descriptor");
             zip.Add(next);
             rows.push_back(RowOf(zip, 1, next));
         }},
        {"NameLengthPastTheEnd",
         [](ZipBuilder& zip, std::vector<Row>& rows) {
             Member m = Plain("content.xml", "short file");
             m.nameLength = 60000;
             zip.Add(m);
             // The name runs to the end of the file: every byte after the header is in it.
             Row row = RowOf(zip, 0, m);
             row.name = "content.xml";
             row.offset = zip.DataOffset(0) - 11 + 60000;
             const Bytes stored = ZipBuilder::StoredBytes(m);
             for (unsigned char c : stored) {
                 if (c == 0) {
                     break;
                 }
                 row.name += Latin1ToUtf8(std::string(1, static_cast<char>(c)));
             }
             std::replace(row.name.begin(), row.name.end(), '/', '\\');
             rows.push_back(row);
         }},
        {"OnlyJunk",
         [](ZipBuilder& zip, std::vector<Row>&) {
             zip.Junk(3000, 0x50);
             zip.Raw("PK\x07\x08PK\x01\x02PK\x05\x06PK\x03");
             zip.Junk(100, 0x05);
         }},
        {"RunsOfTheLetterPBeforeAHeader",
         [](ZipBuilder& zip, std::vector<Row>& rows) {
             zip.Junk(1000, 'P');
             zip.Raw("PK");
             zip.Junk(5, 'P');
             Member m = Plain("content.xml", "after many P");
             zip.Add(m);
             rows.push_back(RowOf(zip, 0, m));
             zip.Junk(700, 'P');
         }},
    };
    return cases;
}

class ScanTableTest
    : public ::testing::TestWithParam<std::tuple<std::size_t, std::size_t, std::size_t>> {};

// Every fixture read whole, in 31-byte and in 1-byte reads, through buffers small
// enough that signatures straddle their edges: the table never changes.
TEST_P(ScanTableTest, TableDoesNotDependOnReadsOrBuffer) {
    const auto [index, chunk, buffer] = GetParam();
    const ScanCase& scanCase = Cases()[index];
    ZipBuilder zip;
    std::vector<Row> expected;
    scanCase.make(zip, expected);
    EntryTable table;
    std::atomic<int> running{1};
    MemorySource source(zip.Data(), chunk == 0 ? zip.Size() : chunk);
    ScanSource(source, zip.Size(), table, running, buffer);
    EXPECT_EQ(Rows(table), expected) << scanCase.label;
}

INSTANTIATE_TEST_SUITE_P(Fixtures, ScanTableTest,
                         ::testing::Combine(::testing::Range<std::size_t>(0, 18),
                                            ::testing::Values(0, 31, 1),
                                            ::testing::Values(16, 37, kScanBufferSize)),
                         [](const auto& info) {
                             return Cases()[std::get<0>(info.param)].label + "_read" +
                                    std::to_string(std::get<1>(info.param)) + "_buf" +
                                    std::to_string(std::get<2>(info.param));
                         });

TEST(ScanPositions, HeaderAtOneTwoOrThreeIsNeverFound) {
    for (std::size_t offset = 0; offset <= 8; ++offset) {
        HeaderAt(offset, offset == 0 || offset >= 4);
    }
}

TEST(ScanPositions, ClearedFlagBeforeTheFirstPositionGivesNoRows) {
    ZipBuilder zip;
    zip.Add(Plain("content.xml", "x"));
    EntryTable table;
    std::atomic<int> stopped{0};
    MemorySource source(zip.Data(), zip.Size());
    ScanSource(source, zip.Size(), table, stopped);
    EXPECT_TRUE(table.empty());
}

// A source that clears the flag after a number of reads, as the Stop command does
// while a long scan runs.
class StoppingSource : public ByteSource {
  public:
    StoppingSource(std::uint64_t size, std::atomic<int>& flag) : size_(size), flag_(flag) {}
    std::size_t ReadAt(std::uint64_t offset, std::byte* out, std::size_t count) override {
        if (++reads_ == 3) {
            flag_ = 0;
        }
        const std::size_t take =
            static_cast<std::size_t>(std::min<std::uint64_t>(count, size_ - offset));
        std::memset(out, 0, take);
        return take;
    }
    int reads_ = 0;

  private:
    std::uint64_t size_;
    std::atomic<int>& flag_;
};

TEST(ScanPositions, StopEndsTheWalkWithinOneBuffer) {
    std::atomic<int> running{1};
    StoppingSource source(std::uint64_t{1} << 40, running);  // a terabyte of zeros
    EntryTable table;
    ScanSource(source, std::uint64_t{1} << 40, table, running, 4096);
    EXPECT_LE(source.reads_, 4);
}

class ScanPackageTest : public ::testing::Test {
  protected:
    EntryTable table;
    RecordingHost host;
    std::atomic<int> running{1};
    TempDir dir;
};

TEST_F(ScanPackageTest, TinyFilesGiveTheThreeLinesAndNoRows) {
    for (const std::string& bytes :
         {std::string(), std::string("P"), std::string("PK"), std::string("PK\3")}) {
        const auto path = dir / "tiny.odf";
        WriteFile(path, bytes);
        host.lines.clear();
        table.clear();
        EXPECT_TRUE(ScanPackage(path, table, running, host));
        EXPECT_TRUE(table.empty());
        ASSERT_EQ(host.lines.size(), 3u);
        EXPECT_EQ(host.lines[0].text, path.string() + " file is open....\r\n");
        EXPECT_EQ(host.lines[1].text, path.string() + " file is extracted....\r\n");
        EXPECT_EQ(host.lines[2].text, path.string() + " file is closed....\r\n");
        for (const auto& line : host.lines) {
            EXPECT_EQ(line.colour, kLogBlack);
        }
        EXPECT_TRUE(host.notices.empty());
    }
}

TEST_F(ScanPackageTest, FileThatCannotBeOpenedShowsTheSystemTextAndNoLine) {
    const auto locked = dir / "locked.odf";
    WriteFile(locked, "PK\3\4");
    const int holder = ::open(locked.c_str(), O_RDONLY);
    ASSERT_EQ(::flock(holder, LOCK_EX), 0);
    struct Case {
        std::filesystem::path path;
        std::string text;
    };
    const Case cases[] = {
        {dir / "missing.odf", "No such file or directory"},
        {dir.Path(), "Is a directory"},
        {locked, "The process cannot access the file because it is being used by another process."},
    };
    for (const Case& c : cases) {
        host.notices.clear();
        EXPECT_FALSE(ScanPackage(c.path, table, running, host)) << c.path;
        ASSERT_EQ(host.notices.size(), 1u);
        EXPECT_EQ(host.notices[0], c.text);
        EXPECT_EQ(host.styles[0], kMbIconInformation);
    }
    EXPECT_TRUE(host.lines.empty());
    EXPECT_TRUE(table.empty());
    ::close(holder);
}

TEST_F(ScanPackageTest, StoppedScanStillWritesItsClosingLines) {
    ZipBuilder zip;
    zip.Add(Plain("content.xml", "never reached"));
    zip.WriteTo(dir / "a.odf");
    running = 0;
    EXPECT_TRUE(ScanPackage(dir / "a.odf", table, running, host));
    EXPECT_TRUE(table.empty());
    ASSERT_EQ(host.lines.size(), 3u);
    EXPECT_EQ(host.lines[2].text, (dir / "a.odf").string() + " file is closed....\r\n");
}

TEST_F(ScanPackageTest, ScansAFileOnDisk) {
    ZipBuilder zip;
    zip.Junk(5);
    zip.Add(Plain("content.xml", "on disk"));
    zip.Add(Plain("Pictures/1.png", "png", false));
    zip.WriteTo(dir / "a.odf");
    EXPECT_TRUE(ScanPackage(dir / "a.odf", table, running, host));
    ASSERT_EQ(table.size(), 2u);
    EXPECT_EQ(table[1].name, "Pictures\\1.png");
    EXPECT_EQ(host.lines.size(), 3u);
}

}  // namespace
}  // namespace qff::test
