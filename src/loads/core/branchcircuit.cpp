#include "loads/core/branchcircuit.h"

#include "app/core/calcutil.h"
#include "app/core/sevrin.h"
#include "cable/core/cablesizing.h"
#include "loads/core/designconditions.h"
#include "app/core/quantity.h"

#include <cmath>
#include <limits>

namespace {

constexpr double kSqrt3 = 1.7320508075688772;
// k of S = I * sqrt(t) / k: copper, 90 degC insulation (KEC 212.5.5, eq. 212.5-1).
constexpr double kAdiabatic = 143.0;
constexpr double kSinglePhaseVolt = 220.0;
constexpr double kThreePhaseVolt = 380.0;

const QString kDash = QStringLiteral("-");

// "%.Nf", with "-" for no value and for anything not printable (so "nan", "inf" or a
// 300-digit figure never reach a cell).
QString Fixed(double v, int decimals)
{
    return IsPrintable(v) && !IsNoValue(v) ? FormatFixed(v, decimals) : kDash;
}

// Two decimals, "-" for NO_VALUE and for anything not printable.
QString Fv(double v)
{
    return IsPrintable(v) ? FormatValue(v, 2, QString(), kDash) : kDash;
}

// A table lookup that never takes a key that is no number: the tables answer such a key with
// their last row.
double Lookup(CableLookup& lookup, double key, const QString& table, int column)
{
    if (!IsPrintable(key) || IsNoValue(key))
        return NO_VALUE;
    return lookup.VLookup(key, table, column);
}

bool Defined(double v)
{
    return IsPrintable(v) && !IsNoValue(v);
}

// A row whose inputs give no circuit (a load, quantity or length that is no number in its
// range, a load beyond every breaker): every figure "-", both verdicts "Chk".
void MarkUncomputable(CircuitCells& row)
{
    for (int c : {CcSubtotal, CcL1, CcL2, CcL3, CcIb, CcAf, CcAt, CcAtb, CcSize, CcMethodCode})
        row[std::size_t(c)] = kDash;
    row[CcThermal] = QStringLiteral("Chk");
    row[CcShortCircuit] = QStringLiteral("Chk");
    for (int c = 22; c <= 29; ++c)
        row[std::size_t(c)] = kDash;
    row[30].clear();
    for (int c = 32; c <= 42; ++c)
        row[std::size_t(c)] = kDash;
    row[44] = kDash;
    for (int c = 46; c <= 58; ++c)
        row[std::size_t(c)] = kDash;
    row[59].clear();
}

QString Verdict(bool ok)
{
    return ok ? QStringLiteral("OK") : QStringLiteral("Chk");
}

double I2Factor(bool applies, double at, double upTo63, double above63)
{
    if (!applies)
        return NO_VALUE;
    return at <= 63.0 ? upTo63 : above63;
}

// Installation method "A", "B", "D", "E" as 0..3; -1 for anything else.
int MethodIndex(const QString& m)
{
    static const char* const methods[4] = {"A", "B", "D", "E"};
    for (int i = 0; i < 4; ++i)
        if (m == QLatin1String(methods[i]))
            return i;
    return -1;
}

}  // namespace

