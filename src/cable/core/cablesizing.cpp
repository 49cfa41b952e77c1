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


bool Has(double v)
{
    return !IsNoValue(v) && IsPrintable(v);
}

// A result that overflowed or lost its meaning (division by zero, root of a negative) is no value.
double Checked(double v)
{
    return IsPrintable(v) ? v : NO_VALUE;
}

// A cell without its blanks and the unit its column is written with ("5.00kA", "35㎟"), as the
// quantity reader takes it: "nan", "inf", "1e308", "12,5" or a stray unit stay no number.
QStringView WithoutUnit(const QString& text, QStringView unit)
{
    QStringView t = QStringView(text).trimmed();
    if (!unit.isEmpty() && t.endsWith(unit))
        t.chop(unit.size());
    return t;
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
    const QString deltaText =
        l.GetBreakerDelta(QLatin1String(m.deltaCode), at, t, QStringLiteral("-"));
    if (!ReadQuantity(QStringView(deltaText).trimmed(), QuantitySign::Any, &delta))
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
    const double eta = QuantityOr(QStringView(motor[4]).trimmed(), QuantitySign::Positive);
    const double cos = QuantityOr(QStringView(motor[5]).trimmed(), QuantitySign::Positive);
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
            return QuantityOr(QStringView(data[std::size_t(f)]).trimmed(), QuantitySign::Any);
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

namespace {

// The row's load: length, phases, wires, voltage and kW or kVA. Lengths, phases, wires,
// voltages and loads are positive or they are no value: a stored "nan", "-5" or "1e308" shows
// "-" and so does every figure built on it.
struct LoadInputs
{
    QString loadType;
    double lengthM = NO_VALUE;
    double p = NO_VALUE;     // phases
    double w = NO_VALUE;     // wires
    double volt = NO_VALUE;  // kV
    double kW = NO_VALUE;
    double kVA = NO_VALUE;
    bool threePhase = false;
    bool byKw = false;       // a kW is given, number or not: its load decides the row
    bool motor = false;
    bool motorByKw = false;
};

LoadInputs LoadInputsOf(const CableRow& row)
{
    LoadInputs l;
    l.loadType = row[LoadType];
    l.lengthM = QuantityOr(row[Length], QuantitySign::Positive);
    l.p = QuantityOr(row[Phases], QuantitySign::Positive);
    l.w = QuantityOr(row[Wires], QuantitySign::Positive);
    l.volt = QuantityOr(row[Volt], QuantitySign::Positive);
    l.threePhase = l.p == 3.0;
    l.kW = QuantityOr(row[KW], QuantitySign::Positive);
    l.kVA = QuantityOr(row[KVA], QuantitySign::Positive);
    // A kW that is given but no number still decides the row: its load is then unknown.
    l.byKw = !Blank(row[KW]);
    l.motor = l.loadType == QLatin1String("M");
    l.motorByKw = l.motor && Has(l.kW);
    return l;
}

// Efficiency, power factor and input load kVA = kW / cos / eta (or kVA / eta).
struct InputPower
{
    QString startMethod = QStringLiteral("-");
    double eta = 1.0;
    double cosPhi = 1.0;
    double inputKva = NO_VALUE;
};

InputPower InputPowerOf(const CableRow& row, const LoadInputs& l, bool fromStored,
                      const CableConditions& cond, const CableFormExtras& form, CableLookup& lookup)
{
    InputPower in;
    if (l.motorByKw) {
        in.startMethod = fromStored ? row[StartMethod] : form.startingMethod;
        LookupMotorEfficiency(lookup, l.kW, in.startMethod, in.eta, in.cosPhi);
    } else if (l.loadType == QLatin1String("L3P")) {
        in.eta = 1.0;
        in.cosPhi = 1.0;
    } else {
        // A power factor outside 0..1 or an efficiency that is not positive gives no load.
        in.cosPhi = PositiveCondition(cond.loadPowerFactor);
        if (in.cosPhi > 1.0)
            in.cosPhi = NO_VALUE;
        in.eta = PositiveCondition(cond.loadEfficiency);
    }
    if (l.byKw) {
        if (Has(l.kW) && Has(in.cosPhi) && Has(in.eta))
            in.inputKva = Checked(l.kW / in.cosPhi / in.eta);
    } else if (Has(l.kVA) && Has(in.eta)) {
        in.inputKva = Checked(l.kVA / in.eta);
    }
    return in;
}

// Motor starting characteristics (the motor's own current, without the demand factor): the
// texts of beta .. starting pf and the values the later stages read back from them.
struct MotorStart
{
    std::array<QString, 8> texts;
    double ims = 0.0;
    double ii = 0.0;
    double tm = 0.0;
    double startPf = 0.0;
};

MotorStart MotorStartOf(const LoadInputs& l, const InputPower& in, const CableConditions& cond,
                        CableLookup& lookup)
{
    MotorStart m;
    if (l.motorByKw) {
        double ibm = NO_VALUE;
        if (Has(in.inputKva) && Has(l.p) && Has(l.volt))
            ibm = Checked(std::trunc(l.p) == 3.0 ? in.inputKva / kSqrt3 / l.volt : in.inputKva / l.volt);
        m.texts = CalcMotorStartCharacteristics(lookup, cond, l.kW, in.startMethod, ibm);
    } else {
        m.texts.fill(QStringLiteral("-"));
    }
    m.ims = CellValue(m.texts[std::size_t(Ims - Beta)]);
    m.ii = CellValue(m.texts[std::size_t(Ii - Beta)]);
    m.tm = CellValue(m.texts[std::size_t(Tm - Beta)]);
    m.startPf = CellValue(m.texts[std::size_t(StartPf - Beta)]);
    return m;
}

// The fed panel's largest excluded load Z, largest motor start A, its time and method, and the
// combined starting power factor (Z cos + A cos m over the vector sum).
struct FedPanel
{
    QString z, a, t, mm, pf;  // as shown
    bool fed = false;         // the row feeds a panel with a motor start
    double zV = 0.0;
    double aV = 0.0;
    double tV = 0.0;
};

FedPanel FedPanelOf(const CableRow& row, bool fromStored, const CableConditions& cond,
                    const CableFormExtras& form, double cosPhi)
{
    FedPanel f;
    if (fromStored) {
        f.z = row[PanelZ];
        f.a = row[PanelA];
        f.t = row[PanelT];
        f.mm = row[PanelM];
        f.pf = row[PanelPf];
    } else if (form.mccPanel) {
        f.z = form.maxExcludedKva;
        f.a = form.maxMotorStartKva;
        f.t = form.maxMotorStartTime;
        f.mm = form.maxMotorStartMethod;
        const double pz = CellValue(f.z);
        const double pa = CellValue(f.a);
        const double cosM = cond.motorStartPowerFactor;
        const double sinRow = SinOf(cosPhi);
        const double sinM = SinOf(cosM);
        if (!Has(pz) || !Has(pa)) {
            f.pf = QStringLiteral("-");
        } else if (Has(cosM) && Has(sinRow) && Has(sinM)) {
            const double x = pz * cosPhi + pa * cosM;
            if (x * x != 0.0) {
                const double y = pz * sinRow + pa * sinM;
                f.pf = FormatCableColumn(PanelPf, Checked(x / std::sqrt(x * x + y * y)));
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
    shown(f.z, {}, kAny);
    shown(f.a, {}, kAny);
    shown(f.t, u"s", kAny);
    shown(f.pf, {}, 1.0);
    f.fed = !f.a.isEmpty();
    f.zV = CellValue(f.z);
    f.aV = CellValue(f.a);
    f.tV = CellValue(f.t, u"s");
    return f;
}

// The design current IB = demand kVA / (sqrt 3 V) (or / V single-phase), with everything the
// row's load gives: its inputs, input load, motor start and fed panel.
struct DesignCurrent
{
    LoadInputs load;
    InputPower input;
    MotorStart motorStart;
    FedPanel panel;
    double df = NO_VALUE;         // demand factor
    int method = -1;              // installation method A, B, D, E as 0..3
    double n = NO_VALUE;          // cables in parallel
    double demandKva = NO_VALUE;
    double ib = NO_VALUE;
};

DesignCurrent DesignCurrentOf(const CableRow& row, bool fromStored, const CableConditions& cond,
                              const CableFormExtras& form, CableLookup& lookup)
{
    DesignCurrent d;
    d.load = LoadInputsOf(row);
    d.input = InputPowerOf(row, d.load, fromStored, cond, form, lookup);
    d.motorStart = MotorStartOf(d.load, d.input, cond, lookup);
    d.panel = FedPanelOf(row, fromStored, cond, form, d.input.cosPhi);
    // An empty demand factor is a demand of 1, and an empty parallel count or one between 0
    // and 1 is a single cable; a demand factor or count that is not a positive number is no
    // value.
    const QString& dfText = row[Demand];
    d.df = (dfText.trimmed().isEmpty() || dfText == QLatin1String("-"))
               ? 1.0
               : QuantityOr(dfText, QuantitySign::Positive);
    d.method = MethodIndex(row[Method]);
    d.n = row[Parallel].trimmed().isEmpty() ? 1.0
                                            : QuantityOr(row[Parallel], QuantitySign::Positive);
    if (Has(d.n) && d.n < 1.0)
        d.n = 1.0;
    d.demandKva = Has(d.input.inputKva) && Has(d.df) ? Checked(d.input.inputKva * d.df) : NO_VALUE;
    const double volt = d.load.volt;
    if (Has(d.demandKva) && Has(volt) && Has(d.load.p) && Has(d.n))
        d.ib = Checked(d.load.threePhase ? d.demandKva / kSqrt3 / volt : d.demandKva / volt);
    return d;
}

// Correction factors of the installation (shown; the ampacity tables already carry them).
struct CorrectionFactors
{
    double tiers = NO_VALUE;
    double trayF = NO_VALUE;
    double tempF = NO_VALUE;
    double soil = NO_VALUE;
    double soilF = NO_VALUE;
    double depth = NO_VALUE;
    double depthF = NO_VALUE;
    double total = NO_VALUE;
};

CorrectionFactors CorrectionFactorsOf(int method, const CableConditions& cond, Lookups& look)
{
    CorrectionFactors c;
    c.tiers = cond.trayTiers;
    c.trayF = method == 3 ? look.V(c.tiers, QStringLiteral("TRAYDF"), 10) : NO_VALUE;
    c.tempF = method == 2 ? look.H(cond.groundAmbient, QStringLiteral("UGTDF"))
                          : look.H(cond.airAmbient, QStringLiteral("TDF"));
    if (method == 2) {
        c.soil = cond.soilResistivity;
        c.soilF = look.H(c.soil, QStringLiteral("UGDF"));
        c.depth = cond.burialDepth;
        c.depthF = look.H(c.depth, QStringLiteral("UGDDF"));
    }
    c.total = MultiplyIgnoringNoValue(MultiplyIgnoringNoValue(c.trayF, c.tempF),
                                      MultiplyIgnoringNoValue(c.soilF, c.depthF));
    return c;
}

// The design conditions' limits and margins; a limit or margin that is not a positive figure
// is not set.
struct Criteria
{
    double svdLimit = NO_VALUE;    // allowed running drop, %
    double smsvdLimit = NO_VALUE;  // allowed starting drop, %
    double inrushMargin = NO_VALUE;
    double startMargin = NO_VALUE;
    double conductorMargin = NO_VALUE;
};

Criteria CriteriaOf(const LoadInputs& l, bool fed, const CableConditions& cond)
{
    Criteria c;
    const auto limit = [](double pct) { return Has(pct) && pct > 0 ? pct : NO_VALUE; };
    c.svdLimit = limit(l.motor                              ? cond.motorBranchDropPct
                       : l.loadType == QLatin1String("L3P") ? cond.feederDropPct
                                                            : cond.branchDropPct);
    c.smsvdLimit = l.motor ? limit(cond.motorStartDropPct)
                   : fed   ? limit(cond.motorFeederStartDropPct)
                           : NO_VALUE;
    // Margins multiply sizes and currents: only a positive one means anything.
    c.inrushMargin = PositiveCondition(cond.inrushMarginFactor);
    c.startMargin = PositiveCondition(cond.motorStartMarginFactor);
    c.conductorMargin = PositiveCondition(cond.conductorMarginFactor);
    return c;
}

// The breaker of the row's own maker: ATB for IB, the rating AT (ATMS, ATMI and ATSC are shown
// but never raise it), the operating multiples, ATMS for the starting current, the frame AF
// and the breaking capacity.
struct BreakerChoice
{
    const Maker* maker = nullptr;
    std::array<double, 4> atbBy{};
    double atb = NO_VALUE;
    double atmi = NO_VALUE;
    double atth = NO_VALUE;
    double at = NO_VALUE;
    std::array<double, 8> deltas{};
    double delta = NO_VALUE;
    std::array<double, 4> atmsBy{};
    double atms = NO_VALUE;
    std::array<double, 4> afBy{};
    double af = NO_VALUE;
    std::array<double, 4> kaBy{};
    double ka = NO_VALUE;
};

BreakerChoice BreakerChoiceOf(const CableRow& row, bool manual, const DesignCurrent& d,
                              const Criteria& crit, const CableConditions& cond, Lookups& look,
                              CableLookup& lookup)
{
    const bool motor = d.load.motor;
    const bool fed = d.panel.fed;
    const double volt = d.load.volt;
    const double zV = d.panel.zV;
    const double aV = d.panel.aV;
    const double r = d.load.threePhase ? kSqrt3 : 1.0;
    BreakerChoice b;
    b.maker = FindMaker(row[MakerCode]);
    const Maker* maker = b.maker;

    // ATB, from the row's own maker only.
    b.atbBy.fill(NO_VALUE);
    if (maker)
        b.atbBy[std::size_t(maker->index)] = look.V(d.ib, QLatin1String(maker->ratingTable), 2);
    b.atb = GetMaxOf4(b.atbBy[0], b.atbBy[1], b.atbBy[2], b.atbBy[3]);

    // ATMI (shown only): the inrush current with its margin.
    if (motor) {
        b.atmi = look.V(Checked(d.motorStart.ii * crit.inrushMargin / 10.0), kCb, 2);
    } else if (fed && volt > 0) {
        const QString& mm = d.panel.mm;
        const bool kOne = mm == QLatin1String("S.S") || mm == QLatin1String("INV");
        const double km = kOne ? 1.0 : cond.inrushMultiple;
        b.atmi = look.V(Checked((aV * km + zV) / r / volt * crit.inrushMargin / 10.0), kCb, 2);
    }

    b.atth = b.atb;
    b.at = manual ? QuantityOr(QStringView(row[KaMaker]).trimmed(), QuantitySign::Positive)
                  : GetMaxOf2(b.atb, b.atth);

    // Operating multiples of the row's maker.
    b.deltas.fill(NO_VALUE);
    if (maker) {
        if (motor)
            b.deltas[std::size_t(2 * maker->index)] = BreakerDelta(lookup, *maker, b.at, d.motorStart.tm);
        if (fed)
            b.deltas[std::size_t(2 * maker->index + 1)] = BreakerDelta(lookup, *maker, b.at, d.panel.tV);
    }
    const auto& dl = b.deltas;
    b.delta = (motor || fed) ? GetMaxOf8(dl[0], dl[1], dl[2], dl[3], dl[4], dl[5], dl[6], dl[7])
                             : NO_VALUE;

    // ATMS (shown only). A multiple of 0 finds the maker's largest rating.
    b.atmsBy.fill(NO_VALUE);
    if (maker && (motor || fed)) {
        double current = NO_VALUE;
        if (motor)
            current = d.motorStart.ims;
        else if (volt > 0)
            current = (zV + aV) / r / volt;
        if (Has(current) && Has(b.delta)) {
            const double needed = b.delta != 0.0 ? Checked(current / b.delta) : MAX_QUANTITY;
            b.atmsBy[std::size_t(maker->index)] =
                look.V(needed, QLatin1String(maker->ratingTable), 2);
        }
    }
    b.atms = (motor || fed) ? GetMaxOf4(b.atmsBy[0], b.atmsBy[1], b.atmsBy[2], b.atmsBy[3])
                            : NO_VALUE;

    // Frame.
    b.afBy.fill(NO_VALUE);
    if (maker)
        b.afBy[std::size_t(maker->index)] = look.V(b.at, QLatin1String(maker->frameTable), 2);
    b.af = manual ? QuantityOr(WithoutUnit(row[At], u"AF"), QuantitySign::Positive)
                  : GetMaxOf4(b.afBy[0], b.afBy[1], b.afBy[2], b.afBy[3]);

    // Breaking capacity.
    b.kaBy.fill(NO_VALUE);
    if (maker)
        b.kaBy[std::size_t(maker->index)] = look.V(b.af, QLatin1String(maker->frameTable), 3);
    b.ka = GetMaxOf4(b.kaBy[0], b.kaBy[1], b.kaBy[2], b.kaBy[3]);
    return b;
}

// The size criteria: SB carries IB / N, SCB the rating, SMSTh and SSC the heat of the starting
// and the fault current (adiabatic S = I sqrt(t) / 143, KEC 212.5.5), and the sizes the drops
// are reported at. The selected size is the largest; the drops are never met by stepping it up.
struct SizeCriteria
{
    double sb = NO_VALUE;
    double smsthArea = NO_VALUE;
    double smsth = NO_VALUE;
    double isMin = NO_VALUE;  // kA
    double tripT = NO_VALUE;  // s
    double sscArea = NO_VALUE;
    double ssc = NO_VALUE;
    double scb = NO_VALUE;
    double smsvdSize = NO_VALUE;
    double svdSize = NO_VALUE;
    double selected = NO_VALUE;
};

SizeCriteria SizeCriteriaOf(const CableRow& row, bool manual, const DesignCurrent& d,
                            const Criteria& crit, double at, const CableConditions& cond,
                            Lookups& look)
{
    const bool motor = d.load.motor;
    const bool fed = d.panel.fed;
    const bool threePhase = d.load.threePhase;
    const double volt = d.load.volt;
    const double n = d.n;
    const int method = d.method;
    const double r = threePhase ? kSqrt3 : 1.0;
    auto manualSize = [&row](int col) {
        return QuantityOr(WithoutUnit(row[std::size_t(col)], u"㎟"), QuantitySign::Positive);
    };
    SizeCriteria s;

    // SB: the size whose derated ampacity carries IB / N.
    const double sbAuto =
        method >= 0 && Has(d.ib) ? look.V(d.ib / n, SizeTable(threePhase, method), 3) : NO_VALUE;
    s.sb = manual ? manualSize(Sb) : sbAuto;

    // SMSTh: the starting current's heat.
    if (motor) {
        if (d.motorStart.tm >= 0)
            s.smsthArea = Checked(std::sqrt(d.motorStart.tm) * d.motorStart.ims * crit.startMargin /
                                  kAdiabatic / n);
    } else if (fed && volt > 0 && d.panel.tV >= 0) {
        const double i = (d.panel.zV + d.panel.aV) / r / volt;
        s.smsthArea = Checked(i * std::sqrt(d.panel.tV) * crit.startMargin / kAdiabatic / n);
    }
    if (Has(s.smsthArea) && s.smsthArea < 0)
        s.smsthArea = NO_VALUE;
    const double smsthAuto = (motor || fed) ? look.V(s.smsthArea, kCableSq, 2) : NO_VALUE;
    s.smsth = manual ? manualSize(Smsth) : smsthAuto;

    // SSC: the fault current's heat, from the minimum fault current. A row without one has no
    // SSC criterion.
    s.isMin = QuantityOr(WithoutUnit(row[IsMin], u"kA"), QuantitySign::Positive);
    s.tripT = cond.conductorTripTime;
    if (Has(s.isMin) && Has(s.tripT) && s.tripT >= 0 && Has(crit.conductorMargin)) {
        const double share = threePhase ? 1.0 : kSinglePhaseFault;
        s.sscArea = Checked(s.isMin * share * 1000.0 * std::sqrt(s.tripT) / kAdiabatic *
                            crit.conductorMargin / n);
        if (Has(s.sscArea) && s.sscArea < 0)
            s.sscArea = NO_VALUE;
    }
    const double sscAuto = look.V(s.sscArea, kCableSq, 2);
    s.ssc = manual ? manualSize(Ssc) : sscAuto;

    // SCB: the size that carries the rating.
    const double scbAuto =
        method >= 0 && Has(at) ? look.V(at / n, SizeTable(threePhase, method), 3) : NO_VALUE;
    s.scb = manual ? manualSize(Scb) : scbAuto;

    // Sizes for the voltage drops and the selected size.
    const double s4 = GetMaxOf4(s.sb, s.scb, s.smsth, s.ssc);
    s.smsvdSize = manual ? manualSize(SmsvdSize) : ((motor || fed) ? s4 : NO_VALUE);
    s.svdSize = manual ? manualSize(SvdSize) : s4;
    s.selected = GetMaxOf6(s.sb, s.scb, s.svdSize, s.ssc, s.smsvdSize, s.smsth);
    return s;
}

// The voltage drops at their sizes, in percent (resistance and reactance in ohm/km: the
// single-phase columns for P = 2, else three-phase).
struct VoltageDrops
{
    double smsvdPct = NO_VALUE;  // while starting
    double svdPct = NO_VALUE;    // running
};

VoltageDrops VoltageDropsOf(const DesignCurrent& d, const SizeCriteria& s,
                            const CableConditions& cond, Lookups& look)
{
    const bool threePhase = d.load.threePhase;
    const double volt = d.load.volt;
    const double n = d.n;
    const double lengthM = d.load.lengthM;
    const int rCol = d.load.p == 2.0 ? 2 : 4;
    auto impedance = [&](double size, double& rOhm, double& xOhm) {
        rOhm = look.Raw(size, kCableZ, rCol);
        xOhm = look.Raw(size, kCableZ, rCol + 1);
    };
    VoltageDrops v;
    if (d.load.motor || d.panel.fed) {
        const double k = threePhase ? kSqrt3 : 1.0;
        double rOhm, xOhm;
        impedance(s.smsvdSize, rOhm, xOhm);
        if (d.load.motor) {
            v.smsvdPct = DropPct(d.motorStart.ims / n, k, lengthM, rOhm, xOhm, d.motorStart.startPf, volt);
        } else if (volt > 0) {
            const double i = (d.panel.zV + d.panel.aV) / volt / n / k;
            v.smsvdPct = DropPct(i, k, lengthM, rOhm, xOhm, cond.motorStartPowerFactor, volt);
        }
    }
    double rOhm, xOhm;
    impedance(s.svdSize, rOhm, xOhm);
    if (Has(d.ib))
        v.svdPct = DropPct(d.ib / n, threePhase ? kSqrt3 : 2.0, lengthM, rOhm, xOhm,
                           d.input.cosPhi, volt);
    return v;
}

// The verdicts: ATSC (the time tZ = (S k N / Isc)^2 for the fault current to bring the
// conductor to its short-time limit, against the breaker's tN), IB < IN < IZ, and
// I2 < 1.45 IZ with the conventional tripping multiple of industrial moulded-case breakers:
// 1.3 up to 63 A, 1.37 above.
struct Verdicts
{
    double tN = NO_VALUE;
    double tZ = NO_VALUE;
    double iscIn = NO_VALUE;
    QString atsc = QStringLiteral("-");
    double iz = NO_VALUE;
    QString atb;
    QString i2;
};

Verdicts VerdictsOf(const DesignCurrent& d, const SizeCriteria& s, const BreakerChoice& b,
                    const CableConditions& cond, Lookups& look)
{
    const bool threePhase = d.load.threePhase;
    const double n = d.n;
    const double sel = s.selected;
    Verdicts v;
    v.tN = cond.breakerTripTime;
    if (Has(s.isMin)) {
        const double isc = s.isMin * (threePhase ? 1.0 : kSinglePhaseFault) * 1000.0;
        if (Has(sel) && sel >= 0)
            v.tZ = Checked(std::pow(sel * kAdiabatic * n / isc, 2));
        if (Has(b.at) && b.at != 0.0)
            v.iscIn = Checked(s.isMin * 1000.0 / b.at);
        v.atsc = v.tZ > v.tN ? QStringLiteral("OK") : QStringLiteral("Check");
    }
    if (d.method >= 0 && Has(sel)) {
        const double c = look.V(sel, kCableC, (threePhase ? 6 : 2) + d.method);
        if (Has(c))
            v.iz = Checked(c * n);
    }
    v.atb = v.iz > b.atb ? QStringLiteral("OK") : QStringLiteral("Check");
    const double f = b.atth <= 63.0 ? 1.3 : 1.37;
    v.i2 = 1.45 * v.iz > f * b.atth ? QStringLiteral("OK") : QStringLiteral("Check");
    return v;
}

// The cable specification: installation method code (multi-core below the single-core
// threshold), cores, lines (doubled for star-delta), PE size, and the conduit for the cables'
// total area.
struct Specification
{
    QString methodCode;
    double isMax = NO_VALUE;  // kA
    double cores = NO_VALUE;
    double lines = NO_VALUE;
    double pe = NO_VALUE;
    QString conduitKind;
    double conduitSize = NO_VALUE;
};

Specification SpecificationOf(const CableRow& row, const DesignCurrent& d, double s,
                              const CableConditions& cond, Lookups& look)
{
    const int method = d.method;
    const double w = d.load.w;
    const double n = d.n;
    Specification sp;
    const bool multiCore = s < cond.singleCoreThreshold;
    static const char* const codes[4][2] = {{"A1", "A2"}, {"B1", "B2"}, {"D1", "D1"}, {"F", "E"}};
    sp.methodCode = method >= 0 ? QLatin1String(codes[method][multiCore ? 1 : 0]) : QString();

    sp.isMax = QuantityOr(WithoutUnit(row[IsMax], u"kA"), QuantitySign::Positive);
    sp.cores = multiCore ? w : 1.0;
    sp.lines = multiCore ? n : w * n;
    if (d.input.startMethod == QLatin1String("Y-D"))
        sp.lines *= 2.0;
    sp.pe = look.V(s, QStringLiteral("GV"), 2);
    double area = NO_VALUE;
    const QString& cableType = row[CableType];
    const bool fcv = cableType == QLatin1String("FCV");
    const double cores = sp.cores;
    if ((fcv || cableType == QLatin1String("FR8")) && (cores == 1 || cores == 2 || cores == 3 || cores == 4)) {
        const int areaCol = 1 + 2 * static_cast<int>(cores);
        const double one = look.V(s, fcv ? QStringLiteral("FCVSQ") : QStringLiteral("FR8SQ"), areaCol);
        const double peArea = look.V(sp.pe, QStringLiteral("GVSQ"), 3);
        if (Has(one) && Has(peArea))
            area = Checked(one * sp.lines + peArea);
    }
    sp.conduitKind = method == 2                    ? QStringLiteral("FEP")
                     : (method == 1 || method == 3) ? QStringLiteral("ST")
                                                    : QStringLiteral("CD");
    // No area (a five-core cable, an unknown type) finds the first size of the conduit table;
    // without a size or a line count there is no cable to lay and no conduit.
    sp.conduitSize = Has(s) && Has(cores) && Has(sp.lines) ? look.Raw(area, sp.conduitKind, 3) : NO_VALUE;
    return sp;
}

// Every result into the row, in column order.
void WriteCableRow(CableRow& row, const DesignCurrent& d, const CorrectionFactors& cf,
                   const Criteria& crit, const BreakerChoice& b, const SizeCriteria& s,
                   const VoltageDrops& vd, const Verdicts& v, const Specification& sp,
                   const CableConditions& cond)
{
    auto put = [&row](int col, double value) { row[std::size_t(col)] = FormatCableColumn(col, value); };
    const LoadInputs& l = d.load;

    row[CblNo] = row[From] + QLatin1Char('/') + row[To];
    // The length is kept as typed; one that is no positive number shows "-".
    if (!Blank(row[Length]) && IsNoValue(l.lengthM))
        row[Length] = QStringLiteral("-");
    for (int i = 0; i < 8; ++i)
        row[std::size_t(Beta + i)] = d.motorStart.texts[std::size_t(i)];
    row[StartMethod] = d.input.startMethod;
    row[PanelZ] = d.panel.z;
    row[PanelA] = d.panel.a;
    row[PanelT] = d.panel.t;
    row[PanelM] = d.panel.mm;
    row[PanelPf] = d.panel.pf;

    PutGiven(row, KW, l.kW);
    PutGiven(row, KVA, l.kVA);
    put(InputLoad, d.input.inputKva);
    put(Phases, l.p);
    put(Wires, l.w);
    put(Volt, l.volt);
    put(Eff, d.input.eta);
    put(Pf, d.input.cosPhi);
    put(IbCol, d.ib);
    put(Demand, d.df);
    put(DemandLoad, d.demandKva);
    row[Bar1] = QStringLiteral("|");
    row[MethodCode] = sp.methodCode;
    put(Tiers, cf.tiers);
    put(TrayF, cf.trayF);
    put(Ambient, cond.airAmbient);
    put(TempF, cf.tempF);
    put(Soil, cf.soil);
    put(SoilF, cf.soilF);
    put(Depth, cf.depth);
    put(DepthF, cf.depthF);
    put(Total, cf.total);
    row[Bar2] = QStringLiteral("|");
    put(Parallel, d.n);
    put(Sb, s.sb);
    put(ScbAt, b.at);
    put(Scb, s.scb);
    put(SvdLimit, crit.svdLimit);
    put(SvdPct, vd.svdPct);
    put(SvdSize, s.svdSize);
    put(IsMin, s.isMin);
    put(SscTime, s.tripT);
    put(SscArea, s.sscArea);
    put(Ssc, s.ssc);
    put(SmsvdLimit, crit.smsvdLimit);
    put(SmsvdPct, vd.smsvdPct);
    put(SmsvdSize, s.smsvdSize);
    put(SmsthArea, s.smsthArea);
    put(Smsth, s.smsth);
    put(Selected, s.selected);
    put(Iz, v.iz);
    row[Bar3] = QStringLiteral("|");
    for (int i = 0; i < 4; ++i)
        put(AtbMaker + i, b.atbBy[std::size_t(i)]);
    put(Atb, b.atb);
    row[AtbVerdict] = v.atb;
    put(Atth, b.atth);
    row[AtthVerdict] = v.i2;
    for (int i = 0; i < 8; ++i)
        put(DeltaMaker + i, b.deltas[std::size_t(i)]);
    put(Delta, b.delta);
    for (int i = 0; i < 4; ++i)
        put(AtmsMaker + i, b.atmsBy[std::size_t(i)]);
    put(Atms, b.atms);
    put(Atmi, b.atmi);
    put(TN, v.tN);
    put(TZ, v.tZ);
    put(IscIn, v.iscIn);
    row[AtscVerdict] = v.atsc;
    put(Poles, l.w);
    for (int i = 0; i < 4; ++i)
        put(AfMaker + i, b.afBy[std::size_t(i)]);
    put(Af, b.af);
    put(At, b.at);
    for (int i = 0; i < 4; ++i)
        put(KaMaker + i, b.kaBy[std::size_t(i)]);
    put(Ka, b.ka);
    put(IsMax, sp.isMax);
    row[CableVolt] = QStringLiteral("0.6/1kV");
    put(SpecSize, s.selected);
    row[SpecMethod] = sp.methodCode;
    put(Cores, sp.cores);
    put(Lines, sp.lines);
    put(Pe, sp.pe);
    row[Conduit] = FormatConduit(sp.conduitKind, sp.conduitSize);
}

}  // namespace

void CalcCableAndBreaker(CableRow& row, bool manual, bool fromStored, const CableConditions& cond,
                         const CableFormExtras& form, CableLookup& lookup)
{
    Lookups look(lookup);
    const DesignCurrent design = DesignCurrentOf(row, fromStored, cond, form, lookup);
    const CorrectionFactors factors = CorrectionFactorsOf(design.method, cond, look);
    const Criteria criteria = CriteriaOf(design.load, design.panel.fed, cond);
    const BreakerChoice breaker = BreakerChoiceOf(row, manual, design, criteria, cond, look, lookup);
    const SizeCriteria sizes = SizeCriteriaOf(row, manual, design, criteria, breaker.at, cond, look);
    const VoltageDrops drops = VoltageDropsOf(design, sizes, cond, look);
    const Verdicts verdicts = VerdictsOf(design, sizes, breaker, cond, look);
    const Specification spec = SpecificationOf(row, design, sizes.selected, cond, look);
    WriteCableRow(row, design, factors, criteria, breaker, sizes, drops, verdicts, spec, cond);
}

std::vector<int> CheckCableAlarms(const CableRow& row)
{
    // A figure over its limit; a cell without a figure ("-", empty) decides nothing.
    const auto over = [&row](int valueCol, int limitCol, QStringView unit) {
        double value = 0.0, limit = 0.0;
        return ReadQuantity(WithoutUnit(row[std::size_t(valueCol)], unit), QuantitySign::Any,
                            &value) &&
               ReadQuantity(WithoutUnit(row[std::size_t(limitCol)], unit), QuantitySign::Any,
                            &limit) &&
               value > limit;
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
    if (ReadQuantity(WithoutUnit(row[IsMax], u"kA"), QuantitySign::Any, &isMax) && isMax > 0 &&
        (!ReadQuantity(WithoutUnit(row[Ka], u"kA"), QuantitySign::Any, &ka) || isMax > ka))
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
