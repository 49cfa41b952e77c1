// Branch-circuit sizing worked by hand over the fixture tables (boardfixture.h: HFIX and XLPE
// ampacities of IEC 60364-5-52, HFIX impedances, breaker ratings 10..125 A), and the list
// rules of the circuit area: row kinds, subtotal groups, the four-case delete, the input checks,
// and rows whose inputs or design conditions are no numbers.
#include "loads/core/branchcircuit.h"

#include "boardfixture.h"
#include "circuitinputs.h"
#include "common/unprintable.h"

#include <QTest>

#include <limits>

namespace {

using Cells = QList<QPair<int, QString>>;

// pf 0.9, tN 0.01 s, expected fault current 80 % of the breaking capacity, SSC margin 1.0,
// single-core from 16 mm2.
BranchCircuitConditions Conditions()
{
    BranchCircuitConditions c;
    c.singleCoreThreshold = 16;
    c.breakerTripTime = 0.01;
    c.loadPowerFactor = 0.9;
    c.faultCurrentRatingPct = 80;
    c.conductorMarginFactor = 1.0;
    return c;
}

QList<QStringList> Rows(const QList<QPair<QString, QString>>& keys)
{
    QList<QStringList> rows;
    for (const auto& [no, subtotal] : keys) {
        QStringList cells(kCircuitColumnCount);
        cells[CcNo] = no;
        cells[CcSubtotal] = subtotal;
        rows.append(cells);
    }
    return rows;
}

std::vector<QStringList> Vec(const QList<QStringList>& rows)
{
    return {rows.begin(), rows.end()};
}

}  // namespace

class TestBranchCircuit : public QObject
{
    Q_OBJECT

private slots:
    void sizesCircuits_data();
    void sizesCircuits();
    void i2FactorsAroundSixtyThreeAmps_data();
    void i2FactorsAroundSixtyThreeAmps();
    void noFaultCurrentGivesNoFiniteTz();
    void manualSizeReplacesOnlyTheSelectedSize();
    void rowKinds();
    void subtotalGroupLoad();
    void deletePlans_data();
    void deletePlans();
    void inputCheck_data();
    void inputCheck();
    void quantityCheckNamesTheField_data();
    void quantityCheckNamesTheField();
    void nonsenseInputsGiveNoFigures_data();
    void nonsenseInputsGiveNoFigures();
    void designConditionsThatAreNoNumber();
    void recomputeKeepsSubtotalsAndLinkedLoads();
};

