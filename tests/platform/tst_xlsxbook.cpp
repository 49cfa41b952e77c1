// The workbook layer: what it writes is read back by openpyxl as an independent reader, what
// it does not touch survives byte for byte, and damaged files fail cleanly.
#include "common/commadecimallocale.h"
#include "common/testsupport.h"
#include "platform/xlsxbook.h"
#include "platform/xlsxbookimpl.h"
#include "platform/xlsxutil.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QtTest>

#include <clocale>
#include <functional>
#include <map>
#include <pugixml.hpp>
#include <unistd.h>
#include <zip.h>

class TestXlsxBook : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void openpyxlReadsWhatWeWrite_data();
    void openpyxlReadsWhatWeWrite();
    void roundTripThroughOurReader();
    void sheetNameRules();
    void untouchedPartsSurvive();
    void unchangedBookSavesIdentically();
    void zeroSheetBook();
    void corruptInputsFailCleanly_data();
    void corruptInputsFailCleanly();
    void duplicatePartNames_data();
    void duplicatePartNames();
    void readTextOfEveryCellKind_data();
    void readTextOfEveryCellKind();
    void oddButReadableSheets();
    void missingFileAndFailedSave();
    void failedLoadNotOverwrittenThroughLinks();
    void loadLimits();
    void packageStaysConsistent();
    void picturesFromFiles();
    void cellAnchoredPartsFollowRows_data();
    void cellAnchoredPartsFollowRows();
    void renamedAndDeletedSheetsInFormulas();
    void sheetsBeyondTheMemoryBudget();
    void savedSheetDroppedThenSavedAgain();
    void referenceShifting_data();
    void referenceShifting();

private:
    QTemporaryDir m_dir;
    bool m_openpyxl = false;
};

namespace {

// Dumps a workbook as JSON: sheet names, every non-empty cell as [type, value], merges, print
// areas, column widths, picture anchors and sheet protection.
const char* kDumpScript = R"PY(
import sys, json, openpyxl
wb = openpyxl.load_workbook(sys.argv[1])
out = {"sheets": wb.sheetnames, "cells": {}, "merges": {}, "print_area": {}, "widths": {},
       "images": {}, "protected": {}, "fonts": {}, "fills": {}, "comments": {}, "tables": {}}
for ws in wb.worksheets:
    for row in ws.iter_rows():
        for c in row:
            if c.value is not None:
                out["cells"][ws.title + "!" + c.coordinate] = [c.data_type, c.value]
            if c.font is not None and c.font.b:
                out["fonts"][ws.title + "!" + c.coordinate] = "bold"
            if c.fill is not None and c.fill.fgColor is not None and c.fill.fill_type == "solid":
                out["fills"][ws.title + "!" + c.coordinate] = str(c.fill.fgColor.rgb)
    out["merges"][ws.title] = sorted(str(r) for r in ws.merged_cells.ranges)
    out["comments"][ws.title] = {c.coordinate: c.comment.text for row in ws.iter_rows() for c in row if c.comment}
    out["tables"][ws.title] = {t.name: [t.ref, [c.name for c in t.tableColumns]] for t in ws.tables.values()}
    if ws.print_area:
        out["print_area"][ws.title] = ws.print_area
    out["widths"][ws.title] = {k: v.width for k, v in sorted(ws.column_dimensions.items()) if v.customWidth}
    imgs = []
    for im in ws._images:
        a = im.anchor
        f = a._from
        e = [a.ext.width, a.ext.height] if getattr(a, "ext", None) is not None else None
        to = [a.to.col, a.to.row, a.to.colOff, a.to.rowOff] if getattr(a, "to", None) is not None else None
        imgs.append({"from": [f.col, f.row, f.colOff, f.rowOff], "to": to, "ext": e,
                     "size": [im.width, im.height]})
    out["images"][ws.title] = imgs
    out["protected"][ws.title] = bool(ws.protection.sheet)
print(json.dumps(out, ensure_ascii=False))
)PY";

QJsonObject dumpWithOpenpyxl(const QString& path)
{
    const PythonResult r = RunPython(QString::fromUtf8(kDumpScript), {path});
    if (r.exitCode != 0) {
        qWarning().noquote() << "openpyxl failed:" << r.err;
        return {};
    }
    return QJsonDocument::fromJson(r.out.toUtf8()).object();
}

// Every key of `expected` must match the dump; for "cells", each listed cell must match and a
// null means "no value".
bool matches(const QJsonObject& dump, const QJsonObject& expected, QString* why)
{
    for (auto it = expected.begin(); it != expected.end(); ++it) {
        if (it.key() == QLatin1String("cells")) {
            const QJsonObject cells = dump.value(QStringLiteral("cells")).toObject();
            const QJsonObject want = it.value().toObject();
            for (auto c = want.begin(); c != want.end(); ++c) {
                const QJsonValue got = cells.value(c.key());
                const QJsonValue w = c.value();
                const bool ok = w.isNull() ? got.isUndefined() : got == w;
                if (!ok) {
                    *why = QStringLiteral("cell %1: got %2, want %3")
                               .arg(c.key(),
                                    QString::fromUtf8(QJsonDocument(QJsonArray{got}).toJson(QJsonDocument::Compact)),
                                    QString::fromUtf8(QJsonDocument(QJsonArray{w}).toJson(QJsonDocument::Compact)));
                    return false;
                }
            }
            continue;
        }
        if (dump.value(it.key()) != it.value()) {
            *why = QStringLiteral("%1: got %2, want %3")
                       .arg(it.key(),
                            QString::fromUtf8(
                                QJsonDocument(QJsonArray{dump.value(it.key())}).toJson(QJsonDocument::Compact)),
                            QString::fromUtf8(QJsonDocument(QJsonArray{it.value()}).toJson(QJsonDocument::Compact)));
            return false;
        }
    }
    return true;
}

struct Case
{
    const char* name;
    const char* setupPython;  // makes the starting workbook at argv[1]; nullptr: a new book
    std::function<bool(Book&)> edit;
    const char* expected;     // JSON object, partial
};

// 1×1 red PNG.
QByteArray tinyPng()
{
    return QByteArray::fromBase64(
        "iVBORw0KGgoAAAANSUhEUgAAAAEAAAABCAIAAACQd1PeAAAADElEQVR4nGP4z8AAAAMBAQDJ/pLvAAAAAElFTkSuQmCC");
}

const char* kStyledSetup = R"PY(
import sys, openpyxl
from openpyxl.styles import Font, PatternFill
wb = openpyxl.Workbook()
ws = wb.active
ws.title = "Report"
for c in range(1, 9):
    for r in range(1, 6):
        ws.cell(row=r, column=c, value="%s%d" % (chr(64 + c), r))
ws["A1"].font = Font(bold=True)
ws["H2"].fill = PatternFill("solid", fgColor="FFFF0000")
ws.merge_cells("A1:B1")
ws.merge_cells("C2:E2")
ws.merge_cells("F3:G4")
ws.merge_cells("B5:H5")
ws.column_dimensions["A"].width = 11
ws.column_dimensions["D"].width = 14
ws.column_dimensions["G"].width = 17
ws.print_area = "A1:H5"
other = wb.create_sheet("Other")
other["A1"] = "untouched"
wb.save(sys.argv[1])
)PY";

const std::vector<Case>& cases()
{
    static const std::vector<Case> all = {
        {"sheet order after add, insert, move, delete", nullptr,
         [](Book& b) {
             return b.addSheet("A") && b.addSheet("B") && b.addSheet("C") && b.insertSheet(1, "X") &&
                    b.moveSheet(0, 3) && b.delSheet(1) && b.insertSheet(b.sheetCount(), "End");
         },
         R"({"sheets": ["X", "C", "A", "End"]})"},
        {"rename", nullptr,
         [](Book& b) {
             Sheet* s = b.addSheet("Old");
             return s && s->setName("New") && !b.addSheet("new") && !s->setName("a/b");
         },
         R"({"sheets": ["New"]})"},
        {"text and number cells", nullptr,
         [](Book& b) {
             Sheet* s = b.addSheet("S");
             return s->writeStr(0, 0, "1.5") && s->writeNum(0, 1, 1.5) && s->writeNum(0, 2, -0.1) &&
                    s->writeNum(0, 3, 1e20) && s->writeStr(0, 4, "text");
         },
         R"({"cells": {"S!A1": ["s", "1.5"], "S!B1": ["n", 1.5], "S!C1": ["n", -0.1], "S!D1": ["n", 1e20],
                       "S!E1": ["s", "text"]}})"},
        {"empty text, missing cell, a space", nullptr,
         [](Book& b) {
             Sheet* s = b.addSheet("S");
             return s->writeStr(0, 0, "") && s->writeStr(0, 2, " ") && s->writeStr(1, 1, "  two  ");
         },
         R"({"cells": {"S!A1": ["s", ""], "S!B1": null, "S!C1": ["s", " "], "S!B2": ["s", "  two  "]}})"},
        {"Hangul names and texts", nullptr,
         [](Book& b) {
             Sheet* s = b.addSheet(QStringLiteral("동력"));
             return s->writeStr(2, 3, QStringLiteral("케이블&차단기 <1> \"따옴표\"")) &&
                    s->writeStr(3, 0, QStringLiteral("줄\n바꿈"));
         },
         R"({"sheets": ["동력"], "cells": {"동력!D3": ["s", "케이블&차단기 <1> \"따옴표\""],
                                           "동력!A4": ["s", "줄\n바꿈"]}})"},
        {"row insert and remove shift cells", nullptr,
         [](Book& b) {
             Sheet* s = b.addSheet("S");
             for (int r = 0; r < 5; ++r)
                 if (!s->writeStr(r, 0, QStringLiteral("r%1").arg(r + 1)))
                     return false;
             return s->writeNum(2, 1, 3) && s->insertRow(1, 2) && s->removeRow(0, 0);
         },
         R"({"cells": {"S!A1": null, "S!A2": null, "S!A3": ["s", "r2"], "S!A4": ["s", "r3"], "S!B4": ["n", 3],
                       "S!A6": ["s", "r5"], "S!A7": null}})"},
        {"column removal moves merges, widths and the print area", kStyledSetup,
         [](Book& b) { return b.getSheet(0)->removeCol(2, 3); },
         R"({"cells": {"Report!A1": ["s", "A1"], "Report!B2": ["s", "B2"], "Report!C1": ["s", "E1"],
                       "Report!F1": ["s", "H1"], "Report!G1": null, "Other!A1": ["s", "untouched"]},
             "merges": {"Report": ["A1:B1", "B5:F5", "D3:E4"], "Other": []},
             "widths": {"Report": {"A": 11, "E": 17}, "Other": {}},
             "print_area": {"Report": ["$A$1:$F$5"]}})"},
        {"row insertion moves merges and the print area", kStyledSetup,
         [](Book& b) { return b.getSheet(0)->insertRow(0, 1); },
         R"({"cells": {"Report!A1": null, "Report!A3": ["s", "A1"], "Report!H4": ["s", "H2"]},
             "merges": {"Report": ["A3:B3", "B7:H7", "C4:E4", "F5:G6"], "Other": []},
             "fonts": {"Report!A3": "bold"}, "fills": {"Report!H4": "FFFF0000"},
             "print_area": {"Report": ["$A$3:$H$7"]}})"},
        {"a picture's anchor", nullptr,
         [](Book& b) {
             Sheet* s = b.addSheet("S");
             const int id = b.addPicture(tinyPng());
             // Default cells are 64 x 20 pixels: 3 + 100 pixels end 39 pixels into column D,
             // 3 + 40 pixels end 3 pixels into row 4.
             return id == 0 && s->setPicture2(1, 2, id, 100, 40, 3, 3);
         },
         R"({"images": {"S": [{"from": [2, 1, 28575, 28575], "to": [3, 3, 371475, 28575], "ext": null,
                               "size": [1, 1]}]}})"},
        {"a picture follows removed rows and columns", nullptr,
         [](Book& b) {
             Sheet* s = b.addSheet("S");
             const int id = b.addPicture(tinyPng());
             return s->setPicture2(5, 4, id, 64, 20, 0, 0) && s->setPicture2(0, 0, id, 10, 10) &&
                    s->removeRow(0, 1) && s->removeCol(1, 1);
         },
         R"({"images": {"S": [{"from": [3, 3, 0, 0], "to": [4, 4, 0, 0], "ext": null, "size": [1, 1]}]}})"},
        {"sheet protection on and off", nullptr,
         [](Book& b) {
             Sheet* a = b.addSheet("A");
             Sheet* c = b.addSheet("B");
             a->setProtect(true);
             c->setProtect(true);
             c->setProtect(false);
             return a->protect() && !c->protect();
         },
         R"({"protected": {"A": true, "B": false}})"},
        {"print areas follow their sheets through insert, move and delete",
         R"PY(
import sys, openpyxl
wb = openpyxl.Workbook()
wb.active.title = "A"
wb.create_sheet("B")
wb.create_sheet("C")
wb["A"].print_area = "A1:B2"
wb["B"].print_area = "A1:C3"
wb["C"].print_area = "A1:D4"
wb.save(sys.argv[1])
)PY",
         [](Book& b) { return b.insertSheet(0, "N") && b.moveSheet(1, 3) && b.delSheet(1); },
         R"({"sheets": ["N", "C", "A"], "print_area": {"C": ["$A$1:$D$4"], "A": ["$A$1:$B$2"]}})"},
        {"overwrite keeps the cell's style", kStyledSetup,
         [](Book& b) { return b.getSheet(0)->writeStr(0, 0, "new") && b.getSheet(0)->writeNum(1, 7, 7); },
         R"({"cells": {"Report!A1": ["s", "new"], "Report!H2": ["n", 7]},
             "fonts": {"Report!A1": "bold"}, "fills": {"Report!H2": "FFFF0000"}})"},
    };
    return all;
}


