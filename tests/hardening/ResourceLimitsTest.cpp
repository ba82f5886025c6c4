// What a package may cost: the disk space extraction may take, and the limits of the
// 32-bit package format, which the writer refuses to cross rather than write a package
// that lies about its sizes.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <unistd.h>
#include <zlib.h>

#include <csignal>

#include "HostileRoad.h"
#include "engine/ArchiveWriter.h"
#include "engine/FileServices.h"
#include "engine/WritePackage.h"

namespace qff::test {
namespace {

namespace fs = std::filesystem;

constexpr std::uint64_t kMiB = std::uint64_t{1} << 20;

// A raw deflate stream that inflates to `mebibytes` MiB of zeros, made from one
// independently compressed MiB repeated, so it costs nothing to build.
Bytes ZerosStream(std::uint32_t mebibytes) {
    z_stream s{};
    deflateInit2(&s, 9, Z_DEFLATED, -15, 9, Z_DEFAULT_STRATEGY);
    Bytes zeros(kMiB, 0);
    Bytes chunk(64 * 1024);
    s.next_in = zeros.data();
    s.avail_in = static_cast<uInt>(zeros.size());
    s.next_out = chunk.data();
    s.avail_out = static_cast<uInt>(chunk.size());
    deflate(&s, Z_FULL_FLUSH);
    chunk.erase(chunk.end() - static_cast<std::ptrdiff_t>(s.avail_out), chunk.end());
    deflateEnd(&s);
    Bytes stream;
    for (std::uint32_t i = 0; i < mebibytes; ++i) {
        stream.insert(stream.end(), chunk.begin(), chunk.end());
    }
    stream.push_back(0x03);  // an empty final block
    stream.push_back(0x00);
    return stream;
}

// A package with a member claiming (and producing) `mebibytes` MiB between two small
// members.
ZipBuilder BombPackage(std::uint32_t mebibytes) {
    ZipBuilder zip;
    Member before;
    before.name = "before.txt";
    before.data = ToBytes("before");
    zip.Add(before);
    const Bytes stream = ZerosStream(mebibytes);
    Member bomb;
    bomb.name = "Pictures/bomb.bin";
    bomb.deflate = false;  // the stream goes in as it is; the header says method 8
    bomb.data = stream;
    bomb.uncompressedSize = static_cast<std::uint32_t>(std::uint64_t{mebibytes} * kMiB);
    bomb.flags = 0x0008;  // no CRC to hold the bytes against
    bomb.crc = 0;
    const std::uint64_t at = zip.Add(bomb);
    zip.Data()[at + 8] = 8;  // method: deflate
    Member after;
    after.name = "after.txt";
    after.data = ToBytes("after");
    zip.Add(after);
    return zip;
}

std::uint64_t SixteenMiB(const fs::path&) {
    return 16 * kMiB;
}

class FileSizeLimit {
  public:
    explicit FileSizeLimit(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &saved_);
        previous_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = saved_;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &saved_);
        std::signal(SIGXFSZ, previous_);
    }

  private:
    rlimit saved_{};
    void (*previous_)(int) = nullptr;
};

void ExpectBombLeftOutAndReported(HostileRoad& road) {
    const auto files = road.FolderFiles();
    EXPECT_EQ(files.count("Pictures/bomb.bin"), 0u);
    EXPECT_EQ(files.at("before.txt"), "before");
    EXPECT_EQ(files.at("after.txt"), "after");
    EXPECT_EQ(files.at("content.xml").size(), 191u);
    const std::string line =
        road.Package().string() +
        " Pictures\\bomb.bin could not be written: not enough free space....\r\n";
    int reported = 0;
    for (const auto& l : road.host.lines) {
        reported += l.text == line && l.colour == kLogRed;
    }
    EXPECT_EQ(reported, 1);
    EXPECT_TRUE(road.Strays().empty()) << road.Strays().front();
    ASSERT_TRUE(road.Save());
    EXPECT_EQ(road.SavedMembers().count("Pictures/bomb.bin"), 0u);
}

TEST(ZipBomb, AClaimBeyondTheFreeSpaceIsRefusedBeforeAByteIsWritten) {
    // 3 GiB of zeros from a package of about 3 MB.
    ZipBuilder zip = BombPackage(3072);
    ASSERT_LT(zip.Size(), 8 * kMiB);
    HostileRoad road;
    SetFreeSpaceProbe(SixteenMiB);
    road.Repair(zip);
    SetFreeSpaceProbe(nullptr);
    ExpectBombLeftOutAndReported(road);
}

TEST(ZipBomb, ADiskThatFillsUpWhileInflatingLeavesNoPartFileBehind) {
    // The stream produces 64 MiB; the disk (here: the file size limit) takes 4 MiB.
    ZipBuilder zip = BombPackage(64);
    HostileRoad road;
    {
        FileSizeLimit limit(4 * kMiB);
        road.Repair(zip);
    }
    ExpectBombLeftOutAndReported(road);
}

