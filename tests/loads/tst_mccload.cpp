// The motor-control-centre load row and panel totals as plain functions: the row calculation
// over the load kinds and starting methods, the input check and its order, the totals of a
// small panel with a linked board and a spare row, the main CT at a table limit, and the panel
// name rules.
#include "loads/core/mccload.h"
#include "loads/core/mccpanel.h"

#include "library/core/libraryblocks.h"
#include "common/unprintable.h"
#include "loads/mccfixture.h"

#include <QTest>

#include <cmath>
#include <map>

namespace {

using Cols = std::map<int, QString>;

// Motor data as the library holds them after the design conditions were applied (beta 6.5,
// C of Y-D printed "%.3f", reactor tap 0.65, lambda 3.0 / 1.5 / 2.0, k 1.4).
// Fields: key, kW, phases, kV, eta, cos, IB, method, beta, C, lambda, k, IMS, II, tm, CT,
// capacitor, unit size, starting kVA.
const std::vector<MotorRow> kMotors = {
    {"37DOL", "37", "3", "0.38", "0.930", "0.860", "", "DOL", "6.5", "1.000", "-", "1.400", "",
     "", "6", "100/5", "-", "400", ""},
    {"55Y-D", "55", "3", "0.38", "0.940", "0.870", "", "Y-D", "6.5", "0.333", "-", "1.400", "",
     "", "15", "150/5", "30", "600", ""},
    {"75리액터", "75", "3", "0.38", "0.950", "0.880", "", "리액터", "6.5", "0.650", "-", "1.400",
     "", "", "10", "200/5", "-", "600", ""},
    {"15S.S", "15", "3", "0.38", "0.920", "0.850", "", "S.S", "6.5", "-", "3.000", "-", "", "",
     "20", "40/5", "-", "400", ""},
    {"22INV", "22", "3", "0.38", "0.930", "0.860", "", "INV", "6.5", "-", "1.500", "-", "", "",
     "4", "50/5", "-", "400", ""},
    {"11Elev", "11", "3", "0.38", "0.900", "0.850", "", "Elev", "6.5", "-", "2.000", "1.400", "",
     "", "6", "30/5", "-", "400", ""},
    {"2.2DOL", "2.2", "2", "0.22", "0.800", "0.800", "", "DOL", "6.0", "1.000", "-", "1.400", "",
     "", "4", "15/5", "-", "200", ""},
    // Incomplete library rows: no efficiency, and a power factor of 0.
    {"5.5DOL", "5.5", "3", "0.38", "-", "0.850", "", "DOL", "6.5", "1.000", "-", "1.400", "", "",
     "6", "15/5", "-", "200", ""},
    {"7.5DOL", "7.5", "3", "0.38", "0.900", "0", "", "DOL", "6.5", "1.000", "-", "1.400", "", "",
     "6", "20/5", "-", "200", ""},
};

bool FakeMotor(double kW, const QString& method, MotorRow& fields)
{
    for (const MotorRow& m : kMotors) {
        if (qFuzzyCompare(m[1].toDouble(), kW) && m[7] == method) {
            fields = m;
            return true;
        }
    }
    return false;
}

// k 1.4, tm of S.S 10 s, tm of INV 15 s, cos(phi)S 0.2.
MccLoadConditions Conditions()
{
    MccDesignConditions d;
    d.inrushMultipleIndex = 1;
    d.startTimeIndex = {0, 0, 0, 2, 3};
    d.startPowerFactorIndex = 2;
    return MccLoadConditionsOf(d);
}

MccLoadRow Input(const QString& kind, const QString& kw, const QString& kva, const QString& phases,
                 const QString& method, const QString& df, const QString& spare = "N")
{
    MccLoadRow row = mccfixture::LoadInputs("P", "P-1", kind, kw, kva, spare, phases, method, df);
    row[MccCol::Efficiency] = "0.96";  // typed in the hidden edits; always replaced
    row[MccCol::PowerFactor] = "0.86";
    return row;
}

// A CT ratio table: primaries 0, 15, 30, 50, 75, 100, 150, 200, 300, 400, labels one step up.
void FillCtTable(LibTable& t)
{
    const int primaries[] = {0, 15, 30, 50, 75, 100, 150, 200, 300, 400};
    const char* labels[] = {"15", "20", "30", "50", "75", "100", "150", "200", "300", "400"};
    t.Count = 10;
    for (int e = 0; e < 10; ++e) {
        t.Cell(e, 0) = QString::number(primaries[e]) + ".00";
        t.Cell(e, 1) = QString::fromLatin1(labels[e]);
    }
}

}  // namespace

