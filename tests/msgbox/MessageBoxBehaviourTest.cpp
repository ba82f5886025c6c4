// The box as the user meets it: Escape and Close, remembered answers, default button,
// countdowns, More and Report, and a long one-line message.

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QPushButton>
#include <QSettings>
#include <QTest>
#include <QTimer>
#include <vector>

#include "BoxDriver.h"
#include "htmlbox/ShowHtmlMessageBox.h"

namespace qff {
namespace {

using test::DriveBox;

MessageBoxParams Params(std::uint32_t style, const QString& text = "Message") {
    MessageBoxParams params;
    InitMessageBoxParams(params);
    params.caption = "Box";
    params.text = text;
    params.style = style;
    return params;
}

int Show(const MessageBoxParams& params, const std::function<void(CPPMessageBoxTemplate&)>& act) {
    return DriveBox([&] { return ShowHtmlMessageBox(params); }, act);
}

class BeepCounter {
  public:
    BeepCounter() {
        SetMessageBeepHandler([this](std::uint32_t) { ++count; });
    }
    ~BeepCounter() { SetMessageBeepHandler({}); }
    int count = 0;
};

TEST(MessageBoxBehaviour, EscapeOnAnOkBoxGivesCancel) {
    const int result = Show(Params(MB_OK | MBX_SILENT), [](CPPMessageBoxTemplate& box) {
        EXPECT_TRUE(box.CloseEnabled());
        QTest::keyClick(&box, Qt::Key_Escape);
    });
    EXPECT_EQ(result, IDCANCEL);
}

TEST(MessageBoxBehaviour, QuestionIgnoresEscapeAndClose) {
    bool stayedOpen = false;
    const int result =
        Show(Params(MB_YESNO | MB_ICONQUESTION | MBX_SILENT), [&](CPPMessageBoxTemplate& box) {
            EXPECT_FALSE(box.CloseEnabled());
            EXPECT_FALSE(box.windowFlags().testFlag(Qt::WindowCloseButtonHint));
            QTest::keyClick(&box, Qt::Key_Escape);
            EXPECT_FALSE(box.close());
            box.OnCommand(IDCANCEL);
            stayedOpen = box.isVisible();
            QTest::mouseClick(box.Button(IDNO), Qt::LeftButton);
        });
    EXPECT_TRUE(stayedOpen);
    EXPECT_EQ(result, IDNO);
}

TEST(MessageBoxBehaviour, CustomButtonsAreNotCancelledByEscape) {
    MessageBoxParams params = Params(MB_OK | MBX_SILENT);
    params.customButtons = "First\n\nSecond";
    const int result = Show(params, [](CPPMessageBoxTemplate& box) {
        QTest::keyClick(&box, Qt::Key_Escape);
        EXPECT_TRUE(box.isVisible());
        EXPECT_EQ(box.Button(IDX_CUSTOM2)->text(), "Second");
        QTest::mouseClick(box.Button(IDX_CUSTOM2), Qt::LeftButton);
    });
    EXPECT_EQ(result, IDX_CUSTOM2);
}

TEST(MessageBoxBehaviour, DefaultIndexPastTheButtonsSelectsTheFirst) {
    const int result =
        Show(Params(MB_YESNO | MB_DEFBUTTON4 | MBX_SILENT), [](CPPMessageBoxTemplate& box) {
            EXPECT_TRUE(box.Button(IDYES)->isDefault());
            EXPECT_FALSE(box.Button(IDNO)->isDefault());
            EXPECT_TRUE(box.Button(IDYES)->hasFocus() || !box.isActiveWindow());
            box.Button(IDYES)->click();
        });
    EXPECT_EQ(result, IDYES);
}

TEST(MessageBoxBehaviour, RememberedAnswerReturnsAtOnceWithoutASound) {
    MessageBoxParams params = Params(MB_YESNO | MBX_DONT_SHOW_AGAIN);
    params.suppressValuePrefix = "RememberTest";
    params.suppressCompanyKey = "QffTests";
    params.messageId = 7;
    BeepCounter beeps;

    const int first = Show(params, [](CPPMessageBoxTemplate& box) {
        ASSERT_NE(box.CheckBox(), nullptr);
        EXPECT_FALSE(box.CheckBox()->isChecked());
        box.CheckBox()->setChecked(true);
        box.Button(IDNO)->click();
    });
    // The caller did not ask for MBX_CHECKED: the plain id comes back and is stored.
    EXPECT_EQ(first, IDNO);
    EXPECT_EQ(beeps.count, 1);

    bool shown = false;
    const int second = Show(params, [&](CPPMessageBoxTemplate& box) {
        shown = true;
        box.done(-1);
    });
    EXPECT_EQ(second, IDNO);
    EXPECT_FALSE(shown);
    EXPECT_EQ(beeps.count, 1);

    // Another message id has no answer yet.
    params.messageId = 8;
    params.style |= MBX_SILENT;
    const int other = Show(params, [](CPPMessageBoxTemplate& box) { box.Button(IDYES)->click(); });
    EXPECT_EQ(other, IDYES);
}

TEST(MessageBoxBehaviour, CheckedFlagIsAddedOnlyWhenTheCallerSetIt) {
    struct Case {
        std::uint32_t extra;
        bool tick;
        int expected;
    };
    for (const Case& c : {Case{MBX_CHECKED, false, IDOK},
                          Case{MBX_CHECKED, true, IDOK | 0x02000000}, Case{0, true, IDOK}}) {
        // No value prefix: the answer is not kept for later calls.
        MessageBoxParams params = Params(MB_OK | MBX_SILENT | MBX_DONT_SHOW_AGAIN | c.extra);
        const int result = Show(params, [&](CPPMessageBoxTemplate& box) {
            EXPECT_EQ(box.CheckBox()->isChecked(), (c.extra & MBX_CHECKED) != 0);
            box.CheckBox()->setChecked(c.tick);
            box.Button(IDOK)->click();
        });
        EXPECT_EQ(result, c.expected) << std::hex << c.extra << " " << c.tick;
    }
}

TEST(MessageBoxBehaviour, TimeoutCountsDownOnTheDefaultButtonAndPressesIt) {
    MessageBoxParams params = Params(MB_OKCANCEL | MBX_SILENT);
    params.timeoutSeconds = 5;
    std::vector<QString> captions;
    QTimer poll;
    QPushButton* watched = nullptr;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (watched != nullptr && captions.back() != watched->text()) {
            captions.push_back(watched->text());
        }
    });
    const int result = Show(params, [&](CPPMessageBoxTemplate& box) {
        watched = box.Button(IDOK);
        captions.push_back(watched->text());
        EXPECT_TRUE(watched->isEnabled());
        EXPECT_EQ(box.Button(IDCANCEL)->text(), "Cancel");
        poll.start(20);
    });
    poll.stop();
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(captions, (std::vector<QString>{"OK = 5", "OK = 4", "OK = 3", "OK = 2", "OK = 1"}));
}

