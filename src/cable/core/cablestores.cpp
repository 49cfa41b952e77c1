// Stores of the transformer workbook "_30", the cable schedule "_40", the tray workbook "_50"
// and the generator loads "_60".
#include "app/core/companionworkbook.h"
#include "app/core/sevrin.h"
#include "platform/xlsxbook.h"

using companion::WorkbookAccess;
using Mode = companion::WorkbookAccess::Mode;

namespace {

constexpr int kTransformerSheets = 5;
constexpr int kFirstTransformerLoadRow = 4;
constexpr int kTransformerResultRow = 3;
constexpr int kFirstTrayRow = 8;

// ---- rows on sheet 0 ("_40", "_60") ---------------------------------------------------------

// A new workbook gets its one sheet "Data" with the first row written into it.
template <std::size_t N>
bool WriteDataRow(const QString& path, int row, bool insert, const std::array<QString, N>& cells)
{
    WorkbookAccess wb(path, Mode::Write);
    if (!wb.ok() || row < 0)
        return false;
    Sheet* sheet = wb.book().sheetCount() == 0 ? wb.book().addSheet(QStringLiteral("Data"))
                                               : wb.sheet(0);
    if (!sheet)
        return false;
    if (insert && !sheet->insertRow(row, row))
        return false;
    return companion::WriteRow(*sheet, row, cells) && wb.save();
}

bool DeleteDataRow(const QString& path, int row)
{
    WorkbookAccess wb(path, Mode::Write);
    Sheet* sheet = wb.sheet(0);
    if (!sheet || row < 0)
        return false;
    return sheet->removeRow(row, row) && wb.save();
}

// False at the end of the list: a first cell that holds no text or empty text.
template <std::size_t N>
bool ReadDataRow(const QString& path, int row, std::array<QString, N>& cells)
{
    WorkbookAccess wb(path, Mode::Read);
    const Sheet* sheet = wb.sheet(0);
    if (!sheet || row < 0)
        return false;
    companion::ReadRow(*sheet, row, cells);
    return !cells[0].isEmpty();
}

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
    companion::WriteCells(*sheet, kTransformerResultRow, 1, record.data() + 4, 16);
    return wb.save();
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

// ---- "_40" and "_60" ----------------------------------------------------------------------

bool CSevrinApp::WriteCableRow(int row, bool insert)
{
    return WriteDataRow(CompanionPath(CableWorkbook), row, insert, CableScheduleBlock.CableRow);
}

bool CSevrinApp::DeleteCableRow(int row)
{
    return DeleteDataRow(CompanionPath(CableWorkbook), row);
}

bool CSevrinApp::ReadCableRow(int row)
{
    return ReadDataRow(CompanionPath(CableWorkbook), row, CableScheduleBlock.CableRow);
}

bool CSevrinApp::WriteGeneratorLoadRow(int row, bool insert)
{
    return WriteDataRow(CompanionPath(GeneratorWorkbook), row, insert,
                        GeneratorSizingBlock.GeneratorLoadRow);
}

bool CSevrinApp::DeleteGeneratorLoadRow(int row)
{
    return DeleteDataRow(CompanionPath(GeneratorWorkbook), row);
}

bool CSevrinApp::ReadGeneratorLoadRow(int row)
{
    return ReadDataRow(CompanionPath(GeneratorWorkbook), row, GeneratorSizingBlock.GeneratorLoadRow);
}

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
    companion::WriteCells(*sheet, 0, 1, result.data(), 8);
    companion::WriteCells(*sheet, 0, 11, result.data() + 8, 2);
    return wb.save();
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
