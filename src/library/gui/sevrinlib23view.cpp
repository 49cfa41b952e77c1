#include "sevrinlib23view.h"

CSevrinLib23View::CSevrinLib23View(QWidget* parent) : CSevrinLibPage(*FindLibraryPage("CSevrinLib23View"), parent)
{
}
