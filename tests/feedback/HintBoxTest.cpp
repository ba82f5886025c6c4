#include "feedback/HintBox.h"

#include <gtest/gtest.h>

#include <QFontInfo>
#include <QTextBlock>

namespace qff {
namespace {

// The bold runs of the shown text, in document order, with "\n" for a line break.
QStringList BoldRuns(const HintBox& box) {
    QStringList runs;
    QString run;
    for (QTextBlock block = box.document()->begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (fragment.charFormat().fontWeight() >= QFont::Bold) {
                run += fragment.text();
            } else if (!run.isEmpty()) {
                runs << run;
                run.clear();
            }
        }
        if (!run.isEmpty()) {
            runs << run;
            run.clear();
        }
    }
    return runs;
}

struct HintCase {
    const char* name;
    HintBox::Hint hint;
    HintBox::StartForm form;
    QString text;
    QStringList bold;
};

class HintBoxShows : public ::testing::TestWithParam<HintCase> {};

TEST_P(HintBoxShows, ExactTextWithItsBoldWords) {
    const HintCase& c = GetParam();
    HintBox box;
    box.ShowHint(c.hint, c.form);
    EXPECT_EQ(box.toPlainText(), c.text);
    EXPECT_EQ(BoldRuns(box), c.bold);
    EXPECT_EQ(box.CurrentHint(), c.hint);
}

INSTANTIATE_TEST_SUITE_P(
    AllHints, HintBoxShows,
    ::testing::Values(
        HintCase{"StartAtStartUp",
                 HintBox::HintStart,
                 HintBox::StartForm::AtStartUp,
                 "Click Select files to select .odf file(s) to repair.\n"
                 "Click Repair files to see the preview of the .odf file(s).",
                 {"Select files", ".odf", "Repair files", ".odf"}},
        HintCase{"StartAfterRemoval",
                 HintBox::HintStart,
                 HintBox::StartForm::AfterRemoval,
                 "Click Select files to select .odf file(s) to repair.\n"
                 "Click Repair files to see the preview of the .odf file(s).",
                 {"Select files", ".odf", "Repair files", "preview", ".odf"}},
        HintCase{"Repairing",
                 HintBox::HintRepairing,
                 HintBox::StartForm::AtStartUp,
                 "Please wait while .odf file(s) are Repairing....",
                 {"odf file(s)"}},
        HintCase{"Repaired",
                 HintBox::HintRepaired,
                 HintBox::StartForm::AtStartUp,
                 "Click item in the list to see the preview in right side.\n"
                 "Click Browse folder to select destination path.\n"
                 "Click Save.... to save .odf file(s)",
                 {"item in the list", "Browse folder", "Save....", ".odf"}},
        HintCase{"Saving",
                 HintBox::HintSaving,
                 HintBox::StartForm::AtStartUp,
                 "Please wait while .odf file(s) are saving....",
                 {"odf file(s)"}},
        HintCase{"Saved",
                 HintBox::HintSaved,
                 HintBox::StartForm::AtStartUp,
                 "Saving of .odf file(s) completed....\n Click exit to end the application or \n"
                 "Select new .odf file(s) to repair....",
                 {"odf file(s)"}},
        // The second form only changes HintStart.
        HintCase{"SavedAfterRemovalForm",
                 HintBox::HintSaved,
                 HintBox::StartForm::AfterRemoval,
                 "Saving of .odf file(s) completed....\n Click exit to end the application or \n"
                 "Select new .odf file(s) to repair....",
                 {"odf file(s)"}}),
    [](const ::testing::TestParamInfo<HintCase>& info) { return std::string(info.param.name); });

TEST(HintBox, NextHintDropsTheBoldOfThePreviousOne) {
    HintBox box;
    box.ShowHint(HintBox::HintRepaired);
    box.ShowHint(HintBox::HintSaving);
    EXPECT_EQ(BoldRuns(box), QStringList{"odf file(s)"});
}

TEST(HintBox, RegularTextIsArialNinePoint) {
    HintBox box;
    box.ShowHint(HintBox::HintStart);
    const QTextCharFormat first = box.document()->begin().begin().fragment().charFormat();
    const QFont font = first.font().resolve(box.document()->defaultFont());
    EXPECT_EQ(font.family(), "Arial");
    EXPECT_EQ(font.pointSize(), 9);
    EXPECT_FALSE(font.bold());
    EXPECT_FALSE(font.italic());
    EXPECT_FALSE(font.underline());
}

}  // namespace
}  // namespace qff
