// The breaker workbook (one sheet per maker: ratings with their operating multiples, frames
// and a rating-by-frame grid) and the user's own motor rows in the library workbook.
//
// The calculations load a maker sheet before every maker lookup and read the user motor rows
// for every motor they look up, so both workbooks are parsed once and kept, together with the
// file's stamp; a changed file (size, time or inode) is parsed again, and the program's own
// writes drop the cache.
#include "app/core/calcutil.h"
#include "app/core/sevrin.h"
#include "library/core/libraryio.h"
#include "platform/xlsxbook.h"


#include <QStringList>

#include <algorithm>
#include <memory>
#include <mutex>
#include <unordered_map>

namespace {

constexpr int MakerRows = 50;   // ratings or frames read from a maker sheet
constexpr int UserMotorFields = 19;

// A maker sheet as parsed from the file.
struct MakerSheet
{
    int ratings = 0;
    int frames = 0;
    std::array<std::array<QString, 6>, MakerRows> rating;
    std::array<std::array<QString, 3>, MakerRows> frame;
    int usedCols = 0;
    int usedRows = 0;
    std::vector<QString> grid;  // usedRows x usedCols, row-major
};

struct BreakerCache
{
    QString path;
    std::unique_ptr<libio::FileWatch> watch;  // checked before every use
    libio::FileStamp stamp;
    std::unique_ptr<Book> book;
    QStringList names;
    std::unordered_map<int, std::unique_ptr<MakerSheet>> sheets;
};

// The report worker recomputes while the user-interface thread waits, so the caches are
// shared between threads; each is held for the whole of an operation.
std::mutex& BreakerMutex()
{
    static std::mutex m;
    return m;
}

std::mutex& UserMotorMutex()
{
    static std::mutex m;
    return m;
}

BreakerCache& Breakers()
{
    static BreakerCache cache;
    return cache;
}

// The cached breaker workbook, loaded again when the file changed; nullptr when it cannot be
// loaded.
BreakerCache* OpenBreakers(const QString& path)
{
    BreakerCache& c = Breakers();
    if (c.book && c.path == path) {
        const libio::FileStamp stamp = c.watch->stamp();
        if (stamp.exists && c.stamp == stamp)
            return &c;
    }
    c = BreakerCache();
    auto watch = std::make_unique<libio::FileWatch>(path);
    const libio::FileStamp stamp = watch->stamp();
    auto book = std::make_unique<Book>();
    if (!book->load(path))
        return nullptr;
    c.path = path;
    c.watch = std::move(watch);
    c.stamp = stamp;
    for (int i = 0; i < book->sheetCount(); ++i)
        c.names.append(book->getSheet(i)->name());
    c.book = std::move(book);
    return &c;
}

std::unique_ptr<MakerSheet> ParseMakerSheet(const Sheet& sheet)
{
    auto m = std::make_unique<MakerSheet>();
    for (int f = 0; f < MakerRows; ++f) {
        const int row = 2 + f;
        QString at = libio::ReadText(sheet, row, 4);
        if (at.isEmpty())
            break;
        m->rating[std::size_t(f)][0] = at;
        for (int p = 1; p <= 5; ++p)
            m->rating[std::size_t(f)][std::size_t(p)] = FormatFixed(sheet.readNum(row, 4 + p), 1);
        ++m->ratings;
    }
    for (int g = 0; g < MakerRows; ++g) {
        const int row = 2 + g;
        QString af = libio::ReadText(sheet, row, 0);
        if (af.isEmpty())
            break;
        m->frame[std::size_t(g)][0] = af;
        m->frame[std::size_t(g)][1] = libio::ReadText(sheet, row, 1);
        m->frame[std::size_t(g)][2] = libio::ReadText(sheet, row, 2);
        ++m->frames;
    }
    // With its heading row and column the grid holds at most 49 frames and 49 ratings; a
    // sheet with 50 keeps the 50th in its table but not in the grid.
    m->usedCols = std::min(m->frames + 1, LibGrid::Size);
    m->usedRows = std::min(m->ratings + 1, LibGrid::Size);
    m->grid.assign(std::size_t(m->usedCols * m->usedRows), QString());
    for (int t = 1; t < m->usedCols; ++t)
        m->grid[std::size_t(t)] = m->frame[std::size_t(t - 1)][0];
    for (int u = 1; u < m->usedRows; ++u) {
        m->grid[std::size_t(u * m->usedCols)] = m->rating[std::size_t(u - 1)][0];
        for (int t = 1; t < m->usedCols; ++t) {
            QString s = libio::ReadText(sheet, 1 + u, 11 + t);
            if (s == QLatin1String("-"))
                s.clear();
            m->grid[std::size_t(u * m->usedCols + t)] = s;
        }
    }
    return m;
}

// Assigns unless the texts already share their data: reloading the same sheet, which every
// maker lookup does, then costs a pointer comparison per cell.
void Put(QString& dst, const QString& src)
{
    if (dst.constData() != src.constData() || dst.size() != src.size())
        dst = src;
}

// The user motor sheet (index 9 of the library workbook), parsed row by row on demand.
struct UserMotorCache
{
    QString path;
    std::unique_ptr<libio::FileWatch> watch;
    libio::FileStamp stamp;
    std::unique_ptr<Book> book;
    const Sheet* sheet = nullptr;
    std::unordered_map<int, std::array<QString, UserMotorFields>> rows;
};

UserMotorCache& UserMotors()
{
    static UserMotorCache cache;
    return cache;
}

}  // namespace

