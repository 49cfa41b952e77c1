// The board level: totals computed by hand, the main breaker from the cable schedule and the
// fault currents from the bus workbooks, the linked loads of the fed panels and boards, the
// minimum fault-current search over a board's circuits, and the board-name check.
#include "loads/core/boardschedule.h"

#include "app/core/companionworkbook.h"
#include "boardfixture.h"
#include "platform/xlsxbook.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

// A calculated circuit as the sizing leaves it, with only what the totals read.
CircuitCells Circuit(const QString& no, const QString& name, const QString& l1, const QString& l2,
                     const QString& l3, const QString& subtotal)
{
    CircuitCells row;
    row[CcNo] = no;
    row[CcName] = name;
    row[CcSubtotal] = subtotal;
    row[CcL1] = l1;
    row[CcL2] = l2;
    row[CcL3] = l3;
    return row;
}

// A board sheet with header texts and the given circuit rows.
bool AddBoard(CSevrinApp& app, const QString& name, const QString& from,
              const std::vector<CircuitCells>& rows, const QString& total = QString())
{
    auto& r = app.CabinetSizingBlock.PanelBoardRecord();
    r = {};
    r[0] = name;
    r[1] = "B1";
    r[2] = "매립형";
    r[3] = from;
    r[4] = "0.38";
    r[5] = "3P4W";
    r[6] = "X";
    if (!app.AddPanelBoardSheet())
        return false;
    const int board = app.CabinetSizingBlock.PanelBoardCount()++;
    if (!total.isEmpty()) {
        r[7] = total;
        if (!app.WritePanelBoardResults(board))
            return false;
    }
    return boardfixture::WriteCircuitRows(app, board, rows);
}

}  // namespace

class TestBoardSchedule : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void oneCircuitBoardByHand();
    void threePhaseLoadSharesEqually();
    void linkedPanelsCountOnEveryPhase();
    void mainBreakerAndLaterBusWin();
    void boardWithoutSheetChangesNothing();
    void searchLeavesSubtotalsAndLinkedLoads();
    void linkedLoadsOfFedPanels();
    void refusedBoardNames_data();
    void refusedBoardNames();

private:
    QTemporaryDir m_dir;
    QString m_project;
};

void TestBoardSchedule::init()
{
    companion::DropCache();
    QVERIFY(m_dir.isValid());
    // Every test its own project.
    static int n = 0;
    m_project = m_dir.path() + QStringLiteral("/P%1.pro").arg(++n);
}

void TestBoardSchedule::oneCircuitBoardByHand()
{
    // 1000 VA on L1 at a demand factor of 70 %: I1 = 1000 / 220 = 4.55 A; shares 100 / 0 / 0 %;
    // demand load 1000 x 0.70 / 1000 = 0.70 kVA; main current 0.70 / sqrt3 / 0.38 = 1.06 A -> "1".
    const std::vector<CircuitCells> rows = {Circuit("1", "전등", "1000.00", "-", "-", "1000.00")};
    const std::array<QString, 18> t =
        CalcBoardTotals(SumBoardPhaseLoads(rows), "70", {"3", "100", "50", "25"});
    const std::array<QString, 18> expected = {"1000.00", "0.00", "0.00", "1000.00", "4.55",
                                              "0.00", "0.00", "100.00 %", "0.00 %", "0.00 %",
                                              "", "0.70", "1", "", "3", "100", "50", "25"};
    QCOMPARE(t, expected);
    // No load: no shares to show.
    const std::array<QString, 18> empty = CalcBoardTotals(BoardPhaseLoads{}, "70", {});
    QCOMPARE(empty[7], QStringLiteral("-"));
    QCOMPARE(empty[3], QStringLiteral("0.00"));
    QCOMPARE(empty[12], QStringLiteral("0"));
}

