// Lengths, colours, attribute and declaration reading, style sheet, tables of names.
#include <gtest/gtest.h>

#include "htmlbox/CssStyleSheet.h"
#include "htmlbox/DefaultStyleSheet.h"
#include "htmlbox/HtmlColourNames.h"
#include "htmlbox/HtmlEntities.h"
#include "htmlbox/HtmlTagTable.h"
#include "htmlbox/HtmlTokenizer.h"
#include "htmlbox/HtmlValues.h"
#include "htmlbox/WordWrap.h"

namespace qff {
namespace {

TEST(ParseLength, UnitsPercentagesAndFontSizeSteps) {
    const LengthContext context{15, 15, 96};
    struct Case {
        const char* value;
        int current;
        bool fontSize;
        int expected;
    };
    const Case cases[] = {
        {"", 7, false, 7},
        {"12px", 7, false, 12},
        {"+12px", 7, false, 12},
        {"-12px", 7, false, 12},
        {"2em", 7, false, 30},
        {"2ex", 7, false, 30},
        {"1in", 7, false, 96},
        {"1cm", 7, false, 37},
        {"10mm", 7, false, 37},
        {"10pt", 7, false, 13},
        {"9pt", 7, false, 12},
        {"1pc", 7, false, 16},
        {"50%", 20, false, 10},
        {"65%", 13, false, 8},
        {"125%", 13, false, 16},
        {"3", 7, false, 3},
        {"3", 7, true, 12},
        {"7", 7, true, 36},
        {"8", 7, true, 8},
        {"1.5em", 7, false, 22},
        {"abc", 7, false, 7},
        {"px", 7, false, 7},
        {"99999999px", 7, false, kMaxLength},
        {"-50%", 20, false, 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ParseLength(QString::fromLatin1(c.value), c.current, context, c.fontSize),
                  c.expected)
            << c.value;
    }
}

TEST(ParseColour, HashDigitsNamesAndUnknownValues) {
    const ColourNameMap names = BuildColourNames(QPalette());
    struct Case {
        const char* value;
        bool parsed;
        ColorRef expected;
    };
    const Case cases[] = {
        {"#ff9900", true, 0x0099FF},
        {"#FF9900", true, 0x0099FF},
        {"255", true, 0x0000FF},
        {"0xFF0000", true, 0xFF0000},
        {"010", true, 8},
        {"red", true, 0x0000FF},
        {"lightgrey", true, 0xD3D3D3},
        {"Red", false, 0},
        {"#ff990", false, 0},
        {"#gg0000", false, 0},
        {"", false, 0},
        {"transparent", false, 0},
    };
    for (const Case& c : cases) {
        ColorRef colour = 0x123456;
        EXPECT_EQ(ParseColour(QString::fromLatin1(c.value), names, colour), c.parsed) << c.value;
        EXPECT_EQ(colour, c.parsed ? c.expected : 0x123456u) << c.value;
    }
}

TEST(ColourNames, HundredAndSixtyEightNamesWithSystemColoursFromThePalette) {
    QPalette palette;
    palette.setColor(QPalette::Active, QPalette::Button, QColor(1, 2, 3));
    const ColourNameMap names = BuildColourNames(palette);
    EXPECT_EQ(names.size(), 168u);
    EXPECT_EQ(names.at(QStringLiteral("buttonface")), MakeColorRef(1, 2, 3));
    EXPECT_EQ(names.at(QStringLiteral("threedface")), MakeColorRef(1, 2, 3));
    EXPECT_EQ(names.at(QStringLiteral("gold")), MakeColorRef(0xFF, 0xD7, 0x00));
    EXPECT_EQ(names.at(QStringLiteral("brown")), MakeColorRef(0xA5, 0x2A, 0x2A));
    EXPECT_EQ(names.at(QStringLiteral("green")), MakeColorRef(0, 0x80, 0));
}

TEST(Entities, ThirteenInAscendingOrderSoAmpIsReplacedFirst) {
    ASSERT_EQ(HtmlEntities().size(), 13u);
    EXPECT_EQ(HtmlEntities().begin()->first, QStringLiteral("&amp;"));
    EXPECT_EQ(ReplaceEntities(QStringLiteral("&amp;lt;")), QStringLiteral("<<"));
    EXPECT_EQ(ReplaceEntities(QStringLiteral("&amp;amp;")), QStringLiteral("&amp;"));
    EXPECT_EQ(ReplaceEntities(QStringLiteral("&lt;b&gt;")), QStringLiteral("<<b>"));
}

TEST(TagTable, GroupNamesDecideWhatClosesWhat) {
    const auto& tags = HtmlTagTable();
    EXPECT_EQ(tags.at(QStringLiteral("em")).groupName, tags.at(QStringLiteral("i")).groupName);
    EXPECT_EQ(tags.at(QStringLiteral("bottom")).groupName, QStringLiteral("vcenter"));
    EXPECT_EQ(tags.at(QStringLiteral("middle")).groupName, QStringLiteral("vcenter"));
    EXPECT_EQ(tags.at(QStringLiteral("a")).groupName, QStringLiteral("link"));
    EXPECT_TRUE(tags.at(QStringLiteral("br")).groupName.isEmpty());
    EXPECT_EQ(tags.count(QStringLiteral("B")), 0u);
    EXPECT_EQ(tags.count(QStringLiteral("p")), 0u);
}

TEST(Tokenizer, RunsTagsEscapesAndDroppedLessThan) {
    const QString text = QStringLiteral("a<<b<br=2><font color=red>c</b>d<e");
    HtmlTokenizer tokenizer(text);
    std::vector<QString> seen;
    for (HtmlToken t = tokenizer.Next(); t.kind != HtmlToken::End; t = tokenizer.Next()) {
        seen.push_back(t.kind == HtmlToken::Text
                           ? QStringLiteral("T:") + t.text
                           : QStringLiteral("G:") + (t.closing ? QStringLiteral("/") : QString()) +
                                 t.name + QLatin1Char('|') + t.attributes);
    }
    const std::vector<QString> expected = {"T:a<b", "G:br|=2", "G:font|color=red",
                                           "T:c",   "G:/b|",   "T:de"};
    EXPECT_EQ(seen, expected);
}

TEST(ReadAttributes, QuotedUnquotedAndBareNames) {
    const auto attributes =
        ReadAttributes(QStringLiteral("href=\"a b\" msg='c' width = 50% .x= y bare  class=cpp"));
    const std::vector<HtmlAttribute> expected = {{"href", "a b"}, {"msg", "c"}, {"width", "50%"},
                                                 {".x", "y"},     {"bare", ""}, {"class", "cpp"}};
    EXPECT_EQ(attributes, expected);
}

TEST(StyleSheet, DefaultRulesAndDeclarations) {
    CssStyleSheet sheet;
    sheet.AddRules(DefaultStyleSheet());
    EXPECT_EQ(sheet.Rules().size(), 17u);
    ASSERT_NE(sheet.Find(QStringLiteral("PRE")), nullptr);
    const auto declarations = ReadDeclarations(*sheet.Find(QStringLiteral("pre")));
    const std::vector<CssDeclaration> expected = {
        {"font-size", "9pt"}, {"font-family", "courier"}, {"background-color", "#fbedbb"}};
    EXPECT_EQ(declarations, expected);
    sheet.AddRules(QStringLiteral("pre {color:red}\nbroken {color:"));
    EXPECT_EQ(*sheet.Find(QStringLiteral("pre")), QStringLiteral("color:red"));
    EXPECT_EQ(sheet.Find(QStringLiteral("broken")), nullptr);
    EXPECT_TRUE(ReadDeclarations(QStringLiteral("color red; size: 1")).empty());
}

TEST(WrapRun, BreakCharactersAndFallbacks) {
    // Every character is 10 pixels wide.
    const auto width = [](int n) { return n * 10; };
    struct Case {
        const char* run;
        int space;
        bool lineEmpty;
        const char* piece;
        const char* rest;
    };
    const Case cases[] = {
        {"short", 100, true, "short", ""},      {"aaaa-bbbb", 60, true, "aaaa-", "bbbb"},
        {"ab cd ef", 55, true, "ab cd", "ef"},  {"ab   cd", 35, false, "ab", "cd"},
        {"abcdefgh", 35, true, "abc", "defgh"}, {"abcdefgh", 35, false, "", "abcdefgh"},
        {"abcdefgh", 5, true, "a", "bcdefgh"},  {" abcdefgh", 35, true, " ab", "cdefgh"},
        {"a,b.c!d", 45, true, "a,b.", "c!d"},
    };
    for (const Case& c : cases) {
        const QString run = QString::fromLatin1(c.run);
        const WrapSplit split = WrapRun(run, c.space, c.lineEmpty, width, 1);
        EXPECT_EQ(run.left(split.pieceLength), QString::fromLatin1(c.piece))
            << c.run << " " << c.space;
        EXPECT_EQ(run.mid(split.restStart), QString::fromLatin1(c.rest)) << c.run << " " << c.space;
    }
}

}  // namespace
}  // namespace qff
