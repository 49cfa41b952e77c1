// sevrin-calc fault on the small radial network: TR-1 (1000 kVA, 0.38 kV) with one 110 kW
// motor and the bus MCC-1, TR-2 (2000 kVA, 0.44 kV, NGR 10 ohm) with the bus MCC-2 in cell 3
// after two empty cells, breaker time 0.02 s. The output is compared with a hand-checked
// expected file, and its lines with what the same calculation shows in-process. A workbook the
// run cannot read, or one that does not take its results, fails the run with one line and
// leaves every file of the project as it was.
#include "faultfixture.h"

#include "app/core/companionworkbook.h"
#include "common/calcdriver.h"
#include "common/testpaths.h"
#include "common/unprintable.h"
#include "common/recordingprompt.h"
#include "common/testsupport.h"
#include "platform/profile.h"
#include "common/golden.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTest>

using namespace fault;
using faultfixture::BuildRadialNetwork;
using faultfixture::Project;

namespace {

// The golden network in a project file beside its workbooks (p.dir), and a copy of the program
// folder in `rootDir`.
struct GoldenNetwork
{
    QTemporaryDir rootDir;
    Project p;
    CSevrinApp& a = *p.app;
    QString project;  // the project file

    CalcRun runFault() const { return RunSevrinCalc(rootDir.path(), project, QStringLiteral("fault")); }
};

// The lines of the hand-checked expected output.
QStringList GoldenLines()
{
    return QString::fromUtf8(ReadFile(TestDataDir() + QStringLiteral("/fault/golden/fault.txt")))
        .split(QLatin1Char('\n'));
}

// The line whose first fields are `head` ("INCOMING", "TR\t1", ...), or "missing".
QString LineOf(const QStringList& lines, const QString& head)
{
    for (const QString& l : lines)
        if (l.startsWith(head + QLatin1Char('\t')))
            return l;
    return QStringLiteral("missing");
}

// Ik'', the first field after `head` on its line, or "missing" when no line has that head.
QString IkOf(const QStringList& lines, const QString& head)
{
    const QString line = LineOf(lines, head);
    return line.startsWith(head + QLatin1Char('\t'))
               ? line.mid(head.size() + 1).section(QLatin1Char('\t'), 0, 0)
               : line;
}

}  // namespace

class TestFaultDriver : public QObject
{
    Q_OBJECT

private slots:
    void init() { RecordingPrompt::Install(); }
    void faultCommandMatchesExpectedFile();
    void unreadableWorkbookChangesNoFile_data();
    void unreadableWorkbookChangesNoFile();
    void unstorableResultsChangeNoFile();
    void readOnlyBusWorkbookChangesNoFile();

    void nonsenseInputsPrintNoFigure_data();
    void nonsenseInputsPrintNoFigure();
    void listsPastTheLimitAreSaid_data();
    void listsPastTheLimitAreSaid();
    void figuresKeepWhatADoubleHolds();

private:
    // The golden network (TR-1 with a motor and MCC-1, TR-2 with NGR 10 and MCC-2) built and
    // stored; false, with the test failed, when a step failed.
    bool BuildProject(GoldenNetwork& g);
    void StoreGoldenNetwork(GoldenNetwork& g);
};

bool TestFaultDriver::BuildProject(GoldenNetwork& g)
{
    StoreGoldenNetwork(g);
    return !QTest::currentTestFailed();
}

