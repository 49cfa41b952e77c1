#include "sevrinlib30view.h"

CSevrinLib30View::CSevrinLib30View(QWidget* parent) : CSevrinLibPage(*FindLibraryPage("CSevrinLib30View"), parent)
{
}
