// The box's size and placement arithmetic around measured markup sizes. The markup is a
// fake of fixed sizes; only the button height follows the message font.

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QFontMetrics>
#include <QLabel>
#include <QPushButton>
#include <algorithm>

#include "FixedMarkup.h"
#include "htmlbox/CPPMessageBoxTemplate.h"

namespace qff {
namespace {

using test::FixedSizes;

const std::map<QString, QSize> kSizes{
    {"M", {300, 40}},
    {"H", {100, 10}},
    {"TallH", {500, 30}},
    {"More", {600, 20}},
    {"<right>M</right>", {300, 40}},
};

MessageBoxParams BaseParams() {
    MessageBoxParams params;
    InitMessageBoxParams(params);
    params.caption = "Layout";
    params.text = "M";
    params.style = MB_OK | MBX_SILENT;
    return params;
}

// Button height for the box's font: the caption height scaled by 23/13, at least 23.
int ButtonHeight(const CPPMessageBoxTemplate& box) {
    const int h = QFontMetrics(box.font()).height();
    return std::max(23, (h * 23 + 6) / 13);
}

struct SizeCase {
    const char* name;
    std::function<void(MessageBoxParams&)> setUp;
    int headerBand;
    int messageBand;
    int buttonBandWithoutButtons;  // the button band less the button height
    int moreBand;
    int width;
};

class BoxSizeTest : public ::testing::TestWithParam<SizeCase> {};

TEST_P(BoxSizeTest, BandsAndClientSize) {
    const SizeCase& c = GetParam();
    MessageBoxParams params = BaseParams();
    c.setUp(params);
    CPPMessageBoxTemplate box(params, FixedSizes(kSizes));
    const int bh = ButtonHeight(box);
    EXPECT_EQ(box.HeaderBandHeight(), c.headerBand);
    EXPECT_EQ(box.MessageBandHeight(), c.messageBand);
    EXPECT_EQ(box.ButtonBandHeight(), c.buttonBandWithoutButtons + bh);
    EXPECT_EQ(box.MoreBandHeight(), c.moreBand);
    EXPECT_EQ(box.width(), c.width);
    // The More band is not part of the first height.
    EXPECT_EQ(box.height(), c.headerBand + c.messageBand + c.buttonBandWithoutButtons + bh);
}

INSTANTIATE_TEST_SUITE_P(
    Sizes, BoxSizeTest,
    ::testing::Values(
        SizeCase{"MessageOnly", [](MessageBoxParams&) {}, 0, 68, 11, 0, 328},
        SizeCase{"HeaderKeepsItsMinimum",
                 [](MessageBoxParams& p) {
                     p.headerHeight = 50;
                     p.headerText = "H";
                 },
                 50, 68, 11, 0, 328},
        SizeCase{"HeaderGrowsWithItsText",
                 [](MessageBoxParams& p) {
                     p.headerHeight = 20;
                     p.headerText = "TallH";
                 },
                 58, 68, 11, 0, 528},
        SizeCase{"MoreWidensButDoesNotHeighten", [](MessageBoxParams& p) { p.moreText = "More"; },
                 0, 68, 11, 48, 628},
        SizeCase{"ShadedButtonBand",
                 [](MessageBoxParams& p) { p.controlArea.backgroundEffect = 0; }, 0, 68, 22, 0,
                 328},
        SizeCase{"SeparatedButtonBand",
                 [](MessageBoxParams& p) { p.controlArea.separatorStyle = 1; }, 0, 68, 22, 0, 328},
        SizeCase{"CheckBoxAddsARow", [](MessageBoxParams& p) { p.style |= MBX_DONT_SHOW_AGAIN; }, 0,
                 68, 35, 0, 328},
        SizeCase{"FourButtonsWiden", [](MessageBoxParams& p) { p.customButtons = "a\nb\nc\nd"; }, 0,
                 68, 11, 0, 11 + 4 * (11 + 80)},
        SizeCase{"EmptyTextHasNoBand", [](MessageBoxParams& p) { p.text = ""; }, 0, 0, 11, 0,
                 11 + 11 + 80},
        SizeCase{"RightAlignedTextIsWrapped", [](MessageBoxParams& p) { p.style |= MB_RIGHT; }, 0,
                 68, 11, 0, 328}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(BoxLayout, ButtonWidthFollowsTheWidestCaption) {
    MessageBoxParams params = BaseParams();
    const QString longCaption = QStringLiteral("A caption much longer than eighty pixels");
    params.customButtons = QStringLiteral("Go\n") + longCaption;
    CPPMessageBoxTemplate box(params, FixedSizes(kSizes));
    const int advance = QFontMetrics(box.font()).horizontalAdvance(longCaption);
    const int expected = (advance * 80 + 22) / 45;
    ASSERT_GT(expected, 80);
    EXPECT_EQ(box.ButtonSize().width(), expected);
    EXPECT_EQ(box.Button(IDX_CUSTOM1)->width(), expected - 10);
    EXPECT_EQ(box.Button(IDX_CUSTOM2)->width(), expected - 10);
}

struct PlacementCase {
    const char* name;
    int align;
    int firstLeft;
    int secondLeft;
};

class ButtonPlacementTest : public ::testing::TestWithParam<PlacementCase> {};

TEST_P(ButtonPlacementTest, RowAlignment) {
    const PlacementCase& c = GetParam();
    MessageBoxParams params = BaseParams();
    params.style = MB_OKCANCEL | MBX_SILENT;
    params.buttonAlign = c.align;
    CPPMessageBoxTemplate box(params, FixedSizes(kSizes));
    const int bh = ButtonHeight(box);
    ASSERT_EQ(box.width(), 328);
    for (int id : {IDOK, IDCANCEL}) {
        const QRect r = box.Button(id)->geometry();
        EXPECT_EQ(r.top(), box.height() - 11 - bh) << id;
        EXPECT_EQ(r.size(), QSize(70, bh - 6)) << id;
    }
    EXPECT_EQ(box.Button(IDOK)->x(), c.firstLeft);
    EXPECT_EQ(box.Button(IDCANCEL)->x(), c.secondLeft);
}

// Row width 2 * 80 + 11 = 171 in a 328-pixel box; a button sits 10 pixels into its slot
// and the next slot starts 81 pixels on.
INSTANTIATE_TEST_SUITE_P(Align, ButtonPlacementTest,
                         ::testing::Values(PlacementCase{"Left", 0, 21, 102},
                                           PlacementCase{"Right", 1, 156, 237},
                                           PlacementCase{"Centred", 2, 88, 169}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(BoxLayout, CheckBoxAboveOrBelowTheButtons) {
    for (const bool below : {false, true}) {
        MessageBoxParams params = BaseParams();
        params.style |= MBX_DONT_SHOW_AGAIN | (below ? MBX_CHECKBOX_BELOW : 0);
        CPPMessageBoxTemplate box(params, FixedSizes(kSizes));
        const int bh = ButtonHeight(box);
        const int bottom = box.height();
        const QRect check = box.CheckBox()->geometry();
        const int buttonTop = box.Button(IDOK)->y();
        EXPECT_EQ(check.size(), QSize(13, 13));
        EXPECT_EQ(check.left(), 10);
        if (below) {
            EXPECT_EQ(check.top(), bottom - 24);
            EXPECT_EQ(buttonTop, bottom - 11 - bh - 24);
        } else {
            EXPECT_EQ(check.top(), bottom - 22 - bh - 13);
            EXPECT_EQ(buttonTop, bottom - 11 - bh);
        }
        const auto* label = box.findChild<QLabel*>(QStringLiteral("dontShowAgainText"));
        ASSERT_NE(label, nullptr);
        EXPECT_EQ(label->text(), "Do not show again");
        EXPECT_EQ(label->x(), 10 + 13 + 6);
    }
}

TEST(BoxLayout, MoreOpensBelowTheButtonsAndCloses) {
    MessageBoxParams params = BaseParams();
    params.moreText = "More";
    CPPMessageBoxTemplate box(params, FixedSizes(kSizes));
    const int closed = box.height();
    const QPoint buttonAt = box.Button(IDOK)->pos();
    QPushButton* more = box.Button(IDX_MORE);
    ASSERT_NE(more, nullptr);
    EXPECT_EQ(more->text(), "More >>");

    box.OnCommand(IDX_MORE);
    EXPECT_TRUE(box.MoreOpen());
    EXPECT_EQ(box.height(), closed + 48);
    EXPECT_EQ(more->text(), "<< More");
    EXPECT_EQ(box.Button(IDOK)->pos(), buttonAt);

    box.OnCommand(IDX_MORE);
    EXPECT_FALSE(box.MoreOpen());
    EXPECT_EQ(box.height(), closed);
    EXPECT_EQ(more->text(), "More >>");
}

TEST(BoxLayout, IconAndAlignmentWrapTheMessage) {
    MessageBoxParams params = BaseParams();
    params.style = MB_OK | MB_ICONINFORMATION | MB_RIGHT | MBX_SILENT;
    CPPMessageBoxTemplate box(params, FixedSizes(kSizes));
    const QString html = box.MessageMarkup();
    EXPECT_TRUE(html.startsWith("<table cellpadding=5><tr><td width=32><icon handle=0x"))
        << html.toStdString();
    EXPECT_TRUE(html.endsWith("></td><td><right>M</right></td></tr></table>"))
        << html.toStdString();

    params.style = MB_OK | MBX_SILENT;
    CPPMessageBoxTemplate plain(params, FixedSizes(kSizes));
    EXPECT_EQ(plain.MessageMarkup(), "M");
}

TEST(BoxLayout, CentredOnTheOwner) {
    QWidget owner;
    owner.setGeometry(100, 200, 800, 600);
    MessageBoxParams params = BaseParams();
    params.owner = &owner;
    CPPMessageBoxTemplate box(params, FixedSizes(kSizes));
    const QRect area = owner.frameGeometry();
    EXPECT_EQ(box.x(), area.left() + (area.width() - box.width()) / 2);
    EXPECT_EQ(box.y(), area.top() + (area.height() - box.height()) / 2);
}

}  // namespace
}  // namespace qff
