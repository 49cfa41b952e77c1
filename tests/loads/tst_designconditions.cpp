// The design conditions without a window: option lists, motor parameters, correction factors
// and voltage-drop totals, what a project load leaves in the reference tables, and the
// driver's `conditions` command.
#include "app/core/calcutil.h"
#include "app/core/quantity.h"
#include "app/core/sevrin.h"
#include "common/calcdriver.h"
#include "common/recordingprompt.h"
#include "common/testpaths.h"
#include "common/testsupport.h"
#include "library/libraryfixture.h"
#include "loads/core/designconditions.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>
#include <limits>

namespace {

const QString kGoldenDir = TestDataDir() + QStringLiteral("/loads/golden");

// A program folder whose LIB holds the small fixture workbooks.
bool MakeFixtureRoot(const QString& root)
{
    return QDir().mkpath(root + QStringLiteral("/LIB")) &&
           fixture::WriteLibrary(root + QStringLiteral("/LIB/lib_v3p4.xlsx")) &&
           fixture::WriteBreakers(root + QStringLiteral("/LIB/breaker_v3p4.xlsx"));
}

}  // namespace

class TestDesignConditions : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();

    void optionIndexOutsideListUsesOptionZero_data();
    void optionIndexOutsideListUsesOptionZero();
    void motorParametersFromStoredSelections();
    void designTextsReadAsNumbers_data();
    void designTextsReadAsNumbers();
    void correctionFactorsFromLibraryRows();
    void totalDropPct_data();
    void totalDropPct();
    void projectLoadDeratesAmpacityTables();
    void projectLoadRecomputesMotorTables();
    void driverPrintsConditions();
    void driverRefusesMissingProject();
    void driverRoundsHalfAwayFromZero_data();
    void driverRoundsHalfAwayFromZero();

private:
    QTemporaryDir m_dir;
    QString m_root;
};

void TestDesignConditions::initTestCase()
{
    RecordingPrompt::Install();
    QVERIFY(m_dir.isValid());
    m_root = m_dir.filePath(QStringLiteral("root"));
    QVERIFY(MakeFixtureRoot(m_root));
    CSevrinApp::ProjectPathTableT& p = theApp.ProjectPathTable;
    p.RootPath = m_root;
    p.LibFolder = QStringLiteral("LIB");
    p.LibWorkbookPath = m_root + QStringLiteral("/LIB/lib_v3p4.xlsx");
    p.BreakerWorkbookPath = m_root + QStringLiteral("/LIB/breaker_v3p4.xlsx");
    theApp.LoadLibraryWorkbook();
}

void TestDesignConditions::optionIndexOutsideListUsesOptionZero_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<double>("beta");
    QTest::newRow("first") << 0 << 4.0;
    QTest::newRow("last") << 26 << 10.0;
    QTest::newRow("no selection") << -1 << 4.0;
    QTest::newRow("one past the list") << 27 << 4.0;
    QTest::newRow("hand-edited") << 1000 << 4.0;
}

void TestDesignConditions::optionIndexOutsideListUsesOptionZero()
{
    QFETCH(int, index);
    QFETCH(double, beta);
    MccDesignConditions c;
    c.startMultipleIndex = index;
    QCOMPARE(BuildMotorParameters(c).beta, beta);
    QCOMPARE(OptionValue(DesignOptions::StartMultiple, index), beta);
}