void TestBoardSchedule::threePhaseLoadSharesEqually()
{
    // A three-phase 3000 VA circuit puts 1000 VA on each phase, a third each.
    const std::vector<CircuitCells> rows = {
        Circuit("1", "동력", "1000.00", "1000.00", "1000.00", "3000.00"),
        // The list ends at the first row without a load name.
        Circuit("2", "", "500.00", "-", "-", "500.00"),
        Circuit("3", "뒤", "500.00", "-", "-", "500.00")};
    const std::array<QString, 18> t = CalcBoardTotals(SumBoardPhaseLoads(rows), "100", {});
    QCOMPARE(t[3], QStringLiteral("3000.00"));
    QCOMPARE(t[7], QStringLiteral("33.33 %"));
    QCOMPARE(t[8], QStringLiteral("33.33 %"));
    QCOMPARE(t[9], QStringLiteral("33.33 %"));
    // 3 kVA / sqrt3 / 0.38 kV = 4.56 A
    QCOMPARE(t[12], QStringLiteral("5"));
}

void TestBoardSchedule::linkedPanelsCountOnEveryPhase()
{
    // A fed board of 6000 VA carries no phase of its own: 2000 VA on each phase, so the
    // feeder of this board sees its sub-board.
    const std::vector<CircuitCells> rows = {Circuit("1", "전등", "1000.00", "-", "-", "1000.00"),
                                            MakeLinkedPanelRow("LN-2", "6000")};
    const BoardPhaseLoads s = SumBoardPhaseLoads(rows);
    QCOMPARE(s.linkedPanels, 1);
    QCOMPARE(s.l1, 3000.0);
    QCOMPARE(s.l2, 2000.0);
    QCOMPARE(s.l3, 2000.0);
}

void TestBoardSchedule::mainBreakerAndLaterBusWin()
{
    CSevrinApp app;
    boardfixture::UseProject(app, m_project);
    const QString base = m_project.chopped(4);
    QVERIFY(AddBoard(app, "LN-1", "TR-1", {Circuit("1", "전등", "1000.00", "-", "-", "1000.00")}));
    // The board's feeder in the cable schedule (the first row whose "To" is the board).
    QVERIFY(boardfixture::WriteCableSchedule(
        base + "_40.xlsx", {{"LN-9", "4", "400", "300", "50"}, {"LN-1", "3", "100", "50", "25"},
                            {"LN-1", "4", "225", "125", "35"}}));
    // The bus LN-1 under TR-1 and TR-3: the later transformer wins. TR-2 has a bus of the
    // board's name without values, which changes nothing.
    QVERIFY(boardfixture::WriteBusWorkbook(base + "_851.xlsx", {{"LN-1 BUS", "9", "8"}, {"LN-1", "12.5", "6.25"}}));
    QVERIFY(boardfixture::WriteBusWorkbook(base + "_852.xlsx", {{"LN-1", "", ""}}));
    QVERIFY(boardfixture::WriteBusWorkbook(base + "_853.xlsx", {{"LN-1", "10.1234", "5.4321"}}));

    QVERIFY(CalcPanelBoardInApp(app, 0, "LN-1", "70"));
    const auto& t = app.CabinetSizingBlock.PanelBoardTotals();
    QCOMPARE(t[14], QStringLiteral("3"));
    QCOMPARE(t[15], QStringLiteral("100"));
    QCOMPARE(t[16], QStringLiteral("50"));
    QCOMPARE(t[17], QStringLiteral("25"));
    const BoardFaultCurrents f = FindBoardFaultCurrents(app, "LN-1");
    QCOMPARE(f.maximum, QStringLiteral("10.123"));
    QCOMPARE(f.minimum, QStringLiteral("5.432"));
    QCOMPARE(FindBoardFaultCurrents(app, "LN-7").maximum, QStringLiteral("-"));

    // The results are in the board's sheet: total, demand factor, demand load, L1..L3.
    QVERIFY(app.ReadPanelBoardSheet(0));
    const auto& r = app.CabinetSizingBlock.PanelBoardRecord();
    QCOMPARE(r[7], QStringLiteral("1000.00"));
    QCOMPARE(r[8], QStringLiteral("70"));
    QCOMPARE(r[9], QStringLiteral("0.70"));
    QCOMPARE(r[10], QStringLiteral("1000.00"));
    QCOMPARE(r[11], QStringLiteral("0.00"));
    QCOMPARE(r[1], QStringLiteral("B1"));
}