const std::array<CircuitColumnInfo, kCircuitColumnCount>& CircuitColumns()
{
    static const std::array<CircuitColumnInfo, kCircuitColumnCount> columns = {{
        {u"NO.", u"", 55, 55},
        {u"부하명", u"", 110, 110},
        {u"[VA]", u"용량", 55, 55},
        {u"[EA]", u"수량", 55, 55},
        {u"[VA]", u"소계", 65, 0},
        {u"Ph", u"", 55, 55},
        {u"L1", u"부하용량", 65, 0},
        {u"L2", u"부하용량", 65, 0},
        {u"L3", u"부하용량", 65, 0},
        {u"IB[A]", u"전류", 55, 0},
        {u"[m]", u"거리", 55, 55},
        {u"TYPE", u"차단기선정", 85, 85},
        {u"P", u"차단기선정", 55, 55},
        {u"AF", u"차단기선정", 55, 0},
        {u"AT", u"차단기선정", 55, 0},
        {u"ATB", u"KECG-1702", 55, 0},
        {u"ATTH", u"KECG-1702", 55, 0},
        {u"ATSC", u"KECG-1702", 55, 0},
        {u"TYPE", u"도체선정", 55, 55},
        {u"[㎟]", u"도체선정", 55, 0},
        {u"공사", u"도체선정", 55, 0},
        {u"공사", u"도체선정", 55, 55},
        {u"SB", u"KECG-1702", 55, 0},
        {u"SB(HFIX)", u"KECG-1702", 55, 0},
        {u"SB(FCV)", u"KECG-1702", 55, 0},
        {u"SCB", u"KECG-1702", 55, 0},
        {u"SCB(HFIX)", u"KECG-1702", 55, 0},
        {u"SCB(FCV)", u"KECG-1702", 55, 0},
        {u"SVD%", u"KECG-1702", 55, 0},
        {u"SSC", u"KECG-1702", 55, 0},
        {u"비고", u"", 55, 0},
        {u"차단기\n검토", u"", 55, 0},
        {u"I2 MCB", u"ATTH", 55, 0},
        {u"I2 RCBO", u"ATTH", 55, 0},
        {u"I2 MCCB", u"ATTH", 55, 0},
        {u"I2 CBR", u"ATTH", 55, 0},
        {u"I2", u"ATTH", 55, 0},
        {u"1.45IZ", u"ATTH", 55, 0},
        {u"tn", u"ATSC", 55, 0},
        {u"Inst.", u"ATSC", 55, 0},
        {u"SCR", u"ATSC", 55, 0},
        {u"tz", u"ATSC", 55, 0},
        {u"kA", u"ATSC", 55, 0},
        {u"IS - MIN[kA]", u"ATSC", 85, 85},
        {u"kA", u"ATSC", 55, 0},
        {u"도체\n검토", u"", 55, 0},
        {u"IB", u"SCB", 55, 0},
        {u"IN", u"SCB", 55, 0},
        {u"IZ(HFIX)", u"SCB", 55, 0},
        {u"IZ(FCV)", u"SCB", 55, 0},
        {u"IZ", u"SCB", 55, 0},
        {u"[m]", u"SVD", 55, 0},
        {u"VD[%]", u"SVD", 55, 0},
        {u"VD[V]", u"SVD", 55, 0},
        {u"R", u"SVD", 55, 0},
        {u"cosθ", u"SVD", 55, 0},
        {u"X", u"SVD", 55, 0},
        {u"sinθ", u"SVD", 55, 0},
        {u"[㎟]", u"SSC", 60, 0},
        {u"비고", u"", 40, 0},
    }};
    return columns;
}

BranchCircuitConditions BranchCircuitConditionsFromApp(const CSevrinApp& app)
{
    using namespace DesignOptions;
    const auto& b = app.CabinetSizingBlock;
    BranchCircuitConditions c;
    c.singleCoreThreshold = OptionValue(SingleCoreThreshold, b.ConductorCriteriaIndex[0]);
    // The breaker's instantaneous time tN serves both SSC and tN < tZ.
    c.breakerTripTime = OptionValue(TripTime, b.BreakerCriteriaIndex[2]);
    // Strictly: a condition that is no number in its range gives "-" wherever it enters.
    c.loadPowerFactor = QuantityOr(b.ConductorCriteriaText[0], QuantitySign::Positive);
    if (c.loadPowerFactor > 1.0)
        c.loadPowerFactor = NO_VALUE;
    c.faultCurrentRatingPct = QuantityOr(b.ConductorCriteriaText[5], QuantitySign::Positive);
    c.conductorMarginFactor = QuantityOr(b.ConductorCriteriaText[6], QuantitySign::Positive);
    return c;
}

