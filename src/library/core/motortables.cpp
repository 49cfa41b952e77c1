// Recomputation of the library's motor rows with the motor design conditions: design current,
// starting coefficients, starting and inrush currents, starting time, CT ratio and starting kVA.
#include "app/core/calcutil.h"
#include "app/core/sevrin.h"
#include "library/core/ctratio.h"

#include <cmath>
#include <optional>

namespace {

// A computed figure; a row with no efficiency or power factor (an empty entry) divides by
// zero, and such a result is shown empty rather than as "inf" or "nan".
QString Fixed(double v, int decimals)
{
    return std::isfinite(v) ? FormatFixed(v, decimals) : QString();
}

QString FixedOrDash(const std::optional<double>& v, int decimals)
{
    return v ? Fixed(*v, decimals) : QStringLiteral("-");
}

}  // namespace

QString ChooseCtRatio(const LibTable& table, double current)
{
    for (int e = 0; e < table.Count && e < table.capacity(); ++e) {
        if (ReadLeadingNumber(table.Cell(e, 0)) > current)
            return table.Cell(e == 0 ? 0 : e - 1, 1) + QLatin1String("/5");
    }
    return QString();
}

void CSevrinApp::RecalcMotorTables(double beta, double cDol, double cStarDelta, double cReactor,
                                   double lambdaSoftStarter, double lambdaInverter, double k,
                                   double tmDol, double tmStarDelta, double tmReactor,
                                   double tmSoftStarter, double tmInverter, double ctFactor)
{
    for (LibTable* t : {&MotorLibBlock.MotorTable1, &MotorLibBlock.MotorTable2}) {
        std::array<QString, 19> row;
        for (int e = 0; e < t->Count; ++e) {
            for (int f = 0; f < 19; ++f)
                row[std::size_t(f)] = t->Cell(e, f);
            CalcMotorRow(row, beta, cDol, cStarDelta, cReactor, lambdaSoftStarter, lambdaInverter,
                         k, tmDol, tmStarDelta, tmReactor, tmSoftStarter, tmInverter, ctFactor);
            for (int f = 0; f < 19; ++f)
                t->Cell(e, f) = row[std::size_t(f)];
        }
    }
}

void CSevrinApp::CalcMotorRow(std::array<QString, 19>& row, double beta, double cDol,
                              double cStarDelta, double cReactor, double lambdaSoftStarter,
                              double lambdaInverter, double k, double tmDol, double tmStarDelta,
                              double tmReactor, double tmSoftStarter, double tmInverter,
                              double ctFactor)
{
    const double p = ReadLeadingNumber(row[1]);
    const bool singlePhase = std::abs(ReadLeadingNumber(row[2]) - 2.0) < 1e-9;  // phase field 2
    const double eta = ReadLeadingNumber(row[4]);
    const double cosPhi = ReadLeadingNumber(row[5]);
    const QString& method = row[7];

    const bool dol = method == QLatin1String("DOL");
    const bool starDelta = method == QLatin1String("Y-D");
    const bool reactor = method == QStringLiteral("리액터");
    const bool softStarter = method == QLatin1String("S.S");
    const bool inverter = method == QLatin1String("INV");
    const bool limited = softStarter || inverter;  // current-limited starts

    const double v = singlePhase ? 0.22 : 0.38;
    const double ib = singlePhase ? p / v / eta / cosPhi : p / std::sqrt(3.0) / v / eta / cosPhi;

    std::optional<double> c;
    if (dol)
        c = cDol;
    else if (starDelta)
        c = cStarDelta;
    else if (reactor)
        c = cReactor;
    std::optional<double> lambda;
    if (softStarter)
        lambda = lambdaSoftStarter;
    else if (inverter)
        lambda = lambdaInverter;
    std::optional<double> kk;
    if (!limited)
        kk = k;

    const double cv = c.value_or(1.0);
    const double lv = lambda.value_or(1.0);
    const double kv = kk.value_or(1.0);
    const double ims = limited ? ib * lv : ib * beta * cv;
    const double ii = limited ? ib * lv : ib * beta * cv * kv;

    std::optional<double> tm;
    if (dol)
        tm = tmDol;
    else if (starDelta)
        tm = tmStarDelta;
    else if (reactor)
        tm = tmReactor;
    else if (softStarter)
        tm = tmSoftStarter;
    else if (inverter)
        tm = tmInverter;

    const QString ct = ChooseCtRatio(SwitchgearLibBlock.CtRatioTable, ib * ctFactor);

    const double s = limited ? p / eta / cosPhi * lv : p / eta / cosPhi * beta * cv;

    row[0] = row[1] + row[7];
    row[3] = FormatFixed(v, 2);
    row[6] = Fixed(ib, 2);
    row[8] = Fixed(beta, 1);
    row[9] = FixedOrDash(c, 3);
    row[10] = FixedOrDash(lambda, 3);
    row[11] = FixedOrDash(kk, 3);
    row[12] = Fixed(ims, 0);
    row[13] = Fixed(ii, 0);
    row[14] = FixedOrDash(tm, 0);
    row[15] = ct;
    row[18] = Fixed(s, 2);
}
