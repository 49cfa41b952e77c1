// The grounding calculation over the grounding block and a fixture library: a worked example
// after IEEE Std 80-2000, the grid shapes, the verdicts at equal values, grids without rods,
// soil layers, undefined inputs, index ranges, and the driver's output.
#include "grounding/core/groundingdesign.h"
#include "grounding/groundingfixture.h"

#include "common/calcdriver.h"
#include "common/testsupport.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <clocale>
#include <cmath>
#include <string>
#include <limits>

namespace {

constexpr double kPi = 3.141592654;

double R(double v, int k)  // rounded, halves away from zero
{
    const double f = std::pow(10.0, k);
    return std::round(v * f) / f;
}

double Up(double v, int k)  // raised
{
    const double f = std::pow(10.0, k);
    return std::ceil(v * f - 1e-9) / f;
}

QString F(double v, int k)
{
    return QString::number(v, 'f', k);
}

GroundingLibBlockT& Lib()
{
    static GroundingLibBlockT lib;
    static bool filled = false;
    if (!filled) {
        FillGroundingFixtureLibrary(lib);
        filled = true;
    }
    return lib;
}

GroundingSummaryValues Calc(GroundingDesignBlockT& b)
{
    ApplyGroundingDesignInputs(b, Lib());
    GroundingSummaryValues s = CalcGroundingDesign(b, Lib());
    ApplyGroundingDisplayCopies(b);
    return s;
}

bool NoNumberWordIn(const GroundingDesignBlockT& b, const GroundingSummaryValues& s, QString* where)
{
    for (const GroundingResultField& f : GroundingResultFields(b)) {
        const QString t = f.text.toLower();
        if (t.contains(QLatin1String("nan")) || t.contains(QLatin1String("inf"))) {
            *where = f.group + QLatin1Char('.') + f.field + QLatin1Char('=') + f.text;
            return false;
        }
    }
    for (int i = 0; i < kGroundingSummaryRows; ++i) {
        const QString t = s[i].toLower();
        if (t.contains(QLatin1String("nan")) || t.contains(QLatin1String("inf"))) {
            *where = QStringLiteral("summary %1=%2").arg(i).arg(s[i]);
            return false;
        }
    }
    return true;
}

}  // namespace

class TestGroundingDesign : public QObject
{
    Q_OBJECT
private slots:
    void workedExample_data();
    void workedExample();
    void gridShapes_data();
    void gridShapes();
    void verdictsAtEqualValues_data();
    void verdictsAtEqualValues();
    void gridWithoutRods_data();
    void gridWithoutRods();
    void soilLayers_data();
    void soilLayers();
    void undefinedInputsAreChecked_data();
    void undefinedInputsAreChecked();
    void conductorSizeAndDiameter_data();
    void conductorSizeAndDiameter();
    void indexesOutOfRangeUseTheFirst();
    void commaDecimalLocaleChangesNothing();
    void driverPrintsTheGoldenFile();
    void rodOfTheTypedLength_data();
    void rodOfTheTypedLength();
    void fewConductorsGiveNoNegativeVoltage();
    void driverPrintsNoFigureFromNonsense();
    void driverPrintsNoFigureAtAPole_data();
    void driverPrintsNoFigureAtAPole();
};

