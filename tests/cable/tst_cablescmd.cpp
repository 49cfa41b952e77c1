// The driver's "cables" command on a small project: every stored row recomputed as the
// fault-current search does, one line of 112 texts per row, compared with a hand-checked file
// (the figures of the rows are worked out in tst_cablesizing.cpp).
#include "cable/core/cableapp.h"

#include "app/core/sevrin.h"
#include "cabledriverproject.h"
#include "common/calcdriver.h"
#include "common/testpaths.h"
#include "common/unprintable.h"
#include "common/golden.h"
#include "common/driverproject.h"

#include <QTest>

namespace {

using Cells = QList<QPair<int, QString>>;

// The stored rows: inputs as the screen's input step leaves them, with the starting method and
// the fed-panel values a stored row carries.
const QList<Cells> kRows = {
    {{2, "MDB"}, {3, "PNL-1"}, {4, "L3P"}, {6, "100"}, {8, "3"}, {9, "4"}, {10, "0.38"},
     {23, "1.00"}, {30, "50"}, {33, "A"}, {44, "1"}, {51, "10.000"}, {71, "LSM"}, {103, "8.000"},
     {105, "FCV"}},
    {{2, "MCC-1"}, {3, "M-101"}, {4, "M"}, {5, "37"}, {8, "3"}, {9, "3"}, {10, "0.38"}, {14, "DOL"},
     {23, "1"}, {30, "80"}, {33, "E"}, {44, "1"}, {51, "16"}, {71, "LSS"}, {103, "20"},
     {105, "FCV"}},
    {{2, "LP-1"}, {3, "L-1"}, {4, "L1"}, {6, "3"}, {8, "1"}, {9, "2"}, {10, "0.22"}, {23, "1"},
     {30, "30"}, {33, "B"}, {44, "1"}, {51, "5.00kA"}, {71, "HG"}, {103, "5"}, {105, "FR8"}},
    {{2, "MDB"}, {3, "MCC-1"}, {4, "L3P"}, {6, "400"}, {8, "3"}, {9, "4"}, {10, "0.38"},
     {23, "0.8"}, {25, "250"}, {26, "150"}, {27, "10"}, {28, "Y-D"}, {29, "0.90"}, {30, "60"},
     {33, "E"}, {44, "2"}, {51, "25"}, {71, "LSM"}, {103, "30"}, {105, "FCV"}},
    // Imported from another schedule: no maker, no fault currents yet.
    {{2, "MDB"}, {3, "LP-1"}, {4, "L3P"}, {6, "20"}, {8, "3"}, {9, "4"}, {10, "0.38"},
     {23, "1"}, {30, "40"}, {33, "B"}, {44, ""}, {105, "FCV"}},
};

// The fixture library and the worked conditions, stored in the project.
bool UseWorkedConditions(CSevrinApp& app, const TempDriverProject& where)
{
    return cablefixture::ReplaceLibrary(where.root() + "/LIB") &&
           cablefixture::StoreWorkedConditions(app, where);
}

// Stored row i of the schedule: its No., the three bars of the sheet and `cells` (a later
// cell overwrites an earlier one).
CableRow StoredRow(int i, const Cells& cells)
{
    CableRow row;
    row[0] = QString::number(i + 1);
    row[31] = row[43] = row[62] = "|";
    for (const auto& [col, text] : cells)
        row[std::size_t(col)] = text;
    return row;
}

// Writes `rows` as the schedule's rows 0, 1, ...
bool WriteRows(CSevrinApp& app, const QList<Cells>& rows)
{
    for (int i = 0; i < rows.size(); ++i) {
        app.CableScheduleBlock.CableRow = StoredRow(i, rows[i]);
        if (!app.WriteCableRow(i, false))
            return false;
    }
    return true;
}

}  // namespace

class TestCablesCommand : public QObject
{
    Q_OBJECT

private slots:
    void recomputesEveryStoredRow();
    void nonsenseRowsPrintNoFigure();
    void storedEdgesPrintNoFigure_data();
    void storedEdgesPrintNoFigure();
    void motorWithoutWiresPrintsNoFigureOnThem_data();
    void motorWithoutWiresPrintsNoFigureOnThem();
    void scheduleMissingPrintsNothingUnreadableFails();
};

