#include "boardscreen.h"

#include "app/core/sevrin.h"
#include "app/gui/sevrinapp.h"
#include "loads/core/designconditions.h"
#include "loads/gui/guicall.h"
#include "loads/gui/boardsheetpage.h"
#include "loads/gui/boardinstallationpage.h"
#include "loads/gui/boardconductorpage.h"
#include "loads/gui/boardmotorstartpage.h"
#include "loads/gui/boardbreakerpage.h"
#include "platform/prompt.h"
#include "report/gui/outputdlg.h"

#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>

namespace {

constexpr int kSheetPage = 4;


}  // namespace

CBoardScreen::CBoardScreen(QWidget* parent) : CFormView(943, 537, parent)
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
    connect(top, &QPushButton::clicked, this, &CBoardScreen::OnPanelBoardSelectScreen);
    connect(bottom, &QPushButton::clicked, this, &CBoardScreen::OnPanelBoardSelectScreen);
    connect(home, &QPushButton::clicked, this, &CBoardScreen::OnPanelBoardStartScreen);
    connect(save, &QPushButton::clicked, this, &CBoardScreen::OnSavePanelBoards);
    connect(output, &QPushButton::clicked, this, &CBoardScreen::OnOutputPanelBoards);
    connect(m_designButton, &QPushButton::clicked, this, &CBoardScreen::OnShowPanelBoardDesignPage);
    connect(m_sheetButton, &QPushButton::clicked, this, &CBoardScreen::OnShowPanelBoardSheetPage);
    connect(m_prevButton, &QPushButton::clicked, this, &CBoardScreen::OnPrevPanelBoardPage);
    connect(m_nextButton, &QPushButton::clicked, this, &CBoardScreen::OnNextPanelBoardPage);
    connect(calc, &QPushButton::clicked, this, &CBoardScreen::OnCalcPanelBoard);

    // The frame of the pages (1423): no tabs, the pages fill it and the buttons switch them.
    m_frame = new QFrame(this);
    m_frame->setFrameShape(QFrame::StyledPanel);
    Place(m_frame, 1423, 68, 25, 868, 482);
    auto* grid = new QGridLayout(m_frame);
    grid->setContentsMargins(0, 0, 0, 0);
    m_installPage = new CBoardInstallationPage(m_frame);
    m_conductorPage = new CBoardConductorPage(m_frame);
    m_motorPage = new CBoardMotorStartPage(m_frame);
    m_breakerPage = new CBoardBreakerPage(m_frame);
    m_boardPage = new CBoardSheetPage(m_frame);
    for (int i = 0; i <= kSheetPage; ++i) {
        grid->addWidget(Page(i), 0, 0);
        Page(i)->hide();
    }
}

CBoardScreen::~CBoardScreen()
{
    if (theApp.ScreenView(kScreen) == this)
        theApp.SetScreen(kScreen, nullptr);
}

QWidget* CBoardScreen::Page(int index) const
{
    switch (index) {
    case 0: return m_installPage;
    case 1: return m_conductorPage;
    case 2: return m_motorPage;
    case 3: return m_breakerPage;
    case 4: return m_boardPage;
    default: return nullptr;
    }
}

void CBoardScreen::OnInitialUpdate()
{
    CFormView::OnInitialUpdate();
    SetFilterEnterEscape(true);
    m_installPage->OnInitDialog();
    m_boardPage->OnInitDialog();
    m_pageIndex = 0;
    m_installPage->show();
    m_currentPage = m_installPage;
    EnablePanelBoardPageButtons(0);
    theApp.SetScreen(kScreen, this);
}

void CBoardScreen::ShowPanelBoardPage(int page)
{
    CallOnGuiThread(this, [this, page] {
        EnablePanelBoardPageButtons(page);
        if (m_currentPage) {
            m_currentPage->hide();
            m_currentPage = nullptr;
        }
        // The page index chooses the page; callers set it first.
        m_currentPage = Page(m_pageIndex);
        if (m_currentPage)
            m_currentPage->show();
    });
}

void CBoardScreen::EnablePanelBoardPageButtons(int page)
{
    m_prevButton->setEnabled(page != 0);
    m_nextButton->setEnabled(page != kSheetPage);
    m_designButton->setEnabled(page >= kSheetPage);
    m_sheetButton->setEnabled(page < kSheetPage);
}

