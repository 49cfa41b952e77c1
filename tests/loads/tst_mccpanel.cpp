// A motor-control-centre panel over its workbooks: the stored totals and their read-back by an
// independent reader, the feeder from the cable schedule, the fault currents from the bus
// workbooks, the linked-load import from "_10" and "_20", the breaker import and the copy of
// a panel's rows.
#include "loads/core/mccpanel.h"

#include "app/core/sevrin.h"
#include "common/recordingprompt.h"
#include "common/testsupport.h"
#include "mccfixture.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace mccfixture;

class TestMccPanel : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void panelResultsAreStored();
    void feederAndFaultCurrents();
    void linkedLoadsFromPanelsAndBoards();
    void breakerImportTakesFirstMatch();
    void recalcKeepsRefusedRowsAndBreakers();
    void recalcThatCannotStoreARowStoresNone();
    void totalsReadTheListedRows();
    void copiesEveryRowOfTheSource();
    void unreadableWorkbookChangesNothing();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<CSevrinApp> m_app;
};

void TestMccPanel::init()
{
    RecordingPrompt::Install();
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    m_app = std::make_unique<CSevrinApp>();
    UseProject(*m_app, m_dir->path());
    FillCtTable(m_app->SwitchgearLibBlock.CtRatioTable);
    FillMotors(*m_app);
    // k 1.4, tm S.S 10 s, cos(phi)S 0.2.
    m_app->MotorControlCenterBlock.MccConditionIndex = {6, 0, 0, 1, 1, 3, 2, 2, 2, 2};
}

void TestMccPanel::panelResultsAreStored()
{
    CSevrinApp& app = *m_app;
    QVERIFY(AddPanel(app, {"MCC-A"}));
    std::vector<MccLoadRow> rows = {
        LoadInputs("주펌프", "FP-1", "M", "37", "", "N", "3P", "DOL", "1.00"),
        LoadInputs("조명", "L-1", "L1", "", "10", "N", "2P", "-", "0.5"),
    };
    for (MccLoadRow& r : rows)
        CalcMccLoadRow(r, MccLoadConditionsOf(app), AppMotorLookup(app));
    QVERIFY(WriteLoads(app, 0, rows));

    const MccPanelCalc c = CalcMccPanelResults(app, 0);
    QVERIFY(c.read);
    QVERIFY(c.stored);
    // ΣCL = 46.26 + 10 = 56.26, ΣDL = 46.26 + 5 = 51.26, DF = 91.1 %; without the largest
    // load 51.26 - 46.26 = 5; main CT 51.26 / (sqrt3 x 0.38) = 77.9 A -> label "75".
    QCOMPARE(c.totals[0], QStringLiteral("56"));
    QCOMPARE(c.totals[1], QStringLiteral("91"));
    QCOMPARE(c.totals[2], QStringLiteral("51"));
    QCOMPARE(c.totals[17], QStringLiteral("75/5"));
    QCOMPARE(c.totals[20], QStringLiteral("5"));
    QCOMPARE(app.MotorControlCenterBlock.MccPanelTotals, c.totals);

    // An independent reader sees the thirteen result cells beside the header.
    const QString script = QStringLiteral(
        "import sys, openpyxl\n"
        "ws = openpyxl.load_workbook(sys.argv[1])['MCC-A']\n"
        "cells = [(0,1),(1,1),(2,1),(0,2),(1,2),(2,2),(3,2),(4,2),(5,2),(0,3),(1,3),(2,3),(3,3)]\n"
        "print('|'.join(str(ws.cell(r + 1, c + 1).value) for r, c in cells))\n");
    const PythonResult r = RunPython(script, {app.CompanionPath(CSevrinApp::MccWorkbook)});
    QVERIFY2(r.exitCode == 0, qPrintable(r.err));
    QCOMPARE(r.out.trimmed(),
             QStringLiteral("56|91|51|37|0.860|6.50|0.930|0.20|1.00|5|301|6s|DOL"));
}

