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
#include <vector>

namespace {

std::unique_ptr<CMainFrame> g_frame;
CStartScreen* g_startView = nullptr;

void DestroyFrame()
{
    theApp.TitleSink = nullptr;
    g_startView = nullptr;
    g_frame.reset();
    theApp.Screens.fill(nullptr);
    theApp.CurrentScreen = Screen::Start;
    theApp.OutputDlg = nullptr;
}

// The screens of the main frame (none before start-up). A screen built on its own, as in tests,
// is found through theApp.Screens for its refills but is not one of these.
std::vector<CFormView*> FrameScreens(bool withLibrary = true)
{
    std::vector<CFormView*> screens;
    if (!g_frame)
        return screens;
    for (int index = 0; index < kScreenCount; ++index) {
        CFormView* screen = theApp.Screens[std::size_t(index)];
        const bool wanted = withLibrary || Screen(index) != Screen::Library;
        if (screen && wanted && g_frame->HoldsScreen(screen))
            screens.push_back(screen);
    }
    return screens;
}

}  // namespace

// Screen-specific refills after a project load, in the order the screens depend on each
// other's data.
void RefillScreensAfterProjectLoad()
{
    // The library screen shows the reference workbooks, which stay.
    for (CFormView* screen : FrameScreens(false))
        screen->RestoreStartingInputs();
    // The transformer capacities live in that screen's controls only: read them in again.
    theApp.LoadTransformerSection(theApp.ProjectPathTable.CurrentProjectPath);
    if (CProjectScreen* project = TheScreen<CProjectScreen>())
        project->RefreshProjectScreen();
    if (CMccScreen* mcc = TheScreen<CMccScreen>())
        mcc->ApplyMccDesignConditions(0, true);
    if (CBoardScreen* boards = TheScreen<CBoardScreen>())
        boards->RefreshPanelBoardPages(0);
    if (CTransformerScreen* transformers = TheScreen<CTransformerScreen>())
        transformers->FillTransformerPage(0);
    if (CCableScreen* cables = TheScreen<CCableScreen>()) {
        cables->FillBreakerMakerCombo();
        cables->LoadCableSchedule();
    }
    if (CTrayScreen* trays = TheScreen<CTrayScreen>()) {
        trays->FillTrayList();
        if (theApp.CableTrayBlock.TrayCount > 0)
            trays->LoadTrayData(0, trays->FirstTrayName());
    }
    if (CGeneratorScreen* generator = TheScreen<CGeneratorScreen>())
        generator->ShowGeneratorInputs();
    if (CFaultScreen* fault = TheScreen<CFaultScreen>()) {
        fault->ShowStoredResults();
        fault->UtilityPage()->FillUtilityTypeCombos();
        fault->UtilityPage()->FillUtilityLineList();
        fault->UtilityPage()->FillIncomingCableList();
        fault->TransformerPage()->FillTransformerList();
        fault->MotorPage()->FillMotorList();
        fault->CablePage()->FillCableList();
        fault->BusPage()->LoadFaultBusData();
    }
    if (CGroundingScreen* grounding = TheScreen<CGroundingScreen>())
        grounding->ShowGroundingFields();
    for (CFormView* screen : FrameScreens())
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
    for (CFormView* screen : FrameScreens()) {
        if (screen->HasUnsavedEdits()) {
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
    frame->AddScreen(g_startView);
    frame->SetActiveView(g_startView);
    g_startView->OnInitialUpdate();

    theApp.CurrentScreen = Screen::Start;
    theApp.SetScreen(Screen::Start, g_startView);
    theApp.SetScreen(Screen::Project, new CProjectScreen);
    theApp.SetScreen(Screen::Library, new CLibraryScreen);
    theApp.SetScreen(Screen::Web, new CWebScreen);
    theApp.SetScreen(Screen::Mcc, new CMccScreen);
    theApp.SetScreen(Screen::PanelBoard, new CBoardScreen);
    theApp.SetScreen(Screen::Transformer, new CTransformerScreen);
    theApp.SetScreen(Screen::Cable, new CCableScreen);
    theApp.SetScreen(Screen::Tray, new CTrayScreen);
    theApp.SetScreen(Screen::Generator, new CGeneratorScreen);
    theApp.SetScreen(Screen::Switchgear, new CSwitchgearScreen);
    theApp.SetScreen(Screen::FaultCurrent, new CFaultScreen);
    theApp.SetScreen(Screen::Grounding, new CGroundingScreen);
    for (CFormView* screen : theApp.Screens) {
        if (screen == g_startView)
            continue;
        frame->AddScreen(screen);
        screen->OnInitialUpdate();
    }
    frame->SetActiveView(g_startView);
    for (CFormView* screen : theApp.Screens)
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

CFormView* SwitchView(Screen screen)
{
    if (!g_frame)
        return nullptr;
    CFormView* target = theApp.ScreenView(screen);
    CFormView* active = g_frame->ActiveView();
    if (!active || !target)
        return nullptr;
    if (target == active)
        return active;

    const QString projectTitle = QCoreApplication::translate("CSevrinApp", "프로젝트 명:") + theApp.ProjectName();
    switch (screen) {
    case Screen::Project: {
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
    case Screen::Library:
        theApp.SetMainTitle(QCoreApplication::translate("CSevrinApp", "라이브러리 버전:") +
                                theApp.LibraryName() + QLatin1Char('/') + theApp.BreakerName(),
                            QString());
        if (CLibraryScreen* library = TheScreen<CLibraryScreen>())
            library->RefillAllPages();
        break;
    case Screen::Mcc:
        theApp.SetMainTitle(projectTitle, QCoreApplication::translate("CSevrinApp", "-동력(10)"));
        break;
    case Screen::PanelBoard:
        theApp.SetMainTitle(projectTitle, QCoreApplication::translate("CSevrinApp", "-부하(20)"));
        break;
    case Screen::Transformer:
        theApp.SetMainTitle(projectTitle, QCoreApplication::translate("CSevrinApp", "-변압기용량(30)"));
        break;
    case Screen::Cable:
        theApp.SetMainTitle(projectTitle, QCoreApplication::translate("CSevrinApp", "-케이블&차단기(40)"));
        break;
    case Screen::Tray:
        theApp.SetMainTitle(projectTitle, QCoreApplication::translate("CSevrinApp", "-케이블 트레이(50)"));
        break;
    case Screen::Generator:
        theApp.SetMainTitle(projectTitle, QCoreApplication::translate("CSevrinApp", "-발전기용량(60)"));
        if (CGeneratorScreen* gen = TheScreen<CGeneratorScreen>()) {
            gen->StoreGeneratorInputs();
            gen->CalcGeneratorCapacity();
            gen->ShowGeneratorInputs();
        }
        break;
    case Screen::FaultCurrent:
        theApp.SetMainTitle(projectTitle, QCoreApplication::translate("CSevrinApp", "-고장전류(80)"));
        break;
    case Screen::Grounding:
        theApp.SetMainTitle(projectTitle, QCoreApplication::translate("CSevrinApp", "-접지저항(90)"));
        if (CGroundingScreen* grounding = TheScreen<CGroundingScreen>()) {
            grounding->StoreGroundingInputs();
            grounding->CalcGroundingDesign();
            grounding->ShowGroundingFields();
        }
        break;
    case Screen::Start:
    case Screen::Web:
    case Screen::Switchgear:  // the title stays
        break;
    }

    theApp.CurrentScreen = screen;
    g_frame->SetActiveView(target);
    return active;
}

void ShowOptionalButtons(bool show)
{
    if (CMccScreen* mcc = TheScreen<CMccScreen>())
        mcc->LoadPage()->SetInsertButtonsVisible(show);
    if (CBoardScreen* boards = TheScreen<CBoardScreen>())
        boards->BoardPage()->SetInsertButtonsVisible(show);
    if (CTransformerScreen* transformers = TheScreen<CTransformerScreen>())
        transformers->LoadPage()->SetInsertButtonsVisible(show);
    if (CCableScreen* cables = TheScreen<CCableScreen>())
        cables->SetInsertButtonsVisible(show);
    if (CTrayScreen* trays = TheScreen<CTrayScreen>())
        trays->SetInsertButtonsVisible(show);
    if (CGeneratorScreen* generator = TheScreen<CGeneratorScreen>())
        generator->LoadPage()->SetInsertButtonsVisible(show);
    if (CFaultScreen* fault = TheScreen<CFaultScreen>()) {
        fault->MotorPage()->SetInsertButtonsVisible(show);
        fault->CablePage()->SetInsertButtonsVisible(show);
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
