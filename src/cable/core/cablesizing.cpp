#include "cable/core/cablesizing.h"

#include "app/core/calcutil.h"
#include "app/core/quantity.h"

#include <QCoreApplication>

#include <cmath>
#include <limits>

namespace {

constexpr double kSqrt3 = 1.7320508075688772;
// k of S = I * sqrt(t) / k for copper with XLPE insulation (KEC 212.5.5).
constexpr double kAdiabatic = 143.0;
// Line-to-line to line-to-earth fault current of a single-phase branch.
constexpr double kSinglePhaseFault = 0.866;

// Column numbers.
enum Col : int {
    CblNo = 1, From = 2, To = 3, LoadType = 4, KW = 5, KVA = 6, InputLoad = 7, Phases = 8,
    Wires = 9, Volt = 10, Eff = 11, Pf = 12, IbCol = 13, StartMethod = 14, Beta = 15, CCoef = 16,
    Lambda = 17, MCol = 18, Ims = 19, Ii = 20, Tm = 21, StartPf = 22, Demand = 23, DemandLoad = 24,
    PanelZ = 25, PanelA = 26, PanelT = 27, PanelM = 28, PanelPf = 29, Length = 30, Bar1 = 31,
    MethodCode = 32, Method = 33, Tiers = 34, TrayF = 35, Ambient = 36, TempF = 37, Soil = 38,
    SoilF = 39, Depth = 40, DepthF = 41, Total = 42, Bar2 = 43, Parallel = 44, Sb = 45, ScbAt = 46,
    Scb = 47, SvdLimit = 48, SvdPct = 49, SvdSize = 50, IsMin = 51, SscTime = 52, SscArea = 53,
    Ssc = 54, SmsvdLimit = 55, SmsvdPct = 56, SmsvdSize = 57, SmsthArea = 58, Smsth = 59,
    Selected = 60, Iz = 61, Bar3 = 62, AtbMaker = 63, Atb = 67, AtbVerdict = 68, Atth = 69,
    AtthVerdict = 70, MakerCode = 71, DeltaMaker = 72, Delta = 80, AtmsMaker = 81, Atms = 85,
    Atmi = 86, TN = 87, TZ = 88, IscIn = 89, AtscVerdict = 90, Poles = 91, AfMaker = 92, Af = 96,
    At = 97, KaMaker = 98, Ka = 102, IsMax = 103, CableVolt = 104, CableType = 105, SpecSize = 106,
    SpecMethod = 107, Cores = 108, Lines = 109, Pe = 110, Conduit = 111,
};

// The one "no value" under the name the calculation below uses.
constexpr double kNaN = NO_VALUE;

bool Has(double v)
{
    return !IsNoValue(v) && IsPrintable(v);
}

// A result that overflowed or lost its meaning (division by zero, root of a negative) is no value.
double Checked(double v)
{
    return IsPrintable(v) ? v : NO_VALUE;
}

// A cell without the unit its column is written with ("5.00kA", "35㎟").
QStringView WithoutUnit(const QString& text, QStringView unit)
{
    QStringView t = QStringView(text).trimmed();
    if (!unit.isEmpty() && t.endsWith(unit))
        t.chop(unit.size());
    return t;
}

// The number of a cell, alone or followed by its unit, read by the shared quantity reader:
// "nan", "inf", "1e308", "12,5" or a stray unit are no number.
bool CellNumber(const QString& text, QStringView unit, double* out)
{
    return ReadQuantity(WithoutUnit(text, unit), QuantitySign::Any, out);
}

// The value of a computed or fed-panel cell as the later stages read it: empty 0, "-" 1, a
// number as it stands (with the unit its source writes, the "s" of a starting time); NO_VALUE
// for anything else and for a negative figure, which none of these cells can hold.
double CellValue(const QString& text, QStringView unit = {})
{
    if (text.isEmpty())
        return 0.0;
    if (text == QLatin1String("-"))
        return 1.0;
    return QuantityOr(WithoutUnit(text, unit), QuantitySign::NonNegative);
}

// A given number, or NO_VALUE for empty text, "-" and anything that is not a positive number.
double Positive(const QString& text, QStringView unit = {})
{
    return QuantityOr(WithoutUnit(text, unit), QuantitySign::Positive);
}

// A quantity the row must give (a load, a voltage): NO_VALUE when the cell is empty or holds
// anything but a positive number, and so is all that rests on it. Whether the cell was given
// at all is asked of its text (Blank).
double Given(const QString& text)
{
    return QuantityOr(text, QuantitySign::Positive);
}

// True for a cell left empty (nothing given), as against one that holds no number.
bool Blank(const QString& text)
{
    return text.trimmed().isEmpty();
}

// An input cell the row must give, as the row shows it: empty when nothing was given, "-" when
// what was given is no positive number, the figure otherwise.
void PutGiven(CableRow& row, int col, double v)
{
    QString& cell = row[std::size_t(col)];
    if (Blank(cell))
        cell.clear();
    else
        cell = Has(v) ? FormatCableColumn(col, v) : QStringLiteral("-");
}

// A design condition that only makes sense as a positive figure (a power factor, an efficiency,
// a margin); NO_VALUE otherwise.
double PositiveCondition(double v)
{
    return Has(v) && v > 0 ? v : NO_VALUE;
}

// sqrt(1 - cos^2), or NO_VALUE for a power factor outside 0..1.
double SinOf(double cosine)
{
    if (!Has(cosine) || cosine < 0 || cosine > 1)
        return NO_VALUE;
    return std::sqrt(1.0 - cosine * cosine);
}

// A whole number for a lookup that wants one (ratings, seconds); false when the value has no
// whole number in range (NO_VALUE, NaN, infinite or beyond any real rating).
bool WholeNumber(double v, int& out)
{
    if (!Has(v) || v < 0 || v > 1e7)
        return false;
    out = static_cast<int>(std::trunc(v));
    return true;
}

struct Maker
{
    int index;  // 0..3, the block of per-maker columns
    const char* ratingTable;
    const char* frameTable;
    const char* deltaCode;
};

const Maker kMakers[4] = {
    {0, "LSMAT", "LSMAF", "LSM"},
    {1, "LSSAT", "LSSAF", "LSS"},
    {2, "HGMAT", "HGMAF", "HG"},
    {3, "USERAT", "USERAF", "USERT"},
};

const Maker* FindMaker(const QString& code)
{
    static const char* const codes[4] = {"LSM", "LSS", "HG", "User"};
    for (int i = 0; i < 4; ++i) {
        if (code == QLatin1String(codes[i]))
            return &kMakers[i];
    }
    return nullptr;
}

// Installation method "A", "B", "D", "E" as 0..3; -1 for anything else.
int MethodIndex(const QString& m)
{
    if (m == QLatin1String("A"))
        return 0;
    if (m == QLatin1String("B"))
        return 1;
    if (m == QLatin1String("D"))
        return 2;
    if (m == QLatin1String("E"))
        return 3;
    return -1;
}

const QString& SizeTable(bool threePhase, int method)
{
    static const QString names[8] = {
        QStringLiteral("CABLE1A"), QStringLiteral("CABLE1B"), QStringLiteral("CABLE1D"),
        QStringLiteral("CABLE1E"), QStringLiteral("CABLE3A"), QStringLiteral("CABLE3B"),
        QStringLiteral("CABLE3D"), QStringLiteral("CABLE3E"),
    };
    return names[(threePhase ? 4 : 0) + method];
}

class Lookups
{
public:
    explicit Lookups(CableLookup& l) : m_l(l) {}

