#pragma once

#include <QString>
#include <utility>
#include <vector>

namespace qff {

// One piece of markup: a run of text or a tag.
struct HtmlToken {
    enum Kind { End, Text, Tag };
    Kind kind = End;
    QString text;        // the run, with "<<" and a final "<" turned into "<"
    QString name;        // tag name without the "/" of a closing tag
    QString attributes;  // what follows the name, leading spaces removed
    bool closing = false;
};

// Splits markup into text runs and tags. "<<" and a "<" at the very end stand for a
// literal "<"; a "<" with no ">" after it is dropped. Each character is looked at a
// bounded number of times, so a megabyte of text tokenizes in linear time.
class HtmlTokenizer {
  public:
    explicit HtmlTokenizer(const QString& text, int from = 0, int to = -1);

    HtmlToken Next();

  private:
    int FindGreater(int from);

    const QString& m_text;
    int m_pos;
    int m_end;
    int m_nextGreater = -2;  // cached position of the next ">", -1 when there is none
};

using HtmlAttribute = std::pair<QString, QString>;

// Reads name/value pairs from the attribute text of a tag: a name starts at a letter,
// digit or "." and runs to a space or "="; a value follows an "=", quoted with ' or " or
// running to the next space. A name without "=" has an empty value.
std::vector<HtmlAttribute> ReadAttributes(const QString& attributeText);

}  // namespace qff
