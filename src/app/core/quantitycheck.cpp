#include "app/core/quantitycheck.h"

#include "app/core/calcutil.h"
#include "loads/core/quantityinput.h"
#include "platform/prompt.h"

#include <QCoreApplication>

bool CheckQuantityInput(const QString& field, const QString& text, QuantitySign sign, bool optional)
{
    // "-" is how a list shows a value that was not given; it may come back into the form.
    const QString t = text.trimmed();
    if (optional && (t.isEmpty() || t == QLatin1String("-")))
        return true;
    // One wording on every screen: the load schedules' refusal of a quantity out of range.
    QString message;
    if (sign == QuantitySign::Any) {
        double v = 0.0;
        if (!ReadValue(text, &v))
            message = QCoreApplication::translate("QuantityCheck", "%1 값은 숫자여야 합니다. 값을 확인하시기 바랍니다.")
                          .arg(field);
    } else {
        message = CheckQuantityField(text, field,
                                     sign == QuantitySign::Positive ? QuantityRange::Positive
                                                                    : QuantityRange::NonNegative);
    }
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
