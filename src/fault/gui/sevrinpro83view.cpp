#include "sevrinpro83view.h"

#include <QPushButton>

CSevrinPro83View::CSevrinPro83View(QWidget* parent) : CFormView(868, 482, parent)
{
    // A page takes the size of the tab area it sits in.
    setMinimumSize(0, 0);
    AddButton(1406, QStringLiteral("+"), 4, 4, 14, 14)->hide();
}

void CSevrinPro83View::FillMotorList()
{
    // filled in when the screen is built
}

void CSevrinPro83View::SetInsertButtonsVisible(bool visible)
{
    for (int id : {1406})
        if (QPushButton* b = Control<QPushButton>(id))
            b->setVisible(visible);
}
