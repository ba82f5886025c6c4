#include "htmlbox/MessageBoxText.h"

namespace qff {

QString MessageBoxText::Resolve(const StringTable* table, bool builtinOnly) const {
    if (!m_isId) {
        return m_text;
    }
    if (builtinOnly || table == nullptr) {
        return {};
    }
    const auto it = table->find(m_id);
    if (it == table->end()) {
        return {};
    }
    return it->second.left(259);
}

}  // namespace qff
