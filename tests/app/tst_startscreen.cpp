// The start screen driven through its buttons, offscreen, with the recording prompt answering
// the dialogs: new, open, copy and delete of a project, the project load that follows, and
// the sheet protection switched off by the load and on again at exit.
#include "app/core/projectfile.h"
#include "app/core/sevrin.h"
#include "app/gui/formview.h"
#include "app/gui/mainfrm.h"
#include "app/gui/sevrinapp.h"
#include "common/notprojectfiles.h"
#include "common/recordingprompt.h"
#include "common/testpaths.h"
#include "common/sheetprotection.h"
#include "common/testsupport.h"
#include "loads/gui/transformerscreen.h"
#include "platform/profile.h"
#include "platform/singleinstance.h"
#include "platform/xlsxbook.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QString kTemplate = ProgramDir() + QStringLiteral("/FORM/form.pro");
const QString kNoProject = QStringLiteral(
    "선택된 프로젝트 파일이 없습니다.\n새로 만들거나 불러오기를 통해 프로젝트 파일을 지정하세요.");
const QString kDeleted = QStringLiteral(
    "프로젝트 파일을 모두 삭제 하였습니다.\n새로 만들거나 기존 프로젝트를 불러 오셔야 합니다.");

bool MakeWorkbook(const QString& path, bool protect)
{
    Book book;
    Sheet* sheet = book.addSheet(QStringLiteral("0"));
    if (!sheet)
        return false;
    sheet->writeStr(0, 0, QStringLiteral("row"));
    // The first line of the library's line-impedance table, so that the workbook is a library.
    sheet->writeStr(6, 0, QStringLiteral("ACSR-32"));
    sheet->setProtect(protect);
    return book.save(path);
}

QStringList FilesIn(const QString& folder)
{
    QStringList files = QDir(folder).entryList(QDir::Files);
    files.sort();
    return files;
}

}  // namespace

class TestStartScreen : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void layout();
    void newProjectWithPickerCancelled();
    void newProjectInPickedFolderNeverOverwrites();
    void badProjectNumbersAreRefused_data();
    void badProjectNumbersAreRefused();
    void copyTakesTheProjectsWorkbooks();
    void copyOntoItselfCopiesNothing();
    void deleteProject();
    void deleteWithoutProject();
    void openProjectUnprotectsAndExitProtects();
    void transformerSettingsThroughTheScreen();
    void notAProjectIsNeverOpened_data();
    void notAProjectIsNeverOpened();
    void refusedOpenKeepsTheCurrentProject();
    void noticeAndBoard_data();
    void noticeAndBoard();

private:
    CFormView* start() const { return theApp.ScreenView(Screen::Start); }
    void click(int id);
    // A project with its file made from the template and the given workbooks, in PRO.
    QString makeProject(const QString& number, const QStringList& suffixes, bool protect = false);

    QTemporaryDir m_tmp;
    QString m_root;
    QString m_pro;
    RecordingPrompt* m_prompt = nullptr;
    int m_case = 0;
};

void TestStartScreen::initTestCase()
{
    QVERIFY(m_tmp.isValid());
    QVERIFY(QFile::exists(kTemplate));
    QDir(m_tmp.path()).mkpath(QStringLiteral("locks"));
    // The single-instance lock lives in the runtime folder: give this test its own.
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(m_tmp.filePath(QStringLiteral("locks"))));
}

