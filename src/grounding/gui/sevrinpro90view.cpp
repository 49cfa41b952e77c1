#include "sevrinpro90view.h"

#include "app/core/sevrin.h"

#include <QPushButton>

CSevrinPro90View::CSevrinPro90View(QWidget* parent) : CFormView(943, 537, parent)
{
    AddNavigationButtons(1056, 1059, 1060);
}

void CSevrinPro90View::OnInitialUpdate()
{
    CFormView::OnInitialUpdate();
    SetFilterEnterEscape(true);
    theApp.ScreenPointers.Pro90View = this;
}

void CSevrinPro90View::StoreGroundingInputs()
{
    // filled in when the screen is built
}

void CSevrinPro90View::CalcGroundingDesign()
{
    // filled in when the screen is built
}

void CSevrinPro90View::ShowGroundingFields()
{
    // filled in when the screen is built
}
