#include "sevrinlib11view.h"

CSevrinLib11View::CSevrinLib11View(QWidget* parent) : CSevrinLibPage(*FindLibraryPage("CSevrinLib11View"), parent)
{
}
