#include "loads/core/designconditions.h"

#include "app/core/calcutil.h"
#include "app/core/quantity.h"

#include <cmath>
#include <limits>

namespace {

// Keys of the burial-depth factor row of the library (m). The page lists only 0.6, 0.8 and
// 1.2 m, so its index is matched to the row by depth, not by position.
constexpr std::array<double, 4> kBurialDepthRowKeys{0.6, 0.8, 1.0, 1.2};

int RowEntryOf(double value, std::span<const double> keys)
{
    for (std::size_t i = 0; i < keys.size(); ++i)
        if (std::abs(keys[i] - value) < 1e-9)
            return int(i);
    return 0;
}


// A figure computed from user texts; never "inf", "nan" or a 300-digit figure in a shown or
// stored text: "-" instead.
QString Fixed(double v, int decimals)
{
    return IsPrintable(v) ? FormatFixed(v, decimals) : QStringLiteral("-");
}

}  // namespace

int ClampOptionIndex(int index, int count)
{
    return index >= 0 && index < count ? index : 0;
}

double OptionValue(std::span<const double> options, int index)
{
    if (options.empty())
        return 0.0;
    return options[std::size_t(ClampOptionIndex(index, int(options.size())))];
}

// ---- motor-control-centre conditions ---------------------------------------------------

MccDesignConditions MccDesignConditionsOf(const CSevrinApp::MotorControlCenterBlockT& b)
{
    MccDesignConditions c;
    c.startMultipleIndex = b.MccConditionIndex[0];
    c.softStarterLimitIndex = b.MccConditionIndex[1];
    c.inverterLimitIndex = b.MccConditionIndex[2];
    c.inrushMultipleIndex = b.MccConditionIndex[3];
    for (std::size_t m = 0; m < 5; ++m)
        c.startTimeIndex[m] = b.MccConditionIndex[4 + m];
    c.startPowerFactorIndex = b.MccConditionIndex[9];
    c.reactorTap = b.MccConditionText[0];
    c.ctFactor = b.MccConditionText[1];
    return c;
}

std::array<double, 13> MotorParameters::Values() const
{
    return {beta, cDol, cStarDelta, cReactor, lambdaSoftStarter, lambdaInverter, k,
            tmDol, tmStarDelta, tmReactor, tmSoftStarter, tmInverter, ctFactor};
}

MotorParameters BuildMotorParameters(const MccDesignConditions& c)
{
    using namespace DesignOptions;
    MotorParameters p;
    p.beta = OptionValue(StartMultiple, c.startMultipleIndex);
    p.cDol = 1.0;              // full-voltage start
    p.cStarDelta = 1.0 / 3.0;  // star connection: a third of the delta current
    p.cReactor = QuantityOr(c.reactorTap, QuantitySign::Positive);
    p.lambdaSoftStarter = OptionValue(SoftStarterLimit, c.softStarterLimitIndex);
    p.lambdaInverter = OptionValue(InverterLimit, c.inverterLimitIndex);
    p.k = OptionValue(InrushMultiple, c.inrushMultipleIndex);
    p.tmDol = OptionValue(StartTime, c.startTimeIndex[0]);
    p.tmStarDelta = OptionValue(StartTime, c.startTimeIndex[1]);
    p.tmReactor = OptionValue(StartTime, c.startTimeIndex[2]);
    p.tmSoftStarter = OptionValue(StartTime, c.startTimeIndex[3]);
    p.tmInverter = OptionValue(StartTime, c.startTimeIndex[4]);
    p.ctFactor = QuantityOr(c.ctFactor, QuantitySign::Positive);
    return p;
}

double MotorStartPowerFactor(const MccDesignConditions& c)
{
    return OptionValue(DesignOptions::StartPowerFactor, c.startPowerFactorIndex);
}

void ApplyMccDesignConditions(CSevrinApp& app)
{
    const MotorParameters p = BuildMotorParameters(MccDesignConditionsOf(app.MotorControlCenterBlock));
    app.RecalcMotorTables(p.beta, p.cDol, p.cStarDelta, p.cReactor, p.lambdaSoftStarter,
                          p.lambdaInverter, p.k, p.tmDol, p.tmStarDelta, p.tmReactor,
                          p.tmSoftStarter, p.tmInverter, p.ctFactor);
}

// ---- panel-board conditions ------------------------------------------------------------

PanelBoardDesignConditions PanelBoardDesignConditionsOf(const CSevrinApp::CabinetSizingBlockT& b)
{
    PanelBoardDesignConditions c;
    c.airAmbientIndex = b.InstallConditionIndex[0];
    c.groundAmbientIndex = b.InstallConditionIndex[1];
    c.trayTierIndex = b.InstallConditionIndex[2];
    c.soilResistivityIndex = b.InstallConditionIndex[3];
    c.burialDepthIndex = b.InstallConditionIndex[4];
    c.singleCoreThresholdIndex = b.ConductorCriteriaIndex[0];
    c.feederDropPct = b.ConductorCriteriaText[2];
    c.branchDropPct = b.ConductorCriteriaText[3];
    c.motorBranchDropPct = b.ConductorCriteriaText[4];
    return c;
}

