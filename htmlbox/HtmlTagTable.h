#pragma once

#include <QString>
#include <map>

namespace qff {

// Ids of the markup's tags. Tags with an empty group name are content tags: they act
// where they stand. The others are style tags: they save the style when opened and a
// closing tag restores it only when its group name matches the innermost saved style.
enum HtmlTagId : int {
    TAG_BOLD = 1,
    TAG_ITALIC = 2,
    TAG_UNDERLINE = 3,
    TAG_STRIKEOUT = 4,
    TAG_FONT = 5,
    TAG_HR = 6,
    TAG_BR = 7,
    TAG_TAB = 8,
    TAG_LEFT = 9,
    TAG_CENTER = 10,
    TAG_RIGHT = 11,
    TAG_JUSTIFY = 12,
    TAG_BASELINE = 13,
    TAG_TOP = 14,
    TAG_VCENTER = 15,
    TAG_BOTTOM = 16,
    TAG_BMP = 17,
    TAG_ICON = 18,
    TAG_ILST = 19,
    TAG_STRING = 20,
    TAG_STYLE_RULE = 21,
    TAG_SPAN = 22,
    TAG_LINK = 23,
};

struct HtmlTag {
    int id = 0;
    QString groupName;
};

// Tag names as written (lower case only; matching is exact) to id and group name.
const std::map<QString, HtmlTag>& HtmlTagTable();

}  // namespace qff
