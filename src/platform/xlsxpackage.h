#pragma once
// The zip container of an .xlsx file, edited in place. Entries that nobody replaced are copied
// into the saved file as they are (compressed bytes, local header and all), so parts the program
// does not understand survive untouched; replaced and added entries are deflated afresh.
#include <QByteArray>
#include <QString>
#include <string>
#include <unordered_map>
#include <vector>

struct zip;

namespace xlsx {

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
    // The current content of an entry (its replacement, or the inflated original). False when it
    // is missing, unreadable or larger than `maxSize`.
    bool read(const std::string& name, QByteArray* out, QString* error,
              qint64 maxSize = kMaxPartSize) const;
    // Adds the entry or replaces its content.
    void write(const std::string& name, QByteArray data);
    void remove(const std::string& name);
    // Names of the current entries, in file order.
    std::vector<std::string> names() const;
    // Finds an entry ignoring ASCII case (part names are case-insensitive); "" when none.
    std::string resolve(const std::string& name) const;

    // The whole zip with every change applied; false on failure.
    bool build(QByteArray* out, QString* error) const;

    static constexpr qint64 kMaxPartSize = 256 * 1024 * 1024;

private:
    struct Entry
    {
        std::string name;
        qint64 origIndex = -1;  // index in the original zip, -1 for an added entry
        bool replaced = false;
        bool removed = false;
        QByteArray data;        // the replacement
    };
    const Entry* find(const std::string& name) const;
    Entry* find(const std::string& name);
    void reindex();

    QByteArray m_orig;
    struct zip* m_zip = nullptr;  // read-only view of m_orig
    std::vector<Entry> m_entries;
    std::unordered_map<std::string, size_t> m_byName;
    std::unordered_map<std::string, size_t> m_byLowerName;
};

}  // namespace xlsx