class TestMccLoad : public QObject
{
    Q_OBJECT

private slots:
    void loadRow_data();
    void loadRow();
    void loadRowKeepsInputsAndBreaker();
    void incompleteMotorDataGivesDashes();
    void nonsenseInputsGiveDashes_data();
    void nonsenseInputsGiveDashes();
    void validationOrder_data();
    void validationOrder();
    void panelTotalsWithLinkedBoardAndSpare();
    void emptyPanelTotals();
    void unreadableFiguresGiveNoTotals();
    void largestMotorNeedsNumericIms();
    void mainCtAtTableLimit_data();
    void mainCtAtTableLimit();
    void panelNames_data();
    void panelNames();
    void copyNameNeverCollides();
};

void TestMccLoad::loadRow_data()
{
    QTest::addColumn<MccLoadRow>("row");
    QTest::addColumn<Cols>("expected");

    // Three-phase: S = P / cos / eta, IB = S / (sqrt3 x 0.38), DL = S x DF, each line DL / 3.
    // 37 kW DOL: S = 37 / 0.86 / 0.93 = 46.26 kVA; IB = 46.26 / 0.6582 = 70.29 A;
    // IMS = IB x beta x C = 70.29 x 6.5 x 1 = 456.87 A; II = IMS x k = 456.87 x 1.4 = 639.61 A;
    // starting kVA = 37 / 0.93 / 0.86 x 6.5 = 300.70.
    QTest::newRow("M DOL") << Input("M", "37", "", "3P", "DOL", "1.00")
                           << Cols{{6, "46.26"}, {8, "3W"}, {9, "0.38"}, {10, "0.930"},
                                   {11, "0.860"}, {12, "70.29"}, {14, "6.50"}, {15, "1.00"},
                                   {16, "-"}, {17, "1.40"}, {18, "456.87"}, {19, "639.61"},
                                   {20, "6.00"}, {21, "0.20"}, {23, "46.26"}, {24, "15.42"},
                                   {25, "15.42"}, {26, "15.42"}, {30, "100/5"}, {31, "-"},
                                   {32, "400"}, {34, "37.00"}, {35, "DOL"}, {36, "6"},
                                   {37, "300.70"}, {38, "46.26"}, {39, ""}};
    // 55 kW Y-D, DF 0.9: S = 55 / 0.87 / 0.94 = 67.25; IB = 102.18 A; C is the library's
    // "0.333", so IMS = 102.18 x 6.5 x 0.333 = 221.17 A (with exactly 1/3 it would be 221.39);
    // II = 221.17 x 1.4 = 309.64 A; DL = 67.25 x 0.9 = 60.53, 20.18 a line;
    // starting kVA = 55 / 0.94 / 0.87 x 6.5 x 0.333 = 145.57.
    QTest::newRow("M Y-D") << Input("M", "55", "", "3P", "Y-D", "0.9")
                           << Cols{{6, "67.25"}, {12, "102.18"}, {15, "0.33"}, {18, "221.17"},
                                   {19, "309.64"}, {20, "15.00"}, {23, "60.53"}, {24, "20.18"},
                                   {30, "150/5"}, {31, "30"}, {32, "600"}, {37, "145.57"},
                                   {38, "60.53"}};
    // 75 kW reactor, tap 0.65: S = 75 / 0.88 / 0.95 = 89.71; IB = 136.30 A;
    // IMS = 136.30 x 6.5 x 0.65 = 575.89 A; II = x 1.4 = 806.24 A; starting kVA = 379.04.
    QTest::newRow("M reactor") << Input("M", "75", "", "3P", "리액터", "1")
                               << Cols{{6, "89.71"}, {12, "136.30"}, {18, "575.89"},
                                       {19, "806.24"}, {36, "10"}, {37, "379.04"}};
    // 15 kW soft starter: S = 15 / 0.85 / 0.92 = 19.18; IB = 29.14 A; IMS = II = IB x lambda =
    // 29.14 x 3 = 87.43 A; tm is the project's S.S choice (10 s), not the library's 20 s;
    // starting kVA = 15 / 0.92 / 0.85 x 3 = 57.54.
    QTest::newRow("M S.S") << Input("M", "15", "", "3P", "S.S", "1")
                           << Cols{{8, "3W"}, {12, "29.14"}, {14, "6.50"}, {15, "-"},
                                   {16, "3.00"}, {17, "-"}, {18, "87.43"}, {19, "87.43"},
                                   {20, "10.00"}, {36, "10"}, {37, "57.54"}};
    // 22 kW inverter: four wires; S = 22 / 0.86 / 0.93 = 27.51; IB = 41.79 A;
    // IMS = II = 41.79 x 1.5 = 62.69 A; tm the INV choice 15 s; starting kVA = 41.26.
    QTest::newRow("M INV") << Input("M", "22", "", "3P", "INV", "1")
                           << Cols{{8, "4W"}, {12, "41.79"}, {18, "62.69"}, {19, "62.69"},
                                   {20, "15.00"}, {37, "41.26"}};
    // 11 kW "Elev" (typed): IMS = IB x lambda = 21.85 x 2 = 43.69 A, but II = IMS x k =
    // 61.17 A; tm stays the library's 6 s; starting kVA = 11 / 0.9 / 0.85 x 2 = 28.76.
    QTest::newRow("M Elev") << Input("M", "11", "", "3P", "Elev", "1")
                            << Cols{{12, "21.85"}, {18, "43.69"}, {19, "61.17"}, {20, "6.00"},
                                    {37, "28.76"}};
    // Single-phase 2.2 kW DOL on "2P": S = 2.2 / 0.8 / 0.8 = 3.44; V 0.22 and no sqrt3:
    // IB = 3.4375 / 0.22 = 15.625 -> 15.63 A (a half away from zero); IMS = 15.625 x 6 =
    // 93.75 A; II = 131.25 A; all of DL on L1.
    QTest::newRow("M single-phase") << Input("M", "2.2", "", "2P", "DOL", "1")
                                    << Cols{{6, "3.44"}, {8, "2W"}, {9, "0.22"}, {12, "15.63"},
                                            {18, "93.75"}, {19, "131.25"}, {24, "3.44"},
                                            {25, "-"}, {26, "-"}};
    // Other loads: eta 1, cos 0.8, CT "-", unit 200, no starting data.
    // "L1" on "3P": the three-phase rule wins, 10 / 3 = 3.33 a line; IB = 10 / 0.6582 = 15.19 A.
    QTest::newRow("L1 three-phase")
        << Input("L1", "", "10", "3P", "-", "1")
        << Cols{{6, "10.00"}, {8, "3W"}, {10, "1.000"}, {11, "0.800"}, {12, "15.19"}, {14, "-"},
                {18, "-"}, {19, "-"}, {20, "-"}, {21, "-"}, {24, "3.33"}, {25, "3.33"},
                {26, "3.33"}, {30, "-"}, {31, "-"}, {32, "200"}, {34, "-"}, {35, "-"}, {36, "-"},
                {37, "-"}, {38, "-"}};
    // "L2" on "2P", 5 kVA: IB = 5 / 0.22 = 22.73 A, all on L2.
    QTest::newRow("L2 single-phase") << Input("L2", "", "5", "2P", "-", "1")
                                     << Cols{{8, "2W"}, {12, "22.73"}, {24, "-"}, {25, "5.00"},
                                             {26, "-"}};
    // "L3P" on "2P": four wires at 0.22 kV, IB = 9 / 0.22 = 40.91 A, DL / 3 on each line.
    QTest::newRow("L3P on 2P") << Input("L3P", "", "9", "2P", "-", "1")
                               << Cols{{8, "4W"}, {9, "0.22"}, {12, "40.91"}, {24, "3.00"},
                                       {25, "3.00"}, {26, "3.00"}};
    // A non-motor given in kW: S = 8 / 0.8 / 1 = 10 kVA; on "2P" IB = 10 / 0.22 = 45.45 A.
    QTest::newRow("L1 in kW") << Input("L1", "8", "", "2P", "-", "1")
                              << Cols{{6, "10.00"}, {12, "45.45"}, {24, "10.00"}, {34, "-"}};
}

