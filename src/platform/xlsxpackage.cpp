#include "xlsxpackage.h"

#include <zip.h>
#include <zlib.h>

#include <QIODevice>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <ctime>

namespace xlsx {

namespace {

// Deflate level of the parts we rewrite: a large sheet is a few megabytes of XML, and level 1
// compresses it several times faster than the default for a slightly larger file.
constexpr zip_uint32_t kCompressionLevel = 1;

std::string lowerAscii(const std::string& s)
{
    std::string r = s;
    for (char& c : r)
        if (c >= 'A' && c <= 'Z')
            c = char(c - 'A' + 'a');
    return r;
}

QString zipErrorText(zip_error_t* e)
{
    return QString::fromUtf8(zip_error_strerror(e));
}

}  // namespace

// The entries a package makes share one XML buffer, one deflate stream and one buffer of
// deflated bytes, for as long as the package lives. libzip copies the entries of a write one
// after the other, so each is made (serialized and deflated) when libzip first asks for it and
// replaces the one before; libzip takes the deflated bytes as they are, as it does for an entry
// copied from another zip.
struct DeflateBuffer
{
    std::string xml;
    std::unique_ptr<char, decltype(&std::free)> zipped{nullptr, &std::free};
    size_t zippedCap = 0;
    const char* zippedData = nullptr;  // the deflated bytes: `zipped`, or an entry's own
    size_t zippedSize = 0;
    size_t xmlSize = 0;
    uLong crc = 0;
    z_stream z{};
    bool ready = false;
    const void* holder = nullptr;  // whose bytes they are

    ~DeflateBuffer()
    {
        if (ready)
            deflateEnd(&z);
    }

