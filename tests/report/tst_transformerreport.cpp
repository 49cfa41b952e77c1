// The transformer-capacity report sheet: fixture projects whose transformer workbook feeds
// some of TR-1..TR-5, turned into a report through the report driver and the real template
// with the transformer screen recomputing, read back with openpyxl.
#include "reportproject.h"

#include "loads/core/transformersizing.h"
#include "loads/gui/transformerscreen.h"
#include "report/gui/transformerreport.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <memory>

namespace {

const QString kSheet = QStringLiteral("변압기용량");

// Loads per transformer (0: none); 39 loads are numbered rows of 1000 VA at 50 %.
struct Feed
{
    int tr;
    int loads;
};

}  // namespace

Q_DECLARE_METATYPE(std::vector<Feed>)

class TestTransformerReport : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void pages_data();
    void pages();
    void storedFilesAsCalculateLeavesThem();
    void noTransformerScreenWritesNothing();

private:
    // A loaded project in a fresh program folder, with the given loads in "_30".
    void MakeProject(const std::vector<Feed>& feeds);
    ReportRunResult RunReport(const QString& report, RecordingHost& host);

    ReportScreenCase<CTransformerScreen> m_case;
};

void TestTransformerReport::initTestCase()
{
    QVERIFY2(QFileInfo::exists(ReportTemplatePath()), "the build writes FORM/form.xlsx");
    ClearReportSheetWriters();
    SetReportSheetWriter(5, std::make_shared<TransformerReportWriter>());
}

void TestTransformerReport::init()
{
    m_case.start();
}

void TestTransformerReport::cleanup()
{
    m_case.finish();
}

void TestTransformerReport::MakeProject(const std::vector<Feed>& feeds)
{
    QVERIFY(LoadBlankProject());
    QVERIFY(theApp.ReadTransformerSheet(0));  // "_30" with its five sheets
    for (const Feed& f : feeds)
        QVERIFY(WriteTransformerLoads(f.tr, f.loads));
    companion::DropCache();
    m_case.screen->FillTransformerPage(0);  // as the project screen's refill does
}

ReportRunResult TestTransformerReport::RunReport(const QString& report, RecordingHost& host)
{
    return RunReportFromTemplate(report, OnlyReport(5), host);
}

void TestTransformerReport::pages_data()
{
    QTest::addColumn<std::vector<Feed>>("feeds");
    QTest::addColumn<int>("motorTr");  // -1: no transformer sizes for the largest motor
    QTest::addColumn<int>("lockedTr");  // -1: no capacity typed by hand
    QTest::addColumn<int>("pages");
    QTest::addColumn<QString>("area");
    QTest::addColumn<QString>("warning");
    QTest::addColumn<std::vector<SheetCell>>("cells");

    using C = std::vector<SheetCell>;
    using F = std::vector<Feed>;
    QTest::newRow("no loads: every page removed") << F{} << -1 << -1 << 0 << "" << "" << C{};
    // TR-3 and TR-5 fill the first two pages. One load of 1000 VA at 50 %: 500 VA of demand,
    // ratio 500 / 1000 = 0.50, 0.5 kVA -> the smallest standard rating, 100 kVA.
    QTest::newRow("TR-3 and TR-5: two pages")
        << F{{2, 1}, {4, 2}} << -1 << -1 << 2 << "$A$1:$Z$50" << ""
        << C{{0, 12, "Rev."}, {1, 3, "시험 플랜트"}, {1, 12, "2026.12.11"}, {3, 3, "TR-3"},
             {4, 3, "100[kVA]"}, {7, 0, "1"}, {7, 1, "LP-1"}, {7, 3, "전등"}, {7, 5, "1000"},
             {7, 7, "50"}, {7, 9, "500"}, {8, 0, ""}, {45, 5, "1000"}, {45, 7, "0.50"},
             {45, 9, "500"}, {48, 9, "100"}, {49, 9, "-"}, {0, 25, "Rev."}, {3, 16, "TR-5"},
             {8, 14, "LP-2"}, {45, 18, "2000"}, {45, 22, "1000"}, {48, 22, "100"}};
    // 39 loads: the page shows 38 and says so; the sums count all 39 (39000 VA, 19500 VA).
    QTest::newRow("39 loads: 38 on the page")
        << F{{0, 39}} << -1 << -1 << 1 << "$A$1:$M$50"
        << "변압기용량: TR-1 부하 38개를 넘는 부하는 출력하지 않음"
        << C{{44, 0, "38"}, {44, 1, "LP-38"}, {45, 1, ""}, {45, 5, "39000"}, {45, 9, "19500"}};
    // The capacity typed by hand is what the page shows, beside the unit and alone.
    QTest::newRow("TR-2 locked at 123 kVA")
        << F{{1, 1}} << -1 << 1 << 1 << "$A$1:$M$50" << ""
        << C{{3, 3, "TR-2"}, {4, 3, "123[kVA]"}, {48, 9, "123"}, {49, 9, "-"}};
    // The largest motor's start (the worked example of the transformer sizing: 600 kVA
    // connected, 500 kVA demand, Pm 100 kW, cos 0.85, beta 6, %Z 6, eps 15 %, cos 0.8,
    // eta 0.9, cos ms 0.3, C 1): PTR = 453.41 kVA -> 500 kVA in (49, 9).
    QTest::newRow("TR-1 sized for its largest motor")
        << F{} << 0 << -1 << 1 << "$A$1:$M$50" << ""
        << C{{7, 5, "600000"}, {7, 9, "500000"}, {45, 7, "0.83"}, {48, 9, "500"}, {49, 9, "500"}};
}

