#include "sevrinwebview.h"

#include "app/gui/sevrinapp.h"
#include "app/gui/webbrowser2ex.h"

#include <QPushButton>

CSevrinWebView::CSevrinWebView(QWidget* parent) : CFormView(943, 537, parent)
{
    QPushButton* home = AddButton(1028, tr(" 초기화면"), 12, 516, 50, 14);
    connect(home, &QPushButton::clicked, this, [] { SwitchView(0); });
    m_browser = new CWebBrowser2Ex(this);
    Place(m_browser, 1029, 68, 7, 868, 523);
}
