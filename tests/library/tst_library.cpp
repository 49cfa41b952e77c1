// The reference library on a small fixture workbook: how the loader reads each kind of
// column, every lookup name with its key and value columns, the derived tables under changed
// design conditions, and the motor recomputation against a hand calculation.
#include "common/companionsuffixes.h"
#include "app/core/calcutil.h"
#include "app/core/sevrin.h"
#include "common/recordingprompt.h"
#include "common/testpaths.h"
#include "libraryfixture.h"
#include "platform/xlsxbook.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

class TestLibrary : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void loaderReadingRules();
    void lookups_data();
    void lookups();
    void hlookups_data();
    void hlookups();
    void unknownNamesAreReported();
    void cableDimensions();
    void findCableColumn();
    void findCableScheduleRow();
    void derivedTablesFollowThresholdAndFactors();
    void hfixDerating();
    void motorRecalculation();
    void missingWorkbookEndsTheProgram();
    void missingSheetsLeaveTheirTables();
    void workbookWithoutLibraryTablesIsRefused_data();
    void workbookWithoutLibraryTablesIsRefused();
    void realWorkbooks();

private:
    std::unique_ptr<CSevrinApp> NewApp() const;

    QTemporaryDir m_dir;
    RecordingPrompt* m_prompt = nullptr;
    std::unique_ptr<CSevrinApp> m_app;
};

std::unique_ptr<CSevrinApp> TestLibrary::NewApp() const
{
    auto app = std::make_unique<CSevrinApp>();
    app->ProjectPathTable.LibWorkbookPath = m_dir.filePath("lib_v3p4.xlsx");
    app->ProjectPathTable.BreakerWorkbookPath = m_dir.filePath("breaker_v3p4.xlsx");
    app->ProjectPathTable.CompanionSuffixTable = StandardCompanionSuffixes();
    return app;
}

void TestLibrary::initTestCase()
{
    QVERIFY(m_dir.isValid());
    m_prompt = RecordingPrompt::Install();
    QVERIFY(fixture::WriteLibrary(m_dir.filePath("lib_v3p4.xlsx")));
    QVERIFY(fixture::WriteBreakers(m_dir.filePath("breaker_v3p4.xlsx")));
    m_app = NewApp();
    m_app->LoadLibraryWorkbook();
    QVERIFY2(m_prompt->messages.isEmpty(), qPrintable(m_prompt->messages.join('\n')));
}

void TestLibrary::loaderReadingRules()
{
    const CSevrinApp& a = *m_app;
    // Every library table holds its capacity of entries.
    QCOMPARE(a.CableLibBlock.LineImpedanceTable.Count, 92);
    QCOMPARE(a.MotorLibBlock.MotorTable2.Count, 95);

    struct Case { const char* what; QString got; const char* want; };
    const Case cases[] = {
        // Transformer capacities: empty or 0 read as "-", the rating beside still printed.
        {"TR empty capacity", a.TransformerLibBlock.TR.Cell(0, 0), "-"},
        {"TR zero capacity", a.TransformerLibBlock.TR.Cell(1, 0), "-"},
        {"TR rating beside", a.TransformerLibBlock.TR.Cell(1, 1), "50"},
        {"TR capacity", a.TransformerLibBlock.TR.Cell(2, 0), "51"},
        // Ampacities: "-" kept, a negative number stays a number.
        {"XLPE dash", a.CableLibBlock.XlpeAmpacityTable.Cell(1, 5), "-"},
        {"XLPE negative", a.CableLibBlock.XlpeAmpacityTable.Cell(2, 12), "-5.00"},
        {"XLPE number", a.CableLibBlock.XlpeAmpacityTable.Cell(0, 1), "100.00"},
        // Motor coefficients: "-" kept, empty reads as 0 with two decimals.
        {"motor C dash", a.MotorLibBlock.MotorTable1.Cell(0, 9), "-"},
        {"motor lambda empty", a.MotorLibBlock.MotorTable1.Cell(0, 10), "0.00"},
        {"motor k", a.MotorLibBlock.MotorTable1.Cell(0, 11), "1.40"},
        {"motor eta %.3f", a.MotorLibBlock.MotorTable1.Cell(0, 4), "0.900"},
        {"motor IMS %.0f", a.MotorLibBlock.MotorTable1.Cell(0, 12), "89"},
        {"motor kVA %.2f", a.MotorLibBlock.MotorTable1.Cell(0, 18), "58.80"},
        {"motor table 3 kVA text", a.MotorLibBlock.MotorTable3.Cell(0, 18), "12.5 kVA"},
        // Thresholds; an empty one reads "0".
        {"HV threshold empty", a.CableLibBlock.HvMultiCoreThreshold.Value, "0"},
        {"LV threshold", a.CableLibBlock.LvMultiCoreThreshold.Value, "50"},
        // Line impedances: texts, four decimals, empty numbers as 0.0000.
        {"line %.4f rounds", a.CableLibBlock.LineImpedanceTable.Cell(0, 6), "0.1235"},
        {"line empty number", a.CableLibBlock.LineImpedanceTable.Cell(1, 6), "0.0000"},
        {"line text", a.CableLibBlock.LineImpedanceTable.Cell(0, 10), "가공"},
        {"line empty entry", a.CableLibBlock.LineImpedanceTable.Cell(5, 0), ""},
        {"legend", a.CableLibBlock.CableTypeLegend.Cell(0, 1), "가교 폴리에틸렌"},
        // 100.25 to one decimal is "100.3": an exact half rounds away from zero, as every
        // printed figure does (printf's round-half-even would print "100.2").
        {"GEN %.1f", a.GeneratorLibBlock.GEN.Cell(1, 3), "100.3"},
        {"TRAYDF p0 %.0f", a.CableLibBlock.TRAYDF.Cell(0, 0), "1"},
        {"TRAYDF factor", a.CableLibBlock.TRAYDF.Cell(2, 8), "0.58"},
        {"method factor", a.CableLibBlock.InstallationMethodFactors.Cell(1), "0.90"},
        {"TDF", a.CableLibBlock.TDF.Cell(4), "0.91"},
        {"ambient factor", a.CableLibBlock.AmbientTemperatureFactor.Value, "0.91"},
        {"MCB type text", a.BreakerLibBlock.MCB.Cell(0, 3), "C"},
        {"MCCB2 type number", a.BreakerLibBlock.MCCB2.Cell(0, 3), "2"},
        {"MCB kA", a.BreakerLibBlock.MCB.Cell(0, 4), "10.00"},
        {"MCB extension key", a.BreakerLibBlock.MCBExt.Cell(1, 0), "15.01"},
        {"CT primary", a.SwitchgearLibBlock.CtRatioTable.Cell(1, 0), "15.00"},
        {"CT label", a.SwitchgearLibBlock.CtRatioTable.Cell(1, 1), "20"},
        {"fuse empty number", a.SwitchgearLibBlock.CurrentLimitingFuseTable.Cell(2, 0), "0.00"},
        {"fuse empty text", a.SwitchgearLibBlock.CurrentLimitingFuseTable.Cell(2, 1), ""},
        {"number in a text column", a.SwitchgearLibBlock.CurrentLimitingFuseTable.Cell(1, 1), "25"},
        {"alpha %f", a.GroundingLibBlock.ConductorMaterialTable.Cell(0, 2), "0.003930"},
        {"K0 %.0f", a.GroundingLibBlock.ConductorMaterialTable.Cell(0, 3), "234"},
        {"rho %.4f", a.GroundingLibBlock.ConductorMaterialTable.Cell(0, 5), "1.7200"},
        {"material", a.GroundingLibBlock.ConductorMaterialTable.Cell(0, 0), "연동선"},
        {"dwelling %.2f", a.DemandFactorLibBlock.DwellingDemandFactorTable.Cell(0, 3), "0.95"},
        {"dwelling %.1f", a.DemandFactorLibBlock.DwellingDemandFactorTable.Cell(0, 0), "1.0"},
        {"TRIMP %.1f", a.TransformerLibBlock.TRIMP.Cell(8, 1), "4.8"},
        {"tray %.1f", a.CableDimensionLibBlock.TRAY.Cell(0, 0), "100.0"},
    };
    for (const Case& c : cases)
        QVERIFY2(c.got == QString::fromUtf8(c.want),
                 qPrintable(QStringLiteral("%1: got \"%2\", want \"%3\"")
                                .arg(c.what, c.got, QString::fromUtf8(c.want))));

    // The empty 6/10 kV threshold makes every size single-core.
    const LibTable& hv = a.CableLibBlock.HvCableImpedanceTable;
    for (int e = 0; e < 3; ++e) {
        QCOMPARE(hv.Cell(e, 6), hv.Cell(e, 1));
        QCOMPARE(hv.Cell(e, 7), hv.Cell(e, 2));
        QVERIFY(hv.Cell(e, 5).isEmpty());
    }
}

