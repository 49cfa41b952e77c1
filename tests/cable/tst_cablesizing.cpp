// The cable and breaker sizing of one cable schedule row, on a small fixture library whose
// figures are round enough to follow by hand (tests/cable/cablefixture.h).
#include "cable/core/cableapp.h"
#include "cable/core/cablesizing.h"

#include "app/core/calcutil.h"
#include "app/core/sevrin.h"
#include "cablefixture.h"
#include "common/commadecimallocale.h"
#include "common/recordingprompt.h"
#include "loads/core/designconditions.h"
#include "common/unprintable.h"

#include <QSet>
#include <QTemporaryDir>
#include <QTest>

#include <clocale>
#include <memory>

namespace {

using Cells = QList<QPair<int, QString>>;

CableRow MakeRow(const Cells& inputs)
{
    CableRow row;
    row[31] = row[43] = row[62] = QStringLiteral("|");
    for (const auto& [col, text] : inputs)
        row[std::size_t(col)] = text;
    return row;
}

Cells With(Cells base, const Cells& changes)
{
    for (const auto& change : changes) {
        bool replaced = false;
        for (auto& cell : base) {
            if (cell.first == change.first) {
                cell.second = change.second;
                replaced = true;
            }
        }
        if (!replaced)
            base.append(change);
    }
    return base;
}

// Worked feeders. Fixture: three-core ampacities by method A/B/D/E, two-core +3 A, single-core
// +10 A (used from the 16 mm2 threshold up), method E derated by 0.80; R = IEC 60228 copper,
// X 0.10 (single-core) / 0.08 (multi-core) ohm/km.
const Cells kThreePhaseFeeder = {
    {2, "MDB"}, {3, "PNL-1"}, {4, "L3P"}, {6, "100"}, {8, "3"}, {9, "4"}, {10, "0.38"},
    {23, "1.00"}, {30, "50"}, {33, "A"}, {44, "1"}, {51, "10"}, {71, "LSM"}, {103, "8"},
    {105, "FCV"}};
const Cells kMotorFeeder = {
    {2, "MCC-1"}, {3, "M-101"}, {4, "M"}, {5, "37"}, {8, "3"}, {9, "3"}, {10, "0.38"},
    {23, "1"}, {30, "80"}, {33, "E"}, {44, "1"}, {51, "16"}, {71, "LSS"}, {103, "20"},
    {105, "FCV"}};
const Cells kSinglePhaseBranch = {
    {2, "LP-1"}, {3, "L-1"}, {4, "L1"}, {6, "3"}, {8, "1"}, {9, "2"}, {10, "0.22"}, {23, "1"},
    {30, "30"}, {33, "B"}, {44, "1"}, {51, "5"}, {71, "HG"}, {103, "5"}, {105, "FR8"}};
const Cells kFedPanel = {
    {2, "MDB"}, {3, "MCC-1"}, {4, "L3P"}, {6, "400"}, {8, "3"}, {9, "4"}, {10, "0.38"},
    {23, "0.8"}, {30, "60"}, {33, "E"}, {44, "2"}, {51, "25"}, {71, "LSM"}, {103, "30"},
    {105, "FCV"}};

CableFormExtras Dol()
{
    CableFormExtras f;
    f.startingMethod = QStringLiteral("DOL");
    return f;
}

CableFormExtras FedPanel()
{
    CableFormExtras f;
    f.mccPanel = true;
    f.maxExcludedKva = QStringLiteral("250");
    f.maxMotorStartKva = QStringLiteral("150");
    f.maxMotorStartTime = QStringLiteral("10");
    f.maxMotorStartMethod = QStringLiteral("Y-D");
    return f;
}

// Passes every question on to the library and notes which tables were asked.
class RecordingLookup : public CableLookup
{
public:
    explicit RecordingLookup(CableLookup& inner) : m_inner(inner) {}
    double VLookup(double value, const QString& table, int column) override
    {
        tables.insert(table);
        return m_inner.VLookup(value, table, column);
    }
    double HLookup(double value, const QString& table) override
    {
        tables.insert(table);
        return m_inner.HLookup(value, table);
    }
    QString GetBreakerDelta(const QString& maker, int rating, int time,
                            const QString& fallback) override
    {
        deltaMakers.insert(maker);
        return m_inner.GetBreakerDelta(maker, rating, time, fallback);
    }
    bool FindMotorData(double kW, const QString& method, std::array<QString, 19>& f) override
    {
        return m_inner.FindMotorData(kW, method, f);
    }
    QSet<QString> tables;
    QSet<QString> deltaMakers;

private:
    CableLookup& m_inner;
};

QString Describe(const CableRow& row)
{
    QStringList parts;
    for (int c = 0; c < kCableColumnCount; ++c)
        parts << QStringLiteral("%1=%2").arg(c).arg(row[std::size_t(c)]);
    return parts.join(QLatin1Char(' '));
}

}  // namespace

Q_DECLARE_METATYPE(CableFormExtras)

class TestCableSizing : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void conditionsFromProjectBlocks();
    void workedFeeders_data();
    void workedFeeders();
    void perMakerColumnsOnlyForTheRowsMaker();
    void onlyTheRowsMakerIsAsked();
    void conventionalTrippingMultiple_data();
    void conventionalTrippingMultiple();
    void installationMethodCodeAtThreshold_data();
    void installationMethodCodeAtThreshold();
    void coresAndLines_data();
    void coresAndLines();
    void warningsInOrder_data();
    void warningsInOrder();
    void rowWithoutMinimumFaultCurrent_data();
    void rowWithoutMinimumFaultCurrent();
    void missingInputsGiveDashes_data();
    void missingInputsGiveDashes();
    void correctionFactorsByMethod_data();
    void correctionFactorsByMethod();
    void impedanceColumnsByPhases_data();
    void impedanceColumnsByPhases();
    void manualSizesAllDashes();
    void fedPanelWithoutLoadLeavesPowerFactorEmpty();
    void softStarterAndKvaMotor();
    void storedRowUsesItsOwnStartingValues();
    void sweepNeverPrintsNanOrInf();
    void commaLocaleKeepsPoints();
    void lookupAdapterAnswersAsTheLibrary();
    void capacityValidation();

private:
    CableRow Calc(const Cells& inputs, bool manual = false, const CableFormExtras& form = {});

    QTemporaryDir m_dir;
    RecordingPrompt* m_prompt = nullptr;
    std::unique_ptr<CSevrinApp> m_app;
    CableConditions m_cond;
};

void TestCableSizing::initTestCase()
{
    QVERIFY(m_dir.isValid());
    m_prompt = RecordingPrompt::Install();
    QVERIFY(cablefixture::WriteLibrary(m_dir.filePath("lib_v3p4.xlsx")));
    QVERIFY(cablefixture::WriteBreakers(m_dir.filePath("breaker_v3p4.xlsx")));
    m_app = std::make_unique<CSevrinApp>();
    cablefixture::UseLibrary(*m_app, m_dir.path());
    cablefixture::SetConditions(*m_app);
    // As after a project load: the conditions rebuild the derated tables and the motor tables
    // (the fixture's own factors are the ones these conditions give).
    ApplyProjectDesignConditions(*m_app);
    m_cond = CableConditionsFromApp(*m_app);
    QVERIFY2(m_prompt->messages.isEmpty(), qPrintable(m_prompt->messages.join('\n')));
}

