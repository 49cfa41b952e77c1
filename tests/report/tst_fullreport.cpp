// A whole report of a small project printed by LibreOffice headless: the PDF must hold exactly
// one page per page block the report kept, so removed blocks leave no blank or stray pages and
// kept blocks are not split. Two fixtures: the cover, a 49-cable schedule (48 rows a page: 2
// pages) and the worked grounding grid (7 blocks); then one small project with every sheet of
// the report, written by the program's own sheet writers, its logo inside its cells on every
// page and its cable page printing at 7 pt or more.
#include "common/recordingprompt.h"
#include "app/core/quantity.h"
#include "cable/cablefixture.h"
#include "fault/faultfixture.h"
#include "grounding/groundingfixture.h"
#include "reportproject.h"

#include "app/core/calcutil.h"
#include "app/core/companionworkbook.h"
#include "cable/core/cableapp.h"
#include "cable/gui/cablescreen.h"
#include "cable/gui/trayscreen.h"
#include "fault/core/busfault.h"
#include "fault/core/faultrows.h"
#include "fault/gui/faultscreen.h"
#include "fault/gui/utilitypage.h"
#include "fault/gui/faulttransformerpage.h"
#include "fault/gui/faultmotorpage.h"
#include "fault/gui/faultcablepage.h"
#include "fault/gui/buspage.h"
#include "grounding/gui/groundingscreen.h"
#include "grounding/gui/groundconductorpage.h"
#include "grounding/gui/groundinginputpage.h"
#include "loads/core/branchcircuit.h"
#include "loads/core/designconditions.h"
#include "loads/core/generatorsizing.h"
#include "loads/core/mccpanel.h"
#include "loads/gui/mccscreen.h"
#include "loads/gui/boardscreen.h"
#include "loads/gui/transformerscreen.h"
#include "loads/gui/generatorscreen.h"
#include "loads/gui/generatorresultpage.h"
#include "loads/mccfixture.h"
#include "report/core/cablereport.h"
#include "report/core/reportdriver.h"
#include "report/gui/groundingreport.h"
#include "report/gui/reportwriters.h"

#include <QComboBox>
#include <QImage>
#include <QLineEdit>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <cmath>
#include <memory>

namespace {

const QString kReadPrint = TestDataDir() + QStringLiteral("/report/readprint.py");

// Pages each sheet prints by its print area and manual breaks, "name pages" per sheet in
// workbook order.
const char* const kPagesBySheet = R"(
import sys, openpyxl, re
from openpyxl.utils import column_index_from_string
wb = openpyxl.load_workbook(sys.argv[1])
for ws in wb.worksheets:
    area = ws.print_area
    area = area[0] if isinstance(area, (list, tuple)) else area
    m = re.search(r'\$?([A-Z]+)\$?(\d+):\$?([A-Z]+)\$?(\d+)$', area or '')
    if not m:
        print(ws.title, 'no-area')
        continue
    c1, r1 = column_index_from_string(m.group(1)), int(m.group(2))
    c2, r2 = column_index_from_string(m.group(3)), int(m.group(4))
    cols = sum(1 for b in ws.col_breaks.brk if c1 <= b.id < c2)
    rows = sum(1 for b in ws.row_breaks.brk if r1 <= b.id < r2)
    print(ws.title, (cols + 1) * (rows + 1))
)";

// Pages LibreOffice prints of a workbook (pdfinfo), -1 when the conversion failed. With
// SEVRIN_KEEP_REPORT_PDF naming a folder the PDF is kept there as keepName for a look.
int PrintedPages(const QString& report, const QString& keepName)
{
    QTemporaryDir work;
    if (!work.isValid())
        return -1;
    QProcess soffice;
    soffice.setWorkingDirectory(work.path());
    soffice.start(QStringLiteral("soffice"),
                  {QStringLiteral("-env:UserInstallation=file://") + work.path() + QStringLiteral("/profile"),
                   QStringLiteral("--headless"), QStringLiteral("--convert-to"), QStringLiteral("pdf"),
                   QStringLiteral("--outdir"), work.path(), report});
    if (!soffice.waitForFinished(kPatienceMs))
        return -1;
    const QString pdf = work.path() + QLatin1Char('/') + QFileInfo(report).completeBaseName() + QStringLiteral(".pdf");
    if (!QFileInfo::exists(pdf)) {
        qWarning("%s", soffice.readAllStandardError().constData());
        return -1;
    }
    QProcess info;
    info.start(QStringLiteral("pdfinfo"), {pdf});
    if (!info.waitForFinished(kPatienceMs))
        return -1;
    const QRegularExpressionMatch m =
        QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(QString::fromUtf8(info.readAllStandardOutput()));
    const QString keep = qEnvironmentVariable("SEVRIN_KEEP_REPORT_PDF");
    if (!keep.isEmpty()) {
        QFile::remove(keep + QLatin1Char('/') + keepName);
        QFile::copy(pdf, keep + QLatin1Char('/') + keepName);
    }
    return m.hasMatch() ? m.captured(1).toInt() : -1;
}

}  // namespace