void TestLibrary::lookups_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("column");
    QTest::addColumn<double>("expected");

    // Fixture: 16 sizes 1.5 .. 300; property p of entry e holds 100p + e unless noted.
    // Applied impedances: multi-core (p5..p8) below 50 mm2, single-core (p1..p4) from 50 up.
    QTest::newRow("CBLIMP c2 multi-core") << "CBLIMP" << 35.0 << 2 << 507.0;
    QTest::newRow("CABLEZ c5 single-core") << "CABLEZ" << 50.0 << 5 << 408.0;
    QTest::newRow("CBLRX between keys") << "CBLRX" << 40.0 << 4 << 707.0;
    QTest::newRow("CBLIMP below first key") << "CBLIMP" << 1.0 << 2 << 500.0;
    QTest::newRow("CBLIMP above last key") << "CBLIMP" << 1000.0 << 3 << 215.0;
    QTest::newRow("CBLIMP c1 is the empty p9") << "CBLIMP" << 35.0 << 1 << NO_VALUE;
    QTest::newRow("CBLIMP column past the table") << "CBLIMP" << 35.0 << 6 << NO_VALUE;
    QTest::newRow("FR8IMP c1 size") << "FR8IMP" << 16.0 << 1 << 16.0;
    QTest::newRow("FR8IMP c9") << "FR8IMP" << 16.0 << 9 << 805.0;
    QTest::newRow("HFIXIMP c5") << "HFIXIMP" << 2.5 << 5 << 401.0;
    QTest::newRow("HFIX c3") << "HFIX" << 2.5 << 3 << 201.0;
    // Design current -> size. Method A factor 0.8, multi-core (two-core 50 + 5e) below 25 mm2;
    // entry 1 has "-" (0.00 A) so entry 2 starts again at key 0.01.
    QTest::newRow("CABLE1A equal current") << "CABLE1A" << 48.0 << 3 << 4.0;
    QTest::newRow("CABLE1A 0.01 above") << "CABLE1A" << 48.01 << 3 << 6.0;
    QTest::newRow("CABLE1A derated current") << "CABLE1A" << 48.0 << 2 << 48.0;
    QTest::newRow("CABLE1A dash entry") << "CABLE1A" << 30.0 << 3 << 1.5;
    // 3B: three-core 40 + 4e + 1 by 0.9 below 25 mm2, single-core 100 + 10e + 1 by 0.9 above.
    QTest::newRow("CABLE3B") << "CABLE3B" << 60.0 << 3 << 25.0;
    QTest::newRow("CABLE3B above all") << "CABLE3B" << 1e6 << 3 << 300.0;
    QTest::newRow("CABLE1B") << "CABLE1B" << 50.0 << 3 << 2.5;
    QTest::newRow("CABLE1D") << "CABLE1D" << 77.0 << 3 << 16.0;
    QTest::newRow("CABLE1E") << "CABLE1E" << 42.0 << 2 << 44.1;
    QTest::newRow("CABLE3A") << "CABLE3A" << 32.0 << 3 << 1.5;
    QTest::newRow("CABLE3D") << "CABLE3D" << 62.0 << 3 << 16.0;
    QTest::newRow("CABLE3E") << "CABLE3E" << 100.0 << 3 << 25.0;
    // HFIX derated at 40 degC (factor 0.91): base currents 10(e+1) + p.
    QTest::newRow("HFIXSQ size") << "HFIXSQ" << 2.0 << 2 << 2.5;
    QTest::newRow("HFIXSQ current") << "HFIXSQ" << 2.0 << 3 << 19.11;
    QTest::newRow("HFIXAC c1") << "HFIXAC" << 4.0 << 1 << 4.0;
    QTest::newRow("HFIXAC c2") << "HFIXAC" << 4.0 << 2 << 28.21;
    QTest::newRow("HFIXAC c5") << "HFIXAC" << 4.0 << 5 << 30.94;
    QTest::newRow("HFIX2A") << "HFIX2A" << 15.0 << 2 << 2.5;
    QTest::newRow("HFIX2A from zero") << "HFIX2A" << 0.0 << 2 << 1.5;
    QTest::newRow("HFIX2B") << "HFIX2B" << 10.92 << 2 << 1.5;
    QTest::newRow("HFIX3A") << "HFIX3A" << 12.0 << 2 << 2.5;
    QTest::newRow("HFIX3B") << "HFIX3B" << 20.0 << 2 << 2.5;
    // Grouping factors, keyed by tray count 1..6.
    QTest::newRow("TRAYDF c2 of 3 trays") << "TRAYDF" << 3.0 << 2 << 1.0;
    QTest::newRow("TRAYDF c10 of 3 trays") << "TRAYDF" << 3.0 << 10 << 0.58;
    QTest::newRow("TRAYDF 0 trays") << "TRAYDF" << 0.0 << 3 << 0.95;
    QTest::newRow("TRAYDF 9 trays") << "TRAYDF" << 9.0 << 4 << 0.85;
    // Library breakers: extension keys 0.01, then the previous rating + 0.01.
    QTest::newRow("MCB rating") << "MCB" << 18.0 << 2 << 20.0;
    QTest::newRow("MCB frame") << "MCB" << 18.0 << 3 << 100.0;
    QTest::newRow("MCB kA") << "MCB" << 18.0 << 4 << 10.5;
    QTest::newRow("MCBAF c1") << "MCBAF" << 20.0 << 1 << 20.0;
    QTest::newRow("MCBAF frame") << "MCBAF" << 20.0 << 2 << 100.0;
    QTest::newRow("MCBAF kA") << "MCBAF" << 20.0 << 3 << 10.5;
    QTest::newRow("RCBO") << "RCBO" << 16.0 << 4 << 11.5;
    QTest::newRow("RCBOAF") << "RCBOAF" << 100.0 << 3 << 11.5;
    QTest::newRow("MCCB2") << "MCCB2" << 110.0 << 2 << 125.0;
    QTest::newRow("MCCB2AF") << "MCCB2AF" << 125.0 << 2 << 400.0;
    QTest::newRow("MCCB3") << "MCCB3" << 200.0 << 2 << 200.0;
    QTest::newRow("CB is MCCB3") << "CB" << 200.0 << 4 << 13.5;
    QTest::newRow("MCCB3AF") << "MCCB3AF" << 60.0 << 2 << 100.0;
    QTest::newRow("CBR") << "CBR" << 301.0 << 2 << 350.0;
    QTest::newRow("CBRAF") << "CBRAF" << 350.0 << 3 << 14.5;
    // Size -> applied currents.
    QTest::newRow("CABLESQ smallest size not below") << "CABLESQ" << 3.0 << 2 << 4.0;
    QTest::newRow("CABLESQ equal size") << "CABLESQ" << 4.0 << 2 << 4.0;
    QTest::newRow("CABLESQ two-core") << "CABLESQ" << 10.0 << 3 << 70.0;
    QTest::newRow("CABLESQ three-core") << "CABLESQ" << 10.0 << 7 << 56.0;
    QTest::newRow("CABLESQ single-core 1-phase") << "CABLESQ" << 35.0 << 3 << 170.0;
    QTest::newRow("CABLESQ single-core 3-phase") << "CABLESQ" << 35.0 << 10 << 173.0;
    QTest::newRow("CABLEC 1A") << "CABLEC" << 16.0 << 2 << 60.0;
    QTest::newRow("CABLEC 3E") << "CABLEC" << 16.0 << 9 << 44.1;
    // Maker sheets (reloaded at every call): bucket keys from the loaded ratings and frames.
    QTest::newRow("LSMAT rating") << "LSMAT" << 15.0 << 2 << 20.0;
    QTest::newRow("LSMAT equal rating") << "LSMAT" << 10.0 << 2 << 10.0;
    QTest::newRow("LSMAT delta 4 s") << "LSMAT" << 15.0 << 3 << 5.1;
    QTest::newRow("LSMAT delta 20 s") << "LSMAT" << 15.0 << 7 << 9.1;
    QTest::newRow("LSMAF above all") << "LSMAF" << 75.0 << 2 << 100.0;
    QTest::newRow("LSMAF kA") << "LSMAF" << 40.0 << 3 << 25.0;
    QTest::newRow("LSSAT") << "LSSAT" << 45.0 << 2 << 50.0;
    QTest::newRow("LSSAF") << "LSSAF" << 120.0 << 2 << 150.0;
    QTest::newRow("HGMAT") << "HGMAT" << 31.0 << 2 << 40.0;
    QTest::newRow("HGMAF") << "HGMAF" << 51.0 << 3 << 26.0;
    QTest::newRow("USERAT above all") << "USERAT" << 100.0 << 2 << 20.0;
    QTest::newRow("USERAF") << "USERAF" << 10.0 << 2 << 50.0;
    // Dimensions.
    QTest::newRow("FCVSQ equal") << "FCVSQ" << 10.0 << 2 << 104.0;
    QTest::newRow("FCVSQ between") << "FCVSQ" << 11.0 << 2 << 104.0;
    QTest::newRow("FCVSQ below") << "FCVSQ" << 0.5 << 2 << 100.0;
    QTest::newRow("FCVSQ above") << "FCVSQ" << 1000.0 << 2 << 115.0;
    QTest::newRow("FR8SQ") << "FR8SQ" << 16.0 << 9 << 805.0;
    QTest::newRow("FGVSEC") << "FGVSEC" << 6.0 << 2 << 103.0;
    QTest::newRow("GVSQ") << "GVSQ" << 6.0 << 3 << 203.0;
    QTest::newRow("GV") << "GV" << 25.0 << 2 << 106.0;
    QTest::newRow("FGVW") << "FGVW" << 50.0 << 2 << 108.0;
    // Conduits keyed on the allowed area (property 3), column 3 the conduit size.
    QTest::newRow("CD size") << "CD" << 250.0 << 3 << 22.0;
    QTest::newRow("CD c1 is the key") << "CD" << 250.0 << 1 << 200.0;
    QTest::newRow("CD above all (5 entries)") << "CD" << 1000.0 << 3 << 40.0;
    QTest::newRow("ST") << "ST" << 250.0 << 3 << 23.0;
    QTest::newRow("FEP") << "FEP" << 100.0 << 2 << 300.0;
    QTest::newRow("TRAY") << "TRAY" << 250.0 << 2 << 250.0;
    QTest::newRow("TRAY c5") << "TRAY" << 250.0 << 5 << 2.5;
    QTest::newRow("TRAYW") << "TRAYW" << 350.0 << 2 << 7.5;
    QTest::newRow("TRAYW c4") << "TRAYW" << 350.0 << 4 << 3.5;
    // Sources; "TR", "GEN" and "GEN_2" answer their value column whatever the column.
    QTest::newRow("TR") << "TR" << 60.0 << 2 << 75.0;
    QTest::newRow("TR any column") << "TR" << 60.0 << 9 << 75.0;
    QTest::newRow("TR dash counts as 0") << "TR" << 10.0 << 2 << 50.0;
    QTest::newRow("TR zero") << "TR" << 0.0 << 2 << 30.0;
    QTest::newRow("TRIMP %Z") << "TRIMP" << 500.0 << 2 << 4.8;
    QTest::newRow("TRIMP X/R") << "TRIMP" << 500.0 << 3 << 3.5;
    QTest::newRow("GEN") << "GEN" << 75.0 << 5 << 60.0;
    QTest::newRow("GEN_2") << "GEN_2" << 100.0 << 2 << 100.3;
}

