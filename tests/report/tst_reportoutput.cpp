// The report dialog, its worker and the report driver, offscreen, with fake sheet writers.
#include "common/recordingprompt.h"
#include "common/workbooksheetnames.h"
#include "common/testsupport.h"
#include "reportfixture.h"

#include "app/core/sevrin.h"
#include "app/gui/rowlistmodel.h"
#include "app/gui/projectscreen.h"
#include "platform/xlsxbook.h"
#include "report/core/reportdriver.h"
#include "report/gui/outputdlg.h"

#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

using ChoiceBytes = std::array<uint8_t, 9>;
Q_DECLARE_METATYPE(ChoiceBytes)

namespace {

std::array<uint8_t, 9> Choices(std::initializer_list<int> chosen)
{
    std::array<uint8_t, 9> c{};
    for (int r : chosen)
        c[size_t(r)] = 1;
    return c;
}

}  // namespace

class TestReportOutput : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void listsFollowTheButtons();
    void removingEveryReportOutputsNothing();
    void outputName_data();
    void outputName();
    void spacesOnlyLeaveTheFileName();
    void keepTableShowsInTheOutput_data();
    void keepTableShowsInTheOutput();
    void coverWithThreeRevisions();
    void stopDuringMccDeletesTheFileAndSkipsTheRest();
    void stopDuringTrayLetsTheRestRunThenDeletes();
    void dialogCannotCloseWhileRunning();
    void templateThatCannotBeCopied();
    void copyThatCannotBeLoaded();
    void saveThatFails();
    void absentWriterIsReportedNotFaked();
    void handOnModes_data();
    void handOnModes();
    void warningsAreShownTogetherAtTheEnd_data();
    void warningsAreShownTogetherAtTheEnd();
    void failedProgramStartIsReported();
    void logoTheReportCannotPlaceIsAWarning_data();
    void logoTheReportCannotPlaceIsAWarning();

private:
    // Shows a dialog with these choices, presses "출력하기" and waits until it closes.
    void RunDialog(std::array<uint8_t, 9> choices);
    QPushButton* Button(COutputDlg& dlg, int id)
    {
        return dlg.findChild<QPushButton*>(QString::number(id));
    }
    QListWidget* List(COutputDlg& dlg, int id)
    {
        return dlg.findChild<QListWidget*>(QString::number(id));
    }
    static QStringList Items(QListWidget* list)
    {
        QStringList out;
        for (int i = 0; i < list->count(); ++i)
            out << list->item(i)->text();
        return out;
    }

    RecordingPrompt* m_prompt = nullptr;
    std::unique_ptr<ReportProgramFolder> m_folder;
    WriterLog m_log;
    std::array<std::shared_ptr<FakeWriter>, kReportCount> m_writers;
};

void TestReportOutput::init()
{
    m_prompt = RecordingPrompt::Install();
    m_folder = std::make_unique<ReportProgramFolder>();
    m_log.calls.clear();
    m_writers = RegisterFakeWriters(m_log);
    theApp.SetScreen(Screen::Project, nullptr);
}

void TestReportOutput::cleanup()
{
    ClearReportSheetWriters();
    m_folder.reset();
}

void TestReportOutput::RunDialog(std::array<uint8_t, 9> choices)
{
    COutputDlg dlg;
    dlg.ReportChoices = choices;
    dlg.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dlg));
    QTest::mouseClick(Button(dlg, 1009), Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(!dlg.isVisible(), kPatienceMs);
}

