#pragma once
// Small routines shared by every calculation: the no-value marker and the arithmetic that
// ignores it, maxima, reading a cell text as a number and printing a number as text.
// Numbers are held as text throughout the program; all reading and printing here is
// locale-free, so a comma-decimal desktop locale never changes a stored figure.
#include <QString>
#include <QStringView>

#include <cmath>
#include <limits>

// Marks a value that is absent, does not apply or cannot be computed: the one "no value" of
// every engine. It is NaN, so whatever is computed from it has no value either, and it is
// recognised by IsNoValue, never by comparison.
inline constexpr double NO_VALUE = std::numeric_limits<double>::quiet_NaN();

inline bool IsNoValue(double v)
{
    return std::isnan(v);
}

double AddIgnoringNoValue(double a, double b);       // NO_VALUE counts as 0
double MultiplyIgnoringNoValue(double a, double b);  // NO_VALUE counts as 1

// The largest argument that has a value; the earliest of equal values wins, NO_VALUE when
// none has one.
double GetMaxOf2(double a, double b);
double GetMaxOf4(double a, double b, double c, double d);
double GetMaxOf6(double a, double b, double c, double d, double e, double f);
double GetMaxOf8(double a, double b, double c, double d, double e, double f, double g, double h);

// The leading decimal number of a text, as the C library's strtod reads it in the "C" locale:
// leading white space skipped, an optional sign, digits with an optional point and exponent
// (also "inf", "nan" and 0x hexadecimal); 0 when the text starts with no number. Only for the
// cells of the library reference workbook, whose text columns (motor outputs and phases,
// breaker ratings, table keys) hold what the workbook gives and are keyed by the number they
// start with; every quantity typed or stored by a project reads through ReadQuantity.
double ReadLeadingNumber(QStringView text);

// The largest magnitude any input quantity of the program may have. Anything larger is a typo
// or a crafted value; refusing it keeps every product and sum of inputs finite and printable.
inline constexpr double MAX_QUANTITY = 1e12;

// A typed or stored quantity, read strictly: the whole text (blanks around it ignored) must be
// one decimal number with an optional sign, point and exponent, finite and no larger than
// MAX_QUANTITY in magnitude. Empty, "-", "nan", "inf", "12,5", "3 kW" and "1e308" give false
// and leave *out alone. Every engine reads its inputs through this, so nonsense never becomes a
// figure.
bool ReadValue(QStringView text, double* out);

// True for a result that may be printed: finite and no larger than MAX_QUANTITY in magnitude.
bool IsPrintable(double v);

// The decimals to print `value` with so that it shows at most 15 significant digits, the
// digits a double holds (further ones are the noise of binary arithmetic): `decimals`, fewer
// for a value of more than 15 - decimals digits before the point.
int DecimalsWithinPrecision(double value, int decimals);

// The number in fixed notation with N = decimals (0..17) decimals, fewer where more would show
// over 15 significant digits (DecimalsWithinPrecision: 52440999999.9738, not
// 52440999999.973801), correctly rounded; a value exactly halfway rounds away from zero ("2.5"
// with none gives "3", "-0.125" with two gives "-0.13"): the one rounding of every printed
// figure, as a hand calculation rounds.
QString FormatFixed(double value, int decimals);

// The value printed with 0..7 decimals (8 for any other count) followed by the unit;
// the fallback unchanged when the value is NO_VALUE.
QString FormatValue(double value, int decimals, const QString& unit, const QString& fallback);
