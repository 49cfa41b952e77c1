// The panel-board report sheet: a fixture project of two boards (one with 72 circuits) on the
// panel-board screen, written through the report driver and the real template and read back
// with openpyxl.
#include "common/recordingprompt.h"
#include "loads/boardfixture.h"
#include "reportproject.h"

#include "cable/core/cableapp.h"
#include "loads/core/branchcircuit.h"
#include "loads/core/designconditions.h"
#include "app/gui/rowlistmodel.h"
#include "loads/gui/boardscreen.h"
#include "loads/gui/boardsheetpage.h"
#include "report/gui/panelboardreport.h"

#include <QTest>
#include <memory>

namespace {

const QString kSheet = QStringLiteral("부하");


}  // namespace

class TestBoardReport : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void sheet();
    void noScreenWritesNothing();
    void designPagesOfAProjectWithoutBoards();
    void runningDropOverTheBranchLimitIsMarked_data();
    void runningDropOverTheBranchLimitIsMarked();

private:
    ReportSheetScreen<CBoardScreen> m_sheet{Screen::PanelBoard};
};

void TestBoardReport::initTestCase()
{
    QVERIFY2(QFileInfo::exists(ReportTemplatePath()), "the build writes FORM/form.xlsx");
    RecordingPrompt::Install();
    UseProgramLibraryAndBreakers();
    m_sheet.start(2, std::make_shared<PanelBoardReportWriter>());
}

void TestBoardReport::cleanupTestCase()
{
    m_sheet.finish();
}

