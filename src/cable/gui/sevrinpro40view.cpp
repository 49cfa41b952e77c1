#include "sevrinpro40view.h"

#include "app/core/sevrin.h"

#include <QPushButton>

CSevrinPro40View::CSevrinPro40View(QWidget* parent) : CFormView(943, 537, parent)
{
    AddNavigationButtons(0, 0, 0);
    AddButton(1363, QStringLiteral("+"), 880, 60, 14, 14)->hide();
}

void CSevrinPro40View::OnInitialUpdate()
{
    CFormView::OnInitialUpdate();
    SetFilterEnterEscape(true);
    theApp.ScreenPointers.Pro40View = this;
}

void CSevrinPro40View::FillBreakerMakerCombo()
{
    // filled in when the screen is built
}

void CSevrinPro40View::LoadCableSchedule()
{
    // filled in when the screen is built
}

void CSevrinPro40View::SetInsertButtonsVisible(bool visible)
{
    for (int id : {1363})
        if (QPushButton* b = Control<QPushButton>(id))
            b->setVisible(visible);
}
