// Transformer capacity without the screen: demand totals and rounding, the standard rating,
// the largest-motor starting check and the rating it leaves, undefined and nonsense inputs,
// the import from the motor-control-centre and panel-board workbooks (a soft-started largest
// motor included), the shipped "TR" table and the driver's "transformers" command.
#include "loads/core/transformersizing.h"

#include "app/core/calcutil.h"
#include "app/core/sevrin.h"
#include "common/calcdriver.h"
#include "common/recordingprompt.h"
#include "common/testpaths.h"
#include "common/testsupport.h"
#include "mccfixture.h"
#include "common/unprintable.h"
#include "sourcesfixture.h"
#include "common/golden.h"
#include "common/driverproject.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>

using namespace sourcesfixture;

namespace {

TransformerLoadRowT Row(const QString& connected, const QString& demand)
{
    TransformerLoadRowT r;
    r[trcol::kNumber] = "1";
    r[trcol::kConnectedVA] = connected;
    r[trcol::kDemandVA] = demand;
    return r;
}

TransformerMotorInputs Motor(double pm, double cosM, double beta, double z, double eps, double cos,
                             double etaM, double cosMs, double c)
{
    return {pm, cosM, beta, z, eps, cos, etaM, cosMs, c};
}

bool HasNoNumberText(const QString& s)
{
    return FindUnprintableFigure(s).isEmpty();
}

void CheckNoNanInf(const TransformerCapacity& c)
{
    for (const QString& s : {c.connectedText, c.demandFactorText, c.demandText, c.ratingText,
                             c.decision, c.capacityText, c.motor.sText, c.motor.p1Text,
                             c.motor.sinMsText, c.motor.q1Text, c.motor.p2Text, c.motor.q2Text,
                             c.motor.ptrText, c.motor.ptrRatingText, c.motor.decision})
        QVERIFY2(HasNoNumberText(s), qPrintable(s));
}

}  // namespace

class TestTransformerCapacity : public QObject
{
    Q_OBJECT

private slots:
    void demandRoundsHalfAwayFromZero_data();
    void demandRoundsHalfAwayFromZero();
    void totalsSkipDashAndEmptyAndReadMetreSuffix();
    void ratingIsNeverBelowTheDemand();
    void workedMotorBlock();
    void largeDirectOnLineMotorSizesTheTransformer();
    void motorCheckNeverChoosesBelowTheDemand();
    void unreadableLoadsGiveNoRating_data();
    void unreadableLoadsGiveNoRating();
    void undefinedMotorInputsGiveDash_data();
    void undefinedMotorInputsGiveDash();
    void loadRowDemand();
    void importConvertsUnitsAndPicksLargestMotor();
    void softStartedLargestMotorStartsAtItsCurrentLimit();
    void shippedTablesCoverEveryDemand();
    void driverTransformersCommand();
    void driverPrintsNoFigureFromNonsense();
};

void TestTransformerCapacity::demandRoundsHalfAwayFromZero_data()
{
    QTest::addColumn<QString>("demand");
    QTest::addColumn<long long>("kva");
    QTest::addColumn<QString>("decision");
    // Halves go away from zero, never to the even neighbour (2.5 kVA -> 3, not 2).
    QTest::newRow("1499 VA") << "1499" << 1LL << "상기 계산상 1kVA이므로 3φ 100 변압기 1대로 결정함.";
    QTest::newRow("1500 VA") << "1500" << 2LL << "상기 계산상 2kVA이므로 3φ 100 변압기 1대로 결정함.";
    QTest::newRow("2500 VA") << "2500" << 3LL << "상기 계산상 3kVA이므로 3φ 100 변압기 1대로 결정함.";
    QTest::newRow("1500m") << "1500m" << 2LL << "상기 계산상 2kVA이므로 3φ 100 변압기 1대로 결정함.";
    // 100.5 kVA rounds to 101 kVA, the first demand the 100 kVA unit cannot carry.
    QTest::newRow("100500 VA") << "100500" << 101LL << "상기 계산상 101kVA이므로 3φ 125 변압기 1대로 결정함.";
}

void TestTransformerCapacity::demandRoundsHalfAwayFromZero()
{
    QFETCH(QString, demand);
    QFETCH(long long, kva);
    QFETCH(QString, decision);
    const TransformerCapacity c = CalcTransformerCapacityFigures(
        CalcTransformerTotals({Row("3000", demand)}), false, {}, TransformerTable());
    QCOMPARE(c.demandKva, kva);
    QCOMPARE(c.decision, decision);
    QCOMPARE(c.capacityText, c.ratingText);
}