void TestCablesCommand::recomputesEveryStoredRow()
{
    const CommandProject p(UseWorkedConditions);
    QVERIFY(p.ok());
    CSevrinApp& app = p.app();
    QVERIFY(WriteRows(app, kRows));
    // A row with an empty number ends the schedule: the row after it is never read.
    app.CableScheduleBlock.CableRow = CableRow{};
    app.CableScheduleBlock.CableRow[3] = "ORPHAN";
    QVERIFY(app.WriteCableRow(kRows.size(), false));
    app.CableScheduleBlock.CableRow[0] = "7";
    QVERIFY(app.WriteCableRow(kRows.size() + 1, false));

    const CalcRun r = p.run("cables");
    QVERIFY2(r.exitCode == 0, qPrintable(r.err));
    QVERIFY2(r.err.isEmpty(), qPrintable(r.err));

    const QString diff = GoldenDifference(r.out, TestDataDir() + QStringLiteral("/cable/golden/cables.txt"));
    QVERIFY2(diff.isEmpty(), qPrintable(diff));

    // The driver computes what the engine computes in this process from the same rows.
    const QStringList lines = r.out.split('\n', Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), kRows.size());
    const CableConditions cond = CableConditionsFromApp(app);
    AppCableLookup lookup(app);
    for (int i = 0; i < lines.size(); ++i) {
        CableRow row = StoredRow(i, kRows[i]);
        RecalcStoredCableRow(row, cond, lookup);
        const QStringList fields = lines[i].split('\t');
        QCOMPARE(fields.size(), kCableColumnCount);
        for (int c = 0; c < kCableColumnCount; ++c)
            QCOMPARE(fields[c], row[std::size_t(c)]);
    }
}

