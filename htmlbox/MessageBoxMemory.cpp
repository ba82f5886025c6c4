#include "htmlbox/MessageBoxMemory.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QSettings>

namespace qff {

namespace {

QString ProgramFileName() {
    const QString path = QCoreApplication::applicationFilePath();
    const QString name = QFileInfo(path).fileName();
    return name.isEmpty() ? QStringLiteral("program") : name;
}

}  // namespace

MessageBoxMemory::MessageBoxMemory(const MessageBoxParams& params) {
    m_enabled = (params.style & MBX_DONT_SHOW_AGAIN) != 0 && !params.suppressValuePrefix.isEmpty();
    if (!m_enabled) {
        return;
    }
    m_valueName = params.suppressValuePrefix + QString::number(params.messageId);
    const QString program = ProgramFileName();
    if (params.suppressCompanyKey.isEmpty()) {
        m_organisation = program;
        m_application = QStringLiteral("PPMessageBox");
    } else {
        m_organisation = params.suppressCompanyKey;
        m_application = program;
        m_group = QStringLiteral("PPMessageBox");
    }
}

int MessageBoxMemory::Read() const {
    if (!m_enabled) {
        return 0;
    }
    QSettings settings(QSettings::UserScope, m_organisation, m_application);
    if (settings.status() != QSettings::NoError) {
        return 0;
    }
    if (!m_group.isEmpty()) {
        settings.beginGroup(m_group);
    }
    bool ok = false;
    const uint value = settings.value(m_valueName).toUInt(&ok);
    return ok ? static_cast<int>(value) : 0;
}

void MessageBoxMemory::Write(int answer) const {
    if (!m_enabled) {
        return;
    }
    QSettings settings(QSettings::UserScope, m_organisation, m_application);
    if (!m_group.isEmpty()) {
        settings.beginGroup(m_group);
    }
    settings.setValue(m_valueName, static_cast<uint>(answer));
}

}  // namespace qff