void TestTransformerCapacity::totalsSkipDashAndEmptyAndReadMetreSuffix()
{
    // "-" and "" add nothing to ΣDL, but the connected load of those rows still counts.
    const std::vector<TransformerLoadRowT> rows = {Row("1000", "-"), Row("2000m", ""),
                                                   Row("-", "1500m"), Row("3000", "500")};
    const TransformerTotals t = CalcTransformerTotals(rows);
    QCOMPARE(t.connectedVA, 6000.0);
    QCOMPARE(t.demandVA, 2000.0);
    const TransformerCapacity c = CalcTransformerCapacityFigures(t, false, {}, TransformerTable());
    QCOMPARE(c.connectedText, QString("6000"));
    QCOMPARE(c.demandText, QString("2000"));
    QCOMPARE(c.demandFactorText, QString("0.33"));  // 2000 / 6000

    // No connected load: the factor is "0.00", not a division by zero; no rows: 0 kVA and the
    // first rating of the table.
    const TransformerCapacity empty = CalcTransformerCapacityFigures({}, false, {}, TransformerTable());
    QCOMPARE(empty.demandFactorText, QString("0.00"));
    QCOMPARE(empty.ratingText, QString("100"));
    QCOMPARE(empty.decision, QString("상기 계산상 0kVA이므로 3φ 100 변압기 1대로 결정함."));
    CheckNoNanInf(empty);
}

void TestTransformerCapacity::ratingIsNeverBelowTheDemand()
{
    const RatingLookup tr = TransformerTable();
    struct Case { double demand; double rating; };
    // Fractional demands look up the next whole kVA; above the largest rating there is none.
    const Case cases[] = {{100, 100}, {100.4, 125}, {101, 125}, {453.41, 500}, {500.2, 630},
                          {6300, 6300}, {6300.5, NO_VALUE}, {7000, NO_VALUE}};
    for (const Case& c : cases)
        QCOMPARE(PickStandardRating(c.demand, tr), c.rating);
    QCOMPARE(PickStandardRating(std::nan(""), tr), NO_VALUE);
    QCOMPARE(PickStandardRating(INFINITY, tr), NO_VALUE);
    QCOMPARE(PickStandardRating(100, FloorTable({})), NO_VALUE);

    // A demand above the table shows "-" as its rating and capacity, never the last rating.
    const TransformerCapacity c = CalcTransformerCapacityFigures(
        CalcTransformerTotals({Row("8000000", "7000000")}), false, {}, tr);
    QCOMPARE(c.ratingText, QString("-"));
    QCOMPARE(c.capacityText, QString("-"));
    QCOMPARE(c.decision, QString("상기 계산상 7000kVA이므로 3φ - 변압기 1대로 결정함."));
}

void TestTransformerCapacity::workedMotorBlock()
{
    // kVA = 500, Pm = 100 kW, cosθ = 0.8, cosθm = 0.85, ηm = 0.9, β = 6, C = 1, cosθms = 0.3,
    // ε = 15 %, %Z = 6 %. By hand: S = 500 − 100 = 400; P1 = 400 × 0.8 = 320;
    // Q1 = 400 × 0.6 = 240; K = 100 / (0.9 × 0.85) × 6 = 784.314 kVA; P2 = 0.3 K = 235.29;
    // Q2 = K √(1 − 0.09) = 748.19; PTR = √(555.29² + 988.19²) × 6 / 15 = 453.41 kVA.
    const TransformerMotorInputs in = Motor(100, 0.85, 6, 6, 15, 0.8, 0.9, 0.3, 1);
    const TransformerCapacity c = CalcTransformerCapacityFigures(
        CalcTransformerTotals({Row("600000", "500000")}), true, in, TransformerTable());
    const TransformerMotorBlock& m = c.motor;
    QCOMPARE(m.sText, QString("400"));
    QCOMPARE(m.p1Text, QString("320"));
    QCOMPARE(m.q1Text, QString("240.000"));
    QCOMPARE(m.sinMsText, QString("0.954"));
    const double k = 100.0 / (0.9 * 0.85) * 6.0;
    QVERIFY(std::fabs(m.k - k) < 1e-9);
    QCOMPARE(m.p2Text, QString("235.29"));
    QCOMPARE(m.q2Text, QString("748.19"));
    QVERIFY(m.ptr > 453.0 && m.ptr < 454.0);
    QCOMPARE(m.ptrText, QString("453"));
    QCOMPARE(m.ptrRatingText, QString("500"));
    // The decision never states less than PTR: 453.41 is "453.5", rounded up to a tenth.
    QCOMPARE(m.decision, QString("최대용량 전동기 기동 시 전압강하를 고려한 변압기 용량 PTR은 453.5kVA이므로, "
                                 "따라서, 변압기 용량은 3Φ 500kVA로 선정한다."));
    QCOMPARE(c.capacityText, QString("500"));

    // The record receives the computed fields and keeps the entered ones.
    TransformerRecordT record;
    record[trfield::kPm] = "100";
    ApplyMotorBlockToRecord(m, record);
    QCOMPARE(record[trfield::kS], QString("400"));
    QCOMPARE(record[trfield::kQ2], QString("748.19"));
    QCOMPARE(record[trfield::kDecision], m.decision);
    QCOMPARE(record[trfield::kPm], QString("100"));

    // PTR scaled through %Z to chosen figures: the hidden field rounds ("%.0f"), the decision
    // keeps a tenth or rounds up to the next one, never below what was computed (80.9 kVA
    // once read "80kVA").
    const struct
    {
        double ptr;
        const char* field;
        const char* stated;
    } scaled[] = {
        {453.7, "454", "PTR은 453.7kVA"},
        {80.9, "81", "PTR은 80.9kVA"},
        {80.91, "81", "PTR은 81.0kVA"},
        {80.2, "80", "PTR은 80.2kVA"},
        {100.0, "100", "PTR은 100.0kVA"},
    };
    for (const auto& c : scaled) {
        const TransformerMotorBlock b = CalcTransformerMotorBlock(
            500, Motor(100, 0.85, 6, 6 * c.ptr / m.ptr, 15, 0.8, 0.9, 0.3, 1), TransformerTable());
        QVERIFY(std::fabs(b.ptr - c.ptr) < 1e-6);
        QCOMPARE(b.ptrText, QString(c.field));
        QVERIFY2(b.decision.contains(QString(c.stated)), qPrintable(b.decision));
    }
}

