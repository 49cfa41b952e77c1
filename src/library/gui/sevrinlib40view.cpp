#include "sevrinlib40view.h"

CSevrinLib40View::CSevrinLib40View(QWidget* parent) : CSevrinLibPage(*FindLibraryPage("CSevrinLib40View"), parent)
{
}