void TestBranchCircuit::sizesCircuits_data()
{
    QTest::addColumn<CircuitCells>("row");
    QTest::addColumn<Cells>("expected");

    // Lighting, 56 VA x 10 on L2, 20 m, CBR curve 10, two poles, HFIX method A, ISMIN 1.9586 kA:
    //  SL = 560 VA; IB = 560 / 220 = 2.545 A; CBR rating for 2.545 A = 10 A (100 AF, 25 kA,
    //  expected 25 x 0.8 = 20 kA); SB = SCB = 1.5 (HFIX2A 19 A); Ssc = 1958.6 x sqrt(0.01) / 143
    //  = 1.37 mm2 -> SSC 1.5; S = 1.5; I2 = 1.3 x 10 = 13 < 1.45 x 19 = 27.55: OK;
    //  SCR = 1958.6 / 10 = 196; tZ = (143 x 1.5 / 1958.6)^2 = 0.0120 s > 0.01: OK.
    //  Voltage drop, IEC 60364-5-52 Annex G, u = b (rho L / S cos + lambda L sin) IB with b = 2:
    //  R = 15.4287 ohm/km x 0.020 km = 0.3086 ohm, X = 0.1239 x 0.020 = 0.0025 ohm,
    //  sin = sqrt(1 - 0.81) = 0.4359; u = 2 x 2.545 x (0.3086 x 0.9 + 0.0025 x 0.4359)
    //  = 1.42 V; 1.42 / 220 = 0.65 %. Method A with HFIX: "A1".
    QTest::addRow("single-phase HFIX on CBR")
        << CircuitInputs("56", "10", "L2", "20", "CBR|10", "2", "HFIX", "A", "1.9586")
        << Cells{{4, "560.00"}, {6, "-"}, {7, "560.00"}, {8, "-"}, {9, "2.55"}, {13, "100.00"},
                 {14, "10.00"}, {15, "10.00"}, {16, "OK"}, {17, "OK"}, {19, "1.50"}, {20, "A1"},
                 {22, "1.50"}, {23, "1.50"}, {24, "-"}, {25, "1.50"}, {26, "1.50"}, {27, "-"},
                 {28, "0.65"}, {29, "1.50"}, {32, "-"}, {33, "-"}, {34, "-"}, {35, "1.30"},
                 {36, "13.00"}, {37, "27.55"}, {38, "0.01"}, {39, "10"}, {40, "196"}, {41, "0.01"},
                 {42, "20.00"}, {44, "1.96"}, {46, "2.55"}, {47, "10.00"}, {48, "19.00"},
                 {49, "-"}, {50, "19.00"}, {51, "20.00"}, {52, "0.65"}, {53, "1.42"},
                 {54, "0.31"}, {55, "0.90"}, {56, "0.0025"}, {57, "0.44"}, {58, "1.37"}};

    // Three-phase, 1000 VA x 3 on all phases, 50 m, MCCB curve C, three poles, FCV method B,
    // ISMIN 5 kA: IB = 3000 / (sqrt3 x 380) = 4.56 A; MCCB3 10 A (100 AF, 35 kA -> 28 kA);
    // SB = SCB = 1.5 (CABLE3B 19.5 A); Ssc = 5000 x 0.1 / 143 = 3.50 -> SSC 4 wins; IZ of 4 mm2
    // (3B) = 35 A, 1.45 IZ = 50.75 > I2 = 13; tZ = (143 x 4 / 5000)^2 = 0.0131 s: OK.
    // Annex G, three-phase line-to-line: u = sqrt3 x IB x (R cos + X sin), IB x sqrt3 = 7.895 A;
    // R = 5.8783 x 0.05 = 0.2939 ohm, X = 0.1126 x 0.05 = 0.0056 ohm; u = 7.895 x (0.2645 +
    // 0.0025) = 2.11 V, 2.11 / 380 = 0.55 %. Method B, FCV below 16 mm2: "B2".
    QTest::addRow("three-phase FCV on MCCB, SSC governs")
        << CircuitInputs("1000", "3", "A", "50", "MCCB|C", "3", "FCV", "B", "5")
        << Cells{{4, "3000.00"}, {6, "1000.00"}, {7, "1000.00"}, {8, "1000.00"}, {9, "4.56"},
                 {13, "100.00"}, {14, "10.00"}, {16, "OK"}, {17, "OK"}, {19, "4.00"}, {20, "B2"},
                 {22, "1.50"}, {23, "-"}, {24, "1.50"}, {25, "1.50"}, {29, "4.00"}, {34, "1.30"},
                 {36, "13.00"}, {37, "50.75"}, {39, "10"}, {40, "500"}, {41, "0.01"}, {42, "28.00"},
                 {44, "5.00"}, {48, "-"}, {49, "35.00"}, {50, "35.00"}, {52, "0.55"}, {53, "2.11"},
                 {54, "0.29"}, {56, "0.0056"}, {58, "3.50"}};

    // MCB above 63 A: 15 kVA single-phase on L1, 10 m, HFIX method B, ISMIN 6 kA:
    // IB = 68.18 A -> 80 A (100 AF, 6 kA); SB = 10 (HFIX2B 75 A), SCB = 16 (100 A for 80 A),
    // SSC = 6 (Ssc = 6000 x 0.1 / 143 = 4.20); S = 16; I2 = 1.52 x 80 = 121.6 < 1.45 x 100:
    // OK; SCR = 75; tZ = (143 x 16 / 6000)^2 = 0.15 s; curve D: 20 x.
    // Annex G: u = 2 x 68.18 x (0.014666 x 0.9 + 0.001018 x 0.4359) = 1.86 V = 0.85 %.
    QTest::addRow("MCB above 63 A, SCB governs")
        << CircuitInputs("15000", "1", "L1", "10", "MCB|D", "2", "HFIX", "B", "6")
        << Cells{{6, "15000.00"}, {7, "-"}, {9, "68.18"}, {13, "100.00"}, {14, "80.00"},
                 {16, "OK"}, {17, "OK"}, {19, "16.00"}, {20, "B1"}, {22, "10.00"}, {25, "16.00"},
                 {29, "6.00"}, {32, "1.52"}, {36, "121.60"}, {37, "145.00"}, {39, "20"},
                 {40, "75"}, {41, "0.15"}, {42, "4.80"}, {53, "1.86"}, {52, "0.85"},
                 {56, "0.0010"}};

    // The adiabatic check failing: the lighting circuit with 25 kA at its terminals:
    // Ssc = 25000 x 0.1 / 143 = 17.48 -> SSC 25 governs; tZ = (143 x 25 / 25000)^2 = 0.0204 s,
    // just above tN.
    QTest::addRow("large fault current, SSC 25")
        << CircuitInputs("56", "10", "L2", "20", "CBR|10", "2", "HFIX", "A", "25")
        << Cells{{17, "OK"}, {19, "25.00"}, {29, "25.00"}, {41, "0.02"}, {58, "17.48"}};

    // Two-pole MCCB reads the two-pole tables (14 kA -> 11.2 kA expected); no ISMIN: the
    // expected fault current is used (column 44 = column 42). IB = 2200 / 220 = 10 A -> 10 A;
    // Ssc = 11200 x 0.1 / 143 = 7.83 -> SSC 10 mm2, whose two-core D1 ampacity is 71 A.
    QTest::addRow("two-pole MCCB, no ISMIN")
        << CircuitInputs("2200", "1", "L3", "0", "MCCB|C", "2", "FCV", "D", "")
        << Cells{{9, "10.00"}, {14, "10.00"}, {8, "2200.00"}, {20, "D1"}, {42, "11.20"},
                 {44, "11.20"}, {24, "1.50"}, {29, "10.00"}, {19, "10.00"}, {49, "71.00"}, {53, "0.00"}};

    // HFIX in the ground (method D): no HFIX table applies and no FCV one either; SB, SCB and
    // IZ are the product of two absent values, 1.
    QTest::addRow("HFIX method D")
        << CircuitInputs("1000", "1", "L1", "10", "MCB|C", "2", "HFIX", "D", "3")
        << Cells{{22, "1.00"}, {23, "-"}, {24, "-"}, {25, "1.00"}, {48, "-"}, {49, "-"},
                 {50, "1.00"}, {20, "D1"}};

    // Method E with a single-core size (25 mm2 at the 16 mm2 threshold) gives "F".
    QTest::addRow("method E single-core")
        << CircuitInputs("1000", "1", "L1", "10", "MCB|C", "2", "FCV", "E", "25")
        << Cells{{19, "25.00"}, {20, "F"}};
}

