// `conditions`: the design conditions of the loaded project as the calculations see them:
// the thirteen motor-table parameters, the nine correction factors and the two total
// voltage-drop limits.
#include "calccommand.h"

#include <QStringList>

#include "app/core/calcutil.h"
#include "app/core/sevrin.h"
#include "loads/core/designconditions.h"

namespace {

// "-" for a parameter that has no value (a typed condition that is no number).
QString Number(double v)
{
    return IsPrintable(v) ? QString::number(v, 'g', 12) : QStringLiteral("-");
}

int RunConditions(CalcContext& ctx)
{
    static const char* const kMotorNames[13] = {
        "beta",           "c_dol",      "c_star_delta",    "c_reactor",   "lambda_soft_starter",
        "lambda_inverter", "k",         "tm_dol",          "tm_star_delta", "tm_reactor",
        "tm_soft_starter", "tm_inverter", "ct_factor"};
    static const char* const kFactorNames[9] = {
        "cf_air_ambient", "cf_ground_ambient", "cf_tray_grouping", "cf_soil_resistivity",
        "cf_burial_depth", "cf_method_a",      "cf_method_b",      "cf_method_d",
        "cf_method_e"};
    static const char* const kDropNames[2] = {"total_drop_load", "total_drop_motor"};

    const QString kind = QStringLiteral("CONDITION");
    const MotorParameters p =
        BuildMotorParameters(MccDesignConditionsOf(theApp.MotorControlCenterBlock));
    const std::array<double, 13> values = p.Values();
    for (std::size_t i = 0; i < values.size(); ++i)
        WriteCalcLine(ctx.out, {kind, QString::fromLatin1(kMotorNames[i]), Number(values[i])});

    CSevrinApp::CabinetSizingBlockT& b = theApp.CabinetSizingBlock;
    for (std::size_t i = 0; i < 9; ++i)
        WriteCalcLine(ctx.out, {kind, QString::fromLatin1(kFactorNames[i]), b.CorrectionFactors()[i]});
    for (std::size_t i = 0; i < 2; ++i)
        WriteCalcLine(ctx.out, {kind, QString::fromLatin1(kDropNames[i]), b.TotalDropPct()[i]});
    return 0;
}

const CalcCommandRegistrar reg("conditions", &RunConditions);

}  // namespace
