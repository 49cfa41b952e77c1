#include "app/core/companionworkbook.h"

#include "app/core/projectfile.h"
#include "app/core/sevrin.h"
#include "library/core/libraryio.h"
#include "platform/xlsxbook.h"

#include <QFileInfo>

#include <algorithm>
#include <cstdint>
#include <memory>
#include <mutex>
#include <vector>

namespace companion {
namespace {

// A project has thirteen companion workbooks; a few more leave room for a second project.
constexpr std::size_t kCacheCapacity = 16;

// The file's identity now (size, time, inode). A fresh look each time: the project's folder
// itself may have been replaced since the last call.
libio::FileStamp StampOf(const QString& path)
{
    return libio::FileWatch(path).stamp();
}

std::function<bool(const QString&)>& SaveRefusal()
{
    static std::function<bool(const QString&)> refuses;
    return refuses;
}

bool Refused(const QString& path)
{
    const auto& refuses = SaveRefusal();
    return refuses && refuses(path);
}

std::function<bool(const QString&)>& WriteRefusal()
{
    static std::function<bool(const QString&)> refuses;
    return refuses;
}

bool SaveBook(Book& book, const QString& path)
{
    return !Refused(path) && book.save(path);
}

// Whether a save could put its copy in place: the file, when it exists, must take writes, and
// its folder, where the copy is written first (beside a link's target, as the save writes).
bool CanSave(const QString& path)
{
    if (Refused(path))
        return false;
    QFileInfo target(path);
    for (int depth = 0; depth < 128 && target.isSymLink(); ++depth)
        target.setFile(target.symLinkTarget());
    if (target.exists() && !target.isWritable())
        return false;
    return QFileInfo(target.absolutePath()).isWritable();
}

struct Entry
{
    QString path;
    libio::FileStamp stamp;  // of the file as we last loaded or saved it
    std::unique_ptr<Book> book;
    bool pending = false;    // changed in a batch, not yet saved
    bool stale = false;      // differs from the file: dropped once nobody uses it
    int users = 0;
    std::uint64_t lastUse = 0;
};

struct Cache
{
    std::recursive_mutex mutex;
    std::vector<std::unique_ptr<Entry>> entries;
    int batchDepth = 0;
    bool batchAbandoned = false;  // an inner batch was discarded: the outermost saves nothing
    std::uint64_t clock = 0;