void TestMccLoad::loadRow()
{
    QFETCH(MccLoadRow, row);
    QFETCH(Cols, expected);
    CalcMccLoadRow(row, Conditions(), &FakeMotor);
    for (const auto& [col, text] : expected)
        QVERIFY2(row[std::size_t(col)] == text,
                 qPrintable(QStringLiteral("column %1: \"%2\", expected \"%3\"")
                                .arg(col)
                                .arg(row[std::size_t(col)], text)));
}

void TestMccLoad::loadRowKeepsInputsAndBreaker()
{
    MccLoadRow row = Input("M", "37", "", "3P", "DOL", "1.00");
    row[MccCol::BreakerPoles] = "3";
    row[MccCol::BreakerFrame] = "100";
    row[MccCol::BreakerTrip] = "100";
    row[MccCol::Remark] = "비고";
    row[MccCol::Note] = "old";
    const MccLoadRow before = row;
    CalcMccLoadRow(row, Conditions(), &FakeMotor);
    for (int c : {0, 1, 2, 3, 4, 5, 7, 13, 22, 27, 28, 29, 33})
        QCOMPARE(row[std::size_t(c)], before[std::size_t(c)]);
    QCOMPARE(row[MccCol::Note], QString());
}

void TestMccLoad::incompleteMotorDataGivesDashes()
{
    // Inserted with "+" (no check) on a motor without efficiency: nothing divides by zero, and
    // neither "nan" nor "inf" reaches a column.
    for (const char* kw : {"5.5", "7.5"}) {
        MccLoadRow row = Input("M", kw, "", "3P", "DOL", "1");
        CalcMccLoadRow(row, Conditions(), &FakeMotor);
        for (int c : {6, 12, 18, 19, 23, 24, 37, 38})
            QCOMPARE(row[std::size_t(c)], QStringLiteral("-"));
        for (const QString& cell : row) {
            QVERIFY2(FindUnprintableFigure(cell).isEmpty(), qPrintable(cell));
        }
    }
}

