#include "sevrinpro81view.h"

#include <QPushButton>

CSevrinPro81View::CSevrinPro81View(QWidget* parent) : CFormView(868, 482, parent)
{
    // A page takes the size of the tab area it sits in.
    setMinimumSize(0, 0);
}

void CSevrinPro81View::FillUtilityTypeCombos()
{
    // filled in when the screen is built
}

void CSevrinPro81View::FillUtilityLineList()
{
    // filled in when the screen is built
}

void CSevrinPro81View::FillIncomingCableList()
{
    // filled in when the screen is built
}