void TestLibrary::lookups()
{
    QFETCH(QString, name);
    QFETCH(double, value);
    QFETCH(int, column);
    QFETCH(double, expected);
    m_prompt->messages.clear();
    const double got = m_app->VLookup(value, name, column);
    const bool same = IsNoValue(expected) ? IsNoValue(got) : qAbs(got - expected) < 1e-9;
    QVERIFY2(same,
             qPrintable(QStringLiteral("VLookup(%1, %2, %3) = %4, want %5")
                            .arg(value)
                            .arg(name)
                            .arg(column)
                            .arg(got)
                            .arg(expected)));
    QVERIFY(m_prompt->messages.isEmpty());
}

void TestLibrary::hlookups_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<double>("value");
    QTest::addColumn<double>("expected");
    QTest::newRow("TDF 40") << "TDF" << 40.0 << 0.91;
    QTest::newRow("TDF 20 first") << "TDF" << 20.0 << 1.08;
    QTest::newRow("TDF 70 last") << "TDF" << 70.0 << 0.58;
    QTest::newRow("TDF 22 is no key") << "TDF" << 22.0 << NO_VALUE;
    QTest::newRow("UGTDF 10") << "UGTDF" << 10.0 << 1.07;
    QTest::newRow("UGTHD is UGTDF") << "UGTHD" << 25.0 << 0.96;
    QTest::newRow("UGDF 0.7") << "UGDF" << 0.7 << 1.2;
    QTest::newRow("UGDF 0.6 is no key") << "UGDF" << 0.6 << NO_VALUE;
    QTest::newRow("UGDDF 1.0 third cell") << "UGDDF" << 1.0 << 0.97;
}

