// The button row worked out from the parameters: sets, custom buttons, default index,
// the Cancel rule and the caption rules.

#include <gtest/gtest.h>

#include <vector>

#include "htmlbox/MessageBoxButtons.h"

namespace qff {
namespace {

std::vector<int> Ids(const MessageBoxButtonRow& row) {
    std::vector<int> ids;
    for (const MessageBoxButton& button : row.buttons) {
        ids.push_back(button.id);
    }
    return ids;
}

MessageBoxParams Params(std::uint32_t style) {
    MessageBoxParams params;
    InitMessageBoxParams(params);
    params.style = style;
    return params;
}

struct SetCase {
    const char* name;
    std::uint32_t style;
    std::vector<int> ids;
    bool cancelAllowed;
};

class ButtonSetTest : public ::testing::TestWithParam<SetCase> {};

TEST_P(ButtonSetTest, RowAndCancelRule) {
    const SetCase& c = GetParam();
    const MessageBoxButtonRow row = BuildButtonRow(Params(c.style));
    EXPECT_EQ(Ids(row), c.ids);
    EXPECT_EQ(row.cancelAllowed, c.cancelAllowed);
}

INSTANTIATE_TEST_SUITE_P(
    Sets, ButtonSetTest,
    ::testing::Values(
        SetCase{"Ok", MB_OK, {IDOK}, true},
        SetCase{"OkCancel", MB_OKCANCEL, {IDOK, IDCANCEL}, true},
        SetCase{"AbortRetryIgnore", MB_ABORTRETRYIGNORE, {IDABORT, IDRETRY, IDIGNORE}, false},
        SetCase{"YesNoCancel", MB_YESNOCANCEL, {IDYES, IDNO, IDCANCEL}, true},
        SetCase{"YesNo", MB_YESNO, {IDYES, IDNO}, false},
        SetCase{"RetryCancel", MB_RETRYCANCEL, {IDRETRY, IDCANCEL}, true},
        SetCase{
            "CancelTryContinue", MB_CANCELTRYCONTINUE, {IDCANCEL, IDTRYAGAIN, IDCONTINUE}, true},
        SetCase{"ContinueAbort", MBX_CONTINUEABORT, {IDCONTINUE, IDABORT}, false},
        SetCase{
            "SkipSkipAllCancel", MBX_SKIPSKIPALLCANCEL, {IDX_SKIP, IDX_SKIPALL, IDCANCEL}, true},
        SetCase{"IgnoreIgnoreAllCancel",
                MBX_IGNOREIGNOREALLCANCEL,
                {IDIGNORE, IDX_IGNOREALL, IDCANCEL},
                true},
        SetCase{"YesNoCancelToAll",
                MB_YESNOCANCEL | MBX_YES_TO_ALL | MBX_NO_TO_ALL,
                {IDYES, IDX_YESTOALL, IDNO, IDX_NOTOALL, IDCANCEL},
                true},
        SetCase{"YesNoYesToAll", MB_YESNO | MBX_YES_TO_ALL, {IDYES, IDX_YESTOALL, IDNO}, false},
        SetCase{"OkCancelIgnoresToAll", MB_OKCANCEL | MBX_YES_TO_ALL, {IDOK, IDCANCEL}, true},
        SetCase{"YesNoHelp", MB_YESNO | MB_HELP, {IDYES, IDNO, IDHELP}, false},
        // A set beyond 9 has no buttons; a box must still be closable.
        SetCase{"UnknownSetFallsBackToOk", 0xA, {IDOK}, true},
        SetCase{"UnknownSetWithOnlyHelpStillGetsOk", 0xA | MB_HELP, {IDOK, IDHELP}, true}),
    [](const auto& info) { return std::string(info.param.name); });

struct CustomCase {
    const char* name;
    const char* custom;
    std::vector<int> ids;
    std::vector<QString> captions;
};

class CustomButtonTest : public ::testing::TestWithParam<CustomCase> {};

TEST_P(CustomButtonTest, PiecesBecomeButtons) {
    const CustomCase& c = GetParam();
    MessageBoxParams params = Params(MB_YESNOCANCEL);
    params.customButtons = c.custom;
    const MessageBoxButtonRow row = BuildButtonRow(params);
    EXPECT_EQ(Ids(row), c.ids);
    std::vector<QString> captions;
    for (const MessageBoxButton& button : row.buttons) {
        captions.push_back(button.caption);
    }
    EXPECT_EQ(captions, c.captions);
    // Own buttons replace the set, and Escape never picks one of them.
    EXPECT_FALSE(row.cancelAllowed && row.custom);
}

INSTANTIATE_TEST_SUITE_P(
    Custom, CustomButtonTest,
    ::testing::Values(
        CustomCase{"EmptyPieceSkipped", "Keep\n\nDrop", {23, 24}, {"Keep", "Drop"}},
        CustomCase{"CarriageReturnsRemoved", "A\r\nB\r\n", {23, 24}, {"A", "B"}},
        CustomCase{"FifthPieceIgnored", "1\n2\n3\n4\n5", {23, 24, 25, 26}, {"1", "2", "3", "4"}},
        CustomCase{"OnlyEmptyPiecesGiveOk", "\n\n", {IDOK}, {"OK"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(MessageBoxButtons, CustomButtonsNeverAllowCancel) {
    MessageBoxParams params = Params(MB_OK);
    params.customButtons = "Go";
    EXPECT_FALSE(BuildButtonRow(params).cancelAllowed);
}

TEST(MessageBoxButtons, ReportNeedsAnOwnerAndMoreNeedsText) {
    MessageBoxParams params = Params(MB_OK);
    params.reportMessage = 1234;
    params.moreText = "details";
    EXPECT_EQ(Ids(BuildButtonRow(params)), (std::vector<int>{IDOK, IDX_MORE}));
    QWidget owner;
    params.owner = &owner;
    EXPECT_EQ(Ids(BuildButtonRow(params)), (std::vector<int>{IDOK, IDX_REPORT, IDX_MORE}));
}

TEST(MessageBoxButtons, DefaultIndexPastTheEndMeansTheFirst) {
    struct Case {
        std::uint32_t style;
        int count;
        int expected;
    };
    for (const Case& c :
         {Case{MB_DEFBUTTON1, 2, 0}, Case{MB_DEFBUTTON2, 2, 1}, Case{MB_DEFBUTTON3, 2, 0},
          Case{MB_DEFBUTTON4, 2, 0}, Case{MB_DEFBUTTON4, 4, 3}, Case{0xF00, 5, 0}}) {
        EXPECT_EQ(DefaultButtonIndex(c.style, c.count), c.expected) << std::hex << c.style;
    }
    EXPECT_EQ(BuildButtonRow(Params(MB_YESNO | MB_DEFBUTTON4)).defaultIndex, 0);
}

TEST(MessageBoxButtons, CaptionRules) {
    const StringTable table{{9001, "Okay"}, {9007, "Ja"}, {500, "Nein"}};
    const ButtonTextMap texts{{IDNO, MessageBoxText::FromId(500)},
                              {IDCANCEL, "Stop"},
                              {IDRETRY, MessageBoxText::FromId(777)}};
    MessageBoxParams params = Params(MB_OK);
    EXPECT_EQ(ResolveCaption(params, IDOK), "OK");
    EXPECT_EQ(ResolveCaption(params, IDX_MORE), "More >>");
    EXPECT_EQ(ResolveCaption(params, IDX_CHECKBOX), "Do not show again");

    params.stringInstance = &table;
    params.buttonTexts = &texts;
    EXPECT_EQ(ResolveCaption(params, IDOK), "Okay");      // string table
    EXPECT_EQ(ResolveCaption(params, IDYES), "Ja");       // string table
    EXPECT_EQ(ResolveCaption(params, IDNO), "Nein");      // map entry by id
    EXPECT_EQ(ResolveCaption(params, IDCANCEL), "Stop");  // map entry as text
    EXPECT_EQ(ResolveCaption(params, IDRETRY), "Retry");  // map id that does not load
    EXPECT_EQ(ResolveCaption(params, IDX_CUSTOM1, "Go"), "Go");

    params.style |= MBX_BUILTIN_TEXTS;
    EXPECT_EQ(ResolveCaption(params, IDOK), "OK");
    EXPECT_EQ(ResolveCaption(params, IDNO), "No");        // the map's id is not loaded either
    EXPECT_EQ(ResolveCaption(params, IDCANCEL), "Stop");  // a map text still counts
}

TEST(MessageBoxButtons, TextIdsResolveThroughTheTable) {
    const StringTable table{{42, QString(300, QLatin1Char('x'))}};
    EXPECT_EQ(MessageBoxText::FromId(42).Resolve(&table, false).size(), 259);
    EXPECT_EQ(MessageBoxText::FromId(42).Resolve(&table, true), "");
    EXPECT_EQ(MessageBoxText::FromId(43).Resolve(&table, false), "");
    EXPECT_EQ(MessageBoxText::FromId(42).Resolve(nullptr, false), "");
    EXPECT_EQ(MessageBoxText("plain").Resolve(nullptr, true), "plain");
}

}  // namespace
}  // namespace qff