void CalcBranchCircuitRow(CircuitCells& row, int mode, double carriedLoad, double manualSize,
                          const BranchCircuitConditions& cond, CableLookup& lookup)
{
    // Load, quantity and length are at least 0 (a spare circuit of 0 VA, a device on the
    // board itself); ISMIN, when given, is above 0.
    const double unitLoad = QuantityOr(row[CcUnitLoad], QuantitySign::NonNegative);
    const double quantity = QuantityOr(row[CcQuantity], QuantitySign::NonNegative);
    const QString phase = row[CcPhase];
    const double length = QuantityOr(row[CcLength], QuantitySign::NonNegative);
    QString type;
    QString curve;
    SplitBreakerText(row[CcBreaker], type, curve);
    double poleCount = 0.0;
    const int poles = ReadValue(row[CcPoles], &poleCount) ? int(std::trunc(poleCount)) : 0;
    const bool twoPole = poles == 2;
    const bool threePole = poles == 3 || poles == 4;
    const QString conductor = row[CcConductor];
    const int method = MethodIndex(row[CcMethod]);
    // ISMIN: empty takes the expected fault current; given, it must be above 0, or there is
    // no fault current to check the conductor with (the short-circuit figures "-", "Chk").
    const QString isMinText = row[CcIsMin];
    const double isMin = QuantityOr(isMinText, QuantitySign::Positive);

    // Circuit load and its phases.
    const double load = unitLoad * quantity + carriedLoad;
    const bool manualOk = mode != 2 || (IsPrintable(manualSize) && manualSize > 0.0);
    if (!manualOk || !IsPrintable(load) || load < 0.0 || !IsPrintable(length)) {
        MarkUncomputable(row);
        return;
    }
    double l1 = NO_VALUE, l2 = NO_VALUE, l3 = NO_VALUE;
    double phaseLoad = load;
    if (phase == QLatin1String("A")) {
        l1 = l2 = l3 = load / 3.0;
    } else if (phase == QLatin1String("L1")) {
        l1 = load;
    } else if (phase == QLatin1String("L2")) {
        l2 = load;
    } else if (phase == QLatin1String("L3")) {
        l3 = load;
    } else {
        phaseLoad = 0.0;  // no phase: no current
    }
    const double ib = twoPole ? phaseLoad / kSinglePhaseVolt : phaseLoad / (kSqrt3 * kThreePhaseVolt);

    // Breaker: rating for IB, its frame and breaking capacity by type and poles.
    QString table;
    if (type == QLatin1String("MCB") || type == QLatin1String("RCBO") || type == QLatin1String("CBR"))
        table = type;
    else if (type == QLatin1String("MCCB") && twoPole)
        table = QStringLiteral("MCCB2");
    else
        table = QStringLiteral("MCCB3");
    const QString frameTable = table + QStringLiteral("AF");
    const double atb = Lookup(lookup, ib, table, 2);
    // A current above the largest rating of the table has no breaker: the table's last row
    // would be too small, so the row is not computed rather than shown as fine.
    if (Defined(atb) && atb < ib) {
        MarkUncomputable(row);
        return;
    }
    const double at = atb;
    const double af = Lookup(lookup, at, frameTable, 2);
    const double expectedKa = Lookup(lookup, at, frameTable, 3) * cond.faultCurrentRatingPct / 100.0;

    // Sizes for IB and for the rating: HFIX wires (methods A, B) or cables (A, B, D, E).
    QString hfixTable;
    if (conductor == QLatin1String("HFIX") && (twoPole || threePole) && (method == 0 || method == 1))
        hfixTable = QStringLiteral("HFIX%1%2").arg(twoPole ? 2 : 3).arg(method == 0 ? 'A' : 'B');
    QString cableTable;
    if (conductor == QLatin1String("FCV") && (twoPole || threePole) && method >= 0)
        cableTable = QStringLiteral("CABLE%1%2").arg(twoPole ? 1 : 3).arg(QLatin1Char("ABDE"[method]));
    const double sbHfix = hfixTable.isEmpty() ? NO_VALUE : Lookup(lookup, ib, hfixTable, 2);
    const double scbHfix = hfixTable.isEmpty() ? NO_VALUE : Lookup(lookup, at, hfixTable, 2);
    const double sbCable = cableTable.isEmpty() ? NO_VALUE : Lookup(lookup, ib, cableTable, 3);
    const double scbCable = cableTable.isEmpty() ? NO_VALUE : Lookup(lookup, at, cableTable, 3);
    const double sb = MultiplyIgnoringNoValue(sbHfix, sbCable);
    const double scb = MultiplyIgnoringNoValue(scbHfix, scbCable);

    // Conventional operating current I2 by breaker type (MCB, RCBO: 1.45 / 1.52; MCCB, CBR:
    // 1.3 / 1.37, the boundary at 63 A).
    const double i2Mcb = I2Factor(type == QLatin1String("MCB"), at, 1.45, 1.52);
    const double i2Rcbo = I2Factor(type == QLatin1String("RCBO"), at, 1.45, 1.52);
    const double i2Mccb = I2Factor(type == QLatin1String("MCCB"), at, 1.3, 1.37);
    const double i2Cbr = I2Factor(type == QLatin1String("CBR"), at, 1.3, 1.37);
    const double i2 = MultiplyIgnoringNoValue(i2Mcb, i2Rcbo) * MultiplyIgnoringNoValue(i2Mccb, i2Cbr) * at;

    // Short-circuit withstand: ISMIN when given, else the expected fault current.
    const double tn = cond.breakerTripTime;
    const double isc = isMinText.isEmpty() ? expectedKa : isMin;
    const double sscArea = isc * 1000.0 * std::sqrt(tn) / kAdiabatic * cond.conductorMarginFactor;
    const double ssc = Lookup(lookup, sscArea, QStringLiteral("HFIXSQ"), 2);

    // The largest criterion (ties keep the earlier), or the manual size.
    double size = sb;
    if (scb > size)
        size = scb;
    if (ssc > size)
        size = ssc;
    if (mode == 2)
        size = manualSize;

    const double instantaneous = curve == QLatin1String("D") ? 20.0 : 10.0;
    const double scr = isc * 1000.0 / at;
    const double tz = std::pow(kAdiabatic * size / (isc * 1000.0), 2.0);

    double izHfix = NO_VALUE;
    if (conductor == QLatin1String("HFIX") && (twoPole || threePole) && (method == 0 || method == 1))
        izHfix = Lookup(lookup, size, QStringLiteral("HFIXAC"), (twoPole ? 2 : 4) + method);
    double izCable = NO_VALUE;
    if (conductor == QLatin1String("FCV") && (twoPole || threePole) && method >= 0)
        izCable = Lookup(lookup, size, QStringLiteral("CABLEC"), (twoPole ? 2 : 6) + method);
    const double iz = MultiplyIgnoringNoValue(izHfix, izCable);

    // Voltage drop (IEC 60364-5-52 Annex G): u = b (R cos + X sin) IB, b = 2 for a
    // single-phase circuit, sqrt(3) line to line for three phases. The HFIX wire impedances
    // serve both conductor types.
    const QString impedance = QStringLiteral("HFIXIMP");
    const double r = Lookup(lookup, size, impedance, twoPole ? 2 : 4) / 1000.0 * length;
    const double x = Lookup(lookup, size, impedance, twoPole ? 3 : 5) / 1000.0 * length;
    const double cosine = cond.loadPowerFactor;
    const double sine = std::sqrt(1.0 - cosine * cosine);
    const double vd = (twoPole ? 2.0 : kSqrt3) * ib * (r * cosine + x * sine);
    const double vdFraction = vd / (twoPole ? kSinglePhaseVolt : kThreePhaseVolt);

    QString methodCode;
    const bool multiCore = cond.singleCoreThreshold > size;
    switch (method) {
    case 0: methodCode = multiCore && conductor == QLatin1String("FCV") ? "A2" : "A1"; break;
    case 1: methodCode = multiCore && conductor == QLatin1String("FCV") ? "B2" : "B1"; break;
    case 2: methodCode = QStringLiteral("D1"); break;
    case 3: methodCode = multiCore ? "E" : "F"; break;
    default: break;
    }

    const double iz145 = 1.45 * iz;
    // A tZ that is not a finite number (no fault current) proves nothing: "Chk".
    const bool thermalOk = iz145 > i2;
    const bool shortCircuitOk = std::isfinite(tz) && tz > tn;

    row[CcSubtotal] = Fixed(load, 2);
    row[CcL1] = Fv(l1);
    row[CcL2] = Fv(l2);
    row[CcL3] = Fv(l3);
    row[CcIb] = Fixed(ib, 2);
    row[CcAf] = Fixed(af, 2);
    row[CcAt] = Fixed(at, 2);
    row[CcAtb] = Fixed(atb, 2);
    row[CcThermal] = Verdict(thermalOk);
    row[CcShortCircuit] = Verdict(shortCircuitOk);
    row[CcSize] = Fixed(size, 2);
    row[CcMethodCode] = methodCode;
    row[22] = Fv(sb);
    row[23] = Fv(sbHfix);
    row[24] = Fv(sbCable);
    row[25] = Fv(scb);
    row[26] = Fv(scbHfix);
    row[27] = Fv(scbCable);
    row[28] = Fv(vdFraction * 100.0);
    row[29] = Fv(ssc);
    row[30].clear();
    row[32] = Fv(i2Mcb);
    row[33] = Fv(i2Rcbo);
    row[34] = Fv(i2Mccb);
    row[35] = Fv(i2Cbr);
    row[36] = Fixed(i2, 2);
    row[37] = Fixed(iz145, 2);
    row[38] = Fixed(tn, 2);
    row[39] = Fixed(instantaneous, 0);
    row[40] = Fixed(scr, 0);
    row[41] = Fixed(tz, 2);
    row[42] = Fixed(expectedKa, 2);
    row[44] = Fixed(isc, 2);
    row[46] = Fixed(ib, 2);
    row[47] = Fixed(at, 2);
    row[48] = Fv(izHfix);
    row[49] = Fv(izCable);
    row[50] = Fixed(iz, 2);
    row[51] = Fixed(length, 2);
    row[52] = Fixed(vdFraction * 100.0, 2);
    row[53] = Fixed(vd, 2);
    row[54] = Fixed(r, 2);
    row[55] = Fixed(cosine, 2);
    row[56] = Fixed(x, 4);
    row[57] = Fixed(sine, 2);
    row[58] = Fixed(sscArea, 2);
    row[59].clear();
}