void TestDesignConditions::motorParametersFromStoredSelections()
{
    CSevrinApp::MotorControlCenterBlockT b;
    b.MccStartMultipleIndex() = 15;     // 8.0
    b.MccSoftStarterLimitIndex() = 3;   // 5.0
    b.MccInverterLimitIndex() = 4;      // 2.0
    b.MccInrushMultipleIndex() = 2;     // 1.5
    for (int m = 0; m < 5; ++m)
        b.MccStartTimeIndex(m) = 4 - m;  // 20, 15, 10, 6, 4 s
    b.MccStartPowerFactorIndex() = 3;   // 0.25
    b.MccReactorTap() = QStringLiteral("0.8");
    b.MccCtFactor() = QStringLiteral("2");
    const MccDesignConditions c = MccDesignConditionsOf(b);
    const MotorParameters p = BuildMotorParameters(c);
    const std::array<double, 13> expected{8.0, 1.0, 1.0 / 3.0, 0.8, 5.0, 2.0, 1.5,
                                          20, 15, 10, 6, 4, 2.0};
    for (std::size_t i = 0; i < expected.size(); ++i)
        QVERIFY2(std::abs(p.Values()[i] - expected[i]) < 1e-12, qPrintable(QString::number(i)));
    QCOMPARE(MotorStartPowerFactor(c), 0.25);
}

void TestDesignConditions::designTextsReadAsNumbers_data()
{
    // The reactor tap and the CT factor are numbers above 0; anything else is no value (NaN),
    // so the motor tables show no starting current from it instead of one computed with 0.
    // The design figures themselves read strictly and give 0 for no value.
    const double none = std::numeric_limits<double>::quiet_NaN();
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("value");
    QTest::addColumn<double>("designNumber");
    QTest::newRow("empty") << "" << none << 0.0;
    QTest::newRow("letters") << "abc" << none << 0.0;
    QTest::newRow("number with a unit") << "1.25배" << none << 0.0;
    QTest::newRow("blanks first") << "  0.5" << 0.5 << 0.5;
    QTest::newRow("not a number") << "nan" << none << 0.0;
    QTest::newRow("overflow") << "1e999" << none << 0.0;
    QTest::newRow("beyond every quantity") << "1e308" << none << 0.0;
    QTest::newRow("decimal comma") << "0,65" << none << 0.0;
    QTest::newRow("negative") << "-0.65" << none << -0.65;
    QTest::newRow("zero") << "0" << none << 0.0;
}

void TestDesignConditions::designTextsReadAsNumbers()
{
    QFETCH(QString, text);
    QFETCH(double, value);
    QFETCH(double, designNumber);
    MccDesignConditions c;
    c.reactorTap = text;
    c.ctFactor = text;
    const MotorParameters p = BuildMotorParameters(c);
    if (std::isnan(value)) {
        QVERIFY(std::isnan(p.cReactor));
        QVERIFY(std::isnan(p.ctFactor));
    } else {
        QCOMPARE(p.cReactor, value);
        QCOMPARE(p.ctFactor, value);
    }
    QCOMPARE(QuantityOr(text, QuantitySign::Any, 0.0), designNumber);
}

void TestDesignConditions::correctionFactorsFromLibraryRows()
{
    // Fixture rows: TDF 20..70 degC = 1.08, 1.04, 1.00, 0.96, 0.91, 0.87, 0.82, ...;
    // UGTDF 10..60 degC = 1.07, 1.04, 1.0, 0.96, 0.93, ...; UGDF 0.5..3.0 = 1.28, 1.2, 1.18, ...;
    // UGDDF 0.6, 0.8, 1.0, 1.2 m = 1.0, 0.98, 0.97, 0.95; TRAYDF nine-circuit column
    // = 1 - 0.40 - 0.01 x (tiers - 1).
    struct Case
    {
        const char* name;
        int air, ground, tiers, soil, depth;
        std::array<const char*, 9> factors;
    };
    const Case cases[] = {
        // 30 degC, 2 tiers: E,F = 1.00 x 0.59 = 0.59; D1 = 1.07 x 1.28 x 1.0 = 1.3696.
        {"30 degC, two tiers", 2, 0, 1, 0, 0,
         {"1.00", "1.07", "0.59", "1.28", "1.00", "1.00", "1.00", "1.37", "0.59"}},
        // 50 degC, 3 tiers: E,F = 0.82 x 0.58 = 0.4756; D1 at 30 degC, 1.0 K.m/W, 1.2 m:
        // 0.93 x 1.18 x 0.95 = 1.04253 (the 1.2 m factor, not the 1.0 m one at the same
        // position of the row).
        {"50 degC, 1.2 m deep", 6, 4, 2, 2, 2,
         {"0.82", "0.93", "0.58", "1.18", "0.95", "0.82", "0.82", "1.04", "0.48"}},
        // Indexes outside the lists read as the first option of each.
        {"indexes outside the lists", -1, 11, 6, 7, 3,
         {"1.08", "1.07", "0.60", "1.28", "1.00", "1.08", "1.08", "1.37", "0.65"}},
    };
    for (const Case& k : cases) {
        PanelBoardDesignConditions c;
        c.airAmbientIndex = k.air;
        c.groundAmbientIndex = k.ground;
        c.trayTierIndex = k.tiers;
        c.soilResistivityIndex = k.soil;
        c.burialDepthIndex = k.depth;
        const std::array<QString, 9> f = CalcCorrectionFactors(c, theApp.CableLibBlock);
        for (std::size_t i = 0; i < 9; ++i)
            QVERIFY2(f[i] == QLatin1String(k.factors[i]),
                     qPrintable(QStringLiteral("%1 [%2]: %3").arg(k.name).arg(i).arg(f[i])));
    }
}