void TestStartScreen::init()
{
    const QString caseDir = m_tmp.filePath(QStringLiteral("case%1").arg(++m_case));
    m_root = caseDir + QStringLiteral("/program");
    m_pro = m_root + QStringLiteral("/PRO");
    QVERIFY(QDir().mkpath(m_root + QStringLiteral("/LIB")));
    QVERIFY(QDir().mkpath(m_root + QStringLiteral("/FORM")));
    QVERIFY(QDir().mkpath(m_pro));
    QVERIFY(QFile::copy(kTemplate, m_root + QStringLiteral("/FORM/form.pro")));
    QVERIFY(MakeWorkbook(m_root + QStringLiteral("/LIB/lib_v3p4.xlsx"), true));
    QVERIFY(MakeWorkbook(m_root + QStringLiteral("/LIB/breaker_v3p4.xlsx"), true));
    QVERIFY(MakeWorkbook(m_root + QStringLiteral("/FORM/form.xlsx"), true));
    QVERIFY(QDir::setCurrent(caseDir));
    QVERIFY(WriteFile(QStringLiteral("ORVA.ini"), "[SYSTEM]\nPath=" + m_root.toUtf8() + "\n"));

    m_prompt = RecordingPrompt::Install();
    ReleaseSingleInstanceLock();
    QVERIFY(InitInstance());
    QVERIFY(m_prompt->messages.isEmpty());
    MainFrame()->show();
}

void TestStartScreen::cleanup()
{
    ExitInstance();
    ReleaseSingleInstanceLock();
}

void TestStartScreen::click(int id)
{
    QPushButton* button = start()->Control<QPushButton>(id);
    QVERIFY2(button, qPrintable(QString::number(id)));
    button->click();
}

QString TestStartScreen::makeProject(const QString& number, const QStringList& suffixes, bool protect)
{
    const QString folder = m_pro + QLatin1Char('/') + number;
    QDir().mkpath(folder);
    const QString path = folder + QLatin1Char('/') + number + QStringLiteral(".pro");
    QFile::copy(kTemplate, path);
    QFile::setPermissions(path, QFile::permissions(path) | QFileDevice::WriteOwner);
    if (!WriteProfileString(path, QStringLiteral("Project_Introduce"), QStringLiteral("ProjectNumber"), number))
        return QString();
    for (const QString& suffix : suffixes)
        MakeWorkbook(folder + QLatin1Char('/') + number + suffix, protect);
    return path;
}

void TestStartScreen::layout()
{
    const DialogUnits& du = start()->Units();
    struct Expected
    {
        int id;
        const char* caption;
        QRect rect;
        bool visible;
    };
    const Expected buttons[] = {
        {1005, "프로젝트\n새로만들기", du.Rect(12, 7, 50, 27), true},
        {1002, "프로젝트\n불러오기", du.Rect(12, 41, 50, 27), true},
        {1007, "프로젝트\n삭제하기", du.Rect(12, 75, 50, 27), true},
        {1010, "프로젝트\n복사하기", du.Rect(12, 110, 50, 27), true},
        {1000, "시작하기", du.Rect(12, 145, 50, 27), true},
        {1001, "라이브러리", du.Rect(12, 180, 50, 27), true},
        {1003, "도움말", du.Rect(12, 377, 50, 14), false},
        {1006, "업데이트", du.Rect(12, 395, 50, 14), false},
        {1009, "공지사항", du.Rect(12, 430, 50, 27), true},
        {1004, "소통 게시판", du.Rect(12, 465, 50, 27), true},
    };
    for (const Expected& e : buttons) {
        auto* b = start()->Control<QPushButton>(e.id);
        QVERIFY2(b, qPrintable(QString::number(e.id)));
        QCOMPARE(b->text(), QString::fromUtf8(e.caption));
        QCOMPARE(b->geometry(), e.rect);
        QCOMPARE(b->isVisible(), e.visible);
    }
    auto* picture = start()->Control<QLabel>(1262);
    QVERIFY(picture);
    QCOMPARE(picture->geometry(), du.Rect(68, 7, 871, 447));
    QVERIFY(!picture->pixmap().isNull());

    // The hidden help and update buttons still answer.
    click(1006);
    QCOMPARE(m_prompt->messages.value(0), QStringLiteral("게시판을 이용하세요.!!!"));

    // For a look by eye.
    QVERIFY(start()->grab().save(ShotsDir() + QStringLiteral("/sevrin-startscreen.png")));
}