// IEEE Std 80-2000 worked through by hand for the fixture's grid (groundingfixture.h), each
// shown value rounded as the program shows it. Rows: the field, the program's text, the text
// this test derives from the standard's equations.
void TestGroundingDesign::workedExample_data()
{
    QTest::addColumn<QString>("actual");
    QTest::addColumn<QString>("expected");

    GroundingDesignBlockT b;
    SetWorkedExampleInputs(b);
    const GroundingSummaryValues s = Calc(b);

    const double rho = 400.0;                       // one layer: ρ = ρ1
    const double lc = 1540, lp = 280, lx = 70, ly = 70, dSpacing = 7, h = 0.5, nRods = 20, lr = 3.0;
    const double sf = 0.6, tc = 0.5, amps = 3180, rhoS = 2500, hS = 0.102;
    const double d = 0.009;                         // 50 mm² stranded copper, 9.00 mm
    const double bRod = 0.020 / 2;                  // 20 mm rod
    const double area = lx * ly;                    // 4900 m²
    // Geometric factor n = na·nb·nc·nd: na = 2·Lc / Lp, nb = nc = nd = 1 for a square grid.
    const double n = 2 * lc / lp;
    // Schwarz's equations for R1, R2, Rm and Rg; K1 and K2 from Fig. 25 (h = 0) at Lx/Ly = 1.
    const double k1 = R(-0.04 * 1.0 + 1.41, 2), k2 = R(0.15 * 1.0 + 5.5, 2);
    const double aPrime = R(std::sqrt(d / 2 * 2 * h), 3);
    const double r1 = R(rho / (kPi * lc) * (std::log(2 * lc / aPrime) + k1 * lc / std::sqrt(area) - k2), 2);
    // R2 with the program's logarithm of the total rod length N·Lr (IEEE: Lr).
    const double r2 = R(rho / (2 * kPi * nRods * lr) *
                            (std::log(4 * nRods * lr / bRod) - 1 +
                             2 * k1 * lr / std::sqrt(area) * std::pow(std::sqrt(nRods) - 1, 2)),
                        2);
    const double rm = R(rho / (kPi * lc) * (std::log(2 * lc / lr) + k1 * lc / std::sqrt(area) - k2 + 1), 2);
    const double rg = R((r1 * r2 - rm * rm) / (r1 + r2 - 2 * rm), 2);
    // Surface-layer derating Cs = 1 − 0.09·(1 − ρ/ρs)/(2·hs + 0.09), shown to 3 decimals.
    const double cs = Up(R(1 - 0.09 * (1 - rho / rhoS) / (2 * hS + 0.09), 4), 3);
    // Tolerable step and touch voltages for a 50 kg body.
    const double estep = (1000 + 6 * cs * rhoS) * 0.116 / std::sqrt(tc);
    const double etouch = (1000 + 1.5 * cs * rhoS) * 0.116 / std::sqrt(tc);
    // GPR = IG·Rg with IG = Sf·If (IEEE Std 80-2000 maximum grid current with Df = Cp = 1).
    const double gpr = R(amps * sf * rg, 2);
    // Mesh-voltage spacing factor Km: grid with rods, Kii = 1; Kh = √(1 + h/h0), h0 = 1 m.
    // Then Ki = 0.644 + 0.148·n, LM for rods on the perimeter, LS = 0.75·LC + 0.85·LR, Ks for
    // 0.25 m < h < 2.5 m, Em = ρ·Km·Ki·IG/LM and Es = ρ·Ks·Ki·IG/LS.
    const double kii = 1.0;
    const double kh = R(std::sqrt(1 + h), 4);
    const double km = Up(1 / (2 * kPi) *
                             (std::log(dSpacing * dSpacing / (16 * h * d) +
                                       std::pow(dSpacing + 2 * h, 2) / (8 * dSpacing * d) - h / (4 * d)) +
                              kii / kh * std::log(8 / (kPi * (2 * n - 1)))),
                         3);
    const double ki = R(0.644 + 0.148 * n, 3);
    const double lR = nRods * lr;
    const double lm = R(lc + (1.55 + 1.22 * lr / std::sqrt(lx * lx + ly * ly)) * lR, 2);
    const double ls = 0.75 * lc + 0.85 * lR;                                           
    const double ks = R(1 / kPi * (1 / (2 * h) + 1 / (dSpacing + h) +
                                   1 / dSpacing * (1 - std::pow(0.5, n - 2))),
                        3);
    const double em = Up(rho * km * ki * amps * sf / lm, 2); 
    const double es = Up(rho * ks * ki * amps * sf / ls, 2); 

    const auto& sc = b.SafetyConditions;
    const auto& vr = b.VoltageResults;
    QTest::newRow("Km") << sc[12] << F(km, 3);
    QTest::newRow("Ki") << b.StepFactors[3] << F(ki, 3);
    QTest::newRow("Ks") << b.StepFactors[7] << F(ks, 4);
    QTest::newRow("Kii") << sc[16] << F(kii, 2);
    QTest::newRow("Kii summary") << s[18] << F(kii, 4);
    QTest::newRow("Kh") << sc[17] << F(kh, 4);
    QTest::newRow("Cs") << sc[2] << F(cs, 3);
    QTest::newRow("R1") << b.ResistanceResults[0] << F(r1, 2);
    QTest::newRow("R2") << b.ResistanceResults[2] << F(r2, 2);
    QTest::newRow("Rm") << b.ResistanceResults[4] << F(rm, 2);
    QTest::newRow("Rg") << b.ResistanceResults[6] << F(rg, 2);
    QTest::newRow("GPR") << vr[2] << F(gpr, 2);
    QTest::newRow("Em") << vr[4] << F(em, 2);
    QTest::newRow("Es") << vr[5] << F(es, 2);
    QTest::newRow("Etouch50") << vr[1] << F(etouch, 2);
    QTest::newRow("Estep50") << vr[0] << F(R(estep, 2), 2);
    QTest::newRow("touch verdict") << vr[9] << QString(etouch > em ? "OK" : "CHECK");
    QTest::newRow("step verdict") << vr[12]
                                  << QString(std::round(R(estep, 2)) > std::round(es) ? "OK" : "CHECK");
    QTest::newRow("sentence") << vr[3]
                              << QStringLiteral("대지전위 상승 값 %1[V]는 허용 접촉전압 %2[V] 보다 %3")
                                     .arg(F(gpr, 2), F(etouch, 2),
                                          gpr > etouch ? QStringLiteral("높으므로 위험하다.")
                                                       : QStringLiteral("낮으므로 안전하다."));
    // The same figures by hand, as a check on the derivation above: Cs = 1 − 0.09·0.84/0.294 =
    // 0.7429 → 0.743; Etouch = (1000 + 1.5·0.743·2500)·0.116/√0.5 = 621.13 V; Ki = 0.644 +
    // 0.148·11 = 2.272; Ks = (1/π)(1 + 1/7.5 + (1 − 0.5⁹)/7) = 0.406.
    QTest::newRow("Cs by hand") << sc[2] << QStringLiteral("0.743");
    QTest::newRow("Etouch by hand") << vr[1] << QStringLiteral("621.13");
    QTest::newRow("Ki by hand") << b.StepFactors[3] << QStringLiteral("2.272");
    QTest::newRow("Ks by hand") << b.StepFactors[7] << QStringLiteral("0.4060");
}

void TestGroundingDesign::workedExample()
{
    QFETCH(QString, actual);
    QFETCH(QString, expected);
    QCOMPARE(actual, expected);
}

