// Table layouts: column widths, spans, widening, alignment, frames and cell fills.
#include <gtest/gtest.h>

#include "HtmlTestSupport.h"

namespace qff {
namespace {

using test::Advance;
using test::BodyFont;

QString HandleOf(const void* pointer) {
    return QStringLiteral("0x") + QString::number(reinterpret_cast<quintptr>(pointer), 16);
}

QIcon BlueIcon() {
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::blue);
    return QIcon(pixmap);
}

// The message box's icon layout: a fixed 32-pixel icon cell and a text cell.
TEST(Tables, IconTableKeepsTheFixedColumnAndGivesTheTextColumnAllExtraWidth) {
    const QIcon icon = BlueIcon();
    CPPHtmlDrawer drawer;
    drawer.RegisterHandle(&icon);
    const QString html = QStringLiteral(
                             "<table cellpadding=5><tr><td width=32><icon handle=%1></td>"
                             "<td align=right><a href=x>Saved.</a></td></tr></table>")
                             .arg(HandleOf(&icon));
    QImage canvas = test::Canvas(400, 60);
    QPainter painter(&canvas);
    const QSize size = drawer.MeasureHtml(&painter, html);
    const int text = Advance(BodyFont(), QStringLiteral("Saved."));
    EXPECT_EQ(size, QSize(1 + 42 + text + 10 + 1, 42 + 1));
    ASSERT_EQ(drawer.Tables().size(), 1u);
    const TableLayout& layout = drawer.Tables()[0];
    EXPECT_EQ(layout.columnWidths, (std::vector<int>{42, text + 10}));
    EXPECT_EQ(layout.fixedColumns, (std::vector<bool>{true, false}));
    EXPECT_EQ(layout.rowHeights, (std::vector<int>{42}));

    drawer.DrawHtml(QRect(0, 0, 400, size.height()), &painter);
    painter.end();
    EXPECT_EQ(canvas.pixel(5 + 16, 5 + 16), qRgb(0, 0, 255));
    EXPECT_EQ(canvas.pixel(4, 4), qRgb(255, 255, 255));
    ASSERT_EQ(drawer.Links().size(), 1u);
    const QRect link = drawer.Links()[0].rect;
    EXPECT_EQ(link.left() + link.width(), 400 - 5);
    // Drawing twice does not widen the stored layout again.
    EXPECT_EQ(drawer.Tables()[0].columnWidths[1], text + 10);
}

TEST(Tables, SpanWiderThanItsColumnsWidensThemEquallyWithTheRemainderLast) {
    CPPHtmlDrawer drawer;
    drawer.MeasureHtml(nullptr,
                       QStringLiteral("<table><tr><td width=10></td><td width=10></td></tr>"
                                      "<tr><td colspan=2><hr width=61 size=1></td></tr>"
                                      "</table>"));
    ASSERT_EQ(drawer.Tables().size(), 1u);
    // Cells of 10 + 2 * 2 padding; the span needs 61 + 4: 37 more, 18 each and 1 left over.
    EXPECT_EQ(drawer.Tables()[0].columnWidths, (std::vector<int>{32, 33}));
    EXPECT_EQ(drawer.Tables()[0].fixedColumns, (std::vector<bool>{false, false}));
    EXPECT_EQ(drawer.Tables()[0].At(0, 1).colSpan, 1);
    EXPECT_EQ(drawer.Tables()[0].At(1, 0).colSpan, 2);
    EXPECT_EQ(drawer.Tables()[0].At(1, 1).colSpan, -1);
}

TEST(Tables, RowSpanTallerThanItsRowsGivesTheRemainderToTheFirstRow) {
    CPPHtmlDrawer drawer;
    drawer.MeasureHtml(nullptr, QStringLiteral("<table><tr><td rowspan=2><hr width=5 size=41></td>"
                                               "<td>a</td></tr><tr><td>b</td></tr></table>"));
    ASSERT_EQ(drawer.Tables().size(), 1u);
    const int row = QFontMetrics(BodyFont()).height() + 4;
    const int diff = 41 + 8 + 4 - 2 * row;
    EXPECT_EQ(drawer.Tables()[0].rowHeights,
              (std::vector<int>{row + diff / 2 + diff % 2, row + diff / 2}));
    EXPECT_EQ(drawer.Tables()[0].cellSlots,
              (std::vector<QPoint>{QPoint(0, 0), QPoint(1, 0), QPoint(1, 1)}));
}

TEST(Tables, DottedBorderThreeIsAOnePixelDottedFrame) {
    CPPHtmlDrawer drawer;
    QImage canvas = test::Canvas(200, 60);
    const QSize size = test::MeasureAndDraw(
        drawer, QStringLiteral("<table border=3 borderstyle=dotted><tr><td>x</td></tr></table>"),
        canvas);
    const int column = Advance(BodyFont(), QStringLiteral("x")) + 2 * (2 + 1);
    EXPECT_EQ(size.width(), column + 2 + 1);
    int changes = 0;
    for (int x = 1; x < size.width() - 2; ++x) {
        changes += canvas.pixel(x, 0) != canvas.pixel(x + 1, 0);
    }
    EXPECT_GE(changes, size.width() - 4);
    EXPECT_EQ(canvas.pixel(size.width() / 2, size.height() + 1), qRgb(255, 255, 255));
}

TEST(Tables, BorderTwoFramesTheTableRaisedAndItsCellsSunkenOnePixelWide) {
    CPPHtmlDrawer drawer;
    QImage canvas = test::Canvas(200, 60);
    const QSize size = test::MeasureAndDraw(
        drawer,
        QStringLiteral("<table border=2 bordercolorlight=#ff0000 bordercolordark=#0000ff>"
                       "<tr><td>xx</td></tr></table>"),
        canvas);
    // Drawn one pixel wider than measured: the only column takes the extra pixel.
    const int width = size.width();
    const int height = size.height() - 1;
    const int column = Advance(BodyFont(), QStringLiteral("xx")) + 2 * (2 + 1) + 1;
    EXPECT_EQ(width, column + 4);
    const int mid = height / 2;
    const QRgb red = qRgb(255, 0, 0);
    const QRgb blue = qRgb(0, 0, 255);
    EXPECT_EQ(canvas.pixel(0, mid), red);
    EXPECT_EQ(canvas.pixel(1, mid), red);
    EXPECT_EQ(canvas.pixel(width - 1, mid), blue);
    EXPECT_EQ(canvas.pixel(width - 2, mid), blue);
    EXPECT_EQ(canvas.pixel(width / 2, height - 1), blue);
    EXPECT_EQ(canvas.pixel(width / 2, height - 2), blue);
    // The cell at (2, 2): dark on its top and left, light on its bottom and right.
    EXPECT_EQ(canvas.pixel(2, mid), blue);
    EXPECT_EQ(canvas.pixel(width / 2, 2), blue);
    EXPECT_EQ(canvas.pixel(2 + column - 1, mid), red);
    EXPECT_EQ(canvas.pixel(width / 2, height - 3), red);
    EXPECT_EQ(canvas.pixel(3, mid), qRgb(255, 255, 255));
}

TEST(Tables, NarrowFixedTableIsPlacedByItsAlignment) {
    struct Case {
        const char* align;
        int left;
    };
    const int width = 50 + 4;
    for (const Case& c :
         {Case{"left", 0}, Case{"center", (300 - width) / 2}, Case{"right", 300 - width}}) {
        CPPHtmlDrawer drawer;
        QImage canvas = test::Canvas(300, 40);
        test::MeasureAndDraw(
            drawer,
            QStringLiteral("<table align=%1 bgcolor=red><tr><td width=50></td></tr>"
                           "</table>")
                .arg(QString::fromLatin1(c.align)),
            canvas, 300);
        EXPECT_EQ(canvas.pixel(c.left, 1), qRgb(255, 0, 0)) << c.align;
        EXPECT_EQ(canvas.pixel(c.left + width - 1, 1), qRgb(255, 0, 0)) << c.align;
        if (c.left > 0) {
            EXPECT_EQ(canvas.pixel(c.left - 1, 1), qRgb(255, 255, 255)) << c.align;
        }
        if (c.left + width < 300) {
            EXPECT_EQ(canvas.pixel(c.left + width, 1), qRgb(255, 255, 255)) << c.align;
        }
    }
}

TEST(Tables, CellsFillTheirBackgroundAndAlignTheirContentVertically) {
    CPPHtmlDrawer drawer;
    QImage canvas = test::Canvas(200, 80);
    test::MeasureAndDraw(drawer,
                         QStringLiteral("<table cellspacing=2><tr><td><hr width=5 size=40></td>"
                                        "<td valign=bottom bgcolor=lime><a href=x>b</a></td>"
                                        "<td valign=middle><a href=y>m</a></td></tr></table>"),
                         canvas);
    const TableLayout& layout = drawer.Tables()[0];
    const int rowTop = 2;
    const int rowHeight = layout.rowHeights[0];
    const int line = QFontMetrics(BodyFont()).height();
    ASSERT_EQ(drawer.Links().size(), 2u);
    // The cell's alignment is inherited by its text: "bottom" text hangs its descent below.
    const int ascent = QFontMetrics(BodyFont()).ascent();
    EXPECT_EQ(drawer.Links()[0].rect.top(), rowTop + rowHeight - 2 - ascent);
    EXPECT_EQ(drawer.Links()[1].rect.top(), rowTop + 2 + (rowHeight - 4 - line) / 2);
    const int cellLeft = 2 + layout.columnWidths[0] + 2 + 1;
    EXPECT_EQ(canvas.pixel(cellLeft, rowTop), qRgb(0, 255, 0));
    EXPECT_EQ(canvas.pixel(cellLeft - 1, rowTop), qRgb(255, 255, 255));
}

TEST(Tables, BackgroundPictureIsTiledAndDisabledTablesDropTheirBackgrounds) {
    // Resource 101: a 64 x 16 strip of red, green, blue and yellow squares.
    const QString html = QStringLiteral(
        "<table background=101><tr><td width=70 height=30></td></tr></table>"
        "<table bgcolor=red><tr><td width=70 height=30 bgcolor=lime></td></tr></table>");
    CPPHtmlDrawer drawer;
    QImage canvas = test::Canvas(100, 100);
    test::MeasureAndDraw(drawer, html, canvas, 74);
    EXPECT_EQ(canvas.pixel(1, 1), qRgb(255, 0, 0));
    EXPECT_EQ(canvas.pixel(20, 1), qRgb(0, 255, 0));
    EXPECT_EQ(canvas.pixel(66, 1), qRgb(255, 0, 0));   // the second tile starts at 64
    EXPECT_EQ(canvas.pixel(1, 17), qRgb(255, 0, 0));   // and the second row at 16
    EXPECT_EQ(canvas.pixel(10, 40), qRgb(0, 255, 0));  // the lime cell over the red table

    CPPHtmlDrawer disabled;
    disabled.SetEnabled(false);
    QImage plain = test::Canvas(100, 100);
    test::MeasureAndDraw(disabled, html, plain, 74);
    EXPECT_EQ(plain, test::Canvas(100, 100));
}

TEST(Tables, NestedAndUnclosedTablesAreLaidOutInDocumentOrder) {
    CPPHtmlDrawer drawer;
    const QSize size = drawer.MeasureHtml(
        nullptr,
        QStringLiteral("top<table><tr><td><table border=1><tr><td>in</td></tr></table></td>"
                       "<td>b</td></tr></table>middle<table><tr><td>open"));
    ASSERT_EQ(drawer.Tables().size(), 3u);
    const TableLayout& outer = drawer.Tables()[0];
    const TableLayout& inner = drawer.Tables()[1];
    ASSERT_EQ(inner.columnWidths.size(), 1u);
    const int innerWidth = inner.columnWidths[0] + 2;
    EXPECT_EQ(outer.columnWidths[0], innerWidth + 4);
    EXPECT_EQ(drawer.Tables()[2].rows, 1);
    EXPECT_EQ(drawer.Tables()[2].columns, 1);
    const int line = QFontMetrics(BodyFont()).height();
    EXPECT_EQ(size.height(),
              line + outer.rowHeights[0] + line + drawer.Tables()[2].rowHeights[0] + 1);
}

}  // namespace
}  // namespace qff