void TestTransformerReport::pages()
{
    QFETCH(std::vector<Feed>, feeds);
    QFETCH(int, motorTr);
    QFETCH(int, lockedTr);
    QFETCH(int, pages);
    QFETCH(QString, area);
    QFETCH(QString, warning);
    QFETCH(std::vector<SheetCell>, cells);

    MakeProject(feeds);
    if (motorTr >= 0) {
        using namespace trfield;
        auto& r = theApp.TransformerSizingBlock.TransformerRecord;
        QVERIFY(theApp.ReadTransformerSheet(motorTr));
        r[kMotorOption] = QStringLiteral("Y");
        const std::pair<int, const char*> inputs[] = {{kPm, "100"}, {kCosM, "0.85"}, {kBeta, "6"},
                                                      {kZ, "6"},    {kEpsilon, "15"}, {kCos, "0.8"},
                                                      {kEtaM, "0.9"}, {kCosMs, "0.3"}, {kC, "1"}};
        for (const auto& [field, text] : inputs)
            r[std::size_t(field)] = QString::fromLatin1(text);
        QVERIFY(theApp.WriteTransformerSheet(motorTr));
        theApp.TransformerSizingBlock.TransformerLoadRow = {"1", "MCC-1", "전동기", "600000", "83.3",
                                                            "500000", ""};
        QVERIFY(theApp.WriteTransformerLoadRow(motorTr, 0, false));
        companion::DropCache();
    }
    if (lockedTr >= 0) {
        m_case.screen->CapacityCheck(lockedTr + 1)->click();
        m_case.screen->CapacityEdit(lockedTr + 1)->setText(QStringLiteral("123"));
    }

    const QString report = m_case.folder->outFolder() + QStringLiteral("/transformers.xlsx");
    RecordingHost host;
    QCOMPARE(RunReport(report, host), ReportRunResult::Saved);
    QCOMPARE(host.progress, QStringList{"변압기용량-0"});
    QCOMPARE(host.warnings, warning.isEmpty() ? QStringList() : QStringList{warning});
    // The screen is left on TR-5.
    QCOMPARE(m_case.screen->CurrentIndex(), 4);

    // Removed pages leave no merge, styled cell, width or break behind the last page kept.
    QCOMPARE(ReadReportSheet(report, kSheet, 13 * pages, cells), CleanSheetLines(area, cells));
    // The run ends with one message: where the report is, and the warnings given.
    QCOMPARE(m_case.prompt->messages, QStringList{ReportRunSummary(report, host.warnings)});
}

void TestTransformerReport::storedFilesAsCalculateLeavesThem()
{
    MakeProject({{0, 3}, {3, 1}});
    const QString project = theApp.ProjectPathTable.CurrentProjectPath;
    const QString workbook = theApp.CompanionPath(CSevrinApp::TransformerWorkbook);
    const QByteArray projectBefore = ReadFile(project);
    const QByteArray workbookBefore = ReadFile(workbook);

    // "계산" on every transformer page, by hand.
    for (int t = 0; t < 5; ++t) {
        m_case.screen->SelectTransformerTab(t);
        m_case.screen->Control<QPushButton>(1111)->click();
    }
    const QByteArray projectByHand = ReadFile(project);
    QVERIFY(projectByHand != projectBefore);  // the capacities are stored
    QCOMPARE(ReadFile(workbook), workbookBefore);

    // The report run leaves the same files.
    QVERIFY(WriteFile(project, projectBefore));
    QVERIFY(theApp.LoadProjectFile(project));
    RecordingHost host;
    // From the report worker, as the program runs it: the screen recomputes on its own thread.
    ReportRunResult result = ReportRunResult::Failed;
    QVERIFY(RunOnWorkerThread([&] { result = RunReport(m_case.folder->outFolder() + QStringLiteral("/t.xlsx"), host); }));
    QCOMPARE(result, ReportRunResult::Saved);
    QCOMPARE(ReadFile(project), projectByHand);
    QCOMPARE(ReadFile(workbook), workbookBefore);
}

void TestTransformerReport::noTransformerScreenWritesNothing()
{
    MakeProject({{0, 2}});
    theApp.SetScreen(Screen::Transformer, nullptr);
    const QString report = m_case.folder->outFolder() + QStringLiteral("/none.xlsx");
    RecordingHost host;
    QCOMPARE(RunReport(report, host), ReportRunResult::Saved);
    theApp.SetScreen(Screen::Transformer, m_case.screen.get());
    QVERIFY(host.progress.isEmpty());
    // The sheet keeps the template's five pages, empty.
    const std::vector<SheetCell> empty = {{3, 3, ""}, {7, 1, ""}};
    const QStringList lines = ReadReportSheet(report, kSheet, 65, empty);
    QCOMPARE(lines.value(0), QStringLiteral("area $A$1:$BM$50"));
    QCOMPARE(lines.mid(5), SheetCellLines(empty));
}

QTEST_MAIN(TestTransformerReport)
#include "tst_transformerreport.moc"
