// The fault-current engine on a small radial network: utility and one distribution line at
// 22.9 kV, a 1000 kVA 22.9/0.38 kV transformer (uk 5 %, X/R 6), and 50 m of FCV 240 mm2 to
// the bus MCC-1, with and without one 110 kW motor.
#include "faultfixture.h"
#include "app/core/quantity.h"

#include "app/core/calcutil.h"
#include "common/recordingprompt.h"
#include "common/testsupport.h"
#include "app/core/companionworkbook.h"
#include "fault/core/busfault.h"
#include "fault/core/faultvalues.h"
#include "platform/xlsxbook.h"
#include "common/unprintable.h"

#include <QTest>

#include <cmath>
#include <complex>
#include <limits>

using namespace fault;
using faultfixture::BuildRadialNetwork;
using faultfixture::Project;

namespace {

double Num(const QString& text)
{
    return CellQuantity(text, QuantitySign::Any, 0.0);
}

bool Near(double actual, double expected, double relative)
{
    return std::abs(actual - expected) <= relative * std::abs(expected);
}

std::array<QString, kBusResults> StoredPage(CSevrinApp& a, int tr, const QString& name)
{
    FaultBusPages pages;
    if (!LoadFaultBusData(a, pages).ok())
        return {};
    for (const BusView& v : pages.Columns[std::size_t(tr)].Cells)
        if (v.BusName == name)
            return v.Results;
    return {};
}

}  // namespace

class TestFaultCurrent : public QObject
{
    Q_OBJECT

private slots:
    void init() { m_prompt = RecordingPrompt::Install(); }

    void readsNumbersByTheDecimalRule_data();
    void readsNumbersByTheDecimalRule();
    void radialNetworkMatchesIec60909_data();
    void radialNetworkMatchesIec60909();
    void motorNetworkMatchesHandCalculation();
    void incomingBusExample();
    void operatingTimeScalesTheDcExponent();
    void motorImpedanceExample();
    void motorWithoutValidContributionAddsNothing_data();
    void motorWithoutValidContributionAddsNothing();
    void ngrChangesOnlyTheEarthFault();
    void transformerEnteredBeforeFirstCalculation();
    void eachTransformerUsesItsOwnVoltage();
    void idealSourceLeavesTheTransformerAlone();
    void utilityChangeReachesEveryTransformer();
    void systemResultsOfTheReceivingPoint();
    void newProjectWithoutDataWorkbook();
    void emptyAndNonNumericInputsNeverGiveNanOrInf_data();
    void emptyAndNonNumericInputsNeverGiveNanOrInf();
    void listsRefuseRowsPastTheLimit();
    void importsTakeTheirKindsAndStopAtTheLimit();
    void refusedRowWriteStopsTheEdit_data();
    void refusedRowWriteStopsTheEdit();
    void lineRows();
    void temperatureFactorsHaveNoPole_data();
    void temperatureFactorsHaveNoPole();
    void zeroDivisorsGiveNoFigure();
    void cableRows_data();
    void cableRows();

private:
    RecordingPrompt* m_prompt = nullptr;
};

void TestFaultCurrent::readsNumbersByTheDecimalRule_data()
{
    // value: a list cell of any sign (blank 0); positive: a positive quantity; impedance: a
    // quantity of at least 0. NaN is no value: a text that is not a whole number never counts
    // as one (or as 0).
    const double nan = std::numeric_limits<double>::quiet_NaN();
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("value");
    QTest::addColumn<double>("positive");
    QTest::addColumn<double>("impedance");
    QTest::newRow("plain") << "0.38" << 0.38 << 0.38 << 0.38;
    QTest::newRow("leading blanks and sign") << "  -1.5" << -1.5 << nan << nan;
    QTest::newRow("blanks around") << " 3 " << 3.0 << 3.0 << 3.0;
    QTest::newRow("point first") << ".5" << 0.5 << 0.5 << 0.5;
    QTest::newRow("exponent") << "1e3" << 1000.0 << 1000.0 << 1000.0;
    QTest::newRow("zero") << "0" << 0.0 << nan << 0.0;
    QTest::newRow("empty: an entry left open") << "" << 0.0 << nan << nan;
    QTest::newRow("dash: an entry left open") << "-" << 0.0 << nan << nan;
    QTest::newRow("number then text") << "12abc" << nan << nan << nan;
    QTest::newRow("exponent without digits") << "2e" << nan << nan << nan;
    QTest::newRow("text") << "abc" << nan << nan << nan;
    QTest::newRow("inf") << "inf" << nan << nan << nan;
    QTest::newRow("-inf") << "-inf" << nan << nan << nan;
    QTest::newRow("nan") << "nan" << nan << nan << nan;
    QTest::newRow("hexadecimal") << "0x1A" << nan << nan << nan;
    QTest::newRow("overflow") << "1e999" << nan << nan << nan;
    QTest::newRow("beyond any quantity") << "1e308" << nan << nan << nan;
    QTest::newRow("comma is not a point") << "1,5" << nan << nan << nan;
}

void TestFaultCurrent::readsNumbersByTheDecimalRule()
{
    QFETCH(QString, text);
    QFETCH(double, value);
    QFETCH(double, positive);
    QFETCH(double, impedance);
    const auto same = [](double got, double want) {
        return std::isnan(want) ? std::isnan(got)
                                : std::abs(got - want) <= 1e-12 * std::max(1.0, std::abs(want));
    };
    QVERIFY2(same(CellQuantity(text, QuantitySign::Any, 0.0), value), qPrintable(QString::number(CellQuantity(text, QuantitySign::Any, 0.0))));
    QVERIFY2(same(QuantityOr(text, QuantitySign::Positive), positive), qPrintable(QString::number(QuantityOr(text, QuantitySign::Positive))));
    QVERIFY2(same(QuantityOr(text, QuantitySign::NonNegative), impedance), qPrintable(QString::number(QuantityOr(text, QuantitySign::NonNegative))));
    // Printed back, no value is "-" in a list and empty in a bus result, never nan or inf.
    QCOMPARE(FormatFaultNumber(CellQuantity(text, QuantitySign::Any, 0.0), 2),
             std::isnan(value) ? QStringLiteral("-") : FormatFixed(value, 2));
    QVERIFY(!FormatBusValue(CellQuantity(text, QuantitySign::Any, 0.0), 3).contains(QLatin1String("nan")));
}

void TestFaultCurrent::radialNetworkMatchesIec60909_data()
{
    QTest::addColumn<QString>("bus");
    QTest::newRow("incoming 22.9 kV") << "incoming";
    QTest::newRow("TR-1 secondary 0.38 kV") << "lv";
    QTest::newRow("MCC-1 at the end of 50 m FCV 240") << "mcc";
}