    // Deflates `xml` into `zipped`.
    bool deflateXml()
    {
        // A part of 4 GB or more would need zip64 sizes: not something a workbook holds.
        if (xml.size() >= 0xFFFFFFFFu)
            return false;
        if (!ready) {
            if (deflateInit2(&z, int(kCompressionLevel), Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY) != Z_OK)
                return false;
            ready = true;
        } else if (deflateReset(&z) != Z_OK) {
            return false;
        }
        const size_t bound = deflateBound(&z, uLong(xml.size()));
        if (bound > zippedCap) {
            zipped.reset(static_cast<char*>(std::malloc(bound)));
            zippedCap = zipped ? bound : 0;
            if (!zipped)
                return false;
        }
        z.next_in = reinterpret_cast<Bytef*>(xml.data());
        z.avail_in = uInt(xml.size());
        z.next_out = reinterpret_cast<Bytef*>(zipped.get());
        z.avail_out = uInt(zippedCap);
        if (deflate(&z, Z_FINISH) != Z_STREAM_END)
            return false;
        zippedData = zipped.get();
        zippedSize = zippedCap - z.avail_out;
        xmlSize = xml.size();
        crc = crc32(crc32(0, nullptr, 0), reinterpret_cast<const Bytef*>(xml.data()), uInt(xml.size()));
        return true;
    }
};

// One inflate stream for all the entries a package reads: it is reset, not rebuilt, for each.
struct Package::Inflater
{
    z_stream z{};
    bool ready = false;
    ~Inflater()
    {
        if (ready)
            inflateEnd(&z);
    }
};

Package::Package() = default;

Package::~Package()
{
    clear();
}

void Package::clear()
{
    if (m_zip) {
        zip_discard(m_zip);
        m_zip = nullptr;
    }
    m_orig.clear();
    m_entries.clear();
    m_byName.clear();
    m_byLowerName.clear();
}

bool Package::open(QByteArray bytes, QString* error)
{
    clear();
    m_orig = std::move(bytes);
    zip_error_t ze;
    zip_error_init(&ze);
    zip_source_t* src = zip_source_buffer_create(m_orig.constData(), zip_uint64_t(m_orig.size()), 0, &ze);
    if (!src) {
        *error = zipErrorText(&ze);
        zip_error_fini(&ze);
        m_orig.clear();
        return false;
    }
    m_zip = zip_open_from_source(src, ZIP_RDONLY, &ze);
    if (!m_zip) {
        *error = QStringLiteral("not a zip file: ") + zipErrorText(&ze);
        zip_error_fini(&ze);
        zip_source_free(src);
        m_orig.clear();
        return false;
    }
    zip_error_fini(&ze);
    const zip_int64_t n = zip_get_num_entries(m_zip, 0);
    m_entries.reserve(size_t(std::max<zip_int64_t>(n, 0)));
    for (zip_int64_t i = 0; i < n; ++i) {
        const char* name = zip_get_name(m_zip, zip_uint64_t(i), ZIP_FL_ENC_RAW);
        if (!name)
            continue;
        // Two entries with one name: which one is the part is anybody's guess (libzip, this
        // class and other readers each take a different one), and a save that rewrites one of
        // them leaves the other in front of it. Part names are equal ignoring ASCII case, so
        // names that differ only in case count as the same. Such a package is damaged.
        const char* libzipName = zip_get_name(m_zip, zip_uint64_t(i), 0);
        if (!m_byLowerName.emplace(lowerAscii(name), m_entries.size()).second ||
            (libzipName && zip_name_locate(m_zip, libzipName, 0) != i)) {
            *error = QStringLiteral("duplicate entry name %1").arg(QString::fromUtf8(name));
            clear();
            return false;
        }
        Entry e;
        e.name = name;
        e.origIndex = i;
        m_entries.push_back(std::move(e));
    }
    reindex();
    return true;
}

void Package::reindex()
{
    m_byName.clear();
    m_byLowerName.clear();
    for (size_t i = 0; i < m_entries.size(); ++i) {
        if (m_entries[i].removed)
            continue;
        m_byName.emplace(m_entries[i].name, i);
        m_byLowerName.emplace(lowerAscii(m_entries[i].name), i);
    }
}

const Package::Entry* Package::find(const std::string& name) const
{
    auto it = m_byName.find(name);
    if (it != m_byName.end())
        return &m_entries[it->second];
    auto lit = m_byLowerName.find(lowerAscii(name));
    if (lit != m_byLowerName.end())
        return &m_entries[lit->second];
    return nullptr;
}

Package::Entry* Package::find(const std::string& name)
{
    return const_cast<Entry*>(static_cast<const Package*>(this)->find(name));
}

bool Package::has(const std::string& name) const
{
    return find(name) != nullptr;
}

std::string Package::resolve(const std::string& name) const
{
    const Entry* e = find(name);
    return e ? e->name : std::string();
}


bool Package::read(const std::string& name, const Allocator& alloc, char** data, size_t* size, QString* error,
                   qint64 maxSize) const
{
    *data = nullptr;
    *size = 0;
    const Entry* e = find(name);
    if (!e) {
        *error = QStringLiteral("missing part %1").arg(QString::fromStdString(name));
        return false;
    }
    if (e->replaced && !e->deflated.empty())
        return inflateKept(*e, alloc, data, size, error);
    if (e->replaced) {
        std::string produced;
        if (e->produce)
            e->produce(&produced);
        const char* from = e->produce ? produced.data() : e->data.constData();
        const size_t n = e->produce ? produced.size() : size_t(e->data.size());
        char* block = static_cast<char*>(alloc.allocate(std::max<size_t>(n, 1)));
        if (!block) {
            *error = QStringLiteral("out of memory reading %1").arg(QString::fromStdString(name));
            return false;
        }
        if (n)
            std::memcpy(block, from, n);
        *data = block;
        *size = n;
        return true;
    }
    if (!m_zip || e->origIndex < 0)
        return false;
    zip_stat_t st;
    zip_stat_init(&st);
    if (zip_stat_index(m_zip, zip_uint64_t(e->origIndex), 0, &st) != 0) {
        *error = QStringLiteral("cannot stat %1").arg(QString::fromStdString(name));
        return false;
    }
    // A deflated entry is inflated here with one stream for the whole package (libzip would
    // build and free a stream, window and all, for every part); others go through libzip.
    const bool raw = (st.valid & ZIP_STAT_COMP_METHOD) && st.comp_method == ZIP_CM_DEFLATE &&
                     (st.valid & ZIP_STAT_ENCRYPTION_METHOD) && st.encryption_method == ZIP_EM_NONE &&
                     (st.valid & ZIP_STAT_CRC) && (st.valid & ZIP_STAT_SIZE);
    zip_file_t* f = zip_fopen_index(m_zip, zip_uint64_t(e->origIndex), raw ? ZIP_FL_COMPRESSED : 0);
    if (!f) {
        *error = QStringLiteral("cannot open %1: %2")
                     .arg(QString::fromStdString(name), QString::fromUtf8(zip_strerror(m_zip)));
        return false;
    }
    // One block of the declared size takes the whole entry. The declared size is only a hint:
    // a damaged entry may claim anything, so it is never trusted beyond the limit or beyond
    // what its compressed bytes can inflate to (deflate expands at most 1032 to 1), and an
    // entry that holds more than it claims grows the block.
    const size_t limit = size_t(std::max<qint64>(maxSize, 0));
    size_t cap = 64 * 1024;
    if (st.valid & ZIP_STAT_SIZE) {
        cap = size_t(std::min<zip_uint64_t>(st.size, limit));
        if (st.valid & ZIP_STAT_COMP_SIZE)
            cap = size_t(std::min<zip_uint64_t>(cap, st.comp_size * 1032 + 1024));
    }
    cap = std::max<size_t>(cap, 1);
    char* block = static_cast<char*>(alloc.allocate(cap));
    size_t used = 0;
    bool ok = block != nullptr;
    if (!ok)
        *error = QStringLiteral("out of memory reading %1").arg(QString::fromStdString(name));
    auto readError = [&] {
        *error = QStringLiteral("cannot read %1: %2")
                     .arg(QString::fromStdString(name), QString::fromUtf8(zip_error_strerror(zip_file_get_error(f))));
        ok = false;
    };
    if (raw) {
        // Deflated: the raw bytes go through the package's own stream.
        ok = ok && inflateEntry(f, st, name, alloc, &block, &cap, &used, error, limit);
    }
    while (ok && !raw) {
        if (used == cap) {
            // Full: the end of the entry, or a larger one than declared.
            char probe;
            const zip_int64_t n = zip_fread(f, &probe, 1);
            if (n < 0) {
                readError();
                break;
            }
            if (n == 0)
                break;
            if (used + 1 > limit) {
                *error = QStringLiteral("part %1 is too large").arg(QString::fromStdString(name));
                ok = false;
                break;
            }
            const size_t grown = std::min(std::max(cap * 2, size_t(64 * 1024)), limit);
            char* bigger = static_cast<char*>(alloc.allocate(grown));
            if (!bigger) {
                *error = QStringLiteral("out of memory reading %1").arg(QString::fromStdString(name));
                ok = false;
                break;
            }
            std::memcpy(bigger, block, used);
            alloc.deallocate(block);
            block = bigger;
            cap = grown;
            block[used++] = probe;
            continue;
        }
        const zip_int64_t n = zip_fread(f, block + used, zip_uint64_t(cap - used));
        if (n < 0) {
            readError();
            break;
        }
        if (n == 0)
            break;
        used += size_t(n);
    }
    zip_fclose(f);
    if (!ok) {
        if (block)
            alloc.deallocate(block);
        return false;
    }
    *data = block;
    *size = used;
    return true;
}

bool Package::inflateKept(const Entry& e, const Allocator& alloc, char** data, size_t* size, QString* error) const
{
    auto fail = [&] {
        *error = QStringLiteral("cannot read %1").arg(QString::fromStdString(e.name));
        return false;
    };
    if (!m_inflater)
        m_inflater = std::make_unique<Inflater>();
    z_stream& z = m_inflater->z;
    if (!m_inflater->ready) {
        if (inflateInit2(&z, -MAX_WBITS) != Z_OK)
            return fail();
        m_inflater->ready = true;
    } else if (inflateReset(&z) != Z_OK) {
        return fail();
    }
    char* block = static_cast<char*>(alloc.allocate(std::max<size_t>(e.inflatedSize, 1)));
    if (!block)
        return fail();
    z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(e.deflated.data()));
    z.avail_in = uInt(e.deflated.size());
    z.next_out = reinterpret_cast<Bytef*>(block);
    z.avail_out = uInt(e.inflatedSize);
    if (inflate(&z, Z_FINISH) != Z_STREAM_END || z.avail_out != 0) {
        alloc.deallocate(block);
        return fail();
    }
    *data = block;
    *size = e.inflatedSize;
    return true;
}

