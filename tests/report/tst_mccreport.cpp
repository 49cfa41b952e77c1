// The motor-control-centre report sheet: a fixture project's panels recomputed through the
// motor-control-centre screen and written through the report driver into the real template,
// read back with openpyxl. The 37 kW DOL motor's figures are worked out in
// tests/loads/tst_mccload.cpp (S = 46.26 kVA, IB = 70.29 A, IMS = 456.87 A, II = 639.61 A).
#include "common/recordingprompt.h"
#include "common/testpaths.h"
#include "common/testsupport.h"
#include "reportfixture.h"

#include "app/core/companionworkbook.h"
#include "cable/cablefixture.h"
#include "loads/core/designconditions.h"
#include "loads/core/mccpanel.h"
#include "loads/gui/mccscreen.h"
#include "loads/gui/mccsheetpage.h"
#include "loads/mccfixture.h"
#include "report/core/reportdriver.h"
#include "report/gui/mccreport.h"

#include <QTest>
#include <memory>

namespace {

// Sets the stop flag when the given panel's progress is reported.
class StoppingHost : public RecordingHost
{
public:
    int stopAt = -1;
    void SetOutputProgress(const QString& text, int number) override
    {
        RecordingHost::SetOutputProgress(text, number);
        if (text == QStringLiteral("동력") && number == stopAt)
            theApp.ReportStopFlag = 1;
    }
};

}  // namespace

class TestMccReport : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void cleanupTestCase();
    void sheet();
    void stopKeepsWrittenPanels();
    void noScreenWritesNothing();

private:
    // Two panels: MCC-A (on the standby generator) with 32 loads, MCC-B with one.
    void WriteProject();
    QStringList Read(const QString& report, int lastColumn, const QList<QPair<int, int>>& cells);

    QTemporaryDir m_lib;
    std::unique_ptr<ReportProgramFolder> m_folder;
    ReportSheetScreen<CMccScreen> m_sheet{Screen::Mcc};
};

void TestMccReport::initTestCase()
{
    QVERIFY2(QFileInfo::exists(ReportTemplatePath()), "the build writes FORM/form.xlsx");
    RecordingPrompt::Install();
    QVERIFY(cablefixture::WriteLibrary(m_lib.filePath("lib_v3p4.xlsx")));
    QVERIFY(cablefixture::WriteBreakers(m_lib.filePath("breaker_v3p4.xlsx")));
    cablefixture::UseLibrary(theApp, m_lib.path());
    cablefixture::SetConditions(theApp);
    // The CT ratios first: the motor tables take their CT labels from them.
    mccfixture::FillCtTable(theApp.SwitchgearLibBlock.CtRatioTable);
    ApplyProjectDesignConditions(theApp);
    m_sheet.start(1, std::make_shared<MccReportWriter>());
}

void TestMccReport::init()
{
    RecordingPrompt::Install();
    theApp.ReportStopFlag = 0;
    m_folder = std::make_unique<ReportProgramFolder>(ReportTemplatePath());
    theApp.MotorControlCenterBlock.MccPanelCount = 0;
    WriteProject();
    // As after a project load: the conditions into the design page, the panels and loads in.
    m_sheet.screen->ApplyMccDesignConditions(0, true);
}

void TestMccReport::cleanup()
{
    companion::DropCache();
    m_folder.reset();
}

void TestMccReport::cleanupTestCase()
{
    m_sheet.finish();
}