void TestFaultCurrent::radialNetworkMatchesIec60909()
{
    QFETCH(QString, bus);
    Project p;
    BuildRadialNetwork(p, false);
    CSevrinApp& a = *p.app;

    // IEC 60909-0, three-phase fault fed from one side through series impedances:
    // Ik'' = c Un / (sqrt(3) |Z|) (eq. 29), ip = kappa sqrt(2) Ik'' with
    // kappa = 1.02 + 0.98 e^(-3 R/X) (eqs. 54, 55). Network feeder and line: percent on
    // 100 MVA, Z = %/100 x U^2 / 100 MVA at the voltage of the fault. Transformer (eqs. 7-9,
    // 12a): ZT = ukr/100 x U^2/SrT, RT from X/R, KT = 0.95 cmax / (1 + 0.6 xT). Cable at
    // 20 degC: R20 = R90 / (1 + 0.00393 (90 - 20)). cmax = 1.1 on both voltage levels.
    using cd = std::complex<double>;
    const cd feederPercent(2.0 + 0.5, 20.0 + 1.5);
    double u = 0.38;
    cd z;
    if (bus == QLatin1String("incoming")) {
        u = 22.9;
        z = feederPercent / 100.0 * (u * u / 100.0);
    } else {
        const double zt = 0.05 * u * u / 1.0;
        const double rt = zt / std::sqrt(1.0 + 6.0 * 6.0);
        const double xt = 6.0 * rt;
        const double kt = 0.95 * 1.1 / (1.0 + 0.6 * xt / (u * u / 1.0));
        z = feederPercent / 100.0 * (u * u / 100.0) + kt * cd(rt, xt);
        if (bus == QLatin1String("mcc")) {
            const double r20 = 0.050 * (23.52 / 240.0) / (1.0 + 0.00393 * 70.0);
            z += cd(r20, 0.050 * 0.080);
        }
    }
    const double ik = 1.1 * u / (std::sqrt(3.0) * std::abs(z));
    const double kappa = 1.02 + 0.98 * std::exp(-3.0 * z.real() / z.imag());
    const double ip = kappa * std::sqrt(2.0) * ik;

    std::array<QString, kBusResults> texts;
    if (bus == QLatin1String("incoming"))
        texts = p.pages.Incoming.Results;
    else if (bus == QLatin1String("lv"))
        texts = p.pages.Columns[0].TransformerCell.Results;
    else
        texts = StoredPage(a, 0, QStringLiteral("MCC-1"));
    QVERIFY2(Near(Num(texts[ResIk]), ik, 0.0005),
             qPrintable(QStringLiteral("Ik'' %1 against %2").arg(texts[ResIk]).arg(ik)));
    QVERIFY2(Near(Num(texts[ResIp]), ip, 0.0005),
             qPrintable(QStringLiteral("ip %1 against %2").arg(texts[ResIp]).arg(ip)));
}

void TestFaultCurrent::motorNetworkMatchesHandCalculation()
{
    Project p;
    BuildRadialNetwork(p, true);
    CSevrinApp& a = *p.app;

    // Worked by hand from the program's formulas:
    // motor 110 kW, eta 0.95, cos 0.88 -> S = 131.58 kVA; LRC 6 -> %ZM 16.667;
    // Zm = 0.16667 x 0.38^2 / 131.58 x 1000 = 0.182905 ohm; X/R 2.5 -> Rm 0.067929, Xm 0.169823;
    // mu = 0.71 + 0.51 e^-1.8 = 0.794302; q = 0.79 + 0.12 ln(0.110 / 4) = 0.358772;
    // Rm' = 0.238371, Xm' = 0.595927 ohm.
    // System at 0.38 kV: RS = 0.38^2 x 10 x 2.5 / 1e5 = 0.000036, XS = 0.000310;
    // transformer: Zt 0.00722, KT 1.014965, RT 0.001205, XT 0.007228;
    // Rref = 1 / (1/(RS + RT) + 1/Rm') = 0.001235, Xref = 0.007444; RB 0.001241, XB 0.007538.
    // Secondary bus: Ik'' = 1.1 x 0.38 / sqrt(3) / |0.001235 + j0.007444| = 31.983 kA,
    //   IP = 73.081, Ib(IF-MIN) = 1.1 x 0.95 x 0.38 / sqrt(3) / |RB + jXB| = 30.011,
    //   IG-MAX = sqrt(3) x 1.1 x 0.38 / |RT + 2 Rref + j(XT + 2 Xref)| = 32.294.
    // MCC-1 (cable R20 0.003843, R250 0.007316, X 0.004):
    //   Ik'' = 1.1 x 0.38 / sqrt(3) / |0.005078 + j0.011444| = 19.276 kA, IP 34.862,
    //   Ib(IF-MIN) = 0.95 x 0.38 / sqrt(3) / |0.008557 + j0.011538| = 14.509,
    //   RGT 0.032951, XGT 0.038304, IG-MAX = sqrt(3) x 0.95 x 0.38 / |RGT + jXGT| = 12.375.
    const auto& motor = a.FaultCurrentBlock.FaultMotorRow;
    QVERIFY(a.ReadFaultDataRow(FirstMotorSheet, 0));
    QCOMPARE(motor[4], QStringLiteral("131.58"));
    QVERIFY(Near(Num(motor[23]), 0.238371, 1e-5));
    QVERIFY(Near(Num(motor[25]), 0.595927, 1e-5));

    struct Expect { int index; double value; };
    const Expect lv[] = {{ResIk, 31.983}, {ResIp, 73.081}, {ResIbMin, 30.011}, {ResIgMax, 32.294}};
    const auto& lvTexts = p.pages.Columns[0].TransformerCell.Results;
    for (const Expect& e : lv)
        QVERIFY2(Near(Num(lvTexts[std::size_t(e.index)]), e.value, 0.0005),
                 qPrintable(QStringLiteral("LV %1: %2").arg(e.index).arg(lvTexts[std::size_t(e.index)])));
    const Expect mcc[] = {{ResIk, 19.276}, {ResIp, 34.862}, {ResIbMin, 14.509},
                          {ResIgMax, 12.375}, {ResRgt, 0.032951}, {ResXgt, 0.038304}};
    const auto mccTexts = StoredPage(a, 0, QStringLiteral("MCC-1"));
    for (const Expect& e : mcc)
        QVERIFY2(Near(Num(mccTexts[std::size_t(e.index)]), e.value, 0.0005),
                 qPrintable(QStringLiteral("MCC %1: %2").arg(e.index).arg(mccTexts[std::size_t(e.index)])));
    // The summary's contribution rows name the motor's parallel impedance.
    QCOMPARE(a.FaultCurrentBlock.ImpedanceSummary[7 * kSummaryTexts], QStringLiteral("TR-1 연계 MCC"));
    QVERIFY(Near(Num(a.FaultCurrentBlock.ImpedanceSummary[7 * kSummaryTexts + 1]), 0.238371, 1e-5));
}

void TestFaultCurrent::incomingBusExample()
{
    // R20 = R250 = 0.1, X = 1.0, R0 = 0.2, X0 = 2.0 ohm, Cmax 1.1, Cmin 1, t = 0.01 s:
    // Ik'' = 1.1 x 22.9 / sqrt(3) / |0.1 + j1| = 14.47; IDC = sqrt(2) Ik'' e^(-2 pi 60 0.01 0.1)
    // = 14.04; Ib(IF-MAX) = sqrt(Ik''^2 + IDC^2) = 20.16; Ib(IF-MIN) = 22.9 / sqrt(3) / 1.005
    // = 13.16; kappa = 1.02 + 0.98 e^-0.3 = 1.746, IP = 35.73; K = sqrt(1 + 2 e^(-0.2 pi)) = 1.44;
    // RGT = 0.2 + 2 x 0.1 = 0.4, XGT = 2 + 2 x 1 = 4, IG-MAX = sqrt(3) 1.1 22.9 / |0.4 + j4| = 10.9.
    Project p;
    CSevrinApp& a = *p.app;
    a.FaultCurrentBlock.FaultResult[TotalR0] = QStringLiteral("0.2000");
    a.FaultCurrentBlock.FaultResult[TotalX0] = QStringLiteral("2.0000");
    BusView& v = p.pages.Incoming;
    v.Rows[0][BusR20] = v.Rows[0][BusR250] = v.Rows[0][BusR90] = QStringLiteral("0.1000");
    v.Rows[0][BusX] = QStringLiteral("1.0000");
    QVERIFY(CalcBusFaultCurrent(a, v));
    const struct { int index; double value; double tol; } cases[] = {
        {ResIk, 14.5, 0.05}, {ResIbMax, 20.2, 0.05}, {ResIbMin, 13.2, 0.05}, {ResIp, 35.7, 0.05},
        {ResIgMax, 10.9, 0.05}, {ResK, 1.44, 0.005}, {ResIdc, 14.0, 0.05},
        {ResRgt, 0.4, 1e-9}, {ResXgt, 4.0, 1e-9}};
    for (const auto& c : cases)
        QVERIFY2(std::abs(Num(v.Results[std::size_t(c.index)]) - c.value) <= c.tol,
                 qPrintable(v.Results[std::size_t(c.index)]));
    QCOMPARE(v.Results[ResIk].section(QLatin1Char('.'), 1).size(), 3);
    QCOMPARE(v.Results[ResK].section(QLatin1Char('.'), 1).size(), 6);
    QCOMPARE(v.Rows[0][1], QStringLiteral("-"));
}