void TestMccPanel::feederAndFaultCurrents()
{
    CSevrinApp& app = *m_app;
    QVERIFY(AddPanel(app, {"MCC-A"}));
    const std::map<int, QString> feeder = {{91, "3"},        {96, "225"}, {97, "150"},
                                           {102, "35"},      {104, "0.6/1kV"}, {105, "FCV"},
                                           {106, "70"},      {108, "4"},  {109, "1"},
                                           {110, "35"},      {111, "ST|54"}};
    QVERIFY(AddCable(app, 0, "MDB", "MCC-AB", {{91, "4"}}));  // not the panel itself
    QVERIFY(AddCable(app, 1, "MDB", "MCC-A", feeder));
    QVERIFY(AddCable(app, 2, "MDB", "MCC-A", {{91, "2"}}));   // a second feeder is ignored
    // TR-1 gives both values; TR-2's page of the name has empty cells and gives none; TR-3
    // only a maximum, which wins as the later transformer.
    QVERIFY(WriteBusWorkbook(app, 0, {{"MCC-A BUS", "99", "99"}, {"MCC-A", "12.5", "8.25"}}));
    QVERIFY(WriteBusWorkbook(app, 1, {{"MCC-A", "", ""}}));
    QVERIFY(WriteBusWorkbook(app, 2, {{"MCC-A", "15.125", ""}}));

    const MccPanelCalc c = CalcMccPanelResults(app, 0);
    QCOMPARE(c.totals[14], QStringLiteral("3P"));
    QCOMPARE(c.totals[15], QStringLiteral("225"));
    QCOMPARE(c.totals[16], QStringLiteral("150AT"));
    QCOMPARE(c.totals[18], QStringLiteral("35"));
    QCOMPARE(c.totals[19], QStringLiteral("0.6/1kV FCV 70/4-1,E-35(ST|54)"));
    QCOMPARE(c.fault.maximum, QStringLiteral("15.125"));
    QCOMPARE(c.fault.minimum, QStringLiteral("8.250"));

    // No feeder row and no bus: empty breaker fields and "-" for both currents.
    QVERIFY(AddPanel(app, {"MCC-Z"}));
    const MccPanelCalc z = CalcMccPanelResults(app, 1);
    for (int i : {14, 15, 16, 18, 19})
        QCOMPARE(z.totals[std::size_t(i)], QString());
    QCOMPARE(z.fault.maximum, QStringLiteral("-"));
    QCOMPARE(z.fault.minimum, QStringLiteral("-"));

    // A bus found only with empty value cells gives no value either (never a stale or 0 kA).
    QVERIFY(WriteBusWorkbook(app, 3, {{"MCC-Z", "", ""}}));
    const MccFaultCurrents e = FindMccFaultCurrents(app, "MCC-Z");
    QCOMPARE(e.maximum, QStringLiteral("-"));
    QCOMPARE(e.minimum, QStringLiteral("-"));
}

void TestMccPanel::linkedLoadsFromPanelsAndBoards()
{
    CSevrinApp& app = *m_app;
    QVERIFY(AddPanel(app, {"MCC-A", "MCC-A"}));  // its own FROM: it feeds itself
    QVERIFY(AddPanel(app, {"MCC-B", "MCC-A", "3P4W", "0.38", "35"}));
    QVERIFY(AddPanel(app, {"MCC-C", "TR-2", "3P4W", "0.38", "50"}));
    // Boards of the panel-board screen: connected load in VA, demand in kVA.
    QVERIFY(AddBoard(app, "LP-1", "MCC-A", "12345", "77", "9.5"));
    QVERIFY(AddBoard(app, "LP-2", "MCC-B", "5000", "100", "5"));
    QVERIFY(AddBoard(app, "LP-3", "MCC-A", "2000", "", ""));  // never computed

    const MccLinkedLoads l = CollectMccLinkedLoads(app, "MCC-A");
    QCOMPARE(l.panels, 2);
    QCOMPARE(l.boards, 2);
    QCOMPARE(int(l.rows.size()), 4);
    // Name, number, kind, kVA (col 4 and 6), DF, demand and its thirds.
    const auto check = [&](int i, const QString& name, const QString& kva, const QString& demand,
                           const QString& third) {
        const MccLoadRow& r = l.rows[std::size_t(i)];
        QCOMPARE(r[0], name);
        QCOMPARE(r[1], QStringLiteral("-"));
        QCOMPARE(r[2], QStringLiteral("L3P"));
        QCOMPARE(r[4], kva);
        QCOMPARE(r[6], kva);
        QCOMPARE(r[22], QStringLiteral("1.00"));
        QCOMPARE(r[23], demand);
        QCOMPARE(r[24], third);
        QCOMPARE(r[26], third);
        QCOMPARE(r[5], QString());
        QCOMPARE(r[13], QString());
        QVERIFY(IsMccLinkedRow(r));
    };
    check(0, "MCC-A", "", "0.00", "0.00");
    check(1, "MCC-B", "35", "35.00", "11.67");
    // 12 345 VA -> "12" kVA connected; its demand 9.5 kVA -> 3.17 a line.
    check(2, "LP-1", "12", "9.50", "3.17");
    // A board without a stored demand counts with its connected load.
    check(3, "LP-3", "2", "2.00", "0.67");
}

