#include "app/gui/sevrinapp.h"

#include "app/core/projectfile.h"
#include "app/core/sevrin.h"
#include "app/gui/dialogunits.h"
#include "app/gui/mainfrm.h"
#include "app/gui/programlook.h"
#include "app/gui/projectscreen.h"
#include "app/gui/startscreen.h"
#include "app/gui/webscreen.h"
#include "app/gui/widgetprompt.h"
#include "loads/core/designconditions.h"
#include "cable/gui/cablescreen.h"
#include "cable/gui/trayscreen.h"
#include "fault/gui/faultscreen.h"
#include "fault/gui/utilitypage.h"
#include "fault/gui/faulttransformerpage.h"
#include "fault/gui/faultmotorpage.h"
#include "fault/gui/faultcablepage.h"
#include "fault/gui/buspage.h"
#include "grounding/gui/groundingscreen.h"
#include "library/gui/libraryscreen.h"
#include "loads/gui/mccscreen.h"
#include "loads/gui/mccsheetpage.h"
#include "loads/gui/boardscreen.h"
#include "loads/gui/boardsheetpage.h"
#include "loads/gui/transformerscreen.h"
#include "loads/gui/transformerloadpage.h"
#include "loads/gui/generatorscreen.h"
#include "loads/gui/generatorloadpage.h"
#include "loads/gui/switchgearscreen.h"
#include "platform/prompt.h"
#include "report/gui/reportwriters.h"

#include <QApplication>
#include <QCoreApplication>
#include <QFileInfo>
#include <cmath>
#include <memory>

namespace {

// The visible screen carries the frame's first-pane identifier; the others keep their own.
constexpr int kFirstPaneId = 0xE900;

std::unique_ptr<CMainFrame> g_frame;
CStartScreen* g_startView = nullptr;

void DestroyFrame()
{
    theApp.TitleSink = nullptr;
    g_startView = nullptr;
    g_frame.reset();
    theApp.ViewTable.Views.fill(nullptr);
    theApp.ViewTable.CurrentViewIndex = 0;
    theApp.ScreenPointers = CSevrinApp::ScreenPointersT{};
}

}  // namespace

// Screen-specific refills after a project load, in the order the screens depend on each
// other's data.
void RefillScreensAfterProjectLoad()
{
    CSevrinApp::ScreenPointersT& sp = theApp.ScreenPointers;
    // The library screen shows the reference workbooks, which stay.
    for (int index = 0; index < int(theApp.ViewTable.Views.size()); ++index) {
        CFormView* screen = theApp.ViewTable.Views[std::size_t(index)];
        if (screen && index != 2)
            screen->RestoreStartingInputs();
    }
    // The transformer capacities live in that screen's controls only: read them in again.
    theApp.LoadTransformerSection(theApp.ProjectPathTable.CurrentProjectPath);
    if (sp.ProView)
        sp.ProView->RefreshProjectScreen();
    if (sp.Pro10View)
        sp.Pro10View->ApplyMccDesignConditions(0, true);
    if (sp.Pro20View)
        sp.Pro20View->RefreshPanelBoardPages(0);
    if (sp.Pro30View)
        sp.Pro30View->FillTransformerPage(0);
    if (sp.Pro40View) {
        sp.Pro40View->FillBreakerMakerCombo();
        sp.Pro40View->LoadCableSchedule();
    }
    if (sp.Pro50View) {
        sp.Pro50View->FillTrayList();
        if (theApp.CableTrayBlock.TrayCount > 0)
            sp.Pro50View->LoadTrayData(0, sp.Pro50View->FirstTrayName());
    }
    if (sp.Pro60View)
        sp.Pro60View->ShowGeneratorInputs();
    if (sp.Pro80View) {
        sp.Pro80View->ShowStoredResults();
        sp.Pro80View->UtilityPage()->FillUtilityTypeCombos();
        sp.Pro80View->UtilityPage()->FillUtilityLineList();
        sp.Pro80View->UtilityPage()->FillIncomingCableList();
        sp.Pro80View->TransformerPage()->FillTransformerList();
        sp.Pro80View->MotorPage()->FillMotorList();
        sp.Pro80View->CablePage()->FillCableList();
        sp.Pro80View->BusPage()->LoadFaultBusData();
    }
    if (sp.Pro90View)
        sp.Pro90View->ShowGroundingFields();
    for (CFormView* screen : theApp.ViewTable.Views)
        if (screen)
            screen->RememberLoadedSections();
}

