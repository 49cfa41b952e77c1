#pragma once
// The input check of typed quantities on the calculation screens: each text must be a number
// the shared strict reader accepts, of the sign the quantity can have, or the screen shows one
// message naming the field (worded as the load schedules' CheckQuantityField) and changes
// nothing.
#include <QString>

#include <initializer_list>

enum class QuantitySign {
    Positive,     // lengths, loads, voltages, impedances, resistivities, factors ...
    NonNegative,  // where 0 means "none" (a fault current not known, an NGR, a rod count)
    Any,          // temperatures
};

struct QuantityField
{
    QString label;  // the field as its label reads on the screen
    QString text;
    QuantitySign sign;
    bool optional = false;  // an empty text (or "-", a list's "not given") is accepted
};

// True when the text is such a number, or empty (or "-") and optional. Otherwise shows one
// message naming the field and answers false.
bool CheckQuantityInput(const QString& field, const QString& text, QuantitySign sign,
                        bool optional = false);
// The fields in order; stops at the first refused one (one message at most).
bool CheckQuantityInputs(std::initializer_list<QuantityField> fields);