void TestDesignConditions::totalDropPct_data()
{
    QTest::addColumn<QString>("feeder");
    QTest::addColumn<QString>("branch");
    QTest::addColumn<QString>("motorBranch");
    QTest::addColumn<QString>("load");
    QTest::addColumn<QString>("motor");
    QTest::newRow("whole percents") << "3" << "3" << "5" << "6" << "8";
    // 2.5 + 3 = 5.5 and 2.5 + 4 = 6.5 printed without decimals: a half rounds away from zero,
    // as every printed figure does, so a limit never reads lower than the rule.
    QTest::newRow("half percent") << "2.5" << "3" << "4" << "6" << "7";
    QTest::newRow("2.5 and 3.5 percent") << "1.5" << "1" << "2" << "3" << "4";
    QTest::newRow("quarter percents") << "0.25" << "0.25" << "0.75" << "1" << "1";
    // An empty limit counts 0; one that is no number of at least 0 makes its total "-",
    // never 0 or a 309-digit figure.
    QTest::newRow("empty and text") << "" << "abc" << "2" << "-" << "2";
    QTest::newRow("overflow") << "3" << "1e308" << "5" << "-" << "8";
    QTest::newRow("negative and nan") << "-3" << "3" << "nan" << "-" << "-";
}

void TestDesignConditions::totalDropPct()
{
    QFETCH(QString, feeder);
    QFETCH(QString, branch);
    QFETCH(QString, motorBranch);
    PanelBoardDesignConditions c;
    c.feederDropPct = feeder;
    c.branchDropPct = branch;
    c.motorBranchDropPct = motorBranch;
    const std::array<QString, 2> total = CalcTotalDropPct(c);
    QTEST(total[0], "load");
    QTEST(total[1], "motor");
}