void TestBranchCircuit::sizesCircuits()
{
    QFETCH(CircuitCells, row);
    QFETCH(Cells, expected);
    boardfixture::TableLookup lookup = boardfixture::MakeLookup();
    const CircuitCells inputs = row;
    CalcBranchCircuitRow(row, 0, 0.0, NO_VALUE, Conditions(), lookup);
    for (const auto& [col, text] : expected)
        QVERIFY2(row[std::size_t(col)] == text,
                 qPrintable(QStringLiteral("column %1: \"%2\", expected \"%3\"")
                                .arg(col).arg(row[std::size_t(col)], text)));
    // The inputs stay as typed.
    for (int col : {0, 1, 2, 3, 5, 10, 11, 12, 18, 21, 31, 43, 45})
        QCOMPARE(row[std::size_t(col)], inputs[std::size_t(col)]);
    for (const QString& cell : row) {
        QVERIFY2(FindUnprintableFigure(cell).isEmpty(), qPrintable(cell));
    }
}

void TestBranchCircuit::i2FactorsAroundSixtyThreeAmps_data()
{
    QTest::addColumn<QString>("type");
    QTest::addColumn<QString>("load");
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("factor");
    QTest::addColumn<QString>("i2");
    // IB = 13200 / 220 = 60 A takes 63 A, 15400 / 220 = 70 A takes 80 A. I2 = factor x AT.
    QTest::addRow("MCB 63") << "MCB" << "13200" << 32 << "1.45" << "91.35";
    QTest::addRow("MCB 80") << "MCB" << "15400" << 32 << "1.52" << "121.60";
    QTest::addRow("RCBO 63") << "RCBO" << "13200" << 33 << "1.45" << "91.35";
    QTest::addRow("RCBO 80") << "RCBO" << "15400" << 33 << "1.52" << "121.60";
    QTest::addRow("MCCB 63") << "MCCB" << "13200" << 34 << "1.30" << "81.90";
    QTest::addRow("MCCB 80") << "MCCB" << "15400" << 34 << "1.37" << "109.60";
    QTest::addRow("CBR 63") << "CBR" << "13200" << 35 << "1.30" << "81.90";
    QTest::addRow("CBR 80") << "CBR" << "15400" << 35 << "1.37" << "109.60";
}