void TestStartScreen::newProjectWithPickerCancelled()
{
    m_prompt->inputAnswers.push_back(QStringLiteral("P100"));
    m_prompt->pickFolderAnswers.push_back(QString());  // cancelled: the default place
    click(1005);

    const QString project = m_pro + QStringLiteral("/P100/P100.pro");
    QVERIFY(m_prompt->messages.isEmpty());
    QCOMPARE(m_prompt->inputLabels, QStringList{QStringLiteral("프로젝트 넘버")});
    QCOMPARE(FilesIn(m_pro + QStringLiteral("/P100")), QStringList{QStringLiteral("P100.pro")});
    // The template's content, with the number written in.
    QByteArray expected = ReadFile(kTemplate);
    expected.replace("\nProjectNumber=\n", "\nProjectNumber=P100\n");
    QCOMPARE(ReadFile(project), expected);

    QCOMPARE(theApp.ProjectPathTable.CurrentProjectPath, project);
    QCOMPARE(GetProfileString(QStringLiteral("ORVA.ini"), QStringLiteral("SYSTEM"), QStringLiteral("lastPro")), project);
    // The project screen is shown and has loaded the new project.
    QCOMPARE(theApp.CurrentScreen, Screen::Project);
    QCOMPARE(theApp.ProjectLoaded, 1);
    QCOMPARE(theApp.ProjectIntroduceBlock.ProjectNumber, QStringLiteral("P100"));
    QCOMPARE(theApp.FaultCurrentBlock.UtilityInput[1], QStringLiteral("00 S/S"));
    QVERIFY(MainFrame()->windowTitle().endsWith(QStringLiteral("프로젝트 명:P100")));
}

void TestStartScreen::newProjectInPickedFolderNeverOverwrites()
{
    const QString picked = m_tmp.filePath(QStringLiteral("picked%1").arg(m_case));
    QVERIFY(QDir().mkpath(picked));
    m_prompt->inputAnswers.push_back(QStringLiteral("가동 2호기"));
    m_prompt->pickFolderAnswers.push_back(picked);
    click(1005);
    const QString project = picked + QStringLiteral("/가동 2호기/가동 2호기.pro");
    QVERIFY(QFile::exists(project));
    QCOMPARE(theApp.ProjectPathTable.CurrentProjectPath, project);

    // The engineer's work in it, then "new" with the same number in the same place.
    QVERIFY(WriteProfileString(project, QStringLiteral("Project_Introduce"), QStringLiteral("ProjectName"),
                               QStringLiteral("client work")));
    const QByteArray before = ReadFile(project);
    SwitchView(Screen::Start);
    theApp.ProjectLoaded = 1;
    m_prompt->inputAnswers.push_back(QStringLiteral("가동 2호기"));
    m_prompt->pickFolderAnswers.push_back(picked);
    click(1005);
    QCOMPARE(m_prompt->messages.size(), 1);
    QVERIFY(m_prompt->messages[0].startsWith(QStringLiteral("같은 이름의 프로젝트가 이미 있습니다.\n") + project));
    QCOMPARE(ReadFile(project), before);
    QCOMPARE(theApp.CurrentScreen, Screen::Start);
    QCOMPARE(theApp.ProjectLoaded, 1);  // nothing was made current
}

void TestStartScreen::badProjectNumbersAreRefused_data()
{
    QTest::addColumn<QString>("number");
    QTest::addColumn<QString>("message");
    QTest::newRow("empty") << "" << "프로젝트 넘버를 입력하세요.";
    QTest::newRow("climbs out") << "../x" << "프로젝트 넘버로 쓸 수 없는 이름입니다.\n../x\n";
    QTest::newRow("backslash") << "a\\b" << "프로젝트 넘버로 쓸 수 없는 이름입니다.\na\\b\n";
}

