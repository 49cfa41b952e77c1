// The cable and breaker report sheet: fixture cable schedules turned into reports through the
// report driver and the real template, read back with openpyxl.
#include "common/recordingprompt.h"
#include "reportproject.h"

#include "cable/core/cableapp.h"
#include "cable/core/cablesizing.h"
#include "loads/core/designconditions.h"
#include "cable/gui/cablescreen.h"
#include "report/core/cablereport.h"

#include <QTest>
#include <memory>

namespace {

const QString kSheet = QStringLiteral("케이블&차단기");

// The cable workbook ("_40") of theApp's project holding these rows.
bool WriteCableSchedule(const std::vector<CableRow>& rows)
{
    theApp.ProjectPathTable.CompanionSuffixTable[CSevrinApp::CableWorkbook] = QStringLiteral("_40.xlsx");
    const bool written = WriteCableRows(theApp.CompanionPath(CSevrinApp::CableWorkbook), rows);
    companion::DropCache();
    return written;
}

}  // namespace

class TestCableReport : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void pages_data();
    void pages();
    void rowsAsTheScreenListsThem();
    void noCableScreenWritesNothing();
    void dropsOverTheirLimitAreMarked();

private:
    ReportSheetScreen<CCableScreen> m_sheet{Screen::Cable};
};

void TestCableReport::initTestCase()
{
    QVERIFY2(QFileInfo::exists(ReportTemplatePath()), "the build writes FORM/form.xlsx");
    RecordingPrompt::Install();
    m_sheet.start(3, std::make_shared<CableScheduleReportWriter>());
}

void TestCableReport::cleanupTestCase()
{
    m_sheet.finish();
}

void TestCableReport::pages_data()
{
    QTest::addColumn<int>("cables");  // -1: no cable workbook
    QTest::addColumn<QVariant>("conduits");
    QTest::addColumn<int>("pages");
    QTest::addColumn<QString>("area");
    QTest::addColumn<QStringList>("warnings");
    QTest::addColumn<std::vector<SheetCell>>("cells");

    using C = std::vector<SheetCell>;
    const QVariantMap none;
    QTest::newRow("no workbook: every page removed")
        << -1 << QVariant(none) << 0 << "" << QStringList() << C{};
    QTest::newRow("empty sheet: one page, header only")
        << 0 << QVariant(none) << 1 << "$A$1:$AT$54" << QStringList()
        << C{{0, 41, "Rev."}, {1, 2, "시험 플랜트"}, {1, 41, "2026.12.11"}, {6, 0, ""}, {6, 1, ""}};
    // The column table: +1 From (2), +9 IB (13), +24 ATB (67), +43 PE (110); the row number
    // is written, never copied from column 0.
    QTest::newRow("one cable: the column table")
        << 1 << QVariant(none) << 1 << "$A$1:$AT$54" << QStringList()
        << C{{6, 0, "1"},      {6, 1, "1:2"},    {6, 2, "1:3"},   {6, 9, "1:13"},
             {6, 24, "1:67"},  {6, 29, "1:80"},  {6, 37, "1:103"}, {6, 43, "1:110"},
             {6, 44, ""},      {6, 45, "1:111"},      {7, 0, ""}};
    // Without a "|" the whole text goes to +45; only the first "|" splits.
    QTest::newRow("ST|28, ST and A|B|C")
        << 3 << QVariant(QVariantMap{{"0", "ST|28"}, {"1", "ST"}, {"2", "A|B|C"}}) << 1
        << "$A$1:$AT$54" << QStringList()
        << C{{6, 44, "ST"}, {6, 45, "28"}, {7, 44, ""}, {7, 45, "ST"}, {8, 44, "A"}, {8, 45, "B|C"}};
    // 48 cables fill page 1 exactly: no second page of a header alone.
    QTest::newRow("48 cables: one full page")
        << 48 << QVariant(none) << 1 << "$A$1:$AT$54" << QStringList()
        << C{{53, 0, "48"}, {53, 1, "48:2"}, {0, 41, "Rev."}};
    QTest::newRow("49 cables: cable 49 in row 6 of page 2")
        << 49 << QVariant(none) << 2 << "$A$1:$CN$54" << QStringList()
        << C{{53, 0, "48"}, {6, 46, "49"}, {6, 47, "49:2"}, {6, 91, "49:111"}, {7, 46, ""}};
    // 481 cables: page 11 lies beyond the template's ten blocks; nothing is removed.
    QTest::newRow("481 cables: an eleventh page without formatting")
        << 481 << QVariant(none) << 11 << "$A$1:$QR$54" << QStringList{"케이블&차단기: 11쪽부터 서식 없이 출력"}
        << C{{53, 414, "480"}, {6, 460, "481"}, {6, 461, "481:2"}, {0, 501, "Rev."}};
    // The list ends after 1000 rows; cable 1001 is reported, not silently lost.
    QTest::newRow("1001 cables: the last row is reported")
        << 1001 << QVariant(none) << 21 << "$A$1:$QR$54"
        << QStringList{"케이블&차단기: 11쪽부터 서식 없이 출력", "케이블&차단기: 1000개를 넘는 케이블은 출력하지 않음"}
        << C{{45, 920, "1000"}, {46, 920, ""}};
}

