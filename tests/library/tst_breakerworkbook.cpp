// The breaker workbook (listing, loading and saving maker sheets) and the user's motor rows in
// the library workbook, on small fixture workbooks.
#include "app/core/calcutil.h"
#include "app/core/sevrin.h"
#include "common/openpyxlcelldump.h"
#include "common/recordingprompt.h"
#include "libraryfixture.h"
#include "platform/xlsxbook.h"
#include "common/testsupport.h"

#include <QCryptographicHash>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

namespace {

struct MakerSnapshot
{
    int ratings = 0, frames = 0, cols = 0, rows = 0;
    QStringList cells;
    bool operator==(const MakerSnapshot&) const = default;
};

MakerSnapshot Snapshot(const CSevrinApp& a)
{
    const BreakerLibBlockT& b = a.BreakerLibBlock;
    MakerSnapshot s{b.MakerRatingTable.Count, b.MakerFrameTable.Count, b.RatingFrameGrid.UsedCols,
                    b.RatingFrameGrid.UsedRows, {}};
    for (int e = 0; e < s.ratings; ++e)
        for (int p = 0; p < 6; ++p)
            s.cells << b.MakerRatingTable.Cell(e, p);
    for (int e = 0; e < s.frames; ++e)
        for (int p = 0; p < 3; ++p)
            s.cells << b.MakerFrameTable.Cell(e, p);
    for (int u = 0; u < s.rows; ++u)
        for (int t = 0; t < s.cols; ++t)
            s.cells << b.RatingFrameGrid.Cell(t, u);
    return s;
}

QByteArray FileHash(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256);
}

}  // namespace

class TestBreakerWorkbook : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void listsMakerSheets();
    void loadsMakerSheet();
    void saveThenLoadIsIdentical();
    void editedSheetIsWrittenBack();
    void fiftyRatingsAndFramesStayInTheGrid();
    void missingBreakerWorkbook();
    void changedFileIsReadAgain();
    void userMotorRows();
    void userRowsLeaveLibrarySheetsAlone();
    void withoutUserSheet();

private:
    std::unique_ptr<CSevrinApp> NewApp(const QString& lib, const QString& breakers) const;

    QTemporaryDir m_dir;
    RecordingPrompt* m_prompt = nullptr;
};

std::unique_ptr<CSevrinApp> TestBreakerWorkbook::NewApp(const QString& lib,
                                                        const QString& breakers) const
{
    auto app = std::make_unique<CSevrinApp>();
    app->ProjectPathTable.LibWorkbookPath = m_dir.filePath(lib);
    app->ProjectPathTable.BreakerWorkbookPath = m_dir.filePath(breakers);
    return app;
}

void TestBreakerWorkbook::initTestCase()
{
    QVERIFY(m_dir.isValid());
    m_prompt = RecordingPrompt::Install();
    QVERIFY(fixture::WriteBreakers(m_dir.filePath("breakers.xlsx")));
}

void TestBreakerWorkbook::listsMakerSheets()
{
    auto app = NewApp("lib.xlsx", "breakers.xlsx");
    const LibNameList& list = app->BreakerLibBlock.BreakerMakerList;
    app->LoadBreakerWorkbook(true, 0);
    QCOMPARE(list.Count, 4);
    QCOMPARE(list.Names[0], QString("LS Metasol"));
    QCOMPARE(list.Names[2], QString("현대 HGM"));
    QCOMPARE(list.Names[3], QString("User"));
    // Loading a sheet leaves the count at 0; the readers list again first.
    app->LoadBreakerWorkbook(false, 1);
    QCOMPARE(list.Count, 0);

    // 60 sheets: the first 50 names.
    QVERIFY(fixture::WriteBreakers(m_dir.filePath("many.xlsx"), 56));
    auto many = NewApp("lib.xlsx", "many.xlsx");
    many->LoadBreakerWorkbook(true, 0);
    QCOMPARE(many->BreakerLibBlock.BreakerMakerList.Count, 50);
    QCOMPARE(many->BreakerLibBlock.BreakerMakerList.Names[49], QString("Maker 50"));
    QVERIFY(m_prompt->messages.isEmpty());
}

