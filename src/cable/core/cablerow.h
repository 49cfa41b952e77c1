#pragma once
// The cable schedule row: 112 texts per feeder, and the one table of its columns (captions,
// group captions, widths, kinds and text formats) that the list, the "_40" store and the report
// all use, so a column is described once.
#include <QString>

#include <array>

inline constexpr int kCableColumnCount = 112;
using CableRow = std::array<QString, kCableColumnCount>;

// What fills a column.
enum class CableColumnKind {
    Number,     // the list's running number, set by the screen
    Input,      // copied from the form (the engine may write it back in its own format)
    Result,     // computed by the sizing engine
    Separator,  // always "|"
    Manual,     // a result that carries a staged manual size into the engine
};

// How a value is written into a column. Every numeric format writes "-" for NO_VALUE and for
// anything that is not a printable number (not finite, or beyond MAX_QUANTITY), so "nan", "inf"
// or a number of hundreds of digits can never reach a cell.
enum class CableFormat {
    Index,     // "%d"
    Fixed0,    // "%.0f"
    Fixed2,    // "%.2f"
    Fixed2OrEmpty,  // "%.2f", empty text when the value was not given
    Value,     // decimals and unit appended (decimals, unit below)
    Size,      // conductor size: one decimal up to 3 mm2, none above, then "㎟"
    Size10,    // selected size: no decimal for a whole multiple of 10, else one, then "㎟"
    Conduit,   // "<kind>|<size %.0f>"
    Text,      // stored unchanged
};

struct CableColumnInfo
{
    const char16_t* caption;  // lower header row ("\n" breaks the line)
    const char16_t* group;    // upper header row; empty for none
    int width;                // pixels, the same for the full and the input column set
    CableColumnKind kind;
    CableFormat format;
    int decimals;             // CableFormat::Value only
    const char16_t* unit;     // CableFormat::Value only
};

const std::array<CableColumnInfo, kCableColumnCount>& CableColumns();

// Column k written with its own format (not for Text or Conduit columns).
QString FormatCableColumn(int column, double value);

// The conductor-size texts.
QString FormatSize(double size);
QString FormatSize10(double size);
// Column 111: the conduit kind and its size without decimals ("-" for a missing size).
QString FormatConduit(const QString& kind, double size);