void TestFaultCurrent::operatingTimeScalesTheDcExponent()
{
    // IDC = sqrt(2) Ik'' e^(-2 pi f t R/X): 0.05 s has five times the exponent of 0.01 s.
    BusFaultInputs in;
    in.U = 0.38;
    in.Cmax = in.Cmin = in.EarthFactor = 1.1;
    in.Rst20 = in.Rst250 = 0.01;
    in.XstMax = in.XstMin = 0.05;
    in.Rgt = in.Xgt = 1.0;
    in.T = 0.01;
    const auto fast = CalcBusFigures(in);
    in.T = 0.05;
    const auto slow = CalcBusFigures(in);
    const double base = std::sqrt(2.0) * fast[ResIk];
    QVERIFY(Near(std::log(slow[ResIdc] / base), 5.0 * std::log(fast[ResIdc] / base), 1e-12));

    Project p;
    p.app->CabinetSizingBlock.ConductorCriteriaIndex[2] = 4;
    QCOMPARE(BreakerInstantaneousTime(*p.app), 0.05);
    p.app->CabinetSizingBlock.ConductorCriteriaIndex[2] = 9;  // out of the choices
    QCOMPARE(BreakerInstantaneousTime(*p.app), 0.05);
}

void TestFaultCurrent::motorImpedanceExample()
{
    // P 11 kW, S 14.4 kVA, U 0.38 kV, LRC 7.2, Pole 4, X/R 2.38 give %ZM 13.9, Zm 1.39, Rm 0.54,
    // Xm 1.28, Zm' 22.0, Rm' 8.51, Xm' 20.3 (mu = 0.71 + 0.51 e^-2.16 = 0.769,
    // q = 0.79 + 0.12 ln(0.011 / 4) = 0.0825).
    std::array<QString, 27> row;
    row[3] = "11";
    row[4] = "14.4";
    row[6] = "0.38";
    row[9] = "7.2";
    row[10] = "4";
    row[11] = "2.38";
    CalcMotorImpedance(row);
    const struct { int col; double value; } cases[] = {{12, 13.9}, {13, 1.39}, {15, 0.54},
                                                       {17, 1.28}, {21, 22.0}, {23, 8.51},
                                                       {25, 20.3}, {19, 0.769}, {20, 0.0825}};
    for (const auto& c : cases)
        QVERIFY2(Near(Num(row[std::size_t(c.col)]), c.value, 0.006), qPrintable(row[std::size_t(c.col)]));
    QVERIFY(Near(Num(row[24]), 1.0 / Num(row[23]), 1e-5));
}

void TestFaultCurrent::motorWithoutValidContributionAddsNothing_data()
{
    QTest::addColumn<QString>("kw");
    QTest::addColumn<QString>("kv");
    QTest::addColumn<QString>("lrc");
    QTest::addColumn<QString>("pole");
    QTest::addColumn<QString>("xr");
    // q = 0.79 + 0.12 ln(P / 1000 / Pole) <= 0 for P / Pole up to about 1.38 kW.
    QTest::newRow("q negative (1 kW, 4 poles)") << "1" << "0.38" << "7.2" << "4" << "2.38";
    QTest::newRow("zero LRC") << "11" << "0.38" << "0" << "4" << "2.38";
    QTest::newRow("zero pole figure") << "11" << "0.38" << "7.2" << "0" << "2.38";
    QTest::newRow("zero X/R") << "11" << "0.38" << "7.2" << "4" << "0";
    QTest::newRow("no voltage") << "11" << "-" << "7.2" << "4" << "2.38";
    QTest::newRow("text everywhere") << "abc" << "abc" << "abc" << "abc" << "abc";
}

void TestFaultCurrent::motorWithoutValidContributionAddsNothing()
{
    QFETCH(QString, kw);
    QFETCH(QString, kv);
    QFETCH(QString, lrc);
    QFETCH(QString, pole);
    QFETCH(QString, xr);
    Project p;
    CSevrinApp& a = *p.app;
    FillFaultList(a, FirstMotorSheet);
    auto& row = a.FaultCurrentBlock.FaultMotorRow;
    row = {};
    row[0] = "1";
    row[3] = kw;
    row[4] = "14.4";
    row[6] = kv;
    row[9] = lrc;
    row[10] = pole;
    row[11] = xr;
    CalcMotorImpedance(row);
    for (int c = 21; c <= 26; ++c)
        QCOMPARE(row[std::size_t(c)], QStringLiteral("-"));
    for (const QString& t : row)
        QVERIFY2(FindUnprintableFigure(t).isEmpty(), qPrintable(t));
    QVERIFY(a.WriteFaultDataRow(FirstMotorSheet, 0, false));
    double r = -1, x = -1;
    SumMotorContribution(a, 0, r, x);
    QCOMPARE(r, 0.0);
    QCOMPARE(x, 0.0);
}

void TestFaultCurrent::ngrChangesOnlyTheEarthFault()
{
    Project solid;
    BuildRadialNetwork(solid, false, "0");
    Project resistive;
    BuildRadialNetwork(resistive, false, "10");
    const auto lv0 = solid.pages.Columns[0].TransformerCell.Results;
    const auto lv10 = resistive.pages.Columns[0].TransformerCell.Results;
    const auto mcc0 = StoredPage(*solid.app, 0, "MCC-1");
    const auto mcc10 = StoredPage(*resistive.app, 0, "MCC-1");
    for (const auto& [a, b] : {std::pair{lv0, lv10}, std::pair{mcc0, mcc10}}) {
        for (int i = 0; i < kBusResults; ++i) {
            if (i == ResRgt || i == ResIgMax)
                continue;
            QCOMPARE(b[std::size_t(i)], a[std::size_t(i)]);
        }
        // RGT carries 3 x NGR.
        QVERIFY(Near(Num(b[ResRgt]) - Num(a[ResRgt]), 30.0, 1e-6));
        QVERIFY(Num(b[ResIgMax]) < Num(a[ResIgMax]) / 100.0);
    }
}