void TestBoardReport::sheet()
{
    ReportProgramFolder folder(ReportTemplatePath());
    const QString project = theApp.ProjectPathTable.CurrentProjectPath;
    boardfixture::UseProject(theApp, project);
    companion::DropCache();
    // 30 degC in air, single-core from 16 mm2, pf 0.9, 100 % of the breaking capacity; board
    // demand factor 70 %.
    auto& b = theApp.CabinetSizingBlock;
    SetCableDesignInputs(theApp);
    b.DemandFactorPct() = "70";
    ApplyPanelBoardDesignConditions(theApp);

    // LN-1: 72 circuits of 100 VA on L1; LN-2 (generator-backed, 1P3W): one of 100 VA on L3.
    std::vector<CircuitCells> ln1;
    for (int j = 0; j < 72; ++j)
        ln1.push_back(LightingCircuit(j + 1, QStringLiteral("L1"), QStringLiteral("CBR|10")));
    QVERIFY(AddPanelBoard(0, {"LN-1", "B1", "매립형", "TR-1", "0.38", "3P4W", "X"}, ln1));
    QVERIFY(AddPanelBoard(1, {"LN-2", "2F", "돌출형", "LN-1", "0.22", "1P3W", "O"},
                          {LightingCircuit(1, QStringLiteral("L3"), QStringLiteral("MCB"))}));
    QVERIFY(boardfixture::WriteCableSchedule(theApp.CompanionPath(CSevrinApp::CableWorkbook),
                                             {{"LN-1", "4P", "100AF", "75AT", "25kA"}}));
    QVERIFY(boardfixture::WriteBusWorkbook(theApp.BusWorkbookPath(0), {{"LN-1", "12.5", "6.25"}}));
    m_sheet.screen->RefreshPanelBoardPages(0);

    const QString report = folder.outFolder() + QStringLiteral("/boards.xlsx");
    RecordingHost host;
    QCOMPARE(RunReportFromTemplate(report, OnlyReport(2), host), ReportRunResult::Saved);
    // The 72nd circuit has no room on the page: a warning of the run, not dropped silently.
    QCOMPARE(host.progress, (QStringList{"부하-0", "부하-1"}));
    QCOMPARE(host.warnings, QStringList{"부하 LN-1: 71개를 넘는 회로는 출력하지 않음"});

    // Hand figures: LN-1 carries 72 x 100 VA on L1: 7200 VA, 32.73 A, 100 %; at 70 % 5.04 kVA,
    // 5.04 / sqrt3 / 0.38 = 7.66 A -> "8". LN-2: 100 VA on L3, 0.07 kVA, 0 A.
    const auto& f = b.CorrectionFactors();
    const std::vector<SheetCell> cells = {
        // Design pages: headers, the air temperature and its factor, the literal, the
        // threshold, tN and the breaker maker.
        {0, 26, "Rev."}, {1, 2, "시험 플랜트"}, {1, 26, "2026.12.11"}, {0, 54, "Rev."},
        {1, 58, "시험 플랜트"}, {38, 7, "30℃"}, {38, 13, f[0]}, {43, 13, "1.0"},
        {53, 16, f[8]}, {19, 34, "16"}, {20, 34, "16"}, {26, 34, "0.9"}, {45, 37, "100"},
        {38, 63, "0.01"}, {15, 62, "LS Metasol"},
        // LN-1's page (c = 84).
        {0, 110, "Rev."}, {1, 86, "시험 플랜트"}, {2, 86, "LN-1"}, {2, 93, "B1"},
        {2, 101, "TR-1"}, {3, 93, "일반부하"}, {3, 101, "3P"}, {3, 103, "4W"},
        {3, 105, "0.38"}, {2, 110, "12.500"}, {3, 110, "6.250"},
        {6, 84, "1"}, {6, 85, "전등-1"}, {6, 87, "100"}, {6, 89, "100.00"},
        {6, 90, "L1"}, {6, 96, "CBR"}, {6, 97, "10"}, {6, 98, "2"}, {6, 100, "16.00"},
        {6, 104, "HFIX"}, {6, 105, "1.50"}, {76, 84, "71"}, {76, 85, "전등-71"},
        {77, 91, "7200.00"}, {77, 92, "0.00"}, {78, 91, "7200.00"}, {79, 91, "32.73"},
        {80, 91, "100.00 %"}, {77, 98, "70%"}, {78, 98, "5.04"}, {78, 105, "8"},
        {79, 101, "MCCB"}, {79, 107, "4P"}, {80, 98, "100"}, {80, 102, "75"}, {80, 105, "25"},
        // LN-2's page (c = 112): a breaker text without a bar goes whole into the second cell.
        {2, 114, "LN-2"}, {3, 121, "비상부하"}, {3, 129, "1P"}, {3, 131, "3W"},
        {3, 133, "0.22"}, {2, 138, "-"}, {6, 124, ""}, {6, 125, "MCB"}, {77, 121, "100.00"},
        {78, 126, "0.07"}, {78, 133, "0"}, {80, 126, ""},
    };
    const QStringList lines = ReadReportSheet(report, kSheet, 84 + 28 * 2, cells);
    // The unused board blocks are gone with their frames.
    QCOMPARE(lines.mid(1, 4), NothingBeyondLines());
    QCOMPARE(lines.mid(5), SheetCellLines(cells));
}

void TestBoardReport::noScreenWritesNothing()
{
    // Without the panel-board screen the writer leaves the sheet as it found it.
    CBoardScreen* screen = TheScreen<CBoardScreen>();
    theApp.SetScreen(Screen::PanelBoard, nullptr);
    Book book;
    Sheet* sheet = book.addSheet(QStringLiteral("부하"));
    sheet->writeStr(2, 200, QStringLiteral("block"));
    RecordingHost host;
    ReportSheetJob job;
    job.sheet = sheet;
    job.templateSheet = 2;
    job.host = &host;
    PanelBoardReportWriter().WriteSheet(job);
    theApp.SetScreen(Screen::PanelBoard, screen);
    QCOMPARE(sheet->readStr(2, 200).value_or(QString()), QStringLiteral("block"));
    QVERIFY(host.progress.isEmpty());
}