// n = na·nb·nc·nd by shape (IEEE Std 80-2000 geometric factor), the grid area taken as Lx·Ly so nc = 1, and nd of
// "other shapes" taken with the spacing D: a 60 m × 40 m grid, Lc = 1000 m, Lp = 200 m, D = 5 m.
void TestGroundingDesign::gridShapes_data()
{
    QTest::addColumn<int>("shape");
    QTest::addColumn<double>("n");
    const double na = 2.0 * 1000 / 200;
    const double nb = std::sqrt(200 / (4 * std::sqrt(60.0 * 40)));
    const double nd = 5 / std::sqrt(60.0 * 60 + 40 * 40);
    QTest::newRow("square: na") << 0 << na;
    QTest::newRow("rectangle: na·nb") << 1 << na * nb;
    QTest::newRow("L shape: na·nb·nc, nc = 1") << 2 << na * nb;
    QTest::newRow("other: na·nb·nc·nd") << 3 << na * nb * nd;
}

void TestGroundingDesign::gridShapes()
{
    QFETCH(int, shape);
    QFETCH(double, n);
    GroundingDesignBlockT b;
    SetWorkedExampleInputs(b);
    b.GroundingConditionIndex[2] = shape;
    auto& t = b.GroundingConditionInput;
    t[12] = "1000";
    t[13] = "200";
    t[14] = "60";
    t[15] = "40";
    t[16] = "5";
    const GroundingSummaryValues s = Calc(b);
    QCOMPARE(b.GridFactors[0], F(n, 4));
    QCOMPARE(s[15], F(n, 4));
    QCOMPARE(b.SafetyConditions[19], F(n, 4));
    QCOMPARE(b.SafetyVoltageIndex, shape);
    const double nb = std::sqrt(200 / (4 * std::sqrt(60.0 * 40)));  // 1.0103
    const double nd = 5 / std::sqrt(60.0 * 60 + 40 * 40);           // 0.0693
    // The shape table always shows every row's factors; the n boxes show the factors n is
    // computed with, 1 for each one the shape leaves out.
    QCOMPARE(b.ShapeFactorTable[0], QStringLiteral("1.0000"));
    QCOMPARE(b.ShapeFactorTable[3], F(nb, 4));
    QCOMPARE(b.ShapeFactorTable[11], F(nd, 4));
    QCOMPARE(b.GridFactors[2], shape >= 1 ? F(nb, 4) : QStringLiteral("1.0000"));
    QCOMPARE(b.GridFactors[3], QStringLiteral("1.0000"));
    QCOMPARE(b.GridFactors[4], shape >= 3 ? F(nd, 4) : QStringLiteral("1.0000"));
}

void TestGroundingDesign::verdictsAtEqualValues_data()
{
    QTest::addColumn<double>("rg");
    QTest::addColumn<double>("gpr");
    QTest::addColumn<double>("etouch");
    QTest::addColumn<double>("em");
    QTest::addColumn<double>("estepWhole");
    QTest::addColumn<double>("esWhole");
    QTest::addColumn<bool>("safe");
    QTest::addColumn<QString>("touch");
    QTest::addColumn<QString>("step");
    QTest::newRow("GPR equal to Etouch is safe") << 1.0 << 600.0 << 600.0 << 500.0 << 2000.0 << 700.0 << true << "OK" << "OK";
    QTest::newRow("GPR a hundredth above") << 1.0 << 600.01 << 600.0 << 500.0 << 2000.0 << 700.0 << false << "OK" << "OK";
    QTest::newRow("Etouch equal to Em") << 1.0 << 100.0 << 600.0 << 600.0 << 2000.0 << 700.0 << true << "CHECK" << "OK";
    QTest::newRow("same whole step volts") << 1.0 << 100.0 << 600.0 << 500.0 << 700.0 << 700.0 << true << "OK" << "CHECK";
    QTest::newRow("Em above Etouch") << 1.0 << 100.0 << 600.0 << 600.01 << 699.0 << 700.0 << true << "CHECK" << "CHECK";
    const double inf = std::numeric_limits<double>::infinity();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    QTest::newRow("no positive resistance") << 0.0 << 0.0 << 600.0 << 0.0 << 2000.0 << 0.0 << false << "CHECK" << "CHECK";
    QTest::newRow("infinite Etouch") << 1.0 << 100.0 << inf << 500.0 << inf << 700.0 << false << "CHECK" << "CHECK";
    QTest::newRow("undefined Em") << 1.0 << 100.0 << 600.0 << nan << 2000.0 << 700.0 << false << "CHECK" << "CHECK";
}

void TestGroundingDesign::verdictsAtEqualValues()
{
    QFETCH(double, rg);
    QFETCH(double, gpr);
    QFETCH(double, etouch);
    QFETCH(double, em);
    QFETCH(double, estepWhole);
    QFETCH(double, esWhole);
    QFETCH(bool, safe);
    QFETCH(QString, touch);
    QFETCH(QString, step);
    const GroundingVerdicts v = JudgeGroundingVoltages(rg, gpr, etouch, em, estepWhole, esWhole);
    QCOMPARE(v.sentence.endsWith(QStringLiteral("낮으므로 안전하다.")), safe);
    QCOMPARE(v.sentence.endsWith(QStringLiteral("높으므로 위험하다.")), !safe);
    QCOMPARE(v.touch, touch);
    QCOMPARE(v.step, step);
    QVERIFY(!v.sentence.contains(QLatin1String("inf")) && !v.sentence.contains(QLatin1String("nan")));
}

// IEEE Std 80-2000 for grids without rods: Rg = R1 (Schwarz's Rg reduces to the grid term) and
// Kii = 1/(2n)^(2/n) (IEEE Std 80-2000, grids with no or few rods). N = 0, or rods that match no designation, are such grids.
void TestGroundingDesign::gridWithoutRods_data()
{
    QTest::addColumn<QString>("rodText");
    QTest::addColumn<QString>("rodCount");
    QTest::newRow("no rods counted") << "20Φ" << "0";
    QTest::newRow("rod text matching no designation") << "99Φ" << "20";
}