// Stored rows of nonsense (a damaged or hand-edited schedule): negative, infinite, NaN and
// overflowing loads, voltages, lengths, counts and fault currents. Every figure built on one
// is "-", the nonsense inputs themselves show "-", and nothing prints nan, inf, a negative
// figure or a number of 14 digits. A huge but readable load (1e11 kVA) still prints figures
// of sane length.
void TestCablesCommand::nonsenseRowsPrintNoFigure()
{
    const CommandProject p(UseWorkedConditions);
    QVERIFY(p.ok());
    const Cells feeder = {{2, "MDB"}, {3, "P-A"}, {4, "L3P"}, {6, "100"}, {8, "3"}, {9, "4"},
                          {10, "0.38"}, {23, "1"}, {30, "50"}, {33, "A"}, {44, "1"}, {51, "10"},
                          {71, "LSM"}, {103, "8"}, {105, "FCV"}};
    const auto with = [&feeder](const Cells& changes) {
        Cells c = feeder;
        for (const auto& change : changes)
            c.append(change);
        return c;
    };
    const QList<Cells> rows = {
        with({{6, "-50"}}),
        with({{6, "1e308"}}),
        with({{6, "nan"}, {10, "inf"}, {30, "-5"}, {44, "nan"}}),
        with({{4, "M"}, {5, "-inf"}, {6, ""}, {14, "DOL"}}),
        with({{8, "abc"}, {9, "-4"}, {23, "1e13"}, {51, "nan"}, {103, "-5kA"}}),
        with({{25, "nan"}, {26, "-150"}, {27, "1e308s"}, {28, "Y-D"}}),
        with({{6, "12,5"}, {30, "1e999"}, {44, "-2"}}),
        with({{6, "99999999999"}}),
    };
    // Later changes overwrite the feeder's cells.
    QVERIFY(WriteRows(p.app(), rows));

    const PrintedRun r = RunPrinting(p, "cables");
    QVERIFY2(r.failure.isEmpty(), qPrintable(r.failure));
    QCOMPARE(r.lines.size(), rows.size());
    const auto cell = [&r](int row, int col) { return r.field(row, col); };
    // The load that is no number shows "-", and so do the design current and the size.
    for (int i : {0, 1, 2, 6}) {
        QCOMPARE(cell(i, 6), QStringLiteral("-"));
        QCOMPARE(cell(i, 13), QStringLiteral("-"));
        QCOMPARE(cell(i, 45), QStringLiteral("-"));
    }
    QCOMPARE(cell(2, 10), QStringLiteral("-"));   // voltage
    QCOMPARE(cell(2, 30), QStringLiteral("-"));   // length
    QCOMPARE(cell(2, 44), QStringLiteral("-"));   // parallel count
    QCOMPARE(cell(3, 5), QStringLiteral("-"));    // kW of the motor
    QCOMPARE(cell(3, 19), QStringLiteral("-"));   // no starting current from it
    QCOMPARE(cell(4, 8), QStringLiteral("-"));    // phases
    QCOMPARE(cell(4, 9), QStringLiteral("-"));    // wires
    QCOMPARE(cell(4, 51), QStringLiteral("-"));   // ISMIN: no SSC criterion
    QCOMPARE(cell(4, 103), QStringLiteral("-"));  // ISMAX
    for (int col : {25, 26, 27})                  // the fed panel's figures
        QCOMPARE(cell(5, col), QStringLiteral("-"));
    QCOMPARE(cell(6, 30), QStringLiteral("-"));
    QCOMPARE(cell(6, 111), QStringLiteral("CD|-"));  // no size, no conduit
    // 99999999999 kVA: IB = 99999999999 / (sqrt3 x 0.38) = 151934281364.17 A, twelve digits.
    QCOMPARE(cell(7, 13), QStringLiteral("151934281364.17"));
    // The checker itself sees what it must.
    QVERIFY(!FindUnprintableFigure("a\t-58.0V").isEmpty());
    QVERIFY(!FindUnprintableFigure("x\tNaN").isEmpty());
    QVERIFY(!FindUnprintableFigure("12345678901234.5").isEmpty());
    QVERIFY(!FindUnprintableFigure("a\t(-5)").isEmpty());
    QVERIFY(!FindUnprintableFigure("infkA").isEmpty());
    QVERIFY(!FindUnprintableFigure("b\t1234567.123456789").isEmpty());
    QVERIFY(!FindUnprintableFigure("0.30000000000000004").isEmpty());
    QVERIFY(FindUnprintableFigure("TR-1\t-\t0.38\tCD|-\tE-16\t151934281364.17").isEmpty());
}

// Stored texts the row echoes rather than computes: the fed panel's combined starting power
// factor (column 29) is treated as its neighbours 25 to 27 are, "-" for what is no power
// factor (nan, negative, 1e308, above 1); a zero stored with a minus shows as 0; the No. is
// echoed when it is a label or a number of at least 0, and a number the program would refuse
// (nan, inf, -5, 21 digits) prints the row's number as the list shows it (the case row is the
// third).
void TestCablesCommand::storedEdgesPrintNoFigure_data()
{
    QTest::addColumn<Cells>("changes");
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("expected");
    const Cells fed = {{25, "250"}, {26, "150"}, {27, "10"}, {28, "Y-D"}};
    const auto withPf = [&fed](const QString& pf) { return fed + Cells{{29, pf}}; };
    QTest::newRow("power factor nan") << withPf("nan") << 29 << "-";
    QTest::newRow("power factor negative") << withPf("-0.9") << 29 << "-";
    QTest::newRow("power factor 1e308") << withPf("1e308") << 29 << "-";
    QTest::newRow("power factor above 1") << withPf("1.5") << 29 << "-";
    QTest::newRow("power factor sound") << withPf("0.90") << 29 << "0.90";
    QTest::newRow("its neighbour kept") << withPf("nan") << 25 << "250";
    QTest::newRow("fed load -0") << Cells{{25, "-0"}, {26, "150"}, {27, "10"}, {28, "Y-D"}} << 25 << "0";
    QTest::newRow("No. nan") << Cells{{0, "nan"}} << 0 << "3";
    QTest::newRow("No. inf") << Cells{{0, "inf"}} << 0 << "3";
    QTest::newRow("No. negative") << Cells{{0, "-5"}} << 0 << "3";
    QTest::newRow("No. of 21 digits") << Cells{{0, "123456789012345678901"}} << 0 << "3";
    QTest::newRow("No. -0") << Cells{{0, "-0"}} << 0 << "0";
    QTest::newRow("No. a label") << Cells{{0, "A-1"}} << 0 << "A-1";
    QTest::newRow("No. a number") << Cells{{0, "17"}} << 0 << "17";
}

