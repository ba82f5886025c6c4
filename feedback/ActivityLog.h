#pragma once

#include <QColor>
#include <QString>
#include <QTextEdit>
#include <cstdint>

namespace qff {

// The large read-only log pane of the main view. Every character is bold; each
// appended piece of text keeps its own colour. The user can select text but never
// change it. There is no length limit.
//
// Both operations may be called from any thread: from a thread other than the
// widget's own, the call is carried out on the widget's thread and the caller
// waits for it, so lines appear in the order of the calls.
class ActivityLog : public QTextEdit {
    Q_OBJECT

  public:
    explicit ActivityLog(QWidget* parent = nullptr);

    // Appends text at the very end of the log in the given colour, whatever the user
    // has selected, and scrolls so that the new end is visible. colour is
    // 0x00BBGGRR. "\r\n" and a lone "\r" count as one line break; text without a
    // line end is continued by the next append on the same line.
    void AppendLogLine(const QString& text, std::uint32_t colour);
    void AppendLogLine(const QString& text, const QColor& colour);

    // Replaces the whole log text; the new text is bold in the default text colour.
    void SetLogText(const QString& text);

    // The log text with "\n" between lines.
    QString LogText() const;

    // 0x00BBGGRR to a toolkit colour.
    static QColor ColourFromColorRef(std::uint32_t colour);

  private:
    void AppendOnOwnThread(const QString& text, const QColor& colour);
    void SetTextOnOwnThread(const QString& text);
};

}  // namespace qff
