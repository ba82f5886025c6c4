#include "app/CHyperLink.h"

#include <gtest/gtest.h>

#include <QEnterEvent>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest/QTest>

namespace qff {
namespace {

TEST(HyperLink, ErrorMessagesByResultCode) {
    struct Case {
        int code;
        const char* text;
    };
    const Case cases[] = {
        {0, "The operating system is out\nof memory or resources."},
        {2, "The specified file was not found."},
        {26, "A sharing violation occurred. "},
        {31, "There is no application associated\nwith the given filename extension."},
        {4, "Unknown Error (4) occurred."},
        {-7, "Unknown Error (-7) occurred."},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CHyperLink::ErrorMessage(c.code),
                  QStringLiteral("Unable to open hyperlink:\n\n") + QString::fromLatin1(c.text))
            << c.code;
    }
}

class Link : public ::testing::Test {
  protected:
    void SetUp() override {
        link.SetLinkTarget(QStringLiteral("file:///tmp/out"));
        link.SetMessageSink([this](const QString& m) { messages << m; });
        link.resize(link.sizeHint());
        link.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&link));
    }
    CHyperLink link{QStringLiteral("/tmp/out")};
    QStringList messages;
};

TEST_F(Link, FailedOpenReportsAndStaysUnvisited) {
    link.SetOpener([](const QString&) { return 26; });
    QSignalSpy opened(&link, &CHyperLink::linkOpened);
    QTest::mouseClick(&link, Qt::LeftButton, {}, QPoint(3, 3));
    EXPECT_EQ(
        messages,
        QStringList{QStringLiteral("Unable to open hyperlink:\n\nA sharing violation occurred. ")});
    EXPECT_FALSE(link.IsVisited());
    ASSERT_EQ(opened.count(), 1);
    EXPECT_FALSE(opened.at(0).at(0).toBool());
    EXPECT_EQ(link.palette().color(QPalette::WindowText), link.LinkColour());
}

TEST_F(Link, SuccessfulOpenTurnsVisited) {
    QString openedUrl;
    link.SetOpener([&](const QString& url) {
        openedUrl = url;
        return 42;
    });
    QTest::mouseClick(&link, Qt::LeftButton, {}, QPoint(3, 3));
    EXPECT_EQ(openedUrl, "file:///tmp/out");
    EXPECT_TRUE(messages.isEmpty());
    EXPECT_TRUE(link.IsVisited());
    EXPECT_EQ(link.palette().color(QPalette::WindowText), QColor(85, 26, 139));
}

TEST_F(Link, HoverIsRedAndUnderlinedOnlyWhileOver) {
    const QPointF at(3, 3);
    QEnterEvent enter(at, at, link.mapToGlobal(at));
    QCoreApplication::sendEvent(&link, &enter);
    EXPECT_EQ(link.palette().color(QPalette::WindowText), QColor(255, 0, 0));
    EXPECT_TRUE(link.font().underline());

    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(&link, &leave);
    EXPECT_EQ(link.palette().color(QPalette::WindowText), QColor(0, 0, 238));
    EXPECT_FALSE(link.font().underline());

    link.SetUnderline(CHyperLink::UnderlineAlways);
    QCoreApplication::sendEvent(&link, &enter);
    QCoreApplication::sendEvent(&link, &leave);
    EXPECT_TRUE(link.font().underline());
}

TEST(HyperLinkTarget, TextAndTargetFillEachOther) {
    CHyperLink named(QStringLiteral("Visit us"));
    EXPECT_EQ(named.GetLinkTarget(), "Visit us");
    named.SetLinkTarget(QStringLiteral("https://example.org/"));
    EXPECT_EQ(named.text(), "Visit us");
    EXPECT_EQ(named.toolTip(), "https://example.org/");

    CHyperLink blank;
    blank.SetLinkTarget(QStringLiteral("https://example.org/"));
    EXPECT_EQ(blank.text(), "https://example.org/");
}

TEST(HyperLinkTarget, ResizeKeepsTheAlignedEdge) {
    QWidget parent;
    CHyperLink right(QStringLiteral("x"), &parent);
    right.setAlignment(Qt::AlignRight | Qt::AlignTop);
    right.setGeometry(100, 10, 300, 40);
    right.setText(QStringLiteral("A longer link text"));
    right.AdjustSize();
    EXPECT_EQ(right.geometry().right(), 399);
    EXPECT_EQ(right.geometry().top(), 10);
    EXPECT_LT(right.width(), 300);
}

TEST(HyperLinkTarget, DesktopOpenerChecksLocalPathsFirst) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    EXPECT_EQ(CHyperLink::OpenWithDesktop(dir.filePath(QStringLiteral("missing.odf"))), 2);
    EXPECT_EQ(CHyperLink::OpenWithDesktop(dir.filePath(QStringLiteral("no/such/folder"))), 3);
    EXPECT_EQ(CHyperLink::OpenWithDesktop(QStringLiteral("   ")), 2);
}

}  // namespace
}  // namespace qff
