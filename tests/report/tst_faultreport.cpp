// The fault-current report sheet: small fault-current projects entered through the engine's
// row operations, shown by the fault-current screen, turned into reports through the report
// driver and the real template, and read back with openpyxl.
#include "common/recordingprompt.h"
#include "fault/faultfixture.h"
#include "reportproject.h"

#include "app/core/companionworkbook.h"
#include "fault/gui/faultscreen.h"
#include "fault/gui/utilitypage.h"
#include "fault/gui/faulttransformerpage.h"
#include "fault/gui/faultmotorpage.h"
#include "fault/gui/faultcablepage.h"
#include "fault/gui/buspage.h"
#include "report/core/faultreport.h"
#include "report/core/reportdriver.h"
#include "report/gui/faultreportwriter.h"

#include <QImage>
#include <QPushButton>
#include <QTest>
#include <memory>

namespace {

const QString kSheet = QStringLiteral("고장전류");

const QString kReadPages = TestDataDir() + QStringLiteral("/report/readpages.py");

enum class Setup { MotorsOnTr1AndTr3, NoMotors, Limits, NoDataWorkbook };

// A motor row with only its identity and its six reciprocals (the cells the totals add).
void StoreMotorReciprocals(int t, int r, const QString& panel, const std::array<QString, 6>& rec)
{
    auto& row = theApp.FaultCurrentBlock.FaultMotorRow;
    row.fill(QString());
    row[0] = QString::number(r + 1);
    row[1] = panel;
    row[2] = QStringLiteral("P-%1").arg(r + 1);
    const int cells[6] = {14, 16, 18, 22, 24, 26};
    for (int i = 0; i < 6; ++i)
        row[std::size_t(cells[i])] = rec[std::size_t(i)];
    QVERIFY(theApp.WriteFaultDataRow(fault::FirstMotorSheet + t, r, false));
}

void StoreCables(int n)
{
    theApp.FaultCurrentBlock.FaultCableCount = 0;
    for (int i = 0; i < n; ++i) {
        const fault::CableRowInputs in{i == 0 ? QStringLiteral("S/S") : QStringLiteral("MCC-%1").arg(i),
                                       QStringLiteral("MCC-%1").arg(i + 1), "50", "FCV", "240",
                                       "1", "4", "120", "1"};
        QVERIFY(fault::AddFaultCableRow(theApp, in, 0.7843, 1.4931));
    }
}

// Builds the project of a setup in the fault-current workbook. Transformers are entered before
// any calculation, so their stored system impedance is 0 until a calculation refers them.
void BuildProject(Setup setup)
{
    auto& b = theApp.FaultCurrentBlock;
    b = CSevrinApp::FaultCurrentBlockT{};
    faultfixture::SetFactors(theApp);
    b.UtilityInput = {"변전소", "00 S/S", "2.0", "20.0", "4.0", "40.0"};
    if (setup == Setup::NoDataWorkbook)
        return;
    CompanionBatch batch;
    fault::FillFaultList(theApp, fault::LineSheet);  // creates the workbook, as a page fill does
    fault::FaultBusPages buses;
    fault::LineRowInputs direct;
    direct.LibraryInput = false;
    direct.Direct = {"0.1", "0.2", "0.3", "0.4"};
    if (setup == Setup::MotorsOnTr1AndTr3) {
        // Line 1 from the library (ACSR-OC|OW over 5 km), line 2 stored with conductor texts
        // that hold a "|", then seven typed lines: nine in all.
        fault::LineRowInputs library;
        library.Spec = QStringLiteral("ACSR-OC|OW");
        library.Distance = QStringLiteral("5");
        QVERIFY(fault::AddUtilityRow(theApp, fault::LineSheet, library));
        QVERIFY(fault::AddUtilityRow(theApp, fault::LineSheet, direct));
        b.LineRow[1] = QStringLiteral("ACSR|58");
        b.LineRow[2] = QStringLiteral("OW|32");
        QVERIFY(theApp.WriteFaultDataRow(fault::LineSheet, 1, false));
        for (int i = 0; i < 7; ++i)
            QVERIFY(fault::AddUtilityRow(theApp, fault::LineSheet, direct));
        fault::LineRowInputs incoming = direct;
        incoming.Direct = {"0.05", "0.1", "0.15", "0.2"};
        QVERIFY(fault::AddUtilityRow(theApp, fault::IncomingCableSheet, incoming));
        QVERIFY(fault::AddUtilityRow(theApp, fault::IncomingCableSheet, incoming));
        QVERIFY(fault::ModifyTransformer(theApp, buses, 0, "1000", "5", "0.38", "0"));
        QVERIFY(fault::ModifyTransformer(theApp, buses, 2, "2000", "6", "0.44", "10"));
        b.FaultMotorCount = 0;
        QVERIFY(fault::AddFaultMotorRow(theApp, 0,
                                        fault::MotorRowInputs{"MCC-1", "M-1", "110", "", "DOL", "6", "4", "2.5"}));
        // A typed motor without a panel name is still a row of the list.
        QVERIFY(fault::AddFaultMotorRow(theApp, 0,
                                        fault::MotorRowInputs{"", "M-2", "110", "", "DOL", "6", "4", "2.5"}));
        StoreMotorReciprocals(2, 0, QStringLiteral("MCC-3"), {"0.5", "0.25", "-", "", "4", "0.125"});
        StoreCables(2);
    } else if (setup == Setup::NoMotors) {
        QVERIFY(fault::AddUtilityRow(theApp, fault::LineSheet, direct));
        StoreCables(1);
    } else if (setup == Setup::Limits) {
        for (int r = 0; r < 51; ++r)
            StoreMotorReciprocals(1, r, QStringLiteral("MCC-2"), {"1", "1", "1", "1", "1", "1"});
        StoreCables(51);
    }
}

}  // namespace