using Entries = std::vector<std::pair<std::string, QByteArray>>;

bool writeZip(const QString& path, const Entries& entries)
{
    int err = 0;
    zip_t* z = zip_open(QFile::encodeName(path).constData(), ZIP_CREATE | ZIP_TRUNCATE, &err);
    if (!z)
        return false;
    for (const auto& [name, data] : entries) {
        zip_source_t* src = zip_source_buffer(z, data.constData(), zip_uint64_t(data.size()), 0);
        if (!src || zip_file_add(z, name.c_str(), src, ZIP_FL_ENC_UTF_8) < 0) {
            zip_discard(z);
            return false;
        }
    }
    return zip_close(z) == 0;
}

struct RawEntry
{
    QByteArray compressed;
    quint32 crc = 0;
    int method = 0;
};

// Every entry's stored (compressed) bytes, as found in the file.
std::map<std::string, RawEntry> rawEntries(const QString& path)
{
    std::map<std::string, RawEntry> out;
    int err = 0;
    zip_t* z = zip_open(QFile::encodeName(path).constData(), ZIP_RDONLY, &err);
    if (!z)
        return out;
    for (zip_int64_t i = 0; i < zip_get_num_entries(z, 0); ++i) {
        zip_stat_t st;
        zip_stat_index(z, zip_uint64_t(i), 0, &st);
        RawEntry e;
        e.crc = st.crc;
        e.method = st.comp_method;
        zip_file_t* f = zip_fopen_index(z, zip_uint64_t(i), ZIP_FL_COMPRESSED);
        e.compressed.resize(qsizetype(st.comp_size));
        if (f) {
            zip_fread(f, e.compressed.data(), st.comp_size);
            zip_fclose(f);
        }
        out[st.name] = e;
    }
    zip_discard(z);
    return out;
}

const char* kTypes =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>"
    "<Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\">"
    "<Default Extension=\"rels\" ContentType=\"application/vnd.openxmlformats-package.relationships+xml\"/>"
    "<Default Extension=\"xml\" ContentType=\"application/xml\"/>"
    "<Override PartName=\"/xl/workbook.xml\" "
    "ContentType=\"application/vnd.openxmlformats-officedocument.spreadsheetml.sheet.main+xml\"/>"
    "<Override PartName=\"/xl/worksheets/sheet1.xml\" "
    "ContentType=\"application/vnd.openxmlformats-officedocument.spreadsheetml.worksheet+xml\"/>"
    "</Types>";
const char* kRootRels =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>"
    "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
    "<Relationship Id=\"rId1\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/"
    "officeDocument\" Target=\"xl/workbook.xml\"/></Relationships>";
const char* kWorkbook =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>"
    "<workbook xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\" "
    "xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\">"
    "<sheets><sheet name=\"S\" sheetId=\"1\" r:id=\"rId1\"/></sheets></workbook>";
const char* kWorkbookRels =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>"
    "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
    "<Relationship Id=\"rId1\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/"
    "worksheet\" Target=\"worksheets/sheet1.xml\"/>"
    "<Relationship Id=\"rId2\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/"
    "sharedStrings\" Target=\"sharedStrings.xml\"/></Relationships>";

QByteArray sheetXml(const QByteArray& sheetData, const QByteArray& dimension = "A1")
{
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>"
           "<worksheet xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\">"
           "<dimension ref=\"" + dimension + "\"/><sheetData>" + sheetData + "</sheetData></worksheet>";
}

// A minimal workbook whose one sheet holds `sheet`, with a shared-string table when given.
Entries minimalBook(const QByteArray& sheet, const QByteArray& sst = QByteArray())
{
    Entries e = {{"[Content_Types].xml", kTypes},
                 {"_rels/.rels", kRootRels},
                 {"xl/workbook.xml", kWorkbook},
                 {"xl/_rels/workbook.xml.rels", kWorkbookRels},
                 {"xl/worksheets/sheet1.xml", sheet}};
    if (!sst.isNull())
        e.push_back({"xl/sharedStrings.xml", sst});
    return e;
}

Entries without(Entries e, const std::string& name)
{
    e.erase(std::remove_if(e.begin(), e.end(), [&](const auto& p) { return p.first == name; }), e.end());
    return e;
}

Entries replaced(Entries e, const std::string& name, const QByteArray& data)
{
    for (auto& p : e)
        if (p.first == name)
            p.second = data;
    return e;
}

QByteArray readAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}


QByteArray entryText(const QString& path, const char* name)
{
    int err = 0;
    QByteArray out;
    zip_t* z = zip_open(QFile::encodeName(path).constData(), ZIP_RDONLY, &err);
    if (!z)
        return out;
    zip_stat_t st;
    if (zip_stat(z, name, 0, &st) == 0) {
        zip_file_t* f = zip_fopen(z, name, 0);
        out.resize(qsizetype(st.size));
        if (f) {
            zip_fread(f, out.data(), st.size);
            zip_fclose(f);
        }
    }
    zip_discard(z);
    return out;
}

}  // namespace

void TestXlsxBook::initTestCase()
{
    QVERIFY(m_dir.isValid());
    const PythonResult r = RunPython(QStringLiteral("import openpyxl, PIL; print(openpyxl.__version__)"));
    m_openpyxl = r.exitCode == 0;
    if (!m_openpyxl)
        qWarning().noquote() << "python3-openpyxl or python3-pil missing:" << r.err;
}

void TestXlsxBook::openpyxlReadsWhatWeWrite_data()
{
    QTest::addColumn<int>("index");
    for (size_t i = 0; i < cases().size(); ++i)
        QTest::newRow(cases()[i].name) << int(i);
}

void TestXlsxBook::openpyxlReadsWhatWeWrite()
{
    QVERIFY2(m_openpyxl, "python3-openpyxl is required");
    QFETCH(int, index);
    const Case& c = cases()[size_t(index)];
    const QString src = m_dir.filePath(QStringLiteral("src%1.xlsx").arg(index));
    const QString out = m_dir.filePath(QStringLiteral("out%1.xlsx").arg(index));
    Book book;
    if (c.setupPython) {
        const PythonResult r = RunPython(QString::fromUtf8(c.setupPython), {src});
        QVERIFY2(r.exitCode == 0, qPrintable(r.err));
        QVERIFY2(book.load(src), qPrintable(book.errorMessage()));
    }
    QVERIFY(c.edit(book));
    QVERIFY2(book.save(out), qPrintable(book.errorMessage()));
    const QJsonObject dump = dumpWithOpenpyxl(out);
    QVERIFY(!dump.isEmpty());
    QJsonParseError err;
    const QJsonObject expected = QJsonDocument::fromJson(QByteArray(c.expected), &err).object();
    QVERIFY2(err.error == QJsonParseError::NoError, qPrintable(err.errorString()));
    QString why;
    QVERIFY2(matches(dump, expected, &why), qPrintable(why));
}

void TestXlsxBook::roundTripThroughOurReader()
{
    // Numbers are written and read the same under a comma-decimal locale.
    const CommaDecimalLocale comma;
    const QString path = m_dir.filePath(QStringLiteral("roundtrip.xlsx"));
    {
        Book b;
        Sheet* s = b.addSheet(QStringLiteral("시트"));
        QVERIFY(s);
        QVERIFY(s->writeStr(0, 0, QString()));
        QVERIFY(s->writeStr(0, 1, QStringLiteral(" ")));
        QVERIFY(s->writeStr(0, 2, QStringLiteral("_x0041_ and \x01 control")));
        QVERIFY(s->writeNum(1, 0, 0.1));
        QVERIFY(s->writeNum(1, 1, 123456789.125));
        QVERIFY(s->writeStr(999, 111, QStringLiteral("far")));
        QVERIFY(b.save(path));
    }
    Book b;
    QVERIFY(b.load(path));
    QCOMPARE(b.lastLoadResult(), Book::LoadResult::Ok);
    Sheet* s = b.getSheet(0);
    QVERIFY(s);
    QCOMPARE(s->name(), QStringLiteral("시트"));
    QCOMPARE(s->readStr(0, 0), std::optional<QString>(QString()));
    QCOMPARE(s->readStr(0, 1), std::optional<QString>(QStringLiteral(" ")));
    QCOMPARE(s->readStr(0, 2), std::optional<QString>(QStringLiteral("_x0041_ and \x01 control")));
    QCOMPARE(s->readStr(0, 3), std::optional<QString>());
    QCOMPARE(s->readStr(1, 0), std::optional<QString>());  // a number is not text
    QCOMPARE(s->readNum(1, 0), 0.1);
    QCOMPARE(s->readNum(1, 1), 123456789.125);
    QCOMPARE(s->readNum(0, 1), 0.0);  // text reads as 0
    QCOMPARE(s->readNum(5, 5), 0.0);
    QCOMPARE(s->readStr(999, 111), std::optional<QString>(QStringLiteral("far")));
    QCOMPARE(s->readStr(-1, 0), std::optional<QString>());
    QVERIFY(!s->writeStr(1048576, 0, QStringLiteral("x")));
    QVERIFY(!s->writeStr(0, 16384, QStringLiteral("x")));
    QVERIFY(!s->writeNum(0, 0, std::nan("")));
}

void TestXlsxBook::sheetNameRules()
{
    struct NameCase
    {
        QString name;
        bool valid;
    };
    const NameCase names[] = {
        {QString(), false},
        {QStringLiteral("a"), true},
        {QString(31, QLatin1Char('x')), true},
        {QString(32, QLatin1Char('x')), false},
        {QStringLiteral("a:b"), false},
        {QStringLiteral("a\\b"), false},
        {QStringLiteral("a/b"), false},
        {QStringLiteral("a?b"), false},
        {QStringLiteral("a*b"), false},
        {QStringLiteral("a[b"), false},
        {QStringLiteral("a]b"), false},
        {QStringLiteral("'ab"), false},
        {QStringLiteral("ab'"), false},
        {QStringLiteral("a'b"), true},
        {QStringLiteral("동력 부하"), true},
    };
    for (const NameCase& n : names)
        QVERIFY2(IsValidSheetName(n.name) == n.valid, qPrintable(n.name));

    Book b;
    QVERIFY(b.addSheet(QStringLiteral("Motor")));
    QVERIFY(!b.addSheet(QStringLiteral("MOTOR")));
    QVERIFY(!b.insertSheet(0, QStringLiteral("motor")));
    QVERIFY(!b.insertSheet(2, QStringLiteral("Beyond")));  // index past the end
    QVERIFY(!b.addSheet(QStringLiteral("bad/name")));
    QCOMPARE(b.sheetCount(), 1);
    QVERIFY(b.addSheet(QStringLiteral("Ärger")));
    QVERIFY(!b.addSheet(QStringLiteral("ärger")));
    QVERIFY(b.hasSheetName(QStringLiteral("motor")));
    QVERIFY(!b.hasSheetName(QStringLiteral("motor"), b.getSheet(0)));
    QVERIFY(!b.getSheet(1)->setName(QStringLiteral("MoToR")));
    QCOMPARE(b.getSheet(1)->name(), QStringLiteral("Ärger"));
    QVERIFY(b.getSheet(0)->setName(QStringLiteral("MOTOR")));  // its own name in another case
    QCOMPARE(b.getSheet(0)->name(), QStringLiteral("MOTOR"));
    QVERIFY(!b.moveSheet(0, 2));
    QVERIFY(!b.delSheet(2));
    QVERIFY(b.getSheet(2) == nullptr);
}