void TestGroundingDesign::gridWithoutRods()
{
    QFETCH(QString, rodText);
    QFETCH(QString, rodCount);
    GroundingDesignBlockT b;
    SetWorkedExampleInputs(b);
    b.GroundingConditionInput[6] = rodText;
    b.GroundingConditionInput[8] = rodCount;
    const GroundingSummaryValues s = Calc(b);
    const auto& rr = b.ResistanceResults;
    QCOMPARE(rr[6], rr[0]);                       // Rg = R1
    QCOMPARE(rr[2], GroundingUndefinedText());    // no rod resistance
    QCOMPARE(rr[4], GroundingUndefinedText());
    const double n = 11.0;
    const double kii = 1.0 / std::pow(2 * n, 2 / n);  // 1/22^(2/11) = 0.5703
    QCOMPARE(s[18], F(kii, 4));
    QCOMPARE(b.SafetyConditions[16], F(kii, 2));
    QCOMPARE(s[30], rr[6]);
    // LR = 0, so LM, Ls and Lt reduce to their grid terms.
    QCOMPARE(b.SafetyConditions[10], QStringLiteral("1540.00"));
    QCOMPARE(b.StepFactors[5], QStringLiteral("1155.000"));
    QCOMPARE(b.ConductorResults[16], QStringLiteral("1540.000"));
    // A finite GPR and a real verdict: 3180 A × 0.6 × Rg.
    QCOMPARE(b.VoltageResults[2], F(R(3180 * 0.6 * rr[6].toDouble(), 2), 2));
    QVERIFY(b.VoltageResults[3].endsWith(QStringLiteral("높으므로 위험하다.")));
    // Fewer corner effects, a larger Km than with Kii = 1.
    GroundingDesignBlockT withRods;
    SetWorkedExampleInputs(withRods);
    Calc(withRods);
    QVERIFY(b.SafetyConditions[12].toDouble() > withRods.SafetyConditions[12].toDouble());
}

// ρ = Σh / Σ(h/ρ) × margin over the layers that have a thickness.
void TestGroundingDesign::soilLayers_data()
{
    QTest::addColumn<QStringList>("h");
    QTest::addColumn<QStringList>("rho");
    QTest::addColumn<QString>("margin");
    QTest::addColumn<QString>("average");
    // 5 / (2/100 + 3/300) = 166.67
    QTest::newRow("zero-thickness layers left out")
        << QStringList{"2", "0", "3", "0", "0"} << QStringList{"100", "0", "300", "0", "0"} << "1" << "166.67";
    QTest::newRow("zero thickness with a resistivity adds nothing")
        << QStringList{"2", "0", "3", "0", "0"} << QStringList{"100", "50", "300", "0", "0"} << "1" << "166.67";
    // 10 / (4/100 + 6/200) × 1.2 = 171.43
    QTest::newRow("two layers with a margin")
        << QStringList{"4", "6", "", "", ""} << QStringList{"100", "200", "", "", ""} << "1.2" << "171.43";
    QTest::newRow("a layer with thickness but no resistivity")
        << QStringList{"2", "3", "0", "0", "0"} << QStringList{"100", "0", "0", "0", "0"} << "1"
        << GroundingUndefinedText();
    QTest::newRow("no layer at all") << QStringList{"0", "0", "0", "0", "0"}
                                     << QStringList{"0", "0", "0", "0", "0"} << "1" << GroundingUndefinedText();
}

void TestGroundingDesign::soilLayers()
{
    QFETCH(QStringList, h);
    QFETCH(QStringList, rho);
    QFETCH(QString, margin);
    QFETCH(QString, average);
    GroundingDesignBlockT b;
    SetWorkedExampleInputs(b);
    for (int i = 0; i < 5; ++i) {
        b.GroundingConditionInput[17 + i] = h[i];
        b.GroundingConditionInput[22 + i] = rho[i];
    }
    b.GroundingConditionInput[27] = margin;
    const GroundingSummaryValues s = Calc(b);
    QCOMPARE(b.GridFactors[5], average);
    QCOMPARE(b.AverageResistivityFields[11], average);
    QCOMPARE(b.AverageResistivityFields[12], average);
    QCOMPARE(b.ConductorResults[7], average);
    QString where;
    QVERIFY2(NoNumberWordIn(b, s, &where), qPrintable(where));
    if (average == GroundingUndefinedText()) {
        QCOMPARE(b.VoltageResults[9], QStringLiteral("CHECK"));
        QCOMPARE(b.VoltageResults[12], QStringLiteral("CHECK"));
        QVERIFY(b.VoltageResults[3].endsWith(QStringLiteral("높으므로 위험하다.")));
    }
}

// Inputs that leave a quantity undefined: nothing may read "safe" and no text reads nan/inf.
void TestGroundingDesign::undefinedInputsAreChecked_data()
{
    QTest::addColumn<int>("input");
    QTest::addColumn<QString>("value");
    QTest::newRow("zero area (Lx = 0)") << 14 << "0";
    QTest::newRow("zero spacing D") << 16 << "0";
    QTest::newRow("zero soil resistivity") << 22 << "0";
    QTest::newRow("zero surface resistivity") << 9 << "0";
    QTest::newRow("zero fault duration") << 1 << "0";
    QTest::newRow("zero grid length") << 12 << "0";
    QTest::newRow("burial depth not a number") << 5 << "abc";
    QTest::newRow("all inputs empty") << -1 << "";
}

