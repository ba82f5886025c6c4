#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <zlib.h>

#include <ctime>

#include "EngineTestSupport.h"
#include "ZipBuilder.h"
#include "engine/ArchiveWriter.h"
#include "engine/WritePackage.h"

namespace qff::test {
namespace {

std::uint32_t U16(const std::string& b, std::size_t at) {
    return static_cast<unsigned char>(b[at]) | (static_cast<unsigned char>(b[at + 1]) << 8);
}
std::uint32_t U32(const std::string& b, std::size_t at) {
    return U16(b, at) | (U16(b, at + 2) << 16);
}

std::string Inflate(const std::string& stream, std::size_t size) {
    std::string out(size, '\0');
    z_stream s{};
    inflateInit2(&s, -15);
    s.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(stream.data()));
    s.avail_in = static_cast<uInt>(stream.size());
    s.next_out = reinterpret_cast<Bytef*>(out.data());
    s.avail_out = static_cast<uInt>(out.size());
    const int result = inflate(&s, Z_FINISH);
    inflateEnd(&s);
    return result == Z_STREAM_END && s.total_out == size ? out : "<inflate failed>";
}

// What the test knows about one member it put in the folder.
struct Source {
    std::string diskName;    // relative path on disk
    std::string storedName;  // expected bytes in the archive
    std::string content;
    std::uint16_t method;
    bool readOnly = false;
};

std::string PseudoText(std::size_t size) {
    std::string text;
    std::uint32_t x = 12345;
    while (text.size() < size) {
        x = x * 1103515245u + 12345u;
        text += "<mi>" + std::to_string(x % 997) + "</mi>";
    }
    text.resize(size);
    return text;
}

class WriterTest : public ::testing::Test {
  protected:
    void Put(const Source& s) {
        const auto path = src / s.diskName;
        std::filesystem::create_directories(path.parent_path());
        WriteFile(path, s.content);
        if (s.readOnly) {
            ::chmod(path.c_str(), 0444);
        }
    }
    TempDir dir;
    std::filesystem::path src = dir / "a.odf0";
    std::filesystem::path out = dir / "MENDED_a.odf";
};

TEST_F(WriterTest, BytesOfEveryHeaderAndRecord) {
    // Listed in the order the writer must take them: by name without regard to case.
    const std::vector<Source> sources = {
        {"a.zip.xml", "a.zip.xml", "deflated despite .zip inside", 8},
        {"caf\xC3\xA9.xml", "caf\xE9.xml", "latin-1 name", 8},
        {"content.xml", "content.xml", PseudoText(100000), 8},
        {"empty", "empty", "", 8},
        {"mimetype", "mimetype", "application/vnd.oasis.opendocument.formula", 8},
        {"Pictures/a.ZIP", "Pictures/a.ZIP", "stored because of .ZIP", 0},
        {"ro.xml", "ro.xml", "read only", 8, true},
        {"Sub/File.ext", "Sub/File.ext", "in a sub-folder", 8},
        {"x.tgz", "x.tgz", PseudoText(40000), 0},
        {"\xE2\x82\xAC.xml", "?.xml", "euro sign", 8},
    };
    for (const Source& s : sources) {
        Put(s);
    }
    std::filesystem::create_directories(src / "emptyfolder" / "inner");
    // Taken before packing: reading a source for the package moves its access time on.
    std::vector<struct stat> stats(sources.size());
    for (std::size_t i = 0; i < sources.size(); ++i) {
        ASSERT_EQ(::stat((src / sources[i].diskName).c_str(), &stats[i]), 0);
    }
    ASSERT_TRUE(WritePackage(src, out));
    const std::string zip = ReadFile(out);

    std::size_t at = 0;
    std::vector<std::size_t> headerOffsets;
    for (std::size_t i = 0; i < sources.size(); ++i) {
        const Source& s = sources[i];
        SCOPED_TRACE(s.storedName);
        const struct stat& info = stats[i];
        const std::uint32_t crc =
            static_cast<std::uint32_t>(crc32(0, reinterpret_cast<const Bytef*>(s.content.data()),
                                             static_cast<uInt>(s.content.size())));
        headerOffsets.push_back(at);
        ASSERT_EQ(U32(zip, at), 0x04034B50u);
        EXPECT_EQ(U16(zip, at + 4), 20u);
        EXPECT_EQ(U16(zip, at + 6), s.method == 8 ? 0x0002u : 0x0000u);
        EXPECT_EQ(U16(zip, at + 8), s.method);
        struct tm local {};
        ::localtime_r(&info.st_mtime, &local);
        EXPECT_EQ(U16(zip, at + 10),
                  static_cast<std::uint32_t>((local.tm_hour << 11) | (local.tm_min << 5) |
                                             (local.tm_sec / 2)));
        EXPECT_EQ(U16(zip, at + 12),
                  static_cast<std::uint32_t>(((local.tm_year - 80) << 9) |
                                             ((local.tm_mon + 1) << 5) | local.tm_mday));
        EXPECT_EQ(U32(zip, at + 14), crc);
        const std::uint32_t csize = U32(zip, at + 18);
        EXPECT_EQ(U32(zip, at + 22), s.content.size());
        const std::uint32_t n = U16(zip, at + 26);
        EXPECT_EQ(U16(zip, at + 28), 17u);
        EXPECT_EQ(zip.substr(at + 30, n), s.storedName);
        const std::size_t extra = at + 30 + n;
        EXPECT_EQ(U16(zip, extra), 0x5455u);
        EXPECT_EQ(U16(zip, extra + 2), 13u);
        EXPECT_EQ(zip[extra + 4], '\x07');
        EXPECT_EQ(U32(zip, extra + 5), static_cast<std::uint32_t>(info.st_mtime));
        EXPECT_EQ(U32(zip, extra + 9), static_cast<std::uint32_t>(info.st_atime));
        const std::string data = zip.substr(extra + 17, csize);
        EXPECT_TRUE((s.method == 0 ? data : Inflate(data, s.content.size())) == s.content);
        at = extra + 17 + csize;  // no descriptor: the next record starts right here
    }
    const std::size_t directory = at;
    for (std::size_t i = 0; i < sources.size(); ++i) {
        const Source& s = sources[i];
        SCOPED_TRACE(s.storedName);
        const std::size_t local = headerOffsets[i];
        ASSERT_EQ(U32(zip, at), 0x02014B50u);
        EXPECT_EQ(U16(zip, at + 4), 0x0B17u);
        EXPECT_EQ(zip.substr(at + 6, 24), zip.substr(local + 4, 24))
            << "same fields as the local header";
        const std::uint32_t n = U16(zip, at + 28);
        EXPECT_EQ(U16(zip, at + 30), 9u);
        EXPECT_EQ(U32(zip, at + 32), 0u);  // comment length and disk number
        EXPECT_EQ(U16(zip, at + 36), 0u);
        EXPECT_EQ(U32(zip, at + 38), s.readOnly ? 0x81000021u : 0x81800020u);
        EXPECT_EQ(U32(zip, at + 42), local);
        EXPECT_EQ(zip.substr(at + 46, n), s.storedName);
        EXPECT_EQ(zip.substr(at + 46 + n, 9),
                  std::string("UT\x05\0\x07", 5) + zip.substr(local + 30 + n + 5, 4))
            << "the modification time only";
        at += 46 + n + 9;
    }
    ASSERT_EQ(zip.size(), at + 22);
    EXPECT_EQ(U32(zip, at), 0x06054B50u);
    EXPECT_EQ(U32(zip, at + 4), 0u);
    EXPECT_EQ(U16(zip, at + 8), sources.size());
    EXPECT_EQ(U16(zip, at + 10), sources.size());
    EXPECT_EQ(U32(zip, at + 12), at - directory);
    EXPECT_EQ(U32(zip, at + 16), directory);
    EXPECT_EQ(U16(zip, at + 20), 0u);

    // Independent readers accept the archive and every CRC in it.
    std::string report;
    EXPECT_EQ(RunCommand("unzip -t '" + out.string() + "'", &report), 0) << report;
    EXPECT_EQ(RunCommand("python3 -c \"import sys, zipfile; z = zipfile.ZipFile(sys.argv[1]); "
                         "assert z.testzip() is None; print(len(z.infolist()))\" '" +
                             out.string() + "'",
                         &report),
              0)
        << report;
    EXPECT_EQ(report, std::to_string(sources.size()) + "\n");
}

TEST_F(WriterTest, FoldersWithoutFilesGiveTheEmptyArchive) {
    const std::string emptyArchive("PK\x05\x06\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0", 22);
    std::filesystem::create_directories(src);
    ASSERT_TRUE(WritePackage(src, out));
    EXPECT_EQ(ReadFile(out), emptyArchive);
    std::filesystem::create_directories(src / "one" / "two");
    std::filesystem::create_directories(src / "three");
    ASSERT_TRUE(WritePackage(src, out));
    EXPECT_EQ(ReadFile(out), emptyArchive);
}

TEST_F(WriterTest, ExistingDestinationIsReplacedOnlyByAWholePackage) {
    Put({"content.xml", "content.xml", PseudoText(300000), 8});
    Put({"x.gz", "x.gz", PseudoText(300000), 0});
    WriteFile(out, "older package");
    // A file size limit makes writing fail half-way, as a full disk would.
    struct rlimit old {};
    ::getrlimit(RLIMIT_FSIZE, &old);
    ::signal(SIGXFSZ, SIG_IGN);
    struct rlimit small = old;
    small.rlim_cur = 200000;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    const bool written = WritePackage(src, out);
    ::setrlimit(RLIMIT_FSIZE, &old);
    EXPECT_FALSE(written);
    EXPECT_EQ(ReadFile(out), "older package");
    EXPECT_EQ(FilesBelow(dir.Path()),
              (std::vector<std::string>{"MENDED_a.odf", "a.odf0/content.xml", "a.odf0/x.gz"}));

    ASSERT_TRUE(WritePackage(src, out));
    std::string report;
    EXPECT_EQ(RunCommand("unzip -tq '" + out.string() + "'", &report), 0) << report;
    EXPECT_FALSE(WritePackage(src, dir / "no-such-folder" / "MENDED_a.odf"));
}

TEST_F(WriterTest, ArchiveWriterStates) {
    Put({"a.xml", "a.xml", "a", 8});
    ArchiveWriter none;
    EXPECT_EQ(none.AddFile("a.xml", src / "a.xml"), ZipResult::kBadArgument);
    EXPECT_EQ(none.Close(), ZipResult::kBadArgument);

    ArchiveWriter writer;
    ASSERT_EQ(writer.Create(out), ZipResult::kOk);
    EXPECT_EQ(writer.AddFile("", src / "a.xml"), ZipResult::kBadArgument);
    EXPECT_EQ(writer.AddFile(std::string(260, 'n'), src / "a.xml"), ZipResult::kBadArgument);
    EXPECT_EQ(writer.AddFile(std::string(259, 'n'), src / "a.xml"), ZipResult::kOk);
    EXPECT_EQ(writer.AddFile("missing.xml", src / "missing.xml"), ZipResult::kCannotOpen);
    EXPECT_EQ(writer.AddFile("Sub\\a.xml", src / "a.xml"), ZipResult::kOk);
    EXPECT_FALSE(std::filesystem::exists(out)) << "nothing at the destination before Close";
    EXPECT_EQ(writer.Close(), ZipResult::kOk);
    EXPECT_EQ(writer.AddFile("late.xml", src / "a.xml"), ZipResult::kClosed);
    EXPECT_EQ(writer.Close(), ZipResult::kClosed);
    std::string listing;
    EXPECT_EQ(RunCommand("unzip -Z1 '" + out.string() + "'", &listing), 0);
    EXPECT_EQ(listing, std::string(259, 'n') + "\nSub/a.xml\n");
}

}  // namespace
}  // namespace qff::test
