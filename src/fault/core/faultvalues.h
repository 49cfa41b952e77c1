#pragma once
// Reading and printing the numbers of the fault-current screen.
//
// Every figure of the fault-current lists is held as text. Inputs are read as the decimal
// number at the start of the text (0 when there is none); "inf", "nan" and hexadecimal
// never count as numbers here. Results that are not finite (a zero impedance, a capacity of
// 0) are printed as "-" in the lists and as an empty text in the bus results, and a "-" or
// empty impedance read back from a list stays "no value" instead of turning into 0 ohm.
#include <QString>
#include <QStringView>

#include <limits>

namespace fault {

// Every list of the fault-current screen keeps at most this many rows.
inline constexpr int kMaxListRows = 1000;

inline constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// The decimal number at the start of the text: blanks skipped, an optional sign, digits with
// an optional point and exponent. 0 when the text starts with no digit, and 0 for anything
// that would overflow.
double ReadFaultNumber(QStringView text);

// An impedance or result read back from a list: as ReadFaultNumber, but "-" (a result that
// had no value) and the empty text give NaN, so that what depends on it has no value either.
double ReadImpedance(QStringView text);

// Fixed notation with `decimals` decimals (as "%.Nf" prints in the C locale); "-" when the
// value is not finite. A value that rounds to zero prints without a sign.
QString FormatFaultNumber(double value, int decimals);

// A bus result: fixed notation, the empty text when not finite.
QString FormatBusValue(double value, int decimals);

// The message of a list that already holds kMaxListRows rows.
QString ListFullMessage();
// True when one more row fits into a list of `count` rows; otherwise shows ListFullMessage.
bool CheckListRoom(int count);

}  // namespace fault
