#include "sevrinpro30view.h"

#include "app/core/sevrin.h"
#include "loads/gui/sevrinpro31view.h"

#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>

CSevrinPro30View::CSevrinPro30View(QWidget* parent) : CFormView(943, 537, parent)
{
    AddNavigationButtons(0, 0, 0);
    // The pages sit in the tab area; the screen switches them with its own buttons.
    m_pages = new QTabWidget(this);
    Place(m_pages, 0, 68, 25, 868, 482);
    m_pages->tabBar()->hide();
    m_loadPage = new CSevrinPro31View;
    m_pages->addTab(m_loadPage, QString());
}

void CSevrinPro30View::OnInitialUpdate()
{
    CFormView::OnInitialUpdate();
    SetFilterEnterEscape(true);
    theApp.ScreenPointers.Pro30View = this;
}

void CSevrinPro30View::FillTransformerPage(int pageIndex)
{
    Q_UNUSED(pageIndex);
    // filled in when the screen is built
}
