// A panel board of 71 circuits (a full report page) with the shipped reference library: the
// circuits written one action at a time as the screen stores them, every circuit recomputed
// in memory, recomputed and stored in one batch (as the fault-current search stores them),
// and the board computed and its results stored (as "계산" does). Prints figures.
#include "benchcheck.h"
#include "benchpaths.h"
#include "benchproject.h"
#include "app/core/calcutil.h"
#include "app/core/companionworkbook.h"
#include "app/core/sevrin.h"
#include "cable/core/cableapp.h"
#include "loads/core/boardschedule.h"
#include "loads/core/branchcircuit.h"
#include "loads/core/designconditions.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr int kCircuits = 71;
constexpr int kRounds = 20;

CircuitCells MakeCircuit(int r)
{
    static const char* phases[4] = {"L1", "L2", "L3", "A"};
    static const char* breakers[4] = {"MCB|C", "RCBO|C", "MCCB|D", "CBR|10"};
    static const char* methods[4] = {"A", "B", "D", "E"};
    CircuitCells row;
    row[CcNo] = QString::number(r + 1);
    row[CcName] = QStringLiteral("회로-%1").arg(r + 1);
    row[CcUnitLoad] = QString::number(40 + 37 * (r % 50));
    row[CcQuantity] = QString::number(1 + r % 12);
    row[CcPhase] = QLatin1String(phases[r % 4]);
    row[CcLength] = QString::number(5 + r % 60);
    row[CcBreaker] = QLatin1String(breakers[(r / 4) % 4]);
    row[CcPoles] = r % 4 == 3 ? QStringLiteral("3") : QStringLiteral("2");
    row[CcConductor] = r % 3 ? QStringLiteral("HFIX") : QStringLiteral("FCV");
    row[CcMethod] = QLatin1String(methods[r % (r % 3 ? 2 : 4)]);
    row[CcIsMin] = QString::number(1.5 + 0.1 * (r % 40), 'f', 3);
    row[CcBar1] = row[CcBar2] = QStringLiteral("|");
    return row;
}

double Median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication qapp(argc, argv);
    QTemporaryDir dir;
    if (!dir.isValid())
        return 1;
    const QString lib = BenchProgramDir() + QStringLiteral("/LIB");
    auto& paths = theApp.ProjectPathTable;
    paths.LibWorkbookPath = lib + QStringLiteral("/lib_v3p4.xlsx");
    paths.BreakerWorkbookPath = lib + QStringLiteral("/breaker_v3p4.xlsx");
    paths.CompanionSuffixTable = BenchCompanionSuffixes();
    paths.CurrentProjectPath = dir.filePath(QStringLiteral("P1.pro"));
    theApp.LoadLibraryWorkbook();
    auto& b = theApp.CabinetSizingBlock;
    b.InstallConditionIndex = {2, 2, 0, 5, 0};
    b.ConductorCriteriaText = {"0.9", "0.95", "3", "3", "5", "100", "1.0"};
    ApplyPanelBoardDesignConditions(theApp);

    b.PanelBoardRecord() = {"LN-1", "B1", "매립형", "TR-1", "0.38", "3P4W", "X"};
    if (!theApp.AddPanelBoardSheet())
        return 1;
    const BranchCircuitConditions cond = BranchCircuitConditionsFromApp(theApp);

    // Written one "추가" at a time: each row computed and stored before the next.
    QElapsedTimer t;
    t.start();
    std::vector<CircuitCells> rows;
    {
        AppCableLookup lookup(theApp);
        for (int r = 0; r < kCircuits; ++r) {
            CircuitCells row = MakeCircuit(r);
            CalcBranchCircuitRow(row, 0, 0.0, NO_VALUE, cond, lookup);
            b.CircuitRow = row;
            if (!theApp.WriteCircuitRow(0, r, false))
                return 1;
            rows.push_back(row);
        }
    }
    const double addMs = t.nsecsElapsed() / 1e6;

    std::vector<double> calcMs, storeMs, boardMs, searchMs;
    for (int round = 0; round < kRounds; ++round) {
        // In memory only, a fresh lookup each round (as each screen action makes one).
        t.restart();
        {
            AppCableLookup lookup(theApp);
            for (CircuitCells& row : rows)
                RecalcStoredCircuitRow(row, cond, lookup);
        }
        calcMs.push_back(t.nsecsElapsed() / 1e6);

        // Recomputed and stored, one save at the end.
        t.restart();
        {
            AppCableLookup lookup(theApp);
            CompanionBatch batch;
            for (int r = 0; r < kCircuits; ++r) {
                RecalcStoredCircuitRow(rows[std::size_t(r)], cond, lookup);
                b.CircuitRow = rows[std::size_t(r)];
                Require(theApp.WriteCircuitRow(0, r, false), "WriteCircuitRow");
            }
            if (!batch.finish())
                return 1;
        }
        storeMs.push_back(t.nsecsElapsed() / 1e6);

        // "계산": circuits read, totals, main breaker, results stored, fault currents.
        t.restart();
        if (!CalcPanelBoardInApp(theApp, 0, QStringLiteral("LN-1"), QStringLiteral("70")))
            return 1;
        FindBoardFaultCurrents(theApp, QStringLiteral("LN-1"));
        boardMs.push_back(t.nsecsElapsed() / 1e6);

        // The minimum fault-current search over the board (no bus workbooks: nothing found).
        t.restart();
        {
            AppCableLookup lookup(theApp);
            SearchCircuitMinFaultCurrents(theApp, QStringLiteral("LN-1"), rows, cond, lookup);
        }
        searchMs.push_back(t.nsecsElapsed() / 1e6);
    }

    std::printf("bench_boards: one board of %d circuits, %d rounds (median)\n", kCircuits, kRounds);
    std::printf("  %d circuits added one store call each:   %8.2f ms total\n", kCircuits, addMs);
    std::printf("  recompute %d circuits in memory:         %8.3f ms\n", kCircuits, Median(calcMs));
    std::printf("  recompute and store %d circuits (batch): %8.2f ms\n", kCircuits, Median(storeMs));
    std::printf("  compute the board and store its results: %8.2f ms\n", Median(boardMs));
    std::printf("  ISMIN search over the board:             %8.2f ms\n", Median(searchMs));
    std::printf("  board totals: %s VA, %s kVA demand\n", qPrintable(b.PanelBoardTotals()[3]),
                qPrintable(b.PanelBoardTotals()[11]));
    return 0;
}