CableRow TestCableSizing::Calc(const Cells& inputs, bool manual, const CableFormExtras& form)
{
    AppCableLookup lookup(*m_app);
    CableRow row = MakeRow(inputs);
    CalcCableAndBreaker(row, manual, false, m_cond, form, lookup);
    return row;
}

void TestCableSizing::conditionsFromProjectBlocks()
{
    // The stored selections mapped through the design pages' option lists.
    const CableConditions& c = m_cond;
    QCOMPARE(c.airAmbient, 30.0);
    QCOMPARE(c.groundAmbient, 20.0);
    QCOMPARE(c.trayTiers, 1.0);
    QCOMPARE(c.soilResistivity, 2.5);
    QCOMPARE(c.burialDepth, 0.6);
    QCOMPARE(c.singleCoreThreshold, 16.0);
    QCOMPARE(c.conductorTripTime, 0.01);
    QCOMPARE(c.loadPowerFactor, 0.9);
    QCOMPARE(c.loadEfficiency, 0.95);
    QCOMPARE(c.feederDropPct, 3.0);
    QCOMPARE(c.motorBranchDropPct, 5.0);
    QCOMPARE(c.motorStartPowerFactor, 0.3);
    QCOMPARE(c.motorFeederStartDropPct, 10.0);
    QCOMPARE(c.motorStartDropPct, 15.0);
    QCOMPARE(c.inrushMultiple, 1.4);
    QCOMPARE(c.breakerTripTime, 0.02);
    QCOMPARE(c.inrushMarginFactor, 1.2);
    QCOMPARE(c.mccInrushMultiple, 1.4);
    QCOMPARE(c.mccSoftStarterTime, 10.0);
    QCOMPARE(c.mccStartPowerFactor, 0.3);

    // A selection outside its list (a combo left without a selection stores -1) counts as the
    // list's first option, never a read past the table.
    CSevrinApp app;
    cablefixture::SetConditions(app);
    app.CabinetSizingBlock.InstallConditionIndex[0] = -1;
    app.CabinetSizingBlock.ConductorCriteriaIndex[0] = 10;
    app.MotorControlCenterBlock.MccConditionIndex[7] = 99;
    const CableConditions bad = CableConditionsFromApp(app);
    QCOMPARE(bad.airAmbient, 20.0);
    QCOMPARE(bad.singleCoreThreshold, 16.0);
    QCOMPARE(bad.mccSoftStarterTime, 4.0);
}