void TestXlsxBook::untouchedPartsSurvive()
{
    QVERIFY2(m_openpyxl, "python3-openpyxl is required");
    const QString src = m_dir.filePath(QStringLiteral("styled.xlsx"));
    const QString out = m_dir.filePath(QStringLiteral("styled-out.xlsx"));
    const PythonResult r = RunPython(QString::fromUtf8(kStyledSetup), {src});
    QVERIFY2(r.exitCode == 0, qPrintable(r.err));
    Book b;
    QVERIFY(b.load(src));
    Sheet* s = b.getSheet(0);
    QVERIFY(s->writeStr(0, 0, QStringLiteral("제목")));  // bold, merged anchor
    QVERIFY(s->writeStr(1, 7, QStringLiteral("red")));   // filled
    QVERIFY(s->writeStr(9, 0, QStringLiteral("new row")));
    QVERIFY(b.save(out));

    QString why;
    QVERIFY2(matches(dumpWithOpenpyxl(out), QJsonDocument::fromJson(R"({
        "sheets": ["Report", "Other"],
        "cells": {"Report!A1": ["s", "제목"], "Report!H2": ["s", "red"], "Report!A10": ["s", "new row"],
                  "Report!C2": ["s", "C2"], "Other!A1": ["s", "untouched"]},
        "fonts": {"Report!A1": "bold"}, "fills": {"Report!H2": "FFFF0000"},
        "merges": {"Report": ["A1:B1", "B5:H5", "C2:E2", "F3:G4"], "Other": []},
        "widths": {"Report": {"A": 11, "D": 14, "G": 17}, "Other": {}},
        "print_area": {"Report": ["$A$1:$H$5"]}})").object(), &why),
             qPrintable(why));

    // Only the edited sheet was rewritten; every other entry is the same stored bytes.
    const auto before = rawEntries(src);
    const auto after = rawEntries(out);
    QVERIFY(before.size() >= 8);
    QCOMPARE(after.size(), before.size());
    for (const auto& [name, e] : before) {
        QVERIFY2(after.count(name), name.c_str());
        const RawEntry& a = after.at(name);
        if (name == "xl/worksheets/sheet1.xml") {
            QVERIFY(a.crc != e.crc);
            continue;
        }
        QVERIFY2(a.crc == e.crc && a.method == e.method && a.compressed == e.compressed, name.c_str());
    }
}

void TestXlsxBook::unchangedBookSavesIdentically()
{
    const QString src = m_dir.filePath(QStringLiteral("same.xlsx"));
    const QString out = m_dir.filePath(QStringLiteral("same-out.xlsx"));
    QVERIFY(writeZip(src, minimalBook(sheetXml("<row r=\"1\"><c r=\"A1\" t=\"inlineStr\"><is><t>a</t></is></c></row>"))));
    Book b;
    QVERIFY(b.load(src));
    QCOMPARE(b.getSheet(0)->readStr(0, 0), std::optional<QString>(QStringLiteral("a")));
    QVERIFY(b.save(out));
    QCOMPARE(readAll(out), readAll(src));
}

void TestXlsxBook::zeroSheetBook()
{
    // A store deletes its last item and saves: the book has no sheet left.
    const QString path = m_dir.filePath(QStringLiteral("zero.xlsx"));
    {
        Book b;
        QVERIFY(b.addSheet(QStringLiteral("only")));
        QVERIFY(b.getSheet(0)->writeStr(0, 0, QStringLiteral("x")));
        QVERIFY(b.save(path));
    }
    {
        Book b;
        QVERIFY(b.load(path));
        QVERIFY(b.delSheet(0));
        QCOMPARE(b.sheetCount(), 0);
        QVERIFY(b.save(path));
    }
    Book b;
    QVERIFY2(b.load(path), qPrintable(b.errorMessage()));
    QCOMPARE(b.sheetCount(), 0);
    QVERIFY(b.addSheet(QStringLiteral("again")));
    // The deleted sheet's part went with it: the new one can take its place.
    QVERIFY(b.save(path));
    QVERIFY(b.load(path));
    QCOMPARE(b.sheetCount(), 1);
    QCOMPARE(b.getSheet(0)->readStr(0, 0), std::optional<QString>());
    if (m_openpyxl) {
        Book empty;
        const QString emptyPath = m_dir.filePath(QStringLiteral("zero2.xlsx"));
        QVERIFY(empty.save(emptyPath));
        // openpyxl reads a book without sheets as an empty list of sheet names.
        QCOMPARE(dumpWithOpenpyxl(emptyPath).value(QStringLiteral("sheets")).toArray().size(), 0);
    }
}

void TestXlsxBook::corruptInputsFailCleanly_data()
{
    QTest::addColumn<QByteArray>("file");
    const QByteArray good = sheetXml("<row r=\"1\"><c r=\"A1\" t=\"s\"><v>0</v></c></row>");
    const QByteArray sst = "<sst xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\"><si><t>a</t></si></sst>";
    auto zipped = [this](const char* name, const Entries& e) {
        const QString p = m_dir.filePath(QStringLiteral("c-%1.zip").arg(QLatin1String(name)));
        if (!writeZip(p, e))
            qFatal("cannot build the fixture");
        return readAll(p);
    };
    const QByteArray valid = zipped("valid", minimalBook(good, sst));
    QTest::newRow("empty file") << QByteArray();
    QTest::newRow("not a zip") << QByteArray("PK but really just text, not a zip file at all");
    QTest::newRow("truncated zip") << valid.left(valid.size() / 2);
    QTest::newRow("zip cut before its directory") << valid.left(valid.size() - 30);
    {
        // A sheet large enough to be deflated, damaged in its zip entry: the checks of the
        // inflated part (its CRC, its declared size, the deflate stream itself) refuse it.
        QByteArray rows;
        for (int r = 1; r <= 300; ++r)
            rows += "<row r=\"" + QByteArray::number(r) + "\"><c r=\"A" + QByteArray::number(r) +
                    "\" t=\"inlineStr\"><is><t>text " + QByteArray::number(r * 7) + "</t></is></c></row>";
        const QByteArray big = zipped("big", minimalBook(sheetXml(rows), sst));
        auto get16 = [](const QByteArray& z, qsizetype at) { return quint32(quint8(z[at])) | quint32(quint8(z[at + 1])) << 8; };
        auto get32 = [&](const QByteArray& z, qsizetype at) { return get16(z, at) | get16(z, at + 2) << 16; };
        auto put32 = [](QByteArray& z, qsizetype at, quint32 v) {
            for (int k = 0; k < 4; ++k)
                z[at + k] = char(v >> (8 * k));
        };
        // The sheet's central directory record.
        qsizetype cd = -1;
        for (qsizetype i = big.indexOf("PK\x01\x02"); i >= 0 && cd < 0; i = big.indexOf("PK\x01\x02", i + 4))
            if (big.mid(i + 46, get16(big, i + 28)) == "xl/worksheets/sheet1.xml")
                cd = i;
        if (cd < 0 || get16(big, cd + 10) != 8)
            qFatal("the fixture's sheet is not deflated");
        QByteArray badCrc = big;
        put32(badCrc, cd + 16, get32(big, cd + 16) ^ 0x5a5a5a5au);
        QByteArray shorter = big;
        put32(shorter, cd + 24, get32(big, cd + 24) / 2);
        QByteArray longer = big;
        put32(longer, cd + 24, get32(big, cd + 24) * 2);
        QByteArray badData = big;
        const qsizetype local = qsizetype(get32(big, cd + 42));
        const qsizetype data = local + 30 + get16(big, local + 26) + get16(big, local + 28);
        for (qsizetype k = 0; k < 8; ++k)
            badData[data + qsizetype(get32(big, cd + 20)) / 2 + k] = char(~badData[data + qsizetype(get32(big, cd + 20)) / 2 + k]);
        QTest::newRow("sheet whose CRC does not match") << badCrc;
        QTest::newRow("sheet larger than it declares") << shorter;
        QTest::newRow("sheet smaller than it declares") << longer;
        QTest::newRow("sheet with damaged deflate data") << badData;
    }
    QTest::newRow("no content types") << zipped("noct", without(minimalBook(good, sst), "[Content_Types].xml"));
    QTest::newRow("no package rels") << zipped("norels", without(minimalBook(good, sst), "_rels/.rels"));
    QTest::newRow("no workbook") << zipped("nowb", without(minimalBook(good, sst), "xl/workbook.xml"));
    QTest::newRow("no sheet part") << zipped("nosheet", without(minimalBook(good, sst), "xl/worksheets/sheet1.xml"));
    QTest::newRow("bad workbook XML")
        << zipped("badwb", replaced(minimalBook(good, sst), "xl/workbook.xml", "<workbook><sheets>"));
    QTest::newRow("bad sheet XML")
        << zipped("badsheet", replaced(minimalBook(good, sst), "xl/worksheets/sheet1.xml", good.left(good.size() - 9)));
    QTest::newRow("bad shared strings XML") << zipped("badsst", minimalBook(good, "<sst><si><t>a</si></sst>"));
    QTest::newRow("cell far below the last row")
        << zipped("farrow", minimalBook(sheetXml("<row r=\"1\"><c r=\"XFD99999999\"><v>1</v></c></row>")));
    QTest::newRow("column beyond XFD")
        << zipped("farcol", minimalBook(sheetXml("<row r=\"1\"><c r=\"XFE1\"><v>1</v></c></row>")));
    QTest::newRow("row number beyond the sheet")
        << zipped("hugerow", minimalBook(sheetXml("<row r=\"1048577\"><c><v>1</v></c></row>")));
    QTest::newRow("row number that overflows")
        << zipped("ovrow", minimalBook(sheetXml("<row r=\"99999999999999999999\"/>")));
    QTest::newRow("cell in the wrong row")
        << zipped("wrongrow", minimalBook(sheetXml("<row r=\"2\"><c r=\"A3\"><v>1</v></c></row>")));
    QTest::newRow("main part is not a workbook")
        << zipped("notwb", replaced(minimalBook(good, sst), "xl/workbook.xml", sst));
    // Two sheet entries on one part: deleting one and writing the other used freed memory.
    const QByteArray twoSheets = QByteArray(kWorkbook).replace(
        "</sheets>", "<sheet name=\"T\" sheetId=\"2\" r:id=\"rId1\"/></sheets>");
    QTest::newRow("two sheets on one part")
        << zipped("shared", replaced(minimalBook(good, sst), "xl/workbook.xml", twoSheets));
    // Sheet entries whose target is not a worksheet: deleting them took the workbook (or the
    // string table) with them.
    const QByteArray wbRelsToSelf = QByteArray(kWorkbookRels).replace(
        "</Relationships>",
        "<Relationship Id=\"rId3\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/"
        "worksheet\" Target=\"workbook.xml\"/></Relationships>");
    QTest::newRow("sheet that is the workbook")
        << zipped("selfsheet", replaced(replaced(minimalBook(good, sst), "xl/workbook.xml",
                                                 QByteArray(twoSheets).replace("rId1\"/></sheets>", "rId3\"/></sheets>")),
                                        "xl/_rels/workbook.xml.rels", wbRelsToSelf));
    QTest::newRow("sheet that is the string table")
        << zipped("sstsheet", replaced(minimalBook(good, sst), "xl/workbook.xml",
                                       QByteArray(twoSheets).replace("rId1\"/></sheets>", "rId2\"/></sheets>")));
}

void TestXlsxBook::corruptInputsFailCleanly()
{
    QFETCH(QByteArray, file);
    const QString path = m_dir.filePath(QStringLiteral("corrupt.xlsx"));
    {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(file);
    }
    Book b;
    QVERIFY(!b.load(path));
    QCOMPARE(b.lastLoadResult(), Book::LoadResult::Corrupt);
    QVERIFY(!b.errorMessage().isEmpty());
    QCOMPARE(b.sheetCount(), 0);
    // Nothing in the layer writes over the damaged file.
    QVERIFY(!b.save(path));
    QCOMPARE(readAll(path), file);
    // The book is usable afterwards.
    QVERIFY(b.addSheet(QStringLiteral("fresh")));
    QVERIFY(b.save(m_dir.filePath(QStringLiteral("after-corrupt.xlsx"))));
}

