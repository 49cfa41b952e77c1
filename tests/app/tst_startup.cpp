// Start-up, exit and screen switching, driven in-process on the real objects with the
// recording prompt answering.
#include "app/core/sevrin.h"
#include "app/gui/formview.h"
#include "app/gui/textinputdlg.h"
#include "app/gui/mainfrm.h"
#include "app/gui/rundlg.h"
#include "app/gui/sevrinapp.h"
#include "app/gui/htmlbrowser.h"
#include "app/gui/webdlg.h"
#include "common/localhttpserver.h"
#include "common/recordingprompt.h"
#include "common/testpaths.h"
#include "common/testsupport.h"
#include "platform/paths.h"
#include "platform/profile.h"
#include "platform/singleinstance.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QLockFile>
#include <QPointer>
#include <QProcess>
#include <QStandardPaths>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>
#include <optional>

#include <unistd.h>

namespace {

const QString kInitialTitle = QStringLiteral("Palvane 전기설계 프로그램 Ver 2.0 (231010 Dec  4 2023) ");
const QString kNoLib = QStringLiteral("적합한 Lib 파일을 찾지 못했습니다.\n%1");
const int kInsertButtons[] = {1422, 1423, 1456, 1599, 1631, 1363, 1378, 1584, 1585, 1548, 1406, 1695};

// Start-up, with the exit code when it ended early.
std::optional<int> Start()
{
    try {
        InitInstance();
    } catch (const Prompt::ProgramExit& e) {
        return e.code;
    }
    return std::nullopt;
}

// Answers the HTML dialog while start-up waits in it: records what it shows, then clicks the
// planned buttons ("1" or "2") one per tick.
class WebDialogDriver : public QObject
{
public:
    explicit WebDialogDriver(QStringList clicks) : m_clicks(std::move(clicks))
    {
        connect(&m_timer, &QTimer::timeout, this, &WebDialogDriver::tick);
        m_timer.start(10);
    }
    QStringList captions;  // one per dialog seen
    QStringList buttonTexts;
    QStringList htmlShown;

private:
    void tick()
    {
        auto* dlg = qobject_cast<CWebDlg*>(QApplication::activeModalWidget());
        if (!dlg)
            dlg = dynamic_cast<CWebDlg*>(QApplication::activeModalWidget());
        if (!dlg)
            return;
        if (dlg != m_seen) {
            m_seen = dlg;
            captions.append(dlg->windowTitle());
            buttonTexts.append(dlg->findChild<QPushButton*>(QStringLiteral("1"))->text() + QLatin1Char('|') +
                               dlg->findChild<QPushButton*>(QStringLiteral("2"))->text());
            htmlShown.append(dlg->Browser()->toPlainText());
        }
        if (m_clicks.isEmpty())
            return;
        const QString id = m_clicks.takeFirst();
        dlg->findChild<QPushButton*>(id)->click();
    }

    QStringList m_clicks;
    QTimer m_timer;
    QPointer<QObject> m_seen;  // cleared when the dialog is gone (the next may reuse its address)
};

}  // namespace

class TestStartup : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void defaultsWithoutConfiguration();
    void readConfig_data();
    void readConfig();
    void secondInstanceEndsFirst();
    void missingWorkbookEndsWithItsPath_data();
    void missingWorkbookEndsWithItsPath();
    void normalStartAndExit();
    void serverAnswers_data();
    void serverAnswers();
    void windowTitles();
    void switchToShownScreenChangesNothing();
    void projectScreenNeedsAProject_data();
    void projectScreenNeedsAProject();
    void insertButtonsFollowSetting();
    void projectLoadsOnFirstEntryOnly();
    void enterEscapeFiltered();
    void frameSizeForDisplayScale();
    void smallDialogs();
    void buildLaysOutTheProgramFolder();
    void strayLibraryWorkbookIsRefused();
    void lockLivesInTheUsersRuntimeFolder();
    void copyOnAnotherSessionDoesNotBlock();
    void twoProcessesWithOwnRuntimeFoldersBothStart();
    void htmlLinksGoToTheDesktopOnlyForTheWeb_data();
    void htmlLinksGoToTheDesktopOnlyForTheWeb();

private:
    // A program folder with LIB/lib_v3p4.xlsx and LIB/breaker_v3p4.xlsx (either may be left
    // out) and an "ORVA.ini" in the working directory pointing at it.
    QString makeProgramFolder(bool withLib = true, bool withBreaker = true,
                              const QByteArray& extraIni = QByteArray());

    QTemporaryDir m_tmp;
    QString m_workbook;  // a real .xlsx to copy as reference workbook
    QString m_caseDir;
    int m_case = 0;
    LocalHttpServer m_server;
    RecordingPrompt* m_prompt = nullptr;
};

void TestStartup::initTestCase()
{
    QVERIFY(m_tmp.isValid());
    QVERIFY(m_server.listening());
    // The single-instance lock lives in the runtime folder: give this test its own.
    QDir(m_tmp.path()).mkpath(QStringLiteral("locks"));
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(m_tmp.filePath(QStringLiteral("locks"))));

    // Use the shipped reference workbooks when the build has made them; otherwise a minimal
    // workbook written by openpyxl.
    const QString shipped = ProgramDir() + QStringLiteral("/LIB/lib_v3p4.xlsx");
    m_workbook = m_tmp.filePath(QStringLiteral("fixture.xlsx"));
    if (QFile::exists(shipped)) {
        QVERIFY(QFile::copy(shipped, m_workbook));
    } else {
        const PythonResult r = RunPython(QStringLiteral("import openpyxl,sys\n"
                                                        "wb=openpyxl.Workbook()\n"
                                                        "wb.active.title='0'\n"
                                                        "wb.active['A7']='ACSR-32'\n"
                                                        "wb.save(sys.argv[1])\n"),
                                         {m_workbook});
        QVERIFY2(r.exitCode == 0, qPrintable(r.err));
    }
}