void TestCablesCommand::storedEdgesPrintNoFigure()
{
    QFETCH(Cells, changes);
    QFETCH(int, column);
    QFETCH(QString, expected);
    const CommandProject p(UseWorkedConditions);
    QVERIFY(p.ok());
    QVERIFY(WriteRows(p.app(), {kRows[0], kRows[0], kRows[0] + changes}));
    const PrintedRun r = RunPrinting(p, "cables");
    QVERIFY2(r.failure.isEmpty(), qPrintable(r.failure));
    QVERIFY2(r.run.err.isEmpty(), qPrintable(r.run.err));
    QCOMPARE(r.lines.size(), 3);
    QCOMPARE(r.field(2, column), expected);
}

// A motor row whose number of wires is empty, started star-delta: the figure that rests on the
// wires is "-", never a negative or made-up count. Below the single-core threshold that is the
// cores of the multi-core cable (the lines are the one run doubled for star-delta: "2L"); from
// it on, each wire is a single-core cable and the lines (wires x runs x 2) are "-".
// Hand calculation with the row's eta 0.9 and cos 0.8: 5.5 kW -> 5.5 / 0.8 / 0.9 = 7.64 kVA,
// IB = 7.64 / (sqrt3 x 0.38) = 11.61 A, 1.5 mm2 (below the threshold); 250 kW -> 347.22 kVA,
// IB 527.55 A, 300 mm2 (above it). ISMIN 1 kA keeps the short-circuit size out of the way.
void TestCablesCommand::motorWithoutWiresPrintsNoFigureOnThem_data()
{
    QTest::addColumn<QString>("kw");
    QTest::addColumn<int>("noFigure");  // the column that rests on the wires
    QTest::addColumn<int>("other");     // its neighbour, which does not
    QTest::addColumn<QString>("otherText");
    // Columns 108 CORE and 109 LINE of the cable specification.
    QTest::newRow("multi-core 5.5 kW") << "5.5" << 108 << 109 << "2L";
    QTest::newRow("single-core 250 kW") << "250" << 109 << 108 << "1C";
}

void TestCablesCommand::motorWithoutWiresPrintsNoFigureOnThem()
{
    QFETCH(QString, kw);
    QFETCH(int, noFigure);
    QFETCH(int, other);
    QFETCH(QString, otherText);
    const CommandProject p(UseWorkedConditions);
    QVERIFY(p.ok());
    const Cells motor = {{2, "MCC-1"}, {3, "M-201"}, {4, "M"}, {5, kw}, {8, "3"}, {9, ""},
                         {10, "0.38"}, {14, "Y-D"}, {23, "1"}, {30, "80"}, {33, "E"}, {44, "1"},
                         {51, "1"}, {71, "LSS"}, {103, "20"}, {105, "FCV"}};
    QVERIFY(WriteRows(p.app(), {motor}));
    const PrintedRun r = RunPrinting(p, "cables");
    QVERIFY2(r.failure.isEmpty(), qPrintable(r.failure));
    QCOMPARE(r.lines.size(), 1);
    QCOMPARE(r.field(0, 9), QStringLiteral("-"));  // the wires as printed
    QCOMPARE(r.field(0, noFigure), QStringLiteral("-"));
    QCOMPARE(r.field(0, other), otherText);
}

void TestCablesCommand::scheduleMissingPrintsNothingUnreadableFails()
{
    const CommandProject p(UseWorkedConditions);
    QVERIFY(p.ok());
    VerifyWorkbookMissingThenUnreadable(p, "P1_40.xlsx", "cables");
}

QTEST_GUILESS_MAIN(TestCablesCommand)
#include "tst_cablescmd.moc"
