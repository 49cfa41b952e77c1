#include "sevrinpro60view.h"

#include "app/core/sevrin.h"
#include "loads/gui/sevrinpro61view.h"

#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>

CSevrinPro60View::CSevrinPro60View(QWidget* parent) : CFormView(943, 537, parent)
{
    AddNavigationButtons(0, 0, 0);
    // The pages sit in the tab area; the screen switches them with its own buttons.
    m_pages = new QTabWidget(this);
    Place(m_pages, 0, 68, 25, 868, 482);
    m_pages->tabBar()->hide();
    m_loadPage = new CSevrinPro61View;
    m_pages->addTab(m_loadPage, QString());
}

void CSevrinPro60View::OnInitialUpdate()
{
    CFormView::OnInitialUpdate();
    SetFilterEnterEscape(true);
    theApp.ScreenPointers.Pro60View = this;
}

void CSevrinPro60View::StoreGeneratorInputs()
{
    // filled in when the screen is built
}

void CSevrinPro60View::CalcGeneratorCapacity()
{
    // filled in when the screen is built
}

void CSevrinPro60View::ShowGeneratorInputs()
{
    // filled in when the screen is built
}
