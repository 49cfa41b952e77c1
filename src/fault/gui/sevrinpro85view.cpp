#include "sevrinpro85view.h"

#include <QPushButton>

CSevrinPro85View::CSevrinPro85View(QWidget* parent) : CFormView(868, 482, parent)
{
    // A page takes the size of the tab area it sits in.
    setMinimumSize(0, 0);
}

void CSevrinPro85View::LoadFaultBusData()
{
    // filled in when the screen is built
}