void TestStartup::init()
{
    m_caseDir = m_tmp.filePath(QStringLiteral("case%1").arg(++m_case));
    QVERIFY(QDir().mkpath(m_caseDir));
    QVERIFY(QDir::setCurrent(m_caseDir));
    m_prompt = RecordingPrompt::Install();
    ReleaseSingleInstanceLock();
    theApp.ServerSettings.ServerPort = m_server.port();
    m_server.requests.clear();
    m_server.setReply("/vcheck", {200, "Content-Type: text/html; charset=UTF-8\r\n", "", false});
    m_server.setReply("/ncheck", {200, "Content-Type: text/html; charset=UTF-8\r\n", "", false});
}

void TestStartup::cleanup()
{
    ReleaseSingleInstanceLock();
}

QString TestStartup::makeProgramFolder(bool withLib, bool withBreaker, const QByteArray& extraIni)
{
    const QString root = QDir(m_caseDir).filePath(QStringLiteral("program"));
    QDir().mkpath(root + QStringLiteral("/LIB"));
    if (withLib)
        QFile::copy(m_workbook, root + QStringLiteral("/LIB/lib_v3p4.xlsx"));
    if (withBreaker)
        QFile::copy(m_workbook, root + QStringLiteral("/LIB/breaker_v3p4.xlsx"));
    const QByteArray ini = "; test configuration\n[SYSTEM]\nPath=" + root.toUtf8() +
                           "\nServerHost=http://127.0.0.1\nlastPro=/old/P0.pro\n" + extraIni;
    WriteFile(QDir(m_caseDir).filePath(QStringLiteral("ORVA.ini")), ini);
    return root;
}

void TestStartup::defaultsWithoutConfiguration()
{
    const std::optional<int> code = Start();
    const QString root = QCoreApplication::applicationDirPath();
    const CSevrinApp::ProjectPathTableT& p = theApp.ProjectPathTable;
    QCOMPARE(p.RootPath, root);
    QCOMPARE(p.LibFolder, QStringLiteral("LIB"));
    QCOMPARE(p.OutFolder, QStringLiteral("OUT"));
    QCOMPARE(p.ProFolder, QStringLiteral("PRO"));
    QCOMPARE(p.CiFolder, QStringLiteral("CI"));
    QCOMPARE(p.CurrentProjectPath, QString());
    QCOMPARE(p.LibWorkbookPath, root + QStringLiteral("/LIB/lib_v3p4.xlsx"));
    QCOMPARE(p.BreakerWorkbookPath, root + QStringLiteral("/LIB/breaker_v3p4.xlsx"));
    QCOMPARE(p.FormProPath, root + QStringLiteral("/FORM/form.pro"));
    QCOMPARE(p.FormXlsxPath, root + QStringLiteral("/FORM/form.xlsx"));
    QCOMPARE(p.CompanionSuffixTable[2], QStringLiteral("_40.xlsx"));
    QCOMPARE(p.CompanionSuffixTable[4], QStringLiteral("_30.xlsx"));
    QCOMPARE(p.CompanionSuffixTable[11], QStringLiteral("_855.xlsx"));
    QCOMPARE(theApp.AppSettings.PrintMode, 0);
    QCOMPARE(theApp.AppSettings.ShowInsertButtons, 0);
    QCOMPARE(theApp.ServerSettings.ServerHost, QString());
    QCOMPARE(theApp.ServerSettings.MinorVersion, QStringLiteral("231010"));
    QCOMPARE(theApp.PanelNameRegistry.PanelNameCapacity, 100);

    // No reference workbook beside the test program: the library workbook is looked for in
    // LIB below the executable's folder, and start-up ends there.
    QCOMPARE(code, std::optional<int>(1));
    QCOMPARE(m_prompt->messages, QStringList{kNoLib.arg(p.LibWorkbookPath)});
    QCOMPARE(m_prompt->messageIcons.value(0), Prompt::Icon::Exclamation);
    QVERIFY(m_server.requests.isEmpty());           // no host, no request
    QVERIFY(!QFile::exists(QStringLiteral("ORVA.ini")));  // early exit writes nothing
}