void TestReportOutput::listsFollowTheButtons()
{
    COutputDlg dlg;
    dlg.ReportChoices = Choices({0, 3});
    dlg.show();
    QListWidget* all = List(dlg, 1042);
    QListWidget* chosen = List(dlg, 1043);
    const QStringList names = {"프로젝트 표지",     "동력 계산서",       "부하 계산서",
                               "케이블&차단기 계산서", "케이블트레이 계산서", "변압기용량 계산서",
                               "발전기용량 계산서", "고장전류 계산서",   "접지저항 계산서"};
    QCOMPARE(Items(all), names);
    QCOMPARE(Items(chosen), QStringList({names[0], names[3]}));
    QCOMPARE(int(theApp.ReportStopFlag), 1);

    // ">>" and "<<" without a selection change nothing.
    QTest::mouseClick(Button(dlg, 1044), Qt::LeftButton);
    QTest::mouseClick(Button(dlg, 1011), Qt::LeftButton);
    QCOMPARE(Items(chosen), QStringList({names[0], names[3]}));

    // ">>" adds in index order, not at the end; again on a chosen report changes nothing.
    all->setCurrentRow(1);
    QTest::mouseClick(Button(dlg, 1044), Qt::LeftButton);
    QCOMPARE(Items(chosen), QStringList({names[0], names[1], names[3]}));
    all->setCurrentRow(3);
    QTest::mouseClick(Button(dlg, 1044), Qt::LeftButton);
    QCOMPARE(Items(chosen), QStringList({names[0], names[1], names[3]}));

    // "<<" removes the selected entry by its name.
    chosen->setCurrentRow(1);
    QTest::mouseClick(Button(dlg, 1011), Qt::LeftButton);
    QCOMPARE(Items(chosen), QStringList({names[0], names[3]}));
    QCOMPARE(int(dlg.ReportChoices[1]), 0);

    QTest::mouseClick(Button(dlg, 1010), Qt::LeftButton);
    QCOMPARE(Items(chosen), names);
    QVERIFY(m_prompt->messages.isEmpty());
}

void TestReportOutput::removingEveryReportOutputsNothing()
{
    COutputDlg dlg;
    dlg.ReportChoices = Choices({0});
    dlg.show();
    List(dlg, 1043)->setCurrentRow(0);
    QTest::mouseClick(Button(dlg, 1011), Qt::LeftButton);
    QCOMPARE(List(dlg, 1043)->count(), 0);
    QTest::mouseClick(Button(dlg, 1009), Qt::LeftButton);
    QCOMPARE(m_prompt->messages, QStringList({"선택된 출력이 없습니다."}));
    QVERIFY(!dlg.isVisible());
    QCOMPARE(dlg.result(), int(QDialog::Accepted));
    QVERIFY(m_folder->outFiles().isEmpty());
    QVERIFY(m_log.snapshot().empty());
}

void TestReportOutput::outputName_data()
{
    QTest::addColumn<QString>("project");
    QTest::addColumn<QString>("root");
    QTest::addColumn<QString>("expected");
    // Project C:\P\A B.pro, root C:\X, 10 December 09:30:05 gives C:\X\OUT\A_B_1210_093005.xlsx.
    QTest::newRow("space in the name") << "/P/A B.pro" << "/X" << "/X/OUT/A_B_1210_093005.xlsx";
    QTest::newRow("every .pro goes") << "/P/x.project.pro" << "/X" << "/X/OUT/xject_1210_093005.xlsx";
    QTest::newRow("folders keep their spaces") << "/P Q/A B.pro" << "/My Tools"
                                               << "/My Tools/OUT/A_B_1210_093005.xlsx";
    QTest::newRow("Windows project path") << "C:\\P\\공장 1.pro" << "/X" << "/X/OUT/공장_1_1210_093005.xlsx";
}

void TestReportOutput::outputName()
{
    QFETCH(QString, project);
    QFETCH(QString, root);
    QFETCH(QString, expected);
    QCOMPARE(MakeReportOutputPath(project, root, QStringLiteral("OUT"), QStringLiteral("_1210_093005")),
             expected);
}

void TestReportOutput::spacesOnlyLeaveTheFileName()
{
    // A program root with a space: the report is still made, in the real output folder.
    m_folder = std::make_unique<ReportProgramFolder>(QString(), QStringLiteral("My Tools"));
    RunDialog(Choices({3}));
    const QStringList files = m_folder->outFiles();
    QCOMPARE(files.size(), 1);
    QVERIFY2(files.first().startsWith(QStringLiteral("plant_A_")), qPrintable(files.first()));
    QVERIFY(files.first().endsWith(QStringLiteral(".xlsx")));
    // Print 0 keeps the report where it is, and says where that is.
    QCOMPARE(m_prompt->messages,
             QStringList{"계산서를 저장하였습니다.\n" + m_folder->outFolder() + "/" + files.first()});
}

