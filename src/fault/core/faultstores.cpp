// Stores of the fault-current workbook "_80" and the bus workbooks "_851".."_855", and the
// searches that hand a bus's short-circuit currents to the load and cable screens.
#include "app/core/calcutil.h"
#include "app/core/quantity.h"
#include "app/core/companionworkbook.h"
#include "app/core/sevrin.h"
#include "platform/xlsxbook.h"

using companion::WorkbookAccess;
using Mode = companion::WorkbookAccess::Mode;

namespace {

constexpr int kFaultSheets = 10;
constexpr int kTransformerSheet = 2;
constexpr int kUnusedSheet = 9;
constexpr int kBusNameCol = 16;
constexpr int kMaxCol = 1;  // row 0: maximum short-circuit current in kA
constexpr int kMinCol = 2;  // row 0: minimum

// The row buffer of a sheet of "_80": its cells and their number; none for sheet 9.
struct RowBufferRef
{
    QString* cells = nullptr;
    int count = 0;
};

RowBufferRef FaultRowBuffer(CSevrinApp::FaultCurrentBlockT& block, int sheet)
{
    switch (sheet) {
    case 0: return {block.LineRow.data(), int(block.LineRow.size())};
    case 1: return {block.IncomingCableRow.data(), int(block.IncomingCableRow.size())};
    case 2: return {block.TransformerImpedanceRow.data(), int(block.TransformerImpedanceRow.size())};
    case 3:
    case 4:
    case 5:
    case 6:
    case 7: return {block.FaultMotorRow.data(), int(block.FaultMotorRow.size())};
    case 8: return {block.FaultCableRow.data(), int(block.FaultCableRow.size())};
    default: return {};
    }
}

}  // namespace

// ---- "_80" --------------------------------------------------------------------------------

bool CSevrinApp::ReadFaultDataRow(int sheet, int row)
{
    WorkbookAccess wb(CompanionPath(FaultDataWorkbook), Mode::ReadOrCreate);
    if (!wb.ok())
        return false;
    if (wb.isNew()) {
        // A new project: the ten sheets, all empty; there is no row to read yet. A creation
        // that fails leaves the file missing: within a batch its end reports it, otherwise
        // the next row stored fails and says so.
        for (int i = 0; i < kFaultSheets; ++i)
            wb.book().addSheet(QString::number(i));
        static_cast<void>(wb.save());
        return false;
    }
    const Sheet* s = wb.sheet(sheet);
    const RowBufferRef buffer = FaultRowBuffer(FaultCurrentBlock, sheet);
    if (!s || !buffer.cells || row < 0)
        return false;
    companion::ReadCells(*s, row, 0, buffer.cells, buffer.count);
    // Transformer rows are addressed by index and never end a list.
    return sheet == kTransformerSheet || !buffer.cells[0].isEmpty();
}

bool CSevrinApp::WriteFaultDataRow(int sheet, int row, bool insert)
{
    WorkbookAccess wb(CompanionPath(FaultDataWorkbook), Mode::Write);
    Sheet* s = wb.sheet(sheet);
    if (!s || row < 0)
        return false;
    if (sheet == kUnusedSheet)
        return wb.save();
    const RowBufferRef buffer = FaultRowBuffer(FaultCurrentBlock, sheet);
    if (!buffer.cells)
        return false;
    if (insert && sheet != kTransformerSheet && !s->insertRow(row, row))
        return false;
    return companion::WriteCells(*s, row, 0, buffer.cells, buffer.count) && wb.save();
}

bool CSevrinApp::DeleteFaultDataRow(int sheet, int row)
{
    WorkbookAccess wb(CompanionPath(FaultDataWorkbook), Mode::Write);
    Sheet* s = wb.sheet(sheet);
    if (!s || row < 0)
        return false;
    return s->removeRow(row, row) && wb.save();
}

// ---- bus workbooks ------------------------------------------------------------------------

