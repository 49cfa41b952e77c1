#include "profile.h"

#include <QFile>
#include <QSaveFile>
#include <QStringDecoder>
#include <QStringEncoder>
#include <QStringList>
#include <limits>

namespace {

// "[name]" -> name (trimmed); null when the line is not a section header.
QString SectionName(const QString& line)
{
    // Most lines are keys: look at the first visible character before building a copy.
    int i = 0;
    while (i < line.size() && line[i].isSpace())
        ++i;
    if (i == line.size() || line[i] != QLatin1Char('['))
        return QString();
    const QString t = line.trimmed();
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

// Section and key names match ignoring letter case; the index keys them folded.
QString Folded(const QString& name)
{
    return name.toCaseFolded();
}

}  // namespace

bool ProfileDocument::load(const QString& path)
{
    *this = ProfileDocument();
    QFile f(path);
    m_exists = f.exists();
    if (!m_exists)
        return true;
    if (!f.open(QIODevice::ReadOnly))
        return false;
    const QByteArray raw = f.readAll();
    if (f.error() != QFileDevice::NoError)
        return false;
    QString text;
    if (raw.startsWith("\xEF\xBB\xBF")) {
        m_encoding = Encoding::Utf8Bom;
        text = QString::fromUtf8(raw.constData() + 3, raw.size() - 3);
    } else if (raw.startsWith("\xFF\xFE")) {
        m_encoding = Encoding::Utf16Le;
        QStringDecoder dec(QStringDecoder::Utf16LE);
        text = dec(QByteArrayView(raw).sliced(2));
    } else if (raw.startsWith("\xFE\xFF")) {
        m_encoding = Encoding::Utf16Be;
        QStringDecoder dec(QStringDecoder::Utf16BE);
        text = dec(QByteArrayView(raw).sliced(2));
    } else {
        m_encoding = Encoding::Utf8;
        text = QString::fromUtf8(raw);
    }
    if (text.contains(QStringLiteral("\r\n")))
        m_eol = QStringLiteral("\r\n");
    m_endsWithEol = text.isEmpty() || text.endsWith(QLatin1Char('\n'));
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    m_lines = text.split(QLatin1Char('\n'));
    if (m_endsWithEol && !m_lines.isEmpty() && m_lines.last().isEmpty())
        m_lines.removeLast();
    return true;
}

void ProfileDocument::buildSectionIndex() const
{
    m_sections.clear();
    QString open;  // the section whose body is being scanned, when it is a first occurrence
    bool tracking = false;
    for (int i = 0; i < m_lines.size(); ++i) {
        const QString name = SectionName(m_lines[i]);
        if (name.isNull())
            continue;
        if (tracking)
            m_sections[open].bodyEnd = i;
        open = Folded(name);
        // The first section of a name wins; a later one of the same name is never read.
        tracking = !m_sections.contains(open);
        if (tracking)
            m_sections.insert(open, SectionIndex{i, int(m_lines.size()), false, {}});
    }
    m_indexed = true;
}

ProfileDocument::SectionIndex* ProfileDocument::section(const QString& name) const
{
    if (!m_indexed)
        buildSectionIndex();
    const auto it = m_sections.find(Folded(name));
    if (it == m_sections.end())
        return nullptr;
    SectionIndex& s = it.value();
    if (!s.keysIndexed) {
        for (int i = s.header + 1; i < s.bodyEnd; ++i) {
            QString k, v;
            if (!SplitKeyLine(m_lines[i], k, v))
                continue;
            const QString folded = Folded(k);
            if (!s.keys.contains(folded))  // the first line of a repeated key wins
                s.keys.insert(folded, i);
        }
        s.keysIndexed = true;
    }
    return &s;
}

QString ProfileDocument::value(const QString& sectionName, const QString& key,
                               const QString& defaultValue) const
{
    const QString def = defaultValue.left(kProfileValueMax);
    const SectionIndex* s = section(sectionName);
    if (!s)
        return def;
    const auto it = s->keys.constFind(Folded(key));
    if (it == s->keys.constEnd())
        return def;
    QString k, v;
    SplitKeyLine(m_lines[it.value()], k, v);
    return StripQuotes(v).left(kProfileValueMax);
}

bool ProfileDocument::hasSection(const QString& sectionName) const
{
    if (!m_indexed)
        buildSectionIndex();
    return m_sections.contains(Folded(sectionName));
}

bool ProfileDocument::setValues(const QString& sectionName,
                                const QList<QPair<QString, QString>>& keyValues)
{
    if (sectionName.trimmed().isEmpty())
        return false;
    for (const auto& kv : keyValues)
        if (kv.first.trimmed().isEmpty())
            return false;
    if (keyValues.isEmpty())
        return true;

    SectionIndex* s = section(sectionName);
    if (!s) {
        // A new section at the end of the file; later lines of this batch land below it.
        m_lines.append(QLatin1Char('[') + sectionName + QLatin1Char(']'));
        m_sections.insert(Folded(sectionName),
                          SectionIndex{int(m_lines.size()) - 1, int(m_lines.size()), true, {}});
        s = section(sectionName);
    }
    // New keys go after the section's last non-blank line, so blank separators stay below it.
    int insertAt = s->bodyEnd;
    while (insertAt > s->header + 1 && m_lines[insertAt - 1].trimmed().isEmpty())
        --insertAt;
    bool inserted = false;
    for (const auto& kv : keyValues) {
        QString v = kv.second;
        v.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
        v.replace(QLatin1Char('\r'), QLatin1Char(' '));
        v.replace(QLatin1Char('\n'), QLatin1Char(' '));
        const QString folded = Folded(kv.first);
        const auto it = s->keys.constFind(folded);
        if (it != s->keys.constEnd()) {
            // Keep the key as spelled in the file and its indentation.
            QString& line = m_lines[it.value()];
            QString k, old;
            SplitKeyLine(line, k, old);
            int indent = 0;
            while (indent < line.size() && line[indent].isSpace())
                ++indent;
            line = line.left(indent) + k + QLatin1Char('=') + v;
            continue;
        }
        // Every key line of the section lies above insertAt, so their indexes stay valid.
        m_lines.insert(insertAt, kv.first + QLatin1Char('=') + v);
        s->keys.insert(folded, insertAt);
        ++insertAt;
        ++s->bodyEnd;
        inserted = true;
    }
    if (inserted) {
        // Lines below the insertion moved: the other sections are indexed again when asked.
        m_indexed = false;
        m_sections.clear();
    }
    return true;
}

bool ProfileDocument::save(const QString& path) const
{
    QString text = m_lines.join(m_eol);
    if (m_endsWithEol || !m_exists)
        text += m_eol;
    QByteArray bytes;
    switch (m_encoding) {
    case Encoding::Utf8:
        bytes = text.toUtf8();
        break;
    case Encoding::Utf8Bom:
        bytes = QByteArray("\xEF\xBB\xBF") + text.toUtf8();
        break;
    case Encoding::Utf16Le: {
        QStringEncoder e(QStringEncoder::Utf16LE);
        bytes = QByteArray("\xFF\xFE") + QByteArray(e(text));
        break;
    }
    case Encoding::Utf16Be: {
        QStringEncoder e(QStringEncoder::Utf16BE);
        bytes = QByteArray("\xFE\xFF") + QByteArray(e(text));
        break;
    }
    }
    QSaveFile out(path);
    if (!out.open(QIODevice::WriteOnly))
        return false;
    if (out.write(bytes) != bytes.size()) {
        out.cancelWriting();
        return false;
    }
    return out.commit();
}

QString GetProfileString(const QString& path, const QString& section, const QString& key,
                         const QString& defaultValue)
{
    ProfileDocument doc;
    if (!doc.load(path))
        return defaultValue.left(kProfileValueMax);
    return doc.value(section, key, defaultValue);
}

bool WriteProfileString(const QString& path, const QString& section, const QString& key,
                        const QString& value)
{
    return WriteProfileStrings(path, section, {{key, value}});
}

bool WriteProfileStrings(const QString& path, const QString& section,
                         const QList<QPair<QString, QString>>& keyValues)
{
    ProfileDocument doc;
    if (!doc.load(path))
        return false;  // never replace a file we could not read
    if (!doc.setValues(section, keyValues))
        return false;
    return doc.save(path);
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