void TestStartup::readConfig_data()
{
    QTest::addColumn<QByteArray>("ini");
    QTest::addColumn<int>("print");
    QTest::addColumn<int>("button");
    QTest::addColumn<QString>("libWorkbook");

    QTest::newRow("Button 2 is on, Print 2a is 2")
        << QByteArray("[SYSTEM]\nButton=2\nPrint=2a\nPath=/r\n") << 2 << 1 << "/r/LIB/lib_v3p4.xlsx";
    QTest::newRow("Button x is off")
        << QByteArray("[SYSTEM]\nButton=x\nPrint=x\nPath=/r\n") << 0 << 0 << "/r/LIB/lib_v3p4.xlsx";
    QTest::newRow("Button 0 is off, Print 3")
        << QByteArray("[SYSTEM]\nButton=0\nPrint=3\nPath=/r\n") << 3 << 0 << "/r/LIB/lib_v3p4.xlsx";
    QTest::newRow("Button -1 is on, blanks before digits")
        << QByteArray("[SYSTEM]\nButton=-1\nPrint=  1\nPath=/r\n") << 1 << 1 << "/r/LIB/lib_v3p4.xlsx";
    QTest::newRow("key case, own library folder, trailing separator")
        << QByteArray("[system]\nBUTTON=1\npathlib=Bib\nPath=/r/\n") << 0 << 1 << "/r/Bib/lib_v3p4.xlsx";
    QTest::newRow("quoted path with blanks")
        << QByteArray("[SYSTEM]\nPath=\"/my programs/sevrin\"\n") << 0 << 0
        << "/my programs/sevrin/LIB/lib_v3p4.xlsx";
}

void TestStartup::readConfig()
{
    QFETCH(QByteArray, ini);
    QFETCH(int, print);
    QFETCH(int, button);
    QFETCH(QString, libWorkbook);
    QVERIFY(WriteFile(QStringLiteral("ORVA.ini"), ini));
    QVERIFY(theApp.ReadConfig());
    QCOMPARE(theApp.AppSettings.PrintMode, print);
    QCOMPARE(theApp.AppSettings.ShowInsertButtons, button);
    QCOMPARE(theApp.ProjectPathTable.LibWorkbookPath, libWorkbook);
}

void TestStartup::secondInstanceEndsFirst()
{
    makeProgramFolder(false, false);
    m_server.setReply("/vcheck", {200, "Content-Type: text/html; charset=UTF-8\r\n", "<b>update</b>", false});
    // Another running copy holds the lock.
    QLockFile other(SingleInstanceLockPath(QStringLiteral("ORVAapp")));
    QVERIFY(other.tryLock(0));

    QCOMPARE(Start(), std::optional<int>(1));
    QCOMPARE(m_prompt->messages, QStringList{QStringLiteral("프로그램이 이미 실행 중입니다.")});
    QVERIFY(m_server.requests.isEmpty());  // before any query ...
    // ... and before any workbook load (the missing workbooks were not reported).
    other.unlock();
    QCOMPARE(ReadFile(QStringLiteral("ORVA.ini")).count("lastPro=/old/P0.pro"), 1);
}

void TestStartup::missingWorkbookEndsWithItsPath_data()
{
    QTest::addColumn<bool>("withLib");
    QTest::addColumn<bool>("withBreaker");
    QTest::addColumn<QString>("missing");
    QTest::addColumn<QByteArray>("corruptContent");  // written in place of the missing one
    QTest::newRow("library workbook") << false << true << "lib_v3p4.xlsx" << QByteArray();
    QTest::newRow("breaker workbook") << true << false << "breaker_v3p4.xlsx" << QByteArray();
    QTest::newRow("library workbook that is no workbook")
        << false << true << "lib_v3p4.xlsx" << QByteArray("not a workbook");
    QTest::newRow("breaker workbook cut short")
        << true << false << "breaker_v3p4.xlsx" << QByteArray("PK\x03\x04\x14\x00", 6);
}

void TestStartup::missingWorkbookEndsWithItsPath()
{
    QFETCH(bool, withLib);
    QFETCH(bool, withBreaker);
    QFETCH(QString, missing);
    QFETCH(QByteArray, corruptContent);
    const QString root = makeProgramFolder(withLib, withBreaker);
    if (!corruptContent.isEmpty())
        QVERIFY(WriteFile(root + QStringLiteral("/LIB/") + missing, corruptContent));
    const QByteArray iniBefore = ReadFile(QStringLiteral("ORVA.ini"));
    theApp.ProjectPathTable.CurrentProjectPath.clear();

    QCOMPARE(Start(), std::optional<int>(1));
    QCOMPARE(m_prompt->messages, QStringList{kNoLib.arg(root + QStringLiteral("/LIB/") + missing)});
    // The server was asked before the workbooks were loaded.
    QCOMPARE(m_server.requests.size(), 2);
    // An early exit takes no exit road: "lastPro" is left as it was.
    QCOMPARE(ReadFile(QStringLiteral("ORVA.ini")), iniBefore);
}

void TestStartup::normalStartAndExit()
{
    makeProgramFolder();
    QCOMPARE(Start(), std::nullopt);
    QVERIFY(m_prompt->messages.isEmpty());
    QCOMPARE(theApp.ProjectPathTable.CurrentProjectPath, QStringLiteral("/old/P0.pro"));
    QCOMPARE(theApp.CurrentScreen, Screen::Start);
    QCOMPARE(theApp.ProjectLoaded, 0);
    // Every screen is built and sits in its own place.
    const char* const classes[kScreenCount] = {
        "CStartScreen",      "CProjectScreen",     "CLibraryScreen", "CWebScreen",
        "CMccScreen",        "CBoardScreen",       "CTransformerScreen", "CCableScreen",
        "CTrayScreen",       "CGeneratorScreen",   "CSwitchgearScreen",  "CFaultScreen",
        "CGroundingScreen"};
    for (int i = 0; i < kScreenCount; ++i) {
        const CFormView* view = theApp.ScreenView(Screen(i));
        QVERIFY2(view, classes[i]);
        QCOMPARE(view->metaObject()->className(), classes[i]);
    }
    QCOMPARE(MainFrame()->ActiveView(), theApp.ScreenView(Screen::Start));

    theApp.ProjectPathTable.CurrentProjectPath = QStringLiteral("/home/u/PRO/가나/가나.pro");
    QCOMPARE(ExitInstance(0), 0);
    QCOMPARE(MainFrame(), nullptr);
    const QByteArray ini = ReadFile(QStringLiteral("ORVA.ini"));
    QVERIFY2(ini.startsWith("; test configuration\n[SYSTEM]\nPath="), ini);
    QVERIFY2(ini.contains("\nlastPro=/home/u/PRO/가나/가나.pro\n"), ini);
    QCOMPARE(ini.count("lastPro"), 1);
}

