#include "sevrinlibview.h"

#include "app/core/sevrin.h"
#include "app/gui/sevrinapp.h"
#include "library/gui/sevrinlib00view.h"
#include "library/gui/sevrinlib01view.h"
#include "library/gui/sevrinlib02view.h"
#include "library/gui/sevrinlib03view.h"
#include "library/gui/sevrinlib04view.h"
#include "library/gui/sevrinlib05view.h"
#include "library/gui/sevrinlib06view.h"
#include "library/gui/sevrinlib07view.h"
#include "library/gui/sevrinlib08view.h"
#include "library/gui/sevrinlib09view.h"
#include "library/gui/sevrinlib10view.h"
#include "library/gui/sevrinlib11view.h"
#include "library/gui/sevrinlib12view.h"
#include "library/gui/sevrinlib13view.h"
#include "library/gui/sevrinlib20view.h"
#include "library/gui/sevrinlib21view.h"
#include "library/gui/sevrinlib22view.h"
#include "library/gui/sevrinlib23view.h"
#include "library/gui/sevrinlib24view.h"
#include "library/gui/sevrinlib25view.h"
#include "library/gui/sevrinlib30view.h"
#include "library/gui/sevrinlib40view.h"
#include "library/gui/sevrinlib50view.h"
#include "library/gui/sevrinlib60view.h"
#include "library/gui/sevrinlib70view.h"
#include "library/gui/sevrinlib80view.h"
#include "platform/prompt.h"

#include <QFrame>
#include <QPushButton>

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

}  // namespace

CSevrinLibView::CSevrinLibView(QWidget* parent) : CFormView(943, 537, parent)
{
    QPushButton* home = AddButton(1011, tr("초기화면"), 12, 7, 50, 14);
    connect(home, &QPushButton::clicked, this, &CSevrinLibView::OnLibraryHomeTop);
    const struct
    {
        int id;
        const char* caption;
        int x;
        void (CSevrinLibView::*handler)();
    } groups[] = {
        {1093, QT_TR_NOOP("케이블"), 68, &CSevrinLibView::OnCableGroup},
        {1094, QT_TR_NOOP("차단기"), 134, &CSevrinLibView::OnBreakerGroup},
        {1095, QT_TR_NOOP("트레이"), 200, &CSevrinLibView::OnTrayGroup},
        {1096, QT_TR_NOOP("변압기"), 266, &CSevrinLibView::OnTransformerGroup},
        {1005, QT_TR_NOOP("발전기"), 332, &CSevrinLibView::OnGeneratorGroup},
        {1097, QT_TR_NOOP("전동기"), 398, &CSevrinLibView::OnMotorGroup},
        {1009, QT_TR_NOOP("접지"), 464, &CSevrinLibView::OnGroundingGroup},
        {1008, QT_TR_NOOP("수배전반"), 603, &CSevrinLibView::OnSwitchgearGroup},
        {1010, QT_TR_NOOP("수용률"), 669, &CSevrinLibView::OnDemandFactorGroup},
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
    connect(homeBottom, &QPushButton::clicked, this, &CSevrinLibView::OnLibraryHome);
    QPushButton* prev = AddButton(1091, tr("이전"), 833, 516, 50, 14);
    connect(prev, &QPushButton::clicked, this, &CSevrinLibView::OnPrevPage);
    QPushButton* next = AddButton(1092, tr("다음"), 886, 516, 50, 14);
    connect(next, &QPushButton::clicked, this, &CSevrinLibView::OnNextPage);

    m_pages = {new CSevrinLib00View, new CSevrinLib01View, new CSevrinLib02View, new CSevrinLib03View,
               new CSevrinLib04View, new CSevrinLib05View, new CSevrinLib06View, new CSevrinLib07View,
               new CSevrinLib08View, new CSevrinLib09View, new CSevrinLib10View, new CSevrinLib11View,
               new CSevrinLib12View, new CSevrinLib13View, new CSevrinLib20View, new CSevrinLib21View,
               new CSevrinLib22View, new CSevrinLib23View, new CSevrinLib24View, new CSevrinLib25View,
               new CSevrinLib30View, new CSevrinLib40View, new CSevrinLib50View, new CSevrinLib60View,
               new CSevrinLib70View, new CSevrinLib80View};
}

CSevrinLibView::~CSevrinLibView() = default;

void CSevrinLibView::OnInitialUpdate()
{
    CFormView::OnInitialUpdate();
    m_pageIndex = 0;
    const QRect client = m_tabFrame->contentsRect();
    for (CSevrinLibPage* page : m_pages) {
        page->setParent(m_tabFrame);
        page->OnInitDialog();
        page->setGeometry(client);
        page->hide();
    }
    m_pageShown = PageByIndex(0);
    m_pageShown->show();
    EnableLibraryPageButtons(0);
    theApp.ScreenPointers.LibView = this;
}

void CSevrinLibView::RefillAllPages()
{
    for (CSevrinLibPage* page : m_pages)
        page->Fill();
}

CSevrinLibPage* CSevrinLibView::PageByIndex(int index) const
{
    for (CSevrinLibPage* page : m_pages)
        if (page->Desc().index == index && index >= 0)
            return page;
    return nullptr;
}

void CSevrinLibView::ShowLibraryPage(int n)
{
    EnableLibraryPageButtons(n);
    if (m_pageShown)
        m_pageShown->hide();
    m_pageShown = nullptr;
    CSevrinLibPage* page = PageByIndex(m_pageIndex);
    if (!page)
        return;
    page->setGeometry(m_tabFrame->contentsRect());
    page->show();
    m_pageShown = page;
    // Pages whose tables the editors or the design conditions change show them as they are now.
    if (page->Desc().refillWhenShown)
        page->Fill();
}

void CSevrinLibView::EnableLibraryPageButtons(int n)
{
    Control<QPushButton>(1091)->setEnabled(n != 0);
    Control<QPushButton>(1092)->setEnabled(n != LastSteppedPage);
    for (int id : kGroupButtons)
        Control<QPushButton>(id)->setEnabled(id != GroupButtonOf(n));
}

void CSevrinLibView::ShowGroup(int index)
{
    m_pageIndex = index;
    ShowLibraryPage(index);
}

void CSevrinLibView::OnLibraryHomeTop()
{
    SwitchView(0);
}

void CSevrinLibView::OnLibraryHome()
{
    SwitchView(0);
}

void CSevrinLibView::OnPrevPage()
{
    if (m_pageIndex > 0)
        ShowGroup(m_pageIndex - 1);
}

void CSevrinLibView::OnNextPage()
{
    if (m_pageIndex < LastSteppedPage)
        ShowGroup(m_pageIndex + 1);
}

void CSevrinLibView::OnCableGroup()
{
    ShowGroup(0);
}

void CSevrinLibView::OnBreakerGroup()
{
    ShowGroup(10);
}

void CSevrinLibView::OnTrayGroup()
{
    ShowGroup(14);
}

void CSevrinLibView::OnTransformerGroup()
{
    ShowGroup(20);
}

void CSevrinLibView::OnGeneratorGroup()
{
    ShowGroup(21);
}

void CSevrinLibView::OnMotorGroup()
{
    ShowGroup(22);
}

void CSevrinLibView::OnGroundingGroup()
{
    ShowGroup(23);
}

void CSevrinLibView::OnSwitchgearGroup()
{
    Prompt::Message(tr("지원하지 않습니다."));
}

void CSevrinLibView::OnDemandFactorGroup()
{
    Prompt::Message(tr("지원하지 않습니다."));
}