void TestMccLoad::nonsenseInputsGiveDashes_data()
{
    QTest::addColumn<MccLoadRow>("row");
    QTest::addColumn<bool>("hasLoad");  // the input load itself can be computed
    QTest::newRow("kVA nan") << Input("L1", "", "nan", "2P", "-", "1") << false;
    QTest::newRow("kVA -inf") << Input("L3P", "", "-inf", "3P", "-", "1") << false;
    QTest::newRow("kVA negative") << Input("L1", "", "-10", "2P", "-", "1") << false;
    QTest::newRow("kVA comma") << Input("L1", "", "12,5", "2P", "-", "1") << false;
    QTest::newRow("kW 1e308") << Input("L2", "1e308", "", "2P", "-", "1") << false;
    QTest::newRow("motor kW inf") << Input("M", "inf", "", "3P", "DOL", "1") << false;
    QTest::newRow("motor kW negative") << Input("M", "-37", "", "3P", "DOL", "1") << false;
    QTest::newRow("DF nan") << Input("L1", "", "10", "2P", "-", "nan") << true;
    QTest::newRow("DF negative") << Input("M", "37", "", "3P", "DOL", "-1") << true;
    QTest::newRow("DF empty") << Input("L1", "", "10", "2P", "-", "") << true;
}

void TestMccLoad::nonsenseInputsGiveDashes()
{
    // Inserted with "+" (no check) or stored by another program: every figure that depends on
    // the spoiled input is "-", never a figure computed from it.
    QFETCH(MccLoadRow, row);
    QFETCH(bool, hasLoad);
    CalcMccLoadRow(row, Conditions(), &FakeMotor);
    using namespace MccCol;
    for (int c : {DemandKva, L1, L2, L3, MotorDemand})
        QVERIFY2(row[std::size_t(c)] == "-",
                 qPrintable(QString("column %1: %2").arg(c).arg(row[std::size_t(c)])));
    QCOMPARE(row[InputKva] != "-", hasLoad);
    if (!hasLoad)
        for (int c : {InputKva, DesignCurrent, Ims, Ii, MotorStartKva})
            QCOMPARE(row[std::size_t(c)], QStringLiteral("-"));
    QString computed;
    for (int c = 0; c < int(row.size()); ++c)
        if (c != Kw && c != Kva && c != DemandFactor)
            computed += row[std::size_t(c)] + '\t';
    const QString bad = FindUnprintableFigure(computed);
    QVERIFY2(bad.isEmpty(), qPrintable(bad));
}