void TestLibrary::hlookups()
{
    QFETCH(QString, name);
    QFETCH(double, value);
    QFETCH(double, expected);
    m_prompt->messages.clear();
    QCOMPARE(m_app->HLookup(value, name), expected);
    QVERIFY(m_prompt->messages.isEmpty());
}

void TestLibrary::unknownNamesAreReported()
{
    m_prompt->messages.clear();
    QCOMPARE(m_app->VLookup(10, "XYZ", 2), NO_VALUE);
    QCOMPARE(m_app->VLookup(10, "mcb", 2), NO_VALUE);  // names are case-sensitive
    QCOMPARE(m_app->HLookup(30, "TDF2"), NO_VALUE);
    QCOMPARE(m_prompt->messages, QStringList({QStringLiteral("VLOOKUP XYZ Table을 지원하지 않습니다.!!!"),
                                      QStringLiteral("VLOOKUP mcb Table을 지원하지 않습니다.!!!"),
                                      QStringLiteral("HLOOKUP TDF2 Table을 지원하지 않습니다.!!!")}));

    // The breaker delta: a rating whose text reads 30; times other than 4/6/10/15/20 and
    // unknown makers fall back.
    m_prompt->messages.clear();
    QCOMPARE(m_app->GetBreakerDelta("LSS", 30, 10, "-"), QString("7.2"));
    QCOMPARE(m_app->GetBreakerDelta("LSS", 30, 4, "-"), QString("5.2"));
    QCOMPARE(m_app->GetBreakerDelta("USERT", 20, 20, "-"), QString("9.1"));
    QCOMPARE(m_app->GetBreakerDelta("LSS", 30, 8, "-"), QString("-"));
    QCOMPARE(m_app->GetBreakerDelta("LSS", 31, 10, "x"), QString("x"));
    QCOMPARE(m_app->GetBreakerDelta("User", 20, 10, "fb"), QString("fb"));
    QVERIFY(m_prompt->messages.isEmpty());
}

