#pragma once
// The board level of the panel-board schedule: the totals of one board (phase loads,
// currents and shares, demand load and main current), its main breaker from the cable
// schedule and its fault currents from the bus workbooks, the board-name check, the linked
// loads of the fed panels and boards, and the minimum fault-current search over a board's
// circuits. The screen, the driver and the report writer call these.
#include "loads/core/branchcircuit.h"

#include <QString>

#include <array>
#include <vector>

class CableLookup;
class CSevrinApp;

// Circuits are read up to the first row without a load name, at most this many.
inline constexpr int kMaxBoardCircuits = 1000;

struct BoardPhaseLoads
{
    double l1 = 0;
    double l2 = 0;
    double l3 = 0;
    int linkedPanels = 0;  // "PNL" rows counted, spread equally over L1..L3
};
// Phase loads in VA over the rows (empty and "-" cells skipped). A linked panel row carries
// no phase of its own: its load (소계) counts a third on each phase, or the board would leave
// out the sub-boards it feeds. A phase cell or a linked load that is no number of at least 0,
// and a circuit whose load is "-" (it could not be computed), make the sums NaN: the board's
// totals then show "-" rather than a figure short of that load.
BoardPhaseLoads SumBoardPhaseLoads(const std::vector<CircuitCells>& rows);

// The 18 totals of a board: phase loads, total, phase currents at 220 V and shares, demand
// load at the demand factor (%) and the main current at 0.38 kV, the four main-breaker texts.
// A board without load shows "-" for the shares.
std::array<QString, 18> CalcBoardTotals(const BoardPhaseLoads& loads, const QString& demandFactor,
                                        const std::array<QString, 4>& mainBreaker);

// The circuit rows stored in sheet `board` of the panel-board workbook. False (rows empty)
// when the workbook or the sheet cannot be read.
bool ReadBoardCircuits(CSevrinApp& app, int board, std::vector<CircuitCells>& rows);
// True when sheet `board` holds a circuit past the kMaxBoardCircuits that the board lists.
bool BoardCircuitsBeyondLimit(CSevrinApp& app, int board);

// "최대단락전류" and "최소단락전류" of a board: its bus searched by name under TR-1..TR-5, a
// later transformer's find winning; "-" where no bus (or no value) is found.
struct BoardFaultCurrents
{
    QString maximum = QStringLiteral("-");
    QString minimum = QStringLiteral("-");
};
BoardFaultCurrents FindBoardFaultCurrents(CSevrinApp& app, const QString& name);

// Computes board `board` named `name` from its stored circuits: fills PanelBoardTotals and the
// results of PanelBoardRecord (items 7..12, item 8 the demand factor given) and writes them
// into the board's sheet. False, with nothing written, when the board has no sheet; false
// also when the results could not be stored.
bool CalcPanelBoardInApp(CSevrinApp& app, int board, const QString& name,
                         const QString& demandFactor);

// A board name checked before anything changes: the message to show, or empty text when the
// name may be used. `names` are the boards of the list; `except` is the row being renamed
// (-1 for none). Empty names, names the workbook cannot hold as a sheet name and names of
// another board (ignoring case, as sheet names are) are refused.
QString CheckBoardName(const QString& name, const std::vector<QString>& names, int except);

// The linked loads of board `boardName`: one "PNL" row per motor-control-centre panel (its
// demand load x 1000, "%.0f" VA) and per panel board (its total connected load as stored)
// whose FROM names the board, panels first.
struct LinkedLoads
{
    std::vector<CircuitCells> rows;
    int mccPanels = 0;
    int boards = 0;
};
LinkedLoads CollectLinkedLoads(CSevrinApp& app, const QString& boardName);

// The minimum fault-current search over a board's rows: a row named after a panel or board
// takes the minimum current of the bus of that exact name, any other row that of the first
// bus whose name contains the board's name, transformers TR-1..TR-5 in order. Rows found are
// recomputed (closing rows with their group's load); subtotal lines and linked panels keep
// their texts. `changed` lists the rows rewritten.
struct CircuitSearchResult
{
    int panelMatches = 0;
    int generalMatches = 0;
    std::vector<int> changed;
};
CircuitSearchResult SearchCircuitMinFaultCurrents(CSevrinApp& app, const QString& boardName,
                                                  std::vector<CircuitCells>& rows,
                                                  const BranchCircuitConditions& cond,
                                                  CableLookup& lookup);