void TestMccPanel::breakerImportTakesFirstMatch()
{
    CSevrinApp& app = *m_app;
    std::vector<MccLoadRow> rows = {
        LoadInputs("펌프1", "M-1", "M", "37", "", "N", "3P", "DOL", "1"),
        LoadInputs("펌프2", "M-2", "M", "37", "", "N", "3P", "DOL", "1"),
        LoadInputs("펌프2 예비", "M-2", "M", "37", "", "Y", "3P", "DOL", "1"),
    };
    QVERIFY(AddCable(app, 0, "MCC-A", "M-2", {{91, "3"}, {96, "100"}, {97, "75"}}));
    QVERIFY(AddCable(app, 1, "MCC-B", "M-1", {{91, "4"}, {96, "400"}, {97, "300"}}));
    QVERIFY(AddCable(app, 2, "MCC-A", "M-1", {{91, "3"}, {96, "50"}, {97, "30"}}));
    QVERIFY(AddCable(app, 3, "MCC-A", "X-9", {{91, "3"}, {96, "50"}, {97, "20"}}));

    const MccBreakerImport r = MatchMccBreakers(app, "MCC-A", rows);
    QCOMPARE(r.total, 4);  // every cable row read, matched or not
    QCOMPARE(r.matched, 2);
    QCOMPARE(r.changedRows, (std::vector<int>{1, 0}));
    QCOMPARE(rows[0][27] + rows[0][28] + rows[0][29], QStringLiteral("35030"));
    QCOMPARE(rows[1][27] + rows[1][28] + rows[1][29], QStringLiteral("310075"));
    QCOMPARE(rows[2][27] + rows[2][28] + rows[2][29], QString());
}

void TestMccPanel::recalcKeepsRefusedRowsAndBreakers()
{
    CSevrinApp& app = *m_app;
    QVERIFY(AddPanel(app, {"MCC-A"}));
    MccLoadRow motor = LoadInputs("주펌프", "FP-1", "M", "37", "", "N", "3P", "DOL", "1.00");
    motor[MccCol::BreakerPoles] = "3";
    motor[MccCol::BreakerTrip] = "100";
    motor[MccCol::Remark] = "현장 확인";
    const MccLoadRow refused = LoadInputs("X", "X-1", "M", "38", "", "N", "3P", "DOL", "1");
    QVERIFY(WriteLoads(app, 0, {motor, refused}));

    std::vector<MccLoadRow> rows;
    QVERIFY(RecalcMccPanelLoads(app, 0, rows));
    QCOMPARE(int(rows.size()), 2);
    QCOMPARE(rows[0][MccCol::InputKva], QStringLiteral("46.26"));
    QCOMPARE(rows[0][MccCol::BreakerPoles], QStringLiteral("3"));
    QCOMPARE(rows[0][MccCol::Remark], QStringLiteral("현장 확인"));
    QCOMPARE(rows[1], refused);  // no 38 kW motor in the library: left as stored
    // Stored as computed.
    QCOMPARE(ReadMccLoadRows(app, 0)[0], rows[0]);
}