void TestFaultCurrent::transformerEnteredBeforeFirstCalculation()
{
    Project p;
    CSevrinApp& a = *p.app;
    FillFaultList(a, LineSheet);
    QVERIFY(LoadFaultBusData(a, p.pages).ok());
    // "수정" before any "계산": the totals are still empty, so RS = XS = 0.
    p.SetTransformer(0, "1000", "5", "0.38", "0");
    QVERIFY(a.ReadFaultDataRow(TransformerSheet, 0));
    QCOMPARE(a.FaultCurrentBlock.TransformerImpedanceRow[14], QStringLiteral("0.000000"));
    QCOMPARE(a.FaultCurrentBlock.TransformerImpedanceRow[13], QStringLiteral("-"));
    // 1000 kVA, 5 %, 0.38 kV, X/R 6: Zt = 0.05 x 0.38^2 / 1000 x 1000 = 0.00722 ohm,
    // Xt = Zt / sqrt(1/36 + 1) = 0.007122, KT = 1.045 / (0.6 x 0.049326 + 1) = 1.014965,
    // ZT = 0.007328, RT = ZT / sqrt(37) = 0.001205, XT = 0.007228.
    const auto& tr = a.FaultCurrentBlock.TransformerImpedanceRow;
    QCOMPARE(tr[3], QStringLiteral("6.00"));
    QCOMPARE(tr[5], QStringLiteral("0.007220"));
    QCOMPARE(tr[6], QStringLiteral("0.007122"));
    QCOMPARE(tr[8], QStringLiteral("1.014965"));
    QCOMPARE(tr[9], QStringLiteral("0.007328"));
    QCOMPARE(tr[10], QStringLiteral("0.001205"));
    QCOMPARE(tr[11], QStringLiteral("0.007228"));

    QVERIFY(CalcFaultCurrent(a, p.pages).ok());
    // The row now carries the system at 0.38 kV: RS = 0.38^2 x 10 x 2 / 1e5.
    QVERIFY(a.ReadFaultDataRow(TransformerSheet, 0));
    QCOMPARE(a.FaultCurrentBlock.TransformerImpedanceRow[14], QStringLiteral("0.000029"));
    QCOMPARE(a.FaultCurrentBlock.TransformerImpedanceRow[15], QStringLiteral("0.000289"));
    for (const QString& t : p.pages.Columns[0].TransformerCell.Results) {
        QVERIFY(!t.isEmpty());
        QVERIFY(std::isfinite(Num(t)));
    }
    // The same figures as a transformer entered after the first calculation.
    Project q;
    FillFaultList(*q.app, LineSheet);
    QVERIFY(LoadFaultBusData(*q.app, q.pages).ok());
    QVERIFY(CalcFaultCurrent(*q.app, q.pages).ok());
    q.SetTransformer(0, "1000", "5", "0.38", "0");
    QVERIFY(CalcFaultCurrent(*q.app, q.pages).ok());
    QCOMPARE(p.pages.Columns[0].TransformerCell.Results, q.pages.Columns[0].TransformerCell.Results);

    // "삭제" leaves an empty row that the calculation does not fill again.
    QVERIFY(DeleteTransformer(a, p.pages, 0));
    QVERIFY(p.pages.Columns[0].Cells[7].Voltage.isEmpty());
    QVERIFY(CalcFaultCurrent(a, p.pages).ok());
    QVERIFY(a.ReadFaultDataRow(TransformerSheet, 0));
    for (const QString& t : a.FaultCurrentBlock.TransformerImpedanceRow)
        QVERIFY(t.isEmpty());
}

void TestFaultCurrent::eachTransformerUsesItsOwnVoltage()
{
    Project p;
    CSevrinApp& a = *p.app;
    FillFaultList(a, LineSheet);
    QVERIFY(LoadFaultBusData(a, p.pages).ok());
    QVERIFY(CalcFaultCurrent(a, p.pages).ok());
    p.SetTransformer(0, "1000", "5", "0.38", "0");
    p.SetTransformer(1, "1000", "5", "0.44", "0");
    p.SetTransformer(2, "1000", "5", "0.38", "0");
    QVERIFY(CalcFaultCurrent(a, p.pages).ok());
    // RS of TR-2 at its own 0.44 kV: 0.44^2 x 10 x 2 / 1e5 = 0.0000387; X 0.000387.
    QVERIFY(a.ReadFaultDataRow(TransformerSheet, 1));
    QCOMPARE(a.FaultCurrentBlock.TransformerImpedanceRow[14], QStringLiteral("0.000039"));
    QCOMPARE(a.FaultCurrentBlock.TransformerImpedanceRow[15], QStringLiteral("0.000387"));
    // Transformers of TR-1's voltage give what a shared TR-1 pair gives: TR-3 equals TR-1.
    QCOMPARE(p.pages.Columns[2].TransformerCell.Results, p.pages.Columns[0].TransformerCell.Results);
    QCOMPARE(a.FaultCurrentBlock.ImpedanceSummary[22 * kSummaryTexts + 1],
             FormatFaultNumber(0.000029 + Num(p.pages.Columns[0].TransformerCell.Rows[1][BusR20]), 6));
    // "계통(저압기준)" keeps TR-1's pair.
    QCOMPARE(a.FaultCurrentBlock.ImpedanceSummary[1 * kSummaryTexts], QStringLiteral("계통(저압기준)"));
    QCOMPARE(a.FaultCurrentBlock.ImpedanceSummary[1 * kSummaryTexts + 1], QStringLiteral("0.000029"));
    // TR-2's reference system uses its own pair: Rref = RS + RT.
    QVERIFY(a.ReadFaultDataRow(TransformerSheet, 1));
    const double rt2 = Num(a.FaultCurrentBlock.TransformerImpedanceRow[10]);
    QVERIFY(Near(Num(p.pages.Columns[1].TransformerCell.Rows[0][BusR20]), 0.000039 + rt2, 1e-4));
}

void TestFaultCurrent::idealSourceLeavesTheTransformerAlone()
{
    // No utility, line or cable impedance: the system is an ideal source (RS = XS = 0). TR-1 has
    // no motors: a fault at its secondary is limited by TR-1 alone, the ideal source shorting
    // TR-2's motors (Rref = 0 + RT, Xref = 0 + XT: 0.001205 and 0.007228, see
    // transformerEnteredBeforeFirstCalculation). TR-2 has a motor: Rref = 1 / (1/RT + 1/Rm').
    Project p;
    CSevrinApp& a = *p.app;
    a.FaultCurrentBlock.UtilityInput = {"", "", "0.0", "0.0", "0.0", "0.0"};
    FillFaultList(a, LineSheet);
    QVERIFY(LoadFaultBusData(a, p.pages).ok());
    QVERIFY(CalcFaultCurrent(a, p.pages).ok());
    p.SetTransformer(0, "1000", "5", "0.38", "0");
    p.SetTransformer(1, "1000", "5", "0.38", "0");
    a.FaultCurrentBlock.FaultMotorCount = 0;
    QVERIFY(AddFaultMotorRow(a, 1, MotorRowInputs{"MCC-2", "M-1", "110", "", "DOL", "6", "4", "2.5"}));
    QVERIFY(CalcFaultCurrent(a, p.pages).ok());
    const auto& s = a.FaultCurrentBlock.ImpedanceSummary;
    const auto cell = [&s](int row, int i) { return s[std::size_t(row * kSummaryTexts + i)]; };
    QCOMPARE(cell(17, 1), QStringLiteral("0.001205"));
    QCOMPARE(cell(17, 4), QStringLiteral("0.007228"));
    // Rm' = 0.238371 ohm (motorNetworkMatchesHandCalculation): 1 / (1/0.001205 + 1/0.238371).
    QVERIFY(Near(Num(cell(18, 1)), 1.0 / (1.0 / 0.0012046 + 1.0 / 0.238371), 2e-3));
    // The secondary buses get fault currents: Ik'' = 1.1 x 0.38 / sqrt(3) / |RT + jXT| = 32.95 kA.
    QVERIFY(Near(Num(p.pages.Columns[0].TransformerCell.Results[ResIk]),
                 1.1 * 0.38 / std::sqrt(3.0) / std::hypot(0.0012046, 0.0072283), 1e-3));
}