bool Package::inflateEntry(zip_file_t* f, const zip_stat_t& st, const std::string& name, const Allocator& alloc,
                           char** block, size_t* cap, size_t* used, QString* error, size_t limit) const
{
    auto fail = [&](int zipError) {
        zip_error_t ze;
        zip_error_init_with_code(&ze, zipError);
        *error = QStringLiteral("cannot read %1: %2")
                     .arg(QString::fromStdString(name), QString::fromUtf8(zip_error_strerror(&ze)));
        zip_error_fini(&ze);
        return false;
    };
    if (!m_inflater)
        m_inflater = std::make_unique<Inflater>();
    z_stream& z = m_inflater->z;
    if (!m_inflater->ready) {
        if (inflateInit2(&z, -MAX_WBITS) != Z_OK)
            return fail(ZIP_ER_MEMORY);
        m_inflater->ready = true;
    } else if (inflateReset(&z) != Z_OK) {
        return fail(ZIP_ER_INTERNAL);
    }
    unsigned char in[16384];
    z.avail_in = 0;
    uLong crc = crc32(0, nullptr, 0);
    bool inputEnded = false;
    for (;;) {
        if (z.avail_in == 0 && !inputEnded) {
            const zip_int64_t n = zip_fread(f, in, sizeof in);
            if (n < 0) {
                *error = QStringLiteral("cannot read %1: %2")
                             .arg(QString::fromStdString(name),
                                  QString::fromUtf8(zip_error_strerror(zip_file_get_error(f))));
                return false;
            }
            inputEnded = n == 0;
            z.next_in = in;
            z.avail_in = uInt(n);
        }
        unsigned char probe;
        const bool full = *used == *cap;
        // Full: one byte more tells the end of the entry from one larger than declared.
        z.next_out = full ? &probe : reinterpret_cast<unsigned char*>(*block + *used);
        z.avail_out = full ? 1u : uInt(std::min<size_t>(*cap - *used, 1u << 30));
        const uInt before = z.avail_out;
        const int ret = inflate(&z, Z_NO_FLUSH);
        const size_t produced = before - z.avail_out;
        if (ret != Z_OK && ret != Z_STREAM_END && !(ret == Z_BUF_ERROR && produced == 0))
            return fail(ZIP_ER_COMPRESSED_DATA);
        if (full && produced) {
            if (*used + 1 > limit) {
                *error = QStringLiteral("part %1 is too large").arg(QString::fromStdString(name));
                return false;
            }
            const size_t grown = std::min(std::max(*cap * 2, size_t(64 * 1024)), limit);
            char* bigger = static_cast<char*>(alloc.allocate(grown));
            if (!bigger)
                return fail(ZIP_ER_MEMORY);
            std::memcpy(bigger, *block, *used);
            alloc.deallocate(*block);
            *block = bigger;
            *cap = grown;
            (*block)[*used] = char(probe);
        }
        if (produced)
            crc = crc32(crc, reinterpret_cast<const Bytef*>(*block + *used), uInt(produced));
        *used += produced;
        if (ret == Z_STREAM_END)
            break;
        if (produced == 0 && z.avail_in == 0 && inputEnded)
            return fail(ZIP_ER_COMPRESSED_DATA);  // the data ends inside the stream
    }
    // What libzip checks of an entry it inflates itself.
    if (crc != st.crc)
        return fail(ZIP_ER_CRC);
    if (*used != st.size)
        return fail(ZIP_ER_INCONS);
    return true;
}