void TestMccPanel::recalcThatCannotStoreARowStoresNone()
{
    CSevrinApp& app = *m_app;
    QVERIFY(AddPanel(app, {"MCC-A"}));
    const std::vector<MccLoadRow> inputs = {
        LoadInputs("주펌프", "FP-1", "M", "37", "", "N", "3P", "DOL", "1.00"),
        LoadInputs("전등", "L-1", "L1", "", "10", "N", "2P", "-", "1")};
    QVERIFY(WriteLoads(app, 0, inputs));
    const QString path = app.CompanionPath(CSevrinApp::MccWorkbook);
    const QByteArray before = ReadFile(path);
    std::vector<MccLoadRow> rows;
    {
        // The first recomputed row is stored, the second refused.
        WorkbookWritesRefusedAfter refusal(path, 1);
        QVERIFY(!RecalcMccPanelLoads(app, 0, rows));
        QCOMPARE(refusal.refused(), 1);
    }
    QCOMPARE(ReadFile(path), before);
    QCOMPARE(ReadMccLoadRows(app, 0), inputs);
}

void TestMccPanel::totalsReadTheListedRows()
{
    // A row without an equipment name is listed (the list ends at a row without a number),
    // so the totals count it too; the row without a number ends both.
    CSevrinApp& app = *m_app;
    QVERIFY(AddPanel(app, {"MCC-A"}));
    std::vector<MccLoadRow> rows = {
        LoadInputs("전등", "L-1", "L1", "", "10", "N", "2P", "-", "1"),
        LoadInputs("", "L-2", "L2", "", "20", "N", "2P", "-", "1"),
        LoadInputs("끝", "", "L3", "", "40", "N", "2P", "-", "1"),
        LoadInputs("고아", "L-4", "L3", "", "80", "N", "2P", "-", "1"),
    };
    for (MccLoadRow& r : rows)
        CalcMccLoadRow(r, MccLoadConditionsOf(app), AppMotorLookup(app));
    QVERIFY(WriteLoads(app, 0, rows));
    QCOMPARE(int(ReadMccLoadRows(app, 0).size()), 2);
    QCOMPARE(CalcMccPanelResults(app, 0).totals[0], QStringLiteral("30"));
}

void TestMccPanel::copiesEveryRowOfTheSource()
{
    CSevrinApp& app = *m_app;
    QVERIFY(AddPanel(app, {"MCC-A"}));
    QVERIFY(AddPanel(app, {"MCC-B"}));
    std::vector<MccLoadRow> rows;
    for (int i = 0; i < 3; ++i)
        rows.push_back(LoadInputs(QString("부하%1").arg(i), QString("L-%1").arg(i), "L1", "", "1",
                                  "N", "2P", "-", "1"));
    QVERIFY(WriteLoads(app, 0, rows));
    QVERIFY(AddPanel(app, {"MCC-A_142530"}));
    QVERIFY(CopyMccLoadRows(app, 0, 2));
    const std::vector<MccLoadRow> copied = ReadMccLoadRows(app, 2);
    QCOMPARE(int(copied.size()), 3);
    QCOMPARE(copied[2], rows[2]);
    QVERIFY(!CopyMccLoadRows(app, 0, 7));  // no such sheet
}

void TestMccPanel::unreadableWorkbookChangesNothing()
{
    CSevrinApp& app = *m_app;
    const QString path = app.CompanionPath(CSevrinApp::MccWorkbook);
    QVERIFY(WriteFile(path, "not a workbook"));
    std::vector<MccLoadRow> rows;
    QVERIFY(!RecalcMccPanelLoads(app, 0, rows));
    QVERIFY(!CalcMccPanelResults(app, 0).read);
    QVERIFY(!CopyMccLoadRows(app, 0, 1));
    QCOMPARE(ReadFile(path), QByteArray("not a workbook"));
}

QTEST_GUILESS_MAIN(TestMccPanel)
#include "tst_mccpanel.moc"