void TestStartScreen::badProjectNumbersAreRefused()
{
    QFETCH(QString, number);
    QFETCH(QString, message);
    const QString lastPro = theApp.ProjectPathTable.CurrentProjectPath;
    m_prompt->inputAnswers.push_back(number);
    click(1005);
    QCOMPARE(m_prompt->messages.size(), 1);
    QVERIFY2(m_prompt->messages[0].startsWith(message), qPrintable(m_prompt->messages[0]));
    QVERIFY(QDir(m_pro).entryList(QDir::AllEntries | QDir::NoDotAndDotDot).isEmpty());
    QVERIFY(QDir(m_root).entryList(QDir::AllEntries | QDir::NoDotAndDotDot).size() == 3);
    QCOMPARE(theApp.ProjectPathTable.CurrentProjectPath, lastPro);
    QCOMPARE(theApp.CurrentScreen, Screen::Start);
}

void TestStartScreen::copyTakesTheProjectsWorkbooks()
{
    const QString source = makeProject(QStringLiteral("A1"), {QStringLiteral("_10.xlsx"), QStringLiteral("_40.xlsx")});
    QVERIFY(WriteProfileString(source, QStringLiteral("Project_Introduce"), QStringLiteral("ProjectName"),
                               QStringLiteral("물류센터")));
    m_prompt->openFileAnswers.push_back(source);
    m_prompt->inputAnswers.push_back(QStringLiteral("B2"));
    click(1010);

    QVERIFY(m_prompt->messages.isEmpty());
    QCOMPARE(m_prompt->openFileRequests.value(0), m_pro + QStringLiteral("/|Project files (*.pro)"));
    const QString target = m_pro + QStringLiteral("/B2/B2.pro");
    QCOMPARE(FilesIn(m_pro + QStringLiteral("/B2")), (QStringList{"B2.pro", "B2_10.xlsx", "B2_40.xlsx"}));
    QCOMPARE(ReadFile(m_pro + QStringLiteral("/B2/B2_40.xlsx")), ReadFile(m_pro + QStringLiteral("/A1/A1_40.xlsx")));
    QCOMPARE(theApp.ProjectPathTable.CurrentProjectPath, target);
    QCOMPARE(theApp.CurrentScreen, Screen::Project);
    QCOMPARE(theApp.ProjectIntroduceBlock.ProjectNumber, QStringLiteral("B2"));
    QCOMPARE(theApp.ProjectIntroduceBlock.ProjectName, QStringLiteral("물류센터"));
    // The source is untouched.
    QCOMPARE(GetProfileString(source, QStringLiteral("Project_Introduce"), QStringLiteral("ProjectNumber")),
             QStringLiteral("A1"));
}

void TestStartScreen::copyOntoItselfCopiesNothing()
{
    const QString source = makeProject(QStringLiteral("P100"), {QStringLiteral("_10.xlsx")});
    const QByteArray before = ReadFile(source);
    m_prompt->openFileAnswers.push_back(source);
    m_prompt->inputAnswers.push_back(QStringLiteral("p100"));  // same project, other letter case
    click(1010);
    QCOMPARE(m_prompt->messages,
             QStringList{QStringLiteral("원본과 동일한 프로젝트 파일을 선택하였습니다.\n새로운 프로젝트를 선택해야 합니다.")});
    QCOMPARE(QDir(m_pro).entryList(QDir::Dirs | QDir::NoDotAndDotDot), QStringList{QStringLiteral("P100")});
    QCOMPARE(FilesIn(m_pro + QStringLiteral("/P100")), (QStringList{"P100.pro", "P100_10.xlsx"}));
    QCOMPARE(ReadFile(source), before);
    QCOMPARE(theApp.CurrentScreen, Screen::Start);
}