void TestFaultDriver::StoreGoldenNetwork(GoldenNetwork& g)
{
    QVERIFY(g.rootDir.isValid());
    QVERIFY(CopyProgramFolder(g.rootDir.path()));
    Project& p = g.p;
    CSevrinApp& a = g.a;
    a.CabinetSizingBlock.ConductorCriteriaIndex[2] = 1;  // 0.02 s
    g.project = a.ProjectPathTable.CurrentProjectPath;
    const QString& project = g.project;
    QVERIFY(QFile::copy(g.rootDir.path() + "/FORM/form.pro", project));
    QFile::setPermissions(project, QFile::ReadOwner | QFile::WriteOwner);
    QList<QPair<QString, QString>> keys;
    for (int i = 0; i < 6; ++i)
        keys.append({QStringLiteral("IDC_PRO_8_1_EDIT%1").arg(i + 1), a.FaultCurrentBlock.UtilityInput[std::size_t(i)]});
    for (int i = 0; i < 12; ++i)
        keys.append({QStringLiteral("IDC_PRO_8_2_EDIT%1").arg(i + 1), a.FaultCurrentBlock.FaultConditionText[std::size_t(i)]});
    QVERIFY(WriteProfileStrings(project, QStringLiteral("Fault_Current"), keys));
    QVERIFY(WriteProfileString(project, QStringLiteral("Cabinet_Sizing"), QStringLiteral("IDC_PRO_2_4_COMBO3"), QStringLiteral("1")));
    BuildRadialNetwork(p, true);
    p.SetTransformer(1, "2000", "6", "0.44", "10");
    QVERIFY(CalcFaultCurrent(a, p.pages).ok());
    QVERIFY(p.AddBus(1, 2, QStringLiteral("MCC-2"), 0));
    QVERIFY(CalcFaultCurrent(a, p.pages).ok());
}

void TestFaultDriver::faultCommandMatchesExpectedFile()
{
    GoldenNetwork g;
    if (!BuildProject(g))
        return;
    CSevrinApp& a = g.a;

    const CalcRun run = g.runFault();
    QVERIFY2(run.exitCode == 0, qPrintable(run.err));

    // The driver's "계산" is the screen's: its lines carry the texts the views show here.
    const auto line = [](const QStringList& head, const std::array<QString, kBusResults>& r) {
        QStringList f = head;
        for (const QString& t : r)
            f << t;
        return f.join(QLatin1Char('\t'));
    };
    const QStringList lines = run.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    QVERIFY(lines.contains(line({"INCOMING"}, g.p.pages.Incoming.Results)));
    QVERIFY(lines.contains(line({"TR", "1"}, g.p.pages.Columns[0].TransformerCell.Results)));
    QVERIFY(lines.contains(line({"TR", "2"}, g.p.pages.Columns[1].TransformerCell.Results)));
    QVERIFY(lines.contains(line({"BUS", "2", "3", "MCC-2"}, g.p.pages.Columns[1].Cells[2].Results)));

    // The stored page reads the same in another spreadsheet reader.
    const PythonResult py = RunPython(QStringLiteral(
        "import sys, openpyxl\n"
        "ws = openpyxl.load_workbook(sys.argv[1]).worksheets[2]\n"
        "print(ws.cell(row=2, column=17).value, ws.cell(row=1, column=1).value, ws.cell(row=1, column=2).value)\n"),
        {a.BusWorkbookPath(1)});
    QVERIFY2(py.exitCode == 0, qPrintable(py.err));
    const auto& mcc2 = g.p.pages.Columns[1].Cells[2].Results;
    QCOMPARE(py.out.trimmed(), QStringLiteral("MCC-2 %1 %2").arg(mcc2[ResIk], mcc2[ResIbMax]));

    const QString diff = GoldenDifference(run.out, TestDataDir() + QStringLiteral("/fault/golden/fault.txt"));
    QVERIFY2(diff.isEmpty(), qPrintable(diff));
}

void TestFaultDriver::unreadableWorkbookChangesNoFile_data()
{
    // -1: the fault-current workbook "_80", 0..4: the bus workbook of TR-1..TR-5.
    QTest::addColumn<int>("workbook");
    QTest::addColumn<bool>("folder");  // a folder in its place instead of damaged bytes
    QTest::newRow("fault-current workbook damaged") << -1 << false;
    QTest::newRow("bus workbook with a bus damaged") << 0 << false;
    QTest::newRow("bus workbook without buses damaged") << 2 << false;
    QTest::newRow("bus workbook replaced by a folder") << 1 << true;
}

