// Measured sizes and line records of text blocks.
#include <gtest/gtest.h>
#include <QFontInfo>

#include "HtmlTestSupport.h"

namespace qff {
namespace {

using test::Advance;
using test::BodyFont;

TEST(TestFonts, FacesResolveToThePinnedPackages) {
    EXPECT_EQ(QFontInfo(QFont(QStringLiteral("Verdana"))).family(), QStringLiteral("DejaVu Sans"));
    EXPECT_EQ(QFontInfo(QFont(QStringLiteral("Arial"))).family(),
              QStringLiteral("Liberation Sans"));
    EXPECT_EQ(QFontInfo(QFont(QStringLiteral("Courier"))).family(),
              QStringLiteral("Liberation Mono"));
}

struct SizeCase {
    const char* name;
    const char* html;
    const char* shownAs;  // the line as plain text in the body font; "|" separates pieces
                          // that are measured one by one
};

void PrintTo(const SizeCase& c, std::ostream* os) {
    *os << c.name;
}

int PiecesWidth(const QString& pieces) {
    int width = 0;
    for (const QString& piece : pieces.split(QLatin1Char('|'))) {
        width += Advance(BodyFont(), piece);
    }
    return width;
}

class MeasuredAsPlainText : public ::testing::TestWithParam<SizeCase> {};

// Markup that must measure exactly like one line of plain text.
TEST_P(MeasuredAsPlainText, OneLineOfTheShownText) {
    const SizeCase& c = GetParam();
    QImage canvas = test::Canvas(600, 100);
    CPPHtmlDrawer drawer;
    QPainter painter(&canvas);
    const QSize size = drawer.MeasureHtml(&painter, QString::fromUtf8(c.html));
    const QFontMetrics metrics(BodyFont());
    EXPECT_EQ(size, QSize(PiecesWidth(QString::fromUtf8(c.shownAs)) + 1, metrics.height() + 1));
    ASSERT_EQ(drawer.Lines().size(), 1u);
}

const SizeCase kPlainCases[] = {
    {"AmpLtIsALessThan", "&amp;lt;", "<"},
    {"DoubledLessThan", "a << b", "a < b"},
    {"EscapedTagIsText", "&lt;b>", "<b>"},
    {"EntitiesInOrder", "&copy;&reg;&trade;&euro;&pound;&para;&bull;&iquest;&quot;&gt;&nbsp;x",
     "\u00a9\u00ae\u2122\u20ac\u00a3\u00b6\u2022\u00bf\">\u0020x"},
    {"UnknownEntityStays", "&foo; &LT;", "&foo; &LT;"},
    {"UpperCaseTagsAreUnknown", "<B>x</B>y", "x|y"},
    {"LessThanAtTheEnd", "a<", "a<"},
    {"LessThanWithoutGreaterIsDropped", "a<b", "ab"},
    {"UnknownTagsDropped", "<p>x</p><blink>y", "x|y"},
    {"UnmatchedClosingIgnored", "</i></b>x</font>y", "x|y"},
    {"LongTextWithoutMaxWidthStaysOnOneLine",
     "This line is a good deal longer than a hundred pixels and is never wrapped.",
     "This line is a good deal longer than a hundred pixels and is never wrapped."},
    {"CarriageReturnsRemoved", "a\rb", "ab"},
};

INSTANTIATE_TEST_SUITE_P(Markup, MeasuredAsPlainText, ::testing::ValuesIn(kPlainCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(MeasureHtml, NothingToShowMeasuresOneByOneAndDrawsNothing) {
    for (const char* html : {"", "<b></b>", "<font color=red></font>", "\r"}) {
        QImage canvas = test::Canvas(50, 50);
        CPPHtmlDrawer drawer;
        EXPECT_EQ(test::MeasureAndDraw(drawer, QString::fromUtf8(html), canvas, 50), QSize(1, 1))
            << html;
        EXPECT_TRUE(drawer.Lines().empty()) << html;
        EXPECT_EQ(canvas, test::Canvas(50, 50)) << html;
    }
}

TEST(MeasureHtml, WrapsAfterTheHyphenWithMaxWidth100) {
    const QString first = QStringLiteral("aaaaaaaa-");
    const QString second = QStringLiteral("bbbbbbbbbb");
    ASSERT_LE(Advance(BodyFont(), first), 100);
    ASSERT_GT(Advance(BodyFont(), first + second), 100);
    CPPHtmlDrawer drawer;
    drawer.SetMaxWidth(100);
    const QSize size = drawer.MeasureHtml(nullptr, first + second);
    ASSERT_EQ(drawer.Lines().size(), 2u);
    EXPECT_EQ(drawer.Lines()[0].width, Advance(BodyFont(), first));
    EXPECT_TRUE(drawer.Lines()[0].justify);
    EXPECT_EQ(drawer.Lines()[1].width, Advance(BodyFont(), second));
    EXPECT_FALSE(drawer.Lines()[1].justify);
    EXPECT_LE(size.width(), 101);
    EXPECT_EQ(size.height(), 2 * QFontMetrics(BodyFont()).height() + 1);
}

TEST(MeasureHtml, WrapsAtSpacesAndBreaksAWordLongerThanTheLine) {
    CPPHtmlDrawer drawer;
    drawer.SetMaxWidth(60);
    drawer.MeasureHtml(nullptr, QStringLiteral("ab cd wwwwwwwwwwwwwwwwwwww"));
    const auto& lines = drawer.Lines();
    ASSERT_GE(lines.size(), 3u);
    EXPECT_EQ(lines[0].width, Advance(BodyFont(), QStringLiteral("ab cd")));
    EXPECT_EQ(lines[0].spaceCount, 1);
    for (const LineInfo& line : lines) {
        EXPECT_LE(line.width, 60);
        EXPECT_GT(line.width, 0);
    }
}

TEST(MeasureHtml, LineRecordsCarryHeightDescentAndAlignment) {
    CPPHtmlDrawer drawer;
    drawer.MeasureHtml(nullptr, QStringLiteral("<center>a</center><br><right>b<font size=7>B</font>"
                                               "</right><br><justify>c</justify>"));
    const QFontMetrics body(BodyFont());
    const QFontMetrics big(BodyFont(400, false, 36));
    ASSERT_EQ(drawer.Lines().size(), 3u);
    EXPECT_EQ(drawer.Lines()[0],
              (LineInfo{Advance(BodyFont(), "a"), body.height(), body.descent(), 0, 1, 0, false}));
    EXPECT_EQ(drawer.Lines()[1].align, 2);
    EXPECT_EQ(drawer.Lines()[1].height, big.ascent() + big.descent());
    EXPECT_EQ(drawer.Lines()[2].align, 3);
}

TEST(MeasureHtml, BreakCountsReadAfterTheFirstAttributeCharacter) {
    const int line = QFontMetrics(BodyFont()).height();
    struct Case {
        const char* html;
        int height;
    };
    const Case cases[] = {
        {"a<br>b", 2 * line}, {"a<br=2>b", 3 * line}, {"a<br 2>b", 2 * line}, {"a</br>b", 2 * line},
        {"a\nb", 2 * line},   {"a<br=0>b", line},     {"a<br>", line},
    };
    for (const Case& c : cases) {
        CPPHtmlDrawer drawer;
        EXPECT_EQ(drawer.MeasureHtml(nullptr, QString::fromUtf8(c.html)).height(), c.height + 1)
            << c.html;
    }
    CPPHtmlDrawer plain;
    plain.SetConvertNewlines(false);
    EXPECT_EQ(plain.MeasureHtml(nullptr, QStringLiteral("a\nb\tc")).width(),
              Advance(BodyFont(), QStringLiteral("abc")) + 1);
}

// Where the text after a tab starts, read from the link area of that text.
int LeftOfLinkAfter(const QString& prefix, int tabWidth = 32) {
    CPPHtmlDrawer drawer;
    drawer.SetTabWidth(tabWidth);
    QImage canvas = test::Canvas(400, 50);
    test::MeasureAndDraw(drawer, prefix + QStringLiteral("<a href=x>y</a>"), canvas, 400);
    return drawer.Links().empty() ? -1 : drawer.Links().front().rect.left();
}

TEST(MeasureHtml, TabsMoveToTheNextStop) {
    EXPECT_EQ(LeftOfLinkAfter(QStringLiteral("<t>")), 32);
    EXPECT_EQ(LeftOfLinkAfter(QStringLiteral("<hr width=40 size=0><t>")), 64);
    EXPECT_EQ(LeftOfLinkAfter(QStringLiteral("<hr width=32 size=0><t>")), 64);
    EXPECT_EQ(LeftOfLinkAfter(QStringLiteral("<t=2>")), 64);
    EXPECT_EQ(LeftOfLinkAfter(QStringLiteral("<t 2>")), 32);
    EXPECT_EQ(LeftOfLinkAfter(QStringLiteral("\t\t")), 64);
    EXPECT_EQ(LeftOfLinkAfter(QStringLiteral("<t>"), 50), 50);
    EXPECT_EQ(LeftOfLinkAfter(QStringLiteral("<t>"), 0), 0);
}

TEST(MeasureHtml, RulesAddPercentagesAndTheirThickness) {
    CPPHtmlDrawer drawer;
    drawer.MeasureHtml(nullptr, QStringLiteral("<hr width=50% size=4>"));
    ASSERT_EQ(drawer.Lines().size(), 1u);
    EXPECT_EQ(drawer.Lines()[0].percent, 50);
    EXPECT_EQ(drawer.Lines()[0].width, 1);
    EXPECT_EQ(drawer.Lines()[0].height, 12);

    QImage canvas = test::Canvas(200, 40);
    CPPHtmlDrawer fixed;
    const QSize size =
        test::MeasureAndDraw(fixed, QStringLiteral("<hr width=80 size=2 color=red>"), canvas, 200);
    EXPECT_EQ(size.width(), 81);
    EXPECT_EQ(canvas.pixel(40, 5), qRgb(255, 0, 0));
    EXPECT_EQ(canvas.pixel(85, 5), qRgb(255, 255, 255));
}

TEST(DrawHtml, JustifiedWrappedLinesFillTheWidthAndTheLastLineStaysRagged) {
    CPPHtmlDrawer drawer;
    drawer.SetMaxWidth(120);
    QImage canvas = test::Canvas(200, 200);
    test::MeasureAndDraw(
        drawer, QStringLiteral("<justify><a href=x>aa bb cc dd ee ff gg hh ii jj kk</a></justify>"),
        canvas, 120);
    ASSERT_GE(drawer.Links().size(), 2u);
    const QRect first = drawer.Links().front().rect;
    EXPECT_EQ(first.left(), 0);
    EXPECT_EQ(first.width(), 120);
    const QRect last = drawer.Links().back().rect;
    EXPECT_LT(last.width(), 120);
}

TEST(DrawHtml, CentredAndRightAlignedLinesUseTheDrawingWidth) {
    CPPHtmlDrawer drawer;
    QImage canvas = test::Canvas(300, 100);
    test::MeasureAndDraw(drawer,
                         QStringLiteral("<center><a href=x>mid</a></center><br>"
                                        "<right><a href=y>end</a></right>"),
                         canvas, 300);
    ASSERT_EQ(drawer.Links().size(), 2u);
    const int mid = Advance(BodyFont(), QStringLiteral("mid"));
    const int end = Advance(BodyFont(), QStringLiteral("end"));
    EXPECT_EQ(drawer.Links()[0].rect.left(), (300 - mid) / 2);
    EXPECT_EQ(drawer.Links()[1].rect.left(), 300 - end);
}

}  // namespace
}  // namespace qff

namespace qff {
namespace {

TEST(DrawHtml, StopsBelowTheDeviceButCellsBesideALongCellStillDraw) {
    CPPHtmlDrawer drawer;
    QImage canvas = test::Canvas(200, 100);
    QString html = QStringLiteral("<table><tr><td>");
    for (int i = 0; i < 500; ++i) {
        html += QStringLiteral("line<br>");
    }
    html += QStringLiteral("</td><td><a href=x>beside</a></td></tr></table>");
    for (int i = 0; i < 500; ++i) {
        html += QStringLiteral("<a href=y>below</a><br>");
    }
    test::MeasureAndDraw(drawer, html, canvas, 200);
    ASSERT_FALSE(drawer.Links().empty());
    EXPECT_EQ(drawer.Links()[0].linkTarget, QStringLiteral("x"));
    EXPECT_EQ(drawer.Links()[0].rect.top(), 2);
    EXPECT_EQ(drawer.Links().size(), 1u);  // the 500 links below the table are never reached
}

}  // namespace
}  // namespace qff
