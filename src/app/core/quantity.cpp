#include "app/core/quantity.h"

#include "platform/prompt.h"

#include <QCoreApplication>
#include <QRegularExpression>

namespace {

bool IsBlank(QStringView text)
{
    const QStringView t = text.trimmed();
    return t.isEmpty() || t == u"-";
}

}  // namespace

bool ReadQuantity(QStringView text, QuantitySign sign, double* out)
{
    double v = 0.0;
    if (!ReadValue(text, &v))
        return false;
    const bool fits = sign == QuantitySign::Any ? true
                      : sign == QuantitySign::Positive ? v > 0.0
                                                       : v >= 0.0;
    if (!fits)
        return false;
    *out = v + 0.0;  // a typed "-0" is plain 0
    return true;
}

double QuantityOr(QStringView text, QuantitySign sign, double otherwise)
{
    double v = otherwise;
    return ReadQuantity(text, sign, &v) ? v : otherwise;
}

double CellQuantity(QStringView text, QuantitySign sign, double blank)
{
    return IsBlank(text) ? blank : QuantityOr(text, sign);
}

QString QuantityText(const QString& text, QuantitySign sign)
{
    if (text.isEmpty())
        return text;
    double v = 0.0;
    if (!ReadQuantity(text, sign, &v))
        return QStringLiteral("-");
    // A zero stored with a minus ("-0", "-0.00") is shown as the 0 it is, never as a negative.
    const QString t = text.trimmed();
    if (v == 0.0 && t.startsWith(QLatin1Char('-')))
        return t.mid(1);
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
    const QString shown = QuantityText(text, QuantitySign::NonNegative);
    return shown == QLatin1String("-") ? refused : shown;
}

QString QuantityRefusal(const QString& field, QuantitySign sign)
{
    switch (sign) {
    case QuantitySign::Positive:
        return QCoreApplication::translate(
                   "Quantity", "%1 값은 0보다 큰 숫자여야 합니다. 값을 확인하시기 바랍니다.")
            .arg(field);
    case QuantitySign::NonNegative:
        return QCoreApplication::translate(
                   "Quantity", "%1 값은 0 이상의 숫자여야 합니다. 값을 확인하시기 바랍니다.")
            .arg(field);
    case QuantitySign::Any:
        break;
    }
    return QCoreApplication::translate("Quantity", "%1 값은 숫자여야 합니다. 값을 확인하시기 바랍니다.")
        .arg(field);
}

QString CheckQuantityField(const QString& text, const QString& field, QuantitySign sign)
{
    double v = 0.0;
    return ReadQuantity(text, sign, &v) ? QString() : QuantityRefusal(field, sign);
}

bool CheckQuantityInput(const QString& field, const QString& text, QuantitySign sign, bool optional)
{
    // "-" is how a list shows a value that was not given; it may come back into the form.
    if (optional && IsBlank(text))
        return true;
    const QString message = CheckQuantityField(text, field, sign);
    if (message.isEmpty())
        return true;
    Prompt::Message(message);
    return false;
}

bool CheckQuantityInputs(std::initializer_list<QuantityField> fields)
{
    for (const QuantityField& f : fields) {
        if (!CheckQuantityInput(f.label, f.text, f.sign, f.optional))
            return false;
    }
    return true;
}