Q_DECLARE_METATYPE(Setup)

class TestFaultReport : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void cleanupTestCase();
    void parallelEquivalent_data();
    void parallelEquivalent();
    void sheet_data();
    void sheet();
    void noFaultScreenWritesNothing();
    void busSheetsGoToTheBusWriter();
    void recomputeLeavesTheWorkbooksAsCalculateDoes();

private:
    // Runs the driver with the fault-current report chosen; false when it did not save.
    bool RunReport(const QString& report, RecordingHost& host, const QString& logo = QString());

    std::unique_ptr<ReportProgramFolder> m_folder;
    std::unique_ptr<CFaultScreen> m_view;
};

void TestFaultReport::initTestCase()
{
    QVERIFY2(QFileInfo::exists(ReportTemplatePath()), "the build writes FORM/form.xlsx");
    RecordingPrompt::Install();
    faultfixture::FillLibrary(theApp);
    ClearReportSheetWriters();
    SetReportSheetWriter(7, std::make_shared<FaultCurrentReportWriter>());
}

void TestFaultReport::init()
{
    companion::DropCache();
    m_folder = std::make_unique<ReportProgramFolder>(ReportTemplatePath());
    theApp.ProjectPathTable.CompanionSuffixTable = faultfixture::kSuffixes;
    m_view = std::make_unique<CFaultScreen>();
    m_view->OnInitialUpdate();
}

void TestFaultReport::cleanup()
{
    m_view.reset();
    theApp.SetScreen(Screen::FaultCurrent, nullptr);
    companion::DropCache();
    m_folder.reset();
}

void TestFaultReport::cleanupTestCase()
{
    ClearReportSheetWriters();
}

bool TestFaultReport::RunReport(const QString& report, RecordingHost& host, const QString& logo)
{
    ReportRunSettings settings;
    settings.rootPath = m_folder->root;
    settings.ciFolder = QStringLiteral("CI");
    settings.ci = logo;
    return RunReportFromTemplate(report, OnlyReport(7), host, settings) == ReportRunResult::Saved;
}

