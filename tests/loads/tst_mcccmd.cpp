// The driver's "mcc" command on a small project: every stored load row recomputed as a
// modification would, then each panel's totals, printed and stored, compared with a
// hand-checked file.
//
// Library motors after the project's conditions (beta 6.5, k 1.4, Y-D C "0.333", S.S lambda 3,
// tm DOL 6 s, Y-D 15 s, S.S 10 s, cos(phi)S 0.3):
//  37 kW DOL, eta 0.93, cos 0.86: S = 37 / 0.86 / 0.93 = 46.26 kVA, IB = 46.26 / (sqrt3 x
//    0.38) = 70.29 A, IMS = 70.29 x 6.5 x 1 = 456.87 A, II = 639.61 A, starting kVA 300.70.
//  55 kW Y-D, eta 0.94, cos 0.87, DF 0.9: S = 67.25 kVA, IB = 102.18 A, IMS = 102.18 x 6.5 x
//    0.333 = 221.17 A, DL = 60.53 kVA.
//  15 kW S.S spare: S = 19.18 kVA, IMS = 29.14 x 3 = 87.43 A.
// MCC-A counts 37 kW (46.26), 55 kW (67.25 / 60.53), a 10 kVA light at DF 0.5 (10 / 5), the
// fed panel MCC-B (20 / 20) and board LP-1 (12 connected, 9.5 demand); the refused 38 kW row
// has no figures. ΣCL = 46.26 + 67.25 + 10 + 20 + 12 = 155.51 -> "156"; ΣDL = 46.26 + 60.53
// + 5 + 20 + 9.5 = 141.29 -> "141"; DF = 90.9 % -> "91"; largest motor the 37 kW DOL (IMS
// 456.87); largest load 60.53, so 141.29 - 60.53 = 80.76 -> "81".
// MCC-B: one 20 kVA three-phase load: "20", "100", "20", no motor: "-".
#include "app/core/sevrin.h"
#include "cable/cabledriverproject.h"
#include "common/calcdriver.h"
#include "loads/core/mccpanel.h"
#include "mccfixture.h"
#include "common/testpaths.h"
#include "common/golden.h"
#include "common/driverproject.h"

#include <QTest>

using namespace mccfixture;

namespace {

// The fixture library with the CT ratio table of the switchgear sheet, and the worked
// conditions stored in the project.
bool UseWorkedConditions(CSevrinApp& app, const TempDriverProject& where)
{
    const QString lib = where.root() + "/LIB/lib_v3p4.xlsx";
    if (!cablefixture::ReplaceLibrary(where.root() + "/LIB"))
        return false;
    {
        Book book;
        if (!book.load(lib))
            return false;
        Sheet* s = book.getSheet(6);
        const int primaries[] = {0, 15, 30, 50, 75, 100, 150, 200, 300, 400};
        const char* labels[] = {"15", "20", "30", "50", "75", "100", "150", "200", "300", "400"};
        for (int e = 0; e < 10; ++e) {
            s->writeNum(6 + e, 7, primaries[e]);
            s->writeStr(6 + e, 8, QString::fromLatin1(labels[e]));
        }
        if (!book.save(lib))
            return false;
    }
    return cablefixture::StoreWorkedConditions(app, where);
}

}  // namespace

class TestMccCommand : public QObject
{
    Q_OBJECT

private slots:
    void recomputesPanelsAndLoads();
    void nonsenseInputsPrintNoFigure();
    void refusedRowPrintsZeroWithoutSign_data();
    void refusedRowPrintsZeroWithoutSign();
    void workbookMissingPrintsNothingUnreadableFails();
};

