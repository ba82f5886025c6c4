#pragma once

#include <QString>

#include "htmlbox/MessageBoxParams.h"

namespace qff {

// The "Do not show again" answers, kept in the user's settings. The place mirrors a
// registry key "Software\<company>\<program file name>\PPMessageBox": the first level is
// the settings organisation, the second the application, the rest a group. The value
// name is suppressValuePrefix followed by messageId in decimal.
class MessageBoxMemory {
  public:
    explicit MessageBoxMemory(const MessageBoxParams& params);

    // False when the parameters keep no answer (no MBX_DONT_SHOW_AGAIN or no prefix).
    bool Enabled() const { return m_enabled; }
    // The remembered answer, or 0 when there is none (errors read as none).
    int Read() const;
    // Stores `answer`; errors are ignored, the box has been answered either way.
    void Write(int answer) const;

    const QString& ValueName() const { return m_valueName; }

  private:
    bool m_enabled = false;
    QString m_organisation;
    QString m_application;
    QString m_group;
    QString m_valueName;
};

}  // namespace qff