void TestBreakerWorkbook::loadsMakerSheet()
{
    auto app = NewApp("lib.xlsx", "breakers.xlsx");
    const BreakerLibBlockT& b = app->BreakerLibBlock;
    // Sheet 0: ratings 10, 20, 30 (the fourth row ends them), frames 50 and 100.
    app->LoadBreakerWorkbook(false, 0);
    QCOMPARE(b.MakerRatingTable.Count, 3);
    QCOMPARE(b.MakerFrameTable.Count, 2);
    QCOMPARE(b.MakerRatingTable.Cell(2, 0), QString("30"));
    QCOMPARE(b.MakerRatingTable.Cell(0, 1), QString("5.0"));
    QCOMPARE(b.MakerRatingTable.Cell(2, 5), QString("9.2"));
    QCOMPARE(b.MakerFrameTable.Cell(1, 0), QString("100"));
    QCOMPARE(b.MakerFrameTable.Cell(1, 1), QString("26"));
    QCOMPARE(b.MakerFrameTable.Cell(1, 2), QString("S"));
    const LibGrid& g = b.RatingFrameGrid;
    QCOMPARE(g.UsedCols, 3);
    QCOMPARE(g.UsedRows, 4);
    QVERIFY(g.Cell(0, 0).isEmpty());
    QCOMPARE(g.Cell(1, 0), QString("50"));
    QCOMPARE(g.Cell(2, 0), QString("100"));
    QCOMPARE(g.Cell(0, 3), QString("30"));
    QCOMPARE(g.Cell(1, 2), QString("20"));  // frame 50 offers 20 A
    QVERIFY(g.Cell(1, 3).isEmpty());         // "-": frame 50 does not offer 30 A
    QCOMPARE(g.Cell(2, 3), QString("30"));

    // A bigger sheet, then a smaller one: nothing of the bigger one is left in the grid.
    app->LoadBreakerWorkbook(false, 1);
    QCOMPARE(g.UsedCols, 4);
    QCOMPARE(g.UsedRows, 6);
    QCOMPARE(g.Cell(3, 5), QString("50"));
    app->LoadBreakerWorkbook(false, 3);
    QCOMPARE(b.MakerRatingTable.Count, 2);
    QCOMPARE(g.UsedCols, 2);
    QCOMPARE(g.UsedRows, 3);
    QVERIFY(g.Cell(3, 5).isEmpty());
    QVERIFY(g.Cell(0, 4).isEmpty());

    // A sheet the workbook does not have: empty tables.
    app->LoadBreakerWorkbook(false, 99);
    QCOMPARE(b.MakerRatingTable.Count, 0);
    QCOMPARE(g.UsedRows, 0);
    QCOMPARE(app->VLookup(10, "LSMAT", 2), 10.0);  // and the lookups load their own sheet
    QVERIFY(m_prompt->messages.isEmpty());
}

void TestBreakerWorkbook::saveThenLoadIsIdentical()
{
    const QString path = m_dir.filePath("roundtrip.xlsx");
    QVERIFY(fixture::WriteBreakers(path));
    auto app = NewApp("lib.xlsx", "roundtrip.xlsx");
    for (int sheet = 0; sheet < 4; ++sheet) {
        app->LoadBreakerWorkbook(false, sheet);
        const MakerSnapshot before = Snapshot(*app);
        QVERIFY(app->SaveBreakerSheet(sheet));
        app->LoadBreakerWorkbook(false, sheet);
        QVERIFY2(Snapshot(*app) == before, qPrintable(QString::number(sheet)));
    }
    // A saved sheet's first row is empty and its second holds only the grid's heading row;
    // a "-" of the grid is written back as an empty text cell.
    const PythonResult r = RunPython(R"(
import sys, openpyxl
ws = openpyxl.load_workbook(sys.argv[1]).worksheets[0]
print(all(c.value in (None, '') for c in ws[1]))
print([c.value for c in ws[2] if c.value not in (None, '')])
print(ws['E3'].value, ws['F3'].value, ws['A4'].value, repr(ws['M5'].value))
)", {path});
    QVERIFY2(r.exitCode == 0, qPrintable(r.err));
    QCOMPARE(r.out.split('\n').value(0), QString("True"));
    QCOMPARE(r.out.split('\n').value(1), QString("['50', '100']"));
    const QString third = r.out.split('\n').value(2);
    QVERIFY2(third.startsWith("10 5 100 ") && !third.endsWith("'-'"), qPrintable(third));
}