class TestFullReport : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void pdfHasOnePagePerKeptBlock();
    void wholeReport();

private:
    std::unique_ptr<CCableScreen> m_cables;
    std::unique_ptr<CGroundingScreen> m_grounding;
};

void TestFullReport::initTestCase()
{
    QVERIFY2(QFileInfo::exists(ReportTemplatePath()), "the build writes FORM/form.xlsx");
    QVERIFY2(!QStandardPaths::findExecutable(QStringLiteral("soffice")).isEmpty(),
             "scripts/deps.sh installs libreoffice-calc-nogui");
    QVERIFY2(!QStandardPaths::findExecutable(QStringLiteral("pdfinfo")).isEmpty(),
             "scripts/deps.sh installs poppler-utils");
    RecordingPrompt::Install();
    m_cables = std::make_unique<CCableScreen>();
    m_cables->OnInitialUpdate();
    FillGroundingFixtureLibrary(theApp.GroundingLibBlock);
    theApp.GroundingDesignBlock = CSevrinApp::GroundingDesignBlockT{};
    m_grounding = std::make_unique<CGroundingScreen>();
    m_grounding->OnInitialUpdate();
    ClearReportSheetWriters();
    SetReportSheetWriter(3, std::make_shared<CableScheduleReportWriter>());
    SetReportSheetWriter(8, std::make_shared<GroundingReportWriter>());
}

void TestFullReport::cleanupTestCase()
{
    ClearReportSheetWriters();
    theApp.SetScreen(Screen::Cable, nullptr);
    theApp.SetScreen(Screen::Grounding, nullptr);
    m_cables.reset();
    m_grounding.reset();
}

void TestFullReport::pdfHasOnePagePerKeptBlock()
{
    ReportProgramFolder folder(ReportTemplatePath());
    theApp.ProjectPathTable.CompanionSuffixTable[CSevrinApp::CableWorkbook] = QStringLiteral("_40.xlsx");
    QVERIFY(WriteCableRows(theApp.CompanionPath(CSevrinApp::CableWorkbook), NamedCableRows(49)));
    companion::DropCache();
    TypeWorkedGroundingGrid(*m_grounding);

    const QString report = folder.outFolder() + QStringLiteral("/plant.xlsx");
    RecordingHost host;
    ReportChoiceSet choices{};
    choices[0] = 1;  // cover
    choices[3] = 1;  // cables and breakers
    choices[8] = 1;  // grounding
    QCOMPARE(RunReportFromTemplate(report, choices, host), ReportRunResult::Saved);

    // What the workbook asks the printer for: the cover and its issue page, 49 cables on two
    // pages of 48 rows, the grounding sheet's seven blocks.
    const PythonResult py = RunPython(QString::fromLatin1(kPagesBySheet), {report});
    QVERIFY2(py.exitCode == 0, qPrintable(py.err));
    QCOMPARE(py.out.trimmed().split(QLatin1Char('\n')),
             QStringList({"표지 2", "케이블&차단기 2", "접지 7"}));

    // What LibreOffice prints of it (kept as plant.pdf with SEVRIN_KEEP_REPORT_PDF).
    QCOMPARE(PrintedPages(report, QStringLiteral("plant.pdf")), 2 + 2 + 7);
}

