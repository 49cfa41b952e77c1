#include "xlsxpackage.h"

#include <zip.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>

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

bool Package::read(const std::string& name, QByteArray* out, QString* error, qint64 maxSize) const
{
    out->clear();
    const Entry* e = find(name);
    if (!e) {
        *error = QStringLiteral("missing part %1").arg(QString::fromStdString(name));
        return false;
    }
    if (e->replaced) {
        *out = e->data;
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
    zip_file_t* f = zip_fopen_index(m_zip, zip_uint64_t(e->origIndex), 0);
    if (!f) {
        *error = QStringLiteral("cannot open %1: %2")
                     .arg(QString::fromStdString(name), QString::fromUtf8(zip_strerror(m_zip)));
        return false;
    }
    // The declared size is only a hint: a damaged entry may claim anything, so never trust it
    // beyond the limit and read in chunks.
    if ((st.valid & ZIP_STAT_SIZE) && st.size <= zip_uint64_t(maxSize))
        out->reserve(qsizetype(std::min<zip_uint64_t>(st.size, 64u * 1024 * 1024)));
    char buf[65536];
    bool ok = true;
    for (;;) {
        const zip_int64_t n = zip_fread(f, buf, sizeof buf);
        if (n < 0) {
            *error = QStringLiteral("cannot read %1: %2")
                         .arg(QString::fromStdString(name),
                              QString::fromUtf8(zip_error_strerror(zip_file_get_error(f))));
            ok = false;
            break;
        }
        if (n == 0)
            break;
        if (out->size() + n > maxSize) {
            *error = QStringLiteral("part %1 is too large").arg(QString::fromStdString(name));
            ok = false;
            break;
        }
        out->append(buf, qsizetype(n));
    }
    zip_fclose(f);
    if (!ok)
        out->clear();
    return ok;
}

void Package::write(const std::string& name, QByteArray data)
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
    e->data = std::move(data);
}

void Package::remove(const std::string& name)
{
    Entry* e = find(name);
    if (!e)
        return;
    e->removed = true;
    e->replaced = false;
    e->data.clear();
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

bool Package::build(QByteArray* out, QString* error) const
{
    out->clear();
    zip_error_t ze;
    zip_error_init(&ze);
    // The original bytes are opened a second time, writable: libzip writes the new archive into
    // a fresh buffer of this source and copies every untouched entry raw from the old one.
    // The source gets its own malloc'ed copy that libzip owns: when it keeps the unchanged head
    // of the file (write cloning) it hands that memory on to the new buffer and frees it later.
    void* copy = nullptr;
    if (!m_orig.isEmpty()) {
        copy = std::malloc(size_t(m_orig.size()));
        if (!copy) {
            *error = QStringLiteral("out of memory");
            return false;
        }
        std::memcpy(copy, m_orig.constData(), size_t(m_orig.size()));
    }
    zip_source_t* src = zip_source_buffer_create(copy, zip_uint64_t(m_orig.size()), 1, &ze);
    if (!src) {
        std::free(copy);
        *error = zipErrorText(&ze);
        zip_error_fini(&ze);
        return false;
    }
    zip_source_keep(src);
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
        zip_source_free(src);
        return false;
    };

    for (const Entry& e : m_entries) {
        if (e.removed) {
            if (e.origIndex >= 0 && zip_delete(za, zip_uint64_t(e.origIndex)) != 0)
                return fail(QStringLiteral("cannot remove ") + QString::fromStdString(e.name));
            continue;
        }
        if (!e.replaced)
            continue;
        zip_source_t* s = zip_source_buffer(za, e.data.constData(), zip_uint64_t(e.data.size()), 0);
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
        zip_set_file_compression(za, zip_uint64_t(idx), ZIP_CM_DEFLATE, kCompressionLevel);
    }
    if (zip_close(za) != 0)
        return fail(QStringLiteral("cannot write the zip"));

    // Read the new archive back out of the buffer source.
    zip_stat_t st;
    zip_stat_init(&st);
    if (zip_source_stat(src, &st) != 0 || !(st.valid & ZIP_STAT_SIZE) || zip_source_open(src) != 0) {
        *error = QStringLiteral("cannot read the new zip");
        zip_source_free(src);
        return false;
    }
    out->resize(qsizetype(st.size));
    zip_int64_t got = 0;
    while (got < zip_int64_t(st.size)) {
        const zip_int64_t n = zip_source_read(src, out->data() + got, st.size - zip_uint64_t(got));
        if (n <= 0)
            break;
        got += n;
    }
    zip_source_close(src);
    zip_source_free(src);
    if (got != zip_int64_t(st.size)) {
        *error = QStringLiteral("cannot read the new zip");
        out->clear();
        return false;
    }
    return true;
}

}  // namespace xlsx
