#include "feedback/HintBox.h"

#include <QTextCharFormat>
#include <QTextCursor>

#include "feedback/CallOnOwnThread.h"

namespace qff {

HintBox::HintBox(QWidget* parent) : QTextEdit(parent) {
    setObjectName(QStringLiteral("HintBox"));
    setReadOnly(true);
    setAcceptRichText(false);
    setUndoRedoEnabled(false);
    setFrameShape(QFrame::NoFrame);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setLineWrapMode(QTextEdit::NoWrap);
    setTextInteractionFlags(Qt::NoTextInteraction);
    setFocusPolicy(Qt::NoFocus);
    // The view's painted background shows around the text.
    setAttribute(Qt::WA_TranslucentBackground);
    viewport()->setAutoFillBackground(false);
    setStyleSheet(QStringLiteral("QTextEdit { background: transparent; }"));

    QFont font(QStringLiteral("Arial"));
    font.setPointSize(9);
    font.setBold(false);
    font.setItalic(false);
    font.setUnderline(false);
    font.setStrikeOut(false);
    document()->setDefaultFont(font);
    document()->setDocumentMargin(1);
}

QString HintBox::HintText(Hint hint) {
    switch (hint) {
        case HintStart:
            return QStringLiteral(
                "Click Select files to select .odf file(s) to repair.\n"
                "Click Repair files to see the preview of the .odf file(s).");
        case HintRepairing:
            return QStringLiteral("Please wait while .odf file(s) are Repairing....");
        case HintRepaired:
            return QStringLiteral(
                "Click item in the list to see the preview in right side.\n"
                "Click Browse folder to select destination path.\n"
                "Click Save.... to save .odf file(s)");
        case HintSaving:
            return QStringLiteral("Please wait while .odf file(s) are saving....");
        case HintSaved:
            return QStringLiteral(
                "Saving of .odf file(s) completed....\n"
                " Click exit to end the application or \n"
                "Select new .odf file(s) to repair....");
    }
    return {};
}

std::vector<HintBox::Range> HintBox::BoldRanges(Hint hint, StartForm form) {
    switch (hint) {
        case HintStart:
            if (form == StartForm::AfterRemoval) {
                return {{6, 18}, {29, 33}, {59, 71}, {98, 102}, {83, 90}};
            }
            return {{6, 18}, {29, 33}, {59, 71}, {98, 102}};
        case HintRepairing:
        case HintSaving:
            return {{19, 30}};
        case HintRepaired:
            return {{6, 22}, {63, 76}, {111, 119}, {128, 132}};
        case HintSaved:
            return {{11, 22}};
    }
    return {};
}

void HintBox::ShowHint(Hint hint, StartForm form) {
    CallOnOwnThread(this, [&] { ShowOnOwnThread(hint, form); });
}

void HintBox::ShowOnOwnThread(Hint hint, StartForm form) {
    current_ = hint;
    setPlainText(HintText(hint));

    QTextCharFormat bold;
    bold.setFontWeight(QFont::Bold);
    QTextCursor cursor(document());
    const int end = document()->characterCount() - 1;
    for (const Range& range : BoldRanges(hint, form)) {
        cursor.setPosition(std::min(range.first, end));
        cursor.setPosition(std::min(range.second, end), QTextCursor::KeepAnchor);
        cursor.mergeCharFormat(bold);
    }
}

}  // namespace qff
