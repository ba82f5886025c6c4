#pragma once

#include <QFile>
#include <QString>
#include <filesystem>
#include <string>

namespace qff {

// The one place where the window's texts meet the engine's: file names and the texts
// of the passes travel as the system's 8-bit file-name encoding (UTF-8 here), so any
// name the file system gave us goes to the engine unchanged and comes back the same.
inline std::string ToEngineText(const QString& text) {
    return QFile::encodeName(text).toStdString();
}

inline QString FromEngineText(const std::string& text) {
    return QFile::decodeName(QByteArray::fromStdString(text));
}

inline std::filesystem::path ToEnginePath(const QString& path) {
    return std::filesystem::path(ToEngineText(path));
}

inline QString FromEnginePath(const std::filesystem::path& path) {
    return FromEngineText(path.native());
}

// A path or name put into a notice, which is markup: "<" and "&" are escaped so the
// text shows as it is.
inline QString EscapeMarkup(QString text) {
    text.replace(QLatin1Char('&'), QStringLiteral("&amp;"));
    text.replace(QLatin1Char('<'), QStringLiteral("&lt;"));
    return text;
}

}  // namespace qff