void TestXlsxBook::duplicatePartNames_data()
{
    // The package's entries plus one more: its name, the part whose content it holds (a stray
    // copy), and whether the package is refused. A refused package is damaged: a save would
    // have written the rewritten part behind the stale copy that every reader takes first.
    QTest::addColumn<QByteArray>("name");
    QTest::addColumn<QByteArray>("copyOf");
    QTest::addColumn<bool>("refused");
    QTest::newRow("content types twice") << QByteArray("[Content_Types].xml") << QByteArray("[Content_Types].xml")
                                         << true;
    QTest::newRow("workbook twice") << QByteArray("xl/workbook.xml") << QByteArray("xl/workbook.xml") << true;
    QTest::newRow("workbook relationships twice")
        << QByteArray("xl/_rels/workbook.xml.rels") << QByteArray("xl/_rels/workbook.xml.rels") << true;
    QTest::newRow("sheet twice") << QByteArray("xl/worksheets/sheet1.xml") << QByteArray("xl/worksheets/sheet1.xml")
                                 << true;
    // Part names are equal ignoring ASCII case: a lookup that is not exact takes either.
    QTest::newRow("workbook in other case") << QByteArray("XL/Workbook.xml") << QByteArray("xl/workbook.xml") << true;
    QTest::newRow("content types in other case")
        << QByteArray("[content_types].xml") << QByteArray("[Content_Types].xml") << true;
    // One name in two encodings (UTF-8 and, unflagged, code page 437): libzip takes them as one.
    QTest::newRow("a name in two encodings") << QByteArray("xl/\x80.xml") << QByteArray() << true;
    // Names that are no part name at all: never read, kept as they are, and no save is harmed.
    QTest::newRow("dot-slash name") << QByteArray("./xl/workbook.xml") << QByteArray() << false;
    QTest::newRow("backslash name") << QByteArray("xl\\workbook.xml") << QByteArray() << false;
    QTest::newRow("rooted name") << QByteArray("/xl/workbook.xml") << QByteArray() << false;
    QTest::newRow("doubled slash") << QByteArray("xl//worksheets/sheet1.xml") << QByteArray() << false;
}

void TestXlsxBook::duplicatePartNames()
{
    QFETCH(QByteArray, name);
    QFETCH(QByteArray, copyOf);
    QFETCH(bool, refused);
    const QByteArray sheet = sheetXml("<row r=\"1\"><c r=\"A1\" t=\"inlineStr\"><is><t>a</t></is></c></row>");
    Entries entries = minimalBook(sheet);
    QByteArray content = "<stale/>";
    for (const auto& [n, data] : entries)
        if (n == copyOf.toStdString())
            content = data;
    if (name.contains('\x80'))  // the same name again, UTF-8 and flagged as such
        entries.push_back({"xl/\xc3\x87.xml", "<one/>"});
    // libzip will not write a name twice: write a stand-in of the same length, then put the
    // real name in its place in the local header and the central directory.
    QByteArray standIn = name;
    standIn[0] = '#';
    for (qsizetype i = 1; i < standIn.size(); ++i)
        if (uchar(standIn[i]) >= 0x80)
            standIn[i] = '#';
    entries.push_back({standIn.toStdString(), content});
    const QString path = m_dir.filePath(QStringLiteral("duplicate.xlsx"));
    QVERIFY(writeZip(path, entries));
    QByteArray bytes = readAll(path);
    QCOMPARE(bytes.count(standIn), 2);
    bytes.replace(standIn, name);
    QVERIFY(WriteFile(path, bytes));

    Book b;
    if (refused) {
        QVERIFY(!b.load(path));
        QCOMPARE(b.lastLoadResult(), Book::LoadResult::Corrupt);
        QVERIFY2(b.errorMessage().contains(QLatin1String("duplicate")), qPrintable(b.errorMessage()));
        QCOMPARE(b.sheetCount(), 0);
        QVERIFY(b.addSheet(QStringLiteral("S")));
        QVERIFY(!b.save(path));
        QCOMPARE(readAll(path), bytes);
        return;
    }
    // Every part the save rewrites (content types, workbook, its relationships, the sheet) is
    // rewritten, and the saved file reads back with the edits.
    QVERIFY2(b.load(path), qPrintable(b.errorMessage()));
    QVERIFY(b.getSheet(0)->writeStr(1, 1, QStringLiteral("edit")));
    QVERIFY(b.getSheet(0)->setName(QStringLiteral("T")));
    QVERIFY(b.addSheet(QStringLiteral("N")));
    const QString out = m_dir.filePath(QStringLiteral("duplicate-out.xlsx"));
    QVERIFY(b.save(out));
    Book again;
    QVERIFY2(again.load(out), qPrintable(again.errorMessage()));
    QCOMPARE(again.sheetCount(), 2);
    QCOMPARE(again.getSheet(0)->name(), QStringLiteral("T"));
    QCOMPARE(again.getSheet(0)->readStr(0, 0), std::optional<QString>(QStringLiteral("a")));
    QCOMPARE(again.getSheet(0)->readStr(1, 1), std::optional<QString>(QStringLiteral("edit")));
    QCOMPARE(entryText(out, name.constData()), content);
}

void TestXlsxBook::readTextOfEveryCellKind_data()
{
    // The cell as a spreadsheet program saves it, and the text a store reads from it.
    QTest::addColumn<QByteArray>("cell");
    QTest::addColumn<std::optional<QString>>("text");
    auto row = [](const char* name, const char* cell, std::optional<QString> text) {
        QTest::newRow(name) << QByteArray(cell) << text;
    };
    row("no cell", "", std::nullopt);
    row("a style and no value", "<c r=\"A1\" s=\"1\"/>", std::nullopt);
    row("inline string", "<c r=\"A1\" t=\"inlineStr\"><is><t>MCC-1</t></is></c>", QStringLiteral("MCC-1"));
    row("inline rich text", "<c r=\"A1\" t=\"inlineStr\"><is><r><t>M-</t></r><r><t>101</t></r></is></c>",
        QStringLiteral("M-101"));
    row("empty inline string", "<c r=\"A1\" t=\"inlineStr\"><is><t/></is></c>", QString());
    row("shared string", "<c r=\"A1\" t=\"s\"><v>0</v></c>", QStringLiteral("plain"));
    row("shared rich text", "<c r=\"A1\" t=\"s\"><v>1</v></c>", QStringLiteral("rich text"));
    row("empty shared string", "<c r=\"A1\" t=\"s\"><v>2</v></c>", QString());
    row("shared index past the table", "<c r=\"A1\" t=\"s\"><v>9</v></c>", std::nullopt);
    // Numbers: the shortest text that reads back as the same double.
    row("integer", "<c r=\"A1\"><v>1</v></c>", QStringLiteral("1"));
    row("integer with a point", "<c r=\"A1\" t=\"n\"><v>12.0</v></c>", QStringLiteral("12"));
    row("one tenth", "<c r=\"A1\"><v>0.1</v></c>", QStringLiteral("0.1"));
    row("negative", "<c r=\"A1\"><v>-0.38</v></c>", QStringLiteral("-0.38"));
    row("seventeen digits", "<c r=\"A1\"><v>0.30000000000000004</v></c>", QStringLiteral("0.30000000000000004"));
    row("more digits than a double holds", "<c r=\"A1\"><v>2.50000000000000001</v></c>", QStringLiteral("2.5"));
    row("exponent written", "<c r=\"A1\"><v>1.5E-3</v></c>", QStringLiteral("0.0015"));
    row("large", "<c r=\"A1\"><v>123456789012</v></c>", QStringLiteral("123456789012"));
    row("tiny", "<c r=\"A1\"><v>1E-8</v></c>", QStringLiteral("1e-08"));
    row("huge", "<c r=\"A1\"><v>1E+21</v></c>", QStringLiteral("1e+21"));
    row("negative zero", "<c r=\"A1\"><v>-0</v></c>", QStringLiteral("0"));
    row("blanks around", "<c r=\"A1\"><v> 7 </v></c>", QStringLiteral("7"));
    row("not a number", "<c r=\"A1\"><v>12,5</v></c>", QStringLiteral("12,5"));
    row("number cell without digits", "<c r=\"A1\"><v></v></c>", QString());
    row("true", "<c r=\"A1\" t=\"b\"><v>1</v></c>", QStringLiteral("TRUE"));
    row("false", "<c r=\"A1\" t=\"b\"><v>0</v></c>", QStringLiteral("FALSE"));
    row("error", "<c r=\"A1\" t=\"e\"><v>#N/A</v></c>", QStringLiteral("#N/A"));
    row("date", "<c r=\"A1\" t=\"d\"><v>2024-01-31</v></c>", QStringLiteral("2024-01-31"));
    // Formulas: the cached value, as the kinds above.
    row("formula giving text", "<c r=\"A1\" t=\"str\"><f>B1&amp;\"-1\"</f><v>MCC-1</v></c>", QStringLiteral("MCC-1"));
    row("formula giving a number", "<c r=\"A1\"><f>ROW()</f><v>3</v></c>", QStringLiteral("3"));
    row("formula giving a fraction", "<c r=\"A1\"><f>1/8</f><v>0.125</v></c>", QStringLiteral("0.125"));
    row("formula giving a boolean", "<c r=\"A1\" t=\"b\"><f>B1&gt;0</f><v>0</v></c>", QStringLiteral("FALSE"));
    row("formula giving an error", "<c r=\"A1\" t=\"e\"><f>1/0</f><v>#DIV/0!</v></c>", QStringLiteral("#DIV/0!"));
    row("formula never calculated", "<c r=\"A1\"><f>1+1</f></c>", QString());
    row("text formula never calculated", "<c r=\"A1\" t=\"str\"><f>B1</f></c>", QString());
}

void TestXlsxBook::readTextOfEveryCellKind()
{
    QFETCH(QByteArray, cell);
    QFETCH(std::optional<QString>, text);
    // Numbers print the same under a comma-decimal locale.
    const CommaDecimalLocale comma;
    const QByteArray sst = "<sst xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\">"
                           "<si><t>plain</t></si>"
                           "<si><r><t>rich </t></r><r><rPr><b/></rPr><t>text</t></r><rPh><t>ignored</t></rPh></si>"
                           "<si><t/></si></sst>";
    const QString path = m_dir.filePath(QStringLiteral("cellkinds.xlsx"));
    QVERIFY(writeZip(path, minimalBook(sheetXml(cell.isEmpty() ? QByteArray() : "<row r=\"1\">" + cell + "</row>"), sst)));
    Book b;
    QVERIFY2(b.load(path), qPrintable(b.errorMessage()));
    const Sheet* s = b.getSheet(0);
    QCOMPARE(s->readText(0, 0), text);
    // A text cell reads as readStr reads it; the neighbours stay empty.
    const std::optional<QString> str = s->readStr(0, 0);
    if (str)
        QCOMPARE(s->readText(0, 0), str);
    QCOMPARE(s->readText(0, 1), std::optional<QString>());
    QCOMPARE(s->readText(1, 0), std::optional<QString>());
}