void TestMccLoad::validationOrder_data()
{
    QTest::addColumn<MccLoadInput>("input");
    QTest::addColumn<int>("refusal");
    // supply, kind, kW, kVA, phases, method, number, demand factor. Each row breaks every later
    // check too, so the first check that fails is the one reported.
    const auto R = [](MccLoadRefusal r) { return int(r); };
    QTest::newRow("1 three-phase load on 1P3W")
        << MccLoadInput{"1P3W", "L1", "1", "1", "3P", "DOL", ""} << R(MccLoadRefusal::SinglePhasePanel);
    QTest::newRow("1 three-phase load on 1P2W")
        << MccLoadInput{"1P2W", "M", "", "", "3P", "DOL", ""} << R(MccLoadRefusal::SinglePhasePanel);
    QTest::newRow("2 method on a non-motor")
        << MccLoadInput{"3P4W", "L1", "1", "1", "3P", "DOL", ""} << R(MccLoadRefusal::StartMethodNotMotor);
    QTest::newRow("2 empty method on a non-motor")
        << MccLoadInput{"3P4W", "L3P", "1", "1", "3P", "", ""} << R(MccLoadRefusal::StartMethodNotMotor);
    QTest::newRow("3 both capacities")
        << MccLoadInput{"3P4W", "M", "37", "40", "3P", "DOL", ""} << R(MccLoadRefusal::BothCapacities);
    QTest::newRow("4 no capacity")
        << MccLoadInput{"3P4W", "M", "", "", "3P", "XX", ""} << R(MccLoadRefusal::NoCapacity);
    QTest::newRow("4b kW nan")
        << MccLoadInput{"3P4W", "M", "nan", "", "3P", "DOL", ""} << R(MccLoadRefusal::KwNotPositive);
    QTest::newRow("4b kW negative")
        << MccLoadInput{"3P4W", "M", "-37", "", "3P", "DOL", ""} << R(MccLoadRefusal::KwNotPositive);
    QTest::newRow("4b kW 1e308")
        << MccLoadInput{"3P4W", "L1", "1e308", "", "2P", "-", ""} << R(MccLoadRefusal::KwNotPositive);
    QTest::newRow("4b kVA decimal comma")
        << MccLoadInput{"3P4W", "L1", "", "12,5", "2P", "-", ""} << R(MccLoadRefusal::KvaNotPositive);
    QTest::newRow("4b kVA 0")
        << MccLoadInput{"3P4W", "L1", "", "0", "2P", "-", ""} << R(MccLoadRefusal::KvaNotPositive);
    QTest::newRow("4b kVA -inf")
        << MccLoadInput{"3P4W", "L1", "", "-inf", "2P", "-", ""} << R(MccLoadRefusal::KvaNotPositive);
    QTest::newRow("5 motor given in kVA only")
        << MccLoadInput{"3P4W", "M", "", "40", "3P", "DOL", ""} << R(MccLoadRefusal::MotorNotFound);
    QTest::newRow("5 motor not in the library")
        << MccLoadInput{"3P4W", "M", "38", "", "3P", "DOL", ""} << R(MccLoadRefusal::MotorNotFound);
    QTest::newRow("6 motor without efficiency")
        << MccLoadInput{"3P4W", "M", "5.5", "", "3P", "DOL", ""} << R(MccLoadRefusal::MotorDataIncomplete);
    QTest::newRow("6 motor with power factor 0")
        << MccLoadInput{"3P4W", "M", "7.5", "", "3P", "DOL", ""} << R(MccLoadRefusal::MotorDataIncomplete);
    QTest::newRow("6b no demand factor")
        << MccLoadInput{"3P4W", "M", "37", "", "3P", "DOL", ""} << R(MccLoadRefusal::DemandFactorInvalid);
    QTest::newRow("6b demand factor negative")
        << MccLoadInput{"3P4W", "M", "37", "", "3P", "DOL", "", "-1"} << R(MccLoadRefusal::DemandFactorInvalid);
    QTest::newRow("6b demand factor inf")
        << MccLoadInput{"3P4W", "L1", "", "5", "2P", "-", "", "inf"} << R(MccLoadRefusal::DemandFactorInvalid);
    QTest::newRow("7 no equipment number")
        << MccLoadInput{"3P4W", "M", "37", "", "3P", "DOL", "", "1.00"} << R(MccLoadRefusal::NoEquipmentNumber);
    QTest::newRow("accepted motor")
        << MccLoadInput{"3P4W", "M", "37", "", "3P", "DOL", "M-1", "1.00"} << R(MccLoadRefusal::None);
    // A demand factor of 0 keeps a load listed without demand.
    QTest::newRow("accepted demand factor 0")
        << MccLoadInput{"3P4W", "M", "37", "", "3P", "DOL", "M-1", "0"} << R(MccLoadRefusal::None);
    QTest::newRow("two-phase load on a three-phase panel")
        << MccLoadInput{"3P4W", "L2", "", "5", "2P", "-", "L-1", "1"} << R(MccLoadRefusal::None);
    QTest::newRow("two-phase load on 1P3W")
        << MccLoadInput{"1P3W", "L1", "", "5", "2P", "-", "L-1", "0.5"} << R(MccLoadRefusal::None);
}