void TestFullReport::wholeReport()
{
    ReportProgramFolder folder(ReportTemplatePath());
    CSevrinApp& app = theApp;
    // A loaded project (the transformer and generator screens read it) on the program's library.
    QVERIFY(LoadBlankProject());
    app.ProjectPathTable.CompanionSuffixTable = faultfixture::kSuffixes;
    UseProgramLibraryAndBreakers();
    companion::DropCache();

    // Design conditions: 30 degC in air, pf 0.9, 100 % breaking capacity (the cable tests'
    // conditions), panel-board demand factor 70 %.
    auto& cab = app.CabinetSizingBlock;
    cablefixture::SetConditions(app);
    cab.DemandFactorPct() = "70";
    ApplyProjectDesignConditions(app);
    ApplyPanelBoardDesignConditions(app);

    // Motor-control centres: MCC-1 with a 37 kW DOL motor and a 1 kVA lighting load, MCC-2
    // with a 20 kVA fan.
    auto mcc = std::make_unique<CMccScreen>();
    mcc->OnInitialUpdate();
    app.MotorControlCenterBlock.MccPanelCount = 0;
    QVERIFY(mccfixture::AddPanel(app, {"MCC-1"}));
    QVERIFY(mccfixture::AddPanel(app, {"MCC-2", "MCC-1", "3P3W"}));
    {
        std::vector<MccLoadRow> rows = {
            mccfixture::LoadInputs("주펌프", "P-1", "M", "37", "", "N", "3P", "DOL", "1.00"),
            mccfixture::LoadInputs("전등", "L-1", "L1", "", "1", "N", "2P", "-", "1.00")};
        for (MccLoadRow& r : rows)
            CalcMccLoadRow(r, MccLoadConditionsOf(app), AppMotorLookup(app));
        QVERIFY(mccfixture::WriteLoads(app, 0, rows));
        MccLoadRow fan = mccfixture::LoadInputs("팬", "F-1", "L3P", "", "20", "N", "3P", "-", "1.0");
        CalcMccLoadRow(fan, MccLoadConditionsOf(app), AppMotorLookup(app));
        QVERIFY(mccfixture::WriteLoads(app, 1, {fan}));
    }
    mcc->ApplyMccDesignConditions(0, true);

    // Panel boards: LN-1 with three circuits of 100 VA.
    auto boards = std::make_unique<CBoardScreen>();
    boards->OnInitialUpdate();
    QVERIFY(AddPanelBoard(0, {"LN-1", "B1", "매립형", "TR-1", "0.38", "3P4W", "X"},
                          {LightingCircuit(1, QStringLiteral("L1"), QStringLiteral("MCB")),
                           LightingCircuit(2, QStringLiteral("L2"), QStringLiteral("MCB")),
                           LightingCircuit(3, QStringLiteral("L3"), QStringLiteral("MCB"))}));
    boards->RefreshPanelBoardPages(0);

    // Cable schedule: five rows.
    QVERIFY(WriteCableRows(app.CompanionPath(CSevrinApp::CableWorkbook), NamedCableRows(5)));

    // Cable trays: TR-1 with two cables and a PE conductor.
    {
        Book book;
        Sheet* cables = book.addSheet(QStringLiteral("TR-1"));
        Sheet* pes = book.addSheet(QStringLiteral("TR-1_"));
        QVERIFY(cables && pes);
        cables->writeStr(0, 0, QStringLiteral("전기실"));
        cables->writeStr(1, 0, QStringLiteral("MDB"));
        cables->writeStr(2, 0, QStringLiteral("MCC-1"));
        for (int k = 0; k < 2; ++k) {
            for (int c = 0; c < 13; ++c)
                cables->writeStr(8 + k, c, QStringLiteral("c%1:%2").arg(k + 1).arg(c));
            cables->writeStr(8 + k, 10, QStringLiteral("0.035m"));
            cables->writeStr(8 + k, 11, QStringLiteral("1.50kg/m"));
        }
        for (int c = 0; c < 13; ++c)
            pes->writeStr(8, c, QStringLiteral("p1:%1").arg(c));
        pes->writeStr(8, 11, QStringLiteral("0.25kg/m"));
        QVERIFY(book.save(app.CompanionPath(CSevrinApp::TrayWorkbook)));
    }
    auto trays = std::make_unique<CTrayScreen>();
    trays->OnInitialUpdate();

    // Transformers: TR-1 feeds two loads of 1000 VA at 50 %.
    auto transformers = std::make_unique<CTransformerScreen>();
    transformers->OnInitialUpdate();
    QVERIFY(app.ReadTransformerSheet(0));
    QVERIFY(WriteTransformerLoads(0, 2));
    companion::DropCache();
    transformers->FillTransformerPage(0);

    // Generator: a 30 kW DOL fan and 20 kVA of lighting.
    QVERIFY(WriteGeneratorWorkbook(app.CompanionPath(CSevrinApp::GeneratorWorkbook),
                                   MotorAndLightingGeneratorLoads(QStringLiteral("30"))));
    companion::DropCache();
    auto generator = std::make_unique<CGeneratorScreen>();
    generator->OnInitialUpdate();
    generator->ShowGeneratorInputs();
    TypeGeneratorFactors(*generator);

    // Fault currents: the substation, TR-1 (1000 kVA, 5 %, 0.38 kV), a 50 m feeder cable and
    // the bus MCC-1 on it.
    app.FaultCurrentBlock = CSevrinApp::FaultCurrentBlockT{};
    faultfixture::SetFactors(app);
    app.FaultCurrentBlock.UtilityInput = {"변전소", "00 S/S", "2.0", "20.0", "4.0", "40.0"};
    auto fault = std::make_unique<CFaultScreen>();
    fault->OnInitialUpdate();
    {
        fault::FaultBusPages& pages = fault->BusPages();
        fault::FillFaultList(app, fault::LineSheet);
        QVERIFY(fault::ModifyTransformer(app, pages, 0, "1000", "5", "0.38", "0"));
        QVERIFY(fault->CalcFaultCurrent().ok());
        const double d20 = CellQuantity(app.FaultCurrentBlock.FaultResult[fault::Delta20], QuantitySign::Any, 0.0);
        const double d250 = CellQuantity(app.FaultCurrentBlock.FaultResult[fault::Delta250], QuantitySign::Any, 0.0);
        QVERIFY(fault::AddFaultCableRow(app, fault::CableRowInputs{"S/S", "MCC-1", "50", "FCV", "240", "1", "4", "120", "1"},
                                        d20, d250));
        QVERIFY(fault->CalcFaultCurrent().ok());
        fault::BusView& cell = fault->BusPages().Columns[0].Cells[0];
        QVERIFY(fault::SetBusName(app, cell, QStringLiteral("MCC-1")));
        QVERIFY(fault::AddBusCable(app, cell, BusCableFromFaultList(0)));
        QVERIFY(fault->CalcFaultCurrent().ok());
    }
    // As a project load refills the screen.
    RefillFaultScreen(*fault);

    // Grounding: the worked grid, as in the first case.
    TypeWorkedGroundingGrid(*m_grounding);

    // The client's logo: a wide one, 642 x 126 pixels, as users hand them in.
    QImage logo(642, 126, QImage::Format_RGB32);
    logo.fill(Qt::darkBlue);
    QVERIFY(logo.save(folder.root + QStringLiteral("/CI/logo.png")));
    ReportRunSettings settings;
    settings.rootPath = folder.root;
    settings.ciFolder = QStringLiteral("CI");
    settings.ci = QStringLiteral("logo.png");

    ClearReportSheetWriters();
    RegisterReportSheetWriters();
    const QString report = folder.outFolder() + QStringLiteral("/whole.xlsx");
    RecordingHost host;
    ReportChoiceSet choices{};
    choices.fill(1);
    QCOMPARE(RunReportFromTemplate(report, choices, host, settings), ReportRunResult::Saved);
    // Every writer ran, the bus-sheet writer once per transformer, and none cut a list short.
    QCOMPARE(host.progress, QStringList({"메인표지-0", "동력-0", "동력-1", "부하-0", "케이블&차단기-0",
                                         "케이블 트레이-0", "변압기용량-0", "발전기용량-0", "고장전류-0",
                                         "고장전류-0", "고장전류-1", "고장전류-2", "고장전류-3",
                                         "고장전류-4", "접지-0"}));

    // Pages counted from the fixture:
    //   cover: the cover and its issue page (2);
    //   MCC: the design-conditions page + one page per panel, MCC-1 and MCC-2 (1 + 2 = 3);
    //   panel boards: the three design-conditions pages + one page for LN-1 (3 + 1 = 4);
    //   cables: 5 rows, 48 a page (1);   trays: one page per tray, TR-1 (1);
    //   transformers: one page per transformer with loads, TR-1 only (1);
    //   generator: the result page + one load page for 2 loads, 36 a page (1 + 1 = 2);
    //   fault current: the utility, conversion and cable pages, the five motor pages removed
    //   as no transformer feeds motors (3);
    //   bus pages: TR-1's page 0 (incoming and secondary bus) + page 1 for MCC-1 (2); TR-2 to
    //   TR-5 are not entered and feed no bus, so their sheets are left out;
    //   grounding: the worked grid's seven blocks (7).
    const PythonResult py = RunPython(QString::fromLatin1(kPagesBySheet), {report});
    QVERIFY2(py.exitCode == 0, qPrintable(py.err));
    const QStringList sheets = py.out.trimmed().split(QLatin1Char('\n'));
    QCOMPARE(sheets, QStringList({"표지 2", "동력 3", "부하 4", "케이블&차단기 1", "케이블 트레이 1",
                                  "변압기용량 1", "발전기용량 2", "고장전류 3", "고장전류 TR-1 2",
                                  "접지 7"}));

    // LibreOffice prints exactly those pages: 2 + 3 + 4 + 1 + 1 + 1 + 2 + 3 + 2 + 7 = 26.
    QCOMPARE(PrintedPages(report, QStringLiteral("whole.pdf")), 26);

    // Every logo lies inside its cells in its own proportions (642 x 126): on the
    // cover in the area under "발주처", on every other page in the header band's logo cells,
    // never over the page frame or the next page. One logo per page: the cover once, the
    // other 24 pages (the cover sheet's issue page has none) once each.
    const QString coverArea = QStringLiteral("%1,%2,%3,%4")
                                  .arg(kCoverLogoFirstRow)
                                  .arg(kCoverLogoFirstColumn)
                                  .arg(kCoverLogoLastRow)
                                  .arg(kCoverLogoLastColumn);
    const PythonResult print = RunPython(QString::fromUtf8(ReadFile(kReadPrint)),
                                         {report, coverArea, QStringLiteral("케이블&차단기")});
    QVERIFY2(print.exitCode == 0, qPrintable(print.err));
    const QStringList printLines = print.out.trimmed().split(QLatin1Char('\n'));
    const QStringList logos = printLines.filter(QRegularExpression(QStringLiteral("^logo ")));
    QCOMPARE(logos.size(), 1 + 24);
    for (const QString& line : logos) {
        QVERIFY2(line.contains(QStringLiteral(" inside=1 ")), qPrintable(line));
        // Whole pixels: the height within a pixel of the width in the logo's proportions.
        const QStringList size = line.section(QStringLiteral("size="), 1).section(QLatin1Char(' '), 0, 0).split('x');
        QCOMPARE(size.size(), 2);
        const double w = size[0].toDouble(), h = size[1].toDouble();
        QVERIFY2(w > 0 && std::abs(h - w * 126.0 / 642.0) <= 1.0, qPrintable(line));
    }
    QCOMPARE(logos.filter(QStringLiteral("logo 표지 ")).size(), 1);

    // The cable page prints landscape on A3 (paper 8) at a scale that keeps its 9 pt text at
    // 7 pt or more: 9 x 0.78 = 7.02 pt.
    const QString cablePage = printLines.last();
    QVERIFY2(cablePage.startsWith(QStringLiteral("print 케이블&차단기 paper=8 orientation=landscape ")),
             qPrintable(cablePage));
    QVERIFY2(cablePage.section(QStringLiteral("printed="), 1).toDouble() >= 7.0, qPrintable(cablePage));

    ClearReportSheetWriters();
    SetReportSheetWriter(3, std::make_shared<CableScheduleReportWriter>());
    SetReportSheetWriter(8, std::make_shared<GroundingReportWriter>());
    app.SetScreen(Screen::Mcc, nullptr);
    app.SetScreen(Screen::PanelBoard, nullptr);
    app.SetScreen(Screen::Transformer, nullptr);
    app.SetScreen(Screen::Tray, nullptr);
    app.SetScreen(Screen::Generator, nullptr);
    app.SetScreen(Screen::FaultCurrent, nullptr);
    app.ProjectLoaded = 0;
    companion::DropCache();
}

QTEST_MAIN(TestFullReport)
#include "tst_fullreport.moc"
