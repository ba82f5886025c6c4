#pragma once

#include <QString>
#include <map>
#include <utility>
#include <vector>

namespace qff {

// The renderer's style sheet: selector (lower case) to the declaration text of its rule.
class CssStyleSheet {
  public:
    // Reads rules "selector {declarations}" from `text`; a rule replaces an earlier rule of
    // the same selector. Text without a complete rule is ignored.
    void AddRules(const QString& text);

    // The declaration text of `selector` (looked up in lower case), or nullptr.
    const QString* Find(const QString& selector) const;

    const std::map<QString, QString>& Rules() const { return m_rules; }

  private:
    std::map<QString, QString> m_rules;
};

using CssDeclaration = std::pair<QString, QString>;

// Splits declaration text into name/value pairs after lower-casing it. A value runs to
// the next ";" (trailing spaces removed) or lies between double quotes. A name that is
// not followed by a colon ends the reading.
std::vector<CssDeclaration> ReadDeclarations(const QString& declarations);

}  // namespace qff