void TestTransformerCapacity::largeDirectOnLineMotorSizesTheTransformer()
{
    // 300 kVA of demand alone takes 315 kVA. A 110 kW DOL motor (β 6, C 1, η 0.93, cosθm 0.87,
    // cosθms 0.3) on a base load at cosθ 0.85, %Z 6 %, allowed dip ε 10 %:
    // K = 110 / (0.93 × 0.87) × 6 = 815.72 kVA, S = 190, P1 = 161.5, Q1 = 190 × 0.5268 = 100.09,
    // P2 = 244.72, Q2 = 778.15, |S_start| = √(406.22² + 878.24²) = 967.6 kVA,
    // PTR = 967.6 × 6 / 10 = 580.6 kVA -> 630 kVA.
    const TransformerMotorInputs in = Motor(110, 0.87, 6, 6, 10, 0.85, 0.93, 0.3, 1);
    const TransformerCapacity c = CalcTransformerCapacityFigures(
        CalcTransformerTotals({Row("400000", "300000")}), true, in, TransformerTable());
    QCOMPARE(c.ratingText, QString("315"));
    const double kStart = 110.0 / (0.93 * 0.87) * 6.0;
    const double p = 190 * 0.85 + kStart * 0.3;
    const double q = 190 * std::sqrt(1 - 0.85 * 0.85) + kStart * std::sqrt(1 - 0.09);
    const double sStart = std::hypot(p, q);
    QVERIFY(std::fabs(sStart - 967.6) < 0.1);
    QVERIFY(std::fabs(c.motor.ptr - 580.6) < 0.1);
    QCOMPARE(c.motor.ptrRatingText, QString("630"));
    QCOMPARE(c.capacityText, QString("630"));

    // Voltage-dip approximation ΔV% ≈ %Z · S_start / S_TR: exactly ε at PTR, within ε on the
    // chosen 630 kVA, beyond it on the 500 kVA below and on the 315 kVA of the demand.
    auto dip = [&](double sTr) { return 6.0 * sStart / sTr; };
    QVERIFY(std::fabs(dip(c.motor.ptr) - 10.0) < 1e-9);
    QVERIFY(dip(630) <= 10.0);
    QVERIFY(dip(500) > 10.0);
    QVERIFY(dip(315) > 10.0);
}

void TestTransformerCapacity::motorCheckNeverChoosesBelowTheDemand()
{
    // Hand calculation: 166 kVA of demand takes 200 kVA (161..200). A 10 kW DOL motor (β 6,
    // C 1, ηm 0.9, cosθm 0.85, cosθms 0.3) on the base load at cosθ 0.8, %Z 6 %, ε 20 %:
    // S = 156, P1 = 124.8, Q1 = 93.6, K = 10 / (0.9 × 0.85) × 6 = 78.43 kVA, P2 = 23.53,
    // Q2 = 74.82, |S_start| = √(148.33² + 168.42²) = 224.42, PTR = 224.42 × 6 / 20 = 67.33
    // -> 100 kVA. The transformer must still carry its 166 kVA: the larger, 200 kVA.
    const TransformerCapacity c = CalcTransformerCapacityFigures(
        CalcTransformerTotals({Row("200000", "166000")}), true,
        Motor(10, 0.85, 6, 6, 20, 0.8, 0.9, 0.3, 1), TransformerTable());
    QCOMPARE(c.demandKva, 166LL);
    QCOMPARE(c.ratingText, QString("200"));
    QVERIFY(std::fabs(c.motor.ptr - 67.33) < 0.01);
    QCOMPARE(c.motor.ptrRatingText, QString("100"));
    // The motor decision keeps saying what PTR gives; the capacity is the demand's rating.
    QCOMPARE(c.motor.decision, QString("최대용량 전동기 기동 시 전압강하를 고려한 변압기 용량 PTR은 67.4kVA이므로, "
                                       "따라서, 변압기 용량은 3Φ 100kVA로 선정한다."));
    QCOMPARE(c.capacityText, QString("200"));

    // Without the motor option the same demand also gives 200 kVA; a demand above the table
    // has no rating, whatever PTR gives.
    QCOMPARE(CalcTransformerCapacityFigures(c.totals, false, {}, TransformerTable()).capacityText,
             QString("200"));
    const TransformerCapacity above = CalcTransformerCapacityFigures(
        CalcTransformerTotals({Row("8000000", "7000000")}), true,
        Motor(10, 0.85, 6, 6, 20, 0.8, 0.9, 0.3, 1), TransformerTable());
    QCOMPARE(above.capacityText, QString("-"));
}

