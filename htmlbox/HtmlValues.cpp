#include "htmlbox/HtmlValues.h"

#include <algorithm>
#include <cmath>

namespace qff {

namespace {

int ClampLength(double value) {
    if (!(value > 0)) {  // also catches NaN
        return 0;
    }
    return value >= kMaxLength ? kMaxLength : static_cast<int>(value);
}

// Leading decimal number (digits with an optional fraction) of `text`; false when there
// is no digit.
bool LeadingNumber(QStringView text, double& number) {
    int i = 0;
    QString digits;
    while (i < text.size() && (text[i].isDigit() || text[i] == QLatin1Char('.'))) {
        digits += text[i];
        ++i;
    }
    bool ok = false;
    number = digits.toDouble(&ok);
    if (!ok) {
        // "12." and similar: read the integer part alone.
        const int dot = digits.indexOf(QLatin1Char('.'));
        number = digits.left(dot).toDouble(&ok);
    }
    return ok && std::isfinite(number);
}

// Unsigned number with C base rules: "0x" hexadecimal, leading "0" octal, else decimal.
bool UnsignedNumber(QStringView text, quint64& number) {
    int base = 10;
    int i = 0;
    if (text.size() >= 2 && text[0] == QLatin1Char('0') &&
        (text[1] == QLatin1Char('x') || text[1] == QLatin1Char('X'))) {
        base = 16;
        i = 2;
    } else if (!text.isEmpty() && text[0] == QLatin1Char('0')) {
        base = 8;
    }
    const int start = i;
    quint64 value = 0;
    while (i < text.size()) {
        const int digit = QChar(text[i]).isDigit() ? text[i].unicode() - '0'
                          : (base == 16 && text[i].isLetter())
                              ? QChar(text[i]).toLower().unicode() - 'a' + 10
                              : 99;
        if (digit >= base) {
            break;
        }
        if (value > (~quint64(0)) / 16) {
            value = ~quint64(0);  // saturate instead of wrapping
        } else {
            value = value * base + static_cast<quint64>(digit);
        }
        ++i;
    }
    number = value;
    return i > start || (base == 8 && i == start);
}

}  // namespace

int MulDiv(int a, int b, int c) {
    if (c == 0) {
        return 0;
    }
    const long long product = static_cast<long long>(a) * b;
    long long q = product / c;
    const long long r = product % c;
    if (2 * std::llabs(r) >= std::llabs(static_cast<long long>(c))) {
        q += ((product < 0) == (c < 0)) ? 1 : -1;
    }
    return static_cast<int>(std::clamp<long long>(q, INT32_MIN, INT32_MAX));
}

int ParseInteger(const QString& value) {
    QStringView text(value);
    bool negative = false;
    if (!text.isEmpty() && (text[0] == QLatin1Char('-') || text[0] == QLatin1Char('+'))) {
        negative = text[0] == QLatin1Char('-');
        text = text.mid(1);
    }
    quint64 number = 0;
    if (text.isEmpty() || !text[0].isDigit() || !UnsignedNumber(text, number)) {
        return 0;
    }
    const int clamped = static_cast<int>(std::min<quint64>(number, kMaxLength));
    return negative ? -clamped : clamped;
}

quint64 ParseHandle(const QString& value) {
    quint64 number = 0;
    if (value.isEmpty() || !value.at(0).isDigit() || !UnsignedNumber(value, number)) {
        return 0;
    }
    return number;
}

int ParseLength(const QString& value, int current, const LengthContext& context, bool fontSize) {
    if (value.isEmpty()) {
        return current;
    }
    if (value.endsWith(QLatin1Char('%'))) {
        const int percent = ParseInteger(value.left(value.size() - 1));
        return std::clamp(MulDiv(current, percent, 100), 0, kMaxLength);
    }
    QStringView text(value);
    if (text[0] == QLatin1Char('+') || text[0] == QLatin1Char('-')) {
        text = text.mid(1);
    }
    const QString unit = text.size() >= 2 ? text.right(2).toString() : QString();
    static const QStringList kUnits = {"px", "ex", "em", "in", "cm", "mm", "pt", "pc"};
    double number = 0;
    if (!unit.isEmpty() && kUnits.contains(unit)) {
        if (!LeadingNumber(text.left(text.size() - 2), number)) {
            return current;
        }
        const double dpi = context.dpiY;
        if (unit == QLatin1String("px")) {
            return ClampLength(number);
        }
        if (unit == QLatin1String("ex")) {
            return ClampLength(number * context.xHeight);
        }
        if (unit == QLatin1String("em")) {
            return ClampLength(number * context.fontHeight);
        }
        if (unit == QLatin1String("in")) {
            return ClampLength(number * dpi);
        }
        if (unit == QLatin1String("cm")) {
            return ClampLength(number * dpi / 2.54);
        }
        if (unit == QLatin1String("mm")) {
            return ClampLength(number * dpi / 25.4);
        }
        if (unit == QLatin1String("pt")) {
            return ClampLength(number * dpi / 72);
        }
        return ClampLength(number * (context.dpiY / 6));  // "pc", whole pixels per pica
    }
    if (!LeadingNumber(text, number)) {
        return current;
    }
    if (fontSize && number >= 1 && number <= 7 && number == std::floor(number)) {
        static constexpr int kFontSizes[] = {8, 10, 12, 14, 18, 24, 36};
        return kFontSizes[static_cast<int>(number) - 1];
    }
    return ClampLength(number);
}

bool ParseColour(const QString& value, const ColourNameMap& names, ColorRef& colour) {
    if (value.isEmpty()) {
        return false;
    }
    if (value.size() == 7 && value.at(0) == QLatin1Char('#')) {
        bool ok = false;
        const unsigned rgb = value.mid(1).toUInt(&ok, 16);
        if (!ok) {
            return false;
        }
        colour = MakeColorRef((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
        return true;
    }
    if (value.at(0).isDigit()) {
        quint64 number = 0;
        if (!UnsignedNumber(value, number)) {
            return false;
        }
        colour = static_cast<ColorRef>(number & 0x00FFFFFF);
        return true;
    }
    const auto it = names.find(value);
    if (it == names.end()) {
        return false;
    }
    colour = it->second;
    return true;
}

}  // namespace qff