void TestFaultReport::parallelEquivalent_data()
{
    QTest::addColumn<double>("sum");
    QTest::addColumn<QString>("expected");
    // The totals row holds 1 / (sum of the motors' reciprocal cells).
    QTest::newRow("one motor, 1/Zm 0.5") << 0.5 << "2.000000";
    QTest::newRow("no reciprocal") << 0.0 << "0";
    QTest::newRow("two motors of 0.25 ohm") << 8.0 << "0.125000";
}

void TestFaultReport::parallelEquivalent()
{
    QFETCH(double, sum);
    QFETCH(QString, expected);
    QCOMPARE(ParallelEquivalent(sum), expected);
}

void TestFaultReport::sheet_data()
{
    QTest::addColumn<Setup>("setup");
    QTest::addColumn<QStringList>("warnings");
    QTest::addColumn<QString>("area");
    QTest::addColumn<int>("lastColumn");  // 1-based; nothing may lie beyond it
    QTest::addColumn<std::vector<SheetCell>>("cells");
    QTest::addColumn<QString>("mergesInRow2");  // the motor pages' title merges

    const QString p = QStringLiteral("시험 플랜트");
    const QString d = QStringLiteral("2026.12.11");
    // Motors on TR-1 (the second without a panel name: the list, the calculation and the
    // report all end at the first row without a number, not at an empty panel name) and TR-3:
    // the pages of TR-5, TR-4 and TR-2 are removed; TR-3 moves to
    // column 61 and the cables to 81. Nine lines (eight printed), two incoming cables (one).
    // Totals by hand: %R1 = 2.0 + (0.1 x 5 + 8 x 0.1) + 2 x 0.05 = 3.4, %X1 = 20 + (0.3 x 5 +
    // 8 x 0.2) + 2 x 0.1 = 23.3, %R0 = 4 + (0.4 x 5 + 8 x 0.3) + 0.3 = 8.7, %X0 = 40 + (1.2 x 5
    // + 8 x 0.4) + 0.4 = 49.6. RS1 of the substation = 2.0 x 22.9^2 x 10 / 1e5 = 0.1049,
    // total R1 = 3.4 x 0.052441 = 0.1783. TR-1 (1000 kVA, 5 %, 0.38 kV, X/R 6): Zt 0.007220,
    // RT 0.001205, XT 0.007228 (tst_faultcurrent); its system, referred by the report's own
    // calculation: RS = 0.38^2 x 10 x 3.4 / 1e5 = 0.000049, XS = 0.38^2 x 10 x 23.3 / 1e5 =
    // 0.000336. The 110 kW motor: Zm 0.182905, Rm 0.067929, Xm 0.169823, mu 0.794302,
    // q 0.358772, Rm' 0.238371, Xm' 0.595927 (tst_faultcurrent). TR-3's row holds the
    // reciprocals 0.5, 0.25, "-", "", 4 and 0.125: totals 2, 4, 0, 0, 0.25 and 8.
    QTest::newRow("motors on TR-1 and TR-3")
        << Setup::MotorsOnTr1AndTr3
        << QStringList{"고장전류: 8개를 넘는 배전선로는 출력하지 않음",
                       "고장전류: 첫 번째 외의 인입케이블은 출력하지 않음"}
        << "$A$1:$CT$56" << 98
        << std::vector<SheetCell>{
               // Page 1: header, utility, the first line from the library, the "|" split.
               {0, 16, "Rev."}, {1, 2, p}, {1, 16, d}, {6, 2, "00 S/S"}, {6, 5, "2.0"},
               {6, 8, "40.0"}, {6, 11, "2.0"}, {6, 14, "40.0"},
               {11, 2, ""}, {11, 4, "ACSR-OC"}, {12, 2, ""}, {12, 4, "OW"}, {11, 5, "0.1000"},
               {11, 8, "1.2000"}, {11, 9, "5"}, {11, 11, "0.5000"}, {11, 14, "6.0000"},
               {11, 15, "ACSR"}, {11, 17, "가공"}, {12, 15, "OW"}, {12, 17, "가공"},
               {13, 2, "ACSR"}, {13, 4, "58"}, {14, 2, "OW"}, {14, 4, "32"}, {13, 11, "0.1"},
               {25, 11, "0.1"}, {27, 11, ""}, {28, 11, ""},
               {33, 11, "0.05"}, {33, 14, "0.2"}, {34, 11, ""},
               {39, 11, "3.4000"}, {39, 12, "23.3000"}, {39, 13, "8.7000"}, {39, 14, "49.6000"},
               // Page 2.
               {0, 39, "Rev."}, {1, 20, p}, {1, 39, d}, {7, 20, "2.0"}, {8, 20, "1.3000"},
               {9, 22, "0.2000"}, {10, 20, "3.4000"}, {10, 26, "49.6000"}, {15, 21, "0.1049"},
               {22, 21, "0.1783"}, {5, 34, "1000"}, {5, 39, "5"}, {6, 34, "6.00"}, {6, 39, "0.38"},
               {7, 34, "0.007220"}, {8, 34, "0"}, {10, 34, "0.001205"}, {10, 39, "0.007228"},
               {12, 34, "0.000049"}, {12, 39, "0.000336"}, {15, 34, ""}, {25, 34, "2000"},
               {28, 34, "10"},
               // TR-1 at 41.
               {0, 59, "Rev."}, {1, 43, p}, {1, 59, d}, {2, 41, "TR-1 연계부하"}, {5, 41, "1"},
               {5, 42, "MCC-1"}, {5, 43, "M-1"}, {5, 44, "110"}, {5, 45, "131.58"},
               {5, 46, "0.38"}, {5, 47, "0.95"}, {5, 48, "0.88"}, {5, 49, "6"}, {5, 50, "4"},
               {5, 51, "2.5"}, {5, 52, "16.666667"}, {5, 53, "0.182905"}, {5, 54, "0.067929"},
               {5, 55, "0.169823"}, {5, 56, "0.794302"}, {5, 57, "0.358772"}, {5, 59, "0.238371"},
               {5, 60, "0.595927"}, {6, 41, "2"}, {6, 42, ""}, {6, 43, "M-2"}, {7, 41, ""},
               // TR-3 moved to 61, its totals in row 55.
               {0, 79, "Rev."}, {2, 61, "TR-3 연계부하"}, {5, 61, "1"}, {5, 62, "MCC-3"},
               {55, 73, "2.000000"}, {55, 74, "4.000000"}, {55, 75, "0"}, {55, 78, "0"},
               {55, 79, "0.250000"}, {55, 80, "8.000000"},
               // The cables moved to 81.
               {0, 96, "Rev."}, {1, 83, p}, {1, 96, d}, {6, 81, "1"}, {6, 82, "P-S/S/MCC-1"},
               {6, 85, "50"}, {6, 86, "FCV"}, {6, 87, "240"}, {7, 81, "2"}, {7, 82, "P-MCC-1/MCC-2"},
               {8, 81, ""}}
        << "AP3:BI3 BJ3:CC3";
    // No motors at all: the five motor pages go and the cables start at column 41.
    QTest::newRow("no motors")
        << Setup::NoMotors << QStringList() << "$A$1:$BF$56" << 58
        << std::vector<SheetCell>{{11, 11, "0.1"}, {13, 11, ""}, {33, 11, ""}, {0, 56, "Rev."},
                             {1, 43, p}, {6, 41, "1"}, {6, 42, "P-S/S/MCC-1"}, {7, 41, ""}}
        << "";
    // 51 motors on TR-2 (every reciprocal 1) and 51 cables: fifty of each are printed (the
    // 51st motor would overwrite the totals row), the totals add fifty motors (1 / 50 = 0.02),
    // and both cuts are reported.
    QTest::newRow("51 motors and 51 cables")
        << Setup::Limits
        << QStringList{"고장전류: TR-2 전동기 50개를 넘는 행은 출력과 합계에서 제외",
                       "고장전류: 50개를 넘는 케이블은 출력하지 않음"}
        << "$A$1:$BZ$56" << 78
        << std::vector<SheetCell>{{2, 41, "TR-2 연계부하"}, {5, 41, "1"}, {54, 41, "50"},
                             {54, 42, "MCC-2"}, {55, 41, "합계 (병렬 등가)"}, {55, 53, "0.020000"},
                             {55, 60, "0.020000"}, {6, 61, "1"}, {55, 61, "50"}, {56, 61, ""},
                             {56, 62, ""}}
        << "AP3:BI3";
    // No data workbook (the report's calculation creates it empty): pages 1 and 2 and the
    // cable page's header.
    QTest::newRow("no data workbook")
        << Setup::NoDataWorkbook << QStringList() << "$A$1:$BF$56" << 58
        << std::vector<SheetCell>{{6, 2, "00 S/S"}, {6, 5, "2.0"}, {39, 11, "2.0000"}, {7, 20, "2.0"},
                             {5, 34, ""}, {0, 56, "Rev."}, {1, 43, p}, {6, 41, ""}}
        << "";
}