Package::Entry* Package::entryForWrite(const std::string& name)
{
    Entry* e = find(name);
    if (!e) {
        Entry ne;
        ne.name = name;
        m_entries.push_back(std::move(ne));
        e = &m_entries.back();
        m_byName.emplace(name, m_entries.size() - 1);
        m_byLowerName.emplace(lowerAscii(name), m_entries.size() - 1);
    }
    e->replaced = true;
    return e;
}

void Package::write(const std::string& name, QByteArray data)
{
    Entry* e = entryForWrite(name);
    e->deflated = std::string();
    e->data = std::move(data);
    e->produce = nullptr;
    e->sizeHint = 0;
}

void Package::write(const std::string& name, Producer produce, size_t sizeHint)
{
    Entry* e = entryForWrite(name);
    e->deflated = std::string();
    e->data.clear();
    e->produce = std::move(produce);
    e->sizeHint = sizeHint;
}

DeflateBuffer& Package::deflater() const
{
    if (!m_deflater)
        m_deflater = std::make_unique<DeflateBuffer>();
    return *m_deflater;
}

bool Package::writeDeflated(const std::string& name, const Producer& produce, size_t sizeHint)
{
    DeflateBuffer& d = deflater();
    d.holder = nullptr;
    d.xml.clear();
    d.xml.reserve(sizeHint);
    produce(&d.xml);
    if (!d.deflateXml())
        return false;
    Entry* e = entryForWrite(name);
    e->data.clear();
    e->produce = nullptr;
    e->deflated.assign(d.zippedData, d.zippedSize);
    e->inflatedSize = d.xmlSize;
    e->crc = quint32(d.crc);
    return true;
}

