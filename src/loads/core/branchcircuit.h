#pragma once
// Branch circuits of a panel board (KECG 1702): the 60-text circuit row, its kinds (calculated
// row, subtotal line, group-closing row, placeholder, linked panel), the sizing of one circuit
// (breaker rating, frame and expected fault current, the conductor-size criteria SB, SCB and
// SSC, I2 < 1.45 IZ and tN < tZ, voltage drop) and the list rules the circuit area applies
// (subtotal groups, the four-case delete, the input check). Plain functions over texts: the
// screen, the driver and the report writer call the same code.
#include <QString>
#include <QStringList>

#include <array>
#include <vector>

class CableLookup;
class CSevrinApp;

inline constexpr int kCircuitColumnCount = 60;
using CircuitCells = std::array<QString, kCircuitColumnCount>;

// Circuit columns the list rules and the input step address by name.
enum CircuitColumn : int {
    CcNo = 0, CcName = 1, CcUnitLoad = 2, CcQuantity = 3, CcSubtotal = 4, CcPhase = 5,
    CcL1 = 6, CcL2 = 7, CcL3 = 8, CcIb = 9, CcLength = 10, CcBreaker = 11, CcPoles = 12,
    CcAf = 13, CcAt = 14, CcAtb = 15, CcThermal = 16, CcShortCircuit = 17, CcConductor = 18,
    CcSize = 19, CcMethodCode = 20, CcMethod = 21, CcBar1 = 31, CcIsMin = 43, CcBar2 = 45,
};

// One column of the circuit list: captions of the two header rows ("\n" breaks a caption),
// widths of the full and the input column set (0 hides the column).
struct CircuitColumnInfo
{
    const char16_t* caption;
    const char16_t* group;
    int fullWidth;
    int inputWidth;
};
const std::array<CircuitColumnInfo, kCircuitColumnCount>& CircuitColumns();

// The design conditions a branch circuit reads, as values.
struct BranchCircuitConditions
{
    double singleCoreThreshold = 16;  // mm2: multi-core below, single-core at and above
    double breakerTripTime = 0.01;    // tN, s
    double loadPowerFactor = 0.9;
    double faultCurrentRatingPct = 100;  // expected fault current, % of the breaking capacity
    double conductorMarginFactor = 1.0;  // margin of SSC
};
// From the panel-board design conditions of the application (a stored selection outside its
// list counts as the first option).
BranchCircuitConditions BranchCircuitConditionsFromApp(const CSevrinApp& app);

// Sizes the circuit in place from its inputs (columns 2, 3, 5, 10, 11, 12, 18, 21, 43) and
// writes columns 4, 6..9, 13..17, 19, 20, 22..30, 32..42, 44 and 46..59. mode 2 takes the
// conductor size `manualSize` (mm2) instead of the largest criterion. `carriedLoad` (VA) is
// added to the circuit's own load: a subtotal group's load on its closing row. Inputs are
// read strictly: a load, quantity or length that is no number of at least 0, or a current
// beyond the largest breaker of the table, leave every figure "-" and both verdicts "Chk"; an
// ISMIN given but no number above 0 leaves the short-circuit figures "-" and its verdict "Chk".
void CalcBranchCircuitRow(CircuitCells& row, int mode, double carriedLoad, double manualSize,
                          const BranchCircuitConditions& cond, CableLookup& lookup);

// ---- row kinds and list rules -------------------------------------------------------------

enum class CircuitRowKind {
    Calculated,    // a numbered circuit with its load
    SubtotalLine,  // a line of a subtotal group: no load of its own yet
    GroupClosing,  // closes a group with the group's load
    Placeholder,   // "_____" inserted by "+", computed like a circuit
    LinkedPanel,   // "PNL": a fed panel's load
};
// By NO. (column 0) and 소계 (column 4) only.
CircuitRowKind ClassifyCircuitRow(const QString& no, const QString& subtotal);

// The load a subtotal group carries onto a closing row appended after list row n - 1:
// 용량 x 수량 of the rows upward from n - 1, up to and including the first numbered row.
double SubtotalGroupLoad(const std::vector<QStringList>& rows, int n);
// The load a stored closing row carries besides its own: 소계 - 용량 x 수량 (its group's);
// 0 for every other kind of row; NaN when one of the three is no number of at least 0.
double CarriedLoadOf(const CircuitCells& row);

// What "삭제" does with the selected row s.
struct CircuitDeletePlan
{
    enum class Note { None, RecalcSubtotal, DeleteFromTop };
    int count = 0;  // rows to delete from s on
    Note note = Note::None;
};
CircuitDeletePlan PlanCircuitDelete(const std::vector<QStringList>& rows, int s);

// The circuit input check of "추가": -1 when the circuit may be added, otherwise the design
// warning to show (0 a three-phase circuit on a single-phase board, 7 no minimum fault
// current).
int CheckCircuitInput(const QString& supplyType, const QString& phase, const QString& isMin);

// The typed quantities of a circuit: 용량, 수량 and 거리 numbers of at least 0 (a spare circuit,
// a device on the board itself), ISMIN empty or a number above 0. The message naming the
// first field refused; empty when all may be used.
QString CheckCircuitQuantities(const QString& unitLoad, const QString& quantity,
                               const QString& length, const QString& isMin);

// The rows the fault-current search and the driver recompute: calculated rows, placeholders
// and closing rows (with the group load they carry). Subtotal lines and linked panels are not
// computed: that would wipe the group's open line or the fed panel's load.
bool IsRecomputedCircuit(const CircuitCells& row);
// Recomputes a stored row of those kinds from its own inputs (automatic size).
void RecalcStoredCircuitRow(CircuitCells& row, const BranchCircuitConditions& cond,
                            CableLookup& lookup);

// The linked-panel row of a fed panel or board: "PNL", its name, its load in VA, 1, the load.
CircuitCells MakeLinkedPanelRow(const QString& name, const QString& loadVa);

// "%s|%s" of a breaker type and curve; SplitBreakerText splits at the first bar (a text
// without one gives an empty type and the whole text as curve).
QString JoinBreakerText(const QString& type, const QString& curve);
void SplitBreakerText(const QString& text, QString& type, QString& curve);
