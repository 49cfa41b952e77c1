// sevrin-calc boards: for each panel board of "_20" in order, recomputes its circuit rows from
// their own inputs (calculated rows and placeholders; closing rows with their group's load;
// subtotal lines and linked panels as stored) and then the board as "계산" does, at the board's
// stored demand factor (the project's when the board has none yet). Rows and results are
// written back. Prints per circuit "CIRCUIT", the board name and the row's 60 texts, then
// "BOARD", the board name and the 13 items of the board record. The workbook is saved once,
// after the last board.
#include "calccommand.h"

#include "app/core/companionworkbook.h"
#include "app/core/sevrin.h"
#include "cable/core/cableapp.h"
#include "loads/core/boardschedule.h"
#include "loads/core/branchcircuit.h"
#include "platform/xlsxbook.h"

#include <QFileInfo>

namespace {

// Recomputes and stores every board within the caller's batch; false after a line on ctx.err.
bool RecalcBoards(CalcContext& ctx, const QString& path, int boards)
{
    const BranchCircuitConditions cond = BranchCircuitConditionsFromApp(theApp);
    AppCableLookup lookup(theApp);
    auto& block = theApp.CabinetSizingBlock;
    auto& record = block.PanelBoardRecord();
    for (int b = 0; b < boards; ++b) {
        std::vector<CircuitCells> rows;
        if (!theApp.ReadPanelBoardSheet(b) || !ReadBoardCircuits(theApp, b, rows)) {
            ctx.err << "cannot read panel board " << b << ": " << path << '\n';
            return false;
        }
        if (BoardCircuitsBeyondLimit(theApp, b))
            WarnRowLimit(ctx, path, kMaxBoardCircuits);
        const QString name = record[0];
        const QString demandFactor = record[8].isEmpty() ? block.DemandFactorPct() : record[8];
        for (std::size_t i = 0; i < rows.size(); ++i) {
            if (!IsRecomputedCircuit(rows[i]))
                continue;
            RecalcStoredCircuitRow(rows[i], cond, lookup);
            block.CircuitRow = rows[i];
            if (!theApp.WriteCircuitRow(b, int(i), false)) {
                ctx.err << "cannot store the circuits of " << name << ": " << path << '\n';
                return false;
            }
        }
        if (!CalcPanelBoardInApp(theApp, b, name, demandFactor)) {
            ctx.err << "cannot store the results of " << name << ": " << path << '\n';
            return false;
        }
        QStringList fields;
        for (const CircuitCells& row : rows) {
            fields = {QStringLiteral("CIRCUIT"), name};
            for (const QString& cell : row)
                fields.append(cell);
            WriteCalcLine(ctx.out, fields);
        }
        fields = {QStringLiteral("BOARD"), name};
        for (const QString& item : record)
            fields.append(item);
        WriteCalcLine(ctx.out, fields);
    }
    return true;
}

int RunBoards(CalcContext& ctx)
{
    const QString path = theApp.CompanionPath(CSevrinApp::PanelBoardWorkbook);
    if (!QFileInfo::exists(path))
        return 0;  // no panel boards yet
    int boards = 0;
    {
        companion::WorkbookAccess wb(path, companion::WorkbookAccess::Mode::Read);
        if (!wb.ok()) {
            ctx.err << "cannot read panel boards: " << path << '\n';
            return 1;
        }
        boards = wb.book().sheetCount();
    }

    // One save for the whole run, after the last board; a failure on the way stores nothing.
    CompanionBatch batch;
    if (!RecalcBoards(ctx, path, boards)) {
        batch.discard();
        return 1;
    }
    if (!batch.finish()) {
        ctx.err << "cannot save the panel-board workbook: " << path << '\n';
        return 1;
    }
    return 0;
}

const CalcCommandRegistrar reg("boards", &RunBoards);

}  // namespace
