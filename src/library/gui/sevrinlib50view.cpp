#include "sevrinlib50view.h"

CSevrinLib50View::CSevrinLib50View(QWidget* parent) : CLibraryPage(*FindLibraryPage("motorData"), parent)
{
}
