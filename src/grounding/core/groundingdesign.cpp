#include "grounding/core/groundingdesign.h"

#include "app/core/calcutil.h"
#include "app/core/quantity.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

// The value of π the method is written with, also inside 1/(2π) and 1/π.
constexpr double kPi = 3.141592654;

// Indexes of the design inputs T1..T28.
enum Input {
    T_I = 0, T_tC, T_alpha, T_Tm, T_Ta, T_h, T_RodDia, T_RodLen, T_N, T_RhoS, T_hS, T_Sf,
    T_Lc, T_Lp, T_Lx, T_Ly, T_D, T_h1, T_rho1 = T_h1 + 5, T_Margin = T_rho1 + 5
};
// Indexes of the conductor-size page's copies.
enum ConductorInput {
    C_I = 0, C_tC, C_alpha, C_Tm, C_Ta, C_h, C_Lx, C_Ly, C_RodDia, C_RodLen, C_Lc, C_N, C_Material
};
enum SafetyInput { S_RhoS = 0, S_hS, S_Sf, S_D };

double Round(double v, int k)
{
    const double f = std::pow(10.0, k);
    return std::round(v * f) / f;  // halves away from zero
}

// A product that is an integer but for the last bits of binary arithmetic (5.1 mm / 1000 * 10^4)
// is taken as that integer before raising or cutting, so 0.0051 m stays 0.0051.
double Snapped(double x)
{
    const double r = std::round(x);
    return std::fabs(x - r) <= 1e-9 * std::max(1.0, std::fabs(x)) ? r : x;
}

double Raise(double v, int k)
{
    const double f = std::pow(10.0, k);
    return std::ceil(Snapped(v * f)) / f;
}

double Cut(double v)
{
    return std::floor(Snapped(v));
}

// A typed input as the result pages repeat it: as typed when it is a number of its sign (or
// blank; "-0" without its minus), "-" otherwise, so no "nan", "-5" or 309-digit text is shown
// as if it were a figure.
QString Echo(const QString& text, QuantitySign sign)
{
    return text.trimmed().isEmpty() ? text : QuantityText(text, sign);
}

QString Fmt(double v, int decimals)
{
    return IsPrintable(v) ? FormatFixed(v, decimals) : GroundingUndefinedText();
}

// Stores v with k decimals and answers the value read back from the stored text.
double Put(QString& field, double v, int decimals)
{
    field = Fmt(v, decimals);
    return QuantityOr(field, QuantitySign::Any);
}

int IndexInRange(int index, int count)
{
    return index >= 0 && index < count ? index : 0;
}

// The leading digits of a size text as an integer ("2.5" gives 2).
int LeadingDigits(const QString& text)
{
    int v = 0;
    for (const QChar c : text) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            break;
        v = v * 10 + (c.unicode() - u'0');
    }
    return v;
}

// Average resistivity of the soil layers, weighted by thickness, times the margin. A layer
// without thickness takes no part; a layer with thickness but no positive resistivity, or no
// layer at all, leaves the resistivity undefined.
double AverageResistivity(const std::array<QString, 28>& t)
{
    double thickness = 0.0;
    double conductance = 0.0;
    for (int i = 0; i < 5; ++i) {
        // An empty thickness is a layer left out, as a thickness of 0 is.
        const QString& thicknessText = t[T_h1 + i];
        const double h = thicknessText.trimmed().isEmpty()
                             ? 0.0
                             : QuantityOr(thicknessText, QuantitySign::NonNegative);
        if (std::isnan(h))
            return NO_VALUE;
        if (!(h > 0.0))
            continue;
        const double rho = QuantityOr(t[T_rho1 + i], QuantitySign::Positive);
        if (std::isnan(rho))
            return NO_VALUE;
        thickness += h;
        conductance += h / rho;
    }
    if (!(thickness > 0.0))
        return NO_VALUE;
    const double margin = QuantityOr(t[T_Margin], QuantitySign::Positive);
    const double avg = Round(thickness / conductance * margin, 2);
    return avg > 0.0 && IsPrintable(avg) ? avg : NO_VALUE;
}

// What the summary's own-value rows take from the calculation.
struct OwnValues
{
    double cs = NO_VALUE;
    double d = NO_VALUE;
    double kii = NO_VALUE;
    double kh = NO_VALUE;
    double rg = NO_VALUE;
    double etouch = NO_VALUE;
};

