#include "profile.h"

#include <QFile>
#include <QSaveFile>
#include <QStringDecoder>
#include <QStringEncoder>
#include <QStringList>
#include <limits>

namespace {

enum class Encoding { Utf8, Utf8Bom, Utf16Le, Utf16Be };

struct ProfileText
{
    Encoding encoding = Encoding::Utf8;
    QStringList lines;   // without line ends
    QString eol = QStringLiteral("\n");
    bool endsWithEol = true;
};

// Reads and splits a profile file. `exists` false for a missing file; false result for a
// file that exists but cannot be read.
bool ReadProfile(const QString& path, ProfileText& out, bool& exists)
{
    QFile f(path);
    exists = f.exists();
    if (!exists)
        return true;
    if (!f.open(QIODevice::ReadOnly))
        return false;
    const QByteArray raw = f.readAll();
    QString text;
    if (raw.startsWith("\xEF\xBB\xBF")) {
        out.encoding = Encoding::Utf8Bom;
        text = QString::fromUtf8(raw.mid(3));
    } else if (raw.startsWith("\xFF\xFE")) {
        out.encoding = Encoding::Utf16Le;
        QStringDecoder dec(QStringDecoder::Utf16LE);
        text = dec(raw.mid(2));
    } else if (raw.startsWith("\xFE\xFF")) {
        out.encoding = Encoding::Utf16Be;
        QStringDecoder dec(QStringDecoder::Utf16BE);
        text = dec(raw.mid(2));
    } else {
        out.encoding = Encoding::Utf8;
        text = QString::fromUtf8(raw);
    }
    if (text.contains(QStringLiteral("\r\n")))
        out.eol = QStringLiteral("\r\n");
    out.endsWithEol = text.isEmpty() || text.endsWith(QLatin1Char('\n'));
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    out.lines = text.split(QLatin1Char('\n'));
    if (out.endsWithEol && !out.lines.isEmpty() && out.lines.last().isEmpty())
        out.lines.removeLast();
    return true;
}

// "[name]" -> name (trimmed); null when the line is not a section header.
QString SectionName(const QString& line)
{
    const QString t = line.trimmed();
    if (!t.startsWith(QLatin1Char('[')))
        return QString();
    const int close = t.indexOf(QLatin1Char(']'));
    if (close < 0)
        return QString();
    return t.mid(1, close - 1).trimmed();
}

bool IsComment(const QString& trimmedLine)
{
    return trimmedLine.startsWith(QLatin1Char(';')) || trimmedLine.startsWith(QLatin1Char('#'));
}

// Splits "key = value"; false when the line is no key line.
bool SplitKeyLine(const QString& line, QString& key, QString& value)
{
    const QString t = line.trimmed();
    if (t.isEmpty() || IsComment(t) || t.startsWith(QLatin1Char('[')))
        return false;
    const int eq = t.indexOf(QLatin1Char('='));
    if (eq <= 0)
        return false;
    key = t.left(eq).trimmed();
    value = t.mid(eq + 1).trimmed();
    return !key.isEmpty();
}

// Index range [first, last) of the section's body lines, first = header + 1; -1 when absent.
int FindSection(const QStringList& lines, const QString& section, int& bodyEnd)
{
    for (int i = 0; i < lines.size(); ++i) {
        const QString name = SectionName(lines[i]);
        if (name.isNull() || name.compare(section, Qt::CaseInsensitive) != 0)
            continue;
        int j = i + 1;
        while (j < lines.size() && SectionName(lines[j]).isNull())
            ++j;
        bodyEnd = j;
        return i;
    }
    bodyEnd = -1;
    return -1;
}

QString StripQuotes(const QString& v)
{
    if (v.size() >= 2) {
        const QChar a = v.front();
        const QChar b = v.back();
        if ((a == QLatin1Char('"') || a == QLatin1Char('\'')) && a == b)
            return v.mid(1, v.size() - 2);
    }
    return v;
}

QByteArray Encode(const QString& text, Encoding enc)
{
    switch (enc) {
    case Encoding::Utf8:
        return text.toUtf8();
    case Encoding::Utf8Bom:
        return QByteArray("\xEF\xBB\xBF") + text.toUtf8();
    case Encoding::Utf16Le: {
        QStringEncoder e(QStringEncoder::Utf16LE);
        return QByteArray("\xFF\xFE") + QByteArray(e(text));
    }
    case Encoding::Utf16Be: {
        QStringEncoder e(QStringEncoder::Utf16BE);
        return QByteArray("\xFE\xFF") + QByteArray(e(text));
    }
    }
    return text.toUtf8();
}

}  // namespace

