#include "app/core/quantityinput.h"

#include "app/core/calcutil.h"
#include "platform/prompt.h"

#include <QCoreApplication>

namespace {

QString Tr(const char* text)
{
    return QCoreApplication::translate("QuantityInput", text);
}

}  // namespace

bool CheckQuantityInput(const QString& field, const QString& text, QuantitySign sign, bool optional)
{
    // "-" is how a list shows a value that was not given; it may come back into the form.
    const QString t = text.trimmed();
    if (t.isEmpty() || t == QLatin1String("-")) {
        if (optional)
            return true;
        Prompt::Message(Tr("%1 값을 입력해 주세요!!!").arg(field));
        return false;
    }
    double v = 0.0;
    const bool number = ReadValue(text, &v);
    if (number && (sign == QuantitySign::Any || (sign == QuantitySign::Positive && v > 0) ||
                   (sign == QuantitySign::NonNegative && v >= 0)))
        return true;
    const char* rule = sign == QuantitySign::Positive      ? "%1 값은 0보다 큰 숫자로 입력해 주세요!!!\n(입력값: %2)"
                       : sign == QuantitySign::NonNegative ? "%1 값은 0 이상의 숫자로 입력해 주세요!!!\n(입력값: %2)"
                                                           : "%1 값은 숫자로 입력해 주세요!!!\n(입력값: %2)";
    Prompt::Message(Tr(rule).arg(field, text));
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