void TestCableSizing::workedFeeders_data()
{
    QTest::addColumn<Cells>("inputs");
    QTest::addColumn<bool>("manual");
    QTest::addColumn<CableFormExtras>("form");
    QTest::addColumn<Cells>("expected");
    QTest::addColumn<QList<int>>("warnings");

    // Three-phase feeder "L3P", 100 kVA at 0.38 kV, method A, 50 m, LSM, ISMIN 10 kA:
    //  eta = cos = 1, S = 100 kVA, IB = 100 / (sqrt3 x 0.38) = 151.93 A.
    //  SB: CABLE3A, first ampacity >= 151.93: 50 mm2 carries 141 + 10 = 151 (too little), 70 mm2
    //  carries 189 -> 70. ATB: first LSM rating >= 151.93 = 175. SCB: 175 A -> 70 mm2.
    //  SSC: 10 kA x 1000 x sqrt(0.01) / 143 = 6.99 mm2 -> 10 mm2. S = max(70, 70, 10) = 70.
    //  SVD% = 151.93 x sqrt3 x 0.05 km x 0.268 ohm/km x cos 1 / 380 V x 100 = 0.93 -> "0.9%".
    //  IZ = 189 A > 175 -> OK; I2: 1.45 x 189 = 274 > 1.37 x 175 = 240 -> OK.
    //  tZ = (70 x 143 / 10000)^2 = 1.00 s > tN 0.02 s; ISC/IN = 10000 / 175 = 57.
    //  LSMAF: 175 A -> 225 AF, 35 kA. Single-core from 16 mm2: 1C, 4 x 1 = 4L, PE 35 mm2.
    //  Conduit CD: area 4 x (2 x 70 + 40) + (1.5 x 35 + 10) = 782.5 -> CD key 500 -> 28.
    QTest::newRow("three-phase feeder L3P")
        << kThreePhaseFeeder << false << CableFormExtras{}
        << Cells{{1, "MDB/PNL-1"}, {5, ""}, {6, "100.00"}, {7, "100.00"}, {11, "1.00"},
                 {12, "1.00"}, {13, "151.93"}, {14, "-"}, {15, "-"}, {22, "-"}, {24, "100.00"},
                 {29, ""}, {32, "A1"}, {34, "1"}, {35, "-"}, {36, "30"}, {37, "1.00"},
                 {38, "-"}, {41, "-"}, {42, "1.00"}, {44, "1"}, {45, "70㎟"}, {46, "175AT"},
                 {47, "70㎟"}, {48, "3.0%"}, {49, "0.9%"}, {50, "70㎟"}, {51, "10.00kA"},
                 {52, "0.01s"}, {53, "6.99㎟"}, {54, "10㎟"}, {55, "-"}, {56, "-"}, {57, "-"},
                 {58, "-"}, {59, "-"}, {60, "70㎟"}, {61, "189A"}, {63, "175"}, {64, "-"},
                 {67, "175"}, {68, "OK"}, {69, "175"}, {70, "OK"}, {72, "-"}, {80, "-"},
                 {81, "-"}, {85, "-"}, {86, "-"}, {87, "0.02s"}, {88, "1.00s"}, {89, "57"},
                 {90, "OK"}, {91, "4"}, {92, "225"}, {96, "225AF"}, {97, "175"}, {98, "35"},
                 {99, "-"}, {102, "35kA"}, {103, "8.00kA"}, {104, "0.6/1kV"}, {106, "70㎟"},
                 {107, "A1"}, {108, "1C"}, {109, "4L"}, {110, "35.0㎟"}, {111, "CD|28"}}
        << QList<int>{};

    // DOL motor 37 kW fed by MCC-1, method E on one tray tier, 80 m, LSS, ISMIN 16 kA:
    //  motor data: eta 0.93, cos 0.86, beta 6.5, C 1, k 1.4, tm 6 s.
    //  S = 37 / 0.86 / 0.93 = 46.26 kVA; IB = 46.26 / (sqrt3 x 0.38) = 70.29 A.
    //  IMS = 70.29 x 6.5 x 1 = 456.867 A; II = 456.867 x 1.4 (MCC k) = 639.613 A.
    //  SB: CABLE3E (x 0.80): 10 mm2 75 x 0.8 = 60 A, 16 mm2 (100 + 10) x 0.8 = 88 A -> 16.
    //  ATB: LSS 80. delta (LSS, 80 A, 6 s) = 10; ATMS: 456.867 / 10 = 45.7 -> LSS 50.
    //  ATMI: 639.613 x 1.2 / 10 = 76.8 -> CB 100.
    //  SMSTh: sqrt(6) x 456.867 / 143 = 7.83 -> "8㎟" -> 10 mm2.
    //  SSC: 16 kA x 1000 x 0.1 / 143 = 11.19 mm2 -> 16. SCB: 80 A -> 16. S = 16.
    //  SMSVD% = 456.867 x sqrt3 x 0.08 x (1.15 x 0.3 + 0.10 x 0.954) / 380 x 100 = 7.34.
    //  SVD% = 70.29 x sqrt3 x 0.08 x (1.15 x 0.86 + 0.10 x 0.510) / 380 x 100 = 2.67.
    //  E from 16 mm2 up -> "F". IZ 88 A; I2: 1.45 x 88 = 127.6 > 1.37 x 80 = 109.6.
    //  tZ = (16 x 143 / 16000)^2 = 0.0204 s > 0.02 s -> OK; ISC/IN = 16000 / 80 = 200.
    //  LSSAF: 80 A -> 100 AF, 37 kA. 1C, 3L, PE 16 mm2; ST: 3 x 72 + 34 = 250 -> key 100 -> 22.
    QTest::newRow("DOL motor fed by an MCC")
        << kMotorFeeder << false << Dol()
        << Cells{{1, "MCC-1/M-101"}, {5, "37.00"}, {6, ""}, {7, "46.26"}, {11, "0.93"},
                 {12, "0.86"}, {13, "70.29"}, {14, "DOL"}, {15, "6.500"}, {16, "1.000"},
                 {17, "-"}, {18, "1.400"}, {19, "456.867"}, {20, "639.613"}, {21, "6.000"},
                 {22, "0.300"}, {24, "46.26"}, {32, "F"}, {34, "1"}, {35, "0.80"}, {37, "1.00"},
                 {42, "0.80"}, {45, "16㎟"}, {46, "80AT"}, {47, "16㎟"}, {48, "5.0%"},
                 {49, "2.7%"}, {50, "16㎟"}, {53, "11.19㎟"}, {54, "16㎟"}, {55, "15.0%"},
                 {56, "7.3%"}, {57, "16㎟"}, {58, "8㎟"}, {59, "10㎟"}, {60, "16.0㎟"},
                 {61, "88A"}, {64, "80"}, {67, "80"}, {68, "OK"}, {69, "80"}, {70, "OK"},
                 {74, "10.00"}, {80, "10.00"}, {82, "50"}, {85, "50"}, {86, "100"},
                 {87, "0.02s"}, {88, "0.02s"}, {89, "200"}, {90, "OK"}, {91, "3"}, {93, "100"},
                 {96, "100AF"}, {97, "80"}, {99, "37"}, {102, "37kA"}, {106, "16.0㎟"},
                 {107, "F"}, {108, "1C"}, {109, "3L"}, {110, "16.0㎟"}, {111, "ST|22"}}
        << QList<int>{};

    // Single-phase branch L1, 3 kVA at 0.22 kV, P 1, W 2, method B, 30 m, HG, ISMIN 5 kA:
    //  cos 0.9, eta 0.95 (design conditions): S = 3 / 0.95 = 3.16 kVA, IB = 3.16 / 0.22 = 14.35 A.
    //  SB: CABLE1B two-core 1.5 mm2 = 20 + 3 = 23 A -> 1.5. ATB: HG 15. SCB: 15 A -> 1.5.
    //  SSC: 5 x 0.866 x 1000 x 0.1 / 143 = 3.03 mm2 -> 4 mm2, which sets S = 4.
    //  SVD% (P 1: three-phase columns, K = 2) = 14.35 x 2 x 0.03 x (4.61 x 0.9 + 0.08 x 0.436)
    //  / 220 x 100 = 1.64. Code "B2" (4 < 16). IZ = CABLEC 1B at 4 = 37 + 3 = 40 A.
    //  ISC = 5 x 0.866 x 1000 = 4330 A; tZ = (4 x 143 / 4330)^2 = 0.0175 s < tN 0.02 s -> Check.
    //  ISC/IN = 5000 / 15 = 333. HGMAF: 15 A -> 50 AF, 14 kA. 2C, 1L, PE 4 mm2;
    //  ST: FR8 two-core (4 x 4 + 80) + 10 = 106, + 16 = 122 -> first key 100 -> 22.
    QTest::newRow("single-phase branch, tN<tZ fails")
        << kSinglePhaseBranch << false << CableFormExtras{}
        << Cells{{7, "3.16"}, {11, "0.95"}, {12, "0.90"}, {13, "14.35"}, {14, "-"}, {24, "3.16"},
                 {32, "B2"}, {45, "1.5㎟"}, {46, "15AT"}, {47, "1.5㎟"}, {48, "3.0%"},
                 {49, "1.6%"}, {50, "4㎟"}, {53, "3.03㎟"}, {54, "4㎟"}, {60, "4.0㎟"},
                 {61, "40A"}, {65, "15"}, {67, "15"}, {68, "OK"}, {69, "15"}, {70, "OK"},
                 {87, "0.02s"}, {88, "0.02s"}, {89, "333"}, {90, "Check"}, {91, "2"},
                 {94, "50"}, {96, "50AF"}, {97, "15"}, {100, "14"}, {102, "14kA"},
                 {106, "4.0㎟"}, {107, "B2"}, {108, "2C"}, {109, "1L"}, {110, "4.0㎟"},
                 {111, "ST|22"}}
        << QList<int>{3};

    // Fed panel MCC-1: 400 kVA "L3P", DF 0.8, two parallel cables on method E, 60 m, LSM,
    // ISMIN 25 kA; largest motor: Z 250 kVA, A 150 kVA, T 10 s, "Y-D".
    //  S = 400, Sd = 320 kVA, IB = 320 / (sqrt3 x 0.38) = 486.19 A; per cable 243.09 A.
    //  PF: X = 250 x 1 + 150 x 0.3 = 295, Y = 150 x 0.954 = 143.1, 295 / 327.9 = 0.90.
    //  SB: CABLE3E 95 mm2 (298 + 10) x 0.8 = 246.4 A -> 95. ATB: LSM 500.
    //  SCB: 500 / 2 = 250 A -> 120 mm2 ((346 + 10) x 0.8 = 284.8 A).
    //  ATMI: (150 x 1.4 + 250) / sqrt3 / 0.38 x 1.2 / 10 = 83.9 -> CB 100.
    //  SMSTh: 400 / (sqrt3 x 0.38) = 607.7 A x sqrt(10) / 143 / 2 = 6.72 -> "7㎟" -> 10 mm2.
    //  delta F (LSM, 500 A, 10 s) = 8; ATMS: 607.7 / 8 = 76.0 -> LSM 100.
    //  SSC: 25 x 1000 x 0.1 / 143 / 2 = 8.74 mm2 -> 10. S = max(95, 120, 10, 10) = 120.
    //  SMSVD% = 400 / 0.38 / 2 / sqrt3 x 0.06 x (0.153 x 0.3 + 0.10 x 0.954) / 380 x 100 x sqrt3
    //  = 1.17. SVD% = 243.09 x sqrt3 x 0.06 x 0.153 / 380 x 100 = 1.02.
    //  IZ = 284.8 x 2 = 569.6 -> "570A" > 500; tZ = (120 x 143 x 2 / 25000)^2 = 1.88 s.
    //  LSMAF: 500 A -> 630 AF, 50 kA. 1C, 4 x 2 = 8L, PE 70; ST: 8 x 280 + 115 = 2355 -> 54.
    QTest::newRow("fed panel, two parallel cables on method E")
        << kFedPanel << false << FedPanel()
        << Cells{{7, "400.00"}, {13, "486.19"}, {14, "-"}, {24, "320.00"}, {25, "250"},
                 {26, "150"}, {27, "10"}, {28, "Y-D"}, {29, "0.90"}, {32, "F"}, {44, "2"},
                 {45, "95㎟"}, {46, "500AT"}, {47, "120㎟"}, {48, "3.0%"}, {49, "1.0%"},
                 {50, "120㎟"}, {53, "8.74㎟"}, {54, "10㎟"}, {55, "10.0%"}, {56, "1.2%"},
                 {57, "120㎟"}, {58, "7㎟"}, {59, "10㎟"}, {60, "120㎟"}, {61, "570A"},
                 {63, "500"}, {67, "500"}, {68, "OK"}, {70, "OK"}, {72, "-"}, {73, "8.00"},
                 {80, "8.00"}, {81, "100"}, {85, "100"}, {86, "100"}, {88, "1.88s"},
                 {89, "50"}, {90, "OK"}, {91, "4"}, {92, "630"}, {96, "630AF"}, {97, "500"},
                 {98, "50"}, {102, "50kA"}, {106, "120㎟"}, {108, "1C"}, {109, "8L"},
                 {110, "70㎟"}, {111, "ST|54"}}
        << QList<int>{};

    // Manual mode on the three-phase feeder: SB 95, SCB 95, SVD 120, the others "-", AF 400,
    // AT 250. S = 120 (largest entry); IZ = CABLEC 3A at 120 = 249 + 10 = 259 A;
    // SVD% at 120 mm2 = 151.93 x sqrt3 x 0.05 x 0.153 / 380 x 100 = 0.53; SSC still computed
    // (6.99 mm2) but its size is the manual "-"; frame 400 AF -> LSM 50 kA; SCB shows AT 250;
    // tZ = (120 x 143 / 10000)^2 = 2.94 s; ISC/IN = 10000 / 250 = 40; CD: 4 x 280 + 115 = 1235
    // -> key 1000 -> 36. ATB and ATTh stay the computed 175 A.
    QTest::newRow("manual sizes, frame and rating")
        << With(kThreePhaseFeeder, {{45, "95"}, {47, "95"}, {50, "120"}, {54, "-"},
                                    {57, "-"}, {59, "-"}, {97, "400"}, {98, "250"}})
        << true << CableFormExtras{}
        << Cells{{45, "95㎟"}, {46, "250AT"}, {47, "95㎟"}, {49, "0.5%"}, {50, "120㎟"},
                 {53, "6.99㎟"}, {54, "-"}, {57, "-"}, {59, "-"}, {60, "120㎟"}, {61, "259A"},
                 {67, "175"}, {68, "OK"}, {69, "175"}, {70, "OK"}, {88, "2.94s"}, {89, "40"},
                 {92, "400"}, {96, "400AF"}, {97, "250"}, {98, "50"}, {102, "50kA"},
                 {106, "120㎟"}, {110, "70㎟"}, {111, "CD|36"}}
        << QList<int>{};
}

