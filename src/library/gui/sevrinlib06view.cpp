#include "sevrinlib06view.h"

CSevrinLib06View::CSevrinLib06View(QWidget* parent) : CSevrinLibPage(*FindLibraryPage("CSevrinLib06View"), parent)
{
}
