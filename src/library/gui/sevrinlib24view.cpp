#include "sevrinlib24view.h"

CSevrinLib24View::CSevrinLib24View(QWidget* parent) : CSevrinLibPage(*FindLibraryPage("CSevrinLib24View"), parent)
{
}
