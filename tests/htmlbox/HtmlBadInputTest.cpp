// Malformed, deep, enormous and absurd markup: never a crash, a hang or unbounded memory.
#include <gtest/gtest.h>

#include "HtmlTestSupport.h"

namespace qff {
namespace {

using test::Advance;
using test::BodyFont;

QString Repeat(const char* piece, int times) {
    return QString::fromLatin1(piece).repeated(times);
}

struct BadCase {
    const char* name;
    QString html;
};

void PrintTo(const BadCase& c, std::ostream* os) {
    *os << c.name;
}

std::vector<BadCase> BadCases() {
    return {
        {"DeepBold", Repeat("<b>", 10000) + "x" + Repeat("</b>", 10000)},
        {"DeepTables",
         Repeat("<table><tr><td>", 10000) + "x" + Repeat("</td></tr></table>", 10000)},
        {"MegabyteOfWords", Repeat("lorem ipsum dolor sit amet, ", 40000)},
        {"MegabyteWithoutBreaks", Repeat("x", 1 << 20)},
        {"MegabyteOfLessThan", Repeat("<", 1 << 20)},
        {"MegabyteOfUnclosedTags", Repeat("<a", 1 << 19)},
        {"MegabyteOfLineFeeds", Repeat("\n", 1 << 18)},
        {"MegabyteOfEntities", Repeat("&amp;lt;&bogus;", 1 << 16)},
        {"ManyCellsWithoutClosing", "<table><tr>" + Repeat("<td", 1 << 18)},
        {"ManyRowsWithoutCells", "<table>" + Repeat("<tr></tr>", 1 << 16) + "</table>"},
        {"ManyTables", Repeat("<table><tr><td>c</td></tr></table>", 1 << 14)},
        {"TruncatedLessThan", "text <"},
        {"TruncatedTable", "a<table"},
        {"TableWithoutRows", "<table border=1 bgcolor=red></table>after"},
        {"RowsWithoutCells", "<table><tr></tr><tr></tr></table>"},
        {"SpansLargerThanTheTable",
         "<table><tr><td colspan=99999 rowspan=99999>a</td></tr><tr><td>b</td></tr></table>"},
        {"HugeGrid", "<table>" + Repeat("<tr><td colspan=1000>a</td></tr>", 3000) + "</table>"},
        {"AbsurdLengths",
         "<font size=99999999>x</font><hr width=99999999 size=99999999><t=999999999>"
         "<br=999999999><table cellpadding=99999999 cellspacing=-5><tr><td width=-50 "
         "height=99999999>"
         "y</td></tr></table>"},
        {"AbsurdPictures",
         "<bmp idres=103 width=99999999 height=99999999><ilst idres=101 cx=1 cy=1 index=63 "
         "width=100000%><icon idres=102 width=-5>"},
        {"UnknownColoursAndEntities",
         "<font color=nosuch bkgnd=#zzzzzz>&nosuch; &#60; &amp</font><table bgcolor=none "
         "bgeffect=999 bordercolor=?? border=1><tr><td bgeffect=-7>z</td></tr></table>"},
        {"UnbalancedTags", "</table></tr></td><td>a</b></i><i><u><s><font></a><a href>b"},
        {"AttributesWithoutValues", "<font color= face= size=><a href=\"unterminated>x"},
        {"NestedLinksAndPictures", Repeat("<a href=x><bmp idres=103>", 2000)},
    };
}

class BadInput : public ::testing::TestWithParam<BadCase> {};

TEST_P(BadInput, MeasuresAndDrawsWithinBounds) {
    for (int maxWidth : {0, 200}) {
        CPPHtmlDrawer drawer;
        drawer.SetMaxWidth(maxWidth);
        QImage canvas = test::Canvas(300, 300);
        QPainter painter(&canvas);
        const QSize size = drawer.MeasureHtml(&painter, GetParam().html);
        EXPECT_GE(size.width(), 1);
        EXPECT_GE(size.height(), 1);
        if (maxWidth > 0) {
            EXPECT_LE(size.width(), maxWidth + 1);
        }
        drawer.DrawHtml(QRect(0, 0, 300, 300), &painter);
        drawer.TrackLinkHover(QPoint(5, 5));
    }
}

INSTANTIATE_TEST_SUITE_P(Markup, BadInput, ::testing::ValuesIn(BadCases()),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(BadInput, TooDeepStyleTagsAreIgnoredAndTheStyleRecovers) {
    CPPHtmlDrawer drawer;
    const QSize size =
        drawer.MeasureHtml(nullptr, Repeat("<b>", 10000) + "x" + Repeat("</b>", 10000) + "y");
    EXPECT_EQ(size.width(), Advance(BodyFont(900), "x") + Advance(BodyFont(), "y") + 1);
}

TEST(BadInput, TablesBeyondTheNestingLimitBecomeText) {
    CPPHtmlDrawer drawer;
    drawer.MeasureHtml(nullptr,
                       Repeat("<table><tr><td>", 40) + "x" + Repeat("</td></tr></table>", 40));
    EXPECT_EQ(static_cast<int>(drawer.Tables().size()), CPPHtmlDrawer::kMaxTableDepth);
}

TEST(BadInput, CountsLengthsAndFontSizesAreClamped) {
    const int line = QFontMetrics(BodyFont()).height();
    CPPHtmlDrawer breaks;
    EXPECT_EQ(breaks.MeasureHtml(nullptr, QStringLiteral("a<br=999999999>b")).height(),
              1001 * line + 1);
    CPPHtmlDrawer font;
    font.AddStyleRules(QStringLiteral(".huge {font-size: 99999px}"));
    font.MeasureHtml(nullptr, QStringLiteral("<span class=huge>x</span>"));
    ASSERT_EQ(font.Lines().size(), 1u);
    EXPECT_EQ(font.Lines()[0].height,
              QFontMetrics(BodyFont(400, false, CPPHtmlDrawer::kMaxFontPixels)).height());
    CPPHtmlDrawer negative;
    negative.MeasureHtml(nullptr, QStringLiteral("<table><tr><td width=-50></td></tr></table>"));
    EXPECT_EQ(negative.Tables()[0].columnWidths, (std::vector<int>{54}));
}

TEST(BadInput, GridsTooLargeKeepOnlyFrameAndBackground) {
    CPPHtmlDrawer drawer;
    const QSize size = drawer.MeasureHtml(
        nullptr,
        "<table border=1>" + Repeat("<tr><td colspan=1000>a</td></tr>", 3000) + "</table>");
    ASSERT_EQ(drawer.Tables().size(), 1u);
    EXPECT_EQ(drawer.Tables()[0].rows, 0);
    EXPECT_EQ(size, QSize(2, 2));
}

}  // namespace
}  // namespace qff
