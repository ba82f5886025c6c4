// Renders a page of markup samples and fill effects to a PNG, for a person to look at.
// Usage: qff_htmlbox_demo <output.png>
#include <QGuiApplication>
#include <QIcon>
#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <cstdio>

#include "HtmlTestSupport.h"
#include "htmlbox/CPPDrawManager.h"
#include "htmlbox/CPPHtmlDrawer.h"

namespace {

using qff::CPPDrawManager;
using qff::CPPHtmlDrawer;

// Draws `html` at (x, y) with an optional maximum width; returns the height used.
int Sample(QPainter& painter, int x, int y, const QString& html, int maxWidth = 0,
           int drawWidth = 0) {
    CPPHtmlDrawer drawer;
    drawer.SetMaxWidth(maxWidth);
    const QSize size = drawer.MeasureHtml(&painter, html);
    drawer.DrawHtml(QRect(x, y, drawWidth > 0 ? drawWidth : size.width(), size.height()), &painter);
    return size.height();
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s <output.png>\n", argv[0]);
        return 2;
    }
    QGuiApplication app(argc, argv);
    qff::test::PinTestFonts();

    QImage page = qff::test::Canvas(820, 1180);
    QPainter painter(&page);
    CPPDrawManager manager;

    // The sixteen fill effects with the message box colours.
    const qff::ColorRef start = qff::MakeColorRef(253, 236, 81);
    const qff::ColorRef middle = qff::MakeColorRef(254, 243, 169);
    for (int effect = 0; effect < 16; ++effect) {
        const QRect cell(10 + (effect % 8) * 100, 10 + (effect / 8) * 50, 94, 44);
        manager.FillArea(&painter, cell, effect, qff::MakeColorRef(40, 90, 200), middle,
                         effect < 7 ? start : qff::MakeColorRef(255, 255, 255), 0);
        Sample(painter, cell.left() + 2, cell.top() + 2,
               QStringLiteral("<font size=1>effect %1</font>").arg(effect));
    }
    manager.FillArea(&painter, QRect(10, 115, 800, 40), 12, start, middle, start, 0);
    Sample(painter, 20, 125, QStringLiteral("<b>vbump</b> with the notice colours, granularity 0"));

    int y = 170;
    y += Sample(painter, 10, y,
                QStringLiteral("<h1>Heading one</h1> <h2>two</h2> <h3>three (Arial)</h3> "
                               "<h5>five</h5> <h6>six</h6>")) +
         6;
    y +=
        Sample(painter, 10, y,
               QStringLiteral("Plain, <b>bold</b>, <i>italic</i>, <u>underline</u>, <s>strike</s>, "
                              "<font style=o>overline</font>, <b><b>bolder</b></b>, "
                              "<code>code()</code>, x<sup>2</sup> and a<sub>i</sub>, "
                              "<big>big</big> <small>small</small>")) +
        6;
    y += Sample(
             painter, 10, y,
             QStringLiteral("<font color=crimson>crimson</font> <font color=#008000>#008000</font> "
                            "<font color=0xFF0000>0xFF0000 (blue as 0x00BBGGRR)</font> "
                            "<font bkgnd=gold>on gold</font> <pre>pre: fixed()</pre> "
                            "<span class=cpp-comment>// a comment</span>")) +
         6;
    y += Sample(painter, 10, y,
                QStringLiteral("Entities: &amp;lt; &lt;b&gt; &copy; &reg; &trade; &euro; &pound; "
                               "&para; &bull; &iquest; &quot;q&quot; and a << b")) +
         6;
    y += Sample(
             painter, 10, y,
             QStringLiteral("Tabs:<t>one<t>two<t=2>three<br>Links: <a href=\"https://example.org\">"
                            "a web link</a> and <a msg=\"hello\">a message link</a>")) +
         6;
    y +=
        Sample(painter, 10, y, QStringLiteral("<hr width=50% size=2 color=steelblue>"), 0, 380) + 2;
    y += Sample(painter, 10, y,
                QStringLiteral("<justify>Justified text wraps at the break characters and "
                               "spreads the spare width over the spaces of each wrapped line, "
                               "while the last line stays ragged. Hyphenated-words-break-after-"
                               "the-hyphen.</justify>"),
                380) +
         4;
    y += Sample(painter, 10, y,
                QStringLiteral("<center>Centred lines<br>of <b>different</b> length</center>"
                               "<br><right>right-aligned</right>"),
                380, 380) +
         8;