void TestGroundingDesign::undefinedInputsAreChecked()
{
    QFETCH(int, input);
    QFETCH(QString, value);
    GroundingDesignBlockT b;
    SetWorkedExampleInputs(b);
    // A small fault current: every verdict of the example would be safe.
    b.GroundingConditionInput[0] = "0.1";
    if (input < 0)
        b.GroundingConditionInput.fill(QString());
    else
        b.GroundingConditionInput[input] = value;
    const GroundingSummaryValues s = Calc(b);
    QCOMPARE(b.VoltageResults[9], QStringLiteral("CHECK"));
    QCOMPARE(b.VoltageResults[12], QStringLiteral("CHECK"));
    QVERIFY2(b.VoltageResults[3].endsWith(QStringLiteral("높으므로 위험하다.")), qPrintable(b.VoltageResults[3]));
    QString where;
    QVERIFY2(NoNumberWordIn(b, s, &where), qPrintable(where));

    // The example with the same small current is safe, so the inputs above made the difference.
    GroundingDesignBlockT ok;
    SetWorkedExampleInputs(ok);
    ok.GroundingConditionInput[0] = "0.1";
    Calc(ok);
    QCOMPARE(ok.VoltageResults[9], QStringLiteral("OK"));
    QCOMPARE(ok.VoltageResults[12], QStringLiteral("OK"));
    QVERIFY(ok.VoltageResults[3].endsWith(QStringLiteral("낮으므로 안전하다.")));
}

// Standard size from the computed area, the final size settled before the diameter, the
// diameter row of the final size ("2.5" looked up as 2, sizes past the table take its last row).
void TestGroundingDesign::conductorSizeAndDiameter_data()
{
    QTest::addColumn<QString>("current");
    QTest::addColumn<QString>("previousStandard");
    QTest::addColumn<int>("chosenIndex");
    QTest::addColumn<QString>("standard");
    QTest::addColumn<int>("finalIndex");
    QTest::addColumn<QString>("d");
    // A = I·√(tC·αr·ρr·10⁴/TCAP/ln((Tm−Ta)/(K0+Ta)+1)) = I × 2.5089 for the example's copper
    // (tC = 0.5 s, Tm = 1083 ℃, Ta = 40 ℃), cut to whole mm².
    QTest::newRow("first display keeps the loaded choice") << "3.18" << "" << 7 << "10" << 7 << "0.0090";
    QTest::newRow("unchanged standard keeps a smaller choice") << "3.18" << "10" << 0 << "10" << 0 << "0.0051";
    QTest::newRow("changed standard is followed") << "25" << "10" << 0 << "70" << 8 << "0.0107";
    QTest::newRow("below the second limit: first size") << "1" << "10" << 3 << "2.5" << 0 << "0.0051";
    QTest::newRow("above every limit: last size") << "300" << "" << 14 << "400" << 14 << "0.0226";
    QTest::newRow("a size past the diameter table") << "3.18" << "10" << 14 << "10" << 14 << "0.0226";
}

void TestGroundingDesign::conductorSizeAndDiameter()
{
    QFETCH(QString, current);
    QFETCH(QString, previousStandard);
    QFETCH(int, chosenIndex);
    QFETCH(QString, standard);
    QFETCH(int, finalIndex);
    QFETCH(QString, d);
    GroundingDesignBlockT b;
    SetWorkedExampleInputs(b);
    b.GroundingConditionInput[0] = current;
    b.ConductorResults[5] = previousStandard;
    b.ConductorSizeIndex[1] = chosenIndex;
    const GroundingSummaryValues s = Calc(b);
    QCOMPARE(b.ConductorResults[5], standard);
    QCOMPARE(b.ConductorSizeIndex[1], finalIndex);
    QCOMPARE(b.ConductorResults[8], d);
    QCOMPARE(b.SafetyConditions[15], d);
    QCOMPARE(s[11], d);
}

void TestGroundingDesign::indexesOutOfRangeUseTheFirst()
{
    GroundingDesignBlockT b;
    SetWorkedExampleInputs(b);
    b.GroundingConditionIndex = {5, 42, 7};
    b.ConductorSizeIndex[1] = 99;
    const GroundingSummaryValues s = Calc(b);
    QCOMPARE(b.GroundingConditionIndex[0], 0);
    QCOMPARE(b.GroundingConditionIndex[1], 0);
    QCOMPARE(b.GroundingConditionIndex[2], 0);
    QCOMPARE(b.ConductorSizeIndex[0], 0);
    QCOMPARE(b.ConductorSizeIndex[1], 0);
    QCOMPARE(b.SafetyVoltageIndex, 0);
    QCOMPARE(b.ConductorResults[0], QStringLiteral("0.003930"));
    QCOMPARE(s[0], QStringLiteral("공통접지"));
    QCOMPARE(s[27], QStringLiteral("연동선"));
    QCOMPARE(b.GridFactors[0], b.GridFactors[1]);  // square: n = na
    QCOMPARE(b.ConductorResults[8], QStringLiteral("0.0051"));
}

// Texts are read and written without the desktop's locale: a comma-decimal locale gives the
// same results as the C locale.
void TestGroundingDesign::commaDecimalLocaleChangesNothing()
{
    GroundingDesignBlockT plain;
    SetWorkedExampleInputs(plain);
    const GroundingSummaryValues expected = Calc(plain);

    const QLocale previous;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    const std::string cLocale = std::setlocale(LC_ALL, nullptr);
    std::setlocale(LC_ALL, "de_DE.UTF-8");  // where installed; Qt's default changes either way
    GroundingDesignBlockT german;
    SetWorkedExampleInputs(german);
    const GroundingSummaryValues got = Calc(german);
    std::setlocale(LC_ALL, cLocale.c_str());
    QLocale::setDefault(previous);

    for (int i = 0; i < kGroundingSummaryRows; ++i)
        QCOMPARE(got[i], expected[i]);
    const auto a = GroundingResultFields(german);
    const auto b = GroundingResultFields(plain);
    QCOMPARE(a.size(), b.size());
    for (std::size_t i = 0; i < a.size(); ++i)
        QCOMPARE(a[i].text, b[i].text);
}

