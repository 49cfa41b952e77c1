// Builds the shipped reference workbooks (library and breaker) from the CSVs of data/.
//
//   refdata_gen <data folder> <output folder>
//
// catalogue.csv says where each table goes (workbook, sheet, first cell, orientation, the kind of
// cell of each CSV column); sheets.csv names the sheets in order. A table that does not have the
// number of entries the catalogue promises, a number column holding something else than a number,
// or two writes to one cell stop the build with a message.
#include "platform/xlsxbook.h"

#include <QDir>
#include <QFile>
#include <QLocale>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QTextStream>

#include <cstdio>
#include <map>
#include <optional>
#include <stdexcept>
#include <vector>

namespace {

struct CsvFile
{
    QStringList header;
    std::vector<QStringList> rows;
};

// RFC 4180 records; lines starting with '#' are comments. The first record is the header.
CsvFile ReadCsv(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        throw std::runtime_error(("cannot read " + path).toStdString());
    const QString text = QString::fromUtf8(f.readAll());
    std::vector<QStringList> records;
    QStringList record;
    QString field;
    bool quoted = false;
    bool atLineStart = true;
    bool comment = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (atLineStart) {
            atLineStart = false;
            comment = (c == u'#');
        }
        if (comment) {
            if (c == u'\n')
                atLineStart = true;
            continue;
        }
        if (quoted) {
            if (c == u'"') {
                if (i + 1 < text.size() && text[i + 1] == u'"') {
                    field += u'"';
                    ++i;
                } else {
                    quoted = false;
                }
            } else {
                field += c;
            }
        } else if (c == u'"') {
            quoted = true;
        } else if (c == u',') {
            record << field;
            field.clear();
        } else if (c == u'\r') {
        } else if (c == u'\n') {
            record << field;
            field.clear();
            records.push_back(record);
            record.clear();
            atLineStart = true;
        } else {
            field += c;
        }
    }
    if (!field.isEmpty() || !record.isEmpty()) {
        record << field;
        records.push_back(record);
    }
    if (records.empty())
        throw std::runtime_error(("no header in " + path).toStdString());
    CsvFile out;
    out.header = records.front();
    out.rows.assign(records.begin() + 1, records.end());
    return out;
}

// "AS12" -> column 44, row 11 (both from 0).
void ParseCellRef(const QString& ref, int& col, int& row)
{
    col = 0;
    qsizetype i = 0;
    while (i < ref.size() && ref[i].isLetter()) {
        col = col * 26 + (ref[i].toUpper().unicode() - 'A' + 1);
        ++i;
    }
    bool ok = false;
    row = ref.mid(i).toInt(&ok) - 1;
    col -= 1;
    if (!ok || col < 0 || row < 0)
        throw std::runtime_error(("bad cell reference " + ref).toStdString());
}

double ToNumber(const QString& text, const QString& where)
{
    bool ok = false;
    const double v = QLocale::c().toDouble(text.trimmed(), &ok);
    if (!ok)
        throw std::runtime_error((where + ": not a number: \"" + text + "\"").toStdString());
    return v;
}

class Writer
{
public:
    explicit Writer(Book& book) : m_book(book) {}

    Sheet* sheet(int index)
    {
        Sheet* s = m_book.getSheet(index);
        if (!s)
            throw std::runtime_error("no sheet " + std::to_string(index));
        return s;
    }
    void text(int sheetIndex, int row, int col, const QString& value, const QString& where)
    {
        claim(sheetIndex, row, col, where);
        if (!sheet(sheetIndex)->writeStr(row, col, value))
            throw std::runtime_error((where + ": text not written").toStdString());
    }
    void number(int sheetIndex, int row, int col, double value, const QString& where)
    {
        claim(sheetIndex, row, col, where);
        if (!sheet(sheetIndex)->writeNum(row, col, value))
            throw std::runtime_error((where + ": number not written").toStdString());
    }

private:
    void claim(int sheetIndex, int row, int col, const QString& where)
    {
        const auto key = std::make_tuple(sheetIndex, row, col);
        auto it = m_owner.find(key);
        if (it != m_owner.end())
            throw std::runtime_error(
                (where + " overlaps " + it->second + QStringLiteral(" at sheet %1 row %2 col %3")
                                                         .arg(sheetIndex)
                                                         .arg(row)
                                                         .arg(col))
                    .toStdString());
        m_owner.emplace(key, where);
    }

    Book& m_book;
    std::map<std::tuple<int, int, int>, QString> m_owner;
};

struct TableEntry
{
    QString name, workbook, firstCell, orientation, kinds, csv, label;
    int sheet = 0;
    int entries = 0;
};

struct Caption
{
    int sheet, row, col;
    QString text, where;
};