void TestReportOutput::keepTableShowsInTheOutput_data()
{
    QTest::addColumn<ChoiceBytes>("choices");
    QTest::addColumn<QStringList>("sheets");
    QTest::addColumn<QStringList>("written");  // template sheets the writers were called for
    const QStringList t = TemplateSheetNames();
    QTest::newRow("cable only") << Choices({3}) << QStringList{t[3]} << QStringList{"3"};
    QTest::newRow("fault current keeps the five bus sheets")
        << Choices({7}) << t.mid(7, 6) << QStringList{"7", "8", "9", "10", "11", "12"};
    QTest::newRow("cover and grounding") << Choices({0, 8}) << QStringList{t[0], t[13]}
                                         << QStringList{"13"};
    QTest::newRow("all nine") << Choices({0, 1, 2, 3, 4, 5, 6, 7, 8}) << t.mid(0, 14)
                              << QStringList{"1", "2", "3", "4", "5", "6", "7", "8", "9", "10",
                                             "11", "12", "13"};
}

void TestReportOutput::keepTableShowsInTheOutput()
{
    QFETCH(ChoiceBytes, choices);
    QFETCH(QStringList, sheets);
    QFETCH(QStringList, written);
    RunDialog(choices);
    const QStringList files = m_folder->outFiles();
    QCOMPARE(files.size(), 1);
    const QString out = m_folder->outFolder() + QLatin1Char('/') + files.first();
    QCOMPARE(WorkbookSheetNames(out), sheets);
    QCOMPARE(m_log.sheets(), written);
    // Without a project screen the cover writes nothing and the revision stays "Rev.".
    for (const WriterCall& c : m_log.snapshot())
        QCOMPARE(c.revision, QStringLiteral("Rev."));

    // An independent reader sees the same sheets, protected, and the writers' marks.
    const PythonResult py = RunPython(QStringLiteral(
        "import sys, openpyxl\n"
        "wb = openpyxl.load_workbook(sys.argv[1])\n"
        "for ws in wb.worksheets:\n"
        "    print(ws.title, ws.protection.sheet, ws.cell(7, 1).value)\n"), {out});
    QCOMPARE(py.exitCode, 0);
    const QStringList lines = py.out.trimmed().split(QLatin1Char('\n'));
    QCOMPARE(lines.size(), sheets.size());
    for (const QString& line : lines)
        QVERIFY2(line.contains(QStringLiteral(" True ")), qPrintable(line));
}

