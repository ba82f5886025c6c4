#include "app/CXEditPrompt.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QtTest/QTest>

namespace qff {
namespace {

// Pixels inside the frame that differ from the edit's base colour.
QList<QColor> Ink(CXEditPrompt& edit) {
    const QImage image = edit.grab().toImage();
    const QColor base = edit.palette().color(QPalette::Base);
    QList<QColor> ink;
    for (int y = 4; y < image.height() - 4; ++y) {
        for (int x = 6; x < image.width() - 6; ++x) {
            const QColor c = image.pixelColor(x, y);
            if (c != base) {
                ink << c;
            }
        }
    }
    return ink;
}

class EditPrompt : public ::testing::Test {
  protected:
    void SetUp() override {
        edit.resize(360, 28);
        edit.ChangePrompt(
            QStringLiteral("<Please select valid path to save repaired Math file(s)>"));
        edit.SetPromptColour(QColor(158, 158, 158));
        edit.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&edit));
    }
    CXEditPrompt edit;
};

TEST_F(EditPrompt, PromptIsGreyAndReadsAsEmpty) {
    EXPECT_TRUE(edit.PromptShowing());
    EXPECT_TRUE(edit.text().isEmpty());
    const QList<QColor> ink = Ink(edit);
    ASSERT_GT(ink.size(), 50);
    // Antialiased text never gets darker than its own colour.
    for (const QColor& c : ink) {
        ASSERT_GE(c.red(), 150) << "darker than the prompt colour";
    }
}

TEST_F(EditPrompt, FirstKeyEndsThePromptBeforeTheCharacterGoesIn) {
    QTest::keyClick(&edit, Qt::Key_D);
    EXPECT_FALSE(edit.PromptShowing());
    EXPECT_EQ(edit.text(), "d");
}

TEST_F(EditPrompt, AnyMouseButtonEndsThePromptWithAnEmptyField) {
    for (const Qt::MouseButton button : {Qt::LeftButton, Qt::RightButton, Qt::MiddleButton}) {
        CXEditPrompt fresh;
        fresh.resize(200, 28);
        fresh.show();
        QTest::mousePress(&fresh, button, {}, QPoint(20, 14));
        EXPECT_FALSE(fresh.PromptShowing()) << button;
        EXPECT_TRUE(fresh.text().isEmpty()) << button;
        QTest::mouseRelease(&fresh, button, {}, QPoint(20, 14));
    }
}

TEST_F(EditPrompt, SetTextKeepsThePromptForNothingButARealText) {
    struct Case {
        const char* name;
        QString text;
        bool promptAfter;
        QString content;
    };
    const Case cases[] = {
        {"null", QString(), true, QString()},
        {"empty", QStringLiteral(""), true, QString()},
        {"the prompt itself", edit.PromptText(), true, QString()},
        {"a path", QStringLiteral("/home/user/out"), false, QStringLiteral("/home/user/out")},
    };
    for (const Case& c : cases) {
        CXEditPrompt fresh;
        fresh.ChangePrompt(edit.PromptText());
        fresh.SetText(c.text);
        EXPECT_EQ(fresh.PromptShowing(), c.promptAfter) << c.name;
        EXPECT_EQ(fresh.text(), c.content) << c.name;
    }
}

TEST_F(EditPrompt, PromptNeverComesBack) {
    QTest::keyClick(&edit, Qt::Key_A);
    QTest::keyClick(&edit, Qt::Key_Backspace);
    ASSERT_TRUE(edit.text().isEmpty());
    EXPECT_FALSE(edit.PromptShowing());
    edit.clearFocus();
    // Only the caret may be left; no prompt text.
    EXPECT_LT(Ink(edit).size(), 40);
}

TEST_F(EditPrompt, ChangePrompt) {
    edit.ChangePrompt(QStringLiteral("<Enter a folder>"));
    EXPECT_TRUE(edit.PromptShowing());
    EXPECT_EQ(edit.placeholderText(), "<Enter a folder>");
    edit.ChangePrompt(QString());
    EXPECT_FALSE(edit.PromptShowing());
    EXPECT_LT(Ink(edit).size(), 40);
}

}  // namespace
}  // namespace qff