void TestLibrary::cableDimensions()
{
    CSevrinApp& a = *m_app;
    const int entry = a.FindCableDimensionIndex(16, "FCVODSQ");
    const int core = a.FindCableDimensionIndex(3, "FCVODC");
    QCOMPARE(entry, 5);
    QCOMPARE(core, 2);
    QCOMPARE(a.LookupCableDimension("FCVOD", entry, core), 305.0);
    QCOMPARE(a.LookupCableDimension("FR8W", a.FindCableDimensionIndex(300, "FR8WSQ"),
                                    a.FindCableDimensionIndex(1, "FR8WC")),
             115.0);
    // No such size: the count; core counts outside 1..4: no index; both address no cell.
    QCOMPARE(a.FindCableDimensionIndex(3.0, "FCVWSQ"), 16);
    QCOMPARE(a.FindCableDimensionIndex(4, "FCVWC"), 3);
    QCOMPARE(a.FindCableDimensionIndex(5, "FCVWC"), CSevrinApp::kNoDimensionIndex);
    QCOMPARE(a.FindCableDimensionIndex(0, "FR8ODC"), CSevrinApp::kNoDimensionIndex);
    QCOMPARE(a.FindCableDimensionIndex(10, "FCVSQ"), CSevrinApp::kNoDimensionIndex);
    QCOMPARE(a.LookupCableDimension("FCVW", 16, 0), NO_VALUE);
    QCOMPARE(a.LookupCableDimension("FCVW", 0, CSevrinApp::kNoDimensionIndex), NO_VALUE);
    QCOMPARE(a.LookupCableDimension("FCVW", -1, 0), NO_VALUE);
    QCOMPARE(a.LookupCableDimension("FCVSQ", 0, 0), NO_VALUE);
}

void TestLibrary::findCableColumn()
{
    std::array<QString, 11> out;
    out.fill("keep");
    QVERIFY(!m_app->FindCableColumn("OH", "CV", out));  // first key matches, fourth does not
    QCOMPARE(out[0], QString("keep"));
    QVERIFY(m_app->FindCableColumn("OH", "OH", out));
    QCOMPARE(out[2], QString("58"));
    QCOMPARE(out[6], QString("0.1235"));
    QCOMPARE(out[10], QString("가공"));
    QVERIFY(m_app->FindCableColumn("CV", "CV", out));
    QCOMPARE(out[9], QString("0.0000"));
}

void TestLibrary::findCableScheduleRow()
{
    CSevrinApp& a = *m_app;
    a.ProjectPathTable.CurrentProjectPath = m_dir.filePath("plant.pro");
    {
        Book book;
        Sheet* s = book.addSheet("0");
        const char* rows[2][6] = {{"C-1", "MCC-1", "3", "100", "75", "25"},
                                  {"C-2", "LP-1", "4", "225", "150", "35"}};
        for (int r = 0; r < 2; ++r) {
            s->writeStr(r, 0, rows[r][0]);
            s->writeStr(r, 3, rows[r][1]);
            s->writeStr(r, 91, rows[r][2]);
            s->writeStr(r, 96, rows[r][3]);
            s->writeStr(r, 97, rows[r][4]);
            s->writeStr(r, 102, rows[r][5]);
        }
        QVERIFY(book.save(m_dir.filePath("plant_40.xlsx")));
    }
    std::array<QString, 4> out;
    a.FindCableScheduleRow("LP-1", out);
    QCOMPARE(out, (std::array<QString, 4>{"4", "225", "150", "35"}));
    QCOMPARE(a.CableScheduleBlock.CableRow[0], QString("C-2"));

    out.fill("stale");
    a.FindCableScheduleRow("MISSING", out);
    QCOMPARE(out, (std::array<QString, 4>{}));
    QVERIFY(a.CableScheduleBlock.CableRow[0].isEmpty());  // the empty row that ended the search

    a.ProjectPathTable.CurrentProjectPath = m_dir.filePath("nowhere.pro");
    out.fill("stale");
    a.FindCableScheduleRow("LP-1", out);
    QCOMPARE(out, (std::array<QString, 4>{}));
}

