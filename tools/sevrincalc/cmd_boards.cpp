// sevrin-calc boards: for each panel board of "_20" in order, recomputes its circuit rows from
// their own inputs (calculated rows and placeholders; closing rows with their group's load;
// subtotal lines and linked panels as stored) and then the board as "계산" does, at the board's
// stored demand factor (the project's when the board has none yet). Rows and results are
// written back. Prints per circuit "CIRCUIT", the board name and the row's 60 texts, then
// "BOARD", the board name and the 13 items of the board record. Stored quantities (inputs,
// and the figures of rows kept as stored) are printed through the strict reader: one that is
// no number in its range prints "-", never as a figure. The workbook is saved once, after the
// last board.
#include "calccommand.h"

#include "app/core/companionworkbook.h"
#include "app/core/sevrin.h"
#include "cable/core/cableapp.h"
#include "loads/core/boardschedule.h"
#include "loads/core/branchcircuit.h"
#include "app/core/quantity.h"
#include "platform/xlsxbook.h"

#include <QFileInfo>

namespace {

// A circuit cell as printed: the quantity columns through the strict reader; NO. as a label;
// names, kinds, verdicts, breaker and conductor texts as they stand.
QString CircuitCell(const CircuitCells& row, int c)
{
    const QString& text = row[std::size_t(c)];
    if (c == CcNo)
        return LabelText(text);  // a label; a number the program would refuse prints "-"
    if (c == CcIsMin)
        return QuantityText(text, QuantitySign::Positive);
    // 2..10 but the phase: loads, currents, length; 12..15 poles and ratings; 19 the size;
    // 22..29 the size criteria; 32..44 the breaker checks; 46..58 IZ and the voltage drop.
    const bool quantity = (c >= CcUnitLoad && c <= CcLength && c != CcPhase) ||
                          (c >= CcPoles && c <= CcAtb) || c == CcSize || (c >= 22 && c <= 29) ||
                          (c >= 32 && c <= 44) || (c >= 46 && c <= 58);
    return quantity ? QuantityText(text, QuantitySign::NonNegative) : text;
}

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
            for (int c = 0; c < kCircuitColumnCount; ++c)
                fields.append(CircuitCell(row, c));
            WriteCalcLine(ctx.out, fields);
        }
        fields = {QStringLiteral("BOARD"), name};
        for (const QString& item : record)
            fields.append(item);
        fields[2 + 4] = QuantityText(record[4], QuantitySign::Positive);     // voltage, kV
        fields[2 + 8] = QuantityText(record[8], QuantitySign::NonNegative);  // demand factor, %
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
