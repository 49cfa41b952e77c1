#pragma once
// The project's design conditions: the motor-starting conditions of the motor-control-centre
// screen and the installation conditions and sizing criteria of the panel-board screen.
// Both are held in theApp as combo indexes and edit texts; the functions here turn them into
// the values the calculations use and push them into the reference library (motor tables,
// derived ampacity and impedance tables). No widgets: the screens, the driver and the report
// writer all call the same functions.
#include "app/core/sevrin.h"

#include <QString>
#include <array>
#include <span>

// ---- option lists ----------------------------------------------------------------------
// The values each design-condition combo lists, in list order. A stored index is a position
// in one of these lists.
namespace DesignOptions {
inline constexpr std::array<double, 27> StartMultiple{4.0, 4.5, 5.0, 5.5, 6.0, 6.3, 6.5, 6.8, 6.9,
                                                      7.0, 7.2, 7.3, 7.4, 7.6, 7.8, 8.0, 8.1, 8.2,
                                                      8.3, 8.4, 8.5, 8.6, 8.7, 8.8, 8.9, 9.0, 10.0};
inline constexpr std::array<double, 4> SoftStarterLimit{3.0, 3.5, 4.0, 5.0};
inline constexpr std::array<double, 5> InverterLimit{1.0, 1.1, 1.2, 1.5, 2.0};
inline constexpr std::array<double, 3> InrushMultiple{1.3, 1.4, 1.5};
inline constexpr std::array<double, 5> StartTime{4, 6, 10, 15, 20};  // s
inline constexpr std::array<double, 5> StartPowerFactor{0.1, 0.15, 0.2, 0.25, 0.3};

inline constexpr std::array<double, 11> AirAmbient{20, 25, 30, 35, 40, 45, 50, 55, 60, 65, 70};
inline constexpr std::array<double, 11> GroundAmbient{10, 15, 20, 25, 30, 35, 40, 45, 50, 55, 60};
inline constexpr std::array<double, 6> TrayTiers{1, 2, 3, 4, 5, 6};
inline constexpr std::array<double, 7> SoilResistivity{0.5, 0.7, 1.0, 1.5, 2.0, 2.5, 3.0};  // K.m/W
inline constexpr std::array<double, 3> BurialDepth{0.6, 0.8, 1.2};                           // m
inline constexpr std::array<double, 10> SingleCoreThreshold{16, 25, 35, 50, 70, 95, 120, 150, 185, 240};
inline constexpr std::array<double, 5> TripTime{0.01, 0.02, 0.03, 0.04, 0.05};  // s
}  // namespace DesignOptions

// An index outside its option list (no selection, an older or hand-edited file) stands for
// option 0, so nothing ever reads past a list.
int ClampOptionIndex(int index, int count);
double OptionValue(std::span<const double> options, int index);

// ---- motor-control-centre conditions ---------------------------------------------------

// The stored selections and texts of the motor design-condition page.
struct MccDesignConditions
{
    int startMultipleIndex = 0;
    int softStarterLimitIndex = 0;
    int inverterLimitIndex = 0;
    int inrushMultipleIndex = 0;
    std::array<int, 5> startTimeIndex{};  // DOL, Y-D, reactor, soft starter, inverter
    int startPowerFactorIndex = 0;
    QString reactorTap;
    QString ctFactor;
};
MccDesignConditions MccDesignConditionsOf(const CSevrinApp::MotorControlCenterBlockT& b);

// The thirteen parameters of a motor-table recomputation, in the order RecalcMotorTables takes.
struct MotorParameters
{
    double beta = 0;
    double cDol = 0;
    double cStarDelta = 0;
    double cReactor = 0;
    double lambdaSoftStarter = 0;
    double lambdaInverter = 0;
    double k = 0;
    double tmDol = 0;
    double tmStarDelta = 0;
    double tmReactor = 0;
    double tmSoftStarter = 0;
    double tmInverter = 0;
    double ctFactor = 0;

    std::array<double, 13> Values() const;  // in the order above
};
// DOL and star-delta coefficients are fixed (1 and 1/3); the reactor's C is its tap. A tap or
// CT factor that is no number above 0 is NaN: the motor tables then show no figure from it.
MotorParameters BuildMotorParameters(const MccDesignConditions& c);
// The starting power factor cos(phi)S of the conditions (not a motor-table parameter).
double MotorStartPowerFactor(const MccDesignConditions& c);

// Recomputes the library's motor tables with the project's motor conditions.
void ApplyMccDesignConditions(CSevrinApp& app);

// ---- panel-board conditions ------------------------------------------------------------

struct PanelBoardDesignConditions
{
    int airAmbientIndex = 0;
    int groundAmbientIndex = 0;
    int trayTierIndex = 0;
    int soilResistivityIndex = 0;
    int burialDepthIndex = 0;
    int singleCoreThresholdIndex = 0;
    QString feederDropPct;
    QString branchDropPct;
    QString motorBranchDropPct;
};
PanelBoardDesignConditions PanelBoardDesignConditionsOf(const CSevrinApp::CabinetSizingBlockT& b);

// The nine correction factors: air ambient, ground ambient, tray grouping (nine or more
// circuits), soil resistivity, burial depth, then the factors of installation methods A1,2,
// B1,2 (the air factor), D1 (ground x soil x depth) and E,F (air x tray), from the library's
// correction-factor rows.
std::array<QString, 9> CalcCorrectionFactors(const PanelBoardDesignConditions& c,
                                             const CableLibBlockT& lib);
// Total permitted voltage drop of loads / panels and of motors: feeder + branch, "%.0f". An
// empty limit counts 0; one that is no number of at least 0 gives "-".
std::array<QString, 2> CalcTotalDropPct(const PanelBoardDesignConditions& c);

// Computes CorrectionFactors and TotalDropPct and rebuilds the derived tables (single-core
// threshold, impedances, ampacities by installation method, derated HFIX ampacities).
void ApplyPanelBoardDesignConditions(CSevrinApp& app);

// Both of the above: what every project load ends with, so that the motor tables, the
// derived tables and the correction factors belong to the project just loaded.
void ApplyProjectDesignConditions(CSevrinApp& app);