void TestLibrary::derivedTablesFollowThresholdAndFactors()
{
    auto app = NewApp();
    app->LoadLibraryWorkbook();
    CableLibBlockT& b = app->CableLibBlock;

    // Threshold 0: every size single-core (100 + 10e + m); method A at 0.8 turns 100 A into
    // 80.00 A and the next entry's key into 80.01.
    app->BuildAmpacityTables(0, 0.8, 0.5, 1.0, 0.25);
    QCOMPARE(b.CABLE1A.Cell(0, 1), QString("80.00"));
    QCOMPARE(b.CABLE1A.Cell(1, 0), QString("80.01"));
    QCOMPARE(b.CABLE1A.Cell(0, 0), QString("0.01"));
    QCOMPARE(app->VLookup(80.00, "CABLE1A", 3), 1.5);
    QCOMPARE(app->VLookup(80.01, "CABLE1A", 3), 2.5);
    QCOMPARE(b.CABLE1B.Cell(0, 1), QString("50.50"));  // (100 + 1) x 0.5
    QCOMPARE(b.CABLE3E.Cell(2, 1), QString("30.75"));  // (120 + 3) x 0.25
    QCOMPARE(b.CABLE3E.Cell(3, 0), QString("30.76"));
    QCOMPARE(b.CABLESQ.Cell(1, 2), QString("110.00"));  // the dash is in the unused two-core column
    QCOMPARE(b.CABLEC.Cell(2, 8), b.CABLE3E.Cell(2, 1));
    QCOMPARE(b.CABLEC.Cell(2, 0), QString("4.00"));

    // Threshold 70: sizes strictly below 70 mm2 take two- and three-core values, 70 itself
    // single-core; the "-" of entry 1 is copied and reads 0.00 derated, so entry 2's key
    // restarts at 0.01.
    app->BuildAmpacityTables(70, 1.0, 1.0, 1.0, 1.0);
    QCOMPARE(b.CABLESQ.Cell(8, 2), QString("90.00"));   // 50 mm2: two-core 50 + 5 x 8
    QCOMPARE(b.CABLESQ.Cell(8, 6), QString("72.00"));   // three-core 40 + 4 x 8
    QCOMPARE(b.CABLESQ.Cell(9, 2), QString("190.00"));  // 70 mm2: single-core
    QCOMPARE(b.CABLESQ.Cell(9, 6), QString("190.00"));
    QCOMPARE(b.CABLESQ.Cell(1, 2), QString("-"));
    QCOMPARE(b.CABLE1A.Cell(1, 1), QString("0.00"));
    QCOMPARE(b.CABLEC.Cell(1, 1), QString("0.00"));
    QCOMPARE(b.CABLE1A.Cell(2, 0), QString("0.01"));
    QCOMPARE(b.CABLESQ.Cell(3, 0), QString("4.01"));
    QCOMPARE(app->VLookup(91, "CABLE1A", 3), 70.0);

    // The impedance thresholds: equal size is single-core.
    app->ApplyImpedanceThreshold(16);
    QCOMPARE(b.CBLIMP.Cell(4, 10), b.CBLIMP.Cell(4, 5));  // 10 mm2: multi-core
    QCOMPARE(b.CBLIMP.Cell(5, 13), b.CBLIMP.Cell(5, 4));  // 16 mm2: single-core
    QVERIFY(b.CBLIMP.Cell(5, 9).isEmpty());
    app->ApplySingleCoreThreshold(70);
    QCOMPARE(b.HvCableImpedanceTable.Cell(0, 6), b.HvCableImpedanceTable.Cell(0, 3));
    QCOMPARE(b.HvCableImpedanceTable.Cell(0, 7), b.HvCableImpedanceTable.Cell(0, 4));
    QCOMPARE(b.HvCableImpedanceTable.Cell(1, 6), b.HvCableImpedanceTable.Cell(1, 1));

    // A rebuild depends only on its inputs.
    app->BuildAmpacityTables(0, 0.8, 0.5, 1.0, 0.25);
    QCOMPARE(b.CABLE1A.Cell(0, 1), QString("80.00"));
    QCOMPARE(b.CABLESQ.Cell(1, 2), QString("110.00"));
}

void TestLibrary::hfixDerating()
{
    auto app = NewApp();
    app->LoadLibraryWorkbook();
    const LibColumns& d = app->CableLibBlock.HFIXSQ;
    // 30 degC: factor 1.00, the base currents with two decimals.
    app->BuildDeratedHfixTables(30);
    QCOMPARE(d.Cell(0, 2), QString("11.00"));
    QCOMPARE(d.Cell(15, 5), QString("164.00"));
    QCOMPARE(d.Cell(0, 6), QString("0"));
    QCOMPARE(d.Cell(1, 6), QString("11.01"));
    QCOMPARE(d.Cell(1, 7), QString("2.50"));
    QCOMPARE(d.Cell(1, 0), QString("1.51"));
    // 50 degC: 0.82.
    app->BuildDeratedHfixTables(50);
    QCOMPARE(d.Cell(0, 2), QString("9.02"));
    QCOMPARE(d.Cell(1, 8), QString("9.85"));  // key on 2B: 12 x 0.82 + 0.01
    // A temperature that is no key of the factor row keeps the base currents: never the
    // no-value marker times a current.
    app->BuildDeratedHfixTables(33);
    for (int e = 0; e < 16; ++e) {
        for (int p = 2; p <= 5; ++p)
            QVERIFY2(ReadLeadingNumber(d.Cell(e, p)) > 0, qPrintable(d.Cell(e, p)));
    }
    QCOMPARE(d.Cell(0, 2), QString("11.00"));
}

