// Stores of the motor-control-centre workbook "_10" and the panel-board workbook "_20", the
// circuit load sums and the panel-name registry of the bus searches.
//
// Both workbooks keep one sheet per panel or board, named after it: column 0 of rows 0..5
// holds the six header texts, rows 0..5 of columns 1..3 the results, and the load or circuit
// rows start at sheet row 6.
#include "app/core/calcutil.h"
#include "app/core/companionworkbook.h"
#include "app/core/sevrin.h"
#include "platform/xlsxbook.h"

#include <limits>

using companion::WorkbookAccess;
using Mode = companion::WorkbookAccess::Mode;

namespace {

constexpr int kFirstLoadRow = 6;
constexpr int kHeaderCells = 6;
constexpr int kMaxCircuits = 1000;

// Result cells: element -> (row, col).
struct CellPos
{
    int row;
    int col;
};
constexpr CellPos kMccResultCells[13] = {
    {0, 1}, {1, 1}, {2, 1},                          // elements 7..9
    {0, 2}, {1, 2}, {2, 2}, {3, 2}, {4, 2}, {5, 2},  // 10..15
    {0, 3}, {1, 3}, {2, 3}, {3, 3},                  // 16..19
};
constexpr CellPos kBoardResultCells[6] = {
    {0, 1}, {1, 1}, {2, 1},  // elements 7..9
    {0, 2}, {1, 2}, {2, 2},  // 10..12
};

template <std::size_t N>
void WriteHeader(Sheet& sheet, const std::array<QString, N>& record)
{
    for (int i = 0; i < kHeaderCells; ++i)
        sheet.writeStr(i, 0, record[std::size_t(i + 1)]);
}

template <std::size_t N, std::size_t R>
void WriteResults(Sheet& sheet, const std::array<QString, N>& record, const CellPos (&cells)[R])
{
    for (std::size_t i = 0; i < R; ++i)
        sheet.writeStr(cells[i].row, cells[i].col, record[7 + i]);
}

template <std::size_t N, std::size_t R>
void ReadRecord(const Sheet& sheet, std::array<QString, N>& record, const CellPos (&cells)[R])
{
    record[0] = sheet.name();
    for (int i = 0; i < kHeaderCells; ++i)
        record[std::size_t(i + 1)] = companion::CellText(sheet, i, 0);
    for (std::size_t i = 0; i < R; ++i)
        record[7 + i] = companion::CellText(sheet, cells[i].row, cells[i].col);
}

// The record-per-sheet operations shared by "_10" and "_20".
template <std::size_t N, std::size_t R>
struct SheetStore
{
    QString path;
    std::array<QString, N>& record;
    const CellPos (&results)[R];

    bool add()
    {
        WorkbookAccess wb(path, Mode::Write);
        if (!wb.ok() || !companion::SheetNameFree(wb.book(), record[0]))
            return false;
        Sheet* sheet = wb.book().addSheet(record[0]);
        if (!sheet)
            return false;
        WriteHeader(*sheet, record);
        return wb.save();
    }

    bool insert(int index)
    {
        WorkbookAccess wb(path, Mode::Write);
        if (!wb.ok() || index < 0 || index > wb.book().sheetCount() ||
            !companion::SheetNameFree(wb.book(), record[0]))
            return false;
        Sheet* sheet = wb.book().insertSheet(index, record[0]);
        if (!sheet)
            return false;
        WriteHeader(*sheet, record);
        return wb.save();
    }

    bool update(int index)
    {
        WorkbookAccess wb(path, Mode::Write);
        Sheet* sheet = wb.sheet(index);
        if (!sheet || !companion::SheetNameFree(wb.book(), record[0], sheet) ||
            !sheet->setName(record[0]))
            return false;
        WriteHeader(*sheet, record);
        return wb.save();
    }

    bool writeResults(int index)
    {
        WorkbookAccess wb(path, Mode::Write);
        Sheet* sheet = wb.sheet(index);
        if (!sheet)
            return false;
        WriteResults(*sheet, record, results);
        return wb.save();
    }

    bool remove(int index)
    {
        WorkbookAccess wb(path, Mode::Write);
        // Nothing to delete is no success, and saves no empty file.
        if (!wb.ok() || !wb.book().delSheet(index))
            return false;
        return wb.save();
    }

