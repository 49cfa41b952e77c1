#include "sevrinlib11view.h"

CSevrinLib11View::CSevrinLib11View(QWidget* parent) : CLibraryPage(*FindLibraryPage("mccb"), parent)
{
}
