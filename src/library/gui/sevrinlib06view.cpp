#include "sevrinlib06view.h"

CSevrinLib06View::CSevrinLib06View(QWidget* parent) : CLibraryPage(*FindLibraryPage("methodCurrent"), parent)
{
}