void TestMccLoad::validationOrder()
{
    QFETCH(MccLoadInput, input);
    QFETCH(int, refusal);
    QCOMPARE(int(ValidateMccLoadInput(input, &FakeMotor)), refusal);
    // Every refusal has its message; those of a number name the field.
    const QString text = MccLoadRefusalText(MccLoadRefusal(refusal));
    QCOMPARE(text.isEmpty(), refusal == int(MccLoadRefusal::None));
    const std::map<int, QString> fields = {{int(MccLoadRefusal::KwNotPositive), "용량[kW]"},
                                           {int(MccLoadRefusal::KvaNotPositive), "용량[kVA]"},
                                           {int(MccLoadRefusal::DemandFactorInvalid), "수용률"}};
    if (fields.count(refusal))
        QVERIFY2(text.startsWith(fields.at(refusal)), qPrintable(text));
}

void TestMccLoad::panelTotalsWithLinkedBoardAndSpare()
{
    LibTable ct(0, 0, 26, 2);
    FillCtTable(ct);
    const MccLoadConditions cond = Conditions();
    std::vector<MccLoadRow> rows;
    rows.push_back(Input("M", "37", "", "3P", "DOL", "1.00"));        // counted
    rows.push_back(Input("M", "75", "", "3P", "리액터", "1.00", "Y"));  // spare
    rows.push_back(Input("L1", "", "10", "2P", "-", "0.5"));          // counted, on L1
    for (MccLoadRow& r : rows)
        CalcMccLoadRow(r, cond, &FakeMotor);
    // A panel board fed from this panel, as the linked-load import makes it: connected load
    // 24 kVA, demand 18 kVA.
    rows.push_back(MakeMccLinkedLoadRow("LP-1", "24", 18.0));

    const MccTotalsResult t = CalcMccPanelTotals(rows, "0.38", ct);
    // Hand calculation (input loads from the row table above):
    //  ΣCL = 46.26 (37 kW) + 10.00 (L1) + 24 (board) = 80.26 -> "80"; the spare 89.71 is out.
    //  ΣDL = 46.26 + 10 x 0.5 + 18 = 69.26 -> "69"; DF = 69.26 / 80.26 = 86.3 % -> "86".
    //  L1 = 15.42 + 5.00 + 6.00 = 26.42 -> "26"; L2 = L3 = 15.42 + 6.00 = 21.42 -> "21".
    //  Largest motor: the spare 75 kW reactor motor (IMS 575.89 > 456.87), starting kVA 379.04
    //  -> "379", tm "10s". Largest counted demand 46.26: 69.26 - 46.26 = 23.00 -> "23".
    //  Main CT: 69.26 / (sqrt3 x 0.38) = 105.2 A; first primary above it 150, so label "100".
    QCOMPARE(t.counted, 3);
    const std::map<int, QString> expected = {
        {0, "80"}, {1, "86"}, {2, "69"}, {3, "26"}, {4, "21"}, {5, "21"}, {6, ""}, {9, "75.00"},
        {10, "리액터"}, {11, "기동"}, {12, "379"}, {13, "10s"}, {14, ""}, {17, "100/5"}, {19, ""},
        {20, "23"}};
    for (const auto& [item, text] : expected)
        QVERIFY2(t.totals[std::size_t(item)] == text,
                 qPrintable(QStringLiteral("item %1: \"%2\"").arg(item).arg(t.totals[std::size_t(item)])));
    // Record items 7 to 19: totals, the largest motor's kW, cos, beta, eta, cosS, C as the row
    // holds them, then without-largest, starting kVA, time and method.
    const std::array<QString, 13> results = {"80",    "86",   "69",  "75",  "0.880", "6.50", "0.950",
                                             "0.20",  "0.65", "23",  "379", "10s",   "리액터"};
    QCOMPARE(t.results, results);

    // Once modified on the page and marked spare, the board no longer counts.
    rows[3][MccCol::Spare] = "Y";
    const MccTotalsResult spare = CalcMccPanelTotals(rows, "0.38", ct);
    QCOMPARE(spare.totals[0], QStringLiteral("56"));  // 46.26 + 10
    // Modified as a normal load ("N", DF 1, recomputed): counted once, with the row's demand.
    rows[3][MccCol::Spare] = "N";
    rows[3][MccCol::StartMethod] = "-";
    CalcMccLoadRow(rows[3], cond, &FakeMotor);
    const MccTotalsResult modified = CalcMccPanelTotals(rows, "0.38", ct);
    QCOMPARE(modified.counted, 3);
    QCOMPARE(modified.totals[0], QStringLiteral("80"));  // 46.26 + 10 + 24
    QCOMPARE(modified.totals[2], QStringLiteral("75"));  // 46.26 + 5 + 24
}

