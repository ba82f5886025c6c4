#include "app/CSplashScreenEx.h"

#include <gtest/gtest.h>

#include <QKeyEvent>
#include <QPainter>
#include <QPointer>
#include <QScreen>
#include <QSignalSpy>
#include <QtTest/QTest>

namespace qff {
namespace {

const QColor kKey(255, 0, 255);

// A magenta picture with a white body and a notch cut into its top edge.
QImage ShapedPicture() {
    QImage picture(40, 20, QImage::Format_RGB32);
    picture.fill(kKey);
    QPainter painter(&picture);
    painter.fillRect(5, 2, 30, 16, Qt::white);
    painter.fillRect(18, 2, 4, 3, kKey);
    return picture;
}

TEST(SplashScreen, ShapeCutsAwayTheKeyColour) {
    const QRegion shape = CSplashScreenEx::ShapeOf(ShapedPicture(), kKey);
    const QRegion expected = QRegion(5, 2, 30, 16) - QRegion(18, 2, 4, 3);
    EXPECT_TRUE(shape.xored(expected).isEmpty());
}

TEST(SplashScreen, PictureSizesAndShapesTheWindow) {
    auto* splash = new CSplashScreenEx;
    QPointer<CSplashScreenEx> alive(splash);
    ASSERT_TRUE(splash->CreateSplash(nullptr, CSplashScreenEx::CentreOnScreen, 0));
    EXPECT_FALSE(splash->LoadPicture(QImage()));
    EXPECT_TRUE(splash->mask().isEmpty()) << "a missing picture leaves the window unshaped";
    ASSERT_TRUE(splash->LoadPicture(ShapedPicture(), kKey));
    EXPECT_EQ(splash->size(), QSize(40, 20));
    EXPECT_TRUE(splash->mask().contains(QPoint(10, 10)));
    EXPECT_FALSE(splash->mask().contains(QPoint(1, 1)));
    EXPECT_FALSE(splash->mask().contains(QPoint(19, 3)));

    splash->ShowSplash();
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_EQ(splash->pos(), QPoint(screen.x() + (screen.width() - 40) / 2,
                                    screen.y() + (screen.height() - 20) / 2));
    splash->HideSplash();
    QTRY_VERIFY(alive.isNull());
}

TEST(SplashScreen, AntialiasedOutlineLosesItsKeyColourCrispOutlineStays) {
    const QColor body(44, 95, 140);
    const QColor blend(150, 48, 198);  // half body, half key
    QImage picture(60, 20, QImage::Format_RGB32);
    picture.fill(kKey);
    QPainter painter(&picture);
    painter.fillRect(2, 2, 26, 16, blend);
    painter.fillRect(3, 3, 24, 14, body);
    painter.fillRect(32, 2, 26, 16, Qt::black);
    painter.fillRect(33, 3, 24, 14, body);
    painter.end();

    CSplashScreenEx splash;
    splash.CreateSplash(nullptr, 0, 0);
    ASSERT_TRUE(splash.LoadPicture(picture, kKey));
    EXPECT_TRUE(splash.mask().contains(QPoint(2, 10))) << "the blended edge stays in the shape";
    const QImage shown = splash.grab().toImage().convertToFormat(QImage::Format_RGB32);
    for (const QPoint p : {QPoint(2, 2), QPoint(2, 10), QPoint(15, 17), QPoint(27, 5)}) {
        EXPECT_EQ(shown.pixelColor(p), body) << p.x() << "," << p.y();
    }
    for (const QPoint p : {QPoint(32, 2), QPoint(32, 10), QPoint(45, 17)}) {
        EXPECT_EQ(shown.pixelColor(p), QColor(Qt::black)) << p.x() << "," << p.y();
    }
}

TEST(SplashScreen, ClosesAndDeletesItselfAfterTheTimeout) {
    auto* splash = new CSplashScreenEx;
    QPointer<CSplashScreenEx> alive(splash);
    QSignalSpy closed(splash, &CSplashScreenEx::closed);
    splash->CreateSplash(nullptr, CSplashScreenEx::kDefaultStyle, 100);
    splash->LoadPicture(ShapedPicture(), kKey);
    splash->ShowSplash();
    EXPECT_TRUE(splash->isVisible());
    QTRY_VERIFY_WITH_TIMEOUT(alive.isNull(), 5000);
    EXPECT_EQ(closed.count(), 1);
}

TEST(SplashScreen, InputClosesOnlyWhenAsked) {
    QWidget other;
    for (const bool closeOnInput : {false, true}) {
        auto* splash = new CSplashScreenEx;
        QPointer<CSplashScreenEx> alive(splash);
        splash->CreateSplash(nullptr, closeOnInput ? CSplashScreenEx::CloseOnInput : 0u, 0);
        splash->LoadPicture(ShapedPicture(), kKey);
        splash->ShowSplash();
        QKeyEvent key(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, QStringLiteral("a"));
        QCoreApplication::sendEvent(&other, &key);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents();
        EXPECT_EQ(alive.isNull(), closeOnInput);
        if (alive) {
            alive->HideSplash();
            QTRY_VERIFY(alive.isNull());
        }
    }
}

TEST(SplashScreen, DiesWithItsOwner) {
    auto* owner = new QWidget;
    auto* splash = new CSplashScreenEx;
    QPointer<CSplashScreenEx> alive(splash);
    splash->CreateSplash(owner, CSplashScreenEx::kDefaultStyle, 0);
    EXPECT_TRUE(splash->isWindow());
    delete owner;
    EXPECT_TRUE(alive.isNull());
}

}  // namespace
}  // namespace qff
