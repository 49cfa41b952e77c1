// Stores of the panel-board workbook "_20" (one sheet per board) and the circuit load sums.
#include "app/core/calcutil.h"
#include "app/core/quantity.h"
#include "app/core/companionrows.h"
#include "app/core/sevrin.h"
#include "platform/xlsxbook.h"

#include <limits>

using companion::CellPos;
using companion::DeleteLoadRow;
using companion::kFirstLoadRow;
using companion::SheetStore;
using companion::WorkbookAccess;
using companion::WriteLoadRow;
using Mode = companion::WorkbookAccess::Mode;

namespace {

constexpr int kMaxCircuits = 1000;

constexpr CellPos kBoardResultCells[6] = {
    {0, 1}, {1, 1}, {2, 1},  // elements 7..9
    {0, 2}, {1, 2}, {2, 2},  // 10..12
};

SheetStore<13, 6> BoardStore(CSevrinApp& app)
{
    return {app.CompanionPath(CSevrinApp::PanelBoardWorkbook), app.CabinetSizingBlock.BoardRecord,
            kBoardResultCells};
}
}  // namespace

// ---- "_20" --------------------------------------------------------------------------------

bool CSevrinApp::AddPanelBoardSheet()
{
    return BoardStore(*this).add();
}

bool CSevrinApp::InsertPanelBoardSheet(int board)
{
    return BoardStore(*this).insert(board);
}

bool CSevrinApp::UpdatePanelBoardSheet(int board)
{
    return BoardStore(*this).update(board);
}

bool CSevrinApp::WritePanelBoardResults(int board)
{
    return BoardStore(*this).writeResults(board);
}

bool CSevrinApp::DeletePanelBoardSheet(int board)
{
    return BoardStore(*this).remove(board);
}

bool CSevrinApp::ReadPanelBoardSheet(int board)
{
    return BoardStore(*this).read(board);
}

bool CSevrinApp::WriteCircuitRow(int board, int row, bool insert)
{
    return WriteLoadRow(CompanionPath(PanelBoardWorkbook), board, row, insert, kFirstLoadRow,
                        CabinetSizingBlock.CircuitRow);
}

bool CSevrinApp::DeleteCircuitRow(int board, int row)
{
    return DeleteLoadRow(CompanionPath(PanelBoardWorkbook), board, row, kFirstLoadRow);
}

void CSevrinApp::SumCircuitLoads(int board, double& l1, double& l2, double& l3)
{
    l1 = l2 = l3 = 0.0;
    WorkbookAccess wb(CompanionPath(PanelBoardWorkbook), Mode::Read);
    const Sheet* sheet = wb.sheet(board);
    if (!sheet)
        return;
    auto& circuit = CabinetSizingBlock.CircuitRow;
    // "" and "-" mark a phase the circuit does not load; any other text that is no load of at
    // least 0 (nan, inf, 1e308, a negative load) makes the sum no value (NaN).
    auto phase = [](const QString& text) {
        if (text.isEmpty() || text == QLatin1String("-"))
            return 0.0;
        return QuantityOr(text, QuantitySign::NonNegative);
    };
    for (int row = 0; row < kMaxCircuits; ++row) {
        companion::ReadRow(*sheet, row + kFirstLoadRow, circuit);
        if (circuit[1].isEmpty())
            break;  // the first circuit without a load name ends the board
        l1 += phase(circuit[6]);
        l2 += phase(circuit[7]);
        l3 += phase(circuit[8]);
    }
}
