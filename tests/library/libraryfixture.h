#pragma once
// Small reference workbooks written through the Book layer, with a few entries per table at
// the tables' anchors.
#include "app/core/sevrin.h"
#include "platform/xlsxbook.h"

#include <QDir>
#include <QString>
#include <QStringList>
#include <QVariant>

namespace fixture {

// A cell value for the fixture: a number, a text, or nothing.
inline void Put(Sheet* s, int row, int col, const QVariant& v)
{
    if (!v.isValid())
        return;
    if (v.typeId() == QMetaType::QString)
        s->writeStr(row, col, v.toString());
    else
        s->writeNum(row, col, v.toDouble());
}

// Conductor sizes used by every 16-entry size table of the fixture.
inline const double kSizes[16] = {1.5, 2.5, 4, 6, 10, 16, 25, 35, 50, 70, 95, 120, 150, 185, 240, 300};

// A distinct number per entry and property, so a lookup that picks the wrong cell shows it.
inline double Code(int entry, int prop)
{
    return 100.0 * prop + entry;
}

// Fills a 16-entry size table: property 0 the size, the others Code(e, p).
inline void SizeTable(Sheet* s, int firstCol, int firstRow, int props)
{
    for (int e = 0; e < 16; ++e) {
        s->writeNum(firstRow + e, firstCol, kSizes[e]);
        for (int p = 1; p < props; ++p)
            s->writeNum(firstRow + e, firstCol + p, Code(e, p));
    }
}

// The library workbook of the tests. Sheet 9 holds the user's motors (empty at first).
inline bool WriteLibrary(const QString& path, bool withUserSheet = true, bool withSheet0 = true)
{
    Book book;
    QStringList names = {"Cable", "Breaker", "Dimension", "TR", "GEN", "Motor", "Switchgear",
                         "Grounding", "Demand", "User"};
    if (!withUserSheet)
        names.removeLast();
    for (const QString& n : names)
        book.addSheet(n);

    // Sheet 0 ---------------------------------------------------------------------------
    Sheet* s = book.getSheet(0);
    if (withSheet0) {
        // Line impedances: one full entry, one whose numbers are empty.
        const QVariant line0[] = {"OH", "ACSR", "58", "OH", "ACSR", "32", 0.12345, 0.3, 0.45, 1.2,
                                  "가공"};
        for (int p = 0; p < 11; ++p)
            Put(s, 6, p, line0[p]);
        const QVariant line1[] = {"CV", "CU", "95", "CV", "CU", "50", {}, {}, {}, {}, "관로"};
        for (int p = 0; p < 11; ++p)
            Put(s, 7, p, line1[p]);
        s->writeStr(4, 12, "CV");
        s->writeStr(4, 13, "가교 폴리에틸렌");
        // 6/10 kV cables; the threshold cell stays empty.
        const double hv[3] = {35, 70, 95};
        for (int e = 0; e < 3; ++e) {
            s->writeNum(9 + e, 16, hv[e]);
            for (int p = 1; p <= 4; ++p)
                s->writeNum(9 + e, 16 + p, Code(e, p));
        }
        s->writeNum(6, 37, 50);  // 0.6/1 kV multi-core below 50 mm2
        SizeTable(s, 27, 10, 9);  // CBLIMP
        SizeTable(s, 27, 37, 9);  // FR8IMP
        SizeTable(s, 27, 62, 5);  // HFIXIMP
        s->writeNum(5, 58, 25);   // ampacities: multi-core below 25 mm2
        const double methods[4] = {0.8, 0.9, 1.0, 0.7};
        for (int i = 0; i < 4; ++i)
            s->writeNum(7, 59 + i, methods[i]);
        // XLPE ampacities: single-core 100 + 10e + m per method m, two-core 50 + 5e + m,
        // three- and four-core 40 + 4e + m.
        for (int e = 0; e < 16; ++e) {
            s->writeNum(11 + e, 44, kSizes[e]);
            for (int m = 0; m < 4; ++m) {
                s->writeNum(11 + e, 45 + m, 100 + 10 * e + m);
                s->writeNum(11 + e, 49 + m, 50 + 5 * e + m);
                s->writeNum(11 + e, 53 + m, 40 + 4 * e + m);
            }
        }
        s->writeStr(12, 49, "-");  // entry 1: no two-core value for method A
        s->writeNum(13, 56, -5);   // a negative number stays a number
        s->writeNum(74, 51, 40);
        s->writeNum(75, 51, 0.91);
        for (int e = 0; e < 16; ++e) {  // HFIX ampacities
            s->writeNum(79 + e, 44, kSizes[e]);
            for (int p = 1; p <= 4; ++p)
                s->writeNum(79 + e, 44 + p, 10 * (e + 1) + p);
        }
        for (int e = 0; e < 6; ++e) {  // TRAYDF
            s->writeNum(9 + e, 72, 1);
            for (int p = 1; p < 9; ++p)
                s->writeNum(9 + e, 72 + p, 1.0 - 0.05 * p - 0.01 * e);
        }
        const double tdf[11] = {1.08, 1.04, 1.00, 0.96, 0.91, 0.87, 0.82, 0.76, 0.71, 0.65, 0.58};
        for (int i = 0; i < 11; ++i)
            s->writeNum(21, 71 + i, tdf[i]);
        const double ugtdf[11] = {1.07, 1.04, 1.0, 0.96, 0.93, 0.89, 0.85, 0.8, 0.76, 0.71, 0.65};
        for (int i = 0; i < 11; ++i)
            s->writeNum(28, 71 + i, ugtdf[i]);
        const double ugdf[7] = {1.28, 1.2, 1.18, 1.1, 1.05, 1.0, 0.96};
        for (int i = 0; i < 7; ++i)
            s->writeNum(35, 71 + i, ugdf[i]);
        const double ugddf[4] = {1.0, 0.98, 0.97, 0.95};
        for (int i = 0; i < 4; ++i)
            s->writeNum(43, 71 + i, ugddf[i]);
    }

    // Sheet 1: breaker tables, extension columns only carry the lookups -------------------
    s = book.getSheet(1);
    struct Breaker { int col, row, n, extCol; };
    const Breaker breakers[5] = {{1, 8, 8, 9}, {15, 8, 8, 23}, {29, 7, 10, 37}, {29, 20, 16, 37},
                                 {44, 7, 16, 52}};
    const double ratings[16] = {15, 20, 30, 40, 50, 60, 75, 100, 125, 150, 175, 200, 225, 250, 300, 350};
    for (int b = 0; b < 5; ++b) {
        const Breaker& br = breakers[b];
        for (int e = 0; e < br.n; ++e) {
            const int row = br.row + e;
            s->writeNum(row, br.col, 2);
            s->writeNum(row, br.col + 1, ratings[e]);
            s->writeNum(row, br.col + 2, ratings[e] <= 100 ? 100 : 400);
            if (b < 2)
                s->writeStr(row, br.col + 3, "C");
            else
                s->writeNum(row, br.col + 3, 2);
            s->writeNum(row, br.col + 4, 10 + b);
            s->writeStr(row, br.col + 5, "비고");
            s->writeNum(row, br.extCol, e == 0 ? 0.01 : ratings[e - 1] + 0.01);
            s->writeNum(row, br.extCol + 1, ratings[e]);
            s->writeNum(row, br.extCol + 2, ratings[e] <= 100 ? 100 : 400);
            s->writeNum(row, br.extCol + 3, 10 + b + 0.5);
        }
    }

    // Sheet 2 -----------------------------------------------------------------------------
    s = book.getSheet(2);
    SizeTable(s, 1, 10, 9);    // FCVSQ
    SizeTable(s, 12, 10, 10);  // FCVOD
    SizeTable(s, 24, 10, 9);   // FR8SQ
    SizeTable(s, 35, 10, 10);  // FR8OD
    SizeTable(s, 52, 10, 3);   // FGVSEC
    SizeTable(s, 56, 10, 2);   // GV
    SizeTable(s, 93, 8, 9);    // FCVW
    SizeTable(s, 104, 8, 9);   // FR8W
    SizeTable(s, 115, 8, 3);   // FGVW
    // Conduits keyed on their allowed area (property 3).
    const int conduitCols[3] = {61, 77, 85};
    const int conduitRows[3] = {5, 9, 10};
    for (int c = 0; c < 3; ++c) {
        for (int e = 0; e < conduitRows[c]; ++e) {
            const int row = 9 + e;
            s->writeNum(row, conduitCols[c], e + 1);
            s->writeNum(row, conduitCols[c] + 1, 20 + 6 * e);
            s->writeNum(row, conduitCols[c] + 2, 1.5 + e);
            s->writeNum(row, conduitCols[c] + 3, 100.0 * (e + 1));  // allowed area (key)
            s->writeNum(row, conduitCols[c] + 4, 300.0 * (e + 1));
            s->writeNum(row, conduitCols[c] + 5, 16 + 6 * e + c);   // conduit size
        }
    }
    const double trayDd[10] = {100, 200, 300, 400, 500, 600, 700, 800, 900, 1000};
    for (int e = 0; e < 10; ++e) {
        s->writeNum(8 + e, 120, trayDd[e]);
        s->writeNum(8 + e, 121, trayDd[e] + 50);
        s->writeNum(8 + e, 122, 5.5 + e);
        s->writeNum(8 + e, 123, 2.5 + e);
        s->writeNum(8 + e, 124, 1.5 + e);
    }

    // Sheet 3: transformers; entry 0's capacity cell is empty, entry 1's holds 0 ----------
    s = book.getSheet(3);
    const double trKeys[19] = {0, 0, 51, 76, 101, 151, 201, 301, 401, 501, 751, 1001, 1251,
                               1501, 2001, 2501, 3001, 4001, 5001};
    const double trRatings[19] = {30, 50, 75, 100, 150, 200, 300, 400, 500, 750, 1000, 1250,
                                  1500, 2000, 2500, 3000, 4000, 5000, 7500};
    for (int e = 0; e < 19; ++e) {
        if (e == 1)
            s->writeNum(6 + e, 0, 0);
        else if (e > 1)
            s->writeNum(6 + e, 0, trKeys[e]);
        s->writeNum(6 + e, 1, trRatings[e]);
        s->writeNum(6 + e, 3, trRatings[e]);
        s->writeNum(6 + e, 4, 4 + 0.1 * e);
        s->writeNum(6 + e, 5, 1.5 + 0.25 * e);
    }

    // Sheet 4: generators --------------------------------------------------------------------
    s = book.getSheet(4);
    for (int e = 0; e < 28; ++e) {
        s->writeNum(7 + e, 0, 50 * (e + 1));
        s->writeNum(7 + e, 1, 50 * (e + 1) + 10);
        s->writeNum(7 + e, 2, 40 * (e + 1));
        s->writeNum(7 + e, 3, 50 * (e + 1) + 0.25);
    }

    // Sheet 5: motors --------------------------------------------------------------------------
    s = book.getSheet(5);
    // 19 fields: key, kW, phases, kV, eta, cos, IB, method, beta, C, lambda, k, IMS, II, tm, CT,
    // capacitor, unit size, starting kVA.
    const QVariant m1[19] = {"7.5DOL", "7.5", "3", 0.38, 0.9, 0.85, 14.9, "DOL", 6.0, "-", {},
                             1.4, 89, 125, "6", "20/5", "30", "400", 58.8};
    for (int f = 0; f < 19; ++f)
        Put(s, 5, 1 + f, m1[f]);
    const QVariant m2[][19] = {
        {"7.5DOL", "7.5", "3", 0.38, 0.9, 0.85, 0, "DOL", 0, {}, {}, {}, 0, 0, "", "", "", "", 0},
        {"11Y-D", "11", "3", 0.38, 0.91, 0.86, 0, "Y-D", 0, {}, {}, {}, 0, 0, "", "", "", "", 0},
        {"15S.S", "15", "3", 0.38, 0.92, 0.87, 0, "S.S", 0, {}, {}, {}, 0, 0, "", "", "", "", 0},
        {"2.2DOL", "2.2", "2", 0.22, 0.8, 0.8, 0, "DOL", 0, {}, {}, {}, 0, 0, "", "", "", "", 0},
    };
    for (int e = 0; e < 4; ++e)
        for (int f = 0; f < 19; ++f)
            Put(s, 5 + e, 22 + f, m2[e][f]);
    s->writeStr(5, 43 + 18, "12.5 kVA");  // MotorTable3 keeps its starting input as text

    // Sheet 6: current transformers, primary 0, 15, 30, ... labelled 10, 20, 30, ... ----------
    s = book.getSheet(6);
    for (int e = 0; e < 26; ++e) {
        s->writeNum(6 + e, 7, 15.0 * e);
        s->writeStr(6 + e, 8, QString::number(10 * (e + 1)));
    }
    s->writeNum(6, 0, 12.5);
    s->writeStr(6, 1, "PF 15A");
    s->writeNum(7, 1, 25);  // a number where a text is read

    // Sheet 7: grounding materials ------------------------------------------------------------
    s = book.getSheet(7);
    const QVariant copper[7] = {"연동선", 100.0, 0.00393, 234, 1083, 1.72, 3.42};
    for (int p = 0; p < 7; ++p)
        Put(s, 7, p, copper[p]);

    // Sheet 8: demand factors -----------------------------------------------------------------
    s = book.getSheet(8);
    s->writeNum(7, 0, 1);
    s->writeNum(7, 1, 3000);
    s->writeNum(7, 2, 5000);
    s->writeNum(7, 3, 0.95);

    return book.save(path);
}

// One maker sheet: ratings 10, 20, ... with their multiples, frames 50, 100, ..., and a grid
// where a frame offers the ratings up to half its size ("-" elsewhere).
inline void WriteMakerSheet(Sheet* s, int ratings, int frames)
{
    for (int f = 0; f < ratings; ++f) {
        s->writeStr(2 + f, 4, QString::number(10 * (f + 1)));
        for (int p = 1; p <= 5; ++p)
            s->writeNum(2 + f, 4 + p, 4.0 + p + 0.1 * f);
    }
    for (int g = 0; g < frames; ++g) {
        s->writeStr(2 + g, 0, QString::number(50 * (g + 1)));
        s->writeStr(2 + g, 1, QString::number(25 + g));
        s->writeStr(2 + g, 2, g % 2 ? "S" : "H");
    }
    for (int g = 0; g < frames; ++g)
        s->writeStr(1, 12 + g, QString::number(50 * (g + 1)));
    for (int f = 0; f < ratings; ++f) {
        s->writeStr(2 + f, 11, QString::number(10 * (f + 1)));
        for (int g = 0; g < frames; ++g)
            s->writeStr(2 + f, 12 + g, 20 * (f + 1) <= 50 * (g + 1) ? QString::number(10 * (f + 1))
                                                                    : QStringLiteral("-"));
    }
}

// The breaker workbook of the tests: four maker sheets of 3, 5, 4 and 2 ratings.
inline bool WriteBreakers(const QString& path, int extraSheets = 0)
{
    Book book;
    const QStringList names = {"LS Metasol", "LS Susol - TS", "현대 HGM", "User"};
    const int ratings[4] = {3, 5, 4, 2};
    const int frames[4] = {2, 3, 2, 1};
    for (int i = 0; i < 4; ++i)
        WriteMakerSheet(book.addSheet(names[i]), ratings[i], frames[i]);
    for (int i = 0; i < extraSheets; ++i)
        book.addSheet(QStringLiteral("Maker %1").arg(i + 5));
    return book.save(path);
}

// theApp's library folder made at `root`/LIB with the fixture's two workbooks, and the library
// workbook loaded; false when the folder or a workbook could not be written.
inline bool UseLibraryFolder(const QString& root)
{
    const QString lib = root + QStringLiteral("/LIB");
    CSevrinApp::ProjectPathTableT& p = theApp.ProjectPathTable;
    p.RootPath = root;
    p.LibFolder = QStringLiteral("LIB");
    p.LibWorkbookPath = lib + QStringLiteral("/lib_v3p4.xlsx");
    p.BreakerWorkbookPath = lib + QStringLiteral("/breaker_v3p4.xlsx");
    if (!QDir().mkpath(lib) || !WriteLibrary(p.LibWorkbookPath) || !WriteBreakers(p.BreakerWorkbookPath))
        return false;
    theApp.LoadLibraryWorkbook();
    return true;
}

}  // namespace fixture
