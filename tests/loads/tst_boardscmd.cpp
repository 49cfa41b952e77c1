// The driver's "boards" command on a small project with the shipped reference library: every
// board's circuits recomputed from their inputs, then the board, compared with a hand-checked
// expected file.
#include "app/core/companionworkbook.h"
#include "app/core/sevrin.h"
#include "boardfixture.h"
#include "circuitinputs.h"
#include "common/calcdriver.h"
#include "loads/core/branchcircuit.h"
#include "common/testpaths.h"
#include "common/golden.h"
#include "common/driverproject.h"

#include <QTest>

namespace {

// A stored circuit: its NO., name and subtotal beside the inputs.
CircuitCells Circuit(const QString& no, const QString& name, const QString& unit,
                     const QString& qty, const QString& phase, const QString& length,
                     const QString& breaker, const QString& poles, const QString& conductor,
                     const QString& method, const QString& isMin, const QString& subtotal)
{
    CircuitCells row =
        CircuitInputs(unit, qty, phase, length, breaker, poles, conductor, method, isMin);
    row[CcNo] = no;
    row[CcName] = name;
    row[CcSubtotal] = subtotal;
    return row;
}

bool AddBoard(CSevrinApp& app, int index, const QStringList& header, const QString& demandFactor,
              const std::vector<CircuitCells>& rows)
{
    auto& r = app.CabinetSizingBlock.PanelBoardRecord();
    r = {};
    for (int i = 0; i < 7; ++i)
        r[std::size_t(i)] = header[i];
    if (!app.AddPanelBoardSheet())
        return false;
    if (!demandFactor.isEmpty()) {
        r[8] = demandFactor;
        if (!app.WritePanelBoardResults(index))
            return false;
    }
    for (std::size_t i = 0; i < rows.size(); ++i) {
        app.CabinetSizingBlock.CircuitRow = rows[i];
        if (!app.WriteCircuitRow(index, int(i), false))
            return false;
    }
    return true;
}

// The worked design conditions, stored in the project.
bool UseWorkedConditions(CSevrinApp& app, const TempDriverProject& where)
{
    boardfixture::UseProject(app, where.project());
    // 30 degC in air, 20 degC in the ground, one tray tier, 2.5 K.m/W, 0.6 m; single-core from
    // 16 mm2; pf 0.9; expected fault current 100 % of the breaking capacity; SSC margin 1.0;
    // tN 0.01 s; the project's demand factor 80 %.
    auto& b = app.CabinetSizingBlock;
    b.DemandFactorPct() = "80";
    b.InstallConditionIndex = {2, 2, 0, 5, 0};
    b.ConductorCriteriaIndex = {0, 0, 0};
    b.ConductorCriteriaText = {"0.9", "0.95", "3", "3", "5", "100", "1.0"};
    b.MotorStartCriteriaIndex = 4;
    b.MotorStartCriteriaText = {"10", "15", "1.0"};
    b.BreakerCriteriaIndex = {0, 0, 0};
    b.BreakerCriteriaText = {"1.2", "LS Metasol"};
    return app.SaveCabinetSizingSection(where.project());
}

}  // namespace

class TestBoardsCommand : public QObject
{
    Q_OBJECT

private slots:
    void recomputesEveryBoard();
    void nonsenseInputsPrintNoFigure();
    void storedTextsPrintNoRefusedNumber_data();
    void storedTextsPrintNoRefusedNumber();
    void workbookMissingPrintsNothingUnreadableFails();
};