GroundingSummaryValues Summary(const GroundingDesignBlockT& b, const GroundingLibBlockT& lib,
                               const OwnValues& own)
{
    const auto& t = b.GroundingConditionInput;
    const auto& ci = b.ConductorSizeInput;
    const auto& cr = b.ConductorResults;
    const auto& sc = b.SafetyConditions;
    const auto& v = b.VoltageResults;
    auto num = [](const QString& text, int decimals) {
        return Fmt(QuantityOr(text, QuantitySign::Any), decimals);
    };

    GroundingSummaryValues s;
    s[0] = GroundingSystemKinds().value(IndexInRange(b.GroundingConditionIndex[0], 3));
    const double amps = QuantityOr(ci[C_I], QuantitySign::Any) * 1000.0;
    s[1] = Fmt(amps, 0);
    s[2] = Fmt(amps * QuantityOr(sc[4], QuantitySign::Any), 0);
    s[3] = num(sc[4], 1);
    s[4] = num(cr[7], 4);
    s[5] = num(b.SafetyVoltageInput[S_RhoS], 0);
    s[6] = num(b.SafetyVoltageInput[S_hS], 2);
    s[7] = QStringLiteral("1");
    s[8] = Fmt(own.cs, 4);
    s[9] = num(ci[C_tC], 4);
    s[10] = num(ci[C_h], 4);
    s[11] = Fmt(own.d, 4);
    s[12] = num(cr[14], 0);
    s[13] = Fmt(QuantityOr(t[T_D], QuantitySign::Positive), 4);
    s[14] = QStringLiteral("1");
    s[15] = num(b.GridFactors[0], 4);
    s[16] = num(sc[12], 4);
    s[17] = num(b.StepFactors[3], 4);
    s[18] = Fmt(own.kii, 4);
    s[19] = Fmt(own.kh, 4);
    s[20] = num(sc[5], 0);
    s[21] = Echo(t[T_Lp], QuantitySign::Positive);
    s[22] = num(sc[6], 1);
    s[23] = num(sc[9], 1);
    s[24] = cr[16];
    s[25] = num(sc[7], 1);
    s[26] = num(sc[8], 1);
    const LibTable& materials = lib.ConductorMaterialTable;
    s[27] = materials.Cell(IndexInRange(b.ConductorSizeIndex[0], materials.Count), 0);
    s[28] = num(ci[C_Ta], 1);
    s[29] = num(ci[C_Tm], 1);
    s[30] = Fmt(own.rg, 2);
    s[31] = v[6];
    s[32] = num(v[4], 0);
    s[33] = Fmt(own.etouch, 0);
    return s;
}

}  // namespace

QString GroundingUndefinedText()
{
    return QStringLiteral("-");
}

const QStringList& GroundingFinalSizes()
{
    static const QStringList sizes{
        QStringLiteral("2.5"), QStringLiteral("4"),   QStringLiteral("6"),   QStringLiteral("10"),
        QStringLiteral("16"),  QStringLiteral("25"),  QStringLiteral("35"),  QStringLiteral("50"),
        QStringLiteral("70"),  QStringLiteral("95"),  QStringLiteral("120"), QStringLiteral("150"),
        QStringLiteral("185"), QStringLiteral("240"), QStringLiteral("300"),
    };
    return sizes;
}

const QStringList& GroundingSystemKinds()
{
    static const QStringList kinds{QStringLiteral("공통접지"), QStringLiteral("통합접지"),
                                   QStringLiteral("단독접지")};
    return kinds;
}

const QStringList& GroundingGridShapes()
{
    static const QStringList shapes{QStringLiteral("정사각형"), QStringLiteral("직사각형"),
                                    QStringLiteral("L형"), QStringLiteral("그 외")};
    return shapes;
}

QString GroundingSafeSentence(const QString& gpr, const QString& etouch)
{
    return QStringLiteral("대지전위 상승 값 %1[V]는 허용 접촉전압 %2[V] 보다 낮으므로 안전하다.")
      .arg(gpr, etouch);
}

QString GroundingUnsafeSentence(const QString& gpr, const QString& etouch)
{
    return QStringLiteral("대지전위 상승 값 %1[V]는 허용 접촉전압 %2[V] 보다 높으므로 위험하다.")
      .arg(gpr, etouch);
}

GroundingVerdicts JudgeGroundingVoltages(double rg, double gpr, double etouch, double em,
                                         double estepWhole, double esWhole)
{
    // Nothing is called safe unless every value of the chain is a finite number and the grid
    // has a positive resistance.
    const bool defined = rg > 0.0 && std::isfinite(rg) && std::isfinite(gpr) && std::isfinite(etouch) &&
                         std::isfinite(em) && std::isfinite(estepWhole) && std::isfinite(esWhole);
    const QString ok = QStringLiteral("OK");
    const QString check = QStringLiteral("CHECK");
    GroundingVerdicts v;
    v.touch = defined && etouch > em ? ok : check;
    v.step = defined && estepWhole > esWhole ? ok : check;
    v.sentence = defined && !(gpr > etouch) ? GroundingSafeSentence(Fmt(gpr, 2), Fmt(etouch, 2))
                                            : GroundingUnsafeSentence(Fmt(gpr, 2), Fmt(etouch, 2));
    return v;
}

int GroundingFinalSizeIndexOf(const QString& standardSize)
{
    const int i = int(GroundingFinalSizes().indexOf(standardSize));
    return i < 0 ? 0 : i;
}