void TestLibrary::motorRecalculation()
{
    auto app = NewApp();
    app->LoadLibraryWorkbook();
    // Design conditions: beta 6.0, C(DOL) 1.0, C(Y-D) 1/3, C(reactor) 0.65, lambda(S.S) 3.0,
    // lambda(INV) 1.5, k 1.4, tm 6 / 10 / 15 / 20 / 4 s, CT factor 1.5.
    app->RecalcMotorTables(6.0, 1.0, 1.0 / 3.0, 0.65, 3.0, 1.5, 1.4, 6, 10, 15, 20, 4, 1.5);

    // Hand calculation, 7.5 kW three-phase DOL motor, eta 0.9, cos phi 0.85:
    //   V   = 0.38 kV
    //   IB  = 7.5 / (1.7321 x 0.38 x 0.9 x 0.85) = 7.5 / 0.50351 = 14.896 A     -> "14.90"
    //   IMS = IB x beta x C = 14.896 x 6.0 x 1.0 = 89.37 A                       -> "89"
    //   II  = IMS x k = 89.37 x 1.4 = 125.1 A                                    -> "125"
    //   tm  = 6 s (DOL)                                                          -> "6"
    //   CT: x = IB x 1.5 = 22.34 A; the first primary above it is 30 (entry 2), so the label
    //       of entry 1 ("20")                                                    -> "20/5"
    //   S   = P / eta / cos phi x beta x C = 7.5 / 0.9 / 0.85 x 6.0 = 58.82 kVA  -> "58.82"
    //   C, lambda, k = 1.000, none, 1.400                                        -> "1.000", "-", "1.400"
    const LibTable& t2 = app->MotorLibBlock.MotorTable2;
    const QStringList dol = {"7.5DOL", "7.5", "3", "0.38", "0.900", "0.850", "14.90", "DOL",
                             "6.0", "1.000", "-", "1.400", "89", "125", "6", "20/5", "", "",
                             "58.82"};
    // Y-D, 11 kW, eta 0.91, cos 0.86: IB = 11 / (1.7321 x 0.38 x 0.91 x 0.86) = 21.36 A;
    // IMS = IB x 6 / 3 = 42.7 -> 43; II = 42.7 x 1.4 = 59.8 -> 60; x = 32.0 -> "30/5";
    // S = 11 / 0.91 / 0.86 x 6 / 3 = 28.11.
    const QStringList yd = {"11Y-D", "11", "3", "0.38", "0.910", "0.860", "21.36", "Y-D", "6.0",
                            "0.333", "-", "1.400", "43", "60", "10", "30/5", "", "", "28.11"};
    // Soft starter, 15 kW, eta 0.92, cos 0.87: IB = 28.47 A; IMS = II = IB x 3.0 = 85.4;
    // C and k "-", lambda 3.000; S = 15 / 0.92 / 0.87 x 3.0 = 56.22; x = 42.7 -> "30/5".
    const QStringList ss = {"15S.S", "15", "3", "0.38", "0.920", "0.870", "28.47", "S.S", "6.0",
                            "-", "3.000", "-", "85", "85", "20", "30/5", "", "", "56.22"};
    // Single-phase (phase field 2), 2.2 kW DOL, eta 0.8, cos 0.8: V 0.22, no root 3:
    // IB = 2.2 / 0.22 / 0.8 / 0.8 = 15.625 -> "15.63" (an exact half, away from zero);
    // IMS = 93.75 -> "94"; II = 131.25 -> "131"; S = 2.2 / 0.64 x 6 = 20.625 -> "20.63".
    const QStringList single = {"2.2DOL", "2.2", "2", "0.22", "0.800", "0.800", "15.63", "DOL",
                                "6.0", "1.000", "-", "1.400", "94", "131", "6", "20/5", "", "",
                                "20.63"};
    const QStringList* want[4] = {&dol, &yd, &ss, &single};
    for (int e = 0; e < 4; ++e) {
        for (int f = 0; f < 19; ++f)
            QVERIFY2(t2.Cell(e, f) == want[e]->at(f),
                     qPrintable(QStringLiteral("entry %1 field %2: got \"%3\", want \"%4\"")
                                    .arg(e)
                                    .arg(f)
                                    .arg(t2.Cell(e, f), want[e]->at(f))));
    }
    // MotorTable1's DOL row gets the same figures; its capacitor and unit size texts stay.
    const LibTable& t1 = app->MotorLibBlock.MotorTable1;
    QCOMPARE(t1.Cell(0, 6), QString("14.90"));
    QCOMPARE(t1.Cell(0, 16), QString("30"));
    QCOMPARE(t1.Cell(0, 17), QString("400"));
    // An empty entry: no method, so C and lambda "-", k the parameter and tm "-"; the
    // figures that divide by a zero efficiency are empty, never "nan".
    QCOMPARE(t2.Cell(10, 9), QString("-"));
    QCOMPARE(t2.Cell(10, 11), QString("1.400"));
    QCOMPARE(t2.Cell(10, 14), QString("-"));
    QVERIFY(t2.Cell(10, 6).isEmpty());
    QVERIFY(t2.Cell(10, 15).isEmpty());
    // MotorTable3 is never recomputed.
    QCOMPARE(app->MotorLibBlock.MotorTable3.Cell(0, 18), QString("12.5 kVA"));

    // A CT factor that puts x above every primary leaves the CT empty.
    app->RecalcMotorTables(6.0, 1.0, 1.0 / 3.0, 0.65, 3.0, 1.5, 1.4, 6, 10, 15, 20, 4, 100);
    QVERIFY(t2.Cell(0, 15).isEmpty());
}

void TestLibrary::missingWorkbookEndsTheProgram()
{
    auto app = NewApp();
    const QString path = m_dir.filePath("absent/lib_v3p4.xlsx");
    app->ProjectPathTable.LibWorkbookPath = path;
    m_prompt->messages.clear();
    int code = -1;
    try {
        app->LoadLibraryWorkbook();
    } catch (const Prompt::ProgramExit& e) {
        code = e.code;
    }
    QCOMPARE(code, 1);
    QCOMPARE(m_prompt->messages, QStringList(QStringLiteral("적합한 Lib 파일을 찾지 못했습니다.\n") + path));

    // A file that is not a workbook is no better.
    const QString junk = m_dir.filePath("junk.xlsx");
    QFile f(junk);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("not a workbook");
    f.close();
    app->ProjectPathTable.LibWorkbookPath = junk;
    code = -1;
    try {
        app->LoadLibraryWorkbook();
    } catch (const Prompt::ProgramExit& e) {
        code = e.code;
    }
    QCOMPARE(code, 1);
    QVERIFY(QFileInfo(junk).size() == 14);  // never overwritten
}

