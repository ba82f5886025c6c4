#pragma once

#include <QString>
#include <map>

namespace qff {

// The 13 character entities and their replacements, ordered by entity text. "&lt;"
// becomes "<<", the markup's escape of a literal "<".
const std::map<QString, QString>& HtmlEntities();

// Replaces every entity, taking them in ascending order of their text, so "&amp;lt;"
// ends up as "<<". Unknown entities stay as they are. Linear in the text per entity.
QString ReplaceEntities(const QString& text);

}  // namespace qff
