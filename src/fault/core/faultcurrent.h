#pragma once
// System fault level: the utility, line and incoming-cable impedances at the 22.9 kV
// receiving point, the transformers referred to their secondary voltage, the motors fed by
// each transformer, and the reference impedances every bus calculation starts from.
#include "fault/core/buspages.h"

#include <QString>

#include <array>

class CSevrinApp;

namespace fault {

// Percent on the 100 MVA base to ohms at 22.9 kV: percent x kHvOhmFactor / 100000.
inline constexpr double kHvOhmFactor = 22.9 * 22.9 * 10.0;
// Short-circuit capacity in MVA at 22.9 kV: kCapacityFactor / ohms.
inline constexpr double kCapacityFactor = 524.41;

// Sheets of the fault-current data workbook.
enum FaultSheet {
    LineSheet = 0,
    IncomingCableSheet = 1,
    TransformerSheet = 2,
    FirstMotorSheet = 3,  // 3 + transformer index
    CableSheet = 8,
};

// Results of the system calculation (FaultResult), by index.
enum SystemResult {
    UtilityPercent = 0,   // 0..3 %R1 %X1 %R0 %X0 as entered
    LinePercent = 4,      // 4..7
    IncomingPercent = 8,  // 8..11
    TotalPercent = 12,    // 12..15
    SubstationCapacity = 16,
    SubstationEarthCapacity = 17,
    SubstationZ1 = 18,
    SubstationXR1 = 19,
    SubstationR1 = 20,
    SubstationX1 = 21,
    SubstationZ0 = 22,
    SubstationXR0 = 23,
    SubstationR0 = 24,
    SubstationX0 = 25,
    TotalCapacity = 26,
    TotalEarthCapacity = 27,
    TotalZ1 = 28,
    TotalXR1 = 29,
    TotalR1 = 30,
    TotalX1 = 31,
    TotalZ0 = 32,
    TotalXR0 = 33,
    TotalR0 = 34,
    TotalX0 = 35,
    Delta20 = 36,
    Delta250 = 37,
};

// The rows of the impedance summary (ImpedanceSummary, 5 texts per row: name, R90, R20, R250, X).
inline constexpr int kSummaryRows = 27;
inline constexpr int kSummaryTexts = 5;

// 0 for 0, else 1 / x.
double InvertOrZero(double x);

// Parallel combination of the motors of transformer k (0..4), resistance and reactance taken
// separately from cells 24 and 26 of its motor rows; 0 where the transformer has no motor.
void SumMotorContribution(CSevrinApp& app, int k, double& r, double& x);

// Row r of the impedance summary: name and the four numbers printed "%f".
void SetFaultResultRow(CSevrinApp& app, int r, const QString& name, double r90, double r20,
                       double r250, double x);

// The transformer's impedances from its capacity (cell 1), %Z (cell 2) and secondary voltage
// (cell 4), with the IEC 60909 correction factor KT, and the system referred to that voltage
// from the total %R1 and %X1 of utility, lines and incoming cables. Fills cells 3, 5, 6 and
// 8 to 15 of the 16-text transformer row.
void CalcTransformerImpedance(CSevrinApp& app, std::array<QString, 16>& row,
                              double totalR1Percent, double totalX1Percent);
// Only the system part (cells 12 to 15) of a transformer row, at the row's own voltage.
void CalcTransformerSourceImpedance(std::array<QString, 16>& row, double totalR1Percent,
                                    double totalX1Percent);

// "수정" of transformer n (0..4): the row built from the four inputs and computed with the
// totals of the last calculation, stored as row n of the transformer sheet; its voltage and
// NGR go to every cell of its bus column.
[[nodiscard]] bool ModifyTransformer(CSevrinApp& app, FaultBusPages& buses, int n,
                                     const QString& kva, const QString& percentZ, const QString& kv,
                                     const QString& ngr);
// "삭제": the row stays, emptied, and the bus column loses its voltage and NGR.
[[nodiscard]] bool DeleteTransformer(CSevrinApp& app, FaultBusPages& buses, int n);

// True when a transformer row holds a transformer (a row emptied by "삭제" holds none).
bool HasTransformer(const std::array<QString, 16>& row);

// "계산": the whole system calculation into FaultResult, UtilityResult and ImpedanceSummary,
// the transformer cells of the bus pages, then every bus (RecalcAllBuses). Every stored
// transformer's system impedance is brought up to date first, at its own voltage. When a
// workbook it reads exists but cannot be read, nothing is computed and no file changes; the
// outcome names it, and the workbooks that did not take their results.
FaultStoreOutcome CalcFaultCurrent(CSevrinApp& app, FaultBusPages& buses);

// What "계산" shows of the system from the stored inputs, storing nothing: the system results,
// the impedance summary, the transformer cells and the incoming and secondary buses of the
// bus pages. The downstream buses keep the results their bus pages hold. A project never
// computed (no "_80" workbook), one whose "_80" cannot be read, or one without any source
// impedance or transformer has no results: they are cleared and false is returned.
bool ShowStoredFaultLevel(CSevrinApp& app, FaultBusPages& buses);

}  // namespace fault