void TestTransformerCapacity::unreadableLoadsGiveNoRating_data()
{
    QTest::addColumn<QString>("connected");
    QTest::addColumn<QString>("demand");
    QTest::addColumn<QString>("connectedText");
    QTest::addColumn<QString>("factorText");
    // One good row of 100 kVA beside the row under test: the sum must not quietly keep it
    // alone, nor turn the unreadable row into 0 kVA and the smallest unit.
    QTest::newRow("demand nan") << "1000" << "nan" << "101000" << "-";
    QTest::newRow("demand inf") << "1000" << "inf" << "101000" << "-";
    QTest::newRow("demand -inf") << "1000" << "-inf" << "101000" << "-";
    QTest::newRow("demand 1e308") << "1000" << "1e308" << "101000" << "-";
    QTest::newRow("demand negative") << "1000" << "-5000" << "101000" << "-";
    QTest::newRow("demand comma") << "1000" << "12,5" << "101000" << "-";
    // Two rows of 9e11 VA each are readable, but their sum lies beyond every quantity.
    QTest::newRow("sum beyond") << "900000000000" << "900000000000" << "-" << "-";
}

void TestTransformerCapacity::unreadableLoadsGiveNoRating()
{
    QFETCH(QString, connected);
    QFETCH(QString, demand);
    QFETCH(QString, connectedText);
    QFETCH(QString, factorText);
    const std::vector<TransformerLoadRowT> rows = {Row("100000", "100000"), Row(connected, demand)};
    const bool twice = QByteArray(QTest::currentDataTag()) == "sum beyond";
    const TransformerCapacity c = CalcTransformerCapacityFigures(
        CalcTransformerTotals(twice ? std::vector<TransformerLoadRowT>{Row(connected, demand),
                                                                       Row(connected, demand)}
                                    : rows),
        true, Motor(10, 0.85, 6, 6, 20, 0.8, 0.9, 0.3, 1), TransformerTable());
    CheckNoNanInf(c);
    QVERIFY(!c.demandDefined);
    QCOMPARE(c.connectedText, connectedText);
    QCOMPARE(c.demandFactorText, factorText);
    QCOMPARE(c.demandText, QString("-"));
    QCOMPARE(c.ratingText, QString("-"));
    QCOMPARE(c.decision, QString("상기 계산상 -kVA이므로 3φ - 변압기 1대로 결정함."));
    QCOMPARE(c.capacityText, QString("-"));
    // No base load to start the motor against: no PTR either.
    QCOMPARE(c.motor.sText, QString("-"));
    QCOMPARE(c.motor.ptrText, QString("-"));

    // A connected load that cannot be read spoils ΣCL and the factor, not the demand.
    const TransformerCapacity spoiled = CalcTransformerCapacityFigures(
        CalcTransformerTotals({Row("100000", "100000"), Row("1e308", "1000")}), false, {},
        TransformerTable());
    QCOMPARE(spoiled.connectedText, QString("-"));
    QCOMPARE(spoiled.demandFactorText, QString("-"));
    QCOMPARE(spoiled.ratingText, QString("125"));  // 101 kVA
}