void TestBranchCircuit::i2FactorsAroundSixtyThreeAmps()
{
    QFETCH(QString, type);
    QFETCH(QString, load);
    QFETCH(int, column);
    QFETCH(QString, factor);
    QFETCH(QString, i2);
    boardfixture::TableLookup lookup = boardfixture::MakeLookup();
    CircuitCells row = CircuitInputs(load, "1", "L1", "10", type + "|C", "2", "HFIX", "B", "5");
    CalcBranchCircuitRow(row, 0, 0.0, NO_VALUE, Conditions(), lookup);
    for (int c = 32; c <= 35; ++c)
        QCOMPARE(row[std::size_t(c)], c == column ? factor : QStringLiteral("-"));
    QCOMPARE(row[36], i2);
}

void TestBranchCircuit::noFaultCurrentGivesNoFiniteTz()
{
    // ISMIN "0": no current to heat the conductor, so tZ has no finite value; it shows "-" and
    // the short-circuit verdict cannot be OK. A fault current of 0 is no value: ISC/IN and ISC
    // show "-" too (they once showed 0 and 0.00).
    boardfixture::TableLookup lookup = boardfixture::MakeLookup();
    CircuitCells row = CircuitInputs("56", "10", "L2", "20", "CBR|10", "2", "HFIX", "A", "0");
    CalcBranchCircuitRow(row, 0, 0.0, NO_VALUE, Conditions(), lookup);
    QCOMPARE(row[41], QStringLiteral("-"));
    QCOMPARE(row[CcShortCircuit], QStringLiteral("Chk"));
    QCOMPARE(row[40], QStringLiteral("-"));
    QCOMPARE(row[44], QStringLiteral("-"));
    // The rest of the circuit does not depend on it: the load and its breaker stay (2.55 A on
    // the 10 A CBR of the fixture table).
    QCOMPARE(row[CcSubtotal], QStringLiteral("560.00"));
    QCOMPARE(row[CcAt], QStringLiteral("10.00"));
}

void TestBranchCircuit::manualSizeReplacesOnlyTheSelectedSize()
{
    // The 25 kA lighting circuit with 1.5 mm2 chosen by hand: tZ = (143 x 1.5 / 25000)^2 =
    // 0.00007 s < tN: "Chk"; the criteria columns still show what the rules ask for (SSC 25).
    boardfixture::TableLookup lookup = boardfixture::MakeLookup();
    CircuitCells row = CircuitInputs("56", "10", "L2", "20", "CBR|10", "2", "HFIX", "A", "25");
    CalcBranchCircuitRow(row, 2, 0.0, 1.5, Conditions(), lookup);
    QCOMPARE(row[CcSize], QStringLiteral("1.50"));
    QCOMPARE(row[29], QStringLiteral("25.00"));
    QCOMPARE(row[22], QStringLiteral("1.50"));
    QCOMPARE(row[41], QStringLiteral("0.00"));
    QCOMPARE(row[CcShortCircuit], QStringLiteral("Chk"));
    QCOMPARE(row[50], QStringLiteral("19.00"));  // IZ of 1.5 mm2
    QCOMPARE(row[54], QStringLiteral("0.31"));   // R of 1.5 mm2, 20 m
}

void TestBranchCircuit::rowKinds()
{
    QCOMPARE(ClassifyCircuitRow("3", "560.00"), CircuitRowKind::Calculated);
    QCOMPARE(ClassifyCircuitRow("3", ""), CircuitRowKind::SubtotalLine);
    QCOMPARE(ClassifyCircuitRow("", ""), CircuitRowKind::SubtotalLine);
    QCOMPARE(ClassifyCircuitRow("", "1200.00"), CircuitRowKind::GroupClosing);
    QCOMPARE(ClassifyCircuitRow("_____", "56.00"), CircuitRowKind::Placeholder);
    QCOMPARE(ClassifyCircuitRow("PNL", "12000"), CircuitRowKind::LinkedPanel);
}

