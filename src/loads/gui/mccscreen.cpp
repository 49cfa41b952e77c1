#include "mccscreen.h"

#include "app/core/sevrin.h"
#include "app/gui/sevrinapp.h"
#include "loads/core/designconditions.h"
#include "loads/gui/guicall.h"
#include "loads/gui/mccconditionspage.h"
#include "loads/gui/mccsheetpage.h"
#include "platform/prompt.h"
#include "report/gui/outputdlg.h"

#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>

CMccScreen::CMccScreen(QWidget* parent) : CFormView(943, 537, parent)
{
    QPushButton* top = AddButton(0, tr("선택화면"), 12, 7, 50, 14);
    QPushButton* bottom = AddButton(0, tr("선택화면"), 12, 498, 50, 14);
    QPushButton* home = AddButton(0, tr("초기화면"), 12, 516, 50, 14);
    QPushButton* save = AddButton(0, tr("저장하기"), 12, 462, 50, 14);
    QPushButton* output = AddButton(0, tr("출력하기"), 12, 480, 50, 14);
    m_designButton = AddButton(0, tr("설계조건"), 68, 7, 50, 14);
    m_sheetButton = AddButton(0, tr("계산서"), 122, 7, 50, 14);
    m_prevButton = AddButton(0, tr("이전"), 832, 516, 50, 14);
    m_nextButton = AddButton(0, tr("다음"), 886, 516, 50, 14);
    QPushButton* calc = AddButton(0, tr("계산"), 760, 516, 50, 14);
    connect(top, &QPushButton::clicked, this, &CMccScreen::OnMccSelectScreen);
    connect(bottom, &QPushButton::clicked, this, &CMccScreen::OnMccSelectScreen);
    connect(home, &QPushButton::clicked, this, &CMccScreen::OnMccStartScreen);
    connect(save, &QPushButton::clicked, this, &CMccScreen::OnSaveMcc);
    connect(output, &QPushButton::clicked, this, &CMccScreen::OnOutputMcc);
    connect(m_designButton, &QPushButton::clicked, this, &CMccScreen::OnShowMccDesignPage);
    connect(m_sheetButton, &QPushButton::clicked, this, &CMccScreen::OnShowMccSheetPage);
    connect(m_prevButton, &QPushButton::clicked, this, &CMccScreen::OnPrevMccPage);
    connect(m_nextButton, &QPushButton::clicked, this, &CMccScreen::OnNextMccPage);
    connect(calc, &QPushButton::clicked, this, &CMccScreen::OnCalcMcc);

    // The frame of the pages: no tabs, the pages fill it and the buttons switch them.
    m_frame = new QFrame(this);
    m_frame->setFrameShape(QFrame::StyledPanel);
    Place(m_frame, 0, 68, 25, 868, 482);
    auto* grid = new QGridLayout(m_frame);
    grid->setContentsMargins(0, 0, 0, 0);
    m_designPage = new CMccConditionsPage(m_frame);
    m_loadPage = new CMccSheetPage(m_frame);
    for (QWidget* page : {static_cast<QWidget*>(m_designPage), static_cast<QWidget*>(m_loadPage)}) {
        grid->addWidget(page, 0, 0);
        page->hide();
    }
}

CMccScreen::~CMccScreen()
{
    if (theApp.ScreenView(kScreen) == this)
        theApp.SetScreen(kScreen, nullptr);
}

void CMccScreen::OnInitialUpdate()
{
    CFormView::OnInitialUpdate();
    SetFilterEnterEscape(true);
    m_pageIndex = 0;
    m_designPage->show();
    m_currentPage = m_designPage;
    EnableMccPageButtons(0);
    theApp.SetScreen(kScreen, this);
}

void CMccScreen::ShowMccPage(int page)
{
    CallOnGuiThread(this, [this, page] {
        EnableMccPageButtons(page);
        if (m_currentPage) {
            m_currentPage->hide();
            m_currentPage = nullptr;
        }
        // The page index chooses the page; callers set it first.
        if (m_pageIndex == 0)
            m_currentPage = m_designPage;
        else if (m_pageIndex == 1)
            m_currentPage = m_loadPage;
        if (m_currentPage)
            m_currentPage->show();
    });
}

void CMccScreen::EnableMccPageButtons(int page)
{
    m_prevButton->setEnabled(page != 0);
    m_nextButton->setEnabled(page != 1);
    m_designButton->setEnabled(page >= 1);
    m_sheetButton->setEnabled(page < 1);
}