void TestBreakerWorkbook::editedSheetIsWrittenBack()
{
    const QString path = m_dir.filePath("edited.xlsx");
    QVERIFY(fixture::WriteBreakers(path));
    auto app = NewApp("lib.xlsx", "edited.xlsx");
    // The user's sheet (3): rating 20 becomes 30.7 with new multiples.
    app->LoadBreakerWorkbook(false, 3);
    BreakerLibBlockT& b = app->BreakerLibBlock;
    b.MakerRatingTable.Cell(1, 0) = "30.7";
    b.MakerRatingTable.Cell(1, 1) = "7.25";
    b.RatingFrameGrid.Cell(0, 2) = "30.7";
    b.RatingFrameGrid.Cell(1, 2) = "30.7";
    app->LoadBreakerWorkbook(false, 0);
    const MakerSnapshot other = Snapshot(*app);
    app->LoadBreakerWorkbook(false, 3);  // reloading drops the unsaved edit
    QCOMPARE(b.MakerRatingTable.Cell(1, 0), QString("20"));

    b.MakerRatingTable.Cell(1, 0) = "30.7";
    b.MakerRatingTable.Cell(1, 1) = "7.25";
    QVERIFY(app->SaveBreakerSheet(3));
    app->LoadBreakerWorkbook(false, 3);
    QCOMPARE(b.MakerRatingTable.Cell(1, 0), QString("30.7"));
    // A number cell read with one decimal, the half away from zero as every printed figure.
    QCOMPARE(b.MakerRatingTable.Cell(1, 1), QString("7.3"));
    // The rating text is truncated toward zero when the delta is looked up.
    QCOMPARE(app->GetBreakerDelta("USERT", 30, 4, "-"), QString("7.3"));
    QCOMPARE(app->VLookup(25, "USERAT", 2), 30.7);
    // The other sheets are untouched.
    app->LoadBreakerWorkbook(false, 0);
    QVERIFY(Snapshot(*app) == other);
    // An index past the sheets saves nothing.
    const QByteArray hash = FileHash(path);
    QVERIFY(!app->SaveBreakerSheet(4));
    QCOMPARE(FileHash(path), hash);
}

void TestBreakerWorkbook::fiftyRatingsAndFramesStayInTheGrid()
{
    const QString path = m_dir.filePath("big.xlsx");
    {
        Book book;
        fixture::WriteMakerSheet(book.addSheet("Big"), 60, 50);
        QVERIFY(book.save(path));
    }
    auto app = NewApp("lib.xlsx", "big.xlsx");
    app->LoadBreakerWorkbook(false, 0);
    const BreakerLibBlockT& b = app->BreakerLibBlock;
    QCOMPARE(b.MakerRatingTable.Count, 50);
    QCOMPARE(b.MakerFrameTable.Count, 50);
    QCOMPARE(b.MakerRatingTable.Cell(49, 0), QString("500"));
    // The grid keeps its heading row and column: 49 frames by 49 ratings.
    QCOMPARE(b.RatingFrameGrid.UsedCols, 50);
    QCOMPARE(b.RatingFrameGrid.UsedRows, 50);
    QCOMPARE(b.RatingFrameGrid.Cell(49, 0), QString("2450"));
    QCOMPARE(b.RatingFrameGrid.Cell(0, 49), QString("490"));
    QCOMPARE(b.RatingFrameGrid.Cell(49, 49), QString("490"));
    QCOMPARE(app->VLookup(495, "LSMAT", 2), 500.0);
}