    // A lookup of a value that is itself missing finds nothing.
    double V(double value, const QString& table, int column)
    {
        if (!Has(value))
            return NO_VALUE;
        return Checked(m_l.VLookup(value, table, column));
    }
    // The lookup as the table gives it, also for NO_VALUE (its first entry).
    double Raw(double value, const QString& table, int column)
    {
        if (!std::isfinite(value))
            value = value > 0 ? std::numeric_limits<double>::max() : NO_VALUE;
        return Checked(m_l.VLookup(value, table, column));
    }
    double H(double value, const QString& table)
    {
        if (!Has(value))
            return NO_VALUE;
        return Checked(m_l.HLookup(value, table));
    }
    CableLookup& base() { return m_l; }

private:
    CableLookup& m_l;
};

const QString kCableSq = QStringLiteral("CABLESQ");
const QString kCableC = QStringLiteral("CABLEC");
const QString kCableZ = QStringLiteral("CABLEZ");
const QString kCb = QStringLiteral("CB");

// A maker's operating multiple for a rating and a starting time, as a number ("-" reads 0,
// a negative multiple is no value).
double BreakerDelta(CableLookup& l, const Maker& m, double rating, double time)
{
    int at = 0;
    int t = 0;
    if (!WholeNumber(rating, at) || !WholeNumber(time, t))
        return 0.0;
    double delta = 0.0;
    if (!CellNumber(l.GetBreakerDelta(QLatin1String(m.deltaCode), at, t, QStringLiteral("-")), {},
                    &delta))
        return 0.0;
    // A negative multiple (a damaged or mistyped table) is none: no ATMS is derived from it.
    return delta >= 0.0 ? delta : NO_VALUE;
}

// Voltage drop in percent: I x K x L/1000 x (R cos + X sin) / (1000 V) x 100.
double DropPct(double current, double k, double lengthM, double r, double x, double cosine,
               double volt)
{
    const double sine = SinOf(cosine);
    if (!Has(current) || !Has(r) || !Has(x) || !Has(sine) || !Has(volt) || !(volt > 0) ||
        !Has(lengthM) || !(lengthM > 0))
        return NO_VALUE;
    const double pct = Checked(current * k * lengthM / 1000.0 * (r * cosine + x * sine) /
                               (1000.0 * volt) * 100.0);
    return Has(pct) && pct >= 0 ? pct : NO_VALUE;
}

}  // namespace