std::array<QString, 9> CalcCorrectionFactors(const PanelBoardDesignConditions& c,
                                             const CableLibBlockT& lib)
{
    using namespace DesignOptions;
    std::array<QString, 9> f;
    // The library rows hold one factor per listed option, in list order.
    f[0] = lib.TDF.Cell(ClampOptionIndex(c.airAmbientIndex, int(AirAmbient.size())));
    f[1] = lib.UGTDF.Cell(ClampOptionIndex(c.groundAmbientIndex, int(GroundAmbient.size())));
    // Tray grouping: the column of nine or more circuits, the row of the number of tiers.
    f[2] = lib.TRAYDF.Cell(ClampOptionIndex(c.trayTierIndex, int(TrayTiers.size())), 8);
    f[3] = lib.UGDF.Cell(ClampOptionIndex(c.soilResistivityIndex, int(SoilResistivity.size())));
    f[4] = lib.UGDDF.Cell(
        RowEntryOf(OptionValue(BurialDepth, c.burialDepthIndex), kBurialDepthRowKeys));
    // Methods A and B are in air: the ambient factor alone.
    f[5] = f[0];
    f[6] = f[0];
    // D1 (buried): ground temperature x soil resistivity x depth.
    const auto figure = [&f](int i) { return QuantityOr(f[std::size_t(i)], QuantitySign::Any, 0.0); };
    f[7] = Fixed(figure(1) * figure(3) * figure(4), 2);
    // E, F (cable trays): air temperature x grouping.
    f[8] = Fixed(figure(0) * figure(2), 2);
    return f;
}

std::array<QString, 2> CalcTotalDropPct(const PanelBoardDesignConditions& c)
{
    // An empty limit counts 0; one that is no number of at least 0 makes its total "-".
    auto limit = [](const QString& text) {
        return text.isEmpty() ? 0.0 : QuantityOr(text, QuantitySign::NonNegative);
    };
    const double feeder = limit(c.feederDropPct);
    return {Fixed(feeder + limit(c.branchDropPct), 0), Fixed(feeder + limit(c.motorBranchDropPct), 0)};
}

void ApplyPanelBoardDesignConditions(CSevrinApp& app)
{
    using namespace DesignOptions;
    CSevrinApp::CabinetSizingBlockT& b = app.CabinetSizingBlock;
    CableLibBlockT& lib = app.CableLibBlock;
    const PanelBoardDesignConditions c = PanelBoardDesignConditionsOf(b);

    b.CorrectionFactors() = CalcCorrectionFactors(c, lib);
    b.TotalDropPct() = CalcTotalDropPct(c);
    const std::array<QString, 9>& f = b.CorrectionFactors();

    // One threshold for the 6/10 kV impedances, the 0.6/1 kV impedances and the ampacities:
    // multi-core cables below it, single-core at and above it.
    const QString threshold = FormatFixed(OptionValue(SingleCoreThreshold, c.singleCoreThresholdIndex), 0);
    lib.HvMultiCoreThreshold.Value = threshold;
    app.ApplySingleCoreThreshold(QuantityOr(threshold, QuantitySign::Any, 0.0));
    lib.LvMultiCoreThreshold.Value = threshold;
    app.ApplyImpedanceThreshold(QuantityOr(threshold, QuantitySign::Any, 0.0));
    lib.AmpacityMultiCoreThreshold.Value = threshold;

    for (int m = 0; m < 4; ++m)
        lib.InstallationMethodFactors.Cell(m) = f[std::size_t(5 + m)];
    app.BuildAmpacityTables(QuantityOr(lib.AmpacityMultiCoreThreshold.Value, QuantitySign::Any, 0.0),
                            QuantityOr(lib.InstallationMethodFactors.Cell(0), QuantitySign::Any, 0.0),
                            QuantityOr(lib.InstallationMethodFactors.Cell(1), QuantitySign::Any, 0.0),
                            QuantityOr(lib.InstallationMethodFactors.Cell(2), QuantitySign::Any, 0.0),
                            QuantityOr(lib.InstallationMethodFactors.Cell(3), QuantitySign::Any, 0.0));

    lib.AmbientTemperature.Value = FormatFixed(OptionValue(AirAmbient, c.airAmbientIndex), 0);
    lib.AmbientTemperatureFactor.Value = f[0];
    app.BuildDeratedHfixTables(QuantityOr(lib.AmbientTemperature.Value, QuantitySign::Any, 0.0));
}

void ApplyProjectDesignConditions(CSevrinApp& app)
{
    ApplyMccDesignConditions(app);
    ApplyPanelBoardDesignConditions(app);
}