void TestReportOutput::coverWithThreeRevisions()
{
    // The project screen holds revisions 0, 1 and 2 and a logo.
    CSevrinApp::ProjectIntroduceBlockT& b = theApp.ProjectIntroduceBlock;
    b = CSevrinApp::ProjectIntroduceBlockT{};
    b.ProjectName = QStringLiteral("제1공장 증설");
    b.RR = 3;
    const char* purposes[3] = {"기본설계", "실시설계", "준공"};
    for (int i = 0; i < 3; ++i) {
        b.RevDate[size_t(i)] = QStringLiteral("2026.0%1.15").arg(i + 1);
        b.RevPurpose[size_t(i)] = QString::fromUtf8(purposes[i]);
        b.RevDesigner[size_t(i)] = QStringLiteral("설계%1").arg(i);
        b.RevReviewer[size_t(i)] = QStringLiteral("검토%1").arg(i);
        b.RevApprover[size_t(i)] = QStringLiteral("승인%1").arg(i);
    }
    QImage logo(40, 20, QImage::Format_RGB32);
    logo.fill(Qt::blue);
    QVERIFY(logo.save(m_folder->root + QStringLiteral("/CI/logo.png")));
    b.CI = QStringLiteral("logo.png");

    CProjectScreen view;
    view.OnInitialUpdate();
    view.RefreshProjectScreen();
    view.findChild<QLineEdit*>(QStringLiteral("1043"))->setText(QStringLiteral("2026.03.15"));
    theApp.SetScreen(Screen::Project, &view);
    theApp.ProjectIntroduceBlock.CI = QStringLiteral("logo.png");

    RunDialog(Choices({0, 3}));
    theApp.SetScreen(Screen::Project, nullptr);
    const QStringList files = m_folder->outFiles();
    QCOMPARE(files.size(), 1);
    const QString out = m_folder->outFolder() + QLatin1Char('/') + files.first();
    QCOMPARE(WorkbookSheetNames(out), QStringList({"표지", "케이블&차단기"}));

    // The other sheets get the latest revision number.
    const auto calls = m_log.snapshot();
    QCOMPARE(int(calls.size()), 1);
    QCOMPARE(calls[0].revision, QStringLiteral("Rev.2"));
    QVERIFY(calls[0].pictureId >= 0);

    // Revision 0 in row 55 (sheet row 56), revision 2 in row 53; read by openpyxl.
    const PythonResult py = RunPython(QStringLiteral(
        "import sys, openpyxl\n"
        "ws = openpyxl.load_workbook(sys.argv[1])['표지']\n"
        "def v(r, c): return ws.cell(r + 1, c + 1).value\n"
        "print(v(5, 1), v(5, 14), v(32, 5), sep='|')\n"
        "for r in (52, 53, 54, 55):\n"
        "    print(*[v(r, c) for c in (13, 14, 15, 23, 24, 25)], sep='|')\n"
        "print(len(ws._images))\n"), {out});
    QCOMPARE(py.exitCode, 0);
    const QStringList lines = py.out.trimmed().split(QLatin1Char('\n'));
    QCOMPARE(lines, QStringList({
        "제1공장 증설|제1공장 증설|2026.03.15",
        "None|None|None|None|None|None",
        "2|2026.03.15|준공|설계2|검토2|승인2",
        "1|2026.02.15|실시설계|설계1|검토1|승인1",
        "0|2026.01.15|기본설계|설계0|검토0|승인0",
        "1",
    }));
    QCOMPARE(m_prompt->messages, QStringList{"계산서를 저장하였습니다.\n" + out});
}

