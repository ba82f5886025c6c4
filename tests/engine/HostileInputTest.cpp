// Randomly damaged copies of genuine documents: whatever the damage, the repair ends,
// writes only inside its folder, leaves no temporary file, and the rebuilt package is
// a sound archive.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <random>

#include "EngineTestSupport.h"
#include "engine/ExtractEntries.h"
#include "engine/ScanPackage.h"
#include "engine/WritePackage.h"

namespace qff::test {
namespace {

const std::filesystem::path kData = QFF_TEST_DATA_DIR;

std::string Damage(std::string bytes, std::mt19937& random) {
    const auto pick = [&](std::size_t bound) {
        return bound == 0 ? std::size_t{0}
                          : std::uniform_int_distribution<std::size_t>(0, bound - 1)(random);
    };
    const int steps = 1 + static_cast<int>(pick(6));
    for (int step = 0; step < steps; ++step) {
        switch (pick(6)) {
            case 0:  // flip bytes
                for (int i = 0; i < 8 && !bytes.empty(); ++i) {
                    bytes[pick(bytes.size())] ^= static_cast<char>(1 + pick(255));
                }
                break;
            case 1:  // cut the end off
                bytes.resize(pick(bytes.size() + 1));
                break;
            case 2:  // junk in front
                bytes.insert(0, std::string(pick(40), static_cast<char>(pick(256))));
                break;
            case 3:  // a stray signature somewhere
                bytes.insert(pick(bytes.size() + 1), pick(2) ? "PK\x03\x04" : "PK\x07\x08");
                break;
            case 4: {  // a huge size or name length in a header
                const std::size_t header = bytes.find("PK\x03\x04", pick(bytes.size() + 1));
                if (header != std::string::npos && header + 30 <= bytes.size()) {
                    const std::size_t field = header + 18 + 2 * pick(6);
                    bytes[field] = '\xFF';
                    bytes[field + 1] = '\xFF';
                }
                break;
            }
            default: {  // hostile names
                static const char* const kNames[] = {"../../escape.xml", "/abs.xml",
                                                     "..\\..\\x.xml", "a:b:c.xml",
                                                     "\xE9\xFF\x80.png"};
                const std::size_t header = bytes.find("PK\x03\x04", pick(bytes.size() + 1));
                if (header != std::string::npos && header + 30 <= bytes.size()) {
                    const std::string name = kNames[pick(5)];
                    const auto length = static_cast<unsigned char>(bytes[header + 26]);
                    bytes.replace(header + 30,
                                  std::min<std::size_t>(length, bytes.size() - header - 30), name);
                    bytes[header + 26] = static_cast<char>(name.size());
                    bytes[header + 27] = 0;
                }
            }
        }
    }
    return bytes;
}

TEST(HostileInput, RandomDamageStaysInsideTheWorkspace) {
    TempDir dir;
    const auto tmp = dir / "tmp";
    std::filesystem::create_directories(tmp);
    const std::string oldTmp = std::getenv("TMPDIR") ? std::getenv("TMPDIR") : "";
    ::setenv("TMPDIR", tmp.c_str(), 1);
    const std::string originals[] = {ReadFile(kData / "quadratic.odf"),
                                     ReadFile(kData / "sum.odf")};
    std::mt19937 random(20261211);
    for (int round = 0; round < 200; ++round) {
        SCOPED_TRACE("round " + std::to_string(round));
        const auto package = dir / "damaged.odf";
        const auto folder = dir / "ws" / "inner" / "damaged.odf0";
        WriteFile(package, Damage(originals[round % 2], random));
        std::filesystem::create_directories(folder);
        RecordingHost host;
        EntryTable table;
        std::atomic<int> running{1};
        ASSERT_TRUE(ScanPackage(package, table, running, host));
        ExtractEntries(folder, package, table, host);
        EXPECT_EQ(FilesBelow(dir / "ws").size(), FilesBelow(folder).size())
            << "nothing outside the folder";
        EXPECT_TRUE(std::filesystem::is_empty(tmp)) << "no temporary file left";
        for (const std::string& notice : host.notices) {
            EXPECT_EQ(notice, "File name too long") << "only names beyond the file system's limit";
        }
        ASSERT_EQ(FilesBelow(dir.Path()).size(), FilesBelow(folder).size() + 1);
        if (round % 60 == 0) {
            const auto mended = dir / "MENDED_damaged.odf";
            ASSERT_TRUE(WritePackage(folder, mended));
            std::string report;
            EXPECT_EQ(RunCommand("unzip -tq '" + mended.string() + "'", &report), 0) << report;
            std::filesystem::remove(mended);
        }
        std::filesystem::remove_all(dir / "ws");
    }
    if (oldTmp.empty()) {
        ::unsetenv("TMPDIR");
    } else {
        ::setenv("TMPDIR", oldTmp.c_str(), 1);
    }
}

}  // namespace
}  // namespace qff::test