    bool read(int index)
    {
        WorkbookAccess wb(path, Mode::Read);
        const Sheet* sheet = wb.sheet(index);
        if (!sheet)
            return false;
        ReadRecord(*sheet, record, results);
        return true;
    }
};

template <std::size_t N>
bool WriteLoadRow(const QString& path, int index, int row, bool insert, int firstRow,
                  const std::array<QString, N>& cells)
{
    WorkbookAccess wb(path, Mode::Write);
    Sheet* sheet = wb.sheet(index);
    if (!sheet || row < 0)
        return false;
    const int r = row + firstRow;
    if (insert && !sheet->insertRow(r, r))
        return false;
    return companion::WriteRow(*sheet, r, cells) && wb.save();
}

bool DeleteLoadRow(const QString& path, int index, int row, int firstRow)
{
    WorkbookAccess wb(path, Mode::Write);
    Sheet* sheet = wb.sheet(index);
    if (!sheet || row < 0)
        return false;
    const int r = row + firstRow;
    return sheet->removeRow(r, r) && wb.save();
}

}  // namespace

// ---- "_10" --------------------------------------------------------------------------------

namespace {
SheetStore<20, 13> MccStore(CSevrinApp& app)
{
    return {app.CompanionPath(CSevrinApp::MccWorkbook), app.MotorControlCenterBlock.MccPanelRecord,
            kMccResultCells};
}
SheetStore<13, 6> BoardStore(CSevrinApp& app)
{
    return {app.CompanionPath(CSevrinApp::PanelBoardWorkbook), app.CabinetSizingBlock.BoardRecord,
            kBoardResultCells};
}
}  // namespace

bool CSevrinApp::AddMccPanelSheet()
{
    return MccStore(*this).add();
}

bool CSevrinApp::InsertMccPanelSheet(int panel)
{
    return MccStore(*this).insert(panel);
}

bool CSevrinApp::UpdateMccPanelSheet(int panel)
{
    return MccStore(*this).update(panel);
}

bool CSevrinApp::WriteMccPanelResults(int panel)
{
    return MccStore(*this).writeResults(panel);
}

bool CSevrinApp::DeleteMccPanelSheet(int panel)
{
    return MccStore(*this).remove(panel);
}

bool CSevrinApp::ReadMccPanelSheet(int panel)
{
    return MccStore(*this).read(panel);
}

bool CSevrinApp::WriteMccLoadRow(int panel, int row, bool insert)
{
    return WriteLoadRow(CompanionPath(MccWorkbook), panel, row, insert, kFirstLoadRow,
                        MotorControlCenterBlock.MccLoadRow);
}

bool CSevrinApp::DeleteMccLoadRow(int panel, int row)
{
    return DeleteLoadRow(CompanionPath(MccWorkbook), panel, row, kFirstLoadRow);
}

bool CSevrinApp::ReadMccLoadRow(int panel, int row)
{
    WorkbookAccess wb(CompanionPath(MccWorkbook), Mode::Read);
    const Sheet* sheet = wb.sheet(panel);
    if (!sheet || row < 0)
        return false;
    auto& block = MotorControlCenterBlock;
    block.MccSheetName = sheet->name();
    const int r = row + kFirstLoadRow;
    companion::ReadRow(*sheet, r, block.MccLoadRow);
    // A load whose name was written as empty text is still a row; a missing cell ends the list.
    return sheet->readText(r, 0).has_value();
}

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
        double v = 0.0;
        return ReadValue(text, &v) && v >= 0.0 ? v : std::numeric_limits<double>::quiet_NaN();
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

// ---- panel-name registry --------------------------------------------------------------------

void CSevrinApp::CollectPanelNames()
{
    auto& reg = PanelNameRegistry;
    reg.PanelNameCount = 0;
    const int capacity = std::min<int>(reg.PanelNameCapacity, int(reg.PanelNames.size()));
    for (const int role : {MccWorkbook, PanelBoardWorkbook}) {
        WorkbookAccess wb(CompanionPath(role), Mode::Read);
        if (!wb.ok())
            continue;
        for (int i = 0; i < wb.book().sheetCount(); ++i) {
            if (reg.PanelNameCount >= capacity)
                return;
            reg.PanelNames[std::size_t(reg.PanelNameCount++)] = wb.sheet(i)->name();
        }
    }
}

bool CSevrinApp::IsPanelName(const QString& name) const
{
    const auto& reg = PanelNameRegistry;
    for (int i = 0; i < reg.PanelNameCount && i < int(reg.PanelNames.size()); ++i)
        if (reg.PanelNames[std::size_t(i)] == name)
            return true;
    return false;
}
