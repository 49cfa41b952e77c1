#include "startscreen.h"

#include "app/core/projectfile.h"
#include "app/core/projectfolder.h"
#include "app/core/sevrin.h"
#include "app/gui/mainfrm.h"
#include "app/gui/sevrinapp.h"
#include "app/gui/webdlg.h"
#include "platform/paths.h"
#include "platform/prompt.h"
#include "platform/singleinstance.h"

#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>

static void InitStartScreenResources()
{
    Q_INIT_RESOURCE(startscreen);
}

CStartScreen::CStartScreen(QWidget* parent) : CFormView(943, 537, parent)
{
    InitStartScreenResources();

    auto* picture = new QLabel(this);
    Place(picture, 1262, 68, 7, 871, 447);
    picture->setPixmap(QPixmap(QStringLiteral(":/bitmaps/311.png")));
    picture->setScaledContents(true);

    struct ButtonDef
    {
        int id;
        QString caption;
        int x, y, w, h;
        void (CStartScreen::*handler)();
    };
    const ButtonDef buttons[] = {
        {1005, tr("프로젝트\n새로만들기"), 12, 7, 50, 27, &CStartScreen::OnNewProject},
        {1002, tr("프로젝트\n불러오기"), 12, 41, 50, 27, &CStartScreen::OnOpenProject},
        {1007, tr("프로젝트\n삭제하기"), 12, 75, 50, 27, &CStartScreen::OnDeleteProject},
        {1010, tr("프로젝트\n복사하기"), 12, 110, 50, 27, &CStartScreen::OnCopyProject},
        {1000, tr("시작하기"), 12, 145, 50, 27, &CStartScreen::OnStart},
        {1001, tr("라이브러리"), 12, 180, 50, 27, &CStartScreen::OnOpenLibrary},
        {1003, tr("도움말"), 12, 377, 50, 14, &CStartScreen::OnShowHelp},
        {1006, tr("업데이트"), 12, 395, 50, 14, &CStartScreen::OnCheckUpdate},
        {1009, tr("공지사항"), 12, 430, 50, 27, &CStartScreen::OnOpenNotice},
        {1004, tr("소통 게시판"), 12, 465, 50, 27, &CStartScreen::OnOpenBoard},
    };
    for (const ButtonDef& b : buttons) {
        QPushButton* button = AddButton(b.id, b.caption, b.x, b.y, b.w, b.h);
        connect(button, &QPushButton::clicked, this, b.handler);
    }
    // Help and update are kept but never offered.
    Control<QPushButton>(1003)->hide();
    Control<QPushButton>(1006)->hide();
}

CStartScreen::~CStartScreen() = default;

void CStartScreen::OnInitialUpdate()
{
    CFormView::OnInitialUpdate();
    theApp.ReadConfig();
    CheckSingleInstance();

    const QString address = theApp.NoticeAddress();
    QueryServer(QStringLiteral("/vcheck"), QStringLiteral("updates"), QString());
    QueryServer(QStringLiteral("/ncheck"), QStringLiteral("notice"), address);

    if (CMainFrame* frame = MainFrame())
        frame->FitToForm(this);

    theApp.LoadLibraryWorkbook();
    theApp.LoadBreakerWorkbook(true, 0);
}

void CStartScreen::CheckSingleInstance()
{
    if (AcquireSingleInstanceLock(QStringLiteral("ORVAapp")))
        return;
    Prompt::Message(tr("프로그램이 이미 실행 중입니다."));
    Prompt::ExitProgram(1);
}

void CStartScreen::QueryServer(const QString& path, const QString& mode, const QString& address)
{
    const QString body = QStringLiteral("minor_ver=") + theApp.ServerSettings.MinorVersion;
    const QString answer =
        theApp.PostFormToServer(path, theApp.ServerSettings.ServerHost, body).trimmed();
    if (answer.isEmpty())
        return;
    CWebDlg dlg(mode, answer, address, window());
    dlg.exec();
    if (dlg.ExitRequested())
        Prompt::ExitProgram(1);
}

void CStartScreen::OnDestroy()
{
    if (m_destroyed)
        return;
    m_destroyed = true;
    theApp.SaveLastProject();
    theApp.ProtectAllWorkbooks();
}

QString CStartScreen::ProjectFolder() const
{
    const CSevrinApp::ProjectPathTableT& p = theApp.ProjectPathTable;
    return JoinPath(p.RootPath, p.ProFolder);
}

