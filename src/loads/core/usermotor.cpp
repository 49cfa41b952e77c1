#include "usermotor.h"

#include "app/core/calcutil.h"
#include "library/core/ctratio.h"

#include <cmath>
#include <optional>

namespace {

// The number a text holds, read strictly; nothing for an empty, "-", non-numeric, infinite
// or overflowing text, so that a missing entry is never mistaken for 0 or for a figure.
std::optional<double> ReadEntry(const QString& text)
{
    double v = 0.0;
    if (!ReadValue(text, &v))
        return std::nullopt;
    return v;
}

// A factor: NO_VALUE when it does not apply; nothing when it applies but is missing.
using Factor = std::optional<double>;

QString Text(const Factor& v)
{
    // Both "does not apply" and "missing" show "-".
    return v ? FormatValue(*v, 2, QString(), QStringLiteral("-")) : QStringLiteral("-");
}

Factor Times(const Factor& a, const Factor& b)
{
    if (!a || !b)
        return std::nullopt;
    return MultiplyIgnoringNoValue(*a, *b);
}

}  // namespace

UserMotorRefusal CalcUserMotorRow(MotorRow& row, const UserMotorConditions& c,
                                  const LibTable& ctRatios)
{
    using namespace MotorField;
    const std::optional<double> output = ReadEntry(row[RatedOutput]);
    const bool singlePhase = std::abs(ReadEntry(row[Phases]).value_or(0.0) - 2.0) < 1e-9;
    // Voltage, efficiency and power factor divide: without them there is no motor to compute.
    const std::optional<double> v = ReadEntry(row[Voltage]);
    const std::optional<double> eta = ReadEntry(row[Efficiency]);
    const std::optional<double> cosPhi = ReadEntry(row[PowerFactor]);
    if (!output || *output <= 0)
        return UserMotorRefusal::RatedOutput;
    const double p = *output;
    if (!eta || *eta <= 0)
        return UserMotorRefusal::Efficiency;
    if (!cosPhi || *cosPhi <= 0)
        return UserMotorRefusal::PowerFactor;
    if (!v || *v <= 0)
        return UserMotorRefusal::Voltage;

    const QString& method = row[StartingMethod];
    const bool dol = method == QLatin1String("DOL");
    const bool starDelta = method == QLatin1String("Y-D");
    const bool reactor = method == QStringLiteral("리액터");
    const bool softStarter = method == QLatin1String("S.S");
    const bool inverter = method == QLatin1String("INV");
    const bool limited = softStarter || inverter;  // current-limited starts

    const double ib = singlePhase ? p / *v / *eta / *cosPhi : p / std::sqrt(3.0) / *v / *eta / *cosPhi;
    const Factor beta = ReadEntry(c.beta);
    Factor cc = NO_VALUE;
    if (dol)
        cc = 1.0;
    else if (starDelta)
        cc = 0.33;
    else if (reactor)
        cc = ReadEntry(c.reactorTap);
    Factor lambda = NO_VALUE;
    if (softStarter)
        lambda = ReadEntry(c.lambdaSoftStarter);
    else if (inverter)
        lambda = ReadEntry(c.lambdaInverter);
    const Factor k = limited ? Factor(NO_VALUE) : ReadEntry(c.k);

    Factor ims, ii, kva;
    const double inputKva = p / *eta / *cosPhi;
    if (limited) {
        ims = Times(ib, lambda);
        ii = ims;
        kva = Times(inputKva, lambda);
    } else {
        const Factor betaC = Times(beta, cc);
        ims = Times(ib, betaC);
        ii = Times(ib, Times(beta, Times(cc, k)));
        if (betaC)
            kva = inputKva * *betaC;
    }

    Factor tm = NO_VALUE;
    const bool methods[5] = {dol, starDelta, reactor, softStarter, inverter};
    for (int m = 0; m < 5; ++m)
        if (methods[m])
            tm = ReadEntry(c.tm[std::size_t(m)]);

    // CT from the design current times the stored factor; without a factor no CT is chosen.
    const std::optional<double> ctFactor = ReadEntry(c.ctFactor);
    const QString ct = ctFactor ? ChooseCtRatio(ctRatios, ib * *ctFactor) : QString();

    for (const Factor& f : {Factor(ib), ims, ii, kva})
        if (f && !IsPrintable(*f))
            return UserMotorRefusal::OutOfRange;

    row[Key] = row[RatedOutput] + row[StartingMethod];
    row[DesignCurrent] = Text(ib);
    row[Beta] = Text(beta);
    row[C] = Text(cc);
    row[Lambda] = Text(lambda);
    row[K] = Text(k);
    row[Ims] = Text(ims);
    row[Ii] = Text(ii);
    row[Tm] = Text(tm);
    row[Ct] = ct;
    row[StartKva] = Text(kva);
    return UserMotorRefusal::None;
}
