#include "cable/core/trayapp.h"

#include "app/core/companionworkbook.h"
#include "app/core/sevrin.h"
#include "platform/xlsxbook.h"

#include <QFileInfo>

namespace {

// Reads the rows of a tray sheet; true when the sheet holds more than the list takes.
bool ReadSheetRows(const Sheet* sheet, std::vector<TrayRow>& rows)
{
    if (!sheet)
        return false;
    TrayRow row;
    for (int k = 0; k < kTrayRowLimit; ++k) {
        companion::ReadRow(*sheet, k + kFirstTrayRow, row);
        if (row[0].isEmpty())
            return false;
        rows.push_back(row);
    }
    return !companion::CellText(*sheet, kFirstTrayRow + kTrayRowLimit, 0).isEmpty();
}

// Trays are sheet pairs; a sheet at the first pair past the list means more trays.
bool MoreTrays(companion::WorkbookAccess& wb)
{
    return wb.sheet(2 * kTrayListLimit) != nullptr;
}

}  // namespace

double AppTrayLookup::VLookup(double value, const QString& table, int column)
{
    return m_app.VLookup(value, table, column);
}

double AppTrayLookup::LookupCableDimension(const QString& table, int entry, int core)
{
    return m_app.LookupCableDimension(table, entry, core);
}

int AppTrayLookup::FindCableDimensionIndex(double value, const QString& name)
{
    return m_app.FindCableDimensionIndex(value, name);
}

TrayRows ReadTrayRows(CSevrinApp& app, int tray)
{
    TrayRows rows;
    if (tray < 0)
        return rows;
    companion::WorkbookAccess wb(app.CompanionPath(CSevrinApp::TrayWorkbook),
                                 companion::WorkbookAccess::Mode::Read);
    if (!wb.ok())
        return rows;
    const bool moreCables = ReadSheetRows(wb.sheet(2 * tray), rows.cables);
    const bool morePes = ReadSheetRows(wb.sheet(2 * tray + 1), rows.pes);
    rows.beyondLimit = moreCables || morePes;
    return rows;
}

bool TraysBeyondLimit(CSevrinApp& app)
{
    const QString path = app.CompanionPath(CSevrinApp::TrayWorkbook);
    if (!QFileInfo::exists(path))
        return false;
    companion::WorkbookAccess wb(path, companion::WorkbookAccess::Mode::Read);
    return wb.ok() && MoreTrays(wb);
}

bool ReadStoredTrays(CSevrinApp& app, std::vector<StoredTray>& trays, bool* moreTrays)
{
    trays.clear();
    if (moreTrays)
        *moreTrays = false;
    const QString path = app.CompanionPath(CSevrinApp::TrayWorkbook);
    if (!QFileInfo::exists(path))
        return true;
    companion::WorkbookAccess wb(path, companion::WorkbookAccess::Mode::Read);
    if (!wb.ok())
        return false;
    // The tray list stops at the first tray whose first sheet is missing.
    for (int t = 0; t < kTrayListLimit; ++t) {
        const Sheet* sheet = wb.sheet(2 * t);
        if (!sheet)
            break;
        StoredTray tray;
        tray.name = sheet->name();
        for (int i = 0; i < 3; ++i)
            tray.header[std::size_t(i)] = companion::CellText(*sheet, i, 0);
        for (int i = 0; i < 4; ++i)
            tray.choices[std::size_t(i)] = companion::CellText(*sheet, 3 + i, 0);
        companion::ReadCells(*sheet, 0, 1, tray.results.data(), 8);
        companion::ReadCells(*sheet, 0, 11, tray.results.data() + 8, 2);
        const bool moreCables = ReadSheetRows(sheet, tray.rows.cables);
        const bool morePes = ReadSheetRows(wb.sheet(2 * t + 1), tray.rows.pes);
        tray.rows.beyondLimit = moreCables || morePes;
        trays.push_back(std::move(tray));
    }
    if (moreTrays)
        *moreTrays = MoreTrays(wb);
    return true;
}

TrayOutcome RecalcStoredTray(const StoredTray& tray, TrayLookup& lookup)
{
    TrayOutcome o;
    o.choices = TrayChoicesFromIndexes(tray.choices);
    o.result = CalcTray(tray.rows.cables, tray.rows.pes, o.choices, lookup);
    o.texts = MakeTraySpecText(o.choices, o.result);
    return o;
}