void TestDesignConditions::projectLoadDeratesAmpacityTables()
{
    // Before: the library's own inputs (multi-core below 25 mm2, method factors 0.8, 0.9,
    // 1.0, 0.7, 40 degC). Size 25 mm2 three-phase method E: single-core 100 + 10 x 6 + 3 = 163 A
    // x 0.7 = 114.10 A.
    theApp.LoadLibraryWorkbook();
    QCOMPARE(theApp.VLookup(25, QStringLiteral("CABLEC"), 9), 114.10);

    const QString project = m_dir.filePath(QStringLiteral("derate.pro"));
    QFile::remove(project);
    QVERIFY(QFile::copy(kGoldenDir + QStringLiteral("/conditions.pro"), project));
    QFile(project).setPermissions(QFile::ReadOwner | QFile::WriteOwner);
    QVERIFY(theApp.LoadProjectFile(project));
    ApplyProjectDesignConditions(theApp);

    // The project: 50 degC in air (TDF 0.82), two tiers (nine-circuit factor 0.59), single-core
    // from 50 mm2. Method E factor 0.82 x 0.59 = 0.4838 -> 0.48.
    //  25 mm2 is now multi-core: three-core 40 + 4 x 6 + 3 = 67 A x 0.48 = 32.16 A (method E),
    //  40 + 24 + 0 = 64 A x 0.82 = 52.48 A (method A).
    //  50 mm2 single-core: 100 + 10 x 8 + 3 = 183 A x 0.48 = 87.84 A (method E).
    QCOMPARE(theApp.VLookup(25, QStringLiteral("CABLEC"), 9), 32.16);
    QCOMPARE(theApp.VLookup(25, QStringLiteral("CABLEC"), 6), 52.48);
    QCOMPARE(theApp.VLookup(50, QStringLiteral("CABLEC"), 9), 87.84);
    // The design-current lookup picks the first size whose derated current reaches it.
    QCOMPARE(theApp.VLookup(32.16, QStringLiteral("CABLE3E"), 3), 25.0);
    QCOMPARE(theApp.VLookup(32.17, QStringLiteral("CABLE3E"), 3), 35.0);
    // HFIX wires derated by the air factor alone: size 25 two-pole A 10 x 7 + 1 = 71 A x 0.82.
    QCOMPARE(theApp.VLookup(25, QStringLiteral("HFIXAC"), 2), 58.22);
    // The library cells the conditions write.
    const CableLibBlockT& lib = theApp.CableLibBlock;
    QCOMPARE(lib.HvMultiCoreThreshold.Value, QStringLiteral("50"));
    QCOMPARE(lib.LvMultiCoreThreshold.Value, QStringLiteral("50"));
    QCOMPARE(lib.AmpacityMultiCoreThreshold.Value, QStringLiteral("50"));
    QCOMPARE(lib.AmbientTemperature.Value, QStringLiteral("50"));
    QCOMPARE(lib.AmbientTemperatureFactor.Value, QStringLiteral("0.82"));
    const QStringList methods{lib.InstallationMethodFactors.Cell(0), lib.InstallationMethodFactors.Cell(1),
                              lib.InstallationMethodFactors.Cell(2), lib.InstallationMethodFactors.Cell(3)};
    QCOMPARE(methods, (QStringList{"0.82", "0.82", "1.04", "0.48"}));
}

void TestDesignConditions::projectLoadRecomputesMotorTables()
{
    theApp.LoadLibraryWorkbook();
    theApp.MotorControlCenterBlock.UserMotorCount = 0;
    const QString project = m_dir.filePath(QStringLiteral("motors.pro"));
    QVERIFY(WriteFile(project, "[Motor_Control_Center]\nIDC_PRO_1_1_COMBO1=4\n"
                               "IDC_PRO_1_1_COMBO4=1\nIDC_PRO_1_1_COMBO5=1\n"
                               "IDC_PRO_1_1_EDIT2=1.5\n"));
    QVERIFY(theApp.LoadProjectFile(project));
    ApplyProjectDesignConditions(theApp);
    // 7.5 kW DOL, eta 0.9, cos 0.85: IB = 7.5 / (sqrt 3 x 0.38 x 0.9 x 0.85) = 14.90 A;
    // beta 6.0: IMS = 89.4 -> 89, k 1.4: II = 125; tm 6 s; CT: 14.9 x 1.5 = 22.3 A, first
    // primary above it 30 A, so the label of the 15 A entry, "20/5".
    std::array<QString, 19> m;
    QVERIFY(theApp.FindMotorData(7.5, QStringLiteral("DOL"), m));
    QCOMPARE(m[6], QStringLiteral("14.90"));
    QCOMPARE(m[12], QStringLiteral("89"));
    QCOMPARE(m[13], QStringLiteral("125"));
    QCOMPARE(m[14], QStringLiteral("6"));
    QCOMPARE(m[15], QStringLiteral("20/5"));
}

