#include "sevrinlib50view.h"

CSevrinLib50View::CSevrinLib50View(QWidget* parent) : CSevrinLibPage(*FindLibraryPage("CSevrinLib50View"), parent)
{
}