void ApplyGroundingDesignInputs(GroundingDesignBlockT& b, const GroundingLibBlockT& lib)
{
    const auto& t = b.GroundingConditionInput;
    auto& ci = b.ConductorSizeInput;
    const LibTable& materials = lib.ConductorMaterialTable;
    b.GroundingConditionIndex[1] = IndexInRange(b.GroundingConditionIndex[1], materials.Count);
    b.ConductorSizeIndex[0] = b.GroundingConditionIndex[1];
    // The copies repeat a typed figure only when it is a number of its sign; "-" otherwise.
    const QuantitySign conductorSigns[5] = {QuantitySign::Positive, QuantitySign::Positive,
                                            QuantitySign::Positive, QuantitySign::Any,
                                            QuantitySign::Any};
    for (int i = 0; i < 5; ++i)
        ci[C_I + i] = Echo(t[T_I + i], conductorSigns[i]);
    ci[C_h] = Echo(t[T_h], QuantitySign::Positive);
    ci[C_Lx] = Echo(t[T_Lx], QuantitySign::Positive);
    ci[C_Ly] = Echo(t[T_Ly], QuantitySign::Positive);
    // The rod as typed; the calculation replaces both with the rod it uses.
    ci[C_RodDia] = t[T_RodDia];
    ci[C_RodLen] = Echo(t[T_RodLen], QuantitySign::Positive);
    ci[C_Lc] = Echo(t[T_Lc], QuantitySign::Positive);
    ci[C_N] = Echo(t[T_N], QuantitySign::NonNegative);
    ci[C_Material] = materials.Cell(b.ConductorSizeIndex[0], 0);
    b.SafetyVoltageInput[S_RhoS] = Echo(t[T_RhoS], QuantitySign::Positive);
    b.SafetyVoltageInput[S_hS] = Echo(t[T_hS], QuantitySign::NonNegative);
    b.SafetyVoltageInput[S_Sf] = Echo(t[T_Sf], QuantitySign::Positive);
}

void ApplyGroundingDisplayCopies(GroundingDesignBlockT& b)
{
    const auto& t = b.GroundingConditionInput;
    b.ConductorSizeInput[C_Lx] = Echo(t[T_Lx], QuantitySign::Positive);
    b.ConductorSizeInput[C_Ly] = Echo(t[T_Ly], QuantitySign::Positive);
    b.ConductorSizeInput[C_Lc] = Echo(t[T_Lc], QuantitySign::Positive);
    b.GroundingConditionIndex[2] = IndexInRange(b.GroundingConditionIndex[2], 4);
    b.SafetyVoltageIndex = b.GroundingConditionIndex[2];
    b.SafetyVoltageInput[S_D] = Echo(t[T_D], QuantitySign::Positive);
}