// ---- row kinds and list rules ---------------------------------------------------------------

CircuitRowKind ClassifyCircuitRow(const QString& no, const QString& subtotal)
{
    if (no == QLatin1String("PNL"))
        return CircuitRowKind::LinkedPanel;
    if (subtotal.isEmpty())
        return CircuitRowKind::SubtotalLine;
    if (no.isEmpty())
        return CircuitRowKind::GroupClosing;
    if (no == CSevrinApp::MakeInsertedItemName())
        return CircuitRowKind::Placeholder;
    return CircuitRowKind::Calculated;
}

double SubtotalGroupLoad(const std::vector<QStringList>& rows, int n)
{
    double sum = 0.0;
    for (int r = std::min(n, int(rows.size())) - 1; r >= 0; --r) {
        const QStringList& cells = rows[std::size_t(r)];
        sum += QuantityOr(cells.value(CcUnitLoad), QuantitySign::NonNegative) *
               QuantityOr(cells.value(CcQuantity), QuantitySign::NonNegative);
        if (!cells.value(CcNo).isEmpty())
            break;  // the group's numbered first row ends the walk
    }
    return sum;
}

double CarriedLoadOf(const CircuitCells& row)
{
    // Only a closing row carries a group; any other row is its own load, whatever its 소계.
    if (ClassifyCircuitRow(row[CcNo], row[CcSubtotal]) != CircuitRowKind::GroupClosing)
        return 0.0;
    return QuantityOr(row[CcSubtotal], QuantitySign::NonNegative) -
           QuantityOr(row[CcUnitLoad], QuantitySign::NonNegative) *
               QuantityOr(row[CcQuantity], QuantitySign::NonNegative);
}