void TestBoardsCommand::recomputesEveryBoard()
{
    const CommandProject p(UseWorkedConditions);
    QVERIFY(p.ok());
    CSevrinApp& app = p.app();

    // LN-1: a lighting circuit, a group of two sockets (head line, closing row carrying the
    // head's 300 VA above its own 150 VA), a three-phase circuit and the linked sub-board LN-2.
    const std::vector<CircuitCells> ln1 = {
        Circuit("1", "전등", "56", "10", "L2", "20", "CBR|10", "2", "HFIX", "A", "1.9586", "560.00"),
        Circuit("2", "콘센트", "150", "2", "", "", "", "", "", "", "", ""),
        Circuit("", "콘센트", "150", "1", "L1", "30", "RCBO|C", "2", "HFIX", "B", "2.5", "450.00"),
        Circuit("3", "동력", "2000", "3", "A", "50", "MCCB|C", "3", "FCV", "B", "5", "6000.00"),
        MakeLinkedPanelRow("LN-2", "3000.00"),
    };
    QVERIFY(AddBoard(app, 0, {"LN-1", "B2", "매립형", "TR-1", "0.38", "3P4W", "O"}, "70", ln1));
    const std::vector<CircuitCells> ln2 = {
        Circuit("1", "전열", "1500", "2", "L3", "15", "MCB|C", "2", "HFIX", "A", "1.5", "3000.00"),
    };
    QVERIFY(AddBoard(app, 1, {"LN-2", "1F", "돌출형", "LN-1", "0.22", "1P3W", "X"}, "", ln2));
    QVERIFY(boardfixture::WriteCableSchedule(p.filePath("P1_40.xlsx"),
                                             {{"LN-1", "4", "100", "40", "25"}}));

    const CalcRun r = p.run("boards");
    QVERIFY2(r.exitCode == 0, qPrintable(r.err));
    QVERIFY2(r.err.isEmpty(), qPrintable(r.err));

    const QString diff = GoldenDifference(r.out, TestDataDir() + QStringLiteral("/loads/golden/boards.txt"));
    QVERIFY2(diff.isEmpty(), qPrintable(diff));

    // Figures checked by hand (shipped tables: CBR from 16 A, HFIX ampacities at 30 degC).
    const QStringList lines = r.out.split('\n', Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), 5 + 1 + 1 + 1);
    const QStringList light = lines[0].split('\t');
    QCOMPARE(light.size(), 2 + kCircuitColumnCount);
    const auto cell = [](const QStringList& f, int c) { return f[2 + c]; };
    QCOMPARE(light[0], QStringLiteral("CIRCUIT"));
    QCOMPARE(light[1], QStringLiteral("LN-1"));
    // 560 VA on L2: IB 2.55 A -> CBR 16 A; 1.5 mm2; I2 = 1.3 x 16 = 20.8 < 1.45 x 19; the drop
    // of 2.55 A over 20 m of 1.5 mm2 (Annex G, b = 2): 0.65 %.
    QCOMPARE(cell(light, 4), QStringLiteral("560.00"));
    QCOMPARE(cell(light, 14), QStringLiteral("16.00"));
    QCOMPARE(cell(light, 19), QStringLiteral("1.50"));
    QCOMPARE(cell(light, 36), QStringLiteral("20.80"));
    QCOMPARE(cell(light, 16), QStringLiteral("OK"));
    QCOMPARE(cell(light, 52), QStringLiteral("0.65"));
    // The subtotal line and the linked panel print as stored; the closing row keeps its group.
    QCOMPARE(cell(lines[1].split('\t'), 4), QString());
    QCOMPARE(cell(lines[2].split('\t'), 4), QStringLiteral("450.00"));
    QCOMPARE(cell(lines[4].split('\t'), 4), QStringLiteral("3000.00"));
    // LN-1: L1 = 450 + 2000 + 1000, L2 = 560 + 2000 + 1000, L3 = 2000 + 1000 (the linked
    // board a third on each phase); total 10010 VA; at 70 %: 7.01 kVA.
    const QStringList board = lines[5].split('\t');
    QCOMPARE(board.size(), 2 + 13);
    QCOMPARE(board[0], QStringLiteral("BOARD"));
    QCOMPARE(board.mid(2, 7), (QStringList{"LN-1", "B2", "매립형", "TR-1", "0.38", "3P4W", "O"}));
    QCOMPARE(board.mid(9), (QStringList{"10010.00", "70", "7.01", "3450.00", "3560.00", "3000.00"}));
    // LN-2 had no demand factor yet: the project's 80 %. 3000 VA -> 2.40 kVA.
    const QStringList board2 = lines[7].split('\t');
    QCOMPARE(board2.mid(9), (QStringList{"3000.00", "80", "2.40", "0.00", "0.00", "3000.00"}));

    // Rows and results were written back.
    companion::DropCache();
    QVERIFY(app.ReadPanelBoardSheet(0));
    QCOMPARE(app.CabinetSizingBlock.PanelBoardRecord()[9], QStringLiteral("7.01"));
}