void TestCableReport::pages()
{
    QFETCH(int, cables);
    QFETCH(QVariant, conduits);
    QFETCH(int, pages);
    QFETCH(QString, area);
    QFETCH(QStringList, warnings);
    QFETCH(std::vector<SheetCell>, cells);

    ReportProgramFolder folder(ReportTemplatePath());
    theApp.ProjectPathTable.CompanionSuffixTable[CSevrinApp::CableWorkbook] = QStringLiteral("_40.xlsx");
    companion::DropCache();
    if (cables >= 0) {
        // Column 111 (conduit) from `conduits` where given.
        std::vector<CableRow> rows = NamedCableRows(cables);
        const QVariantMap m = conduits.toMap();
        for (auto it = m.begin(); it != m.end(); ++it)
            rows[std::size_t(it.key().toInt())][111] = it.value().toString();
        QVERIFY(WriteCableSchedule(rows));
    }

    const QString report = folder.outFolder() + QStringLiteral("/cables.xlsx");
    RecordingHost host;
    QCOMPARE(RunReportFromTemplate(report, OnlyReport(3), host), ReportRunResult::Saved);
    QCOMPARE(host.progress, QStringList{"케이블&차단기-0"});
    QCOMPARE(host.warnings, warnings);

    // Removed pages leave nothing behind: no merge, styled cell, width or break beyond the
    // last kept page (beyond the template's ten the pages were added, so nothing was removed).
    QCOMPARE(ReadReportSheet(report, kSheet, 46 * pages, cells), CleanSheetLines(area, cells));
}

void TestCableReport::rowsAsTheScreenListsThem()
{
    // The cable screen lists rows up to the first without a number (column 0). Cable 2 was
    // just imported (no cable number, no selected size), cable 4 lost its selected size: both
    // are printed and named in the run's warnings, and the cables after them are not cut off.
    // Row 6 has no number and ends the list; row 7 behind it is not printed.
    ReportProgramFolder folder(ReportTemplatePath());
    std::vector<CableRow> rows = NamedCableRows(7);
    rows[1][1] = rows[1][60] = rows[3][60] = rows[5][0] = QString();
    // ISMIN and ISMAX in one format with their unit, whatever the row holds; a text that is not
    // a figure as it stands.
    rows[0][51] = QStringLiteral("10");
    rows[0][103] = QStringLiteral("8.000");
    rows[2][51] = QStringLiteral("5.00kA");
    rows[2][103] = QStringLiteral("-");
    QVERIFY(WriteCableSchedule(rows));

    const QString report = folder.outFolder() + QStringLiteral("/cables.xlsx");
    RecordingHost host;
    QCOMPARE(RunReportFromTemplate(report, OnlyReport(3), host), ReportRunResult::Saved);
    QCOMPARE(host.warnings,
             QStringList{"케이블&차단기: 계산되지 않은 케이블 2개 (No. 2, 4) - 계산 후 다시 출력하십시오"});

    const std::vector<SheetCell> cells = {
        {7, 0, "2"},  {7, 1, "2:2"},  {7, 22, ""}, {9, 0, "4"},        {9, 22, ""},       {10, 0, "5"},
        {10, 1, "5:2"}, {11, 0, ""}, {6, 18, "10.00kA"}, {6, 37, "8.00kA"}, {8, 18, "5.00kA"}, {8, 37, "-"}};
    QCOMPARE(ReadReportSheet(report, kSheet, 46, cells).mid(5), SheetCellLines(cells));
}

void TestCableReport::noCableScreenWritesNothing()
{
    // Without the cable screen the sheet stays as the template has it: ten pages, no texts.
    ReportProgramFolder folder(ReportTemplatePath());
    QVERIFY(WriteCableSchedule(NamedCableRows(3)));
    const QString report = folder.outFolder() + QStringLiteral("/cables.xlsx");
    theApp.SetScreen(Screen::Cable, nullptr);
    RecordingHost host;
    QCOMPARE(RunReportFromTemplate(report, OnlyReport(3), host), ReportRunResult::Saved);
    theApp.SetScreen(Screen::Cable, m_sheet.screen.get());
    QVERIFY(host.progress.isEmpty());
    const std::vector<SheetCell> empty = {{6, 0, ""}, {6, 1, ""}};
    const QStringList lines = ReadReportSheet(report, kSheet, 460, empty);
    QCOMPARE(lines.value(0), QStringLiteral("area $A$1:$QR$54"));
    QCOMPARE(lines.mid(5), SheetCellLines(empty));
}