TEST(ZipBomb, AClaimThatFitsIsExtractedWhole) {
    ZipBuilder zip = BombPackage(8);
    HostileRoad road;
    SetFreeSpaceProbe(SixteenMiB);
    road.Repair(zip);
    SetFreeSpaceProbe(nullptr);
    EXPECT_EQ(fs::file_size(road.Folder() / "Pictures" / "bomb.bin"), 8 * kMiB);
    for (const auto& l : road.host.lines) {
        EXPECT_EQ(l.text.find("free space"), std::string::npos) << l.text;
    }
}

// The writer's 32-bit limits, reached with a lowered limit: the answer, the sentence
// and that nothing is left at the destination.
struct LimitCase {
    const char* label;
    std::uint64_t largest;
    std::vector<std::pair<std::string, std::size_t>> files;  // name, bytes of noise
    std::string refusal;
};

class WriterLimits : public ::testing::TestWithParam<LimitCase> {};

TEST_P(WriterLimits, AreRefusedWithASentenceAndNoPackage) {
    const LimitCase& c = GetParam();
    TempDir dir;
    const fs::path destination = dir / "MENDED_x.odf";
    WriteFile(destination, "earlier package");
    ArchiveWriter writer;
    writer.SetLargestForTesting(c.largest);
    ASSERT_EQ(writer.Create(destination), ZipResult::kOk);
    ZipResult last = ZipResult::kOk;
    std::uint32_t x = 7;
    for (const auto& [name, size] : c.files) {
        std::string noise(size, '\0');
        for (char& ch : noise) {
            x = x * 1103515245u + 12345u;
            ch = static_cast<char>(x >> 24);
        }
        WriteFile(dir / name, noise);
        const ZipResult result = writer.AddFile(name, dir / name);
        if (last == ZipResult::kOk) {
            last = result;  // the first refusal; later members fail as "failed earlier"
        }
    }
    EXPECT_EQ(last, ZipResult::kTooLarge);
    EXPECT_EQ(writer.Refusal(), c.refusal);
    EXPECT_EQ(writer.Close(), ZipResult::kTooLarge);
    EXPECT_EQ(ReadFile(destination), "earlier package");
    EXPECT_EQ(FilesBelow(dir.Path()).size(), c.files.size() + 1) << "no hidden file left";
}

const LimitCase kLimits[] = {
    {"MemberAtTheLimitSize",
     1000,
     {{"big.bin", 1001}},
     "big.bin is 4 GiB or larger: a package member must stay below 4 GiB"},
    {"PackageGrowsPastTheLimit",
     3000,
     {{"a.bin", 900}, {"b.bin", 900}, {"c.bin", 900}, {"d.bin", 900}},
     "the package would reach 4 GiB: a package must stay below 4 GiB"},
    {"StoredMemberCarriesThePackagePast",
     1500,
     {{"a.gz", 900}, {"b.gz", 900}},
     "the package would reach 4 GiB: a package must stay below 4 GiB"},
};

INSTANTIATE_TEST_SUITE_P(Limits, WriterLimits, ::testing::ValuesIn(kLimits),
                         [](const auto& info) { return std::string(info.param.label); });

TEST(WriterLimits, AFileOf4GiBIsRefusedBeforeItIsRead) {
    TempDir dir;
    fs::create_directory(dir / "folder");
    WriteFile(dir / "folder" / "content.xml", std::string(200, 'c'));
    // Sparse: takes no disk space, reads as 4 GiB of zeros.
    const int fd = ::open((dir / "folder" / "huge.bin").c_str(), O_CREAT | O_WRONLY, 0644);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(::ftruncate(fd, static_cast<off_t>(std::uint64_t{1} << 32)), 0);
    ::close(fd);
    std::string refusal;
    EXPECT_FALSE(WritePackage(dir / "folder", dir / "MENDED_x.odf", &refusal));
    EXPECT_EQ(refusal, "huge.bin is 4 GiB or larger: a package member must stay below 4 GiB");
    EXPECT_FALSE(fs::exists(dir / "MENDED_x.odf"));
}

TEST(ManyMembers, HundredThousandTinyMembersAreSalvagedAndTheWriterRefusesToPackThem) {
    ZipBuilder zip;
    Member m;
    m.deflate = false;
    for (int i = 0; i < 100000; ++i) {
        m.name = "m/" + std::to_string(i);
        m.data = {static_cast<unsigned char>('a' + i % 26)};
        zip.Add(m);
    }
    HostileRoad road;
    road.Repair(zip);
    ASSERT_EQ(road.table.size(), 100000u);
    EXPECT_EQ(ReadFile(road.Folder() / "m" / "99999"), "d");  // 99999 % 26 == 3
    std::string refusal;
    EXPECT_FALSE(WritePackage(road.Folder(), road.Output(), &refusal));
    EXPECT_EQ(refusal, "the package would hold more than 65,535 members");
    EXPECT_FALSE(fs::exists(road.Output()));
    EXPECT_TRUE(road.Strays().empty());
}

}  // namespace
}  // namespace qff::test
