#pragma once
// Row helpers shared by the stores of the companion workbooks: the lists kept on sheet 0
// ("_40", "_60") and the one-sheet-per-panel workbooks ("_10", "_20").
#include "app/core/companionworkbook.h"
#include "platform/xlsxbook.h"

#include <array>

namespace companion {

// ---- rows on sheet 0 ("_40", "_60") ---------------------------------------------------------

// A new workbook gets its one sheet "Data" with the first row written into it.
template <std::size_t N>
[[nodiscard]] bool WriteDataRow(const QString& path, int row, bool insert,
                                const std::array<QString, N>& cells)
{
    WorkbookAccess wb(path, WorkbookAccess::Mode::Write);
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

[[nodiscard]] inline bool DeleteDataRow(const QString& path, int row)
{
    WorkbookAccess wb(path, WorkbookAccess::Mode::Write);
    Sheet* sheet = wb.sheet(0);
    if (!sheet || row < 0)
        return false;
    return sheet->removeRow(row, row) && wb.save();
}

// False at the end of the list: a first cell that holds no text or empty text.
template <std::size_t N>
bool ReadDataRow(const QString& path, int row, std::array<QString, N>& cells)
{
    WorkbookAccess wb(path, WorkbookAccess::Mode::Read);
    const Sheet* sheet = wb.sheet(0);
    if (!sheet || row < 0)
        return false;
    companion::ReadRow(*sheet, row, cells);
    return !cells[0].isEmpty();
}

// ---- one sheet per panel or board ("_10", "_20") ----------------------------------------------
// Each sheet is named after its panel or board: column 0 of rows 0..5 holds the six header
// texts, rows 0..5 of columns 1..3 the results, and the load or circuit rows start at sheet
// row 6.

constexpr int kFirstLoadRow = 6;
constexpr int kHeaderCells = 6;

// Result cells: element -> (row, col).
struct CellPos
{
    int row;
    int col;
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
    using Mode = WorkbookAccess::Mode;

    QString path;
    std::array<QString, N>& record;
    const CellPos (&results)[R];

    [[nodiscard]] bool add()
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

    [[nodiscard]] bool insert(int index)
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

    [[nodiscard]] bool update(int index)
    {
        WorkbookAccess wb(path, Mode::Write);
        Sheet* sheet = wb.sheet(index);
        if (!sheet || !companion::SheetNameFree(wb.book(), record[0], sheet) ||
            !sheet->setName(record[0]))
            return false;
        WriteHeader(*sheet, record);
        return wb.save();
    }

    [[nodiscard]] bool writeResults(int index)
    {
        WorkbookAccess wb(path, Mode::Write);
        Sheet* sheet = wb.sheet(index);
        if (!sheet)
            return false;
        WriteResults(*sheet, record, results);
        return wb.save();
    }

    [[nodiscard]] bool remove(int index)
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
[[nodiscard]] bool WriteLoadRow(const QString& path, int index, int row, bool insert, int firstRow,
                                const std::array<QString, N>& cells)
{
    WorkbookAccess wb(path, WorkbookAccess::Mode::Write);
    Sheet* sheet = wb.sheet(index);
    if (!sheet || row < 0)
        return false;
    const int r = row + firstRow;
    if (insert && !sheet->insertRow(r, r))
        return false;
    return companion::WriteRow(*sheet, r, cells) && wb.save();
}

[[nodiscard]] inline bool DeleteLoadRow(const QString& path, int index, int row, int firstRow)
{
    WorkbookAccess wb(path, WorkbookAccess::Mode::Write);
    Sheet* sheet = wb.sheet(index);
    if (!sheet || row < 0)
        return false;
    const int r = row + firstRow;
    return sheet->removeRow(r, r) && wb.save();
}

}  // namespace companion