void TestFaultCurrent::utilityChangeReachesEveryTransformer()
{
    Project p;
    BuildRadialNetwork(p, false);
    CSevrinApp& a = *p.app;
    const auto before = p.pages.Columns[0].TransformerCell.Results;
    a.FaultCurrentBlock.UtilityInput[3] = QStringLiteral("60.0");  // a weaker source
    QVERIFY(CalcFaultCurrent(a, p.pages).ok());
    QVERIFY(a.ReadFaultDataRow(TransformerSheet, 0));
    // XS = 0.38^2 x 10 x (60 + 1.5) / 1e5.
    QCOMPARE(a.FaultCurrentBlock.TransformerImpedanceRow[15], FormatFaultNumber(0.1444 * 10 * 61.5 / 1e5, 6));
    QVERIFY(Num(p.pages.Columns[0].TransformerCell.Results[ResIk]) < Num(before[ResIk]));
    QVERIFY(Num(StoredPage(a, 0, "MCC-1")[ResIk]) < Num(before[ResIk]));
}

void TestFaultCurrent::systemResultsOfTheReceivingPoint()
{
    Project p;
    BuildRadialNetwork(p, false);
    const auto& r = p.app->FaultCurrentBlock.FaultResult;
    // K = 22.9^2 x 10 = 5244.1: R1 = 2.5 x 5244.1 / 1e5 = 0.1311, X1 = 21.5 -> 1.1275;
    // PS = 524.41 / |Z1| = 462.0 MVA; ground-fault capacity 524.41 / (2 |Z1| + |Z0|).
    QCOMPARE(r[TotalPercent], QStringLiteral("2.5000"));
    QCOMPARE(r[LinePercent + 1], QStringLiteral("1.5000"));
    QCOMPARE(r[TotalR1], QStringLiteral("0.1311"));
    QCOMPARE(r[TotalX1], QStringLiteral("1.1275"));
    QVERIFY(Near(Num(r[TotalCapacity]), 524.41 / std::hypot(0.1311025, 1.1274815), 1e-4));
    QVERIFY(Near(Num(r[TotalEarthCapacity]),
                 524.41 / (2 * std::hypot(0.1311025, 1.1274815) + std::hypot(0.2884255, 2.3336245)), 1e-4));
    QCOMPARE(r[Delta20], QStringLiteral("0.7843"));
    QCOMPARE(r[Delta250], QStringLiteral("1.4931"));
    QCOMPARE(p.app->FaultCurrentBlock.ImpedanceSummary[0], QStringLiteral("계통(특고기준)"));
    QCOMPARE(p.app->FaultCurrentBlock.ImpedanceSummary[1], QStringLiteral("0.131100"));
}

void TestFaultCurrent::newProjectWithoutDataWorkbook()
{
    // The report writer may run "계산" before any page has read the data workbook.
    Project p;
    CSevrinApp& a = *p.app;
    a.FaultCurrentBlock.UtilityInput = {"", "", "0.0", "0.0", "0.0", "0.0"};
    QVERIFY(CalcFaultCurrent(a, p.pages).ok());
    {
        Book book;
        QVERIFY(book.load(a.CompanionPath(CSevrinApp::FaultDataWorkbook)));
        QCOMPARE(book.sheetCount(), 10);
    }
    // All percent values 0: every ohm value 0, capacities and X/R without value (0 / 0).
    const auto& r = a.FaultCurrentBlock.FaultResult;
    QCOMPARE(r[TotalR1], QStringLiteral("0.0000"));
    QCOMPARE(r[TotalCapacity], QStringLiteral("-"));
    QCOMPARE(r[TotalXR1], QStringLiteral("-"));
    QCOMPARE(r[SubstationXR0], QStringLiteral("-"));
    for (const QString& t : p.pages.Incoming.Results)
        QVERIFY2(FindUnprintableFigure(t).isEmpty(), qPrintable(t));
    // A second run on the created workbook reads it back.
    a.FaultCurrentBlock.UtilityInput[3] = QStringLiteral("20.0");
    QVERIFY(CalcFaultCurrent(a, p.pages).ok());
    QVERIFY(Num(p.pages.Incoming.Results[ResIk]) > 0.0);
}

void TestFaultCurrent::emptyAndNonNumericInputsNeverGiveNanOrInf_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("empty") << "";
    QTest::newRow("zero") << "0";
    QTest::newRow("text") << "abc";
    QTest::newRow("inf") << "inf";
    QTest::newRow("nan") << "nan";
    QTest::newRow("hexadecimal") << "0x10";
    QTest::newRow("huge exponent") << "1e999";
    QTest::newRow("dash") << "-";
}

void TestFaultCurrent::emptyAndNonNumericInputsNeverGiveNanOrInf()
{
    QFETCH(QString, text);
    Project p;
    CSevrinApp& a = *p.app;
    BuildRadialNetwork(p, true);
    // Every input of every page takes the text.
    for (int i = 2; i < 6; ++i)
        a.FaultCurrentBlock.UtilityInput[std::size_t(i)] = text;
    a.FaultCurrentBlock.FaultConditionText.fill(text);
    LineRowInputs line;
    line.LibraryInput = false;
    line.Direct = {text.isEmpty() ? "x" : text, "1", "1", "1"};
    QVERIFY(AddUtilityRow(a, IncomingCableSheet, line));
    p.SetTransformer(1, text, text, text, text);
    const double d = Num(text);
    QVERIFY(AddFaultCableRow(a, CableRowInputs{"S/S", "B", text, "FCV", text, text, text, text, text}, d, d));
    QVERIFY(AddFaultCableRow(a, CableRowInputs{"W", "", text, "HFIX", text, text, text, text, text}, d, d));
    QVERIFY(p.AddBus(1, 0, QStringLiteral("B-") + text, 1));
    a.FaultCurrentBlock.FaultMotorCount = 1;
    QVERIFY(AddFaultMotorRow(a, 0, MotorRowInputs{"P", "E", "110", text, "DOL", text, text, text}));
    QVERIFY(CalcFaultCurrent(a, p.pages).ok());

    QStringList texts;
    const auto add = [&](const auto& arr) { for (const QString& t : arr) texts << t; };
    add(a.FaultCurrentBlock.FaultResult);
    add(a.FaultCurrentBlock.UtilityResult);
    add(a.FaultCurrentBlock.ImpedanceSummary);
    add(p.pages.Incoming.Results);
    for (const BusColumn& c : p.pages.Columns) {
        add(c.TransformerCell.Results);
        for (const BusListRow& r : c.TransformerCell.Rows)
            add(r);
        for (const BusView& v : c.Cells) {
            add(v.Results);
            for (const BusListRow& r : v.Rows)
                add(r);
        }
    }
    for (int k = 0; k < 5; ++k) {
        a.ReadFaultDataRow(TransformerSheet, k);
        add(a.FaultCurrentBlock.TransformerImpedanceRow);
    }
    for (int r = 0; a.ReadFaultDataRow(CableSheet, r); ++r)
        add(a.FaultCurrentBlock.FaultCableRow);
    for (int r = 0; a.ReadFaultDataRow(FirstMotorSheet, r); ++r)
        add(a.FaultCurrentBlock.FaultMotorRow);
    for (int r = 0; a.ReadFaultDataRow(IncomingCableSheet, r); ++r)
        add(a.FaultCurrentBlock.IncomingCableRow);
    add(StoredPage(a, 1, QStringLiteral("B-") + text));
    for (const QString& t : texts) {
        // A typed input stays as typed; everything computed is a number, "-" or empty.
        if (t == text)
            continue;
        QVERIFY2(FindUnprintableFigure(t).isEmpty(), qPrintable(t));
    }
}

