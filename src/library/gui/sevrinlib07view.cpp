#include "sevrinlib07view.h"

CSevrinLib07View::CSevrinLib07View(QWidget* parent) : CSevrinLibPage(*FindLibraryPage("CSevrinLib07View"), parent)
{
}
