#include "htmlbox/HtmlEntities.h"

namespace qff {

const std::map<QString, QString>& HtmlEntities() {
    static const std::map<QString, QString> entities = {
        {QStringLiteral("&amp;"), QStringLiteral("&")},
        {QStringLiteral("&bull;"), QString(QChar(0x2022))},
        {QStringLiteral("&copy;"), QString(QChar(0x00A9))},
        {QStringLiteral("&euro;"), QString(QChar(0x20AC))},
        {QStringLiteral("&gt;"), QStringLiteral(">")},
        {QStringLiteral("&iquest;"), QString(QChar(0x00BF))},
        {QStringLiteral("&lt;"), QStringLiteral("<<")},
        {QStringLiteral("&nbsp;"), QStringLiteral(" ")},
        {QStringLiteral("&para;"), QString(QChar(0x00B6))},
        {QStringLiteral("&pound;"), QString(QChar(0x00A3))},
        {QStringLiteral("&quot;"), QStringLiteral("\"")},
        {QStringLiteral("&reg;"), QString(QChar(0x00AE))},
        {QStringLiteral("&trade;"), QString(QChar(0x2122))},
    };
    return entities;
}

QString ReplaceEntities(const QString& text) {
    QString result = text;
    if (!result.contains(QLatin1Char('&'))) {
        return result;
    }
    for (const auto& [entity, replacement] : HtmlEntities()) {
        result.replace(entity, replacement);
    }
    return result;
}

}  // namespace qff
