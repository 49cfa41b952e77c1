#pragma once
// The zip container of an .xlsx file, edited in place. Entries that nobody replaced are copied
// into the saved file as they are (compressed bytes, local header and all), so parts the program
// does not understand survive untouched; replaced and added entries are deflated afresh.
#include <QByteArray>
#include <QString>
#include <functional>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

class QIODevice;
struct zip;
struct zip_file;
struct zip_stat;

namespace xlsx {

struct DeflateBuffer;

class Package
{
public:
    Package();
    ~Package();
    Package(const Package&) = delete;
    Package& operator=(const Package&) = delete;

    // Opens the zip held in `bytes` (kept by the package). False when it is not a readable zip
    // or two of its entries have one name (ignoring ASCII case, as part names do).
    bool open(QByteArray bytes, QString* error);
    // Starts an empty package (a new book).
    void clear();

    bool has(const std::string& name) const;

    // Memory for an inflated entry, from the caller's allocator (the parser that takes the
    // block over frees it with its own).
    struct Allocator
    {
        void* (*allocate)(size_t);
        void (*deallocate)(void*);
    };
    // Inflates an entry straight into one block of its declared size, and parses nothing: the
    // caller owns *data (*size bytes used). An entry whose data outgrows what it declares (a
    // damaged header) still reads, in a larger block. False when it is missing, unreadable or
    // larger than `maxSize`; *data is null then.
    bool read(const std::string& name, const Allocator& alloc, char** data, size_t* size, QString* error,
              qint64 maxSize = kMaxPartSize) const;

    // Adds the entry or replaces its content.
    void write(const std::string& name, QByteArray data);
    // Adds the entry or replaces its content with what `produce` appends to its argument when
    // the archive is written (an XML part serialized then, into a buffer shared by all such
    // entries of one write). `produce` must give the same bytes each time it is called.
    using Producer = std::function<void(std::string* out)>;
    void write(const std::string& name, Producer produce, size_t sizeHint);
    // Adds the entry or replaces its content with what `produce` appends, deflated now and kept
    // so (a part dropped from memory until it is needed again). False when it cannot be made.
    bool writeDeflated(const std::string& name, const Producer& produce, size_t sizeHint);
    // True while the entry's content is made by a Producer (given to write()), which must then
    // stay valid until the entry is written anew or removed.
    bool isProduced(const std::string& name) const;
    void remove(const std::string& name);
    // Names of the current entries, in file order.
    std::vector<std::string> names() const;
    // Finds an entry ignoring ASCII case (part names are case-insensitive); "" when none.
    std::string resolve(const std::string& name) const;

    // Writes the whole zip with every change applied to `out` (open for writing, seekable, at
    // its start); false on failure, with whatever was written left for the caller to discard.
    bool writeTo(QIODevice* out, QString* error) const;

    static constexpr qint64 kMaxPartSize = 256 * 1024 * 1024;

private:
    struct Entry
    {
        std::string name;
        qint64 origIndex = -1;  // index in the original zip, -1 for an added entry
        bool replaced = false;
        bool removed = false;
        QByteArray data;        // the replacement
        Producer produce;       // or what makes it
        size_t sizeHint = 0;
        std::string deflated;   // or the replacement deflated (raw deflate)
        size_t inflatedSize = 0;
        quint32 crc = 0;
    };
    const Entry* find(const std::string& name) const;
    Entry* find(const std::string& name);
    Entry* entryForWrite(const std::string& name);
    void reindex();
    bool inflateKept(const Entry& e, const Allocator& alloc, char** data, size_t* size, QString* error) const;
    bool inflateEntry(::zip_file* f, const ::zip_stat& st, const std::string& name,
                      const Allocator& alloc, char** block, size_t* cap, size_t* used, QString* error,
                      size_t limit) const;

    struct Inflater;
    mutable std::unique_ptr<Inflater> m_inflater;  // one stream for every entry read
    mutable std::unique_ptr<DeflateBuffer> m_deflater;  // one stream and buffers for every entry made
    DeflateBuffer& deflater() const;
    QByteArray m_orig;
    struct zip* m_zip = nullptr;  // read-only view of m_orig
    std::vector<Entry> m_entries;
    std::unordered_map<std::string, size_t> m_byName;
    std::unordered_map<std::string, size_t> m_byLowerName;
};

}  // namespace xlsx
