// The bus sheets of the fault-current report: buses built on the fault-current screen's bus
// page, turned into a report through the report driver and the real template, and read back
// with openpyxl. The figures expected are the ones stored in each bus page's row 0 (what the
// bus search hands to the other screens) and the ones the incoming and transformer views show.
#include "common/recordingprompt.h"
#include "app/core/quantity.h"
#include "common/testpaths.h"
#include "common/testsupport.h"
#include "fault/faultfixture.h"
#include "reportproject.h"

#include "app/core/companionworkbook.h"
#include "fault/gui/faultscreen.h"
#include "fault/gui/buspage.h"
#include "fault/gui/buscolumn.h"
#include "report/core/busfaultreport.h"
#include "report/core/reportdriver.h"
#include "fault/gui/utilitypage.h"
#include "report/gui/busfaultreportwriter.h"
#include "report/gui/reportwriters.h"

#include <QTest>
#include <memory>

namespace {


// The fault-current report's writer stands in here for its own sheet (left as the template
// holds it) and hands the bus sheets to the bus-sheet writer.
class BusSheetsOnly : public ReportSheetWriter
{
public:
    void WriteSheet(const ReportSheetJob& job) override
    {
        if (job.transformer >= 0)
            m_bus.WriteSheet(job);
    }

private:
    BusFaultReportWriter m_bus;
};

// Row 0 of bus page `sheet` of transformer tr: the results stored with the bus.
QStringList StoredResults(int tr, int sheet)
{
    companion::DropCache();
    companion::WorkbookAccess wb(theApp.BusWorkbookPath(tr), companion::WorkbookAccess::Mode::Read);
    QStringList out;
    const Sheet* s = wb.ok() ? wb.sheet(sheet) : nullptr;
    for (int i = 0; i < 15; ++i)
        out << (s ? companion::CellText(*s, 0, i) : QString());
    return out;
}

// The fifteen results of a block at (r, c) as the sheet should hold them.
void AddResults(std::vector<SheetCell>& cells, int r, int c, const QStringList& results)
{
    const int at[15][2] = {{10, 1}, {11, 1}, {12, 1}, {13, 1}, {14, 1}, {10, 4}, {11, 4}, {12, 4},
                           {13, 4}, {10, 7}, {11, 7}, {10, 11}, {11, 11}, {10, 14}, {11, 14}};
    for (int i = 0; i < 15; ++i)
        cells.push_back({r + at[i][0], c + at[i][1], results.value(i)});
}

void AddHeaders(std::vector<SheetCell>& cells, int pages)
{
    for (int p = 0; p < pages; ++p) {
        cells.push_back({0, 16 * p + 14, QStringLiteral("Rev.")});
        cells.push_back({1, 16 * p + 2, QStringLiteral("시험 플랜트")});
        cells.push_back({1, 16 * p + 14, QStringLiteral("2026.12.11")});
    }
}

}  // namespace

class TestBusFaultReport : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void fourBusesOnTwoPages();
    void hundredBusesFillEveryPage();
    void noFaultScreenWritesNothing();
    void throughTheFaultCurrentReport();

private:
    // Runs the fault-current report; the sheet's summary and cells from readsheet.py.
    QStringList RunReport(RecordingHost& host, const QString& sheetName, int limit,
                          const std::vector<SheetCell>& cells);
    // Names bus cell k of TR-1 and gives it the feeder cables `cables` (rows of the cable
    // sheet) in that order.
    void MakeBus(int k, const QString& name, const QList<int>& cables);

    std::unique_ptr<ReportProgramFolder> m_folder;
    std::unique_ptr<CFaultScreen> m_view;
};

void TestBusFaultReport::initTestCase()
{
    QVERIFY2(QFileInfo::exists(ReportTemplatePath()), "the build writes FORM/form.xlsx");
    RecordingPrompt::Install();
}

