#include "cable/core/traysizing.h"

#include "app/core/calcutil.h"
#include "app/core/quantity.h"
#include "platform/xlsxbook.h"

#include <QStringList>

#include <cmath>

namespace {

const QString kMm2 = QStringLiteral("㎟");

// Appends a unit to a cell once: a text that already carries it keeps one.
void AppendUnit(QString& cell, const QString& unit)
{
    if (!cell.endsWith(unit))
        cell += unit;
}

// A figure with its unit, or "-" when it has no printable value.
QString Shown(double v, int decimals, const QString& unit)
{
    return IsNoValue(v) || !IsPrintable(v) ? QStringLiteral("-")
                                           : FormatValue(v, decimals, unit, QStringLiteral("-"));
}

void WriteBack(TrayRow& row, double d, double b, double g)
{
    AppendUnit(row[6], kMm2);
    AppendUnit(row[7], QStringLiteral("C"));
    AppendUnit(row[8], QStringLiteral("L"));
    // The dimension tables give diameters in millimetres: diameter and width carry "mm".
    row[9] = Shown(d, 2, QStringLiteral("mm"));
    row[10] = Shown(b, 2, QStringLiteral("mm"));
    row[11] = Shown(g, 2, QStringLiteral("kg/m"));
    row[12].clear();
}

// A table value or product that is not printable counts as absent: no "inf" and no number of
// hundreds of digits reaches a row.
double Finite(double v)
{
    return IsPrintable(v) ? v : NO_VALUE;
}

// Parallel cables lie side by side. A cable of unknown diameter occupies an unknown width,
// which must not enter the sum as the bare line count.
double Width(double d, double lines)
{
    return IsNoValue(d) || IsNoValue(lines) ? NO_VALUE : Finite(d * lines);
}

double Weight(double g, double lines)
{
    return IsNoValue(g) || IsNoValue(lines) ? NO_VALUE : Finite(g * lines);
}

}  // namespace

QStringView TrayCellWithoutUnit(const QString& text, const QString& unit)
{
    // The unit is removed once at the end; a length unit also in its older spelling.
    QStringView t = QStringView(text).trimmed();
    if (unit == QLatin1String("m") || unit == QLatin1String("mm")) {
        if (t.endsWith(u"mm"))
            t.chop(2);
        else if (t.endsWith(u'm'))
            t.chop(1);
    } else if (!unit.isEmpty() && t.endsWith(unit)) {
        t.chop(unit.size());
    }
    return t;
}

void CalcTrayCableRow(TrayRow& row, TrayLookup& lookup)
{
    const double sq = QuantityOr(TrayCellWithoutUnit(row[6], kMm2), QuantitySign::Positive);
    const double cores =
        QuantityOr(TrayCellWithoutUnit(row[7], QStringLiteral("C")), QuantitySign::Positive);
    const double lines =
        QuantityOr(TrayCellWithoutUnit(row[8], QStringLiteral("L")), QuantitySign::Positive);
    const QString& type = row[5];

    double d = NO_VALUE;
    double g = NO_VALUE;
    // A size or core count that is no positive number has no dimensions.
    if ((type == QLatin1String("FCV") || type == QLatin1String("FR8")) && !IsNoValue(sq) &&
        !IsNoValue(cores)) {
        const QString od = type + QStringLiteral("OD");
        const QString w = type + QStringLiteral("W");
        // A size the table does not list gives its size count, a core count outside 1..4
        // gives no index: both make the dimension lookup answer NO_VALUE.
        d = lookup.LookupCableDimension(od, lookup.FindCableDimensionIndex(sq, od + "SQ"),
                                        lookup.FindCableDimensionIndex(cores, od + "C"));
        g = lookup.LookupCableDimension(w, lookup.FindCableDimensionIndex(sq, w + "SQ"),
                                        lookup.FindCableDimensionIndex(cores, w + "C"));
    }
    d = Finite(d);
    g = Finite(g);
    WriteBack(row, d, Width(d, lines), Weight(g, lines));
}

void CalcTrayPeRow(TrayRow& row, TrayLookup& lookup)
{
    const double sq = QuantityOr(TrayCellWithoutUnit(row[6], kMm2), QuantitySign::Positive);
    const double lines =
        QuantityOr(TrayCellWithoutUnit(row[8], QStringLiteral("L")), QuantitySign::Positive);
    // No size (a cable never sized hands over none): no conductor to look up, rather than
    // the table's first entry.
    const double d = !IsNoValue(sq) ? Finite(lookup.VLookup(sq, QStringLiteral("FGVSEC"), 2)) : NO_VALUE;
    const double g = !IsNoValue(sq) ? Finite(lookup.VLookup(sq, QStringLiteral("FGVW"), 2)) : NO_VALUE;
    WriteBack(row, d, Width(d, lines), Weight(g, lines));
}

const QStringList& TrayHeightItems()
{
    static const QStringList items = {QStringLiteral("H100"), QStringLiteral("H150")};
    return items;
}

const QStringList& TrayMarginItems()
{
    static const QStringList items = {"1.0", "1.1", "1.2", "1.3", "1.4", "1.5"};
    return items;
}

const QStringList& TrayTypeItems()
{
    static const QStringList items = {QStringLiteral("Ladder"), QStringLiteral("Dust")};
    return items;
}

const QStringList& TrayCoverItems()
{
    static const QStringList items = {QStringLiteral("적용"), QStringLiteral("미적용")};
    return items;
}

int TrayChoiceIndex(const QString& stored, const QStringList& items)
{
    bool ok = false;
    const int i = stored.trimmed().toInt(&ok);
    return ok && i >= 0 && i < items.size() ? i : 0;
}

