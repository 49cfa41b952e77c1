// The grounding calculation over the grounding block and a fixture library: a worked example
// after IEEE Std 80-2000, the grid shapes, the verdicts at equal values, grids without rods,
// soil layers, undefined inputs, index ranges, and the driver's output.
#include "grounding/core/groundingdesign.h"
#include "grounding/groundingfixture.h"

#include "common/commadecimallocale.h"
#include "common/calcdriver.h"
#include "common/testpaths.h"
#include "common/unprintable.h"
#include "common/testsupport.h"
#include "common/golden.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <clocale>
#include <cmath>
#include <string>
#include <limits>

namespace {

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
        if (!FindUnprintableFigure(f.text).isEmpty()) {
            *where = f.group + QLatin1Char('.') + f.field + QLatin1Char('=') + f.text;
            return false;
        }
    }
    for (int i = 0; i < kGroundingSummaryRows; ++i) {
        if (!FindUnprintableFigure(s[i]).isEmpty()) {
            *where = QStringLiteral("summary %1=%2").arg(i).arg(s[i]);
            return false;
        }
    }
    return true;
}

// A quantity left undefined: neither step nor touch voltage reads safe, the conclusion reads
// dangerous.
void CheckNothingReadsSafe(const GroundingDesignBlockT& b)
{
    QCOMPARE(b.VoltageResults[9], QStringLiteral("CHECK"));
    QCOMPARE(b.VoltageResults[12], QStringLiteral("CHECK"));
    QVERIFY2(b.VoltageResults[3].endsWith(QStringLiteral("높으므로 위험하다.")), qPrintable(b.VoltageResults[3]));
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

// IEEE Std 80-2000 worked through by hand for the fixture's grid (groundingfixture.h): a square
// grid 70 m × 70 m of 10 × 10 conductors, D = 7 m, Lc = 1540 m, Lp = 280 m, h = 0.5 m,
// d = 9.00 mm (50 mm² stranded copper), twenty 20 mm rods of Lr = 3 m, ρ = 400 Ω·m,
// ρs = 2500 Ω·m, hs = 0.102 m, tf = 0.5 s, If = 3180 A, Sf = 0.6 (IG = 1908 A, Df = 1).
// Each figure is rounded as the program shows it (Cs and Km raised, Em and Es raised).
//  - n = na = 2·Lc/Lp = 3080/280 = 11 (eq. 85; nb = nc = nd = 1 for a square).
//  - Ki = 0.644 + 0.148·n = 2.272 (eq. 89), as in the standard's Annex B square grid.
//  - Ks = (1/π)·(1/(2h) + 1/(D + h) + (1/D)·(1 − 0.5^(n−2))) = 0.318310·(1 + 0.133333 +
//    0.142578) = 0.406135 → 0.406 (eq. 94), as in Annex B.
//  - Kh = √(1 + h/h0) = √1.5 = 1.2247 (eq. 83); Kii = 1, rods on the perimeter (eq. 82).
//  - Km = (1/2π)·[ln(D²/(16hd) + (D + 2h)²/(8Dd) − h/(4d)) + (Kii/Kh)·ln(8/(π(2n − 1)))]
//    = 0.159155·[ln(680.556 + 126.984 − 13.889) + 0.816526·ln(0.121261)]
//    = 0.159155·(6.676644 − 1.722722) = 0.788442 → 0.789 (eq. 81).
//  - Cs = 1 − 0.09·(1 − ρ/ρs)/(2hs + 0.09) = 1 − 0.0756/0.294 = 0.742857 → 0.743 (eq. 27;
//    Annex B shows 0.74).
//  - Estep50 = (1000 + 6·Cs·ρs)·0.116/√ts = 12145·0.164049 = 1992.37 V (eq. 29);
//    Etouch50 = (1000 + 1.5·Cs·ρs)·0.116/√ts = 3786.25·0.164049 = 621.13 V (eq. 32).
//  - Schwarz (eqs. 53 to 56), K1 = −0.04·1 + 1.41 = 1.37 and K2 = 0.15·1 + 5.5 = 5.65 (Fig. 25,
//    Lx/Ly = 1), a' = √(a·2h) = √(0.0045) = 0.067 m, √A = 70 m, ρ/(π·Lc) = 0.082678:
//    R1 = 0.082678·(ln(3080/0.067) + 1.37·1540/70 − 5.65) = 0.082678·35.2257 = 2.91 Ω;
//    R2 (with the total rod length N·Lr = 60 m in the logarithm) = ρ/(2π·20·3)·(ln(4·60/0.010)
//    − 1 + 2·1.37·3/70·(√20 − 1)²) = 1.061033·(10.085809 − 1 + 1.415687) = 11.14 Ω;
//    Rm = 0.082678·(ln(3080/3) + 30.14 − 5.65 + 1) = 0.082678·32.424073 = 2.68 Ω;
//    Rg = (R1·R2 − Rm²)/(R1 + R2 − 2Rm) = (32.4174 − 7.1824)/8.69 = 2.90 Ω.
//  - GPR = IG·Rg = 1908·2.90 = 5533.20 V (eq. 64 with Df = 1).
//  - LM = Lc + (1.55 + 1.22·Lr/√(Lx² + Ly²))·LR = 1540 + (1.55 + 3.66/98.995)·60 = 1635.22 m
//    (eq. 91); Em = ρ·Km·Ki·IG/LM = 400·0.789·2.272·1908/1635.22 = 836.657 → 836.66 V (eq. 80).
//  - LS = 0.75·Lc + 0.85·LR = 1155 + 51 = 1206 m (eq. 93); Es = ρ·Ks·Ki·IG/LS =
//    400·0.406·2.272·1908/1206 = 583.748 → 583.75 V (eq. 92).
//  - Em 836.66 V > Etouch50 621.13 V: the touch verdict is CHECK; Es 584 V < Estep50 1992 V: OK;
//    GPR 5533.20 V > Etouch50: the sentence says it is higher, hence dangerous.
void TestGroundingDesign::workedExample_data()
{
    QTest::addColumn<QString>("actual");
    QTest::addColumn<QString>("expected");

    GroundingDesignBlockT b;
    SetWorkedExampleInputs(b);
    const GroundingSummaryValues s = Calc(b);
    const auto& sc = b.SafetyConditions;
    const auto& vr = b.VoltageResults;
    QTest::newRow("n") << b.GridFactors[0] << QStringLiteral("11.0000");
    QTest::newRow("Km") << sc[12] << QStringLiteral("0.789");
    QTest::newRow("Ki") << b.StepFactors[3] << QStringLiteral("2.272");
    QTest::newRow("Ks") << b.StepFactors[7] << QStringLiteral("0.4060");
    QTest::newRow("Kii") << sc[16] << QStringLiteral("1.00");
    QTest::newRow("Kii summary") << s[18] << QStringLiteral("1.0000");
    QTest::newRow("Kh") << sc[17] << QStringLiteral("1.2247");
    QTest::newRow("Cs") << sc[2] << QStringLiteral("0.743");
    QTest::newRow("R1") << b.ResistanceResults[0] << QStringLiteral("2.91");
    QTest::newRow("R2") << b.ResistanceResults[2] << QStringLiteral("11.14");
    QTest::newRow("Rm") << b.ResistanceResults[4] << QStringLiteral("2.68");
    QTest::newRow("Rg") << b.ResistanceResults[6] << QStringLiteral("2.90");
    QTest::newRow("GPR") << vr[2] << QStringLiteral("5533.20");
    QTest::newRow("Em") << vr[4] << QStringLiteral("836.66");
    QTest::newRow("Es") << vr[5] << QStringLiteral("583.75");
    QTest::newRow("Etouch50") << vr[1] << QStringLiteral("621.13");
    QTest::newRow("Estep50") << vr[0] << QStringLiteral("1992.37");
    QTest::newRow("touch verdict") << vr[9] << QStringLiteral("CHECK");
    QTest::newRow("step verdict") << vr[12] << QStringLiteral("OK");
    QTest::newRow("sentence") << vr[3]
                              << QStringLiteral("대지전위 상승 값 5533.20[V]는 허용 접촉전압 621.13[V] 보다 "
                                                "높으므로 위험하다.");
}

void TestGroundingDesign::workedExample()
{
    QFETCH(QString, actual);
    QFETCH(QString, expected);
    QCOMPARE(actual, expected);
}

// n = na·nb·nc·nd by shape (IEEE Std 80-2000 eqs. 84 to 88), the grid area taken as Lx·Ly so
// nc = 1, and nd of "other shapes" taken with the spacing D: a 60 m × 40 m grid, Lc = 1000 m,
// Lp = 200 m, D = 5 m. Hand calculation: na = 2·1000/200 = 10; nb = √(Lp/(4·√A)) =
// √(200/(4·48.98979)) = √1.020621 = 1.010258; nd = D/√(Lx² + Ly²) = 5/72.11103 = 0.069338;
// na·nb = 10.102578; na·nb·nd = 0.700488.
void TestGroundingDesign::gridShapes_data()
{
    QTest::addColumn<int>("shape");
    QTest::addColumn<QString>("n");
    QTest::newRow("square: na") << 0 << "10.0000";
    QTest::newRow("rectangle: na·nb") << 1 << "10.1026";
    QTest::newRow("L shape: na·nb·nc, nc = 1") << 2 << "10.1026";
    QTest::newRow("other: na·nb·nc·nd") << 3 << "0.7005";
}

void TestGroundingDesign::gridShapes()
{
    QFETCH(int, shape);
    QFETCH(QString, n);
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
    QCOMPARE(b.GridFactors[0], n);
    QCOMPARE(s[15], n);
    QCOMPARE(b.SafetyConditions[19], n);
    QCOMPARE(b.SafetyVoltageIndex, shape);
    const QString nb = QStringLiteral("1.0103");
    const QString nd = QStringLiteral("0.0693");
    // The shape table always shows every row's factors; the n boxes show the factors n is
    // computed with, 1 for each one the shape leaves out.
    QCOMPARE(b.ShapeFactorTable[0], QStringLiteral("1.0000"));
    QCOMPARE(b.ShapeFactorTable[3], nb);
    QCOMPARE(b.ShapeFactorTable[11], nd);
    QCOMPARE(b.GridFactors[2], shape >= 1 ? nb : QStringLiteral("1.0000"));
    QCOMPARE(b.GridFactors[3], QStringLiteral("1.0000"));
    QCOMPARE(b.GridFactors[4], shape >= 3 ? nd : QStringLiteral("1.0000"));
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
    QVERIFY2(FindUnprintableFigure(v.sentence).isEmpty(), qPrintable(v.sentence));
}

// IEEE Std 80-2000 for grids without rods: Rg = R1 (Schwarz's Rg, eq. 53, reduces to the grid
// term, 2.91 Ω in the worked example) and Kii = 1/(2n)^(2/n) (eq. 82): hand calculation,
// 1/22^(2/11) = exp(−0.181818·3.091042) = 0.570063; GPR = 1908 A·2.91 Ω = 5552.28 V (eq. 64).
// N = 0, or rods that match no designation, are such grids.
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
    QCOMPARE(rr[0], QStringLiteral("2.91"));
    QCOMPARE(rr[6], QStringLiteral("2.91"));      // Rg = R1
    QCOMPARE(rr[2], GroundingUndefinedText());    // no rod resistance
    QCOMPARE(rr[4], GroundingUndefinedText());
    QCOMPARE(s[18], QStringLiteral("0.5701"));
    QCOMPARE(b.SafetyConditions[16], QStringLiteral("0.57"));
    QCOMPARE(s[30], rr[6]);
    // LR = 0, so LM, Ls and Lt reduce to their grid terms.
    QCOMPARE(b.SafetyConditions[10], QStringLiteral("1540.00"));
    QCOMPARE(b.StepFactors[5], QStringLiteral("1155.000"));
    QCOMPARE(b.ConductorResults[16], QStringLiteral("1540.000"));
    // A finite GPR and a real verdict: 3180 A × 0.6 × Rg.
    QCOMPARE(b.VoltageResults[2], QStringLiteral("5552.28"));
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
    if (average == GroundingUndefinedText())
        CheckNothingReadsSafe(b);
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
    CheckNothingReadsSafe(b);
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
    GroundingDesignBlockT german;
    GroundingSummaryValues got;
    {
        const CommaDecimalLocale comma;  // where installed; Qt's default changes either way
        SetWorkedExampleInputs(german);
        got = Calc(german);
    }
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
    QVERIFY(QFile::copy(TestDataDir() + QStringLiteral("/grounding/golden/G1.pro"), project));
    const CalcRun run = RunSevrinCalc(ProgramDir(), project, QStringLiteral("grounding"));
    QCOMPARE(run.exitCode, 0);
    QVERIFY2(run.err.isEmpty(), qPrintable(run.err));
    const QString diff = GoldenDifference(run.out, TestDataDir() + QStringLiteral("/grounding/golden/G1.expected"));
    QVERIFY2(diff.isEmpty(), qPrintable(diff));
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
    const CalcRun run = RunSevrinCalc(ProgramDir(), project, QStringLiteral("grounding"));
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
        QString::fromUtf8(ReadFile(TestDataDir() + QStringLiteral("/grounding/golden/G1.pro")))
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
    const CalcRun run = RunSevrinCalc(ProgramDir(), project, QStringLiteral("grounding"));
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
