#include "app/CTarnixListCtrl.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QHeaderView>
#include <QHelpEvent>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QToolTip>
#include <QtTest/QTest>

namespace qff {
namespace {

class FileList : public ::testing::Test {
  protected:
    void SetUp() override {
        list.resize(400, 200);
        QPixmap tick(20, 20);
        tick.fill(Qt::green);
        list.SetImages({QIcon(), QIcon(tick), QIcon()});
        for (const char* path : {"/docs/a.odf", "/docs/b.odf", "/docs/c.odf"}) {
            list.InsertItem(list.GetItemCount(), QString::fromLatin1(path), 2);
        }
        list.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&list));
    }

    // A point on the row, inside the visible part of the wide column.
    QPoint RowCentre(int row) {
        return {40, list.visualItemRect(list.topLevelItem(row)).center().y()};
    }
    QPoint BelowLastRow() { return RowCentre(2) + QPoint(0, 60); }

    void MoveTo(QPoint pos) {
        QMouseEvent move(QEvent::MouseMove, pos, list.viewport()->mapToGlobal(pos), Qt::NoButton,
                         Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(list.viewport(), &move);
    }

    CTarnixListCtrl list;
};

TEST_F(FileList, KeyStrokePreviewsTheNewCurrentRowTwice) {
    list.setFocus();
    list.setCurrentItem(list.topLevelItem(0));
    QSignalSpy previews(&list, &CTarnixListCtrl::previewItemRequested);
    QTest::keyClick(&list, Qt::Key_Down);
    ASSERT_EQ(previews.count(), 2);
    EXPECT_EQ(previews.at(0).at(0).toInt(), 1);
    EXPECT_EQ(previews.at(1).at(0).toInt(), 1);
}

TEST_F(FileList, KeyWithoutACurrentRowPreviewsNothing) {
    list.setCurrentItem(nullptr);
    list.selectionModel()->clearCurrentIndex();
    QSignalSpy previews(&list, &CTarnixListCtrl::previewItemRequested);
    QTest::keyClick(&list, Qt::Key_Shift);
    EXPECT_EQ(previews.count(), 0);
}

TEST_F(FileList, ClickPreviewsTheClickedRowOnly) {
    QSignalSpy previews(&list, &CTarnixListCtrl::previewItemRequested);
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, RowCentre(2));
    ASSERT_EQ(previews.count(), 1);
    EXPECT_EQ(previews.at(0).at(0).toInt(), 2);
    EXPECT_EQ(list.GetSelectedItems(), QList<int>{2}) << "the click was handled first";

    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, BelowLastRow());
    EXPECT_EQ(previews.count(), 1);
}

TEST_F(FileList, SeveralRowsSelectable) {
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, RowCentre(0));
    QTest::mouseClick(list.viewport(), Qt::LeftButton, Qt::ControlModifier, RowCentre(2));
    EXPECT_EQ(list.GetSelectedItems(), (QList<int>{0, 2}));
}

TEST_F(FileList, HoverOffersTheRowTextForTheStatusBar) {
    QSignalSpy status(&list, &CTarnixListCtrl::statusTextRequested);
    MoveTo(RowCentre(1));
    ASSERT_EQ(status.count(), 1);
    EXPECT_EQ(status.at(0).at(0).toString(), "/docs/b.odf");
    MoveTo(BelowLastRow());
    EXPECT_EQ(status.count(), 1);
}

TEST_F(FileList, TipShowsTheFullText) {
    const QString longPath = QStringLiteral("/very/long/") + QString(200, QLatin1Char('d')) +
                             QStringLiteral("/formula.odf");
    list.InsertItem(0, longPath, 2);
    list.header()->resizeSection(0, 100);
    const QPoint pos = RowCentre(0);
    QHelpEvent help(QEvent::ToolTip, pos, list.viewport()->mapToGlobal(pos));
    QCoreApplication::sendEvent(list.viewport(), &help);
    EXPECT_EQ(QToolTip::text(), longPath);
    QToolTip::hideText();
}

TEST_F(FileList, RowsKeepTextImageAndMark) {
    EXPECT_EQ(list.InsertItem(99, QStringLiteral("/docs/d.odf"), 1), 3);
    list.SetItemData(1, 1);
    list.DeleteItem(0);
    ASSERT_EQ(list.GetItemCount(), 3);
    EXPECT_EQ(list.GetItemText(0), "/docs/b.odf");
    EXPECT_EQ(list.GetItemData(0), 1);
    EXPECT_EQ(list.GetItemData(1), 0);
    EXPECT_EQ(list.GetItemImage(2), 1);
    EXPECT_FALSE(list.topLevelItem(2)->icon(0).isNull());
    EXPECT_EQ(list.GetItemImage(7), -1);
    EXPECT_EQ(list.GetItemText(-1), QString());
}

TEST(FileListLook, RowsAreWhiteUnderADarkLook) {
    const QPalette saved = QApplication::palette();
    QPalette dark = saved;
    dark.setColor(QPalette::Base, QColor(30, 30, 30));
    dark.setColor(QPalette::Text, QColor(230, 230, 230));
    QApplication::setPalette(dark);
    {
        CTarnixListCtrl list;
        list.resize(400, 120);
        list.InsertItem(0, QStringLiteral("/docs/a.odf"), 2);
        const QImage image = list.viewport()->grab().toImage();
        const int y = list.visualItemRect(list.topLevelItem(0)).center().y();
        EXPECT_EQ(image.pixelColor(300, y), QColor(Qt::white));
        // The text is dark on that white.
        int darkest = 255;
        for (int x = 0; x < 200; ++x) {
            darkest = std::min(darkest, qGray(image.pixel(x, y)));
        }
        EXPECT_LT(darkest, 100);
    }
    QApplication::setPalette(saved);
}

}  // namespace
}  // namespace qff