void TestFaultCurrent::listsRefuseRowsPastTheLimit()
{
    Project p;
    CSevrinApp& a = *p.app;
    FillFaultList(a, LineSheet);
    auto& b = a.FaultCurrentBlock;
    b.LineCount = b.FaultCableCount = b.FaultMotorCount = kMaxListRows;
    LineRowInputs line;
    line.LibraryInput = false;
    line.Direct = {"1", "1", "1", "1"};
    QVERIFY(!AddUtilityRow(a, LineSheet, line));
    QVERIFY(!AddFaultCableRow(a, CableRowInputs{"A", "B", "10", "FCV", "70", "1", "4", "35", "1"}, 1, 1));
    QVERIFY(!InsertFaultCableRow(a, 0, CableRowInputs{"A", "B", "10", "FCV", "70", "1", "4", "35", "1"}, 1, 1));
    QVERIFY(!AddFaultMotorRow(a, 0, MotorRowInputs{"P", "E", "110", "", "DOL", "6", "4", "2.5"}));
    QCOMPARE(m_prompt->messages.size(), 4);
    for (const QString& m : m_prompt->messages)
        QCOMPARE(m, ListFullMessage());
    // Nothing reached the workbook.
    QVERIFY(!a.ReadFaultDataRow(LineSheet, 0));
    QVERIFY(!a.ReadFaultDataRow(CableSheet, 0));
    // One row below the limit still fits.
    b.LineCount = kMaxListRows - 1;
    QVERIFY(AddUtilityRow(a, LineSheet, line));
    QCOMPARE(b.LineCount, kMaxListRows);
}

void TestFaultCurrent::importsTakeTheirKindsAndStopAtTheLimit()
{
    Project p;
    CSevrinApp& a = *p.app;
    FillFaultList(a, CableSheet);
    // Cable schedule: a three-phase feeder, a motor circuit, an "A" feeder.
    const struct { const char* kind; const char* to; } schedule[] = {{"L3P", "MCC-1"}, {"M", "P-101"}, {"A", "LP-1"}};
    for (int i = 0; i < 3; ++i) {
        auto& row = a.CableScheduleBlock.CableRow;
        row = {};
        row[0] = QString::number(i + 1);
        row[1] = QStringLiteral("C-%1").arg(i + 1);
        row[2] = "S/S";
        row[3] = schedule[i].to;
        row[4] = schedule[i].kind;
        row[30] = "100";
        row[44] = "1";
        row[105] = "FCV";
        row[106] = "70㎟";
        row[108] = "4C";
        row[109] = "1L";
        row[110] = "35㎟";
        QVERIFY(a.WriteCableRow(i, false));
    }
    QCOMPARE(ImportScheduleCables(a, 0.7843, 1.4931), 2);
    QVERIFY(a.ReadFaultDataRow(CableSheet, 1));
    const auto& c = a.FaultCurrentBlock.FaultCableRow;
    QCOMPARE(c[3], QStringLiteral("LP-1"));
    QCOMPARE(c[6], QStringLiteral("70"));
    QCOMPARE(c[7], QStringLiteral("4"));
    QCOMPARE(c[9], QStringLiteral("35"));
    QVERIFY(Near(Num(c[11]), 0.0336, 1e-5));  // 0.1 km x 23.52 / 70
    // One place left: one row comes in, then the message.
    a.FaultCurrentBlock.FaultCableCount = kMaxListRows - 1;
    QCOMPARE(ImportScheduleCables(a, 0.7843, 1.4931), 1);
    QCOMPARE(m_prompt->messages, QStringList{ListFullMessage()});

    // Motors of the panels fed straight from TR-1; a panel fed from another panel is left out.
    auto& mcc = a.MotorControlCenterBlock;
    const struct { const char* name; const char* from; } panels[] = {{"MCC-1", "TR-1"}, {"MCC-2", "MCC-1"}};
    for (int n = 0; n < 2; ++n) {
        mcc.MccPanelRecord = {};
        mcc.MccPanelRecord[0] = panels[n].name;
        mcc.MccPanelRecord[3] = panels[n].from;
        QVERIFY(a.AddMccPanelSheet());
        const char* kinds[] = {"M", "L3", "M"};
        for (int k = 0; k < 3; ++k) {
            mcc.MccLoadRow = {};
            mcc.MccLoadRow[0] = QStringLiteral("LOAD-%1").arg(k);
            mcc.MccLoadRow[1] = QStringLiteral("EQ-%1").arg(k);
            mcc.MccLoadRow[2] = kinds[k];
            mcc.MccLoadRow[3] = "110";
            mcc.MccLoadRow[9] = "0.38";
            mcc.MccLoadRow[13] = "DOL";
            QVERIFY(a.WriteMccLoadRow(n, k, false));
        }
    }
    FillFaultList(a, FirstMotorSheet);
    QCOMPARE(ImportMccMotors(a, 0), 2);
    QVERIFY(a.ReadFaultDataRow(FirstMotorSheet, 1));
    QCOMPARE(a.FaultCurrentBlock.FaultMotorRow[1], QStringLiteral("MCC-1"));
    QCOMPARE(a.FaultCurrentBlock.FaultMotorRow[2], QStringLiteral("EQ-2"));
    QCOMPARE(a.FaultCurrentBlock.FaultMotorRow[5], QStringLiteral("DOL"));
    // An imported motor has no LRC yet: it adds nothing until it is completed.
    double r = -1, x = -1;
    SumMotorContribution(a, 0, r, x);
    QCOMPARE(r, 0.0);
    a.FaultCurrentBlock.FaultMotorCount = kMaxListRows;
    QCOMPARE(ImportMccMotors(a, 0), 0);
    QCOMPARE(m_prompt->messages.size(), 2);
}

// Every list edit whose row the workbook does not take: the edit answers "not stored", the
// list's count stays, and the workbook holds what it held (nothing after the row is written).
// The imports keep none of their rows and answer -1.
void TestFaultCurrent::refusedRowWriteStopsTheEdit_data()
{
    QTest::addColumn<QString>("edit");
    for (const char* edit : {"add line", "change line", "add incoming", "add cable", "change cable",
                             "insert cable", "add motor", "change motor", "insert motor",
                             "import cables", "import motors"})
        QTest::newRow(edit) << QString::fromLatin1(edit);
}

