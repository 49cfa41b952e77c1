#include "sevrinlib25view.h"

CSevrinLib25View::CSevrinLib25View(QWidget* parent) : CSevrinLibPage(*FindLibraryPage("CSevrinLib25View"), parent)
{
}
