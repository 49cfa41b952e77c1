#include "sevrinpro20view.h"

#include "app/core/sevrin.h"
#include "loads/gui/sevrinpro22view.h"

#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>

CSevrinPro20View::CSevrinPro20View(QWidget* parent) : CFormView(943, 537, parent)
{
    AddNavigationButtons(0, 0, 0);
    // The pages sit in the tab area; the screen switches them with its own buttons.
    m_pages = new QTabWidget(this);
    Place(m_pages, 0, 68, 25, 868, 482);
    m_pages->tabBar()->hide();
    m_boardPage = new CSevrinPro22View;
    m_pages->addTab(m_boardPage, QString());
}

void CSevrinPro20View::OnInitialUpdate()
{
    CFormView::OnInitialUpdate();
    SetFilterEnterEscape(true);
    theApp.ScreenPointers.Pro20View = this;
}

void CSevrinPro20View::RefreshPanelBoardPages(int selection)
{
    Q_UNUSED(selection);
    // filled in when the screen is built
}
