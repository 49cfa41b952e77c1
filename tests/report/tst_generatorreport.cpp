// The generator-capacity report sheet: fixture generator workbooks turned into a report
// through the report driver and the real template with the generator screen recomputing as
// its "계산" does, read back with openpyxl.
#include "loads/sourcesfixture.h"
#include "reportproject.h"

#include "loads/gui/generatorscreen.h"
#include "report/gui/generatorreport.h"

#include <QTest>
#include <memory>

namespace {

using sourcesfixture::GeneratorLoad;

const QString kSheet = QStringLiteral("발전기용량");

// n lighting loads of 1 kVA, panels named after their row.
std::vector<GeneratorLoadRowT> LightingLoads(int n)
{
    std::vector<GeneratorLoadRowT> rows;
    for (int j = 0; j < n; ++j)
        rows.push_back(GeneratorLoad(j + 1, QStringLiteral("LP-%1").arg(j + 1), QStringLiteral("L"), QString(),
                                     QStringLiteral("1"), QStringLiteral("-"), QStringLiteral("100"),
                                     QStringLiteral("100")));
    return rows;
}

// Two motors and a lighting board:
//   1: 30 kW fan, DOL, 100 % in both cases; 2: 15 kW pump, 100 % on outage only;
//   3: 20 kVA of lighting, 100 % in both.
std::vector<GeneratorLoadRowT> MotorLoads()
{
    return {GeneratorLoad(1, QStringLiteral("MCC-1"), QStringLiteral("M"), QStringLiteral("30"), QString(),
                          QStringLiteral("DOL"), QStringLiteral("100"), QStringLiteral("100")),
            GeneratorLoad(2, QStringLiteral("MCC-1"), QStringLiteral("M"), QStringLiteral("15"), QString(),
                          QStringLiteral("Y-D"), QStringLiteral("100"), QString()),
            GeneratorLoad(3, QStringLiteral("LP-1"), QStringLiteral("L"), QString(), QStringLiteral("20"),
                          QStringLiteral("-"), QStringLiteral("100"), QStringLiteral("100"))};
}

}  // namespace

Q_DECLARE_METATYPE(std::vector<GeneratorLoadRowT>)

class TestGeneratorReport : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void pages_data();
    void pages();
    void storedFilesUntouched();
    void noGeneratorScreenWritesNothing();

private:
    // A loaded project in a fresh program folder with these rows in "_60" (none: no file),
    // shown on the screen as a project load shows them, and the six factors typed.
    void MakeProject(const std::vector<GeneratorLoadRowT>& rows);
    ReportRunResult RunReport(const QString& report, RecordingHost& host);

    ReportScreenCase<CGeneratorScreen> m_case;
};

void TestGeneratorReport::initTestCase()
{
    QVERIFY2(QFileInfo::exists(ReportTemplatePath()), "the build writes FORM/form.xlsx");
    ClearReportSheetWriters();
    SetReportSheetWriter(6, std::make_shared<GeneratorReportWriter>());
}

void TestGeneratorReport::init()
{
    m_case.start();
}

void TestGeneratorReport::cleanup()
{
    m_case.finish();
}

void TestGeneratorReport::MakeProject(const std::vector<GeneratorLoadRowT>& rows)
{
    QVERIFY(LoadBlankProject());
    if (!rows.empty())
        QVERIFY(WriteGeneratorWorkbook(theApp.CompanionPath(CSevrinApp::GeneratorWorkbook), rows));
    companion::DropCache();
    m_case.screen->ShowGeneratorInputs();
    TypeGeneratorFactors(*m_case.screen);
}

ReportRunResult TestGeneratorReport::RunReport(const QString& report, RecordingHost& host)
{
    return RunReportFromTemplate(report, OnlyReport(6), host);
}

