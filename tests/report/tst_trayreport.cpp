// The cable-tray report sheet: fixture tray workbooks turned into reports through the report
// driver and the real template, read back with openpyxl.
#include "common/recordingprompt.h"
#include "reportfixture.h"

#include "app/core/companionworkbook.h"
#include "cable/gui/trayscreen.h"
#include "report/core/trayreport.h"

#include <QTest>
#include <memory>

namespace {

const QString kSheet = QStringLiteral("케이블 트레이");

// One tray of the fixture: its cable rows' widths and weights and its PE rows' weights. Every
// other cell names its tray, row and column ("<t>c<k>:<col>", "<t>p<k>:<col>").
struct FixtureTray
{
    QStringList cableWidths;
    QStringList cableWeights;
    QStringList peWeights;
};

bool WriteTrayWorkbook(const QString& path, const QList<FixtureTray>& trays, bool oddSheet)
{
    Book book;
    for (int t = 0; t < trays.size(); ++t) {
        Sheet* cables = book.addSheet(QStringLiteral("TR-%1").arg(t + 1));
        Sheet* pes = book.addSheet(QStringLiteral("TR-%1_").arg(t + 1));
        if (!cables || !pes)
            return false;
        cables->writeStr(0, 0, QStringLiteral("전기실%1").arg(t + 1));
        cables->writeStr(1, 0, QStringLiteral("MDB%1").arg(t + 1));
        cables->writeStr(2, 0, QStringLiteral("MCC%1").arg(t + 1));
        for (int c = 1; c <= 12; ++c)
            cables->writeStr(0, c, QStringLiteral("R%1:%2").arg(t + 1).arg(c));
        const FixtureTray& tray = trays[t];
        for (int k = 0; k < tray.cableWidths.size(); ++k) {
            for (int c = 0; c < 13; ++c)
                cables->writeStr(8 + k, c, QStringLiteral("%1c%2:%3").arg(t + 1).arg(k + 1).arg(c));
            cables->writeStr(8 + k, 10, tray.cableWidths[k]);
            cables->writeStr(8 + k, 11, tray.cableWeights[k]);
        }
        for (int k = 0; k < tray.peWeights.size(); ++k) {
            for (int c = 0; c < 13; ++c)
                pes->writeStr(8 + k, c, QStringLiteral("%1p%2:%3").arg(t + 1).arg(k + 1).arg(c));
            pes->writeStr(8 + k, 10, QStringLiteral("99.00m"));  // never summed
            pes->writeStr(8 + k, 11, tray.peWeights[k]);
        }
    }
    if (oddSheet && !book.addSheet(QStringLiteral("stray")))
        return false;
    return book.save(path);
}

FixtureTray Repeated(int cables, int pes)
{
    FixtureTray t;
    for (int k = 0; k < cables; ++k) {
        t.cableWidths << QStringLiteral("10.00m");
        t.cableWeights << QStringLiteral("1.00kg/m");
    }
    for (int k = 0; k < pes; ++k)
        t.peWeights << QStringLiteral("0.10kg/m");
    return t;
}

}  // namespace

Q_DECLARE_METATYPE(QList<FixtureTray>)

class TestTrayReport : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void pages_data();
    void pages();
    void noTrayScreenWritesNothing();

private:
    ReportSheetScreen<CTrayScreen> m_sheet{Screen::Tray};
};

void TestTrayReport::initTestCase()
{
    QVERIFY2(QFileInfo::exists(ReportTemplatePath()), "the build writes FORM/form.xlsx");
    RecordingPrompt::Install();
    m_sheet.start(4, std::make_shared<CableTrayReportWriter>());
}

void TestTrayReport::cleanupTestCase()
{
    m_sheet.finish();
}