void TestReportOutput::stopDuringMccDeletesTheFileAndSkipsTheRest()
{
    Gate gate;
    m_writers[1]->extra = [&gate](const ReportSheetJob&) { gate.wait(); };
    COutputDlg dlg;
    dlg.ReportChoices = Choices({1, 3, 8});
    dlg.show();
    QTest::mouseClick(Button(dlg, 1009), Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(gate.reached, kPatienceMs);
    QCOMPARE(m_folder->outFiles().size(), 1);
    QTest::mouseClick(Button(dlg, 2), Qt::LeftButton);
    QCOMPARE(m_prompt->messages, QStringList({"자동 종료 됩니다."}));
    QCOMPARE(int(theApp.ReportStopFlag), 1);
    gate.open();
    QTRY_VERIFY_WITH_TIMEOUT(!dlg.isVisible(), kPatienceMs);
    QCOMPARE(dlg.LastRunResult(), ReportRunResult::Stopped);
    QCOMPARE(m_log.sheets(), QStringList({"1"}));
    QVERIFY(m_folder->outFiles().isEmpty());
}

void TestReportOutput::stopDuringTrayLetsTheRestRunThenDeletes()
{
    theApp.AppSettings.PrintMode = 1;
    m_writers[4]->extra = [](const ReportSheetJob&) { theApp.ReportStopFlag = 1; };
    RunDialog(Choices({3, 4, 5, 6, 7, 8}));
    QCOMPARE(m_log.sheets(), QStringList({"3", "4", "5", "6", "7", "8", "9", "10", "11", "12", "13"}));
    QVERIFY(m_folder->outFiles().isEmpty());
    QVERIFY(m_prompt->confirmTexts.isEmpty());
    QVERIFY(m_prompt->openedWithDefault.isEmpty());
}

void TestReportOutput::dialogCannotCloseWhileRunning()
{
    Gate gate;
    m_writers[3]->extra = [&gate](const ReportSheetJob&) { gate.wait(); };
    COutputDlg dlg;
    dlg.ReportChoices = Choices({3});
    dlg.show();
    QTest::mouseClick(Button(dlg, 1009), Qt::LeftButton);
    QVERIFY(dlg.IsRunning());
    for (int id : {1044, 1011, 1010, 1009})
        QVERIFY2(!Button(dlg, id)->isEnabled(), qPrintable(QString::number(id)));
    QVERIFY(Button(dlg, 2)->isEnabled());
    QTRY_VERIFY_WITH_TIMEOUT(gate.reached, kPatienceMs);
    QTRY_COMPARE_WITH_TIMEOUT(dlg.findChild<QLabel*>(QStringLiteral("1737"))->text(), QStringLiteral("fake-3"), kPatienceMs);

    // A second "출력하기" does nothing (even invoked directly, past the disabled button).
    dlg.OnOutputReports();
    // Enter, the close request, accept and reject all leave the dialog open.
    QTest::keyClick(&dlg, Qt::Key_Return);
    dlg.close();
    dlg.accept();
    dlg.done(QDialog::Rejected);
    QVERIFY(dlg.isVisible());
    // Escape asks for the stop once; a further "취소" says nothing more and still stays.
    QTest::keyClick(&dlg, Qt::Key_Escape);
    QTest::mouseClick(Button(dlg, 2), Qt::LeftButton);
    QVERIFY(dlg.isVisible());
    QCOMPARE(m_prompt->messages, QStringList({"자동 종료 됩니다."}));

    gate.open();
    QTRY_VERIFY_WITH_TIMEOUT(!dlg.isVisible(), kPatienceMs);
    QCOMPARE(int(m_log.snapshot().size()), 1);
    QCOMPARE(m_folder->outFiles().size(), 0);
}

void TestReportOutput::templateThatCannotBeCopied()
{
    QFile::remove(theApp.ProjectPathTable.FormXlsxPath);
    COutputDlg dlg;
    dlg.ReportChoices = Choices({3});
    dlg.show();
    QTest::mouseClick(Button(dlg, 1009), Qt::LeftButton);
    QCOMPARE(m_prompt->messages.size(), 1);
    QVERIFY(m_prompt->messages.first().startsWith(QStringLiteral("보고서 양식을 출력 폴더에 복사하지 못했습니다.")));
    QVERIFY(dlg.isVisible());
    QVERIFY(!dlg.IsRunning());
    QVERIFY(Button(dlg, 1009)->isEnabled());
    QVERIFY(m_folder->outFiles().isEmpty());
}

void TestReportOutput::copyThatCannotBeLoaded()
{
    theApp.AppSettings.PrintMode = 1;
    QVERIFY(WriteFile(theApp.ProjectPathTable.FormXlsxPath, "not a workbook"));
    RunDialog(Choices({0, 3}));
    QCOMPARE(m_prompt->messages.size(), 1);
    QVERIFY(m_prompt->messages.first().startsWith(QStringLiteral("보고서 파일을 열 수 없습니다.")));
    QVERIFY(m_folder->outFiles().isEmpty());
    QVERIFY(m_log.snapshot().empty());
    QVERIFY(m_prompt->confirmTexts.isEmpty());
}

void TestReportOutput::saveThatFails()
{
    // The output folder disappears while the sheets are written: the save cannot land.
    theApp.AppSettings.PrintMode = 1;
    m_writers[3]->extra = [this](const ReportSheetJob&) {
        QDir(m_folder->outFolder()).removeRecursively();
    };
    RunDialog(Choices({3}));
    QCOMPARE(m_prompt->messages.size(), 1);
    QVERIFY(m_prompt->messages.first().startsWith(QStringLiteral("보고서 파일을 저장하지 못했습니다.")));
    QVERIFY(!QFileInfo::exists(m_folder->outFolder()));
    QVERIFY(m_prompt->confirmTexts.isEmpty());
}

void TestReportOutput::absentWriterIsReportedNotFaked()
{
    SetReportSheetWriter(1, nullptr);
    RunDialog(Choices({1, 3}));
    const QStringList files = m_folder->outFiles();
    QCOMPARE(files.size(), 1);
    QCOMPARE(m_prompt->messages,
             QStringList({"다음 계산서는 이 버전에서 출력할 수 없어 보고서에서 빠졌습니다.\n동력 계산서",
                          "계산서를 저장하였습니다.\n" + m_folder->outFolder() + "/" + files.first()}));
    QCOMPARE(WorkbookSheetNames(m_folder->outFolder() + QLatin1Char('/') + files.first()),
             QStringList({"케이블&차단기"}));

    // Nothing left to write: no report at all.
    m_prompt->messages.clear();
    QFile::remove(m_folder->outFolder() + QLatin1Char('/') + files.first());
    RunDialog(Choices({1}));
    QCOMPARE(m_prompt->messages, QStringList({"선택한 계산서는 이 버전에서 출력할 수 없습니다.\n동력 계산서"}));
    QVERIFY(m_folder->outFiles().isEmpty());
}

void TestReportOutput::handOnModes_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<bool>("confirm");
    QTest::addColumn<QString>("opened");     // openedWithDefault, "%1" = report
    QTest::addColumn<QString>("started");    // startedPrograms, "%1" = report, "%2" = root
    QTest::addColumn<QString>("message");
    QTest::newRow("0: kept, no question, its place said") << 0 << true << "" << ""
                                                          << "계산서를 저장하였습니다.\n%1";
    QTest::newRow("1: default program") << 1 << true << "%1" << "" << "";
    QTest::newRow("1: declined") << 1 << false << "" << "" << "";
    QTest::newRow("2: app in the root") << 2 << true << "" << "%2/app %1" << "";
    QTest::newRow("4: not supported") << 4 << true << "" << "" << "지원하지 않습니다.";
    QTest::newRow("3: no server, no request") << 3 << true << "" << ""
                                              << "PDF 변환 서버가 설정되어 있지 않습니다.";
}

