// Link areas, hover tracking and following links.
#include <gtest/gtest.h>

#include "HtmlTestSupport.h"

namespace qff {
namespace {

using test::Advance;
using test::BodyFont;

class LinkTest : public ::testing::Test {
  protected:
    void Draw(const QString& html) {
        canvas = test::Canvas(400, 100);
        test::MeasureAndDraw(drawer, html, canvas, 400);
    }
    CPPHtmlDrawer drawer;
    QImage canvas;
};

TEST_F(LinkTest, EveryPieceOfALinkIsRecordedWithItsIndexKindAndTarget) {
    Draw(QStringLiteral(
        "go <a href=\"https://example.org/x y\">here</a> or <a msg=m1>th<b>er</b>e</a>"
        "<a>none</a>"));
    ASSERT_EQ(drawer.Links().size(), 5u);
    const QFontMetrics body(BodyFont());
    const LinkArea& first = drawer.Links()[0];
    EXPECT_EQ(first.rect,
              QRect(Advance(BodyFont(), "go "), 0, Advance(BodyFont(), "here"), body.height()));
    EXPECT_EQ(first.linkKind, 1);
    EXPECT_EQ(first.linkIndex, 0);
    EXPECT_EQ(first.linkTarget, QStringLiteral("https://example.org/x y"));
    for (int i : {1, 2, 3}) {
        EXPECT_EQ(drawer.Links()[i].linkKind, 2);
        EXPECT_EQ(drawer.Links()[i].linkIndex, 1);
        EXPECT_EQ(drawer.Links()[i].linkTarget, QStringLiteral("m1"));
    }
    EXPECT_EQ(drawer.Links()[4].linkKind, 2);
    EXPECT_TRUE(drawer.Links()[4].linkTarget.isEmpty());
    // A repaint replaces the areas instead of adding to them.
    QPainter painter(&canvas);
    drawer.DrawHtml(QRect(0, 0, 400, 100), &painter);
    EXPECT_EQ(drawer.Links().size(), 5u);
}

TEST_F(LinkTest, FindLinkAtIncludesTheEdges) {
    Draw(QStringLiteral("<a href=a>link</a>"));
    ASSERT_EQ(drawer.Links().size(), 1u);
    const QRect r = drawer.Links()[0].rect;
    EXPECT_EQ(drawer.FindLinkAt(r.topLeft()), 0);
    EXPECT_EQ(drawer.FindLinkAt(QPoint(r.left() + r.width(), r.top() + r.height())), 0);
    EXPECT_EQ(drawer.FindLinkAt(QPoint(r.left() + r.width() + 1, r.top())), -1);
    EXPECT_EQ(drawer.FindLinkAt(QPoint(r.left(), r.top() + r.height() + 1)), -1);
}

TEST_F(LinkTest, HoverNotifiesOnChangeAndSwitchesToTheHoverRule) {
    std::vector<int> notified;
    drawer.SetNotify(
        [&](int message, int index, std::uintptr_t param) {
            EXPECT_EQ(message, 0x8064);
            EXPECT_EQ(param, 7u);
            notified.push_back(index);
        },
        0x8064, 7);
    const QString html = QStringLiteral("<a href=x>one</a> <a>two</a>");
    Draw(html);
    const QPoint onOne = drawer.Links()[0].rect.center();
    const QPoint onTwo = drawer.Links()[1].rect.center();
    EXPECT_TRUE(drawer.TrackLinkHover(onOne));
    EXPECT_TRUE(drawer.TrackLinkHover(onOne + QPoint(1, 0)));
    EXPECT_FALSE(drawer.TrackLinkHover(onTwo));  // a link without a target: no hand
    EXPECT_FALSE(drawer.TrackLinkHover(QPoint(390, 90)));
    EXPECT_FALSE(drawer.TrackLinkHover(QPoint(391, 90)));
    EXPECT_EQ(notified, (std::vector<int>{0, 1, -2}));

    // Hovered, the first link is drawn with "a:hover": underlined.
    const QImage plain = canvas;
    drawer.TrackLinkHover(onOne);
    QImage hovered = test::Canvas(400, 100);
    {
        QPainter painter(&hovered);
        drawer.MeasureHtml(&painter, html);
        drawer.DrawHtml(QRect(0, 0, 400, 100), &painter);
    }
    EXPECT_NE(hovered, plain);
    const QRect one = drawer.Links()[0].rect;
    QImage underlined = test::Canvas(400, 100);
    {
        QPainter painter(&underlined);
        QFont font = BodyFont();
        font.setUnderline(true);
        painter.setFont(font);
        painter.setPen(Qt::blue);
        painter.drawText(QPoint(0, QFontMetrics(font).ascent()), QStringLiteral("one"));
    }
    EXPECT_EQ(hovered.copy(one), underlined.copy(one));
}

TEST_F(LinkTest, FollowLinkOpensHrefAndHandsMsgToTheReceiver) {
    std::vector<QString> opened;
    drawer.SetUrlOpener([&](const QString& target) {
        opened.push_back(target);
        return target != QStringLiteral("bad");
    });
    std::vector<QString> messages;
    drawer.SetLinkReceiver(
        [&](int message, const QString& target, std::uintptr_t param) {
            EXPECT_EQ(message, 1234);
            EXPECT_EQ(param, 9u);
            messages.push_back(target);
        },
        1234, 9);
    Draw(QStringLiteral("<a href=good>a</a><a href=bad>b</a><a msg=hello>c</a><a href=\"\">d</a>"));
    ASSERT_EQ(drawer.Links().size(), 4u);
    EXPECT_TRUE(drawer.FollowLink(0));
    EXPECT_FALSE(drawer.FollowLink(1));
    EXPECT_TRUE(drawer.FollowLink(2));
    EXPECT_FALSE(drawer.FollowLink(3));
    EXPECT_FALSE(drawer.FollowLink(4));
    EXPECT_FALSE(drawer.FollowLink(-1));
    EXPECT_EQ(opened, (std::vector<QString>{"good", "bad"}));
    EXPECT_EQ(messages, (std::vector<QString>{"hello"}));
}

}  // namespace
}  // namespace qff