void TestCableSizing::workedFeeders()
{
    QFETCH(Cells, inputs);
    QFETCH(bool, manual);
    QFETCH(CableFormExtras, form);
    QFETCH(Cells, expected);
    QFETCH(QList<int>, warnings);
    const CableRow row = Calc(inputs, manual, form);
    for (const auto& [col, text] : expected)
        QVERIFY2(row[std::size_t(col)] == text,
                 qPrintable(QStringLiteral("column %1: got \"%2\", expected \"%3\"\n%4")
                                .arg(col)
                                .arg(row[std::size_t(col)], text, Describe(row))));
    const std::vector<int> codes = CheckCableAlarms(row);
    QCOMPARE(QList<int>(codes.begin(), codes.end()), warnings);
    // The engine leaves the screen's own columns alone.
    const CableRow in = MakeRow(inputs);
    for (int col : {0, 2, 3, 4, 30, 33, 105})
        QCOMPARE(row[std::size_t(col)], in[std::size_t(col)]);
}

void TestCableSizing::perMakerColumnsOnlyForTheRowsMaker()
{
    // The LSS motor of the worked feeders: ATB, delta M, ATMS, AF and kA in the LSS columns
    // (64, 74, 82, 93, 99) only; every other maker's column "-".
    const CableRow row = Calc(kMotorFeeder, false, Dol());
    const QList<int> lss = {64, 74, 82, 93, 99};
    const QList<int> perMaker = {63, 64, 65, 66, 72, 73, 74, 75, 76, 77, 78, 79,
                                 81, 82, 83, 84, 92, 93, 94, 95, 98, 99, 100, 101};
    for (int col : perMaker) {
        if (lss.contains(col))
            QVERIFY2(row[std::size_t(col)] != "-", qPrintable(QString::number(col)));
        else
            QVERIFY2(row[std::size_t(col)] == "-", qPrintable(QString::number(col)));
    }
}

void TestCableSizing::onlyTheRowsMakerIsAsked()
{
    // Maker tables are read from the breaker workbook sheet by sheet: a row asks its own maker
    // only, and a row without a maker asks none.
    const QSet<QString> makerTables = {"LSMAT", "LSMAF", "LSSAT", "LSSAF", "HGMAT",
                                       "HGMAF", "USERAT", "USERAF"};
    AppCableLookup app(*m_app);
    RecordingLookup lss(app);
    CableRow row = MakeRow(kMotorFeeder);
    CalcCableAndBreaker(row, false, false, m_cond, Dol(), lss);
    QCOMPARE(lss.tables & makerTables, (QSet<QString>{"LSSAT", "LSSAF"}));
    QCOMPARE(lss.deltaMakers, QSet<QString>{"LSS"});

    RecordingLookup user(app);
    row = MakeRow(With(kMotorFeeder, {{71, "User"}}));
    CalcCableAndBreaker(row, false, false, m_cond, Dol(), user);
    QCOMPARE(user.tables & makerTables, (QSet<QString>{"USERAT", "USERAF"}));
    QCOMPARE(user.deltaMakers, QSet<QString>{"USERT"});

    RecordingLookup none(app);
    row = MakeRow(With(kMotorFeeder, {{71, ""}}));
    CalcCableAndBreaker(row, false, false, m_cond, Dol(), none);
    QVERIFY((none.tables & makerTables).isEmpty());
    QVERIFY(none.deltaMakers.isEmpty());
    // Every table the engine names is one the library holds (an unknown name would pop up a
    // message on the screen).
    QVERIFY(m_prompt->messages.isEmpty());
}