void TestMccCommand::recomputesPanelsAndLoads()
{
    const CommandProject p(UseWorkedConditions);
    QVERIFY(p.ok());
    CSevrinApp& app = p.app();

    QVERIFY(AddPanel(app, {"MCC-A"}));
    QVERIFY(AddPanel(app, {"MCC-B", "MCC-A", "3P4W", "0.38", "20"}));
    MccLoadRow breaker = LoadInputs("주펌프", "FP-1", "M", "37", "", "N", "3P", "DOL", "1.00");
    breaker[MccCol::BreakerPoles] = "3";
    breaker[MccCol::BreakerFrame] = "100";
    breaker[MccCol::BreakerTrip] = "100";
    QVERIFY(WriteLoads(app, 0,
                       {breaker,
                        LoadInputs("배수펌프", "DP-1", "M", "55", "", "N", "3P", "Y-D", "0.9"),
                        LoadInputs("예비펌프", "FP-2", "M", "15", "", "Y", "3P", "S.S", "1.00"),
                        LoadInputs("전등", "L-1", "L1", "", "10", "N", "2P", "-", "0.5"),
                        MakeMccLinkedLoadRow("MCC-B", "20", 20.0),
                        MakeMccLinkedLoadRow("LP-1", "12", 9.5),
                        LoadInputs("미등록", "X-1", "M", "38", "", "N", "3P", "DOL", "1"),
                        // Without an equipment number the list ends: the row after is not read.
                        LoadInputs("번호없음", "", "L1", "", "1", "N", "2P", "-", "1"),
                        LoadInputs("고아", "O-1", "L1", "", "1", "N", "2P", "-", "1")}));
    QVERIFY(WriteLoads(app, 1, {LoadInputs("팬", "F-1", "L3P", "", "20", "N", "3P", "-", "1.0")}));

    const CalcRun r = p.run("mcc");
    QVERIFY2(r.exitCode == 0, qPrintable(r.err));
    QVERIFY2(r.err.isEmpty(), qPrintable(r.err));

    const QString diff = GoldenDifference(r.out, TestDataDir() + QStringLiteral("/loads/golden/mcc.txt"));
    QVERIFY2(diff.isEmpty(), qPrintable(diff));

    // The hand-checked figures of the comment above.
    const QStringList lines = r.out.split('\n', Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), 7 + 1 + 1 + 1);
    const QStringList panelA = lines[7].split('\t');
    QCOMPARE(panelA.mid(0, 3), QStringList({"PANEL", "MCC-A", "MCC-A"}));
    QCOMPARE(panelA.mid(9, 3), QStringList({"156", "91", "141"}));
    QCOMPARE(panelA.mid(12, 1), QStringList({"37"}));
    QCOMPARE(panelA.mid(18, 4), QStringList({"81", "301", "6s", "DOL"}));
    const QStringList panelB = lines[9].split('\t');
    QCOMPARE(panelB.mid(9, 3), QStringList({"20", "100", "20"}));
    QCOMPARE(panelB.mid(18, 4), QStringList({"0", "-", "-", ""}));
    // The breaker of a modified row stays; the refused row is printed as stored.
    const QStringList first = lines[0].split('\t');
    QCOMPARE(first.mid(29, 3), QStringList({"3", "100", "100"}));
    QCOMPARE(lines[6].split('\t')[2 + MccCol::InputKva], QString());

    // The driver stored what it printed: the panel's results are in its sheet.
    QVERIFY(app.ReadMccPanelSheet(0));
    QCOMPARE(app.MotorControlCenterBlock.MccPanelRecord[9], QStringLiteral("141"));
    QCOMPARE(ReadMccLoadRows(app, 0)[1][MccCol::Ims], QStringLiteral("221.17"));
}

