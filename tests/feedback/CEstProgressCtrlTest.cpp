#include "feedback/CEstProgressCtrl.h"

#include <gtest/gtest.h>

#include <QDateTime>
#include <QImage>
#include <QLocale>
#include <QThread>
#include <QtTest/QTest>
#include <atomic>

namespace qff {
namespace {

const QColor kFace(240, 240, 240);
const QColor kHighlight(0, 120, 215);
const QRgb kTextOverBar = 0xFFFFFFFF;  // highlight XOR its complement
const QRgb kTextOverFace = qRgb(240 ^ 0xFF, 240 ^ 0x87, 240 ^ 0x28);

class EstProgress : public ::testing::Test {
  protected:
    void SetUp() override {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        QPalette pal = bar.palette();
        pal.setColor(QPalette::Button, kFace);
        pal.setColor(QPalette::Highlight, kHighlight);
        bar.setPalette(pal);
        bar.SetClock([this] { return now.load(); });
        now = QDateTime(QDate(2026, 3, 1), QTime(23, 59, 0)).toSecsSinceEpoch();
    }

    QImage Paint() { return bar.grab().toImage().convertToFormat(QImage::Format_RGB32); }

    std::atomic<std::int64_t> now{0};
    CEstProgressCtrl bar;
};

int CountPixels(const QImage& image, int x0, int x1, QRgb colour) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = x0; x < x1; ++x) {
            count += image.pixel(x, y) == colour;
        }
    }
    return count;
}

TEST_F(EstProgress, FilledWidthIsTruncated) {
    bar.resize(199, 24);
    bar.SetRange(0, 2);
    bar.SetPos(1);
    const QImage image = Paint();
    // The top row carries no text: it shows the bar edge exactly.
    EXPECT_EQ(image.pixel(98, 0), kHighlight.rgb());
    EXPECT_EQ(image.pixel(99, 0), kFace.rgb());
    EXPECT_EQ(CountPixels(image.copy(0, 0, 199, 1), 0, 199, kHighlight.rgb()), 99);
}

TEST_F(EstProgress, TextStaysReadableOverBothParts) {
    bar.resize(400, 24);
    bar.SetRange(0, 2);
    bar.SetPos(1);
    const QImage image = Paint();
    ASSERT_TRUE(bar.GetEstimateText().startsWith(QStringLiteral("50.00% complete.")));
    // Solid text pixels in the filled half are white, in the empty half the face colour
    // XOR the complement of the highlight; both differ clearly from what is beneath.
    EXPECT_GT(CountPixels(image, 0, 200, kTextOverBar), 20);
    EXPECT_GT(CountPixels(image, 200, 400, kTextOverFace), 20);
    EXPECT_EQ(CountPixels(image, 200, 400, kTextOverBar), 0);
    EXPECT_EQ(CountPixels(image, 0, 200, kTextOverFace), 0);
}

TEST_F(EstProgress, NothingToShowIsAPlainFace) {
    struct Case {
        const char* name;
        int upper;
        int position;
    };
    for (const Case& c : {Case{"before progress", 10, 0}, Case{"empty range", 0, 0}}) {
        CEstProgressCtrl fresh;
        fresh.setPalette(bar.palette());
        fresh.resize(200, 24);
        fresh.SetRange(0, c.upper);
        fresh.SetPos(c.position);
        const QImage image = fresh.grab().toImage().convertToFormat(QImage::Format_RGB32);
        EXPECT_EQ(CountPixels(image, 0, 200, kFace.rgb()), 200 * 24) << c.name;
        EXPECT_TRUE(fresh.GetEstimateText().isEmpty()) << c.name;
    }
}

TEST_F(EstProgress, PositionAboveTheRangeFillsTheBar) {
    bar.resize(200, 24);
    bar.SetRange(0, 10);
    bar.SetPos(15);
    EXPECT_EQ(bar.GetPos(), 10);
    const QImage image = Paint();
    EXPECT_EQ(image.pixel(199, 0), kHighlight.rgb());
    EXPECT_TRUE(bar.GetEstimateText().startsWith(QStringLiteral("100.00% complete.")));
}

TEST_F(EstProgress, EstimateExtrapolatesFromTheFirstProgress) {
    bar.resize(400, 24);
    bar.SetRange(0, 8);
    bar.SetPos(1);
    now += 50;  // time before the first visible step does not count
    Paint();
    // First repaint with progress: elapsed 0, completion is now (23:59:50).
    EXPECT_EQ(bar.GetEstimateText(),
              QStringLiteral("12.50% complete. Estimated completion: 11:59:50 PM"));

    now += 30;
    bar.SetPos(3);  // 3/8 after 30 s: 80 s in all, so 00:01:10 the next day
    Paint();
    const QString text = bar.GetEstimateText();
    EXPECT_TRUE(text.startsWith(QStringLiteral("37.50% complete. Estimated completion: 12:01:10")))
        << text.toStdString();
}

TEST_F(EstProgress, ResetFromAWorkerStartsANewRun) {
    bar.resize(400, 24);
    bar.SetRange(0, 4);
    bar.SetPos(1);
    Paint();  // start fixed at 23:59:00

    now += 600;
    QThread* worker = QThread::create([this] { bar.ResetEstimate(); });
    worker->start();
    QTRY_VERIFY(worker->isFinished());
    delete worker;
    EXPECT_TRUE(bar.GetEstimateText().isEmpty());

    bar.SetRange(0, 4);
    bar.SetPos(1);
    Paint();
    // Without the reset the old start would put completion 40 minutes ahead.
    EXPECT_EQ(bar.GetEstimateText(),
              QStringLiteral("25.00% complete. Estimated completion: 12:09:00 AM"));
}

}  // namespace
}  // namespace qff
