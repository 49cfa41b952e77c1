#include "sevrinpro31view.h"

#include <QPushButton>

CSevrinPro31View::CSevrinPro31View(QWidget* parent) : CFormView(868, 482, parent)
{
    // A page takes the size of the tab area it sits in.
    setMinimumSize(0, 0);
    AddButton(1631, QStringLiteral("+"), 4, 4, 14, 14)->hide();
}

void CSevrinPro31View::SetInsertButtonsVisible(bool visible)
{
    for (int id : {1631})
        if (QPushButton* b = Control<QPushButton>(id))
            b->setVisible(visible);
}