void TestMccCommand::nonsenseInputsPrintNoFigure()
{
    const CommandProject p(UseWorkedConditions);
    QVERIFY(p.ok());
    CSevrinApp& app = p.app();

    // MCC-N: a panel of nonsense. Its voltage is no number; its rows hold nan, inf, -inf,
    // 1e308, negatives, empty texts and a decimal comma as loads and demand factors, and one
    // row carries figures of an older calculation that are nonsense too. A fed panel whose
    // stored demand is 1e308 is linked into it.
    QVERIFY(AddPanel(app, {"MCC-N", "TR-1", "3P4W", "-0.38"}));
    QVERIFY(AddPanel(app, {"MCC-F", "MCC-N", "3P4W", "0.38", "1e308"}));
    MccLoadRow stale = LoadInputs("구형", "O-1", "M", "37", "", "N", "3P", "DOL", "nan");
    for (int c : {MccCol::InputKva, MccCol::DemandKva, MccCol::L1, MccCol::Ims, MccCol::MotorKw,
                  MccCol::MotorStartKva, MccCol::Beta})
        stale[std::size_t(c)] = QStringLiteral("inf");
    stale[MccCol::Efficiency] = QStringLiteral("-1e308");
    QVERIFY(WriteLoads(app, 0,
                       {LoadInputs("펌프1", "N-1", "M", "nan", "", "N", "3P", "DOL", "1"),
                        LoadInputs("펌프2", "N-2", "M", "-37", "", "N", "3P", "DOL", "1"),
                        LoadInputs("전등1", "N-3", "L1", "", "inf", "N", "2P", "-", "1"),
                        LoadInputs("전등2", "N-4", "L2", "", "-inf", "N", "2P", "-", "1"),
                        LoadInputs("전등3", "N-5", "L3", "", "1e308", "N", "2P", "-", "1"),
                        LoadInputs("전등4", "N-6", "L3P", "", "12,5", "N", "3P", "-", "1"),
                        LoadInputs("전등5", "N-7", "L1", "", "10", "N", "2P", "-", "-0.5"),
                        LoadInputs("전등6", "N-8", "L1", "", "10", "N", "2P", "-", ""),
                        stale, MakeMccLinkedLoadRow("MCC-F", "1e308", 1e308)}));

    const PrintedRun r = RunPrinting(p, "mcc");
    QVERIFY2(r.failure.isEmpty(), qPrintable(r.failure));

    // Every row is refused by the input check and kept as stored; the panel's totals cannot
    // be computed from them: "-", never 0 or a 309-digit figure, and no main CT.
    QCOMPARE(r.lines.size(), 10 + 1 + 1);
    const QStringList panel = r.lines[10].split('\t');
    QCOMPARE(panel.mid(0, 2), QStringList({"PANEL", "MCC-N"}));
    QCOMPARE(panel.value(2 + 4), QString("-"));  // the voltage as printed
    QCOMPARE(panel.mid(9, 3), QStringList({"-", "-", "-"}));
    QCOMPARE(panel.value(2 + 16), QString("-"));
    // What is stored is left as it was: the driver does not repair the inputs.
    const std::vector<MccLoadRow> stored = ReadMccLoadRows(app, 0);
    QCOMPARE(stored.size(), std::size_t(10));
    QCOMPARE(stored[0][MccCol::Kw], QString("nan"));
    QCOMPARE(stored[8][MccCol::Ims], QString("inf"));
    QVERIFY(app.ReadMccPanelSheet(0));
    QCOMPARE(app.MotorControlCenterBlock.MccPanelRecord[4], QString("-0.38"));
}

// A row the input check refuses (its kW is "nan") is printed as stored, each quantity through
// the strict reader: a zero stored with a minus prints as the 0 it is, never "-0"; where the
// quantity must be above 0 (a kVA) it is no value, "-".
void TestMccCommand::refusedRowPrintsZeroWithoutSign_data()
{
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("expected");
    QTest::newRow("demand factor -0") << int(MccCol::DemandFactor) << "-0" << "0";
    QTest::newRow("demand factor -0.00") << int(MccCol::DemandFactor) << "-0.00" << "0.00";
    QTest::newRow("line load -0") << int(MccCol::L1) << "-0" << "0";
    QTest::newRow("input kVA -0") << int(MccCol::InputKva) << "-0" << "0";
    QTest::newRow("kVA -0") << int(MccCol::Kva) << "-0" << "-";
    QTest::newRow("demand factor -0.5") << int(MccCol::DemandFactor) << "-0.5" << "-";
}

void TestMccCommand::refusedRowPrintsZeroWithoutSign()
{
    QFETCH(int, column);
    QFETCH(QString, stored);
    QFETCH(QString, expected);
    const CommandProject p(UseWorkedConditions);
    QVERIFY(p.ok());
    CSevrinApp& app = p.app();
    QVERIFY(AddPanel(app, {"MCC-Z"}));
    MccLoadRow refused = LoadInputs("펌프", "Z-1", "M", "nan", "", "N", "3P", "DOL", "1");
    refused[std::size_t(column)] = stored;
    QVERIFY(WriteLoads(app, 0, {refused}));

    const PrintedRun r = RunPrinting(p, "mcc");
    QVERIFY2(r.failure.isEmpty(), qPrintable(r.failure));
    QCOMPARE(r.lines.size(), 2);
    QCOMPARE(r.field(0, 2 + column), expected);
    // The file keeps what was stored: the driver shows the zero, it does not rewrite it.
    QCOMPARE(ReadMccLoadRows(app, 0)[0][std::size_t(column)], stored);
}

void TestMccCommand::workbookMissingPrintsNothingUnreadableFails()
{
    const CommandProject p(UseWorkedConditions);
    QVERIFY(p.ok());
    QCOMPARE(p.app().CompanionPath(CSevrinApp::MccWorkbook), p.filePath("P1_10.xlsx"));
    VerifyWorkbookMissingThenUnreadable(p, "P1_10.xlsx", "mcc");
}

QTEST_GUILESS_MAIN(TestMccCommand)
#include "tst_mcccmd.moc"