void WriteTable(Writer& w, const TableEntry& t, const QString& dataDir, bool captions,
                std::vector<Caption>& pending)
{
    const CsvFile csv = ReadCsv(dataDir + "/" + t.csv);
    int col0 = 0, row0 = 0;
    ParseCellRef(t.firstCell, col0, row0);
    if (csv.header.size() != t.kinds.size())
        throw std::runtime_error((t.name + ": " + QString::number(csv.header.size()) +
                                  " columns, catalogue has " + QString::number(t.kinds.size()))
                                     .toStdString());
    if (int(csv.rows.size()) != t.entries)
        throw std::runtime_error((t.name + ": " + QString::number(csv.rows.size()) +
                                  " entries, catalogue has " + QString::number(t.entries))
                                     .toStdString());
    const bool across = t.orientation == u"across";
    if (!across && t.orientation != u"down")
        throw std::runtime_error((t.name + ": orientation " + t.orientation).toStdString());
    int written = 0;
    for (QChar k : t.kinds)
        written += (k != u'x');
    if (across && written != 1)
        throw std::runtime_error((t.name + ": an across table has one value column").toStdString());

    for (int e = 0; e < t.entries; ++e) {
        const QStringList& r = csv.rows[size_t(e)];
        if (r.size() != t.kinds.size())
            throw std::runtime_error(
                (t.name + ": entry " + QString::number(e) + " has the wrong number of fields").toStdString());
        int p = 0;
        for (qsizetype c = 0; c < t.kinds.size(); ++c) {
            const QChar kind = t.kinds[c];
            if (kind == u'x')
                continue;
            const int row = across ? row0 : row0 + e;
            const int col = across ? col0 + e : col0 + p;
            const QString where = QStringLiteral("%1[%2].%3").arg(t.name).arg(e).arg(csv.header[c]);
            const QString& v = r[c];
            if (kind == u't') {
                if (!v.isEmpty())
                    w.text(t.sheet, row, col, v, where);
            } else if (kind == u'T') {
                w.text(t.sheet, row, col, v, where);
            } else if (kind == u'n') {
                if (!v.isEmpty())
                    w.number(t.sheet, row, col, ToNumber(v, where), where);
            } else if (kind == u'd') {
                if (v == u"-")
                    w.text(t.sheet, row, col, v, where);
                else if (!v.isEmpty())
                    w.number(t.sheet, row, col, ToNumber(v, where), where);
            } else {
                throw std::runtime_error((t.name + ": unknown kind " + QString(kind)).toStdString());
            }
            ++p;
        }
    }

    if (!captions)
        return;
    const QString where = t.name + " caption";
    if (!t.label.isEmpty() && col0 > 0)
        pending.push_back({t.sheet, row0, col0 - 1, t.label, where});
    if (across) {
        if (row0 > 0)
            for (int e = 0; e < t.entries; ++e)
                pending.push_back({t.sheet, row0 - 1, col0 + e, csv.rows[size_t(e)][0], where});
    } else if (t.label.isEmpty() && row0 > 0) {
        int p = 0;
        for (qsizetype c = 0; c < t.kinds.size(); ++c)
            if (t.kinds[c] != u'x')
                pending.push_back({t.sheet, row0 - 1, col0 + p++, csv.header[c], where});
    }
}

void BuildWorkbook(const QString& workbook, const QString& dataDir, const QString& outPath)
{
    Book book;
    const CsvFile sheets = ReadCsv(dataDir + "/sheets.csv");
    std::map<int, QString> names;
    for (const QStringList& r : sheets.rows)
        if (r.value(0) == workbook)
            names[r.value(1).toInt()] = r.value(2);
    int expected = 0;
    for (const auto& [index, name] : names) {
        if (index != expected++)
            throw std::runtime_error((workbook + ": sheet indexes are not 0, 1, 2, ...").toStdString());
        if (!book.addSheet(name))
            throw std::runtime_error((workbook + ": cannot add sheet " + name).toStdString());
    }

    Writer w(book);
    std::vector<Caption> captions;
    const bool withCaptions = workbook == u"lib";
    const CsvFile cat = ReadCsv(dataDir + "/catalogue.csv");
    for (const QStringList& r : cat.rows) {
        if (r.size() < 9)
            throw std::runtime_error("catalogue.csv: short record");
        if (r[1] != workbook)
            continue;
        TableEntry t;
        t.name = r[0];
        t.workbook = r[1];
        t.sheet = r[2].toInt();
        t.firstCell = r[3];
        t.orientation = r[4];
        t.kinds = r[5];
        t.entries = r[6].toInt();
        t.csv = r[7];
        t.label = r[8];
        WriteTable(w, t, dataDir, withCaptions, captions);
    }
    for (const Caption& c : captions)
        w.text(c.sheet, c.row, c.col, c.text, c.where);

    if (!book.save(outPath))
        throw std::runtime_error((outPath + ": " + book.errorMessage()).toStdString());
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: refdata_gen <data folder> <output folder>\n");
        return 2;
    }
    const QString dataDir = QString::fromLocal8Bit(argv[1]);
    const QString outDir = QString::fromLocal8Bit(argv[2]);
    try {
        if (!QDir().mkpath(outDir))
            throw std::runtime_error(("cannot create " + outDir).toStdString());
        BuildWorkbook(QStringLiteral("lib"), dataDir, outDir + "/lib_v3p4.xlsx");
        BuildWorkbook(QStringLiteral("breaker"), dataDir, outDir + "/breaker_v3p4.xlsx");
    } catch (const std::exception& e) {
        std::fprintf(stderr, "refdata_gen: %s\n", e.what());
        return 1;
    }
    return 0;
}