void TestStartup::serverAnswers_data()
{
    QTest::addColumn<QByteArray>("update");
    QTest::addColumn<QByteArray>("notice");
    QTest::addColumn<QStringList>("clicks");
    QTest::addColumn<int>("exitCode");  // -1: start-up goes on
    QTest::addColumn<QStringList>("captions");
    QTest::addColumn<int>("opened");
    QTest::addColumn<int>("requests");

    QTest::newRow("white space only shows nothing")
        << QByteArray(" \r\n\t ") << QByteArray("\n  \n") << QStringList{} << -1 << QStringList{} << 0 << 2;
    QTest::newRow("update: 프로그램 종료 ends with 1")
        << QByteArray("<b>새 버전이 있습니다</b>") << QByteArray("<p>notice</p>") << QStringList{"1"} << 1
        << QStringList{"업데이트"} << 0 << 1;
    QTest::newRow("update: 계속 진행 goes on")
        << QByteArray("<b>새 버전이 있습니다</b>") << QByteArray() << QStringList{"2"} << -1
        << QStringList{"업데이트"} << 0 << 2;
    QTest::newRow("notice: 공지사항 열기 twice, then 계속 진행")
        << QByteArray() << QByteArray("  <p>점검 안내</p>  ") << QStringList{"1", "1", "2"} << -1
        << QStringList{"공지사항"} << 2 << 2;
    QTest::newRow("both dialogs in turn")
        << QByteArray("<b>update</b>") << QByteArray("<p>notice</p>") << QStringList{"2", "2"} << -1
        << QStringList{"업데이트", "공지사항"} << 0 << 2;
}

void TestStartup::serverAnswers()
{
    QFETCH(QByteArray, update);
    QFETCH(QByteArray, notice);
    QFETCH(QStringList, clicks);
    QFETCH(int, exitCode);
    QFETCH(QStringList, captions);
    QFETCH(int, opened);
    QFETCH(int, requests);

    makeProgramFolder();
    const QByteArray iniBefore = ReadFile(QStringLiteral("ORVA.ini"));
    m_server.setReply("/vcheck", {200, "Content-Type: text/html; charset=UTF-8\r\n", update, false});
    m_server.setReply("/ncheck", {200, "Content-Type: text/html; charset=UTF-8\r\n", notice, false});

    WebDialogDriver driver(clicks);
    const std::optional<int> code = Start();
    QCOMPARE(code.value_or(-1), exitCode);
    QCOMPARE(driver.captions, captions);
    QCOMPARE(m_server.requests.size(), requests);
    for (const LocalHttpServer::Request& r : m_server.requests)
        QCOMPARE(r.body, QByteArray("minor_ver=231010"));
    QCOMPARE(m_server.requests.value(0).path, QByteArray("/vcheck"));
    if (requests > 1)
        QCOMPARE(m_server.requests.value(1).path, QByteArray("/ncheck"));

    for (int i = 0; i < captions.size(); ++i) {
        if (captions[i] == QStringLiteral("업데이트"))
            QCOMPARE(driver.buttonTexts[i], QStringLiteral("프로그램 종료|계속 진행"));
        else
            QCOMPARE(driver.buttonTexts[i], QStringLiteral("공지사항 열기|계속 진행"));
    }
    if (captions.contains(QStringLiteral("공지사항")))
        QVERIFY(driver.htmlShown.last().contains(QStringLiteral("notice")) ||
                driver.htmlShown.last().contains(QStringLiteral("점검 안내")));

    const QString address = QStringLiteral("http://127.0.0.1:%1/nboard/").arg(m_server.port());
    QCOMPARE(m_prompt->openedWithDefault, QStringList(opened, address).mid(0, opened));
    QVERIFY(m_prompt->messages.isEmpty());
    if (exitCode == 1)
        QCOMPARE(ReadFile(QStringLiteral("ORVA.ini")), iniBefore);  // no exit road
    else
        QCOMPARE(theApp.CurrentScreen, Screen::Start);
}

