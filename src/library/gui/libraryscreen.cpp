#include "libraryscreen.h"

#include "app/core/sevrin.h"
#include "app/gui/sevrinapp.h"
#include "library/gui/allowablecurrentpage.h"
#include "library/gui/breakermakerpage.h"
#include "library/gui/hfixtemperaturepage.h"
#include "library/gui/hvcableimpedancepage.h"
#include "library/gui/lineimpedancepage.h"
#include "library/gui/lvcableimpedancepage.h"
#include "platform/prompt.h"

#include <QFrame>
#include <QPushButton>

#include <string_view>

namespace {

// The seven visible group buttons.
constexpr int kGroupButtons[] = {1093, 1094, 1095, 1096, 1005, 1097, 1009};

// The group button of a page index.
int GroupButtonOf(int n)
{
    if (n < 10)
        return 1093;
    if (n <= 13)
        return 1094;
    if (n <= 19)
        return 1095;
    if (n == 20)
        return 1096;
    if (n == 21)
        return 1005;
    if (n == 22)
        return 1097;
    return 1009;
}

// The pages with controls of their own have a class each; every other page is a plain
// CLibraryPage built from its description.
CLibraryPage* MakePage(const LibPageDesc& desc)
{
    const std::string_view key = desc.key;
    if (key == "lineImpedance")
        return new CLineImpedancePage;
    if (key == "hvCableImpedance")
        return new CHvCableImpedancePage;
    if (key == "lvCableImpedance")
        return new CLvCableImpedancePage;
    if (key == "allowableCurrent")
        return new CAllowableCurrentPage;
    if (key == "hfixTemperatureCurrent")
        return new CHfixTemperaturePage;
    if (key == "breakerMaker")
        return new CBreakerMakerPage;
    return new CLibraryPage(desc);
}

}  // namespace

CLibraryScreen::CLibraryScreen(QWidget* parent) : CFormView(943, 537, parent)
{
    QPushButton* home = AddButton(1011, tr("초기화면"), 12, 7, 50, 14);
    connect(home, &QPushButton::clicked, this, &CLibraryScreen::OnLibraryHomeTop);
    const struct
    {
        int id;
        const char* caption;
        int x;
        void (CLibraryScreen::*handler)();
    } groups[] = {
        {1093, QT_TR_NOOP("케이블"), 68, &CLibraryScreen::OnCableGroup},
        {1094, QT_TR_NOOP("차단기"), 134, &CLibraryScreen::OnBreakerGroup},
        {1095, QT_TR_NOOP("트레이"), 200, &CLibraryScreen::OnTrayGroup},
        {1096, QT_TR_NOOP("변압기"), 266, &CLibraryScreen::OnTransformerGroup},
        {1005, QT_TR_NOOP("발전기"), 332, &CLibraryScreen::OnGeneratorGroup},
        {1097, QT_TR_NOOP("전동기"), 398, &CLibraryScreen::OnMotorGroup},
        {1009, QT_TR_NOOP("접지"), 464, &CLibraryScreen::OnGroundingGroup},
        {1008, QT_TR_NOOP("수배전반"), 603, &CLibraryScreen::OnSwitchgearGroup},
        {1010, QT_TR_NOOP("수용률"), 669, &CLibraryScreen::OnDemandFactorGroup},
    };
    for (const auto& g : groups) {
        QPushButton* button = AddButton(g.id, tr(g.caption), g.x, 7, 60, 14);
        connect(button, &QPushButton::clicked, this, g.handler);
        // The switchgear and demand-factor groups are not offered.
        if (g.id == 1008 || g.id == 1010)
            button->hide();
    }

    // The page frame: a bordered area without tabs; the pages are its children.
    m_tabFrame = new QFrame(this);
    m_tabFrame->setFrameShape(QFrame::StyledPanel);
    m_tabFrame->setFrameShadow(QFrame::Raised);
    Place(m_tabFrame, 1098, 68, 26, 868, 482);

    QPushButton* homeBottom = AddButton(1007, tr("초기화면"), 12, 516, 50, 14);
    homeBottom->hide();
    connect(homeBottom, &QPushButton::clicked, this, &CLibraryScreen::OnLibraryHome);
    QPushButton* prev = AddButton(1091, tr("이전"), 833, 516, 50, 14);
    connect(prev, &QPushButton::clicked, this, &CLibraryScreen::OnPrevPage);
    QPushButton* next = AddButton(1092, tr("다음"), 886, 516, 50, 14);
    connect(next, &QPushButton::clicked, this, &CLibraryScreen::OnNextPage);

    const std::vector<LibPageDesc>& table = LibraryPageTable();
    Q_ASSERT(table.size() == m_pages.size());
    for (std::size_t i = 0; i < m_pages.size() && i < table.size(); ++i)
        m_pages[i] = MakePage(table[i]);
}