namespace {

// The grid-factor page: the shape factors n = na·nb·nc·nd of IEEE Std 80-2000 and the average
// soil resistivity.
struct GridShape
{
    double lx = NO_VALUE;
    double ly = NO_VALUE;
    double spacing = NO_VALUE;  // D
};

GridShape GridFactorsPage(GroundingDesignBlockT& b)
{
    const auto& t = b.GroundingConditionInput;
    const int shape = b.GroundingConditionIndex[2];
    GridShape g;
    // The grid area is taken as Lx·Ly, so nc is 1, and nd uses the conductor spacing D.
    const double lc = QuantityOr(t[T_Lc], QuantitySign::Positive);
    const double lp = QuantityOr(t[T_Lp], QuantitySign::Positive);
    g.lx = QuantityOr(t[T_Lx], QuantitySign::Positive);
    g.ly = QuantityOr(t[T_Ly], QuantitySign::Positive);
    g.spacing = QuantityOr(t[T_D], QuantitySign::Positive);
    const double lx = g.lx;
    const double ly = g.ly;
    const double area = lx * ly;
    const double na = 2.0 * lc / lp;
    const double nb = std::sqrt(lp / (4.0 * std::sqrt(lx * ly)));
    const double nc = std::pow(lx * ly / area, 0.7 * area / (lx * ly));
    const double nd = g.spacing / std::sqrt(lx * lx + ly * ly);
    // The factors as n uses them: a shape that leaves a factor out uses 1 for it.
    Put(b.GridFactors[1], na, 4);
    Put(b.GridFactors[2], shape >= 1 ? nb : 1.0, 4);
    Put(b.GridFactors[3], shape >= 2 ? nc : 1.0, 4);
    Put(b.GridFactors[4], shape >= 3 ? nd : 1.0, 4);
    const QString one = QStringLiteral("1.0000");
    auto& st = b.ShapeFactorTable;
    st[0] = st[1] = st[2] = one;
    st[3] = Fmt(nb, 4);
    st[4] = st[5] = one;
    st[6] = Fmt(nb, 4);
    st[7] = Fmt(nc, 4);
    st[8] = one;
    st[9] = Fmt(nb, 4);
    st[10] = Fmt(nc, 4);
    st[11] = Fmt(nd, 4);
    double n = na;
    if (shape >= 1)
        n *= nb;
    if (shape >= 2)
        n *= nc;
    if (shape >= 3)
        n *= nd;
    Put(b.GridFactors[0], n, 4);

    // Average soil resistivity.
    Put(b.GridFactors[5], AverageResistivity(t), 2);
    return g;
}

// Conductor material and cross-section (IEEE Std 80-2000 with its Table 1 constants, I in kA),
// the standard and final size and the conductor diameter d of the final size.
struct ConductorSize
{
    double d = NO_VALUE;
};

ConductorSize ConductorSizePage(GroundingDesignBlockT& b, const GroundingLibBlockT& lib,
                                const QString& previousStandardSize)
{
    const auto& ci = b.ConductorSizeInput;
    auto& cr = b.ConductorResults;
    const LibTable& materials = lib.ConductorMaterialTable;
    const int material = b.ConductorSizeIndex[0];
    cr[0] = materials.Cell(material, 2);
    cr[1] = materials.Cell(material, 5);
    cr[2] = materials.Cell(material, 6);
    cr[3] = materials.Cell(material, 3);
    const double alphaR = QuantityOr(cr[0], QuantitySign::Any);
    const double rhoR = QuantityOr(cr[1], QuantitySign::Any);
    const double tcap = QuantityOr(cr[2], QuantitySign::Any);
    const double k0 = QuantityOr(cr[3], QuantitySign::Any);
    const double tm = QuantityOr(ci[C_Tm], QuantitySign::Any);
    const double ta = QuantityOr(ci[C_Ta], QuantitySign::Any);
    // The equation holds above the material's inferred temperature of zero resistance, -K0, and
    // for a maximum temperature above the ambient: K0 + Ta > 0 and Tm > Ta. Anywhere else the
    // logarithm is 0, negative or undefined (Ta = -K0 divides by zero and would give 0 mm2), and
    // the area and the standard size have no value.
    const double heat = QuantityOr(ci[C_tC], QuantitySign::Any) * alphaR * rhoR * 1e4 / tcap;
    double areaMm2 = NO_VALUE;
    if (k0 + ta > 0.0 && tm > ta && heat > 0.0) {
        const double logTerm = std::log((tm - ta) / (k0 + ta) + 1.0);
        areaMm2 = Cut(QuantityOr(ci[C_I], QuantitySign::Any) *
                      QuantityOr(ci[C_alpha], QuantitySign::Any) * std::sqrt(heat / logTerm));
    }
    const double conductorArea = Put(cr[4], areaMm2, 0);

    // Standard conductor size: the row before the first size limit above the area.
    const LibTable& sizes = lib.GroundConductorSizeTable;
    if (std::isfinite(conductorArea)) {
        int i = 0;
        while (i < sizes.Count && !(QuantityOr(sizes.Cell(i, 0), QuantitySign::Any) > conductorArea))
            ++i;
        cr[5] = i <= 1 ? sizes.Cell(0, 1) : Fmt(QuantityOr(sizes.Cell(i - 1, 1), QuantitySign::Any), 0);
    } else {
        cr[5] = GroundingUndefinedText();
    }

    // The final size follows a changed standard size; otherwise the choice stays.
    b.ConductorSizeIndex[1] = IndexInRange(b.ConductorSizeIndex[1], int(GroundingFinalSizes().size()));
    if (!previousStandardSize.isEmpty() && previousStandardSize != cr[5])
        b.ConductorSizeIndex[1] = GroundingFinalSizeIndexOf(cr[5]);

    // Soil resistivity.
    cr[7] = b.GridFactors[5];

    // Conductor diameter of the final size.
    const LibTable& diameters = lib.GroundConductorDiameterTable;
    const int finalSize = LeadingDigits(GroundingFinalSizes().value(b.ConductorSizeIndex[1]));
    QString diameterMm = diameters.Cell(0, 1);
    for (int row = 1; row < diameters.Count; ++row) {
        if (LeadingDigits(diameters.Cell(row, 0)) > finalSize) {
            diameterMm = diameters.Cell(row - 1, 1);
            break;
        }
        if (row == diameters.Count - 1)
            diameterMm = diameters.Cell(row, 1);
    }
    ConductorSize c;
    c.d = Put(cr[8], Raise(QuantityOr(diameterMm, QuantitySign::Any) / 1000.0, 4), 4);
    return c;
}

// The ground rods the grid uses, on the conductor-size page.
struct GroundRods
{
    double diameter = NO_VALUE;  // 2b
    double length = NO_VALUE;    // Lr
    double count = NO_VALUE;     // N
    // Without rods (none counted, or a diameter that matches no rod) the grid is its
    // conductors alone; rods counted without a usable count, length or diameter are unknown.
    bool none = false;
    bool unknown = false;
};

GroundRods GroundRodsOf(GroundingDesignBlockT& b, const GroundingLibBlockT& lib)
{
    const auto& t = b.GroundingConditionInput;
    auto& ci = b.ConductorSizeInput;
    auto& cr = b.ConductorResults;
    // Among the designations that contain the typed diameter text, the one of the typed
    // length; without one, the first of that diameter with the typed length (the row's own
    // length when none is typed). A typed length that is no positive number leaves the rods
    // without a length.
    cr[9] = QStringLiteral("0");
    cr[10] = QStringLiteral("0");
    const QString& rodText = t[T_RodDia];
    const QString& lengthText = t[T_RodLen];
    const bool lengthTyped = !lengthText.trimmed().isEmpty();
    const double typedLength = QuantityOr(lengthText, QuantitySign::Positive);
    const LibTable& rods = lib.GroundRodTable;
    int rodRow = -1;
    bool lengthMatched = false;
    for (int row = 0; row < rods.Count; ++row) {
        if (!rods.Cell(row, 0).contains(rodText))
            continue;
        if (rodRow < 0)
            rodRow = row;
        if (std::fabs(QuantityOr(rods.Cell(row, 1), QuantitySign::Any) - typedLength) <= 1e-9) {
            rodRow = row;
            lengthMatched = true;
            break;
        }
    }
    if (rodRow >= 0) {
        Put(cr[9], Raise(QuantityOr(rods.Cell(rodRow, 2), QuantitySign::Any) / 1000.0, 4), 4);
        const double length = lengthMatched || lengthTyped
                                  ? typedLength
                                  : QuantityOr(rods.Cell(rodRow, 1), QuantitySign::Any);
        Put(cr[10], length, 1);
        // The rod pages show the rod the calculation uses.
        ci[C_RodLen] = cr[10];
    } else {
        ci[C_RodDia] = GroundingUndefinedText();
    }
    GroundRods r;
    r.diameter = QuantityOr(cr[9], QuantitySign::Any);
    r.length = QuantityOr(cr[10], QuantitySign::Any);
    // An empty rod count is no rod; a count that is no number of its sign has no value.
    r.count = ci[C_N].trimmed().isEmpty() ? 0.0 : QuantityOr(ci[C_N], QuantitySign::NonNegative);
    r.none = rodRow < 0 || (!(r.count > 0.0) && !std::isnan(r.count));
    r.unknown = !r.none && (!(r.count > 0.0) || !(r.length > 0.0) || !(r.diameter > 0.0));
    return r;
}

// The grid geometry and Schwarz's coefficients (IEEE Std 80-2000 Fig. 25, the curves for
// h = 0), on the conductor-size page.
struct GridGeometry
{
    double h = NO_VALUE;          // burial depth
    double lc = NO_VALUE;         // grid conductor length Lc
    double aPrime = NO_VALUE;     // a' = sqrt(a·2h)
    double area = NO_VALUE;       // A
    double rodTotal = NO_VALUE;   // LR
    double lt = NO_VALUE;         // LT = LR + Lc
    double k1 = NO_VALUE;
    double k2 = NO_VALUE;
};

GridGeometry GridGeometryOf(GroundingDesignBlockT& b, const GridShape& g, double d,
                            const GroundRods& rods)
{
    const auto& ci = b.ConductorSizeInput;
    auto& cr = b.ConductorResults;
    GridGeometry s;
    s.h = QuantityOr(ci[C_h], QuantitySign::Positive);
    s.lc = QuantityOr(ci[C_Lc], QuantitySign::Positive);
    s.aPrime = Put(cr[13], Round(std::sqrt((d / 2.0) * 2.0 * s.h), 3), 3);
    // Lx and Ly as the grid factors read them, from the same design inputs.
    s.area = Put(cr[14], g.lx * g.ly, 0);
    const double ratio = Put(cr[15], Round(g.lx / g.ly, 3), 3);
    // The rods' total length LR: 0 without rods, none when rods are counted without a figure.
    s.rodTotal = rods.none ? 0.0 : rods.unknown ? NO_VALUE : rods.count * rods.length;
    s.lt = Put(cr[16], s.rodTotal + s.lc, 3);
    s.k1 = Put(cr[11], Round(-0.04 * ratio + 1.41, 2), 2);
    s.k2 = Put(cr[12], Round(0.15 * ratio + 5.5, 2), 2);
    return s;
}

// The resistance page: Schwarz's R1 (grid), R2 (rods), Rm (mutual) and
// Rg = (R1·R2 − Rm²) / (R1 + R2 − 2·Rm), with Sverak's resistance for reference.
struct GridResistance
{
    double rho = NO_VALUE;      // soil resistivity as the conductor page shows it
    double rg = NO_VALUE;       // unrounded
    double rgShown = NO_VALUE;  // two decimals, as shown
};

GridResistance ResistancePage(GroundingDesignBlockT& b, const GridGeometry& g, const GroundRods& rods)
{
    auto& rr = b.ResistanceResults;
    GridResistance out;
    const double rho = QuantityOr(b.ConductorResults[7], QuantitySign::Any);
    out.rho = rho;
    const double gridLc = g.lc;
    const double lr = rods.length;
    const double rodCount = rods.count;
    const double sqrtA = std::sqrt(g.area);
    // A resistance is positive; geometry that drives a formula to 0 or below has no value.
    const auto resistance = [](double r) { return r > 0.0 ? r : NO_VALUE; };
    const double r1 = resistance(rho / (kPi * gridLc) *
                                 (std::log(2.0 * gridLc / g.aPrime) + g.k1 * gridLc / sqrtA - g.k2));
    rr[0] = Fmt(Round(r1, 2), 2);
    rr[1] = Fmt(Round(r1, 4), 3);
    if (rods.none) {
        rr[2] = rr[3] = rr[4] = rr[5] = GroundingUndefinedText();
    } else {
        // Rods without a usable count, length or diameter give no rod resistance.
        const double b2 = rods.unknown ? NO_VALUE : rods.diameter / 2.0;
        const double r2 = resistance(rho / (2.0 * kPi * rodCount * lr) *
                                     (std::log(4.0 * rodCount * lr / b2) - 1.0 +
                                      2.0 * g.k1 * lr / sqrtA * std::pow(std::sqrt(rodCount) - 1.0, 2)));
        const double rm = resistance(rho / (kPi * gridLc) *
                                     (std::log(2.0 * gridLc / lr) + g.k1 * gridLc / sqrtA - g.k2 + 1.0));
        rr[2] = Fmt(Round(r2, 2), 2);
        rr[3] = Fmt(Round(r2, 3), 3);
        rr[4] = Fmt(Round(rm, 2), 2);
        rr[5] = Fmt(Round(rm, 3), 3);
    }

    const double r1s = QuantityOr(rr[0], QuantitySign::Any);
    double rg = r1s;
    if (!rods.none) {
        const double r2s = QuantityOr(rr[2], QuantitySign::Any);
        const double rms = QuantityOr(rr[4], QuantitySign::Any);
        // With R1 + R2 <= 2·Rm the numerator is negative too (Rm is then at least the mean of
        // R1 and R2, so Rm² >= R1·R2), and their quotient a positive figure that means nothing.
        const double denominator = r1s + r2s - 2.0 * rms;
        rg = denominator > 0.0 ? resistance((r1s * r2s - rms * rms) / denominator) : NO_VALUE;
    }
    rr[6] = Fmt(Round(rg, 2), 2);
    rr[7] = Fmt(Round(rg, 3), 3);
    out.rg = rg;
    out.rgShown = QuantityOr(rr[6], QuantitySign::Any);

    // Sverak's resistance, for reference.
    rr[8] = Fmt(rho * (1.0 / g.lt + 1.0 / std::sqrt(20.0 * g.area) *
                                       (1.0 + 1.0 / (1.0 + g.h * std::sqrt(20.0 / g.area)))),
                3);
    rr[9] = rr[6];
    return out;
}

// The safety-condition and step-factor pages: the surface-layer derating Cs, the effective
// lengths LM and Ls, and the factors Kh, Kii, Km, Ki and Ks of IEEE Std 80-2000.
struct SafetyFactors
{
    double rhoS = NO_VALUE;  // surface-layer resistivity
    double cs = NO_VALUE;
    double lm = NO_VALUE;
    double kh = NO_VALUE;
    double kii = NO_VALUE;
    double km = NO_VALUE;    // as shown
    double ki = NO_VALUE;
    double ls = NO_VALUE;
    double ks = NO_VALUE;
};

SafetyFactors SafetyPages(GroundingDesignBlockT& b, const GridShape& shape, const GridGeometry& g,
                          double rho, double d, const GroundRods& rods)
{
    const auto& ci = b.ConductorSizeInput;
    auto& sc = b.SafetyConditions;
    auto& sf = b.StepFactors;
    const double h = g.h;
    const double spacing = shape.spacing;
    SafetyFactors out;

    // Surface-layer derating factor of a thin surface layer.
    sc[0] = b.ConductorResults[7];
    sc[1] = ci[C_tC];
    out.rhoS = QuantityOr(b.SafetyVoltageInput[S_RhoS], QuantitySign::Positive);
    const double hS = QuantityOr(b.SafetyVoltageInput[S_hS], QuantitySign::NonNegative);
    out.cs = Put(sc[2], Raise(Round(1.0 - 0.09 * (1.0 - rho / out.rhoS) / (2.0 * hS + 0.09), 4), 3), 3);

    // Effective lengths; LM for grids with rods along the perimeter.
    sc[4] = b.SafetyVoltageInput[S_Sf];
    sc[5] = ci[C_Lc];
    sc[6] = b.ConductorResults[10];
    sc[7] = ci[C_Lx];
    sc[8] = ci[C_Ly];
    const double lrTotal = Put(sc[9], g.rodTotal, 1);
    const double lxs = QuantityOr(sc[7], QuantitySign::Any);
    const double lys = QuantityOr(sc[8], QuantitySign::Any);
    const double lcs = QuantityOr(sc[5], QuantitySign::Any);
    const double lrs = QuantityOr(sc[6], QuantitySign::Any);
    out.lm = Put(sc[10], Round(lcs + (1.55 + 1.22 * lrs / std::sqrt(lxs * lxs + lys * lys)) * lrTotal, 2), 2);

    // Spacing factor for the touch voltage; Kii = 1/(2n)^(2/n) for grids without rods.
    out.kh = Round(std::sqrt(1.0 + h / 1.0), 4);
    const double ns = QuantityOr(b.GridFactors[0], QuantitySign::Any);
    out.kii = rods.none ? 1.0 / std::pow(2.0 * ns, 2.0 / ns) : 1.0;
    // Km and Ks are positive factors; a grid of few conductors for its burial depth and
    // spacing (n well below 2, D and h of a few millimetres) drives the formulas to 0 or below,
    // and such a factor has no value ("-", and so has the voltage built on it).
    const auto factor = [](double v) { return v > 0.0 ? v : NO_VALUE; };
    const double km = factor(Raise(1.0 / (2.0 * kPi) *
                                (std::log(spacing * spacing / (16.0 * h * d) +
                                          (spacing + 2.0 * h) * (spacing + 2.0 * h) / (8.0 * spacing * d) -
                                          h / (4.0 * d)) +
                                 out.kii / out.kh * std::log(8.0 / (kPi * (2.0 * ns - 1.0)))),
                            3));
    out.km = Put(sc[12], km, 3);
    sc[14] = Fmt(h, 4);
    sc[15] = Fmt(d, 4);
    sc[16] = Fmt(out.kii, 2);
    sc[17] = Fmt(out.kh, 4);
    sc[19] = Fmt(ns, 4);

    // Irregularity factor, effective length and spacing factor for the step voltage.
    out.ki = Put(sf[3], Round(0.644 + 0.148 * ns, 3), 3);
    out.ls = Put(sf[5], 0.75 * lcs + 0.85 * QuantityOr(sc[9], QuantitySign::Any), 3);
    out.ks = Put(sf[7], factor(Round(1.0 / kPi * (1.0 / (2.0 * h) + 1.0 / (spacing + h) +
                                                  1.0 / spacing * (1.0 - std::pow(0.5, ns - 2.0))),
                                      3)),
                  4);
    return out;
}

// The voltage page: tolerable step and touch voltages for a 50 kg body, the ground potential
// rise, the expected mesh and step voltages, and their verdicts.
struct Voltages
{
    double etouch = NO_VALUE;  // tolerable touch voltage, unrounded
};

Voltages VoltagePage(GroundingDesignBlockT& b, double rho, const GridResistance& r,
                     const SafetyFactors& f)
{
    const auto& ci = b.ConductorSizeInput;
    const auto& sc = b.SafetyConditions;
    auto& vr = b.VoltageResults;
    const double ts = QuantityOr(sc[1], QuantitySign::Any);
    const double sfv = QuantityOr(sc[4], QuantitySign::Any);
    const double amps = QuantityOr(ci[C_I], QuantitySign::Any) * 1000.0;
    const double estep = (1000.0 + 6.0 * f.cs * f.rhoS) * 0.116 / std::sqrt(ts);
    const double etouch = (1000.0 + 1.5 * f.cs * f.rhoS) * 0.116 / std::sqrt(ts);
    const double gpr = Round(amps * r.rgShown * sfv, 2);
    const double estepShown = Put(vr[0], Round(estep, 2), 2);
    vr[1] = Fmt(etouch, 2);
    vr[2] = Fmt(gpr, 2);

    // Expected mesh and step voltages. A voltage that comes out negative (Ks or Km below 0 for
    // a grid of few conductors, n < 2) is no voltage: "-", and its verdict "CHECK".
    const auto voltage = [](double v) { return v >= 0.0 ? v : NO_VALUE; };
    const double em = Put(vr[4], voltage(Raise(rho * f.km * f.ki * amps * sfv / f.lm, 2)), 2);
    const double es = Put(vr[5], voltage(Raise(rho * f.ks * f.ki * amps * sfv / f.ls, 2)), 2);

    // Whole volts, the verdicts and the sentence on the ground potential rise.
    vr[6] = Fmt(QuantityOr(vr[2], QuantitySign::Any), 0);
    vr[7] = Fmt(QuantityOr(vr[1], QuantitySign::Any), 0);
    vr[8] = Fmt(em, 0);
    vr[10] = Fmt(estepShown, 0);
    vr[11] = Fmt(es, 0);
    const GroundingVerdicts verdicts =
        JudgeGroundingVoltages(r.rgShown, gpr, etouch, em, QuantityOr(vr[10], QuantitySign::Any),
                               QuantityOr(vr[11], QuantitySign::Any));
    vr[3] = verdicts.sentence;
    vr[9] = verdicts.touch;
    vr[12] = verdicts.step;
    Voltages v;
    v.etouch = etouch;
    return v;
}

// The average-resistivity page: thicknesses and resistivities may be 0 for a layer left out;
// the margin is positive.
void AverageResistivityPage(GroundingDesignBlockT& b)
{
    const auto& t = b.GroundingConditionInput;
    auto& ar = b.AverageResistivityFields;
    for (int i = 0; i < 11; ++i)
        ar[i] = Echo(t[T_h1 + i], i < 10 ? QuantitySign::NonNegative : QuantitySign::Positive);
    ar[11] = ar[12] = b.GridFactors[5];
}

}  // namespace