void LookupMotorEfficiency(CableLookup& lookup, double kW, const QString& startingMethod,
                           double& efficiency, double& powerFactor)
{
    efficiency = 0.9;
    powerFactor = 0.8;
    std::array<QString, 19> motor;
    if (!lookup.FindMotorData(kW, startingMethod, motor))
        return;
    // A field that is missing, or holds no usable figure, keeps the default.
    const double eta = Positive(motor[4]);
    const double cos = Positive(motor[5]);
    if (Has(eta))
        efficiency = eta;
    if (Has(cos) && cos <= 1.0)
        powerFactor = cos;
}

std::array<QString, 8> CalcMotorStartCharacteristics(CableLookup& lookup,
                                                    const CableConditions& cond, double kW,
                                                    const QString& startMethod, double ibm)
{
    double beta = NO_VALUE, c = NO_VALUE, lambda = NO_VALUE, m = NO_VALUE, tm = NO_VALUE;
    std::array<QString, 19> data;
    if (lookup.FindMotorData(kW, startMethod, data)) {
        // An empty field is as absent as "-".
        auto field = [&data](int f) {
            const QString& t = data[std::size_t(f)];
            double v = 0.0;
            return CellNumber(t, {}, &v) ? v : NO_VALUE;
        };
        beta = field(8);
        c = field(9);
        lambda = field(10);
        m = field(11);
        tm = field(14);
    }
    const bool softOrInverter =
        startMethod == QLatin1String("S.S") || startMethod == QLatin1String("INV");
    if (startMethod == QLatin1String("S.S"))
        tm = cond.mccSoftStarterTime;
    else if (startMethod == QLatin1String("INV"))
        tm = cond.mccInverterTime;
    // Without the factors the formula needs, the currents stay "-" (read as 1 later on, as a
    // motor given in kVA only).
    double ims = NO_VALUE;
    if (softOrInverter || startMethod == QLatin1String("Elev")) {
        if (Has(ibm) && Has(lambda))
            ims = Checked(ibm * lambda);
    } else if (Has(ibm) && Has(beta) && Has(c)) {
        ims = Checked(ibm * beta * c);
    }
    double ii = NO_VALUE;
    if (softOrInverter)
        ii = ims;
    else if (Has(ims) && Has(cond.mccInrushMultiple))
        ii = Checked(ims * cond.mccInrushMultiple);
    const double values[8] = {beta, c, lambda, m, ims, ii, tm, cond.mccStartPowerFactor};
    std::array<QString, 8> texts;
    for (int i = 0; i < 8; ++i)
        texts[std::size_t(i)] = FormatCableColumn(Beta + i, values[i]);
    return texts;
}