CircuitDeletePlan PlanCircuitDelete(const std::vector<QStringList>& rows, int s)
{
    CircuitDeletePlan plan;
    if (s < 0 || s >= int(rows.size()))
        return plan;
    const QStringList& row = rows[std::size_t(s)];
    const bool numbered = !row.value(CcNo).isEmpty();
    const bool loaded = !row.value(CcSubtotal).isEmpty();
    if (numbered && loaded) {
        plan.count = 1;
    } else if (numbered) {
        // The first row of a group takes its lines and its closing row with it, up to the
        // next numbered row.
        plan.count = 1;
        while (s + plan.count < int(rows.size()) && rows[std::size_t(s + plan.count)].value(CcNo).isEmpty())
            ++plan.count;
    } else if (!loaded) {
        plan.count = 1;
        plan.note = CircuitDeletePlan::Note::RecalcSubtotal;
    } else {
        plan.note = CircuitDeletePlan::Note::DeleteFromTop;
    }
    return plan;
}

int CheckCircuitInput(const QString& supplyType, const QString& phase, const QString& isMin)
{
    const bool singlePhase = supplyType == QLatin1String("1P2W") || supplyType == QLatin1String("1P3W");
    if (singlePhase && phase == QLatin1String("A"))
        return 0;
    // Empty, 0 or no number at all: no minimum fault current. A negative one is refused by
    // CheckCircuitQuantities with its own message.
    double v = 0.0;
    if (ReadValue(isMin, &v) && v != 0.0)
        return -1;
    return 7;
}