void TestBreakerWorkbook::missingBreakerWorkbook()
{
    auto app = NewApp("lib.xlsx", "absent.xlsx");
    const QString path = m_dir.filePath("absent.xlsx");
    const QString message = QStringLiteral("적합한 Lib 파일을 찾지 못했습니다.\n") + path;
    for (int mode = 0; mode < 3; ++mode) {
        m_prompt->messages.clear();
        int code = -1;
        try {
            if (mode == 0)
                app->LoadBreakerWorkbook(true, 0);
            else if (mode == 1)
                app->LoadBreakerWorkbook(false, 2);
            else
                app->VLookup(10, "HGMAT", 2);
        } catch (const Prompt::ProgramExit& e) {
            code = e.code;
        }
        QCOMPARE(code, 1);
        QCOMPARE(m_prompt->messages, QStringList(message));
    }
    // Saving to a missing workbook writes nothing and says nothing.
    m_prompt->messages.clear();
    QVERIFY(!app->SaveBreakerSheet(0));
    QVERIFY(!QFile::exists(path));
    QVERIFY(m_prompt->messages.isEmpty());
}

void TestBreakerWorkbook::changedFileIsReadAgain()
{
    const QString path = m_dir.filePath("changing.xlsx");
    QVERIFY(fixture::WriteBreakers(path));
    auto app = NewApp("lib.xlsx", "changing.xlsx");
    QCOMPARE(app->GetBreakerDelta("LSM", 20, 6, "-"), QString("6.1"));
    {
        Book book;
        QVERIFY(book.load(path));
        book.getSheet(0)->writeNum(3, 6, 8.5);  // rating 20, 6 s
        QVERIFY(book.save(path));
    }
    QCOMPARE(app->GetBreakerDelta("LSM", 20, 6, "-"), QString("8.5"));
}

void TestBreakerWorkbook::userMotorRows()
{
    QVERIFY(fixture::WriteLibrary(m_dir.filePath("lib.xlsx")));
    auto app = NewApp("lib.xlsx", "breakers.xlsx");
    auto& row = app->MotorControlCenterBlock.UserMotorRow;

    QVERIFY(!app->ReadUserLibraryRow(0));  // an empty sheet: the first row ends the list
    for (int n = 0; n < 4; ++n) {
        for (int f = 0; f < 19; ++f)
            row[std::size_t(f)] = QStringLiteral("M%1-%2").arg(n).arg(f);
        QVERIFY(app->WriteUserLibraryRow(n));
    }
    for (int n = 0; n < 4; ++n) {
        row.fill("stale");
        QVERIFY(app->ReadUserLibraryRow(n));
        for (int f = 0; f < 19; ++f)
            QCOMPARE(row[std::size_t(f)], QStringLiteral("M%1-%2").arg(n).arg(f));
    }
    QVERIFY(!app->ReadUserLibraryRow(4));
    QVERIFY(row[5].isEmpty());

    // Deleting row 2 moves row 3 up.
    QVERIFY(app->DeleteUserLibraryRow(2));
    QVERIFY(app->ReadUserLibraryRow(2));
    QCOMPARE(row[0], QString("M3-0"));
    QCOMPARE(row[18], QString("M3-18"));
    QVERIFY(app->ReadUserLibraryRow(1));
    QCOMPARE(row[0], QString("M1-0"));
    QVERIFY(!app->ReadUserLibraryRow(3));

    // Changing a row in place.
    row.fill(QString());
    row[0] = "7.5DOL";
    QVERIFY(app->WriteUserLibraryRow(1));
    row.fill("stale");
    QVERIFY(app->ReadUserLibraryRow(1));  // first cell filled, the others empty
    QCOMPARE(row[0], QString("7.5DOL"));
    for (int f = 1; f < 19; ++f)
        QVERIFY(row[std::size_t(f)].isEmpty());
    QVERIFY(!app->ReadUserLibraryRow(-1));

    // Another program changing the file is seen on the next read.
    {
        Book book;
        QVERIFY(book.load(m_dir.filePath("lib.xlsx")));
        book.getSheet(9)->writeStr(0, 0, "changed");
        QVERIFY(book.save(m_dir.filePath("lib.xlsx")));
    }
    QVERIFY(app->ReadUserLibraryRow(0));
    QCOMPARE(row[0], QString("changed"));

    // The rows are text cells an independent reader sees.
    const PythonResult r = RunPython(R"(
import sys, openpyxl
ws = openpyxl.load_workbook(sys.argv[1]).worksheets[9]
print(ws['A2'].value, ws['S3'].value, ws['A4'].value)
)", {m_dir.filePath("lib.xlsx")});
    QVERIFY2(r.exitCode == 0, qPrintable(r.err));
    QCOMPARE(r.out.trimmed(), QString("7.5DOL M3-18 None"));
}

