#include "sevrinlib22view.h"

CSevrinLib22View::CSevrinLib22View(QWidget* parent) : CSevrinLibPage(*FindLibraryPage("CSevrinLib22View"), parent)
{
}