bool Package::isProduced(const std::string& name) const
{
    const Entry* e = find(name);
    return e && e->replaced && e->produce;
}

void Package::remove(const std::string& name)
{
    Entry* e = find(name);
    if (!e)
        return;
    e->removed = true;
    e->replaced = false;
    e->data.clear();
    e->produce = nullptr;
    e->deflated = std::string();
    reindex();
}

std::vector<std::string> Package::names() const
{
    std::vector<std::string> r;
    r.reserve(m_entries.size());
    for (const Entry& e : m_entries)
        if (!e.removed)
            r.push_back(e.name);
    return r;
}

namespace {

// The archive as libzip sees it while writing: it reads the original zip from the package's
// own bytes (no copy) and writes the new one straight to the output device.
struct ArchiveIo
{
    const QByteArray* orig = nullptr;
    QIODevice* out = nullptr;
    zip_error_t error;
    zip_uint64_t readPos = 0;
    zip_uint64_t writeEnd = 0;  // the furthest byte written
    bool began = false;         // libzip started writing (it writes nothing when nothing changed)
};

zip_int64_t archiveCallback(void* userdata, void* data, zip_uint64_t len, zip_source_cmd_t cmd)
{
    auto* io = static_cast<ArchiveIo*>(userdata);
    const zip_uint64_t size = zip_uint64_t(io->orig->size());
    switch (cmd) {
    case ZIP_SOURCE_OPEN:
        io->readPos = 0;
        return 0;
    case ZIP_SOURCE_READ: {
        const zip_uint64_t n = std::min(len, size - std::min(io->readPos, size));
        if (n)
            std::memcpy(data, io->orig->constData() + io->readPos, size_t(n));
        io->readPos += n;
        return zip_int64_t(n);
    }
    case ZIP_SOURCE_CLOSE:
    case ZIP_SOURCE_FREE:
    case ZIP_SOURCE_COMMIT_WRITE:    // the caller flushes and commits the device
    case ZIP_SOURCE_ROLLBACK_WRITE:  // and discards it on failure
        return 0;
    case ZIP_SOURCE_STAT: {
        zip_stat_t* st = ZIP_SOURCE_GET_ARGS(zip_stat_t, data, len, &io->error);
        if (!st)
            return -1;
        zip_stat_init(st);
        st->size = size;
        st->valid |= ZIP_STAT_SIZE;
        return sizeof(*st);
    }
    case ZIP_SOURCE_ERROR:
        return zip_error_to_data(&io->error, data, len);
    case ZIP_SOURCE_SEEK: {
        const zip_int64_t pos = zip_source_seek_compute_offset(io->readPos, size, data, len, &io->error);
        if (pos < 0)
            return -1;
        io->readPos = zip_uint64_t(pos);
        return 0;
    }
    case ZIP_SOURCE_TELL:
        return zip_int64_t(io->readPos);
    case ZIP_SOURCE_BEGIN_WRITE:
        io->began = true;
        return 0;
    case ZIP_SOURCE_BEGIN_WRITE_CLONING:
        // The new zip starts with the first `len` bytes of the old one unchanged.
        io->began = true;
        if (len > size || io->out->write(io->orig->constData(), qint64(len)) != qint64(len)) {
            zip_error_set(&io->error, ZIP_ER_WRITE, 0);
            return -1;
        }
        io->writeEnd = len;
        return 0;
    case ZIP_SOURCE_WRITE:
        if (io->out->write(static_cast<const char*>(data), qint64(len)) != qint64(len)) {
            zip_error_set(&io->error, ZIP_ER_WRITE, 0);
            return -1;
        }
        io->writeEnd = std::max(io->writeEnd, zip_uint64_t(io->out->pos()));
        return zip_int64_t(len);
    case ZIP_SOURCE_SEEK_WRITE: {
        const zip_int64_t pos =
            zip_source_seek_compute_offset(zip_uint64_t(io->out->pos()), io->writeEnd, data, len, &io->error);
        if (pos < 0)
            return -1;
        if (!io->out->seek(pos)) {
            zip_error_set(&io->error, ZIP_ER_SEEK, 0);
            return -1;
        }
        return 0;
    }
    case ZIP_SOURCE_TELL_WRITE:
        return io->out->pos();
    case ZIP_SOURCE_SUPPORTS:
        return zip_source_make_command_bitmap(
            ZIP_SOURCE_OPEN, ZIP_SOURCE_READ, ZIP_SOURCE_CLOSE, ZIP_SOURCE_STAT, ZIP_SOURCE_ERROR, ZIP_SOURCE_FREE,
            ZIP_SOURCE_SEEK, ZIP_SOURCE_TELL, ZIP_SOURCE_BEGIN_WRITE, ZIP_SOURCE_BEGIN_WRITE_CLONING,
            ZIP_SOURCE_WRITE, ZIP_SOURCE_SEEK_WRITE, ZIP_SOURCE_TELL_WRITE, ZIP_SOURCE_COMMIT_WRITE,
            ZIP_SOURCE_ROLLBACK_WRITE, ZIP_SOURCE_REMOVE, ZIP_SOURCE_SUPPORTS, zip_source_cmd_t(-1));
    default:
        // Removing the file (a zip left with no entries): a package always keeps its content
        // types, so libzip never asks; were it to, the save fails rather than write nothing.
        zip_error_set(&io->error, ZIP_ER_OPNOTSUPP, 0);
        return -1;
    }
}

// An entry that libzip takes deflated: made into the shared buffer when asked for, or kept
// deflated in the entry already (`fixed`).
struct ProducedIo
{
    DeflateBuffer* shared = nullptr;
    const Package::Producer* produce = nullptr;
    DeflateBuffer fixed;  // only its results: the entry's deflated bytes, size and CRC
    size_t sizeHint = 0;
    time_t mtime = 0;
    zip_uint64_t pos = 0;
    zip_error_t error;