void TestTransformerCapacity::undefinedMotorInputsGiveDash_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("text");
    for (const char* f : {"etaM", "cosM", "epsilon"}) {
        QTest::newRow(QByteArray(f) + " 0") << QString(f) << "0";
        QTest::newRow(QByteArray(f) + " -") << QString(f) << "-";
        QTest::newRow(QByteArray(f) + " empty") << QString(f) << "";
    }
    QTest::newRow("cos above 1") << "cos" << "1.2";
    QTest::newRow("cosMs above 1") << "cosMs" << "1.5";
    QTest::newRow("Pm inf") << "pm" << "inf";
    QTest::newRow("Pm -inf") << "pm" << "-inf";
    QTest::newRow("Pm 1e308") << "pm" << "1e308";
    // A motor larger than the whole 500 kVA demand leaves no base load: S would be negative.
    QTest::newRow("Pm above the demand") << "pm" << "600";
    QTest::newRow("Z nan") << "z" << "nan";
    QTest::newRow("Z 0") << "z" << "0";
    QTest::newRow("Z negative") << "z" << "-6";
    QTest::newRow("beta negative") << "beta" << "-6";
    QTest::newRow("cosM negative") << "cosM" << "-0.85";
    QTest::newRow("epsilon comma") << "epsilon" << "12,5";
    // A soft-started motor's C as the sheet gave it before its λ was taken.
    QTest::newRow("C -") << "c" << "-";
    QTest::newRow("C negative") << "c" << "-1";
}

void TestTransformerCapacity::undefinedMotorInputsGiveDash()
{
    QFETCH(QString, field);
    QFETCH(QString, text);
    TransformerRecordT record;
    const QStringList values = {"100", "0.85", "6", "6", "15", "0.8", "0.9", "0.3", "1"};
    const int fields[] = {trfield::kPm, trfield::kCosM, trfield::kBeta, trfield::kZ, trfield::kEpsilon,
                          trfield::kCos, trfield::kEtaM, trfield::kCosMs, trfield::kC};
    const QStringList names = {"pm", "cosM", "beta", "z", "epsilon", "cos", "etaM", "cosMs", "c"};
    for (int i = 0; i < 9; ++i)
        record[std::size_t(fields[i])] = names[i] == field ? text : values[i];
    const TransformerCapacity c = CalcTransformerCapacityFigures(
        CalcTransformerTotals({Row("600000", "500000")}), true, ReadTransformerMotorInputs(record),
        TransformerTable());
    CheckNoNanInf(c);
    QCOMPARE(c.motor.ptrText, QString("-"));
    QCOMPARE(c.motor.ptrRatingText, QString("-"));
    QCOMPARE(c.capacityText, QString("-"));
    QVERIFY(!c.motor.defined);
    QCOMPARE(c.motor.decision, QString("최대용량 전동기 기동 시 전압강하를 고려한 변압기 용량 PTR은 -kVA이므로, "
                                       "따라서, 변압기 용량은 3Φ -kVA로 선정한다."));
    // The demand rating itself is still shown.
    QCOMPARE(c.ratingText, QString("500"));
}

void TestTransformerCapacity::loadRowDemand()
{
    // 55 % of 211500 VA = 116325 VA; 33.3 % of 1000 VA = 333 VA.
    struct Case { const char* connected; const char* pct; const char* demand; };
    // A load or factor that is no number of at least 0 has no demand: "-", never 0.
    const Case cases[] = {{"211500", "55", "116325"}, {"1000", "33.3", "333"}, {"0", "50", "0"},
                          {"abc", "50", "-"}, {"", "", "-"}, {"1e400", "50", "-"},
                          {"-1000", "50", "-"}, {"1000", "nan", "-"}, {"1000", "12,5", "-"}};
    for (const Case& k : cases) {
        TransformerLoadRowT row;
        row[trcol::kRemark] = "old";
        CalcTransformerLoadDemand(row, k.connected, k.pct);
        QCOMPARE(row[trcol::kDemandVA], QString(k.demand));
        QCOMPARE(row[trcol::kConnectedVA], QString(k.connected));
        QVERIFY(row[trcol::kRemark].isEmpty());
    }
    // The page refuses such a row before it is stored, naming the field.
    QVERIFY(CheckTransformerLoadInput("211500", "55").isEmpty());
    QVERIFY(CheckTransformerLoadInput("0", "0").isEmpty());
    QVERIFY(CheckTransformerLoadInput("-1000", "55").contains("연결부하 [VA]"));
    QVERIFY(CheckTransformerLoadInput("", "55").contains("연결부하 [VA]"));
    QVERIFY(CheckTransformerLoadInput("1000", "inf").contains("수용률 [%]"));
}