void TestReportOutput::handOnModes()
{
    QFETCH(int, mode);
    QFETCH(bool, confirm);
    QFETCH(QString, opened);
    QFETCH(QString, started);
    QFETCH(QString, message);
    theApp.AppSettings.PrintMode = mode;
    m_prompt->confirmAnswers.push_back(confirm);
    RunDialog(Choices({3}));
    const QStringList files = m_folder->outFiles();
    QCOMPARE(files.size(), 1);
    const QString report = m_folder->outFolder() + QLatin1Char('/') + files.first();
    QCOMPARE(m_prompt->confirmTexts,
             mode == 0 ? QStringList() : QStringList({"저장된 파일을 출력 합니다."}));
    QCOMPARE(m_prompt->openedWithDefault.join(QLatin1Char(',')), opened.isEmpty() ? QString() : opened.arg(report));
    QCOMPARE(m_prompt->startedPrograms.join(QLatin1Char(',')),
             started.isEmpty() ? QString() : started.arg(report, m_folder->root));
    QCOMPARE(m_prompt->messages.join(QLatin1Char(',')), message.contains(QLatin1String("%1")) ? message.arg(report) : message);
}

void TestReportOutput::warningsAreShownTogetherAtTheEnd_data()
{
    QTest::addColumn<int>("mode");
    QTest::newRow("0: kept") << 0;
    QTest::newRow("1: handed on after the list") << 1;
}

void TestReportOutput::warningsAreShownTogetherAtTheEnd()
{
    // Two writers give warnings during the run; the progress line shows each for a moment,
    // the end of the run lists both in one message, with the report's place, before any
    // hand-on.
    QFETCH(int, mode);
    theApp.AppSettings.PrintMode = mode;
    m_prompt->confirmAnswers.push_back(false);
    m_writers[3]->extra = [](const ReportSheetJob& job) {
        job.host->ReportWarning(QStringLiteral("케이블&차단기: 계산되지 않은 케이블 1개 (No. 4)"));
    };
    m_writers[5]->extra = [](const ReportSheetJob& job) {
        job.host->ReportWarning(QStringLiteral("변압기용량: TR-1 부하 38개를 넘는 부하는 출력하지 않음"));
    };
    RunDialog(Choices({3, 5}));
    const QStringList files = m_folder->outFiles();
    QCOMPARE(files.size(), 1);
    const QString report = m_folder->outFolder() + QLatin1Char('/') + files.first();
    QCOMPARE(m_prompt->messages,
             QStringList{"계산서를 저장하였습니다.\n" + report +
                         "\n\n확인할 사항 2건:"
                         "\n- 케이블&차단기: 계산되지 않은 케이블 1개 (No. 4)"
                         "\n- 변압기용량: TR-1 부하 38개를 넘는 부하는 출력하지 않음"});
    QCOMPARE(m_prompt->messageIcons, QList<Prompt::Icon>{Prompt::Icon::Exclamation});
    QCOMPARE(m_prompt->confirmTexts,
             mode == 0 ? QStringList() : QStringList({"저장된 파일을 출력 합니다."}));
}

