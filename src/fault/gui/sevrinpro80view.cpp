#include "sevrinpro80view.h"

#include "app/core/sevrin.h"
#include "fault/gui/sevrinpro81view.h"
#include "fault/gui/sevrinpro82view.h"
#include "fault/gui/sevrinpro83view.h"
#include "fault/gui/sevrinpro84view.h"
#include "fault/gui/sevrinpro85view.h"

#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>

CSevrinPro80View::CSevrinPro80View(QWidget* parent) : CFormView(943, 537, parent)
{
    AddNavigationButtons(1055, 1063, 1064);
    // The pages sit in the tab area; the screen switches them with its own buttons.
    m_pages = new QTabWidget(this);
    Place(m_pages, 0, 68, 25, 868, 482);
    m_pages->tabBar()->hide();
    m_utilityPage = new CSevrinPro81View;
    m_pages->addTab(m_utilityPage, QString());
    m_transformerPage = new CSevrinPro82View;
    m_pages->addTab(m_transformerPage, QString());
    m_motorPage = new CSevrinPro83View;
    m_pages->addTab(m_motorPage, QString());
    m_cablePage = new CSevrinPro84View;
    m_pages->addTab(m_cablePage, QString());
    m_busPage = new CSevrinPro85View;
    m_pages->addTab(m_busPage, QString());
}

void CSevrinPro80View::OnInitialUpdate()
{
    CFormView::OnInitialUpdate();
    SetFilterEnterEscape(true);
    theApp.ScreenPointers.Pro80View = this;
}

void CSevrinPro80View::ShowFaultCurrentInputs()
{
    // filled in when the screen is built
}