void CalcCableAndBreaker(CableRow& row, bool manual, bool fromStored, const CableConditions& cond,
                         const CableFormExtras& form, CableLookup& lookup)
{
    Lookups look(lookup);
    auto put = [&row](int col, double v) { row[std::size_t(col)] = FormatCableColumn(col, v); };
    auto text = [&row](int col) -> const QString& { return row[std::size_t(col)]; };

    // 1. Load data.
    row[CblNo] = text(From) + QLatin1Char('/') + text(To);
    const QString loadType = text(LoadType);
    // Lengths, phases, wires, voltages and loads are positive or they are no value: a stored
    // "nan", "-5" or "1e308" shows "-" and so does every figure built on it.
    const double lengthM = Given(text(Length));
    // The length is kept as typed; one that is no positive number shows "-".
    if (!Blank(text(Length)) && IsNoValue(lengthM))
        row[Length] = QStringLiteral("-");
    const double p = Given(text(Phases));
    const double w = Given(text(Wires));
    const double volt = Given(text(Volt));
    const bool threePhase = p == 3.0;
    const double kW = Given(text(KW));
    const double kVA = Given(text(KVA));
    // A kW that is given but no number still decides the row: its load is then unknown.
    const bool byKw = !Blank(text(KW));
    const bool motor = loadType == QLatin1String("M");
    const bool motorByKw = motor && Has(kW);

    // 2. Efficiency, power factor and input load.
    QString startMethod = QStringLiteral("-");
    double eta = 1.0;
    double cosPhi = 1.0;
    if (motorByKw) {
        startMethod = fromStored ? text(StartMethod) : form.startingMethod;
        LookupMotorEfficiency(lookup, kW, startMethod, eta, cosPhi);
    } else if (loadType == QLatin1String("L3P")) {
        eta = 1.0;
        cosPhi = 1.0;
    } else {
        // A power factor outside 0..1 or an efficiency that is not positive gives no load.
        cosPhi = PositiveCondition(cond.loadPowerFactor);
        if (cosPhi > 1.0)
            cosPhi = kNaN;
        eta = PositiveCondition(cond.loadEfficiency);
    }
    double inputKva = NO_VALUE;
    if (byKw) {
        if (Has(kW) && Has(cosPhi) && Has(eta))
            inputKva = Checked(kW / cosPhi / eta);
    } else if (Has(kVA) && Has(eta)) {
        inputKva = Checked(kVA / eta);
    }

    // 3. Motor starting characteristics (the motor's own current, without the demand factor).
    if (motorByKw) {
        double ibm = NO_VALUE;
        if (Has(inputKva) && Has(p) && Has(volt))
            ibm = Checked(std::trunc(p) == 3.0 ? inputKva / kSqrt3 / volt : inputKva / volt);
        const std::array<QString, 8> texts =
            CalcMotorStartCharacteristics(lookup, cond, kW, startMethod, ibm);
        for (int i = 0; i < 8; ++i)
            row[std::size_t(Beta + i)] = texts[std::size_t(i)];
    } else {
        for (int i = 0; i < 8; ++i)
            row[std::size_t(Beta + i)] = QStringLiteral("-");
    }
    row[StartMethod] = startMethod;

    // 4. Fed-panel values and the combined starting power factor.
    QString z, a, t, mm, pf;
    if (fromStored) {
        z = text(PanelZ);
        a = text(PanelA);
        t = text(PanelT);
        mm = text(PanelM);
        pf = text(PanelPf);
    } else if (form.mccPanel) {
        z = form.maxExcludedKva;
        a = form.maxMotorStartKva;
        t = form.maxMotorStartTime;
        mm = form.maxMotorStartMethod;
        const double pz = CellValue(z);
        const double pa = CellValue(a);
        const double cosM = cond.motorStartPowerFactor;
        const double sinRow = SinOf(cosPhi);
        const double sinM = SinOf(cosM);
        if (!Has(pz) || !Has(pa)) {
            pf = QStringLiteral("-");
        } else if (Has(cosM) && Has(sinRow) && Has(sinM)) {
            const double x = pz * cosPhi + pa * cosM;
            if (x * x != 0.0) {
                const double y = pz * sinRow + pa * sinM;
                pf = FormatCableColumn(PanelPf, Checked(x / std::sqrt(x * x + y * y)));
            }
        }
    }
    // A fed-panel figure that is no number (a stored "nan", "-5", "1e308") is shown as "-",
    // the mark of a panel without that figure, never echoed as if it were one; so is a power
    // factor above 1. A zero stored with a minus is shown as 0.
    const auto shown = [](QString& cell, QStringView unit, double largest) {
        if (cell.isEmpty())
            return;
        const double v = CellValue(cell, unit);
        if (std::isnan(v) || v > largest) {
            cell = QStringLiteral("-");
        } else if (v == 0.0) {
            const QString trimmed = cell.trimmed();
            if (trimmed.startsWith(QLatin1Char('-')))
                cell = trimmed.mid(1);
        }
    };
    constexpr double kAny = std::numeric_limits<double>::infinity();
    shown(z, {}, kAny);
    shown(a, {}, kAny);
    shown(t, u"s", kAny);
    shown(pf, {}, 1.0);
    const bool fed = !a.isEmpty();
    row[PanelZ] = z;
    row[PanelA] = a;
    row[PanelT] = t;
    row[PanelM] = mm;
    row[PanelPf] = pf;

    // 5. Demand load and design current. An empty demand factor is a demand of 1, and an empty
    // parallel count or one between 0 and 1 is a single cable; a demand factor or count that
    // is not a positive number is no value.
    const QString& dfText = text(Demand);
    const double df = (dfText.trimmed().isEmpty() || dfText == QLatin1String("-")) ? 1.0 : Given(dfText);
    const int method = MethodIndex(text(Method));
    double n = text(Parallel).trimmed().isEmpty() ? 1.0 : Given(text(Parallel));
    if (Has(n) && n < 1.0)
        n = 1.0;
    const QString cableType = text(CableType);
    const double demandKva = Has(inputKva) && Has(df) ? Checked(inputKva * df) : NO_VALUE;
    double ib = NO_VALUE;
    if (Has(demandKva) && Has(volt) && Has(p) && Has(n))
        ib = Checked(threePhase ? demandKva / kSqrt3 / volt : demandKva / volt);

    // 6. Correction factors (shown; the ampacity tables already carry them).
    const double tiers = cond.trayTiers;
    const double trayF = method == 3 ? look.V(tiers, QStringLiteral("TRAYDF"), 10) : NO_VALUE;
    const double tempF = method == 2 ? look.H(cond.groundAmbient, QStringLiteral("UGTDF"))
                                     : look.H(cond.airAmbient, QStringLiteral("TDF"));
    double rho = NO_VALUE, soilF = NO_VALUE, depth = NO_VALUE, depthF = NO_VALUE;
    if (method == 2) {
        rho = cond.soilResistivity;
        soilF = look.H(rho, QStringLiteral("UGDF"));
        depth = cond.burialDepth;
        depthF = look.H(depth, QStringLiteral("UGDDF"));
    }
    const double total = MultiplyIgnoringNoValue(MultiplyIgnoringNoValue(trayF, tempF),
                                                 MultiplyIgnoringNoValue(soilF, depthF));

    // 7. SB: the size whose derated ampacity carries IB / N.
    auto manualSize = [&](int col) { return Positive(text(col), u"㎟"); };
    const double sbAuto =
        method >= 0 && Has(ib) ? look.V(ib / n, SizeTable(threePhase, method), 3) : NO_VALUE;
    const double sb = manual ? manualSize(Sb) : sbAuto;

    // 8. Allowed voltage drops; a limit that is not a positive figure is not set ("-").
    const auto limit = [](double pct) { return Has(pct) && pct > 0 ? pct : NO_VALUE; };
    const double svdLimit = limit(motor                              ? cond.motorBranchDropPct
                                  : loadType == QLatin1String("L3P") ? cond.feederDropPct
                                                                     : cond.branchDropPct);
    const double smsvdLimit = motor ? limit(cond.motorStartDropPct)
                              : fed ? limit(cond.motorFeederStartDropPct)
                                    : NO_VALUE;
    // Margins multiply sizes and currents: only a positive one means anything.
    const double inrushMargin = PositiveCondition(cond.inrushMarginFactor);
    const double startMargin = PositiveCondition(cond.motorStartMarginFactor);
    const double conductorMargin = PositiveCondition(cond.conductorMarginFactor);

    // 9. ATB from the row's own maker only.
    const Maker* maker = FindMaker(text(MakerCode));
    std::array<double, 4> atbBy;
    atbBy.fill(NO_VALUE);
    if (maker)
        atbBy[std::size_t(maker->index)] = look.V(ib, QLatin1String(maker->ratingTable), 2);
    const double atb = GetMaxOf4(atbBy[0], atbBy[1], atbBy[2], atbBy[3]);

    // Values of the computed motor and fed-panel texts as the later stages read them.
    const double imsV = CellValue(text(Ims));
    const double iiV = CellValue(text(Ii));
    const double tmV = CellValue(text(Tm));
    const double csV = CellValue(text(StartPf));
    const double zV = CellValue(z);
    const double aV = CellValue(a);
    const double tV = CellValue(t, u"s");
    const double r = threePhase ? kSqrt3 : 1.0;

    // 10. ATMI (shown only).
    double atmi = NO_VALUE;
    if (motor) {
        atmi = look.V(Checked(iiV * inrushMargin / 10.0), kCb, 2);
    } else if (fed && volt > 0) {
        const bool kOne = mm == QLatin1String("S.S") || mm == QLatin1String("INV");
        const double km = kOne ? 1.0 : cond.inrushMultiple;
        atmi = look.V(Checked((aV * km + zV) / r / volt * inrushMargin / 10.0), kCb, 2);
    }

    // 11. SMSTh: the starting current's heat, S = I sqrt(t) / 143.
    double smsthArea = NO_VALUE;
    if (motor) {
        if (tmV >= 0)
            smsthArea = Checked(std::sqrt(tmV) * imsV * startMargin / kAdiabatic / n);
    } else if (fed && volt > 0 && tV >= 0) {
        const double i = (zV + aV) / r / volt;
        smsthArea = Checked(i * std::sqrt(tV) * startMargin / kAdiabatic / n);
    }
    if (Has(smsthArea) && smsthArea < 0)
        smsthArea = NO_VALUE;
    const double smsthAuto = (motor || fed) ? look.V(smsthArea, kCableSq, 2) : NO_VALUE;
    const double smsth = manual ? manualSize(Smsth) : smsthAuto;

    // 12. ATTh and the rating: ATMS, ATMI and ATSC are shown but never raise it.
    const double atth = atb;
    const double at = manual ? Positive(text(KaMaker)) : GetMaxOf2(atb, atth);

    // 13. Operating multiples of the row's maker.
    std::array<double, 8> deltas;
    deltas.fill(NO_VALUE);
    if (maker) {
        if (motor)
            deltas[std::size_t(2 * maker->index)] = BreakerDelta(lookup, *maker, at, tmV);
        if (fed)
            deltas[std::size_t(2 * maker->index + 1)] = BreakerDelta(lookup, *maker, at, tV);
    }
    const double delta = (motor || fed) ? GetMaxOf8(deltas[0], deltas[1], deltas[2], deltas[3],
                                                    deltas[4], deltas[5], deltas[6], deltas[7])
                                        : NO_VALUE;

    // 14. ATMS (shown only). A multiple of 0 finds the maker's largest rating.
    std::array<double, 4> atmsBy;
    atmsBy.fill(NO_VALUE);
    if (maker && (motor || fed)) {
        double current = NO_VALUE;
        if (motor)
            current = imsV;
        else if (volt > 0)
            current = (zV + aV) / r / volt;
        if (Has(current) && Has(delta)) {
            const double needed = delta != 0.0 ? Checked(current / delta)
                                               : MAX_QUANTITY;
            atmsBy[std::size_t(maker->index)] =
                look.V(needed, QLatin1String(maker->ratingTable), 2);
        }
    }
    const double atms = (motor || fed) ? GetMaxOf4(atmsBy[0], atmsBy[1], atmsBy[2], atmsBy[3])
                                       : NO_VALUE;

    // 15. SSC: the fault current's heat (adiabatic, KEC 212.5.5), from the minimum fault
    // current. A row without one has no SSC criterion.
    const double isMin = Positive(text(IsMin), u"kA");
    const double tripT = cond.conductorTripTime;
    double sscArea = NO_VALUE;
    if (Has(isMin) && Has(tripT) && tripT >= 0 && Has(conductorMargin)) {
        const double share = threePhase ? 1.0 : kSinglePhaseFault;
        sscArea = Checked(isMin * share * 1000.0 * std::sqrt(tripT) / kAdiabatic *
                          conductorMargin / n);
        if (Has(sscArea) && sscArea < 0)
            sscArea = NO_VALUE;
    }
    const double sscAuto = look.V(sscArea, kCableSq, 2);
    const double ssc = manual ? manualSize(Ssc) : sscAuto;

    // 16. SCB: the size that carries the rating.
    const double scbAuto =
        method >= 0 && Has(at) ? look.V(at / n, SizeTable(threePhase, method), 3) : NO_VALUE;
    const double scb = manual ? manualSize(Scb) : scbAuto;

    // 17. Sizes for the voltage drops and the selected size. The drops are reported at these
    // sizes, never met by stepping the size up.
    const double s4 = GetMaxOf4(sb, scb, smsth, ssc);
    const double smsvdSize = manual ? manualSize(SmsvdSize) : ((motor || fed) ? s4 : NO_VALUE);
    const double svdSize = manual ? manualSize(SvdSize) : s4;
    const double s = GetMaxOf6(sb, scb, svdSize, ssc, smsvdSize, smsth);

    // Resistance and reactance (ohm/km): single-phase columns for P = 2, else three-phase.
    const int rCol = p == 2.0 ? 2 : 4;
    auto impedance = [&](double size, double& rOhm, double& xOhm) {
        rOhm = look.Raw(size, kCableZ, rCol);
        xOhm = look.Raw(size, kCableZ, rCol + 1);
    };

    // 18. SMSVD%.
    double smsvdPct = NO_VALUE;
    if (motor || fed) {
        const double k = threePhase ? kSqrt3 : 1.0;
        double rOhm, xOhm;
        impedance(smsvdSize, rOhm, xOhm);
        if (motor) {
            smsvdPct = DropPct(imsV / n, k, lengthM, rOhm, xOhm, csV, volt);
        } else if (volt > 0) {
            const double i = (zV + aV) / volt / n / k;
            smsvdPct = DropPct(i, k, lengthM, rOhm, xOhm, cond.motorStartPowerFactor, volt);
        }
    }

    // 19. Installation method code: multi-core below the threshold, single-core from it.
    const bool multiCore = s < cond.singleCoreThreshold;
    static const char* const codes[4][2] = {{"A1", "A2"}, {"B1", "B2"}, {"D1", "D1"}, {"F", "E"}};
    const QString methodCode =
        method >= 0 ? QLatin1String(codes[method][multiCore ? 1 : 0]) : QString();

    // 20. SVD%.
    double svdPct = NO_VALUE;
    {
        double rOhm, xOhm;
        impedance(svdSize, rOhm, xOhm);
        if (Has(ib))
            svdPct = DropPct(ib / n, threePhase ? kSqrt3 : 2.0, lengthM, rOhm, xOhm, cosPhi, volt);
    }

    // 21. ATSC: time for the fault current to bring the conductor to its short-time limit.
    const double tN = cond.breakerTripTime;
    double tZ = NO_VALUE;
    double iscIn = NO_VALUE;
    QString atscVerdict = QStringLiteral("-");
    if (Has(isMin)) {
        const double isc = isMin * (threePhase ? 1.0 : kSinglePhaseFault) * 1000.0;
        if (Has(s) && s >= 0)
            tZ = Checked(std::pow(s * kAdiabatic * n / isc, 2));
        if (Has(at) && at != 0.0)
            iscIn = Checked(isMin * 1000.0 / at);
        atscVerdict = tZ > tN ? QStringLiteral("OK") : QStringLiteral("Check");
    }

    // 22. IZ of the selected size and the verdict IB < IN < IZ.
    double iz = NO_VALUE;
    if (method >= 0 && Has(s)) {
        const double c = look.V(s, kCableC, (threePhase ? 6 : 2) + method);
        if (Has(c))
            iz = Checked(c * n);
    }
    const QString atbVerdict = iz > atb ? QStringLiteral("OK") : QStringLiteral("Check");

    // 23. Frame.
    std::array<double, 4> afBy;
    afBy.fill(NO_VALUE);
    if (maker)
        afBy[std::size_t(maker->index)] = look.V(at, QLatin1String(maker->frameTable), 2);
    const double af = manual ? Positive(text(At), u"AF") : GetMaxOf4(afBy[0], afBy[1], afBy[2], afBy[3]);

    // 24. I2 < 1.45 IZ with the conventional tripping multiple of industrial moulded-case
    // breakers: 1.3 up to 63 A, 1.37 above.
    const double f = atth <= 63.0 ? 1.3 : 1.37;
    const QString i2Verdict = 1.45 * iz > f * atth ? QStringLiteral("OK") : QStringLiteral("Check");

    // 25. Breaking capacity.
    std::array<double, 4> kaBy;
    kaBy.fill(NO_VALUE);
    if (maker)
        kaBy[std::size_t(maker->index)] = look.V(af, QLatin1String(maker->frameTable), 3);
    const double ka = GetMaxOf4(kaBy[0], kaBy[1], kaBy[2], kaBy[3]);

    // 26. Cable specification.
    const double isMax = Positive(text(IsMax), u"kA");
    const double cores = multiCore ? w : 1.0;
    double lines = multiCore ? n : w * n;
    if (startMethod == QLatin1String("Y-D"))
        lines *= 2.0;
    const double pe = look.V(s, QStringLiteral("GV"), 2);
    double area = NO_VALUE;
    const bool fcv = cableType == QLatin1String("FCV");
    if ((fcv || cableType == QLatin1String("FR8")) && (cores == 1 || cores == 2 || cores == 3 || cores == 4)) {
        const int areaCol = 1 + 2 * static_cast<int>(cores);
        const double one = look.V(s, fcv ? QStringLiteral("FCVSQ") : QStringLiteral("FR8SQ"), areaCol);
        const double peArea = look.V(pe, QStringLiteral("GVSQ"), 3);
        if (Has(one) && Has(peArea))
            area = Checked(one * lines + peArea);
    }
    const QString conduitKind = method == 2                    ? QStringLiteral("FEP")
                                : (method == 1 || method == 3) ? QStringLiteral("ST")
                                                               : QStringLiteral("CD");
    // No area (a five-core cable, an unknown type) finds the first size of the conduit table;
    // without a size or a line count there is no cable to lay and no conduit.
    const double conduitSize =
        Has(s) && Has(cores) && Has(lines) ? look.Raw(area, conduitKind, 3) : NO_VALUE;

    // 27. Results into the row, in column order.
    PutGiven(row, KW, kW);
    PutGiven(row, KVA, kVA);
    put(InputLoad, inputKva);
    put(Phases, p);
    put(Wires, w);
    put(Volt, volt);
    put(Eff, eta);
    put(Pf, cosPhi);
    put(IbCol, ib);
    put(Demand, df);
    put(DemandLoad, demandKva);
    row[Bar1] = QStringLiteral("|");
    row[MethodCode] = methodCode;
    put(Tiers, tiers);
    put(TrayF, trayF);
    put(Ambient, cond.airAmbient);
    put(TempF, tempF);
    put(Soil, rho);
    put(SoilF, soilF);
    put(Depth, depth);
    put(DepthF, depthF);
    put(Total, total);
    row[Bar2] = QStringLiteral("|");
    put(Parallel, n);
    put(Sb, sb);
    put(ScbAt, at);
    put(Scb, scb);
    put(SvdLimit, svdLimit);
    put(SvdPct, svdPct);
    put(SvdSize, svdSize);
    put(IsMin, isMin);
    put(SscTime, tripT);
    put(SscArea, sscArea);
    put(Ssc, ssc);
    put(SmsvdLimit, smsvdLimit);
    put(SmsvdPct, smsvdPct);
    put(SmsvdSize, smsvdSize);
    put(SmsthArea, smsthArea);
    put(Smsth, smsth);
    put(Selected, s);
    put(Iz, iz);
    row[Bar3] = QStringLiteral("|");
    for (int i = 0; i < 4; ++i)
        put(AtbMaker + i, atbBy[std::size_t(i)]);
    put(Atb, atb);
    row[AtbVerdict] = atbVerdict;
    put(Atth, atth);
    row[AtthVerdict] = i2Verdict;
    for (int i = 0; i < 8; ++i)
        put(DeltaMaker + i, deltas[std::size_t(i)]);
    put(Delta, delta);
    for (int i = 0; i < 4; ++i)
        put(AtmsMaker + i, atmsBy[std::size_t(i)]);
    put(Atms, atms);
    put(Atmi, atmi);
    put(TN, tN);
    put(TZ, tZ);
    put(IscIn, iscIn);
    row[AtscVerdict] = atscVerdict;
    put(Poles, w);
    for (int i = 0; i < 4; ++i)
        put(AfMaker + i, afBy[std::size_t(i)]);
    put(Af, af);
    put(At, at);
    for (int i = 0; i < 4; ++i)
        put(KaMaker + i, kaBy[std::size_t(i)]);
    put(Ka, ka);
    put(IsMax, isMax);
    row[CableVolt] = QStringLiteral("0.6/1kV");
    put(SpecSize, s);
    row[SpecMethod] = methodCode;
    put(Cores, cores);
    put(Lines, lines);
    put(Pe, pe);
    row[Conduit] = FormatConduit(conduitKind, conduitSize);
}

