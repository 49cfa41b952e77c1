#pragma once
// The one reader of the quantities the program is given: typed into a screen, stored in a
// project or companion workbook, or read back from a list. Each quantity has a sign rule; a
// text that is no strict number (ReadValue) of that sign is no value: it never becomes a
// figure, the lists echo it as "-", and the screens refuse it with one message naming the field.
#include "app/core/calcutil.h"

#include <QString>
#include <QStringView>

#include <initializer_list>

enum class QuantitySign {
    Positive,     // lengths, loads, voltages, impedances, resistivities, factors ...
    NonNegative,  // where 0 means "none" (a demand factor, a spare load, an NGR, a rod count)
    Any,          // temperatures, and figures that may be negative
};

// The value of a quantity text of its sign; false, with *out untouched, for an empty text,
// "-", anything the strict reader refuses (nan, inf, "12,5", 1e308) and a value of the wrong
// sign. A "-0" reads as plain 0.
bool ReadQuantity(QStringView text, QuantitySign sign, double* out);

// The value, or `otherwise` (NO_VALUE unless given) for any text ReadQuantity refuses.
double QuantityOr(QStringView text, QuantitySign sign, double otherwise = NO_VALUE);

// A list cell where an entry left open counts as `blank`: the empty text and "-" (blanks
// around it ignored) give `blank`, anything else as QuantityOr(text, sign).
double CellQuantity(QStringView text, QuantitySign sign, double blank);

// A stored quantity as the driver, the lists and the result pages echo it: the text itself
// when it holds a quantity of its sign (a zero stored with a minus, "-0", without it), the
// text unchanged when blank, "-" otherwise, so that no nonsense is shown as a figure.
QString QuantityText(const QString& text, QuantitySign sign);

// A stored label (a schedule row's No., a circuit's NO.) as the driver echoes it: a label such
// as "LED1", "PNL" or "A-1" as it stands; a text that reads as a number ("12", "nan", "-5",
// "1e308", 21 digits) as QuantityText echoes a number of at least 0, except that a number it
// refuses gives `refused` instead of "-" where the caller has a better mark.
QString LabelText(const QString& text, const QString& refused = QStringLiteral("-"));

// The message refusing a field that holds no quantity of its sign
// ("용량[kW] 값은 0보다 큰 숫자여야 합니다. 값을 확인하시기 바랍니다.").
QString QuantityRefusal(const QString& field, QuantitySign sign);

// The refusal of a typed field: empty when the text holds a quantity of its sign, otherwise
// QuantityRefusal.
QString CheckQuantityField(const QString& text, const QString& field, QuantitySign sign);

struct QuantityField
{
    QString label;  // the field as its label reads on the screen
    QString text;
    QuantitySign sign;
    bool optional = false;  // an empty text (or "-", a list's "not given") is accepted
};

// The screen check: true when the text is such a number, or blank and optional. Otherwise
// shows the refusal naming the field and answers false.
bool CheckQuantityInput(const QString& field, const QString& text, QuantitySign sign,
                        bool optional = false);
// The fields in order; stops at the first refused one (one message at most).
bool CheckQuantityInputs(std::initializer_list<QuantityField> fields);