bool ConfirmUnsavedEdits()
{
    const QString path = theApp.ProjectPathTable.CurrentProjectPath;
    // Without a loaded project (or with its file gone) there is nothing to compare with.
    if (theApp.ProjectLoaded == 0 || path.isEmpty() || !QFileInfo::exists(path))
        return true;
    std::vector<CFormView*> changed;
    QStringList names;
    for (CFormView* screen : theApp.ViewTable.Views) {
        if (screen && screen->HasUnsavedEdits()) {
            changed.push_back(screen);
            names.append(screen->UnsavedEditsName());
        }
    }
    if (changed.empty())
        return true;
    const Prompt::Answer answer = Prompt::Message(
        QCoreApplication::translate("CSevrinApp",
                                    "저장하지 않은 변경 내용이 있습니다.\n(%1)\n\n"
                                    "저장하시겠습니까?")
            .arg(names.join(QStringLiteral(", "))),
        Prompt::Buttons::YesNoCancel, Prompt::Icon::Question);
    if (answer == Prompt::Answer::Cancel)
        return false;
    if (answer != Prompt::Answer::Yes)
        return true;
    bool saved = true;
    for (CFormView* screen : changed)
        saved = screen->SaveUnsavedEdits() && saved;
    if (!saved) {
        Prompt::Message(QCoreApplication::translate("CSevrinApp", "프로젝트 파일을 저장하지 못했습니다.\n%1")
                            .arg(path));
        return false;
    }
    return true;
}

CMainFrame* MainFrame()
{
    return g_frame.get();
}

bool InitInstance()
{
    // Widgets must go before the application object: a frame still alive when the
    // application ends (tests, an early exit) is destroyed then, without the exit road.
    static bool postRoutineAdded = false;
    if (!postRoutineAdded) {
        qAddPostRoutine(DestroyFrame);
        postRoutineAdded = true;
    }
    DestroyFrame();
    g_frame = std::make_unique<CMainFrame>();
    CMainFrame* frame = g_frame.get();
    theApp.TitleSink = [frame](const QString& title) { frame->setWindowTitle(title); };

    // The start screen first: its initial update reads the configuration and may end the
    // program before anything else is built.
    g_startView = new CStartScreen;
    g_startView->SetPaneId(kFirstPaneId);
    frame->AddScreen(g_startView);
    frame->SetActiveView(g_startView);
    g_startView->OnInitialUpdate();

    theApp.ViewTable.CurrentViewIndex = 0;
    theApp.ViewTable.Views[0] = g_startView;
    CFormView* screens[12] = {
        new CProjectScreen,   new CLibraryScreen,   new CWebScreen,   new CMccScreen,
        new CBoardScreen, new CTransformerScreen, new CCableScreen, new CTrayScreen,
        new CGeneratorScreen, new CSwitchgearScreen, new CFaultScreen, new CGroundingScreen,
    };
    for (int i = 0; i < 12; ++i)
        theApp.ViewTable.Views[i + 1] = screens[i];
    for (int index = 1; index <= 12; ++index) {
        CFormView* screen = theApp.ViewTable.Views[index];
        screen->SetPaneId(kFirstPaneId + index);
        frame->AddScreen(screen);
        screen->OnInitialUpdate();
    }
    frame->SetActiveView(g_startView);
    for (CFormView* screen : theApp.ViewTable.Views)
        screen->RememberStartingInputs();
    RegisterReportSheetWriters();

    theApp.ProjectLoaded = 0;
    theApp.SetMainTitle(QString(), QString());

    if (std::abs(theApp.DpiScaleX - 1.0) > 1e-9) {
        Prompt::Message(QCoreApplication::translate(
            "CSevrinApp",
            "디스플레이 설정->배율 및 레이아웃->텍스트, 앱 및 기타 항목의 크기 변경이 100%가 아닙니다.\n"
            "이 경우 일부 화면에 오류가 발생할 수 있습니다.\n변경을 추천합니다.!!!"));
    }
    return true;
}

int ExitInstance(int code)
{
    if (g_startView)
        g_startView->OnDestroy();
    DestroyFrame();
    return code;
}

