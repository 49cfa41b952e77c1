// The report template that the build generates: checked with openpyxl against the cells the
// sheet writers fill, and printed by LibreOffice, one page per page block.
#include "common/recordingprompt.h"
#include "common/testpaths.h"
#include "common/testsupport.h"
#include "reportfixture.h"
#include "writercells.h"

#include "report/core/reportdriver.h"

#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTest>

namespace {

const QString kTemplate = ReportTemplatePath();
const QString kWriterCells = TestDataDir() + QStringLiteral("/report/writercells.txt");

// Converts a workbook to PDF with LibreOffice (a private profile in `work`); the page count,
// or -1 when the conversion failed.
int PdfPages(const QString& workbook, const QString& work, QString& error)
{
    const QString soffice = QStandardPaths::findExecutable(QStringLiteral("soffice"));
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(soffice, {QStringLiteral("-env:UserInstallation=file://") + work + QStringLiteral("/profile"),
                      QStringLiteral("--headless"), QStringLiteral("--convert-to"), QStringLiteral("pdf"),
                      QStringLiteral("--outdir"), work, workbook});
    if (!p.waitForFinished(kPatienceMs)) {
        p.kill();
        p.waitForFinished();
        error = QStringLiteral("soffice did not finish");
        return -1;
    }
    const QString pdf = work + QLatin1Char('/') + QFileInfo(workbook).completeBaseName() + QStringLiteral(".pdf");
    const QByteArray bytes = ReadFile(pdf);
    if (bytes.isEmpty()) {
        error = QString::fromLocal8Bit(p.readAll());
        return -1;
    }
    static const QRegularExpression page(QStringLiteral("/Type\\s*/Page[^s]"));
    return int(QString::fromLatin1(bytes).count(page));
}

}  // namespace

class TestReportTemplate : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void templateOffersEveryWriterCell();
    void everyBlockPrintsOnOnePage();
    void keptBlocksPrintOnePageEach();
};

void TestReportTemplate::initTestCase()
{
    QVERIFY2(QFileInfo::exists(kTemplate), "the build writes FORM/form.xlsx");
    QVERIFY(!LoadWriterCells(kWriterCells).empty());
}

void TestReportTemplate::templateOffersEveryWriterCell()
{
    const PythonResult py = RunPython(QString::fromUtf8(ReadFile(TestDataDir() + QStringLiteral("/report/check_template.py"))),
                                      {kTemplate, kWriterCells});
    QVERIFY2(py.exitCode == 0, qPrintable(py.err));
    QCOMPARE(py.out.trimmed(), QStringLiteral("ok"));
}

void TestReportTemplate::everyBlockPrintsOnOnePage()
{
    if (QStandardPaths::findExecutable(QStringLiteral("soffice")).isEmpty())
        QSKIP("LibreOffice (libreoffice-calc-nogui, scripts/deps.sh) is not installed");
    QTemporaryDir work;
    QString error;
    // Pages: cover 2, motor control centre 1 + 50, panel boards 3 + 50, cables 10, trays 30,
    // transformers 5, generator 1 + 10, fault current 2 + 5 + 1, bus sheets 5 × 34,
    // grounding 7; the spare sheet prints nothing.
    QCOMPARE(PdfPages(kTemplate, work.path(), error), 347);
}

void TestReportTemplate::keptBlocksPrintOnePageEach()
{
    if (QStandardPaths::findExecutable(QStringLiteral("soffice")).isEmpty())
        QSKIP("LibreOffice (libreoffice-calc-nogui, scripts/deps.sh) is not installed");
    RecordingPrompt* prompt = RecordingPrompt::Install();
    ReportProgramFolder folder(kTemplate);
    const auto cells = LoadWriterCells(kWriterCells);
    // Three cable pages (blocks of 46 up to column 459), two transformer pages (blocks of 13
    // up to column 64), the seven grounding pages; the writers remove the pages left empty.
    ClearReportSheetWriters();
    SetReportSheetWriter(3, std::make_shared<CellFillWriter>(cells, 3, [](int pages) {
        return std::make_pair(46 * pages, 460);
    }));
    SetReportSheetWriter(5, std::make_shared<CellFillWriter>(cells, 2, [](int pages) {
        return std::make_pair(13 * pages, 65);
    }));
    SetReportSheetWriter(8, std::make_shared<CellFillWriter>(cells));
    const QString report = folder.outFolder() + QStringLiteral("/kept.xlsx");
    FixedReportHost host;
    host.texts.projectName = QStringLiteral("시험 프로젝트");
    host.texts.date = QStringLiteral("2026.12.11");
    host.texts.issueRows = {{"0", "2026.12.11", "기본설계", "갑", "을", "병"}};
    ReportChoiceSet choices{};
    for (int r : {0, 3, 5, 8})
        choices[size_t(r)] = 1;
    QCOMPARE(RunReportFromTemplate(report, choices, host), ReportRunResult::Saved);
    ClearReportSheetWriters();
    // No message but the run's summary: the report saved where it was asked for.
    QCOMPARE(prompt->messages, QStringList{"계산서를 저장하였습니다.\n" + report});

    // The print areas shrank with the removed columns; the breaks of the kept pages remain (the
    // break at the first removed column stays at the print area's edge, where it prints nothing).
    const PythonResult py = RunPython(QStringLiteral(
        "import sys, openpyxl\n"
        "wb = openpyxl.load_workbook(sys.argv[1])\n"
        "for ws in wb.worksheets:\n"
        "    area = ws.print_area\n"
        "    area = ','.join(area) if isinstance(area, (list, tuple)) else area\n"
        "    print(ws.title, area.split('!')[-1], sorted(b.id for b in ws.col_breaks.brk))\n"), {report});
    QCOMPARE(py.exitCode, 0);
    QCOMPARE(py.out.trimmed().split(QLatin1Char('\n')),
             QStringList({"표지 $A$1:$Z$57 [13]", "케이블&차단기 $A$1:$EH$54 [46, 92, 138]",
                          "변압기용량 $A$1:$Z$50 [13, 26]",
                          "접지 $A$1:$ML$45 [50, 100, 150, 200, 250, 300]"}));

    QTemporaryDir work;
    QString error;
    const int pages = PdfPages(report, work.path(), error);
    QVERIFY2(pages > 0, qPrintable(error));
    QCOMPARE(pages, 2 + 3 + 2 + 7);
}

QTEST_MAIN(TestReportTemplate)
#include "tst_reporttemplate.moc"