QString GetProfileString(const QString& path, const QString& section, const QString& key,
                         const QString& defaultValue)
{
    const QString def = defaultValue.left(kProfileValueMax);
    ProfileText pt;
    bool exists = false;
    if (!ReadProfile(path, pt, exists) || !exists)
        return def;
    int bodyEnd = -1;
    const int header = FindSection(pt.lines, section, bodyEnd);
    if (header < 0)
        return def;
    for (int i = header + 1; i < bodyEnd; ++i) {
        QString k, v;
        if (SplitKeyLine(pt.lines[i], k, v) && k.compare(key, Qt::CaseInsensitive) == 0)
            return StripQuotes(v).left(kProfileValueMax);
    }
    return def;
}

namespace {

// Sets one key in the parsed file, as WriteProfileString does on disk.
void ApplyWrite(ProfileText& pt, const QString& section, const QString& key, const QString& value)
{
    QString v = value;
    v.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
    v.replace(QLatin1Char('\r'), QLatin1Char(' '));
    v.replace(QLatin1Char('\n'), QLatin1Char(' '));

    int bodyEnd = -1;
    const int header = FindSection(pt.lines, section, bodyEnd);
    if (header < 0) {
        pt.lines.append(QLatin1Char('[') + section + QLatin1Char(']'));
        pt.lines.append(key + QLatin1Char('=') + v);
        return;
    }
    for (int i = header + 1; i < bodyEnd; ++i) {
        QString k, old;
        if (SplitKeyLine(pt.lines[i], k, old) && k.compare(key, Qt::CaseInsensitive) == 0) {
            // Keep the key as spelled in the file and its indentation.
            const QString& line = pt.lines[i];
            int indent = 0;
            while (indent < line.size() && line[indent].isSpace())
                ++indent;
            pt.lines[i] = line.left(indent) + k + QLatin1Char('=') + v;
            return;
        }
    }
    // After the section's last non-blank line, so blank separators stay below it.
    int insertAt = bodyEnd;
    while (insertAt > header + 1 && pt.lines[insertAt - 1].trimmed().isEmpty())
        --insertAt;
    pt.lines.insert(insertAt, key + QLatin1Char('=') + v);
}

bool WriteProfileText(const QString& path, const ProfileText& pt, bool exists)
{
    QString text = pt.lines.join(pt.eol);
    if (pt.endsWithEol || !exists)
        text += pt.eol;
    QSaveFile out(path);
    if (!out.open(QIODevice::WriteOnly))
        return false;
    const QByteArray bytes = Encode(text, pt.encoding);
    // A write the disk refuses can wait in the device's buffer, and commit() would then put a
    // short file in place of the project: flush, and give up on any error.
    if (out.write(bytes) != bytes.size() || !out.flush()) {
        out.cancelWriting();
        return false;
    }
    return out.commit();
}

}  // namespace

bool WriteProfileString(const QString& path, const QString& section, const QString& key,
                        const QString& value)
{
    return WriteProfileStrings(path, section, {{key, value}});
}

bool WriteProfileStrings(const QString& path, const QString& section,
                         const QList<QPair<QString, QString>>& keyValues)
{
    if (section.trimmed().isEmpty())
        return false;
    for (const auto& kv : keyValues)
        if (kv.first.trimmed().isEmpty())
            return false;
    ProfileText pt;
    bool exists = false;
    if (!ReadProfile(path, pt, exists))
        return false;  // never replace a file we could not read
    for (const auto& kv : keyValues)
        ApplyWrite(pt, section, kv.first, kv.second);
    return WriteProfileText(path, pt, exists);
}

int LeadingInt(const QString& text)
{
    int i = 0;
    const int n = text.size();
    while (i < n && (text[i] == QLatin1Char(' ') || text[i] == QLatin1Char('\t')))
        ++i;
    bool negative = false;
    if (i < n && (text[i] == QLatin1Char('+') || text[i] == QLatin1Char('-'))) {
        negative = text[i] == QLatin1Char('-');
        ++i;
    }
    long long v = 0;
    for (; i < n && text[i] >= QLatin1Char('0') && text[i] <= QLatin1Char('9'); ++i) {
        v = v * 10 + (text[i].unicode() - '0');
        if (v > (long long)std::numeric_limits<int>::max() + 1)
            v = (long long)std::numeric_limits<int>::max() + 1;
    }
    if (negative)
        v = -v;
    if (v > std::numeric_limits<int>::max())
        v = std::numeric_limits<int>::max();
    if (v < std::numeric_limits<int>::min())
        v = std::numeric_limits<int>::min();
    return int(v);
}