void TestLibrary::missingSheetsLeaveTheirTables()
{
    // A workbook of three sheets: sheets 0 to 2 load, the tables of 3 to 8 stay empty.
    const QString path = m_dir.filePath("short.xlsx");
    {
        Book full;
        QVERIFY(fixture::WriteLibrary(path));
        QVERIFY(full.load(path));
        while (full.sheetCount() > 3)
            QVERIFY(full.delSheet(full.sheetCount() - 1));
        QVERIFY(full.save(path));
    }
    auto app = NewApp();
    app->ProjectPathTable.LibWorkbookPath = path;
    m_prompt->messages.clear();
    app->LoadLibraryWorkbook();
    QVERIFY(m_prompt->messages.isEmpty());
    QCOMPARE(app->CableDimensionLibBlock.FCVSQ.Cell(4, 0), QString("10.00"));
    QVERIFY(app->TransformerLibBlock.TR.Cell(2, 1).isEmpty());
    QVERIFY(app->MotorLibBlock.MotorTable2.Cell(0, 1).isEmpty());
    QCOMPARE(app->VLookup(500, "TRIMP", 2), NO_VALUE);
    QCOMPARE(app->VLookup(10, "CABLESQ", 2), 10.0);

    // An empty sheet 0: its numbers read 0, its lookups over empty entries answer NO_VALUE.
    const QString empty0 = m_dir.filePath("empty0.xlsx");
    QVERIFY(fixture::WriteLibrary(empty0, true, false));
    auto app2 = NewApp();
    app2->ProjectPathTable.LibWorkbookPath = empty0;
    app2->LoadLibraryWorkbook();
    QCOMPARE(app2->CableLibBlock.CBLIMP.Cell(3, 0), QString("0.0"));
    QCOMPARE(app2->VLookup(10, "FCVSQ", 2), 104.0);
    QCOMPARE(app2->VLookup(1, "TDF", 1), NO_VALUE);  // message: TDF is no VLOOKUP table
    QCOMPARE(app2->HLookup(30, "TDF"), 0.0);          // an empty factor cell reads 0
}

void TestLibrary::workbookWithoutLibraryTablesIsRefused_data()
{
    // Each workbook is built by a small function of the Book layer.
    QTest::addColumn<int>("kind");
    QTest::addColumn<bool>("refused");
    QTest::newRow("one empty sheet (a new workbook)") << 0 << true;
    QTest::newRow("nine empty sheets") << 1 << true;
    QTest::newRow("text only outside every table") << 2 << true;
    QTest::newRow("only the demand factors of sheet 8") << 3 << false;
    QTest::newRow("only one line impedance of sheet 0") << 4 << false;
}

void TestLibrary::workbookWithoutLibraryTablesIsRefused()
{
    QFETCH(int, kind);
    QFETCH(bool, refused);
    const QString path = m_dir.filePath(QStringLiteral("stray%1.xlsx").arg(kind));
    const LibTable& dwelling = m_app->DemandFactorLibBlock.DwellingDemandFactorTable;
    {
        Book book;
        const int sheets = kind == 0 ? 1 : 9;
        for (int i = 0; i < sheets; ++i)
            QVERIFY(book.addSheet(QStringLiteral("Sheet%1").arg(i + 1)));
        if (kind == 2)
            QVERIFY(book.getSheet(0)->writeStr(0, 0, QStringLiteral("견적서")));  // A1: no table starts there
        if (kind == 3)
            QVERIFY(book.getSheet(8)->writeNum(dwelling.FirstRow, dwelling.FirstCol, 0.5));
        if (kind == 4)
            QVERIFY(book.getSheet(0)->writeStr(6, 0, QStringLiteral("ACSR-32")));
        QVERIFY(book.save(path));
    }
    const QByteArray before = [&] {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }();
    auto app = NewApp();
    app->ProjectPathTable.LibWorkbookPath = path;
    m_prompt->messages.clear();
    int code = -1;
    try {
        app->LoadLibraryWorkbook();
    } catch (const Prompt::ProgramExit& e) {
        code = e.code;
    }
    if (refused) {
        // The message of a missing or unreadable library workbook.
        QCOMPARE(code, 1);
        QCOMPARE(m_prompt->messages, QStringList(QStringLiteral("적합한 Lib 파일을 찾지 못했습니다.\n") + path));
    } else {
        QCOMPARE(code, -1);
        QVERIFY(m_prompt->messages.isEmpty());
    }
    QFile f(path);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), before);  // never written
}

void TestLibrary::realWorkbooks()
{
    const QString lib = ProgramDir() + QStringLiteral("/LIB/lib_v3p4.xlsx");
    const QString breakers = ProgramDir() + QStringLiteral("/LIB/breaker_v3p4.xlsx");
    if (!QFile::exists(lib) || !QFile::exists(breakers))
        QSKIP("the shipped reference workbooks are not built into the program folder");
    auto app = NewApp();
    app->ProjectPathTable.LibWorkbookPath = lib;
    app->ProjectPathTable.BreakerWorkbookPath = breakers;
    m_prompt->messages.clear();
    app->LoadLibraryWorkbook();
    app->LoadBreakerWorkbook(true, 0);
    QVERIFY2(m_prompt->messages.isEmpty(), qPrintable(m_prompt->messages.join('\n')));
    QVERIFY(app->BreakerLibBlock.BreakerMakerList.Count >= 4);

    // Sizes ascend in the ampacity source, so every design current finds a size and larger
    // currents never need smaller conductors.
    double previous = 0;
    for (double current = 5; current <= 300; current += 5) {
        const double size = app->VLookup(current, "CABLE3B", 3);
        QVERIFY2(size > 0 && size >= previous, qPrintable(QString::number(current)));
        previous = size;
    }
    QVERIFY(app->VLookup(1.0, "CABLEZ", 2) > 0);
    QVERIFY(app->HLookup(30, "TDF") > 0);
    QVERIFY(app->VLookup(100, "TR", 2) >= 100);
    QVERIFY(app->VLookup(50, "LSMAT", 2) >= 50);
    QVERIFY2(m_prompt->messages.isEmpty(), qPrintable(m_prompt->messages.join('\n')));
}

QTEST_GUILESS_MAIN(TestLibrary)
#include "tst_library.moc"