void TestStartScreen::deleteProject()
{
    const QStringList all = ProjectWorkbookSuffixes();
    const QString project = makeProject(QStringLiteral("P7"), all);
    QCOMPARE(FilesIn(m_pro + QStringLiteral("/P7")).size(), 14);
    theApp.ProjectPathTable.CurrentProjectPath = project;

    m_prompt->confirmAnswers.push_back(false);
    click(1007);
    QCOMPARE(m_prompt->confirmTexts, QStringList{QStringLiteral("현재 프로젝트을 삭제합니다.")});
    QCOMPARE(FilesIn(m_pro + QStringLiteral("/P7")).size(), 14);
    QCOMPARE(theApp.ProjectPathTable.CurrentProjectPath, project);
    QVERIFY(m_prompt->messages.isEmpty());

    m_prompt->confirmAnswers.push_back(true);
    click(1007);
    QCOMPARE(m_prompt->messages, QStringList{kDeleted});
    QCOMPARE(m_prompt->messageIcons, QList<Prompt::Icon>{Prompt::Icon::Information});
    QVERIFY(!QFileInfo::exists(m_pro + QStringLiteral("/P7")));
    QVERIFY(QFileInfo(m_pro).isDir());
    QCOMPARE(theApp.ProjectPathTable.CurrentProjectPath, QString());

    // Nothing current now: "시작하기" names no file and the project screen stays closed.
    click(1000);
    QCOMPARE(m_prompt->messages.value(1), QStringLiteral("지정된 프로젝트 파일이 없습니다.\n"));
    QCOMPARE(theApp.CurrentScreen, Screen::Start);
}

void TestStartScreen::deleteWithoutProject()
{
    theApp.ProjectPathTable.CurrentProjectPath.clear();
    QVERIFY(WriteFile(m_root + QStringLiteral("/_10.xlsx"), "not a project"));
    QVERIFY(QDir::setCurrent(m_root));
    click(1007);
    QCOMPARE(m_prompt->messages, QStringList{kNoProject});
    QVERIFY(m_prompt->confirmTexts.isEmpty());  // nothing to confirm
    QVERIFY(QFile::exists(m_root + QStringLiteral("/_10.xlsx")));
    QVERIFY(QFile::exists(m_root + QStringLiteral("/FORM/form.pro")));
}

void TestStartScreen::openProjectUnprotectsAndExitProtects()
{
    const QString project = makeProject(QStringLiteral("P5"), {QStringLiteral("_10.xlsx"), QStringLiteral("_40.xlsx"),
                                                                QStringLiteral("_852.xlsx")}, true);
    const QStringList workbooks{m_pro + QStringLiteral("/P5/P5_10.xlsx"), m_pro + QStringLiteral("/P5/P5_40.xlsx"),
                                m_pro + QStringLiteral("/P5/P5_852.xlsx"), m_root + QStringLiteral("/LIB/lib_v3p4.xlsx"),
                                m_root + QStringLiteral("/LIB/breaker_v3p4.xlsx"), m_root + QStringLiteral("/FORM/form.xlsx")};
    QCOMPARE(SheetProtection(workbooks), QStringList(workbooks.size(), QStringLiteral("True")));

    m_prompt->openFileAnswers.push_back(project);
    click(1002);
    QVERIFY(m_prompt->messages.isEmpty());
    QCOMPARE(theApp.CurrentScreen, Screen::Project);
    QCOMPARE(theApp.ProjectIntroduceBlock.ProjectNumber, QStringLiteral("P5"));
    QCOMPARE(SheetProtection(workbooks), QStringList(workbooks.size(), QStringLiteral("False")));
    QCOMPARE(FilesIn(m_pro + QStringLiteral("/P5")), (QStringList{"P5.pro", "P5_10.xlsx", "P5_40.xlsx", "P5_852.xlsx"}));

    ExitInstance();
    QCOMPARE(SheetProtection(workbooks), QStringList(workbooks.size(), QStringLiteral("True")));
    QCOMPARE(FilesIn(m_pro + QStringLiteral("/P5")), (QStringList{"P5.pro", "P5_10.xlsx", "P5_40.xlsx", "P5_852.xlsx"}));
    QCOMPARE(GetProfileString(QStringLiteral("ORVA.ini"), QStringLiteral("SYSTEM"), QStringLiteral("lastPro")), project);
}

