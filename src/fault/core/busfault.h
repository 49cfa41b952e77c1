#pragma once
// One bus of the installation and its short-circuit currents (IEC 60909 formulas): the 22.9 kV
// incoming bus, a transformer's secondary bus, or a downstream bus built from the cables on
// the road from the transformer to it.
#include <QString>

#include <array>
#include <vector>

class CSevrinApp;

namespace fault {

// The columns of a bus list row: cable number, FROM, TO, length, type, size, cores, lines,
// PE size, N, R90, R20, R250, X, RPE250, XPE.
using BusListRow = std::array<QString, 16>;

enum BusListColumn { BusR90 = 10, BusR20 = 11, BusR250 = 12, BusX = 13 };

// The fifteen results of a bus, in the order of a bus page's row 0.
enum BusResult {
    ResIk = 0,      // Ik'' kA
    ResIbMax = 1,   // Ib(IF-MAX) kA
    ResIbMin = 2,   // Ib(IF-MIN) kA
    ResIp = 3,      // IP kA
    ResIgMax = 4,   // IG-MAX kA
    ResK = 5,
    ResCmax = 6,
    ResCmin = 7,
    ResIdc = 8,     // kA
    ResRst20 = 9,   // ohm
    ResRst250 = 10,
    ResXstMax = 11,
    ResXstMin = 12,
    ResRgt = 13,
    ResXgt = 14,
};
inline constexpr int kBusResults = 15;

enum class BusMode { Incoming = 0, Transformer = 1, Feeder = 2 };

struct BusView
{
    BusMode Mode = BusMode::Feeder;
    int TransformerIndex = 0;  // 0..4 (TR-1..TR-5)
    int SheetIndex = 0;        // bus page of the transformer's bus workbook (feeder buses)
    // The transformer's secondary bus without motor contribution, set by the system calculation.
    double RB = 0.0;
    double XB = 0.0;
    // Row 0: the reference system seen from the secondary; row 1: the transformer.
    std::array<BusListRow, 2> UpstreamRows;
    std::vector<BusListRow> Rows;
    QString BusName;
    QString Voltage;
    QString TransformerName;
    QString Ngr;
    QString CellNumber;
    std::array<QString, kBusResults> Results;

    // Clears bus name, list and results (voltage, transformer and NGR stay).
    void ClearBus();
};

// The inputs of the common formulas.
struct BusFaultInputs
{
    double U = 0.0;      // kV
    double Cmax = 0.0;
    double Cmin = 0.0;
    double T = 0.01;     // breaker's instantaneous operating time, s
    double Rst20 = 0.0;  // ohm, for the maximum currents
    double XstMax = 0.0;
    double Rst250 = 0.0; // ohm, for the minimum current
    double XstMin = 0.0;
    double Rgt = 0.0;    // earth-fault loop
    double Xgt = 0.0;
    double EarthFactor = 0.0;    // c used for IG-MAX
    double IbMinFactor = 1.0;    // 1.1 at a transformer's secondary bus
};

// The fifteen results in BusResult order (currents in kA).
std::array<double, kBusResults> CalcBusFigures(const BusFaultInputs& in);

// The factors and times a bus calculation takes from the project.
struct BusCalcFactors
{
    double CmaxLv = 0.0, CminLv = 0.0;  // 100 V to 1000 V
    double CmaxHv = 0.0, CminHv = 0.0;  // above 1 kV to 35 kV
    double T = 0.01;
    double R0 = 0.0, X0 = 0.0;          // total zero-sequence impedance at 22.9 kV
};
BusCalcFactors ReadBusCalcFactors(const CSevrinApp& app);

// The breaker's instantaneous operating time of the design conditions: 0.01 s to 0.05 s.
double BreakerInstantaneousTime(const CSevrinApp& app);

// Computes the bus by its mode. Feeder buses store their results in row 0 of their bus page;
// `stored`, when given, turns false when that store failed. False only for a feeder bus
// without a name or without rows (nothing is computed then).
bool CalcBusFaultCurrent(CSevrinApp& app, BusView& view, bool* stored = nullptr);

// ---- the bus cell's own operations ---------------------------------------------------------
// Each stores its change in the bus page at once; when the page cannot be written (a bus
// workbook that does not load, a missing sheet, a failed save) a message says so and the bus
// stays as its page holds it.

// Before a cable is added or changed: a bus name is needed and the system calculation must
// have run; inserts the two upstream rows into an empty list. Shows the message on false.
bool ValidateBusInput(BusView& view);
// Appends a cable (16 values from the cable list), stores it and recomputes the bus.
bool AddBusCable(CSevrinApp& app, BusView& view, const BusListRow& cable);
// Replaces list row `sel` (2 or more), stores it and recomputes.
bool ChangeBusCable(CSevrinApp& app, BusView& view, int sel, const BusListRow& cable);
// Removes list row `sel` (2 or more) from the list and the page, and recomputes.
bool DeleteBusCable(CSevrinApp& app, BusView& view, int sel);
// Renames the bus and its stored rows; an empty name is refused with a message, since the
// page's rows are read only up to the first row without a name.
bool SetBusName(CSevrinApp& app, BusView& view, const QString& name);
// Removes every cable of the bus from the list and the page; the page's results stay.
bool DeleteAllBusCables(CSevrinApp& app, BusView& view);

}  // namespace fault
