// The bmp, icon, ilst and string tags.
#include <gtest/gtest.h>
#include <QTemporaryDir>

#include "HtmlTestSupport.h"

namespace qff {
namespace {

// Measures and draws `html`; the line record tells the laid-out size of a lone picture.
struct Placed {
    QSize size;
    QImage canvas;
    std::vector<LineInfo> lines;
};

Placed Place(CPPHtmlDrawer& drawer, const QString& html) {
    Placed placed;
    placed.canvas = test::Canvas(200, 100);
    placed.size = test::MeasureAndDraw(drawer, html, placed.canvas, 200);
    placed.lines = drawer.Lines();
    return placed;
}

Placed Place(const QString& html) {
    CPPHtmlDrawer drawer;
    return Place(drawer, html);
}

TEST(Pictures, IconAtHalfTheSystemSizeLaysOutTheSizeObtained) {
    // Resource 102 is a 32 x 32 picture.
    const Placed half = Place(QStringLiteral("<icon idres=102 width=50% height=50%>"));
    EXPECT_EQ(half.size, QSize(17, 17));
    const Placed full = Place(QStringLiteral("<icon idres=102>"));
    EXPECT_EQ(full.size, QSize(33, 33));
    // Asking for more than the picture has lays out what it has.
    const Placed larger = Place(QStringLiteral("<icon idres=102 width=64 height=64>"));
    EXPECT_EQ(larger.size, QSize(33, 33));
}

TEST(Pictures, StripCellsByIndexAndNothingPastTheLast) {
    // Resource 101 is a 64 x 16 strip: red, green, blue, yellow.
    const Placed fourth = Place(QStringLiteral("<ilst idres=101 cx=16 index=3>"));
    EXPECT_EQ(fourth.size, QSize(17, 17));
    EXPECT_EQ(fourth.canvas.pixel(8, 8), qRgb(255, 255, 0));
    const Placed past = Place(QStringLiteral("<ilst idres=101 cx=16 index=4>"));
    EXPECT_EQ(past.size, QSize(1, 1));
    // Without cx and cy the cell is the strip's smaller side, square.
    const Placed square = Place(QStringLiteral("<ilst idres=101 index=1 width=50%>"));
    EXPECT_EQ(square.size, QSize(9, 17));
    EXPECT_EQ(square.canvas.pixel(4, 8), qRgb(0, 255, 0));
}

TEST(Pictures, ImageListOfTheDrawerServesIlstWithoutASource) {
    QImage strip(48, 16, QImage::Format_RGB32);
    strip.fill(Qt::red);
    for (int y = 0; y < 16; ++y) {
        for (int x = 32; x < 48; ++x) {
            strip.setPixel(x, y, qRgb(0, 0, 255));
        }
    }
    CPPHtmlDrawer drawer;
    drawer.SetImageList(strip, 16, 16);
    const Placed third = Place(drawer, QStringLiteral("<ilst index=2>"));
    EXPECT_EQ(third.size, QSize(17, 17));
    EXPECT_EQ(third.canvas.pixel(8, 8), qRgb(0, 0, 255));
    EXPECT_EQ(Place(drawer, QStringLiteral("<ilst index=3>")).size, QSize(1, 1));
}

TEST(Pictures, BitmapsFromFilesHandlesAndTheirSizesAndMask) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QImage picture(20, 10, QImage::Format_RGB32);
    picture.fill(qRgb(255, 0, 255));
    picture.setPixel(5, 5, qRgb(0, 128, 0));
    const QString file = dir.filePath(QStringLiteral("p.png"));
    ASSERT_TRUE(picture.save(file));

    EXPECT_EQ(Place(QStringLiteral("<bmp file=\"%1\">").arg(file)).size, QSize(21, 11));
    EXPECT_EQ(Place(QStringLiteral("<bmp file=\"%1\" width=200% height=5>").arg(file)).size,
              QSize(41, 6));
    const Placed masked = Place(QStringLiteral("<bmp file=\"%1\" mask=#ff00ff>").arg(file));
    EXPECT_EQ(masked.canvas.pixel(1, 1), qRgb(255, 255, 255));
    EXPECT_EQ(masked.canvas.pixel(5, 5), qRgb(0, 128, 0));

