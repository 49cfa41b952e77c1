#include "sevrinpro70view.h"

#include "app/core/sevrin.h"

#include <QPushButton>

CSevrinPro70View::CSevrinPro70View(QWidget* parent) : CFormView(943, 537, parent)
{
    AddNavigationButtons(0, 0, 0);
}

void CSevrinPro70View::OnInitialUpdate()
{
    CFormView::OnInitialUpdate();
    SetFilterEnterEscape(true);
}
