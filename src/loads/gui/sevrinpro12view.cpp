#include "sevrinpro12view.h"

#include <QPushButton>

CSevrinPro12View::CSevrinPro12View(QWidget* parent) : CFormView(868, 482, parent)
{
    // A page takes the size of the tab area it sits in.
    setMinimumSize(0, 0);
    AddButton(1422, QStringLiteral("+"), 4, 4, 14, 14)->hide();
    AddButton(1423, QStringLiteral("+"), 20, 4, 14, 14)->hide();
}

void CSevrinPro12View::SetInsertButtonsVisible(bool visible)
{
    for (int id : {1422, 1423})
        if (QPushButton* b = Control<QPushButton>(id))
            b->setVisible(visible);
}