void TestStartup::windowTitles()
{
    makeProgramFolder();
    QCOMPARE(Start(), std::nullopt);
    QCOMPARE(theApp.MainTitle(), kInitialTitle);
    QCOMPARE(MainFrame()->windowTitle(), kInitialTitle);

    theApp.ProjectPathTable.CurrentProjectPath = m_caseDir + QStringLiteral("/PRO/a.pro.pro");
    const QString project = kInitialTitle + QStringLiteral("프로젝트 명:a");
    struct Case
    {
        Screen screen;
        QString title;
    };
    const Case cases[] = {
        {Screen::Project, project},
        {Screen::Mcc, project + QStringLiteral("-동력(10)")},
        {Screen::PanelBoard, project + QStringLiteral("-부하(20)")},
        {Screen::Transformer, project + QStringLiteral("-변압기용량(30)")},
        {Screen::Cable, project + QStringLiteral("-케이블&차단기(40)")},
        {Screen::Tray, project + QStringLiteral("-케이블 트레이(50)")},
        {Screen::Generator, project + QStringLiteral("-발전기용량(60)")},
        {Screen::FaultCurrent, project + QStringLiteral("-고장전류(80)")},
        {Screen::Grounding, project + QStringLiteral("-접지저항(90)")},
    };
    for (const Case& c : cases) {
        SwitchView(Screen::Project);
        SwitchView(c.screen);
        QCOMPARE(theApp.CurrentScreen, c.screen);
        QCOMPARE(MainFrame()->windowTitle(), c.title);
        QCOMPARE(MainFrame()->ActiveView(), theApp.ScreenView(c.screen));
    }
    // Screens that keep the title they find: after the grounding screen, the start screen,
    // the web view and the switchgear screen still show its suffix.
    for (Screen screen : {Screen::Start, Screen::Web, Screen::Switchgear, Screen::Start}) {
        SwitchView(screen);
        QCOMPARE(theApp.CurrentScreen, screen);
        QCOMPARE(MainFrame()->windowTitle(), project + QStringLiteral("-접지저항(90)"));
    }
    SwitchView(Screen::Library);
    QCOMPARE(MainFrame()->windowTitle(),
             kInitialTitle + QStringLiteral("라이브러리 버전:lib_v3p4/breaker_v3p4"));

    // Exactly one screen is visible.
    int visible = 0;
    for (CFormView* v : theApp.Screens)
        visible += v->isVisibleTo(MainFrame()) ? 1 : 0;
    QCOMPARE(visible, 1);
}

void TestStartup::switchToShownScreenChangesNothing()
{
    makeProgramFolder();
    QCOMPARE(Start(), std::nullopt);
    theApp.SetMainTitle(QStringLiteral("marker"), QString());
    CFormView* start = theApp.ScreenView(Screen::Start);
    QCOMPARE(SwitchView(Screen::Start), start);
    QCOMPARE(MainFrame()->windowTitle(), kInitialTitle + QStringLiteral("marker"));
    QCOMPARE(theApp.CurrentScreen, Screen::Start);

    theApp.ProjectPathTable.CurrentProjectPath = QStringLiteral("/p/P1.pro");
    QCOMPARE(SwitchView(Screen::Project), start);
    theApp.SetMainTitle(QStringLiteral("marker2"), QString());
    QCOMPARE(SwitchView(Screen::Project), theApp.ScreenView(Screen::Project));
    QCOMPARE(MainFrame()->windowTitle(), kInitialTitle + QStringLiteral("marker2"));
}

void TestStartup::projectScreenNeedsAProject_data()
{
    QTest::addColumn<QString>("projectPath");
    QTest::newRow("no project") << "";
    QTest::newRow("path ending in a separator") << "/home/u/PRO/";
    QTest::newRow("Windows path ending in a backslash") << "C:\\PRO\\P1\\";
    QTest::newRow("name is only .pro") << "/home/u/PRO/.pro";
}

void TestStartup::projectScreenNeedsAProject()
{
    QFETCH(QString, projectPath);
    makeProgramFolder();
    QCOMPARE(Start(), std::nullopt);
    theApp.ProjectPathTable.CurrentProjectPath = projectPath;
    QCOMPARE(SwitchView(Screen::Project), nullptr);
    QCOMPARE(m_prompt->messages,
             QStringList{QStringLiteral("선택된 프로젝트 파일이 없습니다.\n새로 만들거나 불러오기를 통해 "
                                        "프로젝트 파일을 지정하세요.")});
    QCOMPARE(theApp.CurrentScreen, Screen::Start);
    QCOMPARE(MainFrame()->ActiveView(), theApp.ScreenView(Screen::Start));
    QCOMPARE(MainFrame()->windowTitle(), kInitialTitle);
    QCOMPARE(theApp.ProjectLoaded, 0);
}

void TestStartup::insertButtonsFollowSetting()
{
    makeProgramFolder(true, true, "Button=1\n");
    QCOMPARE(Start(), std::nullopt);
    auto plusButtons = [] {
        QList<QPushButton*> found;
        for (CFormView* v : theApp.Screens)
            for (int id : kInsertButtons)
                if (auto* b = v->findChild<QPushButton*>(QString::number(id)))
                    found.append(b);
        return found;
    };
    QCOMPARE(plusButtons().size(), 12);
    for (QPushButton* b : plusButtons()) {
        QCOMPARE(b->text(), QStringLiteral("+"));
        QVERIFY2(b->isHidden(), qPrintable(b->objectName()));  // created hidden
    }

    theApp.ProjectPathTable.CurrentProjectPath = QStringLiteral("/p/P1.pro");
    SwitchView(Screen::Project);
    for (QPushButton* b : plusButtons())
        QVERIFY2(!b->isHidden(), qPrintable(b->objectName()));

    // "Button" off: every later entry to the project screen hides them again.
    theApp.AppSettings.ShowInsertButtons = 0;
    SwitchView(Screen::Start);
    SwitchView(Screen::Project);
    for (QPushButton* b : plusButtons())
        QVERIFY2(b->isHidden(), qPrintable(b->objectName()));
}