void TestReportOutput::failedProgramStartIsReported()
{
    theApp.AppSettings.PrintMode = 1;
    m_prompt->confirmAnswers.push_back(true);
    m_prompt->openWithDefaultResult = false;
    RunDialog(Choices({3}));
    QCOMPARE(m_prompt->messages.size(), 1);
    QVERIFY(m_prompt->messages.first().startsWith(QStringLiteral("보고서를 열 프로그램을 시작하지 못했습니다.")));
    QCOMPARE(m_folder->outFiles().size(), 1);
}

// The project's logo is placed on every page, or the run says by its path why it is not: a
// report without the logo never ends with the plain success message.
void TestReportOutput::logoTheReportCannotPlaceIsAWarning_data()
{
    QTest::addColumn<QString>("ci");       // the project's logo; "<root>" stands for the program root
    QTest::addColumn<QString>("file");     // what lies at <root>/CI/logo.*: "picture", "text", "none"
    QTest::addColumn<bool>("placed");
    QTest::addColumn<QString>("warning");  // "<path>" stands for the logo's whole path
    QTest::newRow("in the logo folder") << "logo.jpg" << "picture" << true << "";
    QTest::newRow("a whole path") << "<root>/CI/logo.jpg" << "picture" << true << "";
    QTest::newRow("missing") << "logo.jpg" << "none" << false << "발주처 CI: 파일이 없어 로고 없이 출력 - <path>";
    QTest::newRow("not a picture") << "logo.jpg" << "text" << false
                                   << "발주처 CI: 그림(JPG, PNG)으로 읽을 수 없어 로고 없이 출력 - <path>";
}

void TestReportOutput::logoTheReportCannotPlaceIsAWarning()
{
    QFETCH(QString, ci);
    QFETCH(QString, file);
    QFETCH(bool, placed);
    QFETCH(QString, warning);
    const QString path = m_folder->root + QStringLiteral("/CI/logo.jpg");
    if (file == QLatin1String("picture")) {
        QImage logo(40, 20, QImage::Format_RGB32);
        logo.fill(Qt::blue);
        QVERIFY(logo.save(path, "JPG"));
    } else if (file == QLatin1String("text")) {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly) && f.write("no picture") > 0);
    }
    theApp.ProjectIntroduceBlock.CI = QString(ci).replace(QStringLiteral("<root>"), m_folder->root);

    RunDialog(Choices({3}));
    theApp.ProjectIntroduceBlock.CI.clear();
    const QStringList files = m_folder->outFiles();
    QCOMPARE(files.size(), 1);
    const QString report = m_folder->outFolder() + QLatin1Char('/') + files.first();
    const auto calls = m_log.snapshot();
    QCOMPARE(int(calls.size()), 1);
    QCOMPARE(calls[0].pictureId >= 0, placed);
    QString message = "계산서를 저장하였습니다.\n" + report;
    if (!warning.isEmpty())
        message += "\n\n확인할 사항 1건:\n- " + QString(warning).replace(QStringLiteral("<path>"), path);
    QCOMPARE(m_prompt->messages, QStringList{message});
    QCOMPARE(m_prompt->messageIcons,
             QList<Prompt::Icon>{warning.isEmpty() ? Prompt::Icon::Information : Prompt::Icon::Exclamation});
}

QTEST_MAIN(TestReportOutput)
#include "tst_reportoutput.moc"