void TestMccLoad::emptyPanelTotals()
{
    LibTable ct(0, 0, 26, 2);
    FillCtTable(ct);
    const MccTotalsResult t = CalcMccPanelTotals({}, "0.38", ct);
    for (int i : {0, 1, 2, 3, 4, 5, 20})
        QCOMPARE(t.totals[std::size_t(i)], QStringLiteral("0"));
    for (int i : {9, 10, 12, 13})
        QCOMPARE(t.totals[std::size_t(i)], QStringLiteral("-"));
    // A current of 0: the first primary above it is entry 1's, so entry 0's label.
    QCOMPARE(t.totals[17], QStringLiteral("15/5"));
    // The sheet keeps no motor: empty kW, cos, beta, eta, cosS, C and method.
    for (int i : {3, 4, 5, 6, 7, 8, 12})
        QCOMPARE(t.results[std::size_t(i)], QString());
    // A panel without a voltage: no current, no CT (never a division by zero shown).
    QCOMPARE(CalcMccPanelTotals({}, "", ct).totals[17], QString());
    // Counted rows without any input load (a refused row kept as stored): DF is 0, not 0 / 0.
    const MccTotalsResult zero =
        CalcMccPanelTotals({Input("M", "38", "", "3P", "DOL", "1")}, "0.38", ct);
    QCOMPARE(zero.counted, 1);
    QCOMPARE(zero.totals[1], QStringLiteral("0"));
}

void TestMccLoad::unreadableFiguresGiveNoTotals()
{
    // Stored rows whose figures are no numbers (an older version, another program): a total
    // that silently left such a load out would be trusted, so the totals are "-" instead.
    LibTable ct(0, 0, 26, 2);
    FillCtTable(ct);
    for (const char* text : {"nan", "inf", "1e308", "-5", "12,5"}) {
        std::vector<MccLoadRow> rows;
        rows.push_back(Input("L1", "", "10", "2P", "-", "1"));
        CalcMccLoadRow(rows.back(), Conditions(), &FakeMotor);
        rows.push_back(rows.back());
        rows.back()[MccCol::InputKva] = text;
        rows.back()[MccCol::DemandKva] = text;
        rows.back()[MccCol::L1] = text;
        const MccTotalsResult t = CalcMccPanelTotals(rows, "0.38", ct);
        for (int i : {0, 1, 2, 3, 20})
            QVERIFY2(t.totals[std::size_t(i)] == "-", qPrintable(QString("%1: item %2 \"%3\"")
                                                                      .arg(text)
                                                                      .arg(i)
                                                                      .arg(t.totals[std::size_t(i)])));
        QCOMPARE(t.totals[17], QString());  // no current, no CT
    }
    // A voltage that is no number above 0 gives no main CT.
    for (const char* volt : {"-0.38", "nan", "0", "1e308"})
        QCOMPARE(CalcMccPanelTotals({}, volt, ct).totals[17], QString());
}

