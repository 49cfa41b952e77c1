#pragma once
// Profile (INI) files with the semantics of the Windows profile-string functions that the
// configuration and project files were written for:
//  - section and key names match ignoring letter case; the first match wins;
//  - a missing file, section or key gives the default;
//  - white space around keys and values is ignored, and one pair of matching quotes ("..." or
//    '...') around a value is dropped;
//  - a value is cut to 199 characters (the 200-character buffer of the readers);
//  - writing a key rewrites only its line (or adds the key at the end of its section, or the
//    section at the end of the file); every other line - comments, order, blank lines - stays.
// Files are UTF-8 (a byte-order mark is accepted and kept); UTF-16 files with a byte-order
// mark, as Windows writes them, are read and written back as UTF-16. Writes are atomic.
#include <QList>
#include <QPair>
#include <QString>

// Longest value a reader gets back (characters).
constexpr int kProfileValueMax = 199;

QString GetProfileString(const QString& path, const QString& section, const QString& key,
                         const QString& defaultValue = QString());

// False when the file cannot be written, or exists but cannot be read (it is then left alone).
// Line breaks inside the value are written as blanks, so a value can never add lines.
bool WriteProfileString(const QString& path, const QString& section, const QString& key,
                        const QString& value);

// Several keys of one section in one pass: the same file as WriteProfileString called for each
// pair in order, but read once and replaced once (atomically), so a section is never left
// half written. False (file unchanged) when it cannot be written or read, or a key is empty.
bool WriteProfileStrings(const QString& path, const QString& section,
                         const QList<QPair<QString, QString>>& keyValues);

// The leading integer of a text, as the C library's atoi reads it: blanks, an optional sign,
// then digits; anything after them is ignored and a text without leading digits is 0. Values
// beyond the int range are clamped.
int LeadingInt(const QString& text);