void TestBusFaultReport::init()
{
    companion::DropCache();
    m_folder = std::make_unique<ReportProgramFolder>(ReportTemplatePath());
    theApp.FaultCurrentBlock = CSevrinApp::FaultCurrentBlockT{};
    theApp.ProjectPathTable.CompanionSuffixTable = faultfixture::kSuffixes;
    theApp.CabinetSizingBlock.ConductorCriteriaIndex[2] = 0;  // 0.01 s
    faultfixture::FillLibrary(theApp);
    faultfixture::SetFactors(theApp);
    theApp.FaultCurrentBlock.UtilityInput = {"변전소", "00 S/S", "2.0", "20.0", "4.0", "40.0"};
    m_view = std::make_unique<CFaultScreen>();
    m_view->OnInitialUpdate();
    ClearReportSheetWriters();
    SetReportSheetWriter(7, std::make_shared<BusSheetsOnly>());

    // Supply, TR-1 (1000 kVA, 5 %, 0.38 kV, NGR 0), "계산", feeder cables of 50 m and 80 m.
    fault::FaultBusPages& pages = m_view->BusPages();
    fault::FillFaultList(theApp, fault::LineSheet);
    QVERIFY(fault::ModifyTransformer(theApp, pages, 0, "1000", "5", "0.38", "0"));
    QVERIFY(m_view->CalcFaultCurrent().ok());
    const double d20 = CellQuantity(theApp.FaultCurrentBlock.FaultResult[fault::Delta20], QuantitySign::Any, 0.0);
    const double d250 = CellQuantity(theApp.FaultCurrentBlock.FaultResult[fault::Delta250], QuantitySign::Any, 0.0);
    for (const char* length : {"50", "80"}) {
        fault::CableRowInputs cable{"S/S", "MCC", QString::fromLatin1(length), "FCV", "240",
                                    "1", "4", "120", "1"};
        QVERIFY(fault::AddFaultCableRow(theApp, cable, d20, d250));
    }
    QVERIFY(m_view->CalcFaultCurrent().ok());
}

void TestBusFaultReport::cleanup()
{
    ClearReportSheetWriters();
    m_view.reset();
    theApp.SetScreen(Screen::FaultCurrent, nullptr);
    companion::DropCache();
    m_folder.reset();
}

void TestBusFaultReport::MakeBus(int k, const QString& name, const QList<int>& cables)
{
    fault::BusView& cell = m_view->BusPages().Columns[0].Cells[std::size_t(k)];
    QVERIFY(fault::SetBusName(theApp, cell, name));
    for (int c : cables)
        QVERIFY(fault::AddBusCable(theApp, cell, BusCableFromFaultList(c)));
}

QStringList TestBusFaultReport::RunReport(RecordingHost& host, const QString& sheetName, int limit,
                                          const std::vector<SheetCell>& cells)
{
    const QString report = m_folder->outFolder() + QStringLiteral("/bus.xlsx");
    QFile::remove(report);
    if (RunReportFromTemplate(report, OnlyReport(7), host) != ReportRunResult::Saved)
        return {QStringLiteral("not saved")};
    return ReadReportSheet(report, sheetName, limit, cells);
}