// A damaged "_80" is refused, not read as no rows (which gives every bus the figures of an
// empty network).
void TestFaultDriver::unreadableWorkbookChangesNoFile()
{
    QFETCH(int, workbook);
    QFETCH(bool, folder);
    GoldenNetwork g;
    if (!BuildProject(g))
        return;
    CSevrinApp& a = g.a;
    // Another breaker time would change the stored results of every bus.
    QVERIFY(WriteProfileString(g.project, QStringLiteral("Cabinet_Sizing"), QStringLiteral("IDC_PRO_2_4_COMBO3"), QStringLiteral("3")));
    const QString path = workbook < 0 ? a.CompanionPath(CSevrinApp::FaultDataWorkbook)
                                      : a.BusWorkbookPath(workbook);
    QVERIFY(QFile::remove(path));
    if (folder)
        QVERIFY(QDir().mkdir(path));
    else
        QVERIFY(WriteFile(path, QByteArrayLiteral("PK\x03\x04 not a workbook")));
    const QMap<QString, QByteArray> before = FolderSnapshot(g.p.dir.path());

    const CalcRun run = g.runFault();
    QCOMPARE(run.exitCode, 1);
    QVERIFY2(run.out.isEmpty(), qPrintable(run.out));
    QCOMPARE(run.err.count(QLatin1Char('\n')), 1);
    QVERIFY2(run.err.startsWith(QStringLiteral("sevrin-calc: cannot read fault-current workbook: ") + path),
             qPrintable(run.err));
    QCOMPARE(ChangedEntries(before, FolderSnapshot(g.p.dir.path())), QStringList());
}

// Every write refused, as by a full disk (file permissions do not stop a test run as root):
// the run says which workbooks kept their old results and prints none of the new ones.
void TestFaultDriver::unstorableResultsChangeNoFile()
{
    GoldenNetwork g;
    if (!BuildProject(g))
        return;
    CSevrinApp& a = g.a;
    QVERIFY(WriteProfileString(g.project, QStringLiteral("Cabinet_Sizing"), QStringLiteral("IDC_PRO_2_4_COMBO3"), QStringLiteral("3")));
    const QMap<QString, QByteArray> before = FolderSnapshot(g.p.dir.path());

    const CalcRun refused = RunSevrinCalcRefusingWrites(g.rootDir.path(), g.project, QStringLiteral("fault"));
    QCOMPARE(refused.exitCode, 1);
    QVERIFY2(refused.out.isEmpty(), qPrintable(refused.out));
    QCOMPARE(refused.err.count(QLatin1Char('\n')), 1);
    QVERIFY2(refused.err.startsWith(QStringLiteral("sevrin-calc: cannot store fault-current results: ")),
             qPrintable(refused.err));
    // The two workbooks with a named bus; the others had no result to store.
    QVERIFY2(refused.err.contains(a.BusWorkbookPath(0)) && refused.err.contains(a.BusWorkbookPath(1)),
             qPrintable(refused.err));
    QVERIFY2(!refused.err.contains(a.BusWorkbookPath(2)), qPrintable(refused.err));
    QCOMPARE(ChangedEntries(before, FolderSnapshot(g.p.dir.path())), QStringList());

    // The same run allowed to write stores the new figures: the refusal alone kept them out.
    const CalcRun stored = g.runFault();
    QVERIFY2(stored.exitCode == 0, qPrintable(stored.err));
    const QStringList changed = ChangedEntries(before, FolderSnapshot(g.p.dir.path()));
    QVERIFY2(changed.contains(QFileInfo(a.BusWorkbookPath(0)).fileName()), qPrintable(changed.join(' ')));
    QVERIFY2(changed.contains(QFileInfo(a.BusWorkbookPath(1)).fileName()), qPrintable(changed.join(' ')));
}

