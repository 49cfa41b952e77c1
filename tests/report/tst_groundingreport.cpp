// The grounding report sheet: the worked-example grid typed into the grounding screen and
// turned into a report through the report driver and the real template, read back with
// openpyxl. Expected values: tests/grounding/golden/G1.expected, the same grid worked out
// for the grounding calculation (IEEE Std 80-2000 equations, annealed copper).
#include "common/recordingprompt.h"
#include "grounding/groundingfixture.h"
#include "reportproject.h"

#include "grounding/gui/groundingscreen.h"
#include "report/gui/groundingreport.h"

#include <QTest>
#include <memory>

class TestGroundingReport : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void verdict_data();
    void verdict();
    void sheet_data();
    void sheet();
    void noGroundingScreenWritesNothing();

private:
    // The report of the screen's current inputs; the sheet's cells as "row,col=text".
    QStringList RunReport(const std::vector<SheetCell>& cells, RecordingHost& host);
    ReportSheetScreen<CGroundingScreen> m_sheet{Screen::Grounding};
};

void TestGroundingReport::initTestCase()
{
    QVERIFY2(QFileInfo::exists(ReportTemplatePath()), "the build writes FORM/form.xlsx");
    RecordingPrompt::Install();
    FillGroundingFixtureLibrary(theApp.GroundingLibBlock);
    theApp.GroundingDesignBlock = CSevrinApp::GroundingDesignBlockT{};
    m_sheet.start(8, std::make_shared<GroundingReportWriter>());
}

void TestGroundingReport::cleanupTestCase()
{
    m_sheet.finish();
}

void TestGroundingReport::verdict_data()
{
    QTest::addColumn<QString>("touch");
    QTest::addColumn<QString>("rise");
    QTest::addColumn<QString>("expected");
    const QString safe = QStringLiteral("낮으므로 안전하다.");
    const QString unsafe = QStringLiteral("높으므로 위험하다.");
    // Compared as shown (two decimals): equal texts are safe, one hundredth more is not.
    QTest::newRow("equal as shown") << "621.13" << "621.13" << safe;
    QTest::newRow("one hundredth higher") << "621.13" << "621.14" << unsafe;
    QTest::newRow("lower") << "621.13" << "174.00" << safe;
    QTest::newRow("worked example") << "621.13" << "5533.20" << unsafe;
    // An undefined value proves nothing: never read as 0 and called safe.
    QTest::newRow("rise undefined") << "621.13" << "-" << unsafe;
    QTest::newRow("touch undefined") << "-" << "100.00" << unsafe;
    QTest::newRow("both empty") << "" << "" << unsafe;
}

void TestGroundingReport::verdict()
{
    QFETCH(QString, touch);
    QFETCH(QString, rise);
    QFETCH(QString, expected);
    QCOMPARE(GroundPotentialRiseVerdict(touch, rise), expected);
}

QStringList TestGroundingReport::RunReport(const std::vector<SheetCell>& cells, RecordingHost& host)
{
    ReportProgramFolder folder(ReportTemplatePath());
    const QString report = folder.outFolder() + QStringLiteral("/grounding.xlsx");
    if (RunReportFromTemplate(report, OnlyReport(8), host) != ReportRunResult::Saved)
        return {QStringLiteral("not saved")};
    return ReadReportSheet(report, QStringLiteral("접지"), 350, cells);
}

void TestGroundingReport::sheet_data()
{
    QTest::addColumn<QString>("faultCurrent");  // I [kA], typed on the design-inputs page
    QTest::addColumn<std::vector<SheetCell>>("cells");

    std::vector<SheetCell> header;
    for (int k = 0; k < 7; ++k) {
        header.push_back({0, 50 * k + 42, "Rev."});
        header.push_back({1, 50 * k + 7, "시험 플랜트"});
        header.push_back({1, 50 * k + 42, "2026.12.11"});
    }
    std::vector<SheetCell> example = header;
    const std::vector<SheetCell> values = {
        // Block 0: αr, ρr, TCAP, K0, the required and the standard size (G1 ConductorResults).
        {17, 35, "0.003930"}, {18, 35, "1.7200"}, {19, 35, "3.4200"}, {22, 35, "234"},
        {33, 35, "7"}, {36, 35, "10"}, {16, 6, "연동선"},
        // Block 1: K1, K2, a', the grid area, Lt.
        {31, 85, "1.37"}, {32, 85, "5.65"}, {33, 85, "0.067"}, {34, 85, "4900"}, {36, 85, "1600.000"},
        // Block 4: permissible step and touch voltages, the rise twice, the verdict, expected
        // touch and step voltages (G1 VoltageResults).
        {20, 230, "1992.37"}, {25, 230, "621.13"}, {33, 227, "621.13"}, {30, 219, "5533.20"},
        {33, 211, "5533.20"}, {33, 238, "높으므로 위험하다."}, {39, 221, "836.66"}, {44, 221, "583.75"},
        // Block 5: the comparison table and the average resistivity.
        {5, 261, "5533"}, {8, 261, "621"}, {8, 270, "837"}, {8, 277, "CHECK"}, {9, 261, "1992"},
        {9, 270, "584"}, {9, 277, "OK"}, {15, 288, "10"}, {21, 288, "400"}, {29, 288, "400.00"},
        // Block 6: the summary's value column (G1 SUMMARY 0, 7, 18, 31 and 33).
        {4, 338, "공통접지"}, {11, 338, "1"}, {22, 338, "1.0000"}, {35, 338, "5533"}, {37, 338, "621"},
    };
    example.insert(example.end(), values.begin(), values.end());
    QTest::newRow("worked example: the rise above the touch voltage") << "3.18" << example;

    // A 0.1 kA fault: the rise Ig·Rg = 100 × 0.6 × 2.904 ≈ 174 V stays under the 621.13 V
    // permissible touch voltage, which does not depend on the current.
    std::vector<SheetCell> small = header;
    small.push_back({25, 230, "621.13"});
    small.push_back({33, 238, "낮으므로 안전하다."});
    QTest::newRow("small fault current: safe") << "0.1" << small;
}

void TestGroundingReport::sheet()
{
    QFETCH(QString, faultCurrent);
    QFETCH(std::vector<SheetCell>, cells);

    TypeWorkedGroundingGrid(*m_sheet.screen, faultCurrent);

    RecordingHost host;
    const QStringList expected = CleanSheetLines(QStringLiteral("$A$1:$ML$45"), cells);
    QCOMPARE(RunReport(cells, host), expected);
    QCOMPARE(host.progress, QStringList({"접지-0"}));

    // A second run with the same inputs writes the same sheet.
    RecordingHost again;
    QCOMPARE(RunReport(cells, again), expected);
}

void TestGroundingReport::noGroundingScreenWritesNothing()
{
    theApp.SetScreen(Screen::Grounding, nullptr);
    RecordingHost host;
    const QStringList lines = RunReport({{0, 42, ""}, {33, 238, ""}}, host);
    theApp.SetScreen(Screen::Grounding, m_sheet.screen.get());
    QVERIFY(host.progress.isEmpty());
    QCOMPARE(lines.mid(5), QStringList({"0,42=", "33,238="}));
}

QTEST_MAIN(TestGroundingReport)
#include "tst_groundingreport.moc"
