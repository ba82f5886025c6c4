#include "feedback/ActivityLog.h"

#include <QScrollBar>
#include <QTextCharFormat>
#include <QTextCursor>

#include "feedback/CallOnOwnThread.h"

namespace qff {

namespace {

// The log takes Windows line ends from the passes; the document wants "\n".
QString WithPlainLineEnds(QString text) {
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

}  // namespace

ActivityLog::ActivityLog(QWidget* parent) : QTextEdit(parent) {
    setObjectName(QStringLiteral("ActivityLog"));
    setReadOnly(true);
    setAcceptRichText(false);
    setUndoRedoEnabled(false);
    setLineWrapMode(QTextEdit::NoWrap);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    // Bold is the document's default, so every character is bold, whether appended
    // or set as a whole; appends only add their colour.
    QFont bold = document()->defaultFont();
    bold.setBold(true);
    document()->setDefaultFont(bold);
}

QColor ActivityLog::ColourFromColorRef(std::uint32_t colour) {
    return QColor(static_cast<int>(colour & 0xFF), static_cast<int>((colour >> 8) & 0xFF),
                  static_cast<int>((colour >> 16) & 0xFF));
}

void ActivityLog::AppendLogLine(const QString& text, std::uint32_t colour) {
    AppendLogLine(text, ColourFromColorRef(colour));
}

void ActivityLog::AppendLogLine(const QString& text, const QColor& colour) {
    CallOnOwnThread(this, [&] { AppendOnOwnThread(text, colour); });
}

void ActivityLog::SetLogText(const QString& text) {
    CallOnOwnThread(this, [&] { SetTextOnOwnThread(text); });
}

QString ActivityLog::LogText() const {
    return toPlainText();
}

void ActivityLog::AppendOnOwnThread(const QString& text, const QColor& colour) {
    if (text.isEmpty()) {
        return;
    }
    QScrollBar* bar = verticalScrollBar();
    const int fromBottom = bar->maximum() - bar->value();

    // A cursor of our own: the user's selection is left alone and the text always
    // goes to the end.
    QTextCursor cursor(document());
    cursor.movePosition(QTextCursor::End);
    QTextCharFormat format;
    format.setForeground(colour);
    cursor.insertText(WithPlainLineEnds(text), format);

    // Keep the same distance from the end: a reader at the end follows the new lines.
    bar->setValue(bar->maximum() - fromBottom);
}

void ActivityLog::SetTextOnOwnThread(const QString& text) {
    // The edit's own cursor picks up the colour of the last append; neither that nor
    // any earlier colour may leak into the new text.
    document()->clear();
    setCurrentCharFormat(QTextCharFormat());
    QTextCursor cursor(document());
    cursor.insertText(WithPlainLineEnds(text), QTextCharFormat());
    verticalScrollBar()->setValue(0);
}

}  // namespace qff
