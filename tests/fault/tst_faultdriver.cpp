// sevrin-calc fault on the small radial network: TR-1 (1000 kVA, 0.38 kV) with one 110 kW
// motor and the bus MCC-1, TR-2 (2000 kVA, 0.44 kV, NGR 10 ohm) with the bus MCC-2 in cell 3
// after two empty cells, breaker time 0.02 s. The output is compared with a hand-checked
// expected file, and its lines with what the same calculation shows in-process.
#include "faultfixture.h"

#include "app/core/companionworkbook.h"
#include "common/calcdriver.h"
#include "common/recordingprompt.h"
#include "common/testsupport.h"
#include "platform/profile.h"

#include <QFile>
#include <QTest>

using namespace fault;
using faultfixture::BuildRadialNetwork;
using faultfixture::Project;

class TestFaultDriver : public QObject
{
    Q_OBJECT

private slots:
    void init() { RecordingPrompt::Install(); }
    void faultCommandMatchesExpectedFile();
    void nonsenseInputsPrintNoFigure_data();
    void nonsenseInputsPrintNoFigure();

private:
    // The golden network (TR-1 with a motor and MCC-1, TR-2 with NGR 10 and MCC-2) stored in
    // a project file beside its workbooks; the program folder in `root`.
    void BuildProject(Project& p, const QString& root);
};

void TestFaultDriver::BuildProject(Project& p, const QString& root)
{
    CSevrinApp& a = *p.app;
    a.CabinetSizingBlock.ConductorCriteriaIndex[2] = 1;  // 0.02 s
    const QString project = a.ProjectPathTable.CurrentProjectPath;
    QVERIFY(QFile::copy(root + "/FORM/form.pro", project));
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
    CalcFaultCurrent(a, p.pages);
    QVERIFY(p.AddBus(1, 2, QStringLiteral("MCC-2"), 0));
    CalcFaultCurrent(a, p.pages);
}

void TestFaultDriver::faultCommandMatchesExpectedFile()
{
    QTemporaryDir rootDir;
    QVERIFY(rootDir.isValid());
    QVERIFY(CopyProgramFolder(rootDir.path()));

    Project p;
    BuildProject(p, rootDir.path());
    CSevrinApp& a = *p.app;
    const QString project = a.ProjectPathTable.CurrentProjectPath;

    const CalcRun run = RunSevrinCalc(rootDir.path(), project, QStringLiteral("fault"));
    QVERIFY2(run.exitCode == 0, qPrintable(run.err));

    // The driver's "계산" is the screen's: its lines carry the texts the views show here.
    const auto line = [](const QStringList& head, const std::array<QString, kBusResults>& r) {
        QStringList f = head;
        for (const QString& t : r)
            f << t;
        return f.join(QLatin1Char('\t'));
    };
    const QStringList lines = run.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    QVERIFY(lines.contains(line({"INCOMING"}, p.pages.Incoming.Results)));
    QVERIFY(lines.contains(line({"TR", "1"}, p.pages.Columns[0].TransformerCell.Results)));
    QVERIFY(lines.contains(line({"TR", "2"}, p.pages.Columns[1].TransformerCell.Results)));
    QVERIFY(lines.contains(line({"BUS", "2", "3", "MCC-2"}, p.pages.Columns[1].Cells[2].Results)));

    // The stored page reads the same in another spreadsheet reader.
    const PythonResult py = RunPython(QStringLiteral(
        "import sys, openpyxl\n"
        "ws = openpyxl.load_workbook(sys.argv[1]).worksheets[2]\n"
        "print(ws.cell(row=2, column=17).value, ws.cell(row=1, column=1).value, ws.cell(row=1, column=2).value)\n"),
        {a.BusWorkbookPath(1)});
    QVERIFY2(py.exitCode == 0, qPrintable(py.err));
    const auto& mcc2 = p.pages.Columns[1].Cells[2].Results;
    QCOMPARE(py.out.trimmed(), QStringLiteral("MCC-2 %1 %2").arg(mcc2[ResIk], mcc2[ResIbMax]));

    const QString expectedPath = QStringLiteral(SEVRIN_TEST_DATA_DIR "/fault/golden/fault.txt");
    if (qEnvironmentVariableIsSet("SEVRIN_UPDATE_GOLDEN"))
        QVERIFY(WriteFile(expectedPath, run.out.toUtf8()));
    QCOMPARE(run.out, QString::fromUtf8(ReadFile(expectedPath)));
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
    QTemporaryDir rootDir;
    QVERIFY(rootDir.isValid());
    QVERIFY(CopyProgramFolder(rootDir.path()));
    Project p;
    BuildProject(p, rootDir.path());
    CSevrinApp& a = *p.app;
    const QString project = a.ProjectPathTable.CurrentProjectPath;
    if (sheet < 0) {
        QVERIFY(WriteProfileString(project, QStringLiteral("Fault_Current"), key, text));
    } else {
        QVERIFY(a.ReadFaultDataRow(sheet, row));
        auto& cells = sheet == TransformerSheet ? a.FaultCurrentBlock.TransformerImpedanceRow
                                                : a.FaultCurrentBlock.LineRow;
        cells[std::size_t(cell)] = text;
        QVERIFY(a.WriteFaultDataRow(sheet, row, false));
    }
    companion::DropCache();

    const CalcRun run = RunSevrinCalc(rootDir.path(), project, QStringLiteral("fault"));
    QVERIFY2(run.exitCode == 0, qPrintable(run.err));
    QVERIFY2(FindUnprintableFigure(run.out).isEmpty(), qPrintable(FindUnprintableFigure(run.out)));
    const QStringList golden = QString::fromUtf8(ReadFile(QStringLiteral(SEVRIN_TEST_DATA_DIR "/fault/golden/fault.txt")))
                                   .split(QLatin1Char('\n'));
    const QStringList lines = run.out.split(QLatin1Char('\n'));
    const auto ik = [](const QStringList& from, const QString& head) {
        for (const QString& l : from)
            if (l.startsWith(head + QLatin1Char('\t')))
                return l.mid(head.size() + 1).section(QLatin1Char('\t'), 0, 0);
        return QStringLiteral("missing");
    };
    QCOMPARE(ik(lines, empty), QString());
    if (!kept.isEmpty()) {
        QVERIFY(!ik(golden, kept).isEmpty());
        QCOMPARE(ik(lines, kept), ik(golden, kept));
    }
}

QTEST_GUILESS_MAIN(TestFaultDriver)
#include "tst_faultdriver.moc"