void TestFaultCurrent::refusedRowWriteStopsTheEdit()
{
    QFETCH(QString, edit);
    Project p;
    CSevrinApp& a = *p.app;
    auto& b = a.FaultCurrentBlock;
    FillFaultList(a, LineSheet);  // creates the data workbook
    LineRowInputs line;
    line.LibraryInput = false;
    line.Direct = {"0.5", "1.5", "1.5", "4.5"};
    const CableRowInputs cable{"S/S", "MCC-1", "50", "FCV", "70", "1", "4", "35", "1"};
    const MotorRowInputs motor{"MCC-1", "M-1", "110", "", "DOL", "6", "4", "2.5"};
    QVERIFY(AddUtilityRow(a, LineSheet, line));
    QVERIFY(AddUtilityRow(a, IncomingCableSheet, line));
    QVERIFY(AddFaultCableRow(a, cable, 0.7843, 1.4931));
    QVERIFY(AddFaultMotorRow(a, 0, motor));
    // Something to import: a three-phase feeder of the schedule and a motor of a panel on TR-1.
    a.CableScheduleBlock.CableRow = {};
    a.CableScheduleBlock.CableRow[0] = "1";
    a.CableScheduleBlock.CableRow[1] = "C-1";
    a.CableScheduleBlock.CableRow[4] = "L3P";
    QVERIFY(a.WriteCableRow(0, false));
    a.MotorControlCenterBlock.MccPanelRecord = {};
    a.MotorControlCenterBlock.MccPanelRecord[0] = "MCC-1";
    a.MotorControlCenterBlock.MccPanelRecord[3] = "TR-1";
    QVERIFY(a.AddMccPanelSheet());
    a.MotorControlCenterBlock.MccLoadRow = {};
    a.MotorControlCenterBlock.MccLoadRow[0] = "LOAD-1";
    a.MotorControlCenterBlock.MccLoadRow[2] = "M";
    QVERIFY(a.WriteMccLoadRow(0, 0, false));

    const QString path = a.CompanionPath(CSevrinApp::FaultDataWorkbook);
    const QByteArray before = ReadFile(path);
    const std::array<int, 4> counts{b.LineCount, b.IncomingCableCount, b.FaultCableCount,
                                    b.FaultMotorCount};
    QCOMPARE(counts, (std::array<int, 4>{1, 1, 1, 1}));
    m_prompt->messages.clear();
    companion::SetSaveRefusal([path](const QString& target) { return target == path; });
    ListEdit result = ListEdit::Done;
    int imported = 0;
    if (edit == "add line")
        result = AddUtilityRow(a, LineSheet, line);
    else if (edit == "change line")
        result = ChangeUtilityRow(a, LineSheet, 0, line);
    else if (edit == "add incoming")
        result = AddUtilityRow(a, IncomingCableSheet, line);
    else if (edit == "add cable")
        result = AddFaultCableRow(a, cable, 0.7843, 1.4931);
    else if (edit == "change cable")
        result = ChangeFaultCableRow(a, 0, cable, 0.7843, 1.4931);
    else if (edit == "insert cable")
        result = InsertFaultCableRow(a, 0, cable, 0.7843, 1.4931);
    else if (edit == "add motor")
        result = AddFaultMotorRow(a, 0, motor);
    else if (edit == "change motor")
        result = ChangeFaultMotorRow(a, 0, 0, motor);
    else if (edit == "insert motor")
        result = InsertFaultMotorRow(a, 0, 0, motor);
    else if (edit == "import cables")
        imported = ImportScheduleCables(a, 0.7843, 1.4931);
    else
        imported = ImportMccMotors(a, 0);
    companion::SetSaveRefusal({});

    if (edit.startsWith(QLatin1String("import")))
        QCOMPARE(imported, -1);
    else
        QVERIFY(result.notStored() && !result);
    QCOMPARE((std::array<int, 4>{b.LineCount, b.IncomingCableCount, b.FaultCableCount,
                                 b.FaultMotorCount}),
             counts);
    QCOMPARE(ReadFile(path), before);
    // Saying so is the screen's: the store adds no message of its own.
    QVERIFY(m_prompt->messages.isEmpty());
    // The workbook still takes the same edit afterwards.
    if (edit == "add cable")
        QVERIFY(AddFaultCableRow(a, cable, 0.7843, 1.4931));
    if (edit == "import motors")
        QCOMPARE(ImportMccMotors(a, 0), 1);
}

// δ20 = 1 / ((T90 − 20) α + 1) and δ250 = ((T250 − 20) α′ + 1) δ20: 1 + α (T − 20) is the
// ratio of the resistances at T and at 20 °C, so only a positive ratio is one. With α = 0.004
// the ratio is 0 at T = 20 − 1/α = −230 °C (δ20 would divide by zero) and negative below (δ20
// and every resistance at 20 °C negative). Hand values: (90 − 20) × 0.004 + 1 = 1.28, δ20 =
// 0.78125 -> 0.7813; δ250 = ((250 − 20) × 0.004 + 1) × 0.78125 = 1.5 (1.92 × 0.78125).
void TestFaultCurrent::temperatureFactorsHaveNoPole_data()
{
    QTest::addColumn<QString>("t90");
    QTest::addColumn<QString>("t250");
    QTest::addColumn<QString>("delta20");
    QTest::addColumn<QString>("delta250");
    QTest::newRow("sound") << "90" << "250" << "0.7813" << "1.5000";
    QTest::newRow("T90 at the pole") << "-230" << "250" << "-" << "-";
    QTest::newRow("T90 below the pole") << "-300" << "250" << "-" << "-";
    QTest::newRow("T250 at the pole") << "90" << "-230" << "0.7813" << "-";
    QTest::newRow("T250 below the pole") << "90" << "-1000" << "0.7813" << "-";
}

void TestFaultCurrent::temperatureFactorsHaveNoPole()
{
    QFETCH(QString, t90);
    QFETCH(QString, t250);
    Project p;
    CSevrinApp& a = *p.app;
    a.FaultCurrentBlock.FaultConditionText = {"0.004", t90, "20", "0.004", t250, "20",
                                             "1.1", "0.95", "1.1", "1", "1.1", "1"};
    FillFaultList(a, LineSheet);
    QVERIFY(LoadFaultBusData(a, p.pages).ok());
    QVERIFY(CalcFaultCurrent(a, p.pages).ok());
    const auto& r = a.FaultCurrentBlock.FaultResult;
    QTEST(r[Delta20], "delta20");
    QTEST(r[Delta250], "delta250");
    // A cable computed with them has no resistance at a temperature without a factor.
    const double d20 = QuantityOr(r[Delta20], QuantitySign::NonNegative);
    const double d250 = QuantityOr(r[Delta250], QuantitySign::NonNegative);
    QVERIFY(AddFaultCableRow(a, CableRowInputs{"S/S", "B", "100", "FCV", "240", "1", "4", "120", "1"},
                             d20, d250));
    QVERIFY(a.ReadFaultDataRow(CableSheet, 0));
    const auto& cable = a.FaultCurrentBlock.FaultCableRow;
    QCOMPARE(cable[12] == QLatin1String("-"), r[Delta20] == QLatin1String("-"));
    QCOMPARE(cable[13] == QLatin1String("-"), r[Delta250] == QLatin1String("-"));
    for (int c = 11; c <= 16; ++c)
        QVERIFY2(!cable[std::size_t(c)].startsWith(QLatin1Char('-')) || cable[std::size_t(c)] == QLatin1String("-"),
                 qPrintable(cable[std::size_t(c)]));
}

// Divisors an accepted input makes zero, each with a result that would look valid:
//  - the substation's zero-sequence X/R with %R0 0 and %X0 40 (an infinite ratio, shown as 0);
//  - a bus whose transformer was deleted (voltage empty: Ik'' = c·0/√3/|Z| = 0.000 kA);
//  - the q factor of a 1 kW 4-pole motor: q = 0.79 + 0.12 ln(0.001 / 4) = −0.205, no factor.
void TestFaultCurrent::zeroDivisorsGiveNoFigure()
{
    Project p;
    CSevrinApp& a = *p.app;
    a.FaultCurrentBlock.UtilityInput = {"변전소", "00 S/S", "2.0", "20.0", "0", "40.0"};
    BuildRadialNetwork(p, false);
    QCOMPARE(a.FaultCurrentBlock.FaultResult[SubstationXR0], QStringLiteral("-"));
    QCOMPARE(a.FaultCurrentBlock.FaultResult[SubstationX0], QStringLiteral("2.0976"));
    const BusView& bus = p.pages.Columns[0].Cells[0];
    QCOMPARE(bus.BusName, QStringLiteral("MCC-1"));
    QVERIFY(Num(bus.Results[ResIk]) > 0.0);

    QVERIFY(DeleteTransformer(a, p.pages, 0));
    QVERIFY(CalcFaultCurrent(a, p.pages).ok());
    const auto stored = StoredPage(a, 0, QStringLiteral("MCC-1"));
    for (int i : {ResIk, ResIbMax, ResIbMin, ResIp, ResIgMax, ResIdc})
        QCOMPARE(stored[std::size_t(i)], QString());

    std::array<QString, 27> motor;
    motor[3] = "1";
    motor[4] = "1.5";
    motor[6] = "0.38";
    motor[9] = "7.2";
    motor[10] = "4";
    motor[11] = "2.38";
    CalcMotorImpedance(motor);
    QCOMPARE(motor[20], QStringLiteral("-"));
    QCOMPARE(motor[19], QStringLiteral("0.768816"));  // μ = 0.71 + 0.51 e^(−2.16) stays
}