void TestFaultReport::sheet()
{
    QFETCH(Setup, setup);
    QFETCH(QStringList, warnings);
    QFETCH(QString, area);
    QFETCH(int, lastColumn);
    QFETCH(std::vector<SheetCell>, cells);
    QFETCH(QString, mergesInRow2);

    BuildProject(setup);
    RefillFaultScreen(*m_view);
    QImage logo(40, 20, QImage::Format_RGB32);
    logo.fill(Qt::blue);
    QVERIFY(logo.save(m_folder->root + QStringLiteral("/CI/logo.png")));
    RecordingHost host;
    const QString report = m_folder->outFolder() + QStringLiteral("/fault.xlsx");
    QVERIFY(RunReport(report, host, QStringLiteral("logo.png")));
    QCOMPARE(host.progress, QStringList{"고장전류-0"});
    QCOMPARE(host.warnings, warnings);

    // Removed pages leave nothing behind: no merge, styled cell, width or break beyond the
    // cable page, which now ends the sheet.
    QCOMPARE(ReadReportSheet(report, kSheet, lastColumn, cells), CleanSheetLines(area, cells));

    // One logo a kept page, none left on a removed one; the titles of the kept motor pages
    // keep their merges (20 columns each) at their new places.
    QStringList logos{"0", "18"};
    for (int c = 41; c < lastColumn - 17; c += 20)
        logos << QString::number(c);
    logos << QString::number(lastColumn - 17);
    const PythonResult py = RunPython(QString::fromUtf8(ReadFile(kReadPages)), {report, kSheet, "2"});
    QVERIFY2(py.exitCode == 0, qPrintable(py.err));
    const QStringList lines = py.out.trimmed().split(QLatin1Char('\n'));
    QCOMPARE(lines.value(0), QStringLiteral("logos ") + logos.join(QLatin1Char(',')));
    QCOMPARE(lines.value(1), (QStringLiteral("merges ") + mergesInRow2).trimmed());
}

