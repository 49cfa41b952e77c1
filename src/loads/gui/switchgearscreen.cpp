#include "switchgearscreen.h"

#include "app/core/sevrin.h"
#include "app/gui/sevrinapp.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>

CSwitchgearScreen::CSwitchgearScreen(QWidget* parent) : CFormView(943, 537, parent)
{
    QPushButton* top = AddButton(0, tr("선택화면"), 12, 7, 50, 14);
    AddButton(0, tr("수배전반 불러오기"), 68, 7, 70, 14);
    auto* nameLabel = new QLabel(tr("수배전반 명"), this);
    Place(nameLabel, 0, 68, 27, 50, 12);
    auto* name = new QLineEdit(this);
    Place(name, 0, 120, 26, 130, 12);
    auto* list = new QTableView(this);  // no columns
    Place(list, 0, 68, 44, 240, 430);
    AddButton(0, tr("추가"), 68, 478, 50, 14);
    AddButton(0, tr("수정"), 122, 478, 50, 14);
    AddButton(0, tr("삭제"), 176, 478, 50, 14);
    auto* pages = new QTabWidget(this);  // no pages
    Place(pages, 0, 316, 25, 620, 482);
    AddButton(0, tr("저장하기"), 12, 462, 50, 14);
    AddButton(0, tr("출력하기"), 12, 480, 50, 14);
    QPushButton* bottom = AddButton(0, tr("선택화면"), 12, 498, 50, 14);
    QPushButton* home = AddButton(0, tr("초기화면"), 12, 516, 50, 14);
    connect(top, &QPushButton::clicked, this, &CSwitchgearScreen::OnSwitchgearSelectScreen);
    connect(bottom, &QPushButton::clicked, this, &CSwitchgearScreen::OnSwitchgearSelectScreen);
    connect(home, &QPushButton::clicked, this, &CSwitchgearScreen::OnSwitchgearStartScreen);
}

CSwitchgearScreen::~CSwitchgearScreen()
{
    if (theApp.ScreenView(kScreen) == this)
        theApp.SetScreen(kScreen, nullptr);
}

void CSwitchgearScreen::OnInitialUpdate()
{
    CFormView::OnInitialUpdate();
    SetFilterEnterEscape(true);
    theApp.SetScreen(kScreen, this);
}

void CSwitchgearScreen::OnSwitchgearSelectScreen()
{
    SwitchView(Screen::Project);
}

void CSwitchgearScreen::OnSwitchgearStartScreen()
{
    SwitchView(Screen::Start);
}
