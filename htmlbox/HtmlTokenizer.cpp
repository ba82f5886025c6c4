#include "htmlbox/HtmlTokenizer.h"

namespace qff {

HtmlTokenizer::HtmlTokenizer(const QString& text, int from, int to)
    : m_text(text), m_pos(from), m_end(to < 0 || to > text.size() ? text.size() : to) {}

int HtmlTokenizer::FindGreater(int from) {
    if (m_nextGreater == -1 || (m_nextGreater >= from && m_nextGreater != -2)) {
        return m_nextGreater;
    }
    m_nextGreater = m_text.indexOf(QLatin1Char('>'), from);
    if (m_nextGreater >= m_end) {
        m_nextGreater = -1;
    }
    return m_nextGreater;
}

HtmlToken HtmlTokenizer::Next() {
    HtmlToken token;
    QString run;
    while (m_pos < m_end) {
        int lt = m_text.indexOf(QLatin1Char('<'), m_pos);
        if (lt < 0 || lt >= m_end) {
            run += QStringView(m_text).mid(m_pos, m_end - m_pos);
            m_pos = m_end;
            break;
        }
        run += QStringView(m_text).mid(m_pos, lt - m_pos);
        if (lt + 1 >= m_end) {
            run += QLatin1Char('<');
            m_pos = m_end;
            break;
        }
        if (m_text.at(lt + 1) == QLatin1Char('<')) {
            run += QLatin1Char('<');
            m_pos = lt + 2;
            continue;
        }
        const int gt = FindGreater(lt + 1);
        if (gt < 0) {
            m_pos = lt + 1;  // the "<" is dropped
            continue;
        }
        if (!run.isEmpty()) {
            m_pos = lt;  // deliver the run first, the tag on the next call
            break;
        }
        QString tag = m_text.mid(lt + 1, gt - lt - 1);
        m_pos = gt + 1;
        int split = 0;
        while (split < tag.size() && tag.at(split) != QLatin1Char(' ') &&
               tag.at(split) != QLatin1Char('=')) {
            ++split;
        }
        token.kind = HtmlToken::Tag;
        token.name = tag.left(split);
        int attrStart = split;
        while (attrStart < tag.size() && tag.at(attrStart) == QLatin1Char(' ')) {
            ++attrStart;
        }
        token.attributes = tag.mid(attrStart);
        if (token.name.startsWith(QLatin1Char('/'))) {
            token.closing = true;
            token.name.remove(0, 1);
        }
        return token;
    }
    if (!run.isEmpty()) {
        token.kind = HtmlToken::Text;
        token.text = run;
    }
    return token;
}

namespace {

bool StartsName(QChar c) {
    return c.isLetterOrNumber() || c == QLatin1Char('.');
}

}  // namespace

std::vector<HtmlAttribute> ReadAttributes(const QString& text) {
    std::vector<HtmlAttribute> attributes;
    const int n = text.size();
    int i = 0;
    while (i < n) {
        while (i < n && !StartsName(text.at(i))) {
            ++i;
        }
        if (i >= n) {
            break;
        }
        const int nameStart = i;
        while (i < n && text.at(i) != QLatin1Char(' ') && text.at(i) != QLatin1Char('=')) {
            ++i;
        }
        QString name = text.mid(nameStart, i - nameStart);
        while (i < n && text.at(i) == QLatin1Char(' ')) {
            ++i;
        }
        QString value;
        if (i < n && text.at(i) == QLatin1Char('=')) {
            while (i < n && (text.at(i) == QLatin1Char(' ') || text.at(i) == QLatin1Char('='))) {
                ++i;
            }
            if (i < n && (text.at(i) == QLatin1Char('"') || text.at(i) == QLatin1Char('\''))) {
                const QChar quote = text.at(i);
                const int valueStart = ++i;
                while (i < n && text.at(i) != quote) {
                    ++i;
                }
                value = text.mid(valueStart, i - valueStart);
                if (i < n) {
                    ++i;
                }
            } else {
                const int valueStart = i;
                while (i < n && text.at(i) != QLatin1Char(' ')) {
                    ++i;
                }
                value = text.mid(valueStart, i - valueStart);
            }
        }
        attributes.emplace_back(std::move(name), std::move(value));
    }
    return attributes;
}

}  // namespace qff