void TestBranchCircuit::subtotalGroupLoad()
{
    // A group: numbered row 2 (100 VA x 2), two lines (50 x 3, 10 x 1); the closing row
    // carries 200 + 150 + 10 = 360 VA. The walk stops at the numbered row: row 1 above it
    // does not count.
    QList<QStringList> rows = Rows({{"1", "500.00"}, {"2", ""}, {"", ""}, {"", ""}});
    const QList<QPair<QString, QString>> loads = {{"500", "1"}, {"100", "2"}, {"50", "3"}, {"10", "1"}};
    for (qsizetype i = 0; i < rows.size(); ++i) {
        rows[i][CcUnitLoad] = loads[i].first;
        rows[i][CcQuantity] = loads[i].second;
    }
    QCOMPARE(SubtotalGroupLoad(Vec(rows), 4), 360.0);
    QCOMPARE(SubtotalGroupLoad(Vec(rows), 2), 200.0);
    QCOMPARE(SubtotalGroupLoad(Vec(rows), 0), 0.0);

    // A closing row carries what its 소계 holds above its own load.
    CircuitCells closing;
    closing[CcUnitLoad] = "20";
    closing[CcQuantity] = "2";
    closing[CcSubtotal] = "400.00";
    QCOMPARE(CarriedLoadOf(closing), 360.0);
    // A numbered row carries nothing, whatever its 소계 says.
    closing[CcNo] = "4";
    QCOMPARE(CarriedLoadOf(closing), 0.0);
}

void TestBranchCircuit::deletePlans_data()
{
    QTest::addColumn<QList<QStringList>>("rows");
    QTest::addColumn<int>("selected");
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("note");
    const auto none = int(CircuitDeletePlan::Note::None);
    // 0 calculated, 1 group head, 2 line, 3 closing, 4 calculated
    const QList<QStringList> list =
        Rows({{"1", "10.00"}, {"2", ""}, {"", ""}, {"", "30.00"}, {"3", "10.00"}});
    QTest::addRow("calculated row") << list << 0 << 1 << none;
    QTest::addRow("group head takes its group") << list << 1 << 3 << none;
    QTest::addRow("subtotal line") << list << 2 << 1 << int(CircuitDeletePlan::Note::RecalcSubtotal);
    QTest::addRow("closing row refused") << list << 3 << 0 << int(CircuitDeletePlan::Note::DeleteFromTop);
    // The last group of the list goes to the end of the list.
    QTest::addRow("last group") << Rows({{"1", "10.00"}, {"2", ""}, {"", ""}, {"", "30.00"}}) << 1
                                << 3 << none;
    QTest::addRow("no row") << list << 7 << 0 << none;
}

void TestBranchCircuit::deletePlans()
{
    QFETCH(QList<QStringList>, rows);
    QFETCH(int, selected);
    QFETCH(int, count);
    QFETCH(int, note);
    const CircuitDeletePlan plan = PlanCircuitDelete(Vec(rows), selected);
    QCOMPARE(plan.count, count);
    QCOMPARE(int(plan.note), note);
}

void TestBranchCircuit::inputCheck_data()
{
    QTest::addColumn<QString>("supply");
    QTest::addColumn<QString>("phase");
    QTest::addColumn<QString>("isMin");
    QTest::addColumn<int>("warning");
    QTest::addRow("three-phase board") << "3P4W" << "A" << "1.9586" << -1;
    QTest::addRow("A on 1P2W") << "1P2W" << "A" << "1.9586" << 0;
    QTest::addRow("A on 1P3W") << "1P3W" << "A" << "5" << 0;
    QTest::addRow("L1 on 1P2W") << "1P2W" << "L1" << "5" << -1;
    QTest::addRow("empty ISMIN") << "3P4W" << "L1" << "" << 7;
    QTest::addRow("zero ISMIN") << "3P4W" << "L1" << "0.000" << 7;
    QTest::addRow("text ISMIN") << "3P4W" << "L1" << "abc" << 7;
    QTest::addRow("infinite ISMIN") << "3P4W" << "L1" << "inf" << 7;
    // A negative ISMIN passes this check and is refused by the quantity check, by its name.
    QTest::addRow("negative ISMIN") << "3P4W" << "L1" << "-2" << -1;
}

