#pragma once
// Opening, caching and saving the companion workbooks of a project.
//
// The screens call a store for every row they list or change, so a parsed workbook is kept
// in memory between calls and checked against the file's size, time and inode before each
// use; a file changed behind our back is parsed again. A store writes through a
// WorkbookAccess: a missing file starts as an empty book that its first save creates, an
// existing file that cannot be read is never written, and a failed save drops the cached
// copy so the next call sees what the file really holds.
//
// CompanionBatch lets one handler that writes many rows save each workbook once, at its end.
#include <QString>
#include <QStringList>

#include <array>
#include <functional>
#include <mutex>

class Book;
class Sheet;

namespace companion {

// A cell's value as text, "" for an empty cell. The stores write texts, but a spreadsheet
// program that saves the workbook turns a text such as "1" into a number cell: every kind of
// cell reads as the text it shows (Sheet::readText).
QString CellText(const Sheet& sheet, int row, int col);
// Reads cells (row, firstCol ..) into `cells` as CellText does.
void ReadCells(const Sheet& sheet, int row, int firstCol, QString* cells, int count);
// Writes `count` texts as text cells from (row, firstCol); false when a cell cannot be written.
[[nodiscard]] bool WriteCells(Sheet& sheet, int row, int firstCol, const QString* cells, int count);

template <std::size_t N>
void ReadRow(const Sheet& sheet, int row, std::array<QString, N>& cells)
{
    ReadCells(sheet, row, 0, cells.data(), int(N));
}
template <std::size_t N>
[[nodiscard]] bool WriteRow(Sheet& sheet, int row, const std::array<QString, N>& cells)
{
    return WriteCells(sheet, row, 0, cells.data(), int(N));
}

// True when `name` can become a new sheet of the book (valid and not used, ignoring case);
// `except` is a sheet that may already carry it (a rename).
bool SheetNameFree(const Book& book, const QString& name, const Sheet* except = nullptr);

class WorkbookAccess
{
public:
    // Read: ok() only when the file loads. Write: ok() also for a missing file (an empty book
    // that the first save creates), never for a file that exists but cannot be loaded.
    // ReadOrCreate: as Write, for the readers that create their workbook; an access that does
    // not save keeps the cached copy.
    enum class Mode { Read, ReadOrCreate, Write };
    WorkbookAccess(const QString& path, Mode mode);
    ~WorkbookAccess();
    WorkbookAccess(const WorkbookAccess&) = delete;
    WorkbookAccess& operator=(const WorkbookAccess&) = delete;

    bool ok() const { return m_book != nullptr; }
    // True when the file did not exist and the book is new.
    bool isNew() const { return m_new; }
    Book& book() { return *m_book; }
    Sheet* sheet(int index);  // nullptr when out of range (or the book is not open)

    // Saves the book to its path (within a CompanionBatch: at the batch's end). False when the
    // save failed; the cached copy is dropped then.
    [[nodiscard]] bool save();

private:
    QString m_path;
    Mode m_mode;
    std::unique_lock<std::recursive_mutex> m_lock;  // the cache is shared with the report worker
    Book* m_book = nullptr;
    bool m_new = false;
    bool m_saved = false;
};

// Forgets every cached workbook (used when a project's files are copied or deleted).
void DropCache();

// The lists keep their row limits: a list that finds more stored rows than it takes uses the
// first `limit` and leaves the rest in the file, untouched by any later store. This is what
// the screens and the driver tell the user then.
QString RowLimitMessage(const QString& workbookPath, int limit);
// True when a list kept from sheet row `firstRow` down, that ends at the first row whose
// column `keyCol` is empty, runs past `limit` rows: rows firstRow .. firstRow + limit all hold
// a key.
bool ListRowsBeyondLimit(const Sheet& sheet, int firstRow, int keyCol, int limit);

// Test seam: while a refusal is set, a save to a path it answers true for fails as a save to
// a read-only file does, and the file stays as it is. A test run as root writes through file
// permissions, so a read-only file cannot make a save fail there. An empty function restores
// ordinary saves.
void SetSaveRefusal(std::function<bool(const QString& path)> refuses);
// Test seam: while a refusal is set, opening a path it answers true for to change it (Write or
// ReadOrCreate) fails as opening a damaged workbook does, and the store that asked changes
// nothing. A refusal that counts the opens makes a later step of one action fail. An empty
// function restores ordinary opens.
void SetWriteRefusal(std::function<bool(const QString& path)> refuses);

}  // namespace companion

// Within its lifetime the stores save each workbook they change once, when the outermost
// batch ends. The handler that opens a batch ends it before it returns or shows a message,
// so the files hold every completed action.
class CompanionBatch
{
public:
    CompanionBatch();
    ~CompanionBatch();
    CompanionBatch(const CompanionBatch&) = delete;
    CompanionBatch& operator=(const CompanionBatch&) = delete;

    // Saves what the batch deferred; false when any save failed. A workbook that cannot be
    // written (read-only, or its folder) is found before the first save, and then none is
    // saved. Called by the destructor when the handler did not call it.
    [[nodiscard]] bool finish();
    // The workbooks whose save failed in finish(), in the order they were saved (none when
    // an inner batch abandoned it: nothing was saved then).
    const QStringList& failedPaths() const { return m_failed; }
    // Ends the batch without saving: the files keep what they held and the deferred changes
    // are forgotten. Within an outer batch the outer one is abandoned as well (its finish()
    // saves nothing and answers false), so a failed step never leaves half its work behind.
    void discard();
    // Ends the batch of one action: finish() when all its steps stored (`stepsStored`),
    // discard() otherwise, so that the files hold the whole action or nothing of it. True when
    // the action reached the files.
    [[nodiscard]] bool commit(bool stepsStored);

private:
    bool m_finished = false;
    QStringList m_failed;
};