void TestCableSizing::conventionalTrippingMultiple_data()
{
    QTest::addColumn<Cells>("inputs");
    QTest::addColumn<QString>("atth");
    QTest::addColumn<QString>("iz");
    QTest::addColumn<QString>("verdict");
    // Manual 10 mm2 three-core cables so IZ sits between the two multiples:
    //  IB = 39.5 / (sqrt3 x 0.38) = 60.0 A -> LSS 63 A; method A 10 mm2 IZ = 58 A:
    //  1.45 x 58 = 84.1 > 1.3 x 63 = 81.9 -> OK (1.37 x 63 = 86.3 would fail).
    //  IB = 46 / (sqrt3 x 0.38) = 69.9 A -> LSM 75 A; method B 10 mm2 IZ = 69 A:
    //  1.45 x 69 = 100.05 < 1.37 x 75 = 102.75 -> Check (1.3 x 75 = 97.5 would pass).
    const Cells manual10 = {{45, "10"}, {47, "-"}, {50, "-"}, {54, "-"}, {57, "-"}, {59, "-"}};
    QTest::newRow("63 A: factor 1.3")
        << With(With(kThreePhaseFeeder, manual10), {{6, "39.5"}, {71, "LSS"}}) << "63" << "58A"
        << "OK";
    QTest::newRow("75 A: factor 1.37")
        << With(With(kThreePhaseFeeder, manual10), {{6, "46"}, {33, "B"}}) << "75" << "69A"
        << "Check";
}

void TestCableSizing::conventionalTrippingMultiple()
{
    QFETCH(Cells, inputs);
    QFETCH(QString, atth);
    QFETCH(QString, iz);
    QFETCH(QString, verdict);
    const CableRow row = Calc(inputs, true);
    QCOMPARE(row[69], atth);
    QCOMPARE(row[61], iz);
    QCOMPARE(row[70], verdict);
}

void TestCableSizing::installationMethodCodeAtThreshold_data()
{
    QTest::addColumn<QString>("method");
    QTest::addColumn<QString>("size");
    QTest::addColumn<QString>("code");
    // Threshold 16 mm2: multi-core cables below it ("A2", "B2", "E"), single-core from it.
    QTest::newRow("A 10") << "A" << "10" << "A2";
    QTest::newRow("A 16") << "A" << "16" << "A1";
    QTest::newRow("B 10") << "B" << "10" << "B2";
    QTest::newRow("B 16") << "B" << "16" << "B1";
    QTest::newRow("D 10") << "D" << "10" << "D1";
    QTest::newRow("D 16") << "D" << "16" << "D1";
    QTest::newRow("E 10") << "E" << "10" << "E";
    QTest::newRow("E 16") << "E" << "16" << "F";
    QTest::newRow("unknown method") << "C" << "16" << "";
}

void TestCableSizing::installationMethodCodeAtThreshold()
{
    QFETCH(QString, method);
    QFETCH(QString, size);
    QFETCH(QString, code);
    const CableRow row = Calc(With(kThreePhaseFeeder, {{33, method}, {45, size}, {47, "-"},
                                                       {50, "-"}, {54, "-"}, {57, "-"},
                                                       {59, "-"}}),
                              true);
    QCOMPARE(row[32], code);
    QCOMPARE(row[107], code);
    // Conduit kind by method: D buried (FEP), B and E steel (ST), others CD.
    const QString kind = method == "D" ? "FEP" : (method == "B" || method == "E") ? "ST" : "CD";
    QVERIFY2(row[111].startsWith(kind + "|"), qPrintable(row[111]));
}

void TestCableSizing::coresAndLines_data()
{
    QTest::addColumn<Cells>("inputs");
    QTest::addColumn<CableFormExtras>("form");
    QTest::addColumn<QString>("cores");
    QTest::addColumn<QString>("lines");
    QTest::addColumn<QString>("conduit");
    const Cells manual95 = {{45, "95"}, {47, "-"}, {50, "-"}, {54, "-"}, {57, "-"}, {59, "-"}};
    // 95 mm2 >= 16: single-core cables, W x N = 4 x 2 = 8 lines. ST area 8 x (2 x 95 + 40) +
    // (1.5 x 50 + 10) = 1925 -> key 1200 -> 54 (method E).
    QTest::newRow("95 mm2, W 4, N 2") << With(With(kFedPanel, manual95), {{51, ""}})
                                      << CableFormExtras{} << "1C" << "8L" << "ST|54";
    // The same as a 55 kW star-delta motor: two cable sets, 16 lines. ST: 16 x 230 + 85 = 3765
    // -> key 3600 -> 82.
    CableFormExtras yd;
    yd.startingMethod = QStringLiteral("Y-D");
    QTest::newRow("95 mm2, W 4, N 2, Y-D")
        << With(With(kFedPanel, manual95), {{4, "M"}, {5, "55"}, {6, ""}}) << yd << "1C"
        << "16L" << "ST|82";
    // 10 mm2 < 16 with W 4: one four-core cable; area 6 x 10 + 120 = 180 + PE 25 = 205 on
    // method A -> CD key 100 -> 16.
    QTest::newRow("10 mm2, W 4, N 1")
        << With(kThreePhaseFeeder, {{45, "10"}, {47, "-"}, {50, "-"}, {54, "-"}, {57, "-"},
                                    {59, "-"}})
        << CableFormExtras{} << "4C" << "1L" << "CD|16";
    // W 5 below the threshold: five cores, no tabulated area -> the first conduit size.
    QTest::newRow("W 5")
        << With(kThreePhaseFeeder, {{9, "5"}, {45, "10"}, {47, "-"}, {50, "-"}, {54, "-"},
                                    {57, "-"}, {59, "-"}})
        << CableFormExtras{} << "5C" << "1L" << "CD|16";
}

void TestCableSizing::coresAndLines()
{
    QFETCH(Cells, inputs);
    QFETCH(CableFormExtras, form);
    QFETCH(QString, cores);
    QFETCH(QString, lines);
    QFETCH(QString, conduit);
    const CableRow row = Calc(inputs, true, form);
    QCOMPARE(row[108], cores);
    QCOMPARE(row[109], lines);
    QCOMPARE(row[111], conduit);
}

