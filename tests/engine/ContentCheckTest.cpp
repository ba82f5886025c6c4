#include <gtest/gtest.h>

#include "EngineTestSupport.h"
#include "engine/EnsureContentXml.h"
#include "engine/EnsureManifest.h"

namespace qff::test {
namespace {

TEST(DefaultContentXml, IsTheEmptyFormulaDocument) {
    const std::string_view text = DefaultContentXml();
    ASSERT_EQ(text.size(), 191u);
    EXPECT_EQ(text.substr(0, 39), "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n");
    EXPECT_EQ(text.substr(39, 92),
              "<!DOCTYPE math:math PUBLIC \"-//OpenOffice.org//DTD Modified W3C MathML 1.01//EN\" "
              "\"math.dtd\">");
    EXPECT_EQ(text.substr(131), "<math:math xmlns:math=\"http://www.w3.org/1998/Math/MathML\"/>");
}

TEST(EnsureContentXml, OnlyTheSizeDecides) {
    struct Case {
        std::string label;
        std::optional<std::string> before;  // nullopt: no content.xml at all
        bool replaced;
    };
    const Case cases[] = {
        {"missing", std::nullopt, true},
        {"empty", "", true},
        {"190 bytes", std::string(190, 'x'), true},
        {"191 bytes", std::string(191, 'y'), false},
        {"large garbage", std::string(5000, '\x01'), false},
    };
    for (const bool trailingSlash : {false, true}) {
        for (const Case& c : cases) {
            SCOPED_TRACE(c.label);
            TempDir dir;
            if (c.before) {
                WriteFile(dir / "content.xml", *c.before);
            }
            const std::filesystem::path folder = trailingSlash ? dir.Path() / "" : dir.Path();
            EXPECT_TRUE(EnsureContentXml(folder));
            const std::string after = ReadFile(dir / "content.xml");
            if (c.replaced) {
                EXPECT_EQ(after, DefaultContentXml());
            } else {
                EXPECT_EQ(after, *c.before);
            }
            EXPECT_EQ(FilesBelow(dir.Path()), std::vector<std::string>{"content.xml"});
        }
    }
}

TEST(EnsureContentXml, FolderInTheWayFailsAndALinkIsReplacedNotFollowed) {
    TempDir dir;
    std::filesystem::create_directories(dir / "ws" / "content.xml");
    EXPECT_FALSE(EnsureContentXml(dir / "ws"));

    std::filesystem::create_directories(dir / "ws2");
    WriteFile(dir / "big.xml", std::string(4000, 'b'));
    std::filesystem::create_symlink(dir / "big.xml", dir / "ws2" / "content.xml");
    EXPECT_TRUE(EnsureContentXml(dir / "ws2"));
    EXPECT_FALSE(std::filesystem::is_symlink(dir / "ws2" / "content.xml"));
    EXPECT_EQ(ReadFile(dir / "ws2" / "content.xml"), DefaultContentXml());
    EXPECT_EQ(ReadFile(dir / "big.xml"), std::string(4000, 'b'));
}

const std::string kCompleteManifest =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
    "<manifest:manifest xmlns:manifest=\"urn:oasis:names:tc:opendocument:xmlns:manifest:1.0\" "
    "manifest:version=\"1.3\">\n"
    " <manifest:file-entry manifest:full-path=\"/\" manifest:version=\"1.3\" "
    "manifest:media-type=\"application/vnd.oasis.opendocument.formula\"/>\n"
    " <manifest:file-entry manifest:full-path=\"content.xml\" manifest:media-type=\"text/xml\"/>\n"
    "</manifest:manifest>\n";

TEST(IsCompleteManifest, RecognisesWholeDocumentsOnly) {
    const std::pair<std::string, bool> cases[] = {
        {kCompleteManifest, true},
        {kCompleteManifest.substr(0, kCompleteManifest.size() - 5), false},
        {kCompleteManifest.substr(0, 120), false},
        {"", false},
        {"   \n", false},
        {"<?xml version=\"1.0\"?><!-- c --><m:manifest xmlns:m=\"x\"></m:manifest>", true},
        {"<manifest xmlns=\"urn:x\"/>", true},
        {"<manifest:manifest xmlns:manifest=\"x\"></manifest:other>", false},
        {"<office:document-content></office:document-content>", false},
        {"<?xml version=\"1.0\"", false},
    };
    for (const auto& [text, complete] : cases) {
        EXPECT_EQ(IsCompleteManifest(text), complete) << text;
    }
}

class EnsureManifestTest : public ::testing::Test {
  protected:
    void SetUp() override {
        std::filesystem::create_directories(dir / "Pictures");
        std::filesystem::create_directories(dir / "META-INF");
        WriteFile(dir / "mimetype", "application/vnd.oasis.opendocument.formula");
        WriteFile(dir / "content.xml", "<math/>");
        WriteFile(dir / "Pictures" / "a&b.PNG", "png");
        WriteFile(dir / "Pictures" / "photo.jpeg", "jpeg");
        // On disk as UTF-8 of the stored bytes C3 A9 read one character per byte.
        WriteFile(dir / "caf\xC3\x83\xC2\xA9.xml", "x");
        WriteFile(dir / "data.bin", "?");
    }
    TempDir dir;
    std::filesystem::path manifest = dir / "META-INF" / "manifest.xml";
};

TEST_F(EnsureManifestTest, MissingEmptyOrCutOffIsReplacedByAMinimalOne) {
    const std::optional<std::string> cases[] = {std::nullopt, "", kCompleteManifest.substr(0, 150)};
    for (const auto& before : cases) {
        std::filesystem::remove(manifest);
        if (before) {
            WriteFile(manifest, *before);
        }
        EXPECT_TRUE(EnsureManifest(dir.Path()));
        const std::string text = ReadFile(manifest);
        EXPECT_TRUE(IsCompleteManifest(text));
        EXPECT_EQ(
            text,
            "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
            "<manifest:manifest "
            "xmlns:manifest=\"urn:oasis:names:tc:opendocument:xmlns:manifest:1.0\">\n"
            " <manifest:file-entry manifest:full-path=\"/\" "
            "manifest:media-type=\"application/vnd.oasis.opendocument.formula\"/>\n"
            " <manifest:file-entry manifest:full-path=\"caf\xC3\xA9.xml\" "
            "manifest:media-type=\"text/xml\"/>\n"
            " <manifest:file-entry manifest:full-path=\"content.xml\" "
            "manifest:media-type=\"text/xml\"/>\n"
            " <manifest:file-entry manifest:full-path=\"data.bin\" manifest:media-type=\"\"/>\n"
            " <manifest:file-entry manifest:full-path=\"Pictures/a&amp;b.PNG\" "
            "manifest:media-type=\"image/png\"/>\n"
            " <manifest:file-entry manifest:full-path=\"Pictures/photo.jpeg\" "
            "manifest:media-type=\"image/jpeg\"/>\n"
            "</manifest:manifest>\n");
    }
}

TEST_F(EnsureManifestTest, CompleteManifestIsLeftAlone) {
    WriteFile(manifest, kCompleteManifest);
    EXPECT_TRUE(EnsureManifest(dir.Path()));
    EXPECT_EQ(ReadFile(manifest), kCompleteManifest);
}

}  // namespace
}  // namespace qff::test