void TestBoardsCommand::nonsenseInputsPrintNoFigure()
{
    const CommandProject p(UseWorkedConditions);
    QVERIFY(p.ok());
    CSevrinApp& app = p.app();

    // LN-N: voltage inf, demand factor -70 %, and circuits whose loads, quantities, lengths and
    // ISMIN are nan, inf, -inf, 1e308, negatives, empty texts or a decimal comma; a group whose
    // head line and stored group load are nonsense; a linked board of infinite load.
    // LN-M: one sound circuit of 560 VA, demand factor "12,5".
    auto c = [](const QString& no, const QString& unit, const QString& qty, const QString& length,
                const QString& isMin) {
        return Circuit(no, "부하" + no, unit, qty, "L1", length, "MCB|C", "2", "HFIX", "A", isMin, "0");
    };
    const std::vector<CircuitCells> bad = {
        c("1", "nan", "10", "20", "1.5"),
        c("2", "56", "-2", "20", "1.5"),
        c("3", "56", "10", "1e308", "1.5"),
        c("4", "56", "10", "20", "-1.9"),
        c("5", "12,5", "10", "20", "1.5"),
        c("6", "-inf", "", "inf", ""),
        Circuit("7", "그룹", "1e308", "inf", "", "", "", "", "", "", "", ""),
        Circuit("", "그룹", "150", "1", "L2", "30", "RCBO|C", "2", "HFIX", "B", "2.5", "nan"),
        MakeLinkedPanelRow("LN-X", "inf"),
    };
    QVERIFY(AddBoard(app, 0, {"LN-N", "B2", "매립형", "TR-1", "inf", "3P4W", "X"}, "-70", bad));
    const std::vector<CircuitCells> sound = {
        Circuit("1", "전등", "56", "10", "L2", "20", "CBR|10", "2", "HFIX", "A", "1.9586", "560.00")};
    QVERIFY(AddBoard(app, 1, {"LN-M", "1F", "돌출형", "LN-N", "0.22", "1P3W", "X"}, "12,5", sound));

    const PrintedRun r = RunPrinting(p, "boards");
    QVERIFY2(r.failure.isEmpty(), qPrintable(r.failure));
    const QStringList& lines = r.lines;
    QCOMPARE(lines.size(), 9 + 1 + 1 + 1);
    // Rows whose load cannot be read are "-" with both verdicts "Chk"; the row with a negative
    // ISMIN keeps its load and breaker but cannot pass the short-circuit check.
    for (int i : {0, 1, 2, 4, 5, 7}) {
        const QStringList f = lines[i].split('\t');
        QVERIFY2(f.value(2 + CcSubtotal) == "-", qPrintable(lines[i]));
        QCOMPARE(f.value(2 + CcThermal), QString("Chk"));
        QCOMPARE(f.value(2 + CcShortCircuit), QString("Chk"));
    }
    const QStringList isMin = lines[3].split('\t');
    QCOMPARE(isMin.value(2 + CcSubtotal), QString("560.00"));
    QCOMPARE(isMin.value(2 + CcShortCircuit), QString("Chk"));
    QCOMPARE(isMin.value(2 + CcIsMin), QString("-"));
    // The board's totals cannot be computed: "-", its voltage and demand factor too.
    const QStringList board = lines[9].split('\t');
    QCOMPARE(board.mid(0, 2), QStringList({"BOARD", "LN-N"}));
    QCOMPARE(board.value(2 + 4), QString("-"));
    for (int item = 7; item <= 12; ++item)
        QVERIFY2(board.value(2 + item) == "-", qPrintable(lines[9]));
    // A sound board keeps its phase loads; only its demand needs the demand factor.
    const QStringList other = lines[11].split('\t');
    QCOMPARE(other.value(2 + 7), QString("560.00"));
    QCOMPARE(other.value(2 + 8), QString("-"));
    QCOMPARE(other.value(2 + 9), QString("-"));
    QCOMPARE(other.value(2 + 11), QString("560.00"));
}