std::vector<int> CheckCableAlarms(const CableRow& row)
{
    // A figure over its limit; a cell without a figure ("-", empty) decides nothing.
    const auto over = [&row](int valueCol, int limitCol, QStringView unit) {
        double value = 0.0, limit = 0.0;
        return CellNumber(row[std::size_t(valueCol)], unit, &value) &&
               CellNumber(row[std::size_t(limitCol)], unit, &limit) && value > limit;
    };
    auto check = [&row](int col) { return row[std::size_t(col)] == QLatin1String("Check"); };
    std::vector<int> codes;
    if (over(SvdPct, SvdLimit, u"%"))
        codes.push_back(8);
    if (over(SmsvdPct, SmsvdLimit, u"%"))
        codes.push_back(1);
    if (check(AtbVerdict))
        codes.push_back(2);
    if (check(AtthVerdict))
        codes.push_back(2);
    if (check(AtscVerdict))
        codes.push_back(3);
    // A fault current against a breaking capacity that was never found is not known to be
    // broken: checked as well.
    double isMax = 0.0, ka = 0.0;
    if (CellNumber(row[IsMax], u"kA", &isMax) && isMax > 0 &&
        (!CellNumber(row[Ka], u"kA", &ka) || isMax > ka))
        codes.push_back(4);
    return codes;
}

int CableRowNeedsCheck(const CableRow& row)
{
    return CheckCableAlarms(row).empty() ? 0 : 1;
}

QString ValidateCableCapacity(const QString& kW, const QString& kVA)
{
    if (!kW.isEmpty() && !kVA.isEmpty())
        return QStringLiteral("용량 값을 하나만 지정해 주세요!!!");
    if (kW.isEmpty() && kVA.isEmpty())
        return QStringLiteral("용량 값을 하나를 지정해 주세요!!!");
    return QString();
}
