// Store of the transformer workbook "_30": sheets "TR-1".."TR-5", each with its record and
// its load rows.
#include "app/core/companionworkbook.h"
#include "app/core/sevrin.h"
#include "platform/xlsxbook.h"

using companion::WorkbookAccess;
using Mode = companion::WorkbookAccess::Mode;

namespace {

constexpr int kTransformerSheets = 5;
constexpr int kFirstTransformerLoadRow = 4;
constexpr int kTransformerResultRow = 3;

}  // namespace

// ---- "_30" --------------------------------------------------------------------------------

bool CSevrinApp::ReadTransformerSheet(int tr)
{
    auto& record = TransformerSizingBlock.TransformerRecord;
    // Reading creates the workbook: the transformer screen reads before it ever writes.
    WorkbookAccess wb(CompanionPath(TransformerWorkbook), Mode::ReadOrCreate);
    if (!wb.ok())
        return false;
    if (wb.isNew()) {
        for (int i = 1; i <= kTransformerSheets; ++i)
            wb.book().addSheet(QStringLiteral("TR-%1").arg(i));
        for (QString& s : record)
            s.clear();
        return wb.save() && tr >= 0 && tr < kTransformerSheets;
    }
    const Sheet* sheet = wb.sheet(tr);
    if (!sheet)
        return false;
    for (int i = 0; i < 4; ++i)
        record[std::size_t(i)] = companion::CellText(*sheet, i, 0);
    companion::ReadCells(*sheet, kTransformerResultRow, 1, record.data() + 4, 16);
    return true;
}

bool CSevrinApp::WriteTransformerSheet(int tr)
{
    WorkbookAccess wb(CompanionPath(TransformerWorkbook), Mode::Write);
    Sheet* sheet = wb.sheet(tr);
    if (!sheet)
        return false;
    const auto& record = TransformerSizingBlock.TransformerRecord;
    for (int i = 0; i < 4; ++i)
        sheet->writeStr(i, 0, record[std::size_t(i)]);
    return companion::WriteCells(*sheet, kTransformerResultRow, 1, record.data() + 4, 16) &&
           wb.save();
}

bool CSevrinApp::WriteTransformerResults(int tr)
{
    WorkbookAccess wb(CompanionPath(TransformerWorkbook), Mode::Write);
    Sheet* sheet = wb.sheet(tr);
    if (!sheet)
        return false;
    // Only the largest motor's figures that the calculation computes; the entered ones stay.
    const auto& record = TransformerSizingBlock.TransformerRecord;
    for (const int e : {6, 7, 8, 14, 15, 16})
        sheet->writeStr(kTransformerResultRow, e - 3, record[std::size_t(e)]);
    return wb.save();
}

bool CSevrinApp::WriteTransformerLoadRow(int tr, int row, bool insert)
{
    WorkbookAccess wb(CompanionPath(TransformerWorkbook), Mode::Write);
    Sheet* sheet = wb.sheet(tr);
    if (!sheet || row < 0)
        return false;
    const int r = row + kFirstTransformerLoadRow;
    if (insert && !sheet->insertRow(r, r))
        return false;
    return companion::WriteRow(*sheet, r, TransformerSizingBlock.TransformerLoadRow) && wb.save();
}

bool CSevrinApp::DeleteTransformerLoadRow(int tr, int row)
{
    WorkbookAccess wb(CompanionPath(TransformerWorkbook), Mode::Write);
    Sheet* sheet = wb.sheet(tr);
    if (!sheet || row < 0)
        return false;
    const int r = row + kFirstTransformerLoadRow;
    return sheet->removeRow(r, r) && wb.save();
}

bool CSevrinApp::ReadTransformerLoadRow(int tr, int row)
{
    WorkbookAccess wb(CompanionPath(TransformerWorkbook), Mode::Read);
    const Sheet* sheet = wb.sheet(tr);
    if (!sheet || row < 0)
        return false;
    TransformerSizingBlock.TransformerSheetName = sheet->name();
    const int r = row + kFirstTransformerLoadRow;
    companion::ReadRow(*sheet, r, TransformerSizingBlock.TransformerLoadRow);
    return sheet->readText(r, 0).has_value();
}
