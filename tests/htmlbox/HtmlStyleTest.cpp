// Style tags, style-sheet rules and font attributes, checked by drawing: the markup must
// draw exactly like the same runs drawn directly with the fonts they should have.
#include <gtest/gtest.h>

#include "HtmlTestSupport.h"

namespace qff {
namespace {

using test::BodyFont;

struct Run {
    QFont font;
    QString text;
    QColor colour = Qt::black;
};

QFont With(QFont font, void (QFont::*set)(bool)) {
    (font.*set)(true);
    return font;
}

QFont Face(const char* family, int pixels, int weight = 400) {
    QFont font(QString::fromLatin1(family));
    font.setPixelSize(pixels);
    font.setWeight(static_cast<QFont::Weight>(weight));
    return font;
}

QImage DrawRuns(const std::vector<Run>& runs) {
    QImage canvas = test::Canvas(300, 60);
    QPainter painter(&canvas);
    int baseline = 0;
    for (const Run& run : runs) {
        baseline = std::max(baseline, QFontMetrics(run.font).ascent());
    }
    int x = 0;
    for (const Run& run : runs) {
        painter.setFont(run.font);
        painter.setPen(run.colour);
        painter.drawText(QPoint(x, baseline), run.text);
        x += QFontMetrics(run.font).horizontalAdvance(run.text);
    }
    return canvas;
}

QImage DrawMarkup(const QString& html, bool enabled = true, const QString& rules = QString()) {
    QImage canvas = test::Canvas(300, 60);
    CPPHtmlDrawer drawer;
    drawer.SetEnabled(enabled);
    drawer.SetDisabledColour(MakeColorRef(128, 128, 128));
    drawer.AddStyleRules(rules);
    test::MeasureAndDraw(drawer, html, canvas, 300);
    return canvas;
}

struct StyleCase {
    const char* name;
    const char* html;
    std::vector<Run> runs;
    const char* rules = "";
};

void PrintTo(const StyleCase& c, std::ostream* os) {
    *os << c.name;
}

class DrawsLikeRuns : public ::testing::TestWithParam<StyleCase> {};

TEST_P(DrawsLikeRuns, PixelForPixel) {
    const StyleCase& c = GetParam();
    EXPECT_EQ(DrawMarkup(QString::fromUtf8(c.html), true, QString::fromUtf8(c.rules)),
              DrawRuns(c.runs));
}

const QFont kBold = BodyFont(700);
const QFont kBoldItalic = BodyFont(700, true);
const QFont kItalic = BodyFont(400, true);

const StyleCase kStyleCases[] = {
    {"Plain", "plain text", {{BodyFont(), "plain text"}}},
    {"ClosingTagMustMatchInnermostGroup",
     "<b>1<i>2</b>3</i>4",
     {{kBold, "1"}, {kBoldItalic, "2"}, {kBoldItalic, "3"}, {kBold, "4"}}},
    {"NestedBoldDoublesTwiceAndCapsAt900",
     "<b><b>x</b></b>y",
     {{BodyFont(900), "x"}, {BodyFont(), "y"}}},
    {"BoldDoublesTheWeight",
     "<span class=light><b>x</b>y</span>",
     {{BodyFont(200), "x"}, {BodyFont(100), "y"}},
     ".light {font-weight:lighter}"},
    {"EmClosesItalic", "<i>x</em>y", {{kItalic, "x"}, {BodyFont(), "y"}}},
    {"UpperCaseTagIsUnknown", "<B>x</B>", {{BodyFont(), "x"}}},
    {"UnderlineAndStrikeToggle",
     "<u>a<u>b</u></u><s>c</s><strike>d</strike>",
     {{With(BodyFont(), &QFont::setUnderline), "a"},
      {BodyFont(), "b"},
      {With(BodyFont(), &QFont::setStrikeOut), "c"},
      {With(BodyFont(), &QFont::setStrikeOut), "d"}}},
    {"SpanClassRule", "<span class=cpp-comment>c</span>", {{kItalic, "c", QColor(0, 128, 0)}}},
    {"CodeRule", "<code>f()</code>", {{Face("Arial", 13), "f()", QColor(0x99, 0, 0)}}},
    {"HeadingRule", "<h1>T</h1>", {{BodyFont(700, false, 18), "T"}}},
    {"FontAttributes",
     "<font face=Arial size=5 color=red style=bu>x</font>",
     {{With(Face("Arial", 18, 700), &QFont::setUnderline), "x", Qt::red}}},
    {"FontStyleLettersSwitchOff", "<b><font style=-b>x</font></b>", {{BodyFont(400), "x"}}},
    {"FontWeightAttribute", "<font weight=bold>x</font>", {{kBold, "x"}}},
    {"ColourForms",
     "<font color=#0000ff>a</font><font color=255>b</font><font color=gold>c</font>"
     "<font color=nosuchcolour>d</font>",
     {{BodyFont(), "a", Qt::blue},
      {BodyFont(), "b", Qt::red},
      {BodyFont(), "c", QColor(255, 215, 0)},
      {BodyFont(), "d", Qt::black}}},
    {"Uppercase",
     "<span class=up>Ab c</span>",
     {{BodyFont(), "AB C"}},
     ".up {text-transform:uppercase}"},
    {"Capitalise",
     "<span class=cap>hELLO wORLD</span>",
     {{BodyFont(), "Hello World"}},
     ".cap {text-transform:capitalize}"},
    {"RuleSelectorsIgnoreCase",
     "<span class=Big>x</span>",
     {{BodyFont(400, false, 20), "x"}},
     ".BIG {font-size:20px}"},
};

INSTANTIATE_TEST_SUITE_P(Markup, DrawsLikeRuns, ::testing::ValuesIn(kStyleCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(Styles, DisabledDrawerUsesTheDisabledColourForEveryText) {
    EXPECT_EQ(DrawMarkup(QStringLiteral("<font color=red>x</font> <code>y</code>"), false),
              DrawRuns({{BodyFont(), "x ", QColor(128, 128, 128)},
                        {Face("Arial", 13), "y", QColor(128, 128, 128)}}));
}

TEST(Styles, FontSizesOneToSevenArePixelSteps) {
    const int pixels[] = {8, 10, 12, 14, 18, 24, 36};
    for (int size = 1; size <= 7; ++size) {
        CPPHtmlDrawer drawer;
        drawer.MeasureHtml(nullptr, QStringLiteral("<font size=%1>x</font>").arg(size));
        ASSERT_EQ(drawer.Lines().size(), 1u);
        EXPECT_EQ(drawer.Lines()[0].height,
                  QFontMetrics(BodyFont(400, false, pixels[size - 1])).height())
            << size;
    }
}

// Background of a text piece on a grey canvas: the corner of the piece shows whether it
// was filled.
QRgb PieceCorner(const QString& html, const QString& rules) {
    QImage canvas = test::Canvas(200, 40, QColor(100, 100, 100));
    CPPHtmlDrawer drawer;
    drawer.AddStyleRules(rules);
    test::MeasureAndDraw(drawer, html, canvas, 200);
    return canvas.pixel(0, 0);
}

TEST(Styles, BackgroundColourTransparentOrOpaqueWithTheColourKept) {
    const QString rules = QStringLiteral(
        ".clear {background-color: transparent} .keep {background-color:} "
        ".pink {background-color:pink}");
    EXPECT_EQ(
        PieceCorner(QStringLiteral("<font bkgnd=blue><span class=clear>x</span></font>"), rules),
        qRgb(100, 100, 100));
    EXPECT_EQ(
        PieceCorner(QStringLiteral("<font bkgnd=blue><span class=keep>x</span></font>"), rules),
        qRgb(0, 0, 255));
    EXPECT_EQ(PieceCorner(QStringLiteral("<span class=keep>x</span>"), rules), qRgb(255, 255, 255));
    EXPECT_EQ(PieceCorner(QStringLiteral("<span class=pink>x</span>"), rules), qRgb(255, 192, 203));
    EXPECT_EQ(PieceCorner(QStringLiteral("<font bkgnd=transparent>x</font>"), rules),
              qRgb(100, 100, 100));
}

TEST(Styles, OverlineRunsAlongTheTopOneOrTwoPixelsThick) {
    QImage thin = test::Canvas(100, 40);
    CPPHtmlDrawer drawer;
    test::MeasureAndDraw(drawer, QStringLiteral("<font style=o>xx</font>"), thin, 100);
    EXPECT_EQ(thin.pixel(2, 0), qRgb(0, 0, 0));
    EXPECT_EQ(thin.pixel(2, 1), qRgb(255, 255, 255));
    QImage thick = test::Canvas(100, 40);
    test::MeasureAndDraw(drawer, QStringLiteral("<font style=ob>xx</font>"), thick, 100);
    EXPECT_EQ(thick.pixel(2, 1), qRgb(0, 0, 0));
}

TEST(Styles, VerticalAlignmentPlacesPiecesInTheLine) {
    // One tall piece fixes the line; the link areas show where the small pieces went.
    CPPHtmlDrawer drawer;
    QImage canvas = test::Canvas(300, 80);
    test::MeasureAndDraw(
        drawer,
        QStringLiteral("<font size=7>Y</font><a href=a><top>t</top><middle>m</middle>"
                       "<bottom>b</middle>c</a>"),
        canvas, 300);
    ASSERT_EQ(drawer.Lines().size(), 1u);
    ASSERT_EQ(drawer.Links().size(), 4u);
    const LineInfo line = drawer.Lines()[0];
    const QFontMetrics body(BodyFont());
    EXPECT_EQ(drawer.Links()[0].rect.top(), 0);
    EXPECT_EQ(drawer.Links()[1].rect.top(), (line.height - body.height()) / 2);
    EXPECT_EQ(drawer.Links()[2].rect.top(), line.height - body.ascent());
    // "</middle>" closed the bottom alignment: "c" sits on the baseline again.
    EXPECT_EQ(drawer.Links()[3].rect.top(), line.height - body.ascent() - line.descent);
}

}  // namespace
}  // namespace qff
