#include "sevrinpro10view.h"

#include "app/core/sevrin.h"
#include "loads/gui/sevrinpro12view.h"

#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>

CSevrinPro10View::CSevrinPro10View(QWidget* parent) : CFormView(943, 537, parent)
{
    AddNavigationButtons(0, 0, 0);
    // The pages sit in the tab area; the screen switches them with its own buttons.
    m_pages = new QTabWidget(this);
    Place(m_pages, 0, 68, 25, 868, 482);
    m_pages->tabBar()->hide();
    m_loadPage = new CSevrinPro12View;
    m_pages->addTab(m_loadPage, QString());
}

void CSevrinPro10View::OnInitialUpdate()
{
    CFormView::OnInitialUpdate();
    SetFilterEnterEscape(true);
    theApp.ScreenPointers.Pro10View = this;
}

void CSevrinPro10View::ApplyMccDesignConditions(int firstPanel, bool refresh)
{
    Q_UNUSED(firstPanel);
    Q_UNUSED(refresh);
    // filled in when the screen is built
}