// The driver computes as an entry to the screen does, on the shipped library.
void TestGroundingDesign::driverPrintsTheGoldenFile()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString project = dir.filePath(QStringLiteral("G1.pro"));
    QVERIFY(QFile::copy(QStringLiteral(SEVRIN_TEST_DATA_DIR "/grounding/golden/G1.pro"), project));
    const CalcRun run = RunSevrinCalc(QStringLiteral(SEVRIN_PROGRAM_DIR), project, QStringLiteral("grounding"));
    QCOMPARE(run.exitCode, 0);
    QVERIFY2(run.err.isEmpty(), qPrintable(run.err));
    const QString expected =
        QString::fromUtf8(ReadFile(QStringLiteral(SEVRIN_TEST_DATA_DIR "/grounding/golden/G1.expected")));
    const QStringList got = run.out.split(QLatin1Char('\n'));
    const QStringList want = expected.split(QLatin1Char('\n'));
    for (int i = 0; i < std::min(got.size(), want.size()); ++i)
        QCOMPARE(got[i], want[i]);
    QCOMPARE(got.size(), want.size());
}

// The rod: the row of the typed diameter and length, else the diameter's row with the typed
// length, else (no length typed) the row's own length; the length used is what every Lr field
// shows. Eight rods on a grid of Lc = 550 m. Hand calculation, "14Φ × 2.4 m" (the table has
// no 14 mm rod of 2.4 m): 2b = 14 mm = 0.0140 m, Lr = 2.4 m, LR = 8 × 2.4 = 19.2 m,
// Lt = N·Lr + Lc = 8 × 2.4 + 550 = 569.2 m (not 8 × 1.0 + 550 = 558 m of the first 14 mm row).
void TestGroundingDesign::rodOfTheTypedLength_data()
{
    QTest::addColumn<QString>("diameter");
    QTest::addColumn<QString>("length");
    QTest::addColumn<QString>("b2");
    QTest::addColumn<QString>("lr");
    QTest::addColumn<QString>("lR");
    QTest::addColumn<QString>("lt");
    QTest::newRow("14 Φ × 2.4 m: the diameter's row, the typed length")
        << "14Φ" << "2.4" << "0.0140" << "2.4" << "19.2" << "569.200";
    // 14Φ×1.5M matches both: 8 × 1.5 + 550 = 562.
    QTest::newRow("14 Φ × 1.5 m: the row of both") << "14Φ" << "1.5" << "0.0140" << "1.5" << "12.0" << "562.000";
    // 16Φ×2.4M: 16 mm, 8 × 2.4 + 550 = 569.2 m.
    QTest::newRow("16 Φ × 2.4 m: the row of both") << "16Φ" << "2.4" << "0.0160" << "2.4" << "19.2" << "569.200";
    // No length typed: the first 16 mm row, 1.5 m: 8 × 1.5 + 550 = 562.
    QTest::newRow("16 Φ, no length: the row's own") << "16Φ" << "" << "0.0160" << "1.5" << "12.0" << "562.000";
    // A typed length that is no positive number: the rods have no length, nothing rests on it.
    QTest::newRow("14 Φ × nan") << "14Φ" << "nan" << "0.0140" << "-" << "-" << "-";
    QTest::newRow("14 Φ × -2.4") << "14Φ" << "-2.4" << "0.0140" << "-" << "-" << "-";
}

void TestGroundingDesign::rodOfTheTypedLength()
{
    QFETCH(QString, diameter);
    QFETCH(QString, length);
    QFETCH(QString, b2);
    QFETCH(QString, lr);
    QFETCH(QString, lR);
    QFETCH(QString, lt);
    GroundingDesignBlockT b;
    SetWorkedExampleInputs(b);
    auto& t = b.GroundingConditionInput;
    t[6] = diameter;
    t[7] = length;
    t[8] = "8";
    t[12] = "550";
    const GroundingSummaryValues s = Calc(b);
    QCOMPARE(b.ConductorResults[9], b2);
    QCOMPARE(b.ConductorResults[10], lr);   // Lr of the resistance page
    QCOMPARE(b.SafetyConditions[6], lr);    // Lr of the safety-voltage page
    QCOMPARE(s[22], lr);                    // Lr of the summary
    QCOMPARE(b.SafetyConditions[9], lR);
    QCOMPARE(b.ConductorResults[16], lt);
    QCOMPARE(s[24], lt);
    if (lr == GroundingUndefinedText()) {
        QCOMPARE(b.ResistanceResults[6], GroundingUndefinedText());  // no Rg without the rods
        QCOMPARE(b.VoltageResults[9], QStringLiteral("CHECK"));
        QCOMPARE(b.VoltageResults[12], QStringLiteral("CHECK"));
    } else {
        // The rod box beside the diameter shows the length used too.
        QCOMPARE(b.ConductorSizeInput[9], lr);
        QVERIFY(b.ResistanceResults[6] != GroundingUndefinedText());
    }
    QString where;
    QVERIFY2(NoNumberWordIn(b, s, &where), qPrintable(where));
}