void TestBreakerWorkbook::userRowsLeaveLibrarySheetsAlone()
{
    const QString path = m_dir.filePath("lib_alone.xlsx");
    QVERIFY(fixture::WriteLibrary(path));
    const PythonResult before = OpenpyxlCellDump(path);
    QVERIFY2(before.exitCode == 0, qPrintable(before.err));
    QVERIFY(before.out.count('\n') > 500);

    auto app = NewApp("lib_alone.xlsx", "breakers.xlsx");
    auto& row = app->MotorControlCenterBlock.UserMotorRow;
    for (int n = 0; n < 3; ++n) {
        row.fill(QStringLiteral("U%1").arg(n));
        QVERIFY(app->WriteUserLibraryRow(n));
    }
    QVERIFY(app->DeleteUserLibraryRow(0));
    // Protection switched on and off again, as project loading and closing do.
    for (bool on : {true, false}) {
        Book book;
        QVERIFY(book.load(path));
        for (int i = 0; i < book.sheetCount(); ++i)
            book.getSheet(i)->setProtect(on);
        QVERIFY(book.save(path));
    }
    const PythonResult after = OpenpyxlCellDump(path);
    QVERIFY2(after.exitCode == 0, qPrintable(after.err));
    QCOMPARE(after.out, before.out);

    // And the loader still reads the same tables.
    auto loaded = NewApp("lib_alone.xlsx", "breakers.xlsx");
    loaded->LoadLibraryWorkbook();
    QCOMPARE(loaded->CableLibBlock.LineImpedanceTable.Cell(0, 6), QString("0.1235"));
    QVERIFY(loaded->ReadUserLibraryRow(1));
    QCOMPARE(row.size(), std::size_t(19));
    QCOMPARE(loaded->MotorControlCenterBlock.UserMotorRow[0], QString("U2"));
}

void TestBreakerWorkbook::withoutUserSheet()
{
    const QString path = m_dir.filePath("lib9.xlsx");
    QVERIFY(fixture::WriteLibrary(path, false));
    const QByteArray hash = FileHash(path);
    auto app = NewApp("lib9.xlsx", "breakers.xlsx");
    app->MotorControlCenterBlock.UserMotorRow.fill("x");
    QVERIFY(!app->WriteUserLibraryRow(0));
    QVERIFY(!app->DeleteUserLibraryRow(0));
    QVERIFY(!app->ReadUserLibraryRow(0));
    QCOMPARE(FileHash(path), hash);
    // No library workbook at all.
    auto none = NewApp("nothing.xlsx", "breakers.xlsx");
    QVERIFY(!none->WriteUserLibraryRow(0));
    QVERIFY(!none->ReadUserLibraryRow(0));
    QVERIFY(!QFile::exists(m_dir.filePath("nothing.xlsx")));
}

QTEST_GUILESS_MAIN(TestBreakerWorkbook)
#include "tst_breakerworkbook.moc"
