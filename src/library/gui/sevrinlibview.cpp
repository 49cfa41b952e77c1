#include "sevrinlibview.h"

#include "app/core/sevrin.h"
#include "app/gui/sevrinapp.h"

#include <QPushButton>

CSevrinLibView::CSevrinLibView(QWidget* parent) : CFormView(943, 537, parent)
{
    QPushButton* home = AddButton(1011, tr("초기화면"), 12, 7, 50, 14);
    connect(home, &QPushButton::clicked, this, [] { SwitchView(0); });
    // A second home button at the bottom exists but is never shown.
    QPushButton* homeBottom = AddButton(1007, tr("초기화면"), 12, 516, 50, 14);
    homeBottom->hide();
    connect(homeBottom, &QPushButton::clicked, this, [] { SwitchView(0); });
}

void CSevrinLibView::OnInitialUpdate()
{
    CFormView::OnInitialUpdate();
    theApp.ScreenPointers.LibView = this;
}

void CSevrinLibView::RefillAllPages()
{
    // filled in when the screen is built
}