void TestTrayReport::pages_data()
{
    QTest::addColumn<int>("mode");  // -1: no tray workbook, 0: as given, 1: with a fifth sheet
    QTest::addColumn<QList<FixtureTray>>("trays");
    QTest::addColumn<int>("pages");
    QTest::addColumn<QStringList>("warnings");
    QTest::addColumn<std::vector<SheetCell>>("cells");

    using C = std::vector<SheetCell>;
    QTest::newRow("no workbook: every page removed")
        << -1 << QList<FixtureTray>{} << 0 << QStringList{} << C{};

    // 3 cables and 2 PE rows: cables in rows 6..8 numbered 1..3, PE rows in 9 and 10 numbered
    // 4 and 5; +2 left to the template. Widths 0.035 + 0.042 + 0.05 = 0.127 -> "0.13" (the PE
    // widths never count); weights 1.5 + 2.25 + 0.12 + 0.5 + 0.25 = 4.62.
    const FixtureTray worked{{"0.035m", "0.042m", "0.05m"},
                             {"1.50kg/m", "2.25kg/m", "0.12kg/m"},
                             {"0.50kg/m", "0.25kg/m"}};
    QTest::newRow("3 cables and 2 PE rows")
        << 0 << QList<FixtureTray>{worked} << 1 << QStringList{}
        << C{{0, 12, "Rev."},      {1, 2, "시험 플랜트"}, {1, 12, "2026.12.11"},
             {3, 2, "전기실1"},    {3, 4, "TR-1"},       {3, 8, "MDB1"},
             {3, 12, "MCC1"},      {6, 0, "1"},          {6, 1, "1c1:1"},
             {6, 3, "1c1:2"},      {6, 13, "1c1:12"},    {8, 0, "3"},
             {8, 12, "0.12kg/m"}, {9, 0, "4"},          {9, 1, "1p1:1"},
             {9, 11, "99.00m"},    {10, 0, "5"},         {10, 13, "1p2:12"},
             {11, 0, ""},          {11, 1, ""},          {45, 11, "0.13"},
             {45, 12, "4.62"},     {46, 3, "R1:1"},      {47, 3, "R1:2"},
             {48, 3, "R1:3"},      {49, 3, "R1:4"},      {46, 8, "R1:5"},
             {49, 8, "R1:8"},      {46, 12, "R1:3"},     {47, 12, "R1:1"},
             {48, 12, "R1:11"},    {49, 12, "R1:12"}};
    // Two widths 0.035 and 0.042: 0.077 printed "%.2f" as 0.08. A workbook with five sheets
    // holds two trays; the fifth is ignored.
    const FixtureTray small{{"0.035m", "0.042m"}, {"", "-"}, {}};
    QTest::newRow("two trays and a stray sheet")
        << 1 << QList<FixtureTray>{small, Repeated(1, 1)} << 2 << QStringList{}
        << C{{45, 11, "0.08"}, {45, 12, "0.00"}, {3, 18, "TR-2"}, {6, 14, "1"},
             {6, 15, "2c1:1"}, {7, 14, "2"}, {7, 15, "2p1:1"}, {45, 25, "10.00"},
             {45, 26, "1.10"}, {0, 26, "Rev."}};
    // Negative, refused and absurd stored figures add nothing, as on the tray screen. By hand:
    // widths 0.05 (the -0.02, "abc" and 1e999 add nothing) -> "0.05"; weights 1.5 + 2.0 of the
    // cables and 0.25 of the PE rows (-0.5 and -0.1 add nothing) = 3.75.
    const FixtureTray negative{{"0.05m", "-0.02m", "abc", "1e999m"},
                               {"1.50kg/m", "-0.50kg/m", "2.00kg/m", "-"},
                               {"-0.10kg/m", "0.25kg/m"}};
    QTest::newRow("negative and refused figures add nothing")
        << 0 << QList<FixtureTray>{negative} << 1 << QStringList{}
        << C{{45, 11, "0.05"}, {45, 12, "3.75"}, {7, 11, "-0.02m"}, {10, 12, "-0.10kg/m"}};
    // 30 cables and 11 PE rows: 39 printed (30 + 9), a warning of the run names the tray, and
    // the sums stay the tray's (all 30 widths, all 41 weights).
    QTest::newRow("41 rows: 39 printed, the rest reported")
        << 0 << QList<FixtureTray>{Repeated(30, 11)} << 1
        << QStringList{"케이블 트레이: TR-1 트레이는 39개를 넘는 행을 출력하지 않음"}
        << C{{35, 1, "1c30:1"}, {36, 0, "31"}, {36, 1, "1p1:1"}, {44, 0, "39"},
             {44, 1, "1p9:1"}, {45, 11, "300.00"}, {45, 12, "31.10"}};
    // 31 trays: the last page lies beyond the template's thirty blocks.
    QList<FixtureTray> many;
    for (int t = 0; t < 31; ++t)
        many << Repeated(1, 0);
    QTest::newRow("31 trays: a page without formatting")
        << 0 << many << 31 << QStringList{"케이블 트레이: 31쪽부터 서식 없이 출력"}
        << C{{3, 424, "TR-31"}, {6, 420, "1"}, {6, 421, "31c1:1"}, {45, 431, "10.00"}};
}