void TestCableSizing::warningsInOrder_data()
{
    QTest::addColumn<Cells>("inputs");
    QTest::addColumn<bool>("manual");
    QTest::addColumn<QList<int>>("codes");
    // The 37 kW motor on 2.5 mm2 over 300 m: SVD% (IB 70.29 A, R 7.41) far above 5 % (8),
    // SMSVD% far above 15 % (1), IZ 23 A < ATB 80 A (2), 1.45 x 23 < 1.37 x 80 (2),
    // tZ = (2.5 x 143 / 16000)^2 = 0.0005 s < 0.02 s (3); the manual 100 AF frame breaks 37 kA,
    // above ISMAX 20 kA (no 4).
    const Cells small = {{45, "2.5"}, {47, "2.5"}, {50, "2.5"}, {54, "2.5"}, {57, "2.5"},
                         {59, "2.5"}, {30, "300"}, {97, "100"}, {98, "80"}};
    QTest::newRow("8, 1, 2, 2, 3") << With(kMotorFeeder, small) << true << QList<int>{8, 1, 2, 2, 3};
    QTest::newRow("none") << kThreePhaseFeeder << false << QList<int>{};
    // ISMAX 40 kA against the 35 kA breaker.
    QTest::newRow("4") << With(kThreePhaseFeeder, {{103, "40"}}) << false << QList<int>{4};
    QTest::newRow("ISMAX -") << With(kThreePhaseFeeder, {{103, "-"}}) << false << QList<int>{};
    QTest::newRow("single-phase tN<tZ") << kSinglePhaseBranch << false << QList<int>{3};
}

void TestCableSizing::warningsInOrder()
{
    QFETCH(Cells, inputs);
    QFETCH(bool, manual);
    QFETCH(QList<int>, codes);
    const CableRow row = Calc(inputs, manual, Dol());
    const std::vector<int> got = CheckCableAlarms(row);
    QCOMPARE(QList<int>(got.begin(), got.end()), codes);
    QCOMPARE(CableRowNeedsCheck(row), codes.isEmpty() ? 0 : 1);
}

void TestCableSizing::rowWithoutMinimumFaultCurrent_data()
{
    QTest::addColumn<QString>("ismin");
    QTest::newRow("empty") << "";
    QTest::newRow("dash") << "-";
    QTest::newRow("zero") << "0";
    QTest::newRow("negative") << "-3";
}

void TestCableSizing::rowWithoutMinimumFaultCurrent()
{
    // Without a fault current there is no SSC criterion and no tZ: "-" in their columns and in
    // the verdict (the no-value marker must not turn into a false "Check"), and the size comes
    // from the other criteria.
    QFETCH(QString, ismin);
    const CableRow row = Calc(With(kSinglePhaseBranch, {{51, ismin}}));
    for (int col : {51, 53, 54, 88, 89, 90})
        QVERIFY2(row[std::size_t(col)] == "-", qPrintable(QString::number(col)));
    QCOMPARE(row[60], QString("1.5㎟"));  // SB and SCB only
    QCOMPARE(row[52], QString("0.01s"));
    // No warning 3. On 1.5 mm2 the running drop is over its 3 % limit, and that is warned:
    // 14.35 A x 2 x 0.03 km x (12.1 x 0.9 + 0.08 x 0.436) / 220 V x 100 = 4.3 %.
    QCOMPARE(row[49], QString("4.3%"));
    const std::vector<int> codes = CheckCableAlarms(row);
    QCOMPARE(QList<int>(codes.begin(), codes.end()), QList<int>{8});
}

void TestCableSizing::missingInputsGiveDashes_data()
{
    QTest::addColumn<Cells>("inputs");
    QTest::addColumn<Cells>("expected");
    // N empty or between 0 and 1: a single cable; empty demand factor: 1.00.
    QTest::newRow("N empty, DF empty")
        << With(kThreePhaseFeeder, {{44, ""}, {23, ""}})
        << Cells{{44, "1"}, {23, "1.00"}, {13, "151.93"}, {60, "70㎟"}, {109, "4L"}};
    QTest::newRow("N 0.5") << With(kThreePhaseFeeder, {{44, "0.5"}})
                           << Cells{{44, "1"}, {13, "151.93"}, {60, "70㎟"}};
    // N 0 or negative is no count of conductors: no design current and no size from it.
    QTest::newRow("N 0") << With(kThreePhaseFeeder, {{44, "0"}})
                         << Cells{{44, "-"}, {13, "-"}, {45, "-"}, {61, "-"}, {109, "-"}};
    QTest::newRow("N -2") << With(kThreePhaseFeeder, {{44, "-2"}})
                          << Cells{{44, "-"}, {61, "-"}, {111, "CD|-"}};
    // Voltage 0: no voltage, no design current, so no size, no drop and no rating from it.
    QTest::newRow("voltage 0")
        << With(kThreePhaseFeeder, {{10, "0"}})
        << Cells{{10, "-"}, {13, "-"}, {45, "-"}, {49, "-"}, {63, "-"}, {67, "-"}, {97, "-"},
                 {54, "10㎟"}, {60, "10㎟"}};
    // An unknown method letter: no size table, no code, no IZ.
    QTest::newRow("method C")
        << With(kThreePhaseFeeder, {{33, "C"}})
        << Cells{{32, ""}, {45, "-"}, {47, "-"}, {61, "-"}, {60, "10㎟"}, {67, "175"}};
    // An empty maker (a row imported from the other schedules): no breaker columns.
    QTest::newRow("empty maker")
        << With(kThreePhaseFeeder, {{71, ""}})
        << Cells{{63, "-"}, {64, "-"}, {65, "-"}, {66, "-"}, {67, "-"}, {46, "-"}, {47, "-"},
                 {92, "-"}, {96, "-"}, {97, "-"}, {102, "-"}, {89, "-"}, {45, "70㎟"},
                 {60, "70㎟"}};
}

void TestCableSizing::missingInputsGiveDashes()
{
    QFETCH(Cells, inputs);
    QFETCH(Cells, expected);
    const CableRow row = Calc(inputs);
    for (const auto& [col, text] : expected)
        QVERIFY2(row[std::size_t(col)] == text,
                 qPrintable(QStringLiteral("column %1: got \"%2\", expected \"%3\"")
                                .arg(col)
                                .arg(row[std::size_t(col)], text)));
}

void TestCableSizing::correctionFactorsByMethod_data()
{
    QTest::addColumn<QString>("method");
    QTest::addColumn<Cells>("expected");
    // Conditions: air 30 degC (TDF 1.00), ground 25 degC (UGTDF 0.96), 1.0 K.m/W (UGDF 1.18),
    // 0.8 m (UGDDF 0.98), two tray tiers (TRAYDF 0.78).
    // D: TOTAL = 0.96 x 1.18 x 0.98 = 1.11; column 36 still shows the air temperature.
    QTest::newRow("D") << "D"
                       << Cells{{34, "2"}, {35, "-"}, {36, "30"}, {37, "0.96"}, {38, "1.00"},
                                {39, "1.18"}, {40, "0.80"}, {41, "0.98"}, {42, "1.11"}};
    // E: TOTAL = 0.78 x 1.00.
    QTest::newRow("E") << "E"
                       << Cells{{34, "2"}, {35, "0.78"}, {37, "1.00"}, {38, "-"}, {39, "-"},
                                {40, "-"}, {41, "-"}, {42, "0.78"}};
    // A and B: the temperature factor alone.
    QTest::newRow("A") << "A" << Cells{{35, "-"}, {37, "1.00"}, {38, "-"}, {41, "-"}, {42, "1.00"}};
    QTest::newRow("B") << "B" << Cells{{35, "-"}, {37, "1.00"}, {40, "-"}, {42, "1.00"}};
}