void TestBoardSchedule::boardWithoutSheetChangesNothing()
{
    CSevrinApp app;
    boardfixture::UseProject(app, m_project);
    // No workbook: nothing is created.
    QVERIFY(!CalcPanelBoardInApp(app, 0, "LN-1", "70"));
    QVERIFY(!QFile::exists(m_project.chopped(4) + "_20.xlsx"));
    QVERIFY(AddBoard(app, "LN-1", "TR-1", {}));
    QVERIFY(!CalcPanelBoardInApp(app, 1, "LN-1", "70"));
    QVERIFY(!CalcPanelBoardInApp(app, -1, "LN-1", "70"));
    QVERIFY(app.ReadPanelBoardSheet(0));
    QVERIFY(app.CabinetSizingBlock.PanelBoardRecord()[7].isEmpty());
}

void TestBoardSchedule::searchLeavesSubtotalsAndLinkedLoads()
{
    CSevrinApp app;
    boardfixture::UseProject(app, m_project);
    const QString base = m_project.chopped(4);
    QVERIFY(AddBoard(app, "LN-1", "TR-1", {}));
    QVERIFY(AddBoard(app, "LN-2", "LN-1", {}));
    // TR-1 has no bus for this board; TR-2 has the sub-board LN-2 by name and a bus whose name
    // contains the board's (LN-1 BUS); a page named LN-1 itself does not count as containing.
    QVERIFY(boardfixture::WriteBusWorkbook(base + "_851.xlsx", {{"XX", "1", "1"}}));
    QVERIFY(boardfixture::WriteBusWorkbook(
        base + "_852.xlsx", {{"LN-1", "20", "9"}, {"LN-1 BUS", "8", "3.25"}, {"LN-2", "7", "2.5"}}));

    auto calc = [](const QString& no, const QString& name, const QString& unit, const QString& qty) {
        CircuitCells row;
        row[CcNo] = no;
        row[CcName] = name;
        row[CcUnitLoad] = unit;
        row[CcQuantity] = qty;
        row[CcPhase] = "L1";
        row[CcLength] = "10";
        row[CcBreaker] = "MCB|C";
        row[CcPoles] = "2";
        row[CcConductor] = "HFIX";
        row[CcMethod] = "A";
        row[CcIsMin] = "1";
        return row;
    };
    boardfixture::TableLookup lookup = boardfixture::MakeLookup();
    BranchCircuitConditions cond;
    std::vector<CircuitCells> rows;
    rows.push_back(calc("1", "전등", "100", "2"));  // calculated
    rows.push_back(calc("2", "콘센트", "50", "2"));  // group head: a subtotal line
    rows.push_back(calc("", "콘센트", "50", "1"));   // closing row: the group's 100 VA + its own 50
    rows.push_back(MakeLinkedPanelRow("LN-2", "6000"));
    rows.push_back(calc("3", "LN-2", "200", "1"));   // a circuit named after a board
    for (CircuitCells& r : rows)
        if (r[CcNo] != "PNL" && r[CcNo] != "2")
            CalcBranchCircuitRow(r, 0, 0.0, NO_VALUE, cond, lookup);
    CalcBranchCircuitRow(rows[2], 0, 100.0, NO_VALUE, cond, lookup);
    QCOMPARE(rows[2][CcSubtotal], QStringLiteral("150.00"));
    const std::vector<CircuitCells> before = rows;

    const CircuitSearchResult r = SearchCircuitMinFaultCurrents(app, "LN-1", rows, cond, lookup);
    QCOMPARE(r.generalMatches, 2);
    QCOMPARE(r.panelMatches, 1);
    QCOMPARE(r.changed, (std::vector<int>{0, 2, 4}));
    QCOMPARE(rows[0][CcIsMin], QStringLiteral("3.250"));
    QCOMPARE(rows[0][44], QStringLiteral("3.25"));
    // The subtotal line and the linked panel are untouched.
    QCOMPARE(rows[1], before[1]);
    QCOMPARE(rows[3], before[3]);
    // The closing row keeps its group's load.
    QCOMPARE(rows[2][CcSubtotal], QStringLiteral("150.00"));
    QCOMPARE(rows[2][CcIsMin], QStringLiteral("3.250"));
    // The circuit feeding LN-2 takes the minimum of the bus of that name.
    QCOMPARE(rows[4][CcIsMin], QStringLiteral("2.500"));
}

