// Stores of the motor-control-centre workbook "_10" (one sheet per panel) and the
// panel-name registry of the bus searches.
#include "app/core/companionrows.h"
#include "app/core/sevrin.h"
#include "platform/xlsxbook.h"

using companion::CellPos;
using companion::DeleteLoadRow;
using companion::kFirstLoadRow;
using companion::SheetStore;
using companion::WorkbookAccess;
using companion::WriteLoadRow;
using Mode = companion::WorkbookAccess::Mode;

namespace {

constexpr CellPos kMccResultCells[13] = {
    {0, 1}, {1, 1}, {2, 1},                          // elements 7..9
    {0, 2}, {1, 2}, {2, 2}, {3, 2}, {4, 2}, {5, 2},  // 10..15
    {0, 3}, {1, 3}, {2, 3}, {3, 3},                  // 16..19
};

}  // namespace

// ---- "_10" --------------------------------------------------------------------------------

namespace {
SheetStore<20, 13> MccStore(CSevrinApp& app)
{
    return {app.CompanionPath(CSevrinApp::MccWorkbook), app.MotorControlCenterBlock.MccPanelRecord,
            kMccResultCells};
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
