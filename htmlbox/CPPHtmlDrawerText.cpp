// Text blocks of CPPHtmlDrawer: tokens, lines, wrapping, tabs and rules.
#include <QPainter>
#include <algorithm>

#include "htmlbox/CPPHtmlDrawer.h"
#include "htmlbox/HtmlTagTable.h"
#include "htmlbox/HtmlTokenizer.h"
#include "htmlbox/WordWrap.h"

namespace qff {

namespace {

constexpr int kMaxCount = 1000;  // largest <br=n> or <t=n> count

// The count of <br=n> and <t=n>: the attribute text without its first character.
int TagCount(const QString& attributes) {
    const QString digits = attributes.mid(1);
    if (digits.isEmpty() || !digits.at(0).isDigit()) {
        return 1;
    }
    return std::clamp(ParseInteger(digits), 0, kMaxCount);
}

QString Transformed(const QString& run, int transform) {
    switch (transform) {
        case 1:
            return run.toUpper();
        case 2:
            return run.toLower();
        case 3: {
            QString result = run.toLower();
            for (int i = 0; i < result.size(); ++i) {
                const QChar c = result.at(i);
                if (c >= QLatin1Char('a') && c <= QLatin1Char('z') &&
                    (i == 0 || result.at(i - 1) == QLatin1Char(' '))) {
                    result[i] = c.toUpper();
                }
            }
            return result;
        }
        default:
            return run;
    }
}

}  // namespace

QSize CPPHtmlDrawer::LayoutTextBlock(const QString& text, int from, int to, const QRect& rect,
                                     int wrapWidth) {
    m_blockLeft = rect.left();
    m_blockWidth = std::max(0, rect.width());
    m_wrapWidth = m_maxWidth > 0 && wrapWidth > 0 ? wrapWidth : 0;
    m_y = rect.top();
    m_measuredWidth = 0;
    const size_t firstLine = m_lines.size();
    StartLine();

    // The block is laid out as "<body>" text "</body>".
    HtmlToken body;
    body.kind = HtmlToken::Tag;
    body.name = QStringLiteral("body");
    HandleTag(body);
    HtmlTokenizer tokenizer(text, from, to);
    // Only the document's own blocks may stop early: lines of a table cell are followed by
    // the cells beside it, which need the replay to go on.
    const bool mayStop = !m_measuring && m_topLevel;
    for (HtmlToken token = tokenizer.Next(); token.kind != HtmlToken::End;
         token = tokenizer.Next()) {
        if (mayStop && m_y > m_visibleBottom) {
            break;
        }
        if (token.kind == HtmlToken::Text) {
            HandleTextRun(token.text);
        } else {
            HandleTag(token);
        }
    }
    body.closing = true;
    HandleTag(body);
    if (m_lineHasContent) {
        EndLine(false, 1);
    }

    int width = m_measuredWidth;
    if (m_measuring) {
        for (size_t i = firstLine; i < m_lines.size(); ++i) {
            if (m_lines[i].percent > 0) {
                const long long grown =
                    m_lines[i].width +
                    static_cast<long long>(m_lines[i].percent) * m_measuredWidth / 100;
                width = std::max<long long>(width, std::min<long long>(grown, kMaxLength));
            }
        }
    }
    return QSize(width, m_y - rect.top());
}

void CPPHtmlDrawer::HandleTag(const HtmlToken& token) {
    const auto& table = HtmlTagTable();
    const auto it = table.find(token.name);
    if (it == table.end()) {
        return;
    }
    const HtmlTag& tag = it->second;
    if (tag.groupName.isEmpty()) {
        switch (tag.id) {
            case TAG_BR:
                EndLine(false, TagCount(token.attributes));
                break;
            case TAG_TAB:
                AdvanceTab(TagCount(token.attributes));
                break;
            case TAG_HR:
                LayoutRule(token.attributes);
                break;
            case TAG_BMP:
            case TAG_ICON:
            case TAG_ILST:
                LayoutImageTag(tag.id, token.attributes);
                break;
            case TAG_STRING:
                LayoutStringTag(token.attributes);
                break;
            default:
                break;
        }
        return;
    }
    if (token.closing) {
        CloseStyleTag(tag.groupName);
    } else {
        OpenStyleTag(tag.groupName, tag.id, token.name, token.attributes);
    }
    m_style.tagName.clear();
    CreateFont();
}

void CPPHtmlDrawer::HandleTextRun(QString run) {
    const QString text = Transformed(run, m_style.textTransform);
    QStringView rest(text);
    while (!rest.isEmpty()) {
        if (!m_measuring && m_topLevel && m_y > m_visibleBottom) {
            return;  // the rest of the run is below what can be seen
        }
        const int size = static_cast<int>(rest.size());
        WrapSplit split{size, size};
        if (m_wrapWidth > 0) {
            const int space = m_wrapWidth - m_lineUsed;
            const auto widthOf = [this, rest](int n) {
                return m_metrics.horizontalAdvance(rest.left(n).toString());
            };
            const int hint = std::max(0, space) / std::max(1, m_metrics.averageCharWidth()) * 2 + 8;
            split = WrapRun(rest, space, !m_lineHasContent, widthOf, hint);
        }
        if (split.pieceLength > 0) {
            LayoutPiece(rest.left(split.pieceLength).toString(), split.restStart < size);
        }
        rest = rest.mid(split.restStart);
        if (!rest.isEmpty()) {
            EndLine(true, 1);
        }
    }
}

void CPPHtmlDrawer::MarkLineContent(int width) {
    m_lineUsed = static_cast<int>(
        std::min<long long>(static_cast<long long>(m_lineUsed) + width, INT32_MAX / 2));
    m_lineHasContent = true;
}

void CPPHtmlDrawer::LayoutPiece(const QString& piece, bool lastOnLine) {
    const int width = m_metrics.horizontalAdvance(piece);
    const int ascent = m_metrics.ascent();
    const int fontHeight = m_metrics.height();
    if (m_measuring) {
        m_line.width = static_cast<int>(
            std::min<long long>(static_cast<long long>(m_line.width) + width, INT32_MAX / 2));
        m_line.align = m_style.textAlign;
        m_line.spaceCount += static_cast<int>(piece.count(QLatin1Char(' ')));
        m_line.descent = std::max(m_line.descent, fontHeight - ascent);
        m_line.height = std::max(m_line.height, ascent);
        MarkLineContent(width);
        return;
    }

    QString shown = piece;
    if (lastOnLine) {
        while (shown.endsWith(QLatin1Char(' '))) {
            shown.chop(1);
        }
    }
    int top = m_y;
    switch (m_style.verticalAlign) {
        case 1:
            top = m_y + (m_line.height - fontHeight) / 2;
            break;
        case 2:
            top = m_y + m_line.height - ascent;
            break;
        case 3:
            top = m_y + m_line.height - ascent - m_line.descent;
            break;
        default:
            break;
    }

    // Split at spaces when the line is justified, each space taking its share of the gap.
    std::vector<std::pair<QString, int>> segments;
    int drawnWidth = 0;
    if (m_justifySpaces > 0 && shown.contains(QLatin1Char(' '))) {
        int start = 0;
        for (int i = 0; i < shown.size(); ++i) {
            if (shown.at(i) == QLatin1Char(' ') && m_justifySpaces > 0) {
                const int share = m_justifyExtra / m_justifySpaces;
                m_justifyExtra -= share;
                --m_justifySpaces;
                const QString segment = shown.mid(start, i - start + 1);
                const int advance = m_metrics.horizontalAdvance(segment) + share;
                segments.emplace_back(segment, advance);
                drawnWidth += advance;
                start = i + 1;
            }
        }
        const QString tail = shown.mid(start);
        const int advance = m_metrics.horizontalAdvance(tail);
        segments.emplace_back(tail, advance);
        drawnWidth += advance;
    } else {
        drawnWidth = m_metrics.horizontalAdvance(shown);
        segments.emplace_back(shown, drawnWidth);
    }

    if (m_style.backMode == TextStyle::kBackOpaque) {
        m_dc->fillRect(QRect(m_x, top, drawnWidth, fontHeight), ToQColor(m_style.backColour));
    }
    m_dc->setPen(ToQColor(m_style.textColour));
    int x = m_x;
    for (const auto& [segment, advance] : segments) {
        m_dc->drawText(QPoint(x, top + ascent), segment);
        x += advance;
    }
    if (m_style.overline && drawnWidth > 0) {
        const int thickness = m_style.fontWeight >= 700 ? 2 : 1;
        m_dc->fillRect(QRect(m_x, top, drawnWidth, thickness), ToQColor(m_style.textColour));
    }
    if (m_style.linkKind != 0) {
        m_links.push_back(LinkArea{QRect(m_x, top, drawnWidth, fontHeight), m_style.linkKind,
                                   m_linkCounter, m_style.linkTarget});
    }
    m_x += std::max(drawnWidth, width);
    MarkLineContent(width);
}

void CPPHtmlDrawer::StartLine() {
    m_lineHasContent = false;
    m_lineUsed = 0;
    m_x = m_blockLeft;
    m_justifyExtra = 0;
    m_justifySpaces = 0;
    if (m_measuring) {
        m_line = LineInfo{};
        m_line.align = m_style.textAlign;
        return;
    }
    m_line = m_lineIndex < static_cast<int>(m_lines.size()) ? m_lines[m_lineIndex] : LineInfo{};
    const int lineWidth = m_line.width + MulDiv(m_line.percent, m_blockWidth, 100);
    const int free = std::max(0, m_blockWidth - lineWidth);
    if (m_line.align == 1) {
        m_x += free / 2;
    } else if (m_line.align == 2) {
        m_x += free;
    } else if (m_line.align == 3 && m_line.justify) {
        m_justifyExtra = free;
        m_justifySpaces = m_line.spaceCount;
    }
}

void CPPHtmlDrawer::EndLine(bool justify, int count) {
    if (m_measuring) {
        if (m_line.height == 0) {
            m_line.height = m_metrics.height();
        }
        m_line.height += m_line.descent;
        m_line.justify = justify;
        m_measuredWidth = std::max(m_measuredWidth, m_line.width);
        m_lines.push_back(m_line);
        m_y += count * m_line.height;
    } else {
        const int height = m_line.height > 0 ? m_line.height : m_metrics.height();
        m_y += count * height;
        ++m_lineIndex;
    }
    StartLine();
}

void CPPHtmlDrawer::AdvanceTab(int count) {
    if (m_tabWidth <= 0) {
        return;
    }
    const long long from = m_lineUsed;
    long long to = from;
    if (from % m_tabWidth != 0) {
        to = (from / m_tabWidth + 1) * m_tabWidth;
        count = std::max(0, count - 1);
    }
    to += static_cast<long long>(count) * m_tabWidth;
    const int advance = static_cast<int>(std::min<long long>(to - from, kMaxLength));
    if (m_measuring) {
        m_line.width += advance;
    }
    m_x += advance;
    MarkLineContent(advance);
}

void CPPHtmlDrawer::LayoutRule(const QString& attributes) {
    const TextStyle saved = m_style;
    ApplyRule(QStringLiteral("hr"));
    int percent = 100;
    bool isPercent = true;
    int length = 0;
    int size = 1;
    ColorRef colour = m_style.textColour;
    const LengthContext context = CurrentLengthContext();
    for (const auto& [name, value] : ReadAttributes(attributes)) {
        if (name == QLatin1String("width")) {
            if (value.endsWith(QLatin1Char('%'))) {
                isPercent = true;
                percent = std::clamp(ParseInteger(value.left(value.size() - 1)), 0, kMaxLength);
            } else {
                isPercent = false;
                length = ParseLength(value, 0, context);
            }
        } else if (name == QLatin1String("size")) {
            size = std::min(ParseLength(value, size, context), 1000);
        } else if (name == QLatin1String("color")) {
            SetColour(colour, value);
        }
    }
    m_style = saved;

    const int layoutWidth = isPercent ? 1 : length;
    if (m_measuring) {
        if (isPercent) {
            m_line.percent = std::min(m_line.percent + percent, kMaxLength);
        }
        m_line.width += layoutWidth;
        m_line.height = std::max(m_line.height, size + 8);
        m_line.align = m_style.textAlign;
    } else {
        const int width = isPercent ? MulDiv(percent, m_blockWidth, 100) : length;
        if (size > 0 && width > 0) {
            const int middle = m_y + m_line.height / 2;
            m_dc->fillRect(QRect(m_x, middle - size / 2, width, size), ToQColor(colour));
        }
        m_x += width;
    }
    MarkLineContent(layoutWidth);
}

}  // namespace qff