QString CStartScreen::PickProjectFile()
{
    const QString path = Prompt::OpenFile(tr("열기"), ProjectFolder() + QLatin1Char('/'),
                                          QStringLiteral("Project files (*.pro)"));
    if (path.isEmpty())
        return QString();
    if (!FileExists(path)) {
        Prompt::Message(tr("지정된 프로젝트 파일이 없습니다.\n%1").arg(path));
        return QString();
    }
    // Refused before it becomes current or is copied: nothing is written into it.
    const ProjectFileStatus status = CheckProjectFile(path);
    if (status != ProjectFileStatus::Ok) {
        Prompt::Message(ProjectFileRefusal(path, status));
        return QString();
    }
    return path;
}

QString CStartScreen::AskNewProjectFile(QString& number)
{
    number.clear();
    if (!Prompt::InputText(QString(), tr("프로젝트 넘버"), number))
        return QString();
    switch (CheckProjectNumber(number)) {
    case ProjectNumberCheck::Empty:
        Prompt::Message(tr("프로젝트 넘버를 입력하세요."));
        return QString();
    case ProjectNumberCheck::BadName:
        Prompt::Message(tr("프로젝트 넘버로 쓸 수 없는 이름입니다.\n%1\n"
                           "폴더와 파일 이름이 되므로 \\ / : * ? \" < > | 와 제어 문자, "
                           "앞뒤 공백, 끝의 마침표, CON·NUL 같은 장치 이름은 쓸 수 없습니다.")
                            .arg(number));
        return QString();
    case ProjectNumberCheck::Ok:
        break;
    }
    QString parent = ProjectFolder();
    const QString picked = Prompt::PickFolder(tr("폴더 선택"), parent + QLatin1Char('/'));
    if (!picked.isEmpty())
        parent = picked;
    return ProjectFileIn(parent, number);
}

// Tells why a new or copied project was not made; true when it was.
static bool ReportCreate(const ProjectCreateResult& result, const QString& source,
                         const QString& target)
{
    const QString folder = GetFolderOfPath(target);
    switch (result.status) {
    case ProjectCreateStatus::Ok:
        if (!result.failedWorkbooks.isEmpty())
            Prompt::Message(CStartScreen::tr("다음 파일을 복사하지 못했습니다.\n%1")
                                .arg(result.failedWorkbooks.join(QLatin1Char('\n'))));
        return true;
    case ProjectCreateStatus::TargetExists:
        Prompt::Message(CStartScreen::tr("같은 이름의 프로젝트가 이미 있습니다.\n%1\n"
                                        "기존 프로젝트를 지키기 위해 만들지 않았습니다. "
                                        "다른 프로젝트 넘버나 폴더를 선택하세요.")
                            .arg(target));
        return false;
    case ProjectCreateStatus::FolderFailed:
        Prompt::Message(CStartScreen::tr("프로젝트 폴더를 만들지 못했습니다.\n%1").arg(folder));
        return false;
    case ProjectCreateStatus::CopyFailed:
        Prompt::Message(CStartScreen::tr("프로젝트 파일을 만들지 못했습니다.\n%1\n원본: %2")
                            .arg(target, source));
        return false;
    case ProjectCreateStatus::SourceRefused:
        Prompt::Message(ProjectFileRefusal(source, CheckProjectFile(source)));
        return false;
    case ProjectCreateStatus::NumberFailed:
        Prompt::Message(CStartScreen::tr("프로젝트 파일에 프로젝트 넘버를 기록하지 못했습니다.\n%1")
                            .arg(target));
        return false;
    }
    return false;
}

void CStartScreen::MakeCurrent(const QString& projectFile)
{
    theApp.ProjectPathTable.CurrentProjectPath = projectFile;
    theApp.SaveLastProject();
    theApp.ProjectLoaded = 0;
    SwitchView(Screen::Project);
}

void CStartScreen::OnNewProject()
{
    QString number;
    const QString target = AskNewProjectFile(number);
    // A target that exists is refused below without asking anything.
    if (target.isEmpty() || (!FileExists(target) && !ConfirmUnsavedEdits()))
        return;
    const QString form = theApp.ProjectPathTable.FormProPath;
    if (!ReportCreate(CreateProjectFrom(form, target, number, false), form, target))
        return;
    MakeCurrent(target);
}

void CStartScreen::OnOpenProject()
{
    const QString path = PickProjectFile();
    if (path.isEmpty() || !ConfirmUnsavedEdits())
        return;
    MakeCurrent(path);
}