// Four buses in cells 1, 2, 3 and 5 (cell 4 left empty by an insertion): page 1 holds the
// first three in rows 3, 19 and 35, page 2 the fourth in rows 3 to 18; the columns from 48 on
// are gone with their formats, merges, breaks and print area.
void TestBusFaultReport::fourBusesOnTwoPages()
{
    MakeBus(0, QStringLiteral("MCC-1"), {0});
    // Five cables: seven list rows, one more than a block holds.
    MakeBus(1, QStringLiteral("MCC-2"), {0, 1, 0, 1, 0});
    MakeBus(2, QStringLiteral("MCC-3"), {1});
    MakeBus(4, QStringLiteral("MCC-5"), {0, 1});
    QVERIFY(m_view->CalcFaultCurrent().ok());
    // The user looks at page "2" of the TR-1 column; the report leaves it there.
    CBusColumn* column = m_view->BusPage()->Column(0);
    column->LoadBusLayout(0, 1);

    const fault::FaultBusPages& pages = m_view->BusPages();
    const QString cable50 = BusCableFromFaultList(0)[0];
    const QString cable80 = BusCableFromFaultList(1)[0];
    std::vector<SheetCell> tr1;
    AddHeaders(tr1, 3);
    // Page 0: the incoming bus (one list row) and TR-1's secondary bus (two).
    tr1.insert(tr1.end(), {{3, 1, "INCOMING"}, {3, 5, "22.9"}, {7, 0, "계통 (특고기준)"}, {8, 0, ""},
                           {19, 1, "LV"}, {19, 5, "0.38"}, {19, 10, "TR-1"}, {19, 14, "0"},
                           {23, 0, "TR-1 기준계통"}, {24, 0, "TR-1"}, {25, 0, ""}});
    QStringList incoming(pages.Incoming.Results.begin(), pages.Incoming.Results.end());
    QStringList transformer(pages.Columns[0].TransformerCell.Results.begin(),
                            pages.Columns[0].TransformerCell.Results.end());
    AddResults(tr1, 3, 0, incoming);
    AddResults(tr1, 19, 0, transformer);
    // Page 1: MCC-1, MCC-2 (its first six list rows), MCC-3.
    tr1.insert(tr1.end(), {{3, 17, "MCC-1"}, {3, 21, "0.38"}, {3, 26, "TR-1"}, {3, 30, "0"},
                           {7, 16, "TR-1 기준계통"}, {8, 16, "TR-1"}, {9, 16, cable50}, {9, 19, "50"},
                           {10, 16, ""}, {19, 17, "MCC-2"}, {28, 16, cable80}, {28, 19, "80"},
                           {29, 16, "Ik''[kA]"}, {35, 17, "MCC-3"}, {41, 19, "80"}});
    AddResults(tr1, 3, 16, StoredResults(0, 0));
    AddResults(tr1, 19, 16, StoredResults(0, 1));
    AddResults(tr1, 35, 16, StoredResults(0, 2));
    // Page 2: MCC-5 in the first block; the template's own texts below it.
    tr1.insert(tr1.end(), {{3, 33, "MCC-5"}, {9, 35, "50"}, {10, 35, "80"}, {19, 32, "BUS NAME"},
                           {19, 33, ""}});
    AddResults(tr1, 3, 32, StoredResults(0, 4));

    RecordingHost host;
    QCOMPARE(RunReport(host, QStringLiteral("고장전류 TR-1"), 48, tr1),
             CleanSheetLines(QStringLiteral("$A$1:$AV$51"), tr1));
    QCOMPARE(host.warnings, QStringList{"고장전류: TR-1 MCC-2, 6행을 넘는 케이블은 출력하지 않음"});
    QCOMPARE(host.progress.filter(QStringLiteral("고장전류-")),
             QStringList({"고장전류-0", "고장전류-1", "고장전류-2", "고장전류-3", "고장전류-4"}));
    // The stored maximum and minimum are what the other screens find for MCC-1.
    double minimum = -1, maximum = -1;
    QVERIFY(theApp.FindBusFaultValues(0, QStringLiteral("MCC-1"), minimum, maximum));
    QCOMPARE(fault::FormatBusValue(maximum, 3), StoredResults(0, 0)[1]);
    QCOMPARE(fault::FormatBusValue(minimum, 3), StoredResults(0, 0)[2]);
    QVERIFY(maximum > minimum && minimum > 1.0);
    // The column still shows page "2", and its button says so.
    QCOMPARE(pages.Columns[0].Page, 1);
    QCOMPARE(column->GetBusPage(), 1);

    // TR-2 to TR-5 are not entered and feed no bus: nothing to print, their sheets are left
    // out of the report as unused page blocks are.
    const PythonResult names = RunPython(
        QStringLiteral("import sys, openpyxl\nprint('|'.join(openpyxl.load_workbook(sys.argv[1]).sheetnames))\n"),
        {m_folder->outFolder() + QStringLiteral("/bus.xlsx")});
    QVERIFY2(names.exitCode == 0, qPrintable(names.err));
    QCOMPARE(names.out.trimmed(), QStringLiteral("고장전류|고장전류 TR-1"));

    // An entered transformer without buses: page 0 alone, with the same incoming bus and its
    // own secondary bus.
    QVERIFY(fault::ModifyTransformer(theApp, m_view->BusPages(), 1, "500", "5", "0.38", "0"));
    QVERIFY(m_view->CalcFaultCurrent().ok());
    std::vector<SheetCell> tr2;
    AddHeaders(tr2, 1);
    tr2.insert(tr2.end(), {{19, 5, "0.38"}, {19, 10, "TR-2"}, {23, 0, "TR-2 기준계통"}, {3, 1, "INCOMING"}});
    AddResults(tr2, 3, 0, incoming);
    RecordingHost again;
    QCOMPARE(RunReport(again, QStringLiteral("고장전류 TR-2"), 16, tr2),
             CleanSheetLines(QStringLiteral("$A$1:$P$51"), tr2));
}