// What the driver echoes of a stored circuit. A row refused for its load ("nan" VA) keeps its
// other inputs as stored: a zero stored with a minus prints as 0, never "-0", and an ISMIN of
// -0 is none ("-"). The NO. is a label: echoed as it stands, unless it reads as a number the
// program would refuse (nan, inf, -5, 21 digits), which prints "-".
void TestBoardsCommand::storedTextsPrintNoRefusedNumber_data()
{
    QTest::addColumn<QString>("no");
    QTest::addColumn<QString>("unit");
    QTest::addColumn<QString>("qty");
    QTest::addColumn<QString>("length");
    QTest::addColumn<QString>("isMin");
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("expected");
    QTest::newRow("length -0") << "1" << "nan" << "10" << "-0" << "1.5" << int(CcLength) << "0";
    QTest::newRow("length -0.00") << "1" << "nan" << "10" << "-0.00" << "1.5" << int(CcLength) << "0.00";
    QTest::newRow("quantity -0") << "1" << "nan" << "-0" << "20" << "1.5" << int(CcQuantity) << "0";
    QTest::newRow("ISMIN -0") << "1" << "nan" << "10" << "20" << "-0" << int(CcIsMin) << "-";
    QTest::newRow("sound row, length -0") << "1" << "56" << "10" << "-0" << "1.5" << int(CcLength) << "0";
    QTest::newRow("NO. nan") << "nan" << "56" << "10" << "20" << "1.5" << int(CcNo) << "-";
    QTest::newRow("NO. inf") << "INF" << "56" << "10" << "20" << "1.5" << int(CcNo) << "-";
    QTest::newRow("NO. negative") << "-5" << "56" << "10" << "20" << "1.5" << int(CcNo) << "-";
    QTest::newRow("NO. of 21 digits") << "123456789012345678901" << "56" << "10" << "20" << "1.5"
                                      << int(CcNo) << "-";
    QTest::newRow("NO. a label") << "LED1" << "56" << "10" << "20" << "1.5" << int(CcNo) << "LED1";
    QTest::newRow("NO. a number") << "12" << "56" << "10" << "20" << "1.5" << int(CcNo) << "12";
}

void TestBoardsCommand::storedTextsPrintNoRefusedNumber()
{
    QFETCH(QString, no);
    QFETCH(QString, unit);
    QFETCH(QString, qty);
    QFETCH(QString, length);
    QFETCH(QString, isMin);
    QFETCH(int, column);
    QFETCH(QString, expected);
    const CommandProject p(UseWorkedConditions);
    QVERIFY(p.ok());
    CSevrinApp& app = p.app();
    const std::vector<CircuitCells> rows = {
        Circuit(no, "전등", unit, qty, "L2", length, "CBR|10", "2", "HFIX", "A", isMin, "560.00")};
    QVERIFY(AddBoard(app, 0, {"LN-E", "B2", "매립형", "TR-1", "0.38", "3P4W", "X"}, "70", rows));

    const PrintedRun r = RunPrinting(p, "boards");
    QVERIFY2(r.failure.isEmpty(), qPrintable(r.failure));
    QCOMPARE(r.lines.size(), 2);
    QCOMPARE(r.field(0, 2 + column), expected);
}

void TestBoardsCommand::workbookMissingPrintsNothingUnreadableFails()
{
    const CommandProject p(UseWorkedConditions);
    QVERIFY(p.ok());
    VerifyWorkbookMissingThenUnreadable(p, "P1_20.xlsx", "boards");
}

QTEST_GUILESS_MAIN(TestBoardsCommand)
#include "tst_boardscmd.moc"