void TestStartScreen::transformerSettingsThroughTheScreen()
{
    const QString project = makeProject(QStringLiteral("T1"), {});
    QVERIFY(WriteProfileStrings(project, QStringLiteral("Transformer_Sizing"),
                                {{QStringLiteral("TR_2_ENAB"), QStringLiteral("1")},
                                 {QStringLiteral("TR_2_EDIT"), QStringLiteral("750")},
                                 {QStringLiteral("TR_3_EDIT"), QStringLiteral("2000")}}));
    CTransformerScreen* tr = TheScreen<CTransformerScreen>();
    QVERIFY(tr);
    tr->CapacityEdit(3)->setText(QStringLiteral("300"));
    m_prompt->openFileAnswers.push_back(project);
    click(1002);

    QVERIFY(tr->Control<QCheckBox>(1743)->isChecked());
    QVERIFY(tr->Control<QLineEdit>(1036)->isEnabled());
    QCOMPARE(tr->Control<QLineEdit>(1036)->text(), QStringLiteral("750"));
    QVERIFY(!tr->Control<QCheckBox>(1744)->isChecked());
    QVERIFY(!tr->Control<QLineEdit>(1037)->isEnabled());
    // The previous text is gone: the edit shows the project's stored capacity.
    QCOMPARE(tr->Control<QLineEdit>(1037)->text(), QStringLiteral("2000"));

    // A click on a transformer box stores the section at once.
    tr->Control<QCheckBox>(1742)->click();
    QVERIFY(tr->Control<QLineEdit>(1035)->isEnabled());
    const QString s = QStringLiteral("Transformer_Sizing");
    QCOMPARE(GetProfileString(project, s, QStringLiteral("TR_1_ENAB")), QStringLiteral("1"));
    QCOMPARE(GetProfileString(project, s, QStringLiteral("TR_2_EDIT")), QStringLiteral("750"));
    QCOMPARE(GetProfileString(project, s, QStringLiteral("TR_3_EDIT")), QStringLiteral("2000"));
    QVERIFY(m_prompt->messages.isEmpty());
}

void TestStartScreen::notAProjectIsNeverOpened_data()
{
    QTest::addColumn<QByteArray>("file");
    for (const auto& [name, bytes] : NotProjectFiles())
        QTest::newRow(name) << bytes;
}

void TestStartScreen::notAProjectIsNeverOpened()
{
    QFETCH(QByteArray, file);
    const QString junk = m_pro + QStringLiteral("/X/X.pro");
    QVERIFY(QDir().mkpath(m_pro + QStringLiteral("/X")));
    QVERIFY(WriteFile(junk, file));
    const QByteArray ini = ReadFile(QStringLiteral("ORVA.ini"));
    const QString refused = QStringLiteral("프로젝트 파일이 아닙니다.\n") + junk;

    // Open: refused before it becomes the current project or "lastPro".
    m_prompt->openFileAnswers.push_back(junk);
    click(1002);
    QCOMPARE(m_prompt->messages, QStringList{refused});
    QCOMPARE(theApp.CurrentScreen, Screen::Start);
    QCOMPARE(theApp.ProjectPathTable.CurrentProjectPath, QString());
    QCOMPARE(ReadFile(QStringLiteral("ORVA.ini")), ini);

    // Copy: refused before the number is asked; nothing is made.
    m_prompt->openFileAnswers.push_back(junk);
    click(1010);
    QCOMPARE(m_prompt->messages, (QStringList{refused, refused}));
    QVERIFY(m_prompt->inputLabels.isEmpty());
    QCOMPARE(QDir(m_pro).entryList(QDir::Dirs | QDir::NoDotAndDotDot), QStringList{QStringLiteral("X")});

    // "lastPro" naming it at start-up: "시작하기" says so and stays; it is no longer current,
    // so the exit road writes nothing of it.
    ExitInstance();
    QVERIFY(WriteFile(QStringLiteral("ORVA.ini"),
                      "[SYSTEM]\nPath=" + m_root.toUtf8() + "\nlastPro=" + junk.toUtf8() + "\n"));
    ReleaseSingleInstanceLock();
    QVERIFY(InitInstance());
    MainFrame()->show();
    QCOMPARE(theApp.ProjectPathTable.CurrentProjectPath, junk);
    click(1000);
    QCOMPARE(m_prompt->messages, (QStringList{refused, refused, refused}));
    QCOMPARE(theApp.CurrentScreen, Screen::Start);
    QCOMPARE(theApp.ProjectLoaded, 0);
    QCOMPARE(theApp.ProjectPathTable.CurrentProjectPath, QString());
    ExitInstance();

    QCOMPARE(ReadFile(junk), file);
    QCOMPARE(FilesIn(m_pro + QStringLiteral("/X")), QStringList{QStringLiteral("X.pro")});
}