void CStartScreen::OnCopyProject()
{
    const QString source = PickProjectFile();
    if (source.isEmpty())
        return;
    QString number;
    const QString target = AskNewProjectFile(number);
    if (target.isEmpty())
        return;
    if (QDir::cleanPath(QFileInfo(source).absoluteFilePath())
            .compare(QDir::cleanPath(QFileInfo(target).absoluteFilePath()), Qt::CaseInsensitive) == 0) {
        Prompt::Message(tr("원본과 동일한 프로젝트 파일을 선택하였습니다.\n새로운 프로젝트를 선택해야 합니다."));
        return;
    }
    // Before the copy: saved edits of the open project go into the copy too.
    if (!FileExists(target) && !ConfirmUnsavedEdits())
        return;
    if (!ReportCreate(CreateProjectFrom(source, target, number, true), source, target))
        return;
    MakeCurrent(target);
}

void CStartScreen::OnDeleteProject()
{
    const QString current = theApp.ProjectPathTable.CurrentProjectPath;
    // Only a project file can be deleted (a hand-edited "lastPro" may name anything).
    if (current.isEmpty() || !current.endsWith(QStringLiteral(".pro"), Qt::CaseInsensitive)) {
        Prompt::Message(tr("선택된 프로젝트 파일이 없습니다.\n새로 만들거나 불러오기를 통해 프로젝트 파일을 지정하세요."));
        return;
    }
    if (!Prompt::ConfirmRun(tr("현재 프로젝트을 삭제합니다.")))
        return;
    const ProjectDeleteResult result = DeleteProjectFiles(current);
    if (!result.notDeleted.isEmpty()) {
        // The project stays current: part of it is still there.
        Prompt::Message(tr("다음 파일을 삭제하지 못했습니다.\n%1")
                            .arg(result.notDeleted.join(QLatin1Char('\n'))));
        return;
    }
    Prompt::Message(tr("프로젝트 파일을 모두 삭제 하였습니다.\n새로 만들거나 기존 프로젝트를 불러 오셔야 합니다."),
                    Prompt::Buttons::Ok, Prompt::Icon::Information);
    theApp.ProjectPathTable.CurrentProjectPath.clear();
    SwitchView(Screen::Start);
}

void CStartScreen::OnStart()
{
    const QString& current = theApp.ProjectPathTable.CurrentProjectPath;
    if (!FileExists(current)) {
        Prompt::Message(tr("지정된 프로젝트 파일이 없습니다.\n%1").arg(current));
        return;
    }
    SwitchView(Screen::Project);
}

void CStartScreen::OnOpenLibrary()
{
    SwitchView(Screen::Library);
}

void CStartScreen::OnShowHelp()
{
    Prompt::Message(
        tr("□ 설계조건(Design Criteria)\n- 공사방법(Installation Method)\n- 도체단면적(CableSQ)\n"
           "- 전동기 기동전류(Starting Current)\n- 차단기 정격(CB rating)\n"
           "- 차단기 규약동작배율 사용자입력(Delta User Input)\n") +
        tr("□ 라이브러리(library)\n- 케이블(Cable)\n- 변압기(TR)\n- 전동기(MCC)\n- 발전기(Gen)\n"
           "- 차단기(CB)\n- 변류기(CT)\n- 트레이(Tray)\n- 접지(Grounding)\n- 수용률(DF)\n") +
        tr("□ 계산서(Calculation)\n - 동력부하 계산서(Motor Control Center Cal)\n"
           "- 분전반 계산서(Cabinet Sizing Cal)\n- 케이블&차단기 계산서(Cable & Circuit Breaker Sizing Cal)\n"
           "- 변압기용량 계산서(Transformer Sizing Cal)\n- 케이블트레이 계산서(Cable Tray Sizing Cal)\n"
           "- 발전기용량 계산서(Generator Sizing Cal)\n- 수배전반 계산서(Switchgear Design Cal)\n"
           "- 고장전류 계산서(Fault Current Cal)\n- 접지저항 계산서(Grounding Design Cal)"));
}

void CStartScreen::OnCheckUpdate()
{
    Prompt::Message(tr("게시판을 이용하세요.!!!"));
}

void CStartScreen::TellNoServer()
{
    Prompt::Message(tr("서버가 설정되어 있지 않아 열 수 없습니다.\n"
                       "ORVA.ini의 [SYSTEM] 항목 ServerHost에 서버 주소를 지정하세요."),
                    Prompt::Buttons::Ok, Prompt::Icon::Information);
}

void CStartScreen::OnOpenNotice()
{
    const QString address = theApp.NoticeAddress();
    if (address.isEmpty()) {
        TellNoServer();
        return;
    }
    Prompt::OpenWithDefault(address);
}

void CStartScreen::OnOpenBoard()
{
    // The board lives beside the notice pages on the maker's server.
    QString address = theApp.NoticeAddress();
    if (address.isEmpty()) {
        TellNoServer();
        return;
    }
    address.replace(QStringLiteral("/nboard/"), QStringLiteral("/board/"));
    Prompt::OpenWithDefault(address);
}
