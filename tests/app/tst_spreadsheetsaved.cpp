// Companion workbooks after a spreadsheet program saved them: the texts the stores wrote have
// become number cells (openpyxl stands in for the spreadsheet program), and every row still
// reads, through the driver, as it did before; a workbook whose zip names a part twice is
// refused without being touched.
#include "app/core/calcutil.h"
#include "app/core/sevrin.h"
#include "cable/cablefixture.h"
#include "cable/core/cableapp.h"
#include "common/calcdriver.h"
#include "common/recordingprompt.h"
#include "common/testpaths.h"
#include "common/testsupport.h"
#include "loads/sourcesfixture.h"
#include "platform/xlsxbook.h"
#include "common/golden.h"
#include "common/driverproject.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

// Opens the workbook, turns every text that reads as a number into a number cell (what a
// spreadsheet program does to a typed "1"), saves it, and prints how many cells it turned.
const char* kToNumbers = R"PY(
import re, sys, openpyxl
number = re.compile(r"[+-]?(\d+\.?\d*|\.\d+)([eE][+-]?\d+)?")
wb = openpyxl.load_workbook(sys.argv[1])
turned = 0
for ws in wb.worksheets:
    for row in ws.iter_rows():
        for c in row:
            if isinstance(c.value, str) and number.fullmatch(c.value):
                c.value = int(c.value) if re.fullmatch(r"[+-]?\d+", c.value) else float(c.value)
                turned += 1
wb.save(sys.argv[1])
print(turned)
)PY";

// Turns the workbook's numbers into number cells; the count of cells turned, -1 on failure.
int ToNumberCells(const QString& path)
{
    const PythonResult r = RunPython(QString::fromUtf8(kToNumbers), {path});
    if (r.exitCode != 0) {
        qWarning().noquote() << r.err;
        return -1;
    }
    return r.out.trimmed().toInt();
}

// Rows of the cable schedule as the screen's input step leaves them (the feeders worked in
// tst_cablesizing.cpp): from, to, kind, kW, kVA, phases, wires, kV, demand factor, length,
// method, cables per phase, fault kA, maker, fault kA at the load, cable type.
using Cells = QList<QPair<int, QString>>;
const QList<Cells> kFeeders = {
    {{2, "MDB"}, {4, "L3P"}, {6, "100"}, {8, "3"}, {9, "4"}, {10, "0.38"}, {23, "1.00"}, {30, "50"},
     {33, "A"}, {44, "1"}, {51, "10.000"}, {71, "LSM"}, {103, "8.000"}, {105, "FCV"}},
    {{2, "MCC-1"}, {4, "M"}, {5, "37"}, {8, "3"}, {9, "3"}, {10, "0.38"}, {14, "DOL"}, {23, "1"},
     {30, "80"}, {33, "E"}, {44, "1"}, {51, "16"}, {71, "LSS"}, {103, "20"}, {105, "FCV"}},
    {{2, "LP-1"}, {4, "L1"}, {6, "3"}, {8, "1"}, {9, "2"}, {10, "0.22"}, {23, "1"}, {30, "30"},
     {33, "B"}, {44, "1"}, {51, "5"}, {71, "HG"}, {103, "5"}, {105, "FR8"}},
};
constexpr int kCableRows = 12;

// Two texts of one field agree when they are equal or stand for the same number ("1.00" was
// saved as the number 1 and reads "1").
bool SameField(const QString& a, const QString& b)
{
    double x = 0, y = 0;
    return a == b || (ReadValue(a, &x) && ReadValue(b, &y) && std::abs(x - y) <= 1e-12 * std::max(1.0, std::abs(x)));
}

}  // namespace

class TestSpreadsheetSaved : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cableScheduleKeepsEveryRow();
    void generatorSumsFromNumberCells();
    void duplicateEntryRefusedUntouched();

private:
    // A program folder with the cable fixture's library and a project with its conditions
    // and the schedule's rows; returns the project file's path.
    QString MakeCableProject(const QString& dir);
    bool m_openpyxl = false;
};

void TestSpreadsheetSaved::initTestCase()
{
    RecordingPrompt::Install();
    m_openpyxl = RunPython(QStringLiteral("import openpyxl")).exitCode == 0;
}

QString TestSpreadsheetSaved::MakeCableProject(const QString& dir)
{
    const DriverProject made = MakeDriverProject(dir);
    if (!made.ok)
        return {};
    const QString& root = made.root;
    const QString& project = made.project;
    if (!cablefixture::ReplaceLibrary(root + "/LIB"))
        return {};
    CSevrinApp app;
    cablefixture::UseLibrary(app, root + "/LIB");
    cablefixture::SetConditions(app);
    app.ProjectPathTable.CurrentProjectPath = project;
    if (!app.SaveMotorControlCenterSection(project) || !app.SaveCabinetSizingSection(project))
        return {};
    for (int i = 0; i < kCableRows; ++i) {
        CableRow row;
        row[0] = QString::number(i + 1);
        row[3] = QStringLiteral("F-%1").arg(i + 1);
        row[31] = row[43] = row[62] = "|";
        for (const auto& [col, text] : kFeeders[i % kFeeders.size()])
            row[std::size_t(col)] = text;
        app.CableScheduleBlock.CableRow = row;
        if (!app.WriteCableRow(i, false))
            return {};
    }
    return project;
}

