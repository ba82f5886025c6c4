#include <gtest/gtest.h>
#include <QImage>
#include <QPainter>

#include "HtmlTestSupport.h"
#include "htmlbox/CCeXDib.h"
#include "htmlbox/CPPDrawManager.h"

namespace qff {
namespace {

int Brightness(QRgb p) {
    return qRed(p) + qGreen(p) + qBlue(p);
}

// The notice background: vbump in yellow with a light middle, granularity 0.
TEST(FillArea, VerticalBumpIsLightestInTheMiddleColumnAndYellowAtBothEdges) {
    QImage image = test::Canvas(200, 20, Qt::black);
    CPPDrawManager manager;
    {
        QPainter painter(&image);
        manager.FillArea(&painter, QRect(0, 0, 200, 20), 12, MakeColorRef(253, 236, 81),
                         MakeColorRef(254, 243, 169), MakeColorRef(253, 236, 81), 0);
    }
    int lightest = 0;
    for (int x = 0; x < 200; ++x) {
        lightest = std::max(lightest, Brightness(image.pixel(x, 10)));
    }
    const QRgb middleColumn = image.pixel(100, 10);
    EXPECT_EQ(Brightness(middleColumn), lightest);
    EXPECT_NEAR(qRed(middleColumn), 254, 1);
    EXPECT_NEAR(qGreen(middleColumn), 243, 1);
    EXPECT_NEAR(qBlue(middleColumn), 169, 1);
    EXPECT_LT(Brightness(image.pixel(20, 10)), lightest);
    EXPECT_LT(Brightness(image.pixel(180, 10)), lightest);
    for (int x : {0, 199}) {
        const QRgb edge = image.pixel(x, 10);
        EXPECT_NEAR(qRed(edge), 253, 2) << x;
        EXPECT_NEAR(qGreen(edge), 236, 3) << x;
        EXPECT_NEAR(qBlue(edge), 81, 6) << x;
    }
    // Every row is the same: the bump runs across the width only.
    for (int y = 0; y < 20; ++y) {
        EXPECT_EQ(image.pixel(100, y), image.pixel(100, 10));
    }
}

TEST(FillArea, GradientEffectsSplitAtTheMiddle) {
    const ColorRef red = MakeColorRef(255, 0, 0);
    const ColorRef green = MakeColorRef(0, 255, 0);
    const ColorRef blue = MakeColorRef(0, 0, 255);
    struct Case {
        int effect;
        QPoint probe;
        QRgb expected;
    };
    // 128 x 128: band k of a half covers 1 pixel, band 0 is the from colour.
    const Case cases[] = {
        {0, QPoint(100, 100), qRgb(255, 0, 0)}, {1, QPoint(0, 50), qRgb(255, 0, 0)},
        {2, QPoint(50, 0), qRgb(255, 0, 0)},    {3, QPoint(64, 5), qRgb(0, 0, 255)},
        {4, QPoint(5, 64), qRgb(0, 0, 255)},    {5, QPoint(64, 5), qRgb(0, 255, 0)},
        {6, QPoint(5, 64), qRgb(0, 255, 0)},    {99, QPoint(10, 10), qRgb(255, 0, 0)},
        {-1, QPoint(10, 10), qRgb(255, 0, 0)},
    };
    for (const Case& c : cases) {
        QImage image = test::Canvas(128, 128, Qt::black);
        CPPDrawManager manager;
        QPainter painter(&image);
        manager.FillArea(&painter, QRect(0, 0, 128, 128), c.effect, red, green, blue, 0);
        painter.end();
        EXPECT_EQ(image.pixel(c.probe), c.expected) << "effect " << c.effect;
    }
}

// Ten pixels still take their colours from all 64 steps: pixel i shows band k_i.
TEST(PaintGradient, TenPixelsSkipEmptyBandsAndEndOneStepShortOfTheTarget) {
    QImage image = test::Canvas(10, 1, Qt::white);
    CPPDrawManager manager;
    {
        QPainter painter(&image);
        manager.PaintGradient(&painter, QRect(0, 0, 10, 1), MakeColorRef(0, 0, 0),
                              MakeColorRef(255, 0, 0), true);
    }
    const int expectedRed[10] = {23, 47, 75, 99, 123, 151, 175, 203, 227, 251};
    for (int x = 0; x < 10; ++x) {
        EXPECT_EQ(qRed(image.pixel(x, 0)), expectedRed[x]) << "pixel " << x;
    }
}

TEST(FillArea, TexturesOfAHugeRectangleOnlyComputeTheVisiblePart) {
    QImage image = test::Canvas(64, 48, Qt::black);
    CPPDrawManager manager;
    QPainter painter(&image);
    for (int effect = 7; effect <= 15; ++effect) {
        manager.FillArea(&painter, QRect(-500000, -500000, 1000000, 1000000), effect,
                         MakeColorRef(0, 0, 255), MakeColorRef(0, 255, 0), MakeColorRef(255, 0, 0),
                         5);
    }
    painter.end();
    EXPECT_NE(image.pixel(32, 24), qRgb(0, 0, 0));
}

TEST(FillArea, TexturesFollowTheGranularityAndTheirGeometry) {
    // hshade, granularity 0: bottom row near the end colour, top row near the start colour.
    QImage image = test::Canvas(40, 100, Qt::black);
    CPPDrawManager manager;
    {
        QPainter painter(&image);
        manager.FillArea(&painter, QRect(0, 0, 40, 100), 9, MakeColorRef(255, 255, 255),
                         MakeColorRef(128, 128, 128), MakeColorRef(0, 0, 0), 0);
    }
    EXPECT_LT(qRed(image.pixel(20, 99)), 8);
    EXPECT_GT(qRed(image.pixel(20, 0)), 245);
    EXPECT_LT(qRed(image.pixel(20, 75)), qRed(image.pixel(20, 25)));
}

TEST(CCeXDib, RowsAreStoredBottomUpAndPaddedToFourBytes) {
    CCeXDib dib;
    ASSERT_TRUE(dib.Allocate(5, 3));
    EXPECT_EQ(dib.Stride(), 8);
    dib.SetPaletteEntry(1, MakeColorRef(255, 0, 0));
    dib.Row(0)[0] = 1;  // bottom-left pixel
    QImage image = test::Canvas(5, 3, Qt::black);
    {
        QPainter painter(&image);
        dib.BlitTo(&painter, 0, 0);
    }
    EXPECT_EQ(image.pixel(0, 2), qRgb(255, 0, 0));
    EXPECT_EQ(image.pixel(0, 0), qRgb(0, 0, 0));
    EXPECT_FALSE(dib.Allocate(0, 10));
    EXPECT_FALSE(dib.Allocate(1 << 20, 1 << 20));
}

class FrameTest : public ::testing::Test {
  protected:
    QImage Frame(int style, int width) {
        QImage image = test::Canvas(20, 20, Qt::white);
        CPPDrawManager manager;
        QPainter painter(&image);
        manager.StrokeFrame(&painter, QRect(2, 2, 16, 16), MakeColorRef(255, 0, 0),
                            MakeColorRef(0, 0, 255), style, width);
        return image;
    }
};

TEST_F(FrameTest, SolidFrameIsLightTopLeftAndDarkBottomRight) {
    const QImage image = Frame(1, 1);
    EXPECT_EQ(image.pixel(2, 10), qRgb(255, 0, 0));   // left
    EXPECT_EQ(image.pixel(10, 2), qRgb(255, 0, 0));   // top
    EXPECT_EQ(image.pixel(17, 10), qRgb(0, 0, 255));  // right, inside the rectangle
    EXPECT_EQ(image.pixel(10, 17), qRgb(0, 0, 255));  // bottom
    EXPECT_EQ(image.pixel(10, 10), qRgb(255, 255, 255));
    EXPECT_EQ(image.pixel(18, 10), qRgb(255, 255, 255));  // nothing outside
}

TEST_F(FrameTest, WidthZeroDrawsNothing) {
    const QImage image = Frame(1, 0);
    EXPECT_EQ(image, test::Canvas(20, 20, Qt::white));
}

TEST_F(FrameTest, DottedFrameAlternatesAlongItsEdges) {
    const QImage image = Frame(3, 1);
    int set = 0;
    int gaps = 0;
    for (int x = 3; x < 17; ++x) {
        (image.pixel(x, 2) == qRgb(255, 0, 0) ? set : gaps)++;
        EXPECT_NE(image.pixel(x, 2), image.pixel(x + 1, 2)) << x;
    }
    EXPECT_GT(set, 4);
    EXPECT_GT(gaps, 4);
}

TEST_F(FrameTest, DoubleFrameRepeatsTwiceTheWidthInside) {
    const QImage image = Frame(6, 1);
    EXPECT_EQ(image.pixel(2, 10), qRgb(255, 0, 0));
    EXPECT_EQ(image.pixel(3, 10), qRgb(255, 255, 255));
    EXPECT_EQ(image.pixel(4, 10), qRgb(255, 0, 0));
    EXPECT_EQ(image.pixel(15, 10), qRgb(0, 0, 255));
}

TEST(StrokeLine, WidthBelowOneDrawsNothingAndDoubleAddsASecondLine) {
    QImage image = test::Canvas(20, 20, Qt::white);
    CPPDrawManager manager;
    {
        QPainter painter(&image);
        manager.StrokeLine(&painter, 0, 5, 19, 5, 0, 0, 1);
    }
    EXPECT_EQ(image, test::Canvas(20, 20, Qt::white));
    {
        QPainter painter(&image);
        manager.StrokeLine(&painter, 0, 5, 19, 5, 1, 0, 6);
    }
    EXPECT_EQ(image.pixel(10, 5), qRgb(0, 0, 0));
    EXPECT_EQ(image.pixel(10, 6), qRgb(255, 255, 255));
    EXPECT_EQ(image.pixel(10, 7), qRgb(0, 0, 0));
}

TEST(MakeEffectCopy, EffectsApplyInOrderAndKeyedPixelsBecomeTransparent) {
    struct Case {
        const char* name;
        std::uint32_t effect;
        QRgb source;
        QRgb expected;
    };
    const Case cases[] = {
        {"none", 0, qRgb(100, 150, 200), qRgb(100, 150, 200)},
        {"grey", IMG_GREY, qRgb(100, 150, 200), qRgb(140, 140, 140)},
        {"darken", IMG_DARKEN, qRgb(100, 150, 201), qRgb(75, 112, 150)},
        {"lighten caps at 255", IMG_LIGHTEN, qRgb(100, 150, 240), qRgb(125, 187, 255)},
        {"grey then darken", IMG_GREY | IMG_DARKEN, qRgb(100, 150, 200), qRgb(105, 105, 105)},
        {"solid", IMG_SOLID, qRgb(1, 2, 3), qRgb(9, 8, 7)},
        {"invert last", IMG_SOLID | IMG_INVERT, qRgb(1, 2, 3), qRgb(246, 247, 248)},
        {"keyed", IMG_GREY, qRgb(255, 0, 255), qRgba(0, 0, 0, 0)},
    };
    CPPDrawManager manager;
    for (const Case& c : cases) {
        QImage source(1, 1, QImage::Format_RGB32);
        source.setPixel(0, 0, c.source);
        const QImage copy = manager.MakeEffectCopy(
            source, 1, 1, c.effect, true, MakeColorRef(255, 0, 255), MakeColorRef(9, 8, 7));
        EXPECT_EQ(copy.pixel(0, 0), c.expected) << c.name;
    }
    EXPECT_FALSE(manager.LastCopyHadAlpha());
    QImage withAlpha(1, 1, QImage::Format_ARGB32);
    withAlpha.fill(qRgba(10, 20, 30, 128));
    manager.MakeEffectCopy(withAlpha, 1, 1, 0, false, 0, 0);
    EXPECT_TRUE(manager.LastCopyHadAlpha());
    EXPECT_TRUE(manager.MakeEffectCopy(QImage(), 1, 1, 0, false, 0, 0).isNull());
}

QImage Strip() {
    QImage strip(64, 16, QImage::Format_RGB32);
    const QRgb colours[4] = {qRgb(255, 0, 0), qRgb(0, 255, 0), qRgb(0, 0, 255), qRgb(255, 255, 0)};
    for (int x = 0; x < 64; ++x) {
        for (int y = 0; y < 16; ++y) {
            strip.setPixel(x, y, colours[x / 16]);
        }
    }
    return strip;
}

TEST(PaintListCell, DrawsTheIndexedCellAndNothingPastTheLast) {
    CPPDrawManager manager;
    QImage image = test::Canvas(16, 16, Qt::white);
    QPainter painter(&image);
    EXPECT_TRUE(manager.PaintListCell(&painter, 0, 0, 16, 16, Strip(), 3, 16, 16, false, 0, 0,
                                      ShadowSpec{}));
    EXPECT_EQ(image.pixel(8, 8), qRgb(255, 255, 0));
    image.fill(Qt::white);
    EXPECT_FALSE(manager.PaintListCell(&painter, 0, 0, 16, 16, Strip(), 4, 16, 16, false, 0, 0,
                                       ShadowSpec{}));
    EXPECT_FALSE(manager.PaintListCell(&painter, 0, 0, 16, 16, Strip(), 0, 0, 16, false, 0, 0,
                                       ShadowSpec{}));
    painter.end();
    EXPECT_EQ(image.pixel(8, 8), qRgb(255, 255, 255));
}

TEST(PaintBitmap, ShadowDarkensBelowAndAnUnshadowedPictureMovesToTheShadowPlace) {
    QImage square(8, 8, QImage::Format_RGB32);
    square.fill(qRgb(0, 0, 255));
    CPPDrawManager manager;
    ShadowSpec shadow;
    shadow.wanted = true;
    shadow.colour = MakeColorRef(128, 128, 128);

    QImage hard = test::Canvas(20, 20, Qt::white);
    {
        QPainter painter(&hard);
        manager.PaintBitmap(&painter, 0, 0, 8, 8, square, false, 0, IMG_SHADOW, shadow);
    }
    EXPECT_EQ(hard.pixel(2, 2), qRgb(0, 0, 255));
    EXPECT_NEAR(qRed(hard.pixel(10, 10)), 128, 1);  // white times 128 / 255
    EXPECT_EQ(hard.pixel(15, 15), qRgb(255, 255, 255));

    QImage soft = test::Canvas(20, 20, Qt::white);
    {
        QPainter painter(&soft);
        manager.PaintBitmap(&painter, 0, 0, 8, 8, square, false, 0, IMG_SOFT_SHADOW, shadow);
    }
    EXPECT_LT(qRed(soft.pixel(8, 8)), 255);
    EXPECT_GT(qRed(soft.pixel(8, 8)), qRed(hard.pixel(10, 10)));

    QImage raised = test::Canvas(20, 20, Qt::white);
    {
        QPainter painter(&raised);
        manager.PaintBitmap(&painter, 0, 0, 8, 8, square, false, 0, 0, shadow);
    }
    EXPECT_EQ(raised.pixel(1, 1), qRgb(255, 255, 255));
    EXPECT_EQ(raised.pixel(11, 11), qRgb(0, 0, 255));
}

TEST(BlendOnto, HalfAlphaMixesSourceAndDestination) {
    QImage source(2, 2, QImage::Format_ARGB32);
    source.fill(qRgba(255, 0, 0, 128));
    QImage image = test::Canvas(2, 2, Qt::white);
    CPPDrawManager manager;
    {
        QPainter painter(&image);
        manager.BlendOnto(source, &painter, 0, 0, 2, 2);
    }
    EXPECT_EQ(qRed(image.pixel(0, 0)), 255);
    EXPECT_NEAR(qGreen(image.pixel(0, 0)), 127, 1);
}

TEST(TileBitmap, RepeatsFromTheTopLeftAndClipsAtTheEdges) {
    QImage tile(2, 2, QImage::Format_RGB32);
    tile.fill(qRgb(0, 0, 0));
    tile.setPixel(0, 0, qRgb(255, 0, 0));
    QImage image = test::Canvas(7, 7, Qt::white);
    CPPDrawManager manager;
    {
        QPainter painter(&image);
        manager.TileBitmap(&painter, QRect(1, 1, 5, 5), tile, 2, 2);
    }
    EXPECT_EQ(image.pixel(1, 1), qRgb(255, 0, 0));
    EXPECT_EQ(image.pixel(3, 3), qRgb(255, 0, 0));
    EXPECT_EQ(image.pixel(5, 5), qRgb(255, 0, 0));
    EXPECT_EQ(image.pixel(2, 1), qRgb(0, 0, 0));
    EXPECT_EQ(image.pixel(6, 6), qRgb(255, 255, 255));
    EXPECT_EQ(image.pixel(0, 0), qRgb(255, 255, 255));
}

TEST(IconSize, IsTheSystemSizeOrSmallerAndScaleIconStretches) {
    QPixmap small(16, 16);
    small.fill(Qt::red);
    EXPECT_EQ(CPPDrawManager::IconSize(QIcon(small)), QSize(16, 16));
    QPixmap large(64, 64);
    large.fill(Qt::red);
    EXPECT_EQ(CPPDrawManager::IconSize(QIcon(large)), QSize(32, 32));
    EXPECT_EQ(CPPDrawManager::IconSize(QIcon()), QSize(0, 0));
    EXPECT_EQ(CPPDrawManager::IconSize(CPPDrawManager::ScaleIcon(QIcon(small), 24, 24)),
              QSize(24, 24));
    EXPECT_EQ(CPPDrawManager::BitmapSize(Strip()), QSize(64, 16));
}

}  // namespace
}  // namespace qff
