#include "sevrinproview.h"

#include "app/core/sevrin.h"
#include "app/gui/sevrinapp.h"

#include <QPushButton>

CSevrinProView::CSevrinProView(QWidget* parent) : CFormView(943, 537, parent)
{
    struct Nav
    {
        int id;
        const char* caption;
        int y;
        int screen;
    };
    // "&&" shows a single ampersand on a button.
    const Nav nav[] = {
        {1005, "초기화면", 7, 0},         {1017, "동력", 71, 4},
        {1016, "부하", 91, 5},            {1018, "케이블&&차단기", 111, 7},
        {1021, "케이블 트레이", 131, 8},  {1019, "변압기용량", 151, 6},
        {1020, "발전기용량", 171, 9},     {1022, "고장전류", 191, 11},
        {1024, "접지", 211, 12},
    };
    for (const Nav& n : nav) {
        QPushButton* b = AddButton(n.id, tr(n.caption), 12, n.y, 50, 14);
        const int screen = n.screen;
        connect(b, &QPushButton::clicked, this, [screen] { SwitchView(screen); });
    }
    // The switchgear screen's button exists but is never shown.
    QPushButton* switchgear = AddButton(1023, tr("수배전반"), 12, 249, 50, 14);
    switchgear->hide();
    connect(switchgear, &QPushButton::clicked, this, [] { SwitchView(10); });
}

void CSevrinProView::OnInitialUpdate()
{
    CFormView::OnInitialUpdate();
    SetFilterEnterEscape(true);
    theApp.ScreenPointers.ProView = this;
}

void CSevrinProView::RefreshProjectScreen()
{
    // filled in when the screen is built
}