void TestTrayReport::pages()
{
    QFETCH(int, mode);
    QFETCH(QList<FixtureTray>, trays);
    QFETCH(int, pages);
    QFETCH(QStringList, warnings);
    QFETCH(std::vector<SheetCell>, cells);

    ReportProgramFolder folder(ReportTemplatePath());
    theApp.ProjectPathTable.CompanionSuffixTable[CSevrinApp::TrayWorkbook] = QStringLiteral("_50.xlsx");
    if (mode >= 0)
        QVERIFY(WriteTrayWorkbook(theApp.CompanionPath(CSevrinApp::TrayWorkbook), trays, mode == 1));
    companion::DropCache();

    const QString report = folder.outFolder() + QStringLiteral("/trays.xlsx");
    RecordingHost host;
    QCOMPARE(RunReportFromTemplate(report, OnlyReport(4), host), ReportRunResult::Saved);
    QCOMPARE(host.progress, QStringList{"케이블 트레이-0"});
    QCOMPARE(host.warnings, warnings);

    // Removed pages leave nothing behind: no merge, styled cell, width or break beyond the
    // last kept page (beyond the template's thirty the pages were added, nothing removed).
    const QStringList lines = ReadReportSheet(report, kSheet, 14 * pages, cells);
    QCOMPARE(lines.mid(1, 4), NothingBeyondLines());
    // The print area ends with the last kept page (none: no area at all).
    const QString area = lines.value(0);
    if (pages == 0) {
        QCOMPARE(area, QStringLiteral("area "));
    } else {
        QVERIFY2(area.startsWith(QStringLiteral("area $A$1:$")), qPrintable(area));
        const QString lastColumn = area.section(QLatin1Char('$'), 3, 3);
        int col = 0;
        for (QChar ch : lastColumn)
            col = col * 26 + (ch.unicode() - 'A' + 1);
        QCOMPARE(col, std::min(pages, 30) * 14);
    }
    QCOMPARE(lines.mid(5), SheetCellLines(cells));
}

void TestTrayReport::noTrayScreenWritesNothing()
{
    ReportProgramFolder folder(ReportTemplatePath());
    theApp.ProjectPathTable.CompanionSuffixTable[CSevrinApp::TrayWorkbook] = QStringLiteral("_50.xlsx");
    QVERIFY(WriteTrayWorkbook(theApp.CompanionPath(CSevrinApp::TrayWorkbook), {Repeated(2, 1)}, false));
    companion::DropCache();
    const QString report = folder.outFolder() + QStringLiteral("/trays.xlsx");
    theApp.SetScreen(Screen::Tray, nullptr);
    RecordingHost host;
    QCOMPARE(RunReportFromTemplate(report, OnlyReport(4), host), ReportRunResult::Saved);
    theApp.SetScreen(Screen::Tray, m_sheet.screen.get());
    QVERIFY(host.progress.isEmpty());
    const std::vector<SheetCell> empty = {{6, 0, ""}, {6, 1, ""}};
    QCOMPARE(ReadReportSheet(report, kSheet, 420, empty).mid(5), SheetCellLines(empty));
}

QTEST_MAIN(TestTrayReport)
#include "tst_trayreport.moc"
