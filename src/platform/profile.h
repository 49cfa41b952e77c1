#pragma once
// Profile (INI) files with the semantics the configuration and project files rely on (those of
// the Windows profile-string functions):
//  - section and key names match ignoring letter case; the first match wins;
//  - a missing file, section or key gives the default;
//  - white space around keys and values is ignored, and one pair of matching quotes ("..." or
//    '...') around a value is dropped;
//  - a value is cut to 199 characters (the 200-character buffer of the readers);
//  - writing a key rewrites only its line (or adds the key at the end of its section, or the
//    section at the end of the file); every other line - comments, order, blank lines - stays.
// Files are UTF-8 (a byte-order mark is accepted and kept); UTF-16 files with a byte-order
// mark, as Windows writes them, are read and written back as UTF-16. Writes are atomic.
#include <QHash>
#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

// Longest value a reader gets back (characters).
constexpr int kProfileValueMax = 199;

// One profile file read and parsed once. A reader that needs many keys (a project load reads
// some 190) loads it once and asks the document: the disk is read once and every lookup is a
// hash probe, however large the file. Nothing is cached beyond the object, so a file changed
// behind the program's back is seen by the next load. Writes change the parsed lines and
// save() replaces the file atomically.
class ProfileDocument
{
public:
    // Reads the file. A missing file gives an empty document (exists() false); false when
    // the file exists but cannot be read (the document is then empty too).
    bool load(const QString& path);
    bool exists() const { return m_exists; }

    // GetProfileString over the loaded text.
    QString value(const QString& section, const QString& key,
                  const QString& defaultValue = QString()) const;
    // True when the text has a header for this section (letter case ignored).
    bool hasSection(const QString& section) const;

    // WriteProfileString's change, made to the loaded text only. False for an empty section
    // or key name (nothing changed).
    bool setValues(const QString& section, const QList<QPair<QString, QString>>& keyValues);
    // Writes the text to `path` atomically, in the encoding and line ends it was read with.
    [[nodiscard]] bool save(const QString& path) const;

private:
    enum class Encoding { Utf8, Utf8Bom, Utf16Le, Utf16Be };
    struct SectionIndex
    {
        int header = -1;
        int bodyEnd = -1;  // one past the last body line
        bool keysIndexed = false;
        QHash<QString, int> keys;  // case-folded key -> line of its first occurrence
    };
    // The first section of that name (case-folded), its key lines indexed on demand.
    SectionIndex* section(const QString& name) const;
    void buildSectionIndex() const;

    Encoding m_encoding = Encoding::Utf8;
    QStringList m_lines;  // without line ends
    QString m_eol = QStringLiteral("\n");
    bool m_endsWithEol = true;
    bool m_exists = false;
    mutable bool m_indexed = false;
    mutable QHash<QString, SectionIndex> m_sections;
};

QString GetProfileString(const QString& path, const QString& section, const QString& key,
                         const QString& defaultValue = QString());

// False when the file cannot be written, or exists but cannot be read (it is then left alone).
// Line breaks inside the value are written as blanks, so a value can never add lines.
[[nodiscard]] bool WriteProfileString(const QString& path, const QString& section,
                                      const QString& key, const QString& value);

// Several keys of one section in one pass: the same file as WriteProfileString called for each
// pair in order, but read once and replaced once (atomically), so a section is never left
// half written. False (file unchanged) when it cannot be written or read, or a key is empty.
[[nodiscard]] bool WriteProfileStrings(const QString& path, const QString& section,
                                       const QList<QPair<QString, QString>>& keyValues);

// The leading integer of a text, as the C library's atoi reads it: blanks, an optional sign,
// then digits; anything after them is ignored and a text without leading digits is 0. Values
// beyond the int range are clamped.
int LeadingInt(const QString& text);