TEST(MessageBoxBehaviour, DisableSecondsLocksTheDefaultButtonUntilTheEnd) {
    MessageBoxParams params = Params(MB_OKCANCEL | MB_DEFBUTTON2 | MBX_SILENT);
    params.disableSeconds = 2;
    QPointer<CPPMessageBoxTemplate> shown;
    const int result = Show(params, [&](CPPMessageBoxTemplate& box) {
        shown = &box;
        QPushButton* cancel = box.Button(IDCANCEL);
        EXPECT_FALSE(cancel->isEnabled());
        EXPECT_EQ(cancel->text(), "Cancel = 2");
        EXPECT_TRUE(box.Button(IDOK)->isEnabled());
        // A locked Cancel default: Close and Escape wait too.
        EXPECT_FALSE(box.CloseEnabled());
        QTest::keyClick(&box, Qt::Key_Escape);
        EXPECT_TRUE(box.isVisible());
        QTimer::singleShot(2600, &box, [&box, cancel] {
            EXPECT_TRUE(cancel->isEnabled());
            EXPECT_EQ(cancel->text(), "Cancel");
            EXPECT_TRUE(cancel->isDefault());
            EXPECT_TRUE(box.CloseEnabled());
            QTest::keyClick(&box, Qt::Key_Escape);
        });
    });
    EXPECT_EQ(result, IDCANCEL);
}

