#include "cable/core/traysizing.h"

#include "app/core/calcutil.h"
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

void WriteBack(TrayRow& row, double d, double b, double g)
{
    AppendUnit(row[6], kMm2);
    AppendUnit(row[7], QStringLiteral("C"));
    AppendUnit(row[8], QStringLiteral("L"));
    // Diameter and width carry "m", as the list captions have it.
    row[9] = FormatValue(d, 2, QStringLiteral("m"), QStringLiteral("-"));
    row[10] = FormatValue(b, 2, QStringLiteral("m"), QStringLiteral("-"));
    row[11] = FormatValue(g, 2, QStringLiteral("kg/m"), QStringLiteral("-"));
    row[12].clear();
}

// A table value that is not finite counts as absent: no "inf" reaches a row.
double Finite(double v)
{
    return std::isfinite(v) ? v : NO_VALUE;
}

// Parallel cables lie side by side. A cable of unknown diameter occupies an unknown width,
// which must not enter the sum as the bare line count.
double Width(double d, double lines)
{
    return IsNoValue(d) ? NO_VALUE : Finite(d * lines);
}

double Weight(double g, double lines)
{
    return IsNoValue(g) ? NO_VALUE : Finite(g * lines);
}

double AddCell(double sum, const QString& cell)
{
    if (cell.isEmpty() || cell == QLatin1String("-"))
        return sum;
    return sum + ReadTrayCellNumber(cell, QStringLiteral("m"));
}

}  // namespace

double ReadTrayCellNumber(const QString& text, const QString& unit)
{
    const double v = ReadNumber(QString(text).remove(unit));
    return std::isfinite(v) ? v : 0.0;
}

void CalcTrayCableRow(TrayRow& row, TrayLookup& lookup)
{
    const double sq = ReadTrayCellNumber(row[6], kMm2);
    const double cores = ReadTrayCellNumber(row[7], QStringLiteral("C"));
    const double lines = ReadTrayCellNumber(row[8], QStringLiteral("L"));
    const QString& type = row[5];

    double d = NO_VALUE;
    double g = NO_VALUE;
    if (type == QLatin1String("FCV") || type == QLatin1String("FR8")) {
        const QString od = type + QStringLiteral("OD");
        const QString w = type + QStringLiteral("W");
        // A size the table does not list gives its size count, a core count outside 1..4
        // gives -999: both make the dimension lookup answer NO_VALUE.
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
    const double sq = ReadTrayCellNumber(row[6], kMm2);
    const double lines = ReadTrayCellNumber(row[8], QStringLiteral("L"));
    // No size (a cable never sized hands over none): no conductor to look up, rather than
    // the table's first entry.
    const double d = sq > 0 ? Finite(lookup.VLookup(sq, QStringLiteral("FGVSEC"), 2)) : NO_VALUE;
    const double g = sq > 0 ? Finite(lookup.VLookup(sq, QStringLiteral("FGVW"), 2)) : NO_VALUE;
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

TrayResult CalcTray(const std::vector<TrayRow>& cables, const std::vector<TrayRow>& pes,
                    const TrayChoices& choices, TrayLookup& lookup)
{
    TrayResult r;
    for (const TrayRow& row : cables) {
        r.widthSum = AddCell(r.widthSum, row[10]);
        r.weightSum = AddCell(r.weightSum, row[11]);
    }
    // Earth conductors lie in the gaps between the cables: weight, never width.
    for (const TrayRow& row : pes)
        r.weightSum = AddCell(r.weightSum, row[11]);
    if (!std::isfinite(r.widthSum))
        r.widthSum = 0;
    if (!std::isfinite(r.weightSum))
        r.weightSum = 0;

    // The margin chooses the tray; the occupancy is that of the cables themselves.
    const double margin = ReadTrayCellNumber(choices.margin, QString());
    const double required = margin * r.widthSum;
    r.width = Finite(lookup.VLookup(required, QStringLiteral("TRAY"), 2));
    // Without a usable width there is no occupancy to state, and nothing to warn about.
    const bool haveWidth = !IsNoValue(r.width) && r.width > 0;
    r.occupancy = haveWidth ? Finite(r.widthSum / r.width * 100.0) : NO_VALUE;
    r.cableWeight = r.weightSum;
    // A dust-tight tray weighs what its closed section weighs: the cover column.
    r.trayWeight = Finite(lookup.VLookup(r.width, QStringLiteral("TRAYW"),
                                         choices.type == QLatin1String("Ladder") ? 2 : 3));
    r.coverWeight = choices.cover == QStringLiteral("적용")
                        ? Finite(lookup.VLookup(r.width, QStringLiteral("TRAYW"), 3))
                        : NO_VALUE;
    r.totalWeight = AddIgnoringNoValue(AddIgnoringNoValue(r.cableWeight, r.trayWeight),
                                       r.coverWeight);
    r.overfilled = !IsNoValue(r.occupancy) && r.occupancy > 100.0;

    const QString dash = QStringLiteral("-");
    r.widthSumText = FormatFixed(r.widthSum, 2);
    r.weightSumText = FormatFixed(r.weightSum, 2);
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
    // "W%.0f" of the number the width field shows ("-" reads as 0).
    const double shownWidth = ReadTrayCellNumber(result.widthText, QString());
    return {choices.height,
            choices.margin,
            QStringLiteral("W") + FormatFixed(shownWidth, 0),
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
