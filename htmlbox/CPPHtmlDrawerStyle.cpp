// Styles of CPPHtmlDrawer: style tags, style-sheet rules, tag attributes and fonts.
#include <QPainter>
#include <QRegularExpression>
#include <algorithm>

#include "htmlbox/CPPHtmlDrawer.h"
#include "htmlbox/HtmlTagTable.h"
#include "htmlbox/HtmlTokenizer.h"

namespace qff {

namespace {

// Index of `value` in `names`, or -1.
int IndexOf(const QString& value, std::initializer_list<const char*> names) {
    int i = 0;
    for (const char* name : names) {
        if (value == QLatin1String(name)) {
            return i;
        }
        ++i;
    }
    return -1;
}

}  // namespace

LengthContext CPPHtmlDrawer::CurrentLengthContext() const {
    LengthContext context;
    context.fontHeight = m_metrics.height();
    context.xHeight = m_metrics.height();  // the extent height of the text "x"
    context.dpiY = m_dpiY;
    return context;
}

void CPPHtmlDrawer::SetColour(ColorRef& field, const QString& value) {
    if (!m_enabled) {
        field = m_disabledColour;
        return;
    }
    ParseColour(value, m_colourNames, field);
}

void CPPHtmlDrawer::OpenStyleTag(const QString& group, int id, const QString& name,
                                 const QString& attributes) {
    if (static_cast<int>(m_styleStack.size()) >= kMaxStyleDepth) {
        return;  // too deep: the tag has no effect and its closing tag finds no match
    }
    m_style.tagName = group;
    m_styleStack.push_back(m_style);
    switch (id) {
        case TAG_BOLD:
            m_style.fontWeight = std::min(m_style.fontWeight * 2, 900);
            break;
        case TAG_ITALIC:
            m_style.italic = !m_style.italic;
            break;
        case TAG_UNDERLINE:
            m_style.underline = !m_style.underline;
            break;
        case TAG_STRIKEOUT:
            m_style.strikeout = !m_style.strikeout;
            break;
        case TAG_FONT:
            ApplyFontAttributes(attributes);
            break;
        case TAG_LEFT:
        case TAG_CENTER:
        case TAG_RIGHT:
        case TAG_JUSTIFY:
            m_style.textAlign = id - TAG_LEFT;
            break;
        case TAG_BASELINE:
            m_style.verticalAlign = 3;
            break;
        case TAG_TOP:
            m_style.verticalAlign = 0;
            break;
        case TAG_VCENTER:
            m_style.verticalAlign = 1;
            break;
        case TAG_BOTTOM:
            m_style.verticalAlign = 2;
            break;
        case TAG_STYLE_RULE:
            ApplyRule(name);
            break;
        case TAG_SPAN:
            for (const auto& [attribute, value] : ReadAttributes(attributes)) {
                if (attribute == QLatin1String("class")) {
                    ApplyRule(QLatin1Char('.') + value);
                }
            }
            break;
        case TAG_LINK:
            ApplyLinkAttributes(attributes);
            break;
        default:
            break;
    }
}

void CPPHtmlDrawer::CloseStyleTag(const QString& group) {
    m_style.tagName = group;
    if (!m_styleStack.empty() && m_styleStack.back().tagName == group) {
        m_style = std::move(m_styleStack.back());
        m_styleStack.pop_back();
    }
}

void CPPHtmlDrawer::ApplyFontAttributes(const QString& attributes) {
    const LengthContext context = CurrentLengthContext();
    for (const auto& [name, value] : ReadAttributes(attributes)) {
        if (name == QLatin1String("face")) {
            if (!value.isEmpty()) {
                m_style.fontFace = value;
            }
        } else if (name == QLatin1String("size")) {
            m_style.fontSize = ParseLength(value, m_style.fontSize, context, true);
        } else if (name == QLatin1String("color")) {
            SetColour(m_style.textColour, value);
        } else if (name == QLatin1String("weight")) {
            ApplyDeclaration(QStringLiteral("font-weight"), value.toLower());
        } else if (name == QLatin1String("bkgnd")) {
            if (!m_enabled || value == QLatin1String("transparent")) {
                m_style.backMode = TextStyle::kBackTransparent;
            } else {
                m_style.backMode = TextStyle::kBackOpaque;
                ParseColour(value, m_colourNames, m_style.backColour);
            }
        } else if (name == QLatin1String("style")) {
            bool on = true;
            for (const QChar c : value) {
                switch (c.unicode()) {
                    case '-':
                        on = false;
                        continue;
                    case '+':
                        on = true;
                        continue;
                    case 'b':
                        m_style.fontWeight = on ? 700 : 400;
                        break;
                    case 'i':
                        m_style.italic = on;
                        break;
                    case 'o':
                        m_style.overline = on;
                        break;
                    case 's':
                        m_style.strikeout = on;
                        break;
                    case 'u':
                        m_style.underline = on;
                        break;
                    default:
                        break;
                }
                on = true;
            }
        }
    }
}

void CPPHtmlDrawer::ApplyLinkAttributes(const QString& attributes) {
    m_style.linkKind = 2;
    m_style.linkTarget.clear();
    for (const auto& [name, value] : ReadAttributes(attributes)) {
        if (name == QLatin1String("href")) {
            m_style.linkKind = 1;
            m_style.linkTarget = value;
        } else if (name == QLatin1String("msg")) {
            m_style.linkKind = 2;
            m_style.linkTarget = value;
        }
    }
    ++m_linkCounter;
    ApplyRule(m_linkCounter == m_hoverLink ? QStringLiteral("a:hover") : QStringLiteral("a:link"));
}

void CPPHtmlDrawer::ApplyRule(const QString& selector) {
    const QString* declarations = m_styleSheet.Find(selector);
    if (declarations == nullptr) {
        return;
    }
    for (const auto& [name, value] : ReadDeclarations(*declarations)) {
        ApplyDeclaration(name, value);
    }
}

void CPPHtmlDrawer::ApplyDeclaration(const QString& name, const QString& value) {
    TextStyle& s = m_style;
    if (name == QLatin1String("font-size")) {
        s.fontSize = ParseLength(value, s.fontSize, CurrentLengthContext(), true);
    } else if (name == QLatin1String("font-family")) {
        if (!value.isEmpty()) {
            s.fontFace = value;
        }
    } else if (name == QLatin1String("font-style")) {
        if (value.isEmpty() || value == QLatin1String("normal")) {
            s.italic = false;
        } else if (value == QLatin1String("italic") || value == QLatin1String("oblique")) {
            s.italic = true;
        }
    } else if (name == QLatin1String("font-weight")) {
        const int known = IndexOf(value, {"", "normal", "bold", "bolder", "lighter"});
        static constexpr int kWeights[] = {400, 400, 700, 900, 100};
        if (known >= 0) {
            s.fontWeight = kWeights[known];
        } else if (!value.isEmpty() && value.at(0).isDigit()) {
            s.fontWeight = std::clamp(ParseInteger(value), 1, 1000);
        }
    } else if (name == QLatin1String("text-align")) {
        const int known = IndexOf(value, {"", "left", "center", "right", "justify"});
        if (known >= 0) {
            s.textAlign = std::max(0, known - 1);
        }
    } else if (name == QLatin1String("text-transform")) {
        const int known = IndexOf(value, {"", "none", "uppercase", "lowercase", "capitalize"});
        if (known >= 0) {
            s.textTransform = std::max(0, known - 1);
        }
    } else if (name == QLatin1String("color")) {
        SetColour(s.textColour, value);
    } else if (name == QLatin1String("background-color")) {
        if (!m_enabled || value == QLatin1String("transparent")) {
            s.backMode = TextStyle::kBackTransparent;
        } else {
            s.backMode = TextStyle::kBackOpaque;
            ParseColour(value, m_colourNames, s.backColour);
        }
    } else if (name == QLatin1String("text-decoration")) {
        const QStringList words =
            value.split(QRegularExpression(QStringLiteral("[ ,]")), Qt::SkipEmptyParts);
        if (words.isEmpty()) {
            s.underline = s.strikeout = s.overline = false;
        }
        for (const QString& word : words) {
            if (word == QLatin1String("none")) {
                s.underline = s.strikeout = s.overline = false;
            } else if (word == QLatin1String("underline")) {
                s.underline = true;
            } else if (word == QLatin1String("line-through")) {
                s.strikeout = true;
            } else if (word == QLatin1String("overline")) {
                s.overline = true;
            }
        }
    } else if (name == QLatin1String("vertical-align")) {
        const int known = IndexOf(value, {"", "baseline", "middle", "vcenter", "top", "bottom"});
        static constexpr int kAligns[] = {3, 3, 1, 1, 0, 2};
        if (known >= 0) {
            s.verticalAlign = kAligns[known];
        }
    } else if (name == QLatin1String("border-color")) {
        SetColour(s.borderLightColour, value);
        SetColour(s.borderDarkColour, value);
    } else if (name == QLatin1String("border-width") || name == QLatin1String("size")) {
        if (value == QLatin1String("thin")) {
            s.borderWidth = MulDiv(s.borderWidth, 75, 100);
        } else if (value == QLatin1String("thick")) {
            s.borderWidth = std::min(MulDiv(s.borderWidth, 125, 100), kMaxLength);
        } else if (value != QLatin1String("medium")) {
            s.borderWidth = ParseLength(value, s.borderWidth, CurrentLengthContext());
        }
        if (s.borderWidth == 0) {
            s.borderStyle = 0;
        } else if (s.borderStyle == 0) {
            s.borderStyle = 1;
        }
    } else if (name == QLatin1String("border-style")) {
        const int known = IndexOf(value, {"", "none", "solid", "dotted", "dashed", "double"});
        static constexpr int kStyles[] = {0, 0, 1, 3, 2, 6};
        if (known >= 0) {
            s.borderStyle = kStyles[known];
            if (s.borderStyle != 0 && s.borderWidth == 0) {
                s.borderWidth = 1;
            }
        }
    } else if (name == QLatin1String("margin")) {
        s.cellPadding = ParseLength(value, s.cellPadding, CurrentLengthContext());
    } else if (name == QLatin1String("padding")) {
        s.cellSpacing = ParseLength(value, s.cellSpacing, CurrentLengthContext());
    }
}

void CPPHtmlDrawer::CreateFont() {
    const int pixels = std::clamp(m_style.fontSize, 1, kMaxFontPixels);
    const int weight = std::clamp(m_style.fontWeight, 1, 1000);
    const QString key = QStringLiteral("%1|%2|%3|%4%5%6")
                            .arg(m_style.fontFace)
                            .arg(pixels)
                            .arg(weight)
                            .arg(int(m_style.italic))
                            .arg(int(m_style.underline))
                            .arg(int(m_style.strikeout));
    if (key != m_fontKey) {
        m_fontKey = key;
        m_font = QFont(m_style.fontFace);
        m_font.setPixelSize(pixels);
        m_font.setWeight(static_cast<QFont::Weight>(weight));
        m_font.setItalic(m_style.italic);
        m_font.setUnderline(m_style.underline);
        m_font.setStrikeOut(m_style.strikeout);
        m_metrics = QFontMetrics(m_font, m_dc != nullptr ? m_dc->device() : nullptr);
    }
    if (m_dc != nullptr) {
        m_dc->setFont(m_font);
        m_dc->setPen(ToQColor(m_style.textColour));
        // Opaque text backgrounds are filled by LayoutPiece itself.
        m_dc->setBackgroundMode(Qt::TransparentMode);
    }
}

}  // namespace qff