TEST(MessageBoxBehaviour, CountdownInTheCaptionLocksEveryButtonButHelp) {
    MessageBoxParams params = Params(MB_YESNOCANCEL | MB_HELP | MBX_SILENT);
    params.disableSeconds = 1;
    params.countdownInCaption = true;
    const int result = Show(params, [](CPPMessageBoxTemplate& box) {
        EXPECT_EQ(box.windowTitle(), "Box (1 seconds remaining)");
        for (int id : {IDYES, IDNO, IDCANCEL}) {
            EXPECT_FALSE(box.Button(id)->isEnabled()) << id;
        }
        EXPECT_TRUE(box.Button(IDHELP)->isEnabled());
        EXPECT_FALSE(box.CloseEnabled());
        QTimer::singleShot(1500, &box, [&box] {
            EXPECT_EQ(box.windowTitle(), "Box");
            for (int id : {IDYES, IDNO, IDCANCEL}) {
                EXPECT_TRUE(box.Button(id)->isEnabled()) << id;
            }
            box.Button(IDNO)->click();
        });
    });
    EXPECT_EQ(result, IDNO);
}

TEST(MessageBoxBehaviour, ReportSendsTheMessageToTheOwnerAndStaysOpen) {
    class Owner : public QWidget {
      public:
        int reports = 0;

      protected:
        bool event(QEvent* e) override {
            if (e->type() == static_cast<QEvent::Type>(4321)) {
                ++reports;
                return true;
            }
            return QWidget::event(e);
        }
    } owner;
    MessageBoxParams params = Params(MB_OK | MBX_SILENT);
    params.owner = &owner;
    params.reportMessage = 4321;
    const int result = Show(params, [&](CPPMessageBoxTemplate& box) {
        box.Button(IDX_REPORT)->click();
        box.Button(IDX_REPORT)->click();
        EXPECT_TRUE(box.isVisible());
        box.Button(IDOK)->click();
    });
    EXPECT_EQ(owner.reports, 2);
    EXPECT_EQ(result, IDOK);
}

TEST(MessageBoxBehaviour, OneLineMessageWidensTheBox) {
    const QString words = QStringLiteral(
        "the first half of a message that is long enough, "
        "and the second half of a message that is long enough");
    int oneLine = 0;
    int twoLines = 0;
    int oneLineHeight = 0;
    int twoLinesHeight = 0;
    Show(Params(MB_OK | MBX_SILENT, words), [&](CPPMessageBoxTemplate& box) {
        oneLine = box.width();
        oneLineHeight = box.MessageBandHeight();
        box.done(IDOK);
    });
    QString broken = words;
    broken.replace(QStringLiteral("enough, "), QStringLiteral("enough,<br>"));
    Show(Params(MB_OK | MBX_SILENT, broken), [&](CPPMessageBoxTemplate& box) {
        twoLines = box.width();
        twoLinesHeight = box.MessageBandHeight();
        box.done(IDOK);
    });
    // No maximum width: the box takes the whole line, about twice the broken width.
    EXPECT_GT(oneLine, 500);
    EXPECT_GT(oneLine - 28, (twoLines - 28) * 3 / 2);
    EXPECT_GT(twoLinesHeight, oneLineHeight);
}

}  // namespace
}  // namespace qff