GroundingSummaryValues CalcGroundingDesign(GroundingDesignBlockT& b, const GroundingLibBlockT& lib)
{
    const QString previousStandardSize = b.ConductorResults[5];
    b.GroundingConditionIndex[0] = IndexInRange(b.GroundingConditionIndex[0], 3);
    b.GroundingConditionIndex[2] = IndexInRange(b.GroundingConditionIndex[2], 4);

    const GridShape shape = GridFactorsPage(b);
    // One value of each input for the whole calculation.
    ApplyGroundingDesignInputs(b, lib);
    const ConductorSize conductor = ConductorSizePage(b, lib, previousStandardSize);
    const GroundRods rods = GroundRodsOf(b, lib);
    const GridGeometry geometry = GridGeometryOf(b, shape, conductor.d, rods);
    const GridResistance resistance = ResistancePage(b, geometry, rods);
    const SafetyFactors factors =
        SafetyPages(b, shape, geometry, resistance.rho, conductor.d, rods);
    const Voltages voltages = VoltagePage(b, resistance.rho, resistance, factors);
    AverageResistivityPage(b);

    // The summary table.
    OwnValues own;
    own.cs = factors.cs;
    own.d = conductor.d;
    own.kii = factors.kii;
    own.kh = factors.kh;
    own.rg = Round(resistance.rg, 2);
    own.etouch = voltages.etouch;
    return Summary(b, lib, own);
}