void TestXlsxBook::oddButReadableSheets()
{
    struct Odd
    {
        const char* name;
        QByteArray sheetData;
        QByteArray dimension;
        std::vector<std::tuple<int, int, std::optional<QString>, double>> expect;  // row, col, text, number
    };
    const QByteArray sst = "<sst xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\">"
                           "<si><t>plain</t></si>"
                           "<si><r><t>rich </t></r><r><rPr><b/></rPr><t>text</t></r><rPh><t>ignored</t></rPh></si>"
                           "<si><t/></si></sst>";
    const Odd odds[] = {
        {"rows and cells out of order, duplicated",
         "<row r=\"3\"><c r=\"B3\"><v>2</v></c><c r=\"A3\"><v>1</v></c><c r=\"A3\"><v>9</v></c></row>"
         "<row r=\"1\"><c r=\"A1\" t=\"s\"><v>0</v></c></row>"
         "<row r=\"3\"><c r=\"C3\"><v>3</v></c><c r=\"A3\"><v>8</v></c></row>",
         "A1",
         {{2, 0, std::nullopt, 1}, {2, 1, std::nullopt, 2}, {2, 2, std::nullopt, 3},
          {0, 0, QStringLiteral("plain"), 0}}},
        {"positions without r attributes",
         "<row><c t=\"s\"><v>1</v></c><c t=\"s\"><v>2</v></c></row><row><c/><c><v>5</v></c></row>",
         "A1",
         {{0, 0, QStringLiteral("rich text"), 0}, {0, 1, QString(), 0}, {1, 1, std::nullopt, 5},
          {1, 0, std::nullopt, 0}}},
        {"a dimension covering the whole sheet",
         "<row r=\"1048576\"><c r=\"XFD1048576\" t=\"str\"><f>\"x\"</f><v>x</v></c></row>",
         "A1:XFD1048576",
         {{1048575, 16383, QStringLiteral("x"), 0}, {0, 0, std::nullopt, 0}}},
        {"booleans, errors and bad indexes read as no text",
         "<row r=\"1\"><c r=\"A1\" t=\"b\"><v>1</v></c><c r=\"B1\" t=\"e\"><v>#N/A</v></c>"
         "<c r=\"C1\" t=\"s\"><v>77</v></c><c r=\"D1\" t=\"s\"><v>-1</v></c><c r=\"E1\"><v>abc</v></c>"
         "<c r=\"F1\" t=\"inlineStr\"/><c r=\"G1\"><v>1E+3</v></c></row>",
         "A1",
         {{0, 0, std::nullopt, 0}, {0, 1, std::nullopt, 0}, {0, 2, std::nullopt, 0}, {0, 3, std::nullopt, 0},
          {0, 4, std::nullopt, 0}, {0, 5, QString(), 0}, {0, 6, std::nullopt, 1000}}},
    };
    for (const Odd& o : odds) {
        const QString path = m_dir.filePath(QStringLiteral("odd.xlsx"));
        QVERIFY(writeZip(path, minimalBook(sheetXml(o.sheetData, o.dimension), sst)));
        for (int pass = 0; pass < 2; ++pass) {
            Book b;
            QVERIFY2(b.load(path), o.name);
            Sheet* s = b.getSheet(0);
            for (const auto& [row, col, text, num] : o.expect) {
                QVERIFY2(s->readStr(row, col) == text, qPrintable(QStringLiteral("%1 (%2,%3)").arg(QLatin1String(o.name)).arg(row).arg(col)));
                QVERIFY2(qFuzzyCompare(1 + s->readNum(row, col), 1 + num), o.name);
            }
            // Second pass: the same after an edit and a save.
            QVERIFY(s->writeStr(4, 4, QStringLiteral("edit")));
            QVERIFY(b.save(path));
        }
    }
}

void TestXlsxBook::missingFileAndFailedSave()
{
    Book b;
    QVERIFY(!b.load(m_dir.filePath(QStringLiteral("does-not-exist.xlsx"))));
    QCOMPARE(b.lastLoadResult(), Book::LoadResult::Missing);
    QCOMPARE(b.sheetCount(), 0);
    // A writer carries on with the empty book and creates the file.
    QVERIFY(b.addSheet(QStringLiteral("S")));
    QVERIFY(b.save(m_dir.filePath(QStringLiteral("does-not-exist.xlsx"))));
    QVERIFY(b.load(m_dir.filePath(QStringLiteral("does-not-exist.xlsx"))));
    QCOMPARE(b.lastLoadResult(), Book::LoadResult::Ok);

    // A folder that is not there: the save fails and says so.
    QVERIFY(!b.save(m_dir.filePath(QStringLiteral("no/such/folder/x.xlsx"))));
    QVERIFY(!b.errorMessage().isEmpty());
    // A folder that is a file.
    const QString blocker = m_dir.filePath(QStringLiteral("blocker"));
    {
        QFile f(blocker);
        QVERIFY(f.open(QIODevice::WriteOnly));
    }
    QVERIFY(!b.save(blocker + QStringLiteral("/x.xlsx")));
    // A folder as the file: it exists and cannot be loaded.
    QVERIFY(!b.load(m_dir.path()));
    QCOMPARE(b.lastLoadResult(), Book::LoadResult::Corrupt);
}

void TestXlsxBook::failedLoadNotOverwrittenThroughLinks()
{
    // The damaged file under three names: itself, a symbolic link and a hard link. Whichever
    // name the failed load used, a save under any of them is refused.
    const QString damaged = m_dir.filePath(QStringLiteral("linked-damaged.xlsx"));
    const QString sym = m_dir.filePath(QStringLiteral("linked-sym.xlsx"));
    const QString hard = m_dir.filePath(QStringLiteral("linked-hard.xlsx"));
    const QByteArray bytes = "PK damaged beyond repair";
    QVERIFY(WriteFile(damaged, bytes));
    QVERIFY(QFile::link(damaged, sym));
    QVERIFY(::link(QFile::encodeName(damaged).constData(), QFile::encodeName(hard).constData()) == 0);
    const QString names[] = {damaged, sym, hard};
    for (const QString& loaded : names) {
        for (const QString& saved : names) {
            Book b;
            QVERIFY(!b.load(loaded));
            QCOMPARE(b.lastLoadResult(), Book::LoadResult::Corrupt);
            QVERIFY(b.addSheet(QStringLiteral("S")));
            QVERIFY2(!b.save(saved), qPrintable(loaded + QStringLiteral(" -> ") + saved));
            QVERIFY(!b.errorMessage().isEmpty());
            for (const QString& n : names)
                QCOMPARE(ReadFile(n), bytes);
            QVERIFY(QFileInfo(sym).isSymLink());
            // Another file is written as usual.
            QVERIFY(b.save(m_dir.filePath(QStringLiteral("linked-other.xlsx"))));
        }
    }
}

void TestXlsxBook::loadLimits()
{
    // Empty cells compress about a thousand to one: a small file would build millions of cells.
    // Rows of 16384 "<c/>" (the widest a row can be, positions implied).
    auto emptyCells = [](int rows) {
        QByteArray row = "<row>";
        for (int c = 0; c < 16384; ++c)
            row += "<c/>";
        row += "</row>";
        return sheetXml(row.repeated(rows));
    };
    struct LimitCase
    {
        const char* name;
        QByteArray sheet;
        bool loads;
    };
    QByteArray realistic;  // 300 rows x 1000 number cells: a large sheet of the program's own
    for (int r = 1; r <= 300; ++r) {
        realistic += "<row r=\"" + QByteArray::number(r) + "\">";
        for (int c = 1; c <= 1000; ++c)
            realistic += "<c><v>" + QByteArray::number(c) + "</v></c>";
        realistic += "</row>";
    }
    const LimitCase limitCases[] = {
        {"300,000 cells load", sheetXml(realistic), true},
        {"3.3 million empty cells", emptyCells(200), false},   // within the element budget
        {"11.5 million empty cells", emptyCells(700), false},  // refused before parsing
    };
    const QString path = m_dir.filePath(QStringLiteral("bomb.xlsx"));
    for (const LimitCase& lc : limitCases) {
        QVERIFY(writeZip(path, minimalBook(lc.sheet)));
        QVERIFY2(QFileInfo(path).size() < 4 * 1024 * 1024, lc.name);
        Book b;
        QCOMPARE(b.load(path), lc.loads);
        if (lc.loads) {
            QCOMPARE(b.getSheet(0)->readNum(299, 999), 1000.0);
            continue;
        }
        QCOMPARE(b.lastLoadResult(), Book::LoadResult::Corrupt);
        QVERIFY2(b.errorMessage().contains(QLatin1String("too many")), qPrintable(b.errorMessage()));
        QCOMPARE(b.sheetCount(), 0);
    }
}