// A project without panel boards still has the design conditions its cable sheet is sized
// with: the three design pages print them under their headers (never a blank page), and the
// fifty board pages are removed.
void TestBoardReport::designPagesOfAProjectWithoutBoards()
{
    ReportProgramFolder folder(ReportTemplatePath());
    boardfixture::UseProject(theApp, theApp.ProjectPathTable.CurrentProjectPath);
    companion::DropCache();
    // 30 degC in air, single-core from 16 mm2, pf 0.85, efficiency 0.9, drops 3 / 2 / 5 %,
    // tN 0.01 s, LS Metasol, inrush margin 1.1.
    auto& b = theApp.CabinetSizingBlock;
    SetCableDesignInputs(theApp);
    b.ConductorCriteriaText = {"0.85", "0.9", "3", "2", "5", "100", "1.0"};
    b.BreakerCriteriaText = {"1.1", "LS Metasol"};
    ApplyPanelBoardDesignConditions(theApp);
    m_sheet.screen->RefreshPanelBoardPages(0);
    QCOMPARE(m_sheet.screen->BoardPage()->BoardList()->rows()->rowCount(), 0);

    const QString report = folder.outFolder() + QStringLiteral("/noboards.xlsx");
    RecordingHost host;
    QCOMPARE(RunReportFromTemplate(report, OnlyReport(2), host), ReportRunResult::Saved);
    QCOMPARE(host.progress, QStringList{"부하-0"});
    QCOMPARE(host.warnings, QStringList());

    const auto& f = b.CorrectionFactors();
    const std::vector<SheetCell> cells = {
        // Every page's header: revision, project name and date.
        {0, 26, "Rev."}, {1, 2, "시험 플랜트"}, {1, 26, "2026.12.11"},
        {0, 54, "Rev."}, {1, 30, "시험 플랜트"}, {1, 54, "2026.12.11"},
        {0, 82, "Rev."}, {1, 58, "시험 플랜트"}, {1, 82, "2026.12.11"},
        // Installation: the air temperature and its factor, the one-circuit literal.
        {38, 7, "30℃"}, {38, 13, f[0]}, {43, 13, "1.0"},
        // Conductor size: threshold, pf, efficiency, feeder and branch drops.
        {19, 34, "16"}, {26, 34, "0.85"}, {27, 34, "0.9"}, {34, 34, "3"}, {34, 37, "2"},
        // Breaker rating: maker, inrush margin, tN.
        {15, 62, "LS Metasol"}, {27, 61, "1.1"}, {38, 63, "0.01"},
    };
    QCOMPARE(ReadReportSheet(report, kSheet, 84, cells), CleanSheetLines(QStringLiteral("$A$1:$CF$81"), cells));
}

// A circuit whose running voltage drop (SVD%, as the circuit list shows it) is above the
// branch limit of the design conditions is an item to check: "SVD Chk" in its 비고 cell. The
// sizes stay as computed; a drop or a limit that is no figure, or a limit not set (0), marks
// nothing. 4.61 % against 2 % is the case of a long branch that passed unflagged before.
void TestBoardReport::runningDropOverTheBranchLimitIsMarked_data()
{
    QTest::addColumn<QString>("drop");
    QTest::addColumn<QString>("limit");
    QTest::addColumn<QString>("remark");
    QTest::newRow("4.61 % against 2 %") << "4.61" << "2" << "SVD Chk";
    QTest::newRow("2.01 % against 2 %") << "2.01" << "2" << "SVD Chk";
    QTest::newRow("2.00 % against 2 %") << "2.00" << "2" << "";
    QTest::newRow("1.20 % against 3 %") << "1.20" << "3" << "";
    QTest::newRow("no drop") << "-" << "2" << "";
    QTest::newRow("no limit set") << "4.61" << "0" << "";
    QTest::newRow("limit not a number") << "4.61" << "nan" << "";
}

void TestBoardReport::runningDropOverTheBranchLimitIsMarked()
{
    QFETCH(QString, drop);
    QFETCH(QString, limit);
    QFETCH(QString, remark);
    PanelBoardReportPage page;
    QStringList circuit(kCircuitColumnCount);
    circuit[0] = QStringLiteral("1");
    circuit[28] = drop;
    page.circuits.push_back(circuit);
    page.branchDropLimit = limit;
    Book book;
    Sheet* sheet = book.addSheet(QStringLiteral("부하"));
    WritePanelBoardPage(*sheet, 0, page, -1, QString(), ProjectScreenTexts{});
    const int c = 84;  // the first board's page
    QCOMPARE(sheet->readStr(6, c + 25).value_or(QString()), drop);  // the drop as shown
    QCOMPARE(sheet->readStr(6, c + 27).value_or(QString()), remark);
}

QTEST_MAIN(TestBoardReport)
#include "tst_boardreport.moc"