void CBoardScreen::StorePanelBoardDesignConditions()
{
    CallOnGuiThread(this, [this] {
        CSevrinApp::CabinetSizingBlockT& b = theApp.CabinetSizingBlock;
        b.DemandFactorPct() = m_boardPage->DemandFactorEdit()->text();
        for (int i = 0; i < 5; ++i)
            b.InstallConditionIndex[std::size_t(i)] = m_installPage->ConditionCombo(i)->currentIndex();
        b.SingleCoreThresholdIndex() = m_conductorPage->ThresholdCombo()->currentIndex();
        b.SingleCoreThresholdCopy() = b.SingleCoreThresholdIndex();
        b.ConductorTripTimeIndex() = m_conductorPage->TripTimeCombo()->currentIndex();
        for (int i = 0; i < 5; ++i)
            b.ConductorCriteriaText[std::size_t(i)] =
                m_conductorPage->Edit(CBoardConductorPage::FirstEditId + i)->text();
        b.FaultCurrentRatingPct() = m_conductorPage->Edit(CBoardConductorPage::FaultRatingEditId)->text();
        b.ConductorMarginFactor() = m_conductorPage->Edit(CBoardConductorPage::MarginEditId)->text();
        b.MotorStartPowerFactorIndex() = m_motorPage->PowerFactorCombo()->currentIndex();
        b.MotorFeederStartDropPct() = m_motorPage->Edit(CBoardMotorStartPage::FeederDropEditId)->text();
        b.MotorStartDropPct() = m_motorPage->Edit(CBoardMotorStartPage::MotorDropEditId)->text();
        b.MotorStartMarginFactor() = m_motorPage->Edit(CBoardMotorStartPage::MarginEditId)->text();
        b.BreakerMakerIndex() = m_breakerPage->MakerCombo()->currentIndex();
        b.InrushMultipleIndex() = m_breakerPage->InrushCombo()->currentIndex();
        b.BreakerTripTimeIndex() = m_breakerPage->TripTimeCombo()->currentIndex();
        b.InrushMarginFactor() = m_breakerPage->MarginEdit()->text();
        b.BreakerMakerName() = m_breakerPage->MakerCombo()->currentText();
    });
}

ProjectFileSections CBoardScreen::WouldWriteSections()
{
    const KeepBlock keep(theApp.CabinetSizingBlock);
    StorePanelBoardDesignConditions();
    return {CabinetSizingSectionOf(theApp)};
}

QString CBoardScreen::UnsavedEditsName() const
{
    return tr("부하 설계조건");
}

void CBoardScreen::ApplyPanelBoardDesignConditions()
{
    // theApp and the reference tables only; no control is touched, but the GUI thread may be
    // reading the same tables, so the report worker's call runs there too.
    CallOnGuiThread(this, [] { ::ApplyPanelBoardDesignConditions(theApp); });
}

