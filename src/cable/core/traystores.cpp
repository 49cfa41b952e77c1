// Store of the tray workbook "_50".
#include "app/core/companionworkbook.h"
#include "app/core/sevrin.h"
#include "platform/xlsxbook.h"

using companion::WorkbookAccess;
using Mode = companion::WorkbookAccess::Mode;

namespace {

constexpr int kFirstTrayRow = 8;

}  // namespace

// ---- "_50" --------------------------------------------------------------------------------
// Tray t: sheet 2t (named after the tray) holds its header, results and cables, sheet 2t + 1
// (the name followed by "_") its protective-earth conductors.

namespace {

QString PeSheetName(const QString& trayName)
{
    return trayName + QLatin1Char('_');
}

void WriteTrayHeader(Sheet& sheet, const std::array<QString, 4>& record)
{
    for (int i = 0; i < 3; ++i)
        sheet.writeStr(i, 0, record[std::size_t(i + 1)]);
}

// Both names of a tray can be taken (the two sheets `keep` may already carry them).
bool TrayNamesFree(const Book& book, const QString& name, const Sheet* keepCable = nullptr,
                   const Sheet* keepPe = nullptr)
{
    return companion::SheetNameFree(book, name, keepCable) &&
           companion::SheetNameFree(book, PeSheetName(name), keepPe);
}

template <std::size_t N>
bool WriteTrayRow(const QString& path, int tray, int sheetOffset, int row, bool insert,
                  const std::array<QString, N>& cells)
{
    WorkbookAccess wb(path, Mode::Write);
    if (!wb.ok() || tray < 0 || row < 0 || 2 * tray >= wb.book().sheetCount())
        return false;
    Sheet* sheet = wb.sheet(2 * tray + sheetOffset);
    if (!sheet)
        return false;
    const int r = row + kFirstTrayRow;
    if (insert && !sheet->insertRow(r, r))
        return false;
    return companion::WriteRow(*sheet, r, cells) && wb.save();
}

bool DeleteTrayRow(const QString& path, int tray, int sheetOffset, int row)
{
    WorkbookAccess wb(path, Mode::Write);
    if (!wb.ok() || tray < 0 || row < 0 || 2 * tray >= wb.book().sheetCount())
        return false;
    Sheet* sheet = wb.sheet(2 * tray + sheetOffset);
    if (!sheet)
        return false;
    const int r = row + kFirstTrayRow;
    return sheet->removeRow(r, r) && wb.save();
}

}  // namespace

bool CSevrinApp::AddTraySheets()
{
    const auto& record = CableTrayBlock.TrayRecord;
    WorkbookAccess wb(CompanionPath(TrayWorkbook), Mode::Write);
    if (!wb.ok() || !TrayNamesFree(wb.book(), record[0]))
        return false;
    Sheet* cables = wb.book().addSheet(record[0]);
    if (!cables || !wb.book().addSheet(PeSheetName(record[0])))
        return false;
    WriteTrayHeader(*cables, record);
    return wb.save();
}

bool CSevrinApp::InsertTraySheets(int tray)
{
    const auto& record = CableTrayBlock.TrayRecord;
    WorkbookAccess wb(CompanionPath(TrayWorkbook), Mode::Write);
    if (!wb.ok() || tray < 0 || 2 * tray > wb.book().sheetCount() ||
        !TrayNamesFree(wb.book(), record[0]))
        return false;
    Sheet* cables = wb.book().insertSheet(2 * tray, record[0]);
    if (!cables || !wb.book().insertSheet(2 * tray + 1, PeSheetName(record[0])))
        return false;
    WriteTrayHeader(*cables, record);
    return wb.save();
}

bool CSevrinApp::UpdateTraySheets(int tray)
{
    const auto& record = CableTrayBlock.TrayRecord;
    WorkbookAccess wb(CompanionPath(TrayWorkbook), Mode::Write);
    if (tray < 0)
        return false;
    Sheet* cables = wb.sheet(2 * tray);
    Sheet* pe = wb.sheet(2 * tray + 1);
    if (!cables || !pe || !TrayNamesFree(wb.book(), record[0], cables, pe))
        return false;
    if (!cables->setName(record[0]) || !pe->setName(PeSheetName(record[0])))
        return false;
    WriteTrayHeader(*cables, record);
    return wb.save();
}

bool CSevrinApp::DeleteTraySheets(int tray)
{
    WorkbookAccess wb(CompanionPath(TrayWorkbook), Mode::Write);
    if (!wb.ok() || tray < 0 || !wb.book().delSheet(2 * tray))
        return false;
    // The PE sheet has moved into place 2t; the last tray may have lost it already.
    wb.book().delSheet(2 * tray);
    return wb.save();
}

bool CSevrinApp::ReadTraySheet(int tray)
{
    WorkbookAccess wb(CompanionPath(TrayWorkbook), Mode::Read);
    const Sheet* sheet = tray < 0 ? nullptr : wb.sheet(2 * tray);
    if (!sheet)
        return false;
    auto& record = CableTrayBlock.TrayRecord;
    record[0] = sheet->name();
    for (int i = 0; i < 3; ++i)
        record[std::size_t(i + 1)] = companion::CellText(*sheet, i, 0);
    return true;
}

bool CSevrinApp::WriteTrayResults(int tray)
{
    WorkbookAccess wb(CompanionPath(TrayWorkbook), Mode::Write);
    Sheet* sheet = tray < 0 ? nullptr : wb.sheet(2 * tray);
    if (!sheet)
        return false;
    const auto& choice = CableTrayBlock.TrayResult;
    const auto& result = CableTrayBlock.TrayResultRow;
    for (int i = 0; i < 4; ++i)
        sheet->writeStr(3 + i, 0, choice[std::size_t(i)]);
    return companion::WriteCells(*sheet, 0, 1, result.data(), 8) &&
           companion::WriteCells(*sheet, 0, 11, result.data() + 8, 2) && wb.save();
}

bool CSevrinApp::ReadTrayResults(int tray)
{
    WorkbookAccess wb(CompanionPath(TrayWorkbook), Mode::Read);
    const Sheet* sheet = tray < 0 ? nullptr : wb.sheet(2 * tray);
    if (!sheet)
        return false;
    auto& choice = CableTrayBlock.TrayResult;
    for (int i = 0; i < 4; ++i)
        choice[std::size_t(i)] = companion::CellText(*sheet, 3 + i, 0);
    return true;
}

bool CSevrinApp::WriteTrayCableRow(int tray, int row, bool insert)
{
    return WriteTrayRow(CompanionPath(TrayWorkbook), tray, 0, row, insert,
                        CableTrayBlock.TrayCableRow);
}

bool CSevrinApp::WriteTrayPeRow(int tray, int row, bool insert)
{
    return WriteTrayRow(CompanionPath(TrayWorkbook), tray, 1, row, insert,
                        CableTrayBlock.TrayPeRow);
}

bool CSevrinApp::DeleteTrayCableRow(int tray, int row)
{
    return DeleteTrayRow(CompanionPath(TrayWorkbook), tray, 0, row);
}

bool CSevrinApp::DeleteTrayPeRow(int tray, int row)
{
    return DeleteTrayRow(CompanionPath(TrayWorkbook), tray, 1, row);
}