void TestBoardSchedule::linkedLoadsOfFedPanels()
{
    CSevrinApp app;
    boardfixture::UseProject(app, m_project);
    const QString base = m_project.chopped(4);
    QVERIFY(boardfixture::WriteMccPanels(
        base + "_10.xlsx", {{"MCC-1", "LN-1", "12"}, {"MCC-2", "TR-1", "30"}, {"MCC-3", "LN-1", "7.5"}}));
    QVERIFY(AddBoard(app, "LN-1", "TR-1", {}));
    QVERIFY(AddBoard(app, "LN-2", "LN-1", {}, "5000.00"));
    QVERIFY(AddBoard(app, "LN-3", "LN-2", {}, "800.00"));

    const LinkedLoads linked = CollectLinkedLoads(app, "LN-1");
    QCOMPARE(linked.mccPanels, 2);
    QCOMPARE(linked.boards, 1);
    QCOMPARE(int(linked.rows.size()), 3);
    // 12 kVA -> 12000 VA; 7.5 kVA -> 7500 VA; the board's total connected load as stored.
    const QList<QStringList> expected = {{"PNL", "MCC-1", "12000", "1", "12000"},
                                         {"PNL", "MCC-3", "7500", "1", "7500"},
                                         {"PNL", "LN-2", "5000.00", "1", "5000.00"}};
    for (int i = 0; i < 3; ++i) {
        for (int c = 0; c < 5; ++c)
            QCOMPARE(linked.rows[std::size_t(i)][std::size_t(c)], expected[i][c]);
        for (int c = 5; c < kCircuitColumnCount; ++c)
            QVERIFY(linked.rows[std::size_t(i)][std::size_t(c)].isEmpty());
    }
    // A project without panels or boards links nothing.
    CSevrinApp other;
    boardfixture::UseProject(other, m_dir.path() + "/none.pro");
    const LinkedLoads none = CollectLinkedLoads(other, "LN-1");
    QCOMPARE(none.mccPanels + none.boards, 0);
}

void TestBoardSchedule::refusedBoardNames_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("except");
    QTest::addColumn<bool>("accepted");
    QTest::addRow("new name") << "LN-3" << -1 << true;
    QTest::addRow("empty") << "" << -1 << false;
    QTest::addRow("same name") << "LN-1" << -1 << false;
    QTest::addRow("same name ignoring case") << "ln-1" << -1 << false;
    QTest::addRow("renamed in place") << "LN-1" << 0 << true;
    QTest::addRow("renamed onto another") << "LN-2" << 0 << false;
    QTest::addRow("slash") << "LN/1" << -1 << false;
    QTest::addRow("bracket") << "LN[1]" << -1 << false;
    QTest::addRow("colon") << "LN:1" << -1 << false;
    QTest::addRow("32 characters") << QString(32, 'A') << -1 << false;
    QTest::addRow("31 characters") << QString(31, 'A') << -1 << true;
    QTest::addRow("copy stamp too long") << QString(25, 'B') + "_142503" << -1 << false;
    QTest::addRow("Korean") << "전등반-1" << -1 << true;
}

void TestBoardSchedule::refusedBoardNames()
{
    QFETCH(QString, name);
    QFETCH(int, except);
    QFETCH(bool, accepted);
    const QString message = CheckBoardName(name, {"LN-1", "LN-2"}, except);
    QCOMPARE(message.isEmpty(), accepted);
}

QTEST_GUILESS_MAIN(TestBoardSchedule)
#include "tst_boardschedule.moc"
