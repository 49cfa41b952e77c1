// The workbook layer: what it writes is read back by openpyxl as an independent reader, what
// it does not touch survives byte for byte, and damaged files fail cleanly.
#include "common/testsupport.h"
#include "platform/xlsxbook.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QtTest>

#include <functional>

class TestXlsxBook : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void openpyxlReadsWhatWeWrite_data();
    void openpyxlReadsWhatWeWrite();
    void roundTripThroughOurReader();
    void sheetNameRules();

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
       "images": {}, "protected": {}, "fonts": {}, "fills": {}}
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
        {"overwrite keeps the cell's style", kStyledSetup,
         [](Book& b) { return b.getSheet(0)->writeStr(0, 0, "new") && b.getSheet(0)->writeNum(1, 7, 7); },
         R"({"cells": {"Report!A1": ["s", "new"], "Report!H2": ["n", 7]},
             "fonts": {"Report!A1": "bold"}, "fills": {"Report!H2": "FFFF0000"}})"},
    };
    return all;
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

QTEST_GUILESS_MAIN(TestXlsxBook)
#include "tst_xlsxbook.moc"