void TestCableSizing::correctionFactorsByMethod()
{
    QFETCH(QString, method);
    QFETCH(Cells, expected);
    CableConditions cond = m_cond;
    cond.groundAmbient = 25;
    cond.soilResistivity = 1.0;
    cond.burialDepth = 0.8;
    cond.trayTiers = 2;
    AppCableLookup lookup(*m_app);
    CableRow row = MakeRow(With(kThreePhaseFeeder, {{33, method}}));
    CalcCableAndBreaker(row, false, false, cond, {}, lookup);
    for (const auto& [col, text] : expected)
        QVERIFY2(row[std::size_t(col)] == text,
                 qPrintable(QStringLiteral("column %1: got \"%2\", expected \"%3\"")
                                .arg(col)
                                .arg(row[std::size_t(col)], text)));
}

void TestCableSizing::impedanceColumnsByPhases_data()
{
    QTest::addColumn<QString>("phases");
    QTest::addColumn<QString>("drop");
    // The single-phase branch on 300 m: IB 14.35 A, 4 mm2 multi-core, R 4.61, cos 0.9, K = 2.
    //  P 1 takes the three-phase pair (X 0.08): 14.35 x 2 x 0.3 x (4.61 x 0.9 + 0.08 x 0.436)
    //  / 220 x 100 = 16.38 -> "16.4%".
    //  P 2 takes the single-phase pair (X 0.30): ... (4.149 + 0.30 x 0.436) ... = 16.75 -> "16.8%".
    QTest::newRow("P 1") << "1" << "16.4%";
    QTest::newRow("P 2") << "2" << "16.8%";
}

void TestCableSizing::impedanceColumnsByPhases()
{
    QFETCH(QString, phases);
    QFETCH(QString, drop);
    const CableRow row = Calc(With(kSinglePhaseBranch, {{8, phases}, {30, "300"}}));
    QCOMPARE(row[13], QString("14.35"));
    QCOMPARE(row[50], QString("4㎟"));
    QCOMPARE(row[49], drop);
}

void TestCableSizing::manualSizesAllDashes()
{
    // Every manual size "-": no size anywhere, and the drops use the first impedance entry
    // (1.5 mm2 multi-core, R 12.1): 151.93 x sqrt3 x 0.05 x 12.1 / 380 x 100 = 41.9 %.
    const CableRow row = Calc(With(kThreePhaseFeeder, {{45, "-"}, {47, "-"}, {50, ""}, {54, "-"},
                                                       {57, "-"}, {59, "-"}}),
                              true);
    for (int col : {45, 47, 50, 54, 57, 59, 60, 61, 106, 110})
        QVERIFY2(row[std::size_t(col)] == "-", qPrintable(QString::number(col)));
    QCOMPARE(row[49], QString("41.9%"));
    QCOMPARE(row[53], QString("6.99㎟"));  // still computed
    QCOMPARE(row[111], QString("CD|-"));  // no size: no conduit, never the first one
}

void TestCableSizing::fedPanelWithoutLoadLeavesPowerFactorEmpty()
{
    CableFormExtras form = FedPanel();
    form.maxExcludedKva = QStringLiteral("0");
    form.maxMotorStartKva = QStringLiteral("0");
    const CableRow row = Calc(kFedPanel, false, form);
    QCOMPARE(row[25], QString("0"));
    QCOMPARE(row[26], QString("0"));
    QCOMPARE(row[29], QString());
    // Still a fed-panel row (its A is not empty): the starting drop has its limit.
    QCOMPARE(row[55], QString("10.0%"));
}

void TestCableSizing::softStarterAndKvaMotor()
{
    // 15 kW soft starter, lambda 3: IBm = 15 / 0.85 / 0.92 / (sqrt3 x 0.38) = 29.14 A,
    // IMS = 3 x 29.143 = 87.430 A, II = IMS; tm = the MCC soft-starter time 10 s, so delta M is
    // LSM's 10 s multiple 8, and ATMS = LSM rating for 87.43 / 8 = 10.9 A -> 15.
    const Cells ss = With(kMotorFeeder, {{5, "15"}, {71, "LSM"}});
    CableFormExtras form;
    form.startingMethod = QStringLiteral("S.S");
    CableRow row = Calc(ss, false, form);
    QCOMPARE(row[17], QString("3.000"));
    QCOMPARE(row[19], QString("87.430"));
    QCOMPARE(row[20], QString("87.430"));
    QCOMPARE(row[21], QString("10.000"));
    QCOMPARE(row[72], QString("8.00"));
    QCOMPARE(row[85], QString("15"));

    // With an 8 s starting time no multiple is tabulated: delta 0 and the largest rating.
    CableConditions cond = m_cond;
    cond.mccSoftStarterTime = 8;
    AppCableLookup lookup(*m_app);
    row = MakeRow(ss);
    CalcCableAndBreaker(row, false, false, cond, form, lookup);
    QCOMPARE(row[72], QString("0.00"));
    QCOMPARE(row[85], QString("800"));

    // A motor given in kVA only is a load for the power factor and "-" in 14 to 22; its "-"
    // texts read as 1: time 1 s has no multiple (ATMS = largest rating), and ATMI is the CB
    // rating for 1 x 1.2 / 10 = 0.12 A -> the first, 15.
    row = Calc(With(kMotorFeeder, {{5, ""}, {6, "40"}}), false, Dol());
    for (int col = 14; col <= 22; ++col)
        QCOMPARE(row[std::size_t(col)], QString("-"));
    QCOMPARE(row[12], QString("0.90"));
    QCOMPARE(row[85], QString("250"));  // LSS's largest rating
    QCOMPARE(row[86], QString("15"));

    // A motor the tables do not know: eta 0.9, cos 0.8 and "-" for beta, C, lambda, m.
    row = Calc(With(kMotorFeeder, {{5, "22"}}), false, Dol());
    QCOMPARE(row[11], QString("0.90"));
    QCOMPARE(row[12], QString("0.80"));
    for (int col = 15; col <= 18; ++col)
        QCOMPARE(row[std::size_t(col)], QString("-"));
}