void TestTransformerCapacity::importConvertsUnitsAndPicksLargestMotor()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    auto app = NewApp(dir.path());
    // Panels keep CL and DL in kVA; boards keep the connected load in VA and the demand in kVA.
    QVERIFY(WriteMccPanel(*app, {"MCC-1", "TR-1", "X", "120.5", "70", "84.35",
                                 {"37", "0.86", "6.5", "0.92", "0.3", "1"}, {}}));
    QVERIFY(WriteMccPanel(*app, {"MCC-2", "TR-2", "X", "50", "80", "40",
                                 {"200", "0.9", "6", "0.95", "0.3", "1"}, {}}));
    // Same largest output as MCC-1: the first panel read keeps its data.
    QVERIFY(WriteMccPanel(*app, {"MCC-3", "TR-1", "X", "10", "100", "10",
                                 {"37", "0.1", "1", "0.1", "0.1", "0.1"}, {}}));
    QVERIFY(WriteMccPanel(*app, {"MCC-4", "TR-1 ", "X", "1", "1", "1", {"500"}, {}}));
    QVERIFY(WriteMccPanel(*app, {"MCC-5", "tr-1", "X", "1", "1", "1", {"500"}, {}}));
    QVERIFY(WriteBoard(*app, {"LP-1", "TR-1", "X", "211500", "55", "116.325"}));
    QVERIFY(WriteBoard(*app, {"LP-2", "TR-2", "X", "1000", "50", "0.5"}));

    const TransformerImport imp = BuildTransformerImport(*app, "TR-1", 3);
    QCOMPARE(imp.mccPanels, 2);
    QCOMPARE(imp.boards, 1);
    QCOMPARE(int(imp.rows.size()), 3);
    const TransformerLoadRowT mcc1 = {"3", "MCC-1", "-", "120500", "70", "84350", ""};
    const TransformerLoadRowT mcc3 = {"4", "MCC-3", "-", "10000", "100", "10000", ""};
    const TransformerLoadRowT lp1 = {"5", "LP-1", "-", "211500", "55", "116325", ""};
    QCOMPARE(imp.rows[0], mcc1);
    QCOMPARE(imp.rows[1], mcc3);
    QCOMPARE(imp.rows[2], lp1);
    QVERIFY(imp.hasMotor);
    const std::array<QString, 6> motor = {"37", "0.86", "6.5", "0.92", "0.3", "1"};
    QCOMPARE(imp.motor, motor);

    // TR-3 is fed by nothing: no rows and no motor.
    const TransformerImport none = BuildTransformerImport(*app, "TR-3", 1);
    QVERIFY(none.rows.empty());
    QVERIFY(!none.hasMotor);

    // A panel whose largest motor is marked -999 never wins.
    auto app2 = NewApp(dir.path() + "/b");
    QVERIFY(QDir().mkpath(dir.path() + "/b"));
    QVERIFY(WriteMccPanel(*app2, {"MCC-9", "TR-1", "X", "1", "100", "1",
                                  {"-999", "0.9", "6", "0.9", "0.3", "1"}, {}}));
    const TransformerImport noMotor = BuildTransformerImport(*app2, "TR-1", 1);
    QCOMPARE(int(noMotor.rows.size()), 1);
    QVERIFY(!noMotor.hasMotor);
}

void TestTransformerCapacity::softStartedLargestMotorStartsAtItsCurrentLimit()
{
    // The MCC sheet gives a soft-started motor C "-" and λ from the motor tables; the import
    // takes λ as the multiple, so the check starts the motor as the MCC sheet does.
    // Hand calculation: 15 kW S.S, η 0.92, cosθ 0.85, λ 3: K = 15 / (0.92 × 0.85) × 3 =
    // 57.54 kVA (the MCC sheet's starting kVA of that motor), P2 = 0.3 K = 17.26, Q2 =
    // K √(1 − 0.09) = 54.89. On 100 kVA of demand at cosθ 0.8 (S = 85, P1 = 68, Q1 = 51),
    // %Z 6 %, ε 15 %: |S_start| = √(85.26² + 105.89²) = 135.95, PTR = 54.38 -> 100 kVA.
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    auto app = NewApp(dir.path());
    mccfixture::FillMotors(*app);
    MccPanel panel{"MCC-1", "TR-1", "X", "120", "83", "100",
                   {"15", "0.850", "6.50", "0.920", "0.30", "-"}, {}};
    panel.motorMethod = "S.S";
    QVERIFY(WriteMccPanel(*app, panel));
    const TransformerImport imp = BuildTransformerImport(*app, "TR-1", 1);
    QVERIFY(imp.hasMotor);
    const std::array<QString, 6> motor = {"15", "0.850", "3.000", "0.920", "0.30", "1"};
    QCOMPARE(imp.motor, motor);

    TransformerRecordT record;
    const int fields[6] = {trfield::kPm, trfield::kCosM, trfield::kBeta, trfield::kEtaM,
                           trfield::kCosMs, trfield::kC};
    for (int i = 0; i < 6; ++i)
        record[std::size_t(fields[i])] = imp.motor[std::size_t(i)];
    record[trfield::kZ] = "6";
    record[trfield::kEpsilon] = "15";
    record[trfield::kCos] = "0.8";
    const TransformerCapacity c = CalcTransformerCapacityFigures(
        CalcTransformerTotals({Row("120000", "100000")}), true, ReadTransformerMotorInputs(record),
        TransformerTable());
    QVERIFY(std::fabs(c.motor.k - 57.54) < 0.01);
    QCOMPARE(c.motor.p2Text, QString("17.26"));
    QCOMPARE(c.motor.q2Text, QString("54.89"));
    QVERIFY(std::fabs(c.motor.ptr - 54.38) < 0.01);
    QCOMPARE(c.capacityText, QString("100"));

    // A direct-on-line largest motor keeps its own β and C.
    auto dol = NewApp(dir.path() + "/dol");
    QVERIFY(QDir().mkpath(dir.path() + "/dol"));
    mccfixture::FillMotors(*dol);
    MccPanel direct{"MCC-2", "TR-1", "X", "50", "90", "45",
                    {"37", "0.860", "6.50", "0.930", "0.30", "1.00"}, {}};
    direct.motorMethod = "DOL";
    QVERIFY(WriteMccPanel(*dol, direct));
    QCOMPARE(BuildTransformerImport(*dol, "TR-1", 1).motor[2], QString("6.50"));
}