void TestStartup::projectLoadsOnFirstEntryOnly()
{
    makeProgramFolder();
    QCOMPARE(Start(), std::nullopt);
    // A real project file, made from the template as the start screen makes one.
    const QString project = m_caseDir + QStringLiteral("/PRO/P1/P1.pro");
    QVERIFY(QDir().mkpath(GetFolderOfPath(project)));
    QVERIFY(QFile::copy(ProgramDir() + QStringLiteral("/FORM/form.pro"), project));
    QFile::setPermissions(project, QFile::permissions(project) | QFileDevice::WriteOwner);
    const QString section = QStringLiteral("Project_Introduce");
    QVERIFY(WriteProfileString(project, section, QStringLiteral("ProjectName"), QStringLiteral("1차 설계")));
    theApp.ProjectPathTable.CurrentProjectPath = project;
    QCOMPARE(theApp.ProjectLoaded, 0);
    auto shownName = [] {
        return theApp.ScreenView(Screen::Project)->findChild<QLineEdit*>(QStringLiteral("1027"))->text();
    };

    SwitchView(Screen::Project);
    QCOMPARE(theApp.ProjectLoaded, 1);
    QCOMPARE(theApp.ProjectIntroduceBlock.ProjectName, QStringLiteral("1차 설계"));
    QCOMPARE(shownName(), QStringLiteral("1차 설계"));

    // The file changes behind the program's back; leaving and entering again does not read it
    // again: what the screens hold (and may not have saved yet) stays.
    QVERIFY(WriteProfileString(project, section, QStringLiteral("ProjectName"), QStringLiteral("2차 설계")));
    SwitchView(Screen::Start);
    SwitchView(Screen::Project);
    QCOMPARE(theApp.ProjectIntroduceBlock.ProjectName, QStringLiteral("1차 설계"));
    QCOMPARE(shownName(), QStringLiteral("1차 설계"));

    // A project made current again (as the start screen does) loads on the next entry.
    SwitchView(Screen::Start);
    theApp.ProjectLoaded = 0;
    SwitchView(Screen::Project);
    QCOMPARE(theApp.ProjectLoaded, 1);
    QCOMPARE(theApp.ProjectIntroduceBlock.ProjectName, QStringLiteral("2차 설계"));
    QCOMPARE(shownName(), QStringLiteral("2차 설계"));
    QVERIFY(MainFrame()->windowTitle().endsWith(QStringLiteral("프로젝트 명:P1")));
}

void TestStartup::enterEscapeFiltered()
{
    makeProgramFolder();
    QCOMPARE(Start(), std::nullopt);
    // The project screen discards Enter and Escape; the library screen does not.
    struct Case
    {
        Screen screen;
        bool filtered;
    };
    for (const Case c : {Case{Screen::Project, true}, Case{Screen::Library, false},
                         Case{Screen::Cable, true}, Case{Screen::FaultCurrent, true}}) {
        CFormView* view = theApp.ScreenView(c.screen);
        QCOMPARE(view->FiltersEnterEscape(), c.filtered);
        auto* edit = new QLineEdit(view);
        QSignalSpy returns(edit, &QLineEdit::returnPressed);
        QTest::keyClick(edit, Qt::Key_Return);
        QTest::keyClick(edit, Qt::Key_A);
        QCOMPARE(returns.size(), c.filtered ? 0 : 1);
        QCOMPARE(edit->text(), QStringLiteral("a"));  // other keys pass
        delete edit;
    }
}

void TestStartup::frameSizeForDisplayScale()
{
    QCOMPARE(CMainFrame::FrameSizeForScale(1.0, 1.0), QSize(1920, 1080));
    QCOMPARE(CMainFrame::FrameSizeForScale(96.0 / 144.0, 96.0 / 144.0), QSize(2880, 1620));
    CMainFrame::SetDisplayScale(144.0, 144.0);
    QVERIFY(qFuzzyCompare(theApp.DpiScaleX, 96.0 / 144.0));
    // An unreadable display falls back to 100 %.
    CMainFrame::SetDisplayScale(0.0, 0.0);
    QVERIFY(qFuzzyCompare(theApp.DpiScaleX, 1.0));
    QVERIFY(qFuzzyCompare(theApp.DpiScaleY, 1.0));
}