void TestXlsxBook::packageStaysConsistent()
{
    const QByteArray rel = "http://schemas.openxmlformats.org/officeDocument/2006/relationships/";
    const QByteArray ct = "application/vnd.openxmlformats-officedocument.";
    auto sheetEntry = [&](int i) {
        return std::pair<std::string, QByteArray>(
            "xl/worksheets/sheet" + std::to_string(i) + ".xml",
            "<worksheet xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\" "
            "xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\">"
            "<sheetPr/><dimension ref=\"A1\"/><sheetViews><sheetView workbookViewId=\"0\"/></sheetViews>"
            "<sheetData/><pageMargins left=\"0.7\" right=\"0.7\" top=\"0.75\" bottom=\"0.75\" header=\"0.3\" "
            "footer=\"0.3\"/><pageSetup orientation=\"landscape\"/><headerFooter/>" +
                QByteArray(i == 2 ? "<drawing r:id=\"rId1\"/>" : "") + "</worksheet>");
    };
    Entries e = {
        {"[Content_Types].xml",
         "<Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\">"
         "<Default Extension=\"rels\" ContentType=\"application/vnd.openxmlformats-package.relationships+xml\"/>"
         "<Default Extension=\"xml\" ContentType=\"application/xml\"/>"
         "<Default Extension=\"png\" ContentType=\"image/png\"/>"
         "<Override PartName=\"/xl/workbook.xml\" ContentType=\"" + ct + "spreadsheetml.sheet.main+xml\"/>"
         "<Override PartName=\"/xl/worksheets/sheet1.xml\" ContentType=\"" + ct + "spreadsheetml.worksheet+xml\"/>"
         "<Override PartName=\"/xl/worksheets/sheet2.xml\" ContentType=\"" + ct + "spreadsheetml.worksheet+xml\"/>"
         "<Override PartName=\"/xl/worksheets/sheet3.xml\" ContentType=\"" + ct + "spreadsheetml.worksheet+xml\"/>"
         "<Override PartName=\"/xl/drawings/drawing1.xml\" ContentType=\"" + ct + "drawing+xml\"/>"
         "<Override PartName=\"/xl/calcChain.xml\" ContentType=\"" + ct + "spreadsheetml.calcChain+xml\"/>"
         "<Override PartName=\"/docProps/app.xml\" ContentType=\"" + ct + "extended-properties+xml\"/>"
         "</Types>"},
        {"_rels/.rels",
         "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
         "<Relationship Id=\"rId1\" Type=\"" + rel + "officeDocument\" Target=\"xl/workbook.xml\"/>"
         "<Relationship Id=\"rId2\" Type=\"" + rel + "extended-properties\" Target=\"docProps/app.xml\"/>"
         "</Relationships>"},
        {"docProps/app.xml",
         "<Properties xmlns=\"http://schemas.openxmlformats.org/officeDocument/2006/extended-properties\" "
         "xmlns:vt=\"http://schemas.openxmlformats.org/officeDocument/2006/docPropsVTypes\">"
         "<Application>Microsoft Excel</Application><HeadingPairs><vt:vector size=\"2\" baseType=\"variant\">"
         "<vt:variant><vt:lpstr>Worksheets</vt:lpstr></vt:variant><vt:variant><vt:i4>3</vt:i4></vt:variant>"
         "</vt:vector></HeadingPairs><TitlesOfParts><vt:vector size=\"3\" baseType=\"lpstr\">"
         "<vt:lpstr>S1</vt:lpstr><vt:lpstr>S2</vt:lpstr><vt:lpstr>S3</vt:lpstr></vt:vector></TitlesOfParts>"
         "<AppVersion>16.0300</AppVersion></Properties>"},
        {"xl/workbook.xml",
         "<workbook xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\" "
         "xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\">"
         "<bookViews><workbookView activeTab=\"2\"/></bookViews><sheets>"
         "<sheet name=\"S1\" sheetId=\"1\" r:id=\"rId1\"/><sheet name=\"S2\" sheetId=\"2\" r:id=\"rId2\"/>"
         "<sheet name=\"S3\" sheetId=\"3\" r:id=\"rId3\"/></sheets><definedNames>"
         "<definedName name=\"Total\">S2!$A$1</definedName>"
         "<definedName name=\"_xlnm.Print_Area\" localSheetId=\"2\">S3!$A$1:$B$2</definedName>"
         "</definedNames><calcPr calcId=\"191029\"/></workbook>"},
        {"xl/_rels/workbook.xml.rels",
         "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
         "<Relationship Id=\"rId1\" Type=\"" + rel + "worksheet\" Target=\"worksheets/sheet1.xml\"/>"
         "<Relationship Id=\"rId2\" Type=\"" + rel + "worksheet\" Target=\"worksheets/sheet2.xml\"/>"
         "<Relationship Id=\"rId3\" Type=\"" + rel + "worksheet\" Target=\"/xl/worksheets/sheet3.xml\"/>"
         "<Relationship Id=\"rId4\" Type=\"" + rel + "calcChain\" Target=\"calcChain.xml\"/>"
         "</Relationships>"},
        {"xl/calcChain.xml",
         "<calcChain xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\"><c r=\"A1\" i=\"1\"/></calcChain>"},
        sheetEntry(1), sheetEntry(2), sheetEntry(3),
        {"xl/worksheets/_rels/sheet2.xml.rels",
         "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
         "<Relationship Id=\"rId1\" Type=\"" + rel + "drawing\" Target=\"../drawings/drawing1.xml\"/></Relationships>"},
        {"xl/drawings/drawing1.xml",
         "<xdr:wsDr xmlns:xdr=\"http://schemas.openxmlformats.org/drawingml/2006/spreadsheetDrawing\"/>"},
        {"xl/drawings/_rels/drawing1.xml.rels",
         "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
         "<Relationship Id=\"rId1\" Type=\"" + rel + "image\" Target=\"../media/image1.png\"/></Relationships>"},
        {"xl/media/image1.png", tinyPng()},
    };
    const QString src = m_dir.filePath(QStringLiteral("consistent.xlsx"));
    const QString out = m_dir.filePath(QStringLiteral("consistent-out.xlsx"));
    QVERIFY(writeZip(src, e));

    Book b;
    QVERIFY2(b.load(src), qPrintable(b.errorMessage()));
    Sheet* s1 = b.getSheet(0);
    QVERIFY(s1->writeStr(0, 0, QStringLiteral("a")));
    QVERIFY(s1->writeStr(1, 2, QStringLiteral("c")));
    s1->setProtect(true);
    QVERIFY(s1->setPicture2(0, 0, b.addPicture(tinyPng()), 20, 20));
    QVERIFY(b.delSheet(1));
    QVERIFY(b.insertSheet(0, QStringLiteral("New")));
    QVERIFY(b.getSheet(2)->setName(QStringLiteral("Third")));
    QVERIFY(b.save(out));

    // The deleted sheet took its drawing and picture along; the calculation chain is gone.
    const auto entries = rawEntries(out);
    // (The new sheet may reuse the freed part name sheet2.xml.)
    for (const char* gone : {"xl/drawings/drawing1.xml", "xl/worksheets/_rels/sheet2.xml.rels",
                             "xl/drawings/_rels/drawing1.xml.rels", "xl/media/image1.png", "xl/calcChain.xml"})
        QVERIFY2(!entries.count(gone), gone);
    const QByteArray types = entryText(out, "[Content_Types].xml");
    QVERIFY(!types.contains("/xl/drawings/drawing1.xml\""));
    QVERIFY(!types.contains("calcChain"));
    const QByteArray wbRels = entryText(out, "xl/_rels/workbook.xml.rels");
    QVERIFY(!wbRels.contains("calcChain"));

    // Every sheet's relationship leads to an existing part with a content type.
    pugi::xml_document wb, rels, app, sheet;
    QVERIFY(wb.load_string(entryText(out, "xl/workbook.xml").constData()));
    QVERIFY(rels.load_string(wbRels.constData()));
    QStringList names;
    for (pugi::xml_node sh : wb.document_element().child("sheets").children("sheet")) {
        names << QString::fromUtf8(sh.attribute("name").value());
        const std::string id = sh.attribute("r:id").value();
        pugi::xml_node r = rels.document_element().find_child_by_attribute("Relationship", "Id", id.c_str());
        QVERIFY2(r, id.c_str());
        std::string target = r.attribute("Target").value();
        target = target[0] == '/' ? target.substr(1) : "xl/" + target;
        QVERIFY2(entries.count(target), target.c_str());
        QVERIFY2(types.contains(QByteArray::fromStdString("/" + target + "\"")), target.c_str());
    }
    QCOMPARE(names, QStringList({QStringLiteral("New"), QStringLiteral("S1"), QStringLiteral("Third")}));
    // The active sheet stays the one that was active; names follow (or leave with) their sheet.
    QCOMPARE(wb.document_element().child("bookViews").child("workbookView").attribute("activeTab").as_int(), 2);
    pugi::xml_node dn = wb.document_element().child("definedNames");
    QCOMPARE(std::distance(dn.children().begin(), dn.children().end()), 1L);
    QCOMPARE(dn.first_child().attribute("localSheetId").as_int(), 2);
    QCOMPARE(QByteArray(dn.first_child().text().get()), QByteArray("Third!$A$1:$B$2"));

    // The document properties list the sheets as they are now.
    QVERIFY(app.load_string(entryText(out, "docProps/app.xml").constData()));
    QStringList titles;
    for (pugi::xml_node t : app.document_element().child("TitlesOfParts").child("vt:vector").children())
        titles << QString::fromUtf8(t.text().get());
    QCOMPARE(titles, names);
    QCOMPARE(app.document_element().child("HeadingPairs").child("vt:vector").last_child().child("vt:i4").text().as_int(), 3);

    // The edited sheet keeps its children in schema order and a right dimension.
    const char* order[] = {"sheetPr", "dimension", "sheetViews", "sheetFormatPr", "cols", "sheetData",
                           "sheetProtection", "mergeCells", "pageMargins", "pageSetup", "headerFooter",
                           "rowBreaks", "colBreaks", "drawing", "extLst"};
    QVERIFY(sheet.load_string(entryText(out, "xl/worksheets/sheet1.xml").constData()));
    int last = -1;
    QStringList seen;
    for (pugi::xml_node c : sheet.document_element().children()) {
        const auto it = std::find_if(std::begin(order), std::end(order), [&](const char* n) { return !std::strcmp(n, c.name()); });
        QVERIFY2(it != std::end(order), c.name());
        const int rank = int(it - std::begin(order));
        QVERIFY2(rank > last, c.name());
        last = rank;
        seen << QString::fromUtf8(c.name());
    }
    QVERIFY(seen.contains(QStringLiteral("sheetProtection")) && seen.contains(QStringLiteral("drawing")));
    QCOMPARE(QByteArray(sheet.document_element().child("dimension").attribute("ref").value()), QByteArray("A1:C2"));

    if (m_openpyxl) {
        QString why;
        QVERIFY2(matches(dumpWithOpenpyxl(out), QJsonDocument::fromJson(R"({"sheets": ["New", "S1", "Third"],
            "cells": {"S1!A1": ["s", "a"], "S1!C2": ["s", "c"]}, "protected": {"New": false, "S1": true, "Third": false},
            "print_area": {"Third": ["$A$1:$B$2"]}})").object(), &why), qPrintable(why));
    }
}

void TestXlsxBook::picturesFromFiles()
{
    QVERIFY2(m_openpyxl, "python3-openpyxl and python3-pil are required");
    const QString jpeg = m_dir.filePath(QStringLiteral("logo.jpg"));
    const PythonResult r = RunPython(QStringLiteral("import sys\nfrom PIL import Image\n"
                                                    "Image.new('RGB', (267, 74), (0, 80, 160)).save(sys.argv[1], 'JPEG')"),
                                     {jpeg});
    QVERIFY2(r.exitCode == 0, qPrintable(r.err));
    const QString garbage = m_dir.filePath(QStringLiteral("not-a-picture.png"));
    {
        QFile f(garbage);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("GIF89a and some bytes");
    }
    Book b;
    Sheet* s = b.addSheet(QStringLiteral("Report"));
    QCOMPARE(b.addPicture(m_dir.filePath(QStringLiteral("missing.png"))), -1);
    QCOMPARE(b.addPicture(garbage), -1);
    QCOMPARE(b.addPicture(QByteArray("\x89PNG")), -1);
    const int logo = b.addPicture(jpeg);
    QCOMPARE(logo, 0);
    QVERIFY(!s->setPicture2(0, 0, logo + 1, 10, 10));
    QVERIFY(!s->setPicture2(-1, 0, logo, 10, 10));
    // The same picture on two pages of the sheet shares one media part.
    QVERIFY(s->setPicture2(0, 0, logo, 267, 74, 3, 3));
    QVERIFY(s->setPicture2(0, 16, logo, 267, 74, 3, 3));
    const QString out = m_dir.filePath(QStringLiteral("pictures.xlsx"));
    QVERIFY(b.save(out));
    const auto entries = rawEntries(out);
    int media = 0;
    for (const auto& [name, e] : entries)
        if (QString::fromStdString(name).startsWith(QLatin1String("xl/media/")))
            ++media;
    QCOMPARE(media, 1);
    QVERIFY(entryText(out, "[Content_Types].xml").contains("image/jpeg"));
    // 3 + 267 pixels over 64-pixel columns end 14 pixels into the fifth column, 3 + 74 pixels over
    // 20-pixel rows 17 pixels into the fourth row.
    QString why;
    QVERIFY2(matches(dumpWithOpenpyxl(out), QJsonDocument::fromJson(R"({"images": {"Report": [
        {"from": [0, 0, 28575, 28575], "to": [4, 3, 133350, 161925], "ext": null, "size": [267, 74]},
        {"from": [16, 0, 28575, 28575], "to": [20, 3, 133350, 161925], "ext": null, "size": [267, 74]}]}})").object(),
                     &why),
             qPrintable(why));
}