void TestTransformerCapacity::shippedTablesCoverEveryDemand()
{
    // The shipped "TR" and "GEN" tables, floor-matched, give a rating at least the demand for
    // every whole demand from 1 to their largest rating, and "GEN_2" the kVA of each rating.
    RecordingPrompt::Install();
    CSevrinApp app;
    app.ProjectPathTable.LibWorkbookPath = ProgramDir() + "/LIB/lib_v3p4.xlsx";
    app.LoadLibraryWorkbook();
    for (const char* table : {"TR", "GEN"}) {
        double largest = 0;
        for (int d = 1; d <= 100000; ++d) {
            const double r = app.VLookup(d, QString::fromLatin1(table), 2);
            QVERIFY2(r != NO_VALUE, table);
            if (r < d)
                break;  // above the largest rating
            largest = std::max(largest, r);
        }
        QVERIFY2(largest >= 1000, table);
        for (int d = 1; d <= int(largest); ++d) {
            const double r = app.VLookup(d, QString::fromLatin1(table), 2);
            QVERIFY2(r >= d, qPrintable(QString("%1 %2 -> %3").arg(table).arg(d).arg(r)));
        }
    }
    for (double kw : kGeneratorKw) {
        if (app.VLookup(kw, "GEN", 2) != kw)
            continue;  // a rating the shipped table does not carry
        // The library keeps the kVA with one decimal (31.25 -> 31.2).
        QVERIFY(std::fabs(app.VLookup(kw, "GEN_2", 2) - kw / 0.8) <= 0.051);
    }
}

void TestTransformerCapacity::driverTransformersCommand()
{
    DriverApp d;
    QVERIFY(d.made.ok);
    const auto& [root, project, ok] = d.made;
    auto& app = d.app;

    // TR-1: the worked motor block (demand 500 kVA). TR-2: a demand of 1500m VA and a "-" row,
    // motor option off. TR-3: the motor option on with ηm "-". TR-4: 166 kVA, PTR 67 kVA.
    // TR-5: empty.
    QVERIFY(app->ReadTransformerSheet(0));
    auto& rec = app->TransformerSizingBlock.TransformerRecord;
    rec = {};
    rec[0] = "표준소비효율 몰드 변압기";
    rec[1] = " 22.9kV";
    rec[2] = "0.38";
    rec[3] = "Y";
    const QStringList in = {"100", "0.85", "6", "6", "15", "0.8", "0.9", "0.3", "1"};
    const int fields[] = {trfield::kPm, trfield::kCosM, trfield::kBeta, trfield::kZ, trfield::kEpsilon,
                          trfield::kCos, trfield::kEtaM, trfield::kCosMs, trfield::kC};
    for (int i = 0; i < 9; ++i)
        rec[std::size_t(fields[i])] = in[i];
    QVERIFY(app->WriteTransformerSheet(0));
    app->TransformerSizingBlock.TransformerLoadRow = {"1", "LP-1", "전등", "600000", "83.33", "500000m", ""};
    QVERIFY(app->WriteTransformerLoadRow(0, 0, false));

    rec[3] = "N";
    QVERIFY(app->WriteTransformerSheet(1));
    app->TransformerSizingBlock.TransformerLoadRow = {"1", "LP-2", "-", "3000", "50", "1500m", ""};
    QVERIFY(app->WriteTransformerLoadRow(1, 0, false));
    app->TransformerSizingBlock.TransformerLoadRow = {"2", "LP-3", "-", "1000", "-", "-", ""};
    QVERIFY(app->WriteTransformerLoadRow(1, 1, false));

    rec[3] = "Y";
    rec[trfield::kEtaM] = "-";
    QVERIFY(app->WriteTransformerSheet(2));
    app->TransformerSizingBlock.TransformerLoadRow = {"1", "MCC-1", "-", "300000", "100", "300000", ""};
    QVERIFY(app->WriteTransformerLoadRow(2, 0, false));

    // TR-4: 166 kVA of demand with a motor whose PTR is 67 kVA (motorCheckNeverChoosesBelowTheDemand):
    // the capacity is the demand's 200 kVA, not the 100 kVA of PTR.
    const QStringList small = {"10", "0.85", "6", "6", "20", "0.8", "0.9", "0.3", "1"};
    for (int i = 0; i < 9; ++i)
        rec[std::size_t(fields[i])] = small[i];
    QVERIFY(app->WriteTransformerSheet(3));
    app->TransformerSizingBlock.TransformerLoadRow = {"1", "LP-4", "-", "200000", "83", "166000", ""};
    QVERIFY(app->WriteTransformerLoadRow(3, 0, false));

    const CalcRun r = RunSevrinCalc(root, project, "transformers");
    QVERIFY2(r.exitCode == 0, qPrintable(r.err));
    QVERIFY2(HasNoNumberText(r.out), qPrintable(r.out));
    const QString diff = GoldenDifference(r.out, TestDataDir() + QStringLiteral("/loads/golden/transformers.txt"));
    QVERIFY2(diff.isEmpty(), qPrintable(diff));

    // An existing "_30" that cannot be read is reported and left as it is.
    const QString path = app->CompanionPath(CSevrinApp::TransformerWorkbook);
    QVERIFY(QFile::remove(path));
    QVERIFY(WriteFile(path, "not a workbook"));
    const CalcRun bad = RunSevrinCalc(root, project, "transformers");
    QCOMPARE(bad.exitCode, 1);
    QVERIFY(!bad.err.isEmpty());
    QCOMPARE(ReadFile(path), QByteArray("not a workbook"));
}