void TestDesignConditions::driverPrintsConditions()
{
    const QString project = m_dir.filePath(QStringLiteral("golden.pro"));
    QFile::remove(project);
    QVERIFY(QFile::copy(kGoldenDir + QStringLiteral("/conditions.pro"), project));
    const CalcRun r = RunSevrinCalc(m_root, project, QStringLiteral("conditions"));
    QVERIFY2(r.exitCode == 0, qPrintable(r.err));
    QVERIFY2(r.err.isEmpty(), qPrintable(r.err));
    QCOMPARE(r.out, QString::fromUtf8(ReadFile(kGoldenDir + QStringLiteral("/conditions.txt"))));
}

void TestDesignConditions::driverRefusesMissingProject()
{
    const QString missing = m_dir.filePath(QStringLiteral("gone/P9.pro"));
    const CalcRun r = RunSevrinCalc(m_root, missing, QStringLiteral("conditions"));
    QCOMPARE(r.exitCode, 1);
    QVERIFY(r.out.isEmpty());
    QCOMPARE(r.err.count(QLatin1Char('\n')), 1);
    QVERIFY2(r.err.contains(missing), qPrintable(r.err));
}

// The permitted total voltage drops through `sevrin-calc conditions`: feeder + branch and
// feeder + motor branch in whole percent, a half rounded away from zero (2.5 % prints 3 and
// 0.5 % prints 1; round-half-to-even would print 2 and 0, a limit lower than the rule).
void TestDesignConditions::driverRoundsHalfAwayFromZero_data()
{
    QTest::addColumn<QString>("feeder");
    QTest::addColumn<QString>("branch");
    QTest::addColumn<QString>("motorBranch");
    QTest::addColumn<QString>("load");
    QTest::addColumn<QString>("motor");
    QTest::newRow("2.5 and 4.5") << "1.5" << "1" << "3" << "3" << "5";
    QTest::newRow("0.5 and 1.5") << "0.25" << "0.25" << "1.25" << "1" << "2";
    QTest::newRow("5.5 and 6.5") << "2.5" << "3" << "4" << "6" << "7";
    QTest::newRow("no figure") << "2.5" << "nan" << "-1" << "-" << "-";
}

void TestDesignConditions::driverRoundsHalfAwayFromZero()
{
    QFETCH(QString, feeder);
    QFETCH(QString, branch);
    QFETCH(QString, motorBranch);
    QFETCH(QString, load);
    QFETCH(QString, motor);
    QString text = QString::fromUtf8(ReadFile(kGoldenDir + QStringLiteral("/conditions.pro")));
    text.replace(QStringLiteral("IDC_PRO_2_4_EDIT3=2.5"), QStringLiteral("IDC_PRO_2_4_EDIT3=") + feeder);
    text.replace(QStringLiteral("IDC_PRO_2_4_EDIT4=3"), QStringLiteral("IDC_PRO_2_4_EDIT4=") + branch);
    text.replace(QStringLiteral("IDC_PRO_2_4_EDIT5=5"), QStringLiteral("IDC_PRO_2_4_EDIT5=") + motorBranch);
    const QString project = m_dir.filePath(QStringLiteral("drops.pro"));
    QVERIFY(WriteFile(project, text.toUtf8()));
    const CalcRun r = RunSevrinCalc(m_root, project, QStringLiteral("conditions"));
    QVERIFY2(r.exitCode == 0, qPrintable(r.err));
    QVERIFY2(r.out.endsWith(QStringLiteral("CONDITION\ttotal_drop_load\t%1\n"
                                           "CONDITION\ttotal_drop_motor\t%2\n").arg(load, motor)),
             qPrintable(r.out));
}

QTEST_GUILESS_MAIN(TestDesignConditions)
#include "tst_designconditions.moc"