// A hundred buses: pages 1 to 34, the last beyond the template's pages (reported), nothing
// removed; bus 26 comes from the column's page "2".
void TestBusFaultReport::hundredBusesFillEveryPage()
{
    auto& row = theApp.FaultCurrentBlock.BusRow;
    {
        CompanionBatch batch;
        for (int s = 0; s < fault::kBusPagesPerWorkbook; ++s) {
            row = {};
            row[0] = QStringLiteral("C%1").arg(s + 1);
            row[16] = QStringLiteral("B%1").arg(s + 1);
            row[18] = QStringLiteral("TR-3");
            QVERIFY(theApp.WriteBusRow(2, s, 0));
            theApp.FaultCurrentBlock.BusPageHeader.fill(QStringLiteral("%1").arg(s + 1));
            QVERIFY(theApp.WriteBusPageHeader(2, s));
        }
    }
    m_view->BusPage()->LoadFaultBusData();
    std::vector<SheetCell> cells;
    AddHeaders(cells, 35);
    cells.insert(cells.end(), {{3, 17, "B1"}, {35, 17, "B3"}, {3, 145, "B25"}, {19, 145, "B26"},
                               {25, 144, "C26"}, {13, 145, "25"}, {29, 145, "26"}, {35, 529, "B99"}, {3, 545, "B100"},
                               {7, 544, "TR-3 기준계통"}, {9, 544, "C100"}, {19, 545, ""}});
    RecordingHost host;
    QCOMPARE(RunReport(host, QStringLiteral("고장전류 TR-3"), 560, cells),
             CleanSheetLines(QStringLiteral("$A$1:$TX$51"), cells));
    QCOMPARE(host.warnings, QStringList{"고장전류: TR-3 35쪽부터 서식 없이 출력"});
}

void TestBusFaultReport::noFaultScreenWritesNothing()
{
    MakeBus(0, QStringLiteral("MCC-1"), {0});
    theApp.SetScreen(Screen::FaultCurrent, nullptr);
    RecordingHost host;
    const QStringList out = RunReport(host, QStringLiteral("고장전류 TR-1"), 560, {{3, 1, ""}, {3, 17, ""}});
    QCOMPARE(out.mid(5), QStringList({"3,1=", "3,17="}));
    QVERIFY(host.progress.filter(QStringLiteral("고장전류")).isEmpty());
}

// The program's own writers: the fault-current sheet's writer recomputes the screen first, so
// the bus sheet shows the figures of the inputs on screen, stored with the bus.
void TestBusFaultReport::throughTheFaultCurrentReport()
{
    ClearReportSheetWriters();
    RegisterReportSheetWriters();
    m_view->ShowFaultCurrentInputs();
    MakeBus(0, QStringLiteral("MCC-1"), {0});
    QVERIFY(m_view->CalcFaultCurrent().ok());
    const QString ibMaxBefore = StoredResults(0, 0)[1];
    // A weaker supply typed on the screen but not computed yet.
    m_view->UtilityPage()->SetText(1642, QStringLiteral("40.0"));

    std::vector<SheetCell> cells{{3, 17, "MCC-1"}};
    AddResults(cells, 3, 16, QStringList());
    RecordingHost host;
    const QStringList out = RunReport(host, QStringLiteral("고장전류 TR-1"), 32, cells);
    cells.resize(1);
    const QStringList stored = StoredResults(0, 0);
    AddResults(cells, 3, 16, stored);
    QCOMPARE(out, CleanSheetLines(QStringLiteral("$A$1:$AF$51"), cells));
    QVERIFY2(stored[1].toDouble() < ibMaxBefore.toDouble(), qPrintable(stored[1] + " " + ibMaxBefore));
}

QTEST_MAIN(TestBusFaultReport)
#include "tst_busfaultreport.moc"
