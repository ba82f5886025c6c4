#include "htmlbox/HtmlTagTable.h"

namespace qff {

namespace {

std::map<QString, HtmlTag> BuildTagTable() {
    std::map<QString, HtmlTag> tags;
    auto add = [&tags](const char* name, int id, const char* group) {
        tags[QString::fromLatin1(name)] = HtmlTag{id, QString::fromLatin1(group)};
    };
    add("b", TAG_BOLD, "bold");
    add("i", TAG_ITALIC, "italic");
    add("em", TAG_ITALIC, "italic");
    add("u", TAG_UNDERLINE, "underline");
    add("s", TAG_STRIKEOUT, "strikeout");
    add("strike", TAG_STRIKEOUT, "strikeout");
    add("font", TAG_FONT, "font");
    add("hr", TAG_HR, "");
    add("br", TAG_BR, "");
    add("\n", TAG_BR, "");
    add("t", TAG_TAB, "");
    add("\t", TAG_TAB, "");
    add("left", TAG_LEFT, "left");
    add("center", TAG_CENTER, "center");
    add("right", TAG_RIGHT, "right");
    add("justify", TAG_JUSTIFY, "justify");
    add("baseline", TAG_BASELINE, "baseline");
    add("top", TAG_TOP, "top");
    add("vcenter", TAG_VCENTER, "vcenter");
    add("middle", TAG_VCENTER, "vcenter");
    add("bottom", TAG_BOTTOM, "vcenter");
    add("bmp", TAG_BMP, "");
    add("icon", TAG_ICON, "");
    add("ilst", TAG_ILST, "");
    add("string", TAG_STRING, "");
    for (const char* rule : {"body", "h1", "h2", "h3", "h4", "h5", "h6", "code", "pre", "big",
                             "small", "sub", "sup"}) {
        add(rule, TAG_STYLE_RULE, rule);
    }
    add("span", TAG_SPAN, "span");
    add("a", TAG_LINK, "link");
    return tags;
}

}  // namespace

const std::map<QString, HtmlTag>& HtmlTagTable() {
    static const std::map<QString, HtmlTag> table = BuildTagTable();
    return table;
}

}  // namespace qff
