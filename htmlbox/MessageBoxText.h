#pragma once

#include <QString>
#include <map>

namespace qff {

// A string table: texts by number, standing in for a module's string resources.
using StringTable = std::map<int, QString>;

// A text field of the message box parameters: either a text, or the number of an entry
// of a string table (0 ... 0xFFFF). A default-constructed value is the empty text.
class MessageBoxText {
  public:
    MessageBoxText() = default;
    MessageBoxText(const QString& text) : m_text(text) {}  // NOLINT: a text is a text field
    MessageBoxText(const char* text) : m_text(QString::fromUtf8(text)) {}  // NOLINT

    static MessageBoxText FromId(int id) {
        MessageBoxText t;
        t.m_id = id & 0xFFFF;
        t.m_isId = true;
        return t;
    }

    bool IsId() const { return m_isId; }
    int Id() const { return m_id; }
    const QString& Text() const { return m_text; }
    // True for an empty text; an id is never empty until it has been resolved.
    bool IsEmpty() const { return !m_isId && m_text.isEmpty(); }

    // The text itself, or the table's entry for the id: an id that the table lacks (or any
    // id when `builtinOnly`) gives the empty text. A table entry is cut to 259 characters,
    // the buffer texts are loaded into.
    QString Resolve(const StringTable* table, bool builtinOnly) const;

  private:
    QString m_text;
    int m_id = 0;
    bool m_isId = false;
};

}  // namespace qff