    Entry* find(const QString& path)
    {
        for (auto& e : entries)
            if (e->path == path)
                return e.get();
        return nullptr;
    }
    void drop(Entry* entry)
    {
        entries.erase(std::remove_if(entries.begin(), entries.end(),
                                     [entry](const auto& e) { return e.get() == entry; }),
                      entries.end());
    }
    Entry* add(const QString& path, std::unique_ptr<Book> book, const libio::FileStamp& stamp)
    {
        while (entries.size() >= kCacheCapacity) {
            Entry* oldest = nullptr;
            for (auto& e : entries)
                if (e->users == 0 && !e->pending && (!oldest || e->lastUse < oldest->lastUse))
                    oldest = e.get();
            if (!oldest)
                break;
            drop(oldest);
        }
        auto e = std::make_unique<Entry>();
        e->path = path;
        e->stamp = stamp;
        e->book = std::move(book);
        entries.push_back(std::move(e));
        return entries.back().get();
    }
    // Forgets a batch's changes: the file still holds what it held.
    void forget(Entry* e)
    {
        e->pending = false;
        if (e->users == 0)
            drop(e);
        else
            e->stale = true;  // dropped when its last user ends
    }
    // Saves a batch's changes; false (and the copy dropped) when the save failed.
    bool flush(Entry* e)
    {
        e->pending = false;
        if (SaveBook(*e->book, e->path)) {
            e->stamp = StampOf(e->path);
            return true;
        }
        drop(e);
        return false;
    }
};

Cache& TheCache()
{
    static Cache cache;
    return cache;
}

}  // namespace

QString CellText(const Sheet& sheet, int row, int col)
{
    return sheet.readText(row, col).value_or(QString());
}

void ReadCells(const Sheet& sheet, int row, int firstCol, QString* cells, int count)
{
    for (int c = 0; c < count; ++c)
        cells[c] = sheet.readText(row, firstCol + c).value_or(QString());
}

bool WriteCells(Sheet& sheet, int row, int firstCol, const QString* cells, int count)
{
    bool ok = true;
    for (int c = 0; c < count; ++c)
        ok = sheet.writeStr(row, firstCol + c, cells[c]) && ok;
    return ok;
}

bool SheetNameFree(const Book& book, const QString& name, const Sheet* except)
{
    return IsValidSheetName(name) && !book.hasSheetName(name, except);
}

WorkbookAccess::WorkbookAccess(const QString& path, Mode mode)
    : m_path(path), m_mode(mode), m_lock(TheCache().mutex)
{
    if (path.isEmpty())
        return;
    if (mode != Mode::Read && WriteRefusal() && WriteRefusal()(path))
        return;
    Cache& cache = TheCache();
    const libio::FileStamp stamp = StampOf(path);
    Entry* e = cache.find(path);
    if (e && e->users == 0 && (e->stale || (!e->pending && !(stamp.exists && e->stamp == stamp)))) {
        cache.drop(e);  // the file changed or went away since we read it
        e = nullptr;
    }
    if (!e) {
        // A reader of a file that is not there has nothing to read: no book is built for it
        // (a whole-project run asks for the missing bus and cable workbooks once a panel).
        if (mode == Mode::Read && !stamp.exists)
            return;
        auto book = std::make_unique<Book>();
        if (!book->load(path)) {
            // Only a missing file may become a new book; an unreadable one is never written.
            if (book->lastLoadResult() != Book::LoadResult::Missing || mode == Mode::Read)
                return;
            book = std::make_unique<Book>();
            m_new = true;
        }
        e = cache.add(path, std::move(book), m_new ? libio::FileStamp() : stamp);
    }
    ++e->users;
    e->lastUse = ++cache.clock;
    m_book = e->book.get();
}

WorkbookAccess::~WorkbookAccess()
{
    if (!m_book)
        return;
    Cache& cache = TheCache();
    Entry* e = cache.find(m_path);
    if (!e)
        return;
    --e->users;
    // A writer that ends without saving may have left changes the file does not hold, and a
    // new book that was never saved is no file at all: neither stays cached.
    if (!m_saved && !e->pending && (m_mode == Mode::Write || m_new))
        e->stale = true;
    if (e->stale && e->users == 0)
        cache.drop(e);
}

Sheet* WorkbookAccess::sheet(int index)
{
    return m_book ? m_book->getSheet(index) : nullptr;
}

bool WorkbookAccess::save()
{
    if (!m_book)
        return false;
    Cache& cache = TheCache();
    Entry* e = cache.find(m_path);
    if (!e)
        return false;
    m_saved = true;
    if (cache.batchDepth > 0) {
        e->pending = true;
        return true;
    }
    if (SaveBook(*m_book, m_path)) {
        e->stamp = StampOf(m_path);
        e->pending = false;
        return true;
    }
    e->stale = true;  // the file still holds what it held: read it again next time
    return false;
}

void SetSaveRefusal(std::function<bool(const QString& path)> refuses)
{
    std::lock_guard<std::recursive_mutex> lock(TheCache().mutex);
    SaveRefusal() = std::move(refuses);
}

void SetWriteRefusal(std::function<bool(const QString& path)> refuses)
{
    std::lock_guard<std::recursive_mutex> lock(TheCache().mutex);
    WriteRefusal() = std::move(refuses);
}

void DropCache()
{
    Cache& cache = TheCache();
    std::lock_guard<std::recursive_mutex> lock(cache.mutex);
    std::vector<Entry*> idle;
    for (auto& e : cache.entries)
        if (e->users == 0)
            idle.push_back(e.get());
    for (Entry* e : idle) {
        if (e->pending)
            cache.flush(e);
        if (cache.find(e->path) == e)
            cache.drop(e);
    }
}

QString RowLimitMessage(const QString& workbookPath, int limit)
{
    return QStringLiteral("목록이 담을 수 있는 %1행보다 많은 행이 저장되어 있어 처음 %1행만 "
                          "불러왔습니다. 나머지 행은 계산에 쓰지 않으며 파일에 그대로 남아 "
                          "있습니다.\n%2")
        .arg(limit)
        .arg(workbookPath);
}

bool ListRowsBeyondLimit(const Sheet& sheet, int firstRow, int keyCol, int limit)
{
    const auto keyed = [&](int r) { return !CellText(sheet, firstRow + r, keyCol).isEmpty(); };
    // Cheap first: the last row the list takes and the one after it.
    if (limit <= 0 || !keyed(limit - 1) || !keyed(limit))
        return false;
    for (int r = 0; r < limit - 1; ++r) {
        if (!keyed(r))
            return false;
    }
    return true;
}

}  // namespace companion