namespace libio {

void InvalidateBreakerCache()
{
    const std::lock_guard<std::mutex> lock(BreakerMutex());
    Breakers() = BreakerCache();
}

void InvalidateUserMotorCache()
{
    const std::lock_guard<std::mutex> lock(UserMotorMutex());
    UserMotors() = UserMotorCache();
}

}  // namespace libio

void CSevrinApp::LoadBreakerWorkbook(bool listMode, int sheetIndex)
{
    std::unique_lock<std::mutex> lock(BreakerMutex());
    BreakerLibBlockT& b = BreakerLibBlock;
    b.BreakerMakerList.Count = 0;

    const QString& path = ProjectPathTable.BreakerWorkbookPath;
    BreakerCache* c = OpenBreakers(path);
    if (!c) {
        lock.unlock();  // the message box runs an event loop
        libio::ExitWorkbookNotFound(path);
    }

    if (listMode) {
        LibNameList& list = b.BreakerMakerList;
        for (const QString& name : c->names) {
            if (list.Count >= LibNameList::Capacity)
                break;
            list.Names[std::size_t(list.Count++)] = name;
        }
        return;
    }

    const int oldRatings = std::clamp(b.MakerRatingTable.Count, 0, MakerRows);
    const int oldFrames = std::clamp(b.MakerFrameTable.Count, 0, MakerRows);
    b.MakerRatingTable.Count = 0;
    b.MakerFrameTable.Count = 0;
    LibGrid& grid = b.RatingFrameGrid;
    const int oldCols = grid.UsedCols;
    const int oldRows = grid.UsedRows;
    grid.UsedCols = 0;
    grid.UsedRows = 0;
    const Sheet* sheet = sheetIndex >= 0 ? c->book->getSheet(sheetIndex) : nullptr;
    if (!sheet)
        return;  // no such maker: empty tables

    std::unique_ptr<MakerSheet>& slot = c->sheets[sheetIndex];
    if (!slot)
        slot = ParseMakerSheet(*sheet);
    const MakerSheet& m = *slot;

    // Entries past both the old and the new count are empty in the parse and are not shown.
    for (int e = 0; e < std::max(oldRatings, m.ratings); ++e) {
        for (int p = 0; p < 6; ++p)
            Put(b.MakerRatingTable.Cell(e, p), m.rating[std::size_t(e)][std::size_t(p)]);
    }
    for (int e = 0; e < std::max(oldFrames, m.frames); ++e) {
        for (int p = 0; p < 3; ++p)
            Put(b.MakerFrameTable.Cell(e, p), m.frame[std::size_t(e)][std::size_t(p)]);
    }
    b.MakerRatingTable.Count = m.ratings;
    b.MakerFrameTable.Count = m.frames;

    // The grid's extent may have grown by an edit since the last load: clear what lies
    // outside the new extent as well.
    const int cols = std::max(std::max(oldCols, m.usedCols), 0);
    const int rows = std::max(std::max(oldRows, m.usedRows), 0);
    for (int u = 0; u < std::min(rows, LibGrid::Size); ++u) {
        for (int t = 0; t < std::min(cols, LibGrid::Size); ++t) {
            QString& cell = grid.Cell(t, u);
            if (u < m.usedRows && t < m.usedCols)
                Put(cell, m.grid[std::size_t(u * m.usedCols + t)]);
            else if (!cell.isEmpty())
                cell.clear();
        }
    }
    grid.UsedCols = m.usedCols;
    grid.UsedRows = m.usedRows;
}