void TestCableSizing::storedRowUsesItsOwnStartingValues()
{
    // A stored row carries its starting method (14) and fed-panel values (25 to 29); the form's
    // are ignored. Computing the computed row again gives the same row.
    const CableRow first = Calc(kFedPanel, false, FedPanel());
    CableRow again = first;
    AppCableLookup lookup(*m_app);
    CableFormExtras other = Dol();
    other.mccPanel = true;
    other.maxMotorStartKva = QStringLiteral("999");
    RecalcStoredCableRow(again, m_cond, lookup);
    QCOMPARE(again, first);

    CableRow motor = Calc(kMotorFeeder, false, Dol());
    const CableRow motorFirst = motor;
    CalcCableAndBreaker(motor, false, true, m_cond, other, lookup);
    QCOMPARE(motor, motorFirst);
}

void TestCableSizing::sweepNeverPrintsNanOrInf()
{
    // Every numeric input of every worked feeder replaced by empty, "-", zero, huge, tiny,
    // negative and non-numeric texts, in both modes: no cell may hold "nan" or "inf", and no
    // size column a negative size.
    const QStringList bad = {"", "-", "0", "1e308", "-1e308", "1e-320", "-5", "abc", "inf",
                             "nan", "1e400"};
    const QList<int> numericInputs = {5, 6, 8, 9, 10, 23, 25, 26, 27, 30, 44, 51, 103,
                                      45, 47, 50, 54, 57, 59, 97, 98};
    const QList<int> echoed = {1, 2, 3, 4, 14, 25, 26, 27, 28, 30, 33, 105};
    const QList<int> sizes = {45, 47, 50, 53, 54, 57, 58, 59, 60, 106, 110};
    const QList<QPair<Cells, CableFormExtras>> bases = {
        {kThreePhaseFeeder, {}}, {kMotorFeeder, Dol()}, {kSinglePhaseBranch, {}},
        {kFedPanel, FedPanel()}};
    AppCableLookup lookup(*m_app);
    int rows = 0;
    for (const auto& [base, form] : bases) {
        for (int col : numericInputs) {
            for (const QString& text : bad) {
                for (bool manual : {false, true}) {
                    for (bool stored : {false, true}) {
                        CableRow row = MakeRow(With(base, {{col, text}}));
                        CalcCableAndBreaker(row, manual, stored, m_cond, form, lookup);
                        ++rows;
                        for (int c = 0; c < kCableColumnCount; ++c) {
                            if (echoed.contains(c))
                                continue;
                            const QString& cell = row[std::size_t(c)];
                            const QString where =
                                QStringLiteral("input %1 = \"%2\", manual %3: column %4 = \"%5\"")
                                    .arg(col)
                                    .arg(text)
                                    .arg(manual)
                                    .arg(c)
                                    .arg(cell);
                            QVERIFY2(!cell.contains("nan", Qt::CaseInsensitive) &&
                                         !cell.contains("inf", Qt::CaseInsensitive),
                                     qPrintable(where));
                            if (sizes.contains(c))
                                QVERIFY2(!(cell.startsWith('-') && cell.size() > 1),
                                         qPrintable(where));
                        }
                        CheckCableAlarms(row);
                    }
                }
            }
        }
    }
    QVERIFY(rows > 1000);
    // The conditions themselves out of their lists.
    CableConditions none;
    for (double* v : {&none.airAmbient, &none.trayTiers, &none.singleCoreThreshold,
                      &none.conductorTripTime, &none.motorStartPowerFactor, &none.breakerTripTime,
                      &none.inrushMultiple, &none.mccInrushMultiple, &none.mccSoftStarterTime,
                      &none.mccStartPowerFactor})
        *v = NO_VALUE;
    none.loadPowerFactor = 0;
    none.loadEfficiency = 0;
    for (const auto& [base, form] : bases) {
        CableRow row = MakeRow(base);
        CalcCableAndBreaker(row, false, false, none, form, lookup);
        for (int c = 0; c < kCableColumnCount; ++c)
            QVERIFY2(FindUnprintableFigure(row[std::size_t(c)]).isEmpty(),
                     qPrintable(Describe(row)));
    }
}

void TestCableSizing::commaLocaleKeepsPoints()
{
    CableRow row;
    {
        const CommaDecimalLocale comma;
        if (!comma.installed())
            QSKIP("the de_DE.UTF-8 locale is not installed (scripts/deps.sh generates it)");
        row = Calc(kFedPanel, false, FedPanel());
    }
    QCOMPARE(row[13], QString("486.19"));
    QCOMPARE(row[29], QString("0.90"));
    QCOMPARE(row[49], QString("1.0%"));
    QCOMPARE(row[53], QString("8.74㎟"));
    QCOMPARE(row[73], QString("8.00"));
    QCOMPARE(row[88], QString("1.88s"));
}

void TestCableSizing::lookupAdapterAnswersAsTheLibrary()
{
    // The adapter remembers answers; each must be the library's own, also when asked twice
    // and after a lookup in another maker's sheet.
    AppCableLookup lookup(*m_app);
    const QStringList tables = {"CABLE3E", "CABLE1B", "CABLESQ", "CB", "LSMAT", "LSSAT", "HGMAF",
                                "LSMAF", "GV", "ST"};
    for (int pass = 0; pass < 2; ++pass) {
        for (const QString& t : tables) {
            for (double v : {-999.0, 0.0, 14.35, 63.0, 63.005, 70.29, 486.19, 1e9}) {
                for (int c : {2, 3}) {
                    const double mine = lookup.VLookup(v, t, c);
                    const double lib = m_app->VLookup(v, t, c);
                    QVERIFY2(mine == lib || (std::isnan(mine) && std::isnan(lib)),
                             qPrintable(QStringLiteral("%1 %2 %3").arg(t).arg(v).arg(c)));
                }
            }
        }
    }
    QCOMPARE(lookup.GetBreakerDelta("LSS", 80, 6, "-"), m_app->GetBreakerDelta("LSS", 80, 6, "-"));
    QCOMPARE(lookup.GetBreakerDelta("LSS", 80, 6, "x"), QString("10.0"));
    QCOMPARE(lookup.GetBreakerDelta("LSS", 81, 6, "x"), QString("x"));
    QCOMPARE(lookup.HLookup(30, "TDF"), 1.0);
    for (int pass = 0; pass < 2; ++pass) {
        std::array<QString, 19> mine, lib;
        QVERIFY(lookup.FindMotorData(37, "DOL", mine));
        QVERIFY(m_app->FindMotorData(37, "DOL", lib));
        QCOMPARE(mine, lib);
        QVERIFY(!lookup.FindMotorData(37, "Y-D", mine));
    }
    QVERIFY(m_prompt->messages.isEmpty());
}

void TestCableSizing::capacityValidation()
{
    QCOMPARE(ValidateCableCapacity("37", "40"), QString("용량 값을 하나만 지정해 주세요!!!"));
    QCOMPARE(ValidateCableCapacity("", ""), QString("용량 값을 하나를 지정해 주세요!!!"));
    QVERIFY(ValidateCableCapacity("37", "").isEmpty());
    QVERIFY(ValidateCableCapacity("", "40").isEmpty());
}

QTEST_GUILESS_MAIN(TestCableSizing)
#include "tst_cablesizing.moc"
