// Damages genuine formula documents, repairs and rebuilds them, and has the office
// suite convert each rebuilt package to MathML: the formula must come out exactly as
// it does from the undamaged document.
#include <gtest/gtest.h>

#include <atomic>

#include "EngineTestSupport.h"
#include "engine/ExtractEntries.h"
#include "engine/ScanPackage.h"
#include "engine/WritePackage.h"

namespace qff::test {
namespace {

const std::filesystem::path kData = QFF_TEST_DATA_DIR;

// One way of damaging a document.
struct Damage {
    std::string name;      // file name of the damaged copy
    std::string original;  // the genuine document it starts from
    std::function<std::string(std::string)> apply;
    std::vector<std::string> mustBeMissing;  // members the repair must leave out
};

std::size_t DirectoryStart(const std::string& bytes) {
    const std::size_t at = bytes.find("PK\x01\x02");
    return at == std::string::npos ? bytes.size() : at;
}

// Offset of the data of the member called name (after its local header).
std::size_t MemberData(const std::string& bytes, const std::string& name) {
    const std::size_t header = bytes.find(name) - 30;
    const auto u16 = [&](std::size_t at) {
        return static_cast<unsigned char>(bytes[at]) |
               (static_cast<unsigned char>(bytes[at + 1]) << 8);
    };
    return header + 30 + u16(header + 26) + u16(header + 28);
}

const std::vector<Damage>& Damages() {
    static const std::vector<Damage> damages = {
        {"quadratic-nodir.odf",
         "quadratic.odf",
         [](std::string b) { return b.substr(0, DirectoryStart(b)); },
         {}},
        {"quadratic-nomanifest.odf",
         "quadratic.odf",
         [](std::string b) {
             // Junk in front, and the end cut off in the middle of the manifest, the last member.
             const std::size_t cut = MemberData(b, "META-INF/manifest.xml") + 40;
             return std::string(1001, '\x50') + b.substr(0, cut);
         },
         {}},
        {"sum-badsettings.odf",
         "sum.odf",
         [](std::string b) {
             const std::size_t at = MemberData(b, "settings.xml") + 200;
             for (std::size_t i = 0; i < 64; ++i) {
                 b[at + i] = static_cast<char>(b[at + i] ^ 0x5A);
             }
             return b.substr(0, DirectoryStart(b));
         },
         {"settings.xml"}},
    };
    return damages;
}

TEST(OfficeRoundTrip, RebuiltPackagesGiveTheOriginalFormula) {
    std::string soffice;
    ASSERT_EQ(RunCommand("command -v soffice", &soffice), 0) << "LibreOffice (soffice) is needed";
    TempDir dir;
    const auto damaged = dir / "damaged";
    const auto work = dir / "VivUvud";
    const auto out = dir / "out";
    std::filesystem::create_directories(damaged);
    std::filesystem::create_directories(out);
    std::vector<std::filesystem::path> toConvert = {kData / "quadratic.odf", kData / "sum.odf"};

    for (std::size_t i = 0; i < Damages().size(); ++i) {
        const Damage& d = Damages()[i];
        SCOPED_TRACE(d.name);
        const auto path = damaged / d.name;
        WriteFile(path, d.apply(ReadFile(kData / d.original)));
        ASSERT_NE(ReadFile(path), ReadFile(kData / d.original));
        RecordingHost host;
        EntryTable table;
        std::atomic<int> running{1};
        ASSERT_TRUE(ScanPackage(path, table, running, host));
        const auto folder = work / (d.name + std::to_string(i));
        std::filesystem::create_directories(folder);
        ExtractEntries(folder, path, table, host);
        for (const std::string& missing : d.mustBeMissing) {
            EXPECT_FALSE(std::filesystem::exists(folder / missing)) << missing;
        }
        ASSERT_TRUE(std::filesystem::exists(folder / "META-INF" / "manifest.xml"));
        const auto mended = out / ("MENDED_" + d.name);
        ASSERT_TRUE(WritePackage(folder, mended));
        toConvert.push_back(mended);
    }

    // One run of the office suite, with a profile of its own so that parallel test
    // runs never share one.
    std::string command =
        "timeout 240 soffice --headless --norestore -env:UserInstallation=file://" +
        (dir / "profile").string() + " --convert-to mml --outdir '" + (dir / "mml").string() + "'";
    for (const auto& file : toConvert) {
        command += " '" + file.string() + "'";
    }
    std::string report;
    EXPECT_EQ(RunCommand(command, &report), 0) << report;

    const auto formula = [&](const std::string& stem) {
        return ReadFile(dir / "mml" / (stem + ".mml"));
    };
    ASSERT_NE(formula("quadratic").find("sqrt{b^2 - 4ac}"), std::string::npos) << report;
    ASSERT_NE(formula("sum").find("sum from{k=1} to{n}"), std::string::npos) << report;
    for (const Damage& d : Damages()) {
        const std::string stem = d.name.substr(0, d.name.size() - 4);
        const std::string originalStem = d.original.substr(0, d.original.size() - 4);
        EXPECT_EQ(formula("MENDED_" + stem), formula(originalStem)) << d.name << "\n" << report;
    }
}

}  // namespace
}  // namespace qff::test