QString CheckCircuitQuantities(const QString& unitLoad, const QString& quantity,
                               const QString& length, const QString& isMin)
{
    const QuantitySign zeroOk = QuantitySign::NonNegative;
    QString refusal = CheckQuantityField(unitLoad, QStringLiteral("용량[VA]"), zeroOk);
    if (refusal.isEmpty())
        refusal = CheckQuantityField(quantity, QStringLiteral("수량[EA]"), zeroOk);
    if (refusal.isEmpty())
        refusal = CheckQuantityField(length, QStringLiteral("거리[m]"), zeroOk);
    if (refusal.isEmpty() && !isMin.isEmpty())
        refusal = CheckQuantityField(isMin, QStringLiteral("ISMIN[kA]"), QuantitySign::Positive);
    return refusal;
}

bool IsRecomputedCircuit(const CircuitCells& row)
{
    const CircuitRowKind kind = ClassifyCircuitRow(row[CcNo], row[CcSubtotal]);
    return kind != CircuitRowKind::SubtotalLine && kind != CircuitRowKind::LinkedPanel;
}

void RecalcStoredCircuitRow(CircuitCells& row, const BranchCircuitConditions& cond,
                            CableLookup& lookup)
{
    if (!IsRecomputedCircuit(row))
        return;
    CalcBranchCircuitRow(row, 0, CarriedLoadOf(row), NO_VALUE, cond, lookup);
}

CircuitCells MakeLinkedPanelRow(const QString& name, const QString& loadVa)
{
    CircuitCells row;
    row[CcNo] = QStringLiteral("PNL");
    row[CcName] = name;
    row[CcUnitLoad] = loadVa;
    row[CcQuantity] = QStringLiteral("1");
    row[CcSubtotal] = loadVa;
    return row;
}

QString JoinBreakerText(const QString& type, const QString& curve)
{
    return type + QLatin1Char('|') + curve;
}

void SplitBreakerText(const QString& text, QString& type, QString& curve)
{
    const qsizetype bar = text.indexOf(QLatin1Char('|'));
    if (bar < 0) {
        type.clear();
        curve = text;
        return;
    }
    type = text.left(bar);
    curve = text.mid(bar + 1);
}
