#include "htmlbox/CssStyleSheet.h"

namespace qff {

namespace {

bool StartsName(QChar c) {
    return c.isLetterOrNumber() || c == QLatin1Char('.');
}

}  // namespace

void CssStyleSheet::AddRules(const QString& text) {
    const int n = text.size();
    int i = 0;
    while (i < n) {
        while (i < n && !StartsName(text.at(i))) {
            ++i;
        }
        if (i >= n) {
            return;
        }
        const int selectorStart = i;
        while (i < n && text.at(i) != QLatin1Char(' ') && text.at(i) != QLatin1Char('{')) {
            ++i;
        }
        const QString selector = text.mid(selectorStart, i - selectorStart).toLower();
        const int open = text.indexOf(QLatin1Char('{'), i);
        if (open < 0) {
            return;
        }
        const int close = text.indexOf(QLatin1Char('}'), open + 1);
        if (close < 0) {
            return;
        }
        m_rules[selector] = text.mid(open + 1, close - open - 1);
        i = close + 1;
    }
}

const QString* CssStyleSheet::Find(const QString& selector) const {
    const auto it = m_rules.find(selector.toLower());
    return it == m_rules.end() ? nullptr : &it->second;
}

std::vector<CssDeclaration> ReadDeclarations(const QString& declarations) {
    const QString text = declarations.toLower();
    std::vector<CssDeclaration> result;
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
        while (i < n && text.at(i) != QLatin1Char(' ') && text.at(i) != QLatin1Char(':')) {
            ++i;
        }
        const QString name = text.mid(nameStart, i - nameStart);
        while (i < n && text.at(i) == QLatin1Char(' ')) {
            ++i;
        }
        if (i >= n || text.at(i) != QLatin1Char(':')) {
            break;
        }
        ++i;
        while (i < n && text.at(i) == QLatin1Char(' ')) {
            ++i;
        }
        QString value;
        if (i < n && text.at(i) == QLatin1Char('"')) {
            const int valueStart = ++i;
            while (i < n && text.at(i) != QLatin1Char('"')) {
                ++i;
            }
            value = text.mid(valueStart, i - valueStart);
            while (i < n && text.at(i) != QLatin1Char(';')) {
                ++i;
            }
        } else {
            const int valueStart = i;
            while (i < n && text.at(i) != QLatin1Char(';')) {
                ++i;
            }
            value = text.mid(valueStart, i - valueStart);
            while (value.endsWith(QLatin1Char(' '))) {
                value.chop(1);
            }
        }
        result.emplace_back(name, value);
    }
    return result;
}

}  // namespace qff