CLibraryScreen::~CLibraryScreen() = default;

void CLibraryScreen::OnInitialUpdate()
{
    CFormView::OnInitialUpdate();
    m_pageIndex = 0;
    const QRect client = m_tabFrame->contentsRect();
    for (CLibraryPage* page : m_pages) {
        page->setParent(m_tabFrame);
        page->OnInitDialog();
        page->setGeometry(client);
        page->hide();
    }
    m_pageShown = PageByIndex(0);
    m_pageShown->show();
    EnableLibraryPageButtons(0);
    theApp.SetScreen(kScreen, this);
}

void CLibraryScreen::RefillAllPages()
{
    for (CLibraryPage* page : m_pages)
        page->Fill();
}

CLibraryPage* CLibraryScreen::PageByIndex(int index) const
{
    for (CLibraryPage* page : m_pages)
        if (page->Desc().index == index && index >= 0)
            return page;
    return nullptr;
}

void CLibraryScreen::ShowLibraryPage(int n)
{
    EnableLibraryPageButtons(n);
    if (m_pageShown)
        m_pageShown->hide();
    m_pageShown = nullptr;
    CLibraryPage* page = PageByIndex(m_pageIndex);
    if (!page)
        return;
    page->setGeometry(m_tabFrame->contentsRect());
    page->show();
    m_pageShown = page;
    // Pages whose tables the editors or the design conditions change show them as they are now.
    if (page->Desc().refillWhenShown)
        page->Fill();
}

void CLibraryScreen::EnableLibraryPageButtons(int n)
{
    Control<QPushButton>(1091)->setEnabled(n != 0);
    Control<QPushButton>(1092)->setEnabled(n != LastSteppedPage);
    for (int id : kGroupButtons)
        Control<QPushButton>(id)->setEnabled(id != GroupButtonOf(n));
}

void CLibraryScreen::ShowGroup(int index)
{
    m_pageIndex = index;
    ShowLibraryPage(index);
}

void CLibraryScreen::OnLibraryHomeTop()
{
    SwitchView(Screen::Start);
}

void CLibraryScreen::OnLibraryHome()
{
    SwitchView(Screen::Start);
}

void CLibraryScreen::OnPrevPage()
{
    if (m_pageIndex > 0)
        ShowGroup(m_pageIndex - 1);
}

void CLibraryScreen::OnNextPage()
{
    if (m_pageIndex < LastSteppedPage)
        ShowGroup(m_pageIndex + 1);
}

void CLibraryScreen::OnCableGroup()
{
    ShowGroup(0);
}

void CLibraryScreen::OnBreakerGroup()
{
    ShowGroup(10);
}

void CLibraryScreen::OnTrayGroup()
{
    ShowGroup(14);
}

void CLibraryScreen::OnTransformerGroup()
{
    ShowGroup(20);
}

void CLibraryScreen::OnGeneratorGroup()
{
    ShowGroup(21);
}

void CLibraryScreen::OnMotorGroup()
{
    ShowGroup(22);
}

void CLibraryScreen::OnGroundingGroup()
{
    ShowGroup(23);
}

void CLibraryScreen::OnSwitchgearGroup()
{
    Prompt::Message(tr("지원하지 않습니다."));
}

void CLibraryScreen::OnDemandFactorGroup()
{
    Prompt::Message(tr("지원하지 않습니다."));
}
