#include "sevrinpro82view.h"

#include <QPushButton>

CSevrinPro82View::CSevrinPro82View(QWidget* parent) : CFormView(868, 482, parent)
{
    // A page takes the size of the tab area it sits in.
    setMinimumSize(0, 0);
}

void CSevrinPro82View::FillTransformerList()
{
    // filled in when the screen is built
}