// A read-only bus workbook among writable ones, the driver run as a user whom permissions
// stop: the line names that workbook alone, and no file changes, neither the other bus
// workbooks nor "_80", so they never hold another run than it.
void TestFaultDriver::readOnlyBusWorkbookChangesNoFile()
{
    GoldenNetwork g;
    if (!BuildProject(g))
        return;
    CSevrinApp& a = g.a;
    // Another utility reactance changes the transformer rows of "_80" and every bus.
    QVERIFY(WriteProfileString(g.project, QStringLiteral("Fault_Current"), QStringLiteral("IDC_PRO_8_1_EDIT4"), QStringLiteral("30.0")));

    // Everything readable by the driver's user, the project's folder and files writable by
    // anyone but TR-1's bus workbook, which no one may write.
    const auto read = QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther;
    const auto write = QFile::WriteOwner | QFile::WriteGroup | QFile::WriteOther;
    const auto execute = QFile::ExeOwner | QFile::ExeGroup | QFile::ExeOther;
    for (const QString& sub : {QString(), QStringLiteral("/LIB"), QStringLiteral("/FORM")}) {
        QVERIFY(QFile::setPermissions(g.rootDir.path() + sub, read | execute | QFile::WriteOwner));
        for (const QString& name : QDir(g.rootDir.path() + sub).entryList(QDir::Files))
            QVERIFY(QFile::setPermissions(g.rootDir.path() + sub + QLatin1Char('/') + name, read | QFile::WriteOwner));
    }
    const QString readOnly = a.BusWorkbookPath(0);
    for (const QString& name : QDir(g.p.dir.path()).entryList(QDir::Files)) {
        const QString file = g.p.dir.filePath(name);
        QVERIFY(QFile::setPermissions(file, file == readOnly ? read : read | write));
    }
    QVERIFY(QFile::setPermissions(g.p.dir.path(), read | write | execute));
    const QMap<QString, QByteArray> before = FolderSnapshot(g.p.dir.path());

    const CalcRun run = RunSevrinCalcUnprivileged(g.rootDir.path(), g.project, QStringLiteral("fault"));
    QVERIFY2(run.exitCode == 1, qPrintable(run.err));
    QVERIFY2(run.out.isEmpty(), qPrintable(run.out));
    QCOMPARE(run.err.count(QLatin1Char('\n')), 1);
    QVERIFY2(run.err.startsWith(QStringLiteral("sevrin-calc: cannot store fault-current results: ") + readOnly + QLatin1Char('\n')),
             qPrintable(run.err));
    QCOMPARE(ChangedEntries(before, FolderSnapshot(g.p.dir.path())), QStringList());

    // Writable again, the same run stores the bus workbooks and "_80".
    QVERIFY(QFile::setPermissions(readOnly, read | write));
    const CalcRun stored = RunSevrinCalcUnprivileged(g.rootDir.path(), g.project, QStringLiteral("fault"));
    QVERIFY2(stored.exitCode == 0, qPrintable(stored.err));
    const QStringList changed = ChangedEntries(before, FolderSnapshot(g.p.dir.path()));
    for (const QString& file : {a.BusWorkbookPath(0), a.BusWorkbookPath(1), a.CompanionPath(CSevrinApp::FaultDataWorkbook)})
        QVERIFY2(changed.contains(QFileInfo(file).fileName()), qPrintable(changed.join(QLatin1Char(' '))));
}

// One nonsense entry at a time in the stored project: the figures that rest on it have no value
// (an empty bus result), the others are computed as before, and nothing anywhere prints nan,
// inf, a negative figure or a number of 14 digits. `sheet`/`row`/`cell`: a cell of the
// fault-current workbook; a negative sheet names a key of the project file instead. `empty`:
// a line of the output ("INCOMING", "TR 1", ...) whose Ik'' must be empty; `kept`: one whose
// Ik'' must still be the golden file's.
void TestFaultDriver::nonsenseInputsPrintNoFigure_data()
{
    QTest::addColumn<int>("sheet");
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("cell");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("empty");
    QTest::addColumn<QString>("kept");
    QTest::newRow("utility %X1 negative") << -1 << 0 << 0 << "IDC_PRO_8_1_EDIT4" << "-20.0" << "INCOMING" << "";
    QTest::newRow("utility %R1 nan") << -1 << 0 << 0 << "IDC_PRO_8_1_EDIT3" << "nan" << "TR	2" << "";
    QTest::newRow("Cmax up to 1 kV infinite") << -1 << 0 << 0 << "IDC_PRO_8_2_EDIT7" << "inf" << "TR	1" << "INCOMING";
    QTest::newRow("Cmax above 1 kV overflowing") << -1 << 0 << 0 << "IDC_PRO_8_2_EDIT9" << "1e308" << "INCOMING" << "TR	1";
    QTest::newRow("TR-2 capacity negative") << int(TransformerSheet) << 1 << 1 << "" << "-2000" << "TR	2" << "TR	1";
    QTest::newRow("TR-2 voltage nan") << int(TransformerSheet) << 1 << 4 << "" << "nan" << "TR	2" << "TR	1";
    QTest::newRow("line %R1 beyond any quantity") << int(LineSheet) << 0 << 8 << "" << "1e308" << "TR	1" << "";
    QTest::newRow("line %X1 negative") << int(LineSheet) << 0 << 9 << "" << "-1.5" << "INCOMING" << "";
}