void TestGeneratorReport::pages_data()
{
    QTest::addColumn<std::vector<GeneratorLoadRowT>>("rows");
    QTest::addColumn<int>("loadPages");
    QTest::addColumn<QString>("area");
    QTest::addColumn<QString>("warning");
    QTest::addColumn<std::vector<SheetCell>>("cells");

    using C = std::vector<SheetCell>;
    // By hand, GP = [ΣP + (ΣPm − PL) a + PL a c] k:
    //   outage: ΣP = 20 kVA, ΣPm = 30 + 15 = 45 kW, PL = 30 kW;
    //           GP = [20 + 15 × 1.38 + 30 × 1.38 × 6] × 1.1 = 289.1 × 1.1 = 318.01 kVA;
    //   fire:   ΣP = 20 kVA, ΣPm = PL = 30 kW; GP = [20 + 0 + 30 × 1.45 × 2] × 1.07 = 114.49 kVA;
    //   output 0.8 × 318.01 = 254.4 kW -> the library's next standby rating 300 kW, 375 kVA.
    // The formula caption is the one the screen shows and the sizing computes.
    QTest::newRow("two motors and lighting: the motor totals")
        << MotorLoads() << 1 << "$A$1:$X$42" << ""
        << C{{3, 0, "GP = [ΣP + (ΣPm − PL) × a + PL × a × c] × k   (정전시 및 화재시 부하 각각 계산)"},
             {0, 9, "Rev."},     {1, 1, "시험 플랜트"}, {1, 9, "2026.12.11"}, {21, 8, "20.000"},
             {22, 8, "45.000"},  {23, 8, "30.000"},  {24, 8, "1.38"},  {25, 8, "6"},
             {26, 8, "1.1"},     {27, 5, "318"},     {30, 8, "20.000"}, {31, 8, "30.000"},
             {32, 8, "30.000"},  {33, 8, "1.45"},    {34, 8, "2"},     {35, 8, "1.07"},
             {36, 5, "114"},     {38, 5, "318"},     {39, 5, "114"},   {41, 5, "300"},
             {41, 7, "375"},     {0, 23, "Rev."},    {1, 12, "시험 플랜트"}, {1, 23, "2026.12.11"},
             {6, 10, "1"},       {6, 11, "MCC-1"},   {6, 14, "M"},     {6, 15, "30"},
             {6, 17, "DOL"},     {6, 19, "30.000"},  {7, 23, ""},      {8, 20, "20.000"},
             {9, 10, ""}};
    QTest::newRow("no loads: the result page only")
        << std::vector<GeneratorLoadRowT>{} << 0 << "$A$1:$J$42" << ""
        << C{{0, 9, "Rev."}, {24, 8, "1.38"}, {27, 5, ""}, {41, 5, ""}};
    // 37 loads: the second page holds load 37 alone.
    QTest::newRow("37 loads: two pages")
        << LightingLoads(37) << 2 << "$A$1:$AL$42" << ""
        << C{{41, 10, "36"}, {41, 11, "LP-36"}, {0, 37, "Rev."}, {1, 26, "시험 플랜트"},
             {6, 24, "37"}, {6, 25, "LP-37"}, {6, 30, "1"}, {6, 32, "100"}, {7, 24, ""}};
    // 181 loads: five full pages; the 181st is reported, not printed.
    QTest::newRow("181 loads: five pages and a warning")
        << LightingLoads(181) << 5 << "$A$1:$CB$42" << "발전기용량: 180개를 넘는 부하는 출력하지 않음"
        << C{{6, 66, "145"}, {41, 66, "180"}, {41, 67, "LP-180"}, {41, 79, "1.000"}};
}

void TestGeneratorReport::pages()
{
    QFETCH(std::vector<GeneratorLoadRowT>, rows);
    QFETCH(int, loadPages);
    QFETCH(QString, area);
    QFETCH(QString, warning);
    QFETCH(std::vector<SheetCell>, cells);

    MakeProject(rows);
    const QString report = m_case.folder->outFolder() + QStringLiteral("/generator.xlsx");
    RecordingHost host;
    QCOMPARE(RunReport(report, host), ReportRunResult::Saved);
    QCOMPARE(host.progress, QStringList{"발전기용량-0"});
    QCOMPARE(host.warnings, warning.isEmpty() ? QStringList() : QStringList{warning});

    // Removed pages leave no merge, styled cell, width or break behind the last page kept.
    QCOMPARE(ReadReportSheet(report, kSheet, 10 + 14 * loadPages, cells), CleanSheetLines(area, cells));
    // The run ends with one message: where the report is, and the warnings given.
    QCOMPARE(m_case.prompt->messages, QStringList{ReportRunSummary(report, host.warnings)});
}

void TestGeneratorReport::storedFilesUntouched()
{
    // "계산" keeps its results on the screen only: the run leaves the project file and the
    // generator workbook as they were, and the factors typed are in the project data.
    MakeProject(MotorLoads());
    const QString project = theApp.ProjectPathTable.CurrentProjectPath;
    const QString workbook = theApp.CompanionPath(CSevrinApp::GeneratorWorkbook);
    const QByteArray projectBefore = ReadFile(project);
    const QByteArray workbookBefore = ReadFile(workbook);
    RecordingHost host;
    // From the report worker, as the program runs it: the screen recomputes on its own thread.
    ReportRunResult result = ReportRunResult::Failed;
    QVERIFY(RunOnWorkerThread([&] { result = RunReport(m_case.folder->outFolder() + QStringLiteral("/g.xlsx"), host); }));
    QCOMPARE(result, ReportRunResult::Saved);
    QCOMPARE(ReadFile(project), projectBefore);
    QCOMPARE(ReadFile(workbook), workbookBefore);
    QCOMPARE(theApp.GeneratorSizingBlock.GeneratorConditionIndex[1], 1);
    QCOMPARE(theApp.GeneratorSizingBlock.GeneratorConditionText[3], QStringLiteral("1.07"));
}

void TestGeneratorReport::noGeneratorScreenWritesNothing()
{
    MakeProject(MotorLoads());
    theApp.SetScreen(Screen::Generator, nullptr);
    const QString report = m_case.folder->outFolder() + QStringLiteral("/none.xlsx");
    RecordingHost host;
    QCOMPARE(RunReport(report, host), ReportRunResult::Saved);
    theApp.SetScreen(Screen::Generator, m_case.screen.get());
    QVERIFY(host.progress.isEmpty());
    // The sheet keeps the template's result page and ten load pages, empty.
    const std::vector<SheetCell> empty = {{27, 5, ""}, {6, 11, ""}};
    const QStringList lines = ReadReportSheet(report, kSheet, 150, empty);
    QCOMPARE(lines.value(0), QStringLiteral("area $A$1:$ET$42"));
    QCOMPARE(lines.mid(5), SheetCellLines(empty));
}

QTEST_MAIN(TestGeneratorReport)
#include "tst_generatorreport.moc"
