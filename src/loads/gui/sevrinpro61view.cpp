#include "sevrinpro61view.h"

#include <QPushButton>

CSevrinPro61View::CSevrinPro61View(QWidget* parent) : CFormView(868, 482, parent)
{
    // A page takes the size of the tab area it sits in.
    setMinimumSize(0, 0);
    AddButton(1548, QStringLiteral("+"), 4, 4, 14, 14)->hide();
}

void CSevrinPro61View::SetInsertButtonsVisible(bool visible)
{
    for (int id : {1548})
        if (QPushButton* b = Control<QPushButton>(id))
            b->setVisible(visible);
}