namespace {

const QByteArray kMainNs = "http://schemas.openxmlformats.org/spreadsheetml/2006/main";
const QByteArray kRelNs = "http://schemas.openxmlformats.org/officeDocument/2006/relationships";
const QByteArray kPkgRelNs = "http://schemas.openxmlformats.org/package/2006/relationships";
const QByteArray kCtPrefix = "application/vnd.openxmlformats-officedocument.spreadsheetml.";

// A workbook with the sheets given as (name, worksheet XML without its root element, relationships
// of the sheet) plus extra parts and content-type overrides; defined names go into the workbook.
Entries multiSheetBook(const std::vector<std::tuple<QByteArray, QByteArray, QByteArray>>& sheets,
                       const Entries& extra = {}, const QByteArray& overrides = {},
                       const QByteArray& definedNames = {})
{
    QByteArray types = "<Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\">"
                       "<Default Extension=\"rels\" ContentType=\"application/vnd.openxmlformats-package.relationships+xml\"/>"
                       "<Default Extension=\"xml\" ContentType=\"application/xml\"/>"
                       "<Default Extension=\"vml\" ContentType=\"application/vnd.openxmlformats-officedocument.vmlDrawing\"/>"
                       "<Override PartName=\"/xl/workbook.xml\" ContentType=\"" + kCtPrefix + "sheet.main+xml\"/>";
    QByteArray list, rels;
    Entries e;
    for (size_t i = 0; i < sheets.size(); ++i) {
        const auto& [name, xml, sheetRels] = sheets[i];
        const QByteArray n = QByteArray::number(qulonglong(i + 1));
        types += "<Override PartName=\"/xl/worksheets/sheet" + n + ".xml\" ContentType=\"" + kCtPrefix + "worksheet+xml\"/>";
        list += "<sheet name=\"" + name + "\" sheetId=\"" + n + "\" r:id=\"rId" + n + "\"/>";
        rels += "<Relationship Id=\"rId" + n + "\" Type=\"" + kRelNs + "/worksheet\" Target=\"worksheets/sheet" + n + ".xml\"/>";
        e.push_back({"xl/worksheets/sheet" + n.toStdString() + ".xml",
                     "<worksheet xmlns=\"" + kMainNs + "\" xmlns:r=\"" + kRelNs + "\">" + xml + "</worksheet>"});
        if (!sheetRels.isEmpty())
            e.push_back({"xl/worksheets/_rels/sheet" + n.toStdString() + ".xml.rels",
                         "<Relationships xmlns=\"" + kPkgRelNs + "\">" + sheetRels + "</Relationships>"});
    }
    e.push_back({"[Content_Types].xml", types + overrides + "</Types>"});
    e.push_back({"_rels/.rels", kRootRels});
    e.push_back({"xl/workbook.xml", "<workbook xmlns=\"" + kMainNs + "\" xmlns:r=\"" + kRelNs + "\"><sheets>" + list +
                                        "</sheets>" + definedNames + "</workbook>"});
    e.push_back({"xl/_rels/workbook.xml.rels", "<Relationships xmlns=\"" + kPkgRelNs + "\">" + rels + "</Relationships>"});
    for (const auto& x : extra)
        e.push_back(x);
    return e;
}

QByteArray inlineCell(const char* ref, const char* text)
{
    return QByteArray("<c r=\"") + ref + "\" t=\"inlineStr\"><is><t>" + text + "</t></is></c>";
}

// Sheet S: numbers in A1:A4 and A6, a shared formula B1:B4 (=A1*2 on its master B1), notes on
// A1, A3 and C6 (with their legacy drawing), table T1 on A5:C8 (header row 5) and table T2 on
// E1:G3 (header row 1).
Entries notesAndTablesBook()
{
    const QByteArray sheet =
        "<dimension ref=\"A1:G8\"/><sheetData>"
        "<row r=\"1\"><c r=\"A1\"><v>1</v></c><c r=\"B1\"><f t=\"shared\" ref=\"B1:B4\" si=\"0\">A1*2</f><v>2</v></c>" +
        inlineCell("E1", "E") + inlineCell("F1", "F") + inlineCell("G1", "G") + "</row>"
        "<row r=\"2\"><c r=\"A2\"><v>2</v></c><c r=\"B2\"><f t=\"shared\" si=\"0\"/><v>4</v></c></row>"
        "<row r=\"3\"><c r=\"A3\"><v>3</v></c><c r=\"B3\"><f t=\"shared\" si=\"0\"/><v>6</v></c></row>"
        "<row r=\"4\"><c r=\"A4\"><v>4</v></c><c r=\"B4\"><f t=\"shared\" si=\"0\"/><v>8</v></c></row>"
        "<row r=\"5\">" + inlineCell("A5", "H1") + inlineCell("B5", "H2") + inlineCell("C5", "H3") + "</row>"
        "<row r=\"6\"><c r=\"A6\"><v>6</v></c></row></sheetData>"
        "<legacyDrawing r:id=\"rId2\"/><tableParts count=\"2\"><tablePart r:id=\"rId3\"/><tablePart r:id=\"rId4\"/></tableParts>";
    const QByteArray sheetRels =
        "<Relationship Id=\"rId1\" Type=\"" + kRelNs + "/comments\" Target=\"../comments1.xml\"/>"
        "<Relationship Id=\"rId2\" Type=\"" + kRelNs + "/vmlDrawing\" Target=\"../drawings/vmlDrawing1.vml\"/>"
        "<Relationship Id=\"rId3\" Type=\"" + kRelNs + "/table\" Target=\"../tables/table1.xml\"/>"
        "<Relationship Id=\"rId4\" Type=\"" + kRelNs + "/table\" Target=\"../tables/table2.xml\"/>";
    auto note = [](const char* ref) {
        return QByteArray("<comment ref=\"") + ref + "\" authorId=\"0\"><text><t>on " + ref + "</t></text></comment>";
    };
    auto shape = [](int row, int col) {
        return "<v:shape type=\"#_x0000_t202\"><x:ClientData ObjectType=\"Note\"><x:Anchor>" +
               QByteArray::number(col + 1) + ", 15, " + QByteArray::number(row) + ", 2, " + QByteArray::number(col + 3) +
               ", 15, " + QByteArray::number(row + 3) + ", 16</x:Anchor><x:Row>" + QByteArray::number(row) +
               "</x:Row><x:Column>" + QByteArray::number(col) + "</x:Column></x:ClientData></v:shape>";
    };
    auto table = [](int id, const char* ref, const QList<QByteArray>& cols) {
        QByteArray t = "<table xmlns=\"" + kMainNs + "\" id=\"" + QByteArray::number(id) + "\" name=\"T" +
                       QByteArray::number(id) + "\" displayName=\"T" + QByteArray::number(id) + "\" ref=\"" + ref +
                       "\"><autoFilter ref=\"" + ref + "\"/><tableColumns count=\"" + QByteArray::number(cols.size()) + "\">";
        for (int i = 0; i < cols.size(); ++i)
            t += "<tableColumn id=\"" + QByteArray::number(i + 1) + "\" name=\"" + cols[i] + "\"/>";
        return t + "</tableColumns><tableStyleInfo name=\"TableStyleMedium9\" showRowStripes=\"1\"/></table>";
    };
    const Entries extra = {
        {"xl/comments1.xml", "<comments xmlns=\"" + kMainNs + "\"><authors><author>a</author></authors><commentList>" +
                                 note("A1") + note("A3") + note("C6") + "</commentList></comments>"},
        {"xl/drawings/vmlDrawing1.vml",
         "<xml xmlns:v=\"urn:schemas-microsoft-com:vml\" xmlns:o=\"urn:schemas-microsoft-com:office:office\" "
         "xmlns:x=\"urn:schemas-microsoft-com:office:excel\">" + shape(0, 0) + shape(2, 0) + shape(5, 2) + "</xml>"},
        {"xl/tables/table1.xml", table(1, "A5:C8", {"H1", "H2", "H3"})},
        {"xl/tables/table2.xml", table(2, "E1:G3", {"E", "F", "G"})},
    };
    const QByteArray overrides =
        "<Override PartName=\"/xl/comments1.xml\" ContentType=\"" + kCtPrefix + "comments+xml\"/>"
        "<Override PartName=\"/xl/tables/table1.xml\" ContentType=\"" + kCtPrefix + "table+xml\"/>"
        "<Override PartName=\"/xl/tables/table2.xml\" ContentType=\"" + kCtPrefix + "table+xml\"/>";
    return multiSheetBook({{"S", sheet, sheetRels}}, extra, overrides);
}

}  // namespace

void TestXlsxBook::cellAnchoredPartsFollowRows_data()
{
    // edit: removeRow/insertRow/removeCol on (first, last); expected: partial openpyxl dump;
    // notes: the legacy drawing's note positions "row,col" (0-based), in order.
    QTest::addColumn<QString>("edit");
    QTest::addColumn<int>("first");
    QTest::addColumn<int>("last");
    QTest::addColumn<QByteArray>("expected");
    QTest::addColumn<QStringList>("notes");
    // Row 1 goes: the shared formula's master goes with it, B2 (now B1) takes the formula over
    // for B2:B4 (A2*2 seen from B2, then moved up a row); T2 loses its header row and goes.
    QTest::newRow("remove the master's row")
        << "removeRow" << 0 << 0
        << QByteArray(R"({"cells": {"S!B1": ["f", "=A1*2"], "S!B2": ["f", "=A2*2"], "S!B3": ["f", "=A3*2"], "S!B4": ["s", "H2"]},
                          "comments": {"S": {"A2": "on A3", "C5": "on C6"}},
                          "tables": {"S": {"T1": ["A4:C7", ["H1", "H2", "H3"]]}}})")
        << QStringList{"1,0", "4,2"};
    // Rows 1-3 go: B4, alone, becomes B1 with a plain formula.
    QTest::newRow("remove all but one dependent")
        << "removeRow" << 0 << 2
        << QByteArray(R"({"cells": {"S!B1": ["f", "=A1*2"], "S!B2": ["s", "H2"]},
                          "comments": {"S": {"C3": "on C6"}}, "tables": {"S": {"T1": ["A2:C5", ["H1", "H2", "H3"]]}}})")
        << QStringList{"2,2"};
    QTest::newRow("insert rows")
        << "insertRow" << 1 << 2
        << QByteArray(R"({"cells": {"S!B1": ["f", "=A1*2"], "S!B4": ["f", "=A4*2"], "S!B6": ["f", "=A6*2"]},
                          "comments": {"S": {"A1": "on A1", "A5": "on A3", "C8": "on C6"}},
                          "tables": {"S": {"T1": ["A7:C10", ["H1", "H2", "H3"]], "T2": ["E1:G5", ["E", "F", "G"]]}}})")
        << QStringList{"0,0", "4,0", "7,2"};
    // Column A goes with two notes and T1's first column.
    QTest::newRow("remove a column")
        << "removeCol" << 0 << 0
        << QByteArray(R"({"comments": {"S": {"B6": "on C6"}},
                          "tables": {"S": {"T1": ["A5:B8", ["H2", "H3"]], "T2": ["D1:F3", ["E", "F", "G"]]}}})")
        << QStringList{"5,1"};
    // Rows 5-8 hold all of T1: the table goes, its part too.
    QTest::newRow("remove a whole table")
        << "removeRow" << 4 << 7
        << QByteArray(R"({"comments": {"S": {"A1": "on A1", "A3": "on A3"}},
                          "tables": {"S": {"T2": ["E1:G3", ["E", "F", "G"]]}}})")
        << QStringList{"0,0", "2,0"};
}

void TestXlsxBook::cellAnchoredPartsFollowRows()
{
    QVERIFY2(m_openpyxl, "python3-openpyxl is required");
    QFETCH(QString, edit);
    QFETCH(int, first);
    QFETCH(int, last);
    QFETCH(QByteArray, expected);
    QFETCH(QStringList, notes);
    const QString src = m_dir.filePath(QStringLiteral("notes.xlsx"));
    const QString out = m_dir.filePath(QStringLiteral("notes-out.xlsx"));
    QVERIFY(writeZip(src, notesAndTablesBook()));
    Book b;
    QVERIFY2(b.load(src), qPrintable(b.errorMessage()));
    Sheet* s = b.getSheet(0);
    const bool ok = edit == QLatin1String("removeRow")   ? s->removeRow(first, last)
                    : edit == QLatin1String("insertRow") ? s->insertRow(first, last)
                                                         : s->removeCol(first, last);
    QVERIFY(ok);
    QVERIFY(b.save(out));
    QString why;
    QVERIFY2(matches(dumpWithOpenpyxl(out), QJsonDocument::fromJson(expected).object(), &why), qPrintable(why));

    pugi::xml_document vml;
    QVERIFY(vml.load_string(entryText(out, "xl/drawings/vmlDrawing1.vml").constData()));
    QStringList got;
    for (pugi::xpath_node n : vml.select_nodes("//x:ClientData"))
        got << QStringLiteral("%1,%2").arg(n.node().child("x:Row").text().as_int()).arg(n.node().child("x:Column").text().as_int());
    QCOMPARE(got, notes);
    // A table that went took its part, relationship and content type along.
    const auto entries = rawEntries(out);
    const QByteArray types = entryText(out, "[Content_Types].xml");
    const QByteArray rels = entryText(out, "xl/worksheets/_rels/sheet1.xml.rels");
    for (const char* t : {"table1.xml", "table2.xml"}) {
        const bool kept = expected.contains(t[5] == '1' ? "\"T1\"" : "\"T2\"");
        QCOMPARE(entries.count(std::string("xl/tables/") + t) == 1, kept);
        QCOMPARE(types.contains(t), kept);
        QCOMPARE(rels.contains(t), kept);
    }
}

void TestXlsxBook::renamedAndDeletedSheetsInFormulas()
{
    // Sum refers to Data in cell formulas, a validation, a hyperlink and names; a 3-D reference
    // spans Data:Other.
    const QByteArray sum =
        "<sheetData><row r=\"1\">"
        "<c r=\"A1\"><f>Data!A1+1</f><v>2</v></c>"
        "<c r=\"B1\"><f>SUM('Data'!A1:B2)*data!$C$3</f><v>0</v></c>"
        "<c r=\"C1\"><f>Other!A1&amp;\"Data!A1\"</f><v>0</v></c>"
        "<c r=\"D1\"><f>SUM(Data:Other!A1)</f><v>0</v></c>"
        "</row></sheetData>"
        "<dataValidations count=\"1\"><dataValidation type=\"list\" sqref=\"E1\"><formula1>Data!$A$1:$A$5</formula1>"
        "</dataValidation></dataValidations>"
        "<hyperlinks><hyperlink ref=\"F1\" location=\"Data!A1\"/></hyperlinks>";
    const QByteArray names = "<definedNames><definedName name=\"Total\">Data!$A$1</definedName>"
                             "<definedName name=\"Both\">Other!$A$1+Data!$A$1</definedName>"
                             "<definedName name=\"Mine\" localSheetId=\"1\">Sum!$A$1</definedName></definedNames>";
    const QString src = m_dir.filePath(QStringLiteral("formulas.xlsx"));
    const QString out = m_dir.filePath(QStringLiteral("formulas-out.xlsx"));
    QVERIFY(writeZip(src, multiSheetBook({{"Data", "<sheetData/>", {}}, {"Sum", sum, {}}, {"Other", "<sheetData/>", {}}},
                                         {}, {}, names)));
    auto sumXml = [&](pugi::xml_document& doc) {
        return doc.load_string(entryText(out, "xl/worksheets/sheet2.xml").constData());
    };
    auto formulas = [](pugi::xml_document& doc) {
        QStringList f;
        for (pugi::xml_node c : doc.document_element().child("sheetData").child("row").children("c"))
            f << QString::fromUtf8(c.child_value("f"));
        f << QString::fromUtf8(doc.document_element().child("dataValidations").child("dataValidation").child_value("formula1"));
        f << QString::fromUtf8(doc.document_element().child("hyperlinks").child("hyperlink").attribute("location").value());
        return f;
    };
    auto definedNames = [&]() {
        pugi::xml_document wb;
        wb.load_string(entryText(out, "xl/workbook.xml").constData());
        QStringList n;
        for (pugi::xml_node d : wb.document_element().child("definedNames").children())
            n << QString::fromUtf8(d.attribute("name").value()) + QLatin1Char('=') + QString::fromUtf8(d.text().get());
        return n;
    };

    Book b;
    QVERIFY2(b.load(src), qPrintable(b.errorMessage()));
    QVERIFY(b.getSheet(0)->setName(QStringLiteral("My Data")));
    QVERIFY(b.save(out));
    pugi::xml_document doc;
    QVERIFY(sumXml(doc));
    QCOMPARE(formulas(doc), QStringList({"'My Data'!A1+1", "SUM('My Data'!A1:B2)*'My Data'!$C$3",
                                         "Other!A1&\"Data!A1\"", "SUM('My Data:Other'!A1)", "'My Data'!$A$1:$A$5",
                                         "'My Data'!A1"}));
    QCOMPARE(definedNames(), QStringList({"Total='My Data'!$A$1", "Both=Other!$A$1+'My Data'!$A$1", "Mine=Sum!$A$1"}));
    if (m_openpyxl) {
        QString why;
        QVERIFY2(matches(dumpWithOpenpyxl(out), QJsonDocument::fromJson(R"({"cells": {"Sum!A1": ["f", "='My Data'!A1+1"]}})").object(),
                         &why), qPrintable(why));
    }

    // Deleting it: what referred to it reads #REF!; names that pointed into it go with it (and
    // the sheet-local name follows its sheet to index 0).
    QVERIFY(b.delSheet(0));
    QVERIFY(b.save(out));
    QVERIFY(sumXml(doc));
    // (After the deletion Sum is the first sheet and keeps its part.)
    QCOMPARE(formulas(doc), QStringList({"#REF!+1", "SUM(#REF!)*#REF!", "Other!A1&\"Data!A1\"", "SUM(#REF!)", "#REF!",
                                         "#REF!"}));
    QCOMPARE(definedNames(), QStringList({"Mine=Sum!$A$1"}));
}