TrayChoices TrayChoicesFromIndexes(const std::array<QString, 4>& indexes)
{
    const auto pick = [&](int k, const QStringList& items) {
        return items.at(TrayChoiceIndex(indexes[std::size_t(k)], items));
    };
    return {pick(0, TrayHeightItems()), pick(1, TrayMarginItems()), pick(2, TrayTypeItems()),
            pick(3, TrayCoverItems())};
}

TraySums SumTrayRows(const std::vector<TrayRow>& cables, const std::vector<TrayRow>& pes)
{
    TraySums s;
    const QString mm = QStringLiteral("mm");
    const QString kgm = QStringLiteral("kg/m");
    // A stored width or weight adds what it shows; "-", empty text, anything that is no number
    // and a figure that is not positive add nothing.
    for (const TrayRow& row : cables) {
        s.width += QuantityOr(TrayCellWithoutUnit(row[10], mm), QuantitySign::Positive, 0.0);
        s.weight += QuantityOr(TrayCellWithoutUnit(row[11], kgm), QuantitySign::Positive, 0.0);
    }
    // Earth conductors lie in the gaps between the cables: weight, never width.
    for (const TrayRow& row : pes)
        s.weight += QuantityOr(TrayCellWithoutUnit(row[11], kgm), QuantitySign::Positive, 0.0);
    // Sums beyond any real tray (stored figures of absurd size) have no value.
    s.width = Finite(s.width);
    s.weight = Finite(s.weight);
    return s;
}

QString TraySumText(double sum)
{
    return FormatValue(sum, 2, QString(), QStringLiteral("-"));
}

TrayResult CalcTray(const std::vector<TrayRow>& cables, const std::vector<TrayRow>& pes,
                    const TrayChoices& choices, TrayLookup& lookup)
{
    TrayResult r;
    const TraySums sums = SumTrayRows(cables, pes);
    r.widthSum = sums.width;
    r.weightSum = sums.weight;

    // The margin chooses the tray; the occupancy is that of the cables themselves.
    const double margin = QuantityOr(choices.margin, QuantitySign::Any, 0.0);
    const double required = IsNoValue(r.widthSum) ? NO_VALUE : margin * r.widthSum;
    r.width = IsNoValue(required) ? NO_VALUE
                                  : Finite(lookup.VLookup(required, QStringLiteral("TRAY"), 2));
    // Without a usable width there is no occupancy to state, and nothing to warn about.
    const bool haveWidth = !IsNoValue(r.width) && r.width > 0;
    r.occupancy = haveWidth ? Finite(r.widthSum / r.width * 100.0) : NO_VALUE;
    r.cableWeight = r.weightSum;
    // A dust-tight tray weighs what its closed section weighs: the cover column. Without a
    // width there is no tray to weigh (never the table's first row).
    r.trayWeight = IsNoValue(r.width)
                       ? NO_VALUE
                       : Finite(lookup.VLookup(r.width, QStringLiteral("TRAYW"),
                                               choices.type == QLatin1String("Ladder") ? 2 : 3));
    r.coverWeight = choices.cover == QStringLiteral("적용") && !IsNoValue(r.width)
                        ? Finite(lookup.VLookup(r.width, QStringLiteral("TRAYW"), 3))
                        : NO_VALUE;
    r.totalWeight = IsNoValue(r.cableWeight) || IsNoValue(r.width)
                        ? NO_VALUE
                        : AddIgnoringNoValue(AddIgnoringNoValue(r.cableWeight, r.trayWeight),
                                             r.coverWeight);
    r.overfilled = !IsNoValue(r.occupancy) && r.occupancy > 100.0;

    const QString dash = QStringLiteral("-");
    r.widthSumText = TraySumText(r.widthSum);
    r.weightSumText = TraySumText(r.weightSum);
    r.widthText = FormatValue(r.width, 1, QString(), dash);
    r.occupancyText = FormatValue(r.occupancy, 1, QStringLiteral("%"), dash);
    r.cableWeightText = FormatValue(r.cableWeight, 1, QString(), dash);
    r.trayWeightText = FormatValue(r.trayWeight, 1, QString(), dash);
    r.coverWeightText = FormatValue(r.coverWeight, 1, QString(), dash);
    r.totalWeightText = FormatValue(r.totalWeight, 1, QString(), dash);
    return r;
}

std::array<QString, 10> MakeTraySpecText(const TrayChoices& choices, const TrayResult& result)
{
    // "W%.0f" of the number the width field shows; "W-" without a width, never "W0".
    double shownWidth = 0.0;
    const QString width = ReadValue(result.widthText, &shownWidth) && shownWidth > 0
                              ? FormatFixed(shownWidth, 0)
                              : QStringLiteral("-");
    return {choices.height,
            choices.margin,
            QStringLiteral("W") + width,
            result.occupancyText,
            result.cableWeightText,
            result.trayWeightText,
            result.coverWeightText,
            result.totalWeightText,
            choices.type,
            choices.cover};
}

TrayNameCheck CheckTrayName(const QString& name, const QStringList& others)
{
    const QString pe = name + QLatin1Char('_');
    if (!IsValidSheetName(name) || !IsValidSheetName(pe))
        return TrayNameCheck::Invalid;
    for (const QString& other : others) {
        const QString otherPe = other + QLatin1Char('_');
        if (name.compare(other, Qt::CaseInsensitive) == 0 ||
            name.compare(otherPe, Qt::CaseInsensitive) == 0 ||
            pe.compare(other, Qt::CaseInsensitive) == 0)
            return TrayNameCheck::Taken;
    }
    return TrayNameCheck::Ok;
}