void CMccScreen::StoreMccDesignConditions()
{
    CallOnGuiThread(this, [this] {
        CSevrinApp::MotorControlCenterBlockT& b = theApp.MotorControlCenterBlock;
        for (int i = 0; i < 10; ++i)
            b.MccConditionIndex[std::size_t(i)] = m_designPage->ConditionCombo(i)->currentIndex();
        b.MccReactorTap() = m_designPage->TapEdit()->text();
        b.MccCtFactor() = m_designPage->CtFactorEdit()->text();
    });
}

ProjectFileSections CMccScreen::WouldWriteSections()
{
    const KeepBlock keep(theApp.MotorControlCenterBlock);
    StoreMccDesignConditions();
    return {MotorControlCenterSectionOf(theApp)};
}

QString CMccScreen::UnsavedEditsName() const
{
    return tr("동력 설계조건");
}

void CMccScreen::SetReactorCoefficient()
{
    CSevrinApp::MotorControlCenterBlockT& b = theApp.MotorControlCenterBlock;
    CallOnGuiThread(this, [&b] { b.MccReactorCoefficient() = b.MccReactorTap(); });
}

void CMccScreen::PutDesignConditions()
{
    CSevrinApp::MotorControlCenterBlockT& b = theApp.MotorControlCenterBlock;
    for (int i = 0; i < 10; ++i)
        SelectStoredIndex(m_designPage->ConditionCombo(i), b.MccConditionIndex[std::size_t(i)]);
    m_designPage->TapEdit()->setText(b.MccReactorTap());
    m_designPage->CtFactorEdit()->setText(b.MccCtFactor());
    m_designPage->CoefficientEdit()->setText(b.MccReactorCoefficient());
}

void CMccScreen::ApplyMccDesignConditions(int panelPosition, bool refresh)
{
    CallOnGuiThread(this, [this, panelPosition, refresh] {
        if (refresh) {
            PutDesignConditions();
            m_designPage->LoadUserMotorList();
            m_loadPage->LoadMccPanels();
            if (theApp.MotorControlCenterBlock.MccPanelCount > 0)
                m_loadPage->LoadMccLoads(panelPosition);
        }
        ::ApplyMccDesignConditions(theApp);
    });
}

QString CMccScreen::DesignControlText(int id)
{
    return CallOnGuiThread(this, [this, id] {
        if (auto* combo = m_designPage->Control<QComboBox>(id))
            return combo->currentText();
        if (auto* edit = m_designPage->Control<QLineEdit>(id))
            return edit->text();
        return QString();
    });
}

void CMccScreen::OnMccSelectScreen()
{
    SwitchView(Screen::Project);
}

void CMccScreen::OnMccStartScreen()
{
    SwitchView(Screen::Start);
}

void CMccScreen::OnSaveMcc()
{
    StoreMccDesignConditions();
    const QString path = theApp.ProjectPathTable.CurrentProjectPath;
    if (theApp.SaveMotorControlCenterSection(path))
        Prompt::Message(tr("동력 내용을 저장 하였습니다."), Prompt::Buttons::Ok, Prompt::Icon::Information);
    else
        Prompt::Message(tr("프로젝트 파일을 저장하지 못했습니다.\n%1").arg(path));
}

void CMccScreen::OnOutputMcc()
{
    COutputDlg::RunForScreenReport(COutputDlg::MotorControlCenter, nullptr);
}

void CMccScreen::OnShowMccDesignPage()
{
    m_pageIndex = 0;
    ShowMccPage(0);
}

void CMccScreen::OnShowMccSheetPage()
{
    m_pageIndex = 1;
    ShowMccPage(1);
}

void CMccScreen::OnNextMccPage()
{
    if (m_pageIndex != 0)
        return;
    m_pageIndex = 1;
    ShowMccPage(1);
}

void CMccScreen::OnPrevMccPage()
{
    if (m_pageIndex <= 0)
        return;
    --m_pageIndex;
    ShowMccPage(m_pageIndex);
}

void CMccScreen::OnCalcMcc()
{
    StoreMccDesignConditions();
    SetReactorCoefficient();
    const int position = m_loadPage->PanelPosition();
    // The motor tables first, so that the panel is computed with the conditions the page
    // shows rather than with those of the previous press.
    ApplyMccDesignConditions(position, false);
    if (m_pageIndex == 1)
        m_loadPage->CalcMccPanel(position);
}