void TestFaultReport::noFaultScreenWritesNothing()
{
    // Without the screen the sheet stays as the template has it: all eight pages, no texts.
    BuildProject(Setup::MotorsOnTr1AndTr3);
    m_view.reset();
    theApp.SetScreen(Screen::FaultCurrent, nullptr);
    RecordingHost host;
    const QString report = m_folder->outFolder() + QStringLiteral("/fault.xlsx");
    QVERIFY(RunReport(report, host));
    QVERIFY(host.progress.isEmpty());
    const std::vector<SheetCell> empty = {{0, 16, ""}, {6, 2, ""}, {2, 41, ""}, {6, 141, ""}};
    const QStringList lines = ReadReportSheet(report, kSheet, 158, empty);
    QCOMPARE(lines.value(0), QStringLiteral("area $A$1:$FB$56"));
    QCOMPARE(lines.mid(5), SheetCellLines(empty));
}

void TestFaultReport::busSheetsGoToTheBusWriter()
{
    // The report's five bus sheets (8..12, transformers 0..4) are the bus-sheet writer's.
    BuildProject(Setup::NoMotors);
    RefillFaultScreen(*m_view);
    WriterLog log;
    auto bus = std::make_shared<FakeWriter>(7, log);
    ClearReportSheetWriters();
    SetReportSheetWriter(7, std::make_shared<FaultCurrentReportWriter>(bus));
    RecordingHost host;
    const QString report = m_folder->outFolder() + QStringLiteral("/fault.xlsx");
    const bool saved = RunReport(report, host);
    SetReportSheetWriter(7, std::make_shared<FaultCurrentReportWriter>());
    QVERIFY(saved);
    QCOMPARE(log.sheets(), QStringList({"8", "9", "10", "11", "12"}));
    QStringList transformers;
    for (const WriterCall& c : log.snapshot())
        transformers << QString::number(c.transformer);
    QCOMPARE(transformers, QStringList({"0", "1", "2", "3", "4"}));
    QCOMPARE(host.progress.value(0), QStringLiteral("고장전류-0"));
}