void TestBranchCircuit::inputCheck()
{
    QFETCH(QString, supply);
    QFETCH(QString, phase);
    QFETCH(QString, isMin);
    QFETCH(int, warning);
    QCOMPARE(CheckCircuitInput(supply, phase, isMin), warning);
}

void TestBranchCircuit::quantityCheckNamesTheField_data()
{
    QTest::addColumn<QString>("unit");
    QTest::addColumn<QString>("qty");
    QTest::addColumn<QString>("length");
    QTest::addColumn<QString>("isMin");
    QTest::addColumn<QString>("field");
    QTest::addRow("accepted") << "56" << "10" << "20.0" << "1.9586" << "";
    // A spare circuit of 0 VA, a device on the board itself, ISMIN left to the expected value.
    QTest::addRow("zeros and no ISMIN") << "0" << "0" << "0" << "" << "";
    QTest::addRow("load nan") << "nan" << "10" << "20" << "1" << "용량[VA]";
    QTest::addRow("load negative") << "-56" << "10" << "20" << "1" << "용량[VA]";
    QTest::addRow("load empty") << "" << "10" << "20" << "1" << "용량[VA]";
    QTest::addRow("quantity comma") << "56" << "12,5" << "20" << "1" << "수량[EA]";
    QTest::addRow("quantity 1e308") << "56" << "1e308" << "20" << "1" << "수량[EA]";
    QTest::addRow("length negative") << "56" << "10" << "-20" << "1" << "거리[m]";
    QTest::addRow("length -inf") << "56" << "10" << "-inf" << "1" << "거리[m]";
    QTest::addRow("ISMIN negative") << "56" << "10" << "20" << "-1.9" << "ISMIN[kA]";
}

void TestBranchCircuit::quantityCheckNamesTheField()
{
    QFETCH(QString, unit);
    QFETCH(QString, qty);
    QFETCH(QString, length);
    QFETCH(QString, isMin);
    QFETCH(QString, field);
    const QString message = CheckCircuitQuantities(unit, qty, length, isMin);
    QCOMPARE(message.isEmpty(), field.isEmpty());
    if (!field.isEmpty())
        QVERIFY2(message.startsWith(field), qPrintable(message));
}

void TestBranchCircuit::nonsenseInputsGiveNoFigures_data()
{
    QTest::addColumn<CircuitCells>("row");
    // The worked lighting circuit of sizesCircuits with one input spoiled at a time.
    const auto spoil = [](int column, const QString& text) {
        CircuitCells row = CircuitInputs("56", "10", "L2", "20", "CBR|10", "2", "HFIX", "A", "1.9586");
        row[std::size_t(column)] = text;
        return row;
    };
    QTest::addRow("load nan") << spoil(CcUnitLoad, "nan");
    QTest::addRow("load -inf") << spoil(CcUnitLoad, "-inf");
    QTest::addRow("load negative") << spoil(CcUnitLoad, "-56");
    QTest::addRow("load 1e308") << spoil(CcUnitLoad, "1e308");
    QTest::addRow("quantity comma") << spoil(CcQuantity, "12,5");
    QTest::addRow("quantity empty") << spoil(CcQuantity, "");
    QTest::addRow("length negative") << spoil(CcLength, "-20");
    QTest::addRow("length inf") << spoil(CcLength, "inf");
    // Readable, but 1e12 VA x 1e12 lies beyond every quantity.
    QTest::addRow("product beyond") << [] {
        CircuitCells row = CircuitInputs("1000000000000", "1000000000000", "L2", "20", "CBR|10", "2",
                                  "HFIX", "A", "1.9586");
        return row;
    }();
    // 1 MVA on one phase: IB = 4545 A, above the largest CBR of the table, whose last row
    // would be far too small.
    QTest::addRow("beyond every breaker") << spoil(CcUnitLoad, "1000000");
}

