#include "sevrinpro22view.h"

#include <QPushButton>

CSevrinPro22View::CSevrinPro22View(QWidget* parent) : CFormView(868, 482, parent)
{
    // A page takes the size of the tab area it sits in.
    setMinimumSize(0, 0);
    AddButton(1456, QStringLiteral("+"), 4, 4, 14, 14)->hide();
    AddButton(1599, QStringLiteral("+"), 20, 4, 14, 14)->hide();
}

void CSevrinPro22View::SetInsertButtonsVisible(bool visible)
{
    for (int id : {1456, 1599})
        if (QPushButton* b = Control<QPushButton>(id))
            b->setVisible(visible);
}
