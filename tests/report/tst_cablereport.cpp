// The cable and breaker report sheet: fixture cable schedules turned into reports through the
// report driver and the real template, read back with openpyxl.
#include "common/recordingprompt.h"
#include "common/testpaths.h"
#include "common/testsupport.h"
#include "reportfixture.h"

#include "app/core/companionworkbook.h"
#include "cable/core/cableapp.h"
#include "cable/core/cablesizing.h"
#include "loads/core/designconditions.h"
#include "cable/gui/cablescreen.h"
#include "report/core/cablereport.h"
#include "report/core/reportdriver.h"

#include <QTest>
#include <map>
#include <memory>

namespace {

const QString kTemplate = ProgramDir() + QStringLiteral("/FORM/form.xlsx");
const QString kReadSheet = TestDataDir() + QStringLiteral("/report/readsheet.py");

// A cable schedule of n cables: cell (r, k) holds "<r + 1>:<k>", so every printed cell names
// its cable and source column; column 111 from `conduits` where given.
bool WriteCableSchedule(const QString& path, int n, const std::map<int, QString>& conduits)
{
    Book book;
    Sheet* sheet = book.addSheet(QStringLiteral("Sheet1"));
    if (!sheet)
        return false;
    for (int r = 0; r < n; ++r) {
        for (int k = 0; k < 112; ++k)
            sheet->writeStr(r, k, QStringLiteral("%1:%2").arg(r + 1).arg(k));
        if (conduits.count(r))
            sheet->writeStr(r, 111, conduits.at(r));
    }
    return book.save(path);
}

struct Cell
{
    int row, col;
    QString text;
};

}  // namespace

Q_DECLARE_METATYPE(std::vector<Cell>)

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
    std::unique_ptr<CCableScreen> m_screen;
};

void TestCableReport::initTestCase()
{
    QVERIFY2(QFileInfo::exists(kTemplate), "the build writes FORM/form.xlsx");
    RecordingPrompt::Install();
    m_screen = std::make_unique<CCableScreen>();
    m_screen->OnInitialUpdate();
    ClearReportSheetWriters();
    SetReportSheetWriter(3, std::make_shared<CableScheduleReportWriter>());
}

void TestCableReport::cleanupTestCase()
{
    ClearReportSheetWriters();
    theApp.SetScreen(Screen::Cable, nullptr);
    m_screen.reset();
}

void TestCableReport::pages_data()
{
    QTest::addColumn<int>("cables");  // -1: no cable workbook
    QTest::addColumn<QVariant>("conduits");
    QTest::addColumn<int>("pages");
    QTest::addColumn<QString>("area");
    QTest::addColumn<QStringList>("warnings");
    QTest::addColumn<std::vector<Cell>>("cells");

    using C = std::vector<Cell>;
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
    QFETCH(std::vector<Cell>, cells);

    ReportProgramFolder folder(kTemplate);
    theApp.ProjectPathTable.CompanionSuffixTable[CSevrinApp::CableWorkbook] = QStringLiteral("_40.xlsx");
    const QString schedule = theApp.CompanionPath(CSevrinApp::CableWorkbook);
    if (cables >= 0) {
        std::map<int, QString> conduitRows;
        const QVariantMap m = conduits.toMap();
        for (auto it = m.begin(); it != m.end(); ++it)
            conduitRows[it.key().toInt()] = it.value().toString();
        QVERIFY(WriteCableSchedule(schedule, cables, conduitRows));
    }
    companion::DropCache();

    const QString report = folder.outFolder() + QStringLiteral("/cables.xlsx");
    QVERIFY(CopyReportTemplate(kTemplate, report));
    RecordingHost host;
    ReportChoiceSet choices{};
    choices[3] = 1;
    QCOMPARE(WriteReportWorkbook(report, choices, host, ReportRunSettings{}), ReportRunResult::Saved);
    QCOMPARE(host.progress, QStringList{"케이블&차단기-0"});
    QCOMPARE(host.warnings, warnings);

    // Removed pages leave nothing behind: no merge, styled cell, width or break beyond the
    // last kept page (beyond the template's ten the pages were added, so nothing was removed).
    const int limit = 46 * pages;
    QStringList args{report, QStringLiteral("케이블&차단기"), QString::number(limit)};
    for (const Cell& c : cells)
        args << QStringLiteral("%1,%2").arg(c.row).arg(c.col);
    const PythonResult py = RunPython(QString::fromUtf8(ReadFile(kReadSheet)), args);
    QVERIFY2(py.exitCode == 0, qPrintable(py.err));
    QStringList expected{QStringLiteral("area ") + area, "merges beyond 0", "cells beyond 0",
                         "widths beyond 0", "breaks beyond 0"};
    for (const Cell& c : cells)
        expected << QStringLiteral("%1,%2=%3").arg(c.row).arg(c.col).arg(c.text);
    QCOMPARE(py.out.trimmed().split(QLatin1Char('\n')), expected);
}