void TestMccReport::WriteProject()
{
    CSevrinApp& app = theApp;
    QVERIFY(mccfixture::AddPanel(app, {"MCC-A"}));
    auto& rec = app.MotorControlCenterBlock.MccPanelRecord;
    rec[6] = "O";
    QVERIFY(app.UpdateMccPanelSheet(0));
    QVERIFY(mccfixture::AddPanel(app, {"MCC-B", "MCC-A", "3P3W"}));
    std::vector<MccLoadRow> rows;
    rows.push_back(mccfixture::LoadInputs("주펌프", "FP-1", "M", "37", "", "N", "3P", "DOL", "1.00"));
    for (int i = 2; i <= 32; ++i)
        rows.push_back(mccfixture::LoadInputs(QStringLiteral("전등%1").arg(i), QStringLiteral("L-%1").arg(i),
                                              "L1", "", "1", "N", "2P", "-", "1.00"));
    for (MccLoadRow& r : rows)
        CalcMccLoadRow(r, MccLoadConditionsOf(app), AppMotorLookup(app));
    rows[0][MccCol::Remark] = "현장";
    QVERIFY(mccfixture::WriteLoads(app, 0, rows));
    MccLoadRow fan = mccfixture::LoadInputs("팬", "F-1", "L3P", "", "20", "N", "3P", "-", "1.0");
    CalcMccLoadRow(fan, MccLoadConditionsOf(app), AppMotorLookup(app));
    QVERIFY(mccfixture::WriteLoads(app, 1, {fan}));
    QVERIFY(mccfixture::AddCable(app, 0, "MDB", "MCC-A",
                                 {{91, "3"}, {96, "225"}, {97, "150"}, {102, "35"}, {104, "0.6/1kV"},
                                  {105, "FCV"}, {106, "70"}, {108, "4"}, {109, "1"}, {110, "35"},
                                  {111, "ST|54"}}));
    QVERIFY(mccfixture::WriteBusWorkbook(app, 0, {{"MCC-A", "12.5", "8.25"}}));
}

QStringList TestMccReport::Read(const QString& report, int lastColumn,
                                const QList<QPair<int, int>>& cells)
{
    std::vector<SheetCell> asked;
    for (const auto& [r, c] : cells)
        asked.push_back({r, c, QString()});
    return ReadReportSheet(report, QStringLiteral("동력"), lastColumn, asked);
}

void TestMccReport::sheet()
{
    const QString report = m_folder->outFolder() + QStringLiteral("/mcc.xlsx");
    StoppingHost host;
    QCOMPARE(RunReportFromTemplate(report, OnlyReport(1), host), ReportRunResult::Saved);
    // The 31st and 32nd loads of MCC-A do not fit its page, and the user is told so.
    QCOMPARE(host.progress, QStringList({"동력-0", "동력-1"}));
    QCOMPARE(host.warnings, QStringList({"동력: MCC-A의 부하 32개 중 30개만 출력"}));

    const int a = 24, b = 48;
    const QList<QPair<int, int>> cells = {
        // Design page: header, beta, tap twice, lambdas, k, the five tm, cos(phi)S, CT factor.
        {0, 22}, {1, 1}, {1, 22}, {7, 6}, {11, 6}, {12, 6}, {15, 6}, {16, 6}, {18, 5}, {30, 4},
        {30, 8}, {32, 5}, {37, 7},
        // MCC-A: header, panel texts, fault currents, the first load row, the 30th, totals.
        {0, a + 22}, {1, a + 1}, {2, a + 1}, {2, a + 9}, {2, a + 15}, {3, a + 9}, {3, a + 15},
        {3, a + 16}, {3, a + 17}, {2, a + 20}, {3, a + 20}, {6, a + 0}, {6, a + 2}, {6, a + 3},
        {6, a + 6}, {6, a + 7}, {6, a + 8}, {6, a + 12}, {6, a + 13}, {6, a + 14}, {6, a + 16},
        {6, a + 20}, {6, a + 23}, {35, a + 1}, {36, a + 3}, {37, a + 3}, {38, a + 3}, {36, a + 9},
        {36, a + 13}, {37, a + 13}, {38, a + 13}, {38, a + 14}, {36, a + 18}, {36, a + 19},
        {36, a + 20}, {37, a + 17}, {37, a + 21}, {38, a + 17},
        // MCC-B: no motor, no feeder, no bus.
        {2, b + 1}, {3, b + 9}, {3, b + 15}, {3, b + 16}, {6, b + 1}, {36, b + 3}, {36, b + 13},
        {2, b + 20}, {36, b + 18}};
    const QStringList got = Read(report, 72, cells);
    // Figures: MCC-A counts 46.26 kVA (37 kW) + 31 x 1 kVA = 77.26 -> "77", DF 100; L1 =
    // 15.42 + 31 = 46.42 -> "46"; CT 77.26 / (sqrt3 x 0.38) = 117.4 A -> label "100".
    const QStringList values = {
        "Rev.", "시험 플랜트", "2026.12.11", "6.5", "0.65", "0.65", "3.0", "1.0", "1.4", "6", "10",
        "0.3", "1.25",
        "Rev.", "시험 플랜트", "MCC-A", "B2", "TR-1", "비상부하", "3P", "4W", "0.38kV", "12.500",
        "8.250", "주펌프", "M", "37", "3P", "0.38", "0.930", "456.87", "639.61", "6.00", "46.26",
        "75/5", "현장", "L-30", "77", "100", "77", "46", "37.00", "DOL", "301[kVA]", "6s", "3P",
        "225", "150AT", "100/5", "35", "0.6/1kV FCV 70/4-1,E-35(ST|54)",
        "MCC-B", "일반부하", "3P", "3W", "F-1", "20", "-", "-", ""};
    QCOMPARE(got.size(), 5 + cells.size());
    QCOMPARE(got.mid(1, 4), NothingBeyondLines());
    for (int i = 0; i < cells.size(); ++i)
        QCOMPARE(got[5 + i], QStringLiteral("%1,%2=%3").arg(cells[i].first).arg(cells[i].second).arg(values[i]));
}

