// System fault level and the transformer impedances.
#include "fault/core/faultcurrent.h"
#include "app/core/quantity.h"

#include "app/core/calcutil.h"
#include "app/core/companionworkbook.h"
#include "app/core/sevrin.h"
#include "fault/core/buspages.h"
#include "fault/core/faultvalues.h"

#include <QFile>

#include <cmath>

namespace fault {

namespace {

// Ohms at a voltage V (kV) of a percent value on the 100 MVA base.
double PercentToOhms(double percent, double kv)
{
    return kv * kv * 10.0 * percent / 100000.0;
}

// Percent sums over a sheet of line or incoming-cable rows (cells 8..11).
void SumPercentRows(CSevrinApp& app, int sheet, std::array<double, 4>& sums)
{
    const auto& row = sheet == LineSheet ? app.FaultCurrentBlock.LineRow
                                         : app.FaultCurrentBlock.IncomingCableRow;
    for (int r = 0; r < kMaxListRows; ++r) {
        if (!app.ReadFaultDataRow(sheet, r))
            break;
        // A line whose impedance has no value ("-", nonsense, negative) leaves the totals
        // without one: a result that left it out would understate the impedance.
        for (int i = 0; i < 4; ++i)
            sums[std::size_t(i)] += QuantityOr(row[std::size_t(8 + i)], QuantitySign::NonNegative);
    }
}

}  // namespace

double InvertOrZero(double x)
{
    return x == 0.0 ? 0.0 : 1.0 / x;
}

void SumMotorContribution(CSevrinApp& app, int k, double& r, double& x)
{
    double sumA = 0.0;
    double sumB = 0.0;
    const auto& row = app.FaultCurrentBlock.FaultMotorRow;
    for (int i = 0; i < kMaxListRows; ++i) {
        if (!app.ReadFaultDataRow(FirstMotorSheet + k, i))
            break;
        // A motor without a valid contribution shows "-" there and adds nothing; a cell that
        // holds anything else but a positive admittance has no value.
        sumA += CellQuantity(row[24], QuantitySign::NonNegative, 0.0);
        sumB += CellQuantity(row[26], QuantitySign::NonNegative, 0.0);
    }
    r = InvertOrZero(sumA);
    x = InvertOrZero(sumB);
}

void SetFaultResultRow(CSevrinApp& app, int r, const QString& name, double r90, double r20,
                       double r250, double x)
{
    if (r < 0 || r >= kSummaryRows)
        return;
    auto& s = app.FaultCurrentBlock.ImpedanceSummary;
    const std::size_t at = std::size_t(r * kSummaryTexts);
    s[at] = name;
    s[at + 1] = FormatFaultNumber(r90, 6);
    s[at + 2] = FormatFaultNumber(r20, 6);
    s[at + 3] = FormatFaultNumber(r250, 6);
    s[at + 4] = FormatFaultNumber(x, 6);
}

void CalcTransformerSourceImpedance(std::array<QString, 16>& row, double totalR1Percent,
                                    double totalX1Percent)
{
    const double v = QuantityOr(row[4], QuantitySign::Positive);
    const double rs = PercentToOhms(totalR1Percent, v);
    const double xs = PercentToOhms(totalX1Percent, v);
    row[12] = FormatFaultNumber(std::sqrt(rs * rs + xs * xs), 6);
    row[13] = FormatFaultNumber(xs / rs, 6);
    row[14] = FormatFaultNumber(rs, 6);
    row[15] = FormatFaultNumber(xs, 6);
}

void CalcTransformerImpedance(CSevrinApp& app, std::array<QString, 16>& row,
                              double totalR1Percent, double totalX1Percent)
{
    // Capacity, %Z and voltage are positive or they are no value.
    const double pt = QuantityOr(row[1], QuantitySign::Positive);
    const double z = QuantityOr(row[2], QuantitySign::Positive);
    const double v = QuantityOr(row[4], QuantitySign::Positive);
    double xr = app.VLookup(pt, QStringLiteral("TRIMP"), 3);
    if (IsNoValue(xr))
        xr = NO_VALUE;  // no ratio for this capacity: nothing can be derived from it
    const double zt = z / 100.0 * (v * v / pt) * 1000.0;
    const double xt = zt / std::sqrt(1.0 / (xr * xr) + 1.0);
    // IEC 60909 transformer correction with the relative reactance x_T = Xt / (V^2 / PT);
    // the numerator is 0.95 x cmax with cmax = 1.1.
    const double kt = 1.045 / (0.6 * xt * pt / (v * v * 1000.0) + 1.0);
    const double zT = zt * kt;
    const double rT = zT / std::sqrt(xr * xr + 1.0);
    const double xT = zT / std::sqrt(1.0 / (xr * xr) + 1.0);
    row[3] = FormatFaultNumber(xr, 2);
    row[5] = FormatFaultNumber(zt, 6);
    row[6] = FormatFaultNumber(xt, 6);
    row[8] = FormatFaultNumber(kt, 6);
    row[9] = FormatFaultNumber(zT, 6);
    row[10] = FormatFaultNumber(rT, 6);
    row[11] = FormatFaultNumber(xT, 6);
    CalcTransformerSourceImpedance(row, totalR1Percent, totalX1Percent);
}

bool ModifyTransformer(CSevrinApp& app, FaultBusPages& buses, int n, const QString& kva,
                       const QString& percentZ, const QString& kv, const QString& ngr)
{
    if (n < 0 || n >= kTransformers)
        return false;
    auto& b = app.FaultCurrentBlock;
    auto& row = b.TransformerImpedanceRow;
    row.fill(QString());
    row[1] = kva;
    row[2] = percentZ;
    row[4] = kv;
    row[7] = ngr;
    // The totals as the page shows them: empty, and so 0, before the first calculation.
    CalcTransformerImpedance(app, row, CellQuantity(b.FaultResult[TotalPercent], QuantitySign::Any, 0.0),
                             CellQuantity(b.FaultResult[TotalPercent + 1], QuantitySign::Any, 0.0));
    const bool stored = app.WriteFaultDataRow(TransformerSheet, n, false);
    PropagateTransformerHeader(buses, n, kv, ngr);
    return stored;
}

bool DeleteTransformer(CSevrinApp& app, FaultBusPages& buses, int n)
{
    if (n < 0 || n >= kTransformers)
        return false;
    app.FaultCurrentBlock.TransformerImpedanceRow.fill(QString());
    const bool stored = app.WriteFaultDataRow(TransformerSheet, n, false);
    PropagateTransformerHeader(buses, n, QString(), QString());
    return stored;
}

bool HasTransformer(const std::array<QString, 16>& row)
{
    return !row[1].isEmpty() || !row[2].isEmpty() || !row[4].isEmpty() || !row[7].isEmpty();
}

namespace {

// The system part of the calculation; with `store` the transformer rows whose system
// impedance changed are written back, and a row that cannot be is named in `outcome`.
void CalcSystemFaultLevel(CSevrinApp& app, FaultBusPages& buses, bool store,
                          FaultStoreOutcome& outcome)
{
    auto& b = app.FaultCurrentBlock;

    // The utility's percent impedances: an empty entry is 0 (an ideal source), a negative or
    // nonsense one no value.
    std::array<double, 4> util{};
    for (int i = 0; i < 4; ++i)
        util[std::size_t(i)] = CellQuantity(b.UtilityInput[std::size_t(2 + i)], QuantitySign::NonNegative, 0.0);
    std::array<double, 4> lines{};
    std::array<double, 4> cables{};
    SumPercentRows(app, LineSheet, lines);
    SumPercentRows(app, IncomingCableSheet, cables);
    std::array<double, 4> total{};
    for (std::size_t i = 0; i < 4; ++i) {
        total[i] = util[i] + lines[i] + cables[i];
        b.UtilityResult[i] = FormatFaultNumber(total[i], 4);
    }

    const auto ohms = [](double percent) { return percent * kHvOhmFactor / 100000.0; };
    // Substation (utility alone).
    const double rs1 = ohms(util[0]), xs1 = ohms(util[1]);
    const double rs0 = ohms(util[2]), xs0 = ohms(util[3]);
    const double zs1 = std::sqrt(rs1 * rs1 + xs1 * xs1);
    const double zs0 = std::sqrt(rs0 * rs0 + xs0 * xs0);
    // Receiving point (utility, lines and incoming cables).
    const double r1 = ohms(total[0]), x1 = ohms(total[1]);
    const double r0 = ohms(total[2]), x0 = ohms(total[3]);
    const double z1 = std::sqrt(r1 * r1 + x1 * x1);
    const double z0 = std::sqrt(r0 * r0 + x0 * x0);

    // alpha (0 and 3) is a positive coefficient, without which there is no factor; the
    // temperatures may be any figure.
    const auto factor = [&](int i) {
        const QString& text = b.FaultConditionText[std::size_t(i)];
        return i == 0 || i == 3 ? QuantityOr(text, QuantitySign::Positive) : CellQuantity(text, QuantitySign::Any, 0.0);
    };
    // 1 + α (T − 20) is the ratio of the resistances at T and at 20 °C: only a positive ratio
    // is a resistance (a temperature at or below 20 − 1/α, about −234 °C for copper, has none).
    const auto ratio = [](double v) { return v > 0.0 ? v : NO_VALUE; };
    const double delta20 = 1.0 / ratio((factor(1) - factor(2)) * factor(0) + 1.0);
    const double delta250 = ratio((factor(4) - factor(5)) * factor(3) + 1.0) * delta20;

    auto& res = b.FaultResult;
    for (std::size_t i = 0; i < 4; ++i) {
        res[UtilityPercent + i] = b.UtilityInput[2 + i];
        res[LinePercent + i] = FormatFaultNumber(lines[i], 4);
        res[IncomingPercent + i] = FormatFaultNumber(cables[i], 4);
        res[TotalPercent + i] = b.UtilityResult[i];
    }
    const auto put = [&](int index, double v) { res[std::size_t(index)] = FormatFaultNumber(v, 4); };
    put(SubstationCapacity, kCapacityFactor / zs1);
    put(SubstationEarthCapacity, kCapacityFactor / (2.0 * zs1 + zs0));
    put(SubstationZ1, zs1);
    put(SubstationXR1, xs1 / rs1);
    put(SubstationR1, rs1);
    put(SubstationX1, xs1);
    put(SubstationZ0, zs0);
    put(SubstationXR0, xs0 / rs0);  // no ratio without a resistance, as the other X/R
    put(SubstationR0, rs0);
    put(SubstationX0, xs0);
    put(TotalCapacity, kCapacityFactor / z1);
    put(TotalEarthCapacity, kCapacityFactor / (2.0 * z1 + z0));
    put(TotalZ1, z1);
    put(TotalXR1, x1 / r1);
    put(TotalR1, r1);
    put(TotalX1, x1);
    put(TotalZ0, z0);
    put(TotalXR0, x0 / r0);
    put(TotalR0, r0);
    put(TotalX0, x0);
    put(Delta20, delta20);
    put(Delta250, delta250);

    // The incoming bus sees the total positive-sequence impedance at 22.9 kV.
    BusView& in = buses.Incoming;
    if (in.Rows.empty())
        in.Rows.resize(1);
    in.Rows[0][BusR90] = res[TotalR1];
    in.Rows[0][BusR20] = res[TotalR1];
    in.Rows[0][BusR250] = res[TotalR1];
    in.Rows[0][BusX] = res[TotalX1];
    const double rhv = QuantityOr(res[TotalR1], QuantitySign::NonNegative);
    const double xhv = QuantityOr(res[TotalX1], QuantitySign::NonNegative);

    // Transformers: each one's system impedance at its own secondary voltage, from the totals
    // just computed, so that no transformer keeps figures of an earlier utility or line state.
    std::array<double, kTransformers> rsl{}, xsl{}, rt{}, xt{};
    std::array<QString, kTransformers> voltage, ngr;
    for (int k = 0; k < kTransformers; ++k) {
        auto& row = b.TransformerImpedanceRow;
        if (!app.ReadFaultDataRow(TransformerSheet, k))
            row.fill(QString());
        if (HasTransformer(row)) {
            const auto before = row;
            CalcTransformerSourceImpedance(row, total[0], total[1]);
            if (store && row != before && !app.WriteFaultDataRow(TransformerSheet, k, false))
                outcome.addUnsaved(app.CompanionPath(CSevrinApp::FaultDataWorkbook));
        }
        // An impedance that could not be derived stays without value; an empty row (no
        // transformer) counts as 0 as it always did.
        const auto impedance = [](const QString& text) {
            return text.isEmpty() ? 0.0 : QuantityOr(text, QuantitySign::NonNegative);
        };
        rsl[std::size_t(k)] = impedance(row[14]);
        xsl[std::size_t(k)] = impedance(row[15]);
        rt[std::size_t(k)] = impedance(row[10]);
        xt[std::size_t(k)] = impedance(row[11]);
        // The impedances were derived at "수정"; a row whose capacity, %Z or voltage is no
        // positive number (a damaged or hand-edited file) cannot stand behind them.
        if (HasTransformer(row) && (std::isnan(QuantityOr(row[1], QuantitySign::Positive)) ||
                                    std::isnan(QuantityOr(row[2], QuantitySign::Positive)) ||
                                    std::isnan(QuantityOr(row[4], QuantitySign::Positive))))
            rt[std::size_t(k)] = xt[std::size_t(k)] = NO_VALUE;
        voltage[std::size_t(k)] = row[4];
        ngr[std::size_t(k)] = row[7];
    }

    std::array<double, kTransformers> rm{}, xm{};
    for (int k = 0; k < kTransformers; ++k)
        SumMotorContribution(app, k, rm[std::size_t(k)], xm[std::size_t(k)]);

    double otherR = 0.0, otherX = 0.0;
    for (int k = 0; k < kTransformers; ++k) {
        otherR += InvertOrZero(rm[std::size_t(k)]);
        otherX += InvertOrZero(xm[std::size_t(k)]);
    }
    // The system in parallel with the other transformers' motors (admittance sum `others`). A
    // system of zero impedance is an ideal source: it shorts the motors in parallel with it, so
    // the transformer alone limits the current, instead of the system counting as absent.
    const auto systemParallel = [](double others, double system) {
        return system == 0.0 ? 0.0 : 1.0 / (others + 1.0 / system);
    };
    std::array<double, kTransformers> rc{}, xc{}, rref{}, xref{}, rb{}, xb{};
    for (std::size_t k = 0; k < std::size_t(kTransformers); ++k) {
        rc[k] = rm[k] == 0.0 ? 0.0 : rt[k] + rm[k];
        xc[k] = xm[k] == 0.0 ? 0.0 : xt[k] + xm[k];
        // Without motors of its own: its system in parallel with the other transformers'
        // motors, in series with the transformer; with them: system and transformer in
        // parallel with its own motors. R and X are decided separately.
        rref[k] = rm[k] == 0.0 ? systemParallel(otherR, rsl[k]) + rt[k]
                               : 1.0 / (1.0 / (rsl[k] + rt[k]) + InvertOrZero(rm[k]));
        xref[k] = xm[k] == 0.0 ? systemParallel(otherX, xsl[k]) + xt[k]
                               : 1.0 / (1.0 / (xsl[k] + xt[k]) + InvertOrZero(xm[k]));
        rb[k] = rsl[k] + rt[k];
        xb[k] = xsl[k] + xt[k];
    }

    for (int k = 0; k < kTransformers; ++k) {
        const std::size_t i = std::size_t(k);
        PropagateTransformerHeader(buses, k, voltage[i], ngr[i]);
        ShowTransformerFaultResult(buses, k, rref[i], rref[i], rref[i], xref[i], rt[i], rt[i],
                                   rt[i], xt[i], rb[i], xb[i]);
    }

    SetFaultResultRow(app, 0, QStringLiteral("계통(특고기준)"), rhv, rhv, rhv, xhv);
    SetFaultResultRow(app, 1, QStringLiteral("계통(저압기준)"), rsl[0], rsl[0], rsl[0], xsl[0]);
    for (int k = 0; k < kTransformers; ++k) {
        const std::size_t i = std::size_t(k);
        const QString tr = QStringLiteral("TR-%1").arg(k + 1);
        SetFaultResultRow(app, 2 + k, tr, rt[i], rt[i], rt[i], xt[i]);
        SetFaultResultRow(app, 7 + k, tr + QStringLiteral(" 연계 MCC"), rm[i], rm[i], rm[i], xm[i]);
        SetFaultResultRow(app, 12 + k, tr + QStringLiteral(" 기여분"), rc[i], rc[i], rc[i], xc[i]);
        SetFaultResultRow(app, 17 + k, tr + QStringLiteral(" 기준계통"), rref[i], rref[i], rref[i],
                          xref[i]);
        SetFaultResultRow(app, 22 + k, tr + QStringLiteral(" 기준"), rb[i], rb[i], rb[i], xb[i]);
    }
}

}  // namespace

FaultStoreOutcome CalcFaultCurrent(CSevrinApp& app, FaultBusPages& buses)
{
    FaultStoreOutcome outcome;
    // Rows that cannot be read would count as no rows: every bus would get the figures of an
    // empty network.
    outcome.unreadable = UnreadableFaultInputs(app);
    if (!outcome.unreadable.isEmpty())
        return outcome;
    // Every row read and written below goes through the workbook cache; save once at the end.
    CompanionBatch batch;
    CalcSystemFaultLevel(app, buses, true, outcome);
    outcome.add(RecalcAllBuses(app, buses));
    if (!batch.finish())
        outcome.addUnsaved(batch.failedPaths());
    return outcome;
}

bool ShowStoredFaultLevel(CSevrinApp& app, FaultBusPages& buses)
{
    auto& b = app.FaultCurrentBlock;
    b.UtilityResult.fill(QString());
    b.FaultResult.fill(QString());
    b.ImpedanceSummary.fill(QString());
    // Reading the rows of a missing data workbook would create it: such a project was never
    // computed. Nor is one without a source impedance or a transformer, whose figures would
    // be zeros and "-" only, and one whose data workbook cannot be read shows none: its rows
    // would count as none.
    const QString data = app.CompanionPath(CSevrinApp::FaultDataWorkbook);
    if (!QFile::exists(data) || UnreadableFaultInputs(app).contains(data))
        return false;
    bool system = false;
    for (int i = 2; i < 6; ++i)
        system = system || CellQuantity(b.UtilityInput[std::size_t(i)], QuantitySign::Any, 0.0) != 0.0;
    system = system || app.ReadFaultDataRow(LineSheet, 0) || app.ReadFaultDataRow(IncomingCableSheet, 0);
    for (int k = 0; k < kTransformers && !system; ++k)
        system = app.ReadFaultDataRow(TransformerSheet, k) && HasTransformer(b.TransformerImpedanceRow);
    if (!system)
        return false;
    FaultStoreOutcome nothingStored;
    CalcSystemFaultLevel(app, buses, false, nothingStored);
    // Neither of these two stores anything.
    CalcBusFaultCurrent(app, buses.Incoming);
    for (BusColumn& col : buses.Columns)
        CalcBusFaultCurrent(app, col.TransformerCell);
    return true;
}

}  // namespace fault
