#include "webscreen.h"

#include "app/gui/sevrinapp.h"
#include "app/gui/htmlbrowser.h"

#include <QPushButton>

CWebScreen::CWebScreen(QWidget* parent) : CFormView(943, 537, parent)
{
    QPushButton* home = AddButton(1028, tr(" 초기화면"), 12, 516, 50, 14);
    connect(home, &QPushButton::clicked, this, [] { SwitchView(Screen::Start); });
    m_browser = new CHtmlBrowser(this);
    Place(m_browser, 1029, 68, 7, 868, 523);
}