void TestFaultDriver::nonsenseInputsPrintNoFigure()
{
    QFETCH(int, sheet);
    QFETCH(int, row);
    QFETCH(int, cell);
    QFETCH(QString, key);
    QFETCH(QString, text);
    QFETCH(QString, empty);
    QFETCH(QString, kept);
    GoldenNetwork g;
    if (!BuildProject(g))
        return;
    CSevrinApp& a = g.a;
    if (sheet < 0) {
        QVERIFY(WriteProfileString(g.project, QStringLiteral("Fault_Current"), key, text));
    } else {
        QVERIFY(a.ReadFaultDataRow(sheet, row));
        auto& cells = sheet == TransformerSheet ? a.FaultCurrentBlock.TransformerImpedanceRow
                                                : a.FaultCurrentBlock.LineRow;
        cells[std::size_t(cell)] = text;
        QVERIFY(a.WriteFaultDataRow(sheet, row, false));
    }
    companion::DropCache();

    const CalcRun run = g.runFault();
    QVERIFY2(run.exitCode == 0, qPrintable(run.err));
    QVERIFY2(FindUnprintableFigure(run.out).isEmpty(), qPrintable(FindUnprintableFigure(run.out)));
    const QStringList golden = GoldenLines();
    const QStringList lines = run.out.split(QLatin1Char('\n'));
    QCOMPARE(IkOf(lines, empty), QString());
    if (!kept.isEmpty()) {
        QVERIFY(!IkOf(golden, kept).isEmpty());
        QCOMPARE(IkOf(lines, kept), IkOf(golden, kept));
    }
}

// Every list of the calculation takes 1000 rows: the distribution lines in series, the motors of
// a transformer, the feeder cables and the cables of a bus page. The golden network's list is
// filled up to `rows` with rows of zero impedance (nothing changes), and a 1001st row is one
// that would change the figures (a 50 % line, a motor of admittance 1000 per ohm, a cable of
// 50 ohm). It takes no part: the line `same` is the golden file's, and the run says once, on
// stderr with exit code 0, which workbook holds more rows than its list takes. At exactly
// 1000 rows nothing is said.
void TestFaultDriver::listsPastTheLimitAreSaid_data()
{
    QTest::addColumn<QString>("list");
    QTest::addColumn<int>("rows");
    QTest::addColumn<QString>("same");
    QTest::newRow("1000 lines") << "lines" << 1000 << "INCOMING";
    QTest::newRow("1001 lines") << "lines" << 1001 << "INCOMING";
    QTest::newRow("1001 motors of TR-1") << "motors" << 1001 << "TR\t1";
    QTest::newRow("1001 feeder cables") << "cables" << 1001 << "BUS\t1\t1\tMCC-1";
    QTest::newRow("1000 cables of bus MCC-1") << "bus" << 1000 << "BUS\t1\t1\tMCC-1";
    QTest::newRow("1001 cables of bus MCC-1") << "bus" << 1001 << "BUS\t1\t1\tMCC-1";
}