    const DeflateBuffer& made() const { return produce ? *shared : fixed; }

    bool make()
    {
        if (!produce || shared->holder == this)
            return true;
        shared->holder = nullptr;
        shared->xml.clear();  // keeps its capacity for the next entry
        shared->xml.reserve(sizeHint);
        (*produce)(&shared->xml);
        if (!shared->deflateXml()) {
            zip_error_set(&error, ZIP_ER_MEMORY, 0);
            return false;
        }
        shared->holder = this;
        return true;
    }
};

zip_int64_t producedCallback(void* userdata, void* data, zip_uint64_t len, zip_source_cmd_t cmd)
{
    auto* io = static_cast<ProducedIo*>(userdata);
    switch (cmd) {
    case ZIP_SOURCE_OPEN:
        io->pos = 0;
        return io->make() ? 0 : -1;
    case ZIP_SOURCE_READ: {
        if (!io->make())
            return -1;
        const DeflateBuffer& b = io->made();
        const zip_uint64_t size = b.zippedSize;
        const zip_uint64_t n = std::min(len, size - std::min(io->pos, size));
        if (n)
            std::memcpy(data, b.zippedData + io->pos, size_t(n));
        io->pos += n;
        return zip_int64_t(n);
    }
    case ZIP_SOURCE_CLOSE:
        return 0;
    case ZIP_SOURCE_STAT: {
        zip_stat_t* st = ZIP_SOURCE_GET_ARGS(zip_stat_t, data, len, &io->error);
        if (!st || !io->make())
            return -1;
        zip_stat_init(st);
        st->size = io->made().xmlSize;
        st->comp_size = io->made().zippedSize;
        st->comp_method = ZIP_CM_DEFLATE;
        st->encryption_method = ZIP_EM_NONE;
        st->crc = zip_uint32_t(io->made().crc);
        st->mtime = io->mtime;
        st->valid |= ZIP_STAT_SIZE | ZIP_STAT_COMP_SIZE | ZIP_STAT_COMP_METHOD | ZIP_STAT_ENCRYPTION_METHOD |
                     ZIP_STAT_CRC | ZIP_STAT_MTIME;
        return sizeof(*st);
    }
    case ZIP_SOURCE_ERROR:
        return zip_error_to_data(&io->error, data, len);
    case ZIP_SOURCE_FREE:
        if (io->shared && io->shared->holder == io)
            io->shared->holder = nullptr;
        zip_error_fini(&io->error);
        delete io;
        return 0;
    case ZIP_SOURCE_SEEK: {
        if (!io->make())
            return -1;
        const zip_int64_t pos =
            zip_source_seek_compute_offset(io->pos, io->made().zippedSize, data, len, &io->error);
        if (pos < 0)
            return -1;
        io->pos = zip_uint64_t(pos);
        return 0;
    }
    case ZIP_SOURCE_TELL:
        return zip_int64_t(io->pos);
    case ZIP_SOURCE_SUPPORTS:
        return zip_source_make_command_bitmap(ZIP_SOURCE_OPEN, ZIP_SOURCE_READ, ZIP_SOURCE_CLOSE, ZIP_SOURCE_STAT,
                                              ZIP_SOURCE_ERROR, ZIP_SOURCE_FREE, ZIP_SOURCE_SEEK, ZIP_SOURCE_TELL,
                                              ZIP_SOURCE_SUPPORTS, zip_source_cmd_t(-1));
    default:
        zip_error_set(&io->error, ZIP_ER_OPNOTSUPP, 0);
        return -1;
    }
}

}  // namespace

