// Salvage of genuine formula documents. LibreOffice turns the MathML files of corpus/
// into formula packages; each package is damaged in the ways real files get damaged;
// quillmark-fix repairs them all in one run; LibreOffice then opens every rebuilt
// package and the original, and exports each formula as MathML. Every rebuilt package
// must open, and every formula whose content.xml survived the damage must come back
// exactly as the original's.

#include <gtest/gtest.h>

#include <iostream>

#include "PackageFixture.h"
#include "RunFix.h"

namespace qff::test {
namespace {

namespace fs = std::filesystem;

std::uint32_t Get16(const std::string& s, std::size_t at) {
    return static_cast<std::uint8_t>(s[at]) | (static_cast<std::uint8_t>(s[at + 1]) << 8);
}
std::uint32_t Get32(const std::string& s, std::size_t at) {
    return Get16(s, at) | (Get16(s, at + 2) << 16);
}
void Set32(std::string& s, std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) {
        s[at + i] = static_cast<char>((v >> (8 * i)) & 0xFF);
    }
}

// Where a member lies in a package, from its central directory: the local header's
// offset and the end of its data (and of its data descriptor, when it has one).
struct Span {
    std::size_t header = 0;
    std::size_t dataStart = 0;
    std::size_t end = 0;
};

std::map<std::string, Span> Spans(const std::string& zip) {
    std::map<std::string, Span> spans;
    const std::size_t eocd = zip.rfind("PK\5\6");
    std::size_t at = Get32(zip, eocd + 16);
    for (std::uint32_t i = 0, n = Get16(zip, eocd + 10); i < n; ++i) {
        const std::uint32_t nlen = Get16(zip, at + 28);
        const std::string name = zip.substr(at + 46, nlen);
        Span span;
        span.header = Get32(zip, at + 42);
        span.dataStart =
            span.header + 30 + Get16(zip, span.header + 26) + Get16(zip, span.header + 28);
        span.end = span.dataStart + Get32(zip, at + 20);
        if (Get16(zip, span.header + 6) & 0x8) {
            span.end += 16;
        }
        spans[name] = span;
        at += 46 + nlen + Get16(zip, at + 30) + Get16(zip, at + 32);
    }
    return spans;
}

std::string Noise(std::size_t n, std::uint32_t seed) {
    std::string s(n, '\0');
    for (char& c : s) {
        seed = seed * 1103515245u + 12345u;
        c = static_cast<char>(seed >> 23);
    }
    return s;
}

// One damaged package: its bytes, and whether content.xml came through untouched.
struct Damaged {
    std::string bytes;
    bool contentSurvived = false;
};

// Applies damage `kind` to a genuine package, or to its streaming form (base); shift
// is how far the damage moved base's bytes.
Damaged Damage(const fs::path& original, const std::string& kind) {
    std::string base = ReadFile(original);
    if (kind.rfind("streaming", 0) == 0) {
        const auto read = ReadPackage(original);
        std::vector<Member> members;
        for (const auto& [name, data] : read.value()) {
            // The type of the package first, as writers put it.
            members.insert(name == "mimetype" ? members.begin() : members.end(),
                           {name, data, true});
        }
        base = BuildStreamingPackage(members);
    }
    const auto spans = Spans(base);
    const Span content = spans.at("content.xml");
    std::string bytes = base;
    std::size_t shift = 0;
    const std::size_t central = base.find("PK\1\2");
    if (kind == "cut-90" || kind == "cut-60" || kind == "cut-30" || kind == "cut-15" ||
        kind == "streaming-cut-70") {
        const int percent = std::stoi(kind.substr(kind.rfind('-') + 1));
        bytes.resize(base.size() * percent / 100);
    } else if (kind == "central-directory-lost") {
        bytes.resize(central);
    } else if (kind == "central-directory-garbled") {
        const std::string noise = Noise(base.size() - central, 7);
        bytes.replace(central, noise.size(), noise);
    } else if (kind == "junk-before-first-header") {
        bytes = Noise(1024, 11) + base;
        shift = 1024;
    } else if (kind == "burst-in-content") {
        bytes.replace((content.dataStart + content.end) / 2 - 8, 16, Noise(16, 13));
    } else if (kind == "burst-after-content") {
        const Span settings = spans.at("settings.xml");
        bytes.replace((settings.dataStart + settings.end) / 2 - 100, 200, Noise(200, 17));
    } else if (kind == "content-size-lies") {
        Set32(bytes, content.header + 22, Get32(bytes, content.header + 22) + 5000);
    } else if (kind == "last-member-size-lies") {
        std::size_t last = 0;
        for (const auto& [name, span] : spans) {
            last = std::max(last, span.header);
        }
        Set32(bytes, last + 18, 0x00FFFFFF);
    }
    Damaged d;
    d.bytes = bytes;
    const std::size_t length = content.end - content.header;
    d.contentSurvived =
        bytes.size() >= content.end + shift &&
        bytes.compare(content.header + shift, length, base, content.header, length) == 0;
    return d;
}

const char* const kDamages[] = {
    "cut-90",
    "cut-60",
    "cut-30",
    "cut-15",
    "central-directory-lost",
    "central-directory-garbled",
    "junk-before-first-header",
    "burst-in-content",
    "burst-after-content",
    "content-size-lies",
    "last-member-size-lies",
    "streaming",
    "streaming-cut-70",
};

// Converts files with LibreOffice in a private profile, giving up after a while.
void Convert(const TempDir& dir, const std::string& format, const fs::path& outDir,
             const std::vector<fs::path>& files) {
    std::string command =
        "timeout 300 soffice --headless --norestore -env:UserInstallation=file://" +
        (dir.path() / "profile").string() + " --convert-to " + format + " --outdir " +
        ShellQuote(outDir.string());
    for (const fs::path& file : files) {
        command += " " + ShellQuote(file.string());
    }
    command += " >" + ShellQuote((dir.path() / "soffice.log").string()) + " 2>&1";
    ASSERT_EQ(RunShell(command), 0) << ReadFile(dir.path() / "soffice.log");
}

TEST(SalvageCorpus, EveryRebuiltPackageOpensAndSurvivingFormulasComeBackUnchanged) {
    TempDir dir;
    for (const char* sub : {"mml", "orig", "damaged", "out", "back", "tmp"}) {
        fs::create_directory(dir.path() / sub);
    }
    std::vector<fs::path> sources;
    for (const auto& entry : fs::directory_iterator(QFF_CORPUS_DIR)) {
        sources.push_back(entry.path());
    }
    std::sort(sources.begin(), sources.end());
    ASSERT_FALSE(sources.empty());
    Convert(dir, "odf", dir.path() / "orig", sources);

    std::vector<fs::path> originals;
    std::vector<std::string> damagedFiles;
    std::map<std::string, std::pair<std::string, bool>>
        expected;  // rebuilt name -> original, survived
    for (const fs::path& source : sources) {
        const fs::path original = dir.path() / "orig" / (source.stem().string() + ".odf");
        ASSERT_TRUE(fs::exists(original)) << original;
        originals.push_back(original);
        for (const char* kind : kDamages) {
            const std::string name = source.stem().string() + "-" + kind + ".odf";
            const Damaged d = Damage(original, kind);
            const fs::path path = dir.path() / "damaged" / name;
            WriteFile(path, d.bytes);
            damagedFiles.push_back(path.string());
            expected["MENDED_" + source.stem().string() + "-" + kind] = {source.stem().string(),
                                                                         d.contentSurvived};
        }
    }

    std::vector<std::string> args = {"--out", (dir.path() / "out").string()};
    args.insert(args.end(), damagedFiles.begin(), damagedFiles.end());
    const FixRun run = RunFix(args, dir.path() / "tmp");
    EXPECT_EQ(run.status, 0) << run.err;

    std::vector<fs::path> toOpen = originals;
    for (const auto& [rebuilt, info] : expected) {
        toOpen.push_back(dir.path() / "out" / (rebuilt + ".odf"));
    }
    Convert(dir, "mml", dir.path() / "back", toOpen);

    int opened = 0;
    int survived = 0;
    int unchanged = 0;
    for (const auto& [rebuilt, info] : expected) {
        const fs::path formula = dir.path() / "back" / (rebuilt + ".mml");
        const bool open = fs::exists(formula) && fs::file_size(formula) > 0;
        EXPECT_TRUE(open) << rebuilt << " did not open";
        opened += open;
        if (info.second) {
            ++survived;
            const std::string back = open ? ReadFile(formula) : std::string();
            const std::string want = ReadFile(dir.path() / "back" / (info.first + ".mml"));
            EXPECT_FALSE(want.empty()) << info.first;
            EXPECT_EQ(back, want) << rebuilt;
            unchanged += back == want;
        }
    }
    std::cout << "salvage corpus: " << expected.size() << " damaged packages from "
              << originals.size() << " documents; " << opened << " opened; " << survived
              << " kept content.xml, " << unchanged << " of those came back unchanged\n";
}

}  // namespace
}  // namespace qff::test
