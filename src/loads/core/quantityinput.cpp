#include "loads/core/quantityinput.h"

#include "app/core/calcutil.h"

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
    return ReadQuantity(text, range, &v) ? text : QStringLiteral("-");
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
