#include "loads/core/quantityinput.h"

#include "app/core/calcutil.h"

#include <QRegularExpression>

bool ReadQuantity(QStringView text, QuantityRange range, double* out)
{
    double v = 0.0;
    if (!ReadValue(text, &v))
        return false;
    const bool inRange = range == QuantityRange::Positive ? v > 0.0 : v >= 0.0;
    if (!inRange)
        return false;
    *out = v + 0.0;  // a typed "-0" is plain 0
    return true;
}

double QuantityOrNoValue(QStringView text, QuantityRange range)
{
    double v = NO_VALUE;
    return ReadQuantity(text, range, &v) ? v : NO_VALUE;
}

QString QuantityText(const QString& text, QuantityRange range)
{
    if (text.isEmpty())
        return text;
    double v = 0.0;
    if (!ReadQuantity(text, range, &v))
        return QStringLiteral("-");
    // A zero stored with a minus ("-0", "-0.00") is shown as the 0 it is, never as a negative.
    if (v == 0.0) {
        const QString t = text.trimmed();
        if (t.startsWith(QLatin1Char('-')))
            return t.mid(1);
    }
    return text;
}

QString LabelText(const QString& text, const QString& refused)
{
    // What the C library would read as a number from the whole text: decimals with an optional
    // sign and exponent, nan and inf in every spelling, hexadecimal.
    static const QRegularExpression number(
        QStringLiteral(R"(^\s*[+-]?(?:(?:\d+\.?\d*|\.\d+)(?:e[+-]?\d+)?|inf(?:inity)?|)"
                       R"(nan(?:\(\w*\))?|0x(?:[0-9a-f]+\.?[0-9a-f]*|\.[0-9a-f]+)(?:p[+-]?\d+)?)\s*$)"),
        QRegularExpression::CaseInsensitiveOption);
    if (text.isEmpty() || !number.match(text).hasMatch())
        return text;
    const QString shown = QuantityText(text, QuantityRange::NonNegative);
    return shown == QLatin1String("-") ? refused : shown;
}

QString CheckQuantityField(const QString& text, const QString& field, QuantityRange range)
{
    double v = 0.0;
    if (ReadQuantity(text, range, &v))
        return QString();
    return range == QuantityRange::Positive
               ? QStringLiteral("%1 값은 0보다 큰 숫자여야 합니다. 값을 확인하시기 바랍니다.").arg(field)
               : QStringLiteral("%1 값은 0 이상의 숫자여야 합니다. 값을 확인하시기 바랍니다.").arg(field);
}
