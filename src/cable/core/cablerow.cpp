#include "cable/core/cablerow.h"

#include "app/core/calcutil.h"

#include <cmath>

namespace {

using K = CableColumnKind;
using F = CableFormat;

constexpr int Width(int column)
{
    if (column == 0)
        return 40;
    if (column == 1)
        return 160;
    if (column >= 25 && column <= 29)
        return 100;
    return 80;
}

struct Spec
{
    const char16_t* caption;
    const char16_t* group;
    K kind;
    F format;
    int decimals = 0;
    const char16_t* unit = u"";
};

// Column by column, in row order.
constexpr Spec kSpecs[kCableColumnCount] = {
    {u"No.", u"", K::Number, F::Index},
    {u"CBL.\nNo.", u"", K::Result, F::Text},
    {u"From", u"", K::Input, F::Text},
    {u"To", u"", K::Input, F::Text},
    {u"부하종류", u"부하용량", K::Input, F::Text},
    {u"[kW]", u"부하용량", K::Input, F::Fixed2OrEmpty},
    {u"[kVA]", u"부하용량", K::Input, F::Fixed2OrEmpty},
    {u"입력부하", u"부하용량", K::Result, F::Fixed2},
    {u"상[P]", u"전원방식", K::Input, F::Fixed0},
    {u"선[W]", u"전원방식", K::Input, F::Fixed0},
    {u"전압[kV]", u"전원방식", K::Input, F::Fixed2},
    {u"η", u"효율", K::Result, F::Fixed2},
    {u"cosθ", u"역율", K::Result, F::Fixed2},
    {u"[A]", u"수용전류[IB]", K::Result, F::Fixed2},
    {u"기동방식", u"전동기 부하 특성(KECG-1702)", K::Input, F::Text},
    {u"기동배율", u"전동기 부하 특성(KECG-1702)", K::Result, F::Value, 3},
    {u"기동계수", u"전동기 부하 특성(KECG-1702)", K::Result, F::Value, 3},
    {u"전류제한", u"전동기 부하 특성(KECG-1702)", K::Result, F::Value, 3},
    {u"전류배율", u"전동기 부하 특성(KECG-1702)", K::Result, F::Value, 3},
    {u"기동전류", u"전동기 부하 특성(KECG-1702)", K::Result, F::Value, 3},
    {u"기동돌입전류", u"전동기 부하 특성(KECG-1702)", K::Result, F::Value, 3},
    {u"기동시간", u"전동기 부하 특성(KECG-1702)", K::Result, F::Value, 3},
    {u"기동역률", u"전동기 부하 특성(KECG-1702)", K::Result, F::Value, 3},
    {u"수용률", u"", K::Input, F::Fixed2},
    {u"수용부하", u"", K::Result, F::Fixed2},
    {u"[kVA]", u"최대부하제외용량", K::Input, F::Text},
    {u"[kVA]", u"최대M기동용량", K::Input, F::Text},
    {u"[sec]", u"최대M기동시간", K::Input, F::Text},
    {u"기동", u"최대M기동방식", K::Input, F::Text},
    {u"cosθ", u"기동시합성역률", K::Result, F::Fixed2OrEmpty},
    {u"[m]", u"거리", K::Input, F::Text},
    {u"포설보정(D.F)\nKECG-1701", u"", K::Separator, F::Text},
    {u"방법", u"공사", K::Result, F::Text},
    {u"방법", u"공사", K::Input, F::Text},
    {u"단수", u"트래이", K::Result, F::Fixed0},
    {u"보정계수", u"트래이", K::Result, F::Value, 2},
    {u"[℃]", u"주위온도", K::Result, F::Fixed0},
    {u"보정계수", u"온도", K::Result, F::Fixed2},
    {u"[K·m/w]", u"토양열저항률", K::Result, F::Value, 2},
    {u"보정계수", u"토양열저항", K::Result, F::Value, 2},
    {u"[m]", u"매설깊이", K::Result, F::Value, 2},
    {u"보정계수", u"매설깊이", K::Result, F::Value, 2},
    {u"D.F", u"TOTAL", K::Result, F::Fixed2},
    {u"도체단면적(S)선정\nKECG-1702", u"", K::Separator, F::Text},
    {u"N", u"병렬도체수", K::Input, F::Value, 0},
    {u"[㎟]", u"SB", K::Manual, F::Size},
    {u"AT", u"SCB", K::Result, F::Value, 0, u"AT"},
    {u"[㎟]", u"SCB", K::Manual, F::Size},
    {u"기준[%]", u"SVD%", K::Result, F::Value, 1, u"%"},
    {u"계산[%]", u"SVD%", K::Result, F::Value, 1, u"%"},
    {u"[㎟]", u"SVD%", K::Manual, F::Size},
    {u"ISMIN[kA]", u"SSC", K::Input, F::Value, 2, u"kA"},
    {u"t[sec]", u"SSC", K::Result, F::Value, 2, u"s"},
    {u"계산[㎟]", u"SSC", K::Result, F::Value, 2, u"㎟"},
    {u"[㎟]", u"SSC", K::Manual, F::Size},
    {u"기준[%]", u"SMSVD%", K::Result, F::Value, 1, u"%"},
    {u"계산[%]", u"SMSVD%", K::Result, F::Value, 1, u"%"},
    {u"[㎟]", u"SMSVD%", K::Manual, F::Size},
    {u"계산[㎟]", u"SMSTh", K::Result, F::Value, 0, u"㎟"},
    {u"[㎟]", u"SMSTh", K::Manual, F::Size},
    {u"[㎟]", u"선정", K::Result, F::Size10},
    {u"IZ[A]", u"선정", K::Result, F::Value, 0, u"A"},
    {u"차단기 정격선정\nKECG-1702", u"", K::Separator, F::Text},
    {u"LSM", u"ATB", K::Result, F::Value, 0},
    {u"LSS", u"ATB", K::Result, F::Value, 0},
    {u"HG", u"ATB", K::Result, F::Value, 0},
    {u"User", u"ATB", K::Result, F::Value, 0},
    {u"[AT]", u"ATB", K::Result, F::Value, 0},
    {u"IB<IN<IZ", u"ATB", K::Result, F::Text},
    {u"[AT]", u"ATTh", K::Result, F::Value, 0},
    {u"I2<1.45xIZ", u"ATTh", K::Result, F::Text},
    {u"Maker", u"ATMS", K::Input, F::Text},
    {u"LSMδM", u"ATMS", K::Result, F::Value, 2},
    {u"LSMδF", u"ATMS", K::Result, F::Value, 2},
    {u"LSSδM", u"ATMS", K::Result, F::Value, 2},
    {u"LSSδF", u"ATMS", K::Result, F::Value, 2},
    {u"HGδM", u"ATMS", K::Result, F::Value, 2},
    {u"HGδF", u"ATMS", K::Result, F::Value, 2},
    {u"UserδM", u"ATMS", K::Result, F::Value, 2},
    {u"UserδF", u"ATMS", K::Result, F::Value, 2},
    {u"δ", u"ATMS", K::Result, F::Value, 2},
    {u"LSM", u"ATMS", K::Result, F::Value, 0},
    {u"LSS", u"ATMS", K::Result, F::Value, 0},
    {u"HG", u"ATMS", K::Result, F::Value, 0},
    {u"User", u"ATMS", K::Result, F::Value, 0},
    {u"[AT]", u"ATMS", K::Result, F::Value, 0},
    {u"[AT]", u"ATMI", K::Result, F::Value, 0},
    {u"tN", u"ATSC", K::Result, F::Value, 2, u"s"},
    {u"tZ", u"ATSC", K::Result, F::Value, 2, u"s"},
    {u"ISC/IN", u"ATSC", K::Result, F::Value, 0},
    {u"tN<tZ", u"ATSC", K::Result, F::Text},
    {u"P", u"선정", K::Result, F::Value, 0},
    {u"LSM", u"선정", K::Result, F::Value, 0},
    {u"LSS", u"선정", K::Result, F::Value, 0},
    {u"HG", u"선정", K::Result, F::Value, 0},
    {u"User", u"선정", K::Result, F::Value, 0},
    {u"AF", u"선정", K::Result, F::Value, 0, u"AF"},
    {u"AT", u"선정", K::Manual, F::Value, 0},
    {u"LSM", u"선정", K::Manual, F::Value, 0},
    {u"LSS", u"선정", K::Result, F::Value, 0},
    {u"HG", u"선정", K::Result, F::Value, 0},
    {u"User", u"선정", K::Result, F::Value, 0},
    {u"kA", u"선정", K::Result, F::Value, 0, u"kA"},
    {u"ISMAX[kA]", u"선정", K::Input, F::Value, 2, u"kA"},
    {u"VOLT", u"CABLE SPEC.", K::Result, F::Text},
    {u"TYPE", u"CABLE SPEC.", K::Input, F::Text},
    {u"SQ", u"CABLE SPEC.", K::Result, F::Size10},
    {u"공사방법", u"CABLE SPEC.", K::Result, F::Text},
    {u"CORE", u"CABLE SPEC.", K::Result, F::Value, 0, u"C"},
    {u"LINE", u"CABLE SPEC.", K::Result, F::Value, 0, u"L"},
    {u"PE", u"CABLE SPEC.", K::Result, F::Size10},
    {u"CONDUIT", u"CABLE SPEC.", K::Result, F::Conduit},
};

// A figure a cell may show: finite and of a sane magnitude, so an overflow never prints as a
// number of hundreds of digits.
bool Shown(double v)
{
    return !IsNoValue(v) && IsPrintable(v);
}

}  // namespace