void TestCableReport::rowsAsTheScreenListsThem()
{
    // The cable screen lists rows up to the first without a number (column 0). Cable 2 was
    // just imported (no cable number, no selected size), cable 4 lost its selected size: both
    // are printed and named in the run's warnings, and the cables after them are not cut off.
    // Row 6 has no number and ends the list; row 7 behind it is not printed.
    ReportProgramFolder folder(kTemplate);
    theApp.ProjectPathTable.CompanionSuffixTable[CSevrinApp::CableWorkbook] = QStringLiteral("_40.xlsx");
    {
        Book book;
        Sheet* sheet = book.addSheet(QStringLiteral("Sheet1"));
        QVERIFY(sheet);
        for (int r = 0; r < 7; ++r)
            for (int k = 0; k < 112; ++k)
                sheet->writeStr(r, k, QStringLiteral("%1:%2").arg(r + 1).arg(k));
        sheet->writeStr(1, 1, QString());
        sheet->writeStr(1, 60, QString());
        sheet->writeStr(3, 60, QString());
        sheet->writeStr(5, 0, QString());
        // ISMIN and ISMAX in one format with their unit, whatever the row holds; a text that
        // is not a figure as it stands.
        sheet->writeStr(0, 51, QStringLiteral("10"));
        sheet->writeStr(0, 103, QStringLiteral("8.000"));
        sheet->writeStr(2, 51, QStringLiteral("5.00kA"));
        sheet->writeStr(2, 103, QStringLiteral("-"));
        QVERIFY(book.save(theApp.CompanionPath(CSevrinApp::CableWorkbook)));
    }
    companion::DropCache();

    const QString report = folder.outFolder() + QStringLiteral("/cables.xlsx");
    QVERIFY(CopyReportTemplate(kTemplate, report));
    RecordingHost host;
    ReportChoiceSet choices{};
    choices[3] = 1;
    QCOMPARE(WriteReportWorkbook(report, choices, host, ReportRunSettings{}), ReportRunResult::Saved);
    QCOMPARE(host.warnings,
             QStringList{"케이블&차단기: 계산되지 않은 케이블 2개 (No. 2, 4) - 계산 후 다시 출력하십시오"});

    const PythonResult py = RunPython(QString::fromUtf8(ReadFile(kReadSheet)),
                                      {report, QStringLiteral("케이블&차단기"), QStringLiteral("46"),
                                       "7,0", "7,1", "7,22", "9,0", "9,22", "10,0", "10,1", "11,0",
                                       "6,18", "6,37", "8,18", "8,37"});
    QVERIFY2(py.exitCode == 0, qPrintable(py.err));
    QCOMPARE(py.out.trimmed().split(QLatin1Char('\n')).mid(5),
             QStringList({"7,0=2", "7,1=2:2", "7,22=", "9,0=4", "9,22=", "10,0=5", "10,1=5:2", "11,0=",
                          "6,18=10.00kA", "6,37=8.00kA", "8,18=5.00kA", "8,37=-"}));
}

void TestCableReport::noCableScreenWritesNothing()
{
    // Without the cable screen the sheet stays as the template has it: ten pages, no texts.
    ReportProgramFolder folder(kTemplate);
    theApp.ProjectPathTable.CompanionSuffixTable[CSevrinApp::CableWorkbook] = QStringLiteral("_40.xlsx");
    QVERIFY(WriteCableSchedule(theApp.CompanionPath(CSevrinApp::CableWorkbook), 3, {}));
    companion::DropCache();
    const QString report = folder.outFolder() + QStringLiteral("/cables.xlsx");
    QVERIFY(CopyReportTemplate(kTemplate, report));
    theApp.SetScreen(Screen::Cable, nullptr);
    RecordingHost host;
    ReportChoiceSet choices{};
    choices[3] = 1;
    QCOMPARE(WriteReportWorkbook(report, choices, host, ReportRunSettings{}), ReportRunResult::Saved);
    theApp.SetScreen(Screen::Cable, m_screen.get());
    QVERIFY(host.progress.isEmpty());
    const PythonResult py = RunPython(QString::fromUtf8(ReadFile(kReadSheet)),
                                      {report, QStringLiteral("케이블&차단기"), QStringLiteral("460"),
                                       QStringLiteral("6,0"), QStringLiteral("6,1")});
    QVERIFY2(py.exitCode == 0, qPrintable(py.err));
    const QStringList lines = py.out.trimmed().split(QLatin1Char('\n'));
    QCOMPARE(lines.value(0), QStringLiteral("area $A$1:$QR$54"));
    QCOMPARE(lines.mid(5), QStringList({"6,0=", "6,1="}));
}