CompanionBatch::CompanionBatch()
{
    auto& cache = companion::TheCache();
    std::lock_guard<std::recursive_mutex> lock(cache.mutex);
    ++cache.batchDepth;
}

CompanionBatch::~CompanionBatch()
{
    // A handler that must know whether its rows reached the files calls finish() itself.
    static_cast<void>(finish());
}

bool CompanionBatch::finish()
{
    if (m_finished)
        return true;
    m_finished = true;
    auto& cache = companion::TheCache();
    std::lock_guard<std::recursive_mutex> lock(cache.mutex);
    if (--cache.batchDepth > 0)
        return true;  // an outer batch saves
    const bool abandoned = cache.batchAbandoned;
    cache.batchAbandoned = false;
    std::vector<companion::Entry*> pending;
    for (auto& e : cache.entries)
        if (e->pending)
            pending.push_back(e.get());
    // A batch saves all its workbooks or none: one that cannot take its copy (read-only, in a
    // read-only folder) stops the batch before any file changed. A disk that fills on the way
    // can still leave the ones saved before it.
    if (!abandoned) {
        for (companion::Entry* e : pending)
            if (!companion::CanSave(e->path))
                m_failed << e->path;
    }
    const bool save = !abandoned && m_failed.isEmpty();
    for (companion::Entry* e : pending) {
        if (!save) {
            cache.forget(e);
            continue;
        }
        const QString path = e->path;  // a failed flush drops the entry
        if (!cache.flush(e))
            m_failed << path;
    }
    return save && m_failed.isEmpty();
}

void CompanionBatch::discard()
{
    if (m_finished)
        return;
    m_finished = true;
    auto& cache = companion::TheCache();
    std::lock_guard<std::recursive_mutex> lock(cache.mutex);
    if (--cache.batchDepth > 0) {
        cache.batchAbandoned = true;
        return;
    }
    cache.batchAbandoned = false;
    std::vector<companion::Entry*> pending;
    for (auto& e : cache.entries)
        if (e->pending)
            pending.push_back(e.get());
    for (companion::Entry* e : pending)
        cache.forget(e);
}

bool CompanionBatch::commit(bool stepsStored)
{
    if (stepsStored)
        return finish();
    discard();
    return false;
}

// ---- paths --------------------------------------------------------------------------------

QString CSevrinApp::CompanionPathOf(const QString& projectPath, const QString& suffix)
{
    if (projectPath.isEmpty())
        return QString();
    return ProjectBasePath(projectPath) + suffix;
}

QString CSevrinApp::CompanionPath(int role) const
{
    const auto& table = ProjectPathTable.CompanionSuffixTable;
    if (role < 0 || role >= int(table.size()) || table[std::size_t(role)].isEmpty())
        return QString();
    return CompanionPathOf(ProjectPathTable.CurrentProjectPath, table[std::size_t(role)]);
}

QString CSevrinApp::BusWorkbookPath(int transformer) const
{
    const int role = transformer >= 0 && transformer <= 3 ? BusWorkbook1 + transformer
                                                          : BusWorkbook1 + 4;
    return CompanionPath(role);
}