    CPPHtmlDrawer drawer;
    drawer.RegisterHandle(&picture);
    const QString handle = QString::number(reinterpret_cast<quintptr>(&picture), 16);
    EXPECT_EQ(Place(drawer, QStringLiteral("<bmp handle=0x%1>").arg(handle)).size, QSize(21, 11));
    drawer.ClearHandles();
    EXPECT_EQ(Place(drawer, QStringLiteral("<bmp handle=0x%1>").arg(handle)).size, QSize(1, 1));
}

TEST(Pictures, ShadowStyleEnlargesTheBoxAndDisabledPicturesAreSolid) {
    // bmp: the box grows by the shadow offsets but the line only by the picture.
    const Placed shadowed = Place(QStringLiteral("<bmp idres=103 style=s>"));
    EXPECT_EQ(shadowed.size, QSize(24 + 4 + 1, 24 + 1));
    // ilst counts the shadow in the line height too.
    const Placed cell = Place(QStringLiteral("<ilst idres=101 cx=16 style=s>"));
    EXPECT_EQ(cell.size, QSize(16 + 4 + 1, 16 + 4 + 1));
    // A hover style with a shadow reserves the room as well.
    EXPECT_EQ(Place(QStringLiteral("<bmp idres=103 hotstyle=s>")).size.width(), 24 + 4 + 1);

    CPPHtmlDrawer disabled;
    disabled.SetEnabled(false);
    const Placed solid = Place(disabled, QStringLiteral("<bmp idres=103 mask=#ff00ff>"));
    EXPECT_EQ(solid.canvas.pixel(12, 20), qRgb(128, 128, 128));
    EXPECT_EQ(solid.canvas.pixel(1, 1), qRgb(255, 255, 255));
}

TEST(Pictures, PicturesThatDoNotLoadTakeNoSpace) {
    for (const char* html :
         {"<bmp idres=9999>", "<bmp file=\"/nonexistent/x.png\">", "<icon file=\"/etc/passwd\">",
          "<bmp>", "<icon handle=0x1234>", "<ilst idres=101 index=-1>", "<bmp idres=103 width=0>",
          "<icon iddll=5 srcdll=\"/usr/lib/libc.so.6\">", "<ilst idres=101 cx=99999>"}) {
        EXPECT_EQ(Place(QString::fromLatin1(html)).size, QSize(1, 1)) << html;
    }
}

TEST(Pictures, ResourceInstancePrefixServesIddll) {
    CPPHtmlDrawer drawer;
    EXPECT_EQ(Place(drawer, QStringLiteral("<icon iddll=102>")).size, QSize(1, 1));
    drawer.SetResourceInstance(QStringLiteral(":/res"));
    EXPECT_EQ(Place(drawer, QStringLiteral("<icon iddll=102>")).size, QSize(33, 33));
    EXPECT_EQ(Place(drawer, QStringLiteral("<bmp iddll=103 srcdll=\":/res\">")).size,
              QSize(25, 25));
}

TEST(Pictures, WideBoxStartsANewLineWithMaxWidth) {
    CPPHtmlDrawer drawer;
    drawer.SetMaxWidth(40);
    const Placed placed = Place(drawer, QStringLiteral("abc<bmp idres=103>"));
    ASSERT_GT(test::Advance(test::BodyFont(), QStringLiteral("abc")) + 24, 40);
    ASSERT_EQ(placed.lines.size(), 2u);
    EXPECT_TRUE(placed.lines[0].justify);
    EXPECT_EQ(placed.lines[1].width, 24);
}

TEST(Pictures, StringTagShowsItsTextLikeAPiece) {
    CPPHtmlDrawer drawer;
    drawer.SetStringResource(7, QStringLiteral("seven"));
    const int width = test::Advance(test::BodyFont(), QStringLiteral("seven"));
    EXPECT_EQ(Place(drawer, QStringLiteral("<string idres=7>")).size.width(), width + 1);
    EXPECT_EQ(Place(drawer, QStringLiteral("<string iddll=7 srcdll=x>")).size.width(), width + 1);
    EXPECT_EQ(Place(drawer, QStringLiteral("<string idres=8>")).size, QSize(1, 1));
}

TEST(Pictures, PicturesInsideLinksRecordLinkAreas) {
    CPPHtmlDrawer drawer;
    const Placed placed = Place(drawer, QStringLiteral("<a href=x><bmp idres=103></a>"));
    ASSERT_EQ(drawer.Links().size(), 1u);
    EXPECT_EQ(drawer.Links()[0].rect, QRect(0, 0, 24, 24));
    EXPECT_EQ(placed.size, QSize(25, 25));
}

}  // namespace
}  // namespace qff
