// A project's report as the user writes it: the logo picked on the project screen from a
// folder outside the program, no panel board, a cable schedule with a long motor feeder and a
// generator load list; the report dialog writes cover, panel-board, cable and generator
// sheets with the program's own writers. Read back with openpyxl. With SEVRIN_KEEP_REPORT_PDF
// naming a folder the report workbooks are kept there for a look at the printed pages.
#include "common/companionsuffixes.h"
#include "common/recordingprompt.h"
#include "reportproject.h"

#include "app/core/calcutil.h"
#include "app/gui/projectscreen.h"
#include "cable/core/cableapp.h"
#include "cable/core/cablesizing.h"
#include "cable/gui/cablescreen.h"
#include "loads/core/designconditions.h"
#include "loads/gui/boardscreen.h"
#include "loads/gui/generatorscreen.h"
#include "report/gui/outputdlg.h"
#include "report/gui/reportwriters.h"

#include <QImage>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <memory>

namespace {

// The cells asked for ("sheet!row,col") and the logos of every sheet ("logos <sheet> <n>").
const char* const kReadBack = R"(
import sys, openpyxl
wb = openpyxl.load_workbook(sys.argv[1])
for ws in wb.worksheets:
    print('logos', ws.title, len(ws._images))
for cell in sys.argv[2:]:
    sheet, rc = cell.split('!')
    r, c = (int(x) for x in rc.split(','))
    v = wb[sheet].cell(row=r + 1, column=c + 1).value
    print('%s=%s' % (cell, '' if v is None else v))
)";

}  // namespace

class TestProjectReport : public QObject
{
    Q_OBJECT

private slots:
    void reportOfAProjectWithoutBoards();

private:
    // Runs the report dialog with the chosen reports; `report` the report written.
    void RunReport(const std::array<uint8_t, 9>& choices, ReportProgramFolder& folder, QString& report);
};

void TestProjectReport::RunReport(const std::array<uint8_t, 9>& choices, ReportProgramFolder& folder,
                                  QString& report)
{
    const QStringList before = folder.outFiles();
    COutputDlg dlg;
    dlg.ReportChoices = choices;
    dlg.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dlg));
    QTest::mouseClick(dlg.findChild<QPushButton*>(QStringLiteral("1009")), Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(!dlg.isVisible(), kPatienceMs);
    for (const QString& f : folder.outFiles())
        if (!before.contains(f))
            report = folder.outFolder() + QLatin1Char('/') + f;
}