void TestSpreadsheetSaved::cableScheduleKeepsEveryRow()
{
    QVERIFY2(m_openpyxl, "python3-openpyxl is required");
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString project = MakeCableProject(dir.path());
    QVERIFY(!project.isEmpty());
    const QString root = dir.path() + "/root";
    const QString schedule = dir.path() + "/P1_40.xlsx";
    const QByteArray asStored = ReadFile(schedule);

    const CalcRun before = RunSevrinCalc(root, project, "cables");
    QVERIFY2(before.exitCode == 0, qPrintable(before.err));
    const QStringList want = before.out.split('\n', Qt::SkipEmptyParts);
    QCOMPARE(want.size(), kCableRows);

    // The schedule as a spreadsheet program leaves it: the row number and the nine figures of
    // every row are number cells now.
    QVERIFY(WriteFile(schedule, asStored));
    QCOMPARE(ToNumberCells(schedule), kCableRows * 10);
    {
        Book book;
        QVERIFY(book.load(schedule));
        for (int r = 0; r < kCableRows; ++r) {
            QVERIFY(!book.getSheet(0)->readStr(r, 0).has_value());
            QCOMPARE(book.getSheet(0)->readNum(r, 0), double(r + 1));
        }
    }

    const CalcRun after = RunSevrinCalc(root, project, "cables");
    QVERIFY2(after.exitCode == 0, qPrintable(after.err));
    QVERIFY2(after.err.isEmpty(), qPrintable(after.err));
    const QStringList got = after.out.split('\n', Qt::SkipEmptyParts);
    QCOMPARE(got.size(), kCableRows);
    // Every row, with the same figures: a field differs at most in how its number is written.
    for (int i = 0; i < kCableRows; ++i) {
        const QStringList g = got[i].split('\t');
        const QStringList w = want[i].split('\t');
        QCOMPARE(g.size(), w.size());
        QCOMPARE(g[3], QStringLiteral("F-%1").arg(i + 1));
        for (int c = 0; c < g.size(); ++c)
            QVERIFY2(SameField(g[c], w[c]),
                     qPrintable(QStringLiteral("row %1 column %2: \"%3\", was \"%4\"").arg(i).arg(c).arg(g[c], w[c])));
    }
}

void TestSpreadsheetSaved::generatorSumsFromNumberCells()
{
    QVERIFY2(m_openpyxl, "python3-openpyxl is required");
    // The loads worked by hand in tst_generatorcapacity.cpp (bothCasesByHand): outage 37 + 15 kW
    // and 20 kVA, fire 37 + 110 kW and 10 kVA (hand calculation: 20 kVA x 50 %).
    sourcesfixture::DriverApp d;
    QVERIFY(d.made.ok);
    const auto& [root, project, ok] = d.made;
    auto& app = d.app;
    QVERIFY(sourcesfixture::StoreHandWorkedGenerator(*app, project));
    const QString path = app->CompanionPath(CSevrinApp::GeneratorWorkbook);
    QVERIFY(ToNumberCells(path) >= 5 * 4);

    const CalcRun r = RunSevrinCalc(root, project, "generator");
    QVERIFY2(r.exitCode == 0, qPrintable(r.err));
    const QString diff = GoldenDifference(r.out, TestDataDir() + QStringLiteral("/loads/golden/generator.txt"));
    QVERIFY2(diff.isEmpty(), qPrintable(diff));
    const QStringList outage = r.out.split('\n').first().split('\t');
    QCOMPARE(outage.mid(2, 2), QStringList({"52.000", "20.000"}));
}

void TestSpreadsheetSaved::duplicateEntryRefusedUntouched()
{
    // A stray second entry named like the workbook part, after the real one: the first run
    // stops with one line naming the file and leaves it as it is (a file rewritten from the
    // stray entry would not load).
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString project = MakeCableProject(dir.path());
    QVERIFY(!project.isEmpty());
    const QString schedule = dir.path() + "/P1_40.xlsx";
    const PythonResult stray = RunPython(QStringLiteral(R"PY(
import sys, warnings, zipfile
with zipfile.ZipFile(sys.argv[1]) as z:
    part = z.read("xl/workbook.xml")
with zipfile.ZipFile(sys.argv[1], "a") as z, warnings.catch_warnings():
    warnings.simplefilter("ignore")
    z.writestr("xl/workbook.xml", part)
)PY"),
                                         {schedule});
    QVERIFY2(stray.exitCode == 0, qPrintable(stray.err));
    const QByteArray damaged = ReadFile(schedule);
    const CalcRun r = RunSevrinCalc(dir.path() + "/root", project, "cables");
    QCOMPARE(r.exitCode, 1);
    QVERIFY(r.out.isEmpty());
    QCOMPARE(r.err.count('\n'), 1);
    QVERIFY2(r.err.contains("P1_40.xlsx"), qPrintable(r.err));
    QCOMPARE(ReadFile(schedule), damaged);
}

QTEST_GUILESS_MAIN(TestSpreadsheetSaved)
#include "tst_spreadsheetsaved.moc"