void TestFaultCurrent::lineRows()
{
    Project p;
    CSevrinApp& a = *p.app;
    FillFaultList(a, LineSheet);
    // Library input: 0.1 %/km over 5 km gives 0.5000.
    LineRowInputs lib;
    lib.Spec = QStringLiteral("ACSR-OC|OW");
    lib.Distance = QStringLiteral("5");
    QVERIFY(AddUtilityRow(a, LineSheet, lib));
    QVERIFY(a.ReadFaultDataRow(LineSheet, 0));
    QCOMPARE(a.FaultCurrentBlock.LineRow[8], QStringLiteral("0.5000"));
    QCOMPARE(a.FaultCurrentBlock.LineRow[11], QStringLiteral("6.0000"));
    QCOMPARE(a.FaultCurrentBlock.LineRow[13], QStringLiteral("가공"));
    // An empty distance gives no impedance (not zeros, which would drop the line).
    lib.Distance.clear();
    QVERIFY(ChangeUtilityRow(a, LineSheet, 0, lib));
    QVERIFY(a.ReadFaultDataRow(LineSheet, 0));
    QCOMPARE(a.FaultCurrentBlock.LineRow[9], QStringLiteral("-"));
    // Direct input keeps the texts as typed.
    LineRowInputs direct;
    direct.LibraryInput = false;
    direct.Direct = {"1.2", "3.4", "0.5", "1.5"};
    QVERIFY(AddUtilityRow(a, IncomingCableSheet, direct));
    QVERIFY(a.ReadFaultDataRow(IncomingCableSheet, 0));
    QCOMPARE(a.FaultCurrentBlock.IncomingCableRow[9], QStringLiteral("3.4"));
    QVERIFY(a.FaultCurrentBlock.IncomingCableRow[1].isEmpty());
    // A missing pair or a missing direct value: a message, nothing stored.
    lib.Spec = QStringLiteral("NONE|OW");
    QVERIFY(!AddUtilityRow(a, LineSheet, lib));
    direct.Direct[2].clear();
    QVERIFY(!AddUtilityRow(a, LineSheet, direct));
    QCOMPARE(m_prompt->messages,
             QStringList({"관련 설정을 라이브러리에서 찾을 수 없습니다.!!!", "설정 값이 필요합니다.!!!"}));
    QCOMPARE(a.FaultCurrentBlock.LineCount, 1);
    // Deleting moves the rows below up; a list renumbers on its next fill.
    QVERIFY(AddUtilityRow(a, LineSheet, lib = LineRowInputs{true, "ACSR-OC|OW", "2", {}}));
    QVERIFY(DeleteFaultListRow(a, LineSheet, 0));
    QVERIFY(!DeleteFaultListRow(a, LineSheet, 1));
    QVERIFY(!DeleteFaultListRow(a, TransformerSheet, 0));
    std::vector<QStringList> rows;
    QCOMPARE(FillFaultList(a, LineSheet, &rows), 1);
    QCOMPARE(rows[0][0], QStringLiteral("1"));
    QCOMPARE(rows[0][8], QStringLiteral("0.2000"));
    QCOMPARE(SplitPart("ACSR-OC", "-", 0), QStringLiteral("ACSR"));
    QCOMPARE(SplitPart("ACSR", "-", 0), QString());
    QCOMPARE(SplitPart("ACSR", "-", 1), QStringLiteral("ACSR"));
}

void TestFaultCurrent::cableRows_data()
{
    QTest::addColumn<QString>("from");
    QTest::addColumn<QString>("to");
    QTest::addColumn<QString>("type");
    QTest::addColumn<QString>("sq");
    QTest::addColumn<QString>("lines");
    QTest::addColumn<QString>("n");
    QTest::addColumn<QString>("name");
    QTest::addColumn<double>("r90");   // expected, ohm (NaN: "-")
    QTest::addColumn<double>("x");
    // FCV 70 over 100 m: 0.1 km x 23.52 / 70 = 0.0336 ohm, X 0.008 ohm.
    QTest::newRow("named run") << "S/S" << "LE-E" << "FCV" << "70" << "4" << "1" << "P-S/S/LE-E" << 0.0336 << 0.008;
    QTest::newRow("two parallel conductors halve it") << "A" << "B" << "FR8" << "70" << "4" << "2" << "P-A/B" << 0.0168 << 0.004;
    QTest::newRow("no conductor: no value") << "A" << "B" << "FCV" << "70" << "4" << "0" << "P-A/B" << qQNaN() << qQNaN();
    QTest::newRow("one end only") << "A" << "" << "FCV" << "70" << "4" << "1" << "P-A/" << 0.0336 << 0.008;
    QTest::newRow("unnamed cable") << "" << "" << "FR8" << "70" << "4" << "1" << "FR8 70" << 0.0336 << 0.008;
    // HFIX 2.5 over 100 m: 18.1 / 2.5 x 0.1 = 0.724 ohm, X 0.01; two lines double it.
    QTest::newRow("HFIX wire") << "" << "" << "HFIX" << "2.5" << "1" << "1" << "HFIX 2.5SQ" << 0.724 << 0.01;
    QTest::newRow("HFIX out and back") << "" << "" << "HFIX" << "2.5" << "2" << "1" << "HFIX 2.5SQ" << 1.448 << 0.02;
}

void TestFaultCurrent::cableRows()
{
    QFETCH(QString, from);
    QFETCH(QString, to);
    QFETCH(QString, type);
    QFETCH(QString, sq);
    QFETCH(QString, lines);
    QFETCH(QString, n);
    QFETCH(QString, name);
    QFETCH(double, r90);
    QFETCH(double, x);
    Project p;
    CSevrinApp& a = *p.app;
    BuildFaultCableRow(a, CableRowInputs{from, to, "100", type, sq, "1", lines, sq, n}, QString(), 0.7843, 1.4931);
    const auto& row = a.FaultCurrentBlock.FaultCableRow;
    QCOMPARE(row[1], name);
    if (std::isnan(r90)) {
        for (int c = 11; c <= 16; ++c)
            QCOMPARE(row[std::size_t(c)], QStringLiteral("-"));
        return;
    }
    QVERIFY(Near(Num(row[11]), r90, 1e-5));
    QVERIFY(Near(Num(row[12]), r90 * 0.7843, 1e-4));
    QVERIFY(Near(Num(row[13]), r90 * 1.4931, 1e-4));
    QVERIFY(Near(Num(row[14]), x, 1e-5));
    if (type == QLatin1String("HFIX")) {
        QCOMPARE(row[15], QStringLiteral("-"));
        QCOMPARE(row[2], QStringLiteral("-"));
    } else {
        // PE conductor of the same size, per parallel conductor, at 250 degC.
        QVERIFY(Near(Num(row[15]), r90 * 1.4931, 1e-4));
    }
}

QTEST_GUILESS_MAIN(TestFaultCurrent)
#include "tst_faultcurrent.moc"
