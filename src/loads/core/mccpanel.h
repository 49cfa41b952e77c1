#pragma once
// A motor-control-centre panel as a whole: its totals (connected and demand load, demand
// factor, the demand on each line, the largest motor, the demand without the largest load,
// the main current transformer), its feeder from the cable schedule, its fault currents from
// the bus workbooks, and the operations that fill it from elsewhere in the project (linked
// panels and boards, the branch breakers of the cable schedule, a copy of another panel).
// The calculation sheet, the driver and the report all go through these functions.
#include "loads/core/mccload.h"

#include <QString>
#include <QStringList>

#include <array>
#include <vector>

class CSevrinApp;
class LibTable;

using MccPanelRecordT = std::array<QString, 20>;
using MccPanelTotalsT = std::array<QString, 21>;

// Items of the panel totals (the fields of the totals area).
namespace MccTotal {
enum : int {
    ConnectedKva = 0,  // ΣCL
    DemandFactor = 1,  // %
    DemandKva = 2,     // ΣDL
    L1 = 3,
    L2 = 4,
    L3 = 5,
    MotorKw = 9,       // largest motor
    MotorMethod = 10,
    MotorWord = 11,    // "기동"
    MotorStartKva = 12,
    MotorStartTime = 13,
    BreakerPoles = 14,
    BreakerFrame = 15,
    BreakerTrip = 16,
    Ct = 17,
    BreakingKa = 18,
    Cable = 19,
    WithoutLargest = 20,
};
}

// How many load rows a panel lists; the screen adds no row past it.
inline constexpr int kMaxMccLoadRows = 1000;

// The rows a panel lists: sheet rows 6, 7, ... up to the first without an equipment number
// (at most kMaxMccLoadRows). Empty when the workbook or the sheet is missing.
std::vector<MccLoadRow> ReadMccLoadRows(CSevrinApp& app, int panel);
// True when the panel's sheet holds a row past the kMaxMccLoadRows that it lists.
bool MccLoadRowsBeyondLimit(CSevrinApp& app, int panel);

// Totals of the rows. Counted in the sums: rows not marked spare ("N"), and the rows of fed
// panels and boards unless marked spare ("Y"), their demand spread equally over the lines.
// The largest motor is the "M" row (spare or not) with the largest numeric IMS, the first of
// equal ones; the largest load is the counted row with the largest demand. Items 14 to 16, 18
// and 19 (the feeder's) stay empty. `results` are panel record items 7 to 19.
struct MccTotalsResult
{
    MccPanelTotalsT totals;
    std::array<QString, 13> results;
    int counted = 0;
};
MccTotalsResult CalcMccPanelTotals(const std::vector<MccLoadRow>& rows, const QString& voltageKv,
                                   const LibTable& ctRatios);

// The feeder of a panel: the first cable-schedule row whose "To" is the panel.
struct MccFeeder
{
    bool found = false;
    QString poles;       // "3P"
    QString frame;       // AF
    QString trip;        // "100AT"
    QString breakingKa;
    QString cable;       // "0.6/1kV FCV 35/3-1,E-16(ST|36)"
};
MccFeeder FindMccFeeder(CSevrinApp& app, const QString& panelName);

// Maximum and minimum short-circuit currents (kA, "%.3f") of the bus named after the panel,
// the last transformer that has a value winning; "-" where no bus gives one.
struct MccFaultCurrents
{
    QString maximum = QStringLiteral("-");
    QString minimum = QStringLiteral("-");
};
MccFaultCurrents FindMccFaultCurrents(CSevrinApp& app, const QString& panelName);

// The whole panel calculation: reads the panel's record and rows, computes the totals, stores
// the record's results in its sheet, and looks up the feeder and the fault currents. Leaves
// the record in MccPanelRecord and the totals in MccPanelTotals.
struct MccPanelCalc
{
    bool read = false;    // false: the panel's sheet could not be read, nothing computed
    bool stored = false;  // the results reached the workbook
    MccPanelTotalsT totals;
    MccFaultCurrents fault;
};
MccPanelCalc CalcMccPanelResults(CSevrinApp& app, int panel);
// The totals area of a panel as "계산" shows it, from what is stored (the rows as stored, the
// feeder of the cable schedule, the bus workbooks), writing nothing. A panel whose results
// were never stored (no connected load in its sheet) gives none: `read` is false.
MccPanelCalc ReadMccPanelResults(CSevrinApp& app, int panel);

// Recomputes the panel's stored rows as a modification of each would (rows the input check
// refuses stay as stored) and stores them; the rows as they now stand in `rows`. False when
// the panel cannot be read or the workbook could not be saved.
bool RecalcMccPanelLoads(CSevrinApp& app, int panel, std::vector<MccLoadRow>& rows);

// The linked-load rows for the panel `panelName`: every MCC panel and every panel board whose
// FROM is that name, in sheet order (panels first).
struct MccLinkedLoads
{
    std::vector<MccLoadRow> rows;
    int panels = 0;
    int boards = 0;
};
MccLinkedLoads CollectMccLinkedLoads(CSevrinApp& app, const QString& panelName);

// Copies the branch breakers of the cable schedule into the rows: for each cable row from
// `panelName` the first load row whose equipment number is its "To" takes its poles, frame
// and rating. `total` counts every cable row read.
struct MccBreakerImport
{
    int total = 0;
    int matched = 0;
    std::vector<int> changedRows;  // in the order they were set
};
MccBreakerImport MatchMccBreakers(CSevrinApp& app, const QString& panelName,
                                  std::vector<MccLoadRow>& rows);

// Panel names follow the workbook's sheet-name rules and are unique ignoring case.
enum class MccPanelNameCheck { Ok, Empty, Invalid, Duplicate };
// `names` are the panels of the list; `except` the position of the panel being renamed.
MccPanelNameCheck CheckMccPanelName(const QString& name, const QStringList& names, int except = -1);
QString MccPanelNameMessage(MccPanelNameCheck check);
// "<base>_<stamp>", with "_2", "_3", ... appended when a panel of that name exists already
// (two copies within one second).
QString MakeMccCopyName(const QString& base, const QString& stamp, const QStringList& names);
// Copies the load rows of panel `source` into panel `target` (whose sheet exists); false when
// the workbook or either sheet is missing or the save failed.
[[nodiscard]] bool CopyMccLoadRows(CSevrinApp& app, int source, int target);