void TestProjectReport::reportOfAProjectWithoutBoards()
{
    RecordingPrompt* prompt = RecordingPrompt::Install();
    ReportProgramFolder folder(ReportTemplatePath());
    CSevrinApp& app = theApp;
    QVERIFY(LoadBlankProject());
    app.ProjectPathTable.CompanionSuffixTable = StandardCompanionSuffixes();
    UseProgramLibraryAndBreakers();
    companion::DropCache();

    // Design conditions: 30 degC in air, pf 0.9, drops 3 / 3 / 5 %, LS Metasol.
    SetCableDesignInputs(app);
    ApplyProjectDesignConditions(app);
    ApplyPanelBoardDesignConditions(app);

    // The project screen: name, date, and the client's logo picked from a folder outside the
    // program (a wide picture, 642 x 126 pixels).
    CProjectScreen projectScreen;
    projectScreen.OnInitialUpdate();
    projectScreen.RefreshProjectScreen();
    projectScreen.findChild<QLineEdit*>(QStringLiteral("1027"))->setText(QStringLiteral("세종 물류센터"));
    projectScreen.findChild<QLineEdit*>(QStringLiteral("1043"))->setText(QStringLiteral("2026.12.11"));
    const QString elsewhere = folder.dir.path() + QStringLiteral("/받은 파일");
    QVERIFY(QDir().mkpath(elsewhere));
    QImage logo(642, 126, QImage::Format_RGB32);
    logo.fill(Qt::darkBlue);
    QVERIFY(logo.save(elsewhere + QStringLiteral("/client logo.jpg"), "JPG"));
    prompt->openFileAnswers.push_back(elsewhere + QStringLiteral("/client logo.jpg"));
    projectScreen.OnBrowseClientLogo();
    QCOMPARE(app.ProjectIntroduceBlock.CI, QStringLiteral("client logo.jpg"));
    QVERIFY(QFileInfo::exists(folder.root + QStringLiteral("/CI/client logo.jpg")));
    app.SetScreen(Screen::Project, &projectScreen);

    // No panel board.
    auto boards = std::make_unique<CBoardScreen>();
    boards->OnInitialUpdate();
    boards->RefreshPanelBoardPages(0);

    // Cable schedule: a 37 kW DOL motor 250 m from its MCC (SVD 6.8 % against the motor
    // branch limit of 5 %: 68.38 A x sqrt3 x 0.25 km x (0.9273 x 0.87 + 0.1363 x 0.493) ohm/km
    // / 380 V x 100 = 6.81 %, 25 mm2 from CBLIMP) and a 100 kVA feeder of 50 m within it.
    auto cables = std::make_unique<CCableScreen>();
    cables->OnInitialUpdate();
    QString feederSvdSize, motorStartDrop;
    {
        const CableConditions cond = CableConditionsFromApp(app);
        AppCableLookup lookup(app);
        const auto row = [&](const QList<QPair<int, QString>>& inputs, const QString& start) {
            CableRow r;
            r[31] = r[43] = r[62] = QStringLiteral("|");
            for (const auto& [col, text] : inputs)
                r[std::size_t(col)] = text;
            CableFormExtras form;
            form.startingMethod = start;
            CalcCableAndBreaker(r, false, false, cond, form, lookup);
            return r;
        };
        const std::vector<CableRow> rows = {
            row({{0, "1"}, {2, "MCC-1"}, {3, "P-101"}, {4, "M"}, {5, "37"}, {8, "3"}, {9, "3"}, {10, "0.38"},
                 {23, "1"}, {30, "250"}, {33, "A"}, {44, "1"}, {51, "10"}, {71, "LSM"}, {103, "8"},
                 {105, "FCV"}},
                QStringLiteral("DOL")),
            row({{0, "2"}, {2, "MDB"}, {3, "MCC-1"}, {4, "L3P"}, {6, "100"}, {8, "3"}, {9, "4"}, {10, "0.38"},
                 {23, "1.00"}, {30, "50"}, {33, "A"}, {44, "1"}, {51, "10"}, {71, "LSM"}, {103, "8"},
                 {105, "FCV"}},
                QString())};
        QCOMPARE(rows[0][49], QStringLiteral("6.8%"));
        QCOMPARE(rows[0][48], QStringLiteral("5.0%"));
        feederSvdSize = rows[1][50];
        // Its starting drop, at the project's starting power factor, is over 15 % too.
        motorStartDrop = rows[0][56] + QStringLiteral(" > ") + rows[0][55];
        QVERIFY(!feederSvdSize.isEmpty());
        QVERIFY(WriteCableRows(app.CompanionPath(CSevrinApp::CableWorkbook), rows));
    }

    // Generator: the motor and 20 kVA of lighting.
    QVERIFY(WriteGeneratorWorkbook(app.CompanionPath(CSevrinApp::GeneratorWorkbook),
                                   MotorAndLightingGeneratorLoads(QStringLiteral("37"))));
    companion::DropCache();
    auto generator = std::make_unique<CGeneratorScreen>();
    generator->OnInitialUpdate();
    generator->ShowGeneratorInputs();

    ClearReportSheetWriters();
    RegisterReportSheetWriters();
    std::array<uint8_t, 9> choices{};
    for (int r : {0, 2, 3, 6})
        choices[std::size_t(r)] = 1;
    const QString keep = qEnvironmentVariable("SEVRIN_KEEP_REPORT_PDF");

    // The first report: the logo on every page, the long feeder marked and named with both of
    // its drops.
    prompt->messages.clear();
    QString report;
    RunReport(choices, folder, report);
    QVERIFY(!report.isEmpty());
    QCOMPARE(prompt->messages,
             QStringList{"계산서를 저장하였습니다.\n" + report +
                         "\n\n확인할 사항 2건:"
                         "\n- 케이블&차단기: SVD% 계산값이 기준값을 초과하는 케이블 1개 (No. 1: 6.8% > 5.0%), "
                         "SVD% 칸에 Chk 표시"
                         "\n- 케이블&차단기: SMSVD% 계산값이 기준값을 초과하는 케이블 1개 (No. 1: " +
                         motorStartDrop + "), SMSVD% 칸에 Chk 표시"});
    if (!keep.isEmpty()) {
        QFile::remove(keep + QStringLiteral("/project.xlsx"));
        QFile::copy(report, keep + QStringLiteral("/project.xlsx"));
    }
    // Design pages of the panel-board sheet: the headers, the air temperature, the drops and
    // the breaker maker; on the cable sheet the marked SVD% size of cable 1, not of cable 2.
    const QStringList cells = {"부하!1,2",   "부하!1,26",  "부하!1,58",  "부하!1,82",   "부하!38,7",
                               "부하!34,34", "부하!34,37", "부하!15,62", "케이블&차단기!6,17",
                               "케이블&차단기!6,20", "케이블&차단기!7,17"};
    PythonResult py = RunPython(QString::fromLatin1(kReadBack), QStringList{report} + cells);
    QVERIFY2(py.exitCode == 0, qPrintable(py.err));
    // One logo a page: the cover (the issue page has none), three design pages, one cable page,
    // the generator's result page and one load page.
    QCOMPARE(py.out.trimmed().split(QLatin1Char('\n')),
             QStringList({"logos 표지 1", "logos 부하 3", "logos 케이블&차단기 1", "logos 발전기용량 2",
                          "부하!1,2=세종 물류센터", "부하!1,26=2026.12.11", "부하!1,58=세종 물류센터",
                          "부하!1,82=2026.12.11", "부하!38,7=30℃", "부하!34,34=3", "부하!34,37=3",
                          "부하!15,62=LS Metasol", "케이블&차단기!6,17=25㎟ Chk", "케이블&차단기!6,20=25㎟ Chk",
                          "케이블&차단기!7,17=" + feederSvdSize}));

    // The second report: the logo file is gone from the logo folder; the report says so. (The
    // first is put aside: the second may carry the same time in its name.)
    QVERIFY(QFile::rename(report, folder.outFolder() + QStringLiteral("/first.xlsx")));
    QVERIFY(QFile::remove(folder.root + QStringLiteral("/CI/client logo.jpg")));
    prompt->messages.clear();
    QString second;
    RunReport(choices, folder, second);
    QVERIFY(!second.isEmpty());
    QCOMPARE(prompt->messages.size(), 1);
    QVERIFY2(prompt->messages[0].contains("\n- 발주처 CI: 파일이 없어 로고 없이 출력 - " + folder.root +
                                          "/CI/client logo.jpg"),
             qPrintable(prompt->messages[0]));
    py = RunPython(QString::fromLatin1(kReadBack), {second});
    QVERIFY2(py.exitCode == 0, qPrintable(py.err));
    QCOMPARE(py.out.trimmed().split(QLatin1Char('\n')),
             QStringList({"logos 표지 0", "logos 부하 0", "logos 케이블&차단기 0", "logos 발전기용량 0"}));

    ClearReportSheetWriters();
    app.SetScreen(Screen::Project, nullptr);
    app.ProjectLoaded = 0;
    companion::DropCache();
}

QTEST_MAIN(TestProjectReport)
#include "tst_projectreport.moc"