void TestFaultDriver::listsPastTheLimitAreSaid()
{
    QFETCH(QString, list);
    QFETCH(int, rows);
    QFETCH(QString, same);
    GoldenNetwork g;
    if (!BuildProject(g))
        return;
    CSevrinApp& a = g.a;
    auto& b = a.FaultCurrentBlock;
    QString path = a.CompanionPath(CSevrinApp::FaultDataWorkbook);
    {
        CompanionBatch batch;  // one save for the thousand rows
        // Row 0 of each list is the golden network's own.
        for (int r = 1; r < rows; ++r) {
            const bool extra = r == 1000;
            const QString number = QString::number(r + 1);
            if (list == QLatin1String("lines")) {
                b.LineRow.fill(QString());
                b.LineRow[0] = number;
                for (int c = 8; c < 12; ++c)
                    b.LineRow[std::size_t(c)] = extra ? QStringLiteral("50.0000") : QStringLiteral("0.0000");
                QVERIFY(a.WriteFaultDataRow(LineSheet, r, false));
            } else if (list == QLatin1String("motors")) {
                b.FaultMotorRow.fill(QStringLiteral("-"));
                b.FaultMotorRow[0] = number;
                if (extra)
                    b.FaultMotorRow[24] = b.FaultMotorRow[26] = QStringLiteral("1000.000000");
                QVERIFY(a.WriteFaultDataRow(FirstMotorSheet, r, false));
            } else if (list == QLatin1String("cables")) {
                QVERIFY(a.ReadFaultDataRow(CableSheet, 0));
                b.FaultCableRow[0] = number;
                QVERIFY(a.WriteFaultDataRow(CableSheet, r, false));
            } else {
                path = a.BusWorkbookPath(0);
                const BusListRow cable = g.p.CableForBus(0);
                for (std::size_t c = 0; c < 16; ++c)
                    b.BusRow[c] = cable[c];
                for (int c = BusR90; c <= BusX; ++c)
                    b.BusRow[std::size_t(c)] = extra ? QStringLiteral("50.000000") : QStringLiteral("0.000000");
                b.BusRow[16] = QStringLiteral("MCC-1");
                b.BusRow[17] = QStringLiteral("0.38");
                b.BusRow[18] = QStringLiteral("TR-1");
                b.BusRow[19] = QStringLiteral("0");
                QVERIFY(a.WriteBusRow(0, 0, r));
            }
        }
        QVERIFY(batch.finish());
    }
    companion::DropCache();

    const CalcRun run = g.runFault();
    QVERIFY2(run.exitCode == 0, qPrintable(run.err));
    QCOMPARE(run.err, rows > 1000 ? QStringLiteral("sevrin-calc: ") +
                                        companion::RowLimitMessage(path, 1000).replace('\n', ' ') + '\n'
                                  : QString());
    QCOMPARE(LineOf(run.out.split(QLatin1Char('\n')), same), LineOf(GoldenLines(), same));
}

// An accepted utility %R1 of 999999999999 gives impedances of 5.2e10 ohm: they print with no
// more than the 15 significant digits a double holds. With the line's 0.5 %, R1 =
// 999999999999.5 × 22.9² × 10 / 100000 = 52440999999.97378 ohm: "52440999999.9738", not six
// decimals ("52440999999.973801", the last two noise); RGT = R0 + 2 R1 = 0.2884 (5.5 % of the
// zero sequence) + 104881999999.9476 = 104882000000.236.
void TestFaultDriver::figuresKeepWhatADoubleHolds()
{
    GoldenNetwork g;
    if (!BuildProject(g))
        return;
    QVERIFY(WriteProfileString(g.project, QStringLiteral("Fault_Current"), QStringLiteral("IDC_PRO_8_1_EDIT3"),
                               QStringLiteral("999999999999")));
    const CalcRun run = g.runFault();
    QVERIFY2(run.exitCode == 0, qPrintable(run.err));
    QVERIFY2(FindUnprintableFigure(run.out).isEmpty(), qPrintable(FindUnprintableFigure(run.out)));
    // No figure of more than 15 significant digits anywhere.
    static const QRegularExpression figure(QStringLiteral("^-?0*(\\d*)\\.?(\\d*)$"));
    for (const QString& field : run.out.split(QRegularExpression(QStringLiteral("[\t\n]")))) {
        const QRegularExpressionMatch m = figure.match(field);
        if (m.hasMatch() && !field.isEmpty()) {
            QString digits = m.captured(1) + m.captured(2);
            digits.remove(QRegularExpression(QStringLiteral("^0+")));
            QVERIFY2(digits.size() <= 15, qPrintable(field));
        }
    }
    const QStringList incoming = run.out.section(QLatin1Char('\n'), 0, 0).split(QLatin1Char('\t'));
    QCOMPARE(incoming.value(0), QStringLiteral("INCOMING"));
    QCOMPARE(incoming.value(1 + ResRst20), QStringLiteral("52440999999.9738"));
    QCOMPARE(incoming.value(1 + ResRgt), QStringLiteral("104882000000.236"));
}

QTEST_GUILESS_MAIN(TestFaultDriver)
#include "tst_faultdriver.moc"
