#include "sevrinlib09view.h"

CSevrinLib09View::CSevrinLib09View(QWidget* parent) : CSevrinLibPage(*FindLibraryPage("CSevrinLib09View"), parent)
{
}