std::vector<GroundingResultField> GroundingResultFields(const GroundingDesignBlockT& b)
{
    std::vector<GroundingResultField> out;
    auto add = [&out](const char* group, std::initializer_list<const char*> names, const auto& values) {
        int i = 0;
        for (const char* name : names) {
            if (name && *name)
                out.push_back({QLatin1String(group), QLatin1String(name), values[i]});
            ++i;
        }
    };
    add("GridFactors", {"n", "na", "nb", "nc", "nd", "rho"}, b.GridFactors);
    add("ShapeFactorTable",
        {"square.nb", "square.nc", "square.nd", "rectangle.nb", "rectangle.nc", "rectangle.nd",
         "lshape.nb", "lshape.nc", "lshape.nd", "other.nb", "other.nc", "other.nd"},
        b.ShapeFactorTable);
    out.push_back({QStringLiteral("ConductorInputs"), QStringLiteral("material_index"),
                   QString::number(b.ConductorSizeIndex[0])});
    out.push_back({QStringLiteral("ConductorInputs"), QStringLiteral("final_size_index"),
                   QString::number(b.ConductorSizeIndex[1])});
    add("ConductorInputs",
        {"I", "tC", "alpha", "Tm", "Ta", "h", "Lx", "Ly", "rod_diameter", "rod_length", "Lc", "N",
         "material"},
        b.ConductorSizeInput);
    add("ConductorResults",
        {"alpha_r", "rho_r", "TCAP", "K0", "A_conductor", "standard_size", "", "rho", "d", "2b", "Lr",
         "K1", "K2", "a_prime", "A_grid", "R", "Lt"},
        b.ConductorResults);
    add("ResistanceResults",
        {"R1", "R1_3", "R2", "R2_3", "Rm", "Rm_3", "Rg", "Rg_3", "R_sverak", "Rg_copy"},
        b.ResistanceResults);
    out.push_back({QStringLiteral("SafetyInputs"), QStringLiteral("shape_index"),
                   QString::number(b.SafetyVoltageIndex)});
    add("SafetyInputs", {"rho_s", "h_s", "Sf", "D"}, b.SafetyVoltageInput);
    add("SafetyConditions",
        {"rho", "ts", "Cs", "", "Sf", "Lc", "Lr", "Lx", "Ly", "LR", "LM", "", "Km", "", "h", "d",
         "Kii", "Kh", "", "n", "", "", ""},
        b.SafetyConditions);
    add("StepFactors", {"", "", "", "Ki", "", "Ls", "", "Ks", ""}, b.StepFactors);
    add("VoltageResults",
        {"Estep", "Etouch", "GPR", "verdict", "Em", "Es", "GPR_whole", "Etouch_whole", "Em_whole",
         "touch_verdict", "Estep_whole", "Es_whole", "step_verdict"},
        b.VoltageResults);
    add("AverageResistivityFields",
        {"h1", "h2", "h3", "h4", "h5", "rho1", "rho2", "rho3", "rho4", "rho5", "margin", "rho",
         "rho_again"},
        b.AverageResistivityFields);
    return out;
}