const std::array<CableColumnInfo, kCableColumnCount>& CableColumns()
{
    static const std::array<CableColumnInfo, kCableColumnCount> columns = [] {
        std::array<CableColumnInfo, kCableColumnCount> c{};
        for (int k = 0; k < kCableColumnCount; ++k) {
            const Spec& s = kSpecs[k];
            c[std::size_t(k)] = {s.caption, s.group, Width(k), s.kind, s.format, s.decimals, s.unit};
        }
        return c;
    }();
    return columns;
}

QString FormatSize(double size)
{
    size += 0.0;
    if (!Shown(size) || size < 0)
        return QStringLiteral("-");
    return FormatFixed(size, size > 3 ? 0 : 1) + QStringLiteral("㎟");
}

QString FormatSize10(double size)
{
    size += 0.0;
    if (!Shown(size) || size < 0)
        return QStringLiteral("-");
    const bool tens = std::fmod(size, 10.0) == 0.0;
    return FormatFixed(size, tens ? 0 : 1) + QStringLiteral("㎟");
}

QString FormatConduit(const QString& kind, double size)
{
    return kind + QLatin1Char('|') + (Shown(size) ? FormatFixed(size, 0) : QStringLiteral("-"));
}

QString FormatCableColumn(int column, double value)
{
    if (column < 0 || column >= kCableColumnCount)
        return QString();
    const CableColumnInfo& c = CableColumns()[std::size_t(column)];
    value += 0.0;  // a negative zero prints as "0", not "-0"
    switch (c.format) {
    case F::Index:
        if (!Shown(value) || std::fabs(value) > 1e9)
            return QStringLiteral("-");
        return QString::number(static_cast<long long>(value));
    case F::Fixed0:
        return Shown(value) ? FormatFixed(value, 0) : QStringLiteral("-");
    case F::Fixed2:
        return Shown(value) ? FormatFixed(value, 2) : QStringLiteral("-");
    case F::Fixed2OrEmpty:
        if (IsNoValue(value))
            return QString();
        return Shown(value) ? FormatFixed(value, 2) : QStringLiteral("-");
    case F::Value:
        return Shown(value) ? FormatValue(value, c.decimals, QString::fromUtf16(c.unit), {})
                            : QStringLiteral("-");
    case F::Size:
        return FormatSize(value);
    case F::Size10:
        return FormatSize10(value);
    case F::Conduit:
    case F::Text:
        break;
    }
    return Shown(value) ? FormatFixed(value, 2) : QStringLiteral("-");
}