void TestStartScreen::refusedOpenKeepsTheCurrentProject()
{
    // The project screen's own open (a handler kept without a button on screen): a refused
    // file leaves the open project current, and the next save goes there.
    const QString project = makeProject(QStringLiteral("P8"), {});
    const QString junk = m_pro + QStringLiteral("/P8/notes.pro");
    QVERIFY(WriteFile(junk, "meeting notes, not a project\n"));
    m_prompt->openFileAnswers.push_back(project);
    click(1002);
    QCOMPARE(theApp.CurrentScreen, Screen::Project);
    CFormView* screen = theApp.ScreenView(Screen::Project);

    m_prompt->openFileAnswers.push_back(junk);
    screen->Control<QPushButton>(1029)->click();
    QCOMPARE(m_prompt->messages, QStringList{QStringLiteral("프로젝트 파일이 아닙니다.\n") + junk});
    QCOMPARE(theApp.ProjectPathTable.CurrentProjectPath, project);
    QCOMPARE(theApp.ProjectIntroduceBlock.ProjectNumber, QStringLiteral("P8"));

    screen->Control<QLineEdit>(1027)->setText(QStringLiteral("물류센터"));
    screen->Control<QPushButton>(1025)->click();
    QCOMPARE(m_prompt->messages.value(1), QStringLiteral("프로젝트 내용을 저장 하였습니다."));
    QCOMPARE(m_prompt->messageIcons.value(1), Prompt::Icon::Information);
    QCOMPARE(GetProfileString(project, QStringLiteral("Project_Introduce"), QStringLiteral("ProjectName")),
             QStringLiteral("물류센터"));
    QCOMPARE(ReadFile(junk), QByteArray("meeting notes, not a project\n"));
}

void TestStartScreen::noticeAndBoard_data()
{
    QTest::addColumn<QString>("host");
    QTest::addColumn<QStringList>("opened");  // notice, then board
    QTest::addColumn<int>("messages");
    // Without a server both buttons say so instead of doing nothing.
    QTest::newRow("no server") << QString() << QStringList() << 2;
    QTest::newRow("blank server") << QStringLiteral("   ") << QStringList() << 2;
    QTest::newRow("server")
        << QStringLiteral("https://srv.example/")
        << QStringList{"https://srv.example:9300/nboard/", "https://srv.example:9300/board/"} << 0;
}

void TestStartScreen::noticeAndBoard()
{
    QFETCH(QString, host);
    QFETCH(QStringList, opened);
    QFETCH(int, messages);
    theApp.ServerSettings.ServerHost = host.trimmed();
    theApp.ServerSettings.ServerPort = 9300;
    click(1009);
    click(1004);
    QCOMPARE(m_prompt->openedWithDefault, opened);
    const QString noServer = QStringLiteral("서버가 설정되어 있지 않아 열 수 없습니다.\n"
                                            "ORVA.ini의 [SYSTEM] 항목 ServerHost에 서버 주소를 지정하세요.");
    QCOMPARE(m_prompt->messages, QStringList(messages, noServer));
    if (messages)
        QCOMPARE(m_prompt->messageIcons.value(0), Prompt::Icon::Information);
    theApp.ServerSettings.ServerHost.clear();
}

QTEST_MAIN(TestStartScreen)
#include "tst_startscreen.moc"