// An "other shape" grid of few conductors: Lc = 1000 m, Lp = 200 m, 60 m × 40 m, D = 0.5 m.
// n = na·nb·nc·nd = 10 × 1.0103 × 1 × 0.5/72.11 = 0.070 (below 0.5): Km takes ln of a negative
// number (no value, so Em none), and Ks = (1/π)(1/(2·0.5) + 1/(0.5 + 0.5) + (1 − 0.5^(0.07 − 2))
// /0.5) = (1/π)(1 + 1 − 5.62) < 0, so Es would come out negative. Both are "-", both verdicts
// "CHECK", in the results and in the summary's Em.
void TestGroundingDesign::fewConductorsGiveNoNegativeVoltage()
{
    GroundingDesignBlockT b;
    SetWorkedExampleInputs(b);
    b.GroundingConditionIndex[2] = 3;
    auto& t = b.GroundingConditionInput;
    t[12] = "1000";
    t[13] = "200";
    t[14] = "60";
    t[15] = "40";
    t[16] = "0.5";
    const GroundingSummaryValues s = Calc(b);
    QCOMPARE(b.GridFactors[0], QStringLiteral("0.0700"));
    QCOMPARE(b.StepFactors[7], GroundingUndefinedText());     // Ks is no factor either
    QCOMPARE(b.SafetyConditions[12], GroundingUndefinedText());  // nor is Km
    const auto& vr = b.VoltageResults;
    QCOMPARE(vr[4], GroundingUndefinedText());  // Em
    QCOMPARE(vr[5], GroundingUndefinedText());  // Es
    QCOMPARE(vr[8], GroundingUndefinedText());
    QCOMPARE(vr[11], GroundingUndefinedText());
    QCOMPARE(vr[9], QStringLiteral("CHECK"));
    QCOMPARE(vr[12], QStringLiteral("CHECK"));
    QCOMPARE(s[32], GroundingUndefinedText());
    QVERIFY(vr[3].endsWith(QStringLiteral("높으므로 위험하다.")));
}

// A project whose grounding inputs are all nonsense (NaN, infinities, overflows, negative
// lengths and counts, a decimal comma): the driver's summary and results show "-" for every
// figure that rests on them and echo no input that is no number of its sign.
void TestGroundingDesign::driverPrintsNoFigureFromNonsense()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString project = dir.filePath(QStringLiteral("G2.pro"));
    QFile file(project);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("[Project_Introduce]\nProjectName=Nonsense\n[Grounding_Design]\n"
               "IDC_PRO_9_9_COMBO3=3\n"
               "IDC_PRO_9_9_EDIT1=nan\nIDC_PRO_9_9_EDIT2=-0.5\nIDC_PRO_9_9_EDIT3=inf\n"
               "IDC_PRO_9_9_EDIT4=1e308\nIDC_PRO_9_9_EDIT5=-inf\nIDC_PRO_9_9_EDIT6=-1\n"
               "IDC_PRO_9_9_EDIT7=14\xce\xa6\nIDC_PRO_9_9_EDIT8=nan\nIDC_PRO_9_9_EDIT9=-3\n"
               "IDC_PRO_9_9_EDITA=1e999\nIDC_PRO_9_9_EDITB=-0.1\nIDC_PRO_9_9_EDITC=abc\n"
               "IDC_PRO_9_9_EDITD=0\nIDC_PRO_9_9_EDITE=-280\nIDC_PRO_9_9_EDITF=1e13\n"
               "IDC_PRO_9_9_EDITG=70\nIDC_PRO_9_9_EDITH=nan\nIDC_PRO_9_9_EDITI=5\n"
               "IDC_PRO_9_9_EDITN=-400\nIDC_PRO_9_9_EDITS=12,5\n");
    file.close();
    const CalcRun run = RunSevrinCalc(QStringLiteral(SEVRIN_PROGRAM_DIR), project, QStringLiteral("grounding"));
    QCOMPARE(run.exitCode, 0);
    QVERIFY2(FindUnprintableFigure(run.out).isEmpty(), qPrintable(FindUnprintableFigure(run.out)));
    const QStringList lines = run.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    const auto value = [&lines](const QString& head) {
        for (const QString& l : lines)
            if (l.startsWith(head + QLatin1Char('\t')))
                return l.mid(head.size() + 1);
        return QStringLiteral("missing");
    };
    QCOMPARE(value(QStringLiteral("SUMMARY\t1")), QStringLiteral("-"));   // IF
    QCOMPARE(value(QStringLiteral("SUMMARY\t21")), QStringLiteral("-"));  // LP
    QCOMPARE(value(QStringLiteral("SUMMARY\t30")), QStringLiteral("-"));  // Rg
    QCOMPARE(value(QStringLiteral("RESULT\tConductorInputs\tI")), QStringLiteral("-"));
    QCOMPARE(value(QStringLiteral("RESULT\tVoltageResults\tEs")), QStringLiteral("-"));
    QCOMPARE(value(QStringLiteral("RESULT\tVoltageResults\ttouch_verdict")), QStringLiteral("CHECK"));
    QCOMPARE(value(QStringLiteral("RESULT\tVoltageResults\tstep_verdict")), QStringLiteral("CHECK"));
}