void TestStartup::smallDialogs()
{
    {
        CTextInputDlg dlg;
        QCOMPARE(dlg.windowTitle(), QStringLiteral("입력 창"));
        dlg.SetLabel(QStringLiteral("BUS NAME"));
        QCOMPARE(dlg.findChild<QWidget*>(QStringLiteral("1730"))->property("text").toString(),
                 QStringLiteral("BUS NAME"));
        // Enter confirms an empty edit: accepted with an empty value.
        QTimer::singleShot(0, &dlg, [&dlg] {
            QTest::keyClick(dlg.findChild<QLineEdit*>(QStringLiteral("1179")), Qt::Key_Return);
        });
        QCOMPARE(dlg.exec(), int(QDialog::Accepted));
        QCOMPARE(dlg.Value(), QString());
    }
    {
        CTextInputDlg dlg;
        QTimer::singleShot(0, &dlg, [&dlg] {
            auto* edit = dlg.findChild<QLineEdit*>(QStringLiteral("1179"));
            QTest::keyClicks(edit, QStringLiteral("P100"));
            dlg.findChild<QPushButton*>(QStringLiteral("1"))->click();
        });
        QCOMPARE(dlg.exec(), int(QDialog::Accepted));
        QCOMPARE(dlg.Value(), QStringLiteral("P100"));
    }
    {
        CRunDlg dlg;
        QCOMPARE(dlg.windowTitle(), QStringLiteral("실행"));
        dlg.SetMessage(QStringLiteral("현재 프로젝트을 삭제합니다."));
        QCOMPARE(dlg.findChild<QWidget*>(QStringLiteral("1736"))->property("text").toString(),
                 QStringLiteral("현재 프로젝트을 삭제합니다."));
        QTimer::singleShot(0, &dlg, [&dlg] { QTest::keyClick(&dlg, Qt::Key_Escape); });
        QCOMPARE(dlg.exec(), int(QDialog::Rejected));
    }
    {
        // An answer of white space only leaves the dialog in its neutral form.
        CWebDlg dlg(QStringLiteral("updates"), QStringLiteral("   "), QString());
        QCOMPARE(dlg.windowTitle(), QStringLiteral("HTML View"));
        QCOMPARE(dlg.findChild<QPushButton*>(QStringLiteral("1"))->text(), QStringLiteral("확인"));
    }
    {
        // The HTML is shown rendered, not as source.
        CWebDlg dlg(QStringLiteral("notice"), QStringLiteral("  <p><b>점검</b> 안내</p> "),
                    QStringLiteral("https://example.invalid/nboard/"));
        QCOMPARE(dlg.windowTitle(), QStringLiteral("공지사항"));
        QCOMPARE(dlg.Html(), QStringLiteral("<p><b>점검</b> 안내</p>"));
        QCOMPARE(dlg.Browser()->toPlainText(), QStringLiteral("점검 안내"));
    }
}

void TestStartup::buildLaysOutTheProgramFolder()
{
    // Everything the program needs beside it, so that it runs however it is started.
    const QDir program(ProgramDir());
    for (const char* folder : {"LIB", "FORM", "PRO", "OUT", "CI"})
        QVERIFY2(QFileInfo(program.filePath(QLatin1String(folder))).isDir(), folder);
    for (const char* file : {"LIB/lib_v3p4.xlsx", "LIB/breaker_v3p4.xlsx", "FORM/form.pro", "ORVA.ini"})
        QVERIFY2(QFileInfo(program.filePath(QLatin1String(file))).isFile(), file);
    QVERIFY(QFileInfo(program.filePath(QStringLiteral("sevrin"))).isExecutable());

    // The layout step on an empty folder: the folders and a default configuration whose root
    // is the executable's folder and which asks no server ...
    const QString cmake = QStandardPaths::findExecutable(QStringLiteral("cmake"));
    if (cmake.isEmpty())
        QSKIP("cmake is not on the path");
    QTemporaryDir dir;
    const QString script = SourceDir() + QStringLiteral("/cmake/programfolder.cmake");
    const QStringList args{QStringLiteral("-DPROGRAM_DIR=") + dir.path(), QStringLiteral("-P"), script};
    QCOMPARE(QProcess::execute(cmake, args), 0);
    const QString ini = dir.filePath(QStringLiteral("ORVA.ini"));
    QVERIFY(QDir::setCurrent(dir.path()));
    QVERIFY(theApp.ReadConfig());
    QCOMPARE(theApp.ProjectPathTable.RootPath, QCoreApplication::applicationDirPath());
    QCOMPARE(theApp.ProjectPathTable.LibFolder, QStringLiteral("LIB"));
    QCOMPARE(theApp.ProjectPathTable.CiFolder, QStringLiteral("CI"));
    QCOMPARE(theApp.ServerSettings.ServerHost, QString());
    for (const char* folder : {"LIB", "FORM", "PRO", "OUT", "CI"})
        QVERIFY2(QFileInfo(dir.filePath(QLatin1String(folder))).isDir(), folder);
    // ... and a configuration that exists is the user's: the next build leaves it alone.
    QVERIFY(WriteProfileString(ini, QStringLiteral("SYSTEM"), QStringLiteral("lastPro"), QStringLiteral("/p/P1.pro")));
    const QByteArray edited = ReadFile(ini);
    QCOMPARE(QProcess::execute(cmake, args), 0);
    QCOMPARE(ReadFile(ini), edited);
    QVERIFY(QDir::setCurrent(m_caseDir));
}

void TestStartup::strayLibraryWorkbookIsRefused()
{
    // A workbook that opens but is no library: one empty sheet, as a spreadsheet program makes
    // a new workbook. Start-up refuses it as it refuses an unreadable one, and leaves it alone.
    const QString root = makeProgramFolder();
    const QString lib = root + QStringLiteral("/LIB/lib_v3p4.xlsx");
    QVERIFY(QFile::remove(lib));
    const PythonResult r = RunPython(QStringLiteral("import openpyxl,sys\n"
                                                    "openpyxl.Workbook().save(sys.argv[1])\n"),
                                     {lib});
    QVERIFY2(r.exitCode == 0, qPrintable(r.err));
    const QByteArray before = ReadFile(lib);
    QCOMPARE(Start(), std::optional<int>(1));
    QCOMPARE(m_prompt->messages, QStringList{kNoLib.arg(lib)});
    QCOMPARE(ReadFile(lib), before);
}