void TestBranchCircuit::nonsenseInputsGiveNoFigures()
{
    QFETCH(CircuitCells, row);
    boardfixture::TableLookup lookup = boardfixture::MakeLookup();
    CalcBranchCircuitRow(row, 0, 0.0, NO_VALUE, Conditions(), lookup);
    for (int c : {int(CcSubtotal), int(CcL2), int(CcIb), int(CcAt), int(CcAtb), int(CcSize), 22,
                  28, 36, 37, 41, 44, 50, 52, 53})
        QVERIFY2(row[std::size_t(c)] == "-", qPrintable(QString("column %1: %2").arg(c).arg(row[std::size_t(c)])));
    QCOMPARE(row[CcThermal], QStringLiteral("Chk"));
    QCOMPARE(row[CcShortCircuit], QStringLiteral("Chk"));
    // Nothing computed shows a figure that must not be trusted (the inputs are echoed as typed).
    QString computed;
    for (int c = 0; c < kCircuitColumnCount; ++c)
        if (c != CcUnitLoad && c != CcQuantity && c != CcLength && c != CcIsMin)
            computed += row[std::size_t(c)] + '\t';
    const QString bad = FindUnprintableFigure(computed);
    QVERIFY2(bad.isEmpty(), qPrintable(bad));
}

void TestBranchCircuit::designConditionsThatAreNoNumber()
{
    // A load power factor that is no number (or above 1) leaves the voltage drop "-"; a fault
    // rating or margin that is no number leaves the short-circuit size "-" and its verdict
    // "Chk"; the load and its breaker stay as computed.
    boardfixture::TableLookup lookup = boardfixture::MakeLookup();
    BranchCircuitConditions c = Conditions();
    c.loadPowerFactor = std::numeric_limits<double>::quiet_NaN();
    CircuitCells row = CircuitInputs("56", "10", "L2", "20", "CBR|10", "2", "HFIX", "A", "1.9586");
    CalcBranchCircuitRow(row, 0, 0.0, NO_VALUE, c, lookup);
    QCOMPARE(row[CcSubtotal], QStringLiteral("560.00"));
    for (int col : {28, 52, 53, 55, 57})
        QCOMPARE(row[std::size_t(col)], QStringLiteral("-"));

    c = Conditions();
    c.faultCurrentRatingPct = std::numeric_limits<double>::quiet_NaN();
    row = CircuitInputs("56", "10", "L2", "20", "CBR|10", "2", "HFIX", "A", "");
    CalcBranchCircuitRow(row, 0, 0.0, NO_VALUE, c, lookup);
    QCOMPARE(row[CcAt], QStringLiteral("10.00"));
    QCOMPARE(row[29], QStringLiteral("-"));
    QCOMPARE(row[42], QStringLiteral("-"));
    QCOMPARE(row[CcShortCircuit], QStringLiteral("Chk"));
}

void TestBranchCircuit::recomputeKeepsSubtotalsAndLinkedLoads()
{
    boardfixture::TableLookup lookup = boardfixture::MakeLookup();
    // A subtotal line and a linked panel stay as stored.
    CircuitCells line = CircuitInputs("50", "2", "L1", "10", "MCB|C", "2", "HFIX", "A", "3");
    line[CcNo].clear();
    CircuitCells before = line;
    RecalcStoredCircuitRow(line, Conditions(), lookup);
    QCOMPARE(line, before);
    CircuitCells pnl = MakeLinkedPanelRow("LN-2", "12000");
    before = pnl;
    RecalcStoredCircuitRow(pnl, Conditions(), lookup);
    QCOMPARE(pnl, before);
    QCOMPARE(pnl[CcSubtotal], QStringLiteral("12000"));
    QCOMPARE(pnl[CcQuantity], QStringLiteral("1"));

    // A closing row keeps its group's 360 VA above its own 40 VA.
    CircuitCells closing = CircuitInputs("20", "2", "L1", "10", "MCB|C", "2", "HFIX", "A", "3");
    closing[CcNo].clear();
    closing[CcSubtotal] = "400.00";
    RecalcStoredCircuitRow(closing, Conditions(), lookup);
    QCOMPARE(closing[CcSubtotal], QStringLiteral("400.00"));
    QCOMPARE(closing[CcL1], QStringLiteral("400.00"));
    QCOMPARE(closing[CcIb], QStringLiteral("1.82"));  // 400 / 220
}

QTEST_GUILESS_MAIN(TestBranchCircuit)
#include "tst_branchcircuit.moc"