// A voltage drop over its limit is marked on the sheet as the panel-board sheet marks a
// branch drop ("Chk" after the size printed under the drop's caption) and named among the
// run's warnings with its figures, as the cable screen warns of it. The rows are computed by
// the sizing engine on the program's library.
void TestCableReport::dropsOverTheirLimitAreMarked()
{
    ReportProgramFolder folder(ReportTemplatePath());
    UseProgramLibraryAndBreakers();
    // 30 degC in air, pf 0.9, drops: feeder 3 %, branch 3 %, motor branch 5 %; motor starting
    // 10 % (feeder) and 15 % (motor).
    SetCableDesignInputs(theApp);
    ApplyProjectDesignConditions(theApp);
    ApplyPanelBoardDesignConditions(theApp);
    const CableConditions cond = CableConditionsFromApp(theApp);
    AppCableLookup lookup(theApp);

    // A 37 kW DOL motor fed 3P3W at 0.38 kV over 250 m (cable 1) and over 30 m (cable 2).
    const auto motor = [&](int number, const QString& length) {
        CableRow row;
        row[0] = QString::number(number);
        row[31] = row[43] = row[62] = QStringLiteral("|");
        const QList<QPair<int, QString>> inputs = {
            {2, "MCC-1"}, {3, "P-101"}, {4, "M"},   {5, "37"},    {8, "3"},    {9, "3"},
            {10, "0.38"}, {23, "1"},    {30, length}, {33, "A"}, {44, "1"},   {51, "10"},
            {71, "LSM"},  {103, "8"},   {105, "FCV"}};
        for (const auto& [col, text] : inputs)
            row[std::size_t(col)] = text;
        CableFormExtras form;
        form.startingMethod = QStringLiteral("DOL");
        CalcCableAndBreaker(row, false, false, cond, form, lookup);
        return row;
    };
    // Hand figures (IB 68.38 A with eta 0.94 and cos 0.87 of the motor table; 25 mm2 single-core
    // from the 16 mm2 threshold: R 0.9273, X 0.1363 ohm/km from CBLIMP; starting current IMS
    // 273.506 A at cos 0.1), drop = I x sqrt3 x L x (R cos + X sin) / V x 100:
    //   250 m: SVD 68.38 x 1.732 x 0.25 x (0.8068 + 0.0672) / 380 x 100 = 6.81 % > 5 %;
    //          SMSVD 273.506 x 1.732 x 0.25 x (0.0927 + 0.1356) / 380 x 100 = 7.1 % <= 15 %;
    //    30 m: SVD 0.82 %, SMSVD 0.9 %: nothing to mark;
    //   600 m: SVD 16.34 % > 5 % and SMSVD 17.08 % > 15 %: both marked.
    const std::array<CableRow, 3> rows = {motor(1, QStringLiteral("250")), motor(2, QStringLiteral("30")),
                                          motor(3, QStringLiteral("600"))};
    const QStringList figures = {rows[0][49], rows[0][56], rows[1][49], rows[1][56], rows[2][49], rows[2][56]};
    QCOMPARE(figures, QStringList({"6.8%", "7.1%", "0.8%", "0.9%", "16.3%", "17.1%"}));
    QCOMPARE(rows[0][50], QStringLiteral("25㎟"));
    QVERIFY(WriteCableSchedule({rows.begin(), rows.end()}));

    const QString report = folder.outFolder() + QStringLiteral("/drops.xlsx");
    RecordingHost host;
    QCOMPARE(RunReportFromTemplate(report, OnlyReport(3), host), ReportRunResult::Saved);
    QCOMPARE(host.warnings,
             QStringList({"케이블&차단기: SVD% 계산값이 기준값을 초과하는 케이블 2개 (No. 1: 6.8% > 5.0%, 3: 16.3% > 5.0%), "
                          "SVD% 칸에 Chk 표시",
                          "케이블&차단기: SMSVD% 계산값이 기준값을 초과하는 케이블 1개 (No. 3: 17.1% > 15.0%), "
                          "SMSVD% 칸에 Chk 표시"}));
    // SVD% (+17) and SMSVD% (+20) print the sizes the drops were computed at; the selected
    // size (+22) is as computed.
    const std::vector<SheetCell> cells = {{6, 17, "25㎟ Chk"}, {6, 20, "25㎟"}, {6, 22, "25.0㎟"},
                                          {7, 17, "25㎟"},     {7, 20, "25㎟"}, {8, 17, "25㎟ Chk"},
                                          {8, 20, "25㎟ Chk"}};
    QCOMPARE(ReadReportSheet(report, kSheet, 46, cells).mid(5), SheetCellLines(cells));
}

QTEST_MAIN(TestCableReport)
#include "tst_cablereport.moc"