// A voltage drop over its limit is marked on the sheet as the panel-board sheet marks a
// branch drop ("Chk" after the size printed under the drop's caption) and named among the
// run's warnings with its figures, as the cable screen warns of it. The rows are computed by
// the sizing engine on the program's library.
void TestCableReport::dropsOverTheirLimitAreMarked()
{
    ReportProgramFolder folder(kTemplate);
    theApp.ProjectPathTable.CompanionSuffixTable[CSevrinApp::CableWorkbook] = QStringLiteral("_40.xlsx");
    const QString lib = ProgramDir() + QStringLiteral("/LIB");
    theApp.ProjectPathTable.LibWorkbookPath = lib + QStringLiteral("/lib_v3p4.xlsx");
    theApp.ProjectPathTable.BreakerWorkbookPath = lib + QStringLiteral("/breaker_v3p4.xlsx");
    theApp.LoadLibraryWorkbook();
    theApp.LoadBreakerWorkbook(true, 0);
    // 30 degC in air, pf 0.9, drops: feeder 3 %, branch 3 %, motor branch 5 %; motor starting
    // 10 % (feeder) and 15 % (motor).
    auto& cab = theApp.CabinetSizingBlock;
    cab.InstallConditionIndex = {2, 2, 0, 5, 0};
    cab.ConductorCriteriaIndex = {0, 0, 0};
    cab.ConductorCriteriaText = {"0.9", "0.95", "3", "3", "5", "100", "1.0"};
    cab.MotorStartCriteriaText = {"10", "15", "1.0"};
    cab.BreakerCriteriaIndex = {0, 0, 0};
    cab.BreakerCriteriaText = {"1.2", "LS Metasol"};
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
    {
        Book book;
        Sheet* sheet = book.addSheet(QStringLiteral("Sheet1"));
        QVERIFY(sheet);
        for (int r = 0; r < int(rows.size()); ++r)
            for (int k = 0; k < kCableColumnCount; ++k)
                sheet->writeStr(r, k, rows[std::size_t(r)][std::size_t(k)]);
        QVERIFY(book.save(theApp.CompanionPath(CSevrinApp::CableWorkbook)));
    }
    companion::DropCache();

    const QString report = folder.outFolder() + QStringLiteral("/drops.xlsx");
    QVERIFY(CopyReportTemplate(kTemplate, report));
    RecordingHost host;
    ReportChoiceSet choices{};
    choices[3] = 1;
    QCOMPARE(WriteReportWorkbook(report, choices, host, ReportRunSettings{}), ReportRunResult::Saved);
    QCOMPARE(host.warnings,
             QStringList({"케이블&차단기: SVD% 계산값이 기준값을 초과하는 케이블 2개 (No. 1: 6.8% > 5.0%, 3: 16.3% > 5.0%), "
                          "SVD% 칸에 Chk 표시",
                          "케이블&차단기: SMSVD% 계산값이 기준값을 초과하는 케이블 1개 (No. 3: 17.1% > 15.0%), "
                          "SMSVD% 칸에 Chk 표시"}));
    // SVD% (+17) and SMSVD% (+20) print the sizes the drops were computed at; the selected
    // size (+22) is as computed.
    const PythonResult py =
        RunPython(QString::fromUtf8(ReadFile(kReadSheet)),
                  {report, QStringLiteral("케이블&차단기"), QStringLiteral("46"), "6,17", "6,20", "6,22", "7,17",
                   "7,20", "8,17", "8,20"});
    QVERIFY2(py.exitCode == 0, qPrintable(py.err));
    QCOMPARE(py.out.trimmed().split(QLatin1Char('\n')).mid(5),
             QStringList({"6,17=25㎟ Chk", "6,20=25㎟", "6,22=25.0㎟", "7,17=25㎟", "7,20=25㎟", "8,17=25㎟ Chk",
                          "8,20=25㎟ Chk"}));
}

QTEST_MAIN(TestCableReport)
#include "tst_cablereport.moc"