void TestStartup::lockLivesInTheUsersRuntimeFolder()
{
    const QByteArray runtime = qgetenv("XDG_RUNTIME_DIR");
    const QByteArray tmp = qgetenv("TMPDIR");
    QTemporaryDir session;
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(session.path()));
    QCOMPARE(SingleInstanceLockPath(QStringLiteral("ORVAapp")), session.filePath(QStringLiteral("ORVAapp.lock")));

    // No runtime folder (a session without one): a folder of the user's own in the temporary
    // folder, closed to others.
    QTemporaryDir temp;
    qunsetenv("XDG_RUNTIME_DIR");
    qputenv("TMPDIR", QFile::encodeName(temp.path()));
    const QString own = temp.filePath(QStringLiteral("sevrin-%1").arg(::getuid()));
    QCOMPARE(SingleInstanceLockPath(QStringLiteral("ORVAapp")), own + QStringLiteral("/ORVAapp.lock"));
    QCOMPARE(QFileInfo(own).permissions() & (QFileDevice::ReadGroup | QFileDevice::WriteGroup |
                                             QFileDevice::ReadOther | QFileDevice::WriteOther),
             QFileDevice::Permissions());
    // A folder of that name that is not closed to others is not used.
    QVERIFY(QFile::setPermissions(own, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner |
                                           QFileDevice::WriteOther | QFileDevice::ExeOther));
    QCOMPARE(SingleInstanceLockPath(QStringLiteral("ORVAapp")),
             temp.filePath(QStringLiteral("ORVAapp-%1.lock").arg(::getuid())));

    qputenv("XDG_RUNTIME_DIR", runtime);
    qputenv("TMPDIR", tmp);
}

void TestStartup::copyOnAnotherSessionDoesNotBlock()
{
    makeProgramFolder();
    const QByteArray runtime = qgetenv("XDG_RUNTIME_DIR");
    // A copy runs on another display of the same user: it holds the lock of its session.
    QTemporaryDir otherSession;
    QLockFile other(otherSession.filePath(QStringLiteral("ORVAapp.lock")));
    QVERIFY(other.tryLock(0));
    QTemporaryDir thisSession;
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(thisSession.path()));
    QCOMPARE(Start(), std::nullopt);
    QVERIFY(m_prompt->messages.isEmpty());
    QVERIFY(QFile::exists(thisSession.filePath(QStringLiteral("ORVAapp.lock"))));
    ExitInstance(0);
    ReleaseSingleInstanceLock();

    // On the same session the running copy ends start-up.
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(otherSession.path()));
    QCOMPARE(Start(), std::optional<int>(1));
    QCOMPARE(m_prompt->messages, QStringList{QStringLiteral("프로그램이 이미 실행 중입니다.")});
    qputenv("XDG_RUNTIME_DIR", runtime);
}

void TestStartup::twoProcessesWithOwnRuntimeFoldersBothStart()
{
    // The program itself, started twice from a program folder, each on its own session.
    const QString root = makeProgramFolder();
    WriteFile(QDir(m_caseDir).filePath(QStringLiteral("ORVA.ini")), "[SYSTEM]\nPath=" + root.toUtf8() + "\n");
    QTemporaryDir sessions[2];
    QProcess copies[2];
    for (int i = 0; i < 2; ++i) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), sessions[i].path());
        copies[i].setProcessEnvironment(env);
        copies[i].setWorkingDirectory(m_caseDir);
        copies[i].setProcessChannelMode(QProcess::ForwardedErrorChannel);
        copies[i].start(ProgramExe(), {});
        QVERIFY2(copies[i].waitForStarted(kPatienceMs), qPrintable(copies[i].errorString()));
    }
    // Each takes the lock of its own session (the lock file names its process) and runs on:
    // neither quits because of the other, both still run once both locks are taken.
    for (int i = 0; i < 2; ++i) {
        const QString lock = sessions[i].filePath(QStringLiteral("ORVAapp.lock"));
        QTRY_VERIFY_WITH_TIMEOUT(ReadFile(lock).startsWith(QByteArray::number(copies[i].processId()) + '\n'), kPatienceMs);
    }
    for (QProcess& p : copies) {
        QCOMPARE(p.state(), QProcess::Running);
        p.kill();
        p.waitForFinished(10000);
    }
}

void TestStartup::htmlLinksGoToTheDesktopOnlyForTheWeb_data()
{
    QTest::addColumn<QString>("link");
    QTest::addColumn<bool>("opened");
    QTest::newRow("https") << "https://srv.example/notice/12" << true;
    QTest::newRow("http") << "http://srv.example/notice" << true;
    QTest::newRow("scheme in capitals") << "HTTPS://srv.example/" << true;
    QTest::newRow("local file") << "file:///etc/passwd" << false;
    QTest::newRow("script") << "javascript:alert(1)" << false;
    QTest::newRow("mail") << "mailto:admin@srv.example" << false;
    QTest::newRow("relative link") << "notice.html" << false;
    QTest::newRow("program scheme") << "ms-settings:display" << false;
    QTest::newRow("web scheme without a host") << "https:///etc/passwd" << false;
}

void TestStartup::htmlLinksGoToTheDesktopOnlyForTheWeb()
{
    QFETCH(QString, link);
    QFETCH(bool, opened);
    CWebDlg dlg(QStringLiteral("notice"), QStringLiteral("<a href=\"%1\">link</a>").arg(link), QString());
    // As a click on the link delivers it.
    emit dlg.Browser()->anchorClicked(QUrl(link));
    QCOMPARE(m_prompt->openedWithDefault, opened ? QStringList{QUrl(link).toString()} : QStringList{});
}

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"