CFormView* SwitchView(int index)
{
    Q_ASSERT(index >= 0 && index <= 12);
    if (index < 0 || index > 12 || !g_frame)
        return nullptr;
    CFormView* target = theApp.ViewTable.Views[index];
    CFormView* active = g_frame->ActiveView();
    if (!active || !target)
        return nullptr;
    if (target == active)
        return active;

    const QString projectTitle = QCoreApplication::translate("CSevrinApp", "프로젝트 명:") + theApp.ProjectName();
    switch (index) {
    case 1: {
        if (theApp.ProjectName().isEmpty()) {
            Prompt::Message(QCoreApplication::translate(
                "CSevrinApp",
                "선택된 프로젝트 파일이 없습니다.\n새로 만들거나 불러오기를 통해 프로젝트 파일을 지정하세요."));
            return nullptr;
        }
        QString& current = theApp.ProjectPathTable.CurrentProjectPath;
        const bool load = !current.isEmpty() && theApp.ProjectLoaded == 0;
        ProjectFileStatus refusal{};
        if (load && !theApp.LoadProjectFile(current, true, &refusal)) {
            // Typically a "lastPro" that names some other file. It stops being the current
            // project, so no save and no exit step can write into it.
            Prompt::Message(ProjectFileRefusal(current, refusal));
            current.clear();
            return nullptr;
        }
        ShowOptionalButtons(theApp.AppSettings.ShowInsertButtons != 0);
        theApp.SetMainTitle(projectTitle, QString());
        if (load) {
            theApp.ProjectLoaded = 1;
            ApplyProjectDesignConditions(theApp);
            RefillScreensAfterProjectLoad();
        }
        break;
    }
    case 2:
        theApp.SetMainTitle(QCoreApplication::translate("CSevrinApp", "라이브러리 버전:") +
                                theApp.LibraryName() + QLatin1Char('/') + theApp.BreakerName(),
                            QString());
        if (theApp.ScreenPointers.LibView)
            theApp.ScreenPointers.LibView->RefillAllPages();
        break;
    case 4:
        theApp.SetMainTitle(projectTitle, QCoreApplication::translate("CSevrinApp", "-동력(10)"));
        break;
    case 5:
        theApp.SetMainTitle(projectTitle, QCoreApplication::translate("CSevrinApp", "-부하(20)"));
        break;
    case 6:
        theApp.SetMainTitle(projectTitle, QCoreApplication::translate("CSevrinApp", "-변압기용량(30)"));
        break;
    case 7:
        theApp.SetMainTitle(projectTitle, QCoreApplication::translate("CSevrinApp", "-케이블&차단기(40)"));
        break;
    case 8:
        theApp.SetMainTitle(projectTitle, QCoreApplication::translate("CSevrinApp", "-케이블 트레이(50)"));
        break;
    case 9:
        theApp.SetMainTitle(projectTitle, QCoreApplication::translate("CSevrinApp", "-발전기용량(60)"));
        if (CGeneratorScreen* gen = theApp.ScreenPointers.Pro60View) {
            gen->StoreGeneratorInputs();
            gen->CalcGeneratorCapacity();
            gen->ShowGeneratorInputs();
        }
        break;
    case 11:
        theApp.SetMainTitle(projectTitle, QCoreApplication::translate("CSevrinApp", "-고장전류(80)"));
        break;
    case 12:
        theApp.SetMainTitle(projectTitle, QCoreApplication::translate("CSevrinApp", "-접지저항(90)"));
        if (CGroundingScreen* grounding = theApp.ScreenPointers.Pro90View) {
            grounding->StoreGroundingInputs();
            grounding->CalcGroundingDesign();
            grounding->ShowGroundingFields();
        }
        break;
    default:  // 0 start, 3 web view, 10 switchgear: the title stays
        break;
    }

    theApp.ViewTable.CurrentViewIndex = index;
    const int targetPane = target->PaneId();
    target->SetPaneId(active->PaneId());
    active->SetPaneId(targetPane);
    g_frame->SetActiveView(target);
    return active;
}

void ShowOptionalButtons(bool show)
{
    CSevrinApp::ScreenPointersT& sp = theApp.ScreenPointers;
    if (sp.Pro10View)
        sp.Pro10View->LoadPage()->SetInsertButtonsVisible(show);
    if (sp.Pro20View)
        sp.Pro20View->BoardPage()->SetInsertButtonsVisible(show);
    if (sp.Pro30View)
        sp.Pro30View->LoadPage()->SetInsertButtonsVisible(show);
    if (sp.Pro40View)
        sp.Pro40View->SetInsertButtonsVisible(show);
    if (sp.Pro50View)
        sp.Pro50View->SetInsertButtonsVisible(show);
    if (sp.Pro60View)
        sp.Pro60View->LoadPage()->SetInsertButtonsVisible(show);
    if (sp.Pro80View) {
        sp.Pro80View->MotorPage()->SetInsertButtonsVisible(show);
        sp.Pro80View->CablePage()->SetInsertButtonsVisible(show);
    }
}

int RunSevrin(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Sevrin"));
    ApplyProgramLook();
    Prompt::SetHandler(std::make_unique<CWidgetPrompt>());
    if (!InitInstance())
        return 0;
    MainFrame()->show();
    const int code = app.exec();
    return ExitInstance(code);
}