void TestTransformerCapacity::driverPrintsNoFigureFromNonsense()
{
    DriverApp d;
    QVERIFY(d.made.ok);
    const auto& [root, project, ok] = d.made;
    auto& app = d.app;

    // Every transformer holds nonsense of one kind in its loads and its motor block; TR-5
    // stores the motor results and secondary voltage of an older calculation as nonsense
    // with its option off, so they are printed as stored.
    const QStringList nonsense = {"nan", "inf", "-inf", "1e308", "-5", "", "12,5"};
    auto& b = app->TransformerSizingBlock;
    for (int n = 0; n < 5; ++n) {
        QVERIFY(app->ReadTransformerSheet(n));
        auto& rec = b.TransformerRecord;
        rec = {};
        rec[trfield::kType] = "표준소비효율 몰드 변압기";
        rec[trfield::kSecondary] = nonsense[n];
        rec[trfield::kMotorOption] = n < 4 ? "Y" : "N";
        const int inputs[] = {trfield::kPm, trfield::kCosM, trfield::kBeta, trfield::kZ,
                              trfield::kEpsilon, trfield::kCos, trfield::kEtaM, trfield::kCosMs,
                              trfield::kC};
        for (int i = 0; i < 9; ++i)
            rec[std::size_t(inputs[i])] = nonsense[(n + i) % nonsense.size()];
        if (n == 4)
            for (int f : {trfield::kS, trfield::kP1, trfield::kQ1, trfield::kP2, trfield::kQ2})
                rec[std::size_t(f)] = nonsense[(f + 1) % nonsense.size()];
        QVERIFY(app->WriteTransformerSheet(n));
        for (int r = 0; r < 3; ++r) {
            b.TransformerLoadRow = {QString::number(r + 1), "LP", "-",
                                    nonsense[(n + r) % nonsense.size()], "50",
                                    nonsense[(n + r + 3) % nonsense.size()], ""};
            QVERIFY(app->WriteTransformerLoadRow(n, r, false));
        }
    }
    const QString path = app->CompanionPath(CSevrinApp::TransformerWorkbook);
    const QByteArray before = ReadFile(path);

    const CalcRun r = RunSevrinCalc(root, project, "transformers");
    QVERIFY2(r.exitCode == 0, qPrintable(r.err));
    const QString bad = FindUnprintableFigure(r.out);
    QVERIFY2(bad.isEmpty(), qPrintable(bad));
    // No transformer gets a rating from nonsense: never 0 kVA and the smallest unit.
    const QStringList lines = r.out.split('\n', Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), 10);
    for (int n = 0; n < 5; ++n) {
        const QStringList cap = lines[2 * n + 1].split('\t');
        QCOMPARE(cap.value(0), QString("TRCAP"));
        QCOMPARE(cap.value(5), QString("-"));
        QCOMPARE(cap.value(6), QString("상기 계산상 -kVA이므로 3φ - 변압기 1대로 결정함."));
        QCOMPARE(cap.value(7), QString("-"));
    }
    // The driver reads nonsense, it does not repair it: the workbook is unchanged.
    QCOMPARE(ReadFile(path), before);
}

QTEST_GUILESS_MAIN(TestTransformerCapacity)
#include "tst_transformercapacity.moc"