bool CSevrinApp::WriteBusPageHeader(int tr, int page)
{
    WorkbookAccess wb(BusWorkbookPath(tr), Mode::Write);
    Sheet* s = wb.sheet(page);
    if (!s)
        return false;
    return companion::WriteRow(*s, 0, FaultCurrentBlock.BusPageHeader) && wb.save();
}

bool CSevrinApp::WriteBusRow(int tr, int page, int row)
{
    WorkbookAccess wb(BusWorkbookPath(tr), Mode::Write);
    Sheet* s = wb.sheet(page);
    if (!s || row < 0)
        return false;
    return companion::WriteRow(*s, row + 1, FaultCurrentBlock.BusRow) && wb.save();
}

bool CSevrinApp::WriteBusNameColumn(int tr, int page, const QString& name, int count)
{
    WorkbookAccess wb(BusWorkbookPath(tr), Mode::Write);
    Sheet* s = wb.sheet(page);
    if (!s)
        return false;
    for (int i = 1; i <= count; ++i)
        s->writeStr(i, kBusNameCol, name);
    return wb.save();
}

bool CSevrinApp::DeleteBusRow(int tr, int page, int row)
{
    WorkbookAccess wb(BusWorkbookPath(tr), Mode::Write);
    Sheet* s = wb.sheet(page);
    if (!s || row < 0)
        return false;
    return s->removeRow(row + 1, row + 1) && wb.save();
}

bool CSevrinApp::MoveBusPage(int tr, int page, bool insert)
{
    // Only the fault-current screen creates bus workbooks; a missing one stays missing.
    WorkbookAccess wb(BusWorkbookPath(tr), Mode::Write);
    if (!wb.ok() || wb.isNew() || page < 0 || page >= wb.book().sheetCount())
        return false;
    Book& book = wb.book();
    const int last = book.sheetCount() - 1;
    if (insert) {
        // The spare last page moves in front of `page`, keeping what it held.
        if (!book.moveSheet(last, page))
            return false;
    } else {
        // Empty the whole page, however many bus rows it holds, so that the spare it becomes
        // carries nothing of it.
        Sheet* s = wb.sheet(page);
        if (!s->removeRow(0, 1048575) || !book.moveSheet(page, last))
            return false;
    }
    return wb.save();
}

namespace {

// The first page whose bus name (cell (1,16)) matches; its currents into the outputs.
template <typename Match>
bool FindBus(const QString& path, double& minimum, double& maximum, Match matches)
{
    WorkbookAccess wb(path, Mode::Read);
    if (!wb.ok())
        return false;
    for (int i = 0; i < wb.book().sheetCount(); ++i) {
        const Sheet* s = wb.sheet(i);
        if (!matches(companion::CellText(*s, 1, kBusNameCol)))
            continue;
        // An empty result cell leaves the caller's preset; any other is read strictly, so a
        // "12,5" or "nan" is no value rather than the number it starts with.
        const QString minText = companion::CellText(*s, 0, kMinCol);
        const QString maxText = companion::CellText(*s, 0, kMaxCol);
        if (!minText.isEmpty())
            minimum = QuantityOr(minText, QuantitySign::NonNegative);
        if (!maxText.isEmpty())
            maximum = QuantityOr(maxText, QuantitySign::NonNegative);
        return true;
    }
    return false;
}

}  // namespace

bool CSevrinApp::FindBusFaultValues(int tr, const QString& name, double& minimum,
                                    double& maximum)
{
    // A page without a bus has no name: an empty name matches nothing.
    return FindBus(BusWorkbookPath(tr), minimum, maximum,
                   [&name](const QString& bus) { return !bus.isEmpty() && bus == name; });
}

bool CSevrinApp::FindBusFaultValuesContaining(int tr, const QString& name, double& minimum,
                                              double& maximum)
{
    // A bus named exactly so is the exact search's business.
    return FindBus(BusWorkbookPath(tr), minimum, maximum, [&name](const QString& bus) {
        return bus != name && bus.contains(name, Qt::CaseSensitive);
    });
}