bool Package::writeTo(QIODevice* out, QString* error) const
{
    // The original zip is opened a second time, writable through a source that reads the
    // package's bytes and writes to `out`: libzip copies every untouched entry raw (or keeps
    // the unchanged head of the file whole) and deflates the new ones.
    ArchiveIo io;
    io.orig = &m_orig;
    io.out = out;
    zip_error_init(&io.error);
    struct ErrorFini
    {
        zip_error_t* e;
        ~ErrorFini() { zip_error_fini(e); }
    } ioErrorFini{&io.error};
    zip_error_t ze;
    zip_error_init(&ze);
    zip_source_t* src = zip_source_function_create(&archiveCallback, &io, &ze);
    if (!src) {
        *error = zipErrorText(&ze);
        zip_error_fini(&ze);
        return false;
    }
    zip_t* za = zip_open_from_source(src, m_orig.isEmpty() ? ZIP_CREATE | ZIP_TRUNCATE : 0, &ze);
    if (!za) {
        *error = zipErrorText(&ze);
        zip_error_fini(&ze);
        zip_source_free(src);
        return false;
    }
    zip_error_fini(&ze);

    auto fail = [&](const QString& what) {
        *error = what + QStringLiteral(": ") + QString::fromUtf8(zip_strerror(za));
        zip_discard(za);
        return false;
    };

    DeflateBuffer& produced = deflater();
    produced.holder = nullptr;
    const time_t now = time(nullptr);
    for (const Entry& e : m_entries) {
        if (e.removed) {
            if (e.origIndex >= 0 && zip_delete(za, zip_uint64_t(e.origIndex)) != 0)
                return fail(QStringLiteral("cannot remove ") + QString::fromStdString(e.name));
            continue;
        }
        if (!e.replaced)
            continue;
        zip_source_t* s = nullptr;
        if (!e.deflated.empty()) {
            auto* pio = new ProducedIo;
            pio->fixed.zippedData = e.deflated.data();
            pio->fixed.zippedSize = e.deflated.size();
            pio->fixed.xmlSize = e.inflatedSize;
            pio->fixed.crc = e.crc;
            pio->mtime = now;
            zip_error_init(&pio->error);
            s = zip_source_function(za, &producedCallback, pio);
            if (!s) {
                zip_error_fini(&pio->error);
                delete pio;
            }
        } else if (e.produce) {
            auto* pio = new ProducedIo;
            pio->shared = &produced;
            pio->produce = &e.produce;
            pio->sizeHint = e.sizeHint;
            pio->mtime = now;
            zip_error_init(&pio->error);
            s = zip_source_function(za, &producedCallback, pio);
            if (!s) {
                zip_error_fini(&pio->error);
                delete pio;
            }
        } else {
            // The replacement stays in the entry until the zip is closed: libzip reads it there.
            s = zip_source_buffer(za, e.data.constData(), zip_uint64_t(e.data.size()), 0);
        }
        if (!s)
            return fail(QStringLiteral("cannot buffer ") + QString::fromStdString(e.name));
        // A replaced entry is deleted and added afresh (it moves to the end of the zip): libzip
        // ignores the compression level of an entry that keeps its original method and would
        // deflate it at level 9, many times slower than level 1 on a large sheet.
        if (e.origIndex >= 0 && zip_delete(za, zip_uint64_t(e.origIndex)) != 0) {
            zip_source_free(s);
            return fail(QStringLiteral("cannot replace ") + QString::fromStdString(e.name));
        }
        const zip_int64_t idx = zip_file_add(za, e.name.c_str(), s, ZIP_FL_ENC_UTF_8 | ZIP_FL_OVERWRITE);
        if (idx < 0) {
            zip_source_free(s);
            return fail(QStringLiteral("cannot add ") + QString::fromStdString(e.name));
        }
        // A produced entry comes deflated already (libzip copies it); libzip deflates the others.
        zip_set_file_compression(za, zip_uint64_t(idx), ZIP_CM_DEFLATE, kCompressionLevel);
    }
    if (zip_close(za) != 0)
        return fail(QStringLiteral("cannot write the zip"));
    // Nothing changed: libzip wrote nothing, and the file is the original.
    if (!io.began && out->write(m_orig) != m_orig.size()) {
        *error = QStringLiteral("cannot write the zip");
        return false;
    }
    return true;
}

}  // namespace xlsx
