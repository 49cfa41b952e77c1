#include "sevrinview.h"

#include "app/core/sevrin.h"
#include "app/gui/mainfrm.h"
#include "app/gui/sevrinapp.h"
#include "app/gui/webdlg.h"
#include "platform/prompt.h"
#include "platform/singleinstance.h"

CSevrinView::CSevrinView(QWidget* parent) : CFormView(943, 537, parent)
{
}

CSevrinView::~CSevrinView() = default;

void CSevrinView::OnInitialUpdate()
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

void CSevrinView::CheckSingleInstance()
{
    if (AcquireSingleInstanceLock(QStringLiteral("ORVAapp")))
        return;
    Prompt::Message(tr("프로그램이 이미 실행 중입니다."));
    Prompt::ExitProgram(1);
}

void CSevrinView::QueryServer(const QString& path, const QString& mode, const QString& address)
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

void CSevrinView::OnDestroy()
{
    if (m_destroyed)
        return;
    m_destroyed = true;
    theApp.SaveLastProject();
    theApp.ProtectAllWorkbooks();
}
