// A whole report of a small project printed by LibreOffice headless: the PDF must hold exactly
// one page per page block the report kept, so removed blocks leave no blank or stray pages and
// kept blocks are not split. The fixture: the cover, a 49-cable schedule (48 rows a page: 2
// pages) and the worked grounding grid (7 blocks).
#include "common/recordingprompt.h"
#include "common/testsupport.h"
#include "grounding/groundingfixture.h"
#include "reportfixture.h"

#include "app/core/companionworkbook.h"
#include "cable/gui/sevrinpro40view.h"
#include "grounding/gui/sevrinpro90view.h"
#include "grounding/gui/sevrinpro91view.h"
#include "grounding/gui/sevrinpro99view.h"
#include "report/core/cablereport.h"
#include "report/core/reportdriver.h"
#include "report/gui/groundingreport.h"

#include <QComboBox>
#include <QLineEdit>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

namespace {

const QString kTemplate = QStringLiteral(SEVRIN_PROGRAM_DIR "/FORM/form.xlsx");

class FixedHost : public ReportHost
{
public:
    QStringList progress;
    void SetOutputProgress(const QString& text, int number) override
    {
        progress << QStringLiteral("%1-%2").arg(text).arg(number);
    }
    bool ReadProjectScreen(ProjectScreenTexts& out) override
    {
        out.projectName = QStringLiteral("시험 플랜트");
        out.date = QStringLiteral("2026.12.11");
        return true;
    }
};

bool WriteCableSchedule(const QString& path, int n)
{
    Book book;
    Sheet* sheet = book.addSheet(QStringLiteral("Sheet1"));
    if (!sheet)
        return false;
    for (int r = 0; r < n; ++r)
        for (int k = 0; k < 112; ++k)
            sheet->writeStr(r, k, QStringLiteral("%1:%2").arg(r + 1).arg(k));
    return book.save(path);
}

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

}  // namespace

class TestFullReport : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void pdfHasOnePagePerKeptBlock();

private:
    std::unique_ptr<CSevrinPro40View> m_cables;
    std::unique_ptr<CSevrinPro90View> m_grounding;
};

void TestFullReport::initTestCase()
{
    QVERIFY2(QFileInfo::exists(kTemplate), "the build writes FORM/form.xlsx");
    QVERIFY2(!QStandardPaths::findExecutable(QStringLiteral("soffice")).isEmpty(),
             "scripts/deps.sh installs libreoffice-calc-nogui");
    QVERIFY2(!QStandardPaths::findExecutable(QStringLiteral("pdfinfo")).isEmpty(),
             "scripts/deps.sh installs poppler-utils");
    RecordingPrompt::Install();
    m_cables = std::make_unique<CSevrinPro40View>();
    m_cables->OnInitialUpdate();
    FillGroundingFixtureLibrary(theApp.GroundingLibBlock);
    theApp.GroundingDesignBlock = CSevrinApp::GroundingDesignBlockT{};
    m_grounding = std::make_unique<CSevrinPro90View>();
    m_grounding->OnInitialUpdate();
    ClearReportSheetWriters();
    SetReportSheetWriter(3, std::make_shared<CableScheduleReportWriter>());
    SetReportSheetWriter(8, std::make_shared<GroundingReportWriter>());
}

void TestFullReport::cleanupTestCase()
{
    ClearReportSheetWriters();
    theApp.ScreenPointers.Pro40View = nullptr;
    theApp.ScreenPointers.Pro90View = nullptr;
    m_cables.reset();
    m_grounding.reset();
}

void TestFullReport::pdfHasOnePagePerKeptBlock()
{
    ReportProgramFolder folder(kTemplate);
    theApp.ProjectPathTable.CompanionSuffixTable[CSevrinApp::CableWorkbook] = QStringLiteral("_40.xlsx");
    QVERIFY(WriteCableSchedule(theApp.CompanionPath(CSevrinApp::CableWorkbook), 49));
    companion::DropCache();

    CSevrinApp::GroundingDesignBlockT b;
    SetWorkedExampleInputs(b);
    CSevrinPro99View* page = m_grounding->DesignPage();
    for (int i = 0; i < 28; ++i)
        page->Box(1461 + i)->setText(b.GroundingConditionInput[i]);
    for (int i = 0; i < 3; ++i)
        page->Combo(1458 + i)->setCurrentIndex(b.GroundingConditionIndex[i]);
    m_grounding->ConductorPage()->FinalSizeCombo()->setCurrentIndex(7);

    const QString report = folder.outFolder() + QStringLiteral("/plant.xlsx");
    QVERIFY(CopyReportTemplate(kTemplate, report));
    FixedHost host;
    ReportChoiceSet choices{};
    choices[0] = 1;  // cover
    choices[3] = 1;  // cables and breakers
    choices[8] = 1;  // grounding
    QCOMPARE(WriteReportWorkbook(report, choices, host, ReportRunSettings{}), ReportRunResult::Saved);

    // What the workbook asks the printer for: the cover and its issue page, 49 cables on two
    // pages of 48 rows, the grounding sheet's seven blocks.
    const PythonResult py = RunPython(QString::fromLatin1(kPagesBySheet), {report});
    QVERIFY2(py.exitCode == 0, qPrintable(py.err));
    QCOMPARE(py.out.trimmed().split(QLatin1Char('\n')),
             QStringList({"표지 2", "케이블&차단기 2", "접지 7"}));

    // What LibreOffice prints of it.
    QTemporaryDir work;
    QVERIFY(work.isValid());
    QProcess soffice;
    soffice.setWorkingDirectory(work.path());
    soffice.start(QStringLiteral("soffice"),
                  {QStringLiteral("-env:UserInstallation=file://") + work.path() + QStringLiteral("/profile"),
                   QStringLiteral("--headless"), QStringLiteral("--convert-to"), QStringLiteral("pdf"),
                   QStringLiteral("--outdir"), work.path(), report});
    QVERIFY(soffice.waitForFinished(240000));
    const QString pdf = work.path() + QStringLiteral("/plant.pdf");
    QVERIFY2(QFileInfo::exists(pdf), soffice.readAllStandardError().constData());

    QProcess info;
    info.start(QStringLiteral("pdfinfo"), {pdf});
    QVERIFY(info.waitForFinished(60000));
    const QRegularExpressionMatch m =
        QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(QString::fromUtf8(info.readAllStandardOutput()));
    QVERIFY(m.hasMatch());
    QCOMPARE(m.captured(1).toInt(), 2 + 2 + 7);

    // SEVRIN_KEEP_REPORT_PDF names a folder to keep the PDF in for a look at the pages.
    const QString keep = qEnvironmentVariable("SEVRIN_KEEP_REPORT_PDF");
    if (!keep.isEmpty()) {
        QFile::remove(keep + QStringLiteral("/plant.pdf"));
        QFile::copy(pdf, keep + QStringLiteral("/plant.pdf"));
    }
}

QTEST_MAIN(TestFullReport)
#include "tst_fullreport.moc"