    // Tables.
    QIcon info(QStringLiteral(":/res/102"));
    CPPHtmlDrawer iconDrawer;
    iconDrawer.RegisterHandle(&info);
    const QString iconTable =
        QStringLiteral(
            "<table cellpadding=5><tr><td width=32><icon handle=0x%1></td><td>"
            "The repaired packages were saved in<br><a href=\"/tmp\">/tmp</a>."
            "</td></tr></table>")
            .arg(reinterpret_cast<quintptr>(&info), 0, 16);
    manager.FillArea(&painter, QRect(10, y, 500, 70), 12, start, middle, start, 0);
    {
        const QSize size = iconDrawer.MeasureHtml(&painter, iconTable);
        iconDrawer.DrawHtml(QRect(24, y + 14, 472, size.height()), &painter);
        y += std::max(70, size.height() + 28) + 8;
    }
    y += Sample(painter, 10, y,
                QStringLiteral(
                    "<table border=2 cellspacing=3 cellpadding=4 bgcolor=#eeeeff "
                    "bordercolorlight=#9999cc bordercolordark=#333366>"
                    "<tr><td colspan=2 align=center bgcolor=navy><font color=white>"
                    "<b>Spanning header</b></font></td><td rowspan=2 valign=middle "
                    "bgeffect=vgradient bgcolor=#ffffff bgendcolor=#99cc99>two rows</td></tr>"
                    "<tr><td>cell A</td><td align=right>cell B</td></tr>"
                    "<tr><td bgeffect=hbump bgcolor=#ffcc66 bgmidcolor=#ffeecc "
                    "bgendcolor=#cc8800>hbump</td><td>nested:<table border=1 "
                    "borderstyle=dashed><tr><td>in</td><td>ner</td></tr></table></td>"
                    "<td>last</td></tr></table>"),
                0, 0) +
         8;
    y += Sample(painter, 10, y,
                QStringLiteral("<table border=3 borderstyle=dotted><tr><td>dotted table</td>"
                               "<td>frame</td></tr></table> "),
                0, 0) +
         8;
    y += Sample(painter, 10, y,
                QStringLiteral("<table border=1 borderstyle=double align=center width=300>"
                               "<tr><td>double frame, centred in 500 px</td></tr></table>"),
                0, 500) +
         8;

    // Pictures.
    y += Sample(painter, 10, y,
                QStringLiteral("Pictures: <bmp idres=103> <bmp idres=103 mask=#ff00ff> "
                               "<bmp idres=103 mask=#ff00ff style=s> <bmp idres=103 mask=#ff00ff "
                               "style=g> <icon idres=102> <icon idres=102 width=50% height=50%> "
                               "<icon idres=102 style=ds> strip: <ilst idres=101 cx=16 index=0>"
                               "<ilst idres=101 cx=16 index=1><ilst idres=101 cx=16 index=2>"
                               "<ilst idres=101 cx=16 index=3> <middle><bmp idres=103 mask=#ff00ff>"
                               " middle</middle>")) +
         8;
    {
        CPPHtmlDrawer disabled;
        disabled.SetEnabled(false);
        const QSize size = disabled.MeasureHtml(
            &painter, QStringLiteral("Disabled: <b>text</b> <font color=red>red</font> "
                                     "<bmp idres=103 mask=#ff00ff> <icon idres=102>"));
        disabled.DrawHtml(QRect(10, y, size.width(), size.height()), &painter);
        y += size.height() + 8;
    }
    painter.end();
    if (!page.copy(0, 0, page.width(), std::min(page.height(), y + 10))
             .save(QString::fromLocal8Bit(argv[1]))) {
        std::fprintf(stderr, "cannot write %s\n", argv[1]);
        return 1;
    }
    std::printf("wrote %s (content height %d)\n", argv[1], y);
    return 0;
}