void TestFaultReport::recomputeLeavesTheWorkbooksAsCalculateDoes()
{
    // The report recomputes as "계산" does: afterwards the data workbook holds the rows "계산"
    // would store, and a "계산" then changes none of them; only "계산" saves the project file.
    BuildProject(Setup::MotorsOnTr1AndTr3);
    RefillFaultScreen(*m_view);
    const QString project = theApp.ProjectPathTable.CurrentProjectPath;
    QVERIFY(!QFileInfo::exists(project));
    const auto transformerRows = [] {
        companion::DropCache();
        QStringList rows;
        for (int k = 0; k < 5; ++k) {
            theApp.ReadFaultDataRow(fault::TransformerSheet, k);
            rows << QStringList(theApp.FaultCurrentBlock.TransformerImpedanceRow.begin(),
                                theApp.FaultCurrentBlock.TransformerImpedanceRow.end())
                        .join(QLatin1Char('|'));
        }
        return rows;
    };
    const QStringList entered = transformerRows();
    QVERIFY(entered[0].endsWith(QStringLiteral("|0.000000|0.000000")));  // RS, XS before any calculation

    // On a worker thread, as the report dialog runs it; the screen recomputes on this thread.
    RecordingHost host;
    const QString report = m_folder->outFolder() + QStringLiteral("/fault.xlsx");
    bool saved = false;
    QVERIFY(RunOnWorkerThread([&] { saved = RunReport(report, host); }));
    QVERIFY(saved);
    QVERIFY2(!QFileInfo::exists(project), "the report does not save the project file");
    const QStringList afterReport = transformerRows();
    QVERIFY(afterReport[0].endsWith(QStringLiteral("|0.000049|0.000336")));
    QCOMPARE(m_view->TransformerPage()->List()->rows()->text(0, 14), QStringLiteral("0.000049"));
    const auto busResults = [this] {
        QStringList r;
        for (const fault::BusColumn& c : m_view->BusPages().Columns)
            r << c.TransformerCell.Results.front();
        return r;
    };
    const QStringList busAfterReport = busResults();

    m_view->Control<QPushButton>(1645)->click();
    QCOMPARE(transformerRows(), afterReport);
    QCOMPARE(busResults(), busAfterReport);
    QVERIFY(QFileInfo::exists(project));
}

QTEST_MAIN(TestFaultReport)
#include "tst_faultreport.moc"
