#pragma once
// The quantities typed into and stored by the load schedules (loads, capacities, demand
// factors, lengths, voltages, factors), read through the shared strict reader with the range
// each may take. A quantity outside its range is no value: it never becomes a figure, and the
// screens refuse it with a message that names the field.
#include <QString>
#include <QStringView>

enum class QuantityRange {
    Positive,     // a load, a capacity, a voltage, a factor: above 0
    NonNegative,  // may be 0 on purpose: a demand factor, a spare circuit's load, a length
};

// The value of a quantity text within its range; false, with *out untouched, for an empty
// text, "-", anything the strict reader refuses (nan, inf, "12,5", 1e308) and a value
// outside the range.
bool ReadQuantity(QStringView text, QuantityRange range, double* out);

// The value, or NO_VALUE.
double QuantityOrNoValue(QStringView text, QuantityRange range);

// A stored quantity as the driver and the lists echo it: the text itself when it holds a
// quantity within its range (a zero stored with a minus, "-0", without it), empty when empty,
// "-" otherwise, so that no nonsense is shown as a figure.
QString QuantityText(const QString& text, QuantityRange range);

// A stored label (a schedule row's No., a circuit's NO.) as the driver echoes it: a label such
// as "LED1", "PNL" or "A-1" as it stands; a text that reads as a number ("12", "nan", "-5",
// "1e308", 21 digits) as QuantityText echoes a number of at least 0, except that a number it
// refuses gives `refused` instead of "-" where the caller has a better mark.
QString LabelText(const QString& text, const QString& refused = QStringLiteral("-"));

// The refusal of a typed field: empty when the text holds a quantity within its range,
// otherwise the message naming the field ("용량[kW] 값은 0보다 큰 숫자여야 합니다. ...").
QString CheckQuantityField(const QString& text, const QString& field, QuantityRange range);
