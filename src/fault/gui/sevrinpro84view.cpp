#include "sevrinpro84view.h"

#include <QPushButton>

CSevrinPro84View::CSevrinPro84View(QWidget* parent) : CFormView(868, 482, parent)
{
    // A page takes the size of the tab area it sits in.
    setMinimumSize(0, 0);
    AddButton(1695, QStringLiteral("+"), 4, 4, 14, 14)->hide();
}

void CSevrinPro84View::FillCableList()
{
    // filled in when the screen is built
}

void CSevrinPro84View::SetInsertButtonsVisible(bool visible)
{
    for (int id : {1695})
        if (QPushButton* b = Control<QPushButton>(id))
            b->setVisible(visible);
}