void CBoardScreen::RefreshPanelBoardPages(int boardIndex)
{
    CallOnGuiThread(this, [this, boardIndex] {
        CSevrinApp::CabinetSizingBlockT& b = theApp.CabinetSizingBlock;
        m_boardPage->DemandFactorEdit()->setText(b.DemandFactorPct());

        for (int i = 0; i < 5; ++i)
            SelectStoredIndex(m_installPage->ConditionCombo(i), b.InstallConditionIndex[std::size_t(i)]);
        for (int i = 0; i < 9; ++i)
            m_installPage->FactorEdit(i)->setText(b.CorrectionFactors()[std::size_t(i)]);

        SelectStoredIndex(m_conductorPage->ThresholdCombo(), b.SingleCoreThresholdIndex());
        SelectStoredIndex(m_conductorPage->ThresholdCopyCombo(), b.SingleCoreThresholdIndex());
        SelectStoredIndex(m_conductorPage->TripTimeCombo(), b.ConductorTripTimeIndex());
        for (int i = 0; i < 5; ++i)
            m_conductorPage->Edit(CBoardConductorPage::FirstEditId + i)
                ->setText(b.ConductorCriteriaText[std::size_t(i)]);
        m_conductorPage->Edit(CBoardConductorPage::FaultRatingEditId)->setText(b.FaultCurrentRatingPct());
        m_conductorPage->Edit(CBoardConductorPage::MarginEditId)->setText(b.ConductorMarginFactor());
        m_conductorPage->Edit(CBoardConductorPage::FirstTotalEditId)->setText(b.TotalDropPct()[0]);
        m_conductorPage->Edit(CBoardConductorPage::FirstTotalEditId + 1)->setText(b.TotalDropPct()[1]);

        SelectStoredIndex(m_motorPage->PowerFactorCombo(), b.MotorStartPowerFactorIndex());
        m_motorPage->Edit(CBoardMotorStartPage::FeederDropEditId)->setText(b.MotorFeederStartDropPct());
        m_motorPage->Edit(CBoardMotorStartPage::MotorDropEditId)->setText(b.MotorStartDropPct());
        m_motorPage->Edit(CBoardMotorStartPage::MarginEditId)->setText(b.MotorStartMarginFactor());

        theApp.LoadBreakerWorkbook(true, 0);
        QComboBox* maker = m_breakerPage->MakerCombo();
        {
            const QSignalBlocker block(maker);
            maker->clear();
            const LibNameList& makers = theApp.BreakerLibBlock.BreakerMakerList;
            for (int i = 0; i < makers.Count && i < LibNameList::Capacity; ++i)
                maker->addItem(makers.Names[std::size_t(i)]);
        }
        SelectStoredIndex(maker, b.BreakerMakerIndex());
        SelectStoredIndex(m_breakerPage->InrushCombo(), b.InrushMultipleIndex());
        SelectStoredIndex(m_breakerPage->TripTimeCombo(), b.BreakerTripTimeIndex());
        m_breakerPage->MarginEdit()->setText(b.InrushMarginFactor());

        m_boardPage->LoadPanelBoards();
        if (b.PanelBoardCount() > 0)
            m_boardPage->LoadCircuits(boardIndex);
    });
}

QString CBoardScreen::DesignControlText(int page, int id)
{
    return CallOnGuiThread(this, [this, page, id] {
        const QWidget* p = page >= 0 && page < kSheetPage ? Page(page) : nullptr;
        if (!p)
            return QString();
        if (auto* combo = p->findChild<QComboBox*>(QString::number(id)))
            return combo->currentText();
        if (auto* edit = p->findChild<QLineEdit*>(QString::number(id)))
            return edit->text();
        return QString();
    });
}

void CBoardScreen::OnPanelBoardSelectScreen()
{
    SwitchView(Screen::Project);
}

void CBoardScreen::OnPanelBoardStartScreen()
{
    SwitchView(Screen::Start);
}

void CBoardScreen::OnSavePanelBoards()
{
    StorePanelBoardDesignConditions();
    const QString path = theApp.ProjectPathTable.CurrentProjectPath;
    if (theApp.SaveCabinetSizingSection(path))
        Prompt::Message(tr("분전반 내용을 저장 하였습니다."), Prompt::Buttons::Ok, Prompt::Icon::Information);
    else
        Prompt::Message(tr("프로젝트 파일을 저장하지 못했습니다.\n%1").arg(path));
}

void CBoardScreen::OnOutputPanelBoards()
{
    COutputDlg::RunForScreenReport(COutputDlg::PanelBoard, nullptr);
}

void CBoardScreen::OnShowPanelBoardDesignPage()
{
    m_pageIndex = 0;
    ShowPanelBoardPage(0);
}

void CBoardScreen::OnShowPanelBoardSheetPage()
{
    m_pageIndex = kSheetPage;
    ShowPanelBoardPage(kSheetPage);
}

void CBoardScreen::OnNextPanelBoardPage()
{
    if (m_pageIndex >= kSheetPage)
        return;
    ++m_pageIndex;
    ShowPanelBoardPage(m_pageIndex);
}

void CBoardScreen::OnPrevPanelBoardPage()
{
    if (m_pageIndex <= 0)
        return;
    --m_pageIndex;
    ShowPanelBoardPage(m_pageIndex);
}

void CBoardScreen::OnCalcPanelBoard()
{
    if (m_pageIndex == kSheetPage && m_boardPage->RefuseDemandFactor())
        return;
    StorePanelBoardDesignConditions();
    ApplyPanelBoardDesignConditions();
    const int board = m_boardPage->BoardIndex();
    if (m_pageIndex == kSheetPage)
        m_boardPage->CalcPanelBoard(board);
    RefreshPanelBoardPages(board);
}
