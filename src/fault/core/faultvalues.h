#pragma once
// Reading and printing the numbers of the fault-current screen.
//
// Every figure of the fault-current lists is held as text. Inputs are read by the shared
// quantity reader (app/core/quantity.h): a list entry left open (empty, "-") counts as 0
// (CellQuantity), and any other text that is not a whole finite number of its sign within
// MAX_QUANTITY ("nan", "inf", "1e308", "12,5", "3 kV") has no value, so nothing computed from
// it has one either. Results that are not printable (a
// zero impedance, a capacity of 0, an overflow) are printed as "-" in the lists and as an
// empty text in the bus results, and a "-" or empty impedance read back from a list stays "no
// value" instead of turning into 0 ohm.
#include <QString>
#include <QStringView>


namespace fault {

// Every list of the fault-current screen keeps at most this many rows.
inline constexpr int kMaxListRows = 1000;

// Fixed notation with `decimals` decimals, fewer where the figure would show more than the 15
// significant digits a double holds (52440999999.9738, not 52440999999.973801); "-" when the
// value is not printable (not finite, or beyond MAX_QUANTITY). A value that rounds to zero
// prints without a sign.
QString FormatFaultNumber(double value, int decimals);

// A bus result: as FormatFaultNumber, the empty text when not printable.
QString FormatBusValue(double value, int decimals);

// The message of a list that already holds kMaxListRows rows.
QString ListFullMessage();
// True when one more row fits into a list of `count` rows; otherwise shows ListFullMessage.
bool CheckListRoom(int count);

}  // namespace fault
