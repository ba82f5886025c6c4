#include "feedback/ActivityLog.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QThread>
#include <QtTest/QTest>

namespace qff {
namespace {

// What the reader sees at one character: the font weight and the colour it is drawn in.
struct Look {
    bool bold;
    QColor colour;
};

Look LookAt(const ActivityLog& log, int position) {
    QTextCursor cursor(log.document());
    cursor.setPosition(position + 1);  // the format of the character before the cursor
    const QTextCharFormat format = cursor.charFormat();
    const QFont font = format.font().resolve(log.document()->defaultFont());
    const QColor colour = format.hasProperty(QTextFormat::ForegroundBrush)
                              ? format.foreground().color()
                              : log.palette().color(QPalette::Text);
    return {font.bold(), colour};
}

TEST(ActivityLog, EachAppendKeepsItsColourAndEverythingIsBold) {
    ActivityLog log;
    struct Case {
        const char* text;
        std::uint32_t colour;
        QColor expected;
    };
    const Case cases[] = {
        {"/a/x.odf file is open....\r\n", 0x000000, QColor(0, 0, 0)},
        {"/a/x.odf  Repaired....\r\n", 0x009900, QColor(0, 153, 0)},
        {"/a/x.odf not saved....\r\n", 0x0000FF, QColor(255, 0, 0)},
    };
    for (const Case& c : cases) {
        log.AppendLogLine(QString::fromLatin1(c.text), c.colour);
    }
    ASSERT_EQ(log.LogText(),
              "/a/x.odf file is open....\n/a/x.odf  Repaired....\n/a/x.odf not saved....\n");
    for (int line = 0; line < 3; ++line) {
        const QTextBlock block = log.document()->findBlockByNumber(line);
        for (int pos = block.position(); pos < block.position() + block.length() - 1; ++pos) {
            const Look look = LookAt(log, pos);
            EXPECT_TRUE(look.bold) << "line " << line << " position " << pos;
            EXPECT_EQ(look.colour, cases[line].expected) << "line " << line << " position " << pos;
        }
    }
}

TEST(ActivityLog, TextWithoutLineEndIsContinuedOnTheSameLine) {
    ActivityLog log;
    log.AppendLogLine(QStringLiteral("/a/x.odf"), 0x000000u);
    log.AppendLogLine(QStringLiteral(" not repaired....\r\n"), 0x0000FFu);
    log.AppendLogLine(QStringLiteral("________\r\n\r\n"), 0x000000u);
    EXPECT_EQ(log.LogText(), "/a/x.odf not repaired....\n________\n\n");
    EXPECT_EQ(LookAt(log, 0).colour, QColor(0, 0, 0));
    EXPECT_EQ(LookAt(log, 8).colour, QColor(255, 0, 0));
}

TEST(ActivityLog, EmptyTextChangesNothing) {
    ActivityLog log;
    log.AppendLogLine(QStringLiteral("line\r\n"), 0x009900u);
    const int blocks = log.document()->blockCount();
    log.AppendLogLine(QString(), 0x0000FFu);
    log.AppendLogLine(QStringLiteral(""), 0x0000FFu);
    EXPECT_EQ(log.LogText(), "line\n");
    EXPECT_EQ(log.document()->blockCount(), blocks);
}

TEST(ActivityLog, AppendGoesToTheEndWhateverTheUserSelected) {
    ActivityLog log;
    log.AppendLogLine(QStringLiteral("first line\r\nsecond line\r\n"), 0x000000u);
    QTextCursor selection(log.document());
    selection.setPosition(2);
    selection.setPosition(8, QTextCursor::KeepAnchor);  // "rst li"
    log.setTextCursor(selection);

    log.AppendLogLine(QStringLiteral("third\r\n"), 0x009900u);

    EXPECT_EQ(log.LogText(), "first line\nsecond line\nthird\n");
    EXPECT_EQ(LookAt(log, 2).colour, QColor(0, 0, 0)) << "the selected text was recoloured";
    EXPECT_EQ(LookAt(log, 23).colour, QColor(0, 153, 0));
}

TEST(ActivityLog, ReplacedTextIsBoldInTheDefaultColour) {
    ActivityLog log;
    log.AppendLogLine(QStringLiteral("red\r\n"), 0x0000FFu);
    log.AppendLogLine(QStringLiteral("green\r\n"), 0x009900u);
    log.SetLogText(QStringLiteral("Select .odf file(s) to Repair...."));
    EXPECT_EQ(log.LogText(), "Select .odf file(s) to Repair....");
    for (int pos = 0; pos < 33; ++pos) {
        const Look look = LookAt(log, pos);
        EXPECT_TRUE(look.bold);
        EXPECT_EQ(look.colour, log.palette().color(QPalette::Text));
    }
    // And appends after a replacement are coloured again.
    log.AppendLogLine(QStringLiteral("\r\nok\r\n"), 0x009900u);
    EXPECT_EQ(LookAt(log, 34).colour, QColor(0, 153, 0));
}

TEST(ActivityLog, ReaderAtTheEndFollowsNewLines) {
    ActivityLog log;
    log.resize(300, 120);
    log.show();
    QScrollBar* bar = log.verticalScrollBar();
    for (int i = 0; i < 60; ++i) {
        log.AppendLogLine(QStringLiteral("line %1\r\n").arg(i), 0x000000u);
        ASSERT_EQ(bar->value(), bar->maximum()) << "after line " << i;
    }
    EXPECT_GT(bar->maximum(), 0);

    // A reader who scrolled back keeps the same distance from the end.
    bar->setValue(bar->maximum() / 2);
    const int fromEnd = bar->maximum() - bar->value();
    log.AppendLogLine(QStringLiteral("more\r\n"), 0x000000u);
    EXPECT_EQ(bar->maximum() - bar->value(), fromEnd);
}

TEST(ActivityLog, LinesFromAWorkerThreadArriveInOrder) {
    ActivityLog log;
    QThread* worker = QThread::create([&log] {
        for (int i = 0; i < 200; ++i) {
            log.AppendLogLine(QStringLiteral("%1\r\n").arg(i), i % 2 ? 0x009900u : 0x0000FFu);
        }
    });
    worker->start();
    QTRY_VERIFY_WITH_TIMEOUT(worker->isFinished(), 20000);
    delete worker;

    QString expected;
    for (int i = 0; i < 200; ++i) {
        expected += QStringLiteral("%1\n").arg(i);
    }
    EXPECT_EQ(log.LogText(), expected);
    const QTextBlock last = log.document()->findBlockByNumber(199);
    EXPECT_EQ(LookAt(log, last.position()).colour, QColor(0, 153, 0));
}

TEST(ActivityLog, MegabyteLineIsKeptWhole) {
    ActivityLog log;
    log.resize(400, 200);
    log.show();
    const QString huge(1 << 20, QLatin1Char('x'));
    log.AppendLogLine(huge + QStringLiteral("\r\n"), 0x000000u);
    log.AppendLogLine(QStringLiteral("after\r\n"), 0x009900u);
    QApplication::processEvents();
    EXPECT_EQ(log.LogText().size(), (1 << 20) + 1 + 6);
    EXPECT_TRUE(log.LogText().endsWith(QStringLiteral("x\nafter\n")));
}

}  // namespace
}  // namespace qff