void TestMccReport::stopKeepsWrittenPanels()
{
    // A stop after the first panel: its page stays, every later page is removed.
    const QString report = m_folder->outFolder() + QStringLiteral("/mcc.xlsx");
    QVERIFY(CopyReportTemplate(ReportTemplatePath(), report));
    Book book;
    QVERIFY(book.load(report));
    Sheet* sheet = book.getSheet(1);
    QVERIFY(sheet);
    StoppingHost host;
    host.stopAt = 1;
    WriteMccReport(*sheet, *m_sheet.screen, -1, QStringLiteral("Rev.3"), host);
    theApp.ReportStopFlag = 0;
    QVERIFY(book.save(report));
    QCOMPARE(host.progress.last(), QStringLiteral("동력-1"));
    const QStringList got = Read(report, 48, {{0, 46}, {2, 25}, {2, 49}});
    QCOMPARE(got.mid(1), NothingBeyondLines() + QStringList({"0,46=Rev.3", "2,25=MCC-A", "2,49="}));
}

void TestMccReport::noScreenWritesNothing()
{
    const QString report = m_folder->outFolder() + QStringLiteral("/mcc.xlsx");
    QVERIFY(CopyReportTemplate(ReportTemplatePath(), report));
    Book book;
    QVERIFY(book.load(report));
    theApp.SetScreen(Screen::Mcc, nullptr);
    ReportSheetJob job;
    job.sheet = book.getSheet(1);
    job.templateSheet = 1;
    StoppingHost host;
    job.host = &host;
    MccReportWriter().WriteSheet(job);
    theApp.SetScreen(Screen::Mcc, m_sheet.screen.get());
    QVERIFY(host.progress.isEmpty());
    QVERIFY(book.save(report));
    // The template's panel blocks are all still there: nothing written, nothing removed.
    const QStringList got = Read(report, 48, {{0, 22}, {2, 25}});
    QVERIFY2(got.value(2) != QStringLiteral("cells beyond 0"), qPrintable(got.join('|')));
    QCOMPARE(got.mid(5), QStringList({"0,22=", "2,25="}));
}

QTEST_MAIN(TestMccReport)
#include "tst_mccreport.moc"