void TestMccLoad::largestMotorNeedsNumericIms()
{
    LibTable ct(0, 0, 26, 2);
    FillCtTable(ct);
    std::vector<MccLoadRow> rows;
    rows.push_back(Input("L3P", "", "50", "3P", "-", "1"));  // IMS "-": never the largest motor
    rows.push_back(Input("M", "5.5", "", "3P", "DOL", "1"));  // inserted unchecked: IMS "-"
    rows.push_back(Input("M", "15", "", "3P", "S.S", "1"));   // IMS 87.43
    rows.push_back(Input("M", "15", "", "3P", "S.S", "1"));   // equal: the first one wins
    for (MccLoadRow& r : rows)
        CalcMccLoadRow(r, Conditions(), &FakeMotor);
    rows[3][MccCol::MotorTime] = "99";
    const MccTotalsResult t = CalcMccPanelTotals(rows, "0.38", ct);
    QCOMPARE(t.totals[9], QStringLiteral("15.00"));
    QCOMPARE(t.totals[10], QStringLiteral("S.S"));
    QCOMPARE(t.totals[13], QStringLiteral("10s"));
    // Without any motor the fields show "-".
    rows.erase(rows.begin() + 1, rows.end());
    QCOMPARE(CalcMccPanelTotals(rows, "0.38", ct).totals[9], QStringLiteral("-"));
}

void TestMccLoad::mainCtAtTableLimit_data()
{
    QTest::addColumn<QString>("demandKva");
    QTest::addColumn<QString>("ct");
    // I = DL / sqrt3 / 0.38 kV. Entry 6's primary is set to the current of DL = 100 kVA
    // (151.93 A), so that the current equals a table limit exactly: that limit is not greater
    // than I, the first greater is entry 7's (200), and the CT is entry 6's label.
    QTest::newRow("just below the limit") << "99.99" << "100/5";
    QTest::newRow("exactly the limit") << "100" << "150/5";
    QTest::newRow("above the last limit") << "1000" << "";
}

void TestMccLoad::mainCtAtTableLimit()
{
    QFETCH(QString, demandKva);
    QFETCH(QString, ct);
    LibTable table(0, 0, 26, 2);
    FillCtTable(table);
    table.Cell(6, 0) = QString::number(100.0 / std::sqrt(3.0) / 0.38, 'g', 17);
    // One counted load carrying exactly that demand.
    MccLoadRow row = Input("L3P", "", "", "3P", "-", "1");
    row[MccCol::DemandKva] = demandKva;
    std::vector<MccLoadRow> rows{row};
    QCOMPARE(CalcMccPanelTotals(rows, "0.38", table).totals[17], ct);
}

void TestMccLoad::panelNames_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("except");
    QTest::addColumn<int>("check");
    const auto C = [](MccPanelNameCheck c) { return int(c); };
    QTest::newRow("new name") << "MCC-C" << -1 << C(MccPanelNameCheck::Ok);
    QTest::newRow("empty") << "" << -1 << C(MccPanelNameCheck::Empty);
    QTest::newRow("slash") << "MCC/1" << -1 << C(MccPanelNameCheck::Invalid);
    QTest::newRow("bracket") << "MCC[1]" << -1 << C(MccPanelNameCheck::Invalid);
    QTest::newRow("32 characters") << QString(32, 'A') << -1 << C(MccPanelNameCheck::Invalid);
    QTest::newRow("31 characters") << QString(31, 'A') << -1 << C(MccPanelNameCheck::Ok);
    QTest::newRow("duplicate") << "MCC-A" << -1 << C(MccPanelNameCheck::Duplicate);
    QTest::newRow("differs only in case") << "mcc-a" << -1 << C(MccPanelNameCheck::Duplicate);
    QTest::newRow("renaming itself") << "mcc-a" << 0 << C(MccPanelNameCheck::Ok);
    QTest::newRow("renaming onto another") << "MCC-B" << 0 << C(MccPanelNameCheck::Duplicate);
}

void TestMccLoad::panelNames()
{
    QFETCH(QString, name);
    QFETCH(int, except);
    QFETCH(int, check);
    QCOMPARE(int(CheckMccPanelName(name, {"MCC-A", "MCC-B"}, except)), check);
}

void TestMccLoad::copyNameNeverCollides()
{
    QStringList names = {"MCC-A"};
    QCOMPARE(MakeMccCopyName("MCC-A", "142530", names), QStringLiteral("MCC-A_142530"));
    names << "mcc-a_142530";
    QCOMPARE(MakeMccCopyName("MCC-A", "142530", names), QStringLiteral("MCC-A_142530_2"));
    names << "MCC-A_142530_2";
    QCOMPARE(MakeMccCopyName("MCC-A", "142530", names), QStringLiteral("MCC-A_142530_3"));
}

QTEST_APPLESS_MAIN(TestMccLoad)
#include "tst_mccload.moc"