bool CSevrinApp::SaveBreakerSheet(int sheetIndex)
{
    const QString& path = ProjectPathTable.BreakerWorkbookPath;
    Book book;
    if (!book.load(path))
        return false;
    Sheet* sheet = sheetIndex >= 0 ? book.getSheet(sheetIndex) : nullptr;
    if (!sheet)
        return false;

    const BreakerLibBlockT& b = BreakerLibBlock;
    sheet->removeRow(0, 50);
    const LibTable& ratings = b.MakerRatingTable;
    for (int e = 0; e < std::min(ratings.Count, ratings.capacity()); ++e) {
        sheet->writeStr(2 + e, 4, ratings.Cell(e, 0));
        for (int p = 1; p <= 5; ++p)
            sheet->writeNum(2 + e, 4 + p, ReadLeadingNumber(ratings.Cell(e, p)));
    }
    const LibTable& frames = b.MakerFrameTable;
    for (int e = 0; e < std::min(frames.Count, frames.capacity()); ++e) {
        for (int p = 0; p < 3; ++p)
            sheet->writeStr(2 + e, p, frames.Cell(e, p));
    }
    const LibGrid& grid = b.RatingFrameGrid;
    for (int u = 0; u < std::min(grid.UsedRows, LibGrid::Size); ++u) {
        for (int t = 0; t < std::min(grid.UsedCols, LibGrid::Size); ++t)
            sheet->writeStr(1 + u, 11 + t, grid.Cell(t, u));
    }
    // The user's breakers exist only in this file, so a failed save is no success.
    const bool saved = book.save(path);
    libio::InvalidateBreakerCache();
    return saved;
}

namespace {

// Loads the library workbook, applies an edit to its user motor sheet (index 9) and saves.
// False when the workbook or the sheet is missing (nothing written) or the save fails: the
// user's motors exist only in this file, so a failed save is no success.
template <typename Edit>
bool EditUserMotorSheet(const QString& path, Edit edit)
{
    Book book;
    if (!book.load(path))
        return false;
    Sheet* sheet = book.getSheet(9);
    if (!sheet)
        return false;
    edit(*sheet);
    const bool saved = book.save(path);
    libio::InvalidateUserMotorCache();
    return saved;
}

}  // namespace

bool CSevrinApp::WriteUserLibraryRow(int row)
{
    if (row < 0)
        return false;
    const auto& fields = MotorControlCenterBlock.UserMotorRow;
    return EditUserMotorSheet(ProjectPathTable.LibWorkbookPath, [&](Sheet& sheet) {
        for (int f = 0; f < UserMotorFields; ++f)
            sheet.writeStr(row, f, fields[std::size_t(f)]);
    });
}

bool CSevrinApp::DeleteUserLibraryRow(int row)
{
    if (row < 0)
        return false;
    return EditUserMotorSheet(ProjectPathTable.LibWorkbookPath,
                              [&](Sheet& sheet) { sheet.removeRow(row, row); });
}

bool CSevrinApp::ReadUserLibraryRow(int row)
{
    const QString& path = ProjectPathTable.LibWorkbookPath;
    const std::lock_guard<std::mutex> lock(UserMotorMutex());
    UserMotorCache& c = UserMotors();
    const bool fresh = c.book && c.path == path && [&] {
        const libio::FileStamp stamp = c.watch->stamp();
        return stamp.exists && stamp == c.stamp;
    }();
    if (!fresh) {
        c = UserMotorCache();
        auto watch = std::make_unique<libio::FileWatch>(path);
        const libio::FileStamp stamp = watch->stamp();
        auto book = std::make_unique<Book>();
        if (!book->load(path))
            return false;
        c.path = path;
        c.watch = std::move(watch);
        c.stamp = stamp;
        c.sheet = book->getSheet(9);
        c.book = std::move(book);
    }
    if (!c.sheet || row < 0)
        return false;

    auto it = c.rows.find(row);
    if (it == c.rows.end()) {
        std::array<QString, UserMotorFields> fields;
        for (int f = 0; f < UserMotorFields; ++f)
            fields[std::size_t(f)] = libio::ReadText(*c.sheet, row, f);
        it = c.rows.emplace(row, std::move(fields)).first;
    }
    auto& buffer = MotorControlCenterBlock.UserMotorRow;
    for (int f = 0; f < UserMotorFields; ++f)
        buffer[std::size_t(f)] = it->second[std::size_t(f)];
    return !buffer[0].isEmpty();
}