// The worked example of G1.pro with inputs the screen accepts that drive a formula to a pole,
// run through the driver: what rests on it is "-", never a figure that looks valid.
//  - Conductor area, A = I·α·√(tC·αr·ρr·10⁴ / (TCAP·ln((K0 + Tm)/(K0 + Ta)))) (IEEE Std 80-2000
//    eq. 37): annealed copper has K0 = 234 (Table 1), so Ta = −234 °C divides by zero (the area
//    came out 0 mm² and the standard size 2.5 mm²); Ta below −K0, Tm equal to Ta, and Tm below
//    a Ta below −K0 (a quotient of two negatives above 1, so a finite area) have no area either.
//  - Km (eq. 81) with h = D = 1 mm and d = 9 mm: ln(D²/(16hd) + (D + 2h)²/(8Dd) − h/(4d)) =
//    ln(0.0069 + 0.125 − 0.0278) = −2.26 and Kii/Kh·ln(8/(π(2n − 1))) = ln(8/(21π)) = −2.11
//    with n = 11, so Km = (−2.26 − 2.11)/(2π) = −0.695: no factor.
//  - Rg with 100000 rods of 0.1 m (20 mm): R1 = 2.91, R2 = 2.57, Rm = 2.96 Ω by Schwarz's
//    equations (eqs. 53 to 56, as shown), so R1 + R2 − 2Rm = −0.44 and R1·R2 − Rm² = −1.28:
//    their quotient 2.92 Ω would look like a grid resistance, above that of the grid alone.
//  - A temperature typed "-0" is repeated as 0.
void TestGroundingDesign::driverPrintsNoFigureAtAPole_data()
{
    QTest::addColumn<QStringList>("inputs");  // KEY=value lines of [Grounding_Design]
    QTest::addColumn<QStringList>("checks");  // output line head, a tab, the text it must end with
    const QString area = QStringLiteral("RESULT\tConductorResults\tA_conductor\t-");
    const QString size = QStringLiteral("RESULT\tConductorResults\tstandard_size\t-");
    QTest::newRow("Ta = -K0") << QStringList{"IDC_PRO_9_9_EDIT5=-234"} << QStringList{area, size};
    QTest::newRow("Ta just below -K0") << QStringList{"IDC_PRO_9_9_EDIT5=-234.0001"}
                                       << QStringList{area, size};
    QTest::newRow("Tm = Ta") << QStringList{"IDC_PRO_9_9_EDIT4=40"} << QStringList{area, size};
    QTest::newRow("Tm below Ta below -K0")
        << QStringList{"IDC_PRO_9_9_EDIT4=-400", "IDC_PRO_9_9_EDIT5=-300"} << QStringList{area, size};
    QTest::newRow("Km below 0: h and D of 1 mm")
        << QStringList{"IDC_PRO_9_9_EDIT6=0.001", "IDC_PRO_9_9_EDITH=0.001"}
        << QStringList{"RESULT\tSafetyConditions\tKm\t-", "SUMMARY\t16\t-",
                       "RESULT\tVoltageResults\tEm\t-",
                       "RESULT\tVoltageResults\ttouch_verdict\tCHECK"};
    QTest::newRow("Rg over a negative denominator")
        << QStringList{"IDC_PRO_9_9_EDIT8=0.1", "IDC_PRO_9_9_EDIT9=100000"}
        << QStringList{"RESULT\tResistanceResults\tR1\t2.91", "RESULT\tResistanceResults\tR2\t2.57",
                       "RESULT\tResistanceResults\tRm\t2.96", "RESULT\tResistanceResults\tRg\t-",
                       "SUMMARY\t30\t-", "RESULT\tVoltageResults\tGPR\t-"};
    QTest::newRow("Ta typed -0") << QStringList{"IDC_PRO_9_9_EDIT5=-0"}
                                 << QStringList{"RESULT\tConductorInputs\tTa\t0", "SUMMARY\t28\t0.0"};
}

void TestGroundingDesign::driverPrintsNoFigureAtAPole()
{
    QFETCH(QStringList, inputs);
    QFETCH(QStringList, checks);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QStringList lines =
        QString::fromUtf8(ReadFile(QStringLiteral(SEVRIN_TEST_DATA_DIR "/grounding/golden/G1.pro")))
            .split(QLatin1Char('\n'));
    for (const QString& input : inputs) {
        const QString key = input.section(QLatin1Char('='), 0, 0) + QLatin1Char('=');
        const auto at = std::find_if(lines.begin(), lines.end(),
                                     [&key](const QString& l) { return l.startsWith(key); });
        QVERIFY2(at != lines.end(), qPrintable(key));
        *at = input;
    }
    const QString project = dir.filePath(QStringLiteral("G3.pro"));
    QVERIFY(WriteFile(project, lines.join(QLatin1Char('\n')).toUtf8()));
    const CalcRun run = RunSevrinCalc(QStringLiteral(SEVRIN_PROGRAM_DIR), project, QStringLiteral("grounding"));
    QCOMPARE(run.exitCode, 0);
    // Nothing prints nan, inf, a negative or an overlong figure, but for the temperatures the
    // pages repeat (any figure may be one).
    QStringList out = run.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    QStringList figures = out;
    figures.removeIf([](const QString& l) {
        return l.startsWith(QLatin1String("SUMMARY\t28\t")) || l.startsWith(QLatin1String("SUMMARY\t29\t")) ||
               l.startsWith(QLatin1String("RESULT\tConductorInputs\tT"));
    });
    const QString unprintable = FindUnprintableFigure(figures.join(QLatin1Char('\n')));
    QVERIFY2(unprintable.isEmpty(), qPrintable(unprintable));
    for (const QString& check : checks) {
        const QString head = check.section(QLatin1Char('\t'), 0, -2) + QLatin1Char('\t');
        QString got = QStringLiteral("missing");
        for (const QString& l : out)
            if (l.startsWith(head))
                got = l;
        QCOMPARE(got, check);
    }
}

QTEST_GUILESS_MAIN(TestGroundingDesign)
#include "tst_groundingdesign.moc"