void TestXlsxBook::sheetsBeyondTheMemoryBudget()
{
    // Ten sheets of 1000 x 10 text cells: about 100,000 cells, three elements each, estimated
    // at twice the book's 16 MB budget for parsed sheets, so walking through them drops the
    // least recently used ones. A changed sheet that is dropped keeps its changes (deflated in
    // the package) and is parsed again when used; the saved file holds every change.
    const QString src = m_dir.filePath(QStringLiteral("budget.xlsx"));
    const QString out = m_dir.filePath(QStringLiteral("budget-out.xlsx"));
    constexpr int kSheets = 10, kRows = 1000, kCols = 10;
    {
        Book a;
        for (int i = 0; i < kSheets; ++i) {
            Sheet* s = a.addSheet(QStringLiteral("S%1").arg(i));
            QVERIFY(s);
            for (int r = 0; r < kRows; ++r)
                for (int c = 0; c < kCols; ++c)
                    QVERIFY(s->writeStr(r, c, QStringLiteral("%1:%2:%3").arg(i).arg(r).arg(c)));
        }
        a.getSheet(3)->setProtect(true);
        QVERIFY(a.save(src));
    }
    Book b;
    QVERIFY2(b.load(src), qPrintable(b.errorMessage()));
    QCOMPARE(b.sheetCount(), kSheets);
    QVERIFY(b.getSheet(0)->writeStr(4, 1, QStringLiteral("changed 0")));
    QVERIFY(b.getSheet(0)->writeNum(5, 0, 2.5));
    for (int i = 1; i < kSheets; ++i) {
        QCOMPARE(b.getSheet(i)->readStr(kRows - 1, kCols - 1), QStringLiteral("%1:%2:%3").arg(i).arg(kRows - 1).arg(kCols - 1));
        QVERIFY(b.getSheet(i)->writeStr(7, 2, QStringLiteral("changed %1").arg(i)));
    }
    // The first sheets went out of memory while the later ones were used.
    QVERIFY(b.impl()->sheets[0]->xml == nullptr);
    QVERIFY(b.impl()->sheets[3]->xml == nullptr);
    QVERIFY(b.getSheet(3)->protect());
    QVERIFY(!b.getSheet(4)->protect());
    // Back to the first: parsed again from its changed copy, and changed once more.
    QCOMPARE(b.getSheet(0)->readStr(4, 1), QStringLiteral("changed 0"));
    QCOMPARE(b.getSheet(0)->readNum(5, 0), 2.5);
    QCOMPARE(b.getSheet(0)->readStr(4, 2), QStringLiteral("0:4:2"));
    QVERIFY(b.getSheet(0)->writeStr(8, 3, QString()));
    QVERIFY(b.save(out));

    Book c;
    QVERIFY2(c.load(out), qPrintable(c.errorMessage()));
    QCOMPARE(c.sheetCount(), kSheets);
    QCOMPARE(c.getSheet(0)->readStr(4, 1), QStringLiteral("changed 0"));
    QCOMPARE(c.getSheet(0)->readNum(5, 0), 2.5);
    QCOMPARE(c.getSheet(0)->readStr(8, 3), QString());
    for (int i = 0; i < kSheets; ++i) {
        QCOMPARE(c.getSheet(i)->name(), QStringLiteral("S%1").arg(i));
        if (i > 0)
            QCOMPARE(c.getSheet(i)->readStr(7, 2), QStringLiteral("changed %1").arg(i));
        QCOMPARE(c.getSheet(i)->readStr(kRows - 1, 0), QStringLiteral("%1:%2:0").arg(i).arg(kRows - 1));
        QCOMPARE(c.getSheet(i)->protect(), i == 3);
    }
    if (m_openpyxl) {
        QString why;
        QVERIFY2(matches(dumpWithOpenpyxl(out),
                         QJsonDocument::fromJson(R"({"cells": {"S0!B5": ["s", "changed 0"], "S0!A6": ["n", 2.5],
                                                               "S9!C8": ["s", "changed 9"], "S5!J1000": ["s", "5:999:9"]}})")
                             .object(),
                         &why),
                 qPrintable(why));
    }
}

void TestXlsxBook::savedSheetDroppedThenSavedAgain()
{
    // A save leaves each changed sheet's entry to be made from its parsed part when the file is
    // written. A sheet dropped from memory after that save, with no change since, must take its
    // content with it: the same book is then read, changed elsewhere and saved again, and the
    // file holds every edit of both saves.
    const QString src = m_dir.filePath(QStringLiteral("drop-src.xlsx"));
    const QString first = m_dir.filePath(QStringLiteral("drop-first.xlsx"));
    const QString second = m_dir.filePath(QStringLiteral("drop-second.xlsx"));
    {
        Book a;
        for (const char* name : {"Kept", "Dropped"}) {
            Sheet* s = a.addSheet(QString::fromLatin1(name));
            QVERIFY(s);
            QVERIFY(s->writeStr(0, 0, QStringLiteral("original")));
        }
        QVERIFY(a.save(src));
    }
    Book b;
    QVERIFY2(b.load(src), qPrintable(b.errorMessage()));
    QVERIFY(b.getSheet(1)->writeStr(2, 1, QStringLiteral("first save")));
    QVERIFY(b.getSheet(1)->writeNum(3, 0, 7.25));
    QVERIFY(b.save(first));

    Book::Impl* d = b.impl();
    QVERIFY(d->unloadSheet(d->sheets[1].get()));
    QVERIFY(d->sheets[1]->xml == nullptr);
    QVERIFY(b.getSheet(0)->writeStr(4, 4, QStringLiteral("second save")));
    QVERIFY(b.save(second));
    // Read again in the same book from what the drop kept, dropped once more untouched, and
    // saved again with nothing changed.
    QCOMPARE(b.getSheet(1)->readStr(2, 1), QStringLiteral("first save"));
    QCOMPARE(b.getSheet(1)->readStr(0, 0), QStringLiteral("original"));
    QVERIFY(d->unloadSheet(d->sheets[1].get()));
    QVERIFY(b.save(second));

    for (const QString& path : {first, second}) {
        Book c;
        QVERIFY2(c.load(path), qPrintable(c.errorMessage()));
        QCOMPARE(c.sheetCount(), 2);
        QCOMPARE(c.getSheet(1)->readStr(0, 0), QStringLiteral("original"));
        QCOMPARE(c.getSheet(1)->readStr(2, 1), QStringLiteral("first save"));
        QCOMPARE(c.getSheet(1)->readNum(3, 0), 7.25);
        QCOMPARE(c.getSheet(0)->readStr(0, 0), QStringLiteral("original"));
        QCOMPARE(c.getSheet(0)->readStr(4, 4),
                 path == second ? std::optional<QString>(QStringLiteral("second save")) : std::nullopt);
    }
    if (m_openpyxl) {
        QString why;
        QVERIFY2(matches(dumpWithOpenpyxl(second),
                         QJsonDocument::fromJson(R"({"cells": {"Dropped!B3": ["s", "first save"], "Dropped!A4": ["n", 7.25],
                                                               "Kept!E5": ["s", "second save"]}})")
                             .object(),
                         &why),
                 qPrintable(why));
    }
}

void TestXlsxBook::referenceShifting_data()
{
    // kind: "ref" a plain reference, "cell" a cell formula on the edited sheet "My Sheet",
    // "name" a defined name. An empty result means the reference is gone.
    QTest::addColumn<QString>("kind");
    QTest::addColumn<bool>("rows");
    QTest::addColumn<bool>("remove");
    QTest::addColumn<int>("first");
    QTest::addColumn<int>("last");
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("expected");
    auto row = [](const char* tag, const char* kind, bool rows, bool remove, int first, int last, const char* in,
                  const char* out) {
        QTest::newRow(tag) << QString::fromLatin1(kind) << rows << remove << first << last << QString::fromUtf8(in)
                           << QString::fromUtf8(out);
    };
    row("area loses columns inside", "ref", false, true, 3, 4, "A1:H5", "A1:F5");
    row("area loses its left edge", "ref", false, true, 1, 2, "$B$1:$D$1", "$A$1:$B$1");
    row("area gone", "ref", false, true, 2, 4, "C1:D9", "");
    row("cell gone", "ref", false, true, 4, 4, "$D$1", "");
    row("cell before the edit stays", "ref", true, true, 5, 9, "C4", "C4");
    row("whole rows ignore column edits", "ref", false, true, 1, 3, "$1:$3", "$1:$3");
    row("whole columns move", "ref", false, true, 1, 1, "$B:$C", "$A:$B");
    row("insert before an area grows it", "ref", true, false, 2, 3, "A1:A5", "A1:A7");
    row("insert at an area's top moves it", "ref", true, false, 1, 1, "A1:B2", "A2:B3");
    row("insert pushes past the last row", "ref", true, false, 2, 2, "A1048576", "");
    row("cell formula", "cell", true, true, 1, 1, "SUM(A1:A5)+'My Sheet'!B2*$C$3", "SUM(A1:A4)+'My Sheet'!B1*$C$2");
    row("functions and strings are not references", "cell", true, false, 1, 1, "LOG10(A1)&\"A1\"&Other!A1",
        "LOG10(A2)&\"A1\"&Other!A1");
    row("removed reference in a formula", "cell", false, true, 1, 1, "A1+B1", "#REF!+A1");
    row("print titles drop a removed piece", "name", true, true, 1, 2, "'My Sheet'!$1:$2,'my sheet'!$A:$B",
        "'my sheet'!$A:$B");
    row("print area shrinks", "name", false, true, 2, 2, "'My Sheet'!$A$1:$K$40", "'My Sheet'!$A$1:$J$40");
    row("print area gone", "name", false, true, 1, 11, "'My Sheet'!$A$1:$K$40", "");
    row("other sheets untouched", "name", true, true, 1, 5, "Other!$A$1:$B$9", "Other!$A$1:$B$9");
}

void TestXlsxBook::referenceShifting()
{
    QFETCH(QString, kind);
    QFETCH(bool, rows);
    QFETCH(bool, remove);
    QFETCH(int, first);
    QFETCH(int, last);
    QFETCH(QString, input);
    QFETCH(QString, expected);
    xlsx::ShiftEdit e;
    e.axisIsRow = rows;
    e.remove = remove;
    e.first = first;
    e.last = last;
    const std::string in = input.toStdString();
    if (kind == QLatin1String("ref")) {
        std::string ref = in;
        const bool kept = xlsx::ShiftRef(e, &ref);
        QCOMPARE(kept ? QString::fromStdString(ref) : QString(), expected);
    } else {
        bool gone = false;
        const std::string out =
            xlsx::ShiftFormulaRefs(e, in, QStringLiteral("My Sheet"), kind == QLatin1String("cell"),
                                   kind == QLatin1String("name"), &gone);
        QCOMPARE(gone ? QString() : QString::fromStdString(out), expected);
    }
}

QTEST_GUILESS_MAIN(TestXlsxBook)
#include "tst_xlsxbook.moc"
